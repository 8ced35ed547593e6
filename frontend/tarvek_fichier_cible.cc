// Target files written aside and renamed over their targets once complete.
#include "tarvek_fichier_cible.h"

#include <errno.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "tarvek_cibles.h"

namespace {

// The names of the temporary files not yet renamed, where a signal handler
// may read them: fixed places, each marked taken only while its file
// exists. A run has at most the C source and its header open at once, and
// the documentation.
const int nbr_places = 4;
char places[nbr_places][PATH_MAX];
volatile sig_atomic_t prises[nbr_places];

// Short whatever the target's name, so that any name that its folder can
// hold has a temporary file beside it.
const char modele_provisoire[] = ".tarvek-XXXXXX";

// Every signal whose default action ends the run, so that only SIGKILL can
// end it with a temporary file left.
sigset_t signaux_d_arret() {
  static const int signaux[] = {
    SIGHUP,  SIGINT,  SIGQUIT, SIGILL,  SIGTRAP, SIGABRT,   SIGBUS,  SIGFPE,  SIGUSR1, SIGSEGV,
    SIGUSR2, SIGPIPE, SIGALRM, SIGTERM, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGIO,   SIGSYS,
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
  };
  sigset_t s;
  sigemptyset(&s);
  for (int x : signaux) sigaddset(&s, x);
  for (int x = SIGRTMIN; x <= SIGRTMAX; ++x) sigaddset(&s, x);
  return s;
}

// Only unlink: it may run in a signal handler.
void efface_provisoires() {
  for (int i = 0; i < nbr_places; ++i)
    if (prises[i]) {
      unlink(places[i]);
      prises[i] = 0;
    }
}

// The handler goes with its first call, so the signal raised again ends
// the run as it would have without it (with its core dump, for a fault).
extern "C" void arret_par_signal(int signal) {
  efface_provisoires();
  raise(signal);
}

std::terminate_handler terminaison_d_avant;

// An exception that nothing caught, such as std::bad_alloc when memory
// runs out, ends the run without unwinding: no destructor removes the
// temporary files. The earlier handler still says what was thrown.
[[noreturn]] void terminaison() {
  efface_provisoires();
  if (terminaison_d_avant) terminaison_d_avant();
  std::abort();
}

// A stack of its own for the handler, so that a run that overflows its
// stack still removes its temporary files; kept when a sanitizer has set
// one.
void pile_de_secours() {
  alignas(16) static char pile[64 * 1024];
  stack_t actuelle;
  if (sigaltstack(nullptr, &actuelle) != 0 || !(actuelle.ss_flags & SS_DISABLE)) return;
  stack_t s;
  s.ss_sp = pile;
  s.ss_size = sizeof pile;
  s.ss_flags = 0;
  sigaltstack(&s, nullptr);
}

// At the first temporary file: a signal that the run was left to die of
// removes the temporary files first, and so do exit and an uncaught
// exception. A signal that the caller ignored or handles stays so.
void surveille_arrets() {
  static bool deja = false;
  if (deja) return;
  deja = true;
  std::atexit(efface_provisoires);
  terminaison_d_avant = std::set_terminate(terminaison);
  pile_de_secours();
  sigset_t arrets = signaux_d_arret();
  for (int s = 1; s < NSIG; ++s) {
    if (sigismember(&arrets, s) != 1) continue;
    struct sigaction avant;
    if (sigaction(s, nullptr, &avant) != 0 || avant.sa_handler != SIG_DFL) continue;
    struct sigaction a;
    std::memset(&a, 0, sizeof a);
    a.sa_handler = arret_par_signal;
    a.sa_flags = SA_RESETHAND | SA_ONSTACK;
    sigemptyset(&a.sa_mask);
    sigaction(s, &a, nullptr);
  }
}

int place_libre() {
  for (int i = 0; i < nbr_places; ++i)
    if (!prises[i]) return i;
  return -1;
}

// The temporary file from the model in place p, its name marked taken
// together with its making: the signals that would remove it wait until
// then. Its descriptor, or -1 with errno set.
int cree_provisoire(int p, const std::string& modele) {
  if (modele.size() >= PATH_MAX) {
    errno = ENAMETOOLONG;
    return -1;
  }
  sigset_t arrets = signaux_d_arret(), avant;
  sigprocmask(SIG_BLOCK, &arrets, &avant);
  std::strcpy(places[p], modele.c_str());
  int fd = mkstemp(places[p]);
  int erreur = errno;
  if (fd >= 0) prises[p] = 1;
  sigprocmask(SIG_SETMASK, &avant, nullptr);
  errno = erreur;
  return fd;
}

// The permissions that opening the target would have given a new file.
mode_t mode_nouveau_fichier() {
  mode_t masque = umask(0);
  umask(masque);
  return 0666 & ~masque;
}

// The name up to its last slash included, empty without one.
std::string dossier_de(const std::string& chemin) {
  size_t p = chemin.rfind('/');
  return p == std::string::npos ? "" : chemin.substr(0, p + 1);
}

// The file that a name stands for at the end of its links, as the system
// follows them when it opens the name (a relative link from the folder
// that holds it); that file need not exist yet. Empty for links that go
// round or cannot be read.
std::string fin_des_liens(std::string chemin) {
  for (int sauts = 0; sauts < 40; ++sauts) {
    struct stat st;
    if (lstat(chemin.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return chemin;
    char lu[PATH_MAX];
    ssize_t n = readlink(chemin.c_str(), lu, sizeof lu);
    if (n <= 0 || n >= static_cast<ssize_t>(sizeof lu)) return "";
    std::string lien(lu, n);
    chemin = lien[0] == '/' ? lien : dossier_de(chemin) + lien;
  }
  return "";
}

}  // namespace

fichier_cible::fichier_cible(const std::string& n) : nom(n), destination(fin_des_liens(n)) {
  if (destination.empty()) fichier_impossible(nom);
  mode_t mode = mode_nouveau_fichier();
  struct stat st;
  if (stat(destination.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) fichier_impossible(nom);
    if (!S_ISREG(st.st_mode)) {
      ouvre_en_place();
      return;
    }
    // A file that may not be written stays so.
    if (access(destination.c_str(), W_OK) != 0) fichier_impossible(nom);
    mode = st.st_mode & 07777;
  }
  surveille_arrets();
  int p = place_libre();
  if (p < 0) fichier_impossible(nom);
  int fd = cree_provisoire(p, dossier_de(destination) + modele_provisoire);
  if (fd < 0) {
    // A full disk would only cut the earlier file short.
    if (errno == ENOSPC || errno == EDQUOT) fichier_impossible(nom);
    ouvre_en_place();
    return;
  }
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

void fichier_cible::ouvre_en_place() {
  f.open(nom, std::ios::out | std::ios::trunc);
  if (!f.is_open()) fichier_impossible(nom);
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
