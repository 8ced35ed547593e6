// Node storage of a manager: nodes in chunks that never move, the unique
// table on exact keys, and the shared support sets.
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "bddpp_int.h"

void bdd_fatal() {
  std::cerr.flush();
  std::exit(1);
}

bdd_storage::~bdd_storage() {
  for (bdd_support* s : supports) delete s;
}

// A free slot: its fields are left over from its last node, so the caller
// sets every one (see make_node).
bdd_node* bdd_storage::allocate() {
  if (free_list) {
    bdd_node* n = free_list;
    free_list = n->then_node;
    return n;
  }
  if (used_in_last == chunk_size) {
    chunks.emplace_back(new bdd_node[chunk_size]);
    used_in_last = 0;
  }
  return &chunks.back()[used_in_last++];
}

// A slot is free when it has no manager; nothing else reads its fields.
void bdd_storage::release(bdd_node* n) {
  forget_support(n);
  n->manager = nullptr;
  n->in_table = 0;
  n->then_node = free_list;
  free_list = n;
}

void bdd_storage::forget_support(bdd_node const* n) {
  if (support_of_node.empty()) return;
  auto it = support_of_node.find(n);
  if (it == support_of_node.end()) return;
  drop_support(it->second);
  support_of_node.erase(it);
}

// One pass through memory: the nodes stamped dead are released, the other
// nodes of the table entered again, and the free slots listed so that
// allocation goes up through memory.
void bdd_storage::refill(uint32_t dead_stamp) {
  map.clear();
  free_list = nullptr;
  for (size_t c = chunks.size(); c-- > 0;)
    for (size_t i = chunk_size; i-- > 0;) {
      bdd_node* n = &chunks[c][i];
      if (n->manager && n->visit == dead_stamp) {
        forget_support(n);
        n->manager = nullptr;
        n->in_table = 0;
      }
      if (!n->manager) {
        n->then_node = free_list;
        free_list = n;
      } else if (n->in_table) {
        map.insert_fresh(n);
      }
    }
  used_in_last = chunk_size;
}

bdd_support const* bdd_storage::support_of(std::vector<int32_t> const& ids) {
  size_t h = ids.size();
  for (int32_t i : ids) h = (h ^ static_cast<uint32_t>(i)) * 0x100000001b3ULL;
  bdd_support probe{h, 0, ids};
  auto it = supports.find(&probe);
  if (it != supports.end()) {
    ++(*it)->refs;
    return *it;
  }
  auto* s = new bdd_support{h, 1, ids};
  supports.insert(s);
  return s;
}

void bdd_storage::drop_support(bdd_support const* s) {
  auto* owned = const_cast<bdd_support*>(s);
  if (--owned->refs == 0) {
    supports.erase(owned);
    delete owned;
  }
}

bdd_unique_table::bdd_unique_table() : slots(1024, 0), count(0) {}

size_t bdd_unique_table::key_hash(int32_t id, int else_link, bdd_node const* t, bdd_node const* e) {
  uint64_t h = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(t) >> 3) * 0x9E3779B97F4A7C15ULL;
  h ^= static_cast<uint64_t>(reinterpret_cast<uintptr_t>(e) >> 3) * 0xC2B2AE3D27D4EB4FULL;
  h ^= (static_cast<uint64_t>(static_cast<uint32_t>(id)) << 1 | (else_link > 0)) * 0x165667B19E3779F9ULL;
  return static_cast<size_t>(h ^ (h >> 29));
}

size_t bdd_unique_table::hash_of(bdd_node const* n) {
  return key_hash(n->id, n->else_link, n->then_node, n->else_node);
}

// The slot holding the key, or the empty slot where it would go.
size_t bdd_unique_table::position(size_t hash, int32_t id, int else_link, bdd_node const* t,
                                  bdd_node const* e) const {
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

// Grows first when one more node would fill half the table, so that the
// place found stays good for the insertion that may follow.
bdd_node* bdd_unique_table::find(int32_t id, int else_link, bdd_node* t, bdd_node* e, place& at) {
  if (2 * (count + 1) > slots.size()) grow();
  at.hash = key_hash(id, else_link, t, e);
  at.slot = position(at.hash, id, else_link, t, e);
  return node_in(slots[at.slot]);
}

void bdd_unique_table::insert_at(place const& at, bdd_node* n) {
  ++count;
  slots[at.slot] = word(n, at.hash);
  n->in_table = 1;
}

void bdd_unique_table::clear() {
  std::fill(slots.begin(), slots.end(), 0);
  count = 0;
}

void bdd_unique_table::insert_fresh(bdd_node* n) {
  if (2 * (count + 1) > slots.size()) grow();
  size_t h = hash_of(n);
  place_anew(word(n, h), h);
  ++count;
  n->in_table = 1;
}

void bdd_unique_table::insert(bdd_node* n) {
  if (2 * (count + 1) > slots.size()) grow();
  size_t h = hash_of(n);
  size_t i = position(h, n->id, n->else_link, n->then_node, n->else_node);
  if (!slots[i])
    ++count;
  else
    node_in(slots[i])->in_table = 0;
  slots[i] = word(n, h);
  n->in_table = 1;
}

void bdd_unique_table::grow() {
  std::vector<uintptr_t> old(slots.size() * 2, 0);
  old.swap(slots);
  for (uintptr_t w : old)
    if (w) place_anew(w, hash_of(node_in(w)));
}

// Linear probing without tombstones: the entries after the hole move back
// when their home slot allows it.
void bdd_unique_table::erase(bdd_node* n) {
  size_t i = position(hash_of(n), n->id, n->else_link, n->then_node, n->else_node);
  if (!slots[i]) return;
  node_in(slots[i])->in_table = 0;
  size_t mask = slots.size() - 1;
  size_t hole = i;
  size_t j = i;
  for (;;) {
    j = (j + 1) & mask;
    if (!slots[j]) break;
    size_t home = hash_of(node_in(slots[j])) & mask;
    bool movable = hole <= j ? (home <= hole || home > j) : (home <= hole && home > j);
    if (movable) {
      slots[hole] = slots[j];
      hole = j;
    }
  }
  slots[hole] = 0;
  --count;
}

// Stamps are per manager; when they wrap, every node forgets its stamp.
uint32_t bdd_engine::new_visit(bdd_node const* n) {
  if (!n || !n->manager) return 1;
  bdd_storage& st = *n->manager->store;
  if (++st.visit_stamp == 1u << 31) {
    st.for_each_slot([](bdd_node& x) { x.visit = 0; });
    st.visit_stamp = 1;
  }
  return st.visit_stamp;
}

int32_t bdd_engine::new_global_id(bddpp_manager* m) {
  if (m->next_global_id == INT32_MAX) {
    std::cerr << "FATAL ERROR in bddpp_manager: node creation counter exhausted!" << std::endl;
    bdd_fatal();
  }
  return m->next_global_id++;
}

// A new node with no reference, entered into the unique table. Its support
// set is made when first asked for (bdd_support.cc).
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
  bdd_node_signature(id, else_link, t, e);  // ends the process on a child with a bad global id
  if (at)
    st.map.insert_at(*at, n);
  else
    st.map.insert(n);
  st.cache.fit(st.map.size());
  return n;
}

std::vector<bdd_node*> bdd_engine::nodes_by_signature(bddpp_manager* m) {
  std::vector<bdd_node*> nodes;
  nodes.reserve(m->store->map.size());
  m->store->map.for_each([&](bdd_node* n) { nodes.push_back(n); });
  std::sort(nodes.begin(), nodes.end(), [](bdd_node const* x, bdd_node const* y) {
    int64_t sx = x->signature(), sy = y->signature();
    return sx != sy ? sx < sy : x->global_id < y->global_id;
  });
  return nodes;
}
