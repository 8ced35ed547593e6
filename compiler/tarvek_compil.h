// The grafcet as both compilers see it: a private copy of the parsed grafcet
// with its own BDD manager, the BDD variables of its inputs and steps, the
// receptivities, guard flags and assertions as BDDs, and the checks and step
// mode that run on them before any compilation. Then the default
// compilation: the reactions of one situation and the search of the
// reachable situations that builds the symbolic automaton.
#ifndef TARVEK_TARVEK_COMPIL_H
#define TARVEK_TARVEK_COMPIL_H

#include <list>
#include <memory>
#include <ostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "FBA.h"
#include "bddpp.h"
#include "compil_modes.h"
#include "gt_norm.h"
#include "tarvek_valuation.h"

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
  // The transitions whose receptivity holds "=1" beside other text and
  // was read as the constant 1 all the same.
  std::set<int> ens_ident_transitions_egal_un() const;
  // The guarded transitions with a part that is not empty but always false,
  // read as 1 like an empty one: the first such part of each, as written
  // without its outer blanks.
  std::map<int, std::string> parties_gardees_fausses() const;
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

  // The identifier sets of the inputs: boolean ones, event ones.
  std::set<int> ens_conditions_externes() const;
  std::set<int> ens_evenements_externes() const;
  int type_etape(int s) const;  // 0 outside the table

  // Parsed anew at each call.
  bdd bdd_cond_action(int s, int k);

  std::string bddtoString(bdd f, int mode, std::string prefix, std::string suffix) const;

  // Made once for the valuations of the whole search (the search makes one
  // per situation), and again once the manager has more variables.
  std::shared_ptr<const lectures_receptivites> lectures();

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
  bdd receptivite(int t);
  bdd partie_gardee(int t, std::string const& texte);
  bdd condition_receptivite(std::string const& texte);
  // The indexes of the RE, FE and X variables of every step, and the step
  // of every RE or FE index: the search asks for them at every iteration,
  // where looking each name up cost more than the sets themselves. Made
  // when first asked, and again once the manager has more variables.
  struct variables_etapes {
    int nbr_variables = -1;
    std::vector<int> RE, FE, X;  // by step; -1 without such variable
    // By variable index + 1, so that the steps without variable come
    // first: the steps of that variable.
    std::vector<std::vector<int>> etapes_RE, etapes_FE;
  };
  variables_etapes const& index_etapes();
  int ident_variable_etape(std::vector<int> variables_etapes::*table, int s, const char* operation);
  std::set<int> ens_ident_etape_by(std::vector<std::vector<int>> variables_etapes::*table,
                                   std::set<int> const& variables);

  variables_etapes index_etapes_;
  std::set<int> transitions_egal_un;
  std::map<int, std::string> gardes_fausses;
  std::shared_ptr<const lectures_receptivites> lectures_;
};

// One reaction: from the situation initiale to the situation finale under
// the input context cond, emitting each output under its condition. The
// conditions live in the encoding's manager.
class trans_instantanee {
 public:
  trans_instantanee();
  trans_instantanee(std::set<int> initiale, std::set<int> finale, bdd* actions, bdd cond,
                    tpen_BDD_fichier* f);
  // Kept for old callers: a record without output conditions.
  trans_instantanee(int i, int j, bdd* actions, bdd cond, tpen_BDD_fichier* f);
  trans_instantanee(const trans_instantanee& r);
  trans_instantanee& operator=(const trans_instantanee& r);
  ~trans_instantanee();

  std::set<int> initiale;
  std::set<int> finale;
  bdd* actions;  // one per output of the grafcet; null without a grafcet
  bdd cond;
  tpen_BDD_fichier* fichier;
};

// Compares the situations and the grafcet, not the conditions.
bool operator!=(const trans_instantanee& a, const trans_instantanee& b);
std::ostream& operator<<(std::ostream& os, const trans_instantanee& r);

// The contexts of one reaction still to be finished, first in, first out.
class tpe_contexte {
 public:
  void push(const std::set<int>& xi, const std::set<int>& Ecp, const std::set<int>& Eca,
            const std::set<int>& Tcf, const std::set<int>& Tcnf, const valuateur& v);
  void pop(std::set<int>& xi, std::set<int>& Ecp, std::set<int>& Eca, std::set<int>& Tcf,
           std::set<int>& Tcnf, valuateur& v);
  bool empty() const;

  std::list<std::set<int>> l_xi;
  std::list<std::set<int>> l_Ecp;
  std::list<std::set<int>> l_Eca;
  std::list<std::set<int>> l_Tcf;
  std::list<std::set<int>> l_Tcnf;
  std::list<valuateur> l_valuateurs;
};

// Every reaction of the grafcet from the situation depart, one per class of
// input values: 0 when all contexts concluded, 1 on an instability cycle
// and 2 when some transition stays undecided, with the transitions
// concerned in *bad.
int PFI_symbolique(tpen_BDD_fichier& f, const std::set<int> depart, const std::set<int> Ecp0,
                   const std::set<int> Eca0, std::list<trans_instantanee>* reactions,
                   std::set<int>* bad, bool explain, std::ostream& log);

// What a search found: its counts of situations and of reactions.
struct bilan_recherche {
  long situations = 0;
  long reactions = 0;
};

// How the reactions reach the automaton: all those of a situation at once,
// or one at a time as they are found, which makes the nodes whose count the
// log shows after the search (the other way makes far fewer, and the same
// functions).
enum class pliage { par_situation, une_a_une };

// The default compilation. A name that two variables or actions of the
// automaton would share, or a fault of the grafcet, ends the process with
// its message and exit code 1. The caller owns the automaton.
FBA* genere_FBA_symbolique(tpen_BDD_fichier& f, std::ostream& log, bilan_recherche* bilan = nullptr,
                           pliage p = pliage::par_situation);
int lis_Xtheta(tpen_BDD_fichier& f, std::set<int>& s);
FBA* normalise_FBA(tpen_BDD_fichier& f, std::set<int> initial, int* varmap, int* outmap);
// The condition of action k of step s as the search reads it. The
// automaton has variables for the inputs and the step activities only: a
// condition that depends on any other variable ends the run with its message.
bdd cond_action_recherche(tpen_BDD_fichier& f, int s, int k);
FBA_transition normalise_transition_FBA(const FBA& a, const trans_instantanee& r, int* outmap);
bdd* correspondance_FBA_actions(const FBA& a, tpen_BDD_fichier& f, int* outmap, bdd* conditions);
// b rebuilt over the variables of the same names in the manager to; a
// variable that to lacks reads as false.
bdd bdd_translation_by_String(bddpp_manager* from, bdd b, bddpp_manager* to);
std::string chaine_ens_num_grafcet_trans(tpen_BDD_fichier& f, std::set<int>& transitions);

#endif
