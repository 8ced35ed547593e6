// The compilation steps of the driver that stand apart from its road: the
// equational compilation with its clean-up and dump.
#ifndef TARVEK_TARVEK_COMPILATION_H
#define TARVEK_TARVEK_COMPILATION_H

#include <fstream>
#include <string>

#include "b_automaton.h"
#include "tarvek_compil.h"

// The equational automaton of the grafcet, its loops broken, its manager
// cleaned up unless -noarrange, dumped under -explain; module receives the
// grafcet's module name. A loop that no input cuts ends the run.
b_automaton* compilation_equationnelle(tpen_BDD_fichier& encodage, tpen_fichier& grafcet,
                                       std::fstream& log, std::string& module);

#endif
