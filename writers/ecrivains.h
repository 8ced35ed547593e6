// What every target writer shares: the names, initial values and next-state
// functions of the symbolic automaton as all writers read them, the joining
// of name lists, the sums of products in words, and the conventions of the
// C family (C source, Arduino sketch).
#ifndef TARVEK_ECRIVAINS_H
#define TARVEK_ECRIVAINS_H

#include <functional>
#include <list>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "Bddexpression.h"
#include "FBA.h"

// State variable i is "X" + the step's name, its next value that name
// followed by "next".
std::string fba_nom_etat(const FBA& a, int i);
std::string fba_nom_etat_suivant(const FBA& a, int i);
std::vector<std::string> fba_noms_etats(const FBA& a);
std::vector<std::string> fba_noms_etats_suivants(const FBA& a);
std::vector<std::string> fba_noms_entrees(const FBA& a);
std::vector<std::string> fba_noms_actions(const FBA& a);

// The next-state function of state variable i: each prime implicant of its
// force-to-1 condition widened while it stays apart from the force-to-0
// condition, so that situations never reached serve as don't-cares.
bdd fba_fonction_suivante(const FBA& a, int i);
// The BLIF form: the whole force-to-1 condition widened at once.
bdd fba_fonction_suivante_blif(const FBA& a, int i);

// The names joined by ", ", nothing before the first nor after the last.
std::string liste_noms(const std::vector<std::string>& noms, const std::string& separateur = ", ");

// A sum of products that goes straight into the stream it is inserted
// into, its cover made at that moment: a cover can be far longer than a
// string of it should take in memory.
struct texte_sop {
  bddpp_manager* m;
  bdd f;
  int methode;
  const char* ou;
  bool vhdl;  // '0' or '1' for a constant, otherwise in parentheses
};
std::ostream& operator<<(std::ostream& os, const texte_sop& t);

// A function as the targets that spell the operators as words write it
// (Lustre, Vestrane, BRIMOT, both documentations, the comments of the sc
// netlist): products joined by " or ", literals by " and ", a negation
// "not " + name, the constants "0" and "1".
texte_sop sop_en_mots(bddpp_manager* m, const bdd& f, int methode);

// A handle without manager or node: an equation with such a member is not
// written.
bool bdd_vide(const bdd& f);

// The first n names of a counted array (an equational automaton's).
std::vector<std::string> noms_table(const std::string* table, int n);
// Each name behind the prefix.
std::vector<std::string> prefixe_noms(const std::vector<std::string>& noms,
                                      const std::string& prefixe);

// The C family. Every variable of the generated code is the module name,
// "_", then the automaton's name of the variable.
std::string prefixe_c(const std::string& module);
// A cover with " || ", " && " and "! ", the names behind the prefix.
void ecrit_sop_c(std::ostream& os, bddpp_manager& m, const bdd& f, const std::string& module,
                 int method);
// A register that starts at 1 is set to "!0", any other to "0".
const char* valeur_initiale_c(bool vrai);
// One int a line: the first name behind `premier`, the others behind
// `autres`, each followed by "," but the last, which ends with ";".
void declare_entiers(std::ostream& os, const std::vector<std::string>& noms,
                     const std::string& premier, const std::string& autres);

// Per register, "  " + its name + "= " + its initial value + ";".
void initialise_registres_c(std::ostream& os, const std::vector<std::string>& registres,
                            const std::vector<bool>& initiales);
// Per register, "  " + its name + "= " + the name of its next value + ";".
void recopie_registres_c(std::ostream& os, const std::vector<std::string>& registres,
                         const std::vector<std::string>& suivants);
// The symbolic automaton's registers, their initial values and, per state
// variable, "  " + its next value + "= " + its next-state function + ";".
std::vector<std::string> fba_registres_c(const FBA& a);
std::vector<std::string> fba_suivants_c(const FBA& a);
std::vector<bool> fba_valeurs_initiales(const FBA& a);
void fba_etats_suivants_c(std::ostream& os, const FBA& a, int method);
// An equational automaton's initial values: 1 is true, any other false.
std::vector<bool> valeurs_initiales(const int* table, int n);
// The word of the documentation targets for an equational initial value:
// "true" for 1, "false" for 0, "???" for any other.
const char* mot_valeur_initiale(int valeur);

// The indexes of the variables that the written equations of the forest
// read, in the order of the manager; of the listed equations only in the
// second form.
std::set<long> indexes_lus(Bddexpressionwood& w);
std::set<long> indexes_lus(Bddexpressionwood& w, const std::list<long>& equations);
// The equational designs' process, from its head to the loading of the
// inputs' elements on the rising edge (the resets behind the outputs'
// clearing, when `sorties_a_zero`).
void ouvre_processus_vhdl(std::ostream& os, bddpp_manager& m, const std::string& array,
                          const std::list<std::string>& inputs,
                          const std::list<std::string>& outputs,
                          const std::list<std::string>& resets, bool sorties_a_zero);
// Per written equation of an output, in index order, the output driven
// from its element.
void affecte_sorties_vhdl(std::ostream& os, Bddexpressionwood& w, const std::string& array,
                          const std::list<std::string>& outputs);
// The element of f's node in a C-family array, "!" before it for a
// complemented link.
std::string element_c(const bdd& f, const std::string& tableau);

// The node networks of the equational C and Arduino writers: one element of
// the array per node of the manager, indexed by the node's global id.
std::string tableau_noeuds_c(const std::string& module);
// Both members of the equation hold a node of its forest's manager.
bool equation_ecrivable(const Bddexpression& e);
// The walk of the node-network writers of a forest: nothing without a
// manager, else the visit marks cleared once per text, so that a node
// shared by several equations is written at its first use only, then every
// variable of the order, each followed by a line end.
void parcours_reseau(bddpp_manager* m, const std::list<long>& ordre,
                     const std::function<void(long)>& ecrit, std::ostream& os);
// The value of f in the generated code: a single positive variable stands
// for itself; any other function is the element of its node, whose network
// is written first (the nodes already written in this text are skipped).
std::string valeur_c(std::ostream& os, bddpp_manager& m, const bdd& f, const std::string& tableau,
                     const std::string& prefixe, const std::string& suffixe);

// VHDL. The signal type: "std_logic" for the Altera devices, else "bit".
std::string type_vhdl(int altera);
// From "entity" to "architecture ... is": the inputs, then the reset and
// the clock, are the input ports; the outputs follow on a line of their
// own behind `retrait`. A design without outputs closes its port list after
// the clock: an empty list of output ports is no VHDL.
void entite_ports_vhdl(std::ostream& os, const std::string& m, int altera,
                       const std::vector<std::string>& entrees, const std::string& reset,
                       const std::string& horloge, const std::vector<std::string>& sorties,
                       const std::string& retrait);
// '0' or '1' for a constant, otherwise the sum of products in parentheses.
texte_sop valeur_vhdl(bddpp_manager& m, const bdd& f, int method);
// "signal " + the names and their next values, then " :" + the type; nothing
// without names.
void signaux_vhdl(std::ostream& os, const std::vector<std::string>& noms, const std::string& t);
// The symbolic automaton's designs from the emissions on the reaction's
// clock edge to the end of the architecture: each action's emission, the
// register transfers, the end of the process, the next-state functions.
void fba_reaction_vhdl(std::ostream& os, const FBA& a, const std::vector<std::string>& actions,
                       const std::vector<bdd>& suivantes, int method);

#endif
