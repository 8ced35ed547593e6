// One short implicant of a function, and its value in three-valued logic
// under a partial assignment, without building a cover.
#include "bddpp_int.h"

static size_t support_size(bdd const& f) {
  return f.node()->id < 0 ? 0 : bdd_engine::support_ids(f.node()).size();
}

// Level by level, the cofactor with the smaller support (the positive one
// on a tie), stopping at the first cofactor that is true. The implicant of
// the cofactor is built before the conjunction with the literal.
bdd bddpp_manager::Bdd_one_implicant(bdd const& f) {
  if (f.manager_ref() != this) {
    std::cerr << "ERROR in bddpp_manager::Bdd_one_implicant():" << std::endl
              << "   bdd : " << f << ", is not allocated or associated with a bad BDD manager..." << std::endl;
    bdd_fatal();
  }
  if (Bdd_is_tautology(f) || Bdd_is_var(f) || Bdd_is_negvar(f)) return f;
  bdd x = Bdd_if(f);
  bdd t = Bdd_then(f);
  bdd e = Bdd_else(f);
  if (Bdd_is_one_tautologic(t)) return x;
  if (Bdd_is_one_tautologic(e)) return Bdd_not(x);
  bool negative = Bdd_is_zero_tautologic(t) ||
                  (!Bdd_is_zero_tautologic(e) && support_size(e) < support_size(t));
  bdd rest = Bdd_one_implicant(negative ? e : t);
  return Bdd_and(negative ? Bdd_not(x) : x, rest);
}

[[noreturn]] static void unknown_node() {
  std::cerr << "error in bddpp_manager::Bdd_eval(): unknown bdd type ..." << std::endl;
  bdd_fatal();
}

// An undetermined variable splits the walk; both halves must agree.
static int eval3(bddpp_manager* m, bdd_node* n, int link, int const* values) {
  for (;;) {
    if (!n || !n->manager || (n->id < 0 && n->id != -1)) unknown_node();
    if (n->id == -1) return link == 1 ? 1 : 0;
    int32_t i = bdd_engine::index(n);
    if (!bdd_engine::in_range(m, i)) unknown_node();
    if (values[i] == 2) {
      int high = eval3(m, n->then_node, link, values);
      int low = eval3(m, n->else_node, link * n->else_link, values);
      return high == low ? high : 2;
    }
    if (values[i] == 1) {
      n = n->then_node;
    } else {
      link *= n->else_link;
      n = n->else_node;
    }
  }
}

int bddpp_manager::Bdd_eval_for_literal(bdd const& f, int* values) {
  return eval3(this, f.node(), f.link_type(), values);
}
