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

#include "bddpp.h"

// An int underneath: a value outside the four kinds is printed as nothing.
enum FSM_type_input : int { FSM_undefined = 0, FSM_pure = 1, FSM_bool = 2, FSM_integer = 3 };

class FSM_input {
 public:
  FSM_input(FSM_type_input type = FSM_undefined, const std::string& name = "");
  FSM_input(const FSM_input& i);
  FSM_input& operator=(const FSM_input& i);

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

 private:
  void copie_actions(const bdd* source);
};

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
  // A continuous action of step v: emitted whenever v is active next.
  void add_post_evolution(int v, int a, bdd c);

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

#endif
