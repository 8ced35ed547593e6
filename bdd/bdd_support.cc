// Support sets, visit marks, print numbering, the structural check and the
// explicit garbage collection of a manager.
#include <algorithm>

#include "bddpp_int.h"

// Each node below once; a node whose set is made already gives it whole.
static void collect_support(bdd_node* n, uint32_t stamp, std::vector<int32_t>& ids) {
  if (n->id < 0 || bdd_engine::visited(n, stamp)) return;
  std::vector<int32_t> const* known = bdd_engine::known_support(n);
  if (known) {
    ids.insert(ids.end(), known->begin(), known->end());
    return;
  }
  ids.push_back(n->id);
  collect_support(n->then_node, stamp, ids);
  collect_support(n->else_node, stamp, ids);
}

// Nothing observable depends on when the set is made, since a node's
// sub-diagram never changes: it is made when first asked for, and kept.
std::vector<int32_t> const& bdd_engine::support_ids(bdd_node* n) {
  std::vector<int32_t> const* known = known_support(n);
  if (known) return *known;
  bdd_storage& st = *n->manager->store;
  std::vector<int32_t> ids;
  collect_support(n, new_visit(n), ids);
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  bdd_support const* s = st.support_of(ids);
  st.support_of_node.emplace(n, s);
  return s->ids;
}

int bddpp_manager::Bdd_node_depends_on(bdd_node* n, bdd_node* v) {
  if (!n || !v || n->manager != this || v->manager != this) {
    std::cerr << "Error in bddpp_manager::Bdd_node_depends_on():  bad Bdd manager or bdd(s) not initialized!"
              << std::endl;
    return 0;
  }
  if (v->id == n->id) return 1;
  if (n == one) return 0;
  auto const& ids = bdd_engine::support_ids(n);
  return std::binary_search(ids.begin(), ids.end(), v->id);
}

int bddpp_manager::Bdd_depends_on(bdd const& f, bdd const& v) { return Bdd_node_depends_on(f.node(), v.node()); }

int bddpp_manager::Variable_awaited(bdd const& f, long index) {
  if (!bdd_engine::in_range(this, index)) return 0;
  return Bdd_node_depends_on(f.node(), bdd_engine::var_node_at(this, index));
}

std::set<long> bddpp_manager::set_of_id_depend_on(bdd const& f) {
  std::set<long> ids;
  if (f.manager_ref() != this) {
    std::cerr << "Warning: call  bddpp_manager::set_of_index_depend_on() with a bad manager" << std::endl;
    return ids;
  }
  if (f.node() && f.node()->id >= 0)
    for (int32_t id : bdd_engine::support_ids(f.node())) ids.insert(ids.end(), id);
  return ids;
}

std::set<long> bddpp_manager::set_of_index_depend_on(bdd const& f) {
  std::set<long> indexes;
  for (long id : set_of_id_depend_on(f)) indexes.insert(index_of[id]);
  return indexes;
}

void bddpp_manager::Present_variables(bdd const& f, int* present) {
  std::fill(present, present + nbr_var, 0);
  for (long id : set_of_id_depend_on(f)) present[index_of[id]] = 1;
}

int bddpp_manager::exists_common_variables(bdd const& f, bdd const& g) {
  std::set<long> a = set_of_id_depend_on(f);
  std::set<long> b = set_of_id_depend_on(g);
  auto i = a.begin();
  auto j = b.begin();
  while (i != a.end() && j != b.end()) {
    if (*i == *j) return 1;
    if (*i < *j)
      ++i;
    else
      ++j;
  }
  return 0;
}

// Each node below n once: the result is the same as walking every path.
static void clear_marks(bddpp_manager* m, bdd_node* n, uint32_t stamp) {
  if (!n || bdd_engine::visited(n, stamp)) return;
  n->mark = 0;
  if (!n->manager || n->id < 0) return;
  int32_t index = bdd_engine::index(n);
  if (index < 0 || index >= m->nbr_variables()) return;
  clear_marks(m, n->then_node, stamp);
  clear_marks(m, n->else_node, stamp);
}

void bddpp_manager::Bdd_clear_marks(bdd_node* n) { clear_marks(this, n, bdd_engine::new_visit(n)); }

void bddpp_manager::Bdd_clear_marks(bdd const& f) { Bdd_clear_marks(f.node()); }

void bddpp_manager::Bdd_global_clear_marks() {
  store->for_each_slot([](bdd_node& n) { n.mark = 0; });
}

int32_t bddpp_manager::Bdd_incremental_id(bdd_node* n, int32_t first) {
  if (!n) {
    std::cerr << "Warning: call bddpp_manager::Bdd_incremental_id() with null reference!" << std::endl;
    return first;
  }
  if (n->mark) return first;
  n->mark = 1;
  n->print_id = first;
  if (n->id == -1) return first + 1;
  return Bdd_incremental_id(n->else_node, Bdd_incremental_id(n->then_node, first + 1));
}

int32_t bddpp_manager::Bdd_node_size(bdd_node* n) {
  Bdd_clear_marks(n);
  return Bdd_incremental_id(n, 0);
}

int32_t bddpp_manager::Bdd_size(bdd const& f) { return Bdd_node_size(f.node()); }

// A node found correct once is correct on every other path too.
int bdd_engine::is_correct(bdd_node* n, uint32_t stamp) {
  bddpp_manager* m = n->manager;
  if (!m) return 0;
  if (n->id == -1) return 1;
  if (n->id < 0 || n->id >= m->nbr_var) return 0;
  if (n->visit == stamp) return 1;
  bdd_node* children[2] = {n->then_node, n->else_node};
  for (bdd_node* c : children) {
    if (!c || c == n) return 0;
    if (c == m->one) continue;
    if (!c->manager || index(c) <= index(n)) return 0;
    if (!is_correct(c, stamp)) return 0;
  }
  if (n->signature() < 0) return 0;
  n->visit = stamp;
  return 1;
}

int bdd_node::is_correct() { return bdd_engine::is_correct(this, bdd_engine::new_visit(this)); }

int bddpp_manager::Bdd_is_correct(bdd const& f) {
  if (!f.node()) {
    std::cerr << "Warning: call  bddpp_manager::Bdd_is_correct() with a null reference!" << std::endl;
    return 0;
  }
  Bdd_clear_marks(f.node());
  Bdd_incremental_id(f.node(), 1);
  return f.node()->is_correct();
}

// Frees the unreferenced nodes and then those that their release leaves
// unreferenced, down to the fixpoint; variable nodes and the constant stay.
void bddpp_manager::Bdd_gc() {
  auto collectable = [this](bdd_node* n) { return n->id != -1 && var_nodes[n->id] != n; };
  uint32_t dead_stamp = bdd_engine::new_visit(one);
  std::vector<bdd_node*>& dead = store->dead;
  dead.clear();
  auto bury = [&](bdd_node* n) {
    n->visit = dead_stamp;
    dead.push_back(n);
  };
  // The nodes of the table, read in storage order rather than table order.
  store->for_each_slot([&](bdd_node& n) {
    if (n.in_table && n.manager == this && n.refs <= 0 && collectable(&n)) bury(&n);
  });
  for (size_t k = 0; k < dead.size(); ++k) {
    bdd_node* n = dead[k];
    if (--n->then_node->refs == 0 && collectable(n->then_node)) bury(n->then_node);
    if (--n->else_node->refs == 0 && collectable(n->else_node)) bury(n->else_node);
  }
  // When many go, one pass through memory is cheaper than a look-up each.
  if (4 * dead.size() >= store->map.size()) {
    store->refill(dead_stamp);
  } else {
    for (bdd_node* n : dead) {
      store->map.erase(n);
      store->release(n);
    }
  }
  store->cache.flush();
  ++gc_count;
}

void bddpp_manager::Bdd_var_reorder() {
  std::cerr << "bddpp_manager::Bdd_var_reorder(void) A FAIRE" << std::endl;
}
