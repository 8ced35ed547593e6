// The grafcet records, the queries by position with their diagnostics,
// export_etapes and the set queries.
#include <gtest/gtest.h>

#include "gt_texte.h"
#include "listpp.h"

namespace {

TEST(Records, DefaultsAndNames) {
  tpen_action a;
  EXPECT_EQ(a.qualificatif, 10);
  EXPECT_EQ(a.ident_output, -1);
  EXPECT_EQ(a.condition, "1");
  EXPECT_EQ(a.convert_qualificatif(), "VIDE");
  tpen_etape e;
  EXPECT_EQ(e.convert_type(), "NS");
  gt_declaration_variables d;
  EXPECT_EQ(d.typev(), "?");
  EXPECT_EQ(d.nom(), "?");
  lien_graphique_elem b;
  EXPECT_EQ(b.sens, 3);
  EXPECT_EQ(b.ident, -1);
  EXPECT_EQ(lien_graphique().convergence, 1);

  const char* const qualificatifs[] = {"",  "N",  "R",  "S",  "P",    "L",
                                       "D", "SD", "DS", "SL", "VIDE", ""};
  for (int q = 0; q <= 11; ++q)
    EXPECT_EQ(tpen_action(0, q, "1").convert_qualificatif(), qualificatifs[q]);
  EXPECT_EQ(tpen_action(0, -3, "1").convert_qualificatif(), "");
  const char* const types[] = {"", "IS", "NS", "MS", "BMS", "EMS", "ES", "EIS", "SES", "SEIS", ""};
  for (int t = 0; t <= 10; ++t) EXPECT_EQ(tpen_etape(t, 1, 0, 0, nullptr).convert_type(), types[t]);

  tpen_etape s(1, 12, 40, 80, nullptr);
  EXPECT_EQ(s.nom, "12");
  EXPECT_EQ(s.x, 40);
  EXPECT_EQ(s.y, 80);
  EXPECT_TRUE(s.actions.empty());
}

TEST(Records, ComparisonsFollowOrder) {
  std::list<tpen_action> ab = {tpen_action(0, 1, "a"), tpen_action(1, 4, "b")};
  std::list<tpen_action> ba = {tpen_action(1, 4, "b"), tpen_action(0, 1, "a")};
  EXPECT_EQ(tpen_etape(2, 1, 0, 0, &ab) != tpen_etape(2, 1, 0, 0, &ab), 0);
  EXPECT_EQ(tpen_etape(2, 1, 0, 0, &ab) != tpen_etape(2, 1, 0, 0, &ba), 1);
  std::list<long> c12 = {1, 2}, c21 = {2, 1};
  EXPECT_EQ(tpe_graphique(&c12) == tpe_graphique(&c12), 1);
  EXPECT_EQ(tpe_graphique(&c12) != tpe_graphique(&c21), 1);
  tpe_transition t;
  EXPECT_EQ(t != tpe_transition(), 0);
  t.to.push_back(3);
  EXPECT_EQ(t != tpe_transition(), 1);
}

TEST(Records, LinkDirectionsFollowTheFlag) {
  tpe_graphique vide;
  std::list<lien_graphique_elem> branches = {lien_graphique_elem(0, 0, 0, &vide),
                                             lien_graphique_elem(1, 0, 0, &vide)};
  struct cas {
    int flag, sens_etape, sens_transition;
  } const table[] = {{1, 3, 2}, {0, 2, 3}, {5, 2, 3}};
  for (auto const& c : table) {
    lien_graphique l(c.flag, &branches);
    EXPECT_EQ(l.sousliens.front().sens, c.sens_etape) << c.flag;
    EXPECT_EQ(l.sousliens.back().sens, c.sens_transition) << c.flag;
  }
}

TEST(Records, TransitionUnconnected) {
  tpen_transition t;
  EXPECT_EQ(t.unconnected(), 1);
  t.pre.insert(0);
  EXPECT_EQ(t.unconnected(), 0);
}

TEST(Grafcet, EmptyListsGiveNullTables) {
  std::string nom = "m";
  std::list<gt_declaration_variables> vide;
  tpen_fichier g(&nom, &vide, &vide);
  EXPECT_EQ(g.ma_table_inputs(), nullptr);
  EXPECT_EQ(g.ma_table_outputs(), nullptr);
  EXPECT_EQ(g.nbr_inputs(), 0);
  EXPECT_EQ(g.assertion_globale(), "1");
  EXPECT_EQ(g.identification_numero_etape_max(), 0);
  EXPECT_EQ(g.identification_numero_transition_max(), 0);
}

// Three steps, the first with two actions, three transitions numbered 4, 9
// and 2, two event outputs among three, and two assertions.
lecture grafcet_de_requetes() {
  std::string t =
      "Name: q Input: \"b\" : bool \"a\" : bool \"e\" : event EndInput:\n"
      "Output: \"o\" : event \"p\" : bool \"r\" : event EndOutput:\n"
      "Step: IS: 3 0 0 Action: 0 \"P\" : \"1\" 1 \"N\" : \"a\" EndAction: NS: 12 0 4 NS: 5 0 8 "
      "EndStep:\n"
      "Transition: 4 0 2 FR: (0) TO: (1) : \"a\", 9 0 6 FR: (1) TO: (2) : \"b\", 2 0 10 FR: (2) "
      "TO: (0) : \"e\"\n"
      "EndTransition: Link: EndLinkTable: Assertion: \"x\", \"y or z\" EndAssertion:";
  lecture r = lit_texte(t);
  EXPECT_EQ(r.code, 0) << r.err;
  return r;
}

TEST(Queries, LookupsAndAggregates) {
  lecture r = grafcet_de_requetes();
  tpen_fichier& g = *r.g;
  EXPECT_EQ(g.ident_etape("3"), 0);
  EXPECT_EQ(g.ident_etape("5"), 2);
  EXPECT_EQ(g.ident_etape("7"), -1);
  char p[] = "p", z[] = "z";
  EXPECT_EQ(g.ident_output(p), 1);
  EXPECT_EQ(g.ident_output(z), -1);
  EXPECT_EQ(g.nombre_input_bool(), 2);
  EXPECT_EQ(g.nombre_input_ev(), 1);
  EXPECT_EQ(g.liste_outputs_impulsionnelles(), (std::list<std::string>{"o", "r"}));
  EXPECT_EQ(g.identification_numero_etape_max(), 12);
  EXPECT_EQ(g.identification_numero_transition_max(), 9);
  EXPECT_EQ(g.assertion_globale(), "(x) and (y or z)");
  EXPECT_EQ(g.assertion_textuelle(1), "y or z");
  EXPECT_EQ(g.assertion_textuelle(3), "1");
  EXPECT_EQ(g.assertion_textuelle(-1), "1");
  EXPECT_EQ(g.etape_initiale(7), 0);
  EXPECT_EQ(g.ens_entrees("bool"), (std::set<std::string>{"a", "b"}));
  EXPECT_EQ(g.ens_ident_outputs_cont(), std::set<int>{1});
  EXPECT_EQ(g.ens_ident_outputs_impuls(), (std::set<int>{0, 2}));
  EXPECT_EQ(g.cond_action(0, 1), "a");
}

// Every accessor given a bad position writes its two lines and answers a
// neutral value; the quoting of each operation's name is part of the text.
TEST(Queries, BadPositionsGiveDiagnostics) {
  lecture r = grafcet_de_requetes();
  tpen_fichier& g = *r.g;
  struct cas {
    std::function<std::string()> appel;
    std::string resultat, err;
  } const table[] = {
      {[&] { return g.nom_input(-1); }, "?", "'nom_input()':\nAUCUNE VARIABLE DE CE TYPE\n"},
      {[&] { return g.nom_input(3); }, "?", "'nom_input()':\nAUCUNE VARIABLE DE CE TYPE\n"},
      {[&] { return g.type_input(3); }, "?", "'type_input()':\nIDENT HORS LIMITE\n"},
      {[&] { return g.nom_output(3); }, "?", "'nom_output()':\nIDENT HORS LIMITE\n"},
      {[&] { return g.type_output(-1); }, "?", "'type_output()':\nIDENT HORS LIMITE\n"},
      {[&] { return g.nom_etape(3); }, "", "'nom_etape()':\nIDENT 3 DEMANDE\n"},
      {[&] { return std::to_string(g.num_grafcet_transition(3)); }, "-1",
       "'num_grafcet_transition()':\nIDENT 3 DEMANDE\n"},
      {[&] { return g.receptivite_transition(-2); }, "",
       "'receptivite_transition()':\nIDENT -2 DEMANDE\n"},
      {[&] { return std::to_string(g.nbr_actions(5)); }, "0",
       "`nbr_actions()':\nIDENT ETAPE 5 DEMANDE\n"},
      {[&] { return g.cond_action(5, 0); }, "", "`cond_action()':\nIDENT ETAPE 5 DEMANDE\n"},
      {[&] { return std::to_string(g.ident_output(5, 0)); }, "0",
       "`ident_output(int,int)':\nIDENT ETAPE 5 DEMANDE\n"},
      {[&] { return std::to_string(g.ident_output(0, 7)); }, "0",
       "`ident_output(int,int)':\nIDENT ACTION 7 DEMANDE\n"},
      {[&] { return g.cond_action(0, 7); }, "1", ""},
      {[&] { return std::to_string(g.ens_ident_pre_etape(3).size()); }, "0",
       "'ens_ident_pre_etape()':\nIDENT 3 DEMANDE\n"},
      {[&] { return std::to_string(g.ens_ident_post_etape(-1).size()); }, "0",
       "'ens_ident_post_etape()':\nIDENT -1 DEMANDE\n"},
      {[&] { return std::to_string(g.ens_ident_pre_transition(3).size()); }, "0",
       "'ens_ident_pre_transition()':\nIDENT 3 DEMANDE\n"},
      {[&] { return std::to_string(g.ens_ident_post_transition(9).size()); }, "0",
       "'ens_ident_post_transition()':\nIDENT 9 DEMANDE\n"},
      {[&] { return std::to_string(g.ens_ident_post_pre_transitions(-5).size()); }, "0",
       "'ens_ident_post_pre_transitions()':\nIDENT -5 DEMANDE\n"},
      {[&] { return std::to_string(g.ens_ident_outputs_cont_etape(-1).size()); }, "0", ""},
  };
  for (auto const& c : table) {
    std::string resultat;
    std::string err = capture_cerr([&] { resultat = c.appel(); });
    std::string attendu = c.err.empty() ? "" : "PROBLEME DANS L'UTILISATION DE " + c.err;
    EXPECT_EQ(resultat, c.resultat) << c.err;
    EXPECT_EQ(err, attendu) << c.err;
  }
}

TEST(Queries, ExportEtapes) {
  lecture r = lit_texte(gt_fichier({"IS: 1 0 0 Action: 0 \"N\" : \"a\" EndAction:", "NS: 2 0 4"},
                                   {"1 0 2 FR: (0) TO: (1) : \"a\""}));
  tpen_fichier& g = *r.g;
  g.export_etapes();
  ASSERT_EQ(g.nbr_outputs(), 6);
  const char* const noms[] = {"o",           "e", "EXPORTED_ZX1", "EXPORTED_RE1", "EXPORTED_ZX2",
                              "EXPORTED_RE2"};
  const char* const types[] = {"bool", "event", "bool", "event", "bool", "event"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(g.nom_output(i), noms[i]);
    EXPECT_EQ(g.type_output(i), types[i]);
  }
  EXPECT_EQ(g.nbr_actions(0), 3);
  EXPECT_EQ(g.ident_output(0, 1), 2);
  EXPECT_EQ(g.ident_output(0, 2), 3);
  EXPECT_EQ(g.ens_ident_outputs_cont_etape(1), std::set<int>{4});
  EXPECT_EQ(g.ens_ident_outputs_impuls_etape(1), std::set<int>{5});
  EXPECT_EQ(g.cond_action(1, 1), "1");
}

TEST(Queries, ExportWithoutOutputsOrSteps) {
  lecture r = lit_texte(
      "Name: m Input: EndInput: Output: EndOutput: Step: NS: 4 0 0 IS: 6 0 2 EndStep: Transition: "
      "EndTransition: Link: EndLinkTable: Assertion: EndAssertion:");
  r.g->export_etapes();
  EXPECT_EQ(r.g->nbr_outputs(), 4);
  EXPECT_EQ(r.g->nom_output(0), "EXPORTED_ZX4");
  tpen_fichier vide;
  vide.export_etapes();
  EXPECT_EQ(vide.nbr_outputs(), 0);
}

TEST(SetQueries, ThreeStepsNoTransition) {
  lecture r = lit_texte(gt_fichier({"IS: 1 0 0", "NS: 2 0 4", "NS: 3 0 8"}, {}));
  tpen_fichier& g = *r.g;
  EXPECT_TRUE(g.ens_ident_transitions().empty());
  EXPECT_EQ(g.ens_ident_etapes(), (std::set<int>{0, 1, 2}));
  EXPECT_EQ(g.ens_ident_pre_tilde_ens_transitions({}), (std::set<int>{0, 1, 2}));
  std::string err = capture_cerr([&] {
    EXPECT_TRUE(g.ens_ident_pre_etape(1).empty());
    EXPECT_TRUE(g.ens_ident_post_transition(0).empty());
  });
  EXPECT_EQ(err, "");
}

TEST(SetQueries, TildeSetsOfAChain) {
  lecture r = lit_texte(gt_fichier({"IS: 1 0 0", "NS: 2 0 4"}, {"1 0 2 FR: (0) TO: (1) : \"a\""}));
  tpen_fichier& g = *r.g;
  EXPECT_EQ(g.ens_ident_pre_tilde_ens_transitions({0}), (std::set<int>{0, 1}));
  EXPECT_EQ(g.ens_ident_pre_tilde_ens_transitions({}), std::set<int>{1});
  EXPECT_EQ(g.ens_ident_post_tilde_ens_transitions({0}), (std::set<int>{0, 1}));
  EXPECT_EQ(g.ens_ident_post_tilde_ens_transitions({}), std::set<int>{0});
  EXPECT_EQ(g.ens_ident_pre_tilde_ens_transitions({0, 42}), (std::set<int>{0, 1}));
}

// A step belongs to the pre tilde set only when every one of its downstream
// transitions is in the set (post tilde: every upstream one); one of two is
// not enough. Step 0 leads to t0 and t1, t0 and t1 both lead to step 1, t2
// leaves step 1 and t3 leaves step 2, which nothing reaches.
TEST(SetQueries, TildeSetsNeedEveryTransition) {
  lecture r =
      lit_texte(gt_fichier({"IS: 1 0 0", "NS: 2 0 4", "NS: 3 4 4"},
                           {"1 0 2 FR: (0) TO: (1) : \"a\"", "2 4 2 FR: (0) TO: (1) : \"b\"",
                            "3 0 6 FR: (1) TO: (0) : \"1\"", "4 4 6 FR: (2) TO: (0) : \"1\""}));
  tpen_fichier& g = *r.g;
  struct cas {
    std::set<int> f, pre_tilde, post_tilde;
  } const table[] = {
      {{}, {}, {2}},          {{0}, {}, {2}},           {{0, 1}, {0}, {1, 2}},
      {{2}, {1}, {2}},        {{2, 3}, {1, 2}, {0, 2}}, {{0, 1, 2, 3}, {0, 1, 2}, {0, 1, 2}},
      {{3, 7, -1}, {2}, {2}},
  };
  int n = 0;
  for (auto const& c : table) {
    std::string err = capture_cerr([&] {
      EXPECT_EQ(g.ens_ident_pre_tilde_ens_transitions(c.f), c.pre_tilde) << n;
      EXPECT_EQ(g.ens_ident_post_tilde_ens_transitions(c.f), c.post_tilde) << n;
    });
    EXPECT_EQ(err, "") << n++;
  }
}

// Only the qualifiers 1 (N) and 4 (P) place an output; the default action's
// 10 and the qualifiers the reader never makes place it in neither set.
TEST(SetQueries, OutputsByQualifierOnly) {
  std::list<tpen_action> actions = {tpen_action(2, 1, "1"),  tpen_action(5, 4, "1"),
                                    tpen_action(7, 10, "1"), tpen_action(8, 3, "1"),
                                    tpen_action(9, 0, "1"),  tpen_action()};
  std::list<tpen_etape> etapes = {tpen_etape(1, 1, 0, 0, &actions)};
  tpen_fichier g;
  g.parse_etapes(&etapes);
  EXPECT_EQ(g.ens_ident_outputs_cont_etape(0), std::set<int>{2});
  EXPECT_EQ(g.ens_ident_outputs_impuls_etape(0), std::set<int>{5});
  EXPECT_EQ(g.ens_ident_outputs_cont_ens_etapes({0}), std::set<int>{2});
  EXPECT_TRUE(g.ens_ident_outputs_impuls_etape(1).empty());
}

TEST(SetQueries, UnionsOverSets) {
  lecture r =
      lit_texte(gt_fichier({"IS: 1 0 0 Action: 0 \"N\" : \"1\" 1 \"P\" : \"1\" EndAction:",
                            "NS: 2 0 4 Action: 1 \"N\" : \"1\" EndAction:", "NS: 3 4 4"},
                           {"1 0 2 FR: (0) TO: (1) : \"a\"", "2 4 2 FR: (0) TO: (2) : \"b\"",
                            "3 2 6 FR: (1,2) TO: (0) : \"1\""}));
  tpen_fichier& g = *r.g;
  EXPECT_EQ(g.ens_ident_post_pre_transitions(0), (std::set<int>{0, 1}));
  EXPECT_EQ(g.ens_ident_post_pre_transitions(2), std::set<int>{2});
  EXPECT_EQ(g.ens_ident_pre_ens_etapes({1, 2}), (std::set<int>{0, 1}));
  EXPECT_EQ(g.ens_ident_post_ens_etapes({1, 2}), std::set<int>{2});
  EXPECT_EQ(g.ens_ident_pre_ens_transitions({0, 2}), (std::set<int>{0, 1, 2}));
  EXPECT_EQ(g.ens_ident_post_ens_transitions({0, 1}), (std::set<int>{1, 2}));
  EXPECT_EQ(g.ens_ident_outputs_cont_ens_etapes({0, 1}), (std::set<int>{0, 1}));
  EXPECT_TRUE(g.ens_ident_post_ens_etapes({}).empty());
  EXPECT_TRUE(g.ens_var_internes().empty());
}

}  // namespace
