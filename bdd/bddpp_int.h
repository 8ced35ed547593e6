// Internal header of the BDD engine, included only by its own files: the
// node storage, the unique table, the shared support sets and the helpers
// that the families of operations share.
#ifndef TARVEK_BDDPP_INT_H
#define TARVEK_BDDPP_INT_H

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "bddpp.h"

// The sorted ids of the variables below a node. Equal sets are shared
// between nodes and counted, so a node carries one pointer.
struct bdd_support {
  size_t hash;
  uint32_t refs;
  std::vector<int32_t> ids;
};

struct bdd_support_hash {
  size_t operator()(bdd_support const* s) const { return s->hash; }
};
struct bdd_support_equal {
  bool operator()(bdd_support const* a, bdd_support const* b) const { return a->ids == b->ids; }
};

// Open-addressed table keyed on the exact tuple (variable id, then node,
// else node, else sign): no two distinct nodes can ever share a key. A slot
// is one word: the node, whose alignment leaves its low bits free for four
// bits of the key's hash, so that most slots of another key are passed over
// without reading their node. Half the table stays empty.
class bdd_unique_table {
 public:
  // Where a key is, or would go.
  struct place {
    size_t slot;
    size_t hash;
  };
  bdd_unique_table();
  // The node of that key, or null; `at` is then where it would go, until
  // the table next changes.
  // Grows first when one more node would fill half the table, so that the
  // place found stays good for the insertion that may follow.
  bdd_node* find(int32_t id, int else_link, bdd_node* t, bdd_node* e, place& at) {
    if (2 * (count + 1) > slots.size()) grow();
    at.hash = key_hash(id, else_link, t, e);
    at.slot = position(at.hash, id, else_link, t, e);
    return node_in(slots[at.slot]);
  }
  inline void insert_at(place const& at, bdd_node* n);
  // Stores n, replacing a node of the same key if there is one.
  void insert(bdd_node* n);
  // Removes the node stored under n's key, if any.
  void erase(bdd_node* n);
  // Empties the table without touching the nodes, which the caller then
  // enters again, each key once, by insert_fresh.
  void clear();
  void insert_fresh(bdd_node* n);
  size_t size() const { return count; }
  template <typename F>
  void for_each(F f) const {
    for (uintptr_t w : slots)
      if (w) f(node_in(w));
  }

 private:
  static constexpr uintptr_t tag_bits = alignof(bdd_node) - 1;
  static_assert(alignof(bdd_node) >= 16, "a slot keeps four bits of hash beside its node");
  static bdd_node* node_in(uintptr_t w) { return reinterpret_cast<bdd_node*>(w & ~tag_bits); }
  static uintptr_t tag_of(size_t hash) { return static_cast<uintptr_t>(hash >> 60) & tag_bits; }
  static uintptr_t word(bdd_node* n, size_t hash) { return reinterpret_cast<uintptr_t>(n) | tag_of(hash); }
  static size_t key_hash(int32_t id, int else_link, bdd_node const* t, bdd_node const* e) {
    uint64_t h = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(t) >> 3) * 0x9E3779B97F4A7C15ULL;
    h ^= static_cast<uint64_t>(reinterpret_cast<uintptr_t>(e) >> 3) * 0xC2B2AE3D27D4EB4FULL;
    h ^= (static_cast<uint64_t>(static_cast<uint32_t>(id)) << 1 | (else_link > 0)) * 0x165667B19E3779F9ULL;
    return static_cast<size_t>(h ^ (h >> 29));
  }
  static size_t hash_of(bdd_node const* n) { return key_hash(n->id, n->else_link, n->then_node, n->else_node); }
  // The slot holding the key, or the empty slot where it would go.
  size_t position(size_t hash, int32_t id, int else_link, bdd_node const* t, bdd_node const* e) const {
    size_t mask = slots.size() - 1;
    size_t i = hash & mask;
    uintptr_t tag = tag_of(hash);
    while (uintptr_t w = slots[i]) {
      if ((w & tag_bits) == tag) {
        bdd_node const* n = node_in(w);
        if (n->id == id && n->then_node == t && n->else_node == e && n->else_link == else_link) return i;
      }
      i = (i + 1) & mask;
    }
    return i;
  }
  void place_anew(uintptr_t w, size_t hash) {
    size_t mask = slots.size() - 1;
    size_t i = hash & mask;
    while (slots[i]) i = (i + 1) & mask;
    slots[i] = w;
  }
  void grow();
  std::vector<uintptr_t> slots;
  size_t count;
};

// Cubes over the variable indexes of one manager, each as two rows of bits
// (its positive and its negative literals), one after the other in one
// block: containment between cubes is a test of their literals.
class bdd_cubes {
 public:
  explicit bdd_cubes(int32_t nbr_var) : nbr_var(nbr_var), words(nbr_var > 64 ? (nbr_var + 63) / 64 : 1) {}
  size_t size() const { return bits.size() / (2 * words); }
  bool empty() const { return bits.empty(); }
  uint64_t const* pos(size_t k) const { return &bits[k * 2 * words]; }
  uint64_t const* neg(size_t k) const { return pos(k) + words; }
  uint64_t* pos(size_t k) { return &bits[k * 2 * words]; }
  uint64_t* neg(size_t k) { return pos(k) + words; }
  void push_back(uint64_t const* p, uint64_t const* n) {
    size_t at = bits.size();
    bits.resize(at + 2 * words);
    std::copy(p, p + words, &bits[at]);
    std::copy(n, n + words, &bits[at + words]);
  }
  void push_back(bdd_cubes const& other, size_t k) { push_back(other.pos(k), other.neg(k)); }
  void append(bdd_cubes const& other) { bits.insert(bits.end(), other.bits.begin(), other.bits.end()); }
  void clear() { bits.clear(); }
  // 1, 0 or 2 (absent) for the literal of cube k at index i.
  int literal(size_t k, int32_t i) const {
    uint64_t bit = uint64_t{1} << (i % 64);
    return (pos(k)[i / 64] & bit) ? 1 : (neg(k)[i / 64] & bit) ? 0 : 2;
  }
  // Calls put(index, positive) for each literal of cube k, top of the order
  // first.
  template <typename Put>
  void for_each_literal(size_t k, Put put) const {
    for (size_t w = 0; w < words; ++w) {
      uint64_t p = pos(k)[w], n = neg(k)[w];
      for (uint64_t all = p | n; all; all &= all - 1) {
        int b = __builtin_ctzll(all);
        put(static_cast<int32_t>(w * 64 + b), ((p >> b) & 1) != 0);
      }
    }
  }

  int32_t nbr_var;
  size_t words;

 private:
  std::vector<uint64_t> bits;
};

// An operand or a result as one word: the node, with a complemented link
// type in the low bit (nodes are aligned).
inline uintptr_t bdd_tagged(int link, bdd_node const* n) {
  return reinterpret_cast<uintptr_t>(n) | (link < 0 ? 1u : 0u);
}
inline bdd_node* bdd_untagged(uintptr_t w, int& link) {
  link = (w & 1u) ? -1 : 1;
  return reinterpret_cast<bdd_node*>(w & ~uintptr_t{1});
}

// Direct-mapped table of (key word, key word) -> result word. Keys are
// never 0, which marks an empty slot.
class bdd_result_table {
 public:
  explicit bdd_result_table(size_t slots) : entries(slots, entry{0, 0, 0}) {}
  bool find(uintptr_t f, uintptr_t g, uintptr_t& r) const {
    entry const& e = entries[slot(f, g)];
    if (e.f != f || e.g != g) return false;
    r = e.r;
    return true;
  }
  void put(uintptr_t f, uintptr_t g, uintptr_t r) { entries[slot(f, g)] = entry{f, g, r}; }
  void clear() { std::fill(entries.begin(), entries.end(), entry{0, 0, 0}); }
  size_t size() const { return entries.size(); }
  // A new size (a power of two), keeping the entries that still fit.
  void resize(size_t slots);

 private:
  struct entry {
    uintptr_t f, g, r;
  };
  size_t slot(uintptr_t f, uintptr_t g) const {
    uint64_t h = (static_cast<uint64_t>(f) * 0x9E3779B97F4A7C15ULL) ^ (static_cast<uint64_t>(g) * 0xC2B2AE3D27D4EB4FULL);
    return static_cast<size_t>(h ^ (h >> 32)) & (entries.size() - 1);
  }
  std::vector<entry> entries;
};

// The products that the lean covers found, by function and method (-1 for
// the prime implicants), and the results of Bdd_simplify3 by operands: the
// writers ask for the same ones once per target. Keys are tagged node
// words, valid while no node leaves the table, as those of the cache it
// belongs to; the cubes, while the variables stay as they were.
struct bdd_lean_memo {
  struct key_hash {
    size_t operator()(std::pair<uintptr_t, uintptr_t> const& k) const {
      uint64_t h = static_cast<uint64_t>(k.first) * 0x9E3779B97F4A7C15ULL;
      h ^= static_cast<uint64_t>(k.second) * 0xC2B2AE3D27D4EB4FULL;
      return static_cast<size_t>(h ^ (h >> 31));
    }
  };
  // The words of cubes it holds at most: a cover beyond a quarter of them is
  // not kept, and the memo starts again empty when full.
  static constexpr size_t most_words = size_t{1} << 21;

  void clear() {
    if (words == 0 && simplified.empty()) return;
    cubes.clear();
    simplified.clear();
    words = 0;
  }
  // The cubes kept under the key, or null; the variables are counted so
  // that cubes of another width are never given.
  bdd_cubes const* find(uintptr_t f, uintptr_t method, int32_t nbr_var) {
    if (nbr_var != width) return nullptr;
    auto it = cubes.find({f, method});
    return it == cubes.end() ? nullptr : &it->second;
  }
  void put(uintptr_t f, uintptr_t method, bdd_cubes const& c) {
    size_t n = c.size() * 2 * c.words;
    if (c.nbr_var != width) {
      clear();
      width = c.nbr_var;
    }
    if (4 * n > most_words) return;
    if (words + n > most_words) clear();
    cubes.emplace(std::make_pair(f, method), c);
    words += n;
  }

  int32_t width = -1;
  size_t words = 0;
  std::unordered_map<std::pair<uintptr_t, uintptr_t>, bdd_cubes, key_hash> cubes;
  std::unordered_map<std::pair<uintptr_t, uintptr_t>, uintptr_t, key_hash> simplified;
};

// The manager's cache of the pure recursions (conjunction, disjunction,
// cofactor by one literal). A sub-problem met again since the last flush
// was walked in full then: every node of that walk is still in the unique
// table, so walking it again would find them all, create nothing and end
// on the node and link type stored here. The cache therefore changes no
// global id, counter or reference count, and holds no reference itself;
// it is flushed whenever a node may leave the table or an index change.
struct bdd_cache {
  static constexpr size_t first_slots = size_t{1} << 12;
  static constexpr size_t most_slots = size_t{1} << 18;

  bdd_cache() : table(first_slots) {}
  bool find(uintptr_t f, uintptr_t g, bdd_node*& r, int& link) const {
    uintptr_t w;
    if (!on || !table.find(f, g, w)) return false;
    r = bdd_untagged(w, link);
    return true;
  }
  void put(uintptr_t f, uintptr_t g, bdd_node* r, int link) {
    if (!on) return;
    table.put(f, g, bdd_tagged(link, r));
    filled = true;
  }
  void flush() {
    if (filled) table.clear();
    filled = false;
    lean.clear();
  }
  // One slot per node of the unique table, within bounds; the table never
  // shrinks, so that fresh memory is taken once.
  void fit(size_t nbr_nodes) {
    if (nbr_nodes > table.size() && table.size() < most_slots) table.resize(table.size() * 2);
  }
  // The key of a cofactor by one literal: index and value, never a node.
  static uintptr_t literal_key(int32_t index, int value) {
    return (static_cast<uintptr_t>(index) << 3) | (value == 1 ? 4u : 0u) | 2u;
  }

  bool on = true;
  bool filled = false;  // something put since the last flush
  bdd_result_table table;
  bdd_lean_memo lean;
};

// Results within one call of a recursion that starts again at every call
// (its other arguments are not worth a place in the manager's cache): one
// result per (link type, node) of the function walked, none lost. Inactive
// when the manager's cache is off.
class bdd_memo {
 public:
  explicit bdd_memo(bddpp_manager* m);
  bool find(int link, bdd_node const* n, bdd_node*& r, int& r_link) const {
    if (!on) return false;
    entry const& e = entries[position(bdd_tagged(link, n))];
    if (!e.key) return false;
    r = bdd_untagged(e.result, r_link);
    return true;
  }
  bool find(bdd const& f, bdd& r) const;
  void put(int link, bdd_node const* n, bdd_node* r, int r_link);
  void put(bdd const& f, bdd const& r) { put(f.link_type(), f.node(), r.node(), r.link_type()); }

 private:
  struct entry {
    uintptr_t key, result;
  };
  size_t position(uintptr_t key) const {
    size_t mask = entries.size() - 1;
    size_t i = static_cast<size_t>((static_cast<uint64_t>(key) * 0x9E3779B97F4A7C15ULL) >> 20) & mask;
    while (entries[i].key && entries[i].key != key) i = (i + 1) & mask;
    return i;
  }
  bddpp_manager* manager;  // of the results
  bool on;
  std::vector<entry> entries;
  size_t count;
};

// Everything a manager owns besides its per-variable tables.
struct bdd_storage {
  ~bdd_storage();
  // A free slot: its fields are left over from its last node, so the caller
  // sets every one (see make_node).
  bdd_node* allocate() {
    if (free_list) {
      bdd_node* n = free_list;
      free_list = n->then_node;
      return n;
    }
    if (used_in_last == chunk_size) add_chunk();
    return &chunks.back()[used_in_last++];
  }
  void add_chunk();
  void release(bdd_node* n);
  void forget_support(bdd_node const* n);
  void refill(uint32_t dead_stamp);
  template <typename F>
  void for_each_slot(F f) {
    for (auto& chunk : chunks)
      for (size_t i = 0; i < chunk_size; ++i) f(chunk[i]);
  }
  bdd_support const* support_of(std::vector<int32_t> const& ids);
  void drop_support(bdd_support const* s);

  static constexpr size_t chunk_size = 1024;
  std::vector<std::unique_ptr<bdd_node[]>> chunks;
  bdd_node* free_list = nullptr;
  size_t used_in_last = chunk_size;
  bdd_unique_table map;
  std::unordered_set<bdd_support*, bdd_support_hash, bdd_support_equal> supports;
  // The sets made so far, by node: few nodes are ever asked for theirs.
  std::unordered_map<bdd_node const*, bdd_support const*> support_of_node;
  uint32_t visit_stamp = 0;
  bdd_cache cache;
  // Covers computed on cubes of bits, making only the nodes of their
  // results (see Bdd_set_lean_covers).
  bool lean_covers = false;
  uint64_t prime_walk_bound = uint64_t{1} << 21;
  std::vector<std::string> notes;
  std::unordered_set<std::string> noted;
  // The nodes a collection frees, kept between collections so that its room
  // is taken once.
  std::vector<bdd_node*> dead;
};

// The engine's own access to the private parts of nodes and managers.
struct bdd_engine {
  // Index of a node: -3 without manager, the id when negative, else the
  // position of its variable in its own manager.
  static int32_t index(bdd_node const* n) {
    if (!n->manager) return -3;
    if (n->id < 0) return n->id;
    return n->manager->index_of[n->id];
  }
  static bool is_var_node(bddpp_manager const* m, bdd_node const* n) {
    return n->then_node == m->one && n->else_node == m->one && n->else_link == -1;
  }
  static bdd_storage& store(bddpp_manager* m) { return *m->store; }
  static bdd_cache& cache(bddpp_manager* m) { return m->store->cache; }
  static bool cache_default_on();
  static bdd_node* var_node_at(bddpp_manager* m, int32_t index) { return m->var_nodes[m->id_at[index]]; }
  static std::string const& name_at(bddpp_manager* m, int32_t index) { return m->names[m->id_at[index]]; }
  static int32_t id_at(bddpp_manager const* m, int32_t index) { return m->id_at[index]; }
  static std::string const& name_of(bdd_node const* n) { return n->manager->names[n->id]; }
  static bdd_node* var_node_of(bdd_node const* n) { return n->manager->var_nodes[n->id]; }
  // The ids below a non-constant node, sorted, made at the first call.
  static std::vector<int32_t> const& support_ids(bdd_node* n);
  static std::vector<int32_t> const* known_support(bdd_node const* n) {
    auto const& known = n->manager->store->support_of_node;
    if (known.empty()) return nullptr;
    auto it = known.find(n);
    return it == known.end() ? nullptr : &it->second->ids;
  }
  // A fresh stamp for a walk that visits each node of n's manager once.
  static uint32_t new_visit(bdd_node const* n);
  static bool visited(bdd_node* n, uint32_t stamp) {
    if (n->visit == stamp) return true;
    n->visit = stamp;
    return false;
  }
  static bool in_range(bddpp_manager const* m, long i) { return i >= 0 && i < m->nbr_var; }
  static int32_t new_global_id(bddpp_manager* m) {
    if (m->next_global_id == INT32_MAX) counter_exhausted();
    return m->next_global_id++;
  }
  [[noreturn]] static void counter_exhausted();
  // A new node with no reference, entered into the unique table (at the
  // place a look-up just found, when given).
  static inline bdd_node* make_node(bddpp_manager* m, int32_t id, int else_link, bdd_node* t, bdd_node* e,
                                    bdd_unique_table::place const* at = nullptr);
  // The work of Find_or_create_bdd_node, which the walks reach through join.
  static inline bdd_node* find_or_make(bddpp_manager* m, long index, int then_link, int else_link, bdd_node* then_node,
                                       bdd_node* else_node, int& link);
  [[noreturn]] static void index_out_of_range(long index);
  [[noreturn]] static void index_not_above(long index, bool then_fault, int32_t child_index);
  // The node of (variable at index ? (t_link, t) : (e_link, e)): the half
  // itself when both are equal, otherwise the node found or created.
  static bdd_node* join(bddpp_manager* m, int32_t index, int t_link, bdd_node* t, int e_link, bdd_node* e,
                        int& link) {
    if (t == e && t_link == e_link) {
      link = t_link;
      return t;
    }
    link = 1;
    return find_or_make(m, index, t_link, e_link, t, e, link);
  }
  // Doubles the per-variable tables when they are full.
  static void grow_tables(bddpp_manager* m);
  static void resize_tables(bddpp_manager* m, int capacity);
  // The one place where a variable enters the order: a new id placed at
  // index, the variables from index on moving one position down.
  static bdd_node* create_variable(bddpp_manager* m, std::string const& name, int32_t index);
  // First id whose name in the name table is name, or -1.
  static long id_named(bddpp_manager* m, std::string const& name);
  // Gives each id its new name, in the name table and in the look-up.
  static void rename(bddpp_manager* m, std::map<int32_t, std::string> const& new_names);
  static bdd association(bddpp_manager* m, int32_t index);
  static void associate(bddpp_manager* m, int32_t index, bdd const& f);
  // Nodes of the unique table in ascending signature order.
  static std::vector<bdd_node*> nodes_by_signature(bddpp_manager* m);
  static int is_correct(bdd_node* n, uint32_t stamp);
  // r combined by op, index by index from the top, with the literal of
  // every entry that is 1 or 0.
  static bdd fold_literals(bddpp_manager* m, bdd r, int const* literals,
                           bdd (bddpp_manager::*op)(bdd const&, bdd const&));
};

void bdd_unique_table::insert_at(place const& at, bdd_node* n) {
  ++count;
  slots[at.slot] = word(n, at.hash);
  n->in_table = 1;
}

// Its support set is made when first asked for (bdd_support.cc).
bdd_node* bdd_engine::make_node(bddpp_manager* m, int32_t id, int else_link, bdd_node* t, bdd_node* e,
                                bdd_unique_table::place const* at) {
  bdd_storage& st = *m->store;
  bdd_node* n = st.allocate();
  n->manager = m;
  n->then_node = t;
  n->else_node = e;
  n->id = id;
  n->print_id = 0;
  n->global_id = new_global_id(m);
  n->refs = 0;
  n->else_link = static_cast<int16_t>(else_link);
  n->mark = 0;
  n->visit = 0;
  n->in_table = 0;
  // Every caller gives a variable id; the signature ends the process on a
  // child with a bad global id.
  if (t->global_id < 0 || e->global_id < 0) bdd_node_signature(id, else_link, t, e);
  if (at)
    st.map.insert_at(*at, n);
  else
    st.map.insert(n);
  st.cache.fit(st.map.size());
  return n;
}

bdd_node* bdd_engine::find_or_make(bddpp_manager* m, long index, int then_link, int else_link, bdd_node* then_node,
                                   bdd_node* else_node, int& link) {
  link *= then_link;
  if (index == -1) return m->one;
  if (!in_range(m, index)) index_out_of_range(index);
  int e = then_link * else_link;
  if (then_node == m->one && else_node == m->one) return e == 1 ? m->one : var_node_at(m, index);
  int32_t ti = bdd_engine::index(then_node);
  int32_t ei = bdd_engine::index(else_node);
  bool then_fault = ti >= 0 && index >= ti;
  if (then_fault || (ei >= 0 && index >= ei)) index_not_above(index, then_fault, then_fault ? ti : ei);
  int32_t id = m->id_at[index];
  bdd_unique_table::place at;
  bdd_node* n = m->store->map.find(id, e, then_node, else_node, at);
  if (n) return n;
  n = make_node(m, id, e, then_node, else_node, &at);
  ++then_node->refs;
  ++else_node->refs;
  return n;
}

// The covers of a manager whose lean covers are on: the same products in
// the same order as the procedures of bdd_cover.cc, found on cubes
// of bits (bdd_cover_lean.cc). f is never a constant.
struct bdd_lean {
  static void disjoint_cover(bddpp_manager* m, bdd const& f, bdd_cubes& cover);
  static void reduced_cover(bddpp_manager* m, bdd const& f, bdd_cubes& cover);
  static void prime_cover(bddpp_manager* m, bdd const& f, bdd_cubes& cover);
  static void prime_implicants(bddpp_manager* m, bdd const& f, bdd_cubes& primes);
  static void essential_implicants(bddpp_manager* m, bdd const& f, bdd_cubes& essential, bdd_cubes& others);
  static bdd simplify3(bddpp_manager* m, bdd const& f, bdd const& c);
  static bdd cube_bdd(bddpp_manager* m, bdd_cubes const& cubes, size_t k);

 private:
  // The work behind the memo of the manager's cache.
  static void reduce(bddpp_manager* m, bdd const& f, bdd_cubes& cover);
  static void cover_by_primes(bddpp_manager* m, bdd const& f, bdd_cubes& cover);
  static bdd widen_primes(bddpp_manager* m, bdd const& f, bdd const& c);
  static void note_cube_order(bddpp_manager* m, bdd const& f, bdd_cubes const& primes);
};

// The products of f's cover by a method as cubes, none for a constant f:
// through Bdd_sop, or on cubes when the lean covers are on.
void bdd_cover_cubes(bddpp_manager* m, bdd const& f, int method, bdd_cubes& cover);

// Ends the process after an internal error whose message is written.
[[noreturn]] void bdd_fatal();

// One parse of a condition text (see Parse_expression).
class class_exp_bdd_parser {
 public:
  explicit class_exp_bdd_parser(bddpp_manager* manager);
  ~class_exp_bdd_parser();
  class_exp_bdd_parser(class_exp_bdd_parser const&) = delete;
  class_exp_bdd_parser& operator=(class_exp_bdd_parser const&) = delete;

  int parse(std::string const& text);
  bdd bddexpression() const { return *result; }
  int prio() const { return prio_value; }

  bddpp_manager* manager;
  std::string rest;
  std::string token;
  int prio_value;
  bdd* result;
  std::string unread;  // what follows the accepted condition
};

extern class_exp_bdd_parser* pexp_bdd_parser;

#endif
