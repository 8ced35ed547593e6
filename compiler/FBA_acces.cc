// Reading the automaton by position and by name.
#include <iostream>

#include "FBA.h"
#include "FBA_interne.h"
#include "listpp.h"

int FBA::get_state_variables_number() const { return state_variables_number; }

std::string FBA::get_variable(int i) const {
  if (i < 0 || i >= state_variables_number) {
    std::cerr << "ERREUR d'acces dans FBA::get_variable()" << std::endl;
    return "?";
  }
  return manager->Name_var_by_index(i);
}

bool FBA::variable_initialy_false(int i) const {
  if (i < 0 || i >= state_variables_number) return false;
  bdd x = manager->Bdd_var_by_index(i);
  return manager->Bdd_is_zero_tautologic(manager->Bdd_and(initial_state, x)) != 0;
}

std::string FBA::get_action(int j) const {
  if (j < 0 || j >= actions_number) {
    std::cerr << "ERREUR d'acces dans FBA::get_action()" << std::endl;
    return "?";
  }
  return action_names[j];
}

int FBA::get_inputs_number() const { return inputs_number; }

std::string FBA::get_input(int j) const {
  if (j < 0 || j >= inputs_number) {
    std::cerr << "ERREUR d'acces dans FBA::get_input()" << std::endl;
    return "?";
  }
  return inputs[j].name;
}

int FBA::get_bdd_termes_number() const { return manager->nbr_variables(); }
std::string FBA::my_bddtoa(bdd b) const { return texte_log(manager, b); }
bdd FBA::termetobdd(const std::string& name) const { return manager->Bdd_var_by_name(name); }

std::string* FBA::my_table_bdd_nom_termes() const {
  std::list<std::string> noms;
  for (int i = 0; i < manager->nbr_variables(); ++i) noms.push_back(manager->Name_var_by_index(i));
  return array_convert(noms);
}
