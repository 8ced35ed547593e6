// Instances of a forest merged into another one, over another manager or
// over the same one, named with a suffix or through a renaming table.
#include <gtest/gtest.h>

#include "b_automaton.h"
#include "gt_texte.h"
#include "verif_foret.h"

namespace {

// The value of the variable named v of w when each name of entrees takes
// its value, the forest evaluated by brute force.
bool valeur(Bddexpressionwood& w, std::string const& v, std::map<std::string, bool> entrees) {
  bddpp_manager& m = *w.Manager();
  systeme s = systeme_de(w);
  valeurs x(m.nbr_variables(), false);
  for (auto const& [n, b] : entrees) x[m.Index_var_by_name(n)] = b;
  for (size_t k = 0; k <= s.size(); ++k)
    for (auto const& [i, f] : s)
      if (!entrees.count(m.Name_var_by_index(i))) x[i] = f(x);
  return x[m.Index_var_by_name(v)];
}

TEST(Fusion, UsedVariables) {
  auto w = foret({"a", "b", "c", "x"});
  equation(*w, "x", "a or b");
  EXPECT_EQ(w->Set_of_index_used_variables(), (std::set<long>{0, 1, 3}));
}

// Two instances of x = a and b over their own inputs, with the dates and
// the user type of the original.
TEST(Fusion, InstancesInAnotherManager) {
  auto o = foret({"a", "b", "x"});
  Bddexpression* x = equation(*o, "x", "a and b");
  x->setUserType(3);
  o->compute_dates();
  Bddexpressionwood s;
  s.Include_wood_instance(*o, "_1");
  bddpp_manager& m = *s.Manager();
  EXPECT_EQ(noms_de(m, std::vector<long>{0, 1, 2}),
            (std::vector<std::string>{"a_1", "b_1", "x_1"}));
  Bddexpression* x1 = s.exp_by_name("x_1");
  ASSERT_NE(x1, nullptr);
  EXPECT_EQ(x1->getBddExp(), fonction(m, "a_1 and b_1"));
  EXPECT_EQ(x1->getUserType(), 3);
  EXPECT_EQ(x1->getEarlyDate(), x->getEarlyDate());
  EXPECT_EQ(x1->getLateDate(), x->getLateDate());
  EXPECT_EQ(s.Nb_level(), o->Nb_level());
  s.Include_wood_instance(*o, std::string("_2"));
  EXPECT_EQ(m.nbr_variables(), 6);
  EXPECT_EQ(incoherences(s), "");
  for (int a = 0; a < 16; ++a) {
    std::map<std::string, bool> e{
        {"a_1", a & 1}, {"b_1", a & 2}, {"a_2", a & 4}, {"b_2", a & 8}};
    EXPECT_EQ(valeur(s, "x_1", e), (a & 1) && (a & 2));
    EXPECT_EQ(valeur(s, "x_2", e), (a & 4) && (a & 8));
  }
  // The same suffix again makes no new variable: the instances share them,
  // and the new equation replaces the first, which the forest no longer
  // holds.
  Bddexpression* premiere = s.exp_by_name("x_1");
  s.Include_wood_instance(*o, "_1");
  EXPECT_EQ(m.nbr_variables(), 6);
  EXPECT_EQ(s.exp_number(), 2);
  EXPECT_NE(s.exp_by_name("x_1"), premiere);
  delete premiere;
}

// O is a forest whose manager the automaton owns; S a copy that shares it.
struct meme_manager {
  std::list<std::string> vide, entrees{"a", "b"}, sorties{"x"};
  b_autom_dec dec{vide, vide, entrees, sorties, vide};
  int init = 0;
  b_automaton a{&dec, &init, bdd(), bdd()};
  Bddexpressionwood& o = *a.wood_associee();
  std::unique_ptr<Bddexpressionwood> s;

  meme_manager() {
    equation(o, "x", "a and not b");
    a.set_common_bdd_manager(1);
    s = std::make_unique<Bddexpressionwood>(o);
    a.set_common_bdd_manager(0);
  }
};

TEST(Fusion, InstanceOverTheSameManager) {
  meme_manager f;
  bddpp_manager& m = *f.o.Manager();
  f.s->Include_wood_instance(f.o, "_i");
  EXPECT_EQ(noms_de(m, std::vector<long>{3, 4, 5}),
            (std::vector<std::string>{"a_i", "b_i", "x_i"}));
  Bddexpression* xi = f.s->exp_by_index(5);
  ASSERT_NE(xi, nullptr);
  EXPECT_EQ(xi->getName(), "x_i");
  EXPECT_EQ(xi->getDependances(), (std::set<long>{3, 4}));
  EXPECT_EQ(f.o.exp_number(), 1);
  EXPECT_EQ(f.o.exp_by_index(2)->getBddExp(), fonction(m, "a and not b"));
  EXPECT_EQ(f.o.Nb_bdd_vars(), 6);
  EXPECT_EQ(incoherences(*f.s), "");
  EXPECT_EQ(incoherences(f.o), "");
}

TEST(Fusion, AbstractEquationsAreIncludedAbstract) {
  auto o = foret({"a", "b", "x", "y"});
  std::set<long> lit{0};
  auto* y = new Bddexpression(3L, o.get(), lit, "f", 0, 2);
  y->setUserType(1);
  equation(*o, "x", "y or b");
  Bddexpressionwood s;
  s.Include_wood_instance(*o, "_1");
  bddpp_manager& m = *s.Manager();
  Bddexpression* y1 = s.exp_by_bddname("y_1");
  ASSERT_NE(y1, nullptr);
  EXPECT_EQ(y1->getAbstraction(), 1);
  EXPECT_EQ(y1->getExpDef(), "f");
  EXPECT_EQ(y1->getUserType(), 1);
  EXPECT_EQ(y1->getLateDate(), 2);
  EXPECT_EQ(noms_de(m, y1->getDependances()), std::vector<std::string>{"a_1"});
  EXPECT_EQ(s.exp_by_bddname("x_1")->getBddExp(), fonction(m, "y_1 or b_1"));
}

// An abstract equation whose name is not that of its variable is refused
// at its registration in the other manager, and released.
TEST(Fusion, AnEquationRefusedAtItsRegistration) {
  auto o = foret({"a", "x"});
  bddpp_manager& m = *o->Manager();
  new Bddexpression("autre", o.get(), m.Bdd_var_by_name("x"), bdd(), "f", 0, 0, 0);
  Bddexpressionwood s;
  std::string err = capture_cerr([&] { s.Include_wood_instance(*o, "_1"); });
  EXPECT_NE(err.find("calling bddpp_manager::Bdd_var_by_id() with id= -1 :out of range!"),
            std::string::npos)
      << err;
  EXPECT_NE(err.find("no left member in expression"), std::string::npos);
  EXPECT_EQ(s.exp_number(), 0);
  EXPECT_EQ(noms_de(*s.Manager(), std::vector<long>{0}), std::vector<std::string>{"x_1"});
}

TEST(Fusion, Renamings) {
  auto o = foret({"a", "b", "x"});
  equation(*o, "x", "a and b");
  std::map<std::string, std::string> noms{{"a", "p"}, {"x", "q"}};
  Bddexpressionwood s;
  // b has no renaming: a variable with the empty name stands for it.
  EXPECT_EQ(capture_cerr([&] { s.Include_wood_instance(*o, &noms); }),
            "Warning: no renaming for : b\n");
  bddpp_manager& m = *s.Manager();
  EXPECT_EQ(noms.count("b"), 1u);
  EXPECT_EQ(noms["b"], "");
  EXPECT_EQ(m.Index_var_by_name(""), 1);
  Bddexpression* q = s.exp_by_name("q");
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->getBddExp(), m.Bdd_and(m.Bdd_var_by_name("p"), m.Bdd_var_by_index(1)));
  // Without a renaming of the left variable only a warning, and the
  // equation takes the empty name.
  std::map<std::string, std::string> sans{{"a", "p2"}, {"b", "r2"}};
  Bddexpressionwood t;
  std::string err = capture_cerr([&] { t.Include_wood_instance(*o, &sans); });
  EXPECT_EQ(err,
            "Warning: no renaming for : x\nWarning: no renaming for : x\nWarning: no renaming for "
            ": x\n");
  EXPECT_EQ(t.exp_by_name("")->getBddExp(), fonction(*t.Manager(), "p2 and r2"));
}

TEST(Fusion, RenamingOverTheSameManager) {
  meme_manager f;
  std::map<std::string, std::string> noms{{"a", "a2"}, {"b", "b2"}, {"x", "x2"}};
  EXPECT_EQ(capture_cerr([&] { f.s->Include_wood_instance(f.o, &noms); }),
            "WOOD A INTEGRER avec meme Bdd_manager \n");
  bddpp_manager& m = *f.o.Manager();
  Bddexpression* x2 = f.s->exp_by_name("x2");
  ASSERT_NE(x2, nullptr);
  EXPECT_EQ(x2->getBddExp(), fonction(m, "a2 and not b2"));
}

void inclut_sans_x() {
  meme_manager f;
  std::map<std::string, std::string> noms{{"a", "a2"}, {"b", "b2"}};
  f.s->Include_wood_instance(f.o, &noms);
}

TEST(FusionDeathTest, NoRenamingOfALeftVariableOverTheSameManager) {
  EXPECT_EXIT(inclut_sans_x(), testing::ExitedWithCode(1),
              "WOOD A INTEGRER avec meme Bdd_manager \nWarning: no renaming for : x\nWarning: no "
              "renaming for : x\nWarning: no renaming for : x\nError: no renaming for : x\n$");
}

}  // namespace
