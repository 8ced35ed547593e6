// What the source files of the automaton share and its users do not need.
#ifndef TARVEK_FBA_INTERNE_H
#define TARVEK_FBA_INTERNE_H

#include <string>

#include "bddpp.h"

// The text of a condition in the log and in the printers of the records:
// a sum of products with one cover method, whatever the level asked for
// the targets.
std::string texte_log(bddpp_manager* m, const bdd& f);

#endif
