// Building the boolean automaton of a grafcet: its names, the refusal of
// names two variables would share, the equations of the outputs and the
// steps, the actions, the transitions, and the refusal of conditions that
// read a variable the automaton does not have. The order of the operations
// decides the ids of the BDD nodes, which the node-array writers print.
#include "systeme_equationnel.h"

#include <iostream>
#include <list>
#include <vector>

#include "compil_messages.h"
#include "compil_modes.h"
#include "g_messages.h"

namespace {

// The step records are protected in the model: a class derived from it may
// name them for any grafcet.
struct lecture_etapes : tpen_fichier {
  static std::list<tpen_action> const& actions(tpen_fichier& f, int s) {
    tpen_etape* tpen_fichier::*table = &lecture_etapes::table_etapes;
    return (f.*table)[s].actions;
  }
};

char const* const locales[] = {"_Reset", "_Set", "RE", "FE", "ZX", "RTL"};

std::string nom_locale(int k, std::string const& etape) {
  return k < 2 ? "X" + etape + locales[k] : locales[k] + etape;
}

enum genre { etat, suivant, entree, sortie, locale, precedente };

struct variable_automate {
  genre g;
  variable_nommee v;
};

// Every variable of the automaton in the order of its declaration, and the
// previous values of the boolean inputs, which a condition may read: no
// variable of the automaton may take their names either.
std::vector<variable_automate> variables_automate(tpen_BDD_fichier& f) {
  std::vector<variable_automate> r;
  auto etapes = [&](genre g, auto nom) {
    for (int s = 0; s < f.nbr_etapes(); ++s)
      r.push_back({g, {nom(f.nom_etape(s)), origine_etape(f.nom_etape(s)), true}});
  };
  etapes(etat, [](std::string const& e) { return "X" + e; });
  etapes(suivant, [](std::string const& e) { return "X" + e + "next"; });
  for (int i = 0; i < f.nbr_inputs(); ++i) {
    std::string nom = f.nom_input(i);
    r.push_back({entree, {nom, origine_input(nom), false}});
    if (f.type_input(i) == "bool")
      r.push_back({precedente, {nom + "_pre_", origine_pre(nom), false}});
  }
  for (int j = 0; j < f.nbr_outputs(); ++j)
    r.push_back({sortie, {f.ma_table_outputs()[j].nom(), origine_output(f, j), false}});
  for (int s = 0; s < f.nbr_etapes(); ++s)
    for (int k = 0; k < 6; ++k)
      r.push_back({locale, {nom_locale(k, f.nom_etape(s)), origine_etape(f.nom_etape(s)), true}});
  return r;
}

void verif_noms_automate(std::vector<variable_automate> const& variables) {
  std::vector<variable_nommee> v;
  for (auto const& x : variables) v.push_back(x.v);
  verif_noms_partages(v);
}

b_autom_dec* declaration(std::vector<variable_automate> const& variables) {
  std::list<std::string> noms[precedente];
  for (auto const& x : variables)
    if (x.g != precedente) noms[x.g].push_back(x.v.nom);
  return new b_autom_dec(noms[etat], noms[suivant], noms[entree], noms[sortie], noms[locale]);
}

// What one step's equations are made of.
struct variables_etape {
  bdd X, N, R, S, RE, FE, ZX, RTL;
  long reset;  // index of R; the five other locals follow it
};

class modele {
 public:
  modele(tpen_BDD_fichier& f_, b_automaton* a)
      : f(f_), w(a->wood_associee()), m(a->manager_associe()) {}

  void sorties();
  void etape(int s);
  void transition(int t);
  void verif_variables_declarees(int nbr_declarees);

 private:
  bdd et(bdd const& x, bdd const& y) { return m->Bdd_and(x, y); }
  bdd ou(bdd const& x, bdd const& y) { return m->Bdd_or(x, y); }
  bdd non(bdd const& x) { return m->Bdd_not(x); }
  bdd majorite(variables_etape const& v);
  variables_etape variables(int s);
  void ajoute(Bddexpression* e, bdd const& terme) { e->setBddExp(ou(e->getBddExp(), terme), 0, 0); }
  void actions(int s, variables_etape const& v);

  tpen_BDD_fichier& f;
  Bddexpressionwood* w;
  bddpp_manager* m;
};

void modele::sorties() {
  for (int j = 0; j < f.nbr_outputs(); ++j) {
    std::string o = f.ma_table_outputs()[j].nom();
    new Bddexpression(o, w, m->Bdd_var_by_name(o), m->Bdd_zero(), 0, 0);
  }
}

variables_etape modele::variables(int s) {
  std::string e = f.nom_etape(s);
  variables_etape v;
  v.reset = m->Index_var_by_name("X" + e + "_Reset");
  v.R = m->Bdd_var_by_index(v.reset);
  v.S = m->Bdd_var_by_index(v.reset + 1);
  v.RE = m->Bdd_var_by_index(v.reset + 2);
  v.FE = m->Bdd_var_by_index(v.reset + 3);
  v.ZX = m->Bdd_var_by_index(v.reset + 4);
  v.RTL = m->Bdd_var_by_index(v.reset + 5);
  v.X = m->Bdd_var_by_name("X" + e);
  v.N = m->Bdd_var_by_name("X" + e + "next");
  return v;
}

// X.S + X.!R + !R.S, evaluated from left to right.
bdd modele::majorite(variables_etape const& v) {
  bdd r = et(v.X, v.S);
  r = ou(r, et(v.X, non(v.R)));
  return ou(r, et(non(v.R), v.S));
}

void modele::etape(int s) {
  variables_etape v = variables(s);
  new Bddexpression(w, v.N, majorite(v), 0, 0);
  new Bddexpression(w, v.RTL, ou(v.X, v.S), 0, 0);
  bdd re = et(v.R, v.S);
  new Bddexpression(w, v.RE, ou(re, et(non(v.X), v.S)), 0, 0);
  bdd fe = et(v.X, v.R);
  new Bddexpression(w, v.FE, ou(fe, et(v.R, v.S)), 0, 0);
  new Bddexpression(w, v.ZX, majorite(v), 0, 0);
  new Bddexpression(w, v.R, m->Bdd_zero(), 0, 0);
  new Bddexpression(w, v.S, m->Bdd_zero(), 0, 0);
  actions(s, v);
}

// A pulse action sounds at the activation of its step, a continuous one for
// as long as the step is active after the reaction.
void modele::actions(int s, variables_etape const& v) {
  for (auto const& act : lecture_etapes::actions(f, s)) {
    if (act.ident_output < 0 || act.ident_output >= f.nbr_outputs()) continue;
    Bddexpression* e = w->exp_by_name(f.ma_table_outputs()[act.ident_output].nom());
    int erreur = 0;
    std::string non_lu;
    bdd c = analyse_condition(m, act.condition, erreur, non_lu);
    if (erreur) arrete_sur_message(message_cond_action(f.nom_etape(s), act.condition, non_lu));
    bool impulsion = act.qualificatif >= 2 && act.qualificatif <= 4;
    ajoute(e, et(c, impulsion ? v.RE : v.ZX));
  }
}

// A guarded transition fires only from steps active at the start of the
// reaction; an unguarded one also from steps the reaction activates.
void modele::transition(int t) {
  bddpp_manager* fm = f.man();
  bdd F = fm->Bdd_and(f.bdd_receptivite_transition(t), f.assertion_generale);
  F = Bdd_isomorphe_by_name(m, fm, F);
  std::set<int> pre = f.ens_ident_pre_transition(t);
  for (int p : pre) {
    variables_etape v = variables(p);
    F = et(F, f.transition_gardee(t) ? v.X : v.RTL);
  }
  for (int p : pre) ajoute(w->exp_by_index(variables(p).reset), F);
  for (int q : f.ens_ident_post_transition(t)) ajoute(w->exp_by_index(variables(q).reset + 1), F);
}

// The translation of a condition creates, after the declared variables, the
// names the automaton lacks: such a variable would have no value in any
// target.
void modele::verif_variables_declarees(int nbr_declarees) {
  if (m->nbr_variables() <= nbr_declarees) return;
  arrete_sur_message("ERROR: the variable \"" + m->Name_var_by_index(nbr_declarees) +
                     "\" of a condition has no value in the equational compilation mode !!!"
                     "\n    --> break compilation processing ...");
}

}  // namespace

b_automaton* genere_systeme_equationnel(tpen_BDD_fichier& f, std::ostream& log) {
  if (show_mode) std::cout << "Definition des equations de comportements locaux:" << std::endl;
  if (explain_mode) log << "Definition of equations of local behavior model:" << std::endl;
  std::vector<variable_automate> variables = variables_automate(f);
  verif_noms_automate(variables);
  b_autom_dec* dec = declaration(variables);
  bddpp_manager* m = dec->manager_associe();
  std::vector<int> initiales(m->nbr_variables(), 2);
  for (int s = 0; s < f.nbr_etapes(); ++s)
    initiales[m->Index_var_by_name("X" + f.nom_etape(s))] = f.etape_initiale(s) ? 1 : 0;
  auto* a = new b_automaton(dec, initiales.data(), m->Bdd_one(), m->Bdd_one());
  delete dec;

  int nbr_declarees = m->nbr_variables();
  modele modele(f, a);
  modele.sorties();
  for (int s = 0; s < f.nbr_etapes(); ++s) modele.etape(s);
  for (int t : f.ens_ident_transitions()) modele.transition(t);
  modele.verif_variables_declarees(nbr_declarees);

  if (show_mode) std::cout << "   operation terminee ..." << std::endl;
  if (explain_mode) log << "finding wood:" << std::endl << *a->wood_associee() << std::endl;
  return a;
}
