// The names that each target writes into its file, checked before any file
// is opened: the identifier rule and the reserved words of the file's
// language, in one table per language, and the other names of the same
// file. The writers rename nothing: their names are the caller's interface,
// so a name that the language cannot hold is refused with a message.
#ifndef TARVEK_NOMS_CIBLES_H
#define TARVEK_NOMS_CIBLES_H

#include <list>
#include <set>
#include <string>
#include <vector>

#include "FBA.h"
#include "b_automaton.h"

// A name as a writer prints it, with what it stands for in messages.
struct nom_ecrit {
  std::string nom;
  std::string origine;
  // A name that the file takes from its build environment on purpose
  // (setup() of a sketch, a module's sensitivity list): it is not checked
  // against that environment's names.
  bool de_l_environnement = false;
};

// Names that the build of a file already gives a meaning to, with why.
struct table_noms {
  const std::set<std::string>& (*noms)();
  const char* raison;
};

// What the language of a file accepts as a name. The reserved words and
// the further tables are in lower case when the language does not tell
// upper from lower case.
struct langage_cible {
  const char* nom;
  bool (*identificateur)(const std::string&);
  std::set<std::string> reserves;
  std::set<std::string> predefinis;  // names its compilers define before the file's first line
  bool casse_ignoree;
  // Why a name that breaks the rule is refused; by default it is "not an
  // identifier" of the language.
  const char* hors_regle = nullptr;
  // The C family keeps the names that begin with two underscores, or with
  // one and a capital, for its implementations.
  bool reserve_implementation = false;
  std::vector<table_noms> autres = {};
  size_t longueur_max = 0;  // 0: no bound
};

extern const langage_cible langage_c, langage_cpp, langage_arduino, langage_systemc, langage_vhdl,
    langage_blif, langage_lustre, langage_esterel, langage_csharp, langage_brimot,
    langage_vestrane, langage_sc, langage_latex;

// The keywords of C23 that C17 does not have, those of GNU C++ that ISO C++
// does not have, and the reserved words of VHDL-2008 that VHDL-93 does not
// have.
const std::set<std::string>& mots_c23();
const std::set<std::string>& mots_gnu_cpp();
const std::set<std::string>& mots_vhdl_2008();

// Whether a C-family implementation keeps the name for itself.
bool reserve_implementation(const std::string& nom);

// "" when a VHDL design can be named so, else the message: the entity
// would hide the ports' type, a name that the file's use clauses make
// visible, or a library.
std::string verif_module_vhdl(const std::string& cible, const std::string& module, int altera);

// "" when the file can hold every name, else the message of the first one
// it cannot hold. The units (a module, an architecture) live in a space of
// their own; within each space every name is also checked against the
// others. A name listed twice for the same thing is one name.
std::string verif_noms_fichier(const langage_cible& l, const std::string& cible,
                               const std::vector<nom_ecrit>& unites,
                               const std::vector<nom_ecrit>& noms);

// What the names of an automaton stand for in messages (inputs and outputs:
// origine_input and origine_output of the compiler).
std::string origine_module(const std::string& module);
std::string origine_etat(const std::string& nom);
std::string origine_suivant(const std::string& nom);
std::string origine_locale(const std::string& nom);

// Each name behind the prefix, standing for what `origine` says of it.
void ajoute_noms(std::vector<nom_ecrit>& r, const std::vector<std::string>& noms,
                 std::string (*origine)(const std::string&), const std::string& prefixe = "");

// A VHDL design's units: the entity named after the module and its
// architecture.
std::vector<nom_ecrit> unites_vhdl(const std::string& module);

// The names of an automaton as the writers read them: the symbolic automaton
// has no locals and no node network.
struct noms_automate {
  std::string module;
  bool equationnel = false;
  std::vector<std::string> entrees, sorties, etats, suivants, locales;
  long nbr_noeuds = 0;  // the node networks' element count (Bdd_total_size)
};
noms_automate noms_automate_de(const FBA& a);
noms_automate noms_automate_de(b_automaton& a, const std::string& module);

// The automaton's inputs, outputs, states, next states and locals, each
// behind the prefix.
std::vector<nom_ecrit> noms_variables(const noms_automate& a, const std::string& prefixe = "");

// The check of each target, before its writer runs: "" or the message.
std::string verif_noms_c(const noms_automate& a);
std::string verif_noms_ino(const noms_automate& a, const std::list<std::string>& evenements);
std::string verif_noms_vhdl(const noms_automate& a, int altera);
std::string verif_noms_vhdl_grafcet(const noms_automate& a, int altera);
std::string verif_noms_blif(const noms_automate& a);
std::string verif_noms_fba(const noms_automate& a);
std::string verif_noms_lustre(const noms_automate& a);
std::string verif_noms_vestrane(const noms_automate& a);
std::string verif_noms_esterel(const noms_automate& a);
std::string verif_noms_brimot(const noms_automate& a);
std::string verif_noms_sc(const noms_automate& a);
std::string verif_noms_csharp(const noms_automate& a);
std::string verif_noms_systemc(const noms_automate& a);
std::string verif_noms_latex(const noms_automate& a);

#endif
