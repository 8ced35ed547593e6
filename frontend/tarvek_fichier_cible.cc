// Target files written aside and renamed over their targets once complete.
#include "tarvek_fichier_cible.h"

#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tarvek_cibles.h"

namespace {

// The names of the temporary files not yet renamed, where a signal handler
// may read them: fixed places, each marked taken only while its file
// exists. A run has at most the C source and its header open at once.
const int nbr_places = 4;
char places[nbr_places][PATH_MAX];
volatile sig_atomic_t prises[nbr_places];

const int signaux_d_arret[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGXFSZ};

// Only unlink: it may run in a signal handler.
void efface_provisoires() {
  for (int i = 0; i < nbr_places; ++i)
    if (prises[i]) unlink(places[i]);
}

// The handler goes with its first call, so the signal raised again ends
// the run as it would have without it.
extern "C" void arret_par_signal(int signal) {
  efface_provisoires();
  raise(signal);
}

// At the first temporary file: a signal that the run was left to die of
// removes the temporary files first, and so does exit.
void surveille_arrets() {
  static bool deja = false;
  if (deja) return;
  deja = true;
  std::atexit(efface_provisoires);
  for (int s : signaux_d_arret) {
    struct sigaction avant;
    if (sigaction(s, nullptr, &avant) != 0 || avant.sa_handler != SIG_DFL) continue;
    struct sigaction a;
    std::memset(&a, 0, sizeof a);
    a.sa_handler = arret_par_signal;
    a.sa_flags = SA_RESETHAND;
    sigemptyset(&a.sa_mask);
    sigaction(s, &a, nullptr);
  }
}

int place_libre() {
  for (int i = 0; i < nbr_places; ++i)
    if (!prises[i]) return i;
  return -1;
}

// The permissions that opening the target would have given a new file.
mode_t mode_nouveau_fichier() {
  mode_t masque = umask(0);
  umask(masque);
  return 0666 & ~masque;
}

}  // namespace

fichier_cible::fichier_cible(const std::string& n) : nom(n), destination(n) {
  mode_t mode = 0;
  struct stat st;
  if (stat(nom.c_str(), &st) != 0) {
    mode = mode_nouveau_fichier();
  } else if (S_ISDIR(st.st_mode)) {
    fichier_impossible(nom);
  } else if (!S_ISREG(st.st_mode)) {
    f.open(nom, std::ios::out | std::ios::trunc);
    if (!f.is_open()) fichier_impossible(nom);
    return;
  } else {
    // A file that may not be written stays so; through a link, the file
    // it names gets the new text and the link stays.
    if (access(nom.c_str(), W_OK) != 0) fichier_impossible(nom);
    if (char* reel = realpath(nom.c_str(), nullptr)) {
      destination = reel;
      std::free(reel);
    }
    mode = st.st_mode & 07777;
  }
  surveille_arrets();
  int p = place_libre();
  std::string modele = destination + ".XXXXXX";
  if (p < 0 || modele.size() >= PATH_MAX) fichier_impossible(nom);
  std::strcpy(places[p], modele.c_str());
  int fd = mkstemp(places[p]);
  if (fd < 0) fichier_impossible(nom);
  prises[p] = 1;
  place = p;
  // The permissions the target had, or would have had; a file system that
  // keeps none refuses and leaves mkstemp's, which does no harm.
  fchmod(fd, mode);
  close(fd);
  f.open(places[p], std::ios::out | std::ios::trunc);
  if (!f.is_open()) fichier_impossible(nom);
}

fichier_cible::~fichier_cible() {
  if (place < 0) return;
  f.close();
  unlink(places[place]);
  prises[place] = 0;
}

void fichier_cible::verifie() {
  f.flush();
  if (f.fail()) fichier_impossible(nom);
}

void fichier_cible::ferme() {
  f.close();
  if (f.fail()) fichier_impossible(nom);
}

void fichier_cible::met_en_place() {
  if (place < 0) return;
  if (std::rename(places[place], destination.c_str()) != 0) fichier_impossible(nom);
  prises[place] = 0;
  place = -1;
}
