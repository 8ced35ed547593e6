// The equational branch of a compilation: the automaton built from the
// encoding, its combinational loops broken, the clean-up of its BDD manager
// and its dump into the log.
#include <iostream>

#include "g_messages.h"
#include "systeme_equationnel.h"
#include "tarvek.h"
#include "tarvek_compilation.h"

// The node counter does not go down with the collection: the lines show
// how many nodes the compilation made.
static void nettoie_bdd(bddpp_manager* m, std::fstream& log) {
  if (noarrange_mode) return;
  if (show_mode) std::cout << "RE-ENUMERATION of BDD variables" << std::endl;
  if (explain_mode)
    log << "RE-ENUMARATION of BDD variables" << std::endl
        << "  before garbage collector: " << m->Bdd_total_size() << " BDD nodes" << std::endl;
  m->Bdd_gc();
  if (explain_mode)
    log << "  after garbage collector: " << m->Bdd_total_size() << " BDD nodes" << std::endl;
  m->Bdd_var_reorder();
  if (explain_mode)
    log << "  after scheduling: " << m->Bdd_total_size() << " BDD nodes" << std::endl << std::endl;
}

b_automaton* compilation_equationnelle(tpen_BDD_fichier& encodage, tpen_fichier& grafcet,
                                       std::fstream& log, std::string& module) {
  std::cerr << "EQU_MODE demande" << std::endl;
  if (explain_mode) log << std::endl << "EFFECTIVE COMPILATION:" << std::endl;
  // An error ends the run with the automaton still held here.
  static b_automaton* automate = nullptr;
  automate = genere_systeme_equationnel(encodage, log);
  if (!automate->make_sortable(show_mode, explain_mode, log))
    arrete_sur_message("Error: possibly unstable grafcet! compilation aborted ...\n");
  bddpp_manager* manager = automate->manager_associe();
  module = grafcet.mon_nom_module();
  nettoie_bdd(manager, log);
  if (explain_mode) {
    log << std::endl << "IMPLICITE BOOLEAN AUTOMATON:" << std::endl << std::endl;
    log.flush();
    log << *automate;
  }
  return automate;
}
