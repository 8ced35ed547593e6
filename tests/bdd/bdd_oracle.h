// Brute-force oracle of the BDD tests: the value of a function under an
// assignment read straight off its nodes, truth tables over the first
// variables, and random formulas evaluated without the engine.
#ifndef TARVEK_TESTS_BDD_ORACLE_H
#define TARVEK_TESTS_BDD_ORACLE_H

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bddpp.h"

// Value of f when the variable at index i has bit i of `bits`.
inline bool eval_bits(bddpp_manager& m, bdd const& f, uint64_t bits) {
  int link = f.link_type();
  bdd_node* n = f.node();
  while (n->id != -1) {
    long i = m.Index_var_by_name(m.Name_var_by_id(n->id));
    if ((bits >> i) & 1u) {
      n = n->then_node;
    } else {
      link *= n->else_link;
      n = n->else_node;
    }
  }
  return link == 1;
}

// Truth table over the variables of index 0 .. nvars-1.
inline std::vector<bool> table_of(bddpp_manager& m, bdd const& f, int nvars) {
  std::vector<bool> t;
  for (uint64_t a = 0; a < (uint64_t{1} << nvars); ++a) t.push_back(eval_bits(m, f, a));
  return t;
}

inline std::vector<bool> table_of(int nvars, std::function<bool(uint64_t)> const& fn) {
  std::vector<bool> t;
  for (uint64_t a = 0; a < (uint64_t{1} << nvars); ++a) t.push_back(fn(a));
  return t;
}

inline bool bit(uint64_t a, int i) { return (a >> i) & 1u; }

// A manager with variables v0 .. v(n-1) at indexes 0 .. n-1.
inline std::vector<bdd> make_vars(bddpp_manager& m, int n, std::string const& prefix = "v") {
  std::vector<bdd> v;
  for (int i = 0; i < n; ++i) v.push_back(m.New_var_last(prefix + std::to_string(i)));
  return v;
}

// A random function given by its truth table, built as a sum of minterms
// through the engine, and the table itself.
struct random_function {
  bdd f;
  std::vector<bool> table;
};

inline random_function make_random_function(bddpp_manager& m, std::vector<bdd> const& vars, std::mt19937& rng,
                                            int density_percent = 50) {
  int n = static_cast<int>(vars.size());
  random_function r{m.Bdd_zero(), {}};
  std::uniform_int_distribution<int> pct(0, 99);
  for (uint64_t a = 0; a < (uint64_t{1} << n); ++a) {
    bool on = pct(rng) < density_percent;
    r.table.push_back(on);
    if (!on) continue;
    bdd cube = m.Bdd_one();
    for (int i = 0; i < n; ++i) cube = m.Bdd_and(cube, bit(a, i) ? vars[i] : m.Bdd_not(vars[i]));
    r.f = m.Bdd_or(r.f, cube);
  }
  return r;
}

// Runs body(m, vars, f) on `rounds` random functions of n variables, each
// in a fresh manager.
template <typename Body>
void for_random_functions(unsigned seed, int rounds, int n, Body body) {
  std::mt19937 rng(seed);
  for (int round = 0; round < rounds; ++round) {
    bddpp_manager m;
    std::vector<bdd> v = make_vars(m, n);
    random_function r = make_random_function(m, v, rng);
    body(m, v, r, rng);
  }
}

// Disjunction of a list of functions, from false.
inline bdd or_all(bddpp_manager& m, std::list<bdd> const& l) {
  bdd r = m.Bdd_zero();
  for (auto const& p : l) r = m.Bdd_or(r, p);
  return r;
}

#endif
