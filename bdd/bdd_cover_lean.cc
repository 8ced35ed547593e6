// The lean covers: the products of the procedures of bdd_cover.cc, in
// their order, found on cubes of bits and on the nodes of the function
// itself. Containment between cubes is a test of their literals, a cube
// against a function a walk of the function's nodes, and no intermediate
// function is made: only the ternary tree's consensus functions and the
// functions that the operations return.
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
// branching node once per question.
class cube_walk {
 public:
  bool within(fn f, uint64_t const* p, uint64_t const* n) {
    ++question;
    return all_one(f, p, n);
  }
  // The cube and the function are disjoint.
  bool outside(fn f, uint64_t const* p, uint64_t const* n) { return within({f.n, -f.link}, p, n); }

 private:
  bool all_one(fn f, uint64_t const* p, uint64_t const* n) {
    while (!f.is_constant()) {
      int32_t i = bdd_engine::index(f.n);
      if (has_bit(p, i)) {
        f = f.high();
      } else if (has_bit(n, i)) {
        f = f.low();
      } else {
        answer& a = answers[f.key()];
        if (a.question == question) return a.one;
        bool one = all_one(f.high(), p, n) && all_one(f.low(), p, n);
        answer& b = answers[f.key()];
        b.question = question;
        b.one = one;
        return one;
      }
    }
    return f.link == 1;
  }
  struct answer {
    uint64_t question = 0;
    bool one = false;
  };
  uint64_t question = 0;
  std::unordered_map<uintptr_t, answer> answers;
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
    std::vector<uint64_t> any_pos(words, 0), any_neg(words, 0);
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
    std::vector<uint64_t> unate(words);
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
    if (clash(p, n, q, r, words)) continue;
    for (size_t w = 0; w < words; ++w) rest.push_back(q[w] & ~(p[w] | n[w]));
    for (size_t w = 0; w < words; ++w) rest.push_back(r[w] & ~(p[w] | n[w]));
  }
  return tautology(rest, words);
}

// The ternary tree of the Part's prime implicants, one node per function
// (the subtree of a function is the same wherever it is met), walked in the
// same order: then child, else child, consensus child. Each true leaf
// offers the cube of its path to the list as the Part's procedure does.
class implicant_search {
 public:
  implicant_search(bddpp_manager* m, bdd const& f) : m(m), list(m->nbr_variables()) {
    nodes.push_back({m->Bdd_zero(), -1, {0, 0, 0}, true});
    nodes.push_back({m->Bdd_one(), -1, {0, 0, 0}, true});
    path.assign(2 * list.words, 0);
    top = key_of(f);
  }

  // The list once every cube is offered, and its entries that no earlier
  // entry contains, which are the primes.
  void run(bdd_cubes& primes) {
    walk(top);
    size_t words = list.words;
    std::vector<char> absorbed(list.size(), 0);
    for (size_t i = 0; i < list.size(); ++i) {
      if (absorbed[i]) continue;
      for (size_t j = i + 1; j < list.size(); ++j)
        if (!absorbed[j] && literals_within(list.pos(i), list.neg(i), list.pos(j), list.neg(j), words))
          absorbed[j] = 1;
    }
    for (size_t i = 0; i < list.size(); ++i)
      if (!absorbed[i]) primes.push_back(list, i);
  }

 private:
  struct node {
    bdd f;
    int32_t index;
    int32_t child[3];
    bool expanded;
  };

  int32_t key_of(bdd const& g) {
    if (m->Bdd_is_tautology(g)) return m->Bdd_is_one_tautologic(g) ? 1 : 0;
    auto found = ids.emplace(bdd_tagged(g.link_type(), g.node()), static_cast<int32_t>(nodes.size()));
    if (found.second) nodes.push_back({g, bdd_engine::index(g.node()), {0, 0, 0}, false});
    return found.first->second;
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

  void walk(int32_t k) {
    if (k == 1) {
      offer();
      return;
    }
    if (k == 0) return;
    expand(k);
    int32_t i = nodes[k].index;
    int32_t then_k = nodes[k].child[0], else_k = nodes[k].child[1], cons_k = nodes[k].child[2];
    uint64_t* pos = path.data();
    uint64_t* neg = pos + list.words;
    set_bit(pos, i);
    walk(then_k);
    clear_bit(pos, i);
    set_bit(neg, i);
    walk(else_k);
    clear_bit(neg, i);
    walk(cons_k);
  }

  // The first entry contained in the cube is replaced by it; without one,
  // the cube goes to the back.
  void offer() {
    uint64_t const* pos = path.data();
    uint64_t const* neg = pos + list.words;
    for (size_t j = 0; j < list.size(); ++j) {
      if (literals_within(pos, neg, list.pos(j), list.neg(j), list.words)) {
        std::copy(pos, pos + list.words, list.pos(j));
        std::copy(neg, neg + list.words, list.neg(j));
        return;
      }
    }
    list.push_back(pos, neg);
  }

  bddpp_manager* m;
  std::vector<node> nodes;  // 0 false, 1 true
  std::unordered_map<uintptr_t, int32_t> ids;
  std::vector<uint64_t> path;
  bdd_cubes list;
  int32_t top;
};

// The disjoint cover of the Part: each product is the first path (then
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

  struct pair_hash {
    size_t operator()(std::pair<uintptr_t, uintptr_t> const& k) const {
      uint64_t h = static_cast<uint64_t>(k.first) * 0x9E3779B97F4A7C15ULL;
      h ^= static_cast<uint64_t>(k.second) * 0xC2B2AE3D27D4EB4FULL;
      return static_cast<size_t>(h ^ (h >> 31));
    }
  };

  uint64_t count(fn a) {
    if (a.is_constant()) return a.link == 1 ? 1 : 0;
    auto known = counts.find(a.key());
    if (known != counts.end()) return known->second;
    uint64_t j = collapse(a.high(), a.low());
    uint64_t r = j != none ? add(j, count(a.low())) : add(count(a.high()), count(a.low()));
    counts[a.key()] = r;
    return r;
  }

  uint64_t collapse(fn a, fn b) {
    if (a == b) return 0;
    if (b.is_zero()) return count(a);
    if (a.is_constant() || b.is_constant()) return none;
    auto key = std::make_pair(a.key(), b.key());
    auto known = collapses.find(key);
    if (known != collapses.end()) return known->second;
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
    collapses[key] = r;
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
  std::unordered_map<uintptr_t, uint64_t> counts;
  std::unordered_map<std::pair<uintptr_t, uintptr_t>, uint64_t, pair_hash> collapses;
};

// A cube of a list being widened literal by literal.
struct cube_copy {
  cube_copy(bdd_cubes const& list, size_t k) : words(list.words) {
    bits.assign(list.pos(k), list.pos(k) + words);
    bits.insert(bits.end(), list.neg(k), list.neg(k) + words);
  }
  uint64_t* pos() { return bits.data(); }
  uint64_t* neg() { return bits.data() + words; }
  // Drops the literal at index i when the cube without it passes the test.
  template <typename Test>
  void drop_if(int32_t i, Test passes) {
    uint64_t had_pos = pos()[i / 64], had_neg = neg()[i / 64];
    clear_bit(pos(), i);
    clear_bit(neg(), i);
    if (passes(pos(), neg())) return;
    pos()[i / 64] = had_pos;
    neg()[i / 64] = had_neg;
  }
  size_t words;
  std::vector<uint64_t> bits;
};

}  // namespace

bdd bdd_lean::cube_bdd(bddpp_manager* m, bdd_cubes const& cubes, size_t k) {
  std::vector<int> literals(m->nbr_variables());
  for (int32_t i = 0; i < m->nbr_variables(); ++i) literals[i] = cubes.literal(k, i);
  return m->Literals_to_bdd(literals.data());
}

void bdd_lean::disjoint_cover(bddpp_manager* m, bdd const& f, bdd_cubes& cover) {
  disjoint_products products(m, cover);
  products.emit_all(f);
}

void bdd_lean::prime_implicants(bddpp_manager* m, bdd const& f, bdd_cubes& primes) {
  implicant_search search(m, f);
  search.run(primes);
}

// Each product widened in index order while it stays within f; then each
// that the others cover is dropped, in order.
void bdd_lean::reduced_cover(bddpp_manager* m, bdd const& f, bdd_cubes& cover) {
  bdd_cubes work(m->nbr_variables());
  disjoint_cover(m, f, work);
  cube_walk walk;
  for (size_t k = 0; k < work.size(); ++k) {
    cube_copy p(work, k);
    work.for_each_literal(k, [&](int32_t i, bool) {
      p.drop_if(i, [&](uint64_t const* q, uint64_t const* n) { return walk.within(fn_of(f), q, n); });
    });
    std::copy(p.bits.begin(), p.bits.end(), work.pos(k));
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
