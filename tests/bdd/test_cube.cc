// Cubes, literal arrays, minterms and truth tables.
#include <gtest/gtest.h>

#include "bdd_oracle.h"
#include "bddpp.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

TEST(BddCube, CubeTestAndLiterals) {
  bddpp_manager m;
  bdd a = m.New_var_last("a"), b = m.New_var_last("b"), c = m.New_var_last("c");
  struct cube_case {
    bdd f;
    int is_cube;
    std::vector<int> literals;
  };
  std::vector<cube_case> cases = {
      {m.Bdd_zero(), 1, {2, 2, 2}},
      {a, 1, {1, 2, 2}},
      {m.Bdd_not(a), 1, {0, 2, 2}},
      {m.Bdd_and(m.Bdd_not(a), m.Bdd_not(b)), 1, {0, 0, 2}},
      {m.Bdd_and(m.Bdd_not(a), c), 1, {0, 2, 1}},
      {m.Bdd_and(m.Bdd_and(c, a), m.Bdd_not(b)), 1, {1, 0, 1}},
  };
  for (auto const& k : cases) {
    EXPECT_EQ(m.Bdd_is_cube(k.f), k.is_cube);
    std::vector<int> lits(3, 9);
    m.Bdd_to_literals(k.f, lits.data());
    EXPECT_EQ(lits, k.literals);
    if (!m.Bdd_is_zero_tautologic(k.f)) {
      EXPECT_EQ(m.Literals_to_bdd(lits.data()), k.f);
    }
  }
  EXPECT_EQ(m.Bdd_is_cube(m.Bdd_one()), 1);
  EXPECT_EQ(m.Bdd_is_cube(m.Bdd_or(a, b)), 0);
  EXPECT_EQ(m.Bdd_is_cube(m.Bdd_xor(a, b)), 0);
  std::list<long> pos = {7}, neg = {7};
  m.Bdd_to_literals(m.Bdd_and(m.Bdd_not(a), c), pos, neg);
  EXPECT_EQ(pos, std::list<long>{2});
  EXPECT_EQ(neg, std::list<long>{0});
  m.Bdd_to_literals(m.Bdd_zero(), pos, neg);
  EXPECT_TRUE(pos.empty() && neg.empty());
  int lits[3];
  CaptureStderr();
  m.Bdd_node_to_literals(1, nullptr, lits);
  m.Bdd_to_literals(m.Bdd_and(a, m.Bdd_or(b, c)), lits);
  m.Bdd_to_literals(m.Bdd_or(m.Bdd_not(a), b), lits);
  m.Bdd_to_literals(m.Bdd_xor(a, b), lits);
  EXPECT_EQ(GetCapturedStderr(),
            "Warning: bddpp_manager::Bdd_node_to_literals() call with a NULL bdd node !\n"
            "Warning 1: Bddpp_manager::Bdd_node_to_literals() not used with a cube ...\n"
            "Warning 3: Bddpp_manager::Bdd_node_to_literals() not used with a cube ...\n"
            "Warning 2: Bddpp_manager::Bdd_node_to_literals() not used with a cube ...\n");
  EXPECT_EQ(std::vector<int>(lits, lits + 3), (std::vector<int>{1, 0, 2}));
}

TEST(BddCube, SatisfyTakesTheFirstPath) {
  bddpp_manager m;
  bdd a = m.New_var_last("a"), b = m.New_var_last("b"), c = m.New_var_last("c");
  EXPECT_EQ(m.Bdd_satisfy(m.Bdd_or(a, b)), a);
  EXPECT_EQ(m.Bdd_satisfy(m.Bdd_and(m.Bdd_not(a), c)), m.Bdd_and(m.Bdd_not(a), c));
  EXPECT_EQ(m.Bdd_satisfy(m.Bdd_xor(a, b)), m.Bdd_and(a, m.Bdd_not(b)));
  EXPECT_EQ(m.Bdd_satisfy(m.Bdd_zero()), m.Bdd_one());
  EXPECT_EQ(m.Bdd_satisfy(m.Bdd_one()), m.Bdd_one());
  std::mt19937 rng(21);
  std::vector<bdd> v = {a, b, c};
  for (int round = 0; round < 30; ++round) {
    random_function r = make_random_function(m, v, rng);
    if (m.Bdd_is_zero_tautologic(r.f)) continue;
    bdd s = m.Bdd_satisfy(r.f);
    EXPECT_EQ(m.Bdd_is_cube(s), 1);
    EXPECT_EQ(m.Bdd_imply(s, r.f), 1);
  }
}

TEST(BddCube, MintermsAndTruthTables) {
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 6);
  EXPECT_EQ(m.Minterm(5, 3, v.data()), m.Bdd_and(m.Bdd_and(v[0], m.Bdd_not(v[1])), v[2]));
  EXPECT_EQ(m.Minterm(-1, 3, v.data()), m.Bdd_zero());
  EXPECT_EQ(m.Minterm(7, 0, v.data()), m.Bdd_one());
  EXPECT_EQ(m.Id_function_by_bdd(v[0], 1, v.data()), 2);
  EXPECT_EQ(m.Id_function_by_bdd(m.Bdd_one(), 2, v.data()), 15);
  EXPECT_EQ(m.Bdd_function_by_id(0, 3, v.data()), m.Bdd_zero());
  CaptureStderr();
  EXPECT_EQ(m.Id_function_by_bdd(v[0], 6, v.data()), 0);
  EXPECT_EQ(GetCapturedStderr(),
            "In bddpp_manager::Id_function_by_bdd(): number of variables (6) too big! avorted ...\n");
  // Round trips for every size, with the top bit of a 32-bit table among
  // them.
  std::mt19937 rng(22);
  for (int n = 0; n <= 5; ++n) {
    for (int round = 0; round < 10; ++round) {
      uint32_t table = static_cast<uint32_t>(rng());
      if (n < 5) table &= (1u << (1u << n)) - 1;
      if (round == 0) table = n == 5 ? 0x80000001u : (1u << ((1u << n) - 1));
      bdd f = m.Bdd_function_by_id(table, n, v.data());
      EXPECT_EQ(static_cast<uint32_t>(m.Id_function_by_bdd(f, n, v.data())), table);
      for (uint64_t a = 0; a < (uint64_t{1} << n); ++a) EXPECT_EQ(eval_bits(m, f, a), bit(table, static_cast<int>(a)));
    }
  }
  EXPECT_LT(m.Id_function_by_bdd(m.Bdd_function_by_id(0x80000000u, 5, v.data()), 5, v.data()), 0);
}
