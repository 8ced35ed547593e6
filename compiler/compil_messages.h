// What the compiler's own files share: the parse of a condition text and the
// user errors that end a compilation, with their texts kept to the character.
#ifndef TARVEK_COMPIL_MESSAGES_H
#define TARVEK_COMPIL_MESSAGES_H

#include <string>

#include "bddpp.h"

// erreur is cleared first: the parser leaves it at 0 for the texts it
// refuses before parsing (empty, holding '/', unbalanced parentheses), which
// give 0. The priority prefix of the text is not used.
bdd analyse_condition(bddpp_manager* m, std::string const& texte, int& erreur);

std::string message_receptivite(std::string const& texte);
std::string message_assertion(std::string const& texte);
std::string message_cond_action(std::string const& etape, std::string const& texte);
std::string message_nom_partage(std::string const& nom, std::string const& premier,
                                std::string const& second);

#endif
