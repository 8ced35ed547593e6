// Handles, nodes and the manager: variables, look-ups by name, id and
// index, the node constructor that every operation goes through, and the
// structural tests of a function.
#include "bddpp_int.h"

std::list<bdd> empty_list_bdd;

std::string Bdd_version() { return "4.7"; }

bdd_node::bdd_node()
    : id(-3), else_link(1), mark(0), then_node(nullptr), else_node(nullptr), manager(nullptr), refs(0),
      global_id(0), print_id(0), visit(0), in_table(0) {}

bool operator==(bdd_node const& x, bdd_node const& y) {
  return x.id == y.id && x.else_link == y.else_link && x.then_node == y.then_node && x.else_node == y.else_node;
}
bool operator!=(bdd_node const& x, bdd_node const& y) { return !(x == y); }

// A node's signature, printed by the dumps and computed when they print it.
// Shifted without masks, so it aliases past 2^20 nodes or 2^22 variables:
// nothing looks nodes up by it.
int64_t bdd_node_signature(long id, int else_link, bdd_node* then_node, bdd_node* else_node) {
  if (id == -1 || id == -3) return id;
  if (then_node->global_id < 0) {
    std::cerr << "ERROR in bdd_node_signature(): then node have a bad global id!" << std::endl;
    bdd_fatal();
  }
  if (else_node->global_id < 0) {
    std::cerr << "ERROR in bdd_node_signature(): else node have a bad global id!" << std::endl;
    bdd_fatal();
  }
  uint64_t s = static_cast<uint64_t>(id) << 41;
  s |= static_cast<uint64_t>(then_node->global_id) << 21;
  s |= static_cast<uint64_t>(else_node->global_id) << 1;
  s |= else_link == 1 ? 1u : 0u;
  return static_cast<int64_t>(s);
}

int64_t bdd_node::signature() const {
  if (id >= 0 && (!then_node || !else_node)) return -3;
  return bdd_node_signature(id, else_link, then_node, else_node);
}

bool operator==(bdd const& f, bdd const& g) {
  return f.manager_ref() == g.manager_ref() && f.link_type() == g.link_type() && f.node() == g.node();
}
bool operator!=(bdd const& f, bdd const& g) { return !(f == g); }

std::ostream& operator<<(std::ostream& os, bdd const& f) {
  os << "adr manager= " << static_cast<const void*>(f.manager_ref()) << ", link type =" << f.link_type()
     << ", adr node= " << static_cast<const void*>(f.node()) << ", ";
  if (f.node()) os << "node signature: " << f.node()->signature();
  return os;
}

bddpp_manager::bddpp_manager()
    : nbr_var(0), capacity(16), next_global_id(2), names(16), var_nodes(16, nullptr), index_of(16, 0),
      id_at(16, 0), assoc(16, nullptr), assoc_link(16, 1), gc_count(0), store(new bdd_storage) {
  store->cache.on = bdd_engine::cache_default_on();
  one = store->allocate();
  *one = bdd_node();
  one->manager = this;
  one->id = -1;
  one->global_id = 1;
  one->refs = 1;
}

// Frees every node at once: handles of this manager must be gone by now.
bddpp_manager::~bddpp_manager() { delete store; }

// A node entered or removed from outside may stand for a result that the
// cache holds: it is flushed. The engine's own entries and removals go to
// the table directly.
void bddpp_manager::Map_integrate(bdd_node* n) {
  store->cache.flush();
  store->map.insert(n);
}

void bddpp_manager::Map_suppress(bdd_node* n) {
  store->cache.flush();
  store->map.erase(n);
}

bdd_node* bddpp_manager::Find_or_create_bdd_node(long index, int then_link, int else_link, bdd_node* then_node,
                                                 bdd_node* else_node, int& link) {
  return bdd_engine::find_or_make(this, index, then_link, else_link, then_node, else_node, link);
}

void bdd_engine::index_out_of_range(long index) {
  std::cerr << "FATAL ERROR: Bad call of bddpp_manager::Find_or_create_bdd_node():" << std::endl
            << "  index " << index << " is out of range" << std::endl;
  bdd_fatal();
}

void bdd_engine::index_not_above(long index, bool then_fault, int32_t child_index) {
  std::cerr << "FATAL ERROR: Bad call of bddpp_manager::Find_or_create_bdd_node():" << std::endl
            << "  index " << index << " is not less than "
            << (then_fault ? " its then node index (" : " its else node index (") << child_index << ")" << std::endl;
  bdd_fatal();
}

bdd_node* bddpp_manager::New_node_var_last(std::string const& name) {
  bdd_engine::grow_tables(this);
  auto known = name_lookup.find(name);
  if (known != name_lookup.end()) return var_nodes[known->second];
  return bdd_engine::create_variable(this, name, nbr_var);
}

bdd bddpp_manager::New_var_last(std::string const& name) { return bdd(this, 1, New_node_var_last(name)); }

bdd bddpp_manager::Bdd_var_by_id(long id) {
  if (!bdd_engine::in_range(this, id)) {
    std::cerr << "calling bddpp_manager::Bdd_var_by_id() with id= " << id << " :out of range!" << std::endl;
    return Bdd_zero();
  }
  return bdd(this, 1, var_nodes[id]);
}

bdd bddpp_manager::Bdd_var_by_index(long index) {
  if (index == -1) return Bdd_one();
  if (!bdd_engine::in_range(this, index)) {
    std::cerr << "calling bddpp_manager::Bdd_var_by_index() with index= " << index << " :out of range!"
              << std::endl;
    return bdd();
  }
  return bdd(this, 1, bdd_engine::var_node_at(this, index));
}

bdd bddpp_manager::Bdd_var_by_name(std::string const& name) {
  long id = Id_var_by_name(name);
  return id < 0 ? Bdd_zero() : Bdd_var_by_id(id);
}

long bddpp_manager::Id_var_by_name(std::string const& name) {
  auto it = name_lookup.find(name);
  return it == name_lookup.end() ? -1 : it->second;
}

long bddpp_manager::Index_var_by_name(std::string const& name) {
  long id = Id_var_by_name(name);
  return id < 0 ? -1 : index_of[id];
}

std::string bddpp_manager::Name_var_by_id(long id) {
  if (!bdd_engine::in_range(this, id)) {
    std::cerr << "calling bddpp_manager::Name_var_by_id() with id= " << id << " :out of range!" << std::endl;
    return "?";
  }
  return names[id];
}

std::string bddpp_manager::Name_var_by_index(long index) {
  if (!bdd_engine::in_range(this, index)) {
    std::cerr << "calling bddpp_manager::Name_var_by_index() with index= " << index << " :out of range!"
              << std::endl;
    return "?";
  }
  return bdd_engine::name_at(this, index);
}

std::string bddpp_manager::Name_var_by_bdd(bdd const& f) {
  bdd_node* n = f.node();
  if (n && n->id == -1) return f.link_type() == 1 ? "1" : "0";
  long id = Bdd_if_id(f);
  if (bdd_engine::in_range(this, id)) return names[id];
  std::cerr << "error in bddpp_manager::Name_var_by_bdd()" << std::endl
            << "bdd defined by: " << f << ", is not correct ..." << std::endl
            << "(typebdd = " << (n ? n->id : -3) << ")" << std::endl;
  bdd_fatal();
}

long bddpp_manager::Bdd_if_id(bdd const& f) {
  if (f.manager_ref() != this) {
    std::cerr << "Error in bddpp_manager::Bdd_if_id(): bad Bdd manager or bdd not initialized!" << std::endl;
    return -3;
  }
  return f.node() ? f.node()->id : -3;
}

long bddpp_manager::Bdd_if_index(bdd const& f) {
  if (f.manager_ref() != this) {
    std::cerr << "Error in bddpp_manager::Bdd_if_index(): bad Bdd manager or bdd not initialized!" << std::endl;
    return -3;
  }
  return f.node() ? bdd_engine::index(f.node()) : -3;
}

// Maps the top variable into this manager by position, which also serves
// for a function of another manager with the same order.
bdd bddpp_manager::Bdd_if(bdd const& f) {
  long index = f.node() ? bdd_engine::index(f.node()) : -3;
  if (!bdd_engine::in_range(this, index)) {
    std::cerr << std::endl
              << "calling bddpp_manager::Bdd_if() with bdd index= " << index << " :out of range!" << std::endl;
    return Bdd_zero();
  }
  return bdd(this, 1, bdd_engine::var_node_at(this, index));
}

bdd bddpp_manager::Bdd_then(bdd const& f) {
  bdd_node* n = f.node();
  if (!n || n->id == -1) {
    std::cerr << "ERROR in Bdd_then(): calling with a tautologic function!" << std::endl;
    bdd_fatal();
  }
  return bdd(this, f.link_type(), n->then_node);
}

bdd bddpp_manager::Bdd_else(bdd const& f) {
  bdd_node* n = f.node();
  if (!n || n->id == -1) {
    std::cerr << "ERROR in Bdd_else(): calling with a tautologic function!" << std::endl;
    bdd_fatal();
  }
  return bdd(this, f.link_type() * n->else_link, n->else_node);
}

int bddpp_manager::Bdd_is_var(bdd const& f) {
  bdd_node* n = f.node();
  return n && n != one && bdd_engine::is_var_node(this, n) && f.link_type() == 1;
}

int bddpp_manager::Bdd_is_negvar(bdd const& f) {
  bdd_node* n = f.node();
  return n && n != one && bdd_engine::is_var_node(this, n) && f.link_type() == -1;
}

int bddpp_manager::Bdd_is_tautology(bdd const& f, int value) {
  return value ? Bdd_is_one_tautologic(f) : Bdd_is_zero_tautologic(f);
}

int bddpp_manager::Bdd_is_tautology(bdd const& f) { return f.node() && f.node()->id == -1; }

int bddpp_manager::Bdd_is_one_tautologic(bdd const& f) { return Bdd_is_tautology(f) && f.link_type() == 1; }

int bddpp_manager::Bdd_is_zero_tautologic(bdd const& f) { return Bdd_is_tautology(f) && f.link_type() == -1; }
