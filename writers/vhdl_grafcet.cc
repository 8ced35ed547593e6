// Two further VHDL writers: the grafcet design of the symbolic automaton
// (plain port names, one clock edge, registers reset to the state the first
// reaction reaches), and the sorva process of the equational design, which
// keeps every equation's variable in the node array.
#include "b_automaton.h"
#include "compil_messages.h"
#include "ecrivains.h"
#include "listpp.h"
#include "noms_cibles.h"

// The next-state functions are built before anything is printed, as in the
// main design: the order of the BDD operations decides the nodes created.
void FBA::VHDL_grafcet_put(std::ostream& os, int altera, int method) const {
  const std::string& m = name;
  std::string t = type_vhdl(altera);
  std::vector<bdd> suivantes, remises;
  for (int i = 0; i < state_variables_number; ++i) {
    suivantes.push_back(fba_fonction_suivante(*this, i));
    remises.push_back(manager->Bdd_simplify3(manager->Bdd_and(force1[i], initial_state),
                                             manager->Bdd_and(force0[i], initial_state)));
  }
  std::vector<std::string> etats = fba_noms_etats(*this), actions = fba_noms_actions(*this);
  os << "-- VHDL generation by tarvek from " << m << " grafcet" << std::endl << std::endl;
  if (altera)
    os << "LIBRARY ieee;" << std::endl
       << "USE ieee.std_logic_1164.all;" << std::endl
       << "USE ieee.std_logic_unsigned.all;" << std::endl
       << std::endl;
  entite_ports_vhdl(os, m, altera, fba_noms_entrees(*this), "reset", "clk", actions, "     ");
  signaux_vhdl(os, etats, t);
  os << "begin" << std::endl
     << "-- state and output computation" << std::endl
     << "process (clk,reset)" << std::endl
     << "begin" << std::endl
     << "  if (reset = '0') then " << std::endl;
  for (auto const& a : actions) os << "    " << a << " <= '0';" << std::endl;
  os << std::endl;
  for (int i = 0; i < state_variables_number; ++i)
    os << "    " << etats[i] << " <= " << valeur_vhdl(*manager, remises[i], method) << ";"
       << std::endl;
  os << "  elsif ( clk'event and clk='1') then " << std::endl;
  fba_reaction_vhdl(os, *this, actions, suivantes, method);
}

// The node networks read a variable through the element of its literal
// node. The inputs' elements are loaded by the process and the equations'
// by their equations; the registers' elements are driven here from the
// registers, and the signals of the equations' variables from their
// elements, which the register transfers read.
void Bddexpressionwood::Put_vhdl_sorva(std::ostream& os, std::string const& array,
                                       std::list<std::string>& inputs,
                                       std::list<std::string>& outputs,
                                       std::list<std::string>& resets,
                                       std::list<std::string>& transfers) {
  if (!manager) return;
  manager->Bdd_global_clear_marks();
  std::list<long> ordre = earliest_sort();
  ouvre_processus_vhdl(os, *manager, array, inputs, outputs, resets, false);
  if (!resets.empty())
    for (auto const& t : transfers) os << "    " << t << ";" << std::endl;
  for (auto const& in : inputs) manager->Print_node_for_eval_VHDL_input("", "", array, os, in);
  os << "   end if;" << std::endl << "end process;" << std::endl << std::endl;
  os << "-- actualisation" << std::endl;
  affecte_sorties_vhdl(os, *this, array, outputs);
  for (long v : indexes_lus(*this)) {
    std::string nom = manager->Name_var_by_index(v);
    if (in_range(v) && !exp_table[v] && !item_in(inputs, nom))
      manager->Print_node_for_eval_VHDL_input("", "", array, os, nom);
  }
  for (long i : ordre) {
    Bddexpression* e = exp_table[i];
    std::string nom = equation_ecrivable(*e) ? manager->Name_var_by_bdd(e->getBddVar()) : "";
    if (!nom.empty() && !item_in(outputs, nom))
      os << "      " << nom << " <= " << e->getBddVar().vhdl_node_name(array) << ";" << std::endl;
  }
  for (long i : ordre) {
    exp_table[i]->put_vhdl_sorva(os, array, outputs);
    os << std::endl;
  }
}

void Bddexpression::put_vhdl_sorva(std::ostream& os, std::string const& array,
                                   std::list<std::string>& outputs) const {
  if (!equation_ecrivable(*this)) return;
  bddpp_manager* m = wood->Manager();
  std::string nom = m->Name_var_by_bdd(var);
  std::string element = var.vhdl_node_name(array);
  if (item_in(outputs, nom)) {
    m->Print_node_for_eval_VHDL(array, os, exp.node());
    os << "      -- final output evaluation of " << nom << " in process" << std::endl;
  } else {
    m->Print_node_for_eval_VHDL(array, os, exp.node());
    os << "      " << element << " <= " << exp.vhdl_node_name(array) << ";" << std::endl;
  }
}

// Plain ports, and the states and next states as signals.
std::string verif_noms_vhdl_grafcet(const noms_automate& a, int altera) {
  std::vector<nom_ecrit> n;
  ajoute_noms(n, a.entrees, origine_input);
  n.push_back({"reset", "the reset port"});
  n.push_back({"clk", "the clock port"});
  ajoute_noms(n, a.sorties, origine_output);
  ajoute_noms(n, a.etats, origine_etat);
  ajoute_noms(n, a.suivants, origine_suivant);
  n.push_back({type_vhdl(altera), "the signal type"});
  std::string r = verif_noms_fichier(langage_vhdl, "grafcet VHDL", unites_vhdl(a.module), n);
  return r.empty() ? verif_module_vhdl("grafcet VHDL", a.module, altera) : r;
}
