// Critical paths, closures, the dependency tree, the incremental dates and
// the PERT dates, on a chain, a diamond and a loop.
#include <gtest/gtest.h>

#include <sstream>

#include "gt_texte.h"
#include "verif_foret.h"

namespace {

// a reads nothing, b reads a, c reads b; d is only there so that no walk
// reaches the depth limit.
std::unique_ptr<Bddexpressionwood> chaine() {
  auto w = foret({"a", "b", "c", "d"});
  equation(*w, "a", "1");
  equation(*w, "b", "a");
  equation(*w, "c", "b");
  return w;
}

std::unique_ptr<Bddexpressionwood> boucle() {
  auto w = foret({"a", "b"});
  equation(*w, "a", "b");
  equation(*w, "b", "a");
  return w;
}

TEST(Chemins, CriticalPathsOfAChain) {
  auto w = chaine();
  EXPECT_EQ(w->down_critical_path(0, 1, 0), 2);
  EXPECT_EQ(w->up_critical_path(2, 1, 1), 4);
  EXPECT_EQ(w->up_critical_path(0, 0, 0), 1);
  EXPECT_EQ(w->up_critical_path(3, 0, 7), 7);  // no equation
  // Weights add along the heaviest chain.
  w->exp_by_index(1)->setW(5);
  EXPECT_EQ(w->down_critical_path(0, 1, 0), 6);
  EXPECT_EQ(w->up_critical_path(2, 1, 0), 7);
}

TEST(Chemins, Closures) {
  auto w = chaine();
  EXPECT_EQ(w->up_dependances(2, 0, {}), (std::set<long>{0, 1}));
  EXPECT_EQ(w->down_dependances(0, 0, {}), (std::set<long>{1, 2}));
  EXPECT_EQ(w->down_dependances(0, 0, {1}), std::set<long>{1});
  EXPECT_EQ(w->up_dependances(3, 0, {3}), std::set<long>{3});
  auto v = foret({"i", "x", "y"});
  equation(*v, "x", "i");
  equation(*v, "y", "x and i");
  EXPECT_EQ(v->up_dependances(2, 0, {}), (std::set<long>{0, 1}));
  EXPECT_EQ(v->down_dependances(0, 0, {}), (std::set<long>{1, 2}));
  EXPECT_EQ(set_reencoding({0, 2}, std::vector<long>{5, 6, 7}.data()), (std::set<long>{5, 7}));
}

TEST(Chemins, Loops) {
  auto w = boucle();
  std::set<long> r;
  EXPECT_EQ(capture_cerr([&] { r = w->up_dependances(0, 0, {}); }), "");
  EXPECT_EQ(r, (std::set<long>{0, 1}));
  std::string err = capture_cerr([&] { w->down_critical_path(0, 0, 0); });
  EXPECT_EQ(err,
            "WARNING in Bddexpressionwood::down_critical_path():\n"
            "   possible infinite recursion due to a signals cycle\n");
  EXPECT_EQ(capture_cerr([&] { w->down_dependances(0, 0, {}); }), "");
  EXPECT_EQ(capture_cerr([&] { w->up_dependances(0, 2, {}); }),
            "WARNING in Bddexpressionwood::up_dependances():\n"
            "   possible infinite recursion due to a signals cycle\n");
  EXPECT_EQ(capture_cerr([&] { w->down_dependances(0, 2, {}); }),
            "WARNING in Bddexpressionwood::down_dependances():\n"
            "   possible infinite recusion due to a signals cycle\n");
}

TEST(Chemins, DependencyTree) {
  auto w = chaine();
  std::ostringstream os;
  w->stat_early_dep(os, 2);
  EXPECT_EQ(os.str(), "c (2)\n   | b (1)\n      | a (0)\n");
  // A variable reached twice is printed once in full.
  auto v = foret({"i", "x", "y", "z"});
  equation(*v, "x", "i");
  equation(*v, "y", "x");
  equation(*v, "z", "x and y");
  std::ostringstream ds;
  v->stat_early_dep(ds, 3);
  EXPECT_EQ(ds.str(), "z (3)\n   | x (1)\n      | i (0)\n   | y (2)\n      | x (1) -->\n");
  std::ostringstream ls;
  boucle()->stat_early_dep(ls, 0);
  EXPECT_EQ(ls.str(), "a (0)\n   | b (1)\n      | a (0) -->\n");
}

// After a change of right members, the incremental update of the changed
// equation and of the variable it now reads gives the dates that a full
// computation gives.
TEST(Chemins, IncrementalDates) {
  auto w = foret({"i", "x", "y", "z"});
  equation(*w, "x", "i");
  equation(*w, "y", "x");
  Bddexpression* z = equation(*w, "z", "i");
  w->compute_dates();
  z->setBddExp(w->Manager()->Bdd_var_by_name("y"));
  std::list<long> changed{3, 2};
  long niveaux = w->compute_dates(changed);
  auto v = foret({"i", "x", "y", "z"});
  equation(*v, "x", "i");
  equation(*v, "y", "x");
  equation(*v, "z", "y");
  EXPECT_EQ(niveaux, v->compute_dates());
  for (long k = 1; k < 4; ++k) {
    EXPECT_EQ(w->exp_by_index(k)->getEarlyDate(), v->exp_by_index(k)->getEarlyDate()) << k;
    EXPECT_EQ(w->Late_date(k), v->Late_date(k)) << k;
  }
  // Without dates the full computation runs.
  auto u = foret({"i", "x"});
  equation(*u, "x", "i");
  std::list<long> tout{1};
  EXPECT_EQ(u->compute_dates(tout), 2);
  EXPECT_EQ(PERT(u.get()), 2);
}

TEST(Chemins, PertOriginalVersion) {
  auto w = foret({"i", "x", "y", "z"});
  Bddexpression* x = equation(*w, "x", "i");
  Bddexpression* y = equation(*w, "y", "x");
  Bddexpression* z = equation(*w, "z", "x and y");
  Bddexpression* table[] = {z, y, x};
  // The input i counts among the dates: early 0, late 3.
  EXPECT_EQ(PERT_original_version(3, table), 4);
  EXPECT_EQ(x->getEarlyDate(), 1);
  EXPECT_EQ(y->getEarlyDate(), 2);
  EXPECT_EQ(z->getEarlyDate(), 3);
  EXPECT_EQ(x->getLateDate(), 2);
  EXPECT_EQ(y->getLateDate(), 1);
  EXPECT_EQ(z->getLateDate(), 0);
  EXPECT_EQ(PERT_original_version(0, table), 0);
  // The same with the equations themselves in the array.
  Bddexpression copies[] = {*z, *y, *x};
  copies[0].setEarlyDate(0);
  EXPECT_EQ(PERT_original_version(3, copies), 4);
  EXPECT_EQ(copies[0].getEarlyDate(), 3);
  // Equations without dependences keep their dates, shifted to 0.
  auto v = foret({"p", "q"});
  Bddexpression* p = equation(*v, "p", "1");
  Bddexpression* q = equation(*v, "q", "0");
  p->setEarlyDate(4);
  q->setEarlyDate(6);
  Bddexpression* sans[] = {p, q};
  EXPECT_EQ(PERT_original_version(2, sans), 3);
  EXPECT_EQ(p->getEarlyDate(), 0);
  EXPECT_EQ(q->getEarlyDate(), 2);
}

TEST(Chemins, PertOfALoop) {
  auto w = boucle();
  Bddexpression* table[] = {w->exp_by_index(0), w->exp_by_index(1)};
  testing::internal::CaptureStdout();
  EXPECT_EQ(PERT_original_version(2, table), -1);
  std::string out = testing::internal::GetCapturedStdout();
  std::ostringstream attendu;
  attendu << "CYCLE DE CAUSALITE SUR:\n" << *table[0] << "\n" << *table[1] << "\n\n";
  EXPECT_EQ(out, attendu.str());
}

TEST(Chemins, LearningSteps) {
  auto w = foret({"i", "x"});
  Bddexpression* x = equation(*w, "x", "i");
  long dates[] = {3, 1};
  int overflow = -1;
  EXPECT_EQ(learn_upstream_dependance(2, dates, *x, &overflow), 1);
  EXPECT_EQ(dates[1], 4);
  EXPECT_EQ(overflow, 1);
  EXPECT_EQ(learn_upstream_dependance(2, dates, *x, &overflow), 0);
  EXPECT_EQ(overflow, 0);
  EXPECT_EQ(learn_downstream_dependance(2, dates, *x, &overflow), 1);
  EXPECT_EQ(dates[0], 5);
  Bddexpression libre;
  EXPECT_EQ(capture_cerr([&] { learn_upstream_dependance(2, dates, libre, &overflow); }),
            "INTERNAL ERROR in learn_upstream_dependance()\n");
  EXPECT_EQ(capture_cerr([&] { learn_downstream_dependance(1, dates, *x, &overflow); }),
            "INTERNAL ERROR in learn_downstream_dependance()\n");
}

}  // namespace
