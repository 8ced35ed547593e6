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
// build.
run_result commande(const std::string& dossier, const std::string& ligne) {
  std::string chemin = fs::path(tarvek_path()).parent_path().string();
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

// The annotated chart with each text `de` replaced by `vers`; each must be
// in it.
std::string variante(const std::vector<std::pair<std::string, std::string>>& changements) {
  std::string t = read_file(source + "/docs/examples/latch.gt");
  for (auto const& [de, vers] : changements) {
    size_t p = t.find(de);
    EXPECT_NE(p, std::string::npos) << de;
    for (; p != std::string::npos; p = t.find(de, p + vers.size())) t.replace(p, de.size(), vers);
  }
  return t;
}

// One run per row of the guide's table of messages: the chart (a variant of
// latch.gt, or a text of its own), the arguments, the exit code, and the
// lines that the guide quotes, each of which the run prints.
struct cas_message {
  std::vector<std::string> cites;
  std::vector<std::pair<std::string, std::string>> changements;
  std::vector<std::string> args;
  int code;
  std::string texte;    // the chart when it is no variant; "-" for none
  bool entete_bloquee;  // a folder stands where latch.h goes

  cas_message(std::vector<std::string> cites_,
              std::vector<std::pair<std::string, std::string>> changements_ = {},
              std::vector<std::string> args_ = {"latch.gt", "-c"}, int code_ = 1,
              std::string texte_ = "", bool entete_bloquee_ = false)
      : cites(cites_), changements(changements_), args(args_), code(code_), texte(texte_),
        entete_bloquee(entete_bloquee_) {}
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
      {{"file latch.h cannot be written !"}, {}, compile, 1, "", true},
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
    if (c.entete_bloquee) fs::create_directory(d + "/latch.h");
    std::vector<std::string> args = {tarvek_path()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    run_result r = run_tool(args, d);
    EXPECT_EQ(r.exit_code, c.code) << r.err;
    for (auto const& cite : c.cites) {
      EXPECT_NE(messages.find(cite), std::string::npos) << "not in the guide: " << cite;
      EXPECT_NE(r.err.find(cite), std::string::npos) << "not printed: " << cite << "\n" << r.err;
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
      {"text after a condition is ignored", t3, ": \"estop\",", ": \"estop * push\","},
      {"text after a condition is ignored", t3, ": \"estop\",", ": \"estop push\","},
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
      {"=1 in an assertion", "\nAssertion:\n", "\nAssertion:\n  \"estop\"\n",
       "\nAssertion:\n  \"estop=1\"\n"},
      {"the default mode follows the output's type", motor, motor, "0 \"P\" : \"1\""},
      {"the default mode follows the output's type", started, started, "3 \"N\" : \"1\""},
      {"the equational mode follows the qualifier", motor, motor, "0 \"P\" : \"1\"", true, false},
      {"the equational mode follows the qualifier", started, started, "3 \"N\" : \"1\"", true,
       false},
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

}  // namespace
