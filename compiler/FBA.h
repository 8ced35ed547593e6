// The symbolic automaton of the default compilation, which the target
// writers read: one state variable per step, the inputs, and per state
// variable the conditions that force its next value to 1 and to 0, per
// action the condition of its emission. It owns its own BDD manager.
#ifndef TARVEK_FBA_H
#define TARVEK_FBA_H

#include <list>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "bddpp.h"

// An int underneath: a value outside the four kinds is printed as nothing.
enum FSM_type_input : int { FSM_undefined = 0, FSM_pure = 1, FSM_bool = 2, FSM_integer = 3 };

class FSM_input {
 public:
  FSM_input(FSM_type_input type = FSM_undefined, const std::string& name = "");
  FSM_input(const FSM_input& i);
  FSM_input& operator=(const FSM_input& i);

  std::string my_name() const;
  FSM_type_input my_type() const;

  FSM_type_input type;
  std::string name;  // also the name of its BDD variable
};

bool operator==(const FSM_input& a, const FSM_input& b);
bool operator!=(const FSM_input& a, const FSM_input& b);
std::ostream& operator<<(std::ostream& os, const FSM_input& i);

class FBA;

// One reaction handed to an automaton, its conditions already in the
// automaton's manager. A value: copies share nothing.
class FBA_transition {
 public:
  FBA_transition();
  FBA_transition(const FBA* owner, std::set<int> initial, std::set<int> final, bdd* cond_actions,
                 bdd cond);
  FBA_transition(const FBA_transition& t);
  FBA_transition& operator=(const FBA_transition& t);
  ~FBA_transition();

  const FBA* owner;
  std::set<int> initial;  // state variables at 1 before the reaction
  std::set<int> final;    // and after it
  bdd* cond_actions;      // one per action of the owner
  bdd cond;               // the input condition
};

// A record without owner holds no action conditions: it copies, compares
// and prints as such.
bool operator==(const FBA_transition& a, const FBA_transition& b);
bool operator!=(const FBA_transition& a, const FBA_transition& b);
std::ostream& operator<<(std::ostream& os, const FBA_transition& t);

// A reaction whose situations are codes: bit i (bit 0 the lowest) is the
// value of state variable i, a negative code is no situation. Bits beyond
// those of an int read as 0, so a code describes at most 31 state
// variables. A value, like FBA_transition, with the same ownerless form.
class FBA_real_transition {
 public:
  FBA_real_transition();
  FBA_real_transition(FBA* owner, int initial, int final, bdd* cond_actions, bdd cond);
  FBA_real_transition(const FBA_real_transition& r);
  FBA_real_transition& operator=(const FBA_real_transition& r);
  ~FBA_real_transition();

  FBA* owner;
  int initial;
  int final;
  bdd* cond_actions;  // one per action of the owner; null without owner
  bdd cond;
};

bool operator==(const FBA_real_transition& a, const FBA_real_transition& b);
bool operator!=(const FBA_real_transition& a, const FBA_real_transition& b);
std::ostream& operator<<(std::ostream& os, const FBA_real_transition& r);

// Variable indexes of the manager, which every writer relies on: state
// variable i ("X" + step name) is i, its next value ("X" + step name +
// "next") n + i, input j is 2n + j; no other variable is ever created.
//
// The fields are read by the writers and the tests; only the add_
// operations change the conditions, and only by OR.
class FBA {
 public:
  FBA(std::string name, std::set<int>& initial, const std::list<FSM_input>& inputs,
      const std::list<std::string>& actions, const std::list<std::string>& states);
  FBA(const FBA&) = delete;
  FBA& operator=(const FBA&) = delete;
  ~FBA();

  void add_evolution(FBA_transition t);
  // The same functions as add_evolution of each in turn, with far fewer
  // nodes made: the reactions that leave one situation are or-ed together
  // before they reach the automaton's conditions. The manager's creation
  // counter, which the log shows, is that of this way and not of the other.
  void add_evolutions(const std::vector<FBA_transition>& ts);
  // A continuous action of step v: emitted whenever v is active next.
  void add_post_evolution(int v, int a, bdd c);

  // Operations that no compilation calls. The evolutions trust their
  // arguments: a record of this automaton, positions within its tables.
  void add_evolution(FBA_real_transition r);
  // Inputs by position in the input table; works for any number of state
  // variables.
  void add_evolution(std::set<int>& source, std::set<int>& target, std::set<int> actions,
                     std::set<int> true_inputs, std::set<int> false_inputs);
  // Action a emitted under c when the next situation is the one of code.
  void add_Moore_action(int code, int a, bdd c);
  // By position: "?" and a line on the standard error stream outside the
  // table.
  int get_state_variables_number() const;
  std::string get_variable(int i) const;
  bool variable_initialy_false(int i) const;
  std::string get_action(int j) const;
  int get_inputs_number() const;
  std::string get_input(int j) const;
  int get_bdd_termes_number() const;
  // The text of the log: a sum of products.
  std::string my_bddtoa(bdd b) const;
  bdd termetobdd(const std::string& name) const;
  // Every variable name in index order; the caller owns the array.
  std::string* my_table_bdd_nom_termes() const;

  bddpp_manager* get_manager() const;
  int get_actions_number() const;
  bool variable_initialy_true(int i) const;
  // The manager's creation counter, which a collection does not lower.
  int get_bdd_nodes_number() const;
  void bdd_garbage_collector();
  void bdd_var_reorder();

  // The target writers, defined with the writers of each target; the int
  // is the cover method.
  void SC_put(std::ostream& os, int method) const;
  void BRIMOT_put(std::ostream& os, int method) const;
  void ESTEREL_put(std::ostream& os, int method) const;
  void LUSTRE_put(std::ostream& os, int method) const;
  void BLIF_put(std::ostream& os, int method) const;
  void VUNE_put(std::ostream& os, int method) const;
  void FBA_put(std::ostream& os, int method) const;
  void c_put(std::ostream& c, std::ostream& h, int method) const;
  void ino_put_grafcet(std::ostream& os, int method,
                       std::list<std::string> const& event_outputs) const;
  void VHDL_put(std::ostream& os, int altera, int method) const;
  void DOC_put(std::ostream& os, int method) const;
  // Written by no compilation.
  void CSHARP_put(std::ostream& os, int method) const;
  void VHDL_grafcet_put(std::ostream& os, int altera, int method) const;
  void LATEX_put(std::ostream& os, int method) const;

  // Helpers of the sc6 netlist writer: the distinct sub-functions of f
  // appended to L, each after its two cofactors, constants left out; the
  // position of f in an array of them (-1 for a constant or an absent
  // function) and the name of its net.
  void enumeration_bdd(std::list<bdd>& L, bdd f) const;
  int internal_enum_numero_associee_bdd(bdd f, bdd* array, int length) const;
  std::string internal_enum_nom_associee_bdd(bdd f, bdd* array, int length) const;

  std::string name;
  bddpp_manager* manager;
  int inputs_number;
  FSM_input* inputs;  // null without inputs
  int state_variables_number;
  std::string* state_names;  // step names without "X"; null without steps
  bdd initial_state;         // empty without steps
  bdd* force0;
  bdd* force1;
  int actions_number;
  std::string* action_names;  // null without actions
  bdd* emissions;
};

std::ostream& operator<<(std::ostream& os, const FBA& a);

// A condition of the Esterel writer: "not tick" for the constant false,
// "tick" for the constant true, else its sum of products in words.
std::string local_FSM_bddtoexpesterel(bddpp_manager* m, bdd f, int method);

#endif
