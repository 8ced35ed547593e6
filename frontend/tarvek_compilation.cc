// The default branch of a compilation, the search of the reachable
// situations with the dump of its automaton, and the clean-up of an
// automaton's BDD manager that both modes share.
#include <iostream>

#include "tarvek.h"
#include "tarvek_compilation.h"

// The counts are the manager's creation counter, which the collection does
// not lower: they show how many nodes the compilation made. The reordering
// only answers with its line and changes nothing.
void nettoie_bdd(bddpp_manager* m, std::fstream& log) {
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

FBA* compilation_par_situations(tpen_BDD_fichier& encodage, std::fstream& log) {
  std::cerr << "RECHERCHE PAR ETAT ACCESSIBLES demande" << std::endl;
  // The counts that the clean-up writes are those of the reactions folded
  // one at a time.
  pliage p = explain_mode && !noarrange_mode ? pliage::une_a_une : pliage::par_situation;
  FBA* automate = genere_FBA_symbolique(encodage, log, nullptr, p);
  nettoie_bdd(automate->get_manager(), log);
  if (explain_mode) {
    log << std::endl << "BOOLEAN AUTOMATON:" << std::endl << std::endl;
    log.flush();
    log << *automate;
  }
  // No text shows this manager's counter or a global id of its nodes after
  // the log: the writers' covers need make no more than what they return.
  automate->get_manager()->Bdd_set_lean_covers(1);
  return automate;
}
