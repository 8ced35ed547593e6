// Writes the random grafcets of the tests as .gt files, for the comparison
// of two builds of tarvek on their outputs (bench/compare_outputs.sh).
//   ecrit_grafcets_aleatoires FOLDER FIRST_SEED COUNT
// writes FOLDER/g<seed>.gt for each seed.
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "simulation.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: ecrit_grafcets_aleatoires FOLDER FIRST_SEED COUNT" << std::endl;
    return 2;
  }
  std::string dossier = argv[1];
  unsigned premiere = static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10));
  unsigned nombre = static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10));
  for (unsigned g = premiere; g < premiere + nombre; ++g) {
    std::string nom = dossier + "/g" + std::to_string(g) + ".gt";
    std::ofstream f(nom);
    f << grafcet_aleatoire(g);
    if (!f.good()) {
      std::cerr << nom << ": cannot be written" << std::endl;
      return 1;
    }
  }
  return 0;
}
