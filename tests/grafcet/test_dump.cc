// The text dump of a grafcet, the stream forms of its records and the
// geometry of a graphic link.
#include <gtest/gtest.h>

#include <sstream>

#include "gt_texte.h"
#include "run_tool.h"

namespace {

TEST(Dump, GoldenDumpOfTheDemo) {
  lecture r = lit_texte(read_file(std::string(TARVEK_TEST_DATA) + "/grafcet/data/demo.gt"));
  ASSERT_EQ(r.code, 0);
  std::ostringstream os;
  r.g->put(os);
  EXPECT_EQ(os.str(), read_file(std::string(TARVEK_TEST_DATA) + "/grafcet/data/demo.dump"));
}

TEST(Dump, EmptyGrafcetKeepsItsTitles) {
  tpen_fichier g;
  std::ostringstream os;
  g.put(os);
  EXPECT_NE(
      os.str().find("  NB INPUTS : 0\n\n  TABLE DES INPUTS\n  n  variables : type\n\n  NB OUTPUTS"),
      std::string::npos);
  EXPECT_NE(os.str().find("\n\n\nLIENS GRAPHIQUES 0\n"), std::string::npos);
}

TEST(Dump, StepRowWithActions) {
  lecture r = lit_texte(
      gt_fichier({"IS: 1 0 0 Action: 0 \"N\" : \"1\" 1 \"P\" : \"a\" EndAction:", "NS: 2 4 0"},
                 {"1 0 2 FR: (0,1) TO: : \"x\""}));
  std::ostringstream os;
  r.g->put(os);
  EXPECT_NE(
      os.str().find("\n  0 IS 1 (0 1 1, 1 4 a)  PRE={}  POST={0}\n  1 NS 2 ()  PRE={}  POST={0}\n"),
      std::string::npos);
  EXPECT_NE(os.str().find("\n  0 1 \"x\"   PRE={0,1}  POST={}\n"), std::string::npos);
}

lien_graphique lien(std::vector<std::pair<int, std::list<long>>> branches) {
  std::list<lien_graphique_elem> l;
  for (auto& b : branches) {
    tpe_graphique g(&b.second);
    l.push_back(lien_graphique_elem(b.first, 0, 0, &g));
  }
  return lien_graphique(1, &l);
}

TEST(Dump, LinkGeometry) {
  struct cas {
    const char* nom;
    lien_graphique l;
    int x, y, largeur;
  } const table[] = {
      {"no branch", lien({}), 536870912, 0, 0},
      {"three steps", lien({{0, {10, 0}}, {0, {30, 0}}, {0, {20, 0}}}), 20, 0, 20},
      {"negative x", lien({{0, {-10, 0}}, {0, {-30, 0}}}), -15, 0, 30},
      {"transition then step", lien({{1, {50, 70}}, {0, {90, 5}}}), 70, 70, 40},
      {"last transition too short", lien({{1, {50, 70}}, {1, {60}}}), 55, 0, 10},
      {"empty polyline", lien({{0, {}}, {0, {40, 1}}}), 20, 0, 40},
      {"largest ints", lien({{0, {2147483647, 0}}, {0, {2147483647, 0}}}), 1610612735, 0,
       1073741823},
  };
  for (auto const& c : table) {
    EXPECT_EQ(c.l.mon_x(), c.x) << c.nom;
    EXPECT_EQ(c.l.mon_y(), c.y) << c.nom;
    EXPECT_EQ(c.l.ma_largeur(), c.largeur) << c.nom;
  }
}

TEST(Dump, RecordStreamForms) {
  std::ostringstream os;
  lien_graphique vide(0, std::make_unique<std::list<lien_graphique_elem>>().get());
  os << vide;
  EXPECT_EQ(os.str(), "536870912 0 0 DIVERGENCE  ()");

  std::list<tpen_action> actions = {tpen_action(0, 1, "1"), tpen_action(2, 4, "a")};
  std::ostringstream e;
  e << tpen_etape(1, 3, 4, 5, &actions);
  EXPECT_EQ(e.str(), "IS 3 4 5 table des actions:\n: 0 \"1\" : \"1\": 2 \"4\" : \"a\"");
  std::ostringstream sans;
  sans << tpen_etape(2, 3, 4, 5, nullptr);
  EXPECT_EQ(sans.str(), "NS 3 4 5 ");

  std::list<int> from = {1, 1}, to = {};
  std::string recep = "r";
  std::ostringstream t;
  t << tpe_transition(7, 1, 2, &from, &to, &recep);
  EXPECT_EQ(t.str(), "7 r 1 2 (1, 1) ()\n");
}

}  // namespace
