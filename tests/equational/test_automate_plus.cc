// The further operations of the declaration and of the automaton: look-ups,
// names by kind and position with their refusals, the initial situation,
// the assertion, the variables without equation.
#include <gtest/gtest.h>

#include "gt_texte.h"
#include "verif_foret.h"

namespace {

using noms = std::list<std::string>;

TEST(AutomatePlus, DeclarationLookUps) {
  noms etats{"X"}, suivants{"Xn"}, entrees{"a"}, sorties{"o"}, locales{"l"};
  b_autom_dec dec(etats, suivants, entrees, sorties, locales);
  bddpp_manager& m = *dec.manager_associe();
  dec.add_ident("k");
  dec.add_ident("a");  // taken: nothing
  EXPECT_EQ(m.nbr_variables(), 6);
  EXPECT_EQ(dec.ident_associe("k"), 5);
  EXPECT_EQ(dec.ident_associe(m.Bdd_var_by_name("o")), 3);
  EXPECT_EQ(dec.bdd_ident_associe("l"), m.Bdd_var_by_index(4));
  EXPECT_EQ(dec.nom_ident_associe(m.Bdd_var_by_index(2)), "a");
  int init = 1;
  b_automaton a(&dec, &init, m.Bdd_one(), m.Bdd_one());
  EXPECT_EQ(a.locals_list(), (noms{"l", "k"}));
  EXPECT_EQ(a.nb_locals(), 2);
}

TEST(AutomatePlus, NamesByPosition) {
  auto a = automate_de({{"X", "Y"}, {"a", "b"}, {"o"}, {"l"}, {{"o", "X and a"}}, {1, 0}});
  EXPECT_EQ(a->nb_state_vars(), 2);
  EXPECT_EQ(a->nb_inputs(), 2);
  EXPECT_EQ(a->nb_outputs(), 1);
  EXPECT_EQ(a->nom_state_var(1), "Y");
  EXPECT_EQ(a->nom_next_state_var(0), "Xn");
  EXPECT_EQ(a->nom_input(1), "b");
  EXPECT_EQ(a->nom_output(0), "o");
  EXPECT_EQ(a->nom_local(0), "l");
  EXPECT_EQ(a->num_input("b"), 1);
  EXPECT_EQ(a->num_output("o"), 0);
  EXPECT_EQ(a->num_local("o"), -1);
  a->change_nom_input(0, "c");
  EXPECT_EQ(a->inputs_list(), (noms{"c", "b"}));
  EXPECT_EQ(a->ident_associe("a"), 4);  // the variable keeps its name
  EXPECT_EQ(a->nom_associe(4), "a");
  struct cas {
    std::function<void()> appel;
    std::string err;
  } const table[] = {
      {[&] { EXPECT_EQ(a->nom_state_var(2), "?"); },
       "dans b_automaton::nom_state_var() : indice hors limite !\n"},
      {[&] { EXPECT_EQ(a->nom_next_state_var(-1), "?"); },
       "dans b_automaton::nom_next_state_var() : indice hors limite !\n"},
      {[&] { EXPECT_EQ(a->nom_input(2), "?"); },
       "dans b_automaton::nom_input() : indice hors limite !\n"},
      {[&] { EXPECT_EQ(a->nom_output(1), "?"); },
       "dans b_automaton::nom_output() : indice hors limite !\n"},
      {[&] { EXPECT_EQ(a->nom_local(1), "?"); },
       "dans b_automaton::nom_local() : indice hors limite !\n"},
      {[&] { a->change_nom_input(2, "z"); },
       "dans b_automaton::change_nom_input() : indice hors limite !\n"},
      {[&] { a->change_nom_output(-1, "z"); },
       "dans b_automaton::change_nom_output() : indice hors limite !\n"},
      {[&] { EXPECT_EQ(a->valeur_initiale_state_var(2), 2); },
       "Warning: call of b_automaton::valeur_initiale_state_var() with an id out of range ...\n"},
      {[] { b_automaton::export_awaited_inputs(); }, "A REVOIR ...\n"},
  };
  for (auto const& c : table) EXPECT_EQ(capture_cerr(c.appel), c.err);
}

TEST(AutomatePlus, InitialSituationAndAssertion) {
  auto a = automate_de({{"X", "Y"}, {"a"}, {"o"}, {}, {{"o", "X"}, {"Xn", "a"}}, {1, 0}});
  bddpp_manager& m = *a->manager_associe();
  EXPECT_EQ(a->bdd_etat_init(), fonction(m, "X and not Y"));
  std::vector<int> v(6, -1);
  EXPECT_EQ(a->etat_init(v.data()), 6);
  EXPECT_EQ(v, (std::vector<int>{1, 0, 2, 2, 2, 2}));
  a->change_assertion("a or X");
  EXPECT_EQ(a->verifie_assertion(v.data()), 1);
  v[0] = 0;
  EXPECT_EQ(a->verifie_assertion(v.data()), 2);
  v[4] = 0;
  EXPECT_EQ(a->verifie_assertion(v.data()), 0);
  std::string err = capture_cerr([&] { a->change_assertion("a and zz"); });
  EXPECT_NE(err.find("Error in parsing assertion ...\n"), std::string::npos) << err;
  EXPECT_EQ(a->verifie_assertion(v.data()), 1);
  EXPECT_EQ(a->bddtoString(fonction(m, "not a"), 2), " not a");
  auto vide = automate_de({{}, {"a"}, {}, {}, {}, {}});
  EXPECT_EQ(vide->bdd_etat_init(), vide->manager_associe()->Bdd_one());
}

TEST(AutomatePlus, EquationsAndUndefinedVariables) {
  auto a = automate_de({{"X", "Y"}, {"a"}, {"o", "p"}, {"l"}, {{"Xn", "a"}, {"o", "X"}, {"l", "Y"}}, {1, 0}});
  EXPECT_EQ(a->identify_undef_variables(), (noms{"Yn", "p"}));
  EXPECT_EQ(a->nb_equ_def(), 3);
  EXPECT_EQ(a->equ_def(1)->getName(), "o");
  a->reverse_output(0);
  a->reverse_output(5);  // no such output: nothing
  bddpp_manager& m = *a->manager_associe();
  EXPECT_EQ(a->bdd_exp_ident_associe("o"), m.Bdd_not(m.Bdd_var_by_name("X")));
  EXPECT_EQ(a->bdd_exp_ident_associe("Yn").node(), nullptr);
  EXPECT_EQ(a->nom_ident_associe(m.Bdd_var_by_name("l")), "l");
  EXPECT_EQ(a->ident_associe(m.Bdd_var_by_name("l")), 7);
  EXPECT_EQ(a->bdd_ident_associe("p"), m.Bdd_var_by_index(6));
}

}  // namespace
