// Dates in the manner of a PERT schedule: early dates pushed up along the
// dependences and late dates along the readers, over arrays indexed by
// variable, until nothing moves or a date passes twice the variable count,
// which reveals a causality cycle.
#include <iostream>
#include <vector>

#include "Bddexpression.h"

int PERT(Bddexpressionwood* w) { return static_cast<int>(w->compute_dates()); }

// The index of e's left variable, -1 when it has none.
static long left_index(Bddexpression const& e) {
  Bddexpressionwood* w = e.getWood();
  if (!w || !w->Manager() || !e.getBddVar().node()) return -1;
  return w->Manager()->Bdd_if_index(e.getBddVar());
}

// upstream: the equation's date rises above those of what it reads;
// otherwise what it reads rises above the equation. Indexes of dependances
// outside the arrays are passed over.
static int learn(long n, long* dates, Bddexpression& e, int* overflow, bool upstream,
                 char const* who) {
  *overflow = 0;
  long i = left_index(e);
  if (i < 0 || i >= n) {
    std::cerr << "INTERNAL ERROR in " << who << "()" << std::endl;
    return 0;
  }
  int changed = 0;
  std::set<long> deps = e.getDependances();
  for (long d : deps) {
    if (d < 0 || d >= n) continue;
    long& low = upstream ? dates[d] : dates[i];
    long& high = upstream ? dates[i] : dates[d];
    if (low < high) continue;
    high = low + 1;
    changed = 1;
    if (high >= 2 * n) *overflow = 1;
  }
  return changed;
}

int learn_upstream_dependance(long n, long* dates, Bddexpression& e, int* overflow) {
  return learn(n, dates, e, overflow, true, "learn_upstream_dependance");
}

int learn_downstream_dependance(long n, long* dates, Bddexpression& e, int* overflow) {
  return learn(n, dates, e, overflow, false, "learn_downstream_dependance");
}

namespace {

// A pass stops at the first equation that moved a date; the next pass
// starts again from the first equation.
template <typename Get>
int learn_phase(long count, Get get, long n, long* dates,
                int (*step)(long, long*, Bddexpression&, int*)) {
  int overflow = 0;
  for (bool moved = true; moved && !overflow;) {
    moved = false;
    for (long k = 0; k < count && !moved; ++k) moved = step(n, dates, get(k), &overflow);
  }
  return overflow;
}

template <typename Get>
int pert(long count, Get get) {
  if (count < 1) return 0;
  Bddexpressionwood* w = get(0).getWood();
  long n = w && w->Manager() ? w->Manager()->nbr_variables() : 0;
  std::vector<long> early(n, 0), late(n, 0);
  for (long k = 0; k < count; ++k) {
    long i = left_index(get(k));
    if (i < 0 || i >= n) continue;
    early[i] = get(k).getEarlyDate();
    late[i] = get(k).getLateDate();
  }
  int f1 = learn_phase(count, get, n, early.data(), learn_upstream_dependance);
  int f2 = learn_phase(count, get, n, late.data(), learn_downstream_dependance);
  if (f1 || f2) {
    std::cout << "CYCLE DE CAUSALITE SUR:" << std::endl;
    for (long k = 0; k < count; ++k) {
      long i = left_index(get(k));
      if (i >= 0 && i < n && early[i] >= n && late[i] >= n) std::cout << get(k) << std::endl;
    }
    std::cout << std::endl;
    return -1;
  }
  long largest = normalise_min_min(n, early.data(), late.data());
  for (long k = 0; k < count; ++k) {
    long i = left_index(get(k));
    if (i < 0 || i >= n) continue;
    get(k).setEarlyDate(early[i]);
    get(k).setLateDate(late[i]);
  }
  return static_cast<int>(largest + 1);
}

}  // namespace

int PERT_original_version(long count, Bddexpression** equations) {
  return pert(count, [equations](long k) -> Bddexpression& { return *equations[k]; });
}

int PERT_original_version(long count, Bddexpression* equations) {
  return pert(count, [equations](long k) -> Bddexpression& { return equations[k]; });
}
