// The text dump of a boolean automaton for the log: its variables, the
// initial values, the equations in index order, the assertion and the
// invariant.
#include <iostream>

#include "b_automaton.h"

static void put_names(std::ostream& os, char const* title, std::string const* names, int count) {
  if (count <= 0) return;
  os << title;
  for (int i = 0; i < count; ++i) os << (i ? ", " : "") << names[i];
  os << ";" << std::endl << std::endl;
}

std::string b_automaton::name_of(bdd const& var) {
  return wood->Manager()->Print_sop_to_String(" or ", " and ", " not ", "", var, 2);
}

std::ostream& operator<<(std::ostream& os, b_automaton& a) {
  b_autom_names const& v = a.names;
  int n = v.nb_state_vars;
  if (n > 0) {
    os << "state ";
    for (int i = 0; i < n; ++i)
      os << (i ? ", " : "") << v.state_names[i] << ":" << v.next_state_names[i] << ":"
         << a.initial_values[i];
    os << ";" << std::endl << std::endl;
  }
  put_names(os, "inputs ", v.input_names, v.nb_inputs);
  put_names(os, "outputs ", v.output_names, v.nb_outputs);
  put_names(os, "locals ", v.local_names, v.nb_locals);
  Bddexpressionwood* w = a.wood;
  os << "initial " << std::endl;
  // The first equations in index order are those of the next states.
  for (int i = 0; i < n && i < w->exp_number(); ++i)
    os << a.name_of(w->exp(i)->getBddVar()) << "' = " << a.initial_values[i] << std::endl;
  os << std::endl;
  if (w->exp_number() > 0) {
    os << "definitions" << std::endl;
    for (int i = 0; i < w->exp_number(); ++i) {
      Bddexpression* e = w->exp(i);
      os << a.name_of(e->getBddVar()) << " = ";
      a.putbdd(e->getBddExp(), os, 2);
      os << ";" << std::endl;
    }
    os << std::endl;
  }
  auto put_condition = [&](char const* title, bdd const& f) {
    if (f.node()) os << title << a.name_of(f) << ";" << std::endl << std::endl;
  };
  put_condition("assertion ", a.assertion);
  put_condition("invariant ", a.invariant);
  return os;
}
