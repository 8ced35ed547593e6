// Covers per method: the products and their order on small examples, the
// node counter they leave, and a property check on random functions.
#include <gtest/gtest.h>

#include "bdd_oracle.h"
#include "bddpp.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

std::vector<std::string> products_of(bddpp_manager& m, std::list<bdd> const& cover) {
  std::vector<std::string> r;
  for (auto const& p : cover) r.push_back(m.Print_product_to_String(".", "!", "", p));
  return r;
}

// Variables a, b, c, d at indexes 0 to 3.
struct cover_fixture {
  bddpp_manager m;
  bdd a, b, c, d;
  cover_fixture() {
    a = m.New_var_last("a");
    b = m.New_var_last("b");
    c = m.New_var_last("c");
    d = m.New_var_last("d");
  }
  bdd n(bdd const& f) { return m.Bdd_not(f); }
  bdd consensus() { return m.Bdd_or(m.Bdd_and(a, b), m.Bdd_and(n(a), c)); }
};

}  // namespace

TEST(BddCover, ProductsPerMethod) {
  using products = std::vector<std::string>;
  struct cover_case {
    std::string what;
    std::function<bdd(cover_fixture&)> f;
    products method[4];
  };
  std::vector<cover_case> cases = {
      {"true", [](cover_fixture& x) { return x.m.Bdd_one(); }, {{"1"}, {"1"}, {"1"}, {"1"}}},
      {"false", [](cover_fixture& x) { return x.m.Bdd_zero(); }, {{}, {"0"}, {}, {}}},
      {"a", [](cover_fixture& x) { return x.a; }, {{"a"}, {"a"}, {"a"}, {"a"}}},
      {"not a", [](cover_fixture& x) { return x.n(x.a); }, {{"!a"}, {"!a"}, {"!a"}, {"!a"}}},
      {"a or b", [](cover_fixture& x) { return x.m.Bdd_or(x.a, x.b); },
       {{"a", "!a.b"}, {"a", "b"}, {"a", "b"}, {"a", "b"}}},
      {"a xor b", [](cover_fixture& x) { return x.m.Bdd_xor(x.a, x.b); },
       {{"a.!b", "!a.b"}, {"a.!b", "!a.b"}, {"a.!b", "!a.b"}, {"a.!b", "!a.b"}}},
      {"consensus", [](cover_fixture& x) { return x.consensus(); },
       {{"a.b", "!a.c"}, {"a.b", "!a.c"}, {"a.b", "!a.c"}, {"a.b", "!a.c"}}},
      {"a.b or c", [](cover_fixture& x) { return x.m.Bdd_or(x.m.Bdd_and(x.a, x.b), x.c); },
       {{"a.b", "a.!b.c", "!a.c"}, {"a.b", "c"}, {"a.b", "c"}, {"a.b", "c"}}},
      // Row 17 of the fixed covers: b + a.!d + !c.d + !a.c.
      {"row 17",
       [](cover_fixture& x) {
         bddpp_manager& m = x.m;
         return m.Bdd_or(m.Bdd_or(x.b, m.Bdd_and(x.a, x.n(x.d))),
                         m.Bdd_or(m.Bdd_and(x.n(x.c), x.d), m.Bdd_and(x.n(x.a), x.c)));
       },
       {{"a.b", "a.!b.c.!d", "a.!b.!c", "!a.b", "!a.!b.c", "!a.!b.!c.d"},
        {"c.!d", "a.!c", "b", "!a.c", "!c.d"},
        // No prime but b is essential and none is disjoint from b: the
        // greedy completion is longer than method 1's cover, which wins.
        {"c.!d", "a.!c", "b", "!a.c", "!c.d"},
        {"b", "a.!d", "!c.d", "!a.c"}}},
  };
  for (auto const& k : cases) {
    for (int method = 0; method < 4; ++method) {
      SCOPED_TRACE(k.what + ", method " + std::to_string(method));
      cover_fixture x;
      bdd f = k.f(x);
      std::list<bdd> cover = {x.a};  // replaced, not extended
      x.m.Bdd_sop(f, cover, method);
      EXPECT_EQ(products_of(x.m, cover), k.method[method]);
      EXPECT_EQ(or_all(x.m, cover), f);
    }
  }
}

TEST(BddCover, PrimeAndEssentialImplicants) {
  cover_fixture x;
  bdd f = x.consensus();
  std::list<bdd> primes, essential, others;
  x.m.Bdd_prime_implicants(f, primes);
  EXPECT_EQ(products_of(x.m, primes), (std::vector<std::string>{"a.b", "!a.c", "b.c"}));
  x.m.Bdd_essential_implicants(f, essential, others);
  EXPECT_EQ(products_of(x.m, essential), (std::vector<std::string>{"a.b", "!a.c"}));
  EXPECT_EQ(products_of(x.m, others), (std::vector<std::string>{"b.c"}));
  x.m.Bdd_essential_implicants(x.m.Bdd_one(), essential, others);
  EXPECT_EQ(products_of(x.m, essential), (std::vector<std::string>{"1"}));
  EXPECT_TRUE(others.empty());
  x.m.Bdd_essential_implicants(x.m.Bdd_zero(), essential, others);
  EXPECT_TRUE(essential.empty());
  EXPECT_EQ(products_of(x.m, others), (std::vector<std::string>{"0"}));
  // Each prime drops, in id order, the variables whose removal keeps it
  // disjoint from !a.!b: a.b and b.c become b, !a.c already meets it.
  bdd s = x.m.Bdd_simplify3(f, x.m.Bdd_and(x.n(x.a), x.n(x.b)));
  EXPECT_EQ(s, x.m.Bdd_or(x.b, x.m.Bdd_and(x.n(x.a), x.c)));
  EXPECT_EQ(x.m.Bdd_simplify3(x.m.Bdd_zero(), x.a), x.m.Bdd_zero());
  CaptureStderr();
  Tdd orphan(nullptr, f);
  orphan.Bdd_prime_implicants(primes);
  EXPECT_EQ(GetCapturedStderr(), "in Tdd::Tdd() : error: bdd manager not yet created !\n");
  EXPECT_TRUE(primes.empty());
}

// The nodes that a cover of the consensus example creates, per method.
// Methods 0 to 2 traced by hand: method 1 makes a or c and not a or b
// while widening; method 2 makes nine nodes for the implicant tree and its
// absorption, two for the essential test, and finds method 1's nodes made
// already. Method 3 adds the 34 rows and their comparisons.
TEST(BddCover, NodesCreatedByACover) {
  std::vector<int32_t> expected = {0, 2, 11, 298};
  for (int method = 0; method < 4; ++method) {
    SCOPED_TRACE("method " + std::to_string(method));
    cover_fixture x;
    bdd f = x.consensus();
    ASSERT_EQ(x.m.Bdd_total_size(), 9);
    std::list<bdd> cover;
    x.m.Bdd_sop(f, cover, method);
    EXPECT_EQ(x.m.Bdd_total_size() - 9, expected[method]);
  }
}

TEST(BddCover, FallbacksAndTheBoundedOldForm) {
  // Method 3 without four variables falls back to method 2.
  bddpp_manager m;
  bdd a = m.New_var_last("a"), b = m.New_var_last("b");
  std::list<bdd> cover;
  m.Bdd_sop(m.Bdd_or(a, b), cover, 3);
  EXPECT_EQ(products_of(m, cover), (std::vector<std::string>{"a", "b"}));
  std::vector<bdd> out(7);
  CaptureStderr();
  EXPECT_EQ(m.Bdd_sop(m.Bdd_or(a, b), out, 0), 2);
  EXPECT_EQ(GetCapturedStderr(), "warning: calling obsolete version of bddpp_manager::Bdd_sop() ...\n");
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0], a);
  EXPECT_EQ(out[1], m.Bdd_and(m.Bdd_not(a), b));
}

// Every method covers exactly the function, with cubes; method 2's
// products are prime implicants.
TEST(BddCover, RandomFunctionsAreCoveredExactly) {
  std::mt19937 rng(31);
  for (int n = 1; n <= 8; ++n) {
    for (int round = 0; round < (n < 6 ? 12 : 3); ++round) {
      bddpp_manager m;
      std::vector<bdd> v = make_vars(m, n);
      random_function r = make_random_function(m, v, rng, 20 + 10 * (round % 6));
      for (int method = 0; method < 4; ++method) {
        SCOPED_TRACE("n " + std::to_string(n) + ", method " + std::to_string(method));
        std::list<bdd> cover;
        m.Bdd_sop(r.f, cover, method);
        EXPECT_EQ(table_of(m, or_all(m, cover), n), r.table);
        for (auto const& p : cover) EXPECT_EQ(m.Bdd_is_cube(p), 1);
        if (method != 2) continue;
        for (auto const& p : cover) {
          EXPECT_EQ(m.Bdd_imply(p, r.f), 1);
          for (long i : m.set_of_index_depend_on(p))
            EXPECT_EQ(m.Bdd_imply(m.Bdd_exist(p, v[i]), r.f), 0) << "a literal can go";
        }
      }
    }
  }
}

// The lean covers against the ternary tree, product by product: random
// functions of up to ten variables, dense or sums of a few products, each
// simplified against a random care set; or of n variables and and of ors,
// whose trees are the largest for their primes; functions beyond the first
// 64 variables, whose cubes take two words.
TEST(BddCover, LeanCoversGiveTheTreesProducts) {
  std::mt19937 rng(2105);
  for (int n = 1; n <= 10; ++n) {
    int rounds = n <= 5 ? 24 : n <= 8 ? 8 : 4;
    for (int round = 0; round < rounds; ++round) {
      bddpp_manager m;
      std::vector<bdd> v = make_vars(m, n);
      bdd f = n <= 7 && round % 2 == 0 ? make_random_function(m, v, rng, 15 + 10 * (round % 7)).f
                                        : random_sum_of_products(m, v, rng, 1 + (round * 5) % (2 * n), 40);
      bdd c = m.Bdd_and(make_random_function(m, v, rng, 30 + 10 * (round % 5)).f, m.Bdd_not(f));
      std::string what = "n " + std::to_string(n) + ", round " + std::to_string(round);
      expect_lean_covers_agree(m, f, c, what);
      // A literal above a function, as the gates of the sc netlist.
      if (n > 1 && round % 3 == 0) {
        bdd below = m.Bdd_exist(f, v[0]);
        bdd gate = m.Bdd_and(round % 2 ? v[0] : m.Bdd_not(v[0]), below);
        expect_lean_covers_agree(m, gate, m.Bdd_not(gate), what + ", gate");
      }
    }
  }
  for (int n = 2; n <= 8; n += 3) {
    bddpp_manager m;
    std::vector<bdd> v = make_vars(m, 2 * n);
    bdd any = m.Bdd_zero(), all = m.Bdd_one();
    for (int i = 0; i < n; ++i) {
      any = m.Bdd_or(any, v[i]);
      all = m.Bdd_and(all, m.Bdd_or(v[2 * i], m.Bdd_not(v[2 * i + 1])));
    }
    expect_lean_covers_agree(m, any, m.Bdd_not(any), "or of " + std::to_string(n));
    // The tree's comparisons make the and of 8 ors take minutes.
    if (n <= 5)
      expect_lean_covers_agree(m, all, m.Bdd_and(m.Bdd_not(all), v[0]), "and of " + std::to_string(n) + " ors");
  }
  for (int round = 0; round < 6; ++round) {
    bddpp_manager m;
    std::vector<bdd> v = make_vars(m, 70);
    std::vector<bdd> some = {v[3], v[40], v[63], v[64], v[66], v[69]};
    bdd f = random_sum_of_products(m, some, rng, 2 + round, 50);
    bdd c = m.Bdd_and(random_sum_of_products(m, some, rng, 3, 50), m.Bdd_not(f));
    expect_lean_covers_agree(m, f, c, "70 variables, round " + std::to_string(round));
  }
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 3);
  for (bdd const& f : {m.Bdd_one(), m.Bdd_zero(), v[1], m.Bdd_not(v[2])})
    expect_lean_covers_agree(m, f, m.Bdd_not(f), "constant or literal");
}

// The texts of the disjoint and reduced covers need no node in the lean
// mode: their remainders and widened products are walks of the function.
TEST(BddCover, LeanTextsMakeNoNode) {
  std::mt19937 rng(2106);
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 9);
  bdd f = random_sum_of_products(m, v, rng, 12, 40);
  m.Bdd_set_lean_covers(1);
  int32_t before = m.Bdd_total_size();
  std::string text = m.Print_sop_to_String(" + ", ".", "!", "", f, 0) + m.Print_sop_to_String(" + ", ".", "!", "", f, 1);
  EXPECT_EQ(m.Bdd_total_size(), before);
  m.Bdd_set_lean_covers(0);
  EXPECT_EQ(m.Print_sop_to_String(" + ", ".", "!", "", f, 0) + m.Print_sop_to_String(" + ", ".", "!", "", f, 1), text);
  EXPECT_GT(m.Bdd_total_size(), before);
}

namespace {

// At least `need` of the literals true.
bdd at_least(bddpp_manager& m, std::vector<bdd> const& literals, int need) {
  std::vector<bdd> t(need + 1, m.Bdd_zero());
  t[0] = m.Bdd_one();
  for (size_t k = literals.size(); k-- > 0;)
    for (int j = need; j > 0; --j) t[j] = m.Bdd_or(m.Bdd_and(literals[k], t[j - 1]), t[j]);
  return t[need];
}

// A threshold of some of the variables from `first` on, either polarity
// each, times a cube of some of the others: at least 2 literals in the
// threshold, at most n - 1 needed.
bdd random_threshold(bddpp_manager& m, std::vector<bdd> const& v, size_t first, std::mt19937& rng) {
  std::uniform_int_distribution<int> pct(0, 99);
  std::vector<bdd> literals;
  bdd cube = m.Bdd_one();
  for (size_t i = first; i < v.size(); ++i) {
    bdd l = pct(rng) < 50 ? v[i] : m.Bdd_not(v[i]);
    int where = pct(rng);
    if (where < 70 || v.size() - i <= 2 - std::min<size_t>(literals.size(), 2))
      literals.push_back(l);
    else if (where < 85)
      cube = m.Bdd_and(cube, l);
  }
  int need = 1 + std::uniform_int_distribution<int>(0, static_cast<int>(literals.size()) - 2)(rng);
  return m.Bdd_and(cube, at_least(m, literals, need));
}

}  // namespace

// Thresholds times cubes give their primes without the walk (no cube may be
// offered), in the tree's order: alone, behind cubes of the first variables
// whose consensus is false (as the next-state functions of a chart whose
// situations are one-hot), and with a random function beside them, which
// the walk takes in full.
TEST(BddCover, LeanThresholdsGiveTheTreesOrderWithoutTheWalk) {
  std::mt19937 rng(3901);
  for (int round = 0; round < 60; ++round) {
    bddpp_manager m;
    int n = 3 + round % 8;
    std::vector<bdd> v = make_vars(m, n + 2);
    bdd s0 = v[0], s1 = v[1];
    bdd f = random_threshold(m, v, 2, rng);
    std::string what = "round " + std::to_string(round);
    if (round % 3 == 1) {
      bdd other = random_threshold(m, v, 2, rng);
      f = m.Bdd_or(m.Bdd_and(m.Bdd_and(s0, m.Bdd_not(s1)), f), m.Bdd_and(m.Bdd_and(m.Bdd_not(s0), s1), other));
      what += ", two thresholds behind one-hot cubes";
    }
    bdd c = m.Bdd_and(make_random_function(m, std::vector<bdd>(v.begin(), v.begin() + std::min(n + 2, 6)), rng, 30).f,
                      m.Bdd_not(f));
    m.Bdd_set_prime_walk_bound(round % 3 == 2 ? m.Bdd_prime_walk_bound() : 0);
    if (round % 3 == 2) {
      bdd rest = random_sum_of_products(m, std::vector<bdd>(v.begin() + 1, v.end()), rng, 3, 40);
      f = m.Bdd_or(m.Bdd_and(s0, f), m.Bdd_and(m.Bdd_not(s0), rest));
      what += ", beside a random function";
    }
    expect_lean_covers_agree(m, f, c, what);
    EXPECT_TRUE(m.Bdd_take_notes().empty()) << what;
  }
}

// Beyond the bound: the same primes in the order of their cubes (at the
// first variable where two differ: positive, negative, absent), one note
// per function, and covers and simplifications still sound.
TEST(BddCover, LeanPrimesBeyondTheBoundComeInTheOrderOfTheirCubes) {
  std::mt19937 rng(3902);
  int noted = 0;
  for (int round = 0; round < 30; ++round) {
    bddpp_manager m;
    int n = 2 + round % 7;
    std::vector<bdd> v = make_vars(m, n);
    bdd f = round % 2 ? make_random_function(m, v, rng, 50).f : random_sum_of_products(m, v, rng, 1 + round % 5, 50);
    if (m.Bdd_is_tautology(f)) continue;
    std::string what = "round " + std::to_string(round);
    std::list<bdd> tree, lean;
    m.Bdd_prime_implicants(f, tree);
    m.Bdd_set_lean_covers(1);
    m.Bdd_set_prime_walk_bound(0);
    m.Bdd_prime_implicants(f, lean);
    std::vector<std::vector<int>> keys;
    for (auto const& p : lean) {
      std::vector<int> key(n);
      m.Bdd_to_literals(p, key.data());
      for (int& k : key) k = k == 1 ? 0 : k == 0 ? 1 : 2;
      keys.push_back(key);
    }
    std::vector<std::string> tree_set = products_of(m, tree), lean_set = products_of(m, lean);
    // Without a walk (a threshold or a cube) the order is the tree's.
    std::vector<std::string> notes = m.Bdd_take_notes();
    if (notes.empty()) {
      EXPECT_EQ(lean_set, tree_set) << what;
    } else {
      ++noted;
      EXPECT_EQ(notes.size(), 1u) << what;
      EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end())) << what;
      std::sort(tree_set.begin(), tree_set.end());
      std::sort(lean_set.begin(), lean_set.end());
      EXPECT_EQ(lean_set, tree_set) << what;
    }
    bdd c = m.Bdd_and(make_random_function(m, v, rng, 40).f, m.Bdd_not(f));
    bdd r = m.Bdd_simplify3(f, c);
    EXPECT_EQ(m.Bdd_imply(f, r), 1) << what;
    EXPECT_EQ(m.Bdd_is_zero_tautologic(m.Bdd_and(r, c)), 1) << what;
    for (int method = 1; method <= 3; ++method) {
      std::list<bdd> cover;
      m.Bdd_sop(f, cover, method);
      EXPECT_EQ(or_all(m, cover), f) << what << ", method " << method;
    }
    m.Bdd_prime_implicants(f, lean);
    EXPECT_TRUE(m.Bdd_take_notes().empty()) << what << ": a second note";
  }
  EXPECT_GE(noted, 15);
}
