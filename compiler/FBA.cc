// The symbolic automaton: its inputs, its construction over a manager of
// its own and its text dump for the log.
#include "FBA.h"

#include "FBA_interne.h"
#include "listpp.h"

FSM_input::FSM_input(FSM_type_input t, const std::string& n) : type(t), name(n) {}
FSM_input::FSM_input(const FSM_input& i) : type(i.type), name(i.name) {}

FSM_input& FSM_input::operator=(const FSM_input& i) {
  type = i.type;
  name = i.name;
  return *this;
}

std::string FSM_input::my_name() const { return name; }
FSM_type_input FSM_input::my_type() const { return type; }

bool operator==(const FSM_input& a, const FSM_input& b) {
  return a.type == b.type && a.name == b.name;
}

bool operator!=(const FSM_input& a, const FSM_input& b) { return !(a == b); }

std::ostream& operator<<(std::ostream& os, const FSM_input& i) {
  static const char* const mots[] = {"undefined", "pure", "bool", "integer"};
  os << "(";
  if (i.type >= FSM_undefined && i.type <= FSM_integer) os << mots[i.type];
  return os << "," << i.name << ")";
}

FBA::FBA(std::string n, std::set<int>& initial, const std::list<FSM_input>& in,
         const std::list<std::string>& actions, const std::list<std::string>& states)
    : name(n),
      manager(new bddpp_manager),
      inputs_number(static_cast<int>(in.size())),
      inputs(in.empty() ? nullptr : array_convert(in)),
      state_variables_number(static_cast<int>(states.size())),
      state_names(nullptr),
      force0(nullptr),
      force1(nullptr),
      actions_number(static_cast<int>(actions.size())),
      action_names(nullptr),
      emissions(nullptr) {
  int n_etats = state_variables_number;
  if (n_etats >= 1) {
    state_names = array_convert(states);
    force0 = new bdd[n_etats];
    force1 = new bdd[n_etats];
  }
  if (actions_number >= 1) {
    action_names = array_convert(actions);
    emissions = new bdd[actions_number];
  }
  for (int i = 0; i < n_etats; ++i) manager->New_var_last("X" + state_names[i]);
  for (int i = 0; i < n_etats; ++i) manager->New_var_last("X" + state_names[i] + "next");
  for (int j = 0; j < inputs_number; ++j) manager->New_var_last(inputs[j].name);
  for (int i = 0; i < n_etats; ++i) force0[i] = force1[i] = manager->Bdd_zero();
  for (int j = 0; j < actions_number; ++j) emissions[j] = manager->Bdd_zero();
  for (int i = 0; i < n_etats; ++i) {
    bdd x = manager->Bdd_var_by_index(i);
    bdd litteral = initial.count(i) ? x : manager->Bdd_not(x);
    initial_state = i == 0 ? litteral : manager->Bdd_and(initial_state, litteral);
  }
}

// Handles hold references on the manager's nodes: they go before it.
FBA::~FBA() {
  initial_state = bdd();
  delete[] force0;
  delete[] force1;
  delete[] emissions;
  delete manager;
  delete[] inputs;
  delete[] state_names;
  delete[] action_names;
}

bddpp_manager* FBA::get_manager() const { return manager; }
int FBA::get_actions_number() const { return actions_number; }

bool FBA::variable_initialy_true(int i) const {
  if (i < 0 || i >= state_variables_number) return false;
  bdd x = manager->Bdd_var_by_index(i);
  return manager->Bdd_is_zero_tautologic(manager->Bdd_and(initial_state, manager->Bdd_not(x))) != 0;
}

int FBA::get_bdd_nodes_number() const { return manager->Bdd_total_size(); }
void FBA::bdd_garbage_collector() { manager->Bdd_gc(); }
void FBA::bdd_var_reorder() { manager->Bdd_var_reorder(); }

// The log's sums of products use one cover method whatever the level asked
// for the targets.
std::string texte_log(bddpp_manager* m, const bdd& f) {
  return m->Print_sop_to_String("+ ", ".", "!", "", f, 1);
}

static void table_conditions(std::ostream& os, const char* titre, bddpp_manager* m, const bdd* t,
                             int n) {
  os << titre << std::endl << "n  expression" << std::endl;
  for (int i = 0; i < n; ++i) os << i << ": " << texte_log(m, t[i]) << std::endl;
}

std::ostream& operator<<(std::ostream& os, const FBA& a) {
  bddpp_manager* m = a.manager;
  int n = a.state_variables_number;
  os << "NOM: " << a.name << std::endl << std::endl;
  os << "nombre d'entrees: " << a.inputs_number << std::endl << std::endl;
  os << "table des entrees" << std::endl << "n  (type,nom)" << std::endl;
  for (int j = 0; j < a.inputs_number; ++j) os << j << " " << a.inputs[j] << std::endl;
  os << std::endl;
  os << "nombre de variables d'etat: " << n << std::endl << std::endl;
  os << "table des variables d'etat" << std::endl << "n  nom" << std::endl;
  for (int i = 0; i < n; ++i) os << i << ": " << a.state_names[i] << std::endl;
  os << std::endl;
  os << "table des BDDs de base" << std::endl << "n  nom" << std::endl;
  for (int i = 0; i < m->nbr_variables(); ++i) os << i << ": " << m->Name_var_by_index(i) << std::endl;
  os << std::endl;
  os << "nombre d'actions: " << a.actions_number << std::endl << "n  nom" << std::endl;
  for (int j = 0; j < a.actions_number; ++j) os << j << ": " << a.action_names[j] << std::endl;
  os << std::endl;
  os << "etat initial: ";
  for (int i = 0; i < n; ++i)
    os << m->Name_var_by_index(i) << "= " << (a.variable_initialy_true(i) ? "1 " : "0 ");
  os << std::endl << std::endl << std::endl;
  table_conditions(os, "table des BDDs de forcage a 0", m, a.force0, n);
  os << std::endl;
  table_conditions(os, "table des BDDs de forcage a 1", m, a.force1, n);
  os << std::endl;
  table_conditions(os, "table des BDDs des emissions d'actions", m, a.emissions, a.actions_number);
  return os;
}
