// What the tests of the names that the targets write share: small charts
// built from given names, the runs of the binary on one target, and the
// real tools (or, for want of one, the readers of these tests) that judge
// the files the runs wrote.
#ifndef TARVEK_TESTS_NOMS_TEST_H
#define TARVEK_TESTS_NOMS_TEST_H

#include <map>
#include <string>
#include <vector>

#include "b_automaton.h"
#include "generation_test.h"

// A chart of two steps: step 1 drives the first output, step 2 the last
// one, and the transitions read the first input that a condition can name
// (a plain input "e0" is added when none can). Every output is "bool" but
// `evenement`, declared "event" after them when not empty.
struct charte {
  std::string module;
  std::vector<std::string> entrees, sorties;
  std::string evenement;
};
std::string texte_charte(const charte& c);

// The end of a refusal: "ERROR: the <cible> target cannot hold the name
// ..." with its closing line.
std::string refus(const std::string& cible, const std::string& nom, const std::string& origine,
                  const std::string& raison);

// The files that the runs wrote, waiting for their tools: base paths
// (without extension) by kind.
struct fichiers_a_juger {
  std::vector<std::string> c, ino, vhdl, blif;
};

// tarvek on the chart in the folder under the base name, with the options;
// a run that exits 1 must leave no target file, one that exits 0 has its
// files added to `lots`, and those that no tool reads here are judged at
// once by the readers of these tests.
run_result lance_cible(const std::string& dossier, const std::string& base,
                       const std::string& texte, const std::vector<std::string>& options,
                       fichiers_a_juger& lots);

// The tools on the files: gcc on the C sources and headers, avr-g++ on the
// sketches, ghdl on the designs, yosys on the BLIF networks, each once for
// all its files. Every failure is reported in the calling test.
void juge_fichiers(const std::string& dossier, const fichiers_a_juger& lots);

// The files of the writers that no option reaches, each with its module:
// the C# classes, the SystemC modules (their .cc, beside the .h named after
// the module that it includes) and the grafcet VHDL designs.
struct classe_ecrite {
  std::string chemin, module;
};
struct classes_a_juger {
  std::vector<classe_ecrite> csharp, systemc, vhdl_grafcet;
};
// The checks of those targets on the automaton, and its files for those
// that pass; the count of those refused.
int ecrit_classes(const std::string& dossier, const std::string& base, const FBA* fba,
                  b_automaton* automate, const std::string& module, classes_a_juger& lots);
// mcs on the classes, g++ with SystemC on the modules, ghdl on the designs.
// Classes and modules of distinct names share one run of their tool; when
// that run fails, each of its files is judged alone.
void juge_classes(const std::string& dossier, const classes_a_juger& lots);

#endif
