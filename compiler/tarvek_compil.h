// The grafcet as both compilers see it: a private copy of the parsed grafcet
// with its own BDD manager, the BDD variables of its inputs and steps, the
// receptivities, guard flags and assertions as BDDs, and the checks and step
// mode that run on them before any compilation.
#ifndef TARVEK_TARVEK_COMPIL_H
#define TARVEK_TARVEK_COMPIL_H

#include <set>
#include <string>

#include "bddpp.h"
#include "gt_norm.h"

// Variable order of the manager, which every later stage relies on: for
// each input in declaration order its name, then name + "_pre_" for a
// boolean one; then for each step "RE", "FE", "X" and "RTL" + its name.
// Variable indexes are positions in that order; steps and transitions are
// positions in the grafcet's tables.
//
// The run keeps its encoding to the end; a condition that does not parse,
// or a name that two variables would share, ends the process with its
// message and exit code 1.
class tpen_BDD_fichier : public tpen_fichier {
 public:
  explicit tpen_BDD_fichier(tpen_fichier* grafcet);
  ~tpen_BDD_fichier();

  bddpp_manager* man();
  int nombre_variables();
  std::string nom_variable(int i);
  bdd bdd_variable(int i);
  bdd bdd_variable(std::string name);

  bdd bdd_receptivite_transition(int t);
  int transition_gardee(int t);
  bdd* ma_table_assertions();
  bdd assertion(int i);

  // Indexes of the step variables, found by name.
  int ident_garde_RE_etape(int s);
  int ident_garde_FE_etape(int s);
  int ident_cond_X_etape(int s);
  int ident_nongarde_RE_etape(int s);
  int ident_nongarde_FE_etape(int s);
  std::set<int> ens_ident_etape_by_RE(std::set<int> variables);
  std::set<int> ens_ident_etape_by_FE(std::set<int> variables);
  std::set<int> ens_ident_FEk_post_transition(int t);

  // Parsed anew at each call.
  bdd bdd_cond_action(int s, int k);

  std::string bddtoString(bdd f, int mode, std::string prefix, std::string suffix) const;

  // Step mode: every transition guarded.
  void force_garde_transitions();
  // One line per pair of transitions leaving one step whose receptivities
  // can hold together under the assertions; empty when there is none.
  std::string check_interpreted_parallelism();

  // Fixed by the constructor; only the step mode changes the guard flags
  // afterwards. The compilers read the general assertion directly.
  bddpp_manager* manager;
  bdd* table_bdd_assertions;  // null without assertions
  bdd assertion_generale;     // AND of the assertions, 1 without any
  bdd* table_bdd_recept;      // by transition position
  int* table_gardes;          // by transition position: 1 guarded

 private:
  void copie_grafcet(tpen_fichier* grafcet);
  void verif_noms_variables();
  void cree_bdd_manager();
  void cree_table_bdd_recept();
  void cree_table_bdd_assertions();
  bdd receptivite(std::string const& texte, int& garde);
  bdd partie_gardee(std::string const& texte);
  bdd condition_receptivite(std::string const& texte);
  int ident_variable_etape(std::string const& prefixe, int s, const char* operation);
  std::set<int> ens_ident_etape_by(std::string const& prefixe, std::set<int> const& variables);
};

#endif
