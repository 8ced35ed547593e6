// Whole-forest simplification passes: constants propagated into their
// readers, right members simplified under a care set or with one variable
// quantified away, and the two queries that pick a proposition.
#include <algorithm>
#include <vector>

#include "Bddexpression.h"
#include "listpp.h"

bool Bddexpressionwood::kept(std::list<int> const& keep, int usertype) {
  return std::find(keep.begin(), keep.end(), usertype) != keep.end();
}

// Every propagating sweep empties the readers of one constant for good, so
// the sweeps end. Readers' dependances shrink without their readers sets
// being told: the final rebuild puts the table right.
void Bddexpressionwood::constants_propagation(std::list<int> const& keep) {
  std::set<long> removed;
  bool propagated = true;
  while (propagated) {
    propagated = false;
    for (long v : exp_ids) {
      Bddexpression* e = exp_table[v];
      if (!e || users[v].empty() || e->abstraction) continue;
      bdd x = manager->Bdd_var_by_index(v);
      bdd c = manager->Bdd_not(x);
      bdd cube;
      if (manager->Bdd_is_tautology(e->exp, 1))
        cube = x;
      else if (manager->Bdd_is_tautology(e->exp, 0))
        cube = c;
      else
        continue;
      std::set<long> dead;
      for (long u : users[v]) {
        Bddexpression* r = exp_table[u];
        if (!r) {
          dead.insert(u);
        } else if (!r->abstraction) {
          r->exp = manager->Bdd_reduce(r->exp, cube);
          r->internal_build_dependances();
        }
      }
      users[v] = set_priv(users[v], dead);
      propagated = true;
      if (!kept(keep, e->usertype)) {
        delete e;
        exp_table[v] = nullptr;
        removed.insert(v);
      }
      users[v].clear();
    }
  }
  for (long v : removed) drop_id(v);
  internal_global_build_dependances();
}

void Bddexpressionwood::constants_propagation() { constants_propagation(std::list<int>()); }

int Bddexpressionwood::global_tautology() {
  constants_propagation();
  int r = 1;
  for (long i : exp_ids) {
    if (!exp_table[i]) continue;
    r = manager->Bdd_is_tautology(exp_table[i]->exp);
    if (!r) break;
  }
  return r;
}

// f gives each defined right member its new value; the readers follow the
// variables that the equation uses before and after.
void Bddexpressionwood::replace_exps(std::function<bdd(bdd const&)> const& f) {
  for (long v : exp_ids) {
    Bddexpression* e = exp_table[v];
    if (!e || !e->exp.node()) continue;
    std::set<long> before = e->set_of_index_used_variables();
    e->exp = f(e->exp);
    e->build_normal_dependances();
    std::set<long> after = e->set_of_index_used_variables();
    if (before == after) continue;
    for (long a : set_priv(after, before))
      if (in_range(a)) users[a].insert(v);
    for (long r : set_priv(before, after))
      if (in_range(r)) users[r].erase(v);
  }
}

void Bddexpressionwood::reduce_expressions(bdd care, std::list<int> const& keep) {
  replace_exps([&](bdd const& f) { return manager->Bdd_reduce(f, care); });
  constants_propagation(keep);
}

void Bddexpressionwood::reduce_expressions(bdd care) { reduce_expressions(care, std::list<int>()); }

void Bddexpressionwood::reduce_expressions_when_var_forgotten_by_exist_op(long v) {
  bdd x = manager->Bdd_var_by_index(v);
  replace_exps([&](bdd const& f) { return manager->Bdd_exist(f, x); });
  constants_propagation();
}

void Bddexpressionwood::reduce_expressions_when_var_forgotten_by_forall_op(long v) {
  bdd x = manager->Bdd_var_by_index(v);
  replace_exps([&](bdd const& f) { return manager->Bdd_forall(f, x); });
  constants_propagation();
}

// A right member left undefined by an abstract equation is no proposition:
// an implicant of it cannot be asked for.
bdd Bddexpressionwood::reduce_proposition_by_assertion() {
  for (long i : latest_sort()) {
    Bddexpression* e = exp_table[i];
    if (!e || !e->exp.node() || manager->Bdd_is_tautology(e->exp)) continue;
    return manager->Bdd_one_implicant(e->exp);
  }
  return manager->Bdd_one();
}

long Bddexpressionwood::reduce_proposition_by_variable() {
  for (long d = 0; d <= nb_level; ++d)
    for (long i = 0; i < nb_bdd_vars; ++i) {
      Bddexpression* e = exp_table[i];
      if (e && e->early_date == d && !users[i].empty() && !e->dependances.empty())
        return *e->dependances.begin();
    }
  return -1;
}
