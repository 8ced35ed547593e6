// Connectives: the exact nodes each sequence creates, canonicity, and the
// functions they compute against the brute-force oracle.
#include <gtest/gtest.h>

#include "bdd_oracle.h"
#include "bddpp.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

struct shape {
  int32_t global_id;
  std::string var;
  int32_t then_gid;
  int else_link;
  int32_t else_gid;
};

shape shape_of(bddpp_manager& m, bdd_node* n) {
  return {n->global_id, m.Name_var_by_id(n->id), n->then_node->global_id, n->else_link, n->else_node->global_id};
}

bool operator==(shape const& a, shape const& b) {
  return a.global_id == b.global_id && a.var == b.var && a.then_gid == b.then_gid && a.else_link == b.else_link &&
         a.else_gid == b.else_gid;
}

std::ostream& operator<<(std::ostream& os, shape const& s) {
  return os << s.global_id << ":" << s.var << "(" << s.then_gid << "," << s.else_link << "*" << s.else_gid << ")";
}

}  // namespace

// Variables x, y, z have global ids 2, 3, 4; every row starts at 5.
TEST(BddOps, SequencesCreateExactlyTheseNodes) {
  struct row {
    std::string what;
    std::function<bdd(bddpp_manager&, bdd, bdd, bdd)> build;
    int result_link;
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
      // The tests build like any other call: equal operands still create.
      {"equiv(x xor y, x xor y)",
       [](bddpp_manager& m, bdd x, bdd y, bdd) {
         bdd f = m.Bdd_xor(x, y);
         return m.Bdd_equiv(f, f) ? m.Bdd_one() : m.Bdd_zero();
       },
       1,
       {{5, "x", 3, 1, 1}, {6, "x", 1, -1, 3}, {7, "x", 3, -1, 3}}},
  };
  for (auto const& r : rows) {
    SCOPED_TRACE(r.what);
    bddpp_manager m;
    bdd x = m.New_var_last("x"), y = m.New_var_last("y"), z = m.New_var_last("z");
    bdd f = r.build(m, x, y, z);
    int32_t created = static_cast<int32_t>(r.created.size());
    EXPECT_EQ(m.Bdd_total_size(), 5 + created);
    EXPECT_EQ(f.link_type(), r.result_link);
    if (r.what.rfind("equiv", 0) == 0) continue;
    EXPECT_EQ(shape_of(m, f.node()), r.created.back());
    // Every created node is in the table under its exact key.
    for (auto const& s : r.created) {
      bdd_node* then_node = s.then_gid == 1 ? m.Bdd_node_one() : m.Bdd_var_by_name(s.then_gid == 3 ? "y" : "z").node();
      if (s.then_gid > 4) continue;
      bdd_node* else_node = s.else_gid == 1 ? m.Bdd_node_one() : m.Bdd_var_by_name(s.else_gid == 3 ? "y" : "z").node();
      int link = 1;
      bdd_node* n = m.Find_or_create_bdd_node(m.Index_var_by_name(s.var), 1, s.else_link, then_node, else_node, link);
      EXPECT_EQ(shape_of(m, n), s);
    }
    EXPECT_EQ(m.Bdd_total_size(), 5 + created);
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
