// The tarvek binary on what the encoding refuses: conditions that do not
// parse, names that two variables would share, and interpreted parallelism,
// with -noipcheck and -step; each with its exact message and exit code.
#include <gtest/gtest.h>

#include "run_tool.h"
#include "tarvek_cas.h"

namespace {

const std::string fin_condition = "\n  --> break compilation processing ...\n\n";

std::string receptivite(const std::string& texte) {
  return "ERROR: the receptivity :\"" + texte + "\" has an uncorrect syntax!" + fin_condition;
}

std::string inconnu(const std::string& nom) {
  return "parsing error in expression: name \"" + nom + "\" not identificated ...\n";
}

std::string refuse(const std::string& texte, const std::string& pourquoi = "") {
  return "PARSING ERROR about expression: \"" + texte + "\"" + pourquoi + "\n";
}

const std::string parentheses = ": bad parenthesing!";

const std::string deux_etapes[] = {"IS: 1 0 0", "NS: 2 0 4"};

std::vector<std::string> aller_retour(const std::string& aller, const std::string& retour) {
  return {"1 0 2 FR: (0) TO: (1) : \"" + aller + "\"",
          "2 0 6 FR: (1) TO: (0) : \"" + retour + "\""};
}

// The encoding comes before the model checks, so its errors come first, and
// the log holds no dump.
TEST(TarvekCompil, ConditionsThatDoNotParse) {
  std::string d = scratch_dir("tarvek_conditions");
  const std::string entrees = "\"a\" : bool \"b\" : bool";
  const std::vector<std::string> etapes(std::begin(deux_etapes), std::end(deux_etapes));
  struct cas {
    const char* nom;
    std::string texte, err;
  } const table[] = {
      {"receptivity", gt(etapes, aller_retour("a or", "b"), entrees),
       "syntax error\n" + refuse("a or") + receptivite("a or")},
      {"unknown name", gt(etapes, aller_retour("a and c", "b"), entrees),
       inconnu("c") + refuse("a and c") + receptivite("a and c")},
      {"second part named alone", gt(etapes, aller_retour("a : b or", "b"), entrees),
       "syntax error\n" + refuse(" b or") + receptivite(" b or")},
      {"first part judged first", gt(etapes, aller_retour("a or : b or", "b"), entrees),
       inconnu(" ") + refuse("a or ") + receptivite("a or ")},
      {"before the checks", gt({"NS: 1 0 0", "NS: 1 0 4"}, aller_retour("b", "xor"), entrees),
       "syntax error\n" + refuse("xor") + receptivite("xor")},
      {"first transition in table order, receptivities before assertions",
       gt(etapes,
          {"1 0 2 FR: (0) TO: (1) : \"a\"", "9 0 6 FR: (1) TO: (0) : \"b\"",
           "4 2 6 FR: (1) TO: (0) : \"not\"", "3 4 6 FR: (1) TO: (0) : \"a and\""},
          entrees, {"a or"}),
       "syntax error\n" + refuse("not") + receptivite("not")},
      {"assertion", gt(etapes, aller_retour("a", "b"), entrees, {"not (a and b)", "a or"}),
       "syntax error\n" + refuse("a or") +
           "ERROR: the assertion :\"a or\" has an uncorrect syntax!" + fin_condition},
      // Unbalanced parentheses are refused before the grammar runs, and
      // stop the run all the same: a condition that could never hold (or a
      // guarded part taken as empty, that always would) is no success.
      {"unbalanced receptivity", gt(etapes, aller_retour("(a", "b"), entrees),
       refuse("(a", parentheses) + receptivite("(a")},
      {"unbalanced guarded part", gt(etapes, aller_retour("a", "(b : a"), entrees),
       refuse("(b ", parentheses) + receptivite("(b ")},
      {"unbalanced assertion", gt(etapes, aller_retour("a", "b"), entrees, {"not (a and b))"}),
       refuse("not (a and b))", parentheses) +
           "ERROR: the assertion :\"not (a and b))\" has an uncorrect syntax!" + fin_condition},
      {"empty assertion", gt(etapes, aller_retour("a", "b"), entrees, {""}),
       "ERROR: the assertion :\"\" has an uncorrect syntax!" + fin_condition},
  };
  for (auto const& c : table) {
    write_file(d + "/c.gt", c.texte);
    run_result r = tarvek(d, {"c.gt"});
    EXPECT_EQ(r.exit_code, 1) << c.nom;
    EXPECT_EQ(r.err, c.err) << c.nom;
    EXPECT_EQ(read_file(d + "/c.log").find("NOM MODULE"), std::string::npos) << c.nom;
  }
}

// A condition is read to its end or refused, in both modes, and the text
// left after a complete condition is named: "a=0" read as "a" would invert
// the receptivity without a word. Receptivities and assertions are refused
// by the encoding, before the compilation; action conditions by the
// compilation of each mode.
TEST(TarvekCompil, ConditionsReadToTheirEnd) {
  std::string d = scratch_dir("tarvek_conditions_end");
  const std::string entrees = "\"a\" : bool \"b\" : bool";
  const std::vector<std::string> etapes(std::begin(deux_etapes), std::end(deux_etapes));
  auto non_lu = [](const std::string& reste) {
    return "text after the condition is not read: \"" + reste + "\"\n";
  };
  const std::string fin = "  --> break compilation processing ...\n\n";
  auto recept = [&](const std::string& texte, const std::string& reste) {
    return "ERROR: the receptivity :\"" + texte + "\" has an uncorrect syntax!\n" + non_lu(reste) +
           fin;
  };
  auto action = [&](const std::string& etapes_action) {
    return gt({"IS: 1 0 0 Action: 0 \"N\" : \"" + etapes_action + "\" EndAction:", "NS: 2 0 4"},
              aller_retour("a", "not a"), entrees);
  };
  struct cas {
    const char* nom;
    std::string texte, err;
    bool compile;  // refused by the compilation, after the mode's line
  } const table[] = {
      {"inverted first part", gt(etapes, aller_retour("a=0 :", "b"), entrees),
       recept("a=0 ", "=0"), false},
      {"two names in the first part", gt(etapes, aller_retour("b a :", "b"), entrees),
       recept("b a ", "a"), false},
      {"two names in the second part", gt(etapes, aller_retour("a : b a", "b"), entrees),
       recept(" b a", "a"), false},
      {"a second colon", gt(etapes, aller_retour("a : b:a", "b"), entrees),
       recept(" b:a", ":a"), false},
      {"=1 in a guarded part", gt(etapes, aller_retour("a=1 : b", "b"), entrees),
       recept("a=1 ", "=1"), false},
      {"unguarded", gt(etapes, aller_retour("a", "b not a"), entrees), recept("b not a", "not a"),
       false},
      {"brackets after the condition", gt(etapes, aller_retour("a ) (", "b"), entrees),
       recept("a ) (", ") ("), false},
      {"priority after the condition", gt(etapes, aller_retour("a <1>", "b"), entrees),
       recept("a <1>", "<1>"), false},
      {"assertion", gt(etapes, aller_retour("a", "b"), entrees, {"not (a and b) a"}),
       "ERROR: the assertion :\"not (a and b) a\" has an uncorrect syntax!\n" + non_lu("a") + fin,
       false},
      {"action condition", action("b * a"),
       "ERROR about the step :\"1\":\n    action post-condition \"b * a\" is unknown ...\n" +
           non_lu("* a") + "\n" + fin,
       true},
  };
  for (auto const& c : table) {
    write_file(d + "/c.gt", c.texte);
    for (std::string mode : {"", "-equational"}) {
      run_result r = tarvek(d, mode.empty() ? std::vector<std::string>{"c.gt"}
                                            : std::vector<std::string>{"c.gt", mode});
      std::string annonce = mode.empty() ? par_situations : "EQU_MODE demande\n";
      EXPECT_EQ(r.exit_code, 1) << c.nom << mode;
      EXPECT_EQ(r.err, (c.compile ? annonce : "") + c.err) << c.nom << mode;
    }
  }
  // Blanks after a condition, the priority prefix and the "=1" rule of an
  // unguarded receptivity are kept.
  const std::string egal_un = "WARNING: transition: \"t2\" has the receptivity \"b=1 a\", which "
                              "holds \"=1\" and is read as the constant 1 !!!" + continue_;
  const std::pair<std::string, std::string> gardes[] = {
      {gt(etapes, aller_retour("<2> a : b  ", "b   "), entrees, {"not (a and b)  "}), ""},
      {gt(etapes, aller_retour("a : ", "b=1 a"), entrees), egal_un},
      {action("a  "), ""},
  };
  for (auto const& [texte, avertissement] : gardes) {
    write_file(d + "/k.gt", texte);
    for (std::string mode : {"", "-equational"}) {
      run_result r = tarvek(d, mode.empty() ? std::vector<std::string>{"k.gt"}
                                            : std::vector<std::string>{"k.gt", mode});
      std::string annonce = mode.empty() ? par_situations : "EQU_MODE demande\n";
      EXPECT_EQ(r.exit_code, 0) << texte << mode;
      EXPECT_EQ(r.err, avertissement + annonce + pas_de_sortie) << texte << mode;
    }
  }
}

// Action conditions are parsed by the compilation itself, here the
// equational one: an unbalanced one stops it like the others.
TEST(TarvekCompil, UnbalancedActionCondition) {
  std::string d = scratch_dir("tarvek_action_condition");
  write_file(d + "/a.gt", gt({"IS: 1 0 0 Action: 0 \"N\" : \"(a\" EndAction:", "NS: 2 0 4"},
                             aller_retour("a", "not a")));
  run_result r = tarvek(d, {"a.gt", "-equational"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "EQU_MODE demande\n" + refuse("(a", parentheses) +
                       "ERROR about the step :\"1\":\n    action post-condition \"(a\" is "
                       "unknown ...\n\n  --> break compilation processing ...\n\n");
}

// A repeated input name, or an input named like a variable that the encoding
// makes, would give two meanings to one BDD variable.
TEST(TarvekCompil, NamesThatCollide) {
  std::string d = scratch_dir("tarvek_collisions");
  const std::vector<std::string> etapes(std::begin(deux_etapes), std::end(deux_etapes));
  const std::string deux_fois = " is declared twice !!!" + casse;
  auto partage = [](const std::string& nom, const std::string& premier, const std::string& second) {
    return "ERROR: the variable \"" + nom + "\" would stand for both " + premier + " and " +
           second + " !!!" + casse;
  };
  struct cas {
    std::string entrees, err;
  } const table[] = {
      {"\"a\" : bool \"a\" : bool", "ERROR: the input \"a\"" + deux_fois},
      {"\"a\" : bool \"a\" : event", "ERROR: the input \"a\"" + deux_fois},
      {"\"a\" : event \"a\" : event", "ERROR: the input \"a\"" + deux_fois},
      {"\"a\" : bool \"X1\" : bool", partage("X1", "the input \"X1\"", "step 1")},
      {"\"a\" : bool \"RTL2\" : event", partage("RTL2", "the input \"RTL2\"", "step 2")},
      {"\"RE1\" : event \"a\" : bool \"FE2\" : bool",
       partage("RE1", "the input \"RE1\"", "step 1")},
      {"\"a\" : bool \"a_pre_\" : event",
       partage("a_pre_", "the previous value of input \"a\"", "the input \"a_pre_\"")},
      {"\"a_pre_\" : bool \"a\" : bool",
       partage("a_pre_", "the input \"a_pre_\"", "the previous value of input \"a\"")},
      {"\"b\" : bool \"a\" : bool \"b_pre__pre_\" : event \"b_pre_\" : bool",
       partage("b_pre_", "the previous value of input \"b\"", "the input \"b_pre_\"")},
      // Names that only look alike.
      {"\"a\" : bool \"v\" : event \"v_pre_\" : bool \"X3\" : bool \"x1\" : bool \"RE\" : bool",
       compile_seul},
  };
  for (auto const& c : table) {
    write_file(d + "/n.gt", gt(etapes, aller_retour("a", "not a"), c.entrees));
    run_result r = tarvek(d, {"n.gt"});
    EXPECT_EQ(r.exit_code, c.err == compile_seul ? 0 : 1) << c.entrees;
    EXPECT_EQ(r.err, c.err) << c.entrees;
  }
  // Two steps of one name are the model check's to report.
  write_file(d + "/s.gt", gt({"IS: 1 0 0", "NS: 1 0 4"}, aller_retour("a", "not a")));
  EXPECT_EQ(tarvek(d, {"s.gt"}).err, "ERROR: Several steps have the same ident: \"1\" !!!" + casse);
}

// The automaton of either mode holds the states, their next values, the
// inputs and the outputs, which every writer prints side by side: a name
// that two of them would share stops the run before any target file, with
// the same message in both modes. Only the equational automaton has
// variables for the step edges and the previous values, and only it refuses
// an output declared twice, which the default mode makes one action.
TEST(TarvekCompil, NamesOfTheAutomaton) {
  std::string d = scratch_dir("tarvek_names_automaton");
  auto partage = [](const std::string& nom, const std::string& premier, const std::string& second) {
    return "ERROR: the variable \"" + nom + "\" would stand for both " + premier + " and " +
           second + " !!!" + casse;
  };
  auto texte = [](const std::string& entrees, const std::string& sorties) {
    return "Name: m Input: \"a\" : bool " + entrees + " EndInput: Output: " + sorties +
           " EndOutput:\nStep: IS: 1 0 0 Action: 0 \"N\" : \"a\" EndAction: NS: 2 0 4 EndStep:\n"
           "Transition: 1 0 2 FR: (0) TO: (1) : \"a\", 2 0 6 FR: (1) TO: (0) : \"not a\" "
           "EndTransition:\nLink: EndLinkTable:\nAssertion: EndAssertion:\n";
  };
  const std::string ajoutee = "\" that -simul adds";
  struct cas {
    std::string entrees, sorties;
    std::vector<std::string> options;
    std::string par_situations, equationnel;  // "" where the run writes its files
  } const table[] = {
      {"\"X2next\" : bool",
       "\"o\" : bool",
       {},
       partage("X2next", "step 2", "the input \"X2next\""),
       ""},
      {"",
       "\"o\" : bool \"a\" : event",
       {},
       partage("a", "the input \"a\"", "the output \"a\""),
       ""},
      {"", "\"X1\" : bool", {}, partage("X1", "step 1", "the output \"X1\""), ""},
      {"",
       "\"o\" : bool \"X2next\" : event",
       {},
       partage("X2next", "step 2", "the output \"X2next\""),
       ""},
      {"\"EXPORTED_RE2\" : bool",
       "\"o\" : bool",
       {"-simul"},
       partage("EXPORTED_RE2", "the input \"EXPORTED_RE2\"", "the output \"EXPORTED_RE2" + ajoutee),
       ""},
      {"",
       "\"o\" : bool \"EXPORTED_ZX1\" : bool",
       {"-simul"},
       partage("EXPORTED_ZX1", "the output \"EXPORTED_ZX1\"",
               "the output \"EXPORTED_ZX1" + ajoutee),
       ""},
      {"",
       "\"o\" : bool \"o\" : event",
       {},
       "",
       "ERROR: the output \"o\" is declared twice !!!" + casse},
      {"",
       "\"o\" : bool \"RE1\" : bool \"a_pre_\" : event",
       {},
       "",
       partage("a_pre_", "the previous value of input \"a\"", "the output \"a_pre_\"")},
  };
  for (auto const& c : table)
    for (bool eq : {false, true}) {
      std::string attendu =
          eq ? (c.equationnel.empty() ? c.par_situations : c.equationnel) : c.par_situations;
      SCOPED_TRACE(c.entrees + " / " + c.sorties + (eq ? " equational" : ""));
      for (std::string ext : {".c", ".h", ".blif", ".lus"}) std::remove((d + "/n" + ext).c_str());
      write_file(d + "/n.gt", texte(c.entrees, c.sorties));
      std::vector<std::string> args = {"n.gt", "-c", "-blif", "-lustre"};
      args.insert(args.end(), c.options.begin(), c.options.end());
      if (eq) args.push_back("-equational");
      run_result r = tarvek(d, args);
      const std::string annonce = eq ? "EQU_MODE demande\n" : par_situations;
      if (attendu.empty()) {
        EXPECT_EQ(r.exit_code, 0) << r.err;
        EXPECT_TRUE(file_exists(d + "/n.c") && file_exists(d + "/n.lus"));
        continue;
      }
      EXPECT_EQ(r.exit_code, 1);
      EXPECT_EQ(r.err, annonce + attendu);
      for (std::string ext : {".c", ".h", ".blif", ".lus"})
        EXPECT_FALSE(file_exists(d + "/n" + ext));
    }
}

// Step 1 leaves by t3, t7 and t9; t5 and t6 both leave steps 2 and 3; t8
// and t4 leave step 4, but the assertion keeps them apart.
const std::string conflits =
    gt({"IS: 1 0 0", "NS: 2 0 4", "NS: 3 4 4", "NS: 4 8 4"},
       {"3 0 2 FR: (0) TO: (1) : \"a\"", "7 4 2 FR: (0) TO: (2) : \"b\"",
        "9 8 2 FR: (0) TO: (3) : \"not a and not b\"", "5 0 6 FR: (1,2) TO: (0) : \"=1\"",
        "6 4 6 FR: (1,2) TO: (0) : \"ev : b\"", "8 8 6 FR: (3) TO: (0) : \"c\"",
        "4 8 8 FR: (3) TO: (0) : \"d and X4\""},
       "\"a\" : bool \"b\" : bool \"c\" : bool \"d\" : bool \"ev\" : event", {"not (c and d)"});

run_result tarvek_avec(const std::string& d, std::vector<std::string> args,
                       const std::vector<std::string>& options) {
  args.insert(args.end(), options.begin(), options.end());
  return tarvek(d, args);
}

TEST(TarvekCompil, InterpretedParallelism) {
  std::string d = scratch_dir("tarvek_parallelisme");
  write_file(d + "/p.gt", conflits);
  const std::string rapport =
      "ERROR: \n"
      "interpreted parallelism between t3 (a) and t7 (b) !\n"
      "interpreted parallelism between t5 (=1) and t6 (ev : b) !\n"
      "interpreted parallelism between t5 (=1) and t6 (ev : b) !\n"
      "\n   --> break compilation processing ...\n";
  // The guards that -step sets do not bear on the check.
  for (auto const& options : std::vector<std::vector<std::string>>{{}, {"-step"}}) {
    run_result r = tarvek_avec(d, {"p.gt"}, options);
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_EQ(r.err, rapport);
    EXPECT_EQ(read_file(d + "/p.log").find("NOM MODULE"), std::string::npos);
  }
  // Without the check the compilation runs: t3 and t7 fire together, and
  // t5 brings step 1 back while a still holds. One level at a time, the
  // grafcet compiles.
  struct cas {
    std::vector<std::string> options;
    int code;
    std::string err;
  } const sans_verification[] = {
      {{"-noipcheck"}, 1, par_situations + "INSTABILITY CYCLE including the transitions set: {t3,t7}\n\n"
                                           "  --> break compilation processing ...\n\n"},
      {{"-noipcheck", "-step"}, 0, compile_seul},
      {{"-step", "-noipcheck", "-equational"}, 0, "EQU_MODE demande\n" + pas_de_sortie},
  };
  for (auto const& c : sans_verification) {
    run_result r = tarvek_avec(d, {"p.gt"}, c.options);
    EXPECT_EQ(r.exit_code, c.code) << c.options.back();
    EXPECT_EQ(r.err, c.err) << c.options.back();
  }
  // The check comes after the model checks and their warnings.
  write_file(d + "/w.gt", gt({"IS: 1 0 0", "NS: 2 0 4", "NS: 3 0 4"},
                             {"3 0 2 FR: (0) TO: (1) : \"a\"", "7 4 2 FR: (0) TO: (2) : \"a\""}));
  run_result w = tarvek(d, {"w.gt"});
  EXPECT_EQ(w.exit_code, 1);
  EXPECT_EQ(w.err, "WARNING: step: \"2\" shadows step \"3\" !!!" + continue_ +
                       "ERROR: \ninterpreted parallelism between t3 (a) and t7 (a) !\n"
                       "\n   --> break compilation processing ...\n");
}

}  // namespace
