// The forest: its tables indexed by variable, the entry of an equation with
// its readers, the growth with the manager, new variables and the look-ups.
#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "Bddexpression.h"
#include "listpp.h"

// Tables grow by doubling up to this many variables.
static const long max_length = 1L << 28;

long Bddexpressionwood::length_for(long nb_vars, char const* who, long limit) {
  long length = 1;
  while (length < nb_vars) {
    if (length >= limit) {
      std::cerr << "in " << who << ": Nb bdd vars reached!" << std::endl
                << "program aborted ..." << std::endl;
      exit(1);
    }
    length *= 2;
  }
  return length;
}

Bddexpressionwood::Bddexpressionwood(bddpp_manager* manager_)
    : common_bdd_manager(0),
      manager(manager_),
      nb_bdd_vars(manager_->nbr_variables()),
      length(length_for(nb_bdd_vars, "Bddexpression", max_length)),
      exp_table(length, nullptr),
      users(length),
      late_dates(length, 0),
      nb_level(0),
      ordered_valid(false) {}

Bddexpressionwood::~Bddexpressionwood() {
  users.clear();
  late_dates.clear();
  for (long i : exp_ids) delete exp_table[i];
  exp_table.clear();
  if (common_bdd_manager == 0) delete manager;
  exp_ids.clear();
}

void Bddexpressionwood::enter_users(long i, std::set<long> const& deps) {
  for (long d : deps)
    if (in_range(d)) users[d].insert(i);
}

void Bddexpressionwood::leave_users(long i, std::set<long> const& deps) {
  for (long d : deps)
    if (in_range(d)) users[d].erase(i);
}

void Bddexpressionwood::learn_expression(Bddexpression* e) { learn(e, nullptr); }

void Bddexpressionwood::learn_abstract_expression(Bddexpression* e, std::set<long>* readers) {
  learn(e, readers);
}

// The entry of an equation, and for an abstract one the equations declared
// to read its variable.
void Bddexpressionwood::learn(Bddexpression* e, std::set<long> const* readers) {
  char const* fault = nullptr;
  long i = -1;
  if (!e) {
    fault = "no expression !!!";
  } else {
    bddpp_manager* m = e->wood ? e->wood->manager : manager;
    i = m->Bdd_if_index(e->var);
    if (i < 0)
      fault = "no left member in expression";
    else if (i >= manager->nbr_variables())
      fault = "bdd variable doesn't exist in Bdd manager";
  }
  if (fault) {
    std::cerr << "INTERNAL ERROR in Bddexpressionwood::learn_expression():" << std::endl
              << fault << std::endl
              << std::endl;
    return;
  }
  if (i >= nb_bdd_vars) update_bdd_vars();
  Bddexpression* old = exp_table[i];
  if (old == e) return;
  // A replaced equation leaves the forest but is not deleted.
  if (old)
    leave_users(i, old->dependances);
  else
    add_id(i);
  exp_table[i] = e;
  enter_users(i, e->dependances);
  if (readers)
    for (long r : *readers)
      if (r < nb_bdd_vars) users[i].insert(r);
  nb_level = std::max(nb_level, std::max(e->early_date, late_dates[i]));
}

void Bddexpressionwood::add_id(long i) {
  exp_ids.insert(i);
  ordered_valid = false;
}

void Bddexpressionwood::drop_id(long i) {
  exp_ids.erase(i);
  ordered_valid = false;
}

void Bddexpressionwood::update_bdd_vars() {
  long m = manager->nbr_variables();
  if (nb_bdd_vars >= m) return;
  if (length < m) {
    length = length_for(m, "Bddexpressionwood", max_length);
    exp_table.resize(length, nullptr);
    users.resize(length);
    late_dates.resize(length, 0);
    for (long i : exp_ids) exp_table[i]->internal_build_dependances();
  }
  for (long i = nb_bdd_vars; i < m; ++i) {
    exp_table[i] = nullptr;
    users[i].clear();
    late_dates[i] = 0;
  }
  nb_bdd_vars = m;
}

// Loop breaking names its variables after the equation and the cut input;
// a user's name, or an earlier cut, may already hold that name, and the
// engine would then hand back the existing variable.
bdd Bddexpressionwood::New_var_last(std::string const& name) {
  std::string fresh = name;
  for (long k = 1; manager->Index_var_by_name(fresh) >= 0; ++k)
    fresh = name + "_" + std::to_string(k);
  bdd v = manager->New_var_last(fresh);
  update_bdd_vars();
  return v;
}

Bddexpression* Bddexpressionwood::exp(int i) {
  if (i < 0 || i >= exp_number()) {
    std::cerr << "ERROR in Bddexpressionwood::exp(): " << i << " bad number ..." << std::endl
              << "possible: " << exp_ids << std::endl;
    return nullptr;
  }
  if (!ordered_valid) {
    ordered_ids.assign(exp_ids.begin(), exp_ids.end());
    ordered_valid = true;
  }
  return exp_table[ordered_ids[i]];
}

Bddexpression* Bddexpressionwood::exp_by_index(long i) {
  if (in_range(i)) return exp_table[i];
  std::cerr << "ERROR in Bddexpressionwood::exp_by_index : id `" << i << "' not found!"
            << std::endl;
  return nullptr;
}

Bddexpression* Bddexpressionwood::exp_by_name(std::string const& name) {
  for (long i = 0; i < nb_bdd_vars; ++i)
    if (exp_table[i] && exp_table[i]->name == name) return exp_table[i];
  std::cerr << "ERROR in Bddexpressionwood::exp_by_name : `" << name << "' not found!" << std::endl;
  return nullptr;
}

std::set<long> const& Bddexpressionwood::Users(long i) const {
  static const std::set<long> none;
  return in_range(i) ? users[i] : none;
}

long Bddexpressionwood::Late_date(long i) const { return in_range(i) ? late_dates[i] : 0; }

void Bddexpressionwood::set_late_date(long i, long d) {
  if (in_range(i)) late_dates[i] = d;
}
