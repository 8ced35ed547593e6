// The user's guide against the program: every code block of docs/guide.md
// is the text of a file of the repository, a command that the test runs in
// a folder holding the examples, or what such a command prints or writes;
// every message that the guide's table quotes is printed by a run on a
// variant of the annotated chart; and the rules of the format that the
// guide states are checked on pairs of charts that must compile alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "run_tool.h"

namespace {

namespace fs = std::filesystem;

const std::string source = TARVEK_SOURCE_DIR;

std::vector<std::string> lignes(const std::string& texte) {
  std::vector<std::string> r;
  std::istringstream in(texte);
  for (std::string l; std::getline(in, l);) r.push_back(l);
  return r;
}

std::string sans_blancs_finaux(std::string l) {
  while (!l.empty() && (l.back() == ' ' || l.back() == '\t')) l.pop_back();
  return l;
}

// The lines of the excerpt follow each other in the text; blanks at the end
// of a line are not compared, since a page cannot show them.
bool contient_extrait(const std::string& texte, const std::string& extrait) {
  std::vector<std::string> t = lignes(texte), e = lignes(extrait);
  for (auto& l : t) l = sans_blancs_finaux(l);
  for (auto& l : e) l = sans_blancs_finaux(l);
  if (e.empty()) return false;
  for (size_t i = 0; i + e.size() <= t.size(); ++i)
    if (std::equal(e.begin(), e.end(), t.begin() + i)) return true;
  return false;
}

// A code block of the guide and the marker that says what it is:
// "<!-- kind: argument -->" on the line before its opening fence.
struct bloc {
  std::string genre, argument, texte;
  int ligne;
};

std::vector<bloc> blocs_du_guide(const std::string& guide) {
  std::vector<std::string> l = lignes(guide);
  std::vector<bloc> r;
  for (size_t i = 0; i < l.size(); ++i) {
    if (l[i].rfind("```", 0) != 0) continue;
    bloc b;
    b.ligne = static_cast<int>(i + 1);
    std::string m = i > 0 ? l[i - 1] : "";
    if (m.rfind("<!-- ", 0) == 0 && m.size() > 9 && m.compare(m.size() - 4, 4, " -->") == 0) {
      std::string corps = m.substr(5, m.size() - 9);
      size_t deux_points = corps.find(':');
      b.genre = corps.substr(0, deux_points);
      if (deux_points != std::string::npos) b.argument = corps.substr(deux_points + 2);
    }
    size_t j = i + 1;
    for (; j < l.size() && l[j] != "```"; ++j) b.texte += l[j] + "\n";
    EXPECT_LT(j, l.size()) << "block of line " << b.ligne << " is not closed";
    r.push_back(b);
    i = j;
  }
  return r;
}

// The commands run as a user types them, "tarvek" being the binary of this
// build, and "bench_recherche" its benchmark program.
run_result commande(const std::string& dossier, const std::string& ligne) {
  fs::path frontend = fs::path(tarvek_path()).parent_path();
  std::string chemin = frontend.string() + ":" + (frontend.parent_path() / "bench").string();
  return run_tool({"/bin/sh", "-c", "PATH=" + chemin + ":$PATH; " + ligne}, dossier, 120);
}

std::string dossier_des_exemples(const std::string& nom) {
  std::string d = scratch_dir(nom);
  for (auto const& f : fs::directory_iterator(source + "/docs/examples"))
    fs::copy_file(f.path(), d + "/" + f.path().filename().string());
  return d;
}

const std::string guide = read_file(source + "/docs/guide.md");

TEST(Guide, EveryBlockIsAFileACommandOrWhatItPrints) {
  ASSERT_FALSE(guide.empty());
  std::string d = dossier_des_exemples("docs_guide");
  std::vector<std::string> montres;
  run_result dernier;
  bool lance = false;
  for (auto const& b : blocs_du_guide(guide)) {
    SCOPED_TRACE("block of guide line " + std::to_string(b.ligne) + " (" + b.genre + ")");
    if (b.genre == "file") {
      EXPECT_EQ(b.texte, read_file(source + "/" + b.argument));
      montres.push_back(b.argument);
    } else if (b.genre == "excerpt") {
      EXPECT_TRUE(contient_extrait(read_file(source + "/" + b.argument), b.texte)) << b.texte;
    } else if (b.genre == "run") {
      int code = b.argument.rfind("exit ", 0) == 0 ? std::stoi(b.argument.substr(5)) : 0;
      std::vector<std::string> cmds = lignes(b.texte);
      for (size_t k = 0; k < cmds.size(); ++k) {
        dernier = commande(d, cmds[k]);
        EXPECT_EQ(dernier.exit_code, k + 1 == cmds.size() ? code : 0)
            << cmds[k] << "\n" << dernier.err;
      }
      lance = true;
    } else if (b.genre == "stdout" || b.genre == "stderr") {
      ASSERT_TRUE(lance);
      EXPECT_EQ(b.genre == "stdout" ? dernier.out : dernier.err, b.texte);
    } else if (b.genre == "produced") {
      EXPECT_EQ(read_file(d + "/" + b.argument), b.texte);
    } else if (b.genre == "produced-excerpt") {
      EXPECT_TRUE(contient_extrait(read_file(d + "/" + b.argument), b.texte)) << b.texte;
    } else {
      ADD_FAILURE() << "a block without a known marker: \"" << b.genre << "\"";
    }
  }
  // Every example of docs/examples is shown whole.
  for (auto const& f : fs::directory_iterator(source + "/docs/examples")) {
    std::string nom = "docs/examples/" + f.path().filename().string();
    EXPECT_NE(std::find(montres.begin(), montres.end(), nom), montres.end()) << nom;
  }
}

// A chart of docs/examples, the annotated one by default, with each text
// `de` replaced by `vers`; each must be in it.
std::string variante(const std::vector<std::pair<std::string, std::string>>& changements,
                     const std::string& exemple = "latch.gt") {
  std::string t = read_file(source + "/docs/examples/" + exemple);
  for (auto const& [de, vers] : changements) {
    size_t p = t.find(de);
    EXPECT_NE(p, std::string::npos) << de;
    for (; p != std::string::npos; p = t.find(de, p + vers.size())) t.replace(p, de.size(), vers);
  }
  return t;
}

// One run per row of the guide's table of messages: the chart (a variant of
// latch.gt, or a text of its own), the arguments, the exit code, and the
// lines that the guide quotes, each of which the run prints (or writes into
// the log, for a line of the log).
struct cas_message {
  std::vector<std::string> cites;
  std::vector<std::pair<std::string, std::string>> changements;
  std::vector<std::string> args;
  int code;
  std::string texte;    // the chart when it is no variant; "-" for none
  std::string dossier;  // a folder made under this name, where a file goes
  bool journal;         // the lines are looked for in latch.log

  cas_message(std::vector<std::string> cites_,
              std::vector<std::pair<std::string, std::string>> changements_ = {},
              std::vector<std::string> args_ = {"latch.gt", "-c"}, int code_ = 1,
              std::string texte_ = "", std::string dossier_ = "", bool journal_ = false)
      : cites(cites_), changements(changements_), args(args_), code(code_), texte(texte_),
        dossier(dossier_), journal(journal_) {}
};

const std::string anneau_des_activites =
    "Name: ring Input: \"a\" : bool EndInput: Output: EndOutput:\n"
    "Step: IS: 1 0 0 NS: 2 10 0 NS: 3 20 0 EndStep:\n"
    "Transition: 1 0 5 FR: (0) TO: (1) : \"X3\", 2 10 5 FR: (1) TO: (2) : \"X1\",\n"
    "  3 20 5 FR: (2) TO: (0) : \"X2\" EndTransition:\n"
    "Link: EndLinkTable: Assertion: EndAssertion:\n";

TEST(Guide, TheTableOfMessagesQuotesWhatTheProgramPrints) {
  const std::string instable = "push and not estop";
  const std::vector<std::string> compile = {"latch.gt", "-c"};
  const std::string sans_amont = "\"push : not estop\",\n  5 300 90 FR: TO: (2) : \"estop and push";
  const cas_message table[] = {
      {{"syntax error, unexpected WORD, expecting INPUT",
        "file latch.gt not found or syntax error ..."},
       {{"Name: latch\n", "Name: latch\n# motor\n"}}},
      {{"file latch.gt not found !"}, {}, compile, 1, "-"},
      {{"ERROR: No initial step found !!!"}, {{"IS: 10", "NS: 10"}}},
      {{"ERROR: Macro Step not yet implemented ... "}, {{"NS: 30", "MS: 30"}}},
      {{"ERROR: Several steps have the same ident: \"20\" !!!"}, {{"NS: 30", "NS: 20"}}},
      {{"ERROR: transition: \"t3\" is not defined !!!"}, {{": \"estop\",", ": \"\","}}},
      {{"ERROR: transition: \"t3\" is not connected !!!"},
       {{"FR: (1) TO: (2) : \"estop\"", "FR: TO: : \"estop\""}}},
      {{"ERROR: step: \"30\" drives output 4, which is not declared !!!"},
       {{"Action: 2 \"N\"", "Action: 4 \"N\""}}},
      {{"WARNING: transition: \"t1\" shadows transition \"t2\" !!!"},
       {{"2 40 90", "2 100 90"}},
       compile,
       0},
      {{"WARNING: step: \"20\" shadows step \"30\" !!!"},
       {{"220 140 Action", "100 140 Action"}},
       compile,
       0},
      {{"WARNING: transition: \"t3\" shadows step \"30\" !!!"},
       {{"3 160 140", "3 220 140"}},
       compile,
       0},
      {{"ERROR: the receptivity :\"estop and\" has an uncorrect syntax!", "syntax error"},
       {{": \"estop\",", ": \"estop and\","}}},
      {{"parsing error in expression: name \"estpo\" not identificated ..."},
       {{": \"estop\",", ": \"estpo\","}}},
      {{"bad parenthesing!"}, {{": \"estop\",", ": \"(estop\","}}},
      {{"text after the condition is not read: \"=0\"",
        "ERROR: the receptivity :\"push=0 \" has an uncorrect syntax!"},
       {{"TO: (1) : \"push : not estop\"", "TO: (1) : \"push=0 : not estop\""}}},
      {{"text after the condition is not read: ", "has an uncorrect syntax!"},
       {{": \"estop\",", ": \"estop * push\","}}},
      {{"text after the condition is not read: ", "has an uncorrect syntax!"},
       {{": \"estop\",", ": \"estop push\","}}},
      {{"text after the condition is not read: ", "has an uncorrect syntax!"},
       {{"\nAssertion:\n", "\nAssertion:\n  \"estop=1\"\n"}}},
      {{"text after the condition is not read: ", "is unknown ..."},
       {{"\"not estop\" EndAction", "\"not (estop) X20\" EndAction"}}},
      {{"ERROR: the assertion :\"estop and\" has an uncorrect syntax!"},
       {{"\nAssertion:\n", "\nAssertion:\n  \"estop and\"\n"}}},
      {{"ERROR about the step :\"10\":", "action post-condition \"not\" is unknown ..."},
       {{"\"not estop\" EndAction", "\"not\" EndAction"}}},
      {{"action post-condition \"not estop and RE20\" on output \"ready\" reads \"RE20\", which "
        "has no value in the compilation by reachable situations ..."},
       {{"\"not estop\" EndAction", "\"not estop and RE20\" EndAction"}}},
      {{"WARNING: transition: \"t4\" lists step position 5 after TO:, but the step positions run "
        "from 0 to 2: position ignored !!!"},
       {{"FR: (2) TO: (0)", "FR: (2) TO: (0,5)"}},
       compile,
       0},
      {{"WARNING: transition: \"t3\" has the receptivity \"estop=1\", which holds \"=1\" and is "
        "read as the constant 1 !!!"},
       {{": \"estop\",", ": \"estop=1\","}},
       {"latch.gt", "-c", "-noipcheck"},
       0},
      {{"WARNING: transition: \"t1\" has the guarded part \"0\", which is always false and is "
        "read as 1 !!!"},
       {{"TO: (1) : \"push : not estop\"", "TO: (1) : \"push : 0\""}},
       compile,
       0},
      {{"ERROR: the variable \"estop\" would stand for both the input \"estop\" and the output "
        "\"estop\" !!!"},
       {{"\"alarm\" : bool", "\"estop\" : bool"}}},
      {{"ERROR: the VHDL target cannot hold the name \"open\" of the input \"open\": it is a "
        "reserved word of VHDL !!!"},
       {{"estop", "open"}},
       {"latch.gt", "-c", "-vhdl"}},
      {{"ERROR: the VHDL target cannot hold the name \"latch_reset\" of the reset port: it is also "
        "the name of the input \"reset\" !!!"},
       {{"\"estop\" : bool", "\"estop\" : bool \"reset\" : bool"}},
       {"latch.gt", "-vhdl"}},
      {{"ERROR: the Arduino target cannot hold the name \"millis\" of the input \"millis\": the "
        "Arduino core and its headers already define it !!!"},
       {{"estop", "millis"}},
       {"latch.gt", "-ino"}},
      {{"it is a reserved word of GNU C++"}, {{"estop", "typeof"}}, {"latch.gt", "-ino"}},
      {{"ERROR: the Arduino target cannot hold the name \"_Estop\" of the input \"_Estop\": the "
        "implementations of C++ reserve it !!!"},
       {{"estop", "_Estop"}},
       {"latch.gt", "-ino"}},
      {{"ERROR: the C target cannot hold the name \"SEEK_SET\" of the input \"SET\": it is a "
        "macro of the standard headers of C !!!"},
       {{"Name: latch", "Name: SEEK"}, {"estop", "SET"}}},
      {{"ERROR: the C target cannot hold the name \"static_assert\" of the input \"assert\": it "
        "is a reserved word of C23 !!!"},
       {{"Name: latch", "Name: static"}, {"estop", "assert"}}},
      {{"ERROR: the VHDL target cannot hold the name \"default\" of the input \"default\": it is "
        "a reserved word of VHDL-2008 !!!"},
       {{"estop", "default"}},
       {"latch.gt", "-vhdl"}},
      {{"it is longer than 1023 characters !!!"},
       {{"estop", std::string(1024, 'e')}},
       {"latch.gt", "-vhdl"}},
      {{"ERROR: the VHDL target cannot hold the name \"bit\" of the module \"bit\": it is also "
        "the name of the signal type !!!"},
       {{"Name: latch", "Name: bit"}},
       {"latch.gt", "-vhdl"}},
      {{"ERROR: the VHDL target cannot hold the name \"work\" of the module \"work\": it is also "
        "the name of the library \"work\" !!!"},
       {{"Name: latch", "Name: work"}},
       {"latch.gt", "-vhdl"}},
      {{"ERROR: the VHDL target cannot hold the name \"rising_edge\" of the module "
        "\"rising_edge\": it is also a name that the file's use clauses make visible !!!"},
       {{"Name: latch", "Name: rising_edge"}},
       {"latch.gt", "-altera"}},
      {{"ERROR: the input \"push\" is declared twice !!!"},
       {{"\"estop\" : bool", "\"push\" : bool"}}},
      {{"ERROR: the variable \"X10\" would stand for both the input \"X10\" and step 10 !!!"},
       {{"\"estop\" : bool", "\"estop\" : bool \"X10\" : bool"}}},
      {{"ERROR: the variable \"estop_pre_\" of a condition has no value in the equational "
        "compilation mode !!!"},
       {{"FR: (2) TO: (0) : \"push : not estop\"", "FR: (2) TO: (0) : \"estop_pre_\""}},
       {"latch.gt", "-c", "-equational"}},
      {{"interpreted parallelism between t2 (push : not estop) and t3 (estop or push) !"},
       {{": \"estop\",", ": \"estop or push\","}}},
      {{"INSTABILITY CYCLE including the transitions set: {t1}"}, {{"push : not estop", instable}}},
      {{"UNDETERMINISM OR CAUSALITY VIOLATION ! about the transitions set:{t3}"},
       {{": \"estop\",", ": \"estop and RE30\","}}},
      {{"Error: possibly unstable grafcet! compilation aborted ..."},
       {{"push : not estop", instable}},
       {"latch.gt", "-c", "-equational"}},
      // A loop that the default mode shows stable and the equational mode
      // refuses.
      {{"RECHERCHE PAR ETAT ACCESSIBLES demande"}, {}, compile, 0, anneau_des_activites},
      {{"Error: possibly unstable grafcet! compilation aborted ..."}, {},
       {"latch.gt", "-c", "-equational"}, 1, anneau_des_activites},
      // The loop that no input value cuts, named in the log.
      {{"loop that no input value cuts, under a=1: X1_Set -> RTL1 -> X2_Set -> RTL2 -> X1_Set"},
       {},
       {"latch.gt", "-c", "-equational", "-explain"},
       1,
       variante({{"\"not a\"", "\"a and X11\""}}, "loop.gt"),
       "",
       true},
      // A transition without upstream step: unguarded, it fires for ever.
      {{"INSTABILITY CYCLE including the transitions set: "},
       {{"\"push : not estop\"\n", sans_amont + "\"\n"}}},
      {{"RECHERCHE PAR ETAT ACCESSIBLES demande"},
       {{"\"push : not estop\"\n", sans_amont + " :\"\n"}},
       compile,
       0},
      {{"Warning: no outputs required : only generation of .log file ..."}, {}, {"latch.gt"}, 0},
      {{"SC generation is incompatible with the equationnal compilation mode", "EQU_MODE demande"},
       {},
       {"latch.gt", "-c", "-sc", "-equational"},
       0},
      {{"BRIMOT generation is incompatible with the equationnal compilation mode"},
       {},
       {"latch.gt", "-brimot", "-equational"},
       0},
      {{"FBA generation is incompatible with the equationnal compilation mode"},
       {},
       {"latch.gt", "-intern", "-c", "-equational"},
       0},
      {{"file latch.h cannot be written !"}, {}, compile, 1, "", "latch.h"},
      {{"file latch.gt cannot be read !"}, {}, compile, 1, "-", "latch.gt"},
      {{"`-x' option inconnue: tapez tarvek -h pour en connaitre la liste"},
       {},
       {"latch.gt", "-x"}},
      {{"type : S non encore implemente !", " remplace par : N"},
       {{"3 \"P\"", "3 \"S\""}},
       compile,
       0},
      {{"tarvek: no display for the option window: give a .gt file (tarvek -h for the usage)"},
       {},
       {}},
      {{"bddpp_manager::Bdd_var_reorder(void) A FAIRE"}, {}, {"latch.gt", "-c", "-O2"}, 0},
  };
  std::string messages = guide.substr(guide.find("## 4. Messages"));
  int n = 0;
  for (auto const& c : table) {
    std::string d = scratch_dir("docs_guide_messages/" + std::to_string(n++));
    SCOPED_TRACE(c.cites.front());
    if (c.texte != "-")
      write_file(d + "/latch.gt", c.texte.empty() ? variante(c.changements) : c.texte);
    if (!c.dossier.empty()) fs::create_directory(d + "/" + c.dossier);
    std::vector<std::string> args = {tarvek_path()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    run_result r = run_tool(args, d);
    EXPECT_EQ(r.exit_code, c.code) << r.err;
    std::string imprime = c.journal ? read_file(d + "/latch.log") : r.err;
    for (auto const& cite : c.cites) {
      EXPECT_NE(messages.find(cite), std::string::npos) << "not in the guide: " << cite;
      EXPECT_NE(imprime.find(cite), std::string::npos) << "not printed: " << cite << "\n" << r.err;
    }
  }
}

// Rules of the format that the guide states, each as two writings of one
// chart that must give the same C, or, for the qualifiers of the
// equational mode, different C.
struct cas_regle {
  const char* regle;
  std::string de, a, b;
  bool equational;
  bool meme;

  cas_regle(const char* regle_, std::string de_, std::string a_, std::string b_,
            bool equational_ = false, bool meme_ = true)
      : regle(regle_), de(de_), a(a_), b(b_), equational(equational_), meme(meme_) {}
};

TEST(Guide, TheRulesOfTheFormatHoldOnTheAnnotatedChart) {
  const std::string t3 = ": \"estop\",";
  const std::string t1 = "TO: (1) : \"push : not estop\"";
  const std::string t4 = "FR: (2) TO: (0) : \"push : not estop\"";
  const std::string ready = "\"N\" : \"not estop\"";
  const std::string motor = "0 \"N\" : \"1\"";
  const std::string started = "3 \"P\" : \"1\"";
  const std::string chart = read_file(source + "/docs/examples/latch.gt");
  const size_t debut = chart.find("Link:");
  const std::string liens = chart.substr(debut, chart.find("\nAssertion:") + 1 - debut);
  const cas_regle table[] = {
      {"the links are not compiled", liens, liens, "Link:\nEndLinkTable:\n"},
      {"the links are not compiled", liens, liens, "Link:\nEndLinkTable:\n", true},
      {"spellings of not", ready, "\"N\" : \"not estop\"", "\"N\" : \"~estop\""},
      {"spellings of not", ready, "\"N\" : \"NOT estop\"", "\"N\" : \"! estop\""},
      {"spellings of and", t3, ": \"estop and X20\",", ": \"estop & X20\","},
      {"spellings of and", t3, ": \"estop AND X20\",", ": \"estop . X20\","},
      {"spellings of or", ready, "\"N\" : \"estop or X20\"", "\"N\" : \"estop + X20\""},
      {"and before or", ready, "\"N\" : \"estop or X20 and push\"",
       "\"N\" : \"estop or (X20 and push)\""},
      {"brackets", ready, "\"N\" : \"(estop or X20) and push\"",
       "\"N\" : \"[estop or X20] and push\""},
      {"or and xor from left to right", ready, "\"N\" : \"estop or X20 xor push\"",
       "\"N\" : \"(estop or X20) xor push\""},
      {"blanks after a condition", t3, ": \"estop\",", ": \"estop   \","},
      {"the parts of a guarded receptivity", t1, "TO: (1) : \"push : not estop\"",
       "TO: (1) : \"push and not estop :\""},
      {"an empty part is 1", t1, "TO: (1) : \"push and not estop :\"",
       "TO: (1) : \": push and not estop\""},
      {"an empty part is 1", t1, "TO: (1) : \"push and not estop :\"",
       "TO: (1) : \"push and not estop : 1\""},
      {"a part always false is 1", t1, "TO: (1) : \"push and not estop : 1\"",
       "TO: (1) : \"push and not estop : 0\""},
      {"the =1 rule", t4, "FR: (2) TO: (0) : \"1\"", "FR: (2) TO: (0) : \"estop=1\""},
      {"the =1 rule", t4, "FR: (2) TO: (0) : \"1\"", "FR: (2) TO: (0) : \"x=10\""},
      {"the default mode follows the output's type", motor, motor, "0 \"P\" : \"1\""},
      {"the default mode follows the output's type", started, started, "3 \"N\" : \"1\""},
      {"the equational mode follows the qualifier", motor, motor, "0 \"P\" : \"1\"", true, false},
      {"the equational mode follows the qualifier", started, started, "3 \"N\" : \"1\"", true,
       false},
      {"an S action is read as N", motor, motor, "0 \"S\" : \"1\""},
      {"an S action is read as N", motor, motor, "0 \"S\" : \"1\"", true},
  };
  // Rows share writings (the chart as it is, above all): each is compiled
  // once per mode.
  std::map<std::pair<std::string, bool>, std::string> compilees;
  auto code_c = [&](std::string const& texte, bool equational) {
    auto deja = compilees.find({texte, equational});
    if (deja != compilees.end()) return deja->second;
    std::string d = scratch_dir("docs_guide_rules/" + std::to_string(compilees.size()));
    write_file(d + "/latch.gt", texte);
    std::vector<std::string> args = {tarvek_path(), "latch.gt", "-c"};
    if (equational) args.push_back("-equational");
    run_result r = run_tool(args, d);
    EXPECT_EQ(r.exit_code, 0) << r.err;
    return compilees[{texte, equational}] = read_file(d + "/latch.c");
  };
  for (auto const& c : table) {
    SCOPED_TRACE(c.regle + std::string(": ") + c.a + " / " + c.b);
    std::string a = code_c(variante({{c.de, c.a}}), c.equational);
    std::string b = code_c(variante({{c.de, c.b}}), c.equational);
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a == b, c.meme);
  }
}

// What the guide says of its small charts beyond the runs that it shows,
// most of all that the other mode answers alike: a chart of docs/examples,
// with changes, compiled with the options and driven by trace.c through
// the reactions, prints the trace; or the run is refused with its code and
// a line of the standard error stream.
struct cas_comportement {
  const char* affirmation;
  std::string exemple;
  std::vector<std::pair<std::string, std::string>> changements;
  std::vector<std::string> options;
  std::string reactions;
  std::string attendu;  // the trace, or a line of the refusal
  int code = 0;
};

TEST(Guide, TheSmallChartsBehaveAsTheGuideSays) {
  const std::string instable = "INSTABILITY CYCLE including the transitions set: ";
  const std::string boucle = "Error: possibly unstable grafcet! compilation aborted ...";
  const std::string cause = "UNDETERMINISM OR CAUSALITY VIOLATION ! about the transitions set:";
  const std::vector<std::string> eq = {"-equational"};
  const std::string traverse = "0 0 | 1 0 0\n1 0 | 0 0 1\n0 0 | 0 0 1\n";
  const std::string atteint = "0 0 | 1 0 0\n1 0 | 0 1 0\n0 0 | 0 1 0\n";
  const std::string front =
      "0 0 | 0 0 0\n1 0 | 1 1 1\n1 0 | 1 0 1\n1 1 | 0 0 1\n1 0 | 0 0 1\n0 0 | 0 0 0\n"
      "1 0 | 1 1 1\n";
  const std::string memoire =
      "0 0 | 0 0 0\n1 0 | 1 0 1\n1 0 | 1 0 1\n1 1 | 0 1 1\n1 0 | 0 1 1\n0 0 | 0 0 0\n";
  const std::string impulsion = "0 0 | 0 0 0\n1 0 | 1 1 0\n0 0 | 1 0 0\n0 0 | 1 0 0\n";
  const std::string attente =
      "0 0 | 1 0 0\n1 1 | 0 1 0\n0 1 | 0 0 1\n0 1 | 1 0 0\n0 0 | 1 0 0\n";
  const std::string mode =
      "0 0 | 1 0 0\n1 0 | 0 1 0\n0 1 | 0 1 1\n1 0 | 1 0 1\n1 0 | 1 0 1\n0 1 | 1 0 0\n"
      "1 0 | 0 1 0\n";
  const std::string boucle_coupee =
      "0 0 | 1 0 0\n1 0 | 0 1 0\n0 1 | 1 0 1\n1 0 | 1 0 1\n1 0 | 1 0 1\n0 1 | 1 0 0\n"
      "1 0 | 0 1 0\n";
  const std::string boucle_sur_2 = "0 0 | 1 0 0\n1 0 | 1 1 0\n1 0 | 1 1 0\n0 0 | 1 0 0\n";
  const std::string une_fois = "0 0 | 1 0 1\n1 1 | 1 1 0\n0 0 | 1 1 0\n";
  const std::vector<std::pair<std::string, std::string>> x1_garde = {{"\"X1\"", "\"X1 :\""}};
  const std::vector<std::pair<std::string, std::string>> x1_atteint = {
      {"\"X1\"", "\"X1 and not FE1 or RE1\""}};
  const std::vector<std::pair<std::string, std::string>> b_pas_re2 = {
      {"\"X1\"", "\"b and not RE2\""}};
  const std::vector<std::pair<std::string, std::string>> garde_x11 = {
      {"\"not a\"", "\"a and X11 :\""}};
  const cas_comportement table[] = {
      {"one reaction crosses from step 1 to step 3", "cross.gt", {}, eq, "00 10 00", traverse},
      {"X1 and not FE1 reads the situation reached", "cross.gt",
       {{"\"X1\"", "\"X1 and not FE1\""}}, eq, "00 10 00", atteint},
      {"so does X1 :", "cross.gt", x1_garde, {}, "00 10 00", atteint},
      {"so does X1 :", "cross.gt", x1_garde, eq, "00 10 00", atteint},
      {"and X1 and not FE1 or RE1", "cross.gt", x1_atteint, {}, "00 10 00", atteint},
      {"and X1 and not FE1 or RE1", "cross.gt", x1_atteint, eq, "00 10 00", atteint},
      {"the rising edge", "edge.gt", {}, eq, "00 10 10 11 10 00 10", front},
      {"step 11 initial: a true at first is no edge", "edge.gt",
       {{"IS: 10", "NS: 10"}, {"NS: 11", "IS: 11"}}, {}, "10 00 10",
       "1 0 | 0 0 1\n0 0 | 0 0 0\n1 0 | 1 1 1\n"},
      {"step 11 initial: a true at first is no edge", "edge.gt",
       {{"IS: 10", "NS: 10"}, {"NS: 11", "IS: 11"}}, eq, "10 00 10",
       "1 0 | 0 0 1\n0 0 | 0 0 0\n1 0 | 1 1 1\n"},
      {"a timer and a memory", "store.gt", {}, eq, "00 10 10 11 10 00", memoire},
      {"the pair unguarded is a loop that reads no input", "store.gt",
       {{"\"RE2 :\"", "\"RE2\""}, {"\"RE1 :\"", "\"RE1\""}}, eq, "", boucle, 1},
      {"a time is a syntax error", "store.gt", {{"\"b :\"", "\"5s/X2\""}}, {}, "",
       "syntax error", 1},
      {"a source transition that fires once pulses alike", "source.gt", {}, {}, "00 10 00 00",
       impulsion},
      {"a source transition that fires once pulses alike", "source.gt", {}, eq, "00 10 00 00",
       impulsion},
      // Step 2 initial, entered from itself while a holds: it pulses in
      // both modes.
      {"a transition from the step to itself pulses in both modes", "source.gt",
       {{"NS: 2", "IS: 2"}, {"FR: TO: (1)", "FR: (1) TO: (1)"}}, {"-noipcheck"}, "00 10 10 00",
       boucle_sur_2},
      {"a transition from the step to itself pulses in both modes", "source.gt",
       {{"NS: 2", "IS: 2"}, {"FR: TO: (1)", "FR: (1) TO: (1)"}}, {"-equational", "-noipcheck"},
       "00 10 10 00", boucle_sur_2},
      // Step 1 enters itself and step 2 while a holds: step 2, active, is
      // entered again.
      {"another branch entering an active step", "source.gt",
       {{"FR: TO: (1)", "FR: (0) TO: (0,1)"}}, {}, "00 10 10 00",
       "0 0 | 0 0 0\n1 0 | 1 1 0\n1 0 | 1 1 0\n0 0 | 1 0 0\n"},
      {"another branch entering an active step", "source.gt",
       {{"FR: TO: (1)", "FR: (0) TO: (0,1)"}}, eq, "00 10 10 00",
       "0 0 | 0 0 0\n1 0 | 1 1 0\n1 0 | 1 0 0\n0 0 | 1 0 0\n"},
      {"b and not RE2 compiles in the default mode", "cross.gt", b_pas_re2, {}, "00 11 01 01 00",
       attente},
      {"and is refused with -step too", "cross.gt", b_pas_re2, {"-equational", "-step"}, "",
       boucle, 1},
      {"and guarded too", "cross.gt", {{"\"X1\"", "\"b and not RE2 :\""}}, eq, "", boucle, 1},
      {"b : compiles in both modes", "cross.gt", {{"\"X1\"", "\"b :\""}}, {}, "00 11 01 01 00",
       attente},
      {"b : compiles in both modes", "cross.gt", {{"\"X1\"", "\"b :\""}}, eq, "00 11 01 01 00",
       attente},
      {"the default mode refuses FE of a step that the transition leaves", "cross.gt",
       {{"\"X1\"", "\"b and FE2\""}}, {}, "", cause, 1},
      {"and RE of a step that it enters", "cross.gt", {{"\"X1\"", "\"b and not RE3\""}}, {}, "",
       cause, 1},
      {"an unguarded source transition is refused", "source.gt", {{"\"a :\"", "\"a\""}}, {}, "",
       instable + "{t1}", 1},
      {"the loop compiles in both modes", "loop.gt", {}, {}, "00 10 01 10 10 01 10",
       boucle_coupee},
      {"the loop compiles in both modes", "loop.gt", {}, eq, "00 10 01 10 10 01 10",
       boucle_coupee},
      {"the default mode compiles the loop through the mode", "loop.gt",
       {{"\"not a\"", "\"a and X11\""}}, {}, "00 10 01 10 10 01 10", mode},
      {"guarded, both modes compile it alike", "loop.gt", garde_x11, {}, "00 10 01 10 10 01 10",
       mode},
      {"guarded, both modes compile it alike", "loop.gt", garde_x11, eq, "00 10 01 10 10 01 10",
       mode},
      {"the equational mode compiles both forms and prints the same", "twice.gt", {}, eq,
       "00 11 00", une_fois},
      {"the equational mode compiles both forms and prints the same", "twice.gt",
       {{"\"a\",", "\"a :\","}}, eq, "00 11 00", une_fois},
      // Steps 2 and 3 entered by the source transition on b, and round
      // again and again on b.
      {"a reaction that never ends", "source.gt",
       {{"\"not b :\"", "\"b\""}, {"\"b :\"", "\"b\""}, {"\"a :\"", "\"b :\""}}, {}, "",
       instable, 1},
      {"the equational mode compiles it", "source.gt",
       {{"\"not b :\"", "\"b\""}, {"\"b :\"", "\"b\""}, {"\"a :\"", "\"b :\""}}, eq, "00 01 00",
       "0 0 | 0 0 0\n0 1 | 0 1 0\n0 0 | 0 0 0\n"},
  };
  // Each chart compiled is named after its row, so that the traces of all
  // of them make one program: trace.c once per chart, under its names.
  std::string d = dossier_des_exemples("docs_guide_behaviour");
  std::string programme, aiguillage;
  std::vector<size_t> traces;
  for (size_t i = 0; i < std::size(table); ++i) {
    auto const& c = table[i];
    SCOPED_TRACE(std::string(c.affirmation) + " (" + c.exemple + ")");
    std::string nom = "cas" + std::to_string(i);
    auto changements = c.changements;
    changements.push_back({"Name: demo", "Name: " + nom});
    write_file(d + "/" + nom + ".gt", variante(changements, c.exemple));
    std::vector<std::string> args = {tarvek_path(), nom + ".gt", "-c"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    run_result r = run_tool(args, d);
    EXPECT_EQ(r.exit_code, c.code) << r.err;
    if (c.code != 0) {
      EXPECT_NE(r.err.find(c.attendu), std::string::npos) << r.err;
    }
    if (c.code != 0 || r.exit_code != 0) continue;
    programme += "#include \"" + nom + ".c\"\n#define demo_reset_automaton " + nom +
                 "_reset_automaton\n#define demo_automaton " + nom +
                 "_automaton\n#define main trace_" + nom +
                 "\n#include \"trace.c\"\n#undef demo_reset_automaton\n#undef demo_automaton\n"
                 "#undef main\n";
    aiguillage += "  if (k == " + std::to_string(i) + ") return trace_" + nom + "(argc - 1, argv + 1);\n";
    traces.push_back(i);
  }
  write_file(d + "/traces.c", "#include <stdlib.h>\n" + programme +
                                  "int main(int argc, char **argv)\n{\n  int k = atoi(argv[1]);\n" +
                                  aiguillage + "  return 1;\n}\n");
  run_result gcc = commande(d, "gcc -o traces traces.c");
  ASSERT_EQ(gcc.exit_code, 0) << gcc.err;
  for (size_t i : traces) {
    auto const& c = table[i];
    SCOPED_TRACE(std::string(c.affirmation) + " (" + c.exemple + ")");
    run_result t = commande(d, "./traces " + std::to_string(i) + " " + c.reactions);
    EXPECT_EQ(t.exit_code, 0) << t.err;
    EXPECT_EQ(t.out, c.attendu);
  }
}

// The options that the program reads, from its table, are those of the
// guide's; each is accepted on the annotated chart; the usage's syntax
// lines leave out -intern and -doc.
TEST(Guide, TheTableOfOptionsNamesEveryOption) {
  std::set<std::string> programme = {"-h", "-v"};
  const std::string code = read_file(source + "/frontend/tarvek.cc");
  const std::string debut = "table_options[] = {";
  size_t p = code.find(debut);
  ASSERT_NE(p, std::string::npos);
  const size_t fin = code.find("};", p);
  for (p = code.find("{\"-", p); p < fin; p = code.find("{\"-", p + 1))
    programme.insert(code.substr(p + 2, code.find('"', p + 2) - p - 2));

  std::set<std::string> guide_options;
  const size_t section = guide.find("## 5. The command line");
  ASSERT_NE(section, std::string::npos);
  for (auto const& l : lignes(guide.substr(section))) {
    if (l.rfind("| `-", 0) != 0) continue;
    std::string cellule = l.substr(2, l.find(" |", 2) - 2);
    for (size_t q = cellule.find('`'); q != std::string::npos;
         q = cellule.find('`', cellule.find('`', q + 1) + 1))
      guide_options.insert(cellule.substr(q + 1, cellule.find('`', q + 1) - q - 1));
  }
  EXPECT_EQ(guide_options, programme);

  // Each option is accepted: one run with -equational, one with all the
  // others (an unknown option would stop it).
  std::string d = dossier_des_exemples("docs_guide_options");
  std::vector<std::string> toutes = {tarvek_path(), "latch.gt"};
  for (auto const& o : programme)
    if (o != "-h" && o != "-v" && o != "-equational") toutes.push_back(o);
  for (auto const& args : {toutes, {tarvek_path(), "latch.gt", "-equational"},
                           {tarvek_path(), "-v"}}) {
    run_result r = run_tool(args, d);
    EXPECT_EQ(r.exit_code, 0) << args.back() << "\n" << r.err;
  }
  run_result h = run_tool({tarvek_path(), "-h"}, d);
  EXPECT_EQ(h.exit_code, 0);
  std::string syntaxe = h.out.substr(0, h.out.find("options:"));
  EXPECT_NE(syntaxe.find("[-c]"), std::string::npos) << h.out;
  EXPECT_EQ(syntaxe.find("-intern"), std::string::npos);
  EXPECT_EQ(syntaxe.find("-doc"), std::string::npos);
}

}  // namespace
