// A target file that takes its place only once complete, so that a run
// that stops leaves the earlier file as it was.
#ifndef TARVEK_TARVEK_FICHIER_CIBLE_H
#define TARVEK_TARVEK_FICHIER_CIBLE_H

#include <fstream>
#include <string>

// Written under a short temporary name (".tarvek-" and six random
// characters) in the folder of the file that the target names, through its
// links, and renamed over that file when closed without error: the links
// stay. Whatever stops the run first (an error, exit, an uncaught
// exception, any signal that it was left to die of) removes the temporary
// file. A target that exists as a device or another file that is not a
// regular one is written in place, as nothing there can be lost; so is a
// target whose folder does not let a file be made beside it, as it was
// before files were written aside. Every failure stops the run with the
// target's name.
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
  void ouvre_en_place();

  std::string nom, destination;
  int place = -1;  // of the temporary file's name, -1 once there is none
  std::ofstream f;
};

#endif
