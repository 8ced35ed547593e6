// The simplification passes and the substitution of locals on small
// forests, checked by brute-force evaluation: most passes keep the value of
// every variable they leave an equation to; the reduction keeps it on the
// care set only; the forgetting of a variable changes every right member
// into its quantification. The readers table is checked after the passes
// that end by rebuilding or cleaning it, and its stale entries after those
// that leave them.
#include <gtest/gtest.h>

#include "b_automaton.h"
#include "gt_texte.h"
#include "verif_foret.h"

namespace {

using texte_equations = std::vector<std::pair<std::string, std::string>>;

// Inputs a, b, c; two constants, a chain of wires and a few readers.
std::unique_ptr<Bddexpressionwood> foret_mixte() {
  auto w = foret({"a", "b", "c", "k", "z", "x", "y", "w", "u", "v", "t"});
  texte_equations const eqs = {{"k", "1"},           {"z", "0"},       {"x", "a and k"},
                               {"y", "x or z or c"}, {"w", "not y and b"}, {"u", "x"},
                               {"v", "not u"},       {"t", "v and w"}};
  for (auto const& [v, f] : eqs) equation(*w, v, f);
  return w;
}

TEST(Passes, FunctionsKept) {
  struct cas {
    char const* nom;
    std::function<void(Bddexpressionwood&)> passe;
  } const table[] = {
      {"constants_propagation", [](Bddexpressionwood& w) { w.constants_propagation(); }},
      {"constants_propagation, keep 0",
       [](Bddexpressionwood& w) { w.constants_propagation({0}); }},
      {"suppress_local x", [](Bddexpressionwood& w) { w.suppress_local(5); }},
      {"suppress_local y", [](Bddexpressionwood& w) { w.suppress_local(6); }},
      {"suppress_locals", [](Bddexpressionwood& w) { w.suppress_locals(); }},
      {"suppress_wires", [](Bddexpressionwood& w) { w.suppress_wires(); }},
      {"reduce_expressions 1", [](Bddexpressionwood& w) { w.reduce_expressions(w.Manager()->Bdd_one()); }},
      {"global_tautology", [](Bddexpressionwood& w) { w.global_tautology(); }},
  };
  for (auto const& c : table) {
    auto w = foret_mixte();
    systeme avant = systeme_de(*w);
    c.passe(*w);
    memes_valeurs(*w->Manager(), avant, *w, c.nom);
    EXPECT_EQ(incoherences(*w), "") << c.nom;
  }
}

TEST(Passes, ConstantsPropagation) {
  auto w = foret({"a", "b", "c", "d"});
  bddpp_manager& m = *w->Manager();
  Bddexpression* a = equation(*w, "a", "1");
  Bddexpression* b = equation(*w, "b", "a and c");
  Bddexpression* d = equation(*w, "d", "not b");
  w->constants_propagation();
  EXPECT_EQ(b->getBddExp(), m.Bdd_var_by_name("c"));
  EXPECT_EQ(d->getBddExp(), fonction(m, "not b"));
  EXPECT_EQ(w->exp_by_index(0), nullptr);
  EXPECT_EQ(w->Exp_ids(), (std::set<long>{1, 3}));
  // Kept by its user type, the constant stays without readers.
  auto v = foret({"a", "b", "c", "d"});
  equation(*v, "a", "1")->setUserType(4);
  equation(*v, "b", "a and c");
  v->constants_propagation({4});
  ASSERT_NE(v->exp_by_index(0), nullptr);
  EXPECT_TRUE(v->Users(0).empty());
  // A constant that nothing reads stays whatever the keep list.
  v->constants_propagation();
  EXPECT_NE(v->exp_by_index(0), nullptr);
  (void)a;
}

TEST(Passes, AbstractReaderOfAConstant) {
  auto w = foret({"k", "x", "c"});
  equation(*w, "k", "0");
  std::set<long> lit{0};
  auto* x = new Bddexpression(1L, w.get(), lit, "f", 0, 0);
  equation(*w, "c", "k or x");
  w->constants_propagation();
  EXPECT_EQ(w->exp_by_index(0), nullptr);
  EXPECT_EQ(x->getDependances(), std::set<long>{0});
  EXPECT_EQ(w->Users(0), std::set<long>{1});
  EXPECT_EQ(w->exp_by_index(2)->getBddExp(), w->Manager()->Bdd_var_by_name("x"));
}

TEST(Passes, GlobalTautologyAndPropositions) {
  auto w = foret({"a", "k", "l", "x"});
  equation(*w, "k", "0");
  equation(*w, "l", "not k");
  equation(*w, "x", "k and a");
  EXPECT_EQ(w->global_tautology(), 1);
  EXPECT_EQ(w->reduce_proposition_by_assertion(), w->Manager()->Bdd_one());
  EXPECT_EQ(w->reduce_proposition_by_variable(), -1);
  auto v = foret({"a", "b", "x", "y"});
  bddpp_manager& m = *v->Manager();
  equation(*v, "x", "a and b");
  equation(*v, "y", "x or b");
  v->compute_dates();
  EXPECT_EQ(v->global_tautology(), 0);
  bdd p = v->reduce_proposition_by_assertion();
  EXPECT_TRUE(m.Bdd_is_cube(p));
  EXPECT_TRUE(m.Bdd_imply(p, fonction(m, "a and b")));
  EXPECT_EQ(v->reduce_proposition_by_variable(), 0);
}

// Care sets are cubes, as the situations of the simulation are.
TEST(Passes, ReduceExpressionsKeepsFunctionsOnTheCareSet) {
  for (std::string soin : {"a", "not a and c", "a and b and not c", "1"}) {
    auto w = foret_mixte();
    bddpp_manager& m = *w->Manager();
    systeme avant = systeme_de(*w);
    bdd care = fonction(m, soin);
    w->reduce_expressions(care);
    memes_valeurs(m, avant, *w, soin, [&](valeurs const& v) { return evalue_bdd(m, care, v); });
    EXPECT_EQ(incoherences(*w), "") << soin;
  }
  auto w = foret({"a", "b", "x"});
  Bddexpression* x = equation(*w, "x", "a and b");
  w->reduce_expressions(w->Manager()->Bdd_var_by_name("a"));
  EXPECT_EQ(x->getBddExp(), w->Manager()->Bdd_var_by_name("b"));
  EXPECT_TRUE(w->Users(0).empty());
}

// Each right member becomes its quantification over the variable, then the
// constants are propagated.
TEST(Passes, ForgettingAVariable) {
  for (bool existe : {true, false}) {
    for (char const* entree : {"a", "b", "c"}) {
      auto w = foret_mixte();
      bddpp_manager& m = *w->Manager();
      long x = m.Index_var_by_name(entree);
      systeme avant = systeme_de(*w), attendu;
      for (auto const& [i, f] : avant)
        attendu[i] = [f = f, x, existe](valeurs const& v) {
          valeurs v0 = v, v1 = v;
          v0[x] = false;
          v1[x] = true;
          return existe ? f(v0) || f(v1) : f(v0) && f(v1);
        };
      if (existe)
        w->reduce_expressions_when_var_forgotten_by_exist_op(x);
      else
        w->reduce_expressions_when_var_forgotten_by_forall_op(x);
      std::string quoi = std::string(existe ? "exist " : "forall ") + entree;
      memes_valeurs(m, attendu, *w, quoi);
      EXPECT_EQ(incoherences(*w), "") << quoi;
      EXPECT_TRUE(w->Users(x).empty()) << quoi;
    }
  }
  // x = a and b: b without a; for all a, false, which is substituted into
  // the readers of x.
  auto w = foret({"a", "b", "x", "y"});
  bddpp_manager& m = *w->Manager();
  Bddexpression* x = equation(*w, "x", "a and b");
  Bddexpression* y = equation(*w, "y", "x or b");
  w->reduce_expressions_when_var_forgotten_by_exist_op(0);
  EXPECT_EQ(x->getBddExp(), m.Bdd_var_by_name("b"));
  w->reduce_expressions_when_var_forgotten_by_forall_op(1);
  EXPECT_EQ(w->exp_by_index(2), nullptr);
  EXPECT_EQ(y->getBddExp(), m.Bdd_zero());
}

TEST(Passes, AutomatonForgetsItsInputs) {
  std::list<std::string> etats{"X"}, suivants{"Xn"}, entrees{"a", "b"}, sorties{"o"}, locales;
  for (bool existe : {true, false}) {
    b_autom_dec dec(etats, suivants, entrees, sorties, locales);
    equation(*dec.wood_associee(), "Xn", "X and a or b");
    equation(*dec.wood_associee(), "o", "X or a and b");
    int init = 1;
    bddpp_manager* m = dec.manager_associe();
    b_automaton aut(&dec, &init, m->Bdd_one(), m->Bdd_one());
    existe ? aut.forget_exist_inputs() : aut.forget_forall_inputs();
    EXPECT_EQ(aut.bdd_exp_ident_associe("Xn"), existe ? m->Bdd_one() : m->Bdd_zero());
    EXPECT_EQ(aut.bdd_exp_ident_associe("o"), existe ? m->Bdd_one() : m->Bdd_var_by_name("X"));
  }
}

// An abstract equation without right member is no proposition and gives
// nothing to substitute: the passes go round it.
TEST(Passes, AbstractEquationWithoutRightMember) {
  auto w = foret({"a", "f", "y"});
  bddpp_manager& m = *w->Manager();
  std::set<long> lit{0};
  auto* f = new Bddexpression(1L, w.get(), lit, "g", 0, 0);
  Bddexpression* y = equation(*w, "y", "f and a");
  EXPECT_EQ(w->reduce_proposition_by_assertion(), fonction(m, "f and a"));
  w->suppress_local(1);
  EXPECT_EQ(w->exp_by_index(1), nullptr);
  EXPECT_EQ(y->getBddExp(), fonction(m, "f and a"));
  auto v = foret({"a", "f"});
  auto* g = new Bddexpression(1L, v.get(), lit, "g", 0, 0);
  EXPECT_EQ(v->reduce_proposition_by_assertion(), v->Manager()->Bdd_one());
  g->append_or_exp(v->Manager()->Bdd_var_by_name("a"));
  EXPECT_EQ(g->getAbstraction(), 0);
  EXPECT_EQ(g->getBddExp(), v->Manager()->Bdd_var_by_name("a"));
  (void)f;
}

// x = a and b read by y = x or c.
std::unique_ptr<Bddexpressionwood> foret_locale() {
  auto w = foret({"a", "b", "c", "x", "y"});
  equation(*w, "x", "a and b");
  equation(*w, "y", "x or c");
  return w;
}

TEST(Substitution, UselessLocal) {
  auto w = foret_locale();
  bddpp_manager& m = *w->Manager();
  systeme avant = systeme_de(*w);
  w->useless_local(3);
  memes_valeurs(m, avant, *w, "useless_local");
  EXPECT_EQ(w->exp_by_index(4)->getBddExp(), fonction(m, "a and b or c"));
  EXPECT_TRUE(w->Users(3).empty());
  EXPECT_NE(w->exp_by_index(3), nullptr);
  // x stays, reading a and b, but has left their readers.
  EXPECT_EQ(w->Users(0), std::set<long>{4});
  EXPECT_EQ(w->Users(1), std::set<long>{4});
  EXPECT_EQ(incoherences(*w),
            "incoherence sur table des amonts pour la variable 0: calcule: {3,4} trouve{4}\n"
            "incoherence sur table des amonts pour la variable 1: calcule: {3,4} trouve{4}\n");
  // Nothing to do: no readers, or a right member that reads nothing.
  w->useless_local(3);
  w->useless_local(4);
  EXPECT_EQ(w->exp_by_index(4)->getBddExp(), fonction(m, "a and b or c"));
  // A reader that stops reading a variable through the substitution is
  // still entered among its readers.
  auto v = foret({"a", "x", "y"});
  equation(*v, "x", "a");
  Bddexpression* y = equation(*v, "y", "x or not a");
  v->useless_local(1);
  EXPECT_EQ(y->getBddExp(), v->Manager()->Bdd_one());
  EXPECT_EQ(v->Users(0), std::set<long>{2});
  EXPECT_EQ(incoherences(*v),
            "incoherence sur table des amonts pour la variable 0: calcule: {1} trouve{2}\n");
}

TEST(Substitution, SuppressLocal) {
  auto w = foret_locale();
  w->suppress_local(3);
  EXPECT_EQ(w->exp_by_index(3), nullptr);
  EXPECT_EQ(w->Exp_ids(), std::set<long>{4});
  EXPECT_EQ(w->exp_by_index(4)->getBddExp(), fonction(*w->Manager(), "a and b or c"));
}

// x = not x and a, read by y = x.
std::unique_ptr<Bddexpressionwood> foret_bouclee() {
  auto w = foret({"a", "x", "y"});
  equation(*w, "x", "not x and a");
  equation(*w, "y", "x");
  return w;
}

std::string debut_rapport(long v) {
  return "ERROR: detected self-dependance about variable : " + std::to_string(v) +
         " !!!\nin associated expression: ";
}

TEST(Substitution, SelfDependence) {
  auto w = foret_bouclee();
  std::ostringstream avant;
  avant << *w;
  std::string err = capture_cerr([&] { w->suppress_local(1); });
  EXPECT_EQ(err.rfind(debut_rapport(1), 0), 0u) << err;
  EXPECT_NE(err.find("\n\nin associated wood:\nwood Bddexpression statistics:"), std::string::npos);
  std::ostringstream apres;
  apres << *w;
  EXPECT_EQ(apres.str(), avant.str());
  EXPECT_EXIT(foret_bouclee()->useless_local(1), testing::ExitedWithCode(1),
              "ERROR: detected self-dependance about variable : 1 !!!");
}

// No self-dependence test: the reader of x is rewritten and goes on
// reading x, which has no equation left.
TEST(Substitution, SuppressLocalsOnAnEquationThatReadsItself) {
  auto w = foret_bouclee();
  bddpp_manager& m = *w->Manager();
  w->suppress_locals();
  EXPECT_EQ(w->exp_by_index(1), nullptr);
  Bddexpression* y = w->exp_by_index(2);
  ASSERT_NE(y, nullptr);
  EXPECT_EQ(y->getBddExp(), fonction(m, "x and a"));
  EXPECT_EQ(w->Users(1), std::set<long>{2});
  EXPECT_EQ(incoherences(*w), "");
}

TEST(Substitution, SuppressLocalsKeepList) {
  auto w = foret({"a", "b", "k", "x", "y", "z"});
  equation(*w, "k", "1")->setUserType(1);
  equation(*w, "x", "a and k")->setUserType(1);
  equation(*w, "y", "x or b");
  equation(*w, "z", "y and not x");
  systeme avant = systeme_de(*w);
  w->suppress_locals({1});
  memes_valeurs(*w->Manager(), avant, *w, "suppress_locals {1}");
  EXPECT_EQ(w->Exp_ids(), (std::set<long>{3, 5}));
  EXPECT_EQ(w->exp_by_index(5)->getBddExp(), fonction(*w->Manager(), "b and not x"));
  EXPECT_EQ(incoherences(*w), "");
}

TEST(Substitution, SuppressWires) {
  auto w = foret({"a", "b", "c", "y", "z", "p", "r", "q", "s"});
  bddpp_manager& m = *w->Manager();
  equation(*w, "y", "not a");
  equation(*w, "z", "y or b");
  equation(*w, "p", "a and b");  // reads two variables
  equation(*w, "r", "p or c");
  equation(*w, "q", "c");  // its reader is abstract
  std::set<long> lit{7};
  new Bddexpression(8L, w.get(), lit, "f", 0, 0);
  systeme avant = systeme_de(*w);
  w->suppress_wires();
  EXPECT_EQ(w->exp_by_index(3), nullptr);
  EXPECT_EQ(w->exp_by_index(4)->getBddExp(), fonction(m, "not a or b"));
  EXPECT_NE(w->exp_by_index(5), nullptr);
  EXPECT_NE(w->exp_by_index(7), nullptr);
  EXPECT_EQ(incoherences(*w), "");
  // The dates are the critical paths.
  EXPECT_EQ(w->Late_date(3), 0);
  EXPECT_EQ(w->exp_by_index(4)->getEarlyDate(), 2);
  EXPECT_EQ(w->exp_by_index(6)->getEarlyDate(), 3);
  EXPECT_EQ(w->Late_date(5), 1);
  EXPECT_EQ(w->Late_date(7), 1);
  EXPECT_EQ(w->Late_date(6), 0);
}

TEST(Substitution, ReplacementOfARightMember) {
  auto w = foret({"a", "b", "c", "x"});
  bddpp_manager& m = *w->Manager();
  Bddexpression* x = equation(*w, "x", "a and b");
  x->setBddExp(fonction(m, "b or c"));
  EXPECT_TRUE(w->Users(0).empty());
  EXPECT_EQ(w->Users(1), std::set<long>{3});
  EXPECT_EQ(w->Users(2), std::set<long>{3});
  x->append_and_exp(m.Bdd_var_by_name("a"));
  EXPECT_EQ(x->getBddExp(), fonction(m, "a and (b or c)"));
  x->append_or_exp(m.Bdd_not(m.Bdd_var_by_name("b")));
  EXPECT_EQ(x->getBddExp(), fonction(m, "not b or a"));
  EXPECT_EQ(incoherences(*w), "");
  Bddexpression libre;
  libre.setBddExp(&m, m.Bdd_var_by_name("c"));
  EXPECT_EQ(libre.getAbstraction(), 0);
  EXPECT_EQ(libre.getDependances(), std::set<long>{2});
  struct cas {
    std::function<void()> appel;
    std::string err;
  } const table[] = {
      {[&] { libre.setBddExp(m.Bdd_one()); },
       "In Bddexpression::setBddExp(): \n   no wood defined! Aborted  ...\n"},
      {[&] { libre.append_or_exp(m.Bdd_one()); },
       "In Bddexpression::append_or_exp(): \n   no wood defined! Aborted  ...\n"},
      {[&] { libre.append_and_exp(m.Bdd_one()); },
       "In Bddexpression::append_or_exp(): \n   no wood defined! Aborted  ...\n"},
      {[&] { x->setBddExp(&m, m.Bdd_one()); },
       "In Bddexpression::setBddExp(bddpp_manager *, bdd): \n   wood already defined! Aborted  "
       "...\n   use only Bddexpression::setBddExp(bdd) !!!\n"},
  };
  for (auto const& c : table) EXPECT_EQ(capture_cerr(c.appel), c.err);
  EXPECT_EQ(libre.getBddExp(), m.Bdd_var_by_name("c"));
}

// The replacement walks the critical paths; once they go round the new
// loop it substitutes until a variable reads itself, and ends the run.
void ferme_une_boucle() {
  auto w = foret({"a", "b"});
  equation(*w, "a", "b");
  Bddexpression* b = equation(*w, "b", "0");
  b->setBddExp(w->Manager()->Bdd_var_by_name("a"));
}

TEST(SubstitutionDeathTest, ReplacementThatClosesALoop) {
  EXPECT_EXIT(ferme_une_boucle(), testing::ExitedWithCode(1),
              "ERROR: detected self-dependance about variable : 0 !!!");
}

}  // namespace
