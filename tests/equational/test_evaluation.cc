// One reaction computed from the equations (symbolically, three-valued,
// and split into the input cases that decide it), the input sensitivity,
// the cone of influence of the outputs and the sort of the automaton; the
// reactions are checked against the equations evaluated by brute force.
#include <gtest/gtest.h>

#include "gt_texte.h"
#include "run_tool.h"
#include "verif_foret.h"

namespace {

using noms = std::list<std::string>;

// The cube of the given values of the variables of indexes first, first+1...
bdd cube(bddpp_manager& m, long first, valeurs const& v) {
  bdd r = m.Bdd_one();
  for (size_t k = 0; k < v.size(); ++k) {
    bdd x = m.Bdd_var_by_index(first + static_cast<long>(k));
    r = m.Bdd_and(r, v[k] ? x : m.Bdd_not(x));
  }
  return r;
}

valeurs bits(unsigned a, int n) {
  valeurs v;
  for (int k = 0; k < n; ++k) v.push_back((a >> k) & 1u);
  return v;
}

compilation_eq anneau() {
  return compile_equationnel(read_file(std::string(TARVEK_TEST_DATA) + "/equational/data/anneau.gt"));
}

TEST(Evaluation, SymbolicReactionOfOneRegister) {
  auto a = automate_de({{"x"}, {"a"}, {}, {}, {{"xn", "a"}}, {0}});
  bddpp_manager& m = *a->manager_associe();
  bdd x = m.Bdd_var_by_name("x"), in = m.Bdd_var_by_name("a"), sorties;
  EXPECT_EQ(a->evaluation_etat_suivant(in, 0, &sorties), x);
  EXPECT_EQ(sorties, m.Bdd_one());
  bdd non = m.Bdd_not(in);
  EXPECT_EQ(a->evaluation_etat_suivant(non, 0, &sorties), m.Bdd_not(x));
  bdd vrai = m.Bdd_one(), r;
  EXPECT_EQ(capture_cerr([&] { r = a->evaluation_etat_suivant(vrai, 0, &sorties); }),
            "no possible evaluation for index 0\n");
  EXPECT_EQ(r, m.Bdd_one());
  // The automaton's own forest is left as it was.
  EXPECT_EQ(a->bdd_exp_ident_associe("xn"), in);
}

// From every state under every input, the cubes are the next state and the
// outputs that the equations give.
TEST(Evaluation, SymbolicReactionsOfTheRing) {
  compilation_eq c = anneau();
  b_automaton& a = *c.automate;
  bddpp_manager& m = *a.manager_associe();
  for (unsigned s = 0; s < (1u << c.d.n); ++s)
    for (unsigned e = 0; e < (1u << c.d.ni); ++e) {
      valeurs etat = bits(s, c.d.n), entrees = bits(e, c.d.ni);
      reaction r = reaction_automate(a, c.d, etat, entrees);
      bdd situation = m.Bdd_and(cube(m, 0, etat), cube(m, c.d.entree(0), entrees));
      bdd sorties;
      EXPECT_EQ(a.evaluation_etat_suivant(situation, 0, &sorties), cube(m, 0, r.suivant));
      EXPECT_EQ(sorties, cube(m, c.d.sortie(0), r.sorties));
    }
}

// The cases of each situation are disjoint and cover every input; under
// each input the case that holds gives the reaction.
void verifie_cas(b_automaton& a, disposition d, std::string const& quoi) {
  bddpp_manager& m = *a.manager_associe();
  for (unsigned s = 0; s < (1u << d.n); ++s) {
    valeurs etat = bits(s, d.n);
    bdd situation = cube(m, 0, etat);
    std::vector<bdd> conditions, suivants, sorties;
    int n = a.evaluation_etats_suivants(situation, conditions, suivants, sorties);
    ASSERT_EQ(conditions.size(), static_cast<size_t>(n)) << quoi;
    ASSERT_EQ(suivants.size(), static_cast<size_t>(n));
    ASSERT_EQ(sorties.size(), static_cast<size_t>(n));
    bdd tout = m.Bdd_zero();
    for (int k = 0; k < n; ++k) {
      EXPECT_TRUE(m.Bdd_is_zero_tautologic(m.Bdd_and(tout, conditions[k]))) << quoi;
      tout = m.Bdd_or(tout, conditions[k]);
    }
    EXPECT_EQ(tout, m.Bdd_one()) << quoi;
    for (unsigned e = 0; e < (1u << d.ni); ++e) {
      valeurs entrees = bits(e, d.ni);
      reaction r = reaction_automate(a, d, etat, entrees);
      valeurs v(m.nbr_variables(), false);
      for (int j = 0; j < d.ni; ++j) v[d.entree(j)] = entrees[j];
      for (int k = 0; k < n; ++k) {
        if (!evalue_bdd(m, conditions[k], v)) continue;
        EXPECT_EQ(suivants[k], cube(m, 0, r.suivant)) << quoi << " " << s << " " << e;
        EXPECT_EQ(sorties[k], cube(m, d.sortie(0), r.sorties)) << quoi << " " << s << " " << e;
      }
    }
  }
}

TEST(Evaluation, CasesOfAReaction) {
  compilation_eq c = anneau();
  verifie_cas(*c.automate, c.d, "ring");
  // An implicant of two literals: its negation is no cube.
  auto x = automate_de({{"X"}, {"a", "b"}, {"o"}, {}, {{"Xn", "a and not b or not a and b"},
                                                      {"o", "X and a and b"}}, {0}});
  x->sort();
  verifie_cas(*x, {1, 2, 1}, "exclusive or");
  // Equations that read no input: one case, the condition true.
  auto y = automate_de({{"X", "Y"}, {"a"}, {}, {}, {{"Xn", "Y"}, {"Yn", "X and not Y"}}, {0, 1}});
  bddpp_manager& m = *y->manager_associe();
  bdd situation = fonction(m, "X and not Y");
  std::vector<bdd> conditions, suivants, sorties;
  EXPECT_EQ(y->evaluation_etats_suivants(situation, conditions, suivants, sorties), 1);
  EXPECT_EQ(conditions[0], m.Bdd_one());
  EXPECT_EQ(suivants[0], fonction(m, "not X and Y"));
}

TEST(Evaluation, ThreeValuedReaction) {
  compilation_eq c = anneau();
  b_automaton& a = *c.automate;
  int nv = a.manager_associe()->nbr_variables();
  for (unsigned s = 0; s < (1u << c.d.n); ++s)
    for (unsigned e = 0; e < (1u << c.d.ni); ++e) {
      valeurs etat = bits(s, c.d.n), entrees = bits(e, c.d.ni);
      std::vector<int> v(nv, 2), suivant(nv, -1);
      for (int i = 0; i < c.d.n; ++i) v[i] = etat[i];
      for (int j = 0; j < c.d.ni; ++j) v[c.d.entree(j)] = entrees[j];
      EXPECT_EQ(a.evaluation_etat_suivant(v.data(), 1, suivant.data()), 1);
      reaction r = reaction_automate(a, c.d, etat, entrees);
      for (int i = 0; i < c.d.n; ++i) EXPECT_EQ(suivant[i], r.suivant[i]);
      for (int j = 0; j < c.d.no; ++j) EXPECT_EQ(suivant[c.d.sortie(j)], r.sorties[j]);
    }
}

TEST(Evaluation, ThreeValuedReactionLeftUndecided) {
  auto a = automate_de({{"x"}, {"a"}, {"o"}, {}, {{"xn", "a"}, {"o", "x or a"}}, {0}});
  a->sort();
  std::vector<int> v{0, 2, 2, 2}, suivant(4, -1);
  int r = -1;
  std::string err = capture_cerr([&] { r = a->evaluation_etat_suivant(v.data(), 1, suivant.data()); });
  EXPECT_EQ(r, 0);
  EXPECT_EQ(err,
            "ERROR IN EVALUATION: \n\n because the variable xn  depends on !x\n\n and I don't know "
            "how to evaluate it!\nERROR IN EVALUATION: \n\n because the variable o  depends on "
            "!x\n\n and I don't know how to evaluate it!\n\n");
  EXPECT_EQ(suivant, (std::vector<int>{0, 2, 2, 2}));
  EXPECT_EQ(capture_cerr([&] { a->evaluation_etat_suivant(v.data(), 0, suivant.data()); }), "");
  auto vide = automate_de({{}, {"a"}, {}, {}, {}, {}});
  std::vector<int> w{1}, s(1, -1);
  EXPECT_EQ(capture_cerr([&] { r = vide->evaluation_etat_suivant(w.data(), 1, s.data()); }),
            "ERROR IN SORTING EQUATIONS ... \n");
  EXPECT_EQ(r, 0);
  EXPECT_EQ(s, std::vector<int>{1});
}

TEST(Evaluation, InputSensitivity) {
  auto a = automate_de({{"x"}, {"a", "b"}, {}, {"l"}, {{"xn", "l or b"}, {"l", "a and x"}}, {0}});
  a->sort();
  bddpp_manager& m = *a->manager_associe();
  std::list<bdd> r;
  std::string err = capture_cerr([&] { r = a->sensibilite_entrees(m.Bdd_not(m.Bdd_var_by_name("x")), 1); });
  EXPECT_EQ(r, std::list<bdd>{m.Bdd_one()});
  EXPECT_EQ(err,
            "call sensibilite_entrees()\nSENSIBILITE ENTREES pour ETAT:\n!x\n---> 0: 1\n"
            "sensibilite terminee ...\n");
  err = capture_cerr([&] { r = a->sensibilite_entrees(m.Bdd_var_by_name("x"), 1); });
  EXPECT_EQ(r, (std::list<bdd>{m.Bdd_var_by_name("a"), m.Bdd_not(m.Bdd_var_by_name("a"))}));
  EXPECT_NE(err.find("---> 0: 1\nexp bloquante:("), std::string::npos) << err;
  EXPECT_NE(err.find("apres reduction: a\n---> 1: a\n---> 0: !a\n"), std::string::npos) << err;
}

// Under every condition returned the equations are decided: the value of
// the next state does not depend on the inputs that the condition leaves
// free.
TEST(Evaluation, EarlierInputSensitivity) {
  auto a = automate_de({{"X"}, {"a", "b"}, {}, {}, {{"Xn", "a and not b or not a and b or X"}}, {0}});
  bddpp_manager& m = *a->manager_associe();
  std::list<bdd> r;
  std::string err = capture_cerr([&] { r = a->old_sensibilite_entrees(m.Bdd_var_by_name("X")); });
  EXPECT_EQ(r, std::list<bdd>{m.Bdd_one()});
  EXPECT_EQ(err, "call sensibilite_entrees()\n");
  bdd situation = m.Bdd_not(m.Bdd_var_by_name("X"));
  capture_cerr([&] { r = a->old_sensibilite_entrees(situation); });
  bdd xn = a->bdd_exp_ident_associe("Xn");
  bdd tout = m.Bdd_zero();
  for (bdd const& g : r) {
    EXPECT_TRUE(m.Bdd_is_zero_tautologic(m.Bdd_and(tout, g)));
    tout = m.Bdd_or(tout, g);
    bdd sous = m.Bdd_and(g, situation);
    EXPECT_TRUE(m.Bdd_imply(sous, xn) || m.Bdd_imply(sous, m.Bdd_not(xn))) << m.Print_sop_to_String("+", ".", "!", "", g, 2);
  }
  EXPECT_EQ(tout, m.Bdd_one());
  EXPECT_EQ(a->bdd_exp_ident_associe("Xn"), xn);
}

TEST(Cone, WithoutOutputsEverythingGoes) {
  auto a = automate_de({{"X", "Y"}, {"a"}, {}, {"l"}, {{"Xn", "X"}, {"Yn", "Y"}, {"l", "X and a"}}, {1, 0}});
  testing::internal::CaptureStdout();
  int* marks = nullptr;
  std::string err = capture_cerr([&] { marks = a->useless_clean(); });
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out,
            "useless_clean report:\n variable: X\n variable: Y\n variable: Xn\n variable: Yn\n"
            " variable: a\n variable: l\n\n4 useless variables identified ... cancelling\n"
            "2 useless latches identified ... cancelling\n");
  std::string attendu = "b_automaton::useless_clean() A CONTROLER ...\n";
  for (int k = 0; k < 6; ++k) attendu += "en particulier ici ...\n";
  EXPECT_EQ(err, attendu);
  EXPECT_EQ(a->nb_equ_def(), 0);
  EXPECT_EQ(std::vector<int>(marks, marks + 6), std::vector<int>(6, 0));
  delete[] marks;
}

// Only the outputs start the marks: a next state that no marked equation
// reads is forgotten, and the readers of what it read keep it.
TEST(Cone, MarksStartFromTheOutputs) {
  auto a = automate_de({{"X", "Y"}, {"a"}, {"o"}, {"l"},
                        {{"Xn", "a"}, {"Yn", "Y"}, {"o", "X and l"}, {"l", "a"}}, {1, 0}});
  testing::internal::CaptureStdout();
  int* marks = nullptr;
  capture_cerr([&] { marks = a->useless_clean(); });
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(std::vector<int>(marks, marks + 7), (std::vector<int>{1, 0, 0, 0, 1, 1, 1}));
  delete[] marks;
  EXPECT_NE(out.find("1 useless variables identified ... cancelling\n"
                     "2 useless latches identified ... cancelling\n"),
            std::string::npos);
  Bddexpressionwood& w = *a->wood_associee();
  EXPECT_EQ(w.Exp_ids(), (std::set<long>{5, 6}));
  EXPECT_EQ(w.Users(4), (std::set<long>{2, 6}));
  EXPECT_EQ(incoherences(w),
            "incoherence sur table des amonts pour la variable 1: calcule: {} trouve{3}\n"
            "incoherence sur table des amonts pour la variable 4: calcule: {6} trouve{2,6}\n");
  // An output whose name is no variable marks nothing.
  auto b = automate_de({{}, {"a"}, {"o"}, {}, {{"o", "a"}}, {}});
  b->change_nom_output(0, "zz");
  testing::internal::CaptureStdout();
  capture_cerr([&] { delete[] b->useless_clean(); });
  EXPECT_NE(testing::internal::GetCapturedStdout().find(" variable: o\n"), std::string::npos);
  EXPECT_EQ(b->nb_equ_def(), 0);
}

TEST(Cone, Sort) {
  petit_automate d{{"X"}, {"a"}, {"o"}, {"l"}, {{"Xn", "l"}, {"o", "X"}, {"l", "a and X"}}, {1}};
  auto a = automate_de(d), fraiche = automate_de(d);
  EXPECT_TRUE(a->sort().empty());
  long niveaux = fraiche->wood_associee()->compute_dates();
  EXPECT_TRUE(a->sort().empty());
  Bddexpressionwood &w = *a->wood_associee(), &f = *fraiche->wood_associee();
  EXPECT_EQ(w.Nb_level(), niveaux);
  for (long i = 0; i < w.Nb_bdd_vars(); ++i) {
    EXPECT_EQ(w.Late_date(i), f.Late_date(i)) << i;
    if (!w.exp_by_index(i)) continue;
    EXPECT_EQ(w.exp_by_index(i)->getEarlyDate(), f.exp_by_index(i)->getEarlyDate()) << i;
  }
  auto b = automate_de({{}, {"i"}, {}, {"p", "q"}, {{"q", "p"}, {"p", "q"}}, {}});
  EXPECT_EQ(b->sort(), (std::list<long>{1, 2}));
}

}  // namespace
