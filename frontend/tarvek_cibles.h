// The names of the files of one run and the writing of the requested
// targets, in the fixed order of their writers.
#ifndef TARVEK_TARVEK_CIBLES_H
#define TARVEK_TARVEK_CIBLES_H

#include <list>
#include <memory>
#include <string>

#include "FBA.h"
#include "b_automaton.h"

class fichier_cible;

struct noms_compilation {
  std::string input, log, sc, brimot, lustre, esterel, blif, vune, fba, c, h, ino, vhdl, doc;
};

noms_compilation construit_noms(const std::string& base);

// A file of the run that cannot be written is an error: a run must not end
// as a success without the record or the target it was asked for.
[[noreturn]] void fichier_impossible(const std::string& nom);

// What the writers of one run receive: the automaton of the mode (the other
// one is null), the module name (equational mode), the cover method, and
// the event outputs taken before -simul added any.
struct contexte_cibles {
  const FBA* fba;
  b_automaton* automate;
  std::string module;
  int methode;
  std::list<std::string> evenements;
};

// Each requested target in its order: its file opened, its writer called,
// the file closed and put in place (the C source and its header both
// closed before either is put in place). A file that cannot be written
// stops the run with its name rather than end as a success without it.
// The documentation is given back written but not yet in place, for the
// CPU time of the run to end it; null without it.
std::unique_ptr<fichier_cible> ecrit_cibles(const contexte_cibles& ctx,
                                            const noms_compilation& noms);

// Before ecrit_cibles: the names that each requested target would write,
// against its language and the other names of its file. The first name
// that a target cannot hold ends the run with its message.
void verifie_noms_cibles(const contexte_cibles& ctx);

#endif
