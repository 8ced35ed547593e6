// The equational model of a grafcet: one register and six local signals per
// step, the firing condition of every transition added to the reset signal
// of its upstream steps and to the set signal of its downstream steps, and
// the actions gated by the activation or the activity of their step.
#ifndef TARVEK_SYSTEME_EQUATIONNEL_H
#define TARVEK_SYSTEME_EQUATIONNEL_H

#include <ostream>

#include "b_automaton.h"
#include "tarvek_compil.h"

// A new automaton, which the caller deletes. A name that two variables of
// the automaton would share, an action condition that does not parse, or a
// condition that reads a variable the automaton neither declares nor
// defines (the previous value of an input) ends the run with its message.
b_automaton* genere_systeme_equationnel(tpen_BDD_fichier& f, std::ostream& log);

#endif
