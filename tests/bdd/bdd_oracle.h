// Brute-force oracle of the BDD tests: the value of a function under an
// assignment read straight off its nodes, truth tables over the first
// variables, and random formulas evaluated without the engine.
#ifndef TARVEK_TESTS_BDD_ORACLE_H
#define TARVEK_TESTS_BDD_ORACLE_H

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <ostream>
#include <random>
#include <sstream>
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

// A random sum of `count` products over the variables, each variable in a
// product with probability `percent`, either sign.
inline bdd random_sum_of_products(bddpp_manager& m, std::vector<bdd> const& vars, std::mt19937& rng, int count,
                                  int percent) {
  std::uniform_int_distribution<int> pct(0, 99);
  bdd f = m.Bdd_zero();
  for (int k = 0; k < count; ++k) {
    bdd p = m.Bdd_one();
    for (auto const& v : vars)
      if (pct(rng) < percent) p = m.Bdd_and(p, pct(rng) < 50 ? v : m.Bdd_not(v));
    f = m.Bdd_or(f, p);
  }
  return f;
}

// The covers of f, its prime and essential implicants, their texts and
// Bdd_simplify3(f, c), computed by the ternary tree and the walks that make
// their intermediate nodes, then with the lean covers: the same products
// in the same order, the same function and the same texts.
inline void expect_lean_covers_agree(bddpp_manager& m, bdd const& f, bdd const& c, std::string const& what) {
  char const* names[] = {"primes", "essential", "others", "method 0", "method 1", "method 2", "method 3"};
  struct results {
    std::vector<std::string> lists[7];
    bdd simplified;
    std::string texts;
  };
  auto compute = [&](int lean) {
    m.Bdd_set_lean_covers(lean);
    results r;
    std::list<bdd> l[7];
    m.Bdd_prime_implicants(f, l[0]);
    m.Bdd_essential_implicants(f, l[1], l[2]);
    for (int method = 0; method < 4; ++method) m.Bdd_sop(f, l[3 + method], method);
    for (int k = 0; k < 7; ++k)
      for (auto const& p : l[k]) r.lists[k].push_back(m.Print_product_to_String(".", "!", "", p));
    r.simplified = m.Bdd_simplify3(f, c);
    std::ostringstream os;
    for (int method = 0; method < 4; ++method) {
      os << m.Print_sop_to_String(" + ", ".", "!", "", f, method) << "\n";
      m.Print_sop_pref_suff(" || ", " && ", "! (", ")", os, f, "p_", "_s", method);
      m.BLIF_print(os, "out", f, method);
      m.Print_cat_sop(",", ".", "!", "", os, f, "a", method);
    }
    r.texts = os.str();
    return r;
  };
  int was = m.Bdd_lean_covers();
  results exact = compute(0), lean = compute(1);
  m.Bdd_set_lean_covers(was);
  for (int k = 0; k < 7; ++k) EXPECT_EQ(lean.lists[k], exact.lists[k]) << what << ", " << names[k];
  EXPECT_EQ(lean.simplified, exact.simplified) << what << ", Bdd_simplify3";
  EXPECT_EQ(lean.texts, exact.texts) << what << ", texts";
}

// A node as the writers see it: global id, variable name, then child's
// global id, else edge sign and else child's global id.
struct shape {
  int32_t global_id;
  std::string var;
  int32_t then_gid;
  int else_link;
  int32_t else_gid;
};

inline shape shape_of(bddpp_manager& m, bdd_node* n) {
  return {n->global_id, m.Name_var_by_id(n->id), n->then_node->global_id, n->else_link, n->else_node->global_id};
}

inline bool operator==(shape const& a, shape const& b) {
  return a.global_id == b.global_id && a.var == b.var && a.then_gid == b.then_gid && a.else_link == b.else_link &&
         a.else_gid == b.else_gid;
}

inline std::ostream& operator<<(std::ostream& os, shape const& s) {
  return os << s.global_id << ":" << s.var << "(" << s.then_gid << "," << s.else_link << "*" << s.else_gid << ")";
}

// Every node of `created` (in creation order, from global id `first`) is
// in m's unique table under that global id, and m made no other node: the
// look-ups below create nothing when all of them are found.
inline void expect_created_nodes(bddpp_manager& m, int32_t first, std::vector<shape> const& created) {
  std::map<int32_t, bdd_node*> by_gid = {{1, m.Bdd_node_one()}};
  for (long id = 0; id < m.nbr_variables(); ++id) {
    bdd_node* v = m.Bdd_var_by_id(id).node();
    by_gid[v->global_id] = v;
  }
  EXPECT_EQ(m.Bdd_total_size(), first + static_cast<int32_t>(created.size()));
  for (auto const& s : created) {
    SCOPED_TRACE(testing::PrintToString(s));
    ASSERT_TRUE(by_gid.count(s.then_gid) && by_gid.count(s.else_gid)) << "a child that is no earlier node";
    long index = m.Index_var_by_name(s.var);
    for (int32_t child : {s.then_gid, s.else_gid}) {
      long below = m.Bdd_if_index(bdd(&m, 1, by_gid[child]));
      ASSERT_TRUE(below < 0 || index < below) << "a child above its parent: the look-up would end the process";
    }
    int link = 1;
    bdd_node* n = m.Find_or_create_bdd_node(index, 1, s.else_link, by_gid[s.then_gid], by_gid[s.else_gid], link);
    EXPECT_EQ(shape_of(m, n), s);
    by_gid[s.global_id] = n;
  }
  EXPECT_EQ(m.Bdd_total_size(), first + static_cast<int32_t>(created.size())) << "an expected node was missing";
}

// Variables a, b, c (global ids 2, 3, 4); f = (a and b) or c is node 7 =
// if a then node 6 (b or c) else c; g = not a and (b or c) is the negation
// of node 8 = if a then true else not node 6. Node 5 (a and b) is garbage.
struct abc_fixture {
  bddpp_manager m;
  bdd a, b, c, f, g;
  abc_fixture() {
    a = m.New_var_last("a");
    b = m.New_var_last("b");
    c = m.New_var_last("c");
    f = m.Bdd_or(m.Bdd_and(a, b), c);
    g = m.Bdd_and(m.Bdd_not(a), m.Bdd_or(b, c));
  }
};

#endif
