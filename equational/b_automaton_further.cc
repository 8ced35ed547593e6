// The further operations of the declaration and of the automaton: look-ups
// of variables by name and by function, the names by kind and position, the
// initial situation, the assertion, and the forgetting of the inputs.
#include <iostream>

#include "b_automaton.h"
#include "listpp.h"

void b_autom_dec::add_ident(std::string const& name) {
  if (wood->Manager()->Index_var_by_name(name) >= 0) return;
  names.append_locals({name});
  wood->New_var_last(name);
}

long b_autom_dec::ident_associe(bdd const& v) { return wood->Manager()->Index_var_by_bdd(v); }
long b_autom_dec::ident_associe(std::string const& name) {
  return wood->Manager()->Index_var_by_name(name);
}
bdd b_autom_dec::bdd_ident_associe(std::string const& name) {
  return wood->Manager()->Bdd_var_by_name(name);
}
std::string b_autom_dec::nom_ident_associe(bdd const& v) {
  return wood->Manager()->Name_var_by_bdd(v);
}

void b_automaton::set_common_bdd_manager(int c) {
  if (wood) wood->common_bdd_manager = c;
}

long b_automaton::ident_associe(bdd const& v) { return manager_associe()->Index_var_by_bdd(v); }
long b_automaton::ident_associe(std::string const& name) {
  return manager_associe()->Index_var_by_name(name);
}
bdd b_automaton::bdd_ident_associe(std::string const& name) {
  return manager_associe()->Bdd_var_by_name(name);
}
std::string b_automaton::nom_ident_associe(bdd const& v) {
  return manager_associe()->Name_var_by_bdd(v);
}

bdd b_automaton::bdd_exp_ident_associe(std::string const& name) {
  long i = ident_associe(name);
  Bddexpression* e = i >= 0 && i < wood->Nb_bdd_vars() ? wood->exp_by_index(i) : nullptr;
  return e ? e->getBddExp() : bdd();
}

std::string b_automaton::nom_associe(long i) { return manager_associe()->Name_var_by_index(i); }

std::string b_automaton::bddtoString(bdd const& f, int method) {
  return manager_associe()->Print_sop_to_String(" or ", " and ", " not ", "", f, method);
}

int b_automaton::nb_equ_def() { return wood ? wood->exp_number() : 0; }
Bddexpression* b_automaton::equ_def(int i) { return wood->exp(i); }

std::string const& b_automaton::name_at(std::string const* list, int count, int i,
                                        char const* who) {
  static const std::string unknown = "?";
  if (i >= 0 && i < count) return list[i];
  std::cerr << "dans b_automaton::" << who << "() : indice hors limite !" << std::endl;
  return unknown;
}

std::string b_automaton::nom_state_var(int i) {
  return name_at(names.state_names, names.nb_state_vars, i, "nom_state_var");
}
std::string b_automaton::nom_next_state_var(int i) {
  return name_at(names.next_state_names, names.nb_state_vars, i, "nom_next_state_var");
}
std::string b_automaton::nom_input(int i) {
  return name_at(names.input_names, names.nb_inputs, i, "nom_input");
}
std::string b_automaton::nom_output(int i) {
  return name_at(names.output_names, names.nb_outputs, i, "nom_output");
}
std::string b_automaton::nom_local(int i) {
  return name_at(names.local_names, names.nb_locals, i, "nom_local");
}

// The manager's variable keeps its own name.
void b_automaton::rename_at(std::string* list, int count, int i, std::string const& name,
                            char const* who) {
  if (i >= 0 && i < count) {
    list[i] = name;
    return;
  }
  std::cerr << "dans b_automaton::" << who << "() : indice hors limite !" << std::endl;
}

void b_automaton::change_nom_input(int i, std::string const& name) {
  rename_at(names.input_names, names.nb_inputs, i, name, "change_nom_input");
}
void b_automaton::change_nom_output(int i, std::string const& name) {
  rename_at(names.output_names, names.nb_outputs, i, name, "change_nom_output");
}

static int position(std::string const* list, int count, std::string const& name) {
  for (int i = 0; i < count; ++i)
    if (list[i] == name) return i;
  return -1;
}

int b_automaton::num_input(std::string const& name) {
  return position(names.input_names, names.nb_inputs, name);
}
int b_automaton::num_output(std::string const& name) {
  return position(names.output_names, names.nb_outputs, name);
}
int b_automaton::num_local(std::string const& name) {
  return position(names.local_names, names.nb_locals, name);
}

void b_automaton::reverse_output(int i) {
  if (i < 0 || i >= names.nb_outputs) return;
  wood->append_not_expression(2L * names.nb_state_vars + names.nb_inputs + i);
}

void b_automaton::change_assertion(std::string const& text) {
  int error = 0;
  assertion = manager_associe()->Parse_expression(text, &error);
  if (!error) return;
  std::cerr << "Error in parsing assertion ..." << std::endl;
  assertion = manager_associe()->Bdd_one();
}

bdd b_automaton::bdd_etat_init() {
  bddpp_manager* m = manager_associe();
  bdd r = m->Bdd_one();
  for (int i = 0; i < names.nb_state_vars; ++i) {
    bdd x = m->Bdd_var_by_index(i);
    r = m->Bdd_and(r, initial_values[i] == 1 ? x : m->Bdd_not(x));
  }
  return r;
}

long b_automaton::etat_init(int* values) {
  long n = wood->Nb_bdd_vars();
  for (long i = 0; i < n; ++i) values[i] = i < names.nb_state_vars ? initial_values[i] : 2;
  return n;
}

int b_automaton::valeur_initiale_state_var(int i) {
  if (i >= 0 && i < names.nb_state_vars) return initial_values[i];
  std::cerr << "Warning: call of b_automaton::valeur_initiale_state_var() with an id out of range "
               "..."
            << std::endl;
  return 2;
}

// Without assertion nothing is assumed: it holds.
int b_automaton::verifie_assertion(int* values) {
  if (!assertion.node()) return 1;
  return manager_associe()->Bdd_eval_for_literal(assertion, values);
}

void b_automaton::export_awaited_inputs() { std::cerr << "A REVOIR ..." << std::endl; }

std::list<std::string> b_automaton::identify_undef_variables() {
  std::list<std::string> r;
  long n = names.nb_state_vars;
  auto undefined = [&](long i) {
    if (!wood->exp_by_index(i)) r.push_back(nom_associe(i));
  };
  for (long i = n; i < 2 * n; ++i) undefined(i);
  for (long i = 2 * n + names.nb_inputs; i < wood->Nb_bdd_vars(); ++i) undefined(i);
  return r;
}

static std::list<std::string> as_list(std::string const* list, int count) {
  return std::list<std::string>(list, list + count);
}

std::list<std::string> b_automaton::state_vars_list() {
  return as_list(names.state_names, names.nb_state_vars);
}
std::list<std::string> b_automaton::next_state_vars_list() {
  return as_list(names.next_state_names, names.nb_state_vars);
}
std::list<std::string> b_automaton::inputs_list() {
  return as_list(names.input_names, names.nb_inputs);
}
std::list<std::string> b_automaton::outputs_list() {
  return as_list(names.output_names, names.nb_outputs);
}
std::list<std::string> b_automaton::locals_list() {
  return as_list(names.local_names, names.nb_locals);
}

void b_automaton::forget_exist_inputs() {
  long first = 2L * names.nb_state_vars;
  for (long i = first; i < first + names.nb_inputs; ++i)
    wood->reduce_expressions_when_var_forgotten_by_exist_op(i);
}

void b_automaton::forget_forall_inputs() {
  long first = 2L * names.nb_state_vars;
  for (long i = first; i < first + names.nb_inputs; ++i)
    wood->reduce_expressions_when_var_forgotten_by_forall_op(i);
}
