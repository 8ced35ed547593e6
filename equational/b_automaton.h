// The boolean automaton of the equational mode: named state, next-state,
// input, output and local variables, the initial values of the states, and
// the equation forest that defines every variable but the states.
#ifndef TARVEK_B_AUTOMATON_H
#define TARVEK_B_AUTOMATON_H

#include <list>
#include <ostream>
#include <set>
#include <string>

#include "Bddexpression.h"
#include "bddpp.h"

// The names of an automaton's variables by kind, with their counts; the
// arrays belong to whoever holds the record.
struct b_autom_names {
  std::string* state_names = nullptr;
  std::string* next_state_names = nullptr;
  std::string* input_names = nullptr;
  std::string* output_names = nullptr;
  std::string* local_names = nullptr;
  int nb_state_vars = 0;
  int nb_inputs = 0;
  int nb_outputs = 0;
  int nb_locals = 0;

  void release();
};

// The declaration of an automaton's variables in a new manager and forest,
// in the layout that every equational stage and writer relies on, with n
// states, ni inputs, no outputs:
//   0 .. n-1             states
//   n .. 2n-1            next states (next state of state i at n + i)
//   2n .. 2n+ni-1        inputs
//   2n+ni .. 2n+ni+no-1  outputs
//   from 2n+ni+no        locals, then every variable created later.
// Its arrays and forest go over to the automaton made from it.
class b_autom_dec {
 public:
  b_autom_dec(std::list<std::string>& states, std::list<std::string>& next_states,
              std::list<std::string>& inputs, std::list<std::string>& outputs,
              std::list<std::string>& locals);
  b_autom_dec(std::list<std::string>& states, std::list<std::string>& next_states,
              std::set<std::string>& inputs, std::set<std::string>& outputs,
              std::set<std::string>& locals);
  ~b_autom_dec();
  b_autom_dec(b_autom_dec const&) = delete;
  b_autom_dec& operator=(b_autom_dec const&) = delete;

  bddpp_manager* manager_associe();
  Bddexpressionwood* wood_associee();

 private:
  friend class b_automaton;
  template <typename C>
  void build(std::list<std::string>& states, std::list<std::string>& next_states, C& inputs,
             C& outputs, C& locals, char const* form);
  void declare();

  b_autom_names names;
  Bddexpressionwood* wood;
};

class b_automaton {
 public:
  // The initial values are copied (n entries): 1 true, 0 false, any other
  // value undetermined.
  b_automaton(b_autom_dec* declaration, int* initial, bdd assertion, bdd invariant);
  ~b_automaton();
  b_automaton(b_automaton const&) = delete;
  b_automaton& operator=(b_automaton const&) = delete;

  // Breaks the combinational loops on the inputs and appends the variables
  // it creates to the locals; 0 when a loop is left that no input cuts.
  int make_sortable(int show, int explain, std::ostream& log);
  void BRIMOT_put(std::ostream& os, int method, std::string const& module);
  bddpp_manager* manager_associe();
  Bddexpressionwood* wood_associee();
  void putbdd(bdd const& f, std::ostream& os, int method);

  friend std::ostream& operator<<(std::ostream& os, b_automaton& a);

 private:
  void keep_outputs_registers_equations();
  std::string name_of(bdd const& var);

  b_autom_names names;  // nb_locals grows with the loop-cut variables
  int nb_level;
  Bddexpressionwood* wood;
  int* initial_values;
  bdd assertion;
  bdd invariant;
};

#endif
