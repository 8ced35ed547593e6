// Cofactors, quantification, restriction, substitution and copies between
// managers, each against the brute-force oracle on random functions.
#include <gtest/gtest.h>

#include "bdd_oracle.h"
#include "bddpp.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

const int N = 4;

// f's table with variable i forced to `value`.
std::vector<bool> forced(std::vector<bool> const& t, int i, bool value) {
  std::vector<bool> r(t.size());
  for (uint64_t a = 0; a < t.size(); ++a) r[a] = t[value ? (a | (1u << i)) : (a & ~(uint64_t{1} << i))];
  return r;
}

std::vector<bool> combine(std::vector<bool> const& x, std::vector<bool> const& y, bool conj) {
  std::vector<bool> r(x.size());
  for (size_t a = 0; a < x.size(); ++a) r[a] = conj ? (x[a] && y[a]) : (x[a] || y[a]);
  return r;
}

}  // namespace

TEST(BddCofactor, CofactorsByLiteralsCubesAndArrays) {
  for_random_functions(11, 30, N, [](bddpp_manager& m, std::vector<bdd>& v, random_function& r,
                                         std::mt19937&) {
    for (int i = 0; i < N; ++i) {
      EXPECT_EQ(table_of(m, m.Bdd_cube_reduce(r.f, v[i]), N), forced(r.table, i, true));
      EXPECT_EQ(table_of(m, m.Bdd_cube_reduce(r.f, m.Bdd_not(v[i])), N), forced(r.table, i, false));
    }
    // A cube of two literals and the same partial assignment as an array.
    std::vector<int> lits(N, 2);
    lits[1] = 0;
    lits[3] = 1;
    bdd cube = m.Bdd_and(m.Bdd_not(v[1]), v[3]);
    std::vector<bool> expected = forced(forced(r.table, 1, false), 3, true);
    EXPECT_EQ(table_of(m, m.Bdd_cube_reduce(r.f, cube), N), expected);
    EXPECT_EQ(table_of(m, m.Bdd_eval(r.f, lits.data()), N), expected);
    int link = 0;
    bdd_node* n = m.Bdd_cube_reduce(r.f.link_type(), r.f.node(), lits.data(), link);
    EXPECT_EQ(bdd(&m, link, n), m.Bdd_eval(r.f, lits.data()));
    for (int i = 0; i < N; ++i) {
      bool depends = forced(r.table, i, true) != forced(r.table, i, false);
      bool can_true = false, can_false = false;
      for (bool b : forced(r.table, i, true)) can_true = can_true || b;
      for (bool b : forced(r.table, i, false)) can_false = can_false || b;
      EXPECT_EQ(m.Variable_true_awaited(r.f, i), depends && can_true);
      EXPECT_EQ(m.Variable_false_awaited(r.f, i), depends && can_false);
    }
  });
}

// The exact nodes of the operations whose order of sub-operations the
// writers show through the global ids. Variables x, y, z, u have global
// ids 2 to 5; f = ite(x, y and z, y or z) makes nodes 6 to 10.
TEST(BddCofactor, SequencesCreateExactlyTheseNodes) {
  const std::vector<shape> of_f = {
      {6, "y", 4, -1, 1}, {7, "y", 1, 1, 4}, {8, "x", 6, -1, 1}, {9, "x", 1, -1, 7}, {10, "x", 6, 1, 7}};
  auto with_f = [&of_f](std::vector<shape> more) {
    more.insert(more.begin(), of_f.begin(), of_f.end());
    return more;
  };
  using build_fn = std::function<bdd(bddpp_manager&, std::vector<bdd>&)>;
  auto f_of = [](bddpp_manager& m, std::vector<bdd>& v) {
    bdd both = m.Bdd_and(v[1], v[2]);
    bdd either = m.Bdd_or(v[1], v[2]);
    return m.Bdd_ite(v[0], both, either);
  };
  struct row {
    std::string what;
    build_fn build;
    int result_link;
    std::vector<shape> created;  // the result is the last one unless said
    int32_t result_gid;
  };
  std::vector<row> rows = {
      // Conjoined from true, top of the order first: x and not y, then z.
      {"cube of a literal array",
       [](bddpp_manager& m, std::vector<bdd>&) {
         int lits[4] = {1, 0, 1, 2};
         return m.Literals_to_bdd(lits);
       },
       -1, {{6, "x", 3, 1, 1}, {7, "y", 1, -1, 4}, {8, "x", 7, 1, 1}}, 8},
      // Bit 0 goes to vars[0]: z, then not y, then x.
      {"minterm 5 over z, y, x",
       [](bddpp_manager& m, std::vector<bdd>& v) {
         bdd zyx[3] = {v[2], v[1], v[0]};
         return m.Minterm(5, 3, zyx);
       },
       -1, {{6, "y", 1, -1, 4}, {7, "x", 6, 1, 1}}, 7},
      // The cofactor by y (x ? z : 1) before the one by not y (x ? 0 : z).
      {"exist over y", [&f_of](bddpp_manager& m, std::vector<bdd>& v) { return m.Bdd_exist(f_of(m, v), v[1]); }, 1,
       with_f({{11, "x", 4, 1, 1}, {12, "x", 1, -1, 4}}), 11},
      {"forall over y", [&f_of](bddpp_manager& m, std::vector<bdd>& v) { return m.Bdd_forall(f_of(m, v), v[1]); },
       -1, with_f({{11, "x", 4, 1, 1}, {12, "x", 1, -1, 4}}), 12},
      // z becomes u: the else branch (y or u) is renamed before the then
      // branch (y and u).
      {"replace z by u",
       [&f_of](bddpp_manager& m, std::vector<bdd>& v) {
         long positions[4] = {0, 1, 3, 3};
         return m.Bdd_replace_vars(f_of(m, v), positions);
       },
       1,
       with_f({{11, "y", 1, -1, 5},
               {12, "y", 1, 1, 5},
               {13, "y", 5, -1, 1},
               {14, "x", 13, -1, 1},
               {15, "x", 1, -1, 12},
               {16, "x", 13, 1, 12}}),
       16},
      // The same substitution by composition walks the then branch first.
      {"compose z with u",
       [&f_of](bddpp_manager& m, std::vector<bdd>& v) { return m.Bdd_compose(f_of(m, v), v[2], v[3]); }, 1,
       with_f({{11, "y", 5, -1, 1},
               {12, "y", 1, -1, 5},
               {13, "y", 1, 1, 5},
               {14, "x", 11, -1, 1},
               {15, "x", 1, -1, 13},
               {16, "x", 11, 1, 13}}),
       16},
  };
  for (auto const& r : rows) {
    SCOPED_TRACE(r.what);
    bddpp_manager m;
    std::vector<bdd> v = {m.New_var_last("x"), m.New_var_last("y"), m.New_var_last("z"), m.New_var_last("u")};
    bdd f = r.build(m, v);
    expect_created_nodes(m, 6, r.created);
    EXPECT_EQ(f.link_type(), r.result_link);
    EXPECT_EQ(f.node()->global_id, r.result_gid);
  }
}

TEST(BddCofactor, CofactorEdgeCases) {
  bddpp_manager m;
  bdd x = m.New_var_last("x"), y = m.New_var_last("y"), z = m.New_var_last("z");
  bdd xy = m.Bdd_and(x, y);
  EXPECT_EQ(m.Bdd_cube_reduce(xy, x), y);
  EXPECT_EQ(m.Bdd_cube_reduce(xy, m.Bdd_not(x)), m.Bdd_zero());
  EXPECT_EQ(m.Bdd_cube_reduce(xy, m.Bdd_one()), xy);
  EXPECT_EQ(m.Bdd_cube_reduce(xy, m.Bdd_zero()), xy);
  bdd f = m.Bdd_ite(x, m.Bdd_and(y, z), z);
  int lits[3] = {2, 1, 2};
  EXPECT_EQ(m.Bdd_eval(f, lits), z);
  int free_all[3] = {2, 2, 2};
  EXPECT_EQ(m.Bdd_eval(f, free_all), f);
  int x1y0[3] = {1, 0, 2};
  EXPECT_EQ(m.Bdd_eval(xy, x1y0), m.Bdd_zero());
  EXPECT_EQ(m.Variable_true_awaited(xy, 0), 1);
  EXPECT_EQ(m.Variable_false_awaited(xy, 0), 0);
  EXPECT_EQ(m.Variable_true_awaited(xy, 3), 0);
  EXPECT_EQ(m.Variable_false_awaited(xy, -1), 0);
  // A cube argument that is not a cube: warned, and the literals of the
  // path it took are used.
  CaptureStderr();
  bdd r = m.Bdd_cube_reduce(z, m.Bdd_or(x, y));
  EXPECT_EQ(GetCapturedStderr(), "Warning 1: Bddpp_manager::Bdd_node_to_literals() not used with a cube ...\n");
  EXPECT_EQ(r, z);
}

TEST(BddCofactor, QuantificationAndFirstVariables) {
  for_random_functions(12, 30, N, [](bddpp_manager& m, std::vector<bdd>& v, random_function& r,
                                         std::mt19937&) {
    for (int i = 0; i < N; ++i) {
      auto hi = forced(r.table, i, true), lo = forced(r.table, i, false);
      EXPECT_EQ(table_of(m, m.Bdd_exist(r.f, v[i]), N), combine(hi, lo, false));
      EXPECT_EQ(table_of(m, m.Bdd_exist(r.f, m.Bdd_not(v[i])), N), combine(hi, lo, false));
      EXPECT_EQ(table_of(m, m.Bdd_forall(r.f, v[i]), N), combine(hi, lo, true));
    }
    for (int k = 0; k <= N; ++k) {
      std::vector<bool> expected = r.table;
      for (int i = k; i < N; ++i) expected = combine(forced(expected, i, true), forced(expected, i, false), false);
      EXPECT_EQ(table_of(m, m.Bdd_keep_first_variables(r.f, k), N), expected);
    }
  });
  bddpp_manager m;
  bdd x = m.New_var_last("x"), y = m.New_var_last("y");
  bdd xy = m.Bdd_and(x, y);
  EXPECT_EQ(m.Bdd_exist(xy, m.Bdd_or(x, y)), xy);  // not a literal: unchanged
  EXPECT_EQ(m.Bdd_exist(y, x), y);
  EXPECT_EQ(m.Bdd_forall(m.Bdd_or(x, y), x), y);
  EXPECT_EQ(m.Bdd_keep_first_variables(xy, 1), x);
  EXPECT_EQ(m.Bdd_keep_first_variables(xy, 0), m.Bdd_one());
  EXPECT_EQ(m.Bdd_keep_first_variables(m.Bdd_zero(), 0), m.Bdd_zero());
}

// Bdd_reduce is the conjunction of the cofactors of f by the successive
// first-path cubes of the care set.
TEST(BddCofactor, ReduceToACareSet) {
  for_random_functions(13, 30, N, [](bddpp_manager& m, std::vector<bdd>& v, random_function& r,
                                         std::mt19937& rng) {
    random_function c = make_random_function(m, v, rng, 30);
    std::vector<bool> expected(r.table.size(), true);
    bdd d = c.f;
    while (d != m.Bdd_zero()) {
      bdd s = m.Bdd_satisfy(d);
      std::vector<int> lits(N);
      m.Bdd_to_literals(s, lits.data());
      std::vector<bool> part = r.table;
      for (int i = 0; i < N; ++i)
        if (lits[i] != 2) part = forced(part, i, lits[i] == 1);
      expected = combine(expected, part, true);
      d = m.Bdd_and(d, m.Bdd_not(s));
    }
    bool shares = m.exists_common_variables(r.f, c.f);
    EXPECT_EQ(table_of(m, m.Bdd_reduce(r.f, c.f), N), shares ? expected : r.table);
  });
  bddpp_manager m;
  bdd x = m.New_var_last("x"), y = m.New_var_last("y"), z = m.New_var_last("z");
  bdd f = m.Bdd_or(x, y);
  EXPECT_EQ(m.Bdd_reduce(f, m.Bdd_one()), f);
  EXPECT_EQ(m.Bdd_reduce(f, z), f);
  EXPECT_EQ(m.Bdd_reduce(f, m.Bdd_not(x)), y);
}

TEST(BddCofactor, SimplifyAgainstAForbiddenSet) {
  bddpp_manager m;
  bdd x = m.New_var_last("x"), y = m.New_var_last("y");
  EXPECT_EQ(m.Bdd_simplify(m.Bdd_and(x, y), m.Bdd_not(x)), x);
  EXPECT_EQ(m.Bdd_simplify(m.Bdd_one(), x), m.Bdd_one());
  EXPECT_EQ(m.Bdd_simplify2(m.Bdd_and(x, y), m.Bdd_not(x)), m.Bdd_and(x, y));
  std::mt19937 rng(14);
  for (int round = 0; round < 30; ++round) {
    bddpp_manager k;
    std::vector<bdd> v = make_vars(k, N);
    random_function f = make_random_function(k, v, rng, 30);
    random_function c = make_random_function(k, v, rng, 30);
    bdd s = k.Bdd_simplify(f.f, c.f);
    std::vector<bool> expected = f.table;
    for (long id : k.set_of_id_depend_on(f.f)) {
      int i = static_cast<int>(id);
      std::vector<bool> g = combine(forced(expected, i, true), forced(expected, i, false), false);
      if (combine(g, c.table, true) == std::vector<bool>(g.size(), false)) expected = g;
    }
    EXPECT_EQ(table_of(k, s, N), expected);
  }
}

TEST(BddCofactor, ComposeAndReplaceVariables) {
  std::mt19937 rng(15);
  for (int round = 0; round < 20; ++round) {
    bddpp_manager m;
    std::vector<bdd> v = make_vars(m, N);
    random_function f = make_random_function(m, v, rng);
    random_function g = make_random_function(m, v, rng);
    for (int i = 0; i < N; ++i) {
      std::vector<bool> expected(f.table.size());
      for (uint64_t a = 0; a < expected.size(); ++a) {
        uint64_t b = g.table[a] ? (a | (1u << i)) : (a & ~(uint64_t{1} << i));
        expected[a] = f.table[b];
      }
      EXPECT_EQ(table_of(m, m.Bdd_compose(f.f, v[i], g.f), N), expected);
    }
    long perm[N] = {2, 0, 3, 1};
    std::vector<bool> expected(f.table.size());
    for (uint64_t a = 0; a < expected.size(); ++a) {
      uint64_t b = 0;
      for (int i = 0; i < N; ++i)
        if (bit(a, static_cast<int>(perm[i]))) b |= 1u << i;
      expected[a] = f.table[b];
    }
    EXPECT_EQ(table_of(m, m.Bdd_replace_vars(f.f, perm), N), expected);
    long identity[N] = {0, 1, 2, 3};
    EXPECT_EQ(m.Bdd_replace_vars(f.f, identity), f.f);
  }
  bddpp_manager m;
  bdd x = m.New_var_last("x"), y = m.New_var_last("y"), z = m.New_var_last("z");
  long y_to_z[3] = {0, 2, 2};
  EXPECT_EQ(m.Bdd_replace_vars(m.Bdd_and(x, y), y_to_z), m.Bdd_and(x, z));
  long drop_y[3] = {0, -1, 2};
  EXPECT_EQ(m.Bdd_replace_vars(m.Bdd_and(x, y), drop_y), x);
  EXPECT_EQ(m.Bdd_compose(m.Bdd_and(x, y), y, m.Bdd_not(x)), m.Bdd_zero());
  CaptureStderr();
  EXPECT_EQ(m.Bdd_compose(m.Bdd_and(x, y), m.Bdd_not(y), x), m.Bdd_zero());
  EXPECT_EQ(m.Bdd_swap_vars(x, x, y), m.Bdd_zero());
  EXPECT_EQ(GetCapturedStderr(),
            "Warning in bddpp_manager::Bdd_compose(): second parametre is not a variable!\n"
            "bddpp_manager::Bdd_swap_vars(bdd f) A FAIRE\n");
}

namespace {

// f of `from` and g of `to` agree on every assignment of the named
// variables.
void expect_same_by_names(bddpp_manager& from, bdd const& f, bddpp_manager& to, bdd const& g,
                          std::vector<std::string> const& names) {
  int n = static_cast<int>(names.size());
  for (uint64_t a = 0; a < (uint64_t{1} << n); ++a) {
    uint64_t fa = 0, ga = 0;
    for (int k = 0; k < n; ++k) {
      if (!bit(a, k)) continue;
      fa |= uint64_t{1} << from.Index_var_by_name(names[k]);
      ga |= uint64_t{1} << to.Index_var_by_name(names[k]);
    }
    ASSERT_EQ(eval_bits(from, f, fa), eval_bits(to, g, ga)) << "assignment " << a;
  }
}

}  // namespace

TEST(BddCopy, ByNameIntoAnotherOrder) {
  std::mt19937 rng(16);
  std::vector<std::string> names = {"v0", "v1", "v2", "v3"};
  for (int round = 0; round < 20; ++round) {
    bddpp_manager s, m;
    std::vector<bdd> v = make_vars(s, N);
    for (int i = N - 1; i >= 0; --i) m.New_var_last(names[i]);
    random_function f = make_random_function(s, v, rng);
    bdd g = Bdd_isomorphe_by_name(&m, &s, f.f);
    EXPECT_EQ(g.manager_ref(), &m);
    expect_same_by_names(s, f.f, m, g, names);
    EXPECT_EQ(m.Bdd_is_correct(g), 1);
  }
}

TEST(BddCopy, ByNameCreatesMissingNamesInPreOrder) {
  bddpp_manager s;
  bdd a = s.New_var_last("a"), b = s.New_var_last("b"), c = s.New_var_last("c");
  bdd f = s.Bdd_or(s.Bdd_and(a, c), s.Bdd_and(s.Bdd_not(a), b));
  bddpp_manager m;
  bdd g = Bdd_isomorphe_by_name(&m, &s, f);
  // Pre-order: a, then its then branch (c), then the else branch (b).
  EXPECT_EQ(m.Name_var_by_index(0), "a");
  EXPECT_EQ(m.Name_var_by_index(1), "c");
  EXPECT_EQ(m.Name_var_by_index(2), "b");
  expect_same_by_names(s, f, m, g, {"a", "b", "c"});

  bddpp_manager t;
  s.New_var_last("x");
  bdd xy = s.Bdd_and(s.Bdd_var_by_name("x"), s.Bdd_var_by_name("b"));
  bdd h = Bdd_isomorphe_by_name(&t, &s, xy);
  int32_t counter = t.Bdd_total_size();
  EXPECT_EQ(Bdd_isomorphe_by_name(&t, &s, xy), h);
  EXPECT_EQ(t.Bdd_total_size(), counter);  // the second copy finds everything
  // The if-then-else rebuild leaves one reference on the copied node: it
  // survives a collection with no handle on it.
  bdd_node* kept = h.node();
  int32_t gid = kept->global_id;
  h = bdd();
  t.Bdd_gc();
  bdd again = t.Bdd_and(t.Bdd_var_by_name("b"), t.Bdd_var_by_name("x"));
  EXPECT_EQ(again.node()->global_id, gid);
}

// Target m declares b only. Copying f = ite(a, b and c, c) of a, b, c
// creates a (met first), then c (first in the then branch), then rebuilds
// through the if-then-else path since b sits above a in m.
TEST(BddCopy, ByNameBuildsTheseNodes) {
  bddpp_manager s;
  bdd a = s.New_var_last("a"), b = s.New_var_last("b"), c = s.New_var_last("c");
  bdd bc = s.Bdd_and(b, c);
  bdd f = s.Bdd_ite(a, bc, c);
  bddpp_manager m;
  m.New_var_last("b");
  bdd g = Bdd_isomorphe_by_name(&m, &s, f);
  EXPECT_EQ(m.Name_var_by_index(1), "a");
  EXPECT_EQ(m.Name_var_by_index(2), "c");
  expect_created_nodes(m, 3,
                       {{3, "a", 1, -1, 1},
                        {4, "c", 1, -1, 1},
                        {5, "b", 4, -1, 1},    // b and c, rebuilt below a's then branch
                        {6, "a", 1, -1, 4},    // not a and c
                        {7, "a", 4, -1, 1},    // a and c
                        {8, "b", 7, -1, 1},    // a and b and c
                        {9, "b", 4, -1, 6}});  // the copy: b ? c : not a and c
  EXPECT_EQ(g.link_type(), 1);
  EXPECT_EQ(g.node()->global_id, 9);
  expect_same_by_names(s, f, m, g, {"a", "b", "c"});
}

TEST(BddCopy, ByPositions) {
  std::mt19937 rng(17);
  for (int round = 0; round < 20; ++round) {
    bddpp_manager s, m, p;
    std::vector<bdd> v = make_vars(s, N);
    make_vars(m, N);
    make_vars(p, N);
    random_function f = make_random_function(s, v, rng);
    bdd g = Bdd_isomorphe(&m, &s, f.f);
    EXPECT_EQ(table_of(m, g, N), f.table);
    EXPECT_EQ(m.Bdd_size(g), s.Bdd_size(f.f));
    long reverse[N] = {3, 2, 1, 0};
    std::vector<bool> expected(f.table.size());
    for (uint64_t a = 0; a < expected.size(); ++a) {
      uint64_t b = 0;
      for (int i = 0; i < N; ++i)
        if (bit(a, 3 - i)) b |= 1u << i;
      expected[a] = f.table[b];
    }
    EXPECT_EQ(table_of(p, Bdd_isomorphe(&p, &s, f.f, reverse), N), expected);
    bdd_node* n = Bdd_isomorphe(&p, &s, f.f.node(), reverse);
    EXPECT_EQ(table_of(p, bdd(&p, f.f.link_type(), n), N), expected);
  }
  bddpp_manager s, m;
  make_vars(s, 1);
  make_vars(m, 1);
  CaptureStderr();
  long id[1] = {0};
  EXPECT_EQ(Bdd_isomorphe(&m, &s, bdd(), id), m.Bdd_zero());
  EXPECT_EQ(GetCapturedStderr(), "ERROR: Bad call of Bdd_isomorphe() !\n");
  EXPECT_EQ(Bdd_isomorphe(&m, &s, s.Bdd_one(), id), m.Bdd_one());
}
