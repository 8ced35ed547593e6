// Copies of a function from one manager (s) into another (m): by the same
// positions, by a table of positions, or by variable names.
#include "bddpp_int.h"

namespace {

// (not w and e) or (w and t): the path taken when the copied variable does
// not sit above both copied children in m. The node keeps one reference
// that nothing gives back, so it outlives every collection of m.
bdd_node* rebuild(bddpp_manager* m, bdd const& w, bdd_node* t, int else_link, bdd_node* e) {
  bdd low = m->Bdd_and(m->Bdd_not(w), bdd(m, else_link, e));
  bdd high = m->Bdd_and(w, bdd(m, 1, t));
  bdd r = m->Bdd_or(low, high);
  ++r.node()->refs;
  return r.node();
}

bool is_source_constant(bddpp_manager* m, bddpp_manager* s, bdd_node* n) {
  return !m || !s || n == s->Bdd_node_one();
}

}  // namespace

bdd_node* Bdd_isomorphe(bddpp_manager* m, bddpp_manager* s, bdd_node* n) {
  if (!n) return nullptr;
  if (is_source_constant(m, s, n)) return m ? m->Bdd_node_one() : nullptr;
  bdd_node* t = Bdd_isomorphe(m, s, n->then_node);
  bdd_node* e = Bdd_isomorphe(m, s, n->else_node);
  int link = 1;
  return m->Find_or_create_bdd_node(bdd_engine::index(n), 1, n->else_link, t, e, link);
}

bdd Bdd_isomorphe(bddpp_manager* m, bddpp_manager* s, bdd f) {
  return bdd(m, f.link_type(), Bdd_isomorphe(m, s, f.node()));
}

bdd_node* Bdd_isomorphe(bddpp_manager* m, bddpp_manager* s, bdd_node* n, long* positions) {
  if (!n) return nullptr;
  if (is_source_constant(m, s, n)) return m ? m->Bdd_node_one() : nullptr;
  bdd_node* t = Bdd_isomorphe(m, s, n->then_node, positions);
  bdd_node* e = Bdd_isomorphe(m, s, n->else_node, positions);
  long q = positions[bdd_engine::index(n)];
  if (q < bdd_engine::index(t) && q < bdd_engine::index(e)) {
    int link = 1;
    return m->Find_or_create_bdd_node(q, 1, n->else_link, t, e, link);
  }
  return rebuild(m, m->Bdd_var_by_index(q), t, n->else_link, e);
}

bdd Bdd_isomorphe(bddpp_manager* m, bddpp_manager* s, bdd const& f, long* positions) {
  if (!f.node() || !m || !s) {
    std::cerr << "ERROR: Bad call of Bdd_isomorphe() !" << std::endl;
    return m ? m->Bdd_zero() : bdd();
  }
  if (f.node()->id == -1) return f.link_type() == 1 ? m->Bdd_one() : m->Bdd_zero();
  bdd t = s->Bdd_then(f);
  bdd e = s->Bdd_else(f);
  long i = bdd_engine::index(f.node());
  bdd ct = Bdd_isomorphe(m, s, t, positions);
  bdd ce = Bdd_isomorphe(m, s, e, positions);
  bdd w = m->Bdd_var_by_index(positions[i]);
  bdd low = m->Bdd_and(m->Bdd_not(w), ce);
  bdd high = m->Bdd_and(w, ct);
  return m->Bdd_or(low, high);
}

// The name is looked up (and created in m when missing) before the
// children are copied: missing names appear in m in pre-order.
bdd_node* Bdd_isomorphe_by_name(bddpp_manager* m, bddpp_manager* s, bdd_node* n) {
  if (!n) return nullptr;
  if (is_source_constant(m, s, n)) return m ? m->Bdd_node_one() : nullptr;
  std::string name = s->Name_var_by_id(n->id);
  long id = m->Id_var_by_name(name);
  if (id < 0) {
    m->New_node_var_last(name);
    id = m->Id_var_by_name(name);
  }
  bdd_node* t = Bdd_isomorphe_by_name(m, s, n->then_node);
  bdd_node* e = Bdd_isomorphe_by_name(m, s, n->else_node);
  bdd w = m->Bdd_var_by_id(id);
  long index = bdd_engine::index(w.node());
  if (index < bdd_engine::index(t) && index < bdd_engine::index(e)) {
    int link = 1;
    return m->Find_or_create_bdd_node(index, 1, n->else_link, t, e, link);
  }
  return rebuild(m, w, t, n->else_link, e);
}

bdd Bdd_isomorphe_by_name(bddpp_manager* m, bddpp_manager* s, bdd f) {
  return bdd(m, f.link_type(), Bdd_isomorphe_by_name(m, s, f.node()));
}
