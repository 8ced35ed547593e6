// A variable inserted anywhere in the order, with every index at or above
// it moved up in the forest's tables; the readers table rebuilt or checked;
// equations forgotten or dropped.
#include <iostream>
#include <vector>

#include "Bddexpression.h"
#include "listpp.h"

void Bddexpressionwood::internal_global_build_dependances() {
  for (long i = 0; i < nb_bdd_vars; ++i) users[i].clear();
  for (long i = 0; i < nb_bdd_vars; ++i)
    if (Bddexpression* e = exp_table[i]) {
      e->internal_build_dependances();
      for (long d : e->dependances)
        if (in_range(d)) users[d].insert(i);
    }
}

namespace {

struct renumbering {
  long p;
  long operator()(long i) const { return i < p ? i : i + 1; }
  std::set<long> operator()(std::set<long> const& s) const {
    std::set<long> r;
    for (long i : s) r.insert(r.end(), (*this)(i));
    return r;
  }
};

}  // namespace

// The variable of index p is the one just inserted. A concrete equation
// reads its dependances again from its right member; an abstract one keeps
// what it was given, renumbered like every other index.
void Bddexpressionwood::update_bdd_vars(long p) {
  long m = manager->nbr_variables();
  if (nb_bdd_vars != m - 1 || p < 0 || p >= m) {
    std::cerr << "Internal error in update_bdd_vars(nouv_index):" << std::endl
              << "awaited " << nb_bdd_vars + 1 << " variables, found: " << m << std::endl;
    return;
  }
  // Here the length may double once more than at the end of the order.
  long new_length = length < m ? length_for(m, "Bddexpressionwood", 1L << 29) : length;
  renumbering shift{p};
  std::vector<Bddexpression*> table(new_length, nullptr);
  std::vector<std::set<long>> readers(new_length);
  for (long j = 0; j < m; ++j) {
    if (j == p) continue;
    long old = j < p ? j : j - 1;
    if (Bddexpression* e = exp_table[old]) {
      table[j] = e;
      if (e->abstraction) e->dependances = shift(e->dependances);
      e->internal_build_dependances();
    }
    readers[j] = shift(users[old]);
  }
  exp_ids = shift(exp_ids);
  ordered_valid = false;
  length = new_length;
  exp_table.swap(table);
  users.swap(readers);
  late_dates.assign(length, 0);
  nb_bdd_vars = m;
}

bdd Bddexpressionwood::New_var_before_by_bdd(bdd b, std::string const& name) {
  long i = manager->Bdd_if_index(b);
  bdd v = manager->New_var_before(b, name);
  update_bdd_vars(i);
  return v;
}

bdd Bddexpressionwood::New_var_before_by_index(long i, std::string const& name) {
  return New_var_before_by_bdd(manager->Bdd_var_by_index(i), name);
}

bdd Bddexpressionwood::New_var_after_by_bdd(bdd b, std::string const& name) {
  long i = manager->Bdd_if_index(b);
  bdd v = manager->New_var_after(b, name);
  update_bdd_vars(i + 1);
  return v;
}

bdd Bddexpressionwood::New_var_after_by_index(long i, std::string const& name) {
  return New_var_after_by_bdd(manager->Bdd_var_by_index(i), name);
}

static bool refused(long v, bool in_range) {
  if (in_range) return false;
  std::cerr << "Error in Bddexpressionwood::forget_expression_by_bddid(): " << std::endl
            << v << " value not found ..." << std::endl;
  return true;
}

void Bddexpressionwood::forget_expression_by_bddid(long v) {
  if (refused(v, in_range(v))) return;
  Bddexpression* e = exp_table[v];
  if (!e || !users[v].empty()) return;
  leave_users(v, e->dependances);
  delete e;
  exp_table[v] = nullptr;
  drop_id(v);
  late_dates[v] = 0;
}

// The readers of what the equation read, and its late date, stay as they
// were.
void Bddexpressionwood::absolute_forget_expression_by_bddid(long v) {
  if (refused(v, in_range(v))) return;
  if (!exp_table[v] || !users[v].empty()) return;
  delete exp_table[v];
  exp_table[v] = nullptr;
  drop_id(v);
}

void Bddexpressionwood::clean(std::set<long> const& keep) {
  for (long i = 0; i < nb_bdd_vars; ++i) {
    if (!exp_ids.count(i)) continue;
    Bddexpression* e = exp_table[i];
    if (!e) {
      std::cerr << "Warning in Bddexpressionwood::clean():"
                << "  Expression for id var " << i << " should be existed ..." << std::endl;
      continue;
    }
    if (keep.count(i) || !users[i].empty() || !e->dependances.empty()) continue;
    delete e;
    exp_table[i] = nullptr;
    drop_id(i);
  }
}

void Bddexpressionwood::clean(std::list<long> const& keep) {
  clean(std::set<long>(keep.begin(), keep.end()));
}

void Bddexpressionwood::coherence_dependances_check(std::ostream& out) const {
  std::vector<std::set<long>> expected(nb_bdd_vars);
  for (long i = 0; i < nb_bdd_vars; ++i)
    if (Bddexpression const* e = exp_table[i])
      for (long d : e->dependances)
        if (in_range(d)) expected[d].insert(i);
  for (long c = 0; c < nb_bdd_vars; ++c)
    if (users[c] != expected[c])
      out << "incoherence sur table des amonts pour la variable " << c << ": calcule: "
          << expected[c] << " trouve" << users[c] << std::endl;
}
