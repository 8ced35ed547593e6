// Editing a grafcet: appending and deleting steps and transitions, adding
// and deleting arcs and links, with the sets, the link table and the branch
// positions kept consistent and the result still a readable .gt file.
#include <gtest/gtest.h>

#include <functional>

#include "gt_tables.h"
#include "gt_texte.h"
#include "run_tool.h"

namespace {

// Steps 1 to 4 at grid (4, 2), (4, 6), (8, 6), (4, 10); transitions 1 to 4
// at (4, 4), (4, 8), (8, 8), (4, 12); no arc, no link unless given.
std::string plan(const std::string& liens = "") {
  std::string t = gt_fichier({"IS: 1 4 2", "NS: 2 4 6", "NS: 3 8 6", "NS: 4 4 10"},
                             {"1 4 4 FR: TO: : \"a\"", "2 4 8 FR: TO: : \"a\"",
                              "3 8 8 FR: TO: : \"a\"", "4 4 12 FR: TO: : \"a\""});
  if (!liens.empty())
    t.replace(t.find("Link: EndLinkTable:"), 19, "Link: " + liens + " EndLinkTable:");
  return t;
}

std::unique_ptr<tpen_fichier> lit(const std::string& texte) {
  lecture r = lit_texte(texte);
  EXPECT_EQ(r.code, 0) << r.err;
  return std::move(r.g);
}

// The links in short: C or D, then each branch as S or T and its position.
std::string liens(tpen_fichier& g) {
  std::string r;
  for (int l = 0; l < g.nbr_liens(); ++l) {
    lien_graphique const& lien = tables_gt::liens(g)[l];
    r += std::string(r.empty() ? "" : " ") + (lien.convergence == 1 ? "C[" : "D[");
    const char* sep = "";
    for (auto const& b : lien.sousliens) {
      r += sep + std::string(b.type ? "T" : "S") + std::to_string(b.ident);
      sep = " ";
    }
    r += "]";
  }
  return r;
}

std::list<long> ligne(tpen_fichier& g, int l, int k) {
  return tables_gt::liens(g)[l].liens_elem(k).line.coords;
}

template <typename T>
void place(T& e, int x, int y) {
  e.x = x;
  e.y = y;
}

bool coordonnees_positives(tpen_fichier& g) {
  for (int i = 0; i < g.nbr_etapes(); ++i)
    if (tables_gt::etapes(g)[i].x < 0 || tables_gt::etapes(g)[i].y < 0) return false;
  for (int k = 0; k < tables_gt::nbr_transitions(g); ++k)
    if (tables_gt::transitions(g)[k].x < 0 || tables_gt::transitions(g)[k].y < 0) return false;
  for (int l = 0; l < g.nbr_liens(); ++l)
    for (auto const& b : tables_gt::liens(g)[l].sousliens)
      for (long c : b.line.coords)
        if (c < 0) return false;
  return true;
}

// One edit after the other on the plan: after each, the arcs and links
// agree, and the written file reads back into the same tables (when no
// coordinate went negative: the scanner drops a minus sign).
TEST(Edit, SequenceKeepsArcsLinksAndFileConsistent) {
  auto g = lit(plan());
  struct cas {
    const char* nom;
    std::function<void(tpen_fichier&)> edit;
    const char* liens;
  } const table[] = {
      {"arc s0-t0", [](tpen_fichier& g) { g.add_etape_transition_link(0, 0); }, "C[T0 S0]"},
      {"arcs t0-s1, t0-s2",
       [](tpen_fichier& g) {
         g.add_transition_etape_link(0, 1);
         g.add_transition_etape_link(0, 2);
       },
       "C[T0 S0] D[T0 S1 S2]"},
      {"arcs s1-t1, s2-t2, t1-s3, t2-s3",
       [](tpen_fichier& g) {
         g.add_etape_transition_link(1, 1);
         g.add_etape_transition_link(2, 2);
         g.add_transition_etape_link(1, 3);
         g.add_transition_etape_link(2, 3);
       },
       "C[T0 S0] D[T0 S1 S2] C[T1 S1] C[T2 S2] D[T1 S3] D[T2 S3]"},
      {"arcs s3-t3, t3-s0 (back up)",
       [](tpen_fichier& g) {
         g.add_etape_transition_link(3, 3);
         g.add_transition_etape_link(3, 0);
       },
       "C[T0 S0] D[T0 S1 S2] C[T1 S1] C[T2 S2] D[T1 S3] D[T2 S3] C[T3 S3] D[T3 S0]"},
      {"move step 2 right and down",
       [](tpen_fichier& g) {
         place(tables_gt::etapes(g)[2], 10, 7);
         g.update_deplacements_liens();
       },
       "C[T0 S0] D[T0 S1 S2] C[T1 S1] C[T2 S2] D[T1 S3] D[T2 S3] C[T3 S3] D[T3 S0]"},
      {"move transition 3 above step 3",
       [](tpen_fichier& g) {
         place(tables_gt::transitions(g)[3], 4, 9);
         g.update_deplacements_liens();
       },
       "C[T0 S0] D[T0 S1 S2] C[T1 S1] C[T2 S2] D[T1 S3] D[T2 S3] C[T3 S3] D[T3 S0]"},
      {"arc s0-t0 again", [](tpen_fichier& g) { g.add_etape_transition_link(0, 0); },
       "C[T0 S0 S0] D[T0 S1 S2] C[T1 S1] C[T2 S2] D[T1 S3] D[T2 S3] C[T3 S3] D[T3 S0]"},
      {"delete arc t0-s2", [](tpen_fichier& g) { g.sup_transition_etape_link(0, 2); },
       "C[T0 S0 S0] D[T0 S1] C[T1 S1] C[T2 S2] D[T1 S3] D[T2 S3] C[T3 S3] D[T3 S0]"},
      {"delete link of t2-s3", [](tpen_fichier& g) { g.sup_lien(5, 0); },
       "C[T0 S0 S0] D[T0 S1] C[T1 S1] C[T2 S2] D[T1 S3] C[T3 S3] D[T3 S0]"},
      {"delete step 1", [](tpen_fichier& g) { g.sup_etape(1); },
       "C[T0 S0 S0] C[T2 S1] D[T1 S2] C[T3 S2] D[T3 S0]"},
      {"delete transition 0", [](tpen_fichier& g) { g.sup_transition(0); },
       "C[T1 S1] D[T0 S2] C[T2 S2] D[T2 S0]"},
      {"append step and transition, arcs to them",
       [](tpen_fichier& g) {
         g.add_fin_etape(tpen_etape(2, 9, 14, 3, nullptr));
         tpen_transition t(14, 6, 9);
         t.receptivite = "b";
         g.add_fin_transition(t);
         g.add_etape_transition_link(3, 3);
         g.add_transition_etape_link(3, 0);
       },
       "C[T1 S1] D[T0 S2] C[T2 S2] D[T2 S0] C[T3 S3] D[T3 S0]"},
      {"delete the last step", [](tpen_fichier& g) { g.sup_etape(3); },
       "C[T1 S1] D[T0 S2] C[T2 S2] D[T2 S0] D[T3 S0]"},
      {"move step 0 to the left edge, an arc back up to it",
       [](tpen_fichier& g) {
         place(tables_gt::etapes(g)[0], 0, 2);
         g.update_deplacements_liens();
         g.add_transition_etape_link(0, 0);
       },
       "C[T1 S1] D[T0 S2 S0] C[T2 S2] D[T2 S0] D[T3 S0]"},
  };
  int comparees = 0;
  for (auto const& c : table) {
    c.edit(*g);
    EXPECT_EQ(liens(*g), c.liens) << c.nom;
    EXPECT_EQ(incoherences(*g, true), "") << c.nom;
    std::string fichier = dossier_du_test() + "/out.gt";
    g->put_gt(fichier, "m", g->ens_ident_etapes(), g->ens_ident_transitions());
    lecture relu = lit_texte(read_file(fichier));
    ASSERT_EQ(relu.code, 0) << c.nom << ": " << relu.err;
    if (!coordonnees_positives(*g)) continue;
    EXPECT_EQ(differences(*g, *relu.g), "") << c.nom;
    ++comparees;
  }
  EXPECT_EQ(comparees, static_cast<int>(std::size(table)) - 1);
}

// The route of a new branch: straight when the element lies on its side of
// the bar, otherwise a detour one grid unit to the side that passes it.
TEST(Edit, RoutesOfNewBranches) {
  struct cas {
    const char* nom;
    std::function<void(tpen_fichier&)> edit;
    int lien, branche;
    std::list<long> ligne;
  } const table[] = {
      {"convergence stub",
       [](tpen_fichier& g) { g.add_etape_transition_link(0, 0); },
       0,
       1,
       {80, 70, 80, 80}},
      {"step above the bar",
       [](tpen_fichier& g) { g.add_etape_transition_link(0, 0); },
       0,
       2,
       {80, 70, 80, 40}},
      {"divergence stub",
       [](tpen_fichier& g) { g.add_transition_etape_link(0, 1); },
       0,
       1,
       {80, 90, 80, 80}},
      {"step below the bar",
       [](tpen_fichier& g) { g.add_transition_etape_link(0, 1); },
       0,
       2,
       {80, 90, 80, 120}},
      {"second step on the bar",
       [](tpen_fichier& g) {
         g.add_transition_etape_link(0, 1);
         g.add_transition_etape_link(0, 2);
       },
       0,
       3,
       {160, 90, 160, 120}},
      {"divergence back up, first branch",
       [](tpen_fichier& g) { g.add_transition_etape_link(3, 0); },
       0,
       2,
       {80, 250, 80, 260, 60, 260, 60, 20, 80, 20, 80, 40}},
      {"divergence back up to a step on the right",
       [](tpen_fichier& g) { g.add_transition_etape_link(1, 2); },
       0,
       2,
       {80, 170, 80, 180, 140, 180, 140, 100, 160, 100, 160, 120}},
      {"divergence back up, further branch",
       [](tpen_fichier& g) {
         g.add_transition_etape_link(3, 0);
         g.add_transition_etape_link(3, 1);
       },
       0,
       3,
       {80, 250, 80, 260, 60, 260, 60, 100, 80, 100, 80, 120}},
      {"convergence from below, first branch",
       [](tpen_fichier& g) { g.add_etape_transition_link(3, 1); },
       0,
       2,
       {80, 150, 80, 140, 60, 140, 60, 220, 80, 220, 80, 200}},
      {"convergence from below, further branch",
       [](tpen_fichier& g) {
         g.add_etape_transition_link(0, 0);
         g.add_etape_transition_link(3, 0);
       },
       0,
       3,
       {80, 70, 80, 60, 60, 60, 60, 220, 80, 220, 80, 200}},
  };
  for (auto const& c : table) {
    auto g = lit(plan());
    c.edit(*g);
    EXPECT_EQ(ligne(*g, c.lien, c.branche), c.ligne) << c.nom;
    EXPECT_EQ(incoherences(*g, true), "") << c.nom;
  }
}

TEST(Edit, DeletingArcsEmptiesAndRemovesLinks) {
  auto g = lit(plan());
  g->add_etape_transition_link(1, 1);
  g->add_etape_transition_link(2, 1);
  EXPECT_EQ(liens(*g), "C[T1 S1 S2]");
  g->sup_etape_transition_link(2, 1);
  EXPECT_EQ(liens(*g), "C[T1 S1]");
  EXPECT_EQ(g->ens_ident_pre_transition(1), std::set<int>{1});
  g->sup_etape_transition_link(1, 1);
  EXPECT_EQ(liens(*g), "");
  EXPECT_EQ(g->ens_ident_pre_transition(1), std::set<int>{});
  EXPECT_EQ(g->ens_ident_post_etape(1), std::set<int>{});

  // A pair that exists but is not connected: no set changes, a drawn link
  // stays, and a link into that transition holding its transition branch
  // alone goes.
  auto h =
      lit(plan("BeginLink: Conv: IdentT: 0 Line: 80 70 80 80 EndLine: EndLink: "
               "BeginLink: Conv: IdentT: 1 Line: 80 150 80 160 EndLine: "
               "IdentS: 1 Line: 80 150 80 120 EndLine: EndLink:"));
  h->sup_etape_transition_link(3, 0);
  EXPECT_EQ(liens(*h), "C[T1 S1]");
  EXPECT_EQ(h->ens_ident_pre_transition(0), std::set<int>{});
  EXPECT_EQ(h->ens_ident_post_etape(3), std::set<int>{});
}

TEST(Edit, DeletingAStepRenumbersEverythingAfterIt) {
  auto g = lit(plan());
  g->add_etape_transition_link(0, 0);
  g->add_transition_etape_link(0, 1);
  g->add_transition_etape_link(0, 3);
  g->add_etape_transition_link(3, 3);
  g->add_etape_transition_link(2, 3);
  g->sup_etape(1);
  EXPECT_EQ(liens(*g), "C[T0 S0] D[T0 S2] C[T3 S2 S1]");
  EXPECT_EQ(g->ens_ident_post_transition(0), std::set<int>{2});
  EXPECT_EQ(g->ens_ident_pre_transition(3), (std::set<int>{1, 2}));
  EXPECT_EQ(g->nom_etape(1), "3");
  EXPECT_EQ(incoherences(*g, true), "");

  g->sup_etape(2);
  EXPECT_EQ(g->nbr_etapes(), 2);
  EXPECT_EQ(g->ens_ident_pre_transition(3), std::set<int>{1});
  EXPECT_EQ(liens(*g), "C[T0 S0] C[T3 S1]");
  EXPECT_EQ(incoherences(*g, true), "");
}

// Branches that a file draws without the arc in the sets: deleting their
// step or transition removes them instead of leaving them to designate the
// entry that moves into its place.
TEST(Edit, DeletionRemovesBranchesWithoutArcs) {
  const char* dessins =
      "BeginLink: Div: IdentT: 0 Line: 80 90 80 80 EndLine: "
      "IdentS: 1 Line: 80 90 80 120 EndLine: IdentS: 2 Line: 160 90 160 120 EndLine: EndLink: "
      "BeginLink: Conv: IdentT: 1 Line: 80 150 80 160 EndLine: "
      "IdentS: 1 Line: 80 150 80 120 EndLine: EndLink:";
  auto g = lit(plan(dessins));
  g->sup_etape(1);
  EXPECT_EQ(liens(*g), "D[T0 S1]");
  EXPECT_EQ(incoherences(*g, false), "link 0: no arc for step 1");

  auto h = lit(plan(dessins));
  h->sup_transition(0);
  EXPECT_EQ(liens(*h), "C[T0 S1]");
}

// Branch 1 is the transition branch: its position, taken for a step's,
// would delete the arc from transition 1 to step 1.
TEST(Edit, BranchNumbersThatNameNoStepBranchDoNothing) {
  auto g = lit(plan());
  g->add_transition_etape_link(1, 1);
  g->add_transition_etape_link(1, 2);
  lien_graphique const& lien = tables_gt::liens(*g)[0];
  EXPECT_EQ(lien.liens_elem(0).ident, -1);
  EXPECT_EQ(lien.liens_elem(4).ident, -1);
  EXPECT_EQ(lien.liens_elem(3).ident, 2);
  for (int k : {-1, 1, 4, 9}) {
    std::string err = capture_cerr([&] { g->sup_lien(0, k); });
    EXPECT_EQ(err, "") << k;
    EXPECT_EQ(liens(*g), "D[T1 S1 S2]") << k;
    EXPECT_EQ(g->ens_ident_post_transition(1), (std::set<int>{1, 2})) << k;
  }
  for (int l : {-1, 1}) g->sup_lien(l, 0);
  EXPECT_EQ(liens(*g), "D[T1 S1 S2]");
  g->sup_lien(0, 2);
  EXPECT_EQ(liens(*g), "D[T1 S2]");
  EXPECT_EQ(g->ens_ident_post_transition(1), std::set<int>{2});
}

TEST(Edit, LinkQueriesByKind) {
  auto g = lit(plan());
  g->add_transition_etape_link(0, 1);
  g->add_etape_transition_link(2, 1);
  lien_graphique& div = tables_gt::liens(*g)[0];
  lien_graphique& conv = tables_gt::liens(*g)[1];
  EXPECT_EQ(div.trans_amont(), 0);
  EXPECT_EQ(div.trans_aval(), -1);
  EXPECT_EQ(div.etapes_aval(), std::set<int>{1});
  EXPECT_EQ(div.etapes_amont(), std::set<int>{});
  EXPECT_EQ(conv.trans_aval(), 1);
  EXPECT_EQ(conv.trans_amont(), -1);
  EXPECT_EQ(conv.etapes_amont(), std::set<int>{2});
  EXPECT_EQ(conv.suisje_convergence(), 1);
  EXPECT_EQ(conv.nombre_sousliens(), 2);
  EXPECT_EQ(&conv.ma_liste_liens_elem(), &conv.sousliens);
  lien_graphique_elem b = conv.liens_elem(2);
  EXPECT_EQ(b.type_of_link(), 0);
  EXPECT_EQ(b.sens_of_link(), 3);
  b.change_sens(2);
  EXPECT_EQ(b.sens_of_link(), 2);
  conv.decrement_identification(0, 1);
  EXPECT_EQ(liens(*g), "D[T0 S1] C[T1 S1]");
  conv.decrement_identification(1, 0);
  EXPECT_EQ(liens(*g), "D[T0 S1] C[T0 S1]");
}

TEST(Edit, OutOfRangeAndPlaceholders) {
  auto g = lit(plan());
  struct cas {
    const char* nom;
    std::function<void(tpen_fichier&)> edit;
    const char* err;
  } const table[] = {
      {"add arc, bad step", [](tpen_fichier& g) { g.add_etape_transition_link(4, 0); }, ""},
      {"add arc, bad transition", [](tpen_fichier& g) { g.add_transition_etape_link(-1, 0); }, ""},
      {"delete arc", [](tpen_fichier& g) { g.sup_etape_transition_link(0, 4); },
       "ERROR in tpen_fichier::sup_etape_transition_link(): OUT OF RAGE\n"},
      {"delete arc back", [](tpen_fichier& g) { g.sup_transition_etape_link(0, -1); },
       "ERROR in tpen_fichier::sup_etape_transition_link(): OUT OF RAGE\n"},
      {"delete step", [](tpen_fichier& g) { g.sup_etape(4); },
       "ERROR in tpen_fichier::sup_etape: out of range\n"},
      {"delete transition", [](tpen_fichier& g) { g.sup_transition(-1); },
       "ERROR in tpen_fichier::sup_transition: out of range\n"},
      {"add action",
       [](tpen_fichier& g) {
         tpen_action a;
         g.add_fin_action(a);
       },
       "tpen_fichier::add_fin_action(tpen_action & action) a refaire !\n"},
      {"delete action", [](tpen_fichier& g) { g.sup_action(0); },
       "tpen_fichier::sup_action(int num) a refaire !\n"},
  };
  auto temoin = lit(plan());
  for (auto const& c : table) {
    EXPECT_EQ(capture_cerr([&] { c.edit(*g); }), c.err) << c.nom;
    EXPECT_EQ(differences(*g, *temoin), "") << c.nom;
  }
}

// Appending a copy of an entry of the table itself: the copy is taken
// before the table is replaced.
TEST(Edit, AppendingAnEntryOfTheTable) {
  auto g = lit(plan());
  tpen_etape& e = g->add_fin_etape(tables_gt::etapes(*g)[0]);
  EXPECT_EQ(g->nbr_etapes(), 5);
  EXPECT_EQ(&e, &tables_gt::etapes(*g)[4]);
  EXPECT_EQ(e.nom, "1");
  tpen_transition& t = g->add_fin_transition(tables_gt::transitions(*g)[3]);
  EXPECT_EQ(tables_gt::nbr_transitions(*g), 5);
  EXPECT_EQ(t.num, 4);
  EXPECT_EQ(t.y, 12);
}

TEST(Edit, OutputsOfActionsRenumbered) {
  std::list<tpen_action> actions = {tpen_action(0, 1, "1"), tpen_action(1, 4, "a"),
                                    tpen_action(2, 1, "b")};
  tpen_etape e(2, 5, 0, 0, &actions);
  int table[] = {2, -1, 0};
  e.update_outputs_ident(table);
  EXPECT_EQ(e.actions, (std::list<tpen_action>{tpen_action(2, 1, "1"), tpen_action(0, 1, "b")}));
  int aucune[] = {-1, -1, -1};
  e.update_outputs_ident(aucune);
  EXPECT_TRUE(e.actions.empty());
}

}  // namespace
