// The boolean automaton of the equational mode: named state, next-state,
// input, output and local variables, the initial values of the states, and
// the equation forest that defines every variable but the states.
#ifndef TARVEK_B_AUTOMATON_H
#define TARVEK_B_AUTOMATON_H

#include <list>
#include <ostream>
#include <set>
#include <string>
#include <vector>

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
  void append_locals(std::list<std::string> const& more);
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

  // Further declarations and look-ups.
  void add_ident(std::string const& name);  // a new local, unless the name is taken
  long ident_associe(bdd const& v);
  long ident_associe(std::string const& name);
  bdd bdd_ident_associe(std::string const& name);
  std::string nom_ident_associe(bdd const& v);

 private:
  friend class b_automaton;
  template <typename C>
  void build(std::list<std::string>& states, std::list<std::string>& next_states, C& inputs,
             C& outputs, C& locals, char const* form);
  void declare();

  b_autom_names names;
  Bddexpressionwood* wood;
};

// One wire of a synchronous product: output from_output of component
// from_automaton drives input to_input of component to_automaton; all four
// are 0-based positions, -1 when not set.
class b_automaton_connector {
 public:
  b_automaton_connector() : from_automaton(-1), from_output(-1), to_automaton(-1), to_input(-1) {}
  b_automaton_connector(int from_a, int from_o, int to_a, int to_i)
      : from_automaton(from_a), from_output(from_o), to_automaton(to_a), to_input(to_i) {}

  int from_automaton;
  int from_output;
  int to_automaton;
  int to_input;
};

std::ostream& operator<<(std::ostream& os, b_automaton_connector const& c);

class b_automaton {
 public:
  // The initial values are copied (n entries): 1 true, 0 false, any other
  // value undetermined.
  b_automaton(b_autom_dec* declaration, int* initial, bdd assertion, bdd invariant);
  ~b_automaton();
  b_automaton(b_automaton const&) = delete;
  b_automaton& operator=(b_automaton const&) = delete;

  // The synchronous product of nb automata under the given instance names,
  // with outputs wired to inputs by the connectors; inputs and outputs that
  // no wire touches are shared by name. The arguments are only read.
  b_automaton(int nb, b_automaton** components, std::string* instances, int nbc,
              b_automaton_connector* connectors);
  // f of this automaton's manager over target's variables: index i becomes
  // map[i].
  bdd bdd_isomorphe(bddpp_manager* target, bdd const& f, int* map);

  // Further look-ups and small operations; positions are 0-based.
  void set_common_bdd_manager(int c);
  long ident_associe(bdd const& v);
  long ident_associe(std::string const& name);
  bdd bdd_ident_associe(std::string const& name);
  std::string nom_ident_associe(bdd const& v);
  bdd bdd_exp_ident_associe(std::string const& name);  // empty without equation
  std::string nom_associe(long i);
  std::string bddtoString(bdd const& f, int method);
  int nb_state_vars() const { return names.nb_state_vars; }
  int nb_inputs() const { return names.nb_inputs; }
  int nb_outputs() const { return names.nb_outputs; }
  int nb_locals() const { return names.nb_locals; }
  int nb_equ_def();
  Bddexpression* equ_def(int i);
  std::string nom_state_var(int i);
  std::string nom_next_state_var(int i);
  std::string nom_input(int i);
  std::string nom_output(int i);
  std::string nom_local(int i);
  void change_nom_input(int i, std::string const& name);
  void change_nom_output(int i, std::string const& name);
  int num_input(std::string const& name);
  int num_output(std::string const& name);
  int num_local(std::string const& name);
  void reverse_output(int i);
  void change_assertion(std::string const& text);
  bdd bdd_etat_init();
  // values needs an entry per variable of the forest.
  long etat_init(int* values);
  int valeur_initiale_state_var(int i);
  int verifie_assertion(int* values);
  static void export_awaited_inputs();
  std::list<std::string> identify_undef_variables();
  std::list<std::string> state_vars_list();
  std::list<std::string> next_state_vars_list();
  std::list<std::string> inputs_list();
  std::list<std::string> outputs_list();
  std::list<std::string> locals_list();

  // Every input quantified away from every equation.
  void forget_exist_inputs();
  void forget_forall_inputs();

  // The equations that no output depends on are reported and forgotten;
  // the use marks returned (one per variable) belong to the caller.
  int* useless_clean();
  // The dates afresh; the looped equations.
  std::list<long> sort();

  // One reaction computed from the equations. Symbolically: the next
  // situation as a cube over the state variables, the outputs as a cube.
  bdd evaluation_etat_suivant(bdd& situation, int unused, bdd* outputs);
  // Three-valued (0, 1, 2 undetermined), one value per manager variable:
  // 1 when every equation was decided, next then holding the next state in
  // place of the state.
  int evaluation_etat_suivant(int* values, int verbose, int* next);
  // The input cases that decide the reaction from the situation, pairwise
  // disjoint and covering everything: the containers receive one entry per
  // case, and the count is returned.
  int evaluation_etats_suivants(bdd& situation, std::vector<bdd>& conditions,
                                std::vector<bdd>& next_situations, std::vector<bdd>& outputs);
  // The conditions under which the equations upstream of the variable of
  // that index are decided, traced on the standard error stream.
  std::list<bdd> sensibilite_entrees(bdd situation, long index);
  std::list<bdd> old_sensibilite_entrees(bdd situation);

  // Breaks the combinational loops on the inputs and appends the variables
  // it creates to the locals; 0 when a loop is left that no input cuts.
  int make_sortable(int show, int explain, std::ostream& log);
  void BRIMOT_put(std::ostream& os, int method, std::string const& module);

  // The target writers, defined with the writers of each target: the int
  // is the cover method (VHDL: the Altera switch), the module name the
  // grafcet's.
  void ESTEREL_put(std::ostream& os, int method, std::string const& module);
  void LUSTRE_put(std::ostream& os, int method, std::string const& module);
  void VUNE_put(std::ostream& os, int method, std::string const& module);
  void BLIF_put(std::ostream& os, int method, std::string const& module);
  void C_put(std::ostream& c, std::ostream& h, int method, std::string const& module);
  void INO_put_grafcet(std::ostream& os, int method, std::string const& module,
                       std::list<std::string> const& event_outputs);
  void VHDL_put(std::ostream& os, int altera, std::string const& module);
  void DOC_put(std::ostream& os, int method, std::string const& module);
  // Written by no compilation; the int of CSHARP_put is not used.
  void CSHARP_put(std::ostream& os, int method, std::string const& module);
  void SYSTEMC_put(std::ostream& cc, std::ostream& h, int method, std::string const& module);
  void LATEX_put(std::ostream& os, int method, std::string const& module);
  // BLIF of the variables whose entry of the mask (by variable index) is 1,
  // every one for a null mask; every output stays declared. The int is not
  // used.
  void BLIF_restrict_put(std::ostream& os, int, std::string const& module, int* mask);

  bddpp_manager* manager_associe();
  Bddexpressionwood* wood_associee();
  void putbdd(bdd const& f, std::ostream& os, int method);

  friend std::ostream& operator<<(std::ostream& os, b_automaton& a);

 private:
  void keep_outputs_registers_equations();
  std::string name_of(bdd const& var);
  std::string const& name_at(std::string const* names, int count, int i, char const* who);
  void rename_at(std::string* names, int count, int i, std::string const& name, char const* who);
  void reset_dates();
  std::string loop_text(std::list<long> const& loop,
                        std::list<std::pair<long, int>> const& values);
  bdd next_state_cube(Bddexpressionwood& w);
  bdd output_cube(Bddexpressionwood& w);
  using index_maps = std::vector<std::vector<int>>;
  void product_equations(int nb, b_automaton** components, index_maps& maps);
  void product_wires(int nbc, b_automaton_connector* wires, b_automaton** components,
                     index_maps& maps);
  void product_conditions(int nb, b_automaton** components, index_maps& maps);

  b_autom_names names;  // nb_locals grows with the loop-cut variables
  int nb_level;
  Bddexpressionwood* wood;
  int* initial_values;
  bdd assertion;
  bdd invariant;
};

// The product of a and b (a first), every input of one wired to the output
// of the other that bears its name; null when either is null.
b_automaton* merge(b_automaton* a, b_automaton* b);
// An automaton without registers whose output "equiv" holds when every
// output name common to both lists has equal values on its two inputs;
// count and wires receive the wires of a product of the two automata
// and the observer (the caller owns the array).
b_automaton* equiv_observer(std::list<std::string>& o1, std::list<std::string>& o2, int* count,
                            b_automaton_connector** wires);
// The product of a, b and their observer.
b_automaton* observateur_equivalence(b_automaton* a, b_automaton* b);
// Marks, depth first, every variable the variable of that index depends on;
// 1 when it marked one.
int internal_use_detection(Bddexpressionwood* w, int* marks, int index);

#endif
