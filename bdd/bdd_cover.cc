// Covers of a function as sums of products: the disjoint cover, its
// widening, prime and essential implicants through the ternary tree, the
// fixed covers of four variables, and the simplification by primes.
// The order of every operation decides the products, their order and the
// node counter that the target texts show.
#include <vector>

#include "bddpp_int.h"
#include "Stringpp.h"

static void require_own(bddpp_manager* m, bdd const& f) {
  if (f.manager_ref() == m) return;
  std::cerr << "ERROR in bddpp_manager::Bdd_sop():" << std::endl
            << "   bdd : " << f << ", is not allocated or associated with a bad BDD manager..." << std::endl;
  bdd_fatal();
}

void bddpp_manager::Bdd_sop(bdd const& f, std::list<bdd>& cover, int method) {
  require_own(this, f);
  switch (method) {
    case 1: Bdd_sop_1(f, cover); break;
    case 2: Bdd_sop_2(f, cover); break;
    case 3: Bdd_sop_2plus(f, cover); break;
    default: Bdd_sop_0(f, cover);
  }
}

// The vector form: it receives exactly the products, so the caller needs
// no bound on their number.
int bddpp_manager::Bdd_sop(bdd const& f, std::vector<bdd>& out, int method) {
  std::cerr << "warning: calling obsolete version of bddpp_manager::Bdd_sop() ..." << std::endl;
  std::list<bdd> cover;
  Bdd_sop(f, cover, method);
  out.assign(cover.begin(), cover.end());
  return static_cast<int>(out.size());
}

// The products of a lean cover as functions, in order.
static void as_functions(bddpp_manager* m, bdd_cubes const& cubes, std::list<bdd>& list) {
  for (size_t k = 0; k < cubes.size(); ++k) list.push_back(bdd_lean::cube_bdd(m, cubes, k));
}

// Each product is the first path of what the earlier ones left.
void bddpp_manager::Bdd_sop_0(bdd const& f, std::list<bdd>& cover) {
  cover.clear();
  if (Bdd_is_one_tautologic(f)) {
    cover.push_back(f);
    return;
  }
  if (Bdd_is_zero_tautologic(f)) return;
  if (store->lean_covers) {
    bdd_cubes cubes(nbr_var);
    bdd_lean::disjoint_cover(this, f, cubes);
    as_functions(this, cubes, cover);
    return;
  }
  bdd d = f;
  while (!Bdd_is_zero_tautologic(d)) {
    bdd c = Bdd_satisfy(d);
    d = Bdd_and(d, Bdd_not(c));
    cover.push_back(c);
  }
}

// The disjunction of every entry but the one at skip, from false.
static bdd or_except(bddpp_manager* m, std::vector<bdd> const& list, size_t skip) {
  bdd s = m->Bdd_zero();
  for (size_t j = 0; j < list.size(); ++j)
    if (j != skip) s = m->Bdd_or(s, list[j]);
  return s;
}

void bddpp_manager::Bdd_sop_1(bdd const& f, std::list<bdd>& cover) {
  cover.clear();
  if (Bdd_is_tautology(f)) {
    cover.push_back(f);
    return;
  }
  if (store->lean_covers) {
    bdd_cubes cubes(nbr_var);
    bdd_lean::reduced_cover(this, f, cubes);
    as_functions(this, cubes, cover);
    return;
  }
  std::list<bdd> disjoint;
  Bdd_sop_0(f, disjoint);
  std::vector<bdd> work;
  std::vector<int> present(nbr_var);
  for (bdd p : disjoint) {
    Present_variables(p, present.data());
    for (int32_t i = 0; i < nbr_var; ++i) {
      if (!present[i]) continue;
      bdd q = Bdd_exist(p, Bdd_var_by_index(i));
      if (Bdd_is_one_tautologic(Bdd_reduce(f, q))) p = q;
    }
    work.push_back(p);
  }
  for (size_t k = 0; k < work.size(); ++k)
    if (Bdd_equiv(or_except(this, work, k), f)) work[k] = Bdd_zero();
  for (auto const& p : work)
    if (!Bdd_is_zero_tautologic(p)) cover.push_back(p);
}

Tdd::Tdd(bddpp_manager* m, bdd f)
    : manager(m), then_child(nullptr), else_child(nullptr), consensus_child(nullptr) {
  if (!m) {
    std::cerr << "in Tdd::Tdd() : error: bdd manager not yet created !" << std::endl;
    return;
  }
  if (m->Bdd_is_tautology(f)) {
    variable = f;
    return;
  }
  variable = m->Bdd_if(f);
  then_child = new Tdd(m, m->Bdd_then(f));
  else_child = new Tdd(m, m->Bdd_else(f));
  consensus_child = new Tdd(m, m->Bdd_and(m->Bdd_then(f), m->Bdd_else(f)));
}

Tdd::~Tdd() {
  delete then_child;
  delete else_child;
  delete consensus_child;
}

// A true leaf offers c: it replaces the first entry contained in it, or
// goes to the back.
void Tdd::Bdd_implicants_loc(bdd const& c, std::list<bdd>& list) {
  if (!then_child) {
    if (!manager || !manager->Bdd_is_one_tautologic(variable)) return;
    for (auto& e : list) {
      if (manager->Bdd_imply(e, c)) {
        e = c;
        return;
      }
    }
    list.push_back(c);
    return;
  }
  then_child->Bdd_implicants_loc(manager->Bdd_and(c, variable), list);
  else_child->Bdd_implicants_loc(manager->Bdd_and(c, manager->Bdd_not(variable)), list);
  consensus_child->Bdd_implicants_loc(c, list);
}

// A false entry absorbs only false entries and needs no node to find it,
// so false entries are skipped as absorbers.
void Tdd::Bdd_prime_implicants(std::list<bdd>& primes) {
  primes.clear();
  if (!manager) return;
  std::list<bdd> collected;
  Bdd_implicants_loc(manager->Bdd_one(), collected);
  std::vector<bdd> list(collected.begin(), collected.end());
  for (size_t i = 0; i < list.size(); ++i) {
    if (manager->Bdd_is_zero_tautologic(list[i])) continue;
    for (size_t j = i + 1; j < list.size(); ++j)
      if (!manager->Bdd_is_zero_tautologic(list[j]) && manager->Bdd_imply(list[j], list[i]))
        list[j] = manager->Bdd_zero();
  }
  for (auto const& p : list)
    if (!manager->Bdd_is_zero_tautologic(p)) primes.push_back(p);
}

void bddpp_manager::Bdd_prime_implicants(bdd const& f, std::list<bdd>& primes) {
  primes.clear();
  if (Bdd_is_tautology(f)) {
    primes.push_back(f);
    return;
  }
  if (store->lean_covers) {
    bdd_cubes cubes(nbr_var);
    bdd_lean::prime_implicants(this, f, cubes);
    as_functions(this, cubes, primes);
    return;
  }
  Tdd tree(this, f);
  tree.Bdd_prime_implicants(primes);
}

void bddpp_manager::Bdd_essential_implicants(bdd const& f, std::list<bdd>& essential, std::list<bdd>& others) {
  if (store->lean_covers && !Bdd_is_tautology(f)) {
    essential.clear();
    others.clear();
    bdd_cubes e(nbr_var), o(nbr_var);
    bdd_lean::essential_implicants(this, f, e, o);
    as_functions(this, e, essential);
    as_functions(this, o, others);
    return;
  }
  std::list<bdd> primes;
  Bdd_prime_implicants(f, primes);
  essential.clear();
  others.clear();
  std::vector<bdd> list(primes.begin(), primes.end());
  for (size_t k = 0; k < list.size(); ++k)
    (Bdd_equiv(or_except(this, list, k), f) ? others : essential).push_back(list[k]);
}

bdd bddpp_manager::Bdd_simplify3(bdd const& f, bdd const& c) {
  if (Bdd_is_tautology(f)) return bdd(this, f.link_type(), f.node());
  if (store->lean_covers) return bdd_lean::simplify3(this, f, c);
  std::list<bdd> primes;
  Bdd_prime_implicants(f, primes);
  bdd r = Bdd_zero();
  for (auto& p : primes) {
    for (long id : set_of_id_depend_on(p)) {
      bdd g = Bdd_exist(p, Bdd_var_by_id(id));
      if (Bdds_excl(g, c)) p = g;
    }
  }
  for (auto const& p : primes) r = Bdd_or(r, p);
  return r;
}

// Essential primes first, then the first remaining primes disjoint from
// what is covered, then any prime that still adds something; the reduced
// cover wins only when strictly shorter.
void bddpp_manager::Bdd_sop_2(bdd const& f, std::list<bdd>& cover) {
  cover.clear();
  if (store->lean_covers && !Bdd_is_tautology(f)) {
    bdd_cubes cubes(nbr_var);
    bdd_lean::prime_cover(this, f, cubes);
    as_functions(this, cubes, cover);
    return;
  }
  std::list<bdd> essential, others;
  Bdd_essential_implicants(f, essential, others);
  bdd covered = Bdd_zero();
  for (auto const& e : essential) {
    cover.push_back(e);
    covered = Bdd_or(covered, e);
  }
  bool stuck = false;
  while (covered != f) {
    auto r = others.begin();
    while (r != others.end() && !Bdds_excl(*r, covered)) ++r;
    if (r == others.end()) {
      stuck = true;
      break;
    }
    cover.push_back(*r);
    covered = Bdd_or(covered, *r);
  }
  if (stuck) {
    for (auto const& r : others) {
      if (covered == f) break;
      bdd wider = Bdd_or(covered, r);
      if (wider != covered) {
        cover.push_back(r);
        covered = wider;
      }
    }
  }
  std::list<bdd> reduced;
  Bdd_sop_1(f, reduced);
  if (reduced.size() < cover.size()) cover.swap(reduced);
}

namespace {

// Covers of 34 functions of the variables at indexes 0 to 3 (a to d);
// "!" negates, "." conjoins, " + " separates the products.
const char* const fixed_covers[] = {
    "!b.c + !b.d + a.c + !a.d + b.!c.!d",
    "a.!b.!c + !c.d + a.b.c + !a.c.!d + !b.d",
    "b.c + a.!b.!d + !c.d + !a.c",
    "c.d + b.!c.!d + a.!b + !a.c + !a.d",
    "!a.c + !a.d + !b.c + b.d + a.!c.!d",
    "!a.b.!c + a.!b.!d + !a.!b.c + b.d + !c.d + a.b.c",
    "a.!b.!d + a.b.d + !a.b.!c + !a.!b.d + a.c + c.!d",
    "b.!d + !b.c + a.!c.d + !a.b",
    "!b.c + a.c + a.!b.!d + !a.b.!d + b.!c.d",
    "a.c + !b.c + !a.b.!c + a.!d + !b.d",
    "b.c + !a.b + !a.c + a.!b.!d + !b.!c.d",
    "!a.d + b.!d + a.c + a.!b",
    "a.b + a.!c + c.!d + !a.!b.d",
    "c.d + !a.b.!d + !a.!b.d + a.!b.!d + a.b.!c",
    "!b.c + !b.d + !a.b.!c + c.d + a.!d",
    "!c.d + !b.c + a.c + a.!b + !a.b.!d",
    "b + a.!d + !c.d + !a.c",
    "!a.!b.c + b.!d + a.d + !c.d + a.!c",
    "!a.!b.c + b.!d + b.!c + a.!c.!d + a.c.d",
    "a.!b + !b.d + c.!d + b.!c",
    "!a.d + b.!c.!d + a.!b + a.c",
    "!c.d + !a.!b.c + b.!c + b.d + a.!d",
    "!a.b + !b.!c.d + !b.c.!d + a.!c.!d + b.c.d",
    "!a.d + !c.d + !a.b + b.c + a.!b.!d",
    "!a.b + a.!c.!d + a.c.d + !a.!c.d + !b.c.!d",
    "a.!c + b.!c + !a.!b.c + a.d + b.!d",
    "a.b.d + a.!b.!d + !a.b.!d + !a.!b.c + !c.d",
    "b.!d + !a.c + a.!b.!c + !a.d",
    "!a.b.!d + a.b.d + !a.!b.d + b.c + a.!b.!c + c.!d",
    "b.d + !a.b.!c + a.!b.!d + !a.!b.c + !c.d",
    "a.b.d + a.!b.!d + !a.!b.d + !a.c.!d + a.!c + b.!c",
    "a.!c.d + b.!c + a.c.!d + !a.!b.c + b.d",
    "!a.d + c.!d + a.!c + a.b",
    "!a.!b.d + !a.b.!d + b.!c + a.c.d + a.!b.!d",
};

// The products of one row, each conjoined from true literal by literal.
std::list<bdd> row_products(bddpp_manager* m, std::string row) {
  std::list<bdd> products;
  while (!row.empty()) {
    int plus = find(row, " + ");
    std::string product = plus < 0 ? row : my_before(row, plus);
    row = plus < 0 ? std::string() : my_after(row, plus + 3);
    bdd p = m->Bdd_one();
    for (char const* c = product.c_str(); *c; ++c) {
      if (*c == '.') continue;
      bool negated = *c == '!';
      if (negated) ++c;
      bdd v = m->Bdd_var_by_index(*c - 'a');
      p = m->Bdd_and(p, negated ? m->Bdd_not(v) : v);
    }
    products.push_back(p);
  }
  return products;
}

}  // namespace

// With fewer than four variables no row can be built: method 2 serves.
void bddpp_manager::Bdd_sop_2plus(bdd const& f, std::list<bdd>& cover) {
  cover.clear();
  if (nbr_var >= 4) {
    for (char const* row : fixed_covers) {
      std::list<bdd> products = row_products(this, row);
      bdd sum = Bdd_zero();
      for (auto const& p : products) sum = Bdd_or(sum, p);
      if (Bdd_equiv(f, sum)) {
        cover.swap(products);
        return;
      }
    }
  }
  Bdd_sop_2(f, cover);
}

void bdd_cover_cubes(bddpp_manager* m, bdd const& f, int method, bdd_cubes& cover) {
  cover.clear();
  if (m->Bdd_lean_covers() && method != 3) {
    require_own(m, f);
    if (m->Bdd_is_tautology(f)) return;
    switch (method) {
      case 1: bdd_lean::reduced_cover(m, f, cover); break;
      case 2: bdd_lean::prime_cover(m, f, cover); break;
      default: bdd_lean::disjoint_cover(m, f, cover);
    }
    return;
  }
  std::list<bdd> products;
  m->Bdd_sop(f, products, method);
  if (m->Bdd_is_tautology(f)) return;
  std::vector<int> literals(m->nbr_variables());
  std::vector<uint64_t> row(2 * cover.words);
  for (auto const& p : products) {
    m->Bdd_to_literals(p, literals.data());
    std::fill(row.begin(), row.end(), 0);
    for (int32_t i = 0; i < m->nbr_variables(); ++i)
      if (literals[i] != 2) row[(literals[i] == 1 ? 0 : cover.words) + i / 64] |= uint64_t{1} << (i % 64);
    cover.push_back(row.data(), row.data() + cover.words);
  }
}
