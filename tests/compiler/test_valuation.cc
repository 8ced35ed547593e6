// The three-valued valuation of one reaction, the record of a reaction with
// its log line, and the queue of pending contexts.
#include <gtest/gtest.h>

#include <sstream>

#include "encodage_test.h"
#include "tarvek_compil.h"

namespace {

using ens = std::set<int>;

const std::string entrees = "\"a\" : bool \"b\" : bool";

// One step per transition, each transition looping on its step.
encodage_teste encode_receptivites(const std::vector<std::string>& receptivites,
                                   const std::vector<std::string>& assertions = {}) {
  std::vector<std::string> etapes, transitions;
  for (size_t i = 0; i < receptivites.size(); ++i) {
    std::string n = std::to_string(i + 1), p = std::to_string(i);
    etapes.push_back((i ? "NS: " : "IS: ") + n + " " + n + " 0");
    transitions.push_back(n + " " + n + " 5 FR: (" + p + ") TO: (" + p + ") : \"" +
                          receptivites[i] + "\"");
  }
  return encode(gt_entrees(entrees, etapes, transitions, assertions));
}

std::string texte(tpen_BDD_fichier& e, const bdd& f) { return e.bddtoString(f, 0, "", ""); }

std::string dump(const valuateur& v) {
  std::ostringstream os;
  os << v;
  return os.str();
}

TEST(Valuation, ConditionsOfANewValuation) {
  encodage_teste t = encode_receptivites({"=1", "0", "a", "a : b"});
  valuateur v(*t.e);
  EXPECT_EQ(v.cond(0), 0);
  EXPECT_EQ(v.cond(1), 1);
  EXPECT_EQ(v.cond(2), 2);
  EXPECT_EQ(v.cond(3), 2);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(v.garde(i), 0);
  EXPECT_EQ(v.contraintes_evol(), t.e->man()->Bdd_one());
}

// Setting a step variable substitutes it; a copy keeps the substituted
// functions, so setting the variable again changes nothing.
TEST(Valuation, KnownValuesAreSubstituted) {
  encodage_teste t = encode_receptivites({"a and X1", "b or X2"}, {"X1 or b"});
  tpen_BDD_fichier& e = *t.e;
  int x1 = e.ident_cond_X_etape(0), x2 = e.ident_cond_X_etape(1);
  valuateur v(e);
  v.vrai(x1);
  EXPECT_EQ(v.cond(0), 2);
  EXPECT_EQ(v.bdd_entrees(0), e.bdd_variable("a"));
  EXPECT_EQ(v.assertion_reduite(), e.man()->Bdd_one());
  valuateur w(e);
  w.faux(x1);
  w.faux(x2);
  EXPECT_EQ(w.cond(0), 1);
  EXPECT_EQ(texte(e, w.bdd_entrees(1)), "b");
  EXPECT_EQ(texte(e, w.assertion_reduite()), "b");

  valuateur copie(v);
  EXPECT_EQ(dump(copie), dump(v));
  copie.faux(x1);
  EXPECT_EQ(dump(copie), dump(v));
  copie = w;
  EXPECT_EQ(dump(copie), dump(w));
}

TEST(Valuation, InputContexts) {
  encodage_teste t = encode_receptivites({"a and b", "b"});
  tpen_BDD_fichier& e = *t.e;
  valuateur v(e);
  v.contraint_contexte(e.bdd_variable("a"));
  EXPECT_EQ(texte(e, v.bdd_entrees(0)), "b");
  EXPECT_EQ(v.contraintes_evol(), e.bdd_variable("a"));
  v.contraint_contexte(e.man()->Bdd_not(e.bdd_variable("b")));
  EXPECT_EQ(v.cond(0), 1);
  EXPECT_EQ(v.cond(1), 1);
  EXPECT_EQ(texte(e, v.contraintes_evol()), "a and not b");

  // An assertion that the context reduces to a cube reduces the
  // receptivities too; one that it contradicts becomes 0.
  encodage_teste u = encode_receptivites({"b", "a or b"}, {"not (a and b)"});
  valuateur w(*u.e);
  w.contraint_contexte(u.e->bdd_variable("a"));
  EXPECT_EQ(w.cond(0), 1);
  EXPECT_EQ(w.cond(1), 0);
  EXPECT_EQ(texte(*u.e, w.assertion_reduite()), "not b");
  w.contraint_contexte(u.e->bdd_variable("b"));
  EXPECT_EQ(w.assertion_reduite(), u.e->man()->Bdd_zero());
}

TEST(Valuation, InputDependence) {
  encodage_teste t =
      encode_receptivites({"a and X1", "X1", "( a and X1 ) or ( b and not X1 )", "RE2 and FE1"});
  tpen_BDD_fichier& e = *t.e;
  valuateur v(e);
  EXPECT_EQ(texte(e, v.bdd_entrees(0)), "a");
  EXPECT_EQ(v.bdd_entrees(1), e.man()->Bdd_one());
  EXPECT_EQ(texte(e, v.bdd_entrees(2)), "a or not a and b");
  EXPECT_EQ(v.bdd_entrees(3), e.man()->Bdd_one());
}

TEST(Valuation, Dump) {
  encodage_teste t = encode(gt_entrees(
      entrees, {"IS: 1 0 0", "NS: 2 0 4"},
      {"1 0 2 FR: (0) TO: (1) : \"a\"", "2 0 6 FR: (1) TO: (0) : \"b : \""}, {"not a or b"}));
  valuateur v(*t.e);
  v.vrai(t.e->man()->Index_var_by_name("a"));
  EXPECT_EQ(dump(v),
            " valuations \n"
            " transition: 0 (NON GARDE,VRAI)\n"
            " transition: 1 (GARDE,INCONNU (b))\n"
            "contraintes : 1\n"
            "assertion : b\n");
  encodage_teste sans = encode(gt_entrees(entrees, {"IS: 1 0 0"}, {}, {"a or b"}));
  std::ostringstream os;
  valuateur(*sans.e).put(os);
  EXPECT_EQ(os.str(), " valuations \ncontraintes : 1\nassertion : a or not a and b\n");
}

TEST(Reaction, LogLine) {
  encodage_teste t = encode(gt_entrees(entrees, {"IS: 1 0 0", "NS: 2 0 4"}, {}));
  tpen_BDD_fichier& e = *t.e;  // outputs o (bool) and e (event)
  bddpp_manager& m = *e.man();
  bdd actions[2] = {m.Bdd_zero(), m.Bdd_one()};
  std::ostringstream os;
  os << trans_instantanee(ens{0}, ens{1}, actions, e.bdd_variable("a"), &e);
  actions[0] = m.Bdd_or(e.bdd_variable("a"), e.bdd_variable("b"));
  actions[1] = m.Bdd_zero();
  os << trans_instantanee(ens{0, 1}, ens{}, actions, m.Bdd_one(), &e);
  EXPECT_EQ(os.str(),
            "[ initial: {0}, final:{1}, cond: a cond actions : act: 1--> bdd: 1 ]\n"
            "[ initial: {0,1}, final:{}, cond: 1 cond actions : act: 0--> bdd: a or not a and b ]\n");
}

// The record owns copies of its conditions; the comparison looks at the
// situations and the grafcet only.
TEST(Reaction, CopiesComparisonsAndEmptyRecords) {
  encodage_teste t = encode(gt_entrees(entrees, {"IS: 1 0 0", "NS: 2 0 4"}, {}));
  tpen_BDD_fichier& e = *t.e;
  bddpp_manager& m = *e.man();
  bdd actions[2] = {e.bdd_variable("a"), m.Bdd_zero()};
  trans_instantanee r(ens{0}, ens{1}, actions, e.bdd_variable("b"), &e);
  actions[0] = m.Bdd_zero();
  trans_instantanee copie(r);
  EXPECT_EQ(copie.actions[0], e.bdd_variable("a"));
  EXPECT_EQ(copie.cond, e.bdd_variable("b"));
  trans_instantanee autre(ens{0}, ens{1}, actions, m.Bdd_one(), &e);
  EXPECT_FALSE(autre != r);
  EXPECT_TRUE(trans_instantanee(ens{1}, ens{1}, actions, m.Bdd_one(), &e) != r);
  EXPECT_TRUE(trans_instantanee(ens{0}, ens{0}, actions, m.Bdd_one(), &e) != r);
  autre = r;
  EXPECT_EQ(autre.actions[0], e.bdd_variable("a"));

  trans_instantanee vide;
  EXPECT_EQ(vide.actions, nullptr);
  EXPECT_EQ(vide.cond.node(), nullptr);
  trans_instantanee sans_grafcet(ens{0}, ens{1}, actions, m.Bdd_one(), nullptr);
  EXPECT_EQ(sans_grafcet.actions, nullptr);
  EXPECT_EQ(sans_grafcet.cond.node(), nullptr);
  EXPECT_EQ(capture_cerr([&] { autre = vide; }),
            "in ``trans_instantanee::operator='': bad initialisation\n");
  EXPECT_EQ(autre.fichier, nullptr);
  EXPECT_EQ(autre.cond.node(), nullptr);
  std::string err = capture_cerr([&] {
    trans_instantanee ancien(0, 1, actions, m.Bdd_one(), &e);
    EXPECT_EQ(ancien.initiale, std::set<int>{0});
    EXPECT_EQ(ancien.finale, std::set<int>{1});
    EXPECT_EQ(ancien.actions, nullptr);
  });
  EXPECT_EQ(err, " A NE PLUS UTILISER ! \n");
}

TEST(Contexte, FirstInFirstOut) {
  encodage_teste t = encode_receptivites({"a and X1", "b"});
  tpen_BDD_fichier& e = *t.e;
  tpe_contexte q;
  EXPECT_TRUE(q.empty());
  valuateur v1(e), v2(e);
  v1.vrai(e.ident_cond_X_etape(0));
  v2.contraint_contexte(e.bdd_variable("b"));
  q.push({0}, {1}, {2}, {3}, {4}, v1);
  q.push({5}, {6}, {7}, {8}, {9}, v2);
  std::set<int> xi, Ecp, Eca, Tcf, Tcnf;
  valuateur v(e);
  for (auto const& [premier, attendu] :
       std::vector<std::pair<int, valuateur*>>{{0, &v1}, {5, &v2}}) {
    ASSERT_FALSE(q.empty());
    q.pop(xi, Ecp, Eca, Tcf, Tcnf, v);
    EXPECT_EQ(xi, std::set<int>{premier});
    EXPECT_EQ(Ecp, std::set<int>{premier + 1});
    EXPECT_EQ(Eca, std::set<int>{premier + 2});
    EXPECT_EQ(Tcf, std::set<int>{premier + 3});
    EXPECT_EQ(Tcnf, std::set<int>{premier + 4});
    EXPECT_EQ(dump(v), dump(*attendu));
  }
  EXPECT_TRUE(q.empty());
  EXPECT_TRUE(q.l_valuateurs.empty());
}

}  // namespace
