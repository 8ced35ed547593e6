// A target file that takes its place only once complete, so that a run
// that stops leaves the earlier file as it was.
#ifndef TARVEK_TARVEK_FICHIER_CIBLE_H
#define TARVEK_TARVEK_FICHIER_CIBLE_H

#include <fstream>
#include <string>

// Written under a temporary name in the target's folder and renamed over
// the target when closed without error. Whatever stops the run first (an
// error, exit, an interrupting or terminating signal) removes the
// temporary file. A target that exists as a device or another file that is
// not a regular one is written in place, as nothing there can be lost.
// Every failure stops the run with the target's name.
class fichier_cible {
 public:
  explicit fichier_cible(const std::string& nom);
  ~fichier_cible();
  fichier_cible(const fichier_cible&) = delete;
  fichier_cible& operator=(const fichier_cible&) = delete;
  std::ostream& flot() { return f; }
  // What was written so far reached the file.
  void verifie();
  void ferme();
  void met_en_place();

 private:
  std::string nom, destination;
  int place = -1;  // of the temporary file's name, -1 once there is none
  std::ofstream f;
};

#endif
