// Functions associated with variables, kept by index with their link
// type, and the substitution of every association into a function.
#include "bddpp_int.h"

namespace {

// Variable nodes and the constant are never collected: the table counts a
// reference only on the nodes that a collection could free.
bool held(bddpp_manager* m, bdd_node* n) {
  return n && n->id >= 0 && m->Bdd_var_by_id(n->id).node() != n;
}

}  // namespace

bdd bdd_engine::association(bddpp_manager* m, int32_t index) {
  return bdd(m, m->assoc_link[index], m->assoc[index]);
}

void bdd_engine::associate(bddpp_manager* m, int32_t index, bdd const& f) {
  if (held(m, m->assoc[index])) --m->assoc[index]->refs;
  m->assoc[index] = f.node();
  m->assoc_link[index] = f.link_type();
  if (held(m, f.node())) ++f.node()->refs;
}

// f is first rewritten through the associations that do not refer to
// their own variable; the others are then rewritten through f when f does
// not refer to v.
void bddpp_manager::Bdd_assoc_bdd_to_var(bdd const& f, bdd const& v) {
  if (!Bdd_is_var(v)) {
    bool same_constant = (Bdd_is_one_tautologic(v) && Bdd_is_one_tautologic(f)) ||
                         (Bdd_is_zero_tautologic(v) && Bdd_is_zero_tautologic(f));
    if (same_constant) return;
    std::cerr << "error in bddpp_manager::Bdd_assoc_bdd_to_var():" << std::endl
              << "     second parameter is not a var !" << std::endl
              << "replace from: ";
    Print_sop("+", ".", "!", "", std::cerr, v, 1);
    std::cerr << " by expression: ";
    Print_sop("+", ".", "!", "", std::cerr, f, 1);
    std::cerr << std::endl;
    bdd_fatal();
  }
  int32_t k = bdd_engine::index(v.node());
  bdd r = f;
  for (int32_t i = 0; i < nbr_var; ++i) {
    bdd w = Bdd_var_by_index(i);
    bdd a = bdd_engine::association(this, i);
    if (Bdd_depends_on(r, w) && !Bdd_depends_on(a, w)) r = Bdd_compose(r, w, a);
  }
  bdd_engine::associate(this, k, r);
  if (Bdd_depends_on(r, v)) return;
  for (int32_t j = 0; j < nbr_var; ++j) {
    bdd a = bdd_engine::association(this, j);
    if (j != k && Bdd_depends_on(a, v)) bdd_engine::associate(this, j, Bdd_compose(a, v, r));
  }
}

bdd bddpp_manager::Bdd_follow_assoc(bdd const& f, int* loop) {
  int unused;
  if (!loop) loop = &unused;
  *loop = -1;
  if (Bdd_is_var(f)) {
    int32_t i = bdd_engine::index(f.node());
    bdd a = bdd_engine::association(this, i);
    if (Bdd_depends_on(a, f)) *loop = i;
    return a;
  }
  bdd r = f;
  for (long id : set_of_id_depend_on(f)) {
    int32_t i = index_of[id];
    bdd w = Bdd_var_by_index(i);
    bdd a = bdd_engine::association(this, i);
    if (Bdd_depends_on(a, w))
      *loop = i;
    else
      r = Bdd_compose(r, w, a);
  }
  return r;
}
