// Brute-force checks of forest transformations: the right members of a
// forest taken before a pass, the values of every variable under each
// assignment of the variables that carry no equation, and the agreement of
// the readers table with the dependances.
#ifndef TARVEK_TESTS_VERIF_FORET_H
#define TARVEK_TESTS_VERIF_FORET_H

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "b_automaton.h"
#include "foret_test.h"

using evaluateur = std::function<bool(valeurs const&)>;

// A condition text over the manager's variables.
inline bdd fonction(bddpp_manager& m, std::string const& texte) {
  int erreur = 0;
  bdd f = m.Parse_expression(texte, &erreur);
  EXPECT_EQ(erreur, 0) << texte;
  return f;
}
using systeme = std::map<long, evaluateur>;

// The equations of a forest as evaluators of their right members, which the
// handles keep alive whatever the forest becomes.
inline systeme systeme_de(Bddexpressionwood& w) {
  systeme s;
  bddpp_manager* m = w.Manager();
  for (long i : w.Exp_ids()) {
    bdd f = w.exp_by_index(i)->getBddExp();
    s[i] = [m, f](valeurs const& v) { return evalue_bdd(*m, f, v); };
  }
  return s;
}

// The variables of the manager that no equation of s defines.
inline std::vector<long> libres(bddpp_manager& m, systeme const& s) {
  std::vector<long> r;
  for (long i = 0; i < m.nbr_variables(); ++i)
    if (!s.count(i)) r.push_back(i);
  return r;
}

// Every variable's value when the free ones take the bits of a: the
// equations iterated from all false, one round per equation and one more,
// which settles a forest without loops.
inline valeurs resout(long nbr, std::vector<long> const& entrees, unsigned a, systeme const& s) {
  valeurs v(nbr, false);
  for (size_t j = 0; j < entrees.size(); ++j) v[entrees[j]] = (a >> j) & 1u;
  for (size_t k = 0; k <= s.size(); ++k)
    for (auto const& [i, f] : s) v[i] = f(v);
  return v;
}

// Every variable that carries an equation in `apres` has the value that
// `avant` gives it, under every assignment of the free variables of
// `avant` for which `soin` holds.
inline void memes_valeurs(bddpp_manager& m, systeme const& avant, Bddexpressionwood& apres,
                          std::string const& quoi, evaluateur soin = nullptr) {
  systeme s = systeme_de(apres);
  std::vector<long> entrees = libres(m, avant);
  ASSERT_LE(entrees.size(), 12u) << quoi;
  long n = m.nbr_variables();
  for (unsigned a = 0; a < (1u << entrees.size()); ++a) {
    valeurs va = resout(n, entrees, a, avant), vb = resout(n, entrees, a, s);
    if (soin && !soin(va)) continue;
    for (auto const& [i, f] : s)
      EXPECT_EQ(va[i], vb[i]) << quoi << ": " << m.Name_var_by_index(i) << " under " << a;
  }
}

inline std::string incoherences(Bddexpressionwood const& w) {
  std::ostringstream os;
  w.coherence_dependances_check(os);
  return os.str();
}

// A small automaton: state i has the next state named after it with "n"
// appended; equations are given as (variable, condition text).
struct petit_automate {
  std::list<std::string> etats, entrees, sorties, locales;
  std::vector<std::pair<std::string, std::string>> equations;
  std::vector<int> initiales;
};

inline std::unique_ptr<b_automaton> automate_de(petit_automate d) {
  std::list<std::string> suivants;
  for (auto const& e : d.etats) suivants.push_back(e + "n");
  b_autom_dec dec(d.etats, suivants, d.entrees, d.sorties, d.locales);
  for (auto const& [v, texte] : d.equations) equation(*dec.wood_associee(), v, texte);
  bddpp_manager* m = dec.manager_associe();
  d.initiales.resize(d.etats.size() + 1, 0);
  return std::make_unique<b_automaton>(&dec, d.initiales.data(), m->Bdd_one(), m->Bdd_one());
}

#endif
