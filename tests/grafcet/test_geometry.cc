// The polylines of link branches: accessors, anchored moves, re-routing when
// an element or a bar moves, segment moves, and the whole grafcet following
// its steps and transitions.
#include <gtest/gtest.h>

#include <functional>

#include "gt_tables.h"
#include "gt_texte.h"

namespace {

using coords = std::list<long>;

tpe_graphique ligne(coords c) { return tpe_graphique(&c); }

lien_graphique_elem branche(int type, int sens, int ident, coords c) {
  tpe_graphique l = ligne(c);
  return lien_graphique_elem(type, sens, ident, &l);
}

TEST(Geometry, Accessors) {
  struct cas {
    coords c;
    long fx, fy, lx, ly;
  } const table[] = {
      {{}, 0, 0, 0, 0},
      {{7}, 7, 0, 0, 7},
      {{1, 2, 3, 4, 5, 6}, 1, 2, 5, 6},
  };
  for (auto const& c : table) {
    tpe_graphique g = ligne(c.c);
    EXPECT_EQ(g.first_x(), c.fx);
    EXPECT_EQ(g.first_y(), c.fy);
    EXPECT_EQ(g.last_x(), c.lx);
    EXPECT_EQ(g.last_y(), c.ly);
    EXPECT_EQ(g.nb_coords(), static_cast<int>(c.c.size()));
    EXPECT_EQ(&g.my_coords(), &g.coords);
  }
  lien_graphique_elem b = branche(0, 2, 0, {1, 2, 3, 4});
  EXPECT_EQ(b.line_nb_coords(), 4);
  EXPECT_EQ(b.first_x() + b.first_y() * 10 + b.last_x() * 100 + b.last_y() * 1000, 4321);
  b.change_line(ligne({9, 9}));
  EXPECT_EQ(b.my_line().coords, (coords{9, 9}));
}

// Moves of one end that keep the next segment vertical and the nearest
// corner clear of the end.
TEST(Geometry, AnchoredMoves) {
  struct cas {
    const char* nom;
    coords avant;
    std::function<void(tpe_graphique&)> move;
    coords apres;
  } const table[] = {
      {"first x",
       {10, 20, 10, 40},
       [](tpe_graphique& g) { g.update_first_x_and_co(5); },
       {5, 20, 5, 40}},
      {"first x, one value", {10}, [](tpe_graphique& g) { g.update_first_x_and_co(5); }, {5}},
      {"first x, empty", {}, [](tpe_graphique& g) { g.update_first_x_and_co(5); }, {}},
      {"last x",
       {10, 20, 10, 40},
       [](tpe_graphique& g) { g.update_last_x_and_co(5); },
       {5, 20, 5, 40}},
      {"last x of a route",
       {10, 20, 10, 40, 30, 40, 30, 60},
       [](tpe_graphique& g) { g.update_last_x_and_co(5); },
       {10, 20, 10, 40, 5, 40, 5, 60}},
      {"last x, one point", {10, 20}, [](tpe_graphique& g) { g.update_last_x_and_co(5); }, {5, 20}},
      {"first y, two points",
       {0, 0, 0, 104},
       [](tpe_graphique& g) { g.update_first_y_and_co(100, 3); },
       {0, 100, 0, 104}},
      {"first y from, corner too near",
       {0, 0, 0, 95, 20, 95},
       [](tpe_graphique& g) { g.update_first_y_and_co(100, 3); },
       {0, 100, 0, 90, 20, 90}},
      {"first y from, corner clear",
       {0, 0, 0, 90, 20, 90},
       [](tpe_graphique& g) { g.update_first_y_and_co(100, 3); },
       {0, 100, 0, 90, 20, 90}},
      {"first y to, five values",
       {0, 0, 0, 109, 20},
       [](tpe_graphique& g) { g.update_first_y_and_co(100, 2); },
       {0, 100, 0, 110, 20}},
      {"first y to, corner clear",
       {0, 0, 0, 110, 20, 110},
       [](tpe_graphique& g) { g.update_first_y_and_co(100, 2); },
       {0, 100, 0, 110, 20, 110}},
      {"last y to, corner too near",
       {0, 0, 0, 10, 20, 81, 20, 100},
       [](tpe_graphique& g) { g.update_last_y_and_co(100, 2); },
       {0, 0, 0, 80, 20, 80, 20, 100}},
      {"last y to, corner clear",
       {0, 0, 0, 10, 20, 80, 20, 90},
       [](tpe_graphique& g) { g.update_last_y_and_co(100, 2); },
       {0, 0, 0, 10, 20, 80, 20, 100}},
      {"last y from, corner too near",
       {0, 200, 0, 190, 20, 119, 20, 150},
       [](tpe_graphique& g) { g.update_last_y_and_co(100, 3); },
       {0, 200, 0, 120, 20, 120, 20, 100}},
      {"last y, one value", {7}, [](tpe_graphique& g) { g.update_last_y_and_co(3, 2); }, {3}},
  };
  for (auto const& c : table) {
    tpe_graphique g = ligne(c.avant);
    c.move(g);
    EXPECT_EQ(g.coords, c.apres) << c.nom;
  }
}

// The element end of a branch moves vertically: it follows along the same
// side of the bar, or a detour takes it round when it crosses the bar.
TEST(Geometry, ElementEndCrossingTheBar) {
  struct cas {
    const char* nom;
    int sens, c;
    coords avant;
    long v;
    coords apres;
  } const table[] = {
      {"to, above the bar, long link",
       2,
       0,
       {0, 100, 0, 200},
       50,
       {0, 100, 0, 110, -20, 110, -20, 30, 0, 30, 0, 50}},
      {"to, back below the bar",
       2,
       0,
       {0, 100, 0, 110, -20, 110, -20, 30, 0, 30, 0, 50},
       200,
       {0, 100, 0, 200}},
      {"to, above the bar, short link",
       2,
       1,
       {0, 100, 0, 200},
       50,
       {-20, 100, -20, 30, 0, 30, 0, 50}},
      {"to, onto the bar", 2, 1, {0, 100, 0, 200}, 100, {0, 100, 0, 100}},
      {"to, further below", 2, 1, {0, 100, 0, 200}, 300, {0, 100, 0, 300}},
      {"to, routed, further above",
       2,
       0,
       {0, 100, 0, 110, -20, 110, -20, 30, 0, 30, 0, 50},
       40,
       {0, 100, 0, 110, -20, 110, -20, 20, 0, 20, 0, 40}},
      {"from, onto the bar, short link",
       3,
       1,
       {0, 100, 0, 40},
       100,
       {-20, 100, -20, 120, 0, 120, 0, 100}},
      {"from, below the bar, long link",
       3,
       0,
       {0, 100, 0, 40},
       150,
       {0, 100, 0, 80, -20, 80, -20, 170, 0, 170, 0, 150}},
      {"from, further above", 3, 0, {0, 100, 0, 40}, 20, {0, 100, 0, 20}},
      {"from, routed, back above",
       3,
       0,
       {0, 100, 0, 80, -20, 80, -20, 170, 0, 170, 0, 150},
       40,
       {0, 100, 0, 40}},
      {"from, routed, further below",
       3,
       0,
       {0, 100, 0, 80, -20, 80, -20, 170, 0, 170, 0, 150},
       200,
       {0, 100, 0, 80, -20, 80, -20, 220, 0, 220, 0, 200}},
  };
  for (auto const& c : table) {
    lien_graphique_elem b = branche(0, c.sens, 0, c.avant);
    b.update_last_y(c.v, c.c);
    EXPECT_EQ(b.line.coords, c.apres) << c.nom;
  }
  lien_graphique_elem b = branche(0, 0, 0, {0, 100, 0, 200});
  EXPECT_EQ(capture_cerr([&] { b.update_last_y(50, 1); }), "PROBLEME SUR LIEN\n");
  EXPECT_EQ(b.line.coords, (coords{0, 100, 0, 200}));
}

TEST(Geometry, SegmentMoves) {
  const std::string tete = "in tpe_graphique::update_segment(int seg, long x,long y)\n   error: ";
  coords route = {0, 100, 0, 110, -20, 110, -20, 30, 0, 30, 0, 50};
  struct cas {
    const char* nom;
    coords avant;
    int seg;
    long x, y, ye;
    int type, sens;
    int resultat;
    coords apres;
    std::string err;
  } const table[] = {
      {"one point", {0, 100}, 1, 5, 5, 0, 0, 2, 0, {0, 100}, tete + "less than 2 points !\n"},
      {"beyond the last",
       {0, 100, 0, 200},
       2,
       5,
       5,
       0,
       0,
       2,
       0,
       {0, 100, 0, 200},
       tete + "not enough points !\n"},
      {"segment 0",
       {0, 100, 0, 200},
       0,
       5,
       5,
       0,
       0,
       2,
       0,
       {0, 100, 0, 200},
       tete + "not enough points !\n"},
      {"segment -1",
       {0, 100, 0, 200},
       -1,
       5,
       5,
       0,
       0,
       2,
       0,
       {0, 100, 0, 200},
       tete + "not enough points !\n"},
      {"vertical to its own x", route, 3, -20, 0, 50, 0, 2, 0, route, ""},
      {"vertical moved",
       route,
       3,
       -40,
       0,
       50,
       0,
       2,
       1,
       {0, 100, 0, 110, -40, 110, -40, 30, 0, 30, 0, 50},
       ""},
      {"horizontal to its own y", route, 2, 0, 110, 50, 0, 2, 0, route, ""},
      {"horizontal, to a step, too near", route, 4, 0, 36, 50, 0, 2, 1, route, ""},
      {"horizontal, to a step",
       route,
       4,
       0,
       35,
       50,
       0,
       2,
       1,
       {0, 100, 0, 110, -20, 110, -20, 35, 0, 35, 0, 50},
       ""},
      {"horizontal, to a transition, too near", route, 4, 0, 46, 50, 1, 2, 1, route, ""},
      {"horizontal, to a transition",
       route,
       4,
       0,
       45,
       50,
       1,
       2,
       1,
       {0, 100, 0, 110, -20, 110, -20, 45, 0, 45, 0, 50},
       ""},
      {"horizontal, from a step, too near",
       {0, 0, 20, 0, 20, 100},
       1,
       0,
       114,
       100,
       0,
       3,
       1,
       {0, 0, 20, 0, 20, 100},
       ""},
      {"horizontal, from a step",
       {0, 0, 20, 0, 20, 100},
       1,
       0,
       115,
       100,
       0,
       3,
       1,
       {0, 115, 20, 115, 20, 100},
       ""},
      {"horizontal, from a transition",
       {0, 0, 20, 0, 20, 100},
       1,
       0,
       105,
       100,
       1,
       3,
       1,
       {0, 105, 20, 105, 20, 100},
       ""},
      {"horizontal, no direction", route, 2, 0, 0, 50, 0, 0, 1, route, ""},
      {"oblique", {0, 0, 10, 10}, 1, 5, 5, 0, 0, 2, 1, {0, 0, 10, 10}, ""},
  };
  for (auto const& c : table) {
    tpe_graphique g = ligne(c.avant);
    int r = -1;
    std::string err =
        capture_cerr([&] { r = g.update_segment(c.seg, c.x, c.y, c.ye, c.type, c.sens); });
    EXPECT_EQ(r, c.resultat) << c.nom;
    EXPECT_EQ(g.coords, c.apres) << c.nom;
    EXPECT_EQ(err, c.err) << c.nom;
  }
  // Through a branch and a link: the element end is the last y.
  lien_graphique_elem b = branche(0, 2, 0, route);
  EXPECT_EQ(b.update_deplacements(4, 0L, 36L), 1);
  EXPECT_EQ(b.line.coords, route);
  std::list<lien_graphique_elem> l = {branche(1, 3, 0, {0, 90, 0, 80}), b};
  lien_graphique lien(0, &l);
  lien.update_deplacements_souslien(3, 4, 0, 35);
  lien.update_deplacements_souslien(0, 4, 0, 35);
  EXPECT_EQ(lien.liens_elem(2).line.coords, route);
  lien.update_deplacements_souslien(2, 4, 0, 35);
  EXPECT_EQ(lien.liens_elem(2).line.coords,
            (coords{0, 100, 0, 110, -20, 110, -20, 35, 0, 35, 0, 50}));
}

// Steps at grid (4, 2) and (4, 10), the transition between them at (4, 6),
// with a convergence into it and a divergence out of it.
std::string chaine() {
  return "Name: m Input: EndInput: Output: EndOutput: Step: IS: 1 4 2 NS: 2 4 10 EndStep: "
         "Transition: 1 4 6 FR: (0) TO: (1) : \"a\" EndTransition: Link: "
         "BeginLink: Conv: IdentT: 0 Line: 80 110 80 120 EndLine: "
         "IdentS: 0 Line: 80 110 80 40 EndLine: EndLink: "
         "BeginLink: Div: IdentT: 0 Line: 80 130 80 120 EndLine: "
         "IdentS: 1 Line: 80 130 80 200 EndLine: EndLink: "
         "EndLinkTable: Assertion: EndAssertion:";
}

TEST(Geometry, BranchesFollowTheirElements) {
  lecture r = lit_texte(chaine());
  ASSERT_EQ(r.code, 0);
  tpen_fichier& g = *r.g;
  tpen_etape* etapes = tables_gt::etapes(g);
  tpen_transition* transitions = tables_gt::transitions(g);
  lien_graphique& div = tables_gt::liens(g)[1];
  EXPECT_EQ(div.update_deplacements(etapes, 2, transitions, 1), 0);
  etapes[1].x = 6;
  EXPECT_EQ(div.update_deplacements(etapes, 2, transitions, 1), 1);
  EXPECT_EQ(div.liens_elem(2).line.coords, (coords{120, 130, 120, 200}));
  EXPECT_EQ(div.liens_elem(1).line.coords, (coords{80, 130, 80, 120}));

  lien_graphique_elem perdue = branche(0, 2, 2, {0, 0, 0, 10});
  int res = -1;
  EXPECT_EQ(capture_cerr([&] { res = perdue.update_deplacements(etapes, 2, transitions, 1, 1); }),
            "internal erreur 1 in lien_graphique_elem::update_deplacements()\n");
  EXPECT_EQ(res, 0);
  EXPECT_EQ(perdue.line.coords, (coords{0, 0, 0, 10}));

  // The whole grafcet: the bars of a straight chain go half way between the
  // step and the transition, and every end follows its element.
  etapes[0].y = 0;
  g.update_deplacements_liens();
  lien_graphique& conv = tables_gt::liens(g)[0];
  EXPECT_EQ(conv.liens_elem(1).line.coords, (coords{80, 60, 80, 120}));
  EXPECT_EQ(conv.liens_elem(2).line.coords, (coords{80, 60, 80, 0}));
  EXPECT_EQ(div.liens_elem(1).line.coords, (coords{80, 130, 80, 120}));
  EXPECT_EQ(div.liens_elem(2).line.coords, (coords{120, 130, 120, 200}));
  EXPECT_EQ(incoherences(g, true), "");
}

TEST(Geometry, BarMoves) {
  std::list<lien_graphique_elem> l = {branche(1, 3, 0, {80, 130, 80, 120}),
                                      branche(0, 2, 1, {80, 130, 80, 200})};
  lien_graphique lien(0, &l);
  lien_graphique_elem b = lien.liens_elem(2);
  EXPECT_EQ(b.update_deplacements(0L, 130L, 1), 0);
  EXPECT_EQ(b.update_deplacements(0L, 150L, 1), 1);
  EXPECT_EQ(b.line.coords, (coords{80, 150, 80, 200}));
  // The bar passes the step: the branch takes the detour.
  EXPECT_EQ(b.update_deplacements(0L, 250L, 1), 1);
  EXPECT_EQ(b.line.coords, (coords{60, 250, 60, 180, 80, 180, 80, 200}));

  lien.update_deplacements(0L, 250L);
  EXPECT_EQ(lien.liens_elem(1).line.coords, (coords{80, 250, 80, 120}));
  EXPECT_EQ(lien.liens_elem(2).line.coords, (coords{60, 250, 60, 180, 80, 180, 80, 200}));
  lien.update_mon_y(100);
  EXPECT_EQ(lien.liens_elem(1).line.coords, (coords{80, 100, 80, 120}));
  EXPECT_EQ(lien.liens_elem(2).line.coords, (coords{60, 100, 60, 180, 80, 180, 80, 200}));
  lien_graphique avant = lien;
  lien.lissage_simple_trait();
  EXPECT_TRUE(lien == avant);
}

}  // namespace
