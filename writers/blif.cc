// BLIF: the symbolic automaton as latches and two-level covers, its raw
// state-change conditions in the same syntax (the .fba file), and the
// equational automaton as a network of one multiplexer per BDD node.
#include <iostream>

#include "b_automaton.h"
#include "ecrivains.h"
#include "noms_cibles.h"

namespace {

// The blocks of the equational network are named after their nodes:
// this prefix, "_" and the node's number.
const char* const prefixe_noeuds = "node";

// The model line, the inputs (an empty line stands for an automaton
// without any), the outputs (nothing for none) and one latch per state
// variable, then an empty line. A model restricted by a mask may keep none
// of the inputs of an automaton that has some: ".inputs" stands alone then.
void entete_blif(std::ostream& os, const std::string& module, bool a_des_entrees,
                 const std::vector<std::string>& entrees, const std::vector<std::string>& sorties,
                 const std::vector<std::string>& etats, const std::vector<std::string>& suivants,
                 const std::vector<bool>& initiaux) {
  os << ".model " << module << std::endl;
  if (a_des_entrees) os << ".inputs";
  for (auto const& e : entrees) os << " " << e;
  os << std::endl;
  if (!sorties.empty()) {
    os << ".outputs";
    for (auto const& s : sorties) os << " " << s;
    os << std::endl;
  }
  for (size_t i = 0; i < etats.size(); ++i)
    os << ".latch " << suivants[i] << " " << etats[i] << " " << (initiaux[i] ? "1" : "0")
       << std::endl;
  os << std::endl;
}

void entete_blif(std::ostream& os, const FBA& a) {
  entete_blif(os, a.name, a.inputs_number > 0, fba_noms_entrees(a), fba_noms_actions(a),
              fba_noms_etats(a), fba_noms_etats_suivants(a), fba_valeurs_initiales(a));
}

// The emissions, raw, each a block named after its action; then the end.
void actions_et_fin_blif(std::ostream& os, const FBA& a, int method) {
  for (int j = 0; j < a.actions_number; ++j)
    a.manager->BLIF_print(os, a.action_names[j], a.emissions[j], method);
  os << std::endl << ".end" << std::endl << std::endl;
}

// One section of the state-change file: a block per state variable, each
// named after the next-state variable it concerns.
void section_fba(std::ostream& os, const FBA& a, const char* debut, const char* fin,
                 const bdd* conditions, int method) {
  os << debut << std::endl;
  for (int i = 0; i < a.state_variables_number; ++i)
    a.manager->BLIF_print(os, fba_nom_etat_suivant(a, i), conditions[i], method);
  os << fin << std::endl << std::endl;
}

}  // namespace

void FBA::BLIF_put(std::ostream& os, int method) const {
  entete_blif(os, *this);
  for (int i = 0; i < state_variables_number; ++i)
    manager->BLIF_print(os, fba_nom_etat_suivant(*this, i), fba_fonction_suivante_blif(*this, i),
                        method);
  os << std::endl;
  actions_et_fin_blif(os, *this, method);
  std::cout << "BLIF_PUT terminated ..." << std::endl;
}

void FBA::FBA_put(std::ostream& os, int method) const {
  entete_blif(os, *this);
  section_fba(os, *this, ".begin_falling", ".end_falling", force0, method);
  section_fba(os, *this, ".begin_rising", ".end_rising", force1, method);
  actions_et_fin_blif(os, *this, method);
}

void b_automaton::BLIF_put(std::ostream& os, int, std::string const& module) {
  BLIF_restrict_put(os, 0, module, nullptr);
}

// A null mask keeps every variable: the whole model is the restricted one
// without restriction.
void b_automaton::BLIF_restrict_put(std::ostream& os, int, std::string const& module, int* mask) {
  auto garde = [mask](long index) { return !mask || mask[index] == 1; };
  int n = names.nb_state_vars;
  std::vector<std::string> entrees, etats, suivants;
  for (int i = 0; i < names.nb_inputs; ++i)
    if (garde(2 * n + i)) entrees.push_back(names.input_names[i]);
  std::vector<bool> initiaux;
  for (int i = 0; i < n; ++i)
    if (garde(i)) {
      etats.push_back(names.state_names[i]);
      suivants.push_back(names.next_state_names[i]);
      initiaux.push_back(initial_values[i] == 1);
    }
  entete_blif(os, module, names.nb_inputs > 0, entrees,
              noms_table(names.output_names, names.nb_outputs), etats, suivants, initiaux);
  wood->Put_blif(os, prefixe_noeuds, mask);
  os << std::endl << ".end" << std::endl << std::endl;
}

// Every variable of the order leaves its line end, masked out or not.
void Bddexpressionwood::Put_blif(std::ostream& os, std::string const& prefix, int* mask) const {
  auto ecrit = [&](long i) {
    if (!mask || mask[i] == 1) exp_table[i]->put_blif(os, prefix);
  };
  parcours_reseau(manager, earliest_sort(), ecrit, os);
}

void Bddexpressionwood::Put_blif(std::ostream& os, std::string const& prefix) {
  Put_blif(os, prefix, nullptr);
}

void Bddexpression::put_blif(std::ostream& os, std::string const& prefix) const {
  if (!equation_ecrivable(*this)) return;
  bddpp_manager* m = wood->Manager();
  std::string nom = m->Name_var_by_bdd(var);
  if (m->Bdd_is_var(exp)) {
    os << ".names " << m->Name_var_by_bdd(exp) << " " << nom << std::endl << "1 1" << std::endl;
    return;
  }
  m->Print_node_for_eval_BLIF("", "", prefix, os, exp.node());
  os << ".names " << prefix << "_" << exp.node()->global_id << " " << nom << std::endl
     << (exp.link_type() == -1 ? "0 1" : "1 1") << std::endl;
}

namespace {

// A name of the automaton that is also the name of a node's block.
bool nom_de_noeud(const std::string& nom, long nbr_noeuds) {
  std::string debut = std::string(prefixe_noeuds) + "_";
  if (nom.compare(0, debut.size(), debut) != 0) return false;
  std::string k = nom.substr(debut.size());
  if (k.empty() || k.size() > 9 || (k[0] == '0' && k.size() > 1)) return false;
  for (char c : k)
    if (c < '0' || c > '9') return false;
  return std::stol(k) < nbr_noeuds;
}

}  // namespace

std::string verif_noms_blif(const noms_automate& a) {
  std::vector<nom_ecrit> n = noms_variables(a);
  if (a.equationnel)
    for (size_t k = 0, nbr = n.size(); k < nbr; ++k)
      if (nom_de_noeud(n[k].nom, a.nbr_noeuds)) n.push_back({n[k].nom, "a node of the network"});
  return verif_noms_fichier(langage_blif, "BLIF", {{a.module, origine_module(a.module)}}, n);
}

std::string verif_noms_fba(const noms_automate& a) {
  return verif_noms_fichier(langage_blif, "state-change", {{a.module, origine_module(a.module)}},
                            noms_variables(a));
}
