// Readers of the written Lustre, Esterel and sc6 texts, for want of their
// compilers: each reads the file as its target language would and says
// what is wrong with it ("" when nothing is).
//  - Lustre: every name used is declared, every output and local is
//    defined exactly once and no input is, every register is
//    "X= true|false-> pre(Xnext);" and pre appears nowhere else.
//  - Esterel: every name tested is declared, only outputs and local
//    signals are emitted, every local signal but the states is emitted
//    exactly once and every output at most once in the loop, every state
//    has one instance of my_pre bound to its next-state signal, and only
//    the initial states are emitted outside the loop.
//  - sc6: the netlist read into nets, checked (numbers in order, counts as
//    announced, references within the nets, actions that are outputs) and
//    evaluated.
#ifndef TARVEK_TESTS_VERIF_CIBLES_H
#define TARVEK_TESTS_VERIF_CIBLES_H

#include <map>
#include <regex>
#include <string>
#include <utility>
#include <vector>

// The pattern compiled once for the whole run: the texts are read line by
// line, and compiling a pattern costs far more than matching a line. It is
// matched without backtracking: the default matcher recurses once per
// character, and the lines of a large sum of products overflow the stack
// of the sanitizer build.
const std::regex& motif(const std::string& texte);

// Every line that matches the pattern whole, as (first group, second group).
std::vector<std::pair<std::string, std::string>> definitions(const std::string& texte,
                                                             const std::regex& motif);

std::string verif_lustre(const std::string& texte);
std::string verif_esterel(const std::string& texte);

struct net_sc {
  std::string nom;
  std::string commentaire;    // the "-- " line above the net, without "-- "
  std::string definition;     // the line after the net's own, "" for an input
  std::vector<int> annonces;  // the signals announced by " out: s act: s"
  int entree = -1;            // the signal of an input net
  bool registre = false;
  bool valeur_initiale = false;
  int suivant = -1;  // a register's input net
};

struct netlist_sc {
  std::vector<std::string> entrees, sorties;  // signals, inputs first
  std::vector<net_sc> nets;
  int nbr_nets_annonce = -1;
  int nbr_registres_annonce = -1;
  std::string defauts;  // "" when the text is sound

  // The value of every net when the registers hold etat and the input
  // signals entrees; a net that reads itself is a fault of the text.
  std::vector<bool> evalue(const std::vector<bool>& etat, const std::vector<bool>& entrees) const;
};

netlist_sc lit_sc(const std::string& texte);

#endif
