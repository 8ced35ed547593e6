// Equation listings: one equation as a Lustre-style line (the comments of
// the LEC listings), in array form (every variable an element of one array
// indexed by variable index), and as a decision tree.
#include "Bddexpression.h"
#include "ecrivains.h"

void Bddexpression::put_lustre_compatibilite(std::ostream& os, int method) const {
  if (!equation_ecrivable(*this)) return;
  bddpp_manager& m = *wood->Manager();
  os << "  " << m.Name_var_by_bdd(var) << "= ";
  m.Print_sop(" or ", " and ", "not ", "", os, exp, method);
  os << ";";
}

void Bddexpression::put_cat(std::ostream& os, std::string const& array, int method) const {
  if (!equation_ecrivable(*this)) return;
  bddpp_manager& m = *wood->Manager();
  os << "   " << array << "[" << m.Index_var_by_bdd(var) << "]= ";
  m.Print_cat_sop(" || ", " && ", "!", "", os, exp, array, method);
  os << ";";
}

void Bddexpressionwood::Put_cat(std::ostream& os, std::string const& array, int method) const {
  for (long i : earliest_sort()) {
    exp_table[i]->put_cat(os, array, method);
    os << std::endl;
  }
}

void Bddexpression::put_tree(std::ostream& os) const {
  if (!equation_ecrivable(*this)) return;
  bddpp_manager& m = *wood->Manager();
  os << m.Name_var_by_bdd(var) << "=" << std::endl;
  m.Print_bdd_structure(os, exp);
}
