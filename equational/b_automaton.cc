// The declaration of an automaton's variables, the automaton made from it,
// and the breaking of its combinational loops on its inputs.
#include "b_automaton.h"

#include <cstdlib>
#include <iostream>

#include "listpp.h"

b_autom_dec::b_autom_dec(std::list<std::string>& states, std::list<std::string>& next_states,
                         std::list<std::string>& inputs, std::list<std::string>& outputs,
                         std::list<std::string>& locals) {
  build(states, next_states, inputs, outputs, locals, "lists");
}

b_autom_dec::b_autom_dec(std::list<std::string>& states, std::list<std::string>& next_states,
                         std::set<std::string>& inputs, std::set<std::string>& outputs,
                         std::set<std::string>& locals) {
  build(states, next_states, inputs, outputs, locals, "sets");
}

template <typename C>
void b_autom_dec::build(std::list<std::string>& states, std::list<std::string>& next_states,
                        C& inputs, C& outputs, C& locals, char const* form) {
  if (next_states.size() != states.size()) {
    std::cerr << "Parameters error in b_autom_dec::b_autom_dec(" << form << ")" << std::endl;
    exit(1);
  }
  names.state_names = array_convert(states);
  names.next_state_names = array_convert(next_states);
  names.input_names = array_convert(inputs);
  names.output_names = array_convert(outputs);
  names.local_names = array_convert(locals);
  names.nb_state_vars = static_cast<int>(states.size());
  names.nb_inputs = static_cast<int>(inputs.size());
  names.nb_outputs = static_cast<int>(outputs.size());
  names.nb_locals = static_cast<int>(locals.size());
  declare();
}

// The order of creation is the index layout of the automaton.
void b_autom_dec::declare() {
  wood = new Bddexpressionwood(new bddpp_manager);
  auto create = [this](std::string const* list, int count) {
    for (int i = 0; i < count; ++i) wood->New_var_last(list[i]);
  };
  create(names.state_names, names.nb_state_vars);
  if (names.nb_state_vars > 0) create(names.next_state_names, names.nb_state_vars);
  create(names.input_names, names.nb_inputs);
  create(names.output_names, names.nb_outputs);
  create(names.local_names, names.nb_locals);
}

void b_autom_names::release() {
  for (std::string** a :
       {&state_names, &next_state_names, &input_names, &output_names, &local_names}) {
    delete[] * a;
    *a = nullptr;
  }
}

// What the automaton has not taken over goes with the declaration.
b_autom_dec::~b_autom_dec() {
  names.release();
  delete wood;
}

bddpp_manager* b_autom_dec::manager_associe() { return wood->Manager(); }
Bddexpressionwood* b_autom_dec::wood_associee() { return wood; }

b_automaton::b_automaton(b_autom_dec* d, int* initial, bdd assertion_, bdd invariant_)
    : names(d->names),
      nb_level(0),
      wood(d->wood),
      initial_values(new int[d->names.nb_state_vars]),
      assertion(assertion_),
      invariant(invariant_) {
  d->names = b_autom_names();
  d->wood = nullptr;
  for (int i = 0; i < names.nb_state_vars; ++i) initial_values[i] = initial[i];
  keep_outputs_registers_equations();
}

// The handles go before the manager that holds their nodes.
b_automaton::~b_automaton() {
  names.release();
  delete[] initial_values;
  assertion = bdd();
  invariant = bdd();
  if (wood) wood->common_bdd_manager = 0;
  delete wood;
}

void b_automaton::keep_outputs_registers_equations() {
  int n = names.nb_state_vars;
  auto mark = [this](long i) {
    if (Bddexpression* e = wood->exp_by_index(i)) e->setUserType(1);
  };
  for (int i = 0; i < n; ++i) mark(n + i);
  for (int j = 0; j < names.nb_outputs; ++j) mark(2 * n + names.nb_inputs + j);
}

void b_autom_names::append_locals(std::list<std::string> const& more) {
  auto* all = new std::string[nb_locals + more.size()];
  for (int i = 0; i < nb_locals; ++i) all[i] = local_names[i];
  for (auto const& m : more) all[nb_locals++] = m;
  delete[] local_names;
  local_names = all;
}

// The early and late date of every equation back to 0, and the level count
// with them, so that the dates are computed afresh.
void b_automaton::reset_dates() {
  for (long i : wood->Exp_ids()) {
    Bddexpression* e = wood->exp_table[i];
    e->setEarlyDate(0);
    e->setLateDate(0);
  }
  wood->update_nb_level(0);
}

// "loop that no input value cuts, under a=1 b=0: RTL1 -> X2_Set -> RTL2 ->
// X1_Set -> RTL1", each variable read by the next: what a user needs to find
// the transitions to guard.
std::string b_automaton::loop_text(std::list<long> const& loop,
                                   std::list<std::pair<long, int>> const& values) {
  bddpp_manager* m = wood->Manager();
  std::string text = "loop that no input value cuts";
  if (!values.empty()) text += ", under";
  for (auto const& [v, value] : values)
    text += " " + m->Name_var_by_index(v) + "=" + std::to_string(value);
  text += ":";
  for (long v : loop) text += " " + m->Name_var_by_index(v) + " ->";
  return text + " " + m->Name_var_by_index(loop.front());
}

int b_automaton::make_sortable(int show, int explain, std::ostream& log) {
  if (show) std::cout << "call make_sortable process " << std::endl;
  int n = names.nb_state_vars;
  std::set<long> candidates;
  for (long i = 2 * n; i < 2 * n + names.nb_inputs; ++i) candidates.insert(i);
  reset_dates();
  // A loop that the breaking could only give up on is refused before its
  // rounds, which would double the looped equations once per input read.
  std::list<std::pair<long, int>> values;
  std::list<long> loop = wood->unbreakable_loop(candidates, values);
  int ok = 0;
  std::set<long> created;
  if (loop.empty()) created = wood->loop_breaking(candidates, ok);
  std::list<std::string> cut;
  for (long v : created) cut.push_back(wood->Manager()->Name_var_by_index(v));
  names.append_locals(cut);
  // Every writer walks the equations in this order: one left out would be
  // missing from every target file.
  long outside = ok ? wood->exp_outside_sort() : -1;
  if (outside >= 0) {
    std::cerr << "INTERNAL ERROR in b_automaton::make_sortable(): the equation of "
              << wood->Manager()->Name_var_by_index(outside) << " is out of the sorted levels"
              << std::endl;
    exit(1);
  }
  if (show) std::cout << "   terminated ..." << std::endl;
  if (explain && !loop.empty())
    log << loop_text(loop, values) << std::endl;
  else if (explain)
    log << "sorted and expanded wood:" << std::endl << *wood << std::endl;
  return ok;
}

void b_automaton::BRIMOT_put(std::ostream&, int, std::string const&) {
  std::cerr << "to do !" << std::endl;
}

bddpp_manager* b_automaton::manager_associe() { return wood->Manager(); }
Bddexpressionwood* b_automaton::wood_associee() { return wood; }

void b_automaton::putbdd(bdd const& f, std::ostream& os, int method) {
  wood->Manager()->Print_sop(" or ", " and ", "not ", "", os, f, method);
  os.flush();
}
