// Cofactors by literal arrays and cubes, quantification of one literal,
// restriction to a care set, simplification and substitution.
#include <algorithm>

#include "bddpp_int.h"

namespace {

// Cofactor of (a, x) where lit(i) gives the entry of index i. Below the
// deepest fixed index every node would be found again as it is, so the
// walk returns it without descending.
template <typename Lit>
bdd_node* cofactor(bddpp_manager* m, int a, bdd_node* x, Lit const& lit, int32_t deepest, int& link) {
  link = a;
  if (x->id == -1) return x;
  int32_t i = bdd_engine::index(x);
  if (i > deepest) return x;
  int v = lit(i);
  if (v == 1) return cofactor(m, a, x->then_node, lit, deepest, link);
  if (v != 2) return cofactor(m, a * x->else_link, x->else_node, lit, deepest, link);
  int t_link, e_link;
  bdd_node* t = cofactor(m, a, x->then_node, lit, deepest, t_link);
  bdd_node* e = cofactor(m, a * x->else_link, x->else_node, lit, deepest, e_link);
  if (t == e && t_link == e_link) {
    link = t_link;
    return t;
  }
  link = 1;
  return m->Find_or_create_bdd_node(i, t_link, e_link, t, e, link);
}

bdd_node* cofactor_by_array(bddpp_manager* m, int a, bdd_node* x, int const* literals, int& link) {
  int32_t deepest = -1;
  for (int32_t i = 0; i < m->nbr_variables(); ++i)
    if (literals[i] != 2) deepest = i;
  return cofactor(m, a, x, [literals](int32_t i) { return literals[i]; }, deepest, link);
}

[[noreturn]] void null_cofactor() {
  std::cerr << "Error in Bdd_cube_reduce(): bdd has a Null pointer!" << std::endl;
  bdd_fatal();
}

}  // namespace

bdd_node* bddpp_manager::Bdd_cube_reduce(int a, bdd_node* x, int* literals, int& link) {
  if (!x) null_cofactor();
  return cofactor_by_array(this, a, x, literals, link);
}

bdd_node* bddpp_manager::Bdd_cube_reduce(int a, bdd_node* x, int b, bdd_node* cube, int& link) {
  if (!x) null_cofactor();
  link = a;
  if (x->id == -1) return x;
  if (!cube) {
    std::cerr << "Error in Bdd_cube_reduce(): assertion has a Null pointer!" << std::endl;
    bdd_fatal();
  }
  if (cube->id == -1) return x;
  // A single literal cannot draw a warning from the literal array: fix its
  // one index directly.
  if (cube->manager == this && bdd_engine::is_var_node(this, cube)) {
    int32_t k = bdd_engine::index(cube);
    int value = b == 1 ? 1 : 0;
    return cofactor(this, a, x, [k, value](int32_t i) { return i == k ? value : 2; }, k, link);
  }
  std::vector<int> literals(nbr_var);
  Bdd_node_to_literals(b, cube, literals.data());
  return cofactor_by_array(this, a, x, literals.data(), link);
}

bdd bddpp_manager::Bdd_cube_reduce(bdd const& f, bdd const& cube) {
  int link = 1;
  bdd_node* n = Bdd_cube_reduce(f.link_type(), f.node(), cube.link_type(), cube.node(), link);
  return bdd(this, link, n);
}

// One cofactor per fixed variable, top of the order first.
bdd bddpp_manager::Bdd_eval(bdd const& f, int* literals) {
  bdd (bddpp_manager::*cofactor)(bdd const&, bdd const&) = &bddpp_manager::Bdd_cube_reduce;
  return bdd_engine::fold_literals(this, f, literals, cofactor);
}

static int awaited(bddpp_manager* m, bdd const& f, long index, int sign) {
  if (index < 0 || index >= m->nbr_variables()) return 0;
  bdd v = m->Bdd_var_by_index(index);
  if (!m->Bdd_depends_on(f, v)) return 0;
  return !m->Bdd_is_zero_tautologic(m->Bdd_cube_reduce(f, sign == 1 ? v : m->Bdd_not(v)));
}

int bddpp_manager::Variable_true_awaited(bdd const& f, long index) { return awaited(this, f, index, 1); }

int bddpp_manager::Variable_false_awaited(bdd const& f, long index) { return awaited(this, f, index, -1); }

// The cofactor by v comes first, then the one by its negation.
static bdd quantify(bddpp_manager* m, bdd const& f, bdd const& v, bool exist) {
  if (!(m->Bdd_is_var(v) || m->Bdd_is_negvar(v)) || !m->Bdd_depends_on(f, v)) return f;
  bdd nv = m->Bdd_not(v);
  bdd p = m->Bdd_cube_reduce(f, v);
  bdd q = m->Bdd_cube_reduce(f, nv);
  return exist ? m->Bdd_or(q, p) : m->Bdd_and(q, p);
}

bdd bddpp_manager::Bdd_exist(bdd const& f, bdd const& v) { return quantify(this, f, v, true); }

bdd bddpp_manager::Bdd_forall(bdd const& f, bdd const& v) { return quantify(this, f, v, false); }

bdd bddpp_manager::Bdd_keep_first_variables(bdd const& f, long k) {
  if (!f.node() || f.node()->id == -1) return bdd(this, f.link_type(), f.node());
  int32_t c = bdd_engine::index(f.node());
  if (c >= k) return Bdd_one();
  bdd t = Bdd_keep_first_variables(Bdd_then(f), k);
  bdd e = Bdd_keep_first_variables(Bdd_else(f), k);
  return Bdd_ite(1, c, t, e);
}

// The conjunction of the cofactors of f by the cubes of a disjoint cover
// of the care set.
bdd bddpp_manager::Bdd_reduce(bdd const& f, bdd const& c) {
  if (!exists_common_variables(f, c)) return f;
  if (Bdd_is_cube(c)) return Bdd_cube_reduce(f, c);
  bdd r = Bdd_one();
  bdd d = c;
  while (d != Bdd_zero()) {
    bdd s = Bdd_satisfy(d);
    if (!Bdd_is_cube(s)) {
      std::cerr << "ERROR about !!!" << std::endl;
      Print_bdd_structure(std::cerr, s);
      bdd_fatal();
    }
    bdd part = Bdd_cube_reduce(f, s);
    r = Bdd_and(r, part);
    d = Bdd_and(d, Bdd_not(s));
  }
  return r;
}

// Drops each variable of f, in id order, whose removal keeps the result
// disjoint from c; only_above limits the candidates to the variables
// above f's top variable in the order.
static bdd widen(bddpp_manager* m, bdd const& f, bdd const& c, bool only_above) {
  if (!f.node() || f.node()->id == -1) return bdd(m, f.link_type(), f.node());
  long top = bdd_engine::index(f.node());
  bdd r = f;
  for (long id : m->set_of_id_depend_on(f)) {
    bdd v = m->Bdd_var_by_id(id);
    if (only_above && bdd_engine::index(v.node()) >= top) continue;
    bdd g = m->Bdd_exist(r, v);
    if (m->Bdds_excl(g, c)) r = g;
  }
  return r;
}

bdd bddpp_manager::Bdd_simplify(bdd const& f, bdd const& c) { return widen(this, f, c, false); }

bdd bddpp_manager::Bdd_simplify2(bdd const& f, bdd const& c) { return widen(this, f, c, true); }

bdd bddpp_manager::Bdd_compose(bdd const& f, bdd const& v, bdd const& g) {
  if (!Bdd_is_var(v)) {
    std::cerr << "Warning in bddpp_manager::Bdd_compose(): second parametre is not a variable!" << std::endl;
    return Bdd_zero();
  }
  return Bdd_compose_loc(f, v, g);
}

// Walks down to the constants even below v.
bdd bddpp_manager::Bdd_compose_loc(bdd const& f, bdd const& v, bdd const& g) {
  if (!f.node() || f.node()->id == -1) return f;
  bdd t = Bdd_compose_loc(Bdd_then(f), v, g);
  bdd e = Bdd_compose_loc(Bdd_else(f), v, g);
  int32_t fi = bdd_engine::index(f.node());
  if (fi == bdd_engine::index(v.node())) return Bdd_ite(g, t, e);
  return Bdd_ite(1, fi, t, e);
}

// The else branch is renamed before the then branch.
bdd bddpp_manager::Bdd_replace_vars(bdd const& f, long* positions) {
  if (!f.node() || f.node()->id == -1) return bdd(this, f.link_type(), f.node());
  bdd w = Bdd_var_by_index(positions[bdd_engine::index(f.node())]);
  bdd t = Bdd_then(f);
  bdd e = Bdd_else(f);
  bdd re = Bdd_replace_vars(e, positions);
  bdd rt = Bdd_replace_vars(t, positions);
  return Bdd_ite(w, rt, re);
}

bdd bddpp_manager::Bdd_swap_vars(bdd const&, bdd const&, bdd const&) {
  std::cerr << "bddpp_manager::Bdd_swap_vars(bdd f) A FAIRE" << std::endl;
  return Bdd_zero();
}
