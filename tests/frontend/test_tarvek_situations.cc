// The tarvek binary in the default mode: the faults of a grafcet with their
// messages and log lines, action conditions that do not parse or that read
// what the automaton has no variable for, the trace of -explain against a
// log checked by hand, the clean-up of the automaton and the progress lines
// of -show.
#include <gtest/gtest.h>

#include "run_tool.h"
#include "tarvek_cas.h"

namespace {

const std::string fin_compil = "\n\n  --> break compilation processing ...\n\n";

std::string donnee(const std::string& nom) {
  return read_file(std::string(TARVEK_TEST_DATA) + "/frontend/data/" + nom);
}

// The transition numbers of the file, not the positions, name the faults;
// the log receives the set first, with or without -explain, and no target
// file is written.
TEST(TarvekSituations, FaultsOfTheGrafcet) {
  std::string d = scratch_dir("tarvek_fautes");
  struct cas {
    const char* nom;
    std::string texte, err, log;
  } const table[] = {
      {"constant loop",
       gt({"IS: 1 0 0", "NS: 2 0 4"}, {"5 0 2 FR: (0) TO: (1) : \"1\"", "9 0 6 FR: (1) TO: (0) : \"=1\""}),
       "INSTABILITY CYCLE including the transitions set: {t5}", "CYCLE linked to : \n{0}\n soit {t5}\n"},
      {"inactive loop",
       gt({"IS: 3 4 0", "NS: 1 0 0", "NS: 2 0 4"},
          {"5 0 2 FR: (1) TO: (2) : \"1\"", "9 0 6 FR: (2) TO: (1) : \"1\""}),
       "UNDETERMINISM OR CAUSALITY VIOLATION ! about the transitions set:{t5,t9}",
       "UNDETERMINISM OR CAUSALITY VIOLATION !\nabout : {0,1}\n soit {t5,t9}\n"},
  };
  for (auto const& c : table) {
    write_file(d + "/f.gt", c.texte);
    for (auto const& options : std::vector<std::vector<std::string>>{{}, {"-explain", "-c", "-sc"}}) {
      std::vector<std::string> args = {"f.gt"};
      args.insert(args.end(), options.begin(), options.end());
      run_result r = tarvek(d, args);
      EXPECT_EQ(r.exit_code, 1) << c.nom;
      EXPECT_EQ(r.err, par_situations + c.err + fin_compil) << c.nom;
      std::string log = read_file(d + "/f.log");
      EXPECT_EQ(log.substr(log.size() - c.log.size()), c.log) << c.nom;
      EXPECT_FALSE(file_exists(d + "/f.c") || file_exists(d + "/f.sc")) << c.nom;
    }
  }
}

// An action condition is parsed when the compilation asks for it: a
// continuous one when the automaton is made, an impulse one when a
// reaction enters its step, so one on a step never entered is not read.
TEST(TarvekSituations, ActionConditionsThatDoNotParse) {
  std::string d = scratch_dir("tarvek_actions");
  const std::vector<std::string> transitions = {"1 0 2 FR: (0) TO: (1) : \"a\"",
                                                "2 0 6 FR: (1) TO: (0) : \"not a\""};
  auto erreur = [](const std::string& etape, const std::string& texte) {
    return par_situations + "syntax error\nPARSING ERROR about expression: \"" + texte + "\"\n" +
           "ERROR about the step :\"" + etape + "\":\n    action post-condition \"" + texte +
           "\" is unknown ...\n\n  --> break compilation processing ...\n\n";
  };
  struct cas {
    const char* nom;
    std::vector<std::string> etapes;
    int code;
    std::string err;
  } const table[] = {
      {"continuous", {"IS: 1 0 0", "NS: 2 0 4 Action: 0 \"N\" : \"a or\" EndAction:"}, 1, erreur("2", "a or")},
      {"impulse on a step entered", {"IS: 1 0 0", "NS: 2 0 4 Action: 1 \"P\" : \"not\" EndAction:"}, 1,
       erreur("2", "not")},
      {"impulse on the initial step, entered again",
       {"IS: 1 0 0 Action: 1 \"P\" : \"a and\" EndAction:", "NS: 2 0 4"}, 1, erreur("1", "a and")},
      {"impulse on a step never entered",
       {"IS: 1 0 0", "NS: 2 0 4", "NS: 3 4 4 Action: 1 \"P\" : \"a and\" EndAction:"}, 0, compile_seul},
  };
  for (auto const& c : table) {
    write_file(d + "/a.gt", gt(c.etapes, transitions));
    run_result r = tarvek(d, {"a.gt"});
    EXPECT_EQ(r.exit_code, c.code) << c.nom;
    EXPECT_EQ(r.err, c.err) << c.nom;
  }
}

// The automaton of the search has variables for the inputs and the step
// activities only. An action condition that depends on another variable
// stops the run rather than reading it as false, when the condition is read:
// a continuous one when the automaton is made, an impulse one when a
// reaction enters its step. The equational mode has the step edges, and
// stops on a previous value with its own message.
TEST(TarvekSituations, ActionConditionsWithoutValue) {
  std::string d = scratch_dir("tarvek_actions_sans_valeur");
  const std::vector<std::string> transitions = {"1 0 2 FR: (0) TO: (1) : \"a\"",
                                                "2 0 6 FR: (1) TO: (0) : \"not a\""};
  auto refus = [](const std::string& etape, const std::string& texte, const std::string& output,
                  const std::string& nom) {
    return par_situations + "ERROR about the step :\"" + etape + "\":\n    action post-condition \"" +
           texte + "\" on output \"" + output + "\" reads \"" + nom +
           "\", which has no value in the compilation by reachable situations ...\n\n" +
           "  --> break compilation processing ...\n\n";
  };
  const std::string pre_inconnu =
      "EQU_MODE demande\nparsing error in expression: name \"a_pre_\" not identificated ...\n"
      "PARSING ERROR about expression: \"a and not a_pre_\"\nERROR about the step :\"2\":\n"
      "    action post-condition \"a and not a_pre_\" is unknown ...\n\n"
      "  --> break compilation processing ...\n\n";
  struct cas {
    const char* nom;
    std::vector<std::string> etapes;
    std::string err, err_equationnel;  // empty: the run compiles
  } const table[] = {
      {"activation, impulse", {"IS: 1 0 0", "NS: 2 0 4 Action: 1 \"P\" : \"RE2 and b\" EndAction:"},
       refus("2", "RE2 and b", "e", "RE2"), ""},
      {"previous value, continuous",
       {"IS: 1 0 0", "NS: 2 0 4 Action: 0 \"N\" : \"a and not a_pre_\" EndAction:"},
       refus("2", "a and not a_pre_", "o", "a_pre_"), pre_inconnu},
      {"deactivation, continuous, after a good action",
       {"IS: 1 0 0 Action: 1 \"P\" : \"b\" 0 \"N\" : \"FE1 or b\" EndAction:", "NS: 2 0 4"},
       refus("1", "FE1 or b", "o", "FE1"), ""},
      {"activity or activation", {"IS: 1 0 0", "NS: 2 0 4 Action: 1 \"P\" : \"b and RTL1\" EndAction:"},
       refus("2", "b and RTL1", "e", "RTL1"), ""},
      {"step activities and inputs",
       {"IS: 1 0 0 Action: 0 \"N\" : \"X1 and b\" EndAction:",
        "NS: 2 0 4 Action: 1 \"P\" : \"not X1 or b\" 0 \"N\" : \"RE2 or not RE2\" EndAction:"},
       "", ""},
      {"impulse on a step never entered",
       {"IS: 1 0 0", "NS: 2 0 4", "NS: 3 4 4 Action: 1 \"P\" : \"RE3\" EndAction:"}, "", ""},
  };
  for (auto const& c : table) {
    write_file(d + "/a.gt", gt(c.etapes, transitions, "\"a\" : bool \"b\" : bool"));
    for (bool equationnel : {false, true}) {
      std::vector<std::string> args = {"a.gt", "-c", "-lustre"};
      if (equationnel) args.push_back("-equational");
      std::string attendu = equationnel ? c.err_equationnel : c.err;
      for (auto const* f : {"/a.c", "/a.h", "/a.lus"}) std::remove((d + f).c_str());
      run_result r = tarvek(d, args);
      std::string quoi = std::string(c.nom) + (equationnel ? " -equational" : "");
      EXPECT_EQ(r.exit_code, attendu.empty() ? 0 : 1) << quoi;
      if (!attendu.empty()) {
        EXPECT_EQ(r.err, attendu) << quoi;
      }
      for (auto const* f : {"/a.c", "/a.h", "/a.lus"})
        EXPECT_EQ(file_exists(d + f), attendu.empty()) << quoi << f;
    }
  }
}

// The log from the compilation on, checked by hand: two situations, a
// split on a, contexts taken first in first out, the iterations numbered
// across contexts, the clean-up at level 1 and the automaton.
TEST(TarvekSituations, ExplainLog) {
  std::string d = scratch_dir("tarvek_explain");
  write_file(d + "/un_pas.gt", donnee("un_pas.gt"));
  run_result r = tarvek(d, {"un_pas.gt", "-explain", "-O1"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.err, par_situations + "bddpp_manager::Bdd_var_reorder(void) A FAIRE\n" + pas_de_sortie);
  std::string log = read_file(d + "/un_pas.log");
  size_t debut = log.find("\nEFFECTIVE COMPILATION\n");
  size_t fin = log.rfind("\nCPU computing time: ");
  ASSERT_NE(debut, std::string::npos);
  ASSERT_NE(fin, std::string::npos);
  EXPECT_EQ(log.substr(debut, fin + 1 - debut), donnee("un_pas.explain"));
}

// The clean-up runs at levels 1 and 2 unless -noarrange; its lines reach
// the log only with -explain, which also asks for the automaton's dump.
TEST(TarvekSituations, CleanUpAndDump) {
  std::string d = scratch_dir("tarvek_nettoyage");
  write_file(d + "/g.gt", donnee("un_pas.gt"));
  const std::string reordre = "bddpp_manager::Bdd_var_reorder(void) A FAIRE\n";
  struct cas {
    std::vector<std::string> options;
    bool nettoie;
  } const table[] = {
      {{}, false},           {{"-O2"}, true},        {{"-O1", "-noarrange"}, false},
      {{"-O2", "-O0"}, false}, {{"-explain"}, false}, {{"-O2", "-explain", "-show"}, true},
  };
  for (auto const& c : table) {
    std::vector<std::string> args = {"g.gt"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    run_result r = tarvek(d, args);
    std::string quoi = c.options.empty() ? "(none)" : c.options.front() + " " + c.options.back();
    bool explique = std::count(args.begin(), args.end(), "-explain") > 0;
    bool montre = std::count(args.begin(), args.end(), "-show") > 0;
    EXPECT_EQ(r.exit_code, 0) << quoi;
    EXPECT_EQ(r.err, par_situations + (c.nettoie ? reordre : "") + pas_de_sortie) << quoi;
    EXPECT_EQ(r.out.find("RE-ENUMERATION of BDD variables\n") != std::string::npos, c.nettoie && montre)
        << quoi;
    std::string log = read_file(d + "/g.log");
    EXPECT_EQ(log.find("RE-ENUMARATION of BDD variables\n  before garbage collector: ") != std::string::npos,
              c.nettoie && explique)
        << quoi;
    EXPECT_EQ(log.find("\n\nBOOLEAN AUTOMATON:\n\nNOM: un_pas\n") != std::string::npos, explique) << quoi;
  }
}

// The counts of the clean-up are those of the reactions folded into the
// automaton one at a time, whatever way the search takes without them:
// with -noarrange the log is the same, those lines aside.
TEST(TarvekSituations, NodeCountsOfTheLog) {
  std::string d = scratch_dir("tarvek_compte_noeuds");
  write_file(d + "/g.gt", read_file(std::string(TARVEK_TEST_DATA) + "/compiler/data/deux_branches.gt"));
  const std::string comptes =
      "RE-ENUMARATION of BDD variables\n"
      "  before garbage collector: 8523 BDD nodes\n"
      "  after garbage collector: 8523 BDD nodes\n"
      "  after scheduling: 8523 BDD nodes\n\n";
  auto log_sans_temps = [&](std::vector<std::string> options) {
    options.insert(options.begin(), "g.gt");
    EXPECT_EQ(tarvek(d, options).exit_code, 0);
    std::string log = read_file(d + "/g.log");
    return log.substr(0, log.rfind("\nCPU computing time: "));
  };
  std::string avec = log_sans_temps({"-explain", "-O1"});
  size_t ici = avec.find(comptes);
  ASSERT_NE(ici, std::string::npos);
  EXPECT_EQ(avec.erase(ici, comptes.size()), log_sans_temps({"-explain", "-O1", "-noarrange"}));
}

TEST(TarvekSituations, ProgressLines) {
  std::string d = scratch_dir("tarvek_show");
  write_file(d + "/g.gt", donnee("un_pas.gt"));
  run_result r = tarvek(d, {"g.gt", "-show"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out,
            "PARSINGPARSING OK\nCOMPILATION BY REACHABLE SITUATIONS\n"
            "FINDING STATES: 1  REMAIN STATES: 1   \rFINDING STATES: 2  REMAIN STATES: 1   \r"
            "FINDING SITUATIONS: 2  REMAIN SITUATIONS: 0   \r\n");
  write_file(d + "/seul.gt", gt({"IS: 1 0 0"}, {}));
  r = tarvek(d, {"seul.gt", "-show", "-simul"});
  EXPECT_EQ(r.out,
            "PARSINGPARSING OK\nCOMPILATION BY REACHABLE SITUATIONS\n"
            "FINDING STATES: 1  REMAIN STATES: 1   \rFINDING SITUATIONS: 1  REMAIN SITUATIONS: 0   \r\n"
            "GENERATION\n");
  EXPECT_EQ(r.err, par_situations);
}

// Two assertions: an input context that they exclude is dropped rather than
// concluded, where it would loop between the two steps.
TEST(TarvekSituations, ContextsThatTheAssertionsExclude) {
  std::string d = scratch_dir("tarvek_assertions");
  write_file(d + "/g.gt", gt({"IS: 1 0 0", "NS: 2 0 4"},
                             {"1 0 2 FR: (0) TO: (1) : \"a\"", "2 0 6 FR: (1) TO: (0) : \"b\""},
                             "\"a\" : bool \"b\" : bool \"c\" : bool \"d\" : bool",
                             {"not (a and b)", "c or d"}));
  run_result r = tarvek(d, {"g.gt"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.err, compile_seul);
}

}  // namespace
