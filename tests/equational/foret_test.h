// Small forests for the tests of the forest and its dates: a manager with
// named variables, equations entered by name, and the brute-force value of a
// forest's variables under its inputs.
#ifndef TARVEK_TESTS_FORET_TEST_H
#define TARVEK_TESTS_FORET_TEST_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Bddexpression.h"
#include "automate_test.h"

// A forest that owns a manager holding the given variables, in this order.
inline std::unique_ptr<Bddexpressionwood> foret(std::vector<std::string> const& noms) {
  auto* m = new bddpp_manager;
  for (auto const& n : noms) m->New_var_last(n);
  return std::make_unique<Bddexpressionwood>(m);
}

// var = the condition text, parsed over the forest's variables.
inline Bddexpression* equation(Bddexpressionwood& w, std::string const& var,
                               std::string const& texte) {
  bddpp_manager& m = *w.Manager();
  int erreur = 0;
  bdd f = m.Parse_expression(texte, &erreur);
  EXPECT_EQ(erreur, 0) << texte;
  return new Bddexpression(&w, m.Bdd_var_by_name(var), f, 0, 0);
}

// The names of the variables, in the container's order.
template <typename C>
std::vector<std::string> noms_de(bddpp_manager& m, C const& indexes) {
  std::vector<std::string> r;
  for (long i : indexes) r.push_back(m.Name_var_by_index(i));
  return r;
}

#endif
