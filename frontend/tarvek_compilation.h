// The compilation steps of the driver that stand apart from its road: the
// compilation in either mode with the clean-up of the automaton's BDD
// manager and its dump.
#ifndef TARVEK_TARVEK_COMPILATION_H
#define TARVEK_TARVEK_COMPILATION_H

#include <fstream>
#include <string>

#include "FBA.h"
#include "b_automaton.h"
#include "tarvek_compil.h"

// The symbolic automaton found by the search of the reachable situations,
// its manager cleaned up unless -noarrange, dumped under -explain. A fault
// of the grafcet ends the run.
FBA* compilation_par_situations(tpen_BDD_fichier& encodage, std::fstream& log);

// The equational automaton of the grafcet, its loops broken, its manager
// cleaned up unless -noarrange, dumped under -explain; module receives the
// grafcet's module name. A loop that no input cuts ends the run.
b_automaton* compilation_equationnelle(tpen_BDD_fichier& encodage, tpen_fichier& grafcet,
                                       std::fstream& log, std::string& module);

// The clean-up of an automaton's manager before the writers, with its
// lines; it only runs when -noarrange is off.
void nettoie_bdd(bddpp_manager* m, std::fstream& log);

#endif
