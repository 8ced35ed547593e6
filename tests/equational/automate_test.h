// What the tests of the equational automaton and of its writers share: the
// in-process compilation of a .gt text in the equational mode, the
// evaluation of one reaction of the automaton from its equations in
// earliest_sort order, an independent model of one reaction of the grafcet
// written from its definition, and random input sequences.
//
// Values are std::vector<bool>: states by step position, inputs by input
// position, outputs by output position (the grafcet's tables).
#ifndef TARVEK_TESTS_AUTOMATE_TEST_H
#define TARVEK_TESTS_AUTOMATE_TEST_H

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "b_automaton.h"
#include "bddpp.h"
#include "gt_texte.h"
#include "tarvek_compil.h"

using valeurs = std::vector<bool>;

// Where the automaton's variables stand in its manager: n states, ni inputs,
// no outputs, as the grafcet it was built from counts them.
struct disposition {
  int n = 0, ni = 0, no = 0;
  long etat(int i) const { return i; }
  long suivant(int i) const { return n + i; }
  long entree(int j) const { return 2L * n + j; }
  long sortie(int j) const { return 2L * n + ni + j; }
};
disposition disposition_de(tpen_fichier& g);

// One grafcet compiled in-process: the reader's result, the encoding (with
// the exported steps under simul), the automaton and make_sortable's answer.
struct compilation_eq {
  lecture source;
  std::unique_ptr<tpen_BDD_fichier> encodage;
  std::unique_ptr<b_automaton> automate;
  int triable = -1;
  disposition d;
};
// The text must read, encode and pass the refusals of the equational model.
compilation_eq compile_equationnel(const std::string& texte, bool simul = false);

// The value of f when the variable of index i has the value values[i].
bool evalue_bdd(bddpp_manager& m, bdd const& f, valeurs const& v);

// The value of every variable of the automaton's manager after one
// reaction: states and inputs as given, then every equation in earliest_sort
// order. An equation that reads a variable not yet evaluated, or one that
// the order leaves out, fails the calling test.
valeurs evalue_equations(b_automaton& a, disposition d, valeurs const& etat,
                         valeurs const& entrees);

struct reaction {
  valeurs suivant;  // the next state, by step
  valeurs sorties;  // by output
  bool stable = true;
};
bool operator==(reaction const& x, reaction const& y);

reaction reaction_automate(b_automaton& a, disposition d, valeurs const& etat,
                           valeurs const& entrees);

// One reaction of the grafcet from its definition: the set and reset
// signals of the steps are the least fixed point of the firing conditions
// (receptivity and assertion, and every upstream step active, or for an
// unguarded transition active or being activated), reached by iterating from
// all false; the next state is the majority of X, Set and not Reset; an output
// holds when one of its actions holds: a pulse action at the activation of its
// step, a continuous one while its step is active after the reaction.
// Conditions may read the inputs and the step variables X, RE, FE and RTL.
// stable is false when the iteration does not settle.
reaction reaction_modele(tpen_BDD_fichier& g, valeurs const& etat, valeurs const& entrees);

valeurs etat_initial(tpen_fichier& g);
std::vector<valeurs> entrees_aleatoires(int nbr_entrees, int longueur, std::mt19937& rng);

// Runs both from the initial state over the sequence; "" when they agree at
// every reaction, else where and how they first differ.
std::string compare_au_modele(compilation_eq& c, std::vector<valeurs> const& sequence);

std::string texte(valeurs const& v);

#endif
