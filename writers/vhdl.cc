// VHDL: one design entity per automaton, reset active at '0', inputs sampled
// on the rising clock edge, outputs and state registers updated on the
// falling one; the symbolic automaton with sums of products, the equational
// one with a network of BDD nodes held in an array signal.
#include "b_automaton.h"
#include "compil_messages.h"
#include "ecrivains.h"
#include "listpp.h"
#include "noms_cibles.h"

namespace {

// The comment, the library clauses of the Altera form, and the entity with
// its ports.
void entite_vhdl(std::ostream& os, const std::string& m, int altera,
                 const std::vector<std::string>& entrees, const std::string& reset,
                 const std::string& horloge, const std::vector<std::string>& sorties,
                 const std::string& retrait_sorties) {
  os << "-- VHDL generation from " << m << std::endl << std::endl;
  if (altera) os << "LIBRARY ieee;" << std::endl << "USE ieee.std_logic_1164.all;" << std::endl;
  entite_ports_vhdl(os, m, altera, entrees, reset, horloge, sorties, retrait_sorties);
}

}  // namespace

// The next-state functions are built before the emissions are printed:
// the order of the BDD operations decides the nodes the manager creates.
void FBA::VHDL_put(std::ostream& os, int altera, int method) const {
  const std::string& m = name;
  std::string t = type_vhdl(altera);
  std::vector<bdd> suivantes;
  for (int i = 0; i < state_variables_number; ++i)
    suivantes.push_back(fba_fonction_suivante(*this, i));
  std::vector<std::string> entrees = fba_noms_entrees(*this), etats = fba_noms_etats(*this),
                           actions = prefixe_noms(fba_noms_actions(*this), m + "_");
  entite_vhdl(os, m, altera, prefixe_noms(entrees, m + "_"), m + "_reset", m + "_clk", actions,
              "     ");
  std::vector<std::string> signaux = entrees;
  signaux.insert(signaux.end(), etats.begin(), etats.end());
  signaux_vhdl(os, signaux, t);
  os << "begin" << std::endl << "-- state and output computation" << std::endl;
  os << "process (" << m << "_clk," << m << "_reset)" << std::endl << "begin" << std::endl;
  os << "  if (" << m << "_reset = '0') then " << std::endl;
  for (auto const& a : actions) os << "    " << a << " <= '0';" << std::endl;
  os << std::endl;
  for (int i = 0; i < state_variables_number; ++i)
    os << "    " << etats[i] << " <= " << (variable_initialy_true(i) ? "'1'" : "'0'") << ";"
       << std::endl;
  os << "  elsif ( " << m << "_clk'event and " << m << "_clk='1') then " << std::endl;
  for (auto const& e : entrees) os << "    " << e << " <= " << m << "_" << e << ";" << std::endl;
  os << "  elsif ( " << m << "_clk'event and " << m << "_clk='0') then " << std::endl;
  fba_reaction_vhdl(os, *this, actions, suivantes, method);
}

// The array of node values spans every node the manager has created so far.
void b_automaton::VHDL_put(std::ostream& os, int altera, std::string const& module) {
  const std::string& m = module;
  std::string t = type_vhdl(altera), tableau = m + "_node";
  bddpp_manager* b = wood->Manager();
  int n = names.nb_state_vars;
  std::list<std::string> entrees(names.input_names, names.input_names + names.nb_inputs),
      sorties(names.output_names, names.output_names + names.nb_outputs), remises, transferts;
  entite_vhdl(os, m, altera, {entrees.begin(), entrees.end()}, "reset", "clk",
              {sorties.begin(), sorties.end()}, "       ");
  os << "TYPE array_" << tableau << " IS ARRAY (" << (b ? b->Bdd_total_size() : 0)
     << " downto 0) OF " << t << " ;" << std::endl;
  long locales = 2L * n + names.nb_inputs + names.nb_outputs;
  for (long i = 0; b && i < b->nbr_variables(); ++i)
    if (i < 2L * n || i >= locales)
      os << "signal " << b->Name_var_by_index(i) << " : " << t << ";" << std::endl;
  os << "signal " << tableau << " : array_" << tableau << ";" << std::endl << std::endl;
  os << "begin" << std::endl << "-- state and output computation" << std::endl;
  for (int i = 0; i < n; ++i) {
    remises.push_back("  " + names.state_names[i] +
                      " <= " + (initial_values[i] == 1 ? "'1'" : "'0'"));
    transferts.push_back("  " + names.state_names[i] + " <= " + names.next_state_names[i]);
  }
  wood->Put_vhdl(os, tableau, entrees, sorties, remises, transferts);
  os << "end " << m << "_a;" << std::endl << std::endl;
}

// The inputs' literal nodes are written by the process; every other
// variable that an equation reads is driven here from its signal, or the
// nodes that test it would read an element no line assigns.
void Bddexpressionwood::Put_vhdl(std::ostream& os, std::string const& array,
                                 std::list<std::string>& inputs, std::list<std::string>& outputs,
                                 std::list<std::string>& resets,
                                 std::list<std::string>& transfers) {
  if (!manager) return;
  manager->Bdd_global_clear_marks();
  std::list<long> ordre = earliest_sort();
  ouvre_processus_vhdl(os, *manager, array, inputs, outputs, resets, true);
  for (auto const& in : inputs) manager->Print_node_for_eval_VHDL_input("", "", array, os, in);
  os << "  elsif ( clk'event and clk='0') then " << std::endl;
  affecte_sorties_vhdl(os, *this, array, outputs);
  if (!resets.empty())
    for (auto const& t : transfers) os << "    " << t << ";" << std::endl;
  os << "   end if;" << std::endl << "end process;" << std::endl << std::endl;
  os << "-- actualisation" << std::endl;
  for (long v : indexes_lus(*this, ordre)) {
    std::string nom = manager->Name_var_by_index(v);
    if (!item_in(inputs, nom) && !item_in(outputs, nom))
      manager->Print_node_for_eval_VHDL_input("", "", array, os, nom);
  }
  for (long i : ordre) {
    exp_table[i]->put_vhdl(os, array, outputs);
    os << std::endl;
  }
}

void Bddexpression::put_vhdl(std::ostream& os, std::string const& array,
                             std::list<std::string>& outputs) const {
  if (!equation_ecrivable(*this)) return;
  bddpp_manager* m = wood->Manager();
  std::string nom = m->Name_var_by_bdd(var);
  if (item_in(outputs, nom)) {
    m->Print_node_for_eval_VHDL(array, os, exp.node());
    os << "      -- final output evaluation of " << nom << " in process" << std::endl;
  } else if (m->Bdd_is_var(exp)) {
    os << "      " << nom << " <= " << m->Name_var_by_bdd(exp) << ";" << std::endl;
  } else {
    m->Print_node_for_eval_VHDL(array, os, exp.node());
    os << "      " << nom << " <= " << exp.vhdl_node_name(array) << ";" << std::endl;
  }
}

// The symbolic design's ports carry the prefix, its signals are the plain
// inputs, the states and a next value of each; the equational design's
// ports are plain, its signals the automaton's states, next states and
// locals and the node array. The signal type is a name of the file: a port
// or signal of its name would hide it from the declarations that follow.
std::string verif_noms_vhdl(const noms_automate& a, int altera) {
  const std::string& m = a.module;
  std::vector<nom_ecrit> n;
  std::string pre = a.equationnel ? "" : m + "_";
  ajoute_noms(n, a.entrees, origine_input, pre);
  n.push_back({pre + "reset", "the reset port"});
  n.push_back({pre + "clk", "the clock port"});
  ajoute_noms(n, a.sorties, origine_output, pre);
  if (a.equationnel) {
    n.push_back({"array_" + m + "_node", "the type of the node array"});
  } else {
    ajoute_noms(n, a.entrees, origine_input);
    for (auto const& e : a.entrees)
      n.push_back({e + "next", "the next value of the input \"" + e + "\""});
  }
  ajoute_noms(n, a.etats, origine_etat);
  ajoute_noms(n, a.suivants, origine_suivant);
  ajoute_noms(n, a.locales, origine_locale);
  if (a.equationnel) n.push_back({m + "_node", "the node array"});
  n.push_back({type_vhdl(altera), "the signal type"});
  std::string r = verif_noms_fichier(langage_vhdl, "VHDL", unites_vhdl(m), n);
  return r.empty() ? verif_module_vhdl("VHDL", m, altera) : r;
}
