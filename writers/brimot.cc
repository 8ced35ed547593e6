// The boolean-equation file of the BRIMOT analyser, for the symbolic
// automaton. The equational mode has only a placeholder that writes nothing
// into the file; it is defined with b_automaton, whose tests link no writer.
#include "ecrivains.h"
#include "noms_cibles.h"

// The outputs are not declared as such: they stand among the locals and
// are defined with the next-state variables.
void FBA::BRIMOT_put(std::ostream& os, int method) const {
  int n = state_variables_number;
  if (n > 0) os << "state " << liste_noms(fba_noms_etats(*this)) << ";" << std::endl;
  if (inputs_number > 0) os << "inputs " << liste_noms(fba_noms_entrees(*this)) << ";" << std::endl;
  std::vector<std::string> locales = fba_noms_etats_suivants(*this);
  for (int j = 0; j < actions_number; ++j) locales.push_back(action_names[j]);
  if (!locales.empty()) os << "locals " << liste_noms(locales) << ";" << std::endl << std::endl;
  // Without steps there is no minterm: every situation (the only one) is
  // initial.
  bdd initial = bdd_vide(initial_state) ? manager->Bdd_one() : initial_state;
  os << "initial " << sop_en_mots(manager, initial, method) << ";" << std::endl << std::endl;
  os << "transition" << std::endl;
  for (int i = 0; i < n; ++i)
    os << fba_nom_etat(*this, i) << "'= " << fba_nom_etat_suivant(*this, i) << ";" << std::endl;
  os << std::endl << "definitions" << std::endl;
  for (int i = 0; i < n; ++i)
    os << fba_nom_etat_suivant(*this, i) << "= "
       << sop_en_mots(manager, fba_fonction_suivante(*this, i), method) << ";" << std::endl;
  os << std::endl;
  for (int j = 0; j < actions_number; ++j)
    os << action_names[j] << "= " << sop_en_mots(manager, emissions[j], method) << ";" << std::endl
       << std::endl;
}

// No module name.
std::string verif_noms_brimot(const noms_automate& a) {
  return verif_noms_fichier(langage_brimot, "BRIMOT", {}, noms_variables(a));
}
