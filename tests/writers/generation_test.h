// What the tests of the generated code share, whatever the target: the
// corpus of grafcets, the tarvek binary run on one of them with the files it
// wrote, or in one mode with the names and the behaviour of its automaton
// computed in-process, and the real tools looked up on the PATH.
//
// A trace is one line per reaction: the outputs, a blank, then the states,
// each a '0' or '1' in the order of the automaton (states by step); a line
// "r" stands between two sequences, where the generated code is reset. The
// input sequences as text follow the same rule: one line of '0' and '1' per
// input vector, "r" between sequences.
#ifndef TARVEK_TESTS_GENERATION_TEST_H
#define TARVEK_TESTS_GENERATION_TEST_H

#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "automate_test.h"
#include "run_tool.h"
#include "simulation.h"
#include "tarvek_compil.h"

struct grafcet_corpus {
  std::string nom, texte;
};

// The examples, the fixtures of the compiler, equational, front-end and
// grafcet tests and those of these tests. Some are refused in one mode; the
// tests skip them there.
std::vector<grafcet_corpus> corpus_ecrivains();

// The grafcets of corpus_ecrivains that the binary compiles in that mode,
// no target asked.
std::vector<grafcet_corpus> corpus_compilable(bool equationnel);

// The first `nombre` random grafcets of the compiler's tests that its
// reference simulator finds stable and safe, with no loop of unguarded
// transitions able to run; each named "g" + its seed.
std::vector<grafcet_corpus> grafcets_aleatoires_sains(int nombre);

// Receptivities and action conditions over the inputs only, no assertion,
// continuous actions only on "bool" outputs and impulse ones only on
// "event" outputs, no cycle of unguarded transitions: both compilation
// modes must then give the same automaton.
bool grafcet_propre(tpen_BDD_fichier& g);

// The text under another module name, which every name of the generated
// code carries: the code of several grafcets then links into one program.
std::string renomme_module(const std::string& texte, const std::string& module);

struct sortie_tarvek {
  run_result r;
  std::map<std::string, std::string> fichiers;  // by extension (".lus", ".h"...), those written
};

// tarvek module.gt options... in the folder, the text written there first
// under that name.
sortie_tarvek lance_tarvek(const std::string& dossier, const std::string& module,
                           const std::string& texte, const std::vector<std::string>& options);

// One grafcet compiled by the binary in one mode, and in-process alike.
struct automate_genere {
  std::string module;  // also the base name of its files
  bool equationnel = false;
  std::string dossier;
  // In the order of the generated code; the states are "X" + step name.
  std::vector<std::string> entrees, sorties, etats;
  std::list<std::string> evenements;            // the outputs declared "event"
  std::vector<std::vector<vecteur>> sequences;  // in the order of entrees
  std::vector<std::string> attendu;             // the in-process trace
  // The trace of the independent model of the grafcet (the reference
  // simulator, the reaction model of the equational tests), empty where
  // that model cannot judge the grafcet.
  std::vector<std::string> independant;
  std::string fichier(const std::string& extension) const;  // its path
};

// Runs tarvek in the folder on g, renamed to module, with the options (and
// -equational in that mode); false when the binary refuses it. Otherwise
// fills a: the sequences drawn from the seed (vectors outside the
// grafcet's assertions are drawn again), their in-process and independent
// traces. A reaction of the symbolic automaton left undefined by its
// conditions fails the calling test.
bool genere_automate(const std::string& dossier, const grafcet_corpus& g, const std::string& module,
                     bool equationnel, const std::vector<std::string>& options, unsigned graine,
                     automate_genere& a);

// The corpus and `aleatoires` random grafcets (compiled under -O2: reduced
// covers, and the manager collected before the writers run) in both modes,
// each grafcet under the module name g.nom + "_fba" or "_eq", in a fresh
// folder of the build tree named `nom`.
struct corpus_genere {
  std::string dossier;
  std::vector<automate_genere> automates;
  // The grafcets that both modes compile and where both mean the same:
  // positions of their two automata.
  std::vector<std::pair<size_t, size_t>> paires_propres;
};
corpus_genere genere_corpus(const std::string& nom, const std::vector<std::string>& options,
                            int aleatoires);
// Every example compiles in both modes, and the corpus is large enough to
// mean something.
void verifie_corpus(const corpus_genere& c);

// The automata of a generated corpus compiled again in-process, for the
// writers that no compilation calls.
struct automates_en_memoire {
  std::vector<std::unique_ptr<FBA>> fba;  // by automaton of the corpus, null in the equational mode
  std::vector<compilation_eq> eq;         // likewise, empty in the other mode
};
automates_en_memoire recompile(const corpus_genere& c);

// The template with every "@KEY" of the table replaced.
std::string remplit(std::string modele, const std::map<std::string, std::string>& valeurs);

// Runs the command followed, per automaton of c, by its module name and
// the file of its input sequences (written here); the traces the program
// prints after a line "= " + module, by module.
std::map<std::string, std::vector<std::string>> traces_du_programme(
    const std::vector<std::string>& commande, const corpus_genere& c);

// The traces of one clean grafcet's automata of both modes, f's and e's,
// agree at every reaction: the outputs by name, the states by step.
void compare_modes(const automate_genere& f, const std::vector<std::string>& tf,
                   const automate_genere& e, const std::vector<std::string>& te);

std::string texte_sequences(const std::vector<std::vector<vecteur>>& sequences);
std::vector<std::string> lignes(const std::string& texte);

// The absolute path of a program of the PATH, "" when there is none.
std::string outil(const std::string& nom);

#endif
