// The checks run before compiling, called on the model itself: what each one
// returns, and which element it names when several would do.
#include <gtest/gtest.h>

#include "gt_texte.h"

namespace {

// The eight answers of the checks, each overlap check called with a sentinel
// so that a passing one shows it left its argument alone.
struct reponses {
  std::string type;
  int initiale;
  std::string noms, receptivite, connexion;
  std::string trans, trans_autre, etapes, etapes_autre, sur_etape, sur_etape_autre;
};

reponses verifie(tpen_fichier& g) {
  reponses r;
  r.type = g.verif_traitement_tout_type_etape_tarvek();
  r.initiale = g.verif_existence_etape_initiale();
  r.noms = g.verif_noms_identiques_etapes();
  r.receptivite = g.verif_non_existence_receptivite_vide();
  r.connexion = g.verif_connexion_transition();
  r.trans_autre = r.etapes_autre = r.sur_etape_autre = "inchange";
  r.trans = g.verif_aucune_superposition_transition(r.trans_autre);
  r.etapes = g.verif_aucune_superposition_etape(r.etapes_autre);
  r.sur_etape = g.verif_aucune_superposition_etape_transition(r.sur_etape_autre);
  return r;
}

reponses verifie_texte(const std::vector<std::string>& etapes,
                       const std::vector<std::string>& transitions) {
  lecture l = lit_texte(gt_fichier(etapes, transitions));
  EXPECT_EQ(l.code, 0) << l.err;
  return verifie(*l.g);
}

TEST(Checks, EmptyGrafcetPassesAllButTheInitialStep) {
  tpen_fichier g;
  reponses r = verifie(g);
  EXPECT_EQ(r.initiale, 0);
  for (auto const& s : {r.type, r.noms, r.receptivite, r.connexion, r.trans, r.etapes, r.sur_etape})
    EXPECT_EQ(s, "");
  for (auto const& s : {r.trans_autre, r.etapes_autre, r.sur_etape_autre}) EXPECT_EQ(s, "inchange");
}

TEST(Checks, StepTypesAndInitialStep) {
  struct cas {
    std::vector<std::string> etapes;
    std::string type;
    int initiale;
  } const table[] = {
      {{"IS: 1 0 0", "NS: 2 0 4", "MS: 3 0 8"}, "Macro Step", 1},
      {{"NS: 1 0 0", "EIS: 2 0 4", "SEIS: 3 0 8"}, "Encapsulated Initial Step", 1},
      {{"NS: 1 0 0", "NS: 2 0 4"}, "", 0},
      {{"BMS: 1 0 0", "EMS: 2 0 4"}, "Begin Macro Step", 0},
      {{"IS: 1 0 0", "ES: 2 0 4", "SES: 3 0 8"}, "Encapsulated Step", 1},
      {{"NS: 1 0 0", "SEIS: 2 0 4"}, "Start Encapsulated Initial Step", 1},
  };
  for (auto const& c : table) {
    reponses r = verifie_texte(c.etapes, {});
    EXPECT_EQ(r.type, c.type) << c.etapes.back();
    EXPECT_EQ(r.initiale, c.initiale) << c.etapes.back();
  }
}

TEST(Checks, RepeatedNamesEmptyReceptivityUnconnected) {
  EXPECT_EQ(verifie_texte({"IS: 1 0 0", "NS: 2 0 4", "NS: 1 0 8", "NS: 2 0 12"}, {}).noms, "1");
  EXPECT_EQ(verifie_texte({"IS: 3 0 0", "NS: 5 0 4", "NS: 005 0 8"}, {}).noms, "5");
  // The first step repeated later, not the first repetition met.
  EXPECT_EQ(verifie_texte({"IS: 1 0 0", "NS: 2 0 4", "NS: 3 0 8", "NS: 2 0 12", "NS: 1 0 16"}, {}).noms, "1");

  const std::vector<std::string> deux = {"IS: 1 0 0", "NS: 2 0 4"};
  reponses r = verifie_texte(
      deux, {"4 0 2 FR: (0) TO: (1) : \" \"", "9 0 6 FR: (1) TO: : \"\"", "11 0 8 FR: TO: : \"\""});
  EXPECT_EQ(r.receptivite, "t9");
  EXPECT_EQ(r.connexion, "t11");
  // A position outside the step table was dropped: the transition lost its
  // only link.
  EXPECT_EQ(
      verifie_texte(deux, {"4 0 2 FR: (0) TO: : \"a\"", "6 0 6 FR: (2) TO: : \"a\""}).connexion,
      "t6");
}

// The pairs are met with the first element first, then the second; for a
// transition on a step the transitions make the outer loop.
TEST(Checks, OverlapsNameTheFirstPair) {
  reponses r = verifie_texte(
      {"IS: 1 0 0"},
      {"10 0 2 FR: (0) TO: : \"a\"", "20 0 6 FR: (0) TO: : \"a\"", "30 0 6 FR: (0) TO: : \"a\""});
  EXPECT_EQ(r.trans, "t20");
  EXPECT_EQ(r.trans_autre, "t30");
  r = verifie_texte({"IS: 1 0 0"}, {"10 0 6 FR: (0) TO: : \"a\"", "20 0 6 FR: (0) TO: : \"a\"",
                                    "30 0 6 FR: (0) TO: : \"a\""});
  EXPECT_EQ(r.trans, "t10");
  EXPECT_EQ(r.trans_autre, "t20");

  r = verifie_texte({"IS: 1 0 0", "NS: 2 5 5", "NS: 3 5 5", "NS: 4 0 0"}, {});
  EXPECT_EQ(r.etapes, "1");
  EXPECT_EQ(r.etapes_autre, "4");

  r = verifie_texte({"IS: 7 1 1", "NS: 8 3 3", "NS: 9 3 3"}, {"5 3 3 FR: (0) TO: : \"a\""});
  EXPECT_EQ(r.sur_etape, "t5");
  EXPECT_EQ(r.sur_etape_autre, "8");

  r = verifie_texte({"IS: 7 1 1", "NS: 8 3 3"},
                    {"5 3 3 FR: (0) TO: : \"a\"", "6 1 1 FR: (0) TO: : \"a\""});
  EXPECT_EQ(r.sur_etape, "t5");
  EXPECT_EQ(r.sur_etape_autre, "8");
}

// Hundreds of thousands of steps and transitions whose only repetitions
// involve the last ones: comparing every pair would take hours, one pass
// takes a moment.
TEST(Checks, LargeGrafcetsAreCheckedInOnePass) {
  const int n = 400000;
  tpen_fichier g;
  std::list<tpen_etape> etapes;
  for (int k = 0; k < n; ++k) etapes.emplace_back(2, k, k % 1000, k / 1000, nullptr);
  etapes.emplace_back(2, n - 1, -5, -5, nullptr);        // the name of the last step
  etapes.emplace_back(2, n, (n - 2) % 1000, (n - 2) / 1000, nullptr);  // the place of the one before
  std::list<tpe_transition> transitions;
  std::string a = "a";
  for (int k = 0; k < n; ++k) {
    std::list<int> de(1, k), vers(1, (k + 1) % n);
    transitions.emplace_back(k, k % 1000, -1 - k / 1000, &de, &vers, &a);
  }
  std::list<int> de(1, 0), vers;
  transitions.emplace_back(n, (n - 1) % 1000, -1 - (n - 1) / 1000, &de, &vers, &a);  // the last one's place
  transitions.emplace_back(n + 1, (n - 3) % 1000, (n - 3) / 1000, &de, &vers, &a);  // on a late step
  std::list<lien_graphique> liens;
  std::list<std::string> assertions;
  g.parse_etapes(&etapes);
  g.parse_body(&transitions, &liens, &assertions);
  reponses r = verifie(g);
  EXPECT_EQ(r.noms, std::to_string(n - 1));
  EXPECT_EQ(r.etapes, std::to_string(n - 2));
  EXPECT_EQ(r.etapes_autre, std::to_string(n));
  EXPECT_EQ(r.trans, "t" + std::to_string(n - 1));
  EXPECT_EQ(r.trans_autre, "t" + std::to_string(n));
  EXPECT_EQ(r.sur_etape, "t" + std::to_string(n + 1));
  EXPECT_EQ(r.sur_etape_autre, std::to_string(n - 3));
}

}  // namespace
