// Cofactors by literal arrays and cubes, quantification of one literal,
// restriction to a care set, simplification and substitution.
#include <algorithm>

#include "bddpp_int.h"

namespace {

// Where the cofactors by one literal keep their results: in the manager's
// cache, under the literal; those by a literal array in a memo of the call.
struct literal_results {
  bdd_cache& cache;
  uintptr_t literal;
  bool find(bdd_node* x, bdd_node*& r, int& link) { return cache.find(bdd_tagged(1, x), literal, r, link); }
  void put(bdd_node* x, bdd_node* r, int link) { cache.put(bdd_tagged(1, x), literal, r, link); }
};

struct array_results {
  bdd_memo memo;
  bool find(bdd_node* x, bdd_node*& r, int& link) { return memo.find(1, x, r, link); }
  void put(bdd_node* x, bdd_node* r, int link) { memo.put(1, x, r, link); }
};

// Cofactor of (a, x) where lit(i) gives the entry of index i. Below the
// deepest fixed index every node would be found again as it is, so the
// walk returns it without descending. The walk of (-a, x) meets the same
// nodes and ends on the same node with the opposite link type, so results
// are kept for a = +1.
template <typename Lit, typename Results>
bdd_node* cofactor(bddpp_manager* m, int a, bdd_node* x, Lit const& lit, int32_t deepest, Results& results,
                   int& link) {
  link = a;
  if (x->id == -1) return x;
  int32_t i = bdd_engine::index(x);
  if (i > deepest) return x;
  bdd_node* r;
  if (results.find(x, r, link)) {
    link *= a;
    return r;
  }
  int v = lit(i);
  if (v == 1) {
    r = cofactor(m, a, x->then_node, lit, deepest, results, link);
  } else if (v != 2) {
    r = cofactor(m, a * x->else_link, x->else_node, lit, deepest, results, link);
  } else {
    int t_link, e_link;
    bdd_node* t = cofactor(m, a, x->then_node, lit, deepest, results, t_link);
    bdd_node* e = cofactor(m, a * x->else_link, x->else_node, lit, deepest, results, e_link);
    r = bdd_engine::join(m, i, t_link, t, e_link, e, link);
  }
  results.put(x, r, link * a);
  return r;
}

bdd_node* cofactor_by_array(bddpp_manager* m, int a, bdd_node* x, int const* literals, int& link) {
  int32_t deepest = -1;
  for (int32_t i = 0; i < m->nbr_variables(); ++i)
    if (literals[i] != 2) deepest = i;
  array_results results{bdd_memo(m)};
  return cofactor(m, a, x, [literals](int32_t i) { return literals[i]; }, deepest, results, link);
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
    literal_results results{bdd_engine::cache(this), bdd_cache::literal_key(k, value)};
    return cofactor(this, a, x, [k, value](int32_t i) { return i == k ? value : 2; }, k, results, link);
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

// The recursions on handles below meet a sub-function again on every path
// that leads to it; within one call the memo gives the result of the first
// meeting, whose walk would be repeated node for node.
static bdd keep_first(bddpp_manager* m, bdd const& f, long k, bdd_memo& memo) {
  if (!f.node() || f.node()->id == -1) return bdd(m, f.link_type(), f.node());
  int32_t c = bdd_engine::index(f.node());
  if (c >= k) return m->Bdd_one();
  bdd r;
  if (memo.find(f, r)) return r;
  bdd t = keep_first(m, m->Bdd_then(f), k, memo);
  bdd e = keep_first(m, m->Bdd_else(f), k, memo);
  r = m->Bdd_ite(1, c, t, e);
  memo.put(f, r);
  return r;
}

bdd bddpp_manager::Bdd_keep_first_variables(bdd const& f, long k) {
  bdd_memo memo(this);
  return keep_first(this, f, k, memo);
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
static bdd compose(bddpp_manager* m, bdd const& f, bdd const& v, bdd const& g, bdd_memo& memo) {
  if (!f.node() || f.node()->id == -1) return f;
  bdd r;
  if (memo.find(f, r)) return r;
  bdd t = compose(m, m->Bdd_then(f), v, g, memo);
  bdd e = compose(m, m->Bdd_else(f), v, g, memo);
  int32_t fi = bdd_engine::index(f.node());
  r = fi == bdd_engine::index(v.node()) ? m->Bdd_ite(g, t, e) : m->Bdd_ite(1, fi, t, e);
  memo.put(f, r);
  return r;
}

bdd bddpp_manager::Bdd_compose_loc(bdd const& f, bdd const& v, bdd const& g) {
  bdd_memo memo(this);
  return compose(this, f, v, g, memo);
}

// The else branch is renamed before the then branch.
static bdd replace_vars(bddpp_manager* m, bdd const& f, long* positions, bdd_memo& memo) {
  if (!f.node() || f.node()->id == -1) return bdd(m, f.link_type(), f.node());
  bdd r;
  if (memo.find(f, r)) return r;
  bdd w = m->Bdd_var_by_index(positions[bdd_engine::index(f.node())]);
  bdd t = m->Bdd_then(f);
  bdd e = m->Bdd_else(f);
  bdd re = replace_vars(m, e, positions, memo);
  bdd rt = replace_vars(m, t, positions, memo);
  r = m->Bdd_ite(w, rt, re);
  memo.put(f, r);
  return r;
}

bdd bddpp_manager::Bdd_replace_vars(bdd const& f, long* positions) {
  bdd_memo memo(this);
  return replace_vars(this, f, positions, memo);
}

bdd bddpp_manager::Bdd_swap_vars(bdd const&, bdd const&, bdd const&) {
  std::cerr << "bddpp_manager::Bdd_swap_vars(bdd f) A FAIRE" << std::endl;
  return Bdd_zero();
}
