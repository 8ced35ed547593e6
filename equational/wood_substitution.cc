// Removal of intermediate variables: the right member of a variable is
// substituted into every equation that reads it. The readers table is kept
// in step while the substitutions go, and put right at the end by the
// cleaning pass where the readers' dependances were edited by hand.
#include <cstdlib>
#include <iostream>

#include "Bddexpression.h"
#include "listpp.h"

// u reads v's right member in place of v. An abstract v without right
// member has nothing to give.
void Bddexpressionwood::substitute(long v, long u) {
  Bddexpression* e = exp_table[v];
  Bddexpression* r = exp_table[u];
  if (!e->exp.node()) return;
  r->exp = manager->Bdd_compose(r->exp, e->var, e->exp);
}

void Bddexpressionwood::remove_dead(long v, std::set<long> const& dead) {
  users[v] = set_priv(users[v], dead);
}

void Bddexpressionwood::cleaning_pass() {
  for (long i = 0; i < nb_bdd_vars; ++i) {
    if (users[i].empty()) continue;
    std::set<long> stale;
    for (long u : users[i])
      if (!in_range(u) || !exp_table[u] || !exp_table[u]->dependances.count(i)) stale.insert(u);
    remove_dead(i, stale);
  }
}

static void self_dependence(Bddexpressionwood const& w, Bddexpression const& e, long v) {
  std::cerr << "ERROR: detected self-dependance about variable : " << v << " !!!" << std::endl
            << "in associated expression: " << e << std::endl
            << std::endl
            << "in associated wood:" << std::endl
            << w << std::endl;
}

void Bddexpressionwood::useless_local(long v) {
  Bddexpression* e = in_range(v) ? exp_table[v] : nullptr;
  if (!e || users[v].empty() || e->dependances.empty()) return;
  e->internal_build_dependances();
  if (e->dependances.count(v)) {
    self_dependence(*this, *e, v);
    exit(1);
  }
  std::set<long> deps = e->dependances;
  for (long d : deps) {
    if (!in_range(d)) continue;
    users[d].erase(v);
    std::set<long> dead;
    std::set<long> readers = users[v];
    for (long u : readers) {
      if (!in_range(u) || !exp_table[u]) {
        dead.insert(u);
      } else if (e->exp.node()) {
        substitute(v, u);
        exp_table[u]->internal_build_dependances();
      }
      users[d].erase(v);
      users[d].insert(u);
    }
    remove_dead(v, dead);
  }
  users[v].clear();
}

// The readers of v read d in its place: their dependances are edited, not
// rebuilt. Shared by the removal of locals and of wires.
void Bddexpressionwood::move_readers(long v, long d, std::set<long>& dead) {
  std::set<long> readers = users[v];
  for (long u : readers) {
    if (in_range(u) && exp_table[u]) {
      substitute(v, u);
      exp_table[u]->dependances.erase(v);
      exp_table[u]->dependances.insert(d);
    } else {
      dead.insert(u);
    }
    users[d].erase(v);
    users[d].insert(u);
  }
}

// The readers of v read what v reads, one dependence after the other.
void Bddexpressionwood::bypass(long v) {
  std::set<long> deps = exp_table[v]->dependances;
  for (long d : deps) {
    if (!in_range(d)) continue;
    users[d].erase(v);
    std::set<long> dead;
    move_readers(v, d, dead);
    remove_dead(v, dead);
  }
}

void Bddexpressionwood::delete_equation(long v) {
  delete exp_table[v];
  exp_table[v] = nullptr;
  users[v].clear();
  drop_id(v);
}

void Bddexpressionwood::suppress_local(long v) {
  Bddexpression* e = in_range(v) ? exp_table[v] : nullptr;
  if (!e || users[v].empty() || e->dependances.empty()) return;
  if (users[v].count(v) || e->dependances.count(v)) {
    self_dependence(*this, *e, v);
    return;
  }
  bypass(v);
  delete_equation(v);
  constants_propagation();
  cleaning_pass();
}

// No self-dependence test: the readers of a variable that reads itself go
// on reading it once its equation is gone.
void Bddexpressionwood::suppress_locals(std::list<int> const& keep) {
  for (long i = 0; i < nb_bdd_vars; ++i) {
    Bddexpression* e = exp_table[i];
    if (!e || kept(keep, e->usertype) || users[i].empty() || e->dependances.empty()) continue;
    bypass(i);
    delete_equation(i);
  }
  constants_propagation();
  cleaning_pass();
}

void Bddexpressionwood::suppress_locals() { suppress_locals(std::list<int>()); }

// A wire reads one variable and has readers, none of them abstract.
bool Bddexpressionwood::is_wire(long i) const {
  Bddexpression const* e = exp_table[i];
  if (users[i].empty() || e->dependances.size() != 1) return false;
  for (long u : users[i])
    if (in_range(u) && exp_table[u] && exp_table[u]->abstraction) return false;
  return in_range(*e->dependances.begin());
}

void Bddexpressionwood::suppress_wires(std::list<int> const& keep) {
  for (long i = 0; i < nb_bdd_vars; ++i) {
    Bddexpression* e = exp_table[i];
    if (!e || kept(keep, e->usertype) || e->abstraction || !is_wire(i)) continue;
    long d = *e->dependances.begin();
    users[d].erase(i);
    drop_id(i);
    std::set<long> dead;
    move_readers(i, d, dead);
    remove_dead(i, dead);
    delete_equation(i);
    late_dates[i] = 0;
  }
  constants_propagation();
  cleaning_pass();
  for (long c = 0; c < nb_bdd_vars; ++c) {
    Bddexpression* e = exp_table[c];
    if (!e) continue;
    e->early_date = up_critical_path(c, 1, 1);
    e->setLateDate(down_critical_path(c, 1, 0));
  }
}

void Bddexpressionwood::suppress_wires() { suppress_wires(std::list<int>()); }

static void no_wood(char const* who) {
  std::cerr << "In Bddexpression::" << who << "(): " << std::endl
            << "   no wood defined! Aborted  ..." << std::endl;
}

// The critical paths serve as a check: at their depth limit the downward
// one warns of a cycle of signals and the upward one substitutes.
void Bddexpression::replace_exp(bdd b) {
  long a = wood->manager->Index_var_by_bdd(var);
  wood->leave_users(a, dependances);
  exp = b;
  abstraction = 0;
  build_normal_dependances();
  wood->down_critical_path(a, 0, 0);
  std::set<long> deps = dependances;
  for (long d : deps) {
    if (wood->in_range(d) && wood->in_range(a)) wood->users[d].insert(a);
    wood->up_critical_path(a, 0, 1);
  }
}

void Bddexpression::setBddExp(bdd b) {
  if (!wood) return no_wood("setBddExp");
  replace_exp(b);
}

// An abstract equation without right member takes b alone.
void Bddexpression::append_or_exp(bdd b) {
  if (!wood) return no_wood("append_or_exp");
  replace_exp(exp.node() ? wood->manager->Bdd_or(b, exp) : b);
}

void Bddexpression::append_and_exp(bdd b) {
  if (!wood) return no_wood("append_or_exp");
  replace_exp(exp.node() ? wood->manager->Bdd_and(b, exp) : b);
}

void Bddexpression::setBddExp(bddpp_manager* m, bdd b) {
  if (wood) {
    std::cerr << "In Bddexpression::setBddExp(bddpp_manager *, bdd): " << std::endl
              << "   wood already defined! Aborted  ..." << std::endl
              << "   use only Bddexpression::setBddExp(bdd) !!!" << std::endl;
    return;
  }
  exp = b;
  abstraction = 0;
  internal_build_dependances(m);
}

void Bddexpression::internal_build_dependances(bddpp_manager* m) {
  if (abstraction) return;
  dependances = m->set_of_index_depend_on(exp);
}
