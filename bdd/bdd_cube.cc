// Cubes and literal arrays (one int per index: 1 positive, 0 negative,
// 2 free), minterms, and truth tables over a few functions.
#include "bddpp_int.h"

int bddpp_manager::Bdd_is_cube(bdd const& f) {
  if (!f.node()) return 0;
  if (f.node()->id == -1) return 1;
  bdd t = Bdd_then(f);
  if (Bdd_is_zero_tautologic(t)) return Bdd_is_cube(Bdd_else(f));
  bdd e = Bdd_else(f);
  if (Bdd_is_zero_tautologic(e)) return Bdd_is_cube(t);
  return 0;
}

// The first path to true, then branches preferred.
int bddpp_manager::Bdd_OneSat(bdd_node* x, int link, int* literals) {
  if (!x) {
    std::cerr << "ERROR: call bddpp_manager::Bdd_OneSat() with null reference" << std::endl;
    bdd_fatal();
  }
  if (x->id == -1) return link == 1;
  int32_t i = bdd_engine::index(x);
  literals[i] = 1;
  if (Bdd_OneSat(x->then_node, link, literals)) return 1;
  literals[i] = 0;
  return Bdd_OneSat(x->else_node, link * x->else_link, literals);
}

bdd bddpp_manager::Bdd_satisfy(bdd const& f) {
  std::vector<int> literals(nbr_var, 2);
  Bdd_OneSat(f.node(), f.link_type(), literals.data());
  return Literals_to_bdd(literals.data());
}

// Conjoined from true, top of the order first.
bdd bddpp_manager::Literals_to_bdd(int* literals) {
  return bdd_engine::fold_literals(this, Bdd_one(), literals, &bddpp_manager::Bdd_and);
}

bdd bdd_engine::fold_literals(bddpp_manager* m, bdd r, int const* literals,
                              bdd (bddpp_manager::*op)(bdd const&, bdd const&)) {
  for (int32_t i = 0; i < m->nbr_var; ++i) {
    if (literals[i] == 1)
      r = (m->*op)(r, m->Bdd_var_by_index(i));
    else if (literals[i] == 0)
      r = (m->*op)(r, m->Bdd_not(m->Bdd_var_by_index(i)));
  }
  return r;
}

// Walks the one path of a cube, calling put(index, value) per literal and
// warning at every node that a cube could not have.
template <typename Put>
static void cube_walk(bddpp_manager* m, int link, bdd_node* x, Put put) {
  if (!x) {
    std::cerr << "Warning: bddpp_manager::Bdd_node_to_literals() call with a NULL bdd node !" << std::endl;
    return;
  }
  bdd_node* one = m->Bdd_node_one();
  if (x == one) {
    if (link == -1) return;
    std::cerr << "ERROR in  bddpp_manager::Bdd_node_to_literals() :" << std::endl
              << "constant 1 is not a literal ..." << std::endl;
    bdd_fatal();
  }
  int l = link;
  while (x != one) {
    int32_t i = bdd_engine::index(x);
    if (x->then_node == one && x->else_node == one) {
      put(i, l == 1 ? 1 : 0);
      return;
    }
    if (x->then_node == one) {
      if (l != -1)
        std::cerr << "Warning 1: Bddpp_manager::Bdd_node_to_literals() not used with a cube ..." << std::endl;
      put(i, 0);
      l *= x->else_link;
      x = x->else_node;
      continue;
    }
    if (x->else_node != one)
      std::cerr << "Warning 2: Bddpp_manager::Bdd_node_to_literals() not used with a cube ..." << std::endl;
    else if (l * x->else_link != -1)
      std::cerr << "Warning 3: Bddpp_manager::Bdd_node_to_literals() not used with a cube ..." << std::endl;
    put(i, 1);
    x = x->then_node;
  }
}

void bddpp_manager::Bdd_node_to_literals(int link, bdd_node* x, int* literals) {
  std::fill(literals, literals + nbr_var, 2);
  cube_walk(this, link, x, [literals](int32_t i, int v) { literals[i] = v; });
}

void bddpp_manager::Bdd_to_literals(bdd const& f, int* literals) {
  Bdd_node_to_literals(f.link_type(), f.node(), literals);
}

void bddpp_manager::Bdd_node_to_literals(int link, bdd_node* x, std::list<long>& positive,
                                         std::list<long>& negative) {
  positive.clear();
  negative.clear();
  cube_walk(this, link, x, [&](int32_t i, int v) { (v == 1 ? positive : negative).push_back(i); });
}

void bddpp_manager::Bdd_to_literals(bdd const& f, std::list<long>& positive, std::list<long>& negative) {
  Bdd_node_to_literals(f.link_type(), f.node(), positive, negative);
}

// Bit j of n (unsigned, so that every bit counts) chooses vars[j] or its
// negation.
bdd bddpp_manager::Minterm(int n, int count, bdd* vars) {
  if (n < 0) return Bdd_zero();
  uint32_t bits = static_cast<uint32_t>(n);
  bdd r = Bdd_one();
  for (int j = 0; j < count; ++j) {
    r = Bdd_and(r, (bits & 1u) ? vars[j] : Bdd_not(vars[j]));
    bits >>= 1;
  }
  return r;
}

int32_t bddpp_manager::Id_function_by_bdd(bdd f, int n, bdd* vars) {
  if (n > 5) {
    std::cerr << "In bddpp_manager::Id_function_by_bdd(): number of variables (" << n << ") too big! avorted ..."
              << std::endl;
    return 0;
  }
  uint32_t table = 0;
  if (n < 0) return 0;
  for (uint32_t i = 0; i < (1u << n); ++i)
    if (Bdd_imply(Minterm(static_cast<int>(i), n, vars), f)) table |= 1u << i;
  return static_cast<int32_t>(table);
}

bdd bddpp_manager::Bdd_function_by_id(uint32_t table, int n, bdd* vars) {
  bdd r = Bdd_zero();
  for (int i = 0; table != 0; ++i, table >>= 1)
    if (table & 1u) r = Bdd_or(r, Minterm(i, n, vars));
  return r;
}

// Bit j of the entry number is vars[j]; out receives 2^n entries for n up
// to 30 and nothing for any other n.
template <typename Put>
static void for_each_row(bddpp_manager* m, bdd const& f, int n, bdd* vars, Put put) {
  if (n < 0 || n > 30) return;
  for (uint32_t i = 0; i < (1u << n); ++i) put(i, m->Bdd_reduce(f, m->Minterm(static_cast<int>(i), n, vars)));
}

void bddpp_manager::Truth_table(bdd const& f, int n, bdd* vars, char* out) {
  for_each_row(this, f, n, vars, [this, out](uint32_t i, bdd const& r) {
    out[i] = Bdd_is_one_tautologic(r) ? '1' : Bdd_is_zero_tautologic(r) ? '0' : '?';
  });
}

void bddpp_manager::Bdd_truth_table(bdd const& f, int n, bdd* vars, bdd* out) {
  for_each_row(this, f, n, vars, [out](uint32_t i, bdd const& r) { out[i] = r; });
}
