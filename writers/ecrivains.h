// What every target writer shares: the names, initial values and next-state
// functions of the symbolic automaton as all writers read them, and the
// joining of name lists.
#ifndef TARVEK_ECRIVAINS_H
#define TARVEK_ECRIVAINS_H

#include <string>
#include <vector>

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

#endif
