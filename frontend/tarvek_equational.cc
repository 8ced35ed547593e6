// The equational branch of a compilation: the automaton built from the
// encoding, its combinational loops broken, the clean-up of its BDD manager
// and its dump into the log.
#include <iostream>

#include "g_messages.h"
#include "systeme_equationnel.h"
#include "tarvek.h"
#include "tarvek_compilation.h"

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
