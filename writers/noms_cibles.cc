// The identifier rule and the reserved words of every target language, and
// the check of the names of one file against them and against each other.
#include "noms_cibles.h"

#include <map>

#include "Stringcase.h"
#include "compil_messages.h"
#include "ecrivains.h"
#include "noms_environnements.h"

namespace {

bool lettre(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool chiffre(char c) { return c >= '0' && c <= '9'; }

// C, C++, C#, and the word formats: a letter or '_', then letters, digits
// and '_'.
bool identificateur_c(const std::string& s) {
  if (s.empty() || chiffre(s[0])) return false;
  for (char c : s)
    if (!lettre(c) && !chiffre(c) && c != '_') return false;
  return true;
}

// Lustre and Esterel: a letter first.
bool identificateur_lettre(const std::string& s) {
  return !s.empty() && lettre(s[0]) && identificateur_c(s);
}

// VHDL: a letter first, and a '_' only between two letters or digits.
bool identificateur_vhdl(const std::string& s) {
  if (s.empty() || !lettre(s[0]) || s.back() == '_') return false;
  for (size_t k = 1; k < s.size(); ++k)
    if (s[k] == '_' ? s[k - 1] == '_' : !lettre(s[k]) && !chiffre(s[k])) return false;
  return true;
}

bool imprimable(char c) { return c > ' ' && c <= '~'; }

// BLIF: blanks separate the names, '#' opens a comment and '\' continues a
// line; yosys keeps the names that begin with '$' for itself ($true,
// $false, $undef and the names it makes).
bool nom_blif(const std::string& s) {
  if (s.empty() || s[0] == '$') return false;
  for (char c : s)
    if (!imprimable(c) || c == '#' || c == '\\') return false;
  return true;
}

// sc: blanks and ':' separate the fields of a line.
bool nom_sc(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!imprimable(c) || c == ':') return false;
  return true;
}

// LaTeX: the names stand in mathematical mode with their '_' escaped;
// these characters would still open a command, a group, a comment, an
// alignment or the end of the formula, and an empty name would close it.
bool nom_latex(const std::string& s) {
  return !s.empty() && s.find_first_of("\\{}%#&$") == std::string::npos;
}

std::string message_nom(const std::string& cible, const nom_ecrit& n, const std::string& raison) {
  return "ERROR: the " + cible + " target cannot hold the name \"" + n.nom + "\" of " + n.origine +
         ": " + raison + " !!!\n    --> break compilation processing ...";
}

std::string cle(const langage_cible& l, const std::string& nom) {
  return l.casse_ignoree ? downcase(nom) : nom;
}

std::string verif_nom(const langage_cible& l, const std::string& cible, const nom_ecrit& n) {
  if (!l.identificateur(n.nom))
    return message_nom(
        cible, n, l.hors_regle ? l.hors_regle : std::string("it is not an identifier of ") + l.nom);
  if (l.longueur_max && n.nom.size() > l.longueur_max)
    return message_nom(cible, n,
                       "it is longer than " + std::to_string(l.longueur_max) + " characters");
  std::string c = cle(l, n.nom);
  if (l.reserves.count(c))
    return message_nom(cible, n, std::string("it is a reserved word of ") + l.nom);
  if (l.reserve_implementation && reserve_implementation(n.nom))
    return message_nom(cible, n, std::string("the implementations of ") + l.nom + " reserve it");
  if (l.predefinis.count(n.nom))
    return message_nom(cible, n, std::string("the compilers of ") + l.nom + " predefine it");
  return "";
}

// The further tables come after the check against the file's other names,
// which says more: an input "loop" of a sketch is first the sketch's loop().
std::string verif_autres(const langage_cible& l, const std::string& cible, const nom_ecrit& n) {
  if (n.de_l_environnement) return "";
  for (auto const& t : l.autres)
    if (t.noms().count(cle(l, n.nom))) return message_nom(cible, n, t.raison);
  return "";
}

}  // namespace

// ISO/IEC 9899:2018, 6.4.1.
const langage_cible langage_c = {
    "C",
    identificateur_c,
    {"auto",           "break",        "case",     "char",     "const",      "continue",
     "default",        "do",           "double",   "else",     "enum",       "extern",
     "float",          "for",          "goto",     "if",       "inline",     "int",
     "long",           "register",     "restrict", "return",   "short",      "signed",
     "sizeof",         "static",       "struct",   "switch",   "typedef",    "union",
     "unsigned",       "void",         "volatile", "while",    "_Alignas",   "_Alignof",
     "_Atomic",        "_Bool",        "_Complex", "_Generic", "_Imaginary", "_Noreturn",
     "_Static_assert", "_Thread_local"},
    {},
    false,
    nullptr,
    true,
    {{mots_c23, "it is a reserved word of C23"},
     {macros_c17, "it is a macro of the standard headers of C"}}};

// ISO/IEC 14882:2020, the keywords and the alternative tokens. The GNU
// compilers define AVR (avr-g++), linux and unix (on the host) as macros
// in their default dialects.
const langage_cible langage_cpp = {"C++",
                                   identificateur_c,
                                   {"alignas",       "alignof",     "and",
                                    "and_eq",        "asm",         "auto",
                                    "bitand",        "bitor",       "bool",
                                    "break",         "case",        "catch",
                                    "char",          "char8_t",     "char16_t",
                                    "char32_t",      "class",       "compl",
                                    "concept",       "const",       "consteval",
                                    "constexpr",     "constinit",   "const_cast",
                                    "continue",      "co_await",    "co_return",
                                    "co_yield",      "decltype",    "default",
                                    "delete",        "do",          "double",
                                    "dynamic_cast",  "else",        "enum",
                                    "explicit",      "export",      "extern",
                                    "false",         "float",       "for",
                                    "friend",        "goto",        "if",
                                    "inline",        "int",         "long",
                                    "mutable",       "namespace",   "new",
                                    "noexcept",      "not",         "not_eq",
                                    "nullptr",       "operator",    "or",
                                    "or_eq",         "private",     "protected",
                                    "public",        "register",    "reinterpret_cast",
                                    "requires",      "return",      "short",
                                    "signed",        "sizeof",      "static",
                                    "static_assert", "static_cast", "struct",
                                    "switch",        "template",    "this",
                                    "thread_local",  "throw",       "true",
                                    "try",           "typedef",     "typeid",
                                    "typename",      "union",       "unsigned",
                                    "using",         "virtual",     "void",
                                    "volatile",      "wchar_t",     "while",
                                    "xor",           "xor_eq"},
                                   {"AVR", "linux", "unix"},
                                   false,
                                   nullptr,
                                   true};

namespace {

langage_cible etend(const langage_cible& l, std::vector<table_noms> autres) {
  langage_cible r = l;
  r.autres = std::move(autres);
  return r;
}

}  // namespace

// The GNU compilers read their own keywords in their default dialects,
// which the Arduino IDE asks for (gnu++11) and g++ takes by default.
const langage_cible langage_arduino =
    etend(langage_cpp, {{mots_gnu_cpp, "it is a reserved word of GNU C++"},
                        {noms_arduino, "the Arduino core and its headers already define it"}});
const langage_cible langage_systemc =
    etend(langage_cpp, {{mots_gnu_cpp, "it is a reserved word of GNU C++"},
                        {noms_systemc, "systemc.h brings it into the module's scope"}});

// IEEE 1076-1993, 13.9; VHDL reads every name in lower case.
const langage_cible langage_vhdl = {
    "VHDL",
    identificateur_vhdl,
    {"abs",          "access",     "after",      "alias",     "all",       "and",
     "architecture", "array",      "assert",     "attribute", "begin",     "block",
     "body",         "buffer",     "bus",        "case",      "component", "configuration",
     "constant",     "disconnect", "downto",     "else",      "elsif",     "end",
     "entity",       "exit",       "file",       "for",       "function",  "generate",
     "generic",      "group",      "guarded",    "if",        "impure",    "in",
     "inertial",     "inout",      "is",         "label",     "library",   "linkage",
     "literal",      "loop",       "map",        "mod",       "nand",      "new",
     "next",         "nor",        "not",        "null",      "of",        "on",
     "open",         "or",         "others",     "out",       "package",   "port",
     "postponed",    "procedure",  "process",    "pure",      "range",     "record",
     "register",     "reject",     "rem",        "report",    "return",    "rol",
     "ror",          "select",     "severity",   "signal",    "shared",    "sla",
     "sll",          "sra",        "srl",        "subtype",   "then",      "to",
     "transport",    "type",       "unaffected", "units",     "until",     "use",
     "variable",     "wait",       "when",       "while",     "with",      "xnor",
     "xor"},
    {},
    true,
    nullptr,
    false,
    {{mots_vhdl_2008, "it is a reserved word of VHDL-2008"}},
    // The common simulators read no longer identifier.
    1023};

const langage_cible langage_blif = {"BLIF", nom_blif, {},
                                    {},     false,    "it is not a net name of BLIF"};

// The keywords of the Lustre V6 grammar.
const langage_cible langage_lustre = {
    "Lustre",
    identificateur_lettre,
    {"and",  "assert",  "body",  "bool",     "const",    "current", "div",     "else",   "end",
     "enum", "extern",  "false", "fby",      "function", "if",      "include", "int",    "is",
     "let",  "merge",   "mod",   "model",    "needs",    "node",    "nor",     "not",    "operator",
     "or",   "package", "pre",   "provides", "real",     "returns", "step",    "struct", "tel",
     "then", "true",    "type",  "unsafe",   "uses",     "var",     "when",    "with",   "xor"},
    {},
    false};

// The keywords of Esterel v5.
const langage_cible langage_esterel = {
    "Esterel",
    identificateur_lettre,
    {"abort",     "and",      "await",       "call",   "case",     "constant", "copymodule",
     "do",        "each",     "else",        "elsif",  "emit",     "end",      "every",
     "exec",      "exit",     "function",    "halt",   "handle",   "if",       "immediate",
     "in",        "input",    "inputoutput", "loop",   "mod",      "module",   "not",
     "nothing",   "or",       "output",      "pause",  "positive", "pre",      "present",
     "procedure", "relation", "repeat",      "return", "run",      "sensor",   "signal",
     "suspend",   "sustain",  "task",        "then",   "tick",     "timeout",  "times",
     "trap",      "type",     "upto",        "var",    "watching", "weak",     "when",
     "with"},
    {},
    false};

// ECMA-334, 7.4.4, with the words that mcs refuses as well.
const langage_cible langage_csharp = {
    "C#",
    identificateur_c,
    {"abstract", "as",         "base",      "bool",      "break",     "byte",     "case",
     "catch",    "char",       "checked",   "class",     "const",     "continue", "decimal",
     "default",  "delegate",   "do",        "double",    "else",      "enum",     "event",
     "explicit", "extern",     "false",     "finally",   "fixed",     "float",    "for",
     "foreach",  "goto",       "if",        "implicit",  "in",        "int",      "interface",
     "internal", "is",         "lock",      "long",      "namespace", "new",      "null",
     "object",   "operator",   "out",       "override",  "params",    "private",  "protected",
     "public",   "readonly",   "ref",       "return",    "sbyte",     "sealed",   "short",
     "sizeof",   "stackalloc", "static",    "string",    "struct",    "switch",   "this",
     "throw",    "true",       "try",       "typeof",    "uint",      "ulong",    "unchecked",
     "unsafe",   "ushort",     "using",     "virtual",   "void",      "volatile", "while",
     "await",    "__arglist",  "__makeref", "__reftype", "__refvalue"},
    {},
    false,
    nullptr,
    true};

// The boolean-equation formats: their formulas spell the operators as
// words between the names.
const langage_cible langage_brimot = {"BRIMOT", identificateur_c, {"and", "or", "not"}, {}, false};
const langage_cible langage_vestrane = {
    "Vestrane", identificateur_c, {"and", "or", "not"}, {}, false};

const langage_cible langage_sc = {"sc", nom_sc, {}, {}, false, "it is not a name of sc"};

const langage_cible langage_latex = {
    "LaTeX", nom_latex, {}, {}, false, "LaTeX reads some of its characters as markup"};

// ISO/IEC 9899:2024, 6.4.1: the keywords that C17 spells with an
// underscore and a capital, or as macros of its headers, and the new ones.
const std::set<std::string>& mots_c23() {
  static const std::set<std::string> mots = {
      "alignas",  "alignof",      "bool",   "constexpr",     "false", "nullptr",
      "static_assert", "thread_local", "true", "typeof", "typeof_unqual"};
  return mots;
}

// GCC's keywords beyond ISO C++; those that begin with two underscores
// are reserved to the implementation anyway.
const std::set<std::string>& mots_gnu_cpp() {
  static const std::set<std::string> mots = {
      "typeof",       "__typeof",    "__typeof__",  "__asm",       "__asm__",   "__attribute",
      "__attribute__", "__extension__", "__inline",  "__inline__",  "__restrict", "__restrict__",
      "__signed",     "__signed__",  "__volatile",  "__volatile__", "__const",   "__const__",
      "__complex",    "__complex__", "__real",      "__real__",    "__imag",    "__imag__",
      "__label__",    "__alignof",   "__alignof__", "__thread",    "__int128",  "__null",
      "_Complex"};
  return mots;
}

// IEEE 1076-2008, 15.10, beyond those of IEEE 1076-1993 (PSL's words among
// them).
const std::set<std::string>& mots_vhdl_2008() {
  static const std::set<std::string> mots = {
      "assume",   "assume_guarantee", "context",  "cover",  "default", "fairness",
      "force",    "parameter",        "property", "protected", "release", "restrict",
      "restrict_guarantee", "sequence", "strong",  "vmode",  "vprop",   "vunit"};
  return mots;
}

bool reserve_implementation(const std::string& nom) {
  return nom.size() > 1 && nom[0] == '_' && (nom[1] == '_' || (nom[1] >= 'A' && nom[1] <= 'Z'));
}

std::string verif_module_vhdl(const std::string& cible, const std::string& module, int altera) {
  nom_ecrit n = {module, origine_module(module)};
  std::string m = downcase(module);
  if (m == type_vhdl(altera))
    return message_nom(cible, n, "it is also the name of the signal type");
  for (const char* b : {"work", "std", "ieee"})
    if (m == b) return message_nom(cible, n, std::string("it is also the name of the library \"") + b + "\"");
  if (altera && noms_ieee().count(m))
    return message_nom(cible, n, "it is also a name that the file's use clauses make visible");
  return "";
}

namespace {

// Each name checked alone, then against the names before it.
std::string verif_espace(const langage_cible& l, const std::string& cible,
                         const std::vector<nom_ecrit>& noms) {
  std::map<std::string, const nom_ecrit*> vus;
  for (auto const& n : noms) {
    std::string m = verif_nom(l, cible, n);
    if (!m.empty()) return m;
    auto [it, nouveau] = vus.emplace(cle(l, n.nom), &n);
    const nom_ecrit& autre = *it->second;
    if (nouveau || (autre.nom == n.nom && autre.origine == n.origine)) {
      m = verif_autres(l, cible, n);
      if (!m.empty()) return m;
      continue;
    }
    if (autre.nom == n.nom) return message_nom(cible, n, "it is also the name of " + autre.origine);
    return message_nom(cible, n,
                       std::string(l.nom) + " does not tell it from the name \"" + autre.nom +
                           "\" of " + autre.origine);
  }
  return "";
}

}  // namespace

std::string verif_noms_fichier(const langage_cible& l, const std::string& cible,
                               const std::vector<nom_ecrit>& unites,
                               const std::vector<nom_ecrit>& noms) {
  std::string m = verif_espace(l, cible, unites);
  return m.empty() ? verif_espace(l, cible, noms) : m;
}

std::vector<nom_ecrit> unites_vhdl(const std::string& module) {
  return {{module, origine_module(module)},
          {module + "_a", "the architecture of the module \"" + module + "\""}};
}

std::string origine_module(const std::string& module) { return "the module \"" + module + "\""; }
std::string origine_etat(const std::string& nom) { return "the state variable \"" + nom + "\""; }
std::string origine_suivant(const std::string& nom) {
  return "the next-state variable \"" + nom + "\"";
}
std::string origine_locale(const std::string& nom) { return "the local variable \"" + nom + "\""; }

void ajoute_noms(std::vector<nom_ecrit>& r, const std::vector<std::string>& noms,
                 std::string (*origine)(const std::string&), const std::string& prefixe) {
  for (auto const& n : noms) r.push_back({prefixe + n, origine(n)});
}

std::vector<nom_ecrit> noms_variables(const noms_automate& a, const std::string& prefixe) {
  std::vector<nom_ecrit> n;
  ajoute_noms(n, a.entrees, origine_input, prefixe);
  ajoute_noms(n, a.sorties, origine_output, prefixe);
  ajoute_noms(n, a.etats, origine_etat, prefixe);
  ajoute_noms(n, a.suivants, origine_suivant, prefixe);
  ajoute_noms(n, a.locales, origine_locale, prefixe);
  return n;
}

noms_automate noms_automate_de(const FBA& a) {
  noms_automate r;
  r.module = a.name;
  r.entrees = fba_noms_entrees(a);
  r.sorties = fba_noms_actions(a);
  r.etats = fba_noms_etats(a);
  r.suivants = fba_noms_etats_suivants(a);
  return r;
}

noms_automate noms_automate_de(b_automaton& a, const std::string& module) {
  auto vecteur = [](const std::list<std::string>& l) {
    return std::vector<std::string>(l.begin(), l.end());
  };
  noms_automate r;
  r.module = module;
  r.equationnel = true;
  r.entrees = vecteur(a.inputs_list());
  r.sorties = vecteur(a.outputs_list());
  r.etats = vecteur(a.state_vars_list());
  r.suivants = vecteur(a.next_state_vars_list());
  r.locales = vecteur(a.locals_list());
  bddpp_manager* m = a.manager_associe();
  r.nbr_noeuds = m ? m->Bdd_total_size() : 0;
  return r;
}
