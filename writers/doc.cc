// The plain-text documentation of both automata, in French, for a human
// reader; the driver appends the CPU time of the compilation to it.
#include "b_automaton.h"
#include "ecrivains.h"

namespace {

void entrees_sorties_doc(std::ostream& os, const std::vector<std::string>& entrees,
                         const std::vector<std::string>& sorties) {
  if (entrees.empty())
    os << "Aucune Entree ...";
  else
    os << "Entree(s) booleenne(s): " << liste_noms(entrees);
  os << std::endl << std::endl;
  if (sorties.empty())
    os << "Aucune Sortie ...";
  else
    os << "Sortie(s) booleenne(s): " << liste_noms(sorties);
  os << std::endl << std::endl;
}

const char* const fin_doc = "fin de la documentation ...";

}  // namespace

// Each next-state equation is shown with the two conditions it is built
// from, so that the reader sees which situations served as don't-cares.
void FBA::DOC_put(std::ostream& os, int method) const {
  int n = state_variables_number;
  os << "nom de l'automate: \"" << name << "\"" << std::endl << std::endl;
  entrees_sorties_doc(os, fba_noms_entrees(*this), fba_noms_actions(*this));
  if (n > 0)
    os << "Variable(s) locale(s): " << liste_noms(fba_noms_etats(*this)) << ", "
       << liste_noms(fba_noms_etats_suivants(*this)) << std::endl
       << std::endl;
  os << "Bascule(s) D: " << std::endl;
  for (int i = 0; i < n; ++i)
    os << "  " << fba_nom_etat(*this, i)
       << ": valeur initiale :" << (variable_initialy_true(i) ? "1" : "0")
       << ", nouvelle valeur sur front: " << fba_nom_etat_suivant(*this, i) << std::endl;
  os << std::endl << "Equation(s) d'etat futur associee(s):" << std::endl;
  for (int i = 0; i < n; ++i) {
    std::string suivant = fba_nom_etat_suivant(*this, i);
    os << "  " << suivant << "= " << sop_en_mots(manager, fba_fonction_suivante(*this, i), method)
       << std::endl
       << "   construit a partir de:" << std::endl
       << "      " << suivant << "0= " << sop_en_mots(manager, force0[i], method) << std::endl
       << "      " << suivant << "1= " << sop_en_mots(manager, force1[i], method) << std::endl;
  }
  os << std::endl << "Emission de(s) sortie(s):" << std::endl;
  for (int j = 0; j < actions_number; ++j)
    os << " " << action_names[j] << "= " << sop_en_mots(manager, emissions[j], method) << std::endl;
  os << std::endl << fin_doc << std::endl << std::endl;
}

void b_automaton::DOC_put(std::ostream& os, int method, std::string const& module) {
  os << "module: " << module << std::endl << std::endl;
  entrees_sorties_doc(os, noms_table(names.input_names, names.nb_inputs),
                      noms_table(names.output_names, names.nb_outputs));
  os << "Registre(s):" << std::endl;
  for (int i = 0; i < names.nb_state_vars; ++i)
    os << " - " << names.state_names[i] << "valeur initiale: "
       << mot_valeur_initiale(initial_values[i])
       << ", prochaine valeur: " << names.next_state_names[i] << std::endl;
  os << std::endl;
  if (wood->exp_number() > 0) {
    os << "Equation(s):" << std::endl;
    wood->Put_basic_doc(os, method);
    os << std::endl;
  }
  os << fin_doc << std::endl << std::endl;
}
