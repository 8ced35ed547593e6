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

bdd_node* bdd_storage::allocate() {
  if (free_list) {
    bdd_node* n = free_list;
    free_list = n->then_node;
    *n = bdd_node();
    return n;
  }
  if (used_in_last == chunk_size) {
    chunks.emplace_back(new bdd_node[chunk_size]);
    used_in_last = 0;
  }
  return &chunks.back()[used_in_last++];
}

void bdd_storage::release(bdd_node* n) {
  *n = bdd_node();
  n->then_node = free_list;
  free_list = n;
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

bdd_unique_table::bdd_unique_table() : slots(1024, slot{nullptr, 0}), count(0) {}

size_t bdd_unique_table::key_hash(int32_t id, int else_link, bdd_node const* t, bdd_node const* e) {
  uint64_t h = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(t) >> 3) * 0x9E3779B97F4A7C15ULL;
  h ^= static_cast<uint64_t>(reinterpret_cast<uintptr_t>(e) >> 3) * 0xC2B2AE3D27D4EB4FULL;
  h ^= (static_cast<uint64_t>(static_cast<uint32_t>(id)) << 1 | (else_link > 0)) * 0x165667B19E3779F9ULL;
  return static_cast<size_t>(h ^ (h >> 29));
}

// The slot holding the key, or the empty slot where it would go.
size_t bdd_unique_table::position(size_t hash, int32_t id, int else_link, bdd_node const* t,
                                  bdd_node const* e) const {
  size_t mask = slots.size() - 1;
  size_t i = hash & mask;
  while (slots[i].node) {
    bdd_node const* n = slots[i].node;
    if (slots[i].hash == hash && n->id == id && n->then_node == t && n->else_node == e &&
        n->else_link == else_link)
      return i;
    i = (i + 1) & mask;
  }
  return i;
}

bdd_node* bdd_unique_table::find(int32_t id, int else_link, bdd_node* t, bdd_node* e) const {
  return slots[position(key_hash(id, else_link, t, e), id, else_link, t, e)].node;
}

void bdd_unique_table::insert(bdd_node* n) {
  if (2 * (count + 1) > slots.size()) grow();
  size_t h = key_hash(n->id, n->else_link, n->then_node, n->else_node);
  size_t i = position(h, n->id, n->else_link, n->then_node, n->else_node);
  if (!slots[i].node) ++count;
  slots[i] = slot{n, h};
}

void bdd_unique_table::grow() {
  std::vector<slot> old(slots.size() * 2, slot{nullptr, 0});
  old.swap(slots);
  size_t mask = slots.size() - 1;
  for (auto const& s : old) {
    if (!s.node) continue;
    size_t i = s.hash & mask;
    while (slots[i].node) i = (i + 1) & mask;
    slots[i] = s;
  }
}

// Linear probing without tombstones: the entries after the hole move back
// when their home slot allows it.
void bdd_unique_table::erase(bdd_node* n) {
  size_t h = key_hash(n->id, n->else_link, n->then_node, n->else_node);
  size_t i = position(h, n->id, n->else_link, n->then_node, n->else_node);
  if (!slots[i].node) return;
  size_t mask = slots.size() - 1;
  size_t hole = i;
  size_t j = i;
  for (;;) {
    j = (j + 1) & mask;
    if (!slots[j].node) break;
    size_t home = slots[j].hash & mask;
    bool movable = hole <= j ? (home <= hole || home > j) : (home <= hole && home > j);
    if (movable) {
      slots[hole] = slots[j];
      hole = j;
    }
  }
  slots[hole] = slot{nullptr, 0};
  --count;
}

// Stamps are per manager; when they wrap, every node forgets its stamp.
uint32_t bdd_engine::new_visit(bdd_node const* n) {
  if (!n || !n->manager) return 1;
  bdd_storage& st = *n->manager->store;
  if (++st.visit_stamp == 0) {
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
bdd_node* bdd_engine::make_node(bddpp_manager* m, int32_t id, int else_link, bdd_node* t, bdd_node* e) {
  bdd_storage& st = *m->store;
  bdd_node* n = st.allocate();
  n->manager = m;
  n->global_id = new_global_id(m);
  n->id = id;
  n->refs = 0;
  n->else_link = else_link;
  n->then_node = t;
  n->else_node = e;
  n->signature = bdd_node_signature(id, else_link, t, e);
  st.map.insert(n);
  st.cache.fit(st.map.size());
  return n;
}

void bdd_engine::free_node(bddpp_manager* m, bdd_node* n) {
  m->store->map.erase(n);
  if (n->then_node) --n->then_node->refs;
  if (n->else_node) --n->else_node->refs;
  auto& known = m->store->support_of_node;
  if (!known.empty()) {
    auto it = known.find(n);
    if (it != known.end()) {
      m->store->drop_support(it->second);
      known.erase(it);
    }
  }
  m->store->release(n);
}

std::vector<bdd_node*> bdd_engine::nodes_by_signature(bddpp_manager* m) {
  std::vector<bdd_node*> nodes;
  nodes.reserve(m->store->map.size());
  m->store->map.for_each([&](bdd_node* n) { nodes.push_back(n); });
  std::sort(nodes.begin(), nodes.end(), [](bdd_node const* x, bdd_node const* y) {
    return x->signature != y->signature ? x->signature < y->signature : x->global_id < y->global_id;
  });
  return nodes;
}
