// One reaction computed with every input known, and the translations of
// an input valuation: into a cube of the encoding, into positions of the
// automaton's inputs. No compilation uses them.
#ifndef TARVEK_TARVEK_EXPLICITE_H
#define TARVEK_TARVEK_EXPLICITE_H

#include <ostream>
#include <set>

#include "bddpp.h"
#include "tarvek_compil.h"

// The reaction from the situation depart when the inputs of vraies are
// true and every other input false: it never splits. Ecp0 holds step-edge
// events known present. 0: *finale and *impulsions (output positions)
// receive the outcome; 1 (instability) and 2 (some transition neither fired
// nor certainly not fireable): *bad receives the transitions concerned.
//
// The candidates to firing are the transitions whose firing is certain
// (Tpf), which stay so once fired: an unguarded transition that fires is
// found again at the next iteration and reported as a cycle.
int PFI(tpen_BDD_fichier& f, std::set<int>& depart, std::set<int>& Ecp0, std::set<int>& vraies,
        std::set<int>* finale, std::set<int>* impulsions, std::set<int>* bad, bool explain,
        std::ostream& log);

// The cube of an input valuation: the event inputs of Ke, present when in
// Kp, then the boolean inputs of Kc, true when in Kt; constant 1 when Kc
// and Ke are empty.
bdd inputversbdd(tpen_BDD_fichier& f, std::set<int>& Kc, std::set<int>& Ke, std::set<int>& Kt,
                 std::set<int>& Kp);

// The automaton input positions of the encoding variables given, through
// the map of normalise_FBA; a variable without input is reported and left
// out.
std::set<int> correspondance_FBA_input(int* map, std::set<int> variables);

#endif
