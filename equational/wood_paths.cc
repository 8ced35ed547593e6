// Walks of the dependency graph in both directions: critical paths (the
// heaviest chains of readers and of dependences), closures, the printed
// dependency tree of one variable, and the incremental update of the dates.
// A walk as deep as the variable count has gone round a cycle of signals.
#include <algorithm>
#include <iostream>

#include "Bddexpression.h"
#include "listpp.h"

int Bddexpressionwood::down_critical_path(long index, long depth, long a) {
  long best = 0;
  if (in_range(index))
    for (long u : users[index]) {
      if (!in_range(u) || !exp_table[u]) continue;
      if (depth >= nb_bdd_vars) {
        std::cerr << "WARNING in Bddexpressionwood::down_critical_path():" << std::endl
                  << "   possible infinite recursion due to a signals cycle" << std::endl;
        continue;
      }
      best = std::max<long>(best, down_critical_path(u, depth + 1, exp_table[u]->W));
    }
  return static_cast<int>(a + best);
}

// At the depth limit the variable is substituted into its readers, which
// ends the run when the cycle has closed on it.
int Bddexpressionwood::up_critical_path(long index, long depth, long b) {
  if (!in_range(index) || !exp_table[index]) return static_cast<int>(b);
  std::set<long> deps = exp_table[index]->dependances;
  long best = exp_table[index]->W;
  if (depth >= nb_bdd_vars) useless_local(index);
  for (long d : deps) {
    if (!in_range(d) || !exp_table[d] || !exp_table[index]) continue;
    best = std::max<long>(best, up_critical_path(d, depth + 1, exp_table[index]->W));
  }
  return static_cast<int>(b + best);
}

// Downwards the neighbours are the readers, upwards what the equation
// reads; every variable reached enters the result.
void Bddexpressionwood::closure(long index, long depth, std::set<long>& r, bool down) {
  if (!in_range(index) || (!down && !exp_table[index])) return;
  std::set<long> next = down ? users[index] : exp_table[index]->dependances;
  for (long v : next) {
    if (!r.insert(v).second) continue;
    if (depth < nb_bdd_vars) {
      closure(v, depth + 1, r, down);
      continue;
    }
    std::cerr << (down ? "WARNING in Bddexpressionwood::down_dependances():"
                       : "WARNING in Bddexpressionwood::up_dependances():")
              << std::endl
              << (down ? "   possible infinite recusion due to a signals cycle"
                       : "   possible infinite recursion due to a signals cycle")
              << std::endl;
  }
}

std::set<long> Bddexpressionwood::down_dependances(long index, long depth,
                                                   std::set<long> const& s) {
  std::set<long> r = s;
  closure(index, depth, r, true);
  return r;
}

std::set<long> Bddexpressionwood::up_dependances(long index, long depth, std::set<long> const& s) {
  std::set<long> r = s;
  closure(index, depth, r, false);
  return r;
}

std::set<long> set_reencoding(std::set<long> const& s, long* map) {
  std::set<long> r;
  for (long x : s) r.insert(map[x]);
  return r;
}

void Bddexpressionwood::stat_early_dep(std::ostream& out, long index) {
  std::list<long> seen;
  internal_stat_early_dep(out, index, 0, &seen);
}

// The list of variables printed is shared by the whole tree: a variable
// met again is printed without its subtree.
void Bddexpressionwood::internal_stat_early_dep(std::ostream& out, long index, int depth,
                                                std::list<long>* seen) {
  if (depth > 0) {
    for (int k = 0; k < depth; ++k) out << "   ";
    out << "| ";
  }
  std::string name = manager->Name_var_by_index(index);
  if (item_in(*seen, index)) {
    out << name << " (" << index << ") -->" << std::endl;
    return;
  }
  out << name << " (" << index << ")" << std::endl;
  seen->push_back(index);
  if (!in_range(index) || !exp_table[index]) return;
  std::set<long> deps = exp_table[index]->dependances;
  for (long d : deps) internal_stat_early_dep(out, d, depth + 1, seen);
}

long Bddexpressionwood::compute_dates(std::list<long>& changed) {
  update_bdd_vars();
  if (nb_level <= 0) {
    nb_level = 0;
    nb_level = compute_dates();
    return nb_level;
  }
  for (long a : changed) {
    if (!in_range(a)) continue;
    Bddexpression* e = exp_table[a];
    if (!users[a].empty()) {
      long date = e ? e->early_date + 1 : 1;
      for (long r : users[a]) {
        if (r >= nb_bdd_vars) {
          std::cerr << "ERREUR dans compute_date(list ident): numero de variables trop grand :"
                    << r << ">= " << nb_bdd_vars << std::endl;
          continue;
        }
        early_propagation(r, date);
      }
      if (!e) continue;
    } else if (!e) {
      continue;
    } else if (e->early_date >= nb_level) {
      nb_level = e->early_date + 1;
    }
    std::set<long> deps = e->dependances;
    for (long d : deps)
      if (d < nb_bdd_vars) late_propagation(d, Late_date(e->index_var()) + 1);
  }
  return nb_level;
}
