// The transition and event sets of one reaction, the choice of the split
// input, the loading of values into a valuation and the printers.
#include <gtest/gtest.h>

#include <sstream>

#include "encodage_test.h"
#include "tarvek_ensembles.h"

namespace {

using ens = std::set<int>;

const std::string entrees = "\"a\" : bool \"b\" : bool \"c\" : bool";

// Steps 1 to 4 at positions 0 to 3; transitions numbered in the file as
// given, at positions in the order given.
encodage_teste grafcet(const std::vector<std::string>& transitions) {
  return encode(
      gt_entrees(entrees, {"IS: 1 0 0", "NS: 2 0 4", "NS: 3 4 4", "NS: 4 8 4"}, transitions));
}

std::string transition(int num, const std::string& de, const std::string& vers,
                       const std::string& r) {
  return std::to_string(num) + " " + std::to_string(num) + " 9 FR: (" + de + ") TO: (" + vers +
         ") : \"" + r + "\"";
}

struct variables_etapes {
  tpen_BDD_fichier& e;
  int RE(int s) { return e.ident_garde_RE_etape(s); }
  int FE(int s) { return e.ident_garde_FE_etape(s); }
};

// Step 4 has no transition at all; step 1 has no upstream one.
TEST(Ensembles, EventsOfStepsWithoutTransitions) {
  encodage_teste t = grafcet({transition(1, "0", "1", "a"), transition(2, "1", "2", "b"),
                              transition(3, "2", "1", "c")});
  tpen_BDD_fichier& e = *t.e;
  variables_etapes v{e};
  EXPECT_EQ(cree_delta_Eca(e, {}, {}), (ens{v.RE(0), v.FE(3), v.RE(3)}));
  EXPECT_EQ(cree_delta_Eca(e, {v.RE(0)}, {}), (ens{v.FE(3), v.RE(3)}));
  // Transition 1 blocked: step 1 stays, step 2 is entered only by t3.
  EXPECT_EQ(cree_delta_Eca(e, {}, {0}), (ens{v.RE(0), v.FE(0), v.FE(3), v.RE(3)}));
  EXPECT_EQ(cree_delta_Eca(e, {}, {0, 2}), (ens{v.RE(0), v.FE(0), v.RE(1), v.FE(2), v.FE(3), v.RE(3)}));
  EXPECT_EQ(cree_delta_Ecp(e, {}, {0, 1}), (ens{v.FE(0), v.FE(1), v.RE(1), v.RE(2)}));
  EXPECT_EQ(cree_delta_Ecp(e, {v.FE(0), v.RE(2)}, {0, 1}), (ens{v.FE(1), v.RE(1)}));
  EXPECT_EQ(detecte_etapes_restantes_actives(e, {0, 1}, {v.RE(0), v.FE(0), v.RE(1), v.FE(2)}),
            (ens{0}));
}

// t1 from step 1 (active) to step 2; from step 2, t2 unguarded and t3
// guarded, both certainly true; t4 guarded from the active step 1.
TEST(Ensembles, GuardedTransitionsNeedTheStartSituation) {
  encodage_teste t = grafcet({transition(1, "0", "1", "a"), transition(2, "1", "2", "=1"),
                              transition(3, "1", "3", "1 :"), transition(4, "0", "3", ": 1")});
  tpen_BDD_fichier& e = *t.e;
  variables_etapes v{e};
  valuateur val(e);
  const ens depart = {0};
  EXPECT_EQ(cree_Tpf(e, depart, {}, val), (ens{3}));
  EXPECT_EQ(cree_Tpf(e, depart, {v.RE(1)}, val), (ens{1, 3}));
  EXPECT_EQ(cree_Tsf(e, depart, {0, 1}, val), (ens{1, 3}));
  EXPECT_EQ(cree_Tsf(e, depart, {1}, val), (ens{1}));
  EXPECT_EQ(cree_Tcnf(e, depart, {}, val), (ens{2}));
  // An upstream step outside the start that is certainly not entered.
  EXPECT_EQ(cree_Tcnf(e, depart, {v.RE(1)}, val), (ens{1, 2}));
  // One that is active at the start is never a reason.
  EXPECT_EQ(cree_Tcnf(e, depart, {v.RE(0), v.FE(0)}, val), (ens{2}));
  val.contraint_contexte(e.man()->Bdd_not(e.bdd_variable("a")));
  EXPECT_EQ(cree_Tcnf(e, depart, {}, val), (ens{0, 2}));
}

// t1 and t2 leave step 1, t3 leaves step 2 towards step 3, which t4 leaves.
TEST(Ensembles, FiringNeedsDecidedCompetitorsAndDownstreamSteps) {
  encodage_teste t = grafcet({transition(1, "0", "1", "a"), transition(2, "0", "3", "b"),
                              transition(3, "1", "2", "c :"), transition(4, "2", "3", "a")});
  tpen_BDD_fichier& e = *t.e;
  variables_etapes v{e};
  EXPECT_EQ(cree_Tprimk(e, {0}, {1}), (ens{0}));
  EXPECT_EQ(cree_Tprimk(e, {0}, {}), (ens{}));
  EXPECT_EQ(cree_Tprimk(e, {0, 1}, {}), (ens{0, 1}));
  EXPECT_EQ(cree_Tprimk(e, {0, 2, 3}, {1}), (ens{0, 2, 3}));
  // t1 waits until it is known whether step 2 is left in the reaction.
  EXPECT_EQ(cree_Tk(e, {0}, {}, {1}, {}, {}), (ens{}));
  EXPECT_EQ(cree_Tk(e, {0}, {}, {1}, {v.FE(1)}, {}), (ens{0}));
  EXPECT_EQ(cree_Tk(e, {0}, {}, {1}, {}, {v.FE(1)}), (ens{0}));
  // A guarded transition fires once per reaction.
  const ens connus = {v.FE(1), v.FE(2), v.FE(3)};
  EXPECT_EQ(cree_Tk(e, {2, 3}, {}, {}, connus, {}), (ens{2, 3}));
  EXPECT_EQ(cree_Tk(e, {2, 3}, {2, 3}, {}, connus, {}), (ens{3}));
}

// The input to split on: the last open enabled transition, cut to the
// positive literal of its top input unless it is a literal; otherwise the
// last open undecided one; otherwise nothing.
TEST(Ensembles, SplitInput) {
  encodage_teste t = grafcet({transition(1, "0", "1", "a"), transition(2, "0", "2", "not c"),
                              transition(3, "1", "3", "b and c"), transition(4, "2", "3", "=1")});
  tpen_BDD_fichier& e = *t.e;
  variables_etapes v{e};
  bddpp_manager& m = *e.man();
  valuateur val(e);
  const ens depart = {0};
  EXPECT_EQ(help_Tpf(e, depart, {}, {}, {}, {}, val), m.Bdd_not(e.bdd_variable("c")));
  EXPECT_EQ(help_Tpf(e, depart, {v.RE(1)}, {}, {}, {}, val), e.bdd_variable("b"));
  val.contraint_contexte(m.Bdd_and(e.bdd_variable("a"), e.bdd_variable("c")));
  // Both enabled transitions are decided: the undecided t3 is asked.
  EXPECT_EQ(help_Tpf(e, depart, {}, {}, {}, {}, val), e.bdd_variable("b"));
  EXPECT_EQ(help_Tpf(e, depart, {}, {}, {2}, {}, val), m.Bdd_zero());
  EXPECT_EQ(help_Tpf(e, depart, {}, {}, {}, {2}, val), m.Bdd_zero());
}

TEST(Ensembles, ValuesLoadedIntoAValuation) {
  encodage_teste t = grafcet({transition(1, "0", "1", "X1 and not X2"),
                              transition(2, "1", "2", "RE3 or FE4"), transition(3, "2", "3", "FE4")});
  tpen_BDD_fichier& e = *t.e;
  variables_etapes v{e};
  valuateur val(e);
  pec_etapes_initiales(val, e, {0});
  EXPECT_EQ(val.cond(0), 0);
  pec_cond_faux(val, {v.RE(2)});
  EXPECT_EQ(val.cond(1), 2);
  pec_ev_present(val, {v.FE(3)});
  EXPECT_EQ(val.cond(1), 0);
  EXPECT_EQ(val.cond(2), 0);
  valuateur autre(e);
  pec_cond_vrai(autre, {e.ident_cond_X_etape(1)});
  pec_ev_absent(autre, {v.RE(2), v.FE(3)});
  EXPECT_EQ(autre.cond(0), 1);
  EXPECT_EQ(autre.cond(1), 1);
}

TEST(Ensembles, Printers) {
  encodage_teste t = grafcet({transition(3, "0", "1", "a"), transition(7, "1", "0", "b")});
  tpen_BDD_fichier& e = *t.e;
  variables_etapes v{e};
  std::ostringstream os;
  affiche_ens_nom_etapes(os, e, {0, 3}) << "|";
  affiche_ens_nom_event(os, e, {v.RE(0), v.FE(1)}) << "|";
  affiche_ens_nom_cond(os, e, {e.ident_cond_X_etape(2)}) << "|";
  affiche_ens_num_grafcet_trans(os, e, {0, 1}) << "|";
  affiche_ens_num_grafcet_trans(os, e, {});
  EXPECT_EQ(os.str(), " soit {X1,X4}| soit {RE1,FE2}| soit {X3}| soit {t3,t7}| soit {}");
  ens deux = {1, 0}, aucune;
  EXPECT_EQ(chaine_ens_num_grafcet_trans(e, deux), "{t3,t7}");
  EXPECT_EQ(chaine_ens_num_grafcet_trans(e, aucune), "{}");
}

}  // namespace
