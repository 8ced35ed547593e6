// The equational model of a grafcet, in-process: the equations of the
// steps, the firing conditions of guarded and unguarded transitions, the
// assertion, the outputs by qualifier, the initial values, the order of the
// equations and the trace of -show and -explain.
#include <gtest/gtest.h>

#include <sstream>

#include "automate_test.h"
#include "compil_modes.h"
#include "gt_source.h"
#include "systeme_equationnel.h"

namespace {

// The automaton as the model builds it, before make_sortable.
struct modele_teste {
  lecture source;
  std::unique_ptr<tpen_BDD_fichier> encodage;
  std::unique_ptr<b_automaton> a;
  std::string log;

  bdd f(const std::string& texte) {
    int erreur = 0;
    bdd r = a->manager_associe()->Parse_expression(texte, &erreur);
    EXPECT_EQ(erreur, 0) << texte;
    return r;
  }
  bdd eq(const std::string& var) { return a->wood_associee()->exp_by_name(var)->getBddExp(); }
};

modele_teste modele(const std::string& texte) {
  modele_teste m;
  m.source = lit_texte(texte);
  EXPECT_EQ(m.source.code, 0) << m.source.err;
  m.encodage = std::make_unique<tpen_BDD_fichier>(m.source.g.get());
  std::ostringstream log;
  m.a.reset(genere_systeme_equationnel(*m.encodage, log));
  m.log = log.str();
  return m;
}

const std::string deux_etapes[] = {"IS: 1 0 0", "NS: 2 0 4"};

TEST(Modele, StepEquations) {
  modele_teste m = modele(gt({"IS: 1 0 0", "NS: 2 0 4"}, {}));
  for (std::string s : {"1", "2"}) {
    std::string X = "X" + s, R = X + "_Reset", S = X + "_Set";
    EXPECT_EQ(m.eq(X + "next"),
              m.f(X + " and " + S + " or " + X + " and not " + R + " or not " + R + " and " + S));
    EXPECT_EQ(m.eq("ZX" + s), m.eq(X + "next"));
    EXPECT_EQ(m.eq("RTL" + s), m.f(X + " or " + S));
    EXPECT_EQ(m.eq("RE" + s), m.f(R + " and " + S + " or not " + X + " and " + S));
    EXPECT_EQ(m.eq("FE" + s), m.f(X + " and " + R + " or " + R + " and " + S));
    // Without transitions nothing sets or resets a step.
    EXPECT_EQ(m.eq(R), m.f("0"));
    EXPECT_EQ(m.eq(S), m.f("0"));
  }
  EXPECT_EQ(m.eq("o"), m.f("0"));
  EXPECT_EQ(m.eq("e"), m.f("0"));
}

TEST(Modele, FiringConditions) {
  struct cas {
    const char* nom;
    std::vector<std::string> transitions;
    std::vector<std::string> assertions;
    std::vector<std::pair<std::string, std::string>> equations;
  } const table[] = {
      {"guarded",
       {"1 0 2 FR: (0) TO: (1) : \": a\""},
       {},
       {{"X1_Reset", "a and X1"}, {"X2_Set", "a and X1"}, {"X1_Set", "0"}}},
      {"unguarded",
       {"1 0 2 FR: (0) TO: (1) : \"a\""},
       {},
       {{"X1_Reset", "a and RTL1"}, {"X2_Set", "a and RTL1"}}},
      {"assertion in every condition",
       {"1 0 2 FR: (0) TO: (1) : \"a\"", "2 0 6 FR: (1) TO: (0) : \": c\""},
       {"b", "not c or b"},
       {{"X1_Reset", "a and b and RTL1"},
        {"X2_Set", "a and b and RTL1"},
        {"X2_Reset", "c and b and X2"}}},
      {"two transitions entering one step",
       {"1 0 2 FR: (0) TO: (1) : \"a\"", "2 0 6 FR: (1) TO: (1) : \"b\""},
       {},
       {{"X2_Set", "a and RTL1 or b and RTL2"}, {"X2_Reset", "b and RTL2"}}},
      {"join and split",
       {"1 0 2 FR: (0,1) TO: (0,1) : \": c\""},
       {},
       {{"X1_Reset", "c and X1 and X2"},
        {"X2_Reset", "c and X1 and X2"},
        {"X1_Set", "c and X1 and X2"}}},
      {"step variables",
       {"1 0 2 FR: (0) TO: (1) : \"X2 or RE2 or FE1\""},
       {},
       {{"X1_Reset", "(X2 or RE2 or FE1) and RTL1"}}},
  };
  for (auto const& c : table) {
    modele_teste m =
        modele(gt(std::vector<std::string>(std::begin(deux_etapes), std::end(deux_etapes)),
                  c.transitions, "\"a\" : bool \"b\" : bool \"c\" : event", c.assertions));
    for (auto const& [v, texte] : c.equations) EXPECT_EQ(m.eq(v), m.f(texte)) << c.nom << ": " << v;
  }
}

TEST(Modele, OutputsByQualifier) {
  modele_teste m = modele(gt({"IS: 1 0 0 Action: 0 \"P\" : \"1\" 1 \"N\" : \"a\" EndAction:",
                              "NS: 2 0 4 Action: 0 \"N\" : \"a\" 1 \"P\" : \"not a\" EndAction:"},
                             {}));
  EXPECT_EQ(m.eq("o"), m.f("RE1 or a and ZX2"));
  EXPECT_EQ(m.eq("e"), m.f("a and ZX1 or not a and RE2"));
}

TEST(Modele, InitialValuesAndOrderOfTheEquations) {
  modele_teste m = modele(gt({"NS: 1 0 0", "IS: 2 0 4", "NS: 3 0 8"}, {}));
  std::ostringstream os;
  os << *m.a;
  EXPECT_EQ(os.str().rfind(
                "state X1:X1next:0, X2:X2next:1, X3:X3next:0;\n\ninputs a;\n\noutputs o, e;\n\n"
                "locals X1_Reset, X1_Set, RE1, FE1, ZX1, RTL1, X2_Reset",
                0),
            0u);
  EXPECT_NE(os.str().find("initial \nX1next' = 0\nX2next' = 1\nX3next' = 0\n\n"),
            std::string::npos);
  // Every variable but the states and the inputs has its equation, in the
  // layout's order: next states, outputs, then the six locals of each step.
  Bddexpressionwood& w = *m.a->wood_associee();
  bddpp_manager& mg = *m.a->manager_associe();
  EXPECT_EQ(w.exp_number(), 3 + 2 + 18);
  for (int i = 0; i < w.exp_number(); ++i)
    EXPECT_EQ(mg.Index_var_by_bdd(w.exp(i)->getBddVar()), (i < 3 ? 3 : 4) + i) << i;
}

TEST(Modele, ShowAndExplain) {
  show_mode = explain_mode = 1;
  testing::internal::CaptureStdout();
  modele_teste m = modele(gt({"IS: 1 0 0"}, {}));
  std::string out = testing::internal::GetCapturedStdout();
  show_mode = explain_mode = 0;
  EXPECT_EQ(out, "Definition des equations de comportements locaux:\n   operation terminee ...\n");
  EXPECT_EQ(m.log.rfind("Definition of equations of local behavior model:\nfinding wood:\n"
                        "wood Bddexpression statistics:\n",
                        0),
            0u);
  // Nothing is dated yet.
  EXPECT_NE(m.log.find("  - nb levels 0\n"), std::string::npos);
  EXPECT_EQ(m.log.find("dates (1,"), std::string::npos);
  EXPECT_NE(m.log.find("dates (0,0) from vars"), std::string::npos);
}

}  // namespace
