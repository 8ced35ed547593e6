// The .gt writer: the text of a whole grafcet, the renumbering of a chosen
// part, and the round trip of every example and fixture through the reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "gt_tables.h"
#include "gt_texte.h"
#include "run_tool.h"

namespace {

std::string donnees(const std::string& nom) {
  return std::string(TARVEK_TEST_DATA) + "/grafcet/data/" + nom;
}

// Writes g with the given selections and returns the text.
std::string ecrit(tpen_fichier& g, std::set<int> etapes, std::set<int> transitions) {
  std::string fichier = dossier_du_test() + "/out.gt";
  g.put_gt(fichier, "m", etapes, transitions);
  return read_file(fichier);
}

// The fixture is the text that the writer gives for the grafcet it holds, so
// writing back what was read gives the same bytes.
TEST(Write, WholeGrafcetText) {
  std::string texte = read_file(donnees("written.gt"));
  lecture r = lit_texte(texte);
  ASSERT_EQ(r.code, 0) << r.err;
  std::string fichier = dossier_du_test() + "/out.gt";
  r.g->put_gt(fichier, "demo", r.g->ens_ident_etapes(), r.g->ens_ident_transitions());
  EXPECT_EQ(read_file(fichier), texte);
}

TEST(Write, EmptySectionsAndSelections) {
  lecture vide = lit_texte(
      "Name: m Input: EndInput: Output: EndOutput: Step: EndStep: Transition: EndTransition: "
      "Link: EndLinkTable: Assertion: EndAssertion:");
  ASSERT_EQ(vide.code, 0);
  EXPECT_EQ(ecrit(*vide.g, {0, 1}, {0}),
            "Name: m\n\nInput:\nEndInput:\n\nOutput:\nEndOutput:\n\nStep:\nEndStep:\n\n"
            "Transition:\n\nEndTransition:\n\nLink:\nEndLinkTable:\n\nAssertion:\n"
            "EndAssertion:  \n\n");

  lecture r = lit_texte(gt_fichier({"IS: 1 1 1", "NS: 2 1 3"}, {"1 1 2 FR: (0) TO: (1) : \"a\""}));
  std::string sans_transition = ecrit(*r.g, {0, 1}, {});
  EXPECT_NE(sans_transition.find("Step:\nIS: 1 1 1 \nNS: 2 1 3 \nEndStep:\n\nTransition:\n\n"
                                 "EndTransition:\n"),
            std::string::npos);
  std::string sans_etape = ecrit(*r.g, {}, {0});
  EXPECT_NE(sans_etape.find("Step:\nEndStep:\n\nTransition:\n1 1 2 FR: TO:  : \"a\"\n"),
            std::string::npos);
}

// Steps 1 and 3 of four steps: a transition from the first to the third
// refers to them by their places in the written file.
TEST(Write, SelectedStepsAreRenumbered) {
  lecture r =
      lit_texte(gt_fichier({"IS: 1 1 1", "NS: 2 1 3", "NS: 3 1 5", "NS: 4 1 7"},
                           {"1 1 2 FR: (0) TO: (1) : \"a\"", "2 1 4 FR: (1) TO: (3) : \"b\"",
                            "3 1 6 FR: (2) TO: (0) : \"a\""}));
  ASSERT_EQ(r.code, 0);
  std::string texte = ecrit(*r.g, {1, 3}, {1});
  EXPECT_NE(texte.find("Step:\nNS: 2 1 3 \nNS: 4 1 7 \nEndStep:\n\nTransition:\n"
                       "2 1 4 FR: (0) TO: (1)  : \"b\"\nEndTransition:"),
            std::string::npos);
  lecture relu = lit_texte(texte);
  ASSERT_EQ(relu.code, 0) << relu.err;
  EXPECT_EQ(relu.g->ens_ident_pre_transition(0), std::set<int>{0});
  EXPECT_EQ(relu.g->ens_ident_post_transition(0), std::set<int>{1});
}

// Counting would move a reference to a step left out onto the next selected
// step; the written file drops it instead.
TEST(Write, ReferencesToStepsLeftOutAreDropped) {
  lecture r =
      lit_texte(gt_fichier({"IS: 1 1 1", "NS: 2 1 3", "NS: 3 1 5"},
                           {"1 1 2 FR: (0,1) TO: (2) : \"a\"", "2 1 4 FR: (1) TO: (0,2) : \"b\""}));
  ASSERT_EQ(r.code, 0);
  std::string texte = ecrit(*r.g, {0, 2}, {0, 1});
  EXPECT_NE(texte.find("1 1 2 FR: (0) TO: (1)  : \"a\",\n2 1 4 FR: TO: (0,1)  : \"b\"\n"),
            std::string::npos)
      << texte;
  lecture relu = lit_texte(texte);
  ASSERT_EQ(relu.code, 0) << relu.err;
  EXPECT_EQ(relu.g->ens_ident_pre_transition(0), std::set<int>{0});
  EXPECT_EQ(relu.g->ens_ident_pre_transition(1), std::set<int>{});
  EXPECT_EQ(relu.g->ens_ident_post_transition(1), (std::set<int>{0, 1}));
}

TEST(Write, RenumberingOfOneStepPosition) {
  int masque[] = {1, 0, 1, 1, 0};
  struct cas {
    int p, n, attendu;
    bool erreur;
  } const table[] = {
      {0, 5, 0, false}, {-3, 5, 0, false}, {2, 5, 1, false}, {3, 5, 2, false},
      {4, 5, 3, false}, {5, 5, 5, true},   {9, 5, 9, true},
  };
  for (auto const& c : table) {
    int r = 0;
    std::string err =
        capture_cerr([&] { r = tpen_transition::renum_conserv_step(c.p, c.n, masque); });
    EXPECT_EQ(r, c.attendu) << c.p;
    EXPECT_EQ(err, c.erreur ? "internal error in ``tpen_transition::renum_conserv_step()''\n"
                              "ident out of range ! \n"
                            : "")
        << c.p;
  }
}

TEST(Write, CodesOutsideTheirTablesWriteEmptyNames) {
  std::ostringstream os;
  tpen_fichier g;
  tpen_etape e(12, 3, 4, 5, nullptr);
  e.actions.push_back(tpen_action(1, 0, "c"));
  e.put_gt(os, g);
  EXPECT_EQ(os.str(), ": 3 4 5 \nAction:\n1 \"\" : \"c\"\nEndAction:");
  std::ostringstream l;
  std::list<lien_graphique_elem> branches(1);
  branches.front().type = 2;
  lien_graphique(7, &branches).put_gt(l);
  EXPECT_EQ(l.str(), "BeginLink: Div:\nIdentT: -1 Line: EndLine:\nEndLink:");
}

// Every example and fixture: read, written back, read again, equal tables.
// The corpus keeps to what the text can carry: the reader neither echoes a
// character (a minus sign) into the log nor replaces a qualifier.
TEST(Write, RoundTripOfExamplesAndFixtures) {
  int nombre = 0;
  for (std::string dossier : {std::string(TARVEK_EXAMPLES), donnees(""), donnees("fuzz")}) {
    bool fuzz = dossier.find("fuzz") != std::string::npos;
    for (auto const& f : std::filesystem::directory_iterator(dossier)) {
      if (f.path().extension() != ".gt") continue;
      std::string nom = f.path().filename().string();
      lecture r = lit_texte(read_file(f.path().string()));
      bool reserve = r.code == 0 && r.err.empty() && r.log.empty();
      if (fuzz && !reserve) continue;
      ASSERT_TRUE(reserve) << nom << " is outside what a written file can carry: " << r.err
                           << r.log;
      std::string fichier = dossier_du_test() + "/" + nom;
      r.g->put_gt(fichier, r.g->mon_nom_module(), r.g->ens_ident_etapes(),
                  r.g->ens_ident_transitions());
      lecture relu = lit_texte(read_file(fichier));
      ASSERT_EQ(relu.code, 0) << nom << ": " << relu.err;
      EXPECT_EQ(relu.err + relu.log, "") << nom;
      EXPECT_EQ(differences(*r.g, *relu.g), "") << nom;
      ++nombre;
    }
  }
  EXPECT_GE(nombre, 5);
}

}  // namespace
