// The encoding of a grafcet: variable layout and identifier sets, the copy of
// the grafcet, receptivities and guard flags checked by brute force,
// assertions, accessors with their diagnostics, step-variable lookups,
// action conditions and the text of a BDD.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "encodage_test.h"
#include "run_tool.h"

using testing::ExitedWithCode;

namespace {

const std::string deux_etapes_a_b_e = "\"a\" : bool \"b\" : bool \"e\" : event";

TEST(Encodage, VariableLayoutAndIdentifierSets) {
  encodage_teste t = encode(gt_entrees("\"a\" : bool \"e\" : event", {"IS: 1 0 0", "NS: 2 0 4"},
                                       {"1 0 2 FR: (0) TO: (1) : \"a\""}));
  encodage_lu& e = *t.e;
  const std::vector<std::string> noms = {"a",    "a_pre_", "e",   "RE1", "FE1", "X1",
                                         "RTL1", "RE2",    "FE2", "X2",  "RTL2"};
  ASSERT_EQ(e.nombre_variables(), 11);
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(e.nom_variable(i), noms[i]);
    EXPECT_EQ(e.bdd_variable(i), e.bdd_variable(noms[i]));
  }
  EXPECT_EQ(e.cond_ext(), (std::set<int>{0}));
  EXPECT_EQ(e.even_ext(), (std::set<int>{2}));
  EXPECT_EQ(e.cond_int(), (std::set<int>{1, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(e.even_int(), (std::set<int>{3, 4, 7, 8}));
  EXPECT_EQ(e.ens_var_internes(), (std::set<int>{1, 3, 4, 5, 6, 7, 8, 9, 10}));

  EXPECT_EQ(e.bdd_variable("0"), e.man()->Bdd_zero());
  EXPECT_EQ(e.bdd_variable("1"), e.man()->Bdd_one());
  EXPECT_EQ(e.bdd_variable("nothing"), e.man()->Bdd_zero());

  EXPECT_EQ(e.ident_garde_RE_etape(1), 7);
  EXPECT_EQ(e.ident_garde_FE_etape(1), 8);
  EXPECT_EQ(e.ident_cond_X_etape(0), 5);
  EXPECT_EQ(e.ens_ident_etape_by_RE({0, 3, 8}), (std::set<int>{0}));
  EXPECT_EQ(e.ens_ident_etape_by_FE({0, 3, 8}), (std::set<int>{1}));
  EXPECT_EQ(e.ens_ident_etape_by_RE({4, 8}), (std::set<int>{}));
}

// Inputs of both kinds interleaved, and steps whose table order is not the
// order of their numbers: the variables follow the declarations and the
// table, never the kinds or the numbers.
TEST(Encodage, VariablesFollowDeclarationAndTableOrder) {
  encodage_teste t = encode(gt_entrees("\"e\" : event \"a\" : bool \"f\" : event \"b\" : bool",
                                       {"NS: 7 0 0", "IS: 3 0 4"},
                                       {"1 0 2 FR: (0) TO: (1) : \"a\""}));
  encodage_lu& e = *t.e;
  const std::vector<std::string> noms = {"e",   "a",   "a_pre_", "f",   "b",   "b_pre_", "RE7",
                                         "FE7", "X7",  "RTL7",   "RE3", "FE3", "X3",     "RTL3"};
  ASSERT_EQ(e.nombre_variables(), 14);
  for (int i = 0; i < 14; ++i) EXPECT_EQ(e.nom_variable(i), noms[i]) << i;
  EXPECT_EQ(e.cond_ext(), (std::set<int>{1, 4}));
  EXPECT_EQ(e.even_ext(), (std::set<int>{0, 3}));
  EXPECT_EQ(e.cond_int(), (std::set<int>{2, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
  EXPECT_EQ(e.even_int(), (std::set<int>{6, 7, 10, 11}));

  EXPECT_EQ(e.ident_garde_RE_etape(0), 6);
  EXPECT_EQ(e.ident_garde_FE_etape(1), 11);
  EXPECT_EQ(e.ident_cond_X_etape(1), 12);
  EXPECT_EQ(e.ens_ident_etape_by_RE({10}), (std::set<int>{1}));
  EXPECT_EQ(e.ens_ident_etape_by_FE({7, 11}), (std::set<int>{0, 1}));
  EXPECT_EQ(e.ens_ident_FEk_post_transition(0), (std::set<int>{11}));
}

// The sets are the only part of the dump that the copy does not take over.
TEST(Encodage, CopiesTheGrafcetAndSharesNothing) {
  lecture source = lit_texte(read_file(std::string(TARVEK_EXAMPLES) + "/machine_cycle.gt"));
  ASSERT_EQ(source.code, 0);
  tpen_BDD_fichier e(source.g.get());
  auto sans_ensembles = [](tpen_fichier& g) {
    std::ostringstream os;
    g.put(os);
    std::istringstream in(os.str());
    std::string r, ligne;
    while (std::getline(in, ligne))
      if (ligne.rfind("{", 0) != 0) r += ligne + "\n";
    return r;
  };
  EXPECT_EQ(sans_ensembles(e), sans_ensembles(*source.g));
  EXPECT_EQ(e.ens_ident_etapes(), source.g->ens_ident_etapes());
  EXPECT_EQ(e.ens_ident_post_transition(4), (std::set<int>{0}));
  EXPECT_EQ(source.g->ens_var_internes(), (std::set<int>{}));

  int sorties = source.g->nbr_outputs();
  e.export_etapes();
  EXPECT_EQ(e.nbr_outputs(), sorties + 10);
  EXPECT_EQ(e.nbr_actions(0), 2);
  EXPECT_EQ(source.g->nbr_outputs(), sorties);
  EXPECT_EQ(source.g->nbr_actions(0), 0);
}

// Each text is the receptivity of the only transition, between steps 1 and 2.
TEST(Encodage, ReceptivitiesAndGuards) {
  struct cas {
    std::string texte;
    std::function<bool(const valeur_de&)> attendu;
    int garde;
    std::string err;  // what the parser says of a text it refuses
  };
  auto vrai = [](const valeur_de&) { return true; };
  auto faux = [](const valeur_de&) { return false; };
  auto a = [](const valeur_de& v) { return v("a"); };
  const cas table[] = {
      {"a", a, 0, ""},
      {"a and not b or e", [](const valeur_de& v) { return (v("a") && !v("b")) || v("e"); }, 0, ""},
      {"a_pre_ xor X2 . RE1",
       [](const valeur_de& v) { return v("a_pre_") != (v("X2") && v("RE1")); }, 0, ""},
      {"<3> a", a, 0, ""},
      {"=1", vrai, 0, ""},
      {"a=1", vrai, 0, ""},
      {"x=10 or anything", vrai, 0, ""},
      {"", faux, 0, ""},
      {":", vrai, 1, ""},
      {"a:", a, 1, ""},
      {":a", a, 1, ""},
      {"0:a", a, 1, ""},
      {" a : b ", [](const valeur_de& v) { return v("a") && v("b"); }, 1, ""},
      // A part of blanks only is an empty part.
      {"a : ", a, 1, ""},
      {"  :  a", a, 1, ""},
      {" : ", vrai, 1, ""},
      {"a and not a : e", [](const valeur_de& v) { return v("e"); }, 1, ""},
      {"a : not X1", [](const valeur_de& v) { return v("a") && !v("X1"); }, 1, ""},
      // Blanks after the condition are no text left unread.
      {"a   ", a, 0, ""},
      {"<2> a : b  ", [](const valeur_de& v) { return v("a") && v("b"); }, 1, ""},
  };
  for (auto const& c : table) {
    encodage_teste t = encode(gt_entrees(deux_etapes_a_b_e, {"IS: 1 0 0", "NS: 2 0 4"},
                                         {"5 0 2 FR: (0) TO: (1) : \"" + c.texte + "\""}));
    ASSERT_TRUE(t.e) << c.texte;
    EXPECT_TRUE(meme_fonction(*t.e, t.e->bdd_receptivite_transition(0), c.attendu)) << c.texte;
    EXPECT_EQ(t.e->transition_gardee(0), c.garde) << c.texte;
    EXPECT_EQ(t.err, c.err) << c.texte;
  }
}

// The "=1" rule makes these receptivities 1; those that say more than "=1"
// are noted for the driver's warning.
TEST(Encodage, ReceptivitiesThatSayMoreThanEqualOne) {
  const std::pair<const char*, bool> table[] = {
      {"=1", false}, {" =1 =1 ", false}, {"a=1", true},  {"x=10 or anything", true},
      {"==1", true}, {"a : b", false}, {"a", false},
  };
  for (auto const& [texte, note] : table) {
    encodage_teste t = encode(gt_entrees(deux_etapes_a_b_e, {"IS: 1 0 0", "NS: 2 0 4"},
                                         {"1 0 2 FR: (0) TO: (1) : \"a\"",
                                          "5 0 6 FR: (1) TO: (0) : \"" + std::string(texte) + "\""}));
    ASSERT_TRUE(t.e) << texte;
    EXPECT_EQ(t.e->ens_ident_transitions_egal_un(), note ? std::set<int>{1} : std::set<int>{})
        << texte;
  }
}

// A guarded part that gives 0 is read as 1; one that is not empty is noted
// for the driver's warning, the first of the transition only.
TEST(Encodage, GuardedPartsAlwaysFalse) {
  const std::pair<const char*, const char*> table[] = {
      {"a : 0", "0"},   {"0 : 0", "0"}, {" a and not a  : b", "a and not a"}, {"a : X1 xor X1", "X1 xor X1"},
      {" : ", nullptr}, {"a :", nullptr}, {"0", nullptr}, {"a : b", nullptr},
  };
  for (auto const& [texte, partie] : table) {
    encodage_teste t = encode(gt_entrees(deux_etapes_a_b_e, {"IS: 1 0 0", "NS: 2 0 4"},
                                         {"1 0 2 FR: (0) TO: (1) : \"a\"",
                                          "5 0 6 FR: (1) TO: (0) : \"" + std::string(texte) + "\""}));
    ASSERT_TRUE(t.e) << texte;
    std::map<int, std::string> attendu;
    if (partie) attendu[1] = partie;
    EXPECT_EQ(t.e->parties_gardees_fausses(), attendu) << texte;
  }
}

TEST(Encodage, StepModeAndTransitionPositions) {
  encodage_teste t =
      encode(gt_entrees(deux_etapes_a_b_e, {"IS: 1 0 0", "NS: 2 0 4"},
                        {"1 0 2 FR: (0) TO: (1) : \"a\"", "2 0 6 FR: (1) TO: (0) : \"b : e\""}));
  tpen_BDD_fichier& e = *t.e;
  EXPECT_EQ(e.transition_gardee(0), 0);
  EXPECT_EQ(e.transition_gardee(1), 1);
  e.force_garde_transitions();
  for (int p : {-1, 0, 1, 2}) EXPECT_EQ(e.transition_gardee(p), p == 0 || p == 1) << p;

  for (int p : {-1, 2}) {
    bdd f;
    std::string err = capture_cerr([&] { f = e.bdd_receptivite_transition(p); });
    EXPECT_EQ(f, e.man()->Bdd_zero());
    EXPECT_EQ(err, "PROBLEME DANS L'UTILISATION DE 'bdd_receptivite_transition()':\nIDENT " +
                       std::to_string(p) + " DEMANDE\n");
  }
}

TEST(Encodage, Assertions) {
  encodage_teste sans = encode(gt_entrees(deux_etapes_a_b_e, {"IS: 1 0 0"}, {}));
  EXPECT_EQ(sans.e->ma_table_assertions(), nullptr);
  EXPECT_EQ(sans.e->assertion_generale, sans.e->man()->Bdd_one());
  EXPECT_EQ(sans.e->assertion(0), sans.e->man()->Bdd_one());

  encodage_teste t =
      encode(gt_entrees(deux_etapes_a_b_e, {"IS: 1 0 0"}, {}, {"not (a and b)", "e or X1"}));
  tpen_BDD_fichier& e = *t.e;
  ASSERT_NE(e.ma_table_assertions(), nullptr);
  EXPECT_TRUE(
      meme_fonction(e, e.assertion(0), [](const valeur_de& v) { return !(v("a") && v("b")); }));
  EXPECT_TRUE(
      meme_fonction(e, e.assertion(1), [](const valeur_de& v) { return v("e") || v("X1"); }));
  EXPECT_TRUE(meme_fonction(e, e.assertion_generale, [](const valeur_de& v) {
    return !(v("a") && v("b")) && (v("e") || v("X1"));
  }));
  EXPECT_EQ(e.assertion(-1), e.man()->Bdd_one());
  EXPECT_EQ(e.assertion(2), e.man()->Bdd_one());
}

// Neither the "=1" rule nor the guarded form of the receptivities applies:
// "=" and ":" are text that the condition leaves unread, which ends the run.
TEST(EncodageDeathTest, AssertionsAndActionConditionsKeepNoRuleOfReceptivities) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  encodage_teste t = encode(gt_entrees(
      deux_etapes_a_b_e,
      {"IS: 1 0 0 Action: 0 \"N\" : \"b=1\" 0 \"N\" : \"a : b\" 0 \"N\" : \"b  \" EndAction:",
       "NS: 2 0 4"},
      {"1 0 2 FR: (0) TO: (1) : \"a\""}, {"a ", "b and e"}));
  tpen_BDD_fichier& e = *t.e;
  bdd a = e.bdd_variable("a"), b = e.bdd_variable("b");
  EXPECT_EQ(e.assertion(0), a);
  EXPECT_EQ(e.assertion_generale, e.man()->Bdd_and(a, e.assertion(1)));
  EXPECT_EQ(e.bdd_cond_action(0, 2), b);
  EXPECT_EQ(t.err, "");
  const std::string fin = "\"\n\n  --> break compilation processing \\.\\.\\.\n\n$";
  EXPECT_EXIT(e.bdd_cond_action(0, 0), ExitedWithCode(1),
              "^ERROR about the step :\"1\":\n    action post-condition \"b=1\" is unknown "
              "\\.\\.\\.\ntext after the condition is not read: \"=1" +
                  fin);
  EXPECT_EXIT(e.bdd_cond_action(0, 1), ExitedWithCode(1),
              "is unknown \\.\\.\\.\ntext after the condition is not read: \": b" + fin);
  lecture assertion = lit_texte(gt_entrees(deux_etapes_a_b_e, {"IS: 1 0 0"}, {}, {"a=1"}));
  ASSERT_EQ(assertion.code, 0);
  EXPECT_EXIT(tpen_BDD_fichier refusee(assertion.g.get()), ExitedWithCode(1),
              "^ERROR: the assertion :\"a=1\" has an uncorrect syntax!\ntext after the condition "
              "is not read: \"=1\"\n  --> break compilation processing \\.\\.\\.\n\n$");

  // Read from the actions at each call, so the exported ones are seen too.
  e.export_etapes();
  ASSERT_EQ(e.nbr_actions(1), 2);
  EXPECT_EQ(e.bdd_cond_action(1, 1), e.man()->Bdd_one());
}

// With a before b before c in the order.
TEST(Encodage, TextOfABdd) {
  encodage_teste t =
      encode(gt_entrees("\"a\" : event \"b\" : event \"c\" : event", {"IS: 1 0 0"}, {}));
  tpen_BDD_fichier& e = *t.e;
  bddpp_manager& m = *e.man();
  bdd a = e.bdd_variable("a"), b = e.bdd_variable("b"), c = e.bdd_variable("c");
  struct cas {
    bdd f;
    std::string texte;
  } const table[] = {
      {bdd(), ""},
      {m.Bdd_zero(), "0"},
      {m.Bdd_one(), "1"},
      {a, "a"},
      {m.Bdd_not(a), "not a"},
      {m.Bdd_and(a, b), "a and b"},
      {m.Bdd_or(a, b), "a or not a and b"},
      {m.Bdd_and(a, m.Bdd_or(b, c)), "a and (b or not b and c)"},
      {m.Bdd_xor(a, b), "a and not b or not a and b"},
      {m.Bdd_and(m.Bdd_not(a), m.Bdd_xor(b, c)), "not a and (b and not c or not b and c)"},
      {m.Bdd_or(m.Bdd_and(a, b), c), "a and (b or not b and c) or not a and c"},
  };
  for (auto const& x : table) EXPECT_EQ(e.bddtoString(x.f, 0, "", ""), x.texte) << x.texte;
  EXPECT_EQ(e.bddtoString(m.Bdd_zero(), 1, "", ""), "not tick");
  EXPECT_EQ(e.bddtoString(m.Bdd_one(), 1, "", ""), "tick");
  EXPECT_EQ(e.bddtoString(m.Bdd_or(a, m.Bdd_not(b)), 1, "p_", "_s"),
            "p_a_s or not p_a_s and not p_b_s");
}

// Steps named 4 and 9 downstream of the first transition.
TEST(Encodage, StepVariablesAndTheirDiagnostics) {
  encodage_teste t = encode(
      gt_entrees("\"a\" : bool", {"IS: 1 0 0", "NS: 4 0 4", "NS: 9 4 4"},
                 {"1 0 2 FR: (0) TO: (1,2) : \"a\"", "2 0 6 FR: (1,2) TO: (0) : \"not a\""}));
  tpen_BDD_fichier& e = *t.e;
  EXPECT_EQ(e.ens_ident_FEk_post_transition(0),
            (std::set<int>{e.ident_garde_FE_etape(1), e.ident_garde_FE_etape(2)}));
  EXPECT_EQ(e.ens_ident_FEk_post_transition(0), (std::set<int>{7, 11}));
  EXPECT_EQ(e.ens_ident_FEk_post_transition(1), (std::set<int>{3}));

  int r = -1;
  std::string err = capture_cerr([&] { r = e.ident_cond_X_etape(3); });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(err, "ERREUR INTERNE 2 D'ACCES DANS 'ident_cond_X_etape()'\n");
  err = capture_cerr([&] { r = e.ident_nongarde_RE_etape(1); });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(err, " tpen_fichier::ident_nongarde_RE_etape(int ident) arefaire ?\n");
  err = capture_cerr([&] { r = e.ident_nongarde_FE_etape(1); });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(err, "tpen_fichier::ident_nongarde_FE_etape(int ident) a refaire ?\n");
}

TEST(EncodageDeathTest, BadStepPositionsEndTheRun) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  encodage_teste t = encode(gt_entrees("\"a\" : bool", {"IS: 1 0 0", "NS: 2 0 4"}, {}));
  tpen_BDD_fichier& e = *t.e;
  const std::string fin = "\\(\\)'\nacces a l'etape ";
  EXPECT_EXIT(e.ident_garde_RE_etape(2), ExitedWithCode(1),
              "^ERREUR INTERNE 2 D'ACCES DANS 'ident_garde_RE_etape" + fin +
                  "2 avec seulement 2 etapes!\n$");
  EXPECT_EXIT(e.ident_garde_FE_etape(-1), ExitedWithCode(1),
              "^ERREUR INTERNE 2 D'ACCES DANS 'ident_garde_FE_etape" + fin +
                  "-1 avec seulement 2 etapes!\n$");
  EXPECT_EXIT(e.ident_nongarde_RE_etape(5), ExitedWithCode(1),
              "^ERREUR INTERNE 2 D'ACCES DANS 'ident_nongarde_RE_etape" + fin + "5 avec");
  EXPECT_EXIT(e.ident_nongarde_FE_etape(2), ExitedWithCode(1),
              "^ERREUR INTERNE 2 D'ACCES DANS 'ident_nongarde_FE_etape" + fin + "2 avec");
}

// Step 1 has the actions "a and X1", "", "a +", "(a"; step 2 none.
TEST(EncodageDeathTest, ActionConditions) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  encodage_teste t = encode(gt_entrees(
      "\"a\" : bool",
      {"IS: 1 0 0 Action: 0 \"N\" : \"a and X1\" 0 \"P\" : \"\" 0 \"N\" : \"a +\" "
       "0 \"N\" : \"(a\" EndAction:",
       "NS: 2 0 4"},
      {}));
  tpen_BDD_fichier& e = *t.e;
  EXPECT_TRUE(meme_fonction(e, e.bdd_cond_action(0, 0),
                            [](const valeur_de& v) { return v("a") && v("X1"); }));
  struct cas {
    int s, k;
    std::string err;
  } const hors_table[] = {
      {2, 0, "PROBLEME DANS L'UTILISATION DE `cond_action()':\nIDENT ETAPE 2 DEMANDE\n"},
      {-1, 0, "PROBLEME DANS L'UTILISATION DE `cond_action()':\nIDENT ETAPE -1 DEMANDE\n"},
      {1, 0, "PROBLEME INTERNE DANS L'UTILISATION DE `cond_action()':\nIDENT ACTION 0 DEMANDE\n"},
      {0, 4, "PROBLEME INTERNE DANS L'UTILISATION DE `cond_action()':\nIDENT ACTION 4 DEMANDE\n"},
  };
  for (auto const& c : hors_table) {
    bdd f;
    EXPECT_EQ(capture_cerr([&] { f = e.bdd_cond_action(c.s, c.k); }), c.err);
    EXPECT_EQ(f, e.man()->Bdd_zero());
  }
  const std::string fin =
      "\" is unknown \\.\\.\\.\n\n  --> break compilation processing \\.\\.\\.\n\n$";
  EXPECT_EXIT(e.bdd_cond_action(0, 1), ExitedWithCode(1),
              "^ERROR about the step :\"1\":\n    action post-condition \"" + fin);
  EXPECT_EXIT(e.bdd_cond_action(0, 2), ExitedWithCode(1),
              "PARSING ERROR about expression: \"a \\+\"\nERROR about the step :\"1\":\n    "
              "action post-condition \"a \\+" +
                  fin);
  // Refused before the grammar runs, and a syntax error all the same.
  EXPECT_EXIT(e.bdd_cond_action(0, 3), ExitedWithCode(1),
              "^PARSING ERROR about expression: \"\\(a\": bad parenthesing!\nERROR about the step "
              ":\"1\":\n    action post-condition \"\\(a" +
                  fin);
}

}  // namespace
