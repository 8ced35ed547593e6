// The connectives: conjunction and disjunction walk their operands, every
// other connective is a fixed sequence of them and of the free negation.
// The sequences fix the global ids; the cache (bddpp_int.h) changes none.
#include "bddpp_int.h"

namespace {

struct and_op {
  static constexpr bool is_and = true;
  static constexpr int sign = 1;
  // Terminal cases of (a, x) and (b, y); false when the walk must go on.
  static bool terminal(bdd_node* one, int a, bdd_node* x, int b, bdd_node* y, bdd_node*& r, int& link) {
    if (x == one) {
      r = a == 1 ? y : one;
      link = a == 1 ? b : -1;
    } else if (y == one) {
      r = b == 1 ? x : one;
      link = b == 1 ? a : -1;
    } else if (x == y) {
      r = a == b ? x : one;
      link = a == b ? a : -1;
    } else {
      return false;
    }
    return true;
  }
};

// A disjunction walks exactly as the conjunction of the negated operands,
// negated (same splits, same halves, same nodes): both share the cache.
struct or_op {
  static constexpr bool is_and = false;
  static constexpr int sign = -1;
  static bool terminal(bdd_node* one, int a, bdd_node* x, int b, bdd_node* y, bdd_node*& r, int& link) {
    if (x == one) {
      r = a == 1 ? one : y;
      link = a == 1 ? 1 : b;
    } else if (y == one) {
      r = b == 1 ? one : x;
      link = b == 1 ? 1 : a;
    } else if (x == y) {
      r = a == b ? x : one;
      link = a == b ? a : 1;
    } else {
      return false;
    }
    return true;
  }
};

void internal_error_dump(bddpp_manager* m, bool is_and, int a, bdd_node* x, int b, bdd_node* y, int link,
                         bdd_node* r) {
  m->Bdd_global_clear_marks();
  int32_t k = m->Bdd_incremental_id(x, 0);
  k = m->Bdd_incremental_id(y, k);
  m->Bdd_incremental_id(r, k);
  m->Bdd_clear_marks(x);
  m->Bdd_clear_marks(y);
  m->Bdd_clear_marks(r);
  std::cerr << std::endl << std::endl;
  std::cerr << "param1= " << (a == -1 ? "NOT" : "") << std::endl;
  m->Print_bdd_structure_loc(std::cerr, 5, x);
  if (is_and && !x->is_correct()) std::cerr << "BE CAREFUL: x is not correct!" << std::endl << std::endl;
  std::cerr << "param2=" << (b == -1 ? "NOT" : "") << std::endl;
  m->Print_bdd_structure_loc(std::cerr, 5, y);
  if (is_and && !y->is_correct()) std::cerr << "BE CAREFUL: y is not correct!" << std::endl << std::endl;
  std::cerr << "result=" << (link == -1 ? "NOT" : "") << std::endl;
  m->Print_bdd_structure_loc(std::cerr, 5, r);
  std::cerr << std::endl;
  m->Bdd_stats(std::cerr);
  bdd_fatal();
}

// A result above both operands in the order means the diagrams are broken.
// A terminal result is an operand or the constant, which always passes.
template <typename Op>
void check_order(bddpp_manager* m, int a, bdd_node* x, int32_t ix, int b, bdd_node* y, int32_t iy, bdd_node* r,
                 int link) {
  int32_t ri = bdd_engine::index(r);
  if (ri == -1 || ri >= ix || ri >= iy) return;
  if (Op::is_and)
    std::cerr << "INTERNAL ERROR in Bdd_and(): result has an index (" << ri << ") less than the operands (" << ix
              << " ) of x  and (" << iy << ") of y!" << std::endl;
  else
    std::cerr << "INTERNAL ERROR in Bdd_or(): result has an index (" << ri << ") less than the operands (" << ix
              << ") and (" << iy << ")!" << std::endl;
  internal_error_dump(m, Op::is_and, a, x, b, y, link, r);
}

// Splits on the smaller index (both when equal), then half first; equal
// halves give the half itself, otherwise the node is found or created.
// The cache key is the conjunction's, with the operands in one order: the
// walk of the swapped pair splits alike and meets the same nodes.
template <typename Op>
bdd_node* apply(bddpp_manager* m, int a, bdd_node* x, int b, bdd_node* y, int& link) {
  bdd_node* r;
  if (Op::terminal(m->Bdd_node_one(), a, x, b, y, r, link)) return r;
  bdd_cache& cache = bdd_engine::cache(m);
  uintptr_t kx = bdd_tagged(Op::sign * a, x), ky = bdd_tagged(Op::sign * b, y);
  if (kx > ky) std::swap(kx, ky);
  if (cache.find(kx, ky, r, link)) {
    link *= Op::sign;
    return r;
  }
  int32_t ix = bdd_engine::index(x);
  int32_t iy = bdd_engine::index(y);
  int t_link, e_link;
  bdd_node *t, *e;
  int32_t top;
  if (ix < iy) {
    t = apply<Op>(m, a, x->then_node, b, y, t_link);
    e = apply<Op>(m, a * x->else_link, x->else_node, b, y, e_link);
    top = ix;
  } else if (iy < ix) {
    t = apply<Op>(m, b, y->then_node, a, x, t_link);
    e = apply<Op>(m, b * y->else_link, y->else_node, a, x, e_link);
    top = iy;
  } else {
    t = apply<Op>(m, a, x->then_node, b, y->then_node, t_link);
    e = apply<Op>(m, a * x->else_link, x->else_node, b * y->else_link, y->else_node, e_link);
    top = ix;
  }
  r = bdd_engine::join(m, top, t_link, t, e_link, e, link);
  check_order<Op>(m, a, x, ix, b, y, iy, r, link);
  cache.put(kx, ky, r, Op::sign * link);
  return r;
}

}  // namespace

bdd_node* bddpp_manager::Bdd_and(int a, bdd_node* x, int b, bdd_node* y, int& link) {
  if (!x || !y) {
    std::cerr << "ERROR: call bddpp_manager::Bdd_and() with null reference" << std::endl
              << "Bdd_and(" << static_cast<const void*>(x) << "," << static_cast<const void*>(y) << ")"
              << std::endl;
    bdd_fatal();
  }
  return apply<and_op>(this, a, x, b, y, link);
}

bdd_node* bddpp_manager::Bdd_or(int a, bdd_node* x, int b, bdd_node* y, int& link) {
  if (!x || !y) {
    std::cerr << "ERROR: call bddpp_manager::Bdd_or() with null reference" << std::endl;
    bdd_fatal();
  }
  return apply<or_op>(this, a, x, b, y, link);
}

bdd bddpp_manager::Bdd_and(bdd const& f, bdd const& g) {
  int link = 1;
  bdd_node* n = Bdd_and(f.link_type(), f.node(), g.link_type(), g.node(), link);
  return bdd(this, link, n);
}

bdd bddpp_manager::Bdd_or(bdd const& f, bdd const& g) {
  int link = 1;
  bdd_node* n = Bdd_or(f.link_type(), f.node(), g.link_type(), g.node(), link);
  return bdd(this, link, n);
}

bdd bddpp_manager::Bdd_xor(bdd const& f, bdd const& g) {
  bdd nf = Bdd_not(f);
  bdd ng = Bdd_not(g);
  bdd d = Bdd_and(f, ng);
  bdd e = Bdd_and(nf, g);
  return Bdd_or(d, e);
}

bdd bddpp_manager::Bdd_xnor(bdd const& f, bdd const& g) { return Bdd_not(Bdd_xor(f, g)); }

bdd bddpp_manager::Bdd_nand(bdd const& f, bdd const& g) { return Bdd_not(Bdd_and(f, g)); }

bdd bddpp_manager::Bdd_nor(bdd const& f, bdd const& g) { return Bdd_not(Bdd_or(f, g)); }

bdd bddpp_manager::Bdd_implication(bdd const& f, bdd const& g) { return Bdd_or(Bdd_not(f), g); }

bdd bddpp_manager::Bdd_ite(bdd const& f, bdd const& g, bdd const& h) {
  bdd nf = Bdd_not(f);
  bdd c = Bdd_and(f, g);
  bdd d = Bdd_and(nf, h);
  return Bdd_or(c, d);
}

bdd bddpp_manager::Bdd_ite(int link, long index, bdd const& g, bdd const& h) {
  bdd_node* n = nullptr;
  if (bdd_engine::in_range(this, index))
    n = bdd_engine::var_node_at(this, index);
  else if (index == -1)
    n = one;
  else
    std::cerr << "ERROR: abnormal index in bddpp_manager::Bdd_ite()" << std::endl;
  return Bdd_ite(bdd(this, link, n), g, h);
}

// The tests build their connective like any other call: no short cut on
// equal handles, so that the node counter moves the same way.
int bddpp_manager::Bdd_equiv(bdd const& f, bdd const& g) { return Bdd_is_one_tautologic(Bdd_xnor(f, g)); }

int bddpp_manager::Bdd_imply(bdd const& f, bdd const& g) { return Bdd_is_one_tautologic(Bdd_or(Bdd_not(f), g)); }

int bddpp_manager::Bdds_excl(bdd const& f, bdd const& g) { return Bdd_is_zero_tautologic(Bdd_and(f, g)); }

bdd bddpp_manager::Bdd_dup(bdd f) {
  std::cerr << "Warning: bddpp_manager::Bdd_dup() is became useless ..." << std::endl;
  return f;
}

void bddpp_manager::Bdd_free(bdd const& f) {
  std::cerr << "Warning: bddpp_manager::Bdd_free() is now became useless" << std::endl << f << std::endl;
}
