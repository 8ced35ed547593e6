// What one reaction knows at a given moment of the encoding's variables: a
// three-valued value per variable, the receptivities and the general
// assertion with the known values substituted, and the input context that
// the reaction has been restricted to so far.
#ifndef TARVEK_TARVEK_VALUATION_H
#define TARVEK_TARVEK_VALUATION_H

#include <memory>
#include <ostream>
#include <vector>

#include "bddpp.h"

class tpen_BDD_fichier;

// What the receptivities of an encoding read, shared by every valuation
// of a run: the functions only lose variables, so a variable that a
// receptivity did not read at the start, it never reads.
struct lectures_receptivites {
  int nbr_variables = -1;                  // of the manager when made
  std::vector<std::vector<int>> lecteurs;  // by variable index: transitions
  std::vector<char> interne;               // by variable index: a step variable
};

// Value codes are those of Bdd_eval: 0 false, 1 true, 2 undetermined. Only
// step variables are ever given values; the contexts are functions of the
// inputs. Once a value is set, no copy depends on that variable any more.
//
// A copy takes the substituted functions but starts with every value
// undetermined: nothing is lost, the values are already in the functions.
class valuateur {
 public:
  explicit valuateur(tpen_BDD_fichier& f);
  valuateur(const valuateur& v);
  valuateur& operator=(const valuateur& v);
  ~valuateur();

  void vrai(int v);
  void faux(int v);
  void contraint_contexte(bdd c);

  // 0 when the receptivity is certainly true, 1 certainly false, 2 open:
  // the reverse of the value codes.
  int cond(int t) const;
  int garde(int t) const;
  bdd contraintes_evol() const;
  // The receptivity with every step variable quantified away: what it asks
  // of the inputs.
  bdd bdd_entrees(int t) const;
  // The assertion with the known values and contexts applied; constant 0
  // when they contradict it.
  bdd assertion_reduite() const;

  void put(std::ostream& os) const;

 private:
  void fixe(int v, int valeur);
  void copie_depuis(const valuateur& v);

  std::shared_ptr<const lectures_receptivites> lu;

  tpen_BDD_fichier* fichier;
  int* valeurs;
  bdd* receptivites;  // by transition position; null without transitions
  bdd contraintes;
  bdd assertion;
  int nombre_valeurs;
  int nombre_receptivites;
};

std::ostream& operator<<(std::ostream& os, const valuateur& v);

#endif
