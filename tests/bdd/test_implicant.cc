// One implicant of a function and its three-valued value under a partial
// assignment.
#include <gtest/gtest.h>

#include "bdd_oracle.h"
#include "bddpp.h"

namespace {

// Variables a, b, c, d at indexes 0 to 3.
struct abcd {
  bddpp_manager m;
  bdd a, b, c, d;
  abcd() : a(m.New_var_last("a")), b(m.New_var_last("b")), c(m.New_var_last("c")), d(m.New_var_last("d")) {}
  bdd n(bdd const& f) { return m.Bdd_not(f); }
  bdd and_(bdd const& f, bdd const& g) { return m.Bdd_and(f, g); }
  bdd or_(bdd const& f, bdd const& g) { return m.Bdd_or(f, g); }
};

// 0, 1 or 2 for f over every completion of values (2 = free).
int brute_force(bddpp_manager& m, bdd const& f, std::vector<int> const& values) {
  int n = static_cast<int>(values.size());
  bool seen[2] = {false, false};
  for (uint64_t a = 0; a < (uint64_t{1} << n); ++a) {
    bool fits = true;
    for (int i = 0; i < n; ++i)
      if (values[i] != 2 && bit(a, i) != (values[i] == 1)) fits = false;
    if (fits) seen[eval_bits(m, f, a)] = true;
  }
  return seen[0] && seen[1] ? 2 : seen[1] ? 1 : 0;
}

}  // namespace

TEST(BddImplicant, FollowsTheSmallerCofactor) {
  abcd x;
  struct implicant_case {
    std::string what;
    bdd f, expected;
  };
  std::vector<implicant_case> cases = {
      {"false", x.m.Bdd_zero(), x.m.Bdd_zero()},
      {"true", x.m.Bdd_one(), x.m.Bdd_one()},
      {"a variable", x.b, x.b},
      {"a negated variable", x.n(x.b), x.n(x.b)},
      {"a or b: the positive cofactor is true", x.or_(x.a, x.b), x.a},
      {"not a and b: the positive cofactor is false", x.and_(x.n(x.a), x.b), x.and_(x.n(x.a), x.b)},
      {"not a or b: the negative cofactor is true", x.or_(x.n(x.a), x.b), x.n(x.a)},
      {"a and not b: the negative cofactor is false", x.and_(x.a, x.n(x.b)), x.and_(x.a, x.n(x.b))},
      {"a tie goes positive", x.or_(x.and_(x.a, x.b), x.and_(x.n(x.a), x.c)), x.and_(x.a, x.b)},
      {"the smaller positive support",
       x.or_(x.and_(x.a, x.b), x.and_(x.n(x.a), x.and_(x.c, x.d))), x.and_(x.a, x.b)},
      {"the smaller negative support",
       x.or_(x.and_(x.a, x.and_(x.b, x.c)), x.and_(x.n(x.a), x.d)), x.and_(x.n(x.a), x.d)},
      {"down to the first true cofactor",
       x.or_(x.and_(x.a, x.or_(x.b, x.c)), x.and_(x.n(x.a), x.and_(x.c, x.d))), x.and_(x.a, x.b)},
  };
  for (auto const& c : cases) EXPECT_EQ(x.m.Bdd_one_implicant(c.f), c.expected) << c.what;
  EXPECT_EQ(x.m.Max_number_of_terms(), 1000000);
}

TEST(BddImplicant, ThreeValuedEvaluation) {
  abcd x;
  struct eval_case {
    std::string what;
    bdd f;
    std::vector<int> values;
    int expected;
  };
  std::vector<eval_case> cases = {
      {"a and b, a false", x.and_(x.a, x.b), {0, 2, 2, 2}, 0},
      {"a and b, a true", x.and_(x.a, x.b), {1, 2, 2, 2}, 2},
      {"a and b, nothing known", x.and_(x.a, x.b), {2, 2, 2, 2}, 2},
      {"a or not a", x.or_(x.a, x.n(x.a)), {2, 2, 2, 2}, 1},
      {"a or b, b true", x.or_(x.a, x.b), {2, 1, 2, 2}, 1},
      {"not a or b, a false", x.or_(x.n(x.a), x.b), {0, 2, 2, 2}, 1},
      {"a xor b, b known", x.m.Bdd_xor(x.a, x.b), {2, 1, 2, 2}, 2},
      {"any value other than 1 and 2 is false", x.n(x.a), {5, 2, 2, 2}, 1},
      {"false", x.m.Bdd_zero(), {2, 2, 2, 2}, 0},
  };
  for (auto const& c : cases) {
    std::vector<int> values = c.values;
    EXPECT_EQ(x.m.Bdd_eval_for_literal(c.f, values.data()), c.expected) << c.what;
  }
  // Every partial assignment of random functions against brute force.
  for_random_functions(116, 20, 4, [](bddpp_manager& m, std::vector<bdd>&, random_function& r, std::mt19937&) {
    for (int code = 0; code < 81; ++code) {
      std::vector<int> values;
      for (int i = 0, k = code; i < 4; ++i, k /= 3) values.push_back(k % 3);
      EXPECT_EQ(m.Bdd_eval_for_literal(r.f, values.data()), brute_force(m, r.f, values));
    }
    if (!m.Bdd_is_zero_tautologic(r.f)) {
      bdd p = m.Bdd_one_implicant(r.f);
      EXPECT_TRUE(m.Bdd_is_cube(p) && m.Bdd_imply(p, r.f));
    }
  });
}
