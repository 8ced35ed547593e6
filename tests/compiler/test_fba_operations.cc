// The further operations of the automaton: reactions folded from
// situation codes and from explicit sets, also past 31 state variables;
// Moore-style actions; the records' copies, comparisons and printers, with
// records of another automaton and records without owner; the accessors.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "FBA.h"
#include "gt_texte.h"
#include "simulation.h"

namespace {

using ens = std::set<int>;

// Steps 1 and 2, input a, actions o and p. Variables: X1 0, X2 1,
// X1next 2, X2next 3, a 4.
struct automate {
  ens initial = {0};
  FBA a{"m", initial, {FSM_input(FSM_bool, "a")}, {"o", "p"}, {"1", "2"}};
  bddpp_manager& m = *a.manager;
  bdd v(const char* nom) { return m.Bdd_var_by_name(nom); }
  std::string sop(const bdd& f) { return a.my_bddtoa(f); }
};

// Every condition of the automaton, to see what an operation changed.
std::vector<bdd> conditions(const FBA& a) {
  std::vector<bdd> r;
  for (int i = 0; i < a.state_variables_number; ++i) r.insert(r.end(), {a.force0[i], a.force1[i]});
  for (int j = 0; j < a.actions_number; ++j) r.push_back(a.emissions[j]);
  return r;
}

template <typename R>
std::string texte(const R& r) {
  std::ostringstream os;
  os << r;
  return os.str();
}

TEST(OperationsFBA, EvolutionFromCodes) {
  automate d;
  bdd actions[2] = {d.m.Bdd_one(), d.m.Bdd_zero()};
  d.a.add_evolution(FBA_real_transition(&d.a, 1, 2, actions, d.v("a")));
  EXPECT_EQ(d.sop(d.a.force0[0]), "X1.!X2.a");
  EXPECT_EQ(d.sop(d.a.force1[1]), "X1.!X2.a");
  EXPECT_EQ(d.sop(d.a.force1[0]), "0");
  EXPECT_EQ(d.sop(d.a.force0[1]), "0");
  EXPECT_EQ(d.sop(d.a.emissions[0]), "X1.!X2.a");
  EXPECT_EQ(d.sop(d.a.emissions[1]), "0");
  d.a.add_evolution(FBA_real_transition(&d.a, 3, 0, actions, d.m.Bdd_not(d.v("a"))));
  EXPECT_EQ(d.sop(d.a.force0[0]), "X1.X2.!a+ X1.!X2.a");
  EXPECT_EQ(d.sop(d.a.force0[1]), "X1.X2.!a");
  // A negative source code is no situation.
  std::vector<bdd> avant = conditions(d.a);
  d.a.add_evolution(FBA_real_transition(&d.a, -1, 3, actions, d.m.Bdd_one()));
  EXPECT_EQ(conditions(d.a), avant);
}

TEST(OperationsFBA, EvolutionFromSets) {
  automate d;
  ens source = {0}, cible = {1};
  d.a.add_evolution(source, cible, {}, {}, {});
  EXPECT_EQ(d.sop(d.a.force0[0]), "X1.!X2");
  EXPECT_EQ(d.sop(d.a.force1[1]), "X1.!X2");
  EXPECT_EQ(d.a.force1[0], d.m.Bdd_zero());
  EXPECT_EQ(d.a.emissions[0], d.m.Bdd_zero());
  EXPECT_EQ(d.a.emissions[1], d.m.Bdd_zero());
  source = {1};
  cible = {0, 1};
  d.a.add_evolution(source, cible, {1}, {0}, {});
  EXPECT_EQ(d.sop(d.a.force1[0]), "!X1.X2.a");
  EXPECT_EQ(d.sop(d.a.force1[1]), "X1.!X2+ !X1.X2.a");
  EXPECT_EQ(d.sop(d.a.emissions[1]), "!X1.X2.a");
  source = cible = {};
  d.a.add_evolution(source, cible, {0}, {}, {0});
  EXPECT_EQ(d.sop(d.a.force0[1]), "!X1.!X2.!a");
  EXPECT_EQ(d.sop(d.a.emissions[0]), "!X1.!X2.!a");
}

TEST(OperationsFBA, MooreAction) {
  automate d;
  d.a.add_Moore_action(2, 0, d.v("a"));
  EXPECT_EQ(d.sop(d.a.emissions[0]), "!X1next.X2next.a");
  std::vector<bdd> avant = conditions(d.a);
  d.a.add_Moore_action(-1, 1, d.m.Bdd_one());
  EXPECT_EQ(conditions(d.a), avant);
}

// 40 steps: X1..X40 are 0..39, their next values 40..79, a is 80. The
// conditions are judged by their values, not by how they were built.
TEST(OperationsFBA, FortyStateVariables) {
  const int n = 40;
  std::list<std::string> etapes;
  for (int i = 1; i <= n; ++i) etapes.push_back(std::to_string(i));
  ens initial;
  FBA a("m", initial, {FSM_input(FSM_bool, "a")}, {"o"}, etapes);
  bddpp_manager& m = *a.manager;
  auto situation = [&](const ens& actives, bool entree) {
    vecteur v(2 * n + 1, false);
    for (int i : actives) v[i] = true;
    v[2 * n] = entree;
    return v;
  };

  ens source = {0, 35, 39}, cible = {1, 36};
  a.add_evolution(source, cible, {0}, {0}, {});
  const vecteur ici = situation(source, true);
  for (int k = 0; k < n; ++k) {
    EXPECT_EQ(valeur_bdd(m, a.force1[k], ici), cible.count(k) == 1) << k;
    EXPECT_EQ(valeur_bdd(m, a.force0[k], ici), cible.count(k) == 0) << k;
  }
  EXPECT_TRUE(valeur_bdd(m, a.emissions[0], ici));
  for (const vecteur& ailleurs : {situation({0, 35}, true), situation({0, 35, 38, 39}, true),
                                   situation(source, false)})
    EXPECT_FALSE(valeur_bdd(m, a.force1[36], ailleurs));

  // Codes: the bits past those of an int read as 0, so variables 31 to 39
  // are 0 in the source and forced to 0.
  bdd actions[1] = {m.Bdd_zero()};
  a.add_evolution(FBA_real_transition(&a, (1 << 30) | 1, (1 << 30) | 4, actions, m.Bdd_one()));
  const vecteur code = situation({0, 30}, false);
  for (int k = 0; k < n; ++k) {
    bool a1 = k == 2 || k == 30;
    EXPECT_EQ(valeur_bdd(m, a.force1[k], code), a1) << k;
    EXPECT_EQ(valeur_bdd(m, a.force0[k], code), !a1) << k;
  }
  EXPECT_FALSE(valeur_bdd(m, a.force1[30], situation({0, 30, 31}, false)));
  EXPECT_FALSE(valeur_bdd(m, a.force1[30], situation({0, 30, 39}, false)));

  a.add_Moore_action(1 << 30, 0, m.Bdd_one());
  vecteur suivant(2 * n + 1, false);
  suivant[n + 30] = true;
  EXPECT_TRUE(valeur_bdd(m, a.emissions[0], suivant));
  suivant[n + 39] = true;
  EXPECT_FALSE(valeur_bdd(m, a.emissions[0], suivant));
}

TEST(OperationsFBA, RecordsCompareAndPrint) {
  automate d, autre;
  bdd actions[2] = {d.v("a"), d.m.Bdd_zero()};
  FBA_real_transition r(&d.a, 1, 2, actions, d.v("a"));
  EXPECT_EQ(r, FBA_real_transition(&d.a, 1, 2, actions, d.v("a")));
  EXPECT_EQ(texte(r), "[ initial: 1, final:2, cond: a, cond actions : 0--> a 1--> 0 ]\n");
  FBA_transition t(&d.a, {0}, {1}, actions, d.v("a"));
  EXPECT_EQ(t, FBA_transition(&d.a, {0}, {1}, actions, d.v("a")));
  EXPECT_EQ(texte(t), "[ initial: {0}, final:{1}, cond: a, cond actions : 0--> a 1--> 0 ]\n");

  bdd une_autre[2] = {d.v("a"), d.v("a")};
  EXPECT_NE(r, FBA_real_transition(&d.a, 1, 2, une_autre, d.v("a")));
  EXPECT_NE(r, FBA_real_transition(&d.a, 1, 3, actions, d.v("a")));
  EXPECT_NE(r, FBA_real_transition(&d.a, 0, 2, actions, d.v("a")));
  EXPECT_NE(r, FBA_real_transition(&d.a, 1, 2, actions, d.m.Bdd_one()));
  EXPECT_NE(r, FBA_real_transition(&autre.a, 1, 2, actions, d.v("a")));
  EXPECT_NE(t, FBA_transition(&d.a, {0}, {1}, une_autre, d.v("a")));
  EXPECT_NE(t, FBA_transition(&d.a, {0}, {0, 1}, actions, d.v("a")));
  EXPECT_NE(t, FBA_transition(&d.a, {}, {1}, actions, d.v("a")));
  EXPECT_NE(t, FBA_transition(&autre.a, {0}, {1}, actions, d.v("a")));

  FSM_input e(FSM_pure, "e");
  EXPECT_EQ(e.my_name(), "e");
  EXPECT_EQ(e.my_type(), FSM_pure);
}

// A record assigned from one of an automaton with more actions takes an
// array of the new size; assigned back, one of the smaller size.
TEST(OperationsFBA, RecordsOfAnotherAutomaton) {
  automate d;
  ens aucun;
  FBA grand("g", aucun, {}, {"x", "y", "z"}, {"1"});
  bddpp_manager& g = *grand.manager;
  bdd trois[3] = {g.Bdd_one(), g.Bdd_zero(), g.Bdd_one()};
  bdd deux[2] = {d.v("a"), d.v("a")};
  FBA_real_transition r(&d.a, 1, 2, deux, d.v("a")), rg(&grand, 0, 1, trois, g.Bdd_one());
  r = rg;
  EXPECT_EQ(r, rg);
  EXPECT_EQ(texte(r), "[ initial: 0, final:1, cond: 1, cond actions : 0--> 1 1--> 0 2--> 1 ]\n");
  FBA_real_transition petit(&d.a, 1, 2, deux, d.v("a"));
  r = petit;
  EXPECT_EQ(r, petit);

  FBA_transition t(&d.a, {0}, {1}, deux, d.v("a")), tg(&grand, {}, {0}, trois, g.Bdd_one());
  t = tg;
  EXPECT_EQ(t, tg);
  EXPECT_EQ(texte(t), "[ initial: {}, final:{0}, cond: 1, cond actions : 0--> 1 1--> 0 2--> 1 ]\n");
}

// A record built without arguments has no owner and no action array: it
// copies, compares and prints as such, and folds into nothing.
TEST(OperationsFBA, RecordsWithoutOwner) {
  automate d;
  FBA_real_transition vide;
  FBA_real_transition copie(vide);
  EXPECT_EQ(copie.owner, nullptr);
  EXPECT_EQ(copie.cond_actions, nullptr);
  EXPECT_EQ(copie, vide);
  EXPECT_EQ(texte(vide), "[ initial: -1, final:-1, cond: , cond actions : ]\n");
  bdd actions[2] = {d.v("a"), d.v("a")};
  FBA_real_transition r(&d.a, 1, 2, actions, d.v("a"));
  EXPECT_NE(r, vide);
  r = vide;
  EXPECT_EQ(r.cond_actions, nullptr);
  EXPECT_EQ(r, vide);
  std::vector<bdd> avant = conditions(d.a);
  d.a.add_evolution(vide);
  EXPECT_EQ(conditions(d.a), avant);

  FBA_transition t0;
  FBA_transition t1(t0);
  EXPECT_EQ(t1, t0);
  EXPECT_EQ(texte(t0), "[ initial: {}, final:{}, cond: , cond actions : ]\n");
  FBA_transition t(&d.a, {0}, {1}, actions, d.v("a"));
  EXPECT_NE(t, t0);
  t = t0;
  EXPECT_EQ(t.cond_actions, nullptr);
  EXPECT_EQ(t, t0);
}

TEST(OperationsFBA, Accessors) {
  automate d;
  FBA& a = d.a;
  EXPECT_EQ(a.get_state_variables_number(), 2);
  EXPECT_EQ(a.get_variable(0), "X1");
  EXPECT_EQ(a.get_variable(1), "X2");
  EXPECT_EQ(a.get_action(1), "p");
  EXPECT_EQ(a.get_inputs_number(), 1);
  EXPECT_EQ(a.get_input(0), "a");
  EXPECT_EQ(a.get_bdd_termes_number(), 5);
  struct hors_table {
    std::function<std::string()> lecture;
    std::string ligne;
  };
  const hors_table table[] = {
      {[&] { return a.get_variable(2); }, "ERREUR d'acces dans FBA::get_variable()\n"},
      {[&] { return a.get_variable(-1); }, "ERREUR d'acces dans FBA::get_variable()\n"},
      {[&] { return a.get_action(2); }, "ERREUR d'acces dans FBA::get_action()\n"},
      {[&] { return a.get_input(1); }, "ERREUR d'acces dans FBA::get_input()\n"},
      {[&] { return a.get_input(-1); }, "ERREUR d'acces dans FBA::get_input()\n"},
  };
  for (auto const& c : table) {
    std::string r;
    EXPECT_EQ(capture_cerr([&] { r = c.lecture(); }), c.ligne);
    EXPECT_EQ(r, "?");
  }
  EXPECT_FALSE(a.variable_initialy_false(0));
  EXPECT_TRUE(a.variable_initialy_false(1));
  for (int i : {2, -1}) EXPECT_FALSE(a.variable_initialy_false(i)) << i;

  EXPECT_EQ(a.termetobdd("X2next"), d.m.Bdd_var_by_index(3));
  EXPECT_EQ(a.termetobdd("b"), d.m.Bdd_zero());
  EXPECT_EQ(a.my_bddtoa(d.m.Bdd_or(d.v("a"), d.m.Bdd_not(d.v("X1")))), "a+ !X1");
  std::unique_ptr<std::string[]> noms(a.my_table_bdd_nom_termes());
  ASSERT_TRUE(noms);
  EXPECT_EQ(std::vector<std::string>(noms.get(), noms.get() + 5),
            (std::vector<std::string>{"X1", "X2", "X1next", "X2next", "a"}));
  ens aucun;
  FBA vide("v", aucun, {}, {}, {});
  EXPECT_EQ(vide.my_table_bdd_nom_termes(), nullptr);
  EXPECT_EQ(vide.get_bdd_termes_number(), 0);
}

}  // namespace
