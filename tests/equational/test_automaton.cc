// The boolean automaton: the variable layout of its declaration, the
// marking of its register and output equations, make_sortable and the dump.
#include <gtest/gtest.h>

#include <sstream>

#include "b_automaton.h"
#include "foret_test.h"
#include "gt_texte.h"

namespace {

using noms = std::list<std::string>;

struct declaration_test {
  noms etats, suivants, entrees, sorties, locales;
};

std::unique_ptr<b_automaton> automate(
    declaration_test d, std::vector<int> initiales,
    std::vector<std::pair<std::string, std::string>> const& equations = {}) {
  b_autom_dec dec(d.etats, d.suivants, d.entrees, d.sorties, d.locales);
  for (auto const& [v, texte] : equations) equation(*dec.wood_associee(), v, texte);
  bddpp_manager* m = dec.manager_associe();
  initiales.push_back(7);  // beyond the states: not copied
  return std::make_unique<b_automaton>(&dec, initiales.data(), m->Bdd_one(), m->Bdd_one());
}

std::string dump(b_automaton& a) {
  std::ostringstream os;
  os << a;
  return os.str();
}

TEST(Automaton, VariableLayout) {
  declaration_test d{{"X1", "X2"}, {"X1next", "X2next"}, {"a", "b", "c"}, {"o", "p"}, {"l"}};
  auto a = automate(d, {1, 0});
  bddpp_manager& m = *a->manager_associe();
  std::vector<std::string> attendus = {"X1", "X2", "X1next", "X2next", "a",
                                       "b",  "c",  "o",      "p",      "l"};
  ASSERT_EQ(m.nbr_variables(), static_cast<int>(attendus.size()));
  for (size_t i = 0; i < attendus.size(); ++i) EXPECT_EQ(m.Name_var_by_index(i), attendus[i]);
  EXPECT_EQ(a->wood_associee()->Manager(), &m);
  // With no state, no next state is declared.
  auto sans = automate({{}, {}, {"a"}, {"o"}, {}}, {});
  EXPECT_EQ(sans->manager_associe()->nbr_variables(), 2);
  EXPECT_EQ(dump(*sans), "inputs a;\n\noutputs o;\n\ninitial \n\nassertion 1;\n\ninvariant 1;\n\n");
  auto vide = automate({}, {});
  EXPECT_EQ(dump(*vide), "initial \n\nassertion 1;\n\ninvariant 1;\n\n");
}

TEST(Automaton, UnequalStateListsEndTheRun) {
  noms etats{"X1"}, suivants, vide;
  std::set<std::string> aucun;
  EXPECT_EXIT(b_autom_dec(etats, suivants, vide, vide, vide), testing::ExitedWithCode(1),
              "^Parameters error in b_autom_dec::b_autom_dec\\(lists\\)\n$");
  EXPECT_EXIT(b_autom_dec(etats, suivants, aucun, aucun, aucun), testing::ExitedWithCode(1),
              "^Parameters error in b_autom_dec::b_autom_dec\\(sets\\)\n$");
}

TEST(Automaton, SetsFormSortsItsNames) {
  noms etats{"X1"}, suivants{"X1next"};
  std::set<std::string> entrees{"b", "a"}, sorties{"z", "y"}, locales{"l"};
  b_autom_dec dec(etats, suivants, entrees, sorties, locales);
  bddpp_manager& m = *dec.manager_associe();
  EXPECT_EQ(m.Name_var_by_index(2), "a");
  EXPECT_EQ(m.Name_var_by_index(3), "b");
  EXPECT_EQ(m.Name_var_by_index(4), "y");
  EXPECT_EQ(m.Name_var_by_index(6), "l");
}

// Equations made before the automaton: those of the next states and of the
// outputs are the automaton's own.
TEST(Automaton, MarksRegisterAndOutputEquations) {
  declaration_test d{{"X1"}, {"X1next"}, {"a"}, {"o"}, {"l"}};
  auto a = automate(d, {1}, {{"X1next", "a"}, {"o", "X1"}, {"l", "a and X1"}});
  Bddexpressionwood& w = *a->wood_associee();
  for (auto const& [n, type] :
       std::vector<std::pair<std::string, std::string>>{{"X1next", "1"}, {"o", "1"}, {"l", "0"}}) {
    std::ostringstream os;
    os << *w.exp_by_name(n);
    EXPECT_NE(os.str().find("[type:" + type + "]"), std::string::npos) << n;
  }
}

TEST(Automaton, Dump) {
  declaration_test d{{"X1", "X2"}, {"X1next", "X2next"}, {"a"}, {"o"}, {"l"}};
  std::vector<int> initiales{1, 0};
  auto a = automate(d, initiales,
                    {{"X2next", "X1 and a or X2 and not a"},
                     {"X1next", "not X1next"},
                     {"o", "X2 and l"},
                     {"l", "a"}});
  initiales[0] = 0;  // the automaton keeps its own copy
  EXPECT_EQ(dump(*a),
            "state X1:X1next:1, X2:X2next:0;\n\n"
            "inputs a;\n\n"
            "outputs o;\n\n"
            "locals l;\n\n"
            "initial \n"
            "X1next' = 1\n"
            "X2next' = 0\n\n"
            "definitions\n"
            "X1next = not X1next;\n"
            "X2next = X1 and a or X2 and not a;\n"
            "o = X2 and l;\n"
            "l = a;\n\n"
            "assertion 1;\n\n"
            "invariant 1;\n\n");
}

TEST(Automaton, MakeSortableWithoutLoops) {
  declaration_test d{{"X1"}, {"X1next"}, {"a"}, {"o"}, {"l"}};
  auto a = automate(d, {1}, {{"X1next", "l"}, {"o", "X1"}, {"l", "a"}});
  std::ostringstream log;
  testing::internal::CaptureStdout();
  EXPECT_EQ(a->make_sortable(1, 1, log), 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "call make_sortable process \n   terminated ...\n");
  EXPECT_EQ(log.str().rfind("sorted and expanded wood:\nwood Bddexpression statistics:\n", 0), 0u);
  EXPECT_NE(log.str().find("   earliest date sorting:\n3 4 1 \n"), std::string::npos) << log.str();
  EXPECT_NE(dump(*a).find("locals l;\n"), std::string::npos);
  std::ostringstream muet;
  EXPECT_EQ(a->make_sortable(0, 0, muet), 1);
  EXPECT_EQ(muet.str(), "");
}

// A loop of the equations ZX1 and B broken on the input a.
TEST(Automaton, MakeSortableAppendsTheCutVariablesToTheLocals) {
  declaration_test d{{}, {}, {"a"}, {}, {"ZX1", "B"}};
  auto a = automate(d, {}, {{"ZX1", "a and B"}, {"B", "not a and ZX1"}});
  std::ostringstream log;
  EXPECT_EQ(a->make_sortable(0, 0, log), 1);
  EXPECT_NE(dump(*a).find("locals ZX1, B, ZX1_a, ZX1_nota, B_a, B_nota;\n"), std::string::npos);
  // Unbreakable: no input is read in the loop.
  auto b = automate({{}, {}, {"a"}, {}, {"A", "B"}}, {}, {{"A", "B"}, {"B", "A"}});
  EXPECT_EQ(b->make_sortable(0, 0, log), 0);
}

TEST(Automaton, BrimotPlaceholderWritesNothingInItsFile) {
  auto a = automate({{"X1"}, {"X1next"}, {}, {}, {}}, {1});
  std::ostringstream fichier;
  EXPECT_EQ(capture_cerr([&] { a->BRIMOT_put(fichier, 0, "m"); }), "to do !\n");
  EXPECT_EQ(fichier.str(), "");
  std::ostringstream os;
  a->putbdd(a->manager_associe()->Bdd_not(a->manager_associe()->Bdd_var_by_name("X1")), os, 2);
  EXPECT_EQ(os.str(), "not X1");
}

}  // namespace
