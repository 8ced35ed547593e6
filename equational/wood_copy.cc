// Forests made otherwise than over a given manager: over a manager of their
// own, and deep copies, which working copies of the simulation and the case
// splits are made of.
#include <algorithm>
#include <iostream>
#include <utility>

#include "Bddexpression.h"

Bddexpressionwood::Bddexpressionwood() : Bddexpressionwood(new bddpp_manager) {}

Bddexpressionwood::Bddexpressionwood(Bddexpressionwood const* source)
    : Bddexpressionwood(new bddpp_manager) {
  if (source) {
    // The empty forest just made goes with its manager.
    delete manager;
    copy_from(*source);
  }
}

Bddexpressionwood::Bddexpressionwood(Bddexpressionwood const& source)
    : Bddexpressionwood(&source) {}

// The source's tables may lag behind its manager: the copy covers every
// variable of its manager and reads the source only below the source's own
// count.
void Bddexpressionwood::copy_from(Bddexpressionwood const& source) {
  common_bdd_manager = source.common_bdd_manager;
  nb_level = source.nb_level;
  manager = common_bdd_manager ? source.manager : new bddpp_manager(source.manager);
  exp_ids = source.exp_ids;
  ordered_valid = false;
  nb_bdd_vars = manager->nbr_variables();
  length = length_for(std::max(source.length, nb_bdd_vars), "Bddexpression", 1L << 28);
  exp_table.assign(length, nullptr);
  users.assign(length, std::set<long>());
  late_dates.assign(length, 0);
  long known = std::min(nb_bdd_vars, source.nb_bdd_vars);
  for (long i = 0; i < known; ++i) {
    if (Bddexpression const* e = source.exp_table[i]) exp_table[i] = new Bddexpression(this, *e);
    users[i] = source.users[i];
    late_dates[i] = source.late_dates[i];
  }
}

void Bddexpressionwood::swap_content(Bddexpressionwood& other) {
  std::swap(common_bdd_manager, other.common_bdd_manager);
  std::swap(manager, other.manager);
  std::swap(exp_ids, other.exp_ids);
  std::swap(nb_bdd_vars, other.nb_bdd_vars);
  std::swap(length, other.length);
  std::swap(exp_table, other.exp_table);
  std::swap(users, other.users);
  std::swap(late_dates, other.late_dates);
  std::swap(nb_level, other.nb_level);
  std::swap(ordered_ids, other.ordered_ids);
  std::swap(ordered_valid, other.ordered_valid);
  for (Bddexpressionwood* w : {this, &other})
    for (long i : w->exp_ids)
      if (w->exp_table[i]) w->exp_table[i]->wood = w;
}

// A forest that owned the manager its new content shares goes on owning
// it: the old content must not take it away.
Bddexpressionwood& Bddexpressionwood::operator=(Bddexpressionwood const& source) {
  Bddexpressionwood copy(source);
  swap_content(copy);
  if (copy.manager == manager && copy.common_bdd_manager == 0) {
    copy.common_bdd_manager = 1;
    common_bdd_manager = 0;
  }
  return *this;
}

std::string Bddexpressionwood::Bddname_exp_by_index(long i) {
  if (!in_range(i)) {
    std::cerr << "ERROR: in Bddexpressionwood::Bddname_exp_by_index(): id " << i << " not found!"
              << std::endl;
    return "";
  }
  return exp_table[i] ? exp_table[i]->my_bddname() : "";
}
