// Connectives: the exact nodes each sequence creates, canonicity, and the
// functions they compute against the brute-force oracle.
#include <gtest/gtest.h>

#include "bdd_oracle.h"
#include "bddpp.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

// Variables x, y, z have global ids 2, 3, 4; every row starts at 5.
TEST(BddOps, SequencesCreateExactlyTheseNodes) {
  struct row {
    std::string what;
    std::function<bdd(bddpp_manager&, bdd, bdd, bdd)> build;
    int result_link;             // 0 for the tests, whose handle says false
    std::vector<shape> created;  // in creation order; the last is the result
  };
  std::vector<row> rows = {
      {"x and y", [](bddpp_manager& m, bdd x, bdd y, bdd) { return m.Bdd_and(x, y); }, 1, {{5, "x", 3, -1, 1}}},
      {"y and x", [](bddpp_manager& m, bdd x, bdd y, bdd) { return m.Bdd_and(y, x); }, 1, {{5, "x", 3, -1, 1}}},
      {"x or y", [](bddpp_manager& m, bdd x, bdd y, bdd) { return m.Bdd_or(x, y); }, 1, {{5, "x", 1, 1, 3}}},
      {"x nor y", [](bddpp_manager& m, bdd x, bdd y, bdd) { return m.Bdd_nor(x, y); }, -1, {{5, "x", 1, 1, 3}}},
      {"x nand y", [](bddpp_manager& m, bdd x, bdd y, bdd) { return m.Bdd_nand(x, y); }, -1, {{5, "x", 3, -1, 1}}},
      {"x => y", [](bddpp_manager& m, bdd x, bdd y, bdd) { return m.Bdd_implication(x, y); }, 1,
       {{5, "x", 3, 1, 1}}},
      {"x xor y",
       [](bddpp_manager& m, bdd x, bdd y, bdd) { return m.Bdd_xor(x, y); },
       -1,
       {{5, "x", 3, 1, 1}, {6, "x", 1, -1, 3}, {7, "x", 3, -1, 3}}},
      {"x xnor y",
       [](bddpp_manager& m, bdd x, bdd y, bdd) { return m.Bdd_xnor(x, y); },
       1,
       {{5, "x", 3, 1, 1}, {6, "x", 1, -1, 3}, {7, "x", 3, -1, 3}}},
      {"ite(x, y, z)",
       [](bddpp_manager& m, bdd x, bdd y, bdd z) { return m.Bdd_ite(x, y, z); },
       1,
       {{5, "x", 3, -1, 1}, {6, "x", 1, -1, 4}, {7, "x", 3, 1, 4}}},
      {"ite on index 0",
       [](bddpp_manager& m, bdd, bdd y, bdd z) { return m.Bdd_ite(1, 0, y, z); },
       1,
       {{5, "x", 3, -1, 1}, {6, "x", 1, -1, 4}, {7, "x", 3, 1, 4}}},
      {"(x and y) or z",
       [](bddpp_manager& m, bdd x, bdd y, bdd z) { return m.Bdd_or(m.Bdd_and(x, y), z); },
       1,
       {{5, "x", 3, -1, 1}, {6, "y", 1, 1, 4}, {7, "x", 6, 1, 4}}},
      // The tests build their connective and read the result: no short
      // cut on the handles, so different operands create its nodes.
      {"equiv(x, y)", [](bddpp_manager& m, bdd x, bdd y, bdd) { return m.Bdd_equiv(x, y) ? x : y; }, 0,
       {{5, "x", 3, 1, 1}, {6, "x", 1, -1, 3}, {7, "x", 3, -1, 3}}},
      {"imply(x, y)", [](bddpp_manager& m, bdd x, bdd y, bdd) { return m.Bdd_imply(x, y) ? x : y; }, 0,
       {{5, "x", 3, 1, 1}}},
      {"excl(x, y)", [](bddpp_manager& m, bdd x, bdd y, bdd) { return m.Bdds_excl(x, y) ? x : y; }, 0,
       {{5, "x", 3, -1, 1}}},
      {"exclude(x, not y)", [](bddpp_manager& m, bdd x, bdd y, bdd) { return m.Bdds_exclude(x, m.Bdd_not(y)) ? x : y; },
       0, {{5, "x", 3, 1, 1}}},
  };
  for (auto const& r : rows) {
    SCOPED_TRACE(r.what);
    bddpp_manager m;
    bdd x = m.New_var_last("x"), y = m.New_var_last("y"), z = m.New_var_last("z");
    bdd f = r.build(m, x, y, z);
    expect_created_nodes(m, 5, r.created);
    if (r.result_link == 0) {  // a test: its answer, false for these rows
      EXPECT_EQ(f, y);
      continue;
    }
    EXPECT_EQ(f.link_type(), r.result_link);
    EXPECT_EQ(shape_of(m, f.node()), r.created.back());
  }
}

TEST(BddOps, TerminalCasesCreateNothing) {
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 2);
  bdd x = v[0];
  bdd f = m.Bdd_and(v[0], v[1]);
  int32_t before = m.Bdd_total_size();
  EXPECT_EQ(m.Bdd_and(x, m.Bdd_not(x)), m.Bdd_zero());
  EXPECT_EQ(m.Bdd_or(x, m.Bdd_not(x)), m.Bdd_one());
  EXPECT_EQ(m.Bdd_and(f, m.Bdd_one()), f);
  EXPECT_EQ(m.Bdd_and(m.Bdd_zero(), f), m.Bdd_zero());
  EXPECT_EQ(m.Bdd_or(f, m.Bdd_zero()), f);
  EXPECT_EQ(m.Bdd_or(m.Bdd_one(), f), m.Bdd_one());
  EXPECT_EQ(m.Bdd_and(f, f), f);
  EXPECT_EQ(m.Bdd_or(f, f), f);
  EXPECT_EQ(m.Bdd_not(m.Bdd_not(f)), f);
  EXPECT_EQ(m.Bdd_imply(m.Bdd_zero(), f), 1);
  EXPECT_EQ(m.Bdds_excl(x, m.Bdd_not(x)), 1);
  EXPECT_EQ(m.Bdd_ite(1, -1, f, x), f);
  EXPECT_EQ(m.Bdd_ite(-1, -1, f, x), x);
  EXPECT_EQ(m.Bdd_total_size(), before);
  EXPECT_EQ(m.Bdd_xor(x, x), m.Bdd_zero());
  EXPECT_EQ(m.Bdd_xnor(x, x), m.Bdd_one());
  EXPECT_EQ(m.Bdd_eq(x, x), m.Bdd_one());
}

TEST(BddOps, WarningsOfTheObsoleteCalls) {
  bddpp_manager m;
  bdd x = m.New_var_last("x");
  CaptureStderr();
  bdd d = m.Bdd_dup(x);
  m.Bdd_free(x);
  std::string err = GetCapturedStderr();
  EXPECT_EQ(d, x);
  EXPECT_EQ(x.node()->refs, 2);  // x and d: Bdd_free releases nothing
  EXPECT_EQ(err.rfind("Warning: bddpp_manager::Bdd_dup() is became useless ...\n"
                      "Warning: bddpp_manager::Bdd_free() is now became useless\nadr manager= ",
                      0),
            0u);
}

// Random formulas over five variables: the engine's function equals the
// formula's truth table, and equal functions built two ways are one handle.
TEST(BddOps, RandomFormulasMatchTheOracleAndAreCanonical) {
  std::mt19937 rng(4);
  for (int round = 0; round < 40; ++round) {
    bddpp_manager m;
    std::vector<bdd> v = make_vars(m, 5);
    std::uniform_int_distribution<int> pick_op(0, 7), pick_var(0, 4);
    bdd f = v[pick_var(rng)];
    std::function<bool(uint64_t)> fn = [i = 0](uint64_t a) { return bit(a, i); };
    int first = static_cast<int>(m.Index_var_by_bdd(f));
    fn = [first](uint64_t a) { return bit(a, first); };
    for (int step = 0; step < 8; ++step) {
      int i = pick_var(rng);
      bdd g = v[i];
      auto old = fn;
      switch (pick_op(rng)) {
        case 0: f = m.Bdd_and(f, g); fn = [old, i](uint64_t a) { return old(a) && bit(a, i); }; break;
        case 1: f = m.Bdd_or(f, g); fn = [old, i](uint64_t a) { return old(a) || bit(a, i); }; break;
        case 2: f = m.Bdd_xor(f, g); fn = [old, i](uint64_t a) { return old(a) != bit(a, i); }; break;
        case 3: f = m.Bdd_xnor(f, g); fn = [old, i](uint64_t a) { return old(a) == bit(a, i); }; break;
        case 4: f = m.Bdd_nand(f, g); fn = [old, i](uint64_t a) { return !(old(a) && bit(a, i)); }; break;
        case 5: f = m.Bdd_nor(f, g); fn = [old, i](uint64_t a) { return !(old(a) || bit(a, i)); }; break;
        case 6: f = m.Bdd_implication(g, f); fn = [old, i](uint64_t a) { return !bit(a, i) || old(a); }; break;
        default: {
          int j = pick_var(rng);
          f = m.Bdd_ite(g, f, v[j]);
          fn = [old, i, j](uint64_t a) { return bit(a, i) ? old(a) : bit(a, j); };
        }
      }
    }
    ASSERT_EQ(table_of(m, f, 5), table_of(5, fn));
    random_function same{m.Bdd_zero(), {}};
    for (uint64_t a = 0; a < 32; ++a) {
      if (!fn(a)) continue;
      bdd cube = m.Bdd_one();
      for (int i = 4; i >= 0; --i) cube = m.Bdd_and(bit(a, i) ? v[i] : m.Bdd_not(v[i]), cube);
      same.f = m.Bdd_or(cube, same.f);
    }
    EXPECT_EQ(same.f, f);
    EXPECT_EQ(m.Bdd_equiv(same.f, f), 1);
    EXPECT_EQ(m.Bdd_is_correct(f), 1);
  }
}
