// Dates of the forest: the early date of an equation is above those of the
// equations it reads, the late date of a variable above those of its
// readers. Along a combinational loop the dates climb until the level count
// passes twice the variable count, which is how loops show.
#include <algorithm>
#include <iostream>
#include <utility>
#include <vector>

#include "Bddexpression.h"

// Depth first, in the order the recursive definition goes, on a stack of its
// own: a loop is walked up to twice the variable count deep. visit(j, d)
// dates j and gives the indexes to visit next with d + 1, or null.
template <typename Visit>
static void depth_first(long i, long d, long limit, Visit visit) {
  struct frame {
    long d;
    std::set<long>::const_iterator next, end;
  };
  std::vector<frame> stack;
  auto enter = [&](long j, long dj) {
    if (std::set<long> const* next = visit(j, dj))
      stack.push_back({dj, next->begin(), next->end()});
  };
  enter(i, d);
  while (!stack.empty()) {
    frame& f = stack.back();
    if (f.next == f.end) {
      stack.pop_back();
      continue;
    }
    long j = *f.next++;
    long dj = f.d + 1;
    if (j < limit) enter(j, dj);
  }
}

void Bddexpressionwood::early_propagation(long i, long d) {
  if (!in_range(i)) return;
  depth_first(i, d, nb_bdd_vars, [this](long j, long dj) -> std::set<long> const* {
    Bddexpression* e = exp_table[j];
    if (!e || e->early_date >= dj) return nullptr;
    e->early_date = dj;
    nb_level = std::max(nb_level, dj + 1);
    return nb_level > 2 * nb_bdd_vars ? nullptr : &users[j];
  });
}

void Bddexpressionwood::late_propagation(long i, long d) {
  if (!in_range(i)) return;
  depth_first(i, d, nb_bdd_vars, [this](long j, long dj) -> std::set<long> const* {
    if (late_dates[j] >= dj) return nullptr;
    late_dates[j] = dj;
    nb_level = std::max(nb_level, dj + 1);
    Bddexpression* e = exp_table[j];
    return e && nb_level <= 2 * nb_bdd_vars ? &e->dependances : nullptr;
  });
}

// Early dates are not cleared here: whoever wants them afresh sets them to 0
// first.
long Bddexpressionwood::compute_dates() {
  update_bdd_vars();
  if (nb_level != 0 || nb_bdd_vars == 0) return nb_level;
  std::fill(late_dates.begin(), late_dates.begin() + nb_bdd_vars, 0);
  for (long k = 0; k < nb_bdd_vars; ++k) {
    Bddexpression* e = exp_table[k];
    if (users[k].empty()) {
      if (!e) continue;
      if (e->early_date >= nb_level) nb_level = e->early_date + 1;
    }
    for (long u : users[k]) {
      if (u >= nb_bdd_vars) {
        std::cerr << "ERREUR dans compute_date(): nombre de variables trop grand :" << u
                  << ">= " << nb_bdd_vars << std::endl;
        continue;
      }
      early_propagation(u, e ? e->early_date + 1 : 1);
    }
    if (!e) continue;
    for (long b : e->dependances)
      if (b < nb_bdd_vars) late_propagation(b, late_dates[k] + 1);
  }
  return nb_level;
}

std::list<long> Bddexpressionwood::loop_detection() {
  if (nb_level == 0) compute_dates();
  std::list<long> loops;
  if (nb_bdd_vars == 0 || nb_level <= nb_bdd_vars) return loops;
  for (long i : exp_ids)
    if (exp_table[i]->early_date > nb_bdd_vars || late_dates[i] > nb_bdd_vars) loops.push_back(i);
  return loops;
}

// Dates in [0, nb_level] in the given order, indexes increasing within one
// date; an equation dated outside is left out.
static std::list<long> sort_by_date(std::vector<std::pair<long, long>>& dated, long nb_level,
                                    bool reverse) {
  std::sort(dated.begin(), dated.end(), [reverse](auto const& a, auto const& b) {
    if (a.first != b.first) return reverse ? a.first > b.first : a.first < b.first;
    return a.second < b.second;
  });
  std::list<long> r;
  for (auto const& [date, i] : dated)
    if (date >= 0 && date <= nb_level) r.push_back(i);
  return r;
}

std::list<long> Bddexpressionwood::earliest_sort() const {
  std::vector<std::pair<long, long>> dated;
  for (long i : exp_ids) dated.emplace_back(exp_table[i]->early_date, i);
  return sort_by_date(dated, nb_level, false);
}

std::list<long> Bddexpressionwood::latest_sort() const {
  std::vector<std::pair<long, long>> dated;
  for (long i : exp_ids) dated.emplace_back(late_dates[i], i);
  return sort_by_date(dated, nb_level, true);
}

long Bddexpressionwood::exp_outside_sort() const {
  for (long i : exp_ids) {
    long d = exp_table[i]->early_date;
    if (d < 0 || d > nb_level) return i;
  }
  return -1;
}
