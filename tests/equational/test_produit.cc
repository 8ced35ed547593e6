// The synchronous product and the equivalence observer: the names, sharing
// and wiring of small products, and products of a compiled grafcet with
// itself and with a changed copy, run on random inputs against the
// reactions of their components evaluated apart.
#include <gtest/gtest.h>

#include <sstream>

#include "gt_texte.h"
#include "run_tool.h"
#include "verif_foret.h"

namespace {

std::string dump(b_automaton& a) {
  std::ostringstream os;
  os << a;
  return os.str();
}

std::string ligne(b_automaton_connector const& c) {
  std::ostringstream os;
  os << c;
  return os.str();
}

using noms = std::list<std::string>;

TEST(Produit, OneComponentIsPrefixed) {
  auto a = automate_de({{"X"}, {"a"}, {"o"}, {"l"}, {{"Xn", "a and l"}, {"o", "X"}, {"l", "not a"}}, {1}});
  b_automaton* c[] = {a.get()};
  std::string inst[] = {"A"};
  b_automaton p(1, c, inst, 0, nullptr);
  EXPECT_EQ(p.state_vars_list(), noms{"A_X"});
  EXPECT_EQ(p.next_state_vars_list(), noms{"A_Xn"});
  EXPECT_EQ(p.inputs_list(), noms{"a"});
  EXPECT_EQ(p.outputs_list(), noms{"o"});
  EXPECT_EQ(p.locals_list(), noms{"A_l"});
  EXPECT_EQ(p.nb_equ_def(), 3);
  EXPECT_EQ(p.valeur_initiale_state_var(0), 1);
  bddpp_manager& m = *p.manager_associe();
  EXPECT_EQ(p.bdd_exp_ident_associe("A_Xn"), fonction(m, "a and A_l"));
  EXPECT_EQ(p.bdd_exp_ident_associe("o"), m.Bdd_var_by_name("A_X"));
  EXPECT_EQ(p.bdd_exp_ident_associe("A_l"), fonction(m, "not a"));
  // The register and output equations are marked as the automaton's own.
  std::ostringstream os;
  os << *p.wood_associee()->exp_by_name("A_Xn") << *p.wood_associee()->exp_by_name("A_l");
  EXPECT_NE(os.str().find("[type:1]"), std::string::npos);
  EXPECT_NE(os.str().find("[type:0]"), std::string::npos);
  EXPECT_TRUE(p.sort().empty());
}

TEST(Produit, SharedInputsAndOutputs) {
  auto a = automate_de({{}, {"go"}, {"lamp"}, {}, {{"lamp", "go"}}, {}});
  auto b = automate_de({{"Y"}, {"go"}, {"lamp"}, {}, {{"Yn", "go"}, {"lamp", "Y"}}, {0}});
  b_automaton* c[] = {a.get(), b.get()};
  std::string inst[] = {"A", "B"};
  b_automaton p(2, c, inst, 0, nullptr);
  EXPECT_EQ(p.inputs_list(), noms{"go"});
  EXPECT_EQ(p.outputs_list(), noms{"lamp"});
  bddpp_manager& m = *p.manager_associe();
  EXPECT_EQ(p.bdd_exp_ident_associe("lamp"), fonction(m, "go or B_Y"));
  EXPECT_EQ(p.bdd_exp_ident_associe("B_Yn"), m.Bdd_var_by_name("go"));
  EXPECT_EQ(incoherences(*p.wood_associee()), "");
}

// An automaton over the input go, without assertion or invariant.
std::unique_ptr<b_automaton> sans_conditions() {
  noms vide, entrees{"go"};
  b_autom_dec dec(vide, vide, entrees, vide, vide);
  int init = 0;
  return std::make_unique<b_automaton>(&dec, &init, bdd(), bdd());
}

// A component without assertion adds nothing to the product's.
TEST(Produit, Assertions) {
  auto a = sans_conditions(), b = sans_conditions();
  b_automaton* c[] = {a.get(), b.get()};
  std::string inst[] = {"A", "B"};
  b_automaton p(2, c, inst, 0, nullptr);
  EXPECT_EQ(dump(p), "inputs go;\n\ninitial \n\n");
  b->change_assertion("not go");
  b_automaton q(2, c, inst, 0, nullptr);
  EXPECT_EQ(dump(q), "inputs go;\n\ninitial \n\nassertion  not go;\n\n");
}

TEST(Produit, Merge) {
  auto a = automate_de({{}, {"x"}, {"req", "out"}, {}, {{"req", "x"}, {"out", "not x"}}, {}});
  auto b = automate_de({{"S"}, {"req"}, {"ack"}, {}, {{"Sn", "req"}, {"ack", "S and req"}}, {1}});
  std::unique_ptr<b_automaton> p(merge(a.get(), b.get()));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->inputs_list(), noms{"x"});
  EXPECT_EQ(p->outputs_list(), (noms{"out", "ack"}));
  EXPECT_EQ(p->locals_list(), (noms{"inst1_req", "inst0_req"}));
  bddpp_manager& m = *p->manager_associe();
  EXPECT_EQ(p->bdd_exp_ident_associe("inst1_req"), m.Bdd_var_by_name("inst0_req"));
  EXPECT_EQ(p->bdd_exp_ident_associe("inst0_req"), m.Bdd_var_by_name("x"));
  EXPECT_EQ(p->bdd_exp_ident_associe("ack"), fonction(m, "inst1_S and inst1_req"));
  EXPECT_EQ(merge(nullptr, b.get()), nullptr);
  EXPECT_EQ(ligne(b_automaton_connector()), "-1:-1 --> -1:-1\n");
  b_automaton_connector c(0, 1, 2, 3), d;
  d = c;
  EXPECT_EQ(ligne(d), "0:1 --> 2:3\n");
}

TEST(Produit, Observer) {
  noms o1{"p", "q"}, o2{"q", "r"};
  int count = -1;
  b_automaton_connector* wires = nullptr;
  std::unique_ptr<b_automaton> obs(equiv_observer(o1, o2, &count, &wires));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(obs->inputs_list(), (noms{"equiv_observer_autom1_q", "equiv_observer_autom2_q"}));
  EXPECT_EQ(obs->outputs_list(), noms{"equiv"});
  EXPECT_EQ(ligne(wires[0]) + ligne(wires[1]) + ligne(wires[2]) + ligne(wires[3]),
            "0:1 --> 2:0\n1:0 --> 2:1\n-1:-1 --> -1:-1\n-1:-1 --> -1:-1\n");
  delete[] wires;
  bddpp_manager& m = *obs->manager_associe();
  EXPECT_EQ(obs->bdd_exp_ident_associe("equiv"),
            fonction(m, "equiv_observer_autom1_q and equiv_observer_autom2_q or "
                        "not equiv_observer_autom1_q and not equiv_observer_autom2_q"));
  EXPECT_NE(dump(*obs).find("assertion 0;\n\ninvariant 0;\n\n"), std::string::npos);
  // Nothing in common: equiv always holds.
  noms aucun{"s"};
  std::unique_ptr<b_automaton> vide(equiv_observer(o1, aucun, &count, &wires));
  EXPECT_EQ(count, 0);
  EXPECT_EQ(vide->nb_inputs(), 0);
  EXPECT_EQ(vide->bdd_exp_ident_associe("equiv"), vide->manager_associe()->Bdd_one());
  delete[] wires;
  // The product's outputs are those the two do not share, then equiv.
  auto a = automate_de({{}, {"i"}, {"p", "q"}, {}, {{"p", "i"}, {"q", "not i"}}, {}});
  auto b = automate_de({{}, {"i"}, {"q", "r"}, {}, {{"q", "not i"}, {"r", "1"}}, {}});
  std::unique_ptr<b_automaton> prod(observateur_equivalence(a.get(), b.get()));
  EXPECT_EQ(prod->outputs_list(), (noms{"p", "r", "equiv"}));
  EXPECT_EQ(prod->locals_list(),
            (noms{"observer_equiv_observer_autom1_q", "observer_equiv_observer_autom2_q",
                  "autom1_q", "autom2_q"}));
  EXPECT_NE(dump(*prod).find("assertion 0;\n\ninvariant 0;\n\n"), std::string::npos);
  EXPECT_EQ(observateur_equivalence(a.get(), nullptr), nullptr);
}

// An output named equiv that one automaton has is shared with the
// observer's: its equation is the disjunction of both.
TEST(Produit, AnOutputNamedEquiv) {
  auto a = automate_de({{}, {"i"}, {"equiv", "o"}, {}, {{"equiv", "i"}, {"o", "i"}}, {}});
  auto b = automate_de({{}, {"i"}, {"o"}, {}, {{"o", "not i"}}, {}});
  std::unique_ptr<b_automaton> prod(observateur_equivalence(a.get(), b.get()));
  EXPECT_EQ(prod->outputs_list(), noms{"equiv"});
  bddpp_manager& m = *prod->manager_associe();
  EXPECT_EQ(prod->bdd_exp_ident_associe("equiv"),
            fonction(m, "i or (observer_equiv_observer_autom1_o and observer_equiv_observer_autom2_o "
                        "or not observer_equiv_observer_autom1_o and not "
                        "observer_equiv_observer_autom2_o)"));
}

// Positions outside the components, and variables of a component's manager
// that its names do not declare, end the run instead of reading past them.
TEST(ProduitDeathTest, OutsideTheComponents) {
  auto a = automate_de({{}, {"i"}, {"o"}, {}, {{"o", "i"}}, {}});
  b_automaton* c[] = {a.get(), a.get()};
  std::string inst[] = {"A", "B"};
  b_automaton_connector mauvais[] = {b_automaton_connector(0, 1, 1, 0)};
  EXPECT_EXIT(b_automaton(2, c, inst, 1, mauvais), testing::ExitedWithCode(1),
              "INTERNAL ERROR in b_automaton::b_automaton\\(\\): connector out of the "
              "components: 0:1 --> 1:0\n");
  a->wood_associee()->exp_by_name("o")->setBddExp(a->wood_associee()->New_var_last("cache"), 0, 0);
  EXPECT_EXIT(b_automaton(2, c, inst, 0, nullptr), testing::ExitedWithCode(1),
              "INTERNAL ERROR in b_automaton::bdd_isomorphe\\(\\): the variable cache has no "
              "counterpart in the target manager\n");
}

// The compiled ring, and a copy whose output "gauche" is always true.
struct composants {
  compilation_eq a, b;
  composants() {
    std::string t = read_file(std::string(TARVEK_TEST_DATA) + "/equational/data/anneau.gt");
    a = compile_equationnel(t);
    b = compile_equationnel(t);
    b_automaton& bb = *b.automate;
    bb.wood_associee()->exp_by_name("gauche")->setBddExp(bb.manager_associe()->Bdd_one(), 0, 0);
  }
};

valeurs concat(valeurs x, valeurs const& y) {
  x.insert(x.end(), y.begin(), y.end());
  return x;
}

// Runs the product of x and y beside x and y from their initial states;
// sorties gives the product's outputs from the reactions of x and y.
void compare(b_automaton& p, compilation_eq& x, compilation_eq& y,
             std::vector<valeurs> const& sequence,
             std::function<valeurs(reaction const&, reaction const&)> sorties,
             std::vector<valeurs>& vues) {
  EXPECT_TRUE(p.sort().empty());
  disposition d{2 * x.d.n, x.d.ni, p.nb_outputs()};
  valeurs ex = etat_initial(*x.encodage), ey = etat_initial(*y.encodage);
  for (int i = 0; i < d.n; ++i)
    EXPECT_EQ(p.valeur_initiale_state_var(i), static_cast<int>(concat(ex, ey)[i]));
  for (valeurs const& e : sequence) {
    reaction rx = reaction_automate(*x.automate, x.d, ex, e);
    reaction ry = reaction_automate(*y.automate, y.d, ey, e);
    reaction rp = reaction_automate(p, d, concat(ex, ey), e);
    EXPECT_EQ(rp.suivant, concat(rx.suivant, ry.suivant)) << texte(e);
    EXPECT_EQ(rp.sorties, sorties(rx, ry)) << texte(e);
    vues.push_back(rp.sorties);
    ex = rx.suivant;
    ey = ry.suivant;
  }
}

valeurs ou(reaction const& x, reaction const& y) {
  valeurs r;
  for (size_t j = 0; j < x.sorties.size(); ++j) r.push_back(x.sorties[j] || y.sorties[j]);
  return r;
}

valeurs equiv(reaction const& x, reaction const& y) { return {x.sorties == y.sorties}; }

TEST(Produit, AutomatonWithItselfAndWithAChangedCopy) {
  composants c;
  b_automaton* a = c.a.automate.get();
  b_automaton* b = c.b.automate.get();
  ASSERT_EQ(c.a.triable, 1);
  std::mt19937 rng(21);
  std::vector<valeurs> sequence = entrees_aleatoires(c.a.d.ni, 60, rng);
  b_automaton* memes[] = {a, a};
  b_automaton* changes[] = {a, b};
  std::string inst[] = {"un", "deux"};
  b_automaton avec_lui(2, memes, inst, 0, nullptr);
  b_automaton avec_copie(2, changes, inst, 0, nullptr);
  std::vector<valeurs> p1, p2, o1, o2;
  compare(avec_lui, c.a, c.a, sequence, ou, p1);
  compare(avec_copie, c.a, c.b, sequence, ou, p2);
  std::unique_ptr<b_automaton> obs_lui(observateur_equivalence(a, a));
  std::unique_ptr<b_automaton> obs_copie(observateur_equivalence(a, b));
  compare(*obs_lui, c.a, c.a, sequence, equiv, o1);
  compare(*obs_copie, c.a, c.b, sequence, equiv, o2);
  // With itself the outputs are its own and equiv always holds; with the
  // copy "gauche" (output 0) is always true and equiv fails whenever the
  // ring's own "gauche" is false.
  int differentes = 0, accords = 0;
  for (size_t k = 0; k < sequence.size(); ++k) {
    EXPECT_EQ(o1[k], valeurs{true});
    EXPECT_TRUE(p2[k][0]);
    differentes += p1[k] != p2[k];
    accords += o2[k][0];
    EXPECT_EQ(o2[k][0], p1[k][0]);
  }
  EXPECT_GT(differentes, 0);
  EXPECT_GT(accords, 0);
  EXPECT_LT(accords, static_cast<int>(sequence.size()));
  // The observer's assertion and invariant are false, and so are the
  // product's: no reaction satisfies them.
  std::vector<int> valeurs_init(obs_lui->wood_associee()->Nb_bdd_vars());
  obs_lui->etat_init(valeurs_init.data());
  EXPECT_EQ(obs_lui->verifie_assertion(valeurs_init.data()), 0);
  EXPECT_NE(dump(*obs_lui).find("assertion 0;\n\ninvariant 0;\n\n"), std::string::npos);
  EXPECT_NE(dump(avec_lui).find("assertion 1;\n\ninvariant 1;\n\n"), std::string::npos);
}

}  // namespace
