// What the compiler's own files share: the parse of a condition text and the
// user errors that end a compilation, with their texts kept to the character.
#ifndef TARVEK_COMPIL_MESSAGES_H
#define TARVEK_COMPIL_MESSAGES_H

#include <string>
#include <vector>

#include "bddpp.h"
#include "gt_norm.h"

// erreur is cleared first. A text holding '/' or with unbalanced parentheses
// sets it like any syntax error; only the empty text gives 0 with erreur
// left at 0, which each caller judges for itself. The priority prefix of the
// text is not used. A condition that ends before its text does is refused
// too: "a=0" would otherwise be read as "a" without a word. non_lu then
// holds the text left unread, for the message; it is empty otherwise.
bdd analyse_condition(bddpp_manager* m, std::string const& texte, int& erreur,
                      std::string& non_lu);

// The refusals of a condition; non_lu, when not empty, adds the line that
// names the text left unread.
std::string message_receptivite(std::string const& texte, std::string const& non_lu);
std::string message_assertion(std::string const& texte, std::string const& non_lu);
std::string message_cond_action(std::string const& etape, std::string const& texte,
                                std::string const& non_lu);
// An action condition that reads a variable the automaton of the search
// does not have, such as a step's activation or an input's previous value.
std::string message_cond_action_sans_valeur(std::string const& etape, std::string const& texte,
                                            std::string const& output, std::string const& nom);
std::string message_nom_partage(std::string const& nom, std::string const& premier,
                                std::string const& second);

// A variable that a compilation names, with what it stands for in messages.
struct variable_nommee {
  std::string nom;
  std::string origine;
  bool d_etape;
};
std::string origine_input(std::string const& nom);
std::string origine_pre(std::string const& input);
std::string origine_etape(std::string const& etape);
std::string origine_output(std::string const& nom);
// Output j of the grafcet; the outputs that -simul adds are said to be so.
std::string origine_output(tpen_fichier& f, int j);

// A name given to two variables would be one variable of the manager, and
// every later stage that counts the variables would index past them: the
// first such name ends the run with its message. Two step variables of one
// name are left to the model check, which refuses two steps of one name
// before any compilation.
void verif_noms_partages(std::vector<variable_nommee> const& variables);

// The same refusal for the names of the symbolic automaton: its states,
// their next values, the inputs and its actions, which the writers print
// side by side. An output declared twice is one action there, and no
// refusal; an output that -simul adds is another thing than the declared
// output of its name.
void verif_noms_par_situations(tpen_fichier& f);

#endif
