// Variables inserted anywhere in the order with the forest's tables
// shifted, abstract equations renumbered with them; forgetting, dropping,
// the check of the readers table and the debugging line of an equation.
#include <gtest/gtest.h>

#include "gt_texte.h"
#include "verif_foret.h"

namespace {

TEST(Insertion, BeforeAVariableShiftsEveryTable) {
  auto w = foret({"a", "b", "c", "x"});
  bddpp_manager& m = *w->Manager();
  Bddexpression* x = equation(*w, "x", "a and c");
  w->compute_dates();
  ASSERT_NE(w->Late_date(0), 0);
  bdd n = w->New_var_before_by_index(1, "n");
  EXPECT_EQ(m.Bdd_if_index(n), 1);
  EXPECT_EQ(noms_de(m, std::vector<long>{0, 1, 2, 3, 4}),
            (std::vector<std::string>{"a", "n", "b", "c", "x"}));
  EXPECT_EQ(w->exp_by_index(4), x);
  EXPECT_EQ(w->exp_by_index(1), nullptr);
  EXPECT_EQ(x->getDependances(), (std::set<long>{0, 3}));
  EXPECT_EQ(w->Users(3), std::set<long>{4});
  EXPECT_EQ(w->Users(0), std::set<long>{4});
  EXPECT_TRUE(w->Users(1).empty());
  EXPECT_EQ(w->Exp_ids(), std::set<long>{4});
  for (long i = 0; i < 5; ++i) EXPECT_EQ(w->Late_date(i), 0) << i;
  EXPECT_EQ(w->exp(0), x);
  EXPECT_EQ(incoherences(*w), "");
}

// An abstract equation keeps the dependances it was given: they follow the
// variables they name.
TEST(Insertion, AbstractDependancesFollowTheirVariables) {
  auto w = foret({"a", "b", "c", "x", "y"});
  bddpp_manager& m = *w->Manager();
  std::set<long> lit{2};
  auto* y = new Bddexpression(4L, w.get(), lit, "f", 0, 0);
  equation(*w, "x", "y and a");
  w->New_var_before_by_bdd(m.Bdd_var_by_name("b"), "n");
  EXPECT_EQ(w->exp_by_index(5), y);
  EXPECT_EQ(y->getDependances(), std::set<long>{3});
  EXPECT_EQ(m.Name_var_by_index(3), "c");
  EXPECT_EQ(w->Users(3), std::set<long>{5});
  EXPECT_EQ(w->Users(5), std::set<long>{4});
  EXPECT_EQ(incoherences(*w), "");
  // After the last variable nothing moves.
  bdd z = w->New_var_after_by_bdd(m.Bdd_var_by_name("y"), "z");
  EXPECT_EQ(m.Bdd_if_index(z), 6);
  EXPECT_EQ(w->exp_by_index(5), y);
  EXPECT_EQ(y->getDependances(), std::set<long>{3});
  bdd after_a = w->New_var_after_by_index(0, "p");
  EXPECT_EQ(m.Bdd_if_index(after_a), 1);
  EXPECT_EQ(y->getDependances(), std::set<long>{4});
  EXPECT_EQ(w->exp_by_index(5)->getName(), "x");
  EXPECT_EQ(incoherences(*w), "");
}

// After an insertion before the input a, the loop is still cut on a (its
// position, not the identity that its position had), and the cut forest
// gives A = B = (a ? not c : c), the values of the original loop.
TEST(Insertion, LoopBreakingAfterAnInsertion) {
  auto w = foret({"a", "c", "A", "B"});
  equation(*w, "A", "a and B or not a and c");
  equation(*w, "B", "not a and A or a and not c");
  bddpp_manager& m = *w->Manager();
  w->New_var_before_by_index(0, "n");
  int ok = 0;
  std::set<long> crees = w->loop_breaking({1}, ok);
  EXPECT_EQ(ok, 1);
  EXPECT_EQ(noms_de(m, crees), (std::vector<std::string>{"A_a", "A_nota", "B_a", "B_nota"}));
  EXPECT_EQ(w->exp_by_name("A_a")->getBddExp(), m.Bdd_var_by_name("B_a"));
  for (unsigned e = 0; e < 4; ++e) {
    bool a = e & 1u, c = e & 2u;
    valeurs v(m.nbr_variables(), false);
    v[m.Index_var_by_name("a")] = a;
    v[m.Index_var_by_name("c")] = c;
    for (long i : w->earliest_sort()) v[i] = evalue_bdd(m, w->exp_by_index(i)->getBddExp(), v);
    EXPECT_EQ(v[m.Index_var_by_name("A")], a ? !c : c) << e;
    EXPECT_EQ(v[m.Index_var_by_name("B")], a ? !c : c) << e;
  }
}

TEST(Insertion, MoreThanOneNewVariableIsRefused) {
  auto w = foret({"a", "x"});
  equation(*w, "x", "a");
  w->Manager()->New_var_last("p");
  w->Manager()->New_var_last("q");
  EXPECT_EQ(capture_cerr([&] { w->update_bdd_vars(0); }),
            "Internal error in update_bdd_vars(nouv_index):\nawaited 3 variables, found: 4\n");
  EXPECT_EQ(w->Nb_bdd_vars(), 2);
  EXPECT_EQ(w->exp_by_index(1)->getDependances(), std::set<long>{0});
  // The index given must be one of the manager's.
  auto v = foret({"a", "x"});
  equation(*v, "x", "a");
  v->Manager()->New_var_last("p");
  EXPECT_NE(capture_cerr([&] { v->update_bdd_vars(-1); }).find("awaited 3 variables, found: 3"),
            std::string::npos);
  EXPECT_EQ(v->Nb_bdd_vars(), 2);
  v->update_bdd_vars(2);
  EXPECT_EQ(v->Nb_bdd_vars(), 3);
  EXPECT_EQ(v->Users(0), std::set<long>{1});
  // A name the manager knows makes no variable.
  EXPECT_NE(capture_cerr([&] { w->New_var_before_by_index(0, "x"); }).find("awaited"),
            std::string::npos);
}

TEST(Insertion, Forgetting) {
  auto w = foret({"a", "b", "x", "y"});
  Bddexpression* x = equation(*w, "x", "a");
  equation(*w, "y", "x and b");
  w->compute_dates();
  // Readers left: nothing, silently.
  EXPECT_EQ(capture_cerr([&] { w->forget_expression_by_bddid(2); }), "");
  EXPECT_EQ(w->exp_by_index(2), x);
  w->forget_expression_by_bddid(3);
  EXPECT_EQ(w->exp_by_index(3), nullptr);
  EXPECT_EQ(w->Exp_ids(), std::set<long>{2});
  EXPECT_TRUE(w->Users(2).empty());
  EXPECT_TRUE(w->Users(1).empty());
  EXPECT_EQ(w->Late_date(3), 0);
  // The absolute form leaves the readers of what x read, and its date.
  long late_x = w->Late_date(2);
  w->absolute_forget_expression_by_bddid(2);
  EXPECT_EQ(w->exp_number(), 0);
  EXPECT_EQ(w->Users(0), std::set<long>{2});
  EXPECT_EQ(w->Late_date(2), late_x);
  EXPECT_EQ(incoherences(*w),
            "incoherence sur table des amonts pour la variable 0: calcule: {} trouve{2}\n");
  for (auto appel : {&Bddexpressionwood::forget_expression_by_bddid,
                     &Bddexpressionwood::absolute_forget_expression_by_bddid})
    for (long v : {-1L, 4L})
      EXPECT_EQ(capture_cerr([&] { (w.get()->*appel)(v); }),
                "Error in Bddexpressionwood::forget_expression_by_bddid(): \n" +
                    std::to_string(v) + " value not found ...\n");
}

TEST(Insertion, CleanDropsConstantsThatNothingReads) {
  auto w = foret({"a", "k", "l", "x", "y"});
  equation(*w, "k", "1");
  equation(*w, "l", "0");
  equation(*w, "x", "a");
  equation(*w, "y", "l");  // l has a reader
  w->clean(std::set<long>{1});
  EXPECT_EQ(w->Exp_ids(), (std::set<long>{1, 2, 3, 4}));
  w->clean(std::list<long>{});
  EXPECT_EQ(w->Exp_ids(), (std::set<long>{2, 3, 4}));
  EXPECT_EQ(incoherences(*w), "");
}

// The readers table says what a concrete forest reads; an equation told of
// a dependence by hand, or a reader declared for an abstract variable,
// breaks that agreement.
TEST(Insertion, CoherenceCheck) {
  auto w = foret({"a", "b", "x", "y", "z"});
  equation(*w, "x", "a and b");
  equation(*w, "y", "x or a");
  EXPECT_EQ(incoherences(*w), "");
  w->exp_by_index(3)->add_specific_var_dependance(1);
  EXPECT_EQ(incoherences(*w),
            "incoherence sur table des amonts pour la variable 1: calcule: {2,3} trouve{2}\n");
  std::set<long> lecteurs{0}, lit;
  new Bddexpression(4L, w.get(), &lecteurs, &lit, 0, 0);
  EXPECT_EQ(incoherences(*w),
            "incoherence sur table des amonts pour la variable 1: calcule: {2,3} trouve{2}\n"
            "incoherence sur table des amonts pour la variable 4: calcule: {} trouve{0}\n");
  // The rebuild reads concrete dependances from the right members again.
  w->internal_global_build_dependances();
  EXPECT_EQ(incoherences(*w), "");
  EXPECT_EQ(w->Users(1), std::set<long>{2});
  EXPECT_TRUE(w->Users(4).empty());
}

TEST(Insertion, DebugLine) {
  auto w = foret({"a", "b", "x", "y"});
  bddpp_manager& m = *w->Manager();
  Bddexpression* x = equation(*w, "x", "a and b");
  x->setUserType(2);
  EXPECT_EQ(x->debug_in_string(),
            "<x> x = " + m.Print_sop_to_String(" + ", " * ", "!", "", fonction(m, "a and b"), 1) +
                "  weight: 1 usertype: 2");
  std::set<long> lit;
  auto* y = new Bddexpression(3L, w.get(), lit, "f", 0, 0);
  EXPECT_EQ(y->debug_in_string(), "<y> y = f()  weight: 1 usertype: 0");
  y->setW(-1);
  EXPECT_EQ(y->debug_in_string(), "<y> y = f()  weight: 4294967295 usertype: 0");
  Bddexpression libre("l", nullptr, bdd(), bdd(), 0, 0);
  libre.setAbstraction(0);
  EXPECT_EQ(libre.debug_in_string(), "<l> ");
  libre.setAbstraction(1);
  libre.setExpDef("g");
  EXPECT_EQ(libre.debug_in_string(), "<l> - = g()");
}

}  // namespace
