// The C and Arduino targets of both automata through the tarvek binary: the
// texts of tiny grafcets checked by hand, then the code generated for the
// whole corpus compiled by gcc, g++ and avr-g++ and run on random inputs,
// its traces against the in-process evaluation of each automaton and the
// independent models, and the C of both modes against each other on the
// grafcets where both modes mean the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "b_automaton.h"
#include "generation_test.h"
#include "gt_texte.h"

namespace {

const std::string donnees = std::string(TARVEK_TEST_DATA) + "/writers/data/";

// A constant next state and an emission that never holds; a grafcet
// without inputs whose second step has no action.
TEST(CiblesCIno, TextsOfTinyGrafcets) {
  std::string d = scratch_dir("writers_c_textes");
  for (std::string g : {"constante", "sans_entree"}) {
    write_file(d + "/" + g + ".gt", read_file(donnees + g + ".gt"));
    for (bool eq : {false, true}) {
      std::vector<std::string> args = {tarvek_path(), g + ".gt", "-c", "-ino"};
      if (eq) args.push_back("-equational");
      run_result r = run_tool(args, d);
      ASSERT_EQ(r.exit_code, 0) << g << r.err;
      std::string attendu = donnees + "attendu/" + (eq ? "equationnel/" : "par_situations/") + g;
      for (std::string ext : {".c", ".h", ".ino"})
        EXPECT_EQ(read_file(d + "/" + g + ext), read_file(attendu + ext)) << g << ext << " " << eq;
    }
  }
}

// Both functions without any parameter when the grafcet has neither
// inputs nor outputs.
TEST(CiblesCIno, NoInputsNoOutputs) {
  std::string d = scratch_dir("writers_c_vide");
  write_file(d + "/v.gt",
             "Name: v Input: EndInput: Output: EndOutput: Step: IS: 1 0 0 EndStep: Transition: "
             "EndTransition: Link: EndLinkTable: Assertion: EndAssertion:");
  for (bool eq : {false, true}) {
    std::vector<std::string> args = {tarvek_path(), "v.gt", "-c"};
    if (eq) args.push_back("-equational");
    ASSERT_EQ(run_tool(args, d).exit_code, 0);
    std::string h = read_file(d + "/v.h");
    EXPECT_EQ(h.substr(0, h.find('\n')), "extern void v_reset_automaton();") << eq;
    EXPECT_NE(read_file(d + "/v.c").find("\nvoid v_automaton()\n{\n"), std::string::npos) << eq;
  }
}

// Automata without any variable, which no grafcet gives (it has at least
// one step): every list, block and section is left out.
TEST(CiblesCIno, EmptyAutomata) {
  std::set<int> aucun;
  FBA f("v", aucun, {}, {}, {});
  std::ostringstream c, h, ino;
  f.c_put(c, h, 0);
  f.ino_put_grafcet(ino, 0, {});
  EXPECT_EQ(c.str(), "void v_reset_automaton()\n{\n}\n\nvoid v_automaton()\n{\n\n\n}\n\n");
  EXPECT_EQ(h.str(), "extern void v_reset_automaton();\n\nextern void v_automaton();\n");
  const std::string crochets =
      "extern void my_setup(void);\nextern void my_before(void);\nextern void my_after(void);\n\n"
      "void setup()\n{\n  my_setup();\n}\n\nvoid loop()\n{\n";
  const std::string avant =
      "  /* user before() function call */\n  my_before();\n\n"
      "  /* inputs reading */\n\n";
  const std::string apres = "  /* user after() function call */\n  my_after();\n}\n\n";
  EXPECT_EQ(ino.str(), crochets + avant + "\n\n" + apres);

  std::list<std::string> vide;
  b_autom_dec d(vide, vide, vide, vide, vide);
  int initiales[1] = {0};
  b_automaton e(&d, initiales, bdd(), bdd());
  std::ostringstream ce, he, inoe;
  e.C_put(ce, he, 0, "v");
  std::string tableau =
      "  int v_def_node[" + std::to_string(e.manager_associe()->Bdd_total_size()) + "];\n";
  e.INO_put_grafcet(inoe, 0, "v", {});
  EXPECT_EQ(ce.str(),
            "void v_reset_automaton()\n{\n}\n\nvoid v_automaton()\n{\n" + tableau + "}\n\n");
  EXPECT_EQ(he.str(), h.str() + "\n");
  EXPECT_EQ(inoe.str(), crochets + tableau + "\n" + avant + apres);
}

// The header, the sketch, the VHDL design and the BLIF network are target
// files like any other: one that cannot be created ends the run with its
// name, in both modes.
TEST(CiblesCIno, FileThatCannotBeWritten) {
  std::string d = scratch_dir("writers_c_impossible");
  write_file(d + "/g.gt", read_file(donnees + "constante.gt"));
  for (std::string ext : {".h", ".ino", ".vhd", ".blif"}) {
    // A run of the previous rounds may have written it as a file.
    std::filesystem::remove(d + "/g" + ext);
    std::filesystem::create_directory(d + "/g" + ext);
    for (bool eq : {false, true}) {
      std::vector<std::string> args = {tarvek_path(), "g.gt", "-c", "-ino", "-vhdl", "-blif"};
      if (eq) args.push_back("-equational");
      run_result r = run_tool(args, d);
      EXPECT_EQ(r.exit_code, 1) << ext << " " << eq;
      std::string fin =
          "file g" + ext + " cannot be written !\n    --> break compilation processing ...\n";
      EXPECT_GE(r.err.size(), fin.size());
      EXPECT_EQ(r.err.substr(r.err.size() - std::min(r.err.size(), fin.size())), fin) << eq;
    }
    std::filesystem::remove(d + "/g" + ext);
  }
}

// One putchar a line.
std::string affiche(const std::vector<std::string>& valeurs) {
  std::string r;
  for (auto const& v : valeurs) r += "    putchar(" + v + ");\n";
  return r;
}

std::string etats(const automate_genere& a) {
  std::vector<std::string> r;
  for (auto const& x : a.etats) r.push_back(a.module + "_" + x + " ? '1' : '0'");
  return affiche(r);
}

std::string indice(const std::string& tableau, size_t k) {
  return tableau + "[" + std::to_string(k) + "]";
}

// A program that runs generated automata: its arguments are pairs
// (module, file of input lines); for each it prints "= module", then the
// trace. @APPELS calls the trace function of the module named.
const char* const programme = R"(#include <stdio.h>
#include <string.h>
@CORPS
int main(int argc, char** argv) {
  for (int k = 1; k + 1 < argc; k += 2) {
    FILE* in = fopen(argv[k + 1], "r");
    if (!in) return 2;
    printf("= %s\n", argv[k]);
@APPELS    fclose(in);
  }
  return 0;
}
)";

// The C of one automaton run on its lines. The state is read through the
// globals, as a user may; the array of outputs is left out when there are
// none, as it would be unused.
const char* const trace_c = R"(static void trace_@M(FILE* in) {
  char l[512] = {0};
@TABLEAU  @M_reset_automaton(@ARGS);
  while (fgets(l, sizeof l, in)) {
    if (l[0] == 'r') {
      @M_reset_automaton(@ARGS);
      puts("r");
      continue;
    }
    @M_automaton(@ARGS);
@SORTIES    putchar(' ');
@ETATS    putchar('\n');
  }
}
)";

std::string pilote_c(const std::vector<automate_genere>& automates) {
  std::string corps, appels;
  for (auto const& a : automates) corps += "#include \"" + a.module + ".h\"\n";
  for (auto const& a : automates) {
    // The inputs read from the line, the outputs into the array.
    std::vector<std::string> args, sorties;
    for (size_t j = 0; j < a.entrees.size(); ++j) args.push_back(indice("l", j) + " == '1'");
    for (size_t k = 0; k < a.sorties.size(); ++k) {
      args.push_back("&" + indice("s", k));
      sorties.push_back(indice("s", k) + " ? '1' : '0'");
    }
    for (auto const& x : a.etats) corps += "extern int " + a.module + "_" + x + ";\n";
    std::string liste;
    for (size_t k = 0; k < args.size(); ++k) liste += (k ? ", " : "") + args[k];
    corps += remplit(
        trace_c,
        {{"@M", a.module},
         {"@TABLEAU",
          a.sorties.empty() ? "" : "  int s[" + std::to_string(a.sorties.size()) + "] = {0};\n"},
         {"@ARGS", liste},
         {"@SORTIES", affiche(sorties)},
         {"@ETATS", etats(a)}});
    appels += "    if (!strcmp(argv[k], \"" + a.module + "\")) trace_" + a.module + "(in);\n";
  }
  return remplit(programme, {{"@CORPS", corps}, {"@APPELS", appels}});
}

// The user's side of one sketch, in a namespace of its own with the sketch:
// the hooks count their calls, each input reads its character of the line,
// an event output notes its call, a level output its value (2 until loop()
// calls either of its functions). A hook called other than once per
// setup() or loop() prints "hooks".
const char* const trace_ino = R"(int tv_setup, tv_avant, tv_apres;
const char* tv_l = "";
int tv_s[@NS];
void my_setup(void) { ++tv_setup; }
void my_before(void) { ++tv_avant; }
void my_after(void) { ++tv_apres; }
@FONCTIONS
void tv_trace(FILE* in) {
  char l[512];
  tv_setup = 0;
  setup();
  while (fgets(l, sizeof l, in)) {
    if (l[0] == 'r') {
      tv_setup = 0;
      setup();
      puts("r");
      continue;
    }
    tv_l = l;
    tv_avant = tv_apres = 0;
@INITIALES    loop();
    if (tv_setup != 1 || tv_avant != 1 || tv_apres != 1) puts("hooks");
@SORTIES    putchar(' ');
@ETATS    putchar('\n');
  }
}
)";

bool evenement(const automate_genere& a, const std::string& sortie) {
  return std::find(a.evenements.begin(), a.evenements.end(), sortie) != a.evenements.end();
}

std::string cote_utilisateur(const automate_genere& a) {
  std::string fonctions, initiales;
  std::vector<std::string> sorties;
  for (size_t j = 0; j < a.entrees.size(); ++j)
    fonctions += "int " + a.entrees[j] + "(void) { return " + indice("tv_l", j) + " == '1'; }\n";
  for (size_t k = 0; k < a.sorties.size(); ++k) {
    std::string s = a.sorties[k], e = indice("tv_s", k);
    if (evenement(a, s)) {
      fonctions += "void " + s + "(void) { " + e + " = 1; }\n";
      initiales += "    " + e + " = 0;\n";
    } else {
      fonctions += "void " + s + "_true(void) { " + e + " = 1; }\n";
      fonctions += "void " + s + "_false(void) { " + e + " = 0; }\n";
      initiales += "    " + e + " = 2;\n";
    }
    sorties.push_back("'0' + " + e);
  }
  return remplit(trace_ino, {{"@NS", std::to_string(a.sorties.size() + 1)},
                             {"@FONCTIONS", fonctions},
                             {"@INITIALES", initiales},
                             {"@SORTIES", affiche(sorties)},
                             {"@ETATS", etats(a)}});
}

// Every sketch included whole in its namespace, then its user side.
std::string pilote_ino(const std::vector<automate_genere>& automates) {
  std::string corps, appels;
  for (auto const& a : automates) {
    corps += "namespace ino_" + a.module + " {\n#include \"" + a.module + ".ino\"\n" +
             cote_utilisateur(a) + "}\n";
    appels +=
        "    if (!strcmp(argv[k], \"" + a.module + "\")) ino_" + a.module + "::tv_trace(in);\n";
  }
  return remplit(programme, {{"@CORPS", corps}, {"@APPELS", appels}});
}

// The generated code's trace against the in-process one and the
// independent one; the count of automata judged by the latter.
int compare_traces(const corpus_genere& c, std::map<std::string, std::vector<std::string>>& traces,
                   const char* cible) {
  int independants = 0;
  for (auto const& a : c.automates) {
    SCOPED_TRACE(std::string(cible) + " " + a.module);
    std::vector<std::string> const& t = traces[a.module];
    EXPECT_EQ(t, a.attendu);
    if (a.independant.empty()) continue;
    ++independants;
    EXPECT_EQ(t, a.independant);
  }
  return independants;
}

// gcc's warnings on the generated files may only be those of the texts
// the writers must keep: "a && b || c" and the locals that no output reads.
void verifie_avertissements(const std::string& err) {
  for (auto const& l : lignes(err)) {
    if (l.find("warning:") == std::string::npos && l.find("error:") == std::string::npos) continue;
    bool admis = l.find("[-Wparentheses]") != std::string::npos ||
                 l.find("[-Wunused-but-set-variable]") != std::string::npos;
    EXPECT_TRUE(admis) << l;
  }
}

void ajoute_fichiers(const corpus_genere& c, const char* extension, std::vector<std::string>& r) {
  for (auto const& a : c.automates) r.push_back(a.fichier(extension));
}

TEST(CiblesCIno, CRunsAsTheAutomaton) {
  corpus_genere c = genere_corpus("writers_c_traces", {"-c", "-ino"}, 8);
  verifie_corpus(c);
  std::string gcc = outil("gcc");
  ASSERT_NE(gcc, "") << "gcc is missing";
  std::vector<std::string> args = {gcc, "-std=c99", "-Wall", "-c"};
  ajoute_fichiers(c, ".c", args);
  run_result compile = run_tool(args, c.dossier, 300);
  ASSERT_EQ(compile.exit_code, 0) << compile.err;
  verifie_avertissements(compile.err);
  write_file(c.dossier + "/pilote.c", pilote_c(c.automates));
  std::vector<std::string> lien = {gcc, "-std=c99", "-Wall", "-Werror", "-o", "pilote", "pilote.c"};
  for (auto const& a : c.automates) lien.push_back(a.module + ".o");
  run_result r = run_tool(lien, c.dossier, 120);
  ASSERT_EQ(r.exit_code, 0) << r.err;
  auto traces = traces_du_programme({c.dossier + "/pilote"}, c);
  EXPECT_GE(compare_traces(c, traces, "C"), 20);
  // On a clean grafcet, the C of both modes.
  for (auto const& [i, j] : c.paires_propres)
    compare_modes(c.automates[i], traces[c.automates[i].module], c.automates[j],
                  traces[c.automates[j].module]);
}

TEST(CiblesCIno, SketchRunsAsTheAutomatonAndBuildsForAvr) {
  corpus_genere c = genere_corpus("writers_ino_traces", {"-c", "-ino"}, 8);
  verifie_corpus(c);
  std::string gpp = outil("g++"), avr = outil("avr-g++");
  ASSERT_NE(gpp, "") << "g++ is missing";
  ASSERT_NE(avr, "") << "avr-g++ is missing";
  std::vector<std::string> args = {avr, "-x", "c++", "-mmcu=atmega328p", "-Os", "-c"};
  ajoute_fichiers(c, ".ino", args);
  run_result r = run_tool(args, c.dossier, 300);
  ASSERT_EQ(r.exit_code, 0) << r.err;
  write_file(c.dossier + "/pilote.cc", pilote_ino(c.automates));
  r = run_tool({gpp, "-x", "c++", "-o", "pilote", "pilote.cc"}, c.dossier, 300);
  ASSERT_EQ(r.exit_code, 0) << r.err;
  auto traces = traces_du_programme({c.dossier + "/pilote"}, c);
  EXPECT_GE(compare_traces(c, traces, "Arduino"), 20);
}

}  // namespace
