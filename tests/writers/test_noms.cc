// The names that each target writes into its file, through the binary and,
// for the writers that no option reaches, in-process: one table of names
// per target, each refused with its message and no file, or accepted and
// its file read by the target's own tool; the reserved words of the tables
// confirmed by the compilers; charts of plain names, which pass every tool,
// and charts whose names are drawn from the reserved words of every
// language, the writers' own names and plain names, in both modes and with
// every target.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "Stringcase.h"
#include "automate_test.h"
#include "noms_cibles.h"
#include "noms_environnements.h"
#include "noms_test.h"

namespace {

charte ch(std::vector<std::string> entrees, std::vector<std::string> sorties = {"o"},
          std::string module = "m", std::string evenement = "") {
  return {module, entrees, sorties, evenement};
}

std::string entree(const std::string& n) { return "the input \"" + n + "\""; }
std::string sortie(const std::string& n) { return "the output \"" + n + "\""; }
std::string aussi(const std::string& origine) { return "it is also the name of " + origine; }
std::string non_identificateur(const std::string& langage) {
  return "it is not an identifier of " + langage;
}
std::string reserve(const std::string& langage) { return "it is a reserved word of " + langage; }
std::string implementation(const std::string& langage) {
  return "the implementations of " + langage + " reserve it";
}
const std::string noyau_arduino = "the Arduino core and its headers already define it",
                  macro_c = "it is a macro of the standard headers of C",
                  portee_systemc = "systemc.h brings it into the module's scope",
                  clauses_use = "it is also a name that the file's use clauses make visible";

bool finit_par(const std::string& texte, const std::string& fin) {
  return texte.size() >= fin.size() &&
         texte.compare(texte.size() - fin.size(), fin.size(), fin) == 0;
}

struct cas_nom {
  std::string option;
  bool equationnel;
  charte c;
  std::string attendu;  // the refusal, "" when the run writes its files
};

TEST(NomsCibles, OneTablePerTarget) {
  const std::string vhdl = "VHDL", net_blif = "it is not a net name of BLIF";
  const cas_nom table[] = {
      // C: every name behind the module's prefix.
      {"-c", false, ch({"a"}, {"o"}, "12a"),
       refus("C", "12a_reset_automaton", "the reset function", non_identificateur("C"))},
      {"-c", true, ch({"a"}, {"o"}, "12a"),
       refus("C", "12a_reset_automaton", "the reset function", non_identificateur("C"))},
      {"-c", false, ch({"a", "automaton"}),
       refus("C", "m_automaton", entree("automaton"), aussi("the reaction function"))},
      {"-c", false, ch({"a", "a b"}), refus("C", "m_a b", entree("a b"), non_identificateur("C"))},
      {"-c", false, ch({"assert"}, {"o"}, "_Static"),
       refus("C", "_Static_reset_automaton", "the reset function", implementation("C"))},
      {"-c", true, ch({"def_node"}),
       refus("C", "m_def_node", "the node array", aussi(entree("def_node")))},
      {"-c", false, ch({"def_node", "int"}, {"class"}, "static"), ""},
      {"-c", true, ch({"int", "open", "tel"}, {"class"}, "static"), ""},
      // The names of C's implementations, C23's keywords, prefix joins
      // included.
      {"-c", false, ch({"LINE__"}, {"o"}, "_"),
       refus("C", "__reset_automaton", "the reset function", implementation("C"))},
      {"-c", true, ch({"a"}, {"o"}, "_X"),
       refus("C", "_X_reset_automaton", "the reset function", implementation("C"))},
      {"-c", true, ch({"assert"}, {"o"}, "static"),
       refus("C", "static_assert", entree("assert"), reserve("C23"))},
      {"-c", false, ch({"local"}, {"o"}, "thread"),
       refus("C", "thread_local", entree("local"), reserve("C23"))},
      {"-c", false, ch({"unqual"}, {"o"}, "typeof"),
       refus("C", "typeof_unqual", entree("unqual"), reserve("C23"))},
      {"-c", false, ch({"set", "Max", "bool", "true"}, {"nullptr"}, "SEEK"), ""},
      {"-c", true, ch({"set", "Max", "bool", "true"}, {"nullptr"}, "SEEK"), ""},
      // Arduino: the user's functions bear the plain names.
      {"-ino", false, ch({"int"}), refus("Arduino", "int", entree("int"), reserve("C++"))},
      {"-ino", true, ch({"a"}, {"o"}, "m", "class"),
       refus("Arduino", "class", sortie("class"), reserve("C++"))},
      {"-ino", false, ch({"loop"}),
       refus("Arduino", "loop", entree("loop"), aussi("the sketch's function loop"))},
      {"-ino", false, ch({"a", "o_true"}),
       refus("Arduino", "o_true", sortie("o"), aussi(entree("o_true")))},
      {"-ino", true, ch({"AVR"}),
       refus("Arduino", "AVR", entree("AVR"), "the compilers of C++ predefine it")},
      {"-ino", false, ch({"a", "main"}),
       refus("Arduino", "main", entree("main"),
             aussi("the function main of the Arduino environment"))},
      {"-ino", true, ch({"def_node"}),
       refus("Arduino", "m_def_node", "the node array", aussi(entree("def_node")))},
      {"-ino", false, ch({"Int", "auto_"}, {"class"}, "int"), ""},
      {"-ino", true, ch({"Int", "auto_"}, {"class"}, "int"), ""},
      // The core's own set-up, which a user's function would replace, a
      // macro joined from the module and an input, GNU C++'s keywords and
      // the names of the implementations.
      {"-ino", false, ch({"a"}, {"o"}, "m", "init"),
       refus("Arduino", "init", sortie("init"), noyau_arduino)},
      {"-ino", true, ch({"BUILTIN"}, {"o"}, "LED"),
       refus("Arduino", "LED_BUILTIN", entree("BUILTIN"), noyau_arduino)},
      {"-ino", false, ch({"typeof"}), refus("Arduino", "typeof", entree("typeof"),
                                            reserve("GNU C++"))},
      {"-ino", true, ch({"_Pin"}), refus("Arduino", "_Pin", entree("_Pin"), implementation("C++"))},
      {"-ino", false, ch({"LINE__"}, {"o"}, "_"),
       refus("Arduino", "__X1", "the state variable \"X1\"", implementation("C++"))},
      {"-ino", false, ch({"Min", "serial", "high", "ledPin", "_pin"}, {"lamp"}, "LED"), ""},
      {"-ino", true, ch({"Min", "serial", "high", "ledPin", "_pin"}, {"lamp"}, "LED"), ""},
      // VHDL: both designs, and upper and lower case alike.
      {"-vhdl", false, ch({"a", "reset"}),
       refus(vhdl, "m_reset", "the reset port", aussi(entree("reset")))},
      {"-vhdl", true, ch({"a", "clk"}), refus(vhdl, "clk", "the clock port", aussi(entree("clk")))},
      {"-vhdl", false, ch({"x", "xnext"}),
       refus(vhdl, "xnext", "the next value of the input \"x\"", aussi(entree("xnext")))},
      {"-vhdl", true, ch({"x", "xnext"}), ""},
      {"-vhdl", false, ch({"a", "open"}), refus(vhdl, "open", entree("open"), reserve(vhdl))},
      {"-vhdl", true, ch({"a", "out"}), refus(vhdl, "out", entree("out"), reserve(vhdl))},
      {"-vhdl", true, ch({"a"}, {"Signal"}),
       refus(vhdl, "Signal", sortie("Signal"), reserve(vhdl))},
      {"-vhdl", false, ch({"a"}, {"Signal"}), ""},  // a port behind the prefix
      {"-altera", true, ch({"a", "IN"}), refus(vhdl, "IN", entree("IN"), reserve(vhdl))},
      {"-vhdl", false, ch({"A", "a"}),
       refus(vhdl, "m_a", entree("a"),
             "VHDL does not tell it from the name \"m_A\" of " + entree("A"))},
      {"-vhdl", false, ch({"x1"}),
       refus(vhdl, "X1", "the state variable \"X1\"",
             "VHDL does not tell it from the name \"x1\" of " + entree("x1"))},
      {"-vhdl", true, ch({"a__b"}), refus(vhdl, "a__b", entree("a__b"), non_identificateur(vhdl))},
      {"-vhdl", false, ch({"_a"}), refus(vhdl, "m__a", entree("_a"), non_identificateur(vhdl))},
      {"-vhdl", true, ch({"a_"}), refus(vhdl, "a_", entree("a_"), non_identificateur(vhdl))},
      {"-vhdl", false, ch({"a"}, {"o"}, "entity"),
       refus(vhdl, "entity", "the module \"entity\"", reserve(vhdl))},
      {"-vhdl", false, ch({"bit"}), refus(vhdl, "bit", "the signal type", aussi(entree("bit")))},
      {"-altera", true, ch({"bit"}), ""},
      {"-altera", false, ch({"std_logic"}),
       refus(vhdl, "std_logic", "the signal type", aussi(entree("std_logic")))},
      {"-vhdl", true, ch({"m_node"}),
       refus(vhdl, "m_node", "the node array", aussi(entree("m_node")))},
      // The module against the ports' type, the libraries and what the use
      // clauses make visible; VHDL-2008's reserved words.
      {"-vhdl", false, ch({"a"}, {"o"}, "Bit"),
       refus(vhdl, "Bit", "the module \"Bit\"", aussi("the signal type"))},
      {"-altera", true, ch({"a"}, {"o"}, "std_logic"),
       refus(vhdl, "std_logic", "the module \"std_logic\"", aussi("the signal type"))},
      {"-altera", false, ch({"a"}, {"o"}, "rising_edge"),
       refus(vhdl, "rising_edge", "the module \"rising_edge\"", clauses_use)},
      {"-vhdl", true, ch({"a"}, {"o"}, "work"),
       refus(vhdl, "work", "the module \"work\"", "it is also the name of the library \"work\"")},
      {"-altera", false, ch({"a"}, {"o"}, "IEEE"),
       refus(vhdl, "IEEE", "the module \"IEEE\"", "it is also the name of the library \"ieee\"")},
      {"-vhdl", false, ch({"a"}, {"o"}, "std"),
       refus(vhdl, "std", "the module \"std\"", "it is also the name of the library \"std\"")},
      {"-vhdl", true, ch({"a"}, {"o"}, "std_logic"), ""},
      {"-altera", true, ch({"a"}, {"o"}, "bit"), ""},
      {"-vhdl", true, ch({"a", "default"}),
       refus(vhdl, "default", entree("default"), reserve("VHDL-2008"))},
      {"-altera", false, ch({"a", "Vunit"}),
       refus(vhdl, "Vunit", entree("Vunit"), reserve("VHDL-2008"))},
      {"-vhdl", false, ch({"a"}, {"o"}, "protected"),
       refus(vhdl, "protected", "the module \"protected\"", reserve("VHDL-2008"))},
      {"-vhdl", false, ch({"opened", "x_1"}, {"signal_out"}, "next_gen"), ""},
      {"-vhdl", true, ch({"opened", "x_1"}, {"signal_out"}, "next_gen"), ""},
      // BLIF and the state-change file: blanks, comments and continuations.
      {"-blif", false, ch({"a b"}), refus("BLIF", "a b", entree("a b"), net_blif)},
      {"-blif", true, ch({"a#b"}), refus("BLIF", "a#b", entree("a#b"), net_blif)},
      {"-blif", false, ch({"$x"}), refus("BLIF", "$x", entree("$x"), net_blif)},
      {"-blif", true, ch({"a\\b"}), refus("BLIF", "a\\b", entree("a\\b"), net_blif)},
      {"-blif", true, ch({"node_3"}),
       refus("BLIF", "node_3", "a node of the network", aussi(entree("node_3")))},
      {"-blif", false, ch({"node_3"}), ""},
      {"-blif", false, ch({"a.b", "a[0]", "0"}, {"o"}, "12a"), ""},
      {"-blif", true, ch({"a.b", "a[0]", "0"}, {"o"}, "12a"), ""},
      {"-intern", false, ch({"a b"}), refus("state-change", "a b", entree("a b"), net_blif)},
      {"-intern", false, ch({"a.b"}), ""},
      // Lustre, Esterel, Vestrane, BRIMOT and sc.
      {"-lustre", false, ch({"node"}), refus("Lustre", "node", entree("node"), reserve("Lustre"))},
      {"-lustre", true, ch({"a"}, {"tel"}),
       refus("Lustre", "tel", sortie("tel"), reserve("Lustre"))},
      {"-lustre", false, ch({"_a"}),
       refus("Lustre", "_a", entree("_a"), non_identificateur("Lustre"))},
      {"-lustre", false, ch({"a_1", "Node"}), ""},
      {"-lustre", true, ch({"a_1", "Node"}), ""},
      {"-esterel", false, ch({"emit"}),
       refus("Esterel", "emit", entree("emit"), reserve("Esterel"))},
      {"-esterel", true, ch({"a", "tick"}),
       refus("Esterel", "tick", entree("tick"), reserve("Esterel"))},
      {"-esterel", false, ch({"a"}, {"o"}, "my_pre"),
       refus("Esterel", "my_pre", "the module \"my_pre\"", aussi("the register module my_pre"))},
      {"-esterel", false, ch({"a_1"}, {"Emit"}), ""},
      {"-esterel", true, ch({"a_1"}, {"Emit"}), ""},
      {"-vune", true, ch({"a", "and"}),
       refus("Vestrane", "and", entree("and"), reserve("Vestrane"))},
      {"-vune", false, ch({"a.b"}),
       refus("Vestrane", "a.b", entree("a.b"), non_identificateur("Vestrane"))},
      {"-vune", false, ch({"go"}), ""},
      {"-brimot", false, ch({"a", "not"}),
       refus("BRIMOT", "not", entree("not"), reserve("BRIMOT"))},
      {"-brimot", true, ch({"a", "not"}), ""},  // no BRIMOT file in the equational mode
      {"-sc", false, ch({"a:b"}), refus("sc", "a:b", entree("a:b"), "it is not a name of sc")},
      {"-sc", false, ch({"a.b"}), ""},
      {"-sc", true, ch({"a:b"}), ""},  // no netlist in the equational mode
      {"-doc", false, ch({"a b", "open", "node"}), ""},
  };
  std::vector<cas_nom> cas(std::begin(table), std::end(table));
  // What the Arduino core and avr-libc's headers give a meaning to, in
  // both modes: macros, functions, objects and registers.
  bool eq = false;
  for (const char* n : {"min", "max", "abs", "round", "HIGH", "PI", "A0", "Serial", "millis",
                        "random", "ADC", "PORTB", "B1", "DEC", "String", "yield", "boolean"}) {
    cas.push_back({"-ino", eq, ch({n}), refus("Arduino", n, entree(n), noyau_arduino)});
    eq = !eq;
  }
  // C: the macros of the standard headers that the driver includes before
  // the header, under the module's prefix.
  for (auto const& [module, nom] : std::vector<std::pair<std::string, std::string>>{
           {"SEEK", "SET"}, {"EXIT", "FAILURE"}, {"INT", "MAX"}, {"va", "arg"}, {"BIG", "ENDIAN"},
           {"L", "tmpnam"}, {"math", "errhandling"}}) {
    cas.push_back({"-c", eq, ch({nom}, {"o"}, module),
                   refus("C", module + "_" + nom, entree(nom), macro_c)});
    eq = !eq;
  }
  // VHDL: a name longer than the simulators read; the longest name of the
  // accepted design, the input's next value, has 1023 characters.
  const std::string long_ = std::string(1024, 'a'), juste = std::string(1019, 'b');
  cas.push_back({"-vhdl", true, ch({long_}), refus(vhdl, long_, entree(long_),
                                                 "it is longer than 1023 characters")});
  cas.push_back({"-vhdl", false, ch({juste}), ""});
  std::string d = scratch_dir("writers_names_table");
  fichiers_a_juger lots;
  int k = 0;
  for (auto const& c : cas) {
    std::vector<std::string> options = {c.option};
    if (c.equationnel) options.push_back("-equational");
    std::string base = "t" + std::to_string(k++);
    SCOPED_TRACE(base + " " + c.option + (c.equationnel ? " -equational" : ""));
    run_result r = lance_cible(d, base, texte_charte(c.c), options, lots);
    if (c.attendu.empty()) {
      EXPECT_EQ(r.exit_code, 0) << r.err;
    } else {
      EXPECT_EQ(r.exit_code, 1);
      EXPECT_TRUE(finit_par(r.err, c.attendu)) << r.err << "\nexpected:\n" << c.attendu;
    }
  }
  juge_fichiers(d, lots);
  // A node without inputs takes a parameter of its own.
  write_file(d + "/u.gt",
             "Name: u Input: EndInput: Output: \"useless\" : bool EndOutput: Step: IS: 1 0 0 "
             "Action: 0 \"N\" : \"1\" EndAction: EndStep: Transition: EndTransition: Link: "
             "EndLinkTable: Assertion: EndAssertion:");
  for (bool eq : {false, true}) {
    std::vector<std::string> args = {tarvek_path(), "u.gt", "-lustre"};
    if (eq) args.push_back("-equational");
    run_result r = run_tool(args, d);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_TRUE(
        finit_par(r.err, refus("Lustre", "useless", "the parameter of a node without inputs",
                               aussi(sortie("useless")))))
        << r.err;
    EXPECT_FALSE(file_exists(d + "/u.lus"));
  }
}

struct cas_classe {
  std::string cible;
  bool equationnel;
  charte c;
  std::string attendu;
};

std::string verif_cible(const std::string& cible, const noms_automate& n) {
  if (cible == "C#") return verif_noms_csharp(n);
  if (cible == "SystemC") return verif_noms_systemc(n);
  if (cible == "LaTeX") return verif_noms_latex(n);
  return verif_noms_vhdl_grafcet(n, 1);
}

// The writers that no option reaches, on automata compiled in-process.
TEST(NomsCibles, OneTablePerTargetThatNoOptionReaches) {
  const std::string g = "grafcet VHDL", markup = "LaTeX reads some of its characters as markup";
  const cas_classe table[] = {
      {"C#", false, ch({"a", "value"}),
       refus("C#", "value", "the parameter of the properties' setters", aussi(entree("value")))},
      {"C#", true, ch({"a", "React"}),
       refus("C#", "React", "the method React", aussi(entree("React")))},
      {"C#", false, ch({"class"}), refus("C#", "class", entree("class"), reserve("C#"))},
      {"C#", false, ch({"a", "P_a"}),
       refus("C#", "P_a", "the property of the input \"a\"", aussi(entree("P_a")))},
      {"C#", true, ch({"a", "m"}), refus("C#", "m", entree("m"), aussi("the module \"m\""))},
      {"C#", true, ch({"a", "m_a"}), refus("C#", "m_a", entree("a"), aussi(entree("m_a")))},
      {"C#", false, ch({"Value", "react"}, {"Class"}), ""},
      {"C#", true, ch({"Value", "react"}, {"Class"}), ""},
      {"SystemC", true, ch({"a", "sensitive"}),
       refus("SystemC", "sensitive", entree("sensitive"),
             aussi("the sensitivity list of the module"))},
      {"SystemC", true, ch({"a", "m_H"}),
       refus("SystemC", "m_H", entree("m_H"), aussi("the include guard"))},
      {"SystemC", true, ch({"int"}), refus("SystemC", "int", entree("int"), reserve("C++"))},
      {"SystemC", true, ch({"a", "reset"}),
       refus("SystemC", "reset", entree("reset"), aussi("the reset port"))},
      {"SystemC", true, ch({"a", "sc_in"}), refus("SystemC", "sc_in", entree("sc_in"), portee_systemc)},
      {"SystemC", true, ch({"a"}, {"sensitive_pos"}),
       refus("SystemC", "sensitive_pos", sortie("sensitive_pos"), portee_systemc)},
      {"SystemC", true, ch({"a", "wait"}), refus("SystemC", "wait", entree("wait"), portee_systemc)},
      {"SystemC", true, ch({"a", "SC_MODULE"}),
       refus("SystemC", "SC_MODULE", entree("SC_MODULE"), portee_systemc)},
      {"SystemC", true, ch({"a", "typeof"}),
       refus("SystemC", "typeof", entree("typeof"), reserve("GNU C++"))},
      {"SystemC", true, ch({"a", "__x"}), refus("SystemC", "__x", entree("__x"), implementation("C++"))},
      {"SystemC", true, ch({"go", "Reset"}), ""},
      {"SystemC", true, ch({"go", "sc_In", "Wait"}, {"sensitive_up"}), ""},
      {"C#", false, ch({"a", "__x"}), refus("C#", "__x", entree("__x"), implementation("C#"))},
      {"C#", true, ch({"a"}, {"_Out"}), refus("C#", "_Out", sortie("_Out"), implementation("C#"))},
      {"C#", false, ch({"_a", "a__b"}), ""},
      {g, false, ch({"a"}, {"o"}, "shl"), refus(g, "shl", "the module \"shl\"", clauses_use)},
      {g, false, ch({"a", "vmode"}), refus(g, "vmode", entree("vmode"), reserve("VHDL-2008"))},
      {g, false, ch({"a", "reset"}), refus(g, "reset", "the reset port", aussi(entree("reset")))},
      {g, false, ch({"std_logic"}),
       refus(g, "std_logic", "the signal type", aussi(entree("std_logic")))},
      {g, false, ch({"bit", "go"}), ""},
      {"LaTeX", false, ch({"a", "a%b"}), refus("LaTeX", "a%b", entree("a%b"), markup)},
      {"LaTeX", true, ch({"a"}, {"o{"}), refus("LaTeX", "o{", sortie("o{"), markup)},
      {"LaTeX", false, ch({"a<b", "a.b", "a[0]", "a b"}, {"a'b", "a~b"}), ""},
      {"LaTeX", true, ch({"a<b", "a.b", "a[0]", "a b"}, {"a'b", "a~b"}), ""},
  };
  std::string d = scratch_dir("writers_names_classes");
  classes_a_juger lots;
  int k = 0;
  for (auto const& c : table) {
    std::string texte = texte_charte(c.c), base = "c" + std::to_string(k++);
    SCOPED_TRACE(base + " " + c.cible + (c.equationnel ? " equational" : ""));
    compilation_test fba;
    compilation_eq eq;
    if (c.equationnel)
      eq = compile_equationnel(texte);
    else
      fba = compile_texte(texte);
    noms_automate n = c.equationnel ? noms_automate_de(*eq.automate, c.c.module)
                                    : noms_automate_de(*fba.automate);
    std::string m = verif_cible(c.cible, n);
    EXPECT_EQ(m.empty() ? "" : m + "\n", c.attendu);
    // A file whose names pass is read by its tool, even where the table
    // expects a refusal.
    if (!m.empty()) continue;
    if (c.cible != "LaTeX") {
      ecrit_classes(d, base, fba.automate.get(), eq.automate.get(), c.c.module, lots);
      continue;
    }
    std::ostringstream tex;
    if (c.equationnel)
      eq.automate->LATEX_put(tex, 0, c.c.module);
    else
      fba.automate->LATEX_put(tex, 0);
    write_file(d + "/" + base + ".tex", tex.str());
    run_result r = run_tool(
        {outil("pdflatex"), "-halt-on-error", "-interaction=nonstopmode", base + ".tex"}, d, 60);
    EXPECT_EQ(r.exit_code, 0) << r.out;
  }
  juge_classes(d, lots);
}

// The lines of the file that the tool's report marks as wrong.
std::set<int> lignes_refusees(const run_result& r, const std::string& fichier) {
  std::set<int> l;
  for (auto const& x : lignes(r.err + r.out))
    if (x.rfind(fichier + ":", 0) == 0 && x.find("warning") == std::string::npos &&
        x.find("note:") == std::string::npos)
      l.insert(std::atoi(x.c_str() + fichier.size() + 1));
  return l;
}

// One line per word, the word standing where the writers put a name: the
// tool must find every line wrong.
void confirme(const std::string& nom, const std::vector<std::string>& mots,
              const std::string& modele, const std::string& fichier,
              std::vector<std::string> commande) {
  std::string d = scratch_dir("writers_names_words_" + nom), texte;
  for (size_t k = 0; k < mots.size(); ++k)
    texte += remplit(modele, {{"@W", mots[k]}, {"@K", std::to_string(k)}}) + "\n";
  write_file(d + "/" + fichier, texte);
  commande.push_back(fichier);
  std::set<int> l = lignes_refusees(run_tool(commande, d, 300), fichier);
  for (size_t k = 0; k < mots.size(); ++k)
    EXPECT_TRUE(l.count(static_cast<int>(k) + 1)) << nom << " accepts " << mots[k];
}

std::vector<std::string> mots(const std::set<std::string>& s) { return {s.begin(), s.end()}; }

TEST(NomsCibles, ReservedWordsAreRefusedByTheCompilers) {
  for (auto const& o : {"gcc", "g++", "avr-g++", "ghdl", "mcs", "clang-14"})
    ASSERT_NE(outil(o), "") << o;
  const std::string variable = "void f@K(void) { int @W = 0; (void)@W; }";
  confirme("c", mots(langage_c.reserves), variable, "k.c",
           {outil("gcc"), "-std=c17", "-fsyntax-only"});
  confirme("cpp", mots(langage_cpp.reserves), variable, "k.cc",
           {outil("g++"), "-std=c++20", "-fsyntax-only"});
  confirme("avr", {"AVR"}, variable, "k.cc",
           {outil("avr-g++"), "-x", "c++", "-mmcu=atmega328p", "-fsyntax-only"});
  confirme("host", {"linux", "unix"}, variable, "k.cc", {outil("g++"), "-fsyntax-only"});
  // GNU C++'s keywords in the dialects of the IDE and of g++.
  confirme("gnu_avr", mots(mots_gnu_cpp()), variable, "k.cc",
           {outil("avr-g++"), "-std=gnu++11", "-mmcu=atmega328p", "-fsyntax-only"});
  confirme("gnu", mots(mots_gnu_cpp()), variable, "k.cc", {outil("g++"), "-fsyntax-only"});
  // Of C23's keywords, gcc 12 and clang 14 know only typeof, in their GNU
  // dialect: the others stand in the table alone.
  confirme("c23", {"typeof"}, variable, "k.c", {outil("gcc"), "-std=gnu2x", "-fsyntax-only"});
  confirme("c23_clang", {"typeof"}, variable, "k.c",
           {outil("clang-14"), "-std=gnu2x", "-fsyntax-only"});
  // VHDL in lower and in upper case alike.
  std::vector<std::string> vhdl;
  for (auto const& w : langage_vhdl.reserves)
    for (std::string m : {w, upcase(w)}) vhdl.push_back(m);
  confirme("vhdl", vhdl, "entity e@K is port(@W : in bit); end;", "k.vhd",
           {outil("ghdl"), "-s", "--std=93", "-fmax-errors=1000"});
  // PSL's assume_guarantee, fairness and strong are reserved words of
  // VHDL-2008 that ghdl 2.0 still reads as identifiers.
  std::vector<std::string> vhdl_2008;
  for (auto const& w : mots_vhdl_2008())
    if (w != "assume_guarantee" && w != "fairness" && w != "strong")
      for (std::string m : {w, upcase(w)}) vhdl_2008.push_back(m);
  confirme("vhdl_2008", vhdl_2008, "entity e@K is port(@W : in bit); end;", "k.vhd",
           {outil("ghdl"), "-s", "--std=08", "-fmax-errors=1000"});
  // mcs does not go on after a class that does not parse: a file each.
  std::string d = scratch_dir("writers_names_words_csharp");
  std::vector<std::string> commande = {outil("mcs"), "-target:library", "-warn:0", "-out:k.dll"};
  for (auto const& w : langage_csharp.reserves) {
    std::string f = "k" + std::to_string(commande.size()) + ".cs";
    write_file(d + "/" + f, "public class " + f.substr(0, f.size() - 3) + " { private bool " + w +
                                "; public bool P { get { return " + w + "; } } }\n");
    commande.push_back(f);
  }
  run_result r = run_tool(commande, d, 120);
  std::set<std::string> refuses;
  for (auto const& x : lignes(r.err + r.out))
    if (x.find("error") != std::string::npos) refuses.insert(x.substr(0, x.find('(')));
  size_t k = 4;
  for (auto const& w : langage_csharp.reserves)
    EXPECT_TRUE(refuses.count(commande[k++])) << "mcs accepts " << w;
}

// What a .gt file can hold as an input or output name.
bool nom_gt(const std::string& n) {
  for (char c : n)
    if (c < ' ' || c > '~' || std::string("\"-/@^|").find(c) != std::string::npos) return false;
  return true;
}

// And as a module name: a word that is not all digits.
bool module_gt(const std::string& n) {
  bool lettre = false;
  for (char c : n) {
    if (!isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    lettre = lettre || !isdigit(static_cast<unsigned char>(c));
  }
  return lettre;
}

// The names the writers add, "@M" standing for the module, "@E" for the
// first input and "@S" for the first output.
const char* const noms_des_ecrivains[] = {"reset",
                                          "clk",
                                          "@M_reset",
                                          "@M_clk",
                                          "@M_a",
                                          "@M_node",
                                          "array_@M_node",
                                          "def_node",
                                          "automaton",
                                          "reset_automaton",
                                          "setup",
                                          "loop",
                                          "main",
                                          "my_setup",
                                          "my_after",
                                          "useless",
                                          "my_pre",
                                          "value",
                                          "React",
                                          "Next",
                                          "Reset_Outputs",
                                          "P_@E",
                                          "GS_@S",
                                          "@S_true",
                                          "@Enext",
                                          "X1",
                                          "X1next",
                                          "X2next",
                                          "x2",
                                          "node_1",
                                          "node_7",
                                          "@M_H",
                                          "@M_thread",
                                          "sensitive",
                                          "SC_CURRENT_USER_MODULE",
                                          "bit",
                                          "std_logic",
                                          "@M"};

// Plain names, most of which every target holds.
const char* const noms_simples[] = {
    "a",     "b",     "go",  "stop",  "motor",     "Valve2", "temp_ok", "x_1",  "A",       "B",
    "start", "level", "fan", "lamp2", "door_open", "Int",    "Open",    "pump", "_hidden", "a_",
    "a__b",  "a b",   "a.b", "a#b",   "$x",        "a:b",    "a[0]",    "12",   "a$",      "a\\b"};

struct tirage {
  std::mt19937 rng;
  std::vector<std::string> reserves, modules;

  explicit tirage(unsigned graine) : rng(graine) {
    std::set<std::string> r;
    for (const langage_cible* l : {&langage_c, &langage_cpp, &langage_vhdl, &langage_lustre,
                                   &langage_esterel, &langage_csharp, &langage_brimot}) {
      r.insert(l->reserves.begin(), l->reserves.end());
      r.insert(l->predefinis.begin(), l->predefinis.end());
    }
    for (auto* t : {&mots_c23, &mots_gnu_cpp, &mots_vhdl_2008}) r.insert(t().begin(), t().end());
    // A few names of each environment's table, and their neighbours in
    // other case.
    for (auto* t : {&noms_arduino, &macros_c17, &noms_systemc, &noms_ieee}) {
      std::vector<std::string> v(t().begin(), t().end());
      for (int k = 0; k < 12; ++k) {
        const std::string& n = v[au_hasard(v.size())];
        r.insert(n);
        if (k < 3) r.insert(upcase(n) == n ? downcase(n) : upcase(n));
      }
    }
    for (auto const& n : r)
      if (nom_gt(n)) reserves.push_back(n);
    for (auto const& n : reserves)
      if (module_gt(n)) modules.push_back(n);
    for (auto const& n : noms_simples)
      if (module_gt(n)) modules.push_back(n);
    for (std::string n : {"_Static", "12a"}) modules.push_back(n);
  }

  size_t au_hasard(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); }

  // A reserved word or a name of the writers three times in ten each, a
  // plain name four times.
  std::string nom(const charte& c) {
    size_t tirage = au_hasard(10);
    if (tirage < 3) return reserves[au_hasard(reserves.size())];
    if (tirage < 6)
      return remplit(noms_des_ecrivains[au_hasard(std::size(noms_des_ecrivains))],
                     {{"@M", c.module},
                      {"@E", c.entrees.empty() ? "a" : c.entrees[0]},
                      {"@S", c.sorties.empty() ? "o" : c.sorties[0]}});
    return noms_simples[au_hasard(std::size(noms_simples))];
  }

  charte charte_au_hasard() {
    charte c;
    const char* const simples[] = {"m", "ctl", "Pump", "door2", "Mixer_A"};
    c.module =
        au_hasard(2) ? simples[au_hasard(std::size(simples))] : modules[au_hasard(modules.size())];
    for (size_t k = 0, n = 1 + au_hasard(2); k < n; ++k) c.entrees.push_back(nom(c));
    // A module and an input that the prefix joins into a name of an
    // environment.
    if (au_hasard(5) == 0) {
      static const std::pair<const char*, const char*> jointures[] = {
          {"LED", "BUILTIN"}, {"SEEK", "SET"},  {"static", "assert"}, {"_", "LINE__"},
          {"EXIT", "FAILURE"}, {"thread", "local"}, {"digital", "pin_to_port_PGM"}};
      auto [m, e] = jointures[au_hasard(std::size(jointures))];
      c.module = m;
      c.entrees.push_back(e);
    }
    c.sorties.push_back(nom(c));
    if (au_hasard(3) == 0) c.evenement = nom(c);
    return c;
  }
};

// The options of a target, by the name that its refusals give it.
const std::map<std::string, std::vector<std::string>> options_des_cibles = {
    {"C", {"-c"}},
    {"Arduino", {"-ino"}},
    {"VHDL", {"-vhdl", "-altera"}},
    {"BLIF", {"-blif"}},
    {"state-change", {"-intern"}},
    {"Lustre", {"-lustre"}},
    {"Esterel", {"-esterel"}},
    {"Vestrane", {"-vune"}},
    {"BRIMOT", {"-brimot"}},
    {"sc", {"-sc"}}};

// The target that a refusal names, "" for any other error.
std::vector<std::string> options_refusees(const std::string& err) {
  const std::string debut = "ERROR: the ", fin = " target cannot hold the name";
  size_t p = err.find(debut), q = err.find(fin);
  if (p == std::string::npos || q == std::string::npos) return {};
  auto c = options_des_cibles.find(err.substr(p + debut.size(), q - p - debut.size()));
  return c == options_des_cibles.end() ? std::vector<std::string>() : c->second;
}

// Plain names, which every target writes and every tool accepts.
const charte temoins[] = {{"ctl", {"start", "stop_btn"}, {"motor", "lamp"}, "beep"},
                          {"Pump2", {"level_low", "LevelHigh"}, {"pump"}, ""},
                          {"door", {"open_cmd", "x_1", "a2b"}, {"door_Motor"}, "Horn"},
                          {"Mixer_A", {"Speed2"}, {"valve_in", "ValveOut"}, ""}};

// Charts of plain names, then charts of drawn names, every target at once;
// each refusal names its target, which the next run leaves out, until the
// run writes its files or another error stops it. Every run either stops
// with exit 1 and leaves no target file, or ends with 0 and every file it
// wrote is accepted by the target's tool; so do the files of the writers
// that no option reaches. The charts of plain names pass at once.
TEST(NomsCibles, ChartsOfPlainAndDrawnNames) {
  for (auto const& o : {"gcc", "avr-g++", "ghdl", "yosys", "mcs", "g++"})
    ASSERT_NE(outil(o), "") << o;
  std::string d = scratch_dir("writers_names_drawn");
  std::vector<charte> chartes(std::begin(temoins), std::end(temoins));
  tirage t(28);
  for (int k = 0; k < 12; ++k) chartes.push_back(t.charte_au_hasard());
  fichiers_a_juger lots;
  classes_a_juger classes;
  std::map<std::string, int> acceptes, refuses;
  for (size_t k = 0; k < chartes.size(); ++k) {
    const charte& c = chartes[k];
    bool temoin = k < std::size(temoins);
    std::string texte = texte_charte(c);
    SCOPED_TRACE(texte);
    for (bool eq : {false, true}) {
      std::vector<std::string> options = {"-c",      "-ino",     "-blif",
                                          "-lustre", "-esterel", "-vune",
                                          "-brimot", "-doc",     k % 2 ? "-altera" : "-vhdl"};
      if (!eq) options.insert(options.end(), {"-sc", "-intern"});
      std::string base = "g" + std::to_string(k) + (eq ? "_eq" : "_fba");
      bool ecrit = false;
      for (int essai = 0; !ecrit; ++essai) {
        std::vector<std::string> args = options;
        if (eq) args.push_back("-equational");
        run_result r = lance_cible(d, base + "_" + std::to_string(essai), texte, args, lots);
        ecrit = r.exit_code == 0;
        if (temoin) {
          EXPECT_TRUE(ecrit) << r.err;
        }
        if (ecrit) {
          for (auto const& o : options) ++acceptes[o];
          break;
        }
        std::vector<std::string> refusees = options_refusees(r.err);
        size_t avant = options.size();
        for (auto const& o : refusees) {
          auto fin = std::remove(options.begin(), options.end(), o);
          if (fin != options.end()) ++refuses[o];
          options.erase(fin, options.end());
        }
        if (refusees.empty()) break;
        ASSERT_LT(options.size(), avant) << r.err;
      }
      if (!ecrit) continue;
      int n;
      if (eq) {
        compilation_eq e = compile_equationnel(texte);
        n = ecrit_classes(d, base, nullptr, e.automate.get(), c.module, classes);
      } else {
        compilation_test f = compile_texte(texte);
        n = ecrit_classes(d, base, f.automate.get(), nullptr, c.module, classes);
      }
      if (temoin) {
        EXPECT_EQ(n, 0);
      }
      refuses["C#"] += n;
    }
  }
  juge_fichiers(d, lots);
  juge_classes(d, classes);
  // Enough runs of each kind for the test to mean something.
  for (auto const& o : {"-c", "-ino", "-vhdl", "-altera", "-blif", "-lustre", "-esterel", "-vune",
                        "-brimot", "-sc", "-intern"}) {
    EXPECT_GE(acceptes[o], 4) << o;
    EXPECT_GE(refuses[o], o == std::string("-sc") ? 0 : 2) << o;
  }
  EXPECT_GE(refuses["C#"], 15);
  EXPECT_GE(classes.csharp.size(), 10u);
  EXPECT_GE(classes.systemc.size(), 5u);
  EXPECT_GE(classes.vhdl_grafcet.size(), 5u);
}

}  // namespace
