// The C# and SystemC targets, which no compilation writes: their texts for
// a tiny grafcet checked by hand, then the classes of the whole corpus built
// by mcs and run under mono against the in-process automata, and the
// SystemC modules of the equational corpus built by g++ and elaborated.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "automate_test.h"
#include "b_automaton.h"
#include "generation_test.h"

namespace {

const std::string donnees = std::string(TARVEK_TEST_DATA) + "/writers/data/";

// The texts of the tiny grafcet in both modes: the symbolic class and the
// SystemC pair to the character, the lines of the equational class that
// its own conventions decide.
TEST(CsharpSystemc, GoldenTexts) {
  std::string texte = read_file(donnees + "va_et_vient.gt");
  compilation_test f = compile_texte(texte);
  ASSERT_TRUE(f.automate);
  std::ostringstream cs;
  f.automate->CSHARP_put(cs, 0);
  EXPECT_EQ(cs.str(), read_file(donnees + "attendu/par_situations/va_et_vient.cs"));
  compilation_eq e = compile_equationnel(texte);
  ASSERT_TRUE(e.automate && e.triable == 1);
  std::ostringstream cse, cc, h;
  // The array spans the nodes made before the class is written.
  int32_t noeuds = e.automate->manager_associe()->Bdd_total_size();
  e.automate->CSHARP_put(cse, 0, "va_et_vient");
  e.automate->SYSTEMC_put(cc, h, 0, "va_et_vient");
  // The equational class: its registers behind the module's prefix, its
  // equations in C# with the inputs and outputs passed through locals of
  // the names they use, and a Next that copies nothing.
  std::string t = cse.str();
  for (std::string attendu :
       {"//" + std::string(77, '.') + "\n// Libraries :\n",
        std::string("\nprivate bool b;\n\n\n\n// get & set methods for inputs"),
        std::string("\nprivate bool l;\n\n\n\n// private registers variables :\n"),
        std::string("\nprivate bool va_et_vient_X1,\n   va_et_vient_X2,\n"),
        std::string("   va_et_vient_X1next,\n   va_et_vient_X2next;\n"),
        std::string("  va_et_vient_X1 = !false;\n\n  va_et_vient_X2 = false;\n\n }\n"),
        std::string("private void  React()\n {\n\n  bool[] va_et_vient_def_node = new bool[") +
            std::to_string(noeuds) + "];\n  bool va_et_vient_b = b;\n" +
            "  bool va_et_vient_l = false;\n",
        std::string("\n// internal definitions \nva_et_vient_def_node  [1]= !false;\n"),
        std::string("  va_et_vient_X1next= va_et_vient_def_node["),
        std::string("\n   l = va_et_vient_l;\n\n }\n\n// Changing method X=Xnext\n\nprivate void "
                    "Next()\n {\n\n }\n\n}\n")})
    EXPECT_NE(t.find(attendu), std::string::npos) << attendu;
  EXPECT_EQ(t.find('*'), std::string::npos);
  EXPECT_EQ(cc.str(), read_file(donnees + "attendu/equationnel/va_et_vient.cc"));
  EXPECT_EQ(h.str(), read_file(donnees + "attendu/equationnel/va_et_vient.h"));
}

// Without inputs and outputs, the text that says so ends with its line and
// two empty lines, where the fields are followed by three.
TEST(CsharpSystemc, CsharpClassWithoutFields) {
  std::set<int> aucun;
  FBA vide("vide", aucun, {}, {}, {});
  std::ostringstream os;
  vide.CSHARP_put(os, 0);
  std::string t = os.str();
  for (std::string attendu :
       {"// private input variables :\n\n// No inputs ...\n\n\n// get & set methods for inputs "
        "from the FSM inputs :\n\n\n\n// private output variables :\n// No output ...\n\n\n"
        "// private registers variables :\n\n\n\n//...",
        " private void Reset_Inputs()\n {\n\n }\n"})
    EXPECT_NE(t.find(attendu), std::string::npos) << attendu << "\n" << t;
}

// A forest of three equations: a local read by an output, an output that is
// a single input, a next state that is the constant true.
struct petite_foret {
  std::list<std::string> etats{"X1"}, suivants{"X1next"}, entrees{"a", "b"}, sorties{"o", "p"},
      locales{"t"};
  b_autom_dec d{etats, suivants, entrees, sorties, locales};
  petite_foret() {
    bddpp_manager& m = *d.manager_associe();
    Bddexpressionwood* w = d.wood_associee();
    bdd a = m.Bdd_var_by_name("a"), b = m.Bdd_var_by_name("b");
    new Bddexpression(w, m.Bdd_var_by_name("t"), m.Bdd_and(a, m.Bdd_not(b)), 0, 0);
    new Bddexpression(w, m.Bdd_var_by_name("o"),
                      m.Bdd_not(m.Bdd_or(m.Bdd_var_by_name("t"), m.Bdd_var_by_name("X1"))), 0, 0);
    new Bddexpression(w, m.Bdd_var_by_name("p"), a, 0, 0);
    new Bddexpression(w, m.Bdd_var_by_name("X1next"), m.Bdd_one(), 0, 0);
    w->compute_dates();
  }
};

// Every left-hand side behind the count of blanks (two for 0); the network
// lines behind the indentation then the array's name, or the other way
// round in the form with prefix and suffix.
TEST(CsharpSystemc, CsharpEquationForms) {
  struct cas {
    bool prefixe;
    int nombre;
    std::string retrait, tete;
  } const table[] = {{false, 0, "  ", "  n["},
                     {false, 3, "   ", "   n["},
                     {true, 0, "  ", "n  ["},
                     {true, 3, "   ", "n   ["}};
  for (auto const& c : table) {
    SCOPED_TRACE(std::to_string(c.prefixe) + " " + std::to_string(c.nombre));
    petite_foret p;
    std::ostringstream os;
    std::string pre = c.prefixe ? "m_" : "", suf = c.prefixe ? "_s" : "";
    if (c.prefixe)
      p.d.wood_associee()->Put_csharp(os, "n", pre, suf, c.nombre);
    else
      p.d.wood_associee()->Put_csharp(os, "n", c.nombre);
    bddpp_manager& m = *p.d.manager_associe();
    auto id = [&](const char* nom) {
      return std::to_string(m.Bdd_var_by_name(nom).node()->global_id);
    };
    std::string texte = os.str();
    auto v = [&](const std::string& nom) { return pre + nom + suf; };
    EXPECT_NE(texte.find(c.retrait + v("p") + "= " + v("a") + ";\n"), std::string::npos) << texte;
    EXPECT_NE(texte.find(c.tete + "1]= !false;\n" + c.retrait + v("X1next") + "= n[1];\n"),
              std::string::npos)
        << texte;
    EXPECT_NE(texte.find(c.tete + id("b") + "]= " + v("b") + ";\n"), std::string::npos) << texte;
    EXPECT_NE(texte.find(c.retrait + v("o") + "= !n["), std::string::npos) << texte;
    EXPECT_EQ(texte.find('*'), std::string::npos) << texte;
    // Each node once in the whole text.
    EXPECT_EQ(texte.find(c.tete + "1]"), texte.rfind(c.tete + "1]")) << texte;
  }
  // The forms without the count are those with 0.
  petite_foret p, q;
  std::ostringstream sans, avec;
  p.d.wood_associee()->Put_csharp(sans, "n");
  q.d.wood_associee()->Put_csharp(avec, "n", 0);
  EXPECT_EQ(sans.str(), avec.str());
}

// The SystemC equations compute locals, each before those that read it;
// the constant prints "1".
TEST(CsharpSystemc, SystemcEquations) {
  petite_foret p;
  std::ostringstream os;
  p.d.wood_associee()->Put_systemc(os, 0);
  std::string texte = os.str();
  EXPECT_NE(texte.find("    bool t = a && ! b;\n"), std::string::npos) << texte;
  EXPECT_NE(texte.find("    bool p = a;\n"), std::string::npos) << texte;
  EXPECT_NE(texte.find("    bool X1next = 1;\n"), std::string::npos) << texte;
  EXPECT_NE(texte.find("    bool o = ! X1 && ! t;\n"), std::string::npos) << texte;
  EXPECT_LT(texte.find("bool t"), texte.find("bool o"));
}

// The program that runs the classes: its arguments are pairs (module, file
// of input lines); for each it prints "= module", then one line per input
// line: the outputs, a blank, then the fields named by the module's trace
// function, each a '0' or '1'. A line "r" makes a new instance.
const char* const programme_csharp = R"(using System;
using System.IO;
using System.Reflection;
using System.Text;

public class Pilote {
  static char Champ(object o, string nom) {
    FieldInfo f = o.GetType().GetField(nom, BindingFlags.NonPublic | BindingFlags.Instance);
    return (bool) f.GetValue(o) ? '1' : '0';
  }
@TRACES
  public static void Main(string[] args) {
    for (int k = 0; k + 1 < args.Length; k += 2) {
      string[] lignes = File.ReadAllLines(args[k + 1]);
      Console.WriteLine("= " + args[k]);
@APPELS    }
  }
}
)";

const char* const trace_csharp = R"(  static void Trace_@M(string[] lignes) {
    @M a = new @M();
    foreach (string l in lignes) {
      if (l == "r") {
        a = new @M();
        Console.WriteLine("r");
        continue;
      }
@ENTREES      a.Automaton();
      StringBuilder s = new StringBuilder();
@SORTIES      s.Append(' ');
@CHAMPS      Console.WriteLine(s);
    }
  }
)";

// The symbolic class shows its registers after the reaction; the
// equational one its next values, then its registers, which it never
// loads.
std::string trace_de(const automate_genere& a, compilation_eq& eq) {
  std::string entrees, sorties, champs;
  for (size_t j = 0; j < a.entrees.size(); ++j)
    entrees += "      a.P_" + a.entrees[j] + " = l[" + std::to_string(j) + "] == '1';\n";
  for (auto const& s : a.sorties) sorties += "      s.Append(a.GS_" + s + " ? '1' : '0');\n";
  std::string pre = a.equationnel ? a.module + "_" : "";
  std::list<std::string> suivants;
  if (a.equationnel) suivants = eq.automate->next_state_vars_list();
  for (auto const& x :
       a.equationnel ? std::vector<std::string>(suivants.begin(), suivants.end()) : a.etats)
    champs += "      s.Append(Champ(a, \"" + pre + x + "\"));\n";
  if (a.equationnel) {
    champs += "      s.Append(' ');\n";
    for (auto const& x : a.etats) champs += "      s.Append(Champ(a, \"" + pre + x + "\"));\n";
  }
  return remplit(
      trace_csharp,
      {{"@M", a.module}, {"@ENTREES", entrees}, {"@SORTIES", sorties}, {"@CHAMPS", champs}});
}

// What the equational class must show: every reaction from the initial
// state.
std::vector<std::string> attendu_equationnel(const automate_genere& a, compilation_eq& eq) {
  valeurs initial = etat_initial(*eq.encodage);
  std::vector<std::string> r;
  for (size_t k = 0; k < a.sequences.size(); ++k) {
    if (k) r.push_back("r");
    for (auto const& v : a.sequences[k]) {
      reaction p = reaction_automate(*eq.automate, eq.d, initial, v);
      r.push_back(chiffres(p.sorties) + " " + chiffres(p.suivant) + " " + chiffres(initial));
    }
  }
  return r;
}

TEST(CsharpSystemc, CsharpClassesRunAsTheAutomata) {
  std::string mcs = outil("mcs"), mono = outil("mono");
  ASSERT_NE(mcs, "") << "mcs is missing";
  ASSERT_NE(mono, "") << "mono is missing";
  corpus_genere c = genere_corpus("writers_csharp", {"-c"}, 4);
  verifie_corpus(c);
  automates_en_memoire m = recompile(c);
  std::vector<std::string> args = {mcs, "-warn:0", "-out:pilote.exe", "pilote.cs"};
  std::string traces, appels;
  for (size_t k = 0; k < c.automates.size(); ++k) {
    const automate_genere& a = c.automates[k];
    std::ostringstream os;
    if (a.equationnel)
      m.eq[k].automate->CSHARP_put(os, 0, a.module);
    else
      m.fba[k]->CSHARP_put(os, 0);
    write_file(a.fichier(".cs"), os.str());
    args.push_back(a.module + ".cs");
    traces += trace_de(a, m.eq[k]);
    appels += "      if (args[k] == \"" + a.module + "\") Trace_" + a.module + "(lignes);\n";
  }
  // An automaton without inputs, steps or actions: every list is empty.
  std::set<int> aucun;
  FBA vide("vide", aucun, {}, {}, {});
  std::ostringstream os;
  vide.CSHARP_put(os, 0);
  write_file(c.dossier + "/vide.cs", os.str());
  args.push_back("vide.cs");
  write_file(c.dossier + "/pilote.cs",
             remplit(programme_csharp, {{"@TRACES", traces}, {"@APPELS", appels}}));
  run_result r = run_tool(args, c.dossier, 120);
  ASSERT_EQ(r.exit_code, 0) << r.out << r.err;
  auto obtenues = traces_du_programme({mono, "pilote.exe"}, c);
  for (size_t k = 0; k < c.automates.size(); ++k) {
    const automate_genere& a = c.automates[k];
    SCOPED_TRACE(a.module);
    EXPECT_EQ(obtenues[a.module], a.equationnel ? attendu_equationnel(a, m.eq[k]) : a.attendu);
  }
}

// The program that runs the modules: its arguments are pairs (module, file
// of input lines), as for the C. Each module has its bench, and all run at
// once on one clock; then each trace is printed after "= " + module. A
// bench changes the inputs on the falling edges, in the very delta cycle
// of the clock's change, as a testbench that waits for time does; the
// rising edge between two falling ones is the reaction. A line "r" holds
// the reset high over one rising edge.
const char* const programme_systemc = R"(#include <systemc.h>
#include <fstream>
#include <map>
#include <string>
@INCLUDES
static int actifs = 0;

struct banc : sc_module {
  sc_signal<bool> reset;
  std::ifstream in;
  std::string& trace;
  SC_HAS_PROCESS(banc);
  banc(sc_module_name n, const char* fichier, std::string& t)
      : sc_module(n), in(fichier), trace(t) {
    SC_THREAD(pilote);
    ++actifs;
  }
  void remet() {
    reset.write(true);
    wait(10, SC_NS);
    reset.write(false);
  }
  virtual void reaction(const std::string& l) = 0;
  void pilote() {
    remet();
    for (std::string l; std::getline(in, l);) {
      if (l == "r") {
        remet();
        trace += "r\n";
      } else {
        reaction(l);
      }
    }
    if (--actifs == 0) sc_stop();
  }
};

@BANCS
int sc_main(int argc, char** argv) {
  sc_report_handler::set_actions(SC_INFO, SC_DO_NOTHING);
  sc_clock clk("clk", 10, SC_NS, 0.5, 5, SC_NS, true);
  std::map<std::string, std::string> traces;
  for (int k = 1; k + 1 < argc; k += 2) {
    std::string m = argv[k];
    const char* f = argv[k + 1];
    std::string& t = traces[m];
@CREATIONS  }
  if (actifs > 0) sc_start();
  for (int k = 1; k + 1 < argc; k += 2) std::cout << "= " << argv[k] << "\n" << traces[argv[k]];
  return 0;
}
)";

const char* const banc_systemc = R"(struct banc_@M : banc {
@SIGNAUX  @M dut;
  banc_@M(sc_module_name n, sc_clock& clk, const char* f, std::string& t)
      : banc(n, f, t), dut("dut") {
    dut.clk(clk);
    dut.reset(reset);
@LIENS  }
  void reaction(const std::string& l) {
@ENTREES    wait(10, SC_NS);
@SORTIES    trace += ' ';
@ETATS    trace += '\n';
  }
};
)";

// The bench of one module: a signal per port, "e_" or "s_" + its name.
std::string banc_de(const std::string& m, const std::vector<std::string>& entrees,
                    const std::vector<std::string>& sorties,
                    const std::vector<std::string>& etats) {
  std::string signaux, liens, lit, ecrit, lus;
  for (size_t j = 0; j < entrees.size(); ++j) {
    signaux += "  sc_signal<bool> e_" + entrees[j] + ";\n";
    liens += "    dut." + entrees[j] + "(e_" + entrees[j] + ");\n";
    lit += "    e_" + entrees[j] + ".write(l[" + std::to_string(j) + "] == '1');\n";
  }
  for (auto const& s : sorties) {
    signaux += "  sc_signal<bool> s_" + s + ";\n";
    liens += "    dut." + s + "(s_" + s + ");\n";
    ecrit += "    trace += s_" + s + ".read() ? '1' : '0';\n";
  }
  for (auto const& x : etats) lus += "    trace += dut." + x + ".read() ? '1' : '0';\n";
  return remplit(banc_systemc, {{"@M", m},
                                {"@SIGNAUX", signaux},
                                {"@LIENS", liens},
                                {"@ENTREES", lit},
                                {"@SORTIES", ecrit},
                                {"@ETATS", lus}});
}

// The equational corpus in SystemC, with the automaton without any
// variable: every module reacts as the automaton, which the C is held to,
// and on a clean grafcet as the symbolic automaton.
TEST(CsharpSystemc, SystemcModulesRunAsTheAutomata) {
  std::string gpp = outil("g++");
  ASSERT_NE(gpp, "") << "g++ is missing";
  corpus_genere c = genere_corpus("writers_systemc", {"-c"}, 4);
  verifie_corpus(c);
  automates_en_memoire m = recompile(c);
  std::list<std::string> rien;
  b_autom_dec dec(rien, rien, rien, rien, rien);
  int initiales[1] = {0};
  b_automaton vide(&dec, initiales, bdd(), bdd());
  corpus_genere systemc;
  systemc.dossier = c.dossier;
  std::string includes, bancs, creations;
  auto ajoute = [&](b_automaton& a, const automate_genere& g) {
    std::ostringstream cc, h;
    a.SYSTEMC_put(cc, h, 0, g.module);
    write_file(g.fichier(".cc"), cc.str());
    write_file(g.fichier(".h"), h.str());
    includes += "#include \"" + g.module + ".cc\"\n";
    bancs += banc_de(g.module, g.entrees, g.sorties, g.etats);
    creations += "    if (m == \"" + g.module + "\") new banc_" + g.module +
                 "((\"b_\" + m).c_str(), clk, f, t);\n";
    systemc.automates.push_back(g);
  };
  for (size_t k = 0; k < c.automates.size(); ++k)
    if (c.automates[k].equationnel) ajoute(*m.eq[k].automate, c.automates[k]);
  automate_genere sans_variable;
  sans_variable.module = "vide";
  sans_variable.dossier = c.dossier;
  sans_variable.sequences = {{{}, {}}};
  sans_variable.attendu = {" ", " "};
  ajoute(vide, sans_variable);
  write_file(c.dossier + "/bancs.cc",
             remplit(programme_systemc,
                     {{"@INCLUDES", includes}, {"@BANCS", bancs}, {"@CREATIONS", creations}}));
  run_result r = run_tool({gpp, "-o", "bancs", "bancs.cc", "-lsystemc"}, c.dossier, 300);
  ASSERT_EQ(r.exit_code, 0) << r.err;
  auto traces = traces_du_programme({c.dossier + "/bancs"}, systemc);
  for (auto const& a : systemc.automates) {
    SCOPED_TRACE(a.module);
    EXPECT_EQ(traces[a.module], a.attendu);
  }
  for (auto const& [i, j] : c.paires_propres)
    compare_modes(c.automates[i], c.automates[i].attendu, c.automates[j],
                  traces[c.automates[j].module]);
}

}  // namespace
