// The variable set beyond appending: insertion before or after a position
// of the order, renamings, and a new manager with another's variables.
// Ids stay dense and never change, so no existing node is touched.
#include "bddpp_int.h"
#include "Stringpp.h"

int String_table_memory_size(std::string* table, int n) {
  int size = 0;
  for (int i = 0; i < n; ++i) size += static_cast<int>(table[i].capacity());
  return size;
}

void bdd_engine::resize_tables(bddpp_manager* m, int capacity) {
  m->capacity = capacity;
  m->names.resize(capacity);
  m->var_nodes.resize(capacity, nullptr);
  m->index_of.resize(capacity, 0);
  m->id_at.resize(capacity, 0);
  m->assoc.resize(capacity, nullptr);
  m->assoc_link.resize(capacity, 1);
}

void bdd_engine::grow_tables(bddpp_manager* m) {
  if (m->nbr_var == m->capacity) resize_tables(m, 2 * m->capacity);
}

// The tables by index (ids and associations) shift from index on; the new
// variable is associated with itself. The cache keys cofactors by index, so
// a variable that moves empties it.
bdd_node* bdd_engine::create_variable(bddpp_manager* m, std::string const& name, int32_t index) {
  int32_t n = m->nbr_var;
  if (index < n) m->store->cache.flush();
  m->names[n] = name;
  m->name_lookup[name] = n;
  bdd_node* v = make_node(m, n, -1, m->one, m->one);
  m->var_nodes[n] = v;
  for (int32_t j = index; j < n; ++j) ++m->index_of[m->id_at[j]];
  m->index_of[n] = index;
  for (int32_t j = n; j > index; --j) {
    m->id_at[j] = m->id_at[j - 1];
    m->assoc[j] = m->assoc[j - 1];
    m->assoc_link[j] = m->assoc_link[j - 1];
  }
  m->id_at[index] = n;
  m->assoc[index] = v;
  m->assoc_link[index] = 1;
  m->nbr_var = n + 1;
  return v;
}

// Every variable node is made again, in id order, so that the copy's
// global ids are those of a manager that created the same variables.
bddpp_manager::bddpp_manager(bddpp_manager* other) : bddpp_manager() {
  if (!other) return;
  bdd_engine::resize_tables(this, other->capacity);
  name_lookup = other->name_lookup;
  nbr_var = other->nbr_var;
  for (int32_t i = 0; i < nbr_var; ++i) {
    names[i] = other->names[i];
    var_nodes[i] = bdd_engine::make_node(this, i, -1, one, one);
    index_of[i] = other->index_of[i];
    id_at[i] = other->id_at[i];
    assoc[index_of[i]] = var_nodes[i];
  }
}

bdd_node* bddpp_manager::New_node_var_before(long index, std::string const& name) {
  if (!bdd_engine::in_range(this, index)) {
    std::cerr << "Error in new_node_var_before(): abnormal index ..." << std::endl;
    return nullptr;
  }
  bdd_engine::grow_tables(this);
  auto known = name_lookup.find(name);
  if (known != name_lookup.end()) return var_nodes[known->second];
  return bdd_engine::create_variable(this, name, static_cast<int32_t>(index));
}

bdd_node* bddpp_manager::New_node_var_after(long index, std::string const& name) {
  if (index == nbr_var - 1L) return New_node_var_last(name);
  if (index < nbr_var) return New_node_var_before(index + 1, name);
  std::cerr << "Error in new_node_var_after(): abnormal id ..." << std::endl;
  return nullptr;
}

bdd bddpp_manager::New_var_before(long index, std::string const& name) {
  return bdd(this, 1, New_node_var_before(index, name));
}

bdd bddpp_manager::New_var_after(long index, std::string const& name) {
  return bdd(this, 1, New_node_var_after(index, name));
}

bdd bddpp_manager::New_var_before(bdd v, std::string const& name) { return New_var_before(Bdd_if_index(v), name); }

bdd bddpp_manager::New_var_after(bdd v, std::string const& name) { return New_var_after(Bdd_if_index(v), name); }

long bdd_engine::id_named(bddpp_manager* m, std::string const& name) {
  for (int32_t id = 0; id < m->nbr_var; ++id)
    if (m->names[id] == name) return id;
  return -1;
}

// Every key that found a renamed variable goes, the names given at its
// creation included, so that it is found under its new name only.
void bdd_engine::rename(bddpp_manager* m, std::map<int32_t, std::string> const& new_names) {
  for (auto key = m->name_lookup.begin(); key != m->name_lookup.end();)
    key = new_names.count(key->second) ? m->name_lookup.erase(key) : std::next(key);
  for (auto const& r : new_names) {
    m->names[r.first] = r.second;
    m->name_lookup[r.second] = r.first;
  }
}

namespace {

void aborted(std::string const& operation, std::string const& why) {
  std::cerr << "in bdd_manager::" << operation << "(): WARNING " << why << std::endl
            << "renaming process aborted ..." << std::endl;
}

// Renames one id unless another variable bears the name already.
void rename_one(bddpp_manager* m, char const* operation, long id, std::string const& name) {
  long holder = bdd_engine::id_named(m, name);
  if (holder >= 0 && holder != id) {
    aborted(operation, m->Name_var_by_id(id) + " CANNOT BE RENAMED " + name + ", " + name + " ALREADY DEFINED !");
    return;
  }
  bdd_engine::rename(m, {{static_cast<int32_t>(id), name}});
}

}  // namespace

void bddpp_manager::Rename_var(std::string const& new_name, std::string const& old_name) {
  if (bdd_engine::id_named(this, new_name) >= 0) {
    aborted("Rename_var", new_name + " ALREADY DEFINED !");
    return;
  }
  long id = bdd_engine::id_named(this, old_name);
  if (id < 0) {
    aborted("Rename_var", old_name + " NOT FOUND !");
    return;
  }
  bdd_engine::rename(this, {{static_cast<int32_t>(id), new_name}});
}

void bddpp_manager::Change_name_by_index(long index, std::string const& name) {
  if (!bdd_engine::in_range(this, index)) {
    std::cerr << "calling bddpp_manager::Change_name_by_index() with index= " << index << " :out of range!"
              << std::endl;
    return;
  }
  rename_one(this, "Change_name_by_index", id_at[index], name);
}

void bddpp_manager::Change_name_by_id(long id, std::string const& name) {
  if (!bdd_engine::in_range(this, id)) {
    std::cerr << "calling bddpp_manager::Change_name_by_id() with id= " << id << " :out of range!" << std::endl;
    return;
  }
  rename_one(this, "Change_name_by_id", id, name);
}

// All names change at once, or none when a change would make two names
// equal; two names already equal and left unchanged do not count.
void bddpp_manager::Replace_char_in_all_names(char from, char to) {
  std::map<std::string, int32_t> bearer;
  std::map<int32_t, std::string> new_names;
  for (int32_t id = 0; id < nbr_var; ++id) {
    std::string name = names[id].empty() ? names[id] : substitute_char(names[id], from, to);
    auto taken = bearer.emplace(name, id);
    int32_t other = taken.first->second;
    if (!taken.second && (names[other] != name || names[id] != name)) {
      aborted("Replace_char_in_all_names", names[other] + " AND " + names[id] + " WOULD BOTH BE NAMED " + name + " !");
      return;
    }
    if (name != names[id]) new_names[id] = name;
  }
  bdd_engine::rename(this, new_names);
}
