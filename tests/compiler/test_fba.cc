// The symbolic automaton: its variables, initial state, the folding of
// reactions and continuous actions, its dump; then the search that builds
// it: the automaton made from a grafcet, the translation of conditions by
// names, outputs sharing a name, and the counts of a search.
#include <gtest/gtest.h>

#include <sstream>

#include "encodage_test.h"
#include "run_tool.h"
#include "simulation.h"

namespace {

using ens = std::set<int>;

std::string sop(const FBA& a, const bdd& f) {
  return a.manager->Print_sop_to_String("+ ", ".", "!", "", f, 1);
}

// Steps 1 and 2, input a, one action o.
struct deux_etapes {
  ens initial = {0};
  FBA a{"m", initial, {FSM_input(FSM_bool, "a")}, {"o"}, {"1", "2"}};
  bdd var(const char* nom) { return a.manager->Bdd_var_by_name(nom); }
};

TEST(Automate, VariablesAndInitialState) {
  deux_etapes d;
  FBA& a = d.a;
  bddpp_manager& m = *a.get_manager();
  ASSERT_EQ(m.nbr_variables(), 5);
  const char* noms[] = {"X1", "X2", "X1next", "X2next", "a"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(m.Name_var_by_index(i), noms[i]);
  EXPECT_EQ(a.initial_state, m.Bdd_and(d.var("X1"), m.Bdd_not(d.var("X2"))));
  EXPECT_TRUE(a.variable_initialy_true(0));
  for (int i : {1, 2, -1}) EXPECT_FALSE(a.variable_initialy_true(i)) << i;
  EXPECT_EQ(a.get_actions_number(), 1);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(a.force0[i], m.Bdd_zero());
    EXPECT_EQ(a.force1[i], m.Bdd_zero());
  }
  EXPECT_EQ(a.emissions[0], m.Bdd_zero());
}

TEST(Automate, FoldingReactions) {
  deux_etapes d;
  FBA& a = d.a;
  bddpp_manager& m = *a.get_manager();
  bdd conditions[1] = {d.var("a")};
  FBA_transition t(&a, {0}, {1}, conditions, d.var("a"));
  conditions[0] = m.Bdd_zero();
  FBA_transition copie(t);
  a.add_evolution(copie);
  bdd c = m.Bdd_and(m.Bdd_and(d.var("a"), d.var("X1")), m.Bdd_not(d.var("X2")));
  EXPECT_EQ(a.force0[0], c);
  EXPECT_EQ(a.force1[1], c);
  EXPECT_EQ(a.force1[0], m.Bdd_zero());
  EXPECT_EQ(a.force0[1], m.Bdd_zero());
  EXPECT_EQ(a.emissions[0], c);
  int noeuds = a.get_bdd_nodes_number();
  a.add_evolution(t);
  EXPECT_EQ(a.force0[0], c);
  EXPECT_EQ(a.emissions[0], c);
  EXPECT_EQ(a.get_bdd_nodes_number(), noeuds);

  // A continuous action: emitted whenever its step is active next.
  a.add_post_evolution(1, 0, m.Bdd_not(d.var("a")));
  EXPECT_EQ(sop(a, a.emissions[0]), "X1.!X2.a+ X2next.!a");
  a.add_post_evolution(2, 0, m.Bdd_one());
  a.add_post_evolution(-1, 0, m.Bdd_one());
  EXPECT_EQ(sop(a, a.emissions[0]), "X1.!X2.a+ X2next.!a");

  // The collection never lowers the counter and keeps what is held.
  noeuds = a.get_bdd_nodes_number();
  a.bdd_garbage_collector();
  EXPECT_EQ(a.get_bdd_nodes_number(), noeuds);
  EXPECT_EQ(sop(a, a.force1[1]), "X1.!X2.a");
}

TEST(Automate, TransitionRecordsAreValues) {
  deux_etapes d;
  bddpp_manager& m = *d.a.get_manager();
  bdd conditions[1] = {d.var("a")};
  FBA_transition t(&d.a, {0}, {1}, conditions, m.Bdd_one());
  FBA_transition u;
  EXPECT_EQ(u.owner, nullptr);
  EXPECT_EQ(u.cond_actions, nullptr);
  u = t;
  t.cond_actions[0] = m.Bdd_zero();
  EXPECT_EQ(u.cond_actions[0], d.var("a"));
  EXPECT_EQ(u.initial, ens{0});
  EXPECT_EQ(u.final, ens{1});
  u = t;
  EXPECT_EQ(u.cond_actions[0], m.Bdd_zero());
}

TEST(Automate, Inputs) {
  std::ostringstream os;
  os << FSM_input(FSM_bool, "a") << FSM_input(FSM_pure, "e") << FSM_input() << FSM_input(FSM_integer, "n")
     << FSM_input(static_cast<FSM_type_input>(7), "x");
  EXPECT_EQ(os.str(), "(bool,a)(pure,e)(undefined,)(integer,n)(,x)");
  EXPECT_EQ(FSM_input(FSM_bool, "a"), FSM_input(FSM_bool, "a"));
  EXPECT_NE(FSM_input(FSM_bool, "a"), FSM_input(FSM_pure, "a"));
  EXPECT_NE(FSM_input(FSM_bool, "a"), FSM_input(FSM_bool, "b"));
}

TEST(Automate, Dump) {
  deux_etapes d;
  FBA& a = d.a;
  bddpp_manager& m = *a.get_manager();
  bdd conditions[1] = {m.Bdd_one()};
  a.add_evolution(FBA_transition(&a, {0}, {1}, conditions, d.var("a")));
  a.add_post_evolution(0, 0, m.Bdd_one());
  EXPECT_EQ(automate_en_texte(a),
            "NOM: m\n\n"
            "nombre d'entrees: 1\n\n"
            "table des entrees\nn  (type,nom)\n0 (bool,a)\n\n"
            "nombre de variables d'etat: 2\n\n"
            "table des variables d'etat\nn  nom\n0: 1\n1: 2\n\n"
            "table des BDDs de base\nn  nom\n0: X1\n1: X2\n2: X1next\n3: X2next\n4: a\n\n"
            "nombre d'actions: 1\nn  nom\n0: o\n\n"
            "etat initial: X1= 1 X2= 0 \n\n\n"
            "table des BDDs de forcage a 0\nn  expression\n0: X1.!X2.a\n1: 0\n\n"
            "table des BDDs de forcage a 1\nn  expression\n0: 0\n1: X1.!X2.a\n\n"
            "table des BDDs des emissions d'actions\nn  expression\n0: X1.!X2.a+ X1next\n");
  ens aucun;
  FBA vide("v", aucun, {}, {}, {"1"});
  std::string t = automate_en_texte(vide);
  EXPECT_NE(t.find("\nnombre d'actions: 0\nn  nom\n\netat initial: X1= 0 \n\n\n"), std::string::npos);
  const std::string fin = "\n\ntable des BDDs des emissions d'actions\nn  expression\n";
  EXPECT_EQ(t.substr(t.size() - fin.size()), fin);
}

const std::string entrees = "\"a\" : bool \"e\" : event \"b\" : bool";

// Inputs: the boolean ones, then the event ones; outputs that share a name
// share an action; the continuous actions are in place before any search.
TEST(Recherche, AutomatonMadeFromTheGrafcet) {
  encodage_teste t = encode(gt_entrees(
      entrees, {"NS: 7 0 0 Action: 0 \"N\" : \"a and not X3\" EndAction:", "IS: 3 0 4 Action: 0 \"N\" : \"b\" EndAction:"},
      {"1 0 2 FR: (1) TO: (0) : \"a\""}));
  tpen_BDD_fichier& e = *t.e;
  ens s0;
  EXPECT_EQ(lis_Xtheta(e, s0), 2);
  EXPECT_EQ(s0, ens{1});
  std::vector<int> varmap(e.nombre_variables()), outmap(e.nbr_outputs());
  std::unique_ptr<FBA> a(normalise_FBA(e, s0, varmap.data(), outmap.data()));
  EXPECT_EQ(noms_entrees(*a), (std::vector<std::string>{"a", "b", "e"}));
  EXPECT_EQ(a->inputs[2].type, FSM_pure);
  EXPECT_EQ(a->inputs[1].type, FSM_bool);
  for (int i = 0; i < e.nombre_variables(); ++i) {
    std::string nom = e.nom_variable(i);
    EXPECT_EQ(varmap[i], nom == "a" ? 0 : nom == "b" ? 1 : nom == "e" ? 2 : -1) << nom;
  }
  EXPECT_EQ(noms_actions(*a), (std::vector<std::string>{"o", "e"}));
  EXPECT_EQ(outmap, (std::vector<int>{0, 1}));
  EXPECT_EQ(a->name, "m");
  EXPECT_EQ(a->state_names[0], "7");
  EXPECT_EQ(sop(*a, a->emissions[0]), "!X3.X7next.a+ X3next.b");
  EXPECT_EQ(a->emissions[1], a->manager->Bdd_zero());
}

TEST(Recherche, TranslationByNames) {
  encodage_teste t = encode(gt_entrees("\"a\" : bool", {"IS: 1 0 0"}, {}));
  tpen_BDD_fichier& e = *t.e;
  bddpp_manager& m = *e.man();
  deux_etapes d;
  bddpp_manager* vers = d.a.get_manager();
  bdd a = e.bdd_variable("a"), re1 = e.bdd_variable("RE1"), x1 = e.bdd_variable("X1");
  EXPECT_EQ(bdd_translation_by_String(&m, m.Bdd_and(a, re1), vers), vers->Bdd_zero());
  EXPECT_EQ(bdd_translation_by_String(&m, m.Bdd_or(a, re1), vers), d.var("a"));
  EXPECT_EQ(bdd_translation_by_String(&m, m.Bdd_and(a, m.Bdd_not(x1)), vers),
            vers->Bdd_and(d.var("a"), vers->Bdd_not(d.var("X1"))));
  EXPECT_EQ(bdd_translation_by_String(&m, m.Bdd_one(), vers), vers->Bdd_one());
  EXPECT_EQ(bdd_translation_by_String(&m, bdd(), vers).node(), nullptr);
  // A function shared along many paths is rebuilt once.
  bdd f = m.Bdd_one();
  std::vector<std::string> noms = {"X1", "a", "RTL1", "a_pre_", "FE1"};
  for (int tour = 0; tour < 6; ++tour)
    for (auto const& n : noms) f = m.Bdd_xor(f, m.Bdd_and(e.bdd_variable(n), e.bdd_variable(noms[tour % 5])));
  bdd g = bdd_translation_by_String(&m, f, vers);
  for (int x1v = 0; x1v < 2; ++x1v)
    for (int av = 0; av < 2; ++av) {
      vecteur dans(e.nombre_variables(), false), hors(5, false);
      dans[m.Index_var_by_name("X1")] = hors[0] = x1v;
      dans[m.Index_var_by_name("a")] = hors[4] = av;
      EXPECT_EQ(valeur_bdd(*vers, g, hors), valeur_bdd(m, f, dans));
    }
}

// Two outputs of one name are one action, emitted when either is; a third
// name keeps its own action.
TEST(Recherche, OutputsSharingANameAreOred) {
  const std::string texte =
      "Name: m Input: \"a\" : bool \"b\" : bool EndInput:\n"
      "Output: \"o\" : event \"q\" : event \"o\" : event EndOutput:\n"
      "Step: IS: 1 0 0 NS: 2 0 4 Action: 0 \"P\" : \"a\" 2 \"P\" : \"b\" 1 \"P\" : \"1\" EndAction: EndStep:\n"
      "Transition: 1 0 2 FR: (0) TO: (1) : \"a or b\", 2 0 6 FR: (1) TO: (0) : \"not a and not b\" "
      "EndTransition: Link: EndLinkTable: Assertion: EndAssertion:";
  compilation_test c = compile_texte(texte);
  ASSERT_TRUE(c.automate);
  FBA& a = *c.automate;
  EXPECT_EQ(noms_actions(a), (std::vector<std::string>{"o", "q"}));
  EXPECT_EQ(sop(a, a.emissions[0]), "X1.!X2.a+ X1.!X2.b");
  EXPECT_EQ(sop(a, a.emissions[1]), "X1.!X2.a+ X1.!X2.b");
  EXPECT_EQ(c.bilan.situations, 2);
  EXPECT_EQ(c.bilan.reactions, 6);
}

// Reactions of two situations given together and out of order: the same
// functions as folding each in turn, which fold nothing twice.
TEST(Automate, FoldingReactionsTogether) {
  deux_etapes un, ensemble;
  bddpp_manager& m = *un.a.get_manager();
  bdd a = un.var("a"), na = m.Bdd_not(a);
  struct reaction {
    ens initial, final;
    bdd action, cond;
  };
  std::vector<reaction> reactions = {{{0}, {1}, a, a},
                                     {{1}, {0, 1}, m.Bdd_one(), na},
                                     {{0}, {0}, m.Bdd_zero(), na},
                                     {{1}, {}, na, a}};
  std::vector<FBA_transition> ts;
  for (auto& r : reactions) {
    un.a.add_evolution(FBA_transition(&un.a, r.initial, r.final, &r.action, r.cond));
    bddpp_manager* vers = ensemble.a.get_manager();
    bdd action = bdd_translation_by_String(&m, r.action, vers);
    ts.push_back(FBA_transition(&ensemble.a, r.initial, r.final, &action,
                                bdd_translation_by_String(&m, r.cond, vers)));
  }
  ensemble.a.add_evolutions(ts);
  EXPECT_EQ(automate_en_texte(ensemble.a), automate_en_texte(un.a));
  EXPECT_EQ(sop(un.a, un.a.force1[1]), "X1.!X2.a+ !X1.X2.!a");
  EXPECT_EQ(sop(un.a, un.a.emissions[0]), "X1.!X2.a+ !X1.X2.!a");
  ensemble.a.add_evolutions({});
  EXPECT_EQ(automate_en_texte(ensemble.a), automate_en_texte(un.a));
}

// Both ways of folding the reactions give the same automaton, one at a
// time with far more nodes. The random grafcets of the semantic tests
// compare both ways as well; the frontend's tests, the counts of the log.
TEST(Recherche, BothFoldsGiveOneAutomaton) {
  // Two branches in parallel: many reactions from each situation, actions
  // of both kinds.
  std::string deux_branches = read_file(std::string(TARVEK_TEST_DATA) + "/compiler/data/deux_branches.gt");
  for (bool pas_a_pas : {false, true}) {
    SCOPED_TRACE(pas_a_pas ? "-step" : "");
    compilation_test une = compile_texte(deux_branches, pas_a_pas, pliage::une_a_une);
    compilation_test toutes = compile_texte(deux_branches, pas_a_pas, pliage::par_situation);
    ASSERT_TRUE(une.automate && toutes.automate);
    EXPECT_EQ(automate_en_texte(*toutes.automate), automate_en_texte(*une.automate));
    EXPECT_EQ(toutes.log, une.log);
    EXPECT_EQ(une.bilan.situations, 10);
    EXPECT_EQ(une.bilan.reactions, pas_a_pas ? 34 : 122);
    EXPECT_LT(toutes.automate->get_bdd_nodes_number(), une.automate->get_bdd_nodes_number());
  }
}

// One situation, one reaction back to itself: the step keeps itself.
TEST(Recherche, LoneStep) {
  compilation_test c = compile_texte(gt({"IS: 1 0 0"}, {}));
  ASSERT_TRUE(c.automate);
  EXPECT_EQ(sop(*c.automate, c.automate->force1[0]), "X1");
  EXPECT_EQ(c.automate->force0[0], c.automate->manager->Bdd_zero());
  EXPECT_EQ(c.bilan.situations, 1);
  EXPECT_EQ(c.bilan.reactions, 1);
  EXPECT_EQ(c.log, "\nEFFECTIVE COMPILATION\n\n");
}

}  // namespace
