// The further constructors of equations and forests: empty, expdef and
// abstract equations and their registration, deep copies of forests
// (also of a forest whose tables lag behind its manager), assignment, and
// the small look-ups and members of both classes with their refusals.
#include <gtest/gtest.h>

#include <sstream>

#include "gt_texte.h"
#include "b_automaton.h"
#include "verif_foret.h"

namespace {

std::string texte_dump(Bddexpressionwood const& w) {
  std::ostringstream os;
  os << w;
  return os.str();
}

TEST(Constructeurs, EmptyEquationsAreAbstract) {
  auto w = foret({"a"});
  for (Bddexpression* e : {new Bddexpression(), new Bddexpression(w.get())}) {
    EXPECT_EQ(e->getAbstraction(), 1);
    EXPECT_EQ(e->getW(), 1);
    EXPECT_EQ(e->getName(), "");
    EXPECT_EQ(e->my_bddname(), "");
    EXPECT_EQ(e->getBddExp().node(), nullptr);
    delete e;
  }
  EXPECT_EQ(w->exp_number(), 0);
  // Given a variable and then a forest, an equation enters it.
  auto* e = new Bddexpression();
  e->setBddVar(w->Manager(), w->Manager()->Bdd_var_by_name("a"));
  e->setBddexpressionwood(w.get());
  EXPECT_EQ(w->exp_by_index(0), e);
  EXPECT_EQ(e->my_bddname(), "a");
}

TEST(Constructeurs, ExpDef) {
  auto w = foret({"a", "b", "x", "y"});
  bddpp_manager& m = *w->Manager();
  Bddexpression* x = equation(*w, "x", "a and b");
  x->setExpDef("");
  EXPECT_EQ(x->getAbstraction(), 0);
  x->setExpDef("f");
  EXPECT_EQ(x->getAbstraction(), 1);
  EXPECT_EQ(x->getBddExp(), fonction(m, "a and b"));
  // An empty expdef gives a concrete equation, a name an abstract one that
  // reads nothing and that nothing reads.
  auto* c = new Bddexpression("c", w.get(), m.Bdd_var_by_name("y"), m.Bdd_var_by_name("a"), "", 2,
                              5, 3);
  EXPECT_EQ(c->getAbstraction(), 0);
  EXPECT_EQ(c->getDependances(), std::set<long>{0});
  EXPECT_EQ(w->Users(0), (std::set<long>{2, 3}));
  EXPECT_EQ(c->getUserType(), 3);
  EXPECT_EQ(w->Late_date(3), 5);
  auto* g = new Bddexpression("g", w.get(), m.Bdd_var_by_name("y"), m.Bdd_var_by_name("b"), "gf",
                              0, 4, 1);
  EXPECT_EQ(w->exp_by_index(3), g);
  EXPECT_EQ(g->getAbstraction(), 1);
  EXPECT_TRUE(g->getDependances().empty());
  EXPECT_EQ(g->getBddExp().node(), nullptr);
  EXPECT_EQ(w->Users(0), std::set<long>{2});
  EXPECT_EQ(g->getExpDef(), "gf");
  EXPECT_EQ(g->getLateDate(), 4);
  delete c;  // replaced, no longer held by the forest
}

// Readers beyond the variables are not entered.
TEST(Constructeurs, AbstractEquationWithReaders) {
  auto w = foret({"a", "b", "c", "d", "e"});
  std::set<long> readers{3, 7}, reads{1};
  auto* e = new Bddexpression(2L, w.get(), &readers, &reads, 6, 9);
  EXPECT_EQ(w->exp_by_index(2), e);
  EXPECT_EQ(e->getName(), "c");
  EXPECT_EQ(w->Users(1), std::set<long>{2});
  EXPECT_EQ(w->Users(2), std::set<long>{3});
  EXPECT_EQ(w->Late_date(2), 9);
  EXPECT_EQ(w->Nb_level(), 6);
  // The form without readers and with an expdef.
  auto* f = new Bddexpression(4L, w.get(), reads, "fx", 0, 0);
  EXPECT_EQ(f->getExpDef(), "fx");
  EXPECT_EQ(w->Users(1), (std::set<long>{2, 4}));
  EXPECT_TRUE(w->Users(4).empty());
  // A variable that does not exist is refused at the registration.
  std::string err = capture_cerr([&] { delete new Bddexpression(9L, w.get(), reads, "", 0, 0); });
  EXPECT_NE(err.find("calling bddpp_manager::Bdd_var_by_id() with id= 9 :out of range!"),
            std::string::npos);
  EXPECT_NE(err.find("INTERNAL ERROR in Bddexpressionwood::learn_expression():\nno left member"),
            std::string::npos);
  EXPECT_EQ(w->exp_number(), 2);
}

TEST(Constructeurs, CopiesOfAnEquation) {
  auto w = foret({"a", "b", "x"});
  Bddexpression* x = equation(*w, "x", "a or b");
  x->setUserType(2);
  x->setW(5);
  Bddexpression copie(*x);
  EXPECT_TRUE(copie == *x);
  EXPECT_EQ(copie.getWood(), w.get());
  EXPECT_EQ(w->exp_by_index(2), x);  // the copy is not registered
  Bddexpression autre;
  autre = *x;
  EXPECT_FALSE(autre != *x);
  autre.setW(6);
  EXPECT_TRUE(autre != *x);
  // Into another forest: the members rebuilt there, and the second form
  // enters it.
  auto v = foret({"a", "b", "x"});
  Bddexpression dans(v.get(), *x);
  EXPECT_EQ(dans.getBddExp(), fonction(*v->Manager(), "a or b"));
  EXPECT_EQ(v->exp_number(), 0);
  auto* entre = new Bddexpression(w.get(), v.get(), *x);
  EXPECT_EQ(v->exp_by_index(2), entre);
  EXPECT_EQ(v->Users(0), std::set<long>{2});
  EXPECT_EQ(entre->getW(), 5);
  Bddexpression sans(static_cast<Bddexpressionwood*>(nullptr), *x);
  EXPECT_EQ(sans.getAbstraction(), 1);
  EXPECT_EQ(sans.getBddVar().node(), nullptr);
}

// The copy is deep: changing and deleting it leaves the source as it was.
TEST(Constructeurs, DeepCopyOfAForest) {
  auto w = foret({"a", "b", "x", "y"});
  bddpp_manager& m = *w->Manager();
  equation(*w, "x", "a and b");
  equation(*w, "y", "x or a");
  w->compute_dates();
  std::string avant = texte_dump(*w);
  auto* copie = new Bddexpressionwood(w.get());
  EXPECT_NE(copie->Manager(), &m);
  EXPECT_EQ(copie->Exp_ids(), w->Exp_ids());
  EXPECT_EQ(copie->Users(2), std::set<long>{3});
  EXPECT_EQ(copie->Late_date(0), w->Late_date(0));
  EXPECT_EQ(copie->Nb_level(), w->Nb_level());
  EXPECT_EQ(copie->exp_by_index(3)->getWood(), copie);
  copie->exp_by_index(2)->setBddExp(copie->Manager()->Bdd_one(), 0, 0);
  copie->New_var_last("z");
  delete copie;
  EXPECT_EQ(texte_dump(*w), avant);
  EXPECT_EQ(w->exp_by_index(2)->getBddExp(), fonction(m, "a and b"));
}

TEST(Constructeurs, CopyOfASharingForestSharesItsManager) {
  std::list<std::string> vide, entrees{"a"}, sorties{"x"};
  b_autom_dec d(vide, vide, entrees, sorties, vide);
  int init = 0;
  b_automaton a(&d, &init, bdd(), bdd());
  a.set_common_bdd_manager(1);
  Bddexpressionwood* source = a.wood_associee();
  equation(*source, "x", "not a");
  {
    Bddexpressionwood copie(*source);
    EXPECT_EQ(copie.Manager(), source->Manager());
    EXPECT_EQ(copie.exp_by_index(1)->getBddExp(), source->exp_by_index(1)->getBddExp());
  }
  EXPECT_EQ(source->Manager()->nbr_variables(), 2);
  a.set_common_bdd_manager(0);
}

// The source's manager has variables its tables do not cover yet.
TEST(Constructeurs, CopyOfAForestBehindItsManager) {
  auto w = foret({"a", "x"});
  equation(*w, "x", "a");
  for (int i = 0; i < 6; ++i) w->Manager()->New_var_last("n" + std::to_string(i));
  Bddexpressionwood copie(*w);
  EXPECT_EQ(copie.Nb_bdd_vars(), 8);
  EXPECT_EQ(copie.exp_by_index(1)->getDependances(), std::set<long>{0});
  for (long i = 2; i < 8; ++i) {
    EXPECT_EQ(copie.exp_by_index(i), nullptr);
    EXPECT_TRUE(copie.Users(i).empty());
    EXPECT_EQ(copie.Late_date(i), 0);
  }
  EXPECT_EQ(incoherences(copie), "");
  std::ostringstream os;
  copie.stat(os);
  EXPECT_NE(os.str().find("  - arrays's length  : 8\n"), std::string::npos);
  // The copy grows like any forest.
  copie.New_var_last("m");
  EXPECT_EQ(copie.Nb_bdd_vars(), 9);
}

TEST(Constructeurs, CopyFromNothingIsAnEmptyForest) {
  Bddexpressionwood* rien = nullptr;
  auto* w = new Bddexpressionwood(rien);
  EXPECT_EQ(w->exp_number(), 0);
  EXPECT_EQ(w->Nb_bdd_vars(), 0);
  w->New_var_last("a");
  EXPECT_EQ(w->Nb_bdd_vars(), 1);
  delete w;
  Bddexpressionwood propre;
  EXPECT_EQ(propre.Manager()->nbr_variables(), 0);
}

TEST(Constructeurs, Assignment) {
  auto w = foret({"a", "x"});
  equation(*w, "x", "a");
  auto v = foret({"b", "c", "y"});
  equation(*v, "y", "b and c");
  *v = *w;
  EXPECT_EQ(v->Nb_bdd_vars(), 2);
  EXPECT_EQ(v->exp_by_index(1)->getWood(), v.get());
  EXPECT_EQ(v->Manager()->Name_var_by_index(1), "x");
  *v = *v;
  EXPECT_EQ(v->exp_by_index(1)->getBddExp(), v->Manager()->Bdd_var_by_index(0));
  EXPECT_EQ(incoherences(*v), "");
}

TEST(Constructeurs, SmallMembers) {
  auto w = foret({"a", "b", "x"});
  bddpp_manager& m = *w->Manager();
  Bddexpression* x = equation(*w, "x", "a and b");
  EXPECT_EQ(w->exp_by_bddname("x"), x);
  EXPECT_EQ(w->exp_by_bdd(m.Bdd_var_by_name("x")), x);
  EXPECT_EQ(w->exp_by_bdd(m.Bdd_var_by_name("a")), nullptr);
  EXPECT_EQ(w->Bddname_exp_by_bdd(m.Bdd_var_by_name("b")), "b");
  EXPECT_EQ(w->Index_exp_by_name("x"), 2);
  EXPECT_EQ(w->Name_exp_by_index(2), "x");
  EXPECT_EQ(w->Name_exp_by_index(0), "");
  EXPECT_EQ(w->Name_exp_by_bdd(m.Bdd_var_by_name("x")), "x");
  EXPECT_EQ(w->Bddname_exp_by_index(2), "x");
  EXPECT_EQ(w->Index_new_var_last("z"), 3);
  EXPECT_EQ(w->Nb_bdd_vars(), 4);
  w->append_not_expression(2);
  EXPECT_EQ(x->getBddExp(), fonction(m, "not (a and b)"));
  EXPECT_EQ(w->Users(0), std::set<long>{2});
  w->append_not_expression(0);  // no equation: nothing
  w->append_not_expression(9);
  Bddexpression libre;
  libre.setBddVar(&m, m.Bdd_var_by_name("a"));
  EXPECT_EQ(libre.getBddVar(), m.Bdd_var_by_name("a"));
  EXPECT_EQ(libre.getLateDate(), 0);
  struct cas {
    std::function<void()> appel;
    std::string err;
  } const table[] = {
      {[&] { x->setBddVar(&m, m.Bdd_one()); },
       "In Bddexpression::setBddVar(bddpp_manager *, bdd): \n   wood already defined! Aborted  "
       "...\n"},
      {[&] { libre.append_not_exp(); },
       "In Bddexpression::append_not_exp(): \n   no wood defined! Aborted  ...\n"},
      {[&] { EXPECT_EQ(w->exp_by_bddname("q"), nullptr); },
       "ERROR in Bddexpressionwood::exp_by_bddname : `q' not found!\n"},
      {[&] { EXPECT_EQ(w->exp_by_bdd(m.Bdd_one()), nullptr); },
       "ERROR in Bddexpressionwood::exp_by_bdd : bdd not found!\n"},
      {[&] { EXPECT_EQ(w->Index_exp_by_name("a"), -1); },
       "ERROR in Bddexpressionwood::Index_exp_by_name : `a' not found!\n"},
      {[&] { EXPECT_EQ(w->Name_exp_by_index(4), ""); },
       "ERROR: in Bddexpressionwood::Name_exp_by_index(): index 4 not found!\n"},
      {[&] { EXPECT_EQ(w->Name_exp_by_bdd(m.Bdd_zero()), ""); },
       "ERROR: in Bddexpressionwood::Name_exp_by_bdd(): bdd not found!\n"},
      {[&] { EXPECT_EQ(w->Bddname_exp_by_index(-1), ""); },
       "ERROR: in Bddexpressionwood::Bddname_exp_by_index(): id -1 not found!\n"},
      {[&] { w->delete_prefixe_names("x"); }, "a faire\n"},
  };
  for (auto const& c : table) EXPECT_EQ(capture_cerr(c.appel), c.err);
}

TEST(Constructeurs, LevelHelpers) {
  long a[] = {3, 5, 4}, b[] = {-2, 0, 7};
  EXPECT_EQ(normalise_min_min(3, a, b), 9);
  EXPECT_EQ(std::vector<long>(a, a + 3), (std::vector<long>{0, 2, 1}));
  EXPECT_EQ(std::vector<long>(b, b + 3), (std::vector<long>{0, 2, 9}));
  EXPECT_EQ(normalise_min_min(0, a, b), 0);
  auto w = foret({"a", "b"});
  long niveaux[] = {4, 1};
  testing::internal::CaptureStdout();
  affiche_level(2, w->Manager(), niveaux);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "a:4 b:1 \n");
}

}  // namespace
