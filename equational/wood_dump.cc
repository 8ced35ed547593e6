// The text dump of a forest for the log: its statistics with the equations
// of every level and both orders, then one line per variable.
#include <vector>

#include "Bddexpression.h"
#include "listpp.h"

static void put_indexes(std::ostream& os, std::vector<long> const& indexes) {
  for (long i : indexes) os << i << " ";
}

// The indexes of every level, gathered in one walk so that a long forest
// does not cost levels times variables.
static std::vector<std::vector<long>> by_level(std::set<long> const& ids, long nb_level,
                                               std::vector<long> const& dates) {
  std::vector<std::vector<long>> levels(nb_level + 1);
  for (long i : ids)
    if (dates[i] >= 0 && dates[i] <= nb_level) levels[dates[i]].push_back(i);
  return levels;
}

void Bddexpressionwood::stat(std::ostream& os) const {
  os << "wood Bddexpression statistics:" << std::endl;
  os << "  - adress: " << static_cast<void const*>(this) << std::endl;
  os << "  - bbd variables number of the bdd manager: " << manager->nbr_variables() << std::endl;
  os << "  - variables number used : " << nb_bdd_vars << std::endl;
  if (manager->nbr_variables() != nb_bdd_vars)
    os << "INTERNAL ERROR: bdd variables number doesn't corresponding !!!" << std::endl;
  os << "  - arrays's length  : " << length << std::endl;
  os << "  - expression ids set " << exp_ids << std::endl;
  os << "  - nb levels " << nb_level << std::endl;
  std::vector<long> early(length, 0);
  for (long i : exp_ids) early[i] = exp_table[i]->early_date;
  auto early_levels = by_level(exp_ids, nb_level, early);
  auto late_levels = by_level(exp_ids, nb_level, late_dates);
  for (long d = 0; d <= nb_level; ++d) {
    os << "      level: " << d << std::endl;
    os << "        early date: ";
    put_indexes(os, early_levels[d]);
    os << std::endl << "        late date: ";
    put_indexes(os, late_levels[d]);
    os << std::endl;
  }
  os << std::endl;
  std::list<long> earliest = earliest_sort(), latest = latest_sort();
  os << "   earliest date sorting:" << std::endl;
  put_indexes(os, {earliest.begin(), earliest.end()});
  os << std::endl << std::endl;
  os << "   latest date sorting:" << std::endl;
  put_indexes(os, {latest.begin(), latest.end()});
  os << std::endl << std::endl;
}

std::ostream& operator<<(std::ostream& os, Bddexpressionwood const& w) {
  w.stat(os);
  os << "Equations list:" << std::endl;
  for (long i = 0; i < w.nb_bdd_vars; ++i) {
    os << i << ": ";
    if (Bddexpression const* e = w.exp_table[i]) {
      long late = e->getBddVar().node() ? w.Late_date(w.manager->Bdd_if_index(e->getBddVar())) : 0;
      os << *e << " dates (" << e->getEarlyDate() << "," << late << ")"
         << " from vars " << e->getDependances();
    } else {
      os << w.manager->Name_var_by_index(i) << " = - dates (0," << w.late_dates[i] << ")";
    }
    os << "  to vars " << w.users[i] << std::endl;
  }
  return os;
}
