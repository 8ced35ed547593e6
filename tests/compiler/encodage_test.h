// Encodings of small .gt texts built in-process for the compiler tests, and
// the brute-force comparison of their functions with expected ones.
#ifndef TARVEK_TESTS_ENCODAGE_TEST_H
#define TARVEK_TESTS_ENCODAGE_TEST_H

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bdd_oracle.h"
#include "gt_source.h"
#include "gt_texte.h"
#include "tarvek_compil.h"

// The identifier sets belong to the base grafcet; the tests read them here.
class encodage_lu : public tpen_BDD_fichier {
 public:
  using tpen_BDD_fichier::tpen_BDD_fichier;
  std::set<int> cond_ext() const { return conditions_externes; }
  std::set<int> even_ext() const { return evenements_externes; }
  std::set<int> cond_int() const { return conditions_internes; }
  std::set<int> even_int() const { return evenements_internes; }
};

// The inputs first: they decide the variables.
inline std::string gt_entrees(const std::string& inputs, const std::vector<std::string>& etapes,
                              const std::vector<std::string>& transitions,
                              const std::vector<std::string>& assertions = {}) {
  return gt(etapes, transitions, inputs, assertions);
}

struct encodage_teste {
  lecture source;
  std::unique_ptr<encodage_lu> e;
  std::string err;  // what the construction wrote on the standard error stream
};

inline encodage_teste encode(const std::string& texte) {
  encodage_teste r;
  r.source = lit_texte(texte);
  EXPECT_EQ(r.source.code, 0) << r.source.err;
  if (r.source.code != 0) return r;
  r.err = capture_cerr([&] { r.e = std::make_unique<encodage_lu>(r.source.g.get()); });
  return r;
}

// The value of a variable, by name, under one assignment.
using valeur_de = std::function<bool(const std::string&)>;

// True when f and `attendu` agree under every assignment of the variables.
inline bool meme_fonction(tpen_BDD_fichier& e, bdd const& f,
                          const std::function<bool(const valeur_de&)>& attendu) {
  bddpp_manager& m = *e.man();
  int n = e.nombre_variables();
  for (uint64_t a = 0; a < (uint64_t{1} << n); ++a) {
    valeur_de v = [&](const std::string& nom) {
      long i = m.Index_var_by_name(nom);
      EXPECT_GE(i, 0) << nom;
      return i >= 0 && bit(a, static_cast<int>(i));
    };
    if (eval_bits(m, f, a) != attendu(v)) return false;
  }
  return true;
}

#endif
