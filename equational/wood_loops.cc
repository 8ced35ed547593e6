// Loop breaking: the looped equations are expanded on the candidate
// variable that most of them read, and inside each copy every looped
// variable stands for its own copy for the same value of the cut variable.
#include <numeric>
#include <vector>

#include "Bddexpression.h"

void Bddexpression::Shannon_expand(long v, long& p, long& n) {
  p = n = -3;
  if (!wood || !wood->manager || !exp.node()) return;
  bddpp_manager* m = wood->manager;
  if (v < 0 || v >= m->nbr_variables()) return;
  // v is a position in the order: once a variable has been inserted
  // before others, the identities no longer follow the positions.
  bdd x = m->Bdd_var_by_index(v);
  std::string s = m->Name_var_by_index(v);
  bdd pv = wood->New_var_last(name + "_" + s);
  bdd nv = wood->New_var_last(name + "_not" + s);
  new Bddexpression(wood, pv, m->Bdd_cube_reduce(exp, x), 0, 0);
  new Bddexpression(wood, nv, m->Bdd_cube_reduce(exp, m->Bdd_not(x)), 0, 0);
  setBddExp(m->Bdd_ite(x, pv, nv), 0, 0);
  p = m->Index_var_by_bdd(pv);
  n = m->Index_var_by_bdd(nv);
}

namespace {

// One looped equation and the two copies made of it.
struct copies {
  long e, p, n;
};

bool is_excluded(std::vector<char> const& excluded, long v) {
  return v < static_cast<long>(excluded.size()) && excluded[v];
}

void exclude(std::vector<char>& excluded, long v) {
  if (v >= static_cast<long>(excluded.size())) excluded.resize(v + 1, 0);
  excluded[v] = 1;
}

}  // namespace

// The qualifying variable read by the most looped equations, the lowest
// index on a tie; -1 when no looped equation reads one. A variable qualifies
// when it may be cut and no equation of its own depends on anything.
static long choose_cut(Bddexpression** table, long nb_vars, std::list<long> const& loops,
                       std::vector<char> const& excluded) {
  std::vector<long> count(nb_vars, 0);
  for (long e : loops)
    if (table[e])
      for (long d : table[e]->getDependances())
        if (d < nb_vars) ++count[d];
  long best = -1, best_count = 0;
  for (long v = 0; v < nb_vars; ++v) {
    if (is_excluded(excluded, v)) continue;
    if (table[v] && !table[v]->getDependances().empty()) continue;
    if (count[v] > best_count) {
      best = v;
      best_count = count[v];
    }
  }
  return best;
}

// The copies are renamed in the order they were made, positive copy first,
// which decides the ids of the nodes built.
void Bddexpressionwood::expand_round(long best, std::list<long> const& loops,
                                     std::vector<char>& excluded, std::set<long>& result) {
  std::vector<copies> made;
  for (long e : loops) {
    copies c{e, -3, -3};
    exp_table[e]->Shannon_expand(best, c.p, c.n);
    for (long x : {c.p, c.n}) {
      if (x < 0) continue;
      exclude(excluded, x);
      result.insert(x);
    }
    made.push_back(c);
  }
  std::vector<long> pos(nb_bdd_vars), neg(nb_bdd_vars);
  std::iota(pos.begin(), pos.end(), 0L);
  std::iota(neg.begin(), neg.end(), 0L);
  for (auto const& c : made) {
    if (c.p >= 0) pos[c.e] = c.p;
    if (c.n >= 0) neg[c.e] = c.n;
  }
  auto rename = [&](long k, std::vector<long>& map) {
    if (k < 0) return;
    Bddexpression* copy = exp_table[k];
    copy->setBddExp(manager->Bdd_replace_vars(copy->exp, map.data()), 0, 0);
  };
  for (auto const& c : made) {
    rename(c.p, pos);
    rename(c.n, neg);
  }
}

std::set<long> Bddexpressionwood::loop_breaking(std::set<long> candidates, int& ok) {
  std::set<long> result;
  update_bdd_vars();
  std::vector<char> excluded(nb_bdd_vars, 1);
  for (long c : candidates)
    if (in_range(c)) excluded[c] = 0;
  nb_level = 0;
  std::list<long> loops = loop_detection();
  ok = 1;
  while (!loops.empty() && ok) {
    long best = choose_cut(exp_table.data(), nb_bdd_vars, loops, excluded);
    if (best < 0) {
      ok = 0;
      break;
    }
    exclude(excluded, best);
    expand_round(best, loops, excluded, result);
    nb_level = 0;
    loops = loop_detection();
  }
  return result;
}
