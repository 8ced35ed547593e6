// The reaction under fully known inputs, the two set variants, and the
// translations of an input valuation: small grafcets with results worked
// out by hand.
#include <gtest/gtest.h>

#include <sstream>

#include "compil_modes.h"
#include "encodage_test.h"
#include "tarvek_ensembles.h"
#include "tarvek_explicite.h"

namespace {

using ens = std::set<int>;

struct resultat_pfi {
  int code;
  ens finale, impulsions, bad;
  std::string log;
};

resultat_pfi pfi(tpen_BDD_fichier& e, ens depart, ens vraies, ens Ecp0 = {}, bool explain = false) {
  resultat_pfi r;
  std::ostringstream log;
  r.code = PFI(e, depart, Ecp0, vraies, &r.finale, &r.impulsions, &r.bad, explain, log);
  r.log = log.str();
  return r;
}

// Variables: a 0, a_pre_ 1, then RE, FE, X, RTL of each step from 2.
const std::string entree_a = "\"a\" : bool";

// With nothing to fire, the steps without transitions are known neither
// left nor entered at the first iteration; the second learns nothing.
TEST(PointFixeExplicite, NothingFires) {
  encodage_teste t = encode(gt_entrees(entree_a, {"IS: 1 0 0 Action: 1 \"P\" : \"1\" EndAction:"}, {}));
  resultat_pfi r = pfi(*t.e, {0}, {}, {}, true);
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.finale, (ens{0}));
  EXPECT_EQ(r.impulsions, (ens{}));
  const std::string iteration_2 =
      "conclusion: {0} soit {X1}\n\niteration 2\n{} soit {}\n{} soit {}\n"
      "Ecp= {}\n soit {}\n{2,3}\n soit {RE1,FE1}\n{} soit {}\n{} soit {}\n";
  EXPECT_EQ(r.log,
            "pre-iteration \n{0}\n soit {X1}\n{}\n soit {}\n{}\n soit {}\n{}\n"
            "{} soit {}\n{} soit {}\n{} soit {}\n"
            "conclusion: {0} soit {X1}\n\niteration 1\n{} soit {}\n{} soit {}\n"
            "Ecp= {}\n soit {}\n{2,3}\n soit {RE1,FE1}\n{} soit {}\n{} soit {}\n" +
                iteration_2);
}

// Step 2 (RE2 6, FE2 7) holds an impulse action on e and a continuous one
// on o. A guarded transition fires once: at iteration 1 its firing becomes
// certain, it fires at the end of it, and at iteration 2 nothing is left.
TEST(PointFixeExplicite, GuardedTransitionFiresOnce) {
  encodage_teste t = encode(gt_entrees(
      entree_a, {"IS: 1 0 0", "NS: 2 0 4 Action: 1 \"P\" : \"not a\" 0 \"N\" : \"1\" EndAction:"},
      {"1 0 2 FR: (0) TO: (1) : \": a\""}));
  resultat_pfi r = pfi(*t.e, {0}, {0}, {}, true);
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.finale, (ens{1}));
  // Collected whatever its condition, which nothing evaluates here.
  EXPECT_EQ(r.impulsions, (ens{1}));
  EXPECT_NE(r.log.find("iteration 1\n{} soit {}\n{} soit {}\nEcp= {3,6}\n soit {FE1,RE2}\n"
                       "{2,7}\n soit {RE1,FE2}\n{0} soit {t1}\n{0} soit {t1}\n"
                       "conclusion: {1} soit {X2}\n\niteration 2\n{0} soit {t1}\n"),
            std::string::npos);
  EXPECT_EQ(r.log.find("iteration 3"), std::string::npos);
  EXPECT_EQ(r.log.find("ACT IMP"), std::string::npos);

  // a false: the transition is certainly not fireable, nothing moves.
  r = pfi(*t.e, {0}, {});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.finale, (ens{0}));
  EXPECT_EQ(r.impulsions, (ens{}));

  // The emitted impulses go to the log under explain_mode only.
  explain_mode = 1;
  r = pfi(*t.e, {0}, {0});
  explain_mode = 0;
  EXPECT_EQ(r.log, "ACT IMP: {1}\n");
}

// The candidates are the transitions whose firing is certain: an
// unguarded one stays certain once fired and fires again at iteration 2.
TEST(PointFixeExplicite, UnguardedFiringIsFoundAgain) {
  encodage_teste t = encode(gt_entrees(entree_a, {"IS: 1 0 0", "NS: 2 0 4"},
                                       {"1 0 2 FR: (0) TO: (1) : \"a\""}));
  resultat_pfi r = pfi(*t.e, {0}, {0}, {}, true);
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.bad, (ens{0}));
  EXPECT_NE(r.log.find("iteration 2\n{0} soit {t1}\n"), std::string::npos);
  EXPECT_EQ(r.log.find("iteration 3"), std::string::npos);
  r = pfi(*t.e, {0}, {});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.finale, (ens{0}));
}

// An inactive loop beside the active step: nothing decides its two
// transitions.
TEST(PointFixeExplicite, UndecidedTransitions) {
  encodage_teste t = encode(gt_entrees(entree_a, {"IS: 3 0 8", "NS: 1 0 0", "NS: 2 0 4"},
                                       {"1 0 2 FR: (1) TO: (2) : \"1\"", "2 0 6 FR: (2) TO: (1) : \"1\""}));
  resultat_pfi r = pfi(*t.e, {0}, {}, {}, true);
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.bad, (ens{0, 1}));
  const std::string fin = "NON PARTITION sur les ensembles Tcnf et Tcf\n{} soit {}\n{} soit {}\n";
  ASSERT_GE(r.log.size(), fin.size());
  EXPECT_EQ(r.log.substr(r.log.size() - fin.size()), fin);
  r = pfi(*t.e, {0}, {});
  EXPECT_EQ(r.log, "");
}

// Inputs a (0), b (2) boolean and e (4) event; t1 guarded on e and not b.
// Every input outside the true ones is false: the reaction never splits.
TEST(PointFixeExplicite, EveryInputIsKnown) {
  encodage_teste t = encode(gt_entrees("\"a\" : bool \"b\" : bool \"e\" : event",
                                       {"IS: 1 0 0", "NS: 2 0 4 Action: 1 \"P\" : \"1\" EndAction:"},
                                       {"1 0 2 FR: (0) TO: (1) : \"e and not b :\""}));
  struct cas {
    ens vraies;
    ens finale;
  };
  const cas table[] = {{{}, {0}}, {{4}, {1}}, {{2, 4}, {0}}, {{0, 4}, {1}}, {{0, 2}, {0}}};
  for (auto const& c : table) {
    resultat_pfi r = pfi(*t.e, {0}, c.vraies);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.finale, c.finale) << ::testing::PrintToString(c.vraies);
  }
  // A step-edge event given as present: step 1 counts as activated.
  tpen_BDD_fichier& e = *t.e;
  resultat_pfi r = pfi(e, {1}, {}, {e.ident_garde_RE_etape(1)});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.finale, (ens{1}));
  EXPECT_EQ(r.impulsions, (ens{1}));
}

// Steps 1 to 4 at positions 0 to 3, the start {0, 3}; RE of step 2 known
// absent (A), steps 1 and 3 known left (B), t5 fired (T). A transition not
// fired is certainly not fireable once every upstream step is left.
TEST(EnsemblesExplicites, CertainlyNotFireable) {
  encodage_teste t = encode(gt_entrees(
      entree_a, {"IS: 1 0 0", "NS: 2 0 4", "NS: 3 4 4", "IS: 4 8 4"},
      {"1 1 9 FR: (0) TO: (1) : \"a and not a\"", "2 2 9 FR: (1) TO: (2) : \"a :\"",
       "3 3 9 FR: (0) TO: (2) : \"a :\"", "4 4 9 FR: (1) TO: (3) : \"a\"",
       "5 5 9 FR: (0) TO: (1) : \"a\"", "6 6 9 FR: (0,2) TO: (1) : \"a\"",
       "7 7 9 FR: (3) TO: (1) : \"a\"", "8 8 9 FR: (3,0) TO: (1) : \"a\"",
       "9 9 9 FR: (9) TO: (1) : \"a\"", "10 10 9 FR: (1,2) TO: (3) : \"a\""}));
  tpen_BDD_fichier& e = *t.e;
  valuateur v(e);
  ens depart = {0, 3}, A = {e.ident_garde_RE_etape(1)}, T = {4},
      B = {e.ident_garde_FE_etape(0), e.ident_garde_FE_etape(2)};
  // t1 false; t2 guarded from a step outside the start; t4 and t10 from
  // a step never entered; t6 leaves steps that are all left. t3 is guarded
  // from the start, t5 fired; t7, t8 (step 4 not left) and the source t9
  // stay open.
  EXPECT_EQ(cree_Tcnf_MPI(e, depart, A, B, T, v), (ens{0, 1, 3, 5, 9}));
  ens aucun;
  EXPECT_EQ(cree_Tcnf_MPI(e, depart, aucun, aucun, aucun, v), (ens{0, 1}));
  // Without A and T: t5 is no longer exempt; t4, t8 and t10 stay open, one
  // upstream step not left being enough, first or last among them.
  EXPECT_EQ(cree_Tcnf_MPI(e, depart, aucun, B, aucun, v), (ens{0, 1, 4, 5}));
  // T exempts from the FE test only: a step never entered still decides.
  ens T3 = {3};
  EXPECT_EQ(cree_Tcnf_MPI(e, depart, A, aucun, T3, v), (ens{0, 1, 3, 9}));

  ens candidats = {0, 2, 4, 5}, gardees = {1, 2, 4};
  EXPECT_EQ(cree_Tk_MPI(e, candidats, gardees), (ens{0, 4, 5}));
  ens libres = {3, 4, 5};
  EXPECT_EQ(cree_Tk_MPI(e, candidats, libres), candidats);
}

// Variables: a 0, a_pre_ 1, e 2, b 3, b_pre_ 4, f 5.
TEST(EnsemblesExplicites, InputValuations) {
  encodage_teste t = encode(gt_entrees("\"a\" : bool \"e\" : event \"b\" : bool \"f\" : event",
                                       {"IS: 1 0 0"}, {}));
  tpen_BDD_fichier& e = *t.e;
  bddpp_manager& m = *e.man();
  auto v = [&](const char* nom) { return e.bdd_variable(std::string(nom)); };
  ens Kc = {0}, Ke = {2}, Kt, Kp = {2};
  EXPECT_EQ(inputversbdd(e, Kc, Ke, Kt, Kp), m.Bdd_and(v("e"), m.Bdd_not(v("a"))));
  Kc = {0, 3};
  Ke = {2, 5};
  Kt = {0};
  Kp = {5};
  EXPECT_TRUE(meme_fonction(e, inputversbdd(e, Kc, Ke, Kt, Kp), [](const valeur_de& x) {
    return !x("e") && x("f") && x("a") && !x("b");
  }));
  ens vide;
  EXPECT_EQ(inputversbdd(e, vide, vide, Kt, Kp), m.Bdd_one());

  ens initial = {0};
  std::vector<int> varmap(e.nombre_variables()), outmap(e.nbr_outputs());
  std::unique_ptr<FBA> a(normalise_FBA(e, initial, varmap.data(), outmap.data()));
  ens r;
  std::string err = capture_cerr([&] { r = correspondance_FBA_input(varmap.data(), {-1, 0, 1, 2, 5, 6}); });
  // The boolean inputs a and b first, then the events e and f.
  EXPECT_EQ(r, (ens{0, 2, 3}));
  EXPECT_EQ(err,
            "In correspondance_FBA_input(): ident cond non associe a -1\n"
            "In correspondance_FBA_input(): ident cond non associe a 1\n"
            "In correspondance_FBA_input(): ident cond non associe a 6\n");
}

}  // namespace
