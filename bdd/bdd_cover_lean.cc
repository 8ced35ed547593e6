// The lean covers: the products of the procedures of bdd_cover.cc, in
// their order, found on cubes of bits and on the nodes of the function
// itself. Containment between cubes is a test of their literals, a cube
// against a function a walk of the function's nodes. The nodes made are
// those of the ternary tree's consensus functions, of what the prime cover
// has covered so far and of the functions returned; the disjoint and
// reduced covers make none.
//
// The search of the prime implicants follows the ternary tree, whose
// leaves can outnumber the primes exponentially (an or of n variables
// offers 2^n - 1 cubes for n primes): the order of the primes depends on
// every cube offered before them. Its cost per leaf is what is lowered
// here, a subtree met with nothing to replace is taken once per function,
// and a threshold (at least m of n literals, times a cube) met that way
// gives its primes in the walk's order without being walked. A tree that
// would still offer more cubes than the manager's bound is not walked:
// its primes come by the usual recursion, in the order in which the walk
// offers their cubes, and the manager keeps a note of it.
#include "bddpp_int.h"

void bddpp_manager::Bdd_set_lean_covers(int on) { store->lean_covers = on != 0; }

int bddpp_manager::Bdd_lean_covers() const { return store->lean_covers; }

namespace {

// A function as its node and link type, read without a handle: every node
// met below is held by a handle of the caller or of the search.
struct fn {
  bdd_node* n;
  int link;
  bool is_constant() const { return n->id == -1; }
  bool is_one() const { return is_constant() && link == 1; }
  bool is_zero() const { return is_constant() && link == -1; }
  fn high() const { return {n->then_node, link}; }
  fn low() const { return {n->else_node, link * n->else_link}; }
  uintptr_t key() const { return bdd_tagged(link, n); }
  bool operator==(fn const& o) const { return n == o.n && link == o.link; }
  bool operator!=(fn const& o) const { return !(*this == o); }
};

fn fn_of(bdd const& f) { return {f.node(), f.link_type()}; }

// Values by a pair of words that are never both 0 (tagged node words),
// open-addressed: the searches below ask it once per step.
template <typename Value>
class word_table {
 public:
  // The value of the key, or null.
  Value* find(uintptr_t a, uintptr_t b = 0) {
    entry& e = slots[place(a, b)];
    return e.a || e.b ? &e.value : nullptr;
  }
  void put(uintptr_t a, uintptr_t b, Value v) {
    if (2 * (count + 1) > slots.size()) grow();
    entry& e = slots[place(a, b)];
    if (!e.a && !e.b) ++count;
    e = {a, b, v};
  }
  void put(uintptr_t a, Value v) { put(a, 0, v); }

 private:
  struct entry {
    uintptr_t a, b;
    Value value;
  };
  size_t place(uintptr_t a, uintptr_t b) const {
    uint64_t h = static_cast<uint64_t>(a) * 0x9E3779B97F4A7C15ULL ^ static_cast<uint64_t>(b) * 0xC2B2AE3D27D4EB4FULL;
    size_t mask = slots.size() - 1;
    size_t i = static_cast<size_t>(h ^ (h >> 29)) & mask;
    while ((slots[i].a || slots[i].b) && (slots[i].a != a || slots[i].b != b)) i = (i + 1) & mask;
    return i;
  }
  void grow() {
    std::vector<entry> old(2 * slots.size(), entry{0, 0, Value()});
    old.swap(slots);
    for (entry const& e : old)
      if (e.a || e.b) slots[place(e.a, e.b)] = e;
  }
  std::vector<entry> slots = std::vector<entry>(64, entry{0, 0, Value()});
  size_t count = 0;
};

inline bool has_bit(uint64_t const* row, int32_t i) { return (row[i / 64] >> (i % 64)) & 1u; }
inline void set_bit(uint64_t* row, int32_t i) { row[i / 64] |= uint64_t{1} << (i % 64); }
inline void clear_bit(uint64_t* row, int32_t i) { row[i / 64] &= ~(uint64_t{1} << (i % 64)); }

// True when every literal of the cube (p, n) is a literal of the cube
// (bp, bn): the second cube is contained in the first.
inline bool literals_within(uint64_t const* p, uint64_t const* n, uint64_t const* bp, uint64_t const* bn,
                            size_t words) {
  for (size_t w = 0; w < words; ++w)
    if ((p[w] & ~bp[w]) | (n[w] & ~bn[w])) return false;
  return true;
}

// True when the two cubes have a variable with opposite literals.
inline bool clash(uint64_t const* p, uint64_t const* n, uint64_t const* bp, uint64_t const* bn, size_t words) {
  for (size_t w = 0; w < words; ++w)
    if ((p[w] & bn[w]) | (n[w] & bp[w])) return true;
  return false;
}

// Whether a function is constant true on a cube: its nodes are walked
// along the cube's literals, both ways on the other variables, each
// branching node once per question. The answers of one question are kept
// in a table that the next question finds stale, with no clearing.
class cube_walk {
 public:
  bool within(fn f, uint64_t const* p, uint64_t const* n) {
    ++question;
    used = 0;
    return all_one(f, p, n);
  }
  // The cube and the function are disjoint.
  bool outside(fn f, uint64_t const* p, uint64_t const* n) { return within({f.n, -f.link}, p, n); }

 private:
  struct answer {
    uintptr_t key = 0;
    uint64_t question = 0;
    bool one = false;
  };

  bool all_one(fn f, uint64_t const* p, uint64_t const* n) {
    while (!f.is_constant()) {
      int32_t i = bdd_engine::index(f.n);
      if (has_bit(p, i)) {
        f = f.high();
      } else if (has_bit(n, i)) {
        f = f.low();
      } else {
        answer& a = slot_of(f.key());
        if (a.question == question) return a.one;
        bool one = all_one(f.high(), p, n) && all_one(f.low(), p, n);
        answer& b = slot_of(f.key());
        if (b.question != question) ++used;
        b = {f.key(), question, one};
        if (2 * used > answers.size()) grow();
        return one;
      }
    }
    return f.link == 1;
  }
  // The slot of the key within this question, or the free one where it
  // would go.
  answer& slot_of(uintptr_t key) {
    size_t mask = answers.size() - 1;
    size_t i = static_cast<size_t>((static_cast<uint64_t>(key) * 0x9E3779B97F4A7C15ULL) >> 32) & mask;
    while (answers[i].question == question && answers[i].key != key) i = (i + 1) & mask;
    return answers[i];
  }
  void grow() {
    std::vector<answer> old(2 * answers.size());
    old.swap(answers);
    for (answer const& a : old)
      if (a.question == question) slot_of(a.key) = a;
  }
  uint64_t question = 0;
  size_t used = 0;
  std::vector<answer> answers = std::vector<answer>(256);
};

// Whether the union of a set of cubes is constant true: a cube without
// literals is; otherwise the cubes that hold a literal of a variable met
// only one way are dropped, and the rest is split on a variable met both
// ways.
bool tautology(std::vector<uint64_t>& cubes, size_t words) {
  size_t stride = 2 * words;
  for (;;) {
    size_t count = cubes.size() / stride;
    if (count == 0) return false;
    std::vector<uint64_t> seen(3 * words, 0);
    uint64_t* any_pos = seen.data();
    uint64_t* any_neg = any_pos + words;
    uint64_t* unate = any_neg + words;
    for (size_t k = 0; k < count; ++k) {
      uint64_t const* c = &cubes[k * stride];
      bool bare = true;
      for (size_t w = 0; w < words; ++w) {
        any_pos[w] |= c[w];
        any_neg[w] |= c[words + w];
        if (c[w] | c[words + w]) bare = false;
      }
      if (bare) return true;
    }
    bool some_unate = false;
    for (size_t w = 0; w < words; ++w) {
      unate[w] = any_pos[w] ^ any_neg[w];
      if (unate[w]) some_unate = true;
    }
    if (some_unate) {
      std::vector<uint64_t> kept;
      for (size_t k = 0; k < count; ++k) {
        uint64_t const* c = &cubes[k * stride];
        bool drop = false;
        for (size_t w = 0; w < words && !drop; ++w) drop = ((c[w] | c[words + w]) & unate[w]) != 0;
        if (!drop) kept.insert(kept.end(), c, c + stride);
      }
      cubes.swap(kept);
      continue;
    }
    // Every variable met is met both ways: split on the first.
    int32_t x = -1;
    for (size_t w = 0; w < words && x < 0; ++w)
      if (any_pos[w]) x = static_cast<int32_t>(w * 64 + __builtin_ctzll(any_pos[w]));
    for (int half = 0; half < 2; ++half) {
      std::vector<uint64_t> part;
      size_t keep = half == 0 ? 0 : words, drop = half == 0 ? words : 0;
      for (size_t k = 0; k < count; ++k) {
        uint64_t const* c = &cubes[k * stride];
        if (has_bit(c + drop, x)) continue;
        part.insert(part.end(), c, c + stride);
        clear_bit(&part[part.size() - stride + keep], x);
      }
      if (!tautology(part, words)) return false;
    }
    return true;
  }
}

// Whether cube k of the list lies within the union of the others that
// `alive` keeps: those that meet it, without its variables, must cover
// everything.
bool covered_by_others(bdd_cubes const& list, size_t k, std::vector<char> const& alive) {
  size_t words = list.words;
  uint64_t const* p = list.pos(k);
  uint64_t const* n = list.neg(k);
  std::vector<uint64_t> rest;
  for (size_t j = 0; j < list.size(); ++j) {
    if (j == k || !alive[j]) continue;
    uint64_t const* q = list.pos(j);
    uint64_t const* r = list.neg(j);
    if (literals_within(q, r, p, n, words)) return true;
    if (clash(p, n, q, r, words)) continue;
    for (size_t w = 0; w < words; ++w) rest.push_back(q[w] & ~(p[w] | n[w]));
    for (size_t w = 0; w < words; ++w) rest.push_back(r[w] & ~(p[w] | n[w]));
  }
  return tautology(rest, words);
}

// A cube of a list, widened literal by literal; up to 256 variables it
// needs no allocation.
struct cube_copy {
  cube_copy(bdd_cubes const& list, size_t k) : words(list.words) {
    if (words > small_words) more.resize(2 * words);
    std::copy(list.pos(k), list.pos(k) + words, pos());
    std::copy(list.neg(k), list.neg(k) + words, neg());
  }
  uint64_t* pos() { return words > small_words ? more.data() : small; }
  uint64_t* neg() { return pos() + words; }
  uint64_t const* begin() { return pos(); }
  uint64_t const* end() { return pos() + 2 * words; }
  // Whether the cube without its literal at index i passes the test; the
  // cube is left as it was.
  template <typename Test>
  bool passes_without(int32_t i, Test passes) {
    uint64_t had_pos = pos()[i / 64], had_neg = neg()[i / 64];
    clear_bit(pos(), i);
    clear_bit(neg(), i);
    bool r = passes(pos(), neg());
    pos()[i / 64] = had_pos;
    neg()[i / 64] = had_neg;
    return r;
  }
  // Drops the literal at index i when the cube without it passes the test.
  template <typename Test>
  void drop_if(int32_t i, Test passes) {
    if (!passes_without(i, passes)) return;
    clear_bit(pos(), i);
    clear_bit(neg(), i);
  }
  static constexpr size_t small_words = 4;
  size_t words;
  uint64_t small[2 * small_words];
  std::vector<uint64_t> more;
};

// Functions of the form T . C: at least `need` of the literals of L true
// (a threshold, any polarities; the or of L at need 1, its and at need
// |L|) and every literal of the cube C, L and C on distinct variables. A
// cube alone, the constant true included, is kept with need 0 and no L;
// otherwise 0 < need < |L|, and L, C and need are the function's own: C is
// what every prime holds, L what some do. Found from the nodes bottom up,
// making none: below a variable v, either one cofactor is false (v is a
// literal of C) or both cofactors are forms with the same L and C whose
// needs differ by one (v joins L, positive when its then cofactor needs
// less), a cube standing for T(0; L) . C and for T(|L|; L) . (C - L).
class threshold_forms {
 public:
  explicit threshold_forms(size_t words) : words(words) { add(0); }

  // The form of f, not false, or -1.
  int32_t of(fn f) {
    if (f.is_one()) return 0;
    if (int32_t* known = ids.find(f.key())) return *known;
    int32_t i = bdd_engine::index(f.n);
    fn hi = f.high(), lo = f.low();
    int32_t r = -1;
    if (hi.is_zero() || lo.is_zero()) {
      int32_t k = of(hi.is_zero() ? lo : hi);
      if (k >= 0) {
        r = add(needs[k]);
        std::copy(row(k, 0), row(k, 4), row(r, 0));
        set_bit(row(r, hi.is_zero() ? 3 : 2), i);
      }
    } else {
      int32_t a = of(hi);
      int32_t b = a < 0 ? -1 : of(lo);
      if (b >= 0) r = join(i, a, b);
    }
    ids.put(f.key(), r);
    return r;
  }

  // The number of literals of L.
  int32_t width(int32_t k) { return count(row(k, 0)) + count(row(k, 1)); }

  // Calls put(pos, neg) for each prime of form k behind the cube (pos,
  // neg), in the order of the ternary tree's walk (see implicant_search).
  template <typename Put>
  void for_each_prime(int32_t k, uint64_t const* pos, uint64_t const* neg, Put put) {
    std::vector<std::pair<int32_t, bool>> literals;
    for (size_t w = 0; w < words; ++w)
      for (uint64_t bits = row(k, 0)[w] | row(k, 1)[w]; bits; bits &= bits - 1) {
        auto i = static_cast<int32_t>(w * 64 + __builtin_ctzll(bits));
        literals.push_back({i, has_bit(row(k, 0), i)});
      }
    std::vector<uint64_t> cube(2 * words);
    for (size_t w = 0; w < words; ++w) {
      cube[w] = pos[w] | row(k, 2)[w];
      cube[words + w] = neg[w] | row(k, 3)[w];
    }
    choose(literals, 0, needs[k], cube, put);
  }

 private:
  // The primes hold `left` more literals of L from t on: the literal
  // first where a positive literal is taken, last where a negative one is.
  template <typename Put>
  void choose(std::vector<std::pair<int32_t, bool>> const& literals, size_t t, int32_t left,
              std::vector<uint64_t>& cube, Put& put) {
    if (left == 0) {
      put(cube.data(), cube.data() + words);
      return;
    }
    if (literals.size() - t < static_cast<size_t>(left)) return;
    int32_t i = literals[t].first;
    bool positive = literals[t].second;
    uint64_t* half = cube.data() + (positive ? 0 : words);
    if (!positive) choose(literals, t + 1, left, cube, put);
    set_bit(half, i);
    choose(literals, t + 1, left - 1, cube, put);
    clear_bit(half, i);
    if (positive) choose(literals, t + 1, left, cube, put);
  }

  // Rows of form k: 0 and 1 the positive and negative literals of L, 2 and
  // 3 those of C.
  uint64_t* row(int32_t k, int r) { return &rows[(4 * static_cast<size_t>(k) + r) * words]; }
  int32_t add(int32_t need) {
    needs.push_back(need);
    rows.resize(rows.size() + 4 * words, 0);
    return static_cast<int32_t>(needs.size() - 1);
  }
  int32_t count(uint64_t const* r) {
    int32_t c = 0;
    for (size_t w = 0; w < words; ++w) c += __builtin_popcountll(r[w]);
    return c;
  }
  bool pure(int32_t k) { return width(k) == 0; }
  // Whether the cube of rows (p, n) equals that of rows (q, r) with the
  // rows (s, t) added.
  bool equal_with(uint64_t const* p, uint64_t const* n, uint64_t const* q, uint64_t const* r, uint64_t const* s,
                  uint64_t const* t) {
    for (size_t w = 0; w < words; ++w)
      if (p[w] != (q[w] | s[w]) || n[w] != (r[w] | t[w])) return false;
    return true;
  }

  // The form of (v at index i, then a, else b), both not false, or -1.
  int32_t join(int32_t i, int32_t a, int32_t b) {
    std::vector<uint64_t> none(words, 0), one(2 * words, 0);
    int32_t l = -1, c = -1;  // forms whose L, whose C the result takes
    int32_t hi_need = 0, lo_need = 0;
    bool pa = pure(a), pb = pure(b);
    if (!pa && !pb) {
      if (!equal_with(row(a, 0), row(a, 1), row(b, 0), row(b, 1), none.data(), none.data()) ||
          !equal_with(row(a, 2), row(a, 3), row(b, 2), row(b, 3), none.data(), none.data()))
        return -1;
      l = c = a;
      hi_need = needs[a];
      lo_need = needs[b];
    } else if (pa != pb) {
      int32_t cube = pa ? a : b, other = pa ? b : a;
      int32_t cube_need;
      if (equal_with(row(cube, 2), row(cube, 3), row(other, 2), row(other, 3), none.data(), none.data()))
        cube_need = 0;
      else if (equal_with(row(cube, 2), row(cube, 3), row(other, 2), row(other, 3), row(other, 0), row(other, 1)))
        cube_need = width(other);
      else
        return -1;
      l = c = other;
      hi_need = pa ? cube_need : needs[other];
      lo_need = pa ? needs[other] : cube_need;
    } else {
      // Two cubes, one the other and a literal w: (v or w) . C, either way.
      int32_t small = count(row(a, 2)) + count(row(a, 3)) < count(row(b, 2)) + count(row(b, 3)) ? a : b;
      int32_t big = small == a ? b : a;
      for (size_t w = 0; w < words; ++w) {
        one[w] = row(big, 2)[w] & ~row(small, 2)[w];
        one[words + w] = row(big, 3)[w] & ~row(small, 3)[w];
      }
      if (count(one.data()) + count(one.data() + words) != 1 ||
          !equal_with(row(big, 2), row(big, 3), row(small, 2), row(small, 3), one.data(), one.data() + words))
        return -1;
      c = small;
      hi_need = small == a ? 0 : 1;
      lo_need = 1 - hi_need;
    }
    bool positive = hi_need + 1 == lo_need;
    if (!positive && lo_need + 1 != hi_need) return -1;
    int32_t r = add(positive ? lo_need : hi_need);
    if (l >= 0) std::copy(row(l, 0), row(l, 2), row(r, 0));
    else std::copy(one.begin(), one.end(), row(r, 0));
    std::copy(row(c, 2), row(c, 4), row(r, 2));
    set_bit(row(r, positive ? 0 : 1), i);
    return r;
  }

  size_t words;
  std::vector<int32_t> needs;
  std::vector<uint64_t> rows;
  word_table<int32_t> ids;
};

// The ternary tree of the prime implicants, one node per function (the
// subtree of a function is the same wherever it is met), walked in the
// tree's order: then child, else child, consensus child. Each true leaf
// offers the cube of its path to a list: the first entry that the cube
// contains (whose literals include all of the cube's) is replaced by it,
// otherwise the cube goes to the back.
//
// The entries that a cube of the subtree below a path can replace are
// among those holding every literal of the path: the walk keeps them, in
// list order, for each path on its way down, as those listed when the path
// was reached and every entry appended since. Neither change of the list
// takes an entry out of these: an entry replaced takes the cube of the
// current path, which holds every path above, and an entry appended holds
// every path above as well.
//
// No entry contains a later one at the end (the scan would have stopped
// there), each prime is offered and stays where it lands, and every other
// entry lies within a prime; so the entries that no earlier entry
// contains, which the absorption keeps, are the entries that are primes,
// each once. The primes themselves come from the usual recursion on the
// same functions: those of the consensus, and those of each cofactor that
// the other cofactor does not hold, behind the literal of the top
// variable.
class implicant_search {
 public:
  implicant_search(bddpp_manager* m, bdd const& f, uint64_t bound)
      : m(m), list(m->nbr_variables()), forms(list.words), bound(bound) {
    nodes.push_back({m->Bdd_zero(), -1, {0, 0, 0}, true});
    nodes.push_back({m->Bdd_one(), -1, {0, 0, 0}, true});
    path.assign(2 * list.words, 0);
    top = key_of(f);
  }

  // The primes in the walk's order, or false when the walk would offer
  // more cubes than the bound: when the tree does even with its thresholds
  // taken alone, without walking, or as soon as the walk passes the bound.
  // A tree within the bound is walked as it always was.
  bool run(bdd_cubes& primes) {
    candidates.emplace_back();
    try {
      if (offers(top, true) > bound) return false;
      walk(top, 0, true);
    } catch (too_many const&) {
      return false;
    }
    bdd_cubes const& all = primes_of(top);
    size_t stride = 2 * list.words;
    auto before = [stride](uint64_t const* a, uint64_t const* b) {
      return std::lexicographical_compare(a, a + stride, b, b + stride);
    };
    std::vector<uint64_t const*> sorted;
    for (size_t k = 0; k < all.size(); ++k) sorted.push_back(all.pos(k));
    std::sort(sorted.begin(), sorted.end(), before);
    for (size_t k = 0; k < list.size(); ++k)
      if (std::binary_search(sorted.begin(), sorted.end(), list.pos(k), before)) primes.push_back(list, k);
    return true;
  }

  // The primes in the order in which the walk offers their cubes: at the
  // first variable where two differ, the positive literal, then the
  // negative one, then none.
  void run_by_cubes(bdd_cubes& primes) {
    bdd_cubes const& all = primes_of(top);
    size_t words = list.words;
    auto before = [words](uint64_t const* a, uint64_t const* b) {
      for (size_t w = 0; w < words; ++w) {
        uint64_t differ = (a[w] ^ b[w]) | (a[words + w] ^ b[words + w]);
        if (!differ) continue;
        uint64_t bit = differ & (~differ + 1);
        auto rank = [&](uint64_t const* c) { return (c[w] & bit) ? 0 : (c[words + w] & bit) ? 1 : 2; };
        return rank(a) < rank(b);
      }
      return false;
    };
    std::vector<uint64_t const*> sorted;
    for (size_t k = 0; k < all.size(); ++k) sorted.push_back(all.pos(k));
    std::sort(sorted.begin(), sorted.end(), before);
    for (uint64_t const* c : sorted) primes.push_back(c, c + words);
  }

 private:
  struct node {
    bdd f;
    int32_t index;
    int32_t child[3];
    bool expanded;
  };

  bdd_cubes const& primes_of(int32_t k) {
    if (prime_sets.size() <= static_cast<size_t>(k)) prime_sets.resize(nodes.size());
    if (prime_sets[k]) return *prime_sets[k];
    auto made = std::make_unique<bdd_cubes>(list.nbr_var);
    if (k == 1) {
      std::vector<uint64_t> none(2 * list.words, 0);
      made->push_back(none.data(), none.data() + list.words);
    } else if (k != 0) {
      expand(k);
      int32_t i = nodes[k].index;
      int32_t then_k = nodes[k].child[0], else_k = nodes[k].child[1];
      made->append(primes_of(nodes[k].child[2]));
      for (int half = 0; half < 2; ++half) {
        bdd_cubes const& own = primes_of(half == 0 ? then_k : else_k);
        fn other = fn_of(nodes[half == 0 ? else_k : then_k].f);
        for (size_t j = 0; j < own.size(); ++j) {
          if (walk_f.within(other, own.pos(j), own.neg(j))) continue;
          cube_copy p(own, j);
          set_bit(half == 0 ? p.pos() : p.neg(), i);
          made->push_back(p.pos(), p.neg());
        }
      }
    }
    if (prime_sets.size() <= static_cast<size_t>(k)) prime_sets.resize(nodes.size());
    prime_sets[k] = std::move(made);
    return *prime_sets[k];
  }

  int32_t key_of(bdd const& g) {
    if (m->Bdd_is_tautology(g)) return m->Bdd_is_one_tautologic(g) ? 1 : 0;
    uintptr_t key = bdd_tagged(g.link_type(), g.node());
    if (int32_t* known = ids.find(key)) return *known;
    auto k = static_cast<int32_t>(nodes.size());
    ids.put(key, k);
    nodes.push_back({g, bdd_engine::index(g.node()), {0, 0, 0}, false});
    return k;
  }

  void expand(int32_t k) {
    if (nodes[k].expanded) return;
    bdd g = nodes[k].f;
    bdd t = m->Bdd_then(g);
    bdd e = m->Bdd_else(g);
    int32_t then_k = key_of(t);
    int32_t else_k = key_of(e);
    int32_t cons_k = key_of(m->Bdd_and(t, e));
    nodes[k].child[0] = then_k;
    nodes[k].child[1] = else_k;
    nodes[k].child[2] = cons_k;
    nodes[k].expanded = true;
  }

  // k: the function below the path; depth: the candidates of the path;
  // safe: no later cube of the walk can replace an entry below the path
  // (see walk_alone).
  void walk(int32_t k, size_t depth, bool safe) {
    if (k == 1) {
      offer(depth);
      return;
    }
    if (k == 0) return;
    if (candidates[depth].listed.empty() && candidates[depth].tail == list.size())
      walk_alone(k, depth, safe);
    else
      walk_children(k, depth, safe);
  }

  // A cube that lacks the literal of a variable of the path and replaces an
  // entry below it comes from the consensus child of that variable's node,
  // the only later child that does not hold the opposite literal: the path
  // is safe where each of those consensus children is false.
  void walk_children(int32_t k, size_t depth, bool safe) {
    expand(k);
    int32_t i = nodes[k].index;
    int32_t then_k = nodes[k].child[0], else_k = nodes[k].child[1], cons_k = nodes[k].child[2];
    uint64_t* pos = path.data();
    uint64_t* neg = pos + list.words;
    // What the then child appends holds the top variable positive: the else
    // child need not look at it.
    size_t before_then = list.size();
    bool below_safe = safe && cons_k == 0;
    set_bit(pos, i);
    branch(then_k, depth, 0, i, before_then, below_safe);
    clear_bit(pos, i);
    set_bit(neg, i);
    branch(else_k, depth, list.words, i, before_then, below_safe);
    clear_bit(neg, i);
    walk(cons_k, depth, safe);
  }

  // A child below the literal at index i (in the half of the rows given,
  // see keep_holding): a true leaf needs only the first candidate.
  void branch(int32_t k, size_t depth, size_t half, int32_t i, size_t end, bool safe) {
    if (k == 0) return;
    if (k != 1) {
      keep_holding(depth, half, i, end);
      walk(k, depth + 1, safe);
      return;
    }
    candidates_of const& from = candidates[depth];
    size_t j = list.size();
    auto first = std::find_if(from.listed.begin(), from.listed.end(),
                              [&](uint32_t e) { return has_bit(list.pos(e) + half, i); });
    if (first != from.listed.end()) j = *first;
    for (size_t e = from.tail; j == list.size() && e < end; ++e)
      if (has_bit(list.pos(e) + half, i)) j = e;
    place(j);
  }

  // Without a candidate, the subtree meets only what it appends itself:
  // the same entries behind any path, kept once per function.
  //
  // A threshold times a cube (threshold_forms) met this way on a safe path
  // appends its primes alone, in the order that its walk would leave them:
  // the entries it would add besides are no primes, and no later cube can
  // replace one, so that no later cube lands elsewhere for their absence.
  // The entries kept for such a subtree then serve again on safe paths only.
  //
  // Why the order: let T . C be at least `need` of the literals L and
  // the cube C. At a node of an L variable the then and else children are
  // the function with that literal true (one less needed) and false, and
  // the consensus, their conjunction, equals the child with the literal
  // false; at a C variable the other children are false. A path thus says
  // true, false or nothing of each literal of L in index order, and ends
  // on a true leaf when `need` are true. Its cube is (S, N): S the
  // literals said true, |S| = need, N those said false, all before the
  // last of S. An entry within the prime S (holding its literals) holds S
  // and no other literal of L said true, |S| being need: its true set is
  // S, and a cube that replaces it holds no more than it and is an
  // implicant, so has S as well. The prime S, offered after every (S, N)
  // with N not empty (these say false where S says nothing), replaces the
  // first entry with true set S, made when the first of them came: the
  // path that says false wherever it can before the last of S, no entry
  // with true set S being there before. Two such paths of primes S and S'
  // part at the first literal of L in one prime and not in the other
  // (before both ends: past its end a path holds need literals true, so
  // the other would hold them too), one saying true and the other false;
  // true comes first on a positive literal (the then child), false first
  // on a negative one. So the primes stand in the lexicographic order of
  // the key that has, for each variable of L in index order, 0 where (the
  // prime holds the literal) equals (the literal is positive), else 1;
  // with positive literals, that of the primes' index sets.
  void walk_alone(int32_t k, size_t depth, bool safe) {
    if (alone.size() <= static_cast<size_t>(k)) {
      alone.resize(nodes.size());
      alone_shortened.resize(nodes.size());
    }
    uint64_t* pos = path.data();
    uint64_t* neg = pos + list.words;
    if (safe) {
      int32_t form = forms.of(fn_of(nodes[k].f));
      if (form >= 0 && forms.width(form) > 0) {
        forms.for_each_prime(form, pos, neg, [&](uint64_t const* p, uint64_t const* n) { list.push_back(p, n); });
        ++shortened;
        return;
      }
    }
    if (bdd_cubes const* known = alone[k].get(); known && (safe || !alone_shortened[k])) {
      count(known->size());
      std::vector<uint64_t>& entry = scratch;
      entry.resize(2 * list.words);
      for (size_t j = 0; j < known->size(); ++j) {
        for (size_t w = 0; w < list.words; ++w) {
          entry[w] = known->pos(j)[w] | pos[w];
          entry[list.words + w] = known->neg(j)[w] | neg[w];
        }
        list.push_back(entry.data(), entry.data() + list.words);
      }
      return;
    }
    size_t start = list.size();
    uint64_t shortened_before = shortened;
    walk_children(k, depth, safe);
    if (alone[k]) return;
    auto made = std::make_unique<bdd_cubes>(list.nbr_var);
    for (size_t j = start; j < list.size(); ++j) {
      cube_copy e(list, j);
      for (size_t w = 0; w < list.words; ++w) {
        e.pos()[w] &= ~pos[w];
        e.neg()[w] &= ~neg[w];
      }
      made->push_back(e.pos(), e.neg());
    }
    if (alone.size() <= static_cast<size_t>(k)) {
      alone.resize(nodes.size());
      alone_shortened.resize(nodes.size());
    }
    alone[k] = std::move(made);
    alone_shortened[k] = shortened != shortened_before;
  }

  // The candidates of the path one literal longer: those of depth whose
  // entry holds the literal at index i, positive (half 0) or negative
  // (half = words), among the listed ones and those appended from the
  // tail to `end`; what is appended later is a candidate of both.
  void keep_holding(size_t depth, size_t half, int32_t i, size_t end) {
    if (candidates.size() <= depth + 1) candidates.emplace_back();
    candidates_of const& from = candidates[depth];
    candidates_of& to = candidates[depth + 1];
    to.listed.clear();
    for (uint32_t j : from.listed)
      if (has_bit(list.pos(j) + half, i)) to.listed.push_back(j);
    for (size_t j = from.tail; j < end; ++j)
      if (has_bit(list.pos(j) + half, i)) to.listed.push_back(static_cast<uint32_t>(j));
    to.tail = list.size();
  }

  void offer(size_t depth) {
    count(1);
    candidates_of const& holding = candidates[depth];
    place(!holding.listed.empty() ? holding.listed.front() : holding.tail);
  }

  // The cube of the path replaces entry j, or goes to the back when there
  // is no such entry.
  void place(size_t j) {
    uint64_t const* pos = path.data();
    uint64_t const* neg = pos + list.words;
    if (j < list.size()) {
      std::copy(pos, pos + list.words, list.pos(j));
      std::copy(neg, neg + list.words, list.neg(j));
      return;
    }
    list.push_back(pos, neg);
  }

  struct too_many {};

  // The cubes that the tree below node k offers where every threshold met
  // on a safe path offers none (as walk_alone takes it when no candidate
  // is left); too_many as soon as they pass the bound. The full tree offers at
  // least as many, and the walk counts at most as many when each such
  // threshold is met alone. Finding the nodes counts too: a node lies on
  // a path of at most one node per variable to a true leaf or a
  // threshold, so that too many nodes mean too many cubes.
  uint64_t offers(int32_t k, bool safe) {
    if (k < 2) return static_cast<uint64_t>(k);
    std::vector<uint64_t>& known = counts[safe ? 1 : 0];
    if (known.size() <= static_cast<size_t>(k)) known.resize(nodes.size(), unknown);
    if (known[k] != unknown) return known[k];
    uint64_t r = 0;
    int32_t form = safe ? forms.of(fn_of(nodes[k].f)) : -1;
    if (form < 0 || forms.width(form) == 0) {
      if (!nodes[k].expanded && ++expanded > most_nodes()) throw too_many();
      expand(k);
      int32_t then_k = nodes[k].child[0], else_k = nodes[k].child[1], cons_k = nodes[k].child[2];
      bool below_safe = safe && cons_k == 0;
      r = add(offers(then_k, below_safe), offers(else_k, below_safe));
      // The whole tree offers at least what one of its subtrees does.
      if (r <= bound) r = add(r, offers(cons_k, safe));
      if (r > bound) throw too_many();
    }
    std::vector<uint64_t>& now = counts[safe ? 1 : 0];
    if (now.size() <= static_cast<size_t>(k)) now.resize(nodes.size(), unknown);
    now[k] = r;
    return r;
  }
  uint64_t add(uint64_t a, uint64_t b) const {
    uint64_t most = bound == unknown ? bound : bound + 1;
    return a > most - std::min(b, most) ? most : std::min(most, a + b);
  }
  uint64_t most_nodes() const {
    auto per_path = static_cast<uint64_t>(list.nbr_var) + 1;
    return bound >= unknown / per_path - 1 ? unknown : per_path * (bound + 1);
  }
  static constexpr uint64_t unknown = UINT64_MAX;
  std::vector<uint64_t> counts[2];  // by safe
  uint64_t expanded = 0;
  // Counts cubes offered, and entries taken again for a subtree that would
  // offer at least as many.
  void count(uint64_t cubes) {
    offered += cubes;
    if (offered > bound) throw too_many();
  }

  // The entries that hold every literal of a path: those listed, then
  // every one from the tail on, which came after the list was made.
  struct candidates_of {
    std::vector<uint32_t> listed;
    size_t tail = 0;
  };

  bddpp_manager* m;
  std::vector<node> nodes;  // 0 false, 1 true
  word_table<int32_t> ids;
  std::vector<uint64_t> path, scratch;
  bdd_cubes list;
  std::vector<candidates_of> candidates;  // by number of literals of the path
  std::vector<std::unique_ptr<bdd_cubes>> alone;  // by node
  std::vector<bool> alone_shortened;  // by node: a threshold's primes alone
  std::vector<std::unique_ptr<bdd_cubes>> prime_sets;  // by node
  cube_walk walk_f;
  threshold_forms forms;
  uint64_t bound;
  uint64_t offered = 0;
  uint64_t shortened = 0;
  int32_t top;
};

// The disjoint cover: each product is the first path (then
// branches first) of what the earlier ones left. While the products come
// from the then half of a node (x, high, low), what is left is
// (x, what high's own cover left, low), until that equals low: the node is
// then gone and the cover goes on with low's cover, without x. If it never
// does, the then half ends empty and the cover goes on with not x and low's
// cover. collapse(a, b) is the number of a's products after which what is
// left of a is b (none if never); counts saturate far beyond any text.
class disjoint_products {
 public:
  disjoint_products(bddpp_manager* m, bdd_cubes& cover) : cover(cover), path(2 * cover.words, 0) { (void)m; }

  void emit_all(bdd const& f) { emit(fn_of(f), most); }

 private:
  static constexpr uint64_t none = UINT64_MAX;
  static constexpr uint64_t most = UINT64_MAX - 1;
  static uint64_t add(uint64_t a, uint64_t b) { return a >= most - b ? most : a + b; }

  uint64_t count(fn a) {
    if (a.is_constant()) return a.link == 1 ? 1 : 0;
    if (uint64_t* known = counts.find(a.key())) return *known;
    uint64_t j = collapse(a.high(), a.low());
    uint64_t r = j != none ? add(j, count(a.low())) : add(count(a.high()), count(a.low()));
    counts.put(a.key(), r);
    return r;
  }

  uint64_t collapse(fn a, fn b) {
    if (a == b) return 0;
    if (b.is_zero()) return count(a);
    if (a.is_constant() || b.is_constant()) return none;
    if (uint64_t* known = collapses.find(a.key(), b.key())) return *known;
    int32_t x = bdd_engine::index(a.n), y = bdd_engine::index(b.n);
    uint64_t gone = collapse(a.high(), a.low());
    uint64_t r = none;
    if (y == x) {
      // Before low is reached, what is left is (x, rest of high, low).
      if (b.low() == a.low()) {
        uint64_t j = collapse(a.high(), b.high());
        if (j != none && (gone == none || j < gone)) r = j;
      }
      // Once high is used up: (x, false, rest of low).
      if (r == none && gone == none && b.high().is_zero()) {
        uint64_t i = collapse(a.low(), b.low());
        if (i != none) r = add(count(a.high()), i);
      }
    } else if (y > x && gone != none) {
      uint64_t i = collapse(a.low(), b);
      if (i != none) r = add(gone, i);
    }
    collapses.put(a.key(), b.key(), r);
    return r;
  }

  // The first `limit` products of a's cover, each behind the path so far.
  uint64_t emit(fn a, uint64_t limit) {
    if (limit == 0 || a.is_zero()) return 0;
    if (a.is_one()) {
      cover.push_back(path.data(), path.data() + cover.words);
      return 1;
    }
    int32_t x = bdd_engine::index(a.n);
    uint64_t gone = collapse(a.high(), a.low());
    uint64_t* pos = path.data();
    uint64_t* neg = pos + cover.words;
    set_bit(pos, x);
    uint64_t done = emit(a.high(), gone == none ? limit : std::min(limit, gone));
    clear_bit(pos, x);
    if (done == limit) return done;
    if (gone != none) return done + emit(a.low(), limit - done);
    set_bit(neg, x);
    done += emit(a.low(), limit - done);
    clear_bit(neg, x);
    return done;
  }

  bdd_cubes& cover;
  std::vector<uint64_t> path;
  word_table<uint64_t> counts;
  word_table<uint64_t> collapses;
};

typedef void (*lean_operation)(bddpp_manager*, bdd const&, bdd_cubes&);

// The cubes that `make` finds for f, kept under `what` (a method, or -1
// for the prime implicants) for the next call while the cache is on.
// A literal and a function g below it (a gate of the sc netlist, say) has
// the cubes of g, each with that literal: its tree is the tree of g behind
// the literal, its disjoint cover g's, and every comparison of the reduced
// and prime covers compares the same parts of g's cubes. `same` gives them.
template <typename Make>
void remembered(bddpp_manager* m, bdd const& f, int what, bdd_cubes& out, Make make, lean_operation same) {
  fn whole = fn_of(f);
  if (whole.high().is_zero() || whole.low().is_zero()) {
    bool positive = whole.low().is_zero();
    fn rest = positive ? whole.high() : whole.low();
    bdd_cubes below(m->nbr_variables());
    if (rest.is_one()) {
      std::vector<uint64_t> no_literal(2 * below.words, 0);
      below.push_back(no_literal.data(), no_literal.data() + below.words);
    } else {
      same(m, bdd(m, rest.link, rest.n), below);
    }
    int32_t x = bdd_engine::index(f.node());
    for (size_t k = 0; k < below.size(); ++k) set_bit(positive ? below.pos(k) : below.neg(k), x);
    out.append(below);
    return;
  }
  bdd_cache& cache = bdd_engine::cache(m);
  uintptr_t key = bdd_tagged(f.link_type(), f.node());
  auto kind = static_cast<uintptr_t>(what + 1);
  if (cache.on) {
    if (bdd_cubes const* known = cache.lean.find(key, kind, m->nbr_variables())) {
      out.append(*known);
      return;
    }
  }
  bdd_cubes made(m->nbr_variables());
  make(made);
  if (cache.on) cache.lean.put(key, kind, made);
  out.append(made);
}

}  // namespace

bdd bdd_lean::cube_bdd(bddpp_manager* m, bdd_cubes const& cubes, size_t k) {
  std::vector<int> literals(m->nbr_variables());
  for (int32_t i = 0; i < m->nbr_variables(); ++i) literals[i] = cubes.literal(k, i);
  return m->Literals_to_bdd(literals.data());
}

void bdd_lean::disjoint_cover(bddpp_manager* m, bdd const& f, bdd_cubes& cover) {
  remembered(
      m, f, 0, cover,
      [&](bdd_cubes& made) {
        disjoint_products products(m, made);
        products.emit_all(f);
      },
      disjoint_cover);
}

void bdd_lean::prime_implicants(bddpp_manager* m, bdd const& f, bdd_cubes& primes) {
  remembered(
      m, f, -1, primes,
      [&](bdd_cubes& made) {
        implicant_search search(m, f, m->Bdd_prime_walk_bound());
        if (search.run(made)) return;
        search.run_by_cubes(made);
        note_cube_order(m, f, made);
      },
      prime_implicants);
}

// Once per function: which primes left the walk's order, and why.
void bdd_lean::note_cube_order(bddpp_manager* m, bdd const& f, bdd_cubes const& primes) {
  std::string key = std::to_string(bdd_tagged(f.link_type(), f.node()));
  if (!bdd_engine::store(m).noted.insert(key).second) return;
  std::vector<uint64_t> support(primes.words, 0);
  for (size_t k = 0; k < primes.size(); ++k)
    for (size_t w = 0; w < primes.words; ++w) support[w] |= primes.pos(k)[w] | primes.neg(k)[w];
  int variables = 0;
  for (uint64_t w : support) variables += __builtin_popcountll(w);
  bdd_engine::store(m).notes.push_back("NOTE: the " + std::to_string(primes.size()) + " prime implicants of a function of " +
                            std::to_string(variables) + " variables are listed in the order of their cubes: " +
                            "the walk of its implicant tree would offer more than " +
                            std::to_string(m->Bdd_prime_walk_bound()) + " cubes");
}

void bddpp_manager::Bdd_set_prime_walk_bound(uint64_t cubes) { store->prime_walk_bound = cubes; }

uint64_t bddpp_manager::Bdd_prime_walk_bound() const { return store->prime_walk_bound; }

std::vector<std::string> bddpp_manager::Bdd_take_notes() {
  std::vector<std::string> notes;
  notes.swap(store->notes);
  return notes;
}

// Each product widened in index order while it stays within f; then each
// that the others cover is dropped, in order.
void bdd_lean::reduced_cover(bddpp_manager* m, bdd const& f, bdd_cubes& cover) {
  remembered(m, f, 1, cover, [&](bdd_cubes& made) { reduce(m, f, made); }, reduced_cover);
}

void bdd_lean::reduce(bddpp_manager* m, bdd const& f, bdd_cubes& cover) {
  bdd_cubes work(m->nbr_variables());
  disjoint_cover(m, f, work);
  cube_walk walk;
  for (size_t k = 0; k < work.size(); ++k) {
    cube_copy p(work, k);
    work.for_each_literal(k, [&](int32_t i, bool) {
      p.drop_if(i, [&](uint64_t const* q, uint64_t const* n) { return walk.within(fn_of(f), q, n); });
    });
    std::copy(p.begin(), p.end(), work.pos(k));
  }
  std::vector<char> alive(work.size(), 1);
  for (size_t k = 0; k < work.size(); ++k)
    if (covered_by_others(work, k, alive)) alive[k] = 0;
  for (size_t k = 0; k < work.size(); ++k)
    if (alive[k]) cover.push_back(work, k);
}

void bdd_lean::essential_implicants(bddpp_manager* m, bdd const& f, bdd_cubes& essential, bdd_cubes& others) {
  bdd_cubes primes(m->nbr_variables());
  prime_implicants(m, f, primes);
  std::vector<char> all(primes.size(), 1);
  for (size_t k = 0; k < primes.size(); ++k)
    (covered_by_others(primes, k, all) ? others : essential).push_back(primes, k);
}

// Essential primes, then the first others disjoint from what is covered,
// then any other that still adds something; the reduced cover wins only
// when strictly shorter.
void bdd_lean::prime_cover(bddpp_manager* m, bdd const& f, bdd_cubes& cover) {
  remembered(m, f, 2, cover, [&](bdd_cubes& made) { cover_by_primes(m, f, made); }, prime_cover);
}

void bdd_lean::cover_by_primes(bddpp_manager* m, bdd const& f, bdd_cubes& cover) {
  bdd_cubes essential(m->nbr_variables()), others(m->nbr_variables());
  essential_implicants(m, f, essential, others);
  bdd covered = m->Bdd_zero();
  for (size_t k = 0; k < essential.size(); ++k) {
    cover.push_back(essential, k);
    covered = m->Bdd_or(covered, cube_bdd(m, essential, k));
  }
  cube_walk walk;
  bool stuck = false;
  while (covered != f) {
    size_t r = 0;
    while (r < others.size() && !walk.outside(fn_of(covered), others.pos(r), others.neg(r))) ++r;
    if (r == others.size()) {
      stuck = true;
      break;
    }
    cover.push_back(others, r);
    covered = m->Bdd_or(covered, cube_bdd(m, others, r));
  }
  if (stuck) {
    for (size_t r = 0; r < others.size() && covered != f; ++r) {
      if (walk.within(fn_of(covered), others.pos(r), others.neg(r))) continue;
      cover.push_back(others, r);
      covered = m->Bdd_or(covered, cube_bdd(m, others, r));
    }
  }
  bdd_cubes reduced(m->nbr_variables());
  reduced_cover(m, f, reduced);
  if (reduced.size() < cover.size()) std::swap(cover, reduced);
}

// Each prime drops, in increasing id order, the literals whose removal
// keeps it disjoint from c.
bdd bdd_lean::simplify3(bddpp_manager* m, bdd const& f, bdd const& c) {
  bdd_cache& cache = bdd_engine::cache(m);
  auto key = std::make_pair(bdd_tagged(f.link_type(), f.node()), bdd_tagged(c.link_type(), c.node()));
  if (cache.on) {
    auto known = cache.lean.simplified.find(key);
    if (known != cache.lean.simplified.end()) {
      int link;
      bdd_node* n = bdd_untagged(known->second, link);
      return bdd(m, link, n);
    }
  }
  bdd r = widen_primes(m, f, c);
  if (cache.on) cache.lean.simplified[key] = bdd_tagged(r.link_type(), r.node());
  return r;
}

bdd bdd_lean::widen_primes(bddpp_manager* m, bdd const& f, bdd const& c) {
  bdd_cubes primes(m->nbr_variables());
  prime_implicants(m, f, primes);
  cube_walk walk;
  bdd r = m->Bdd_zero();
  for (size_t k = 0; k < primes.size(); ++k) {
    std::vector<std::pair<int32_t, int32_t>> by_id;
    primes.for_each_literal(k, [&](int32_t i, bool) { by_id.push_back({bdd_engine::id_at(m, i), i}); });
    std::sort(by_id.begin(), by_id.end());
    cube_copy p(primes, k);
    for (auto const& id_index : by_id)
      p.drop_if(id_index.second,
                [&](uint64_t const* q, uint64_t const* n) { return walk.outside(fn_of(c), q, n); });
    bdd_cubes one(m->nbr_variables());
    one.push_back(p.pos(), p.neg());
    r = m->Bdd_or(r, cube_bdd(m, one, 0));
  }
  return r;
}
