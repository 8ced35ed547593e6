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

void bdd_storage::add_chunk() {
  chunks.emplace_back(new bdd_node[chunk_size]);
  used_in_last = 0;
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

void bdd_engine::counter_exhausted() {
  std::cerr << "FATAL ERROR in bddpp_manager: node creation counter exhausted!" << std::endl;
  bdd_fatal();
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
