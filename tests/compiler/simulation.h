// Running a compiled grafcet on inputs, for the tests that check what an
// automaton does rather than how it is written:
//  - evaluateur_FBA: one reaction of an FBA evaluated in-process, the next
//    state from force1 and the actions from the emissions;
//  - simulateur_reference: a small simulator of clean grafcets (receptivities
//    and action conditions over the inputs only, no assertion, no
//    instability), written apart from the compiler, to judge it;
//  - random input sequences and the traces of both from the initial state.
// The tests of the generated code (C, VHDL, BLIF) compare their traces with
// these.
//
// Orders, the same on both sides: states by step position; inputs as the
// FBA takes them (the boolean inputs, then the event inputs, each in
// declaration order); actions by distinct output name, in the order of
// their first declaration.
#ifndef TARVEK_TESTS_SIMULATION_H
#define TARVEK_TESTS_SIMULATION_H

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "FBA.h"
#include "gt_norm.h"
#include "gt_texte.h"
#include "tarvek_compil.h"

using vecteur = std::vector<bool>;

struct pas_simulation {
  vecteur etat;     // after the reaction
  vecteur actions;  // emitted during it
};

bool operator==(const pas_simulation& a, const pas_simulation& b);
// "0110": the values in order.
std::string chiffres(const vecteur& v);
std::ostream& operator<<(std::ostream& os, const pas_simulation& p);

// The automaton's dump, as the log receives it.
std::string automate_en_texte(const FBA& a);
std::vector<std::string> noms_entrees(const FBA& a);
// The same order read from the grafcet, before any compilation.
std::vector<std::string> noms_entrees(tpen_fichier& g);
std::vector<std::string> noms_actions(const FBA& a);

// Value of f when the variable of index i has valeurs[i].
bool valeur_bdd(bddpp_manager& m, const bdd& f, const vecteur& valeurs);

class evaluateur_FBA {
 public:
  explicit evaluateur_FBA(const FBA& a) : a(a) {}
  vecteur etat_initial() const;
  pas_simulation reaction(const vecteur& etat, const vecteur& entrees) const;
  // True when every state variable is forced by exactly one of force0 and
  // force1: the automaton has a reaction for these inputs.
  bool couverte(const vecteur& etat, const vecteur& entrees) const;

 private:
  vecteur valeurs(const vecteur& etat, const vecteur& suivant, const vecteur& entrees) const;
  const FBA& a;
};

class simulateur_reference {
 public:
  // entrees: the names of the input values given to reaction, in order;
  // pas_a_pas: every transition guarded, as under -step.
  simulateur_reference(tpen_fichier& g, std::vector<std::string> entrees, bool pas_a_pas = false);
  vecteur etat_initial() const;
  // Fires every enabled transition (a guarded one only from steps active at
  // the start, and once), then again with the steps just activated, until
  // nothing more fires.
  pas_simulation reaction(const vecteur& etat, const vecteur& entrees);
  // True when the inputs satisfy every assertion of the grafcet: on such
  // inputs a grafcet with assertions over its inputs behaves as a clean one.
  bool admissible(const vecteur& entrees);
  // True when, under these inputs, unguarded transitions with a true
  // receptivity form a loop, whether its steps are active or not: the
  // compiler refuses such a grafcet (an instability where the loop is
  // active, a non-determinism where it is not).
  bool boucle_possible(const vecteur& entrees);
  // Empty while the grafcet behaved as a clean one; otherwise what was not.
  std::string defaut;
  // Set once some reaction activated a step that was active and that the
  // same firing did not leave: an unsafe grafcet, on which the compiler
  // keeps such a step active even when a later firing leaves it.
  bool active_une_etape_active = false;

 private:
  std::map<std::string, bool> valeurs_entrees(const vecteur& entrees) const;
  bool condition(const std::string& texte, const std::map<std::string, bool>& valeurs);
  bool receptivite(int t, const std::map<std::string, bool>& valeurs);
  std::set<int> franchissables(const std::set<int>& depart, const std::set<int>& actives,
                               const std::set<int>& franchies,
                               const std::map<std::string, bool>& valeurs);
  vecteur actions(const std::set<int>& finale, const std::set<int>& activees,
                  const std::map<std::string, bool>& valeurs);

  tpen_fichier& g;
  std::vector<std::string> entrees;
  bool pas_a_pas;
  std::vector<std::string> actions_distinctes;
};

// longueur input vectors of largeur values each; admissible, when given,
// rejects vectors (drawn again) such as those an assertion excludes.
std::vector<vecteur> sequence_aleatoire(int largeur, int longueur, unsigned graine,
                                        const std::function<bool(const vecteur&)>& admissible = {});

// A random clean-looking grafcet of a few steps, boolean and event inputs,
// parallel branches, guarded and unguarded receptivities over the inputs
// and actions on outputs of both kinds; at most one transition leaves each
// step, so no two can conflict. It may still be unstable: judge it with
// the reference simulator first.
std::string grafcet_aleatoire(unsigned graine);

// Every situation the reference simulator reaches from the initial one,
// over every input vector, in the order found; empty when it meets a fault
// on the way (s.defaut then says which).
std::vector<vecteur> situations_atteintes(simulateur_reference& s, int nbr_entrees);

// Every vector of n values, 0 first.
std::vector<vecteur> tous_les_vecteurs(int n);

// A grafcet compiled in-process by the default compilation, the log of the
// run in a string. A fault of the grafcet ends the process, as in tarvek.
struct compilation_test {
  lecture source;
  std::unique_ptr<tpen_BDD_fichier> encodage;
  std::unique_ptr<FBA> automate;
  bilan_recherche bilan;
  std::string log;
};

// pas_a_pas: every transition guarded, as under -step.
compilation_test compile_texte(const std::string& texte, bool pas_a_pas = false,
                               pliage p = pliage::par_situation);

// The reactions from the initial state along a sequence of inputs.
std::vector<pas_simulation> trace_FBA(const FBA& a, const std::vector<vecteur>& sequence);
std::vector<pas_simulation> trace_reference(simulateur_reference& s,
                                            const std::vector<vecteur>& sequence);

#endif
