// Internal header of the BDD engine, included only by its own files: the
// node storage, the unique table, the shared support sets and the helpers
// that the families of operations share.
#ifndef TARVEK_BDDPP_INT_H
#define TARVEK_BDDPP_INT_H

#include <cstdint>
#include <iostream>
#include <map>
#include <memory>
#include <string>
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
// else node, else sign): no two distinct nodes can ever share a key.
class bdd_unique_table {
 public:
  bdd_unique_table();
  bdd_node* find(int32_t id, int else_link, bdd_node* t, bdd_node* e) const;
  // Stores n, replacing a node of the same key if there is one.
  void insert(bdd_node* n);
  // Removes the node stored under n's key, if any.
  void erase(bdd_node* n);
  size_t size() const { return count; }
  template <typename F>
  void for_each(F f) const {
    for (auto const& s : slots)
      if (s.node) f(s.node);
  }

 private:
  struct slot {
    bdd_node* node;
    size_t hash;
  };
  static size_t key_hash(int32_t id, int else_link, bdd_node const* t, bdd_node const* e);
  size_t position(size_t hash, int32_t id, int else_link, bdd_node const* t, bdd_node const* e) const;
  void grow();
  std::vector<slot> slots;
  size_t count;
};

// Everything a manager owns besides its per-variable tables.
struct bdd_storage {
  ~bdd_storage();
  bdd_node* allocate();
  void release(bdd_node* n);
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
  std::vector<int32_t> scratch;
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
  static bdd_node* var_node_at(bddpp_manager* m, int32_t index) { return m->var_nodes[m->id_at[index]]; }
  static std::string const& name_at(bddpp_manager* m, int32_t index) { return m->names[m->id_at[index]]; }
  static std::string const& name_of(bdd_node const* n) { return n->manager->names[n->id]; }
  static bdd_node* var_node_of(bdd_node const* n) { return n->manager->var_nodes[n->id]; }
  static bdd_support const* support(bdd_node const* n) { return n->support; }
  // A fresh stamp for a walk that visits each node once.
  static uint64_t new_visit();
  static bool visited(bdd_node* n, uint64_t stamp) {
    if (n->visit == stamp) return true;
    n->visit = stamp;
    return false;
  }
  static bool in_range(bddpp_manager const* m, long i) { return i >= 0 && i < m->nbr_var; }
  static int32_t new_global_id(bddpp_manager* m);
  static bdd_node* make_node(bddpp_manager* m, int32_t id, int else_link, bdd_node* t, bdd_node* e);
  static void free_node(bddpp_manager* m, bdd_node* n);
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
  static int is_correct(bdd_node* n, uint64_t stamp);
  // r combined by op, index by index from the top, with the literal of
  // every entry that is 1 or 0.
  static bdd fold_literals(bddpp_manager* m, bdd r, int const* literals,
                           bdd (bddpp_manager::*op)(bdd const&, bdd const&));
};

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
};

extern class_exp_bdd_parser* pexp_bdd_parser;

#endif
