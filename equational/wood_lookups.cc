// The further look-ups of the forest by name, by variable and by index, the
// negation of one right member, and two helpers of the date tables.
#include <algorithm>
#include <iostream>

#include "Bddexpression.h"

void Bddexpressionwood::append_not_expression(long i) {
  if (in_range(i) && exp_table[i]) exp_table[i]->append_not_exp();
}

Bddexpression* Bddexpressionwood::exp_by_bddname(std::string const& name) {
  long i = manager->Index_var_by_name(name);
  if (in_range(i)) return exp_table[i];
  std::cerr << "ERROR in Bddexpressionwood::exp_by_bddname : `" << name << "' not found!"
            << std::endl;
  return nullptr;
}

Bddexpression* Bddexpressionwood::exp_by_bdd(bdd const& b) {
  long i = manager->Index_var_by_bdd(b);
  if (in_range(i)) return exp_table[i];
  std::cerr << "ERROR in Bddexpressionwood::exp_by_bdd : bdd not found!" << std::endl;
  return nullptr;
}

std::string Bddexpressionwood::Bddname_exp_by_bdd(bdd const& b) {
  return manager->Name_var_by_bdd(b);
}

long Bddexpressionwood::Index_exp_by_name(std::string const& name) {
  for (long i = 0; i < nb_bdd_vars; ++i)
    if (exp_table[i] && exp_table[i]->name == name) return i;
  std::cerr << "ERROR in Bddexpressionwood::Index_exp_by_name : `" << name << "' not found!"
            << std::endl;
  return -1;
}

// A variable without equation has no equation name: the empty string.
std::string Bddexpressionwood::Name_exp_by_index(long i) {
  if (!in_range(i)) {
    std::cerr << "ERROR: in Bddexpressionwood::Name_exp_by_index(): index " << i << " not found!"
              << std::endl;
    return "";
  }
  return exp_table[i] ? exp_table[i]->name : "";
}

std::string Bddexpressionwood::Name_exp_by_bdd(bdd const& b) {
  long i = manager->Index_var_by_bdd(b);
  if (!in_range(i)) {
    std::cerr << "ERROR: in Bddexpressionwood::Name_exp_by_bdd(): bdd not found!" << std::endl;
    return "";
  }
  return exp_table[i] ? exp_table[i]->name : "";
}

long Bddexpressionwood::Index_new_var_last(std::string const& name) {
  return manager->Bdd_if_index(New_var_last(name));
}

void Bddexpressionwood::delete_prefixe_names(std::string const&) {
  std::cerr << "a faire" << std::endl;
}

void affiche_level(long n, bddpp_manager* m, long* levels) {
  for (long i = 0; i < n; ++i) std::cout << m->Name_var_by_index(i) << ":" << levels[i] << " ";
  std::cout << std::endl;
}

long normalise_min_min(long n, long* a, long* b) {
  if (n < 1) return 0;
  long largest = 0;
  for (long* t : {a, b}) {
    long low = *std::min_element(t, t + n);
    for (long i = 0; i < n; ++i) largest = std::max(largest, t[i] -= low);
  }
  return largest;
}
