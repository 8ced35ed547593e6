// Lustre nodes and Vestrane Mealy machines of both automata, and the
// "name = sum of products;" lines of the equations, which the equational
// documentation prints too.
#include <iostream>

#include "b_automaton.h"
#include "ecrivains.h"
#include "noms_cibles.h"

namespace {

// A node without inputs still takes one, so that it has a parameter list
// in both compilation modes.
const char* const parametre_sans_entree = "useless";
const std::string sans_entree = std::string("(") + parametre_sans_entree + " : bool)";

// The next-state functions, an empty line, the emission conditions: one
// indented "name= sum of products;" each, in Lustre and Vestrane alike.
void equations_fba(std::ostream& os, const FBA& a, int method) {
  for (int i = 0; i < a.state_variables_number; ++i)
    os << "  " << fba_nom_etat_suivant(a, i) << "= "
       << sop_en_mots(a.manager, fba_fonction_suivante(a, i), method) << ";" << std::endl;
  os << std::endl;
  for (int j = 0; j < a.actions_number; ++j)
    os << "  " << a.action_names[j] << "= " << sop_en_mots(a.manager, a.emissions[j], method) << ";"
       << std::endl;
}

}  // namespace

void FBA::LUSTRE_put(std::ostream& os, int method) const {
  int n = state_variables_number;
  os << "node " << name;
  if (inputs_number > 0)
    os << "(" << liste_noms(fba_noms_entrees(*this)) << ": bool)";
  else
    os << sans_entree;
  os << std::endl;
  if (actions_number > 0)
    os << "     returns (" << liste_noms(fba_noms_actions(*this)) << ": bool);";
  os << std::endl << std::endl;
  if (n > 0)
    os << "var " << liste_noms(fba_noms_etats(*this)) << ", "
       << liste_noms(fba_noms_etats_suivants(*this)) << " :bool;" << std::endl
       << std::endl;
  os << "let" << std::endl;
  for (int i = 0; i < n; ++i)
    os << "  " << fba_nom_etat(*this, i) << "= " << (variable_initialy_true(i) ? "true" : "false")
       << "-> pre(" << fba_nom_etat_suivant(*this, i) << ");" << std::endl;
  os << std::endl;
  equations_fba(os, *this, method);
  os << std::endl << "tel" << std::endl << std::endl;
}

void FBA::VUNE_put(std::ostream& os, int method) const {
  int n = state_variables_number;
  os << "module " << name << ":" << std::endl;
  if (inputs_number > 0) os << "Input: " << liste_noms(fba_noms_entrees(*this)) << ";" << std::endl;
  if (actions_number > 0)
    os << "Output: " << liste_noms(fba_noms_actions(*this)) << ";" << std::endl;
  os << std::endl << "Mealy Machine" << std::endl << "Register:" << std::endl;
  for (int i = 0; i < n; ++i)
    os << "  " << fba_nom_etat(*this, i) << ": " << (variable_initialy_true(i) ? "1" : "0") << ": "
       << fba_nom_etat_suivant(*this, i) << (i + 1 < n ? "," : ";") << std::endl;
  os << std::endl;
  equations_fba(os, *this, method);
  os << std::endl << "end" << std::endl << std::endl;
}

// The count of locals goes to both standard streams, a trace that users of
// this target have always had.
void b_automaton::LUSTRE_put(std::ostream& os, int method, std::string const& module) {
  int n = names.nb_state_vars;
  os << "node " << module;
  if (names.nb_inputs == 0)
    os << sans_entree;
  else
    os << "(" << liste_noms(noms_table(names.input_names, names.nb_inputs)) << ": bool)";
  os << std::endl;
  if (names.nb_outputs > 0)
    os << "     returns (" << liste_noms(noms_table(names.output_names, names.nb_outputs))
       << ": bool);";
  os << std::endl << std::endl;
  std::cerr << "nb_var locale detecte: " << names.nb_locals << std::endl;
  std::cout << "nb_var locale detecte: " << names.nb_locals << std::endl;
  std::vector<std::string> variables = noms_table(names.local_names, names.nb_locals);
  for (int i = 0; i < n; ++i) variables.push_back(names.state_names[i]);
  for (int i = 0; i < n; ++i) variables.push_back(names.next_state_names[i]);
  if (!variables.empty()) os << "var " << liste_noms(variables) << ": bool;";
  os << std::endl;
  os << "let" << std::endl;
  for (int i = 0; i < n; ++i)
    os << "  " << names.state_names[i] << "= " << (initial_values[i] == 1 ? "true" : "false")
       << "-> pre(" << names.next_state_names[i] << ");" << std::endl;
  os << std::endl;
  if (wood->exp_number() > 0) {
    os << "  /* internal definitions */" << std::endl;
    wood->Put_basic_doc(os, method);
    os << std::endl;
  }
  os << "tel" << std::endl << std::endl;
}

void b_automaton::VUNE_put(std::ostream& os, int method, std::string const& module) {
  int n = names.nb_state_vars;
  os << "module " << module << ":" << std::endl;
  if (names.nb_inputs > 0)
    os << "Input: " << liste_noms(noms_table(names.input_names, names.nb_inputs)) << ";"
       << std::endl;
  if (names.nb_outputs > 0)
    os << "Output: " << liste_noms(noms_table(names.output_names, names.nb_outputs)) << ";"
       << std::endl;
  os << std::endl;
  if (names.nb_locals > 0)
    os << "local " << liste_noms(noms_table(names.local_names, names.nb_locals)) << std::endl
       << "{" << std::endl;
  else
    os << std::endl;
  os << "Mealy Machine" << std::endl << std::endl;
  if (n > 0) {
    os << "Register: " << std::endl;
    for (int i = 0; i < n; ++i)
      os << names.state_names[i] << " : " << (initial_values[i] == 1 ? "1" : "0") << " : "
         << names.next_state_names[i] << (i + 1 < n ? "," : ";") << std::endl;
    os << std::endl;
  }
  if (wood->exp_number() > 0) {
    wood->Put_basic_doc(os, method);
    os << std::endl;
  }
  if (names.nb_locals > 0) os << "}" << std::endl;
  os << "end" << std::endl << std::endl;
}

void Bddexpressionwood::Put_basic_doc(std::ostream& os, int method) const {
  for (long i : earliest_sort()) {
    exp_table[i]->put_basic_doc(os, method);
    os << ";" << std::endl;
  }
}

void Bddexpression::put_basic_doc(std::ostream& os, int method) const {
  if (!equation_ecrivable(*this)) return;
  bddpp_manager* m = wood->Manager();
  os << m->Name_var_by_bdd(var) << " = " << sop_en_mots(m, exp, method);
}

// The variables of a node or a Mealy machine live apart from the name of
// the node or the module.
std::string verif_noms_lustre(const noms_automate& a) {
  std::vector<nom_ecrit> n = noms_variables(a);
  if (a.entrees.empty())
    n.push_back({parametre_sans_entree, "the parameter of a node without inputs"});
  return verif_noms_fichier(langage_lustre, "Lustre", {{a.module, origine_module(a.module)}}, n);
}

std::string verif_noms_vestrane(const noms_automate& a) {
  return verif_noms_fichier(langage_vestrane, "Vestrane", {{a.module, origine_module(a.module)}},
                            noms_variables(a));
}
