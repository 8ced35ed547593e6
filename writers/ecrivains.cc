// The conventions shared by the target writers.
#include "ecrivains.h"

std::string fba_nom_etat(const FBA& a, int i) { return "X" + a.state_names[i]; }

std::string fba_nom_etat_suivant(const FBA& a, int i) { return "X" + a.state_names[i] + "next"; }

std::vector<std::string> fba_noms_etats(const FBA& a) {
  std::vector<std::string> r;
  for (int i = 0; i < a.state_variables_number; ++i) r.push_back(fba_nom_etat(a, i));
  return r;
}

std::vector<std::string> fba_noms_etats_suivants(const FBA& a) {
  std::vector<std::string> r;
  for (int i = 0; i < a.state_variables_number; ++i) r.push_back(fba_nom_etat_suivant(a, i));
  return r;
}

std::vector<std::string> fba_noms_entrees(const FBA& a) {
  std::vector<std::string> r;
  for (int j = 0; j < a.inputs_number; ++j) r.push_back(a.inputs[j].name);
  return r;
}

std::vector<std::string> fba_noms_actions(const FBA& a) {
  std::vector<std::string> r;
  for (int j = 0; j < a.actions_number; ++j) r.push_back(a.action_names[j]);
  return r;
}

bdd fba_fonction_suivante(const FBA& a, int i) {
  return a.manager->Bdd_simplify3(a.force1[i], a.force0[i]);
}

bdd fba_fonction_suivante_blif(const FBA& a, int i) {
  return a.manager->Bdd_simplify(a.force1[i], a.force0[i]);
}

std::string liste_noms(const std::vector<std::string>& noms, const std::string& separateur) {
  std::string r;
  for (size_t k = 0; k < noms.size(); ++k) r += (k ? separateur : "") + noms[k];
  return r;
}
