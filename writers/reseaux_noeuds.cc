// The node-network writers of the equation forest that no target file
// uses: Lustre over a node array or over one variable per node, C over a
// node array without prefixes, a NuSMV-style listing, a BLIF model limited
// to the variables of a mask, and the table of the nodes they define.
// Each equation is the network of its right member's nodes (a node shared
// with an earlier equation is not written again), then the assignment of
// its variable from the root node.
#include "b_automaton.h"
#include "ecrivains.h"

namespace {

// The Lustre forms: a positive variable stands for itself; any other
// function is the root node of its network, "not" for a complemented handle.
void ecrit_lustre(std::ostream& os, const Bddexpression& e, const std::string& array,
                  bool arrayless) {
  if (!equation_ecrivable(e)) return;
  bddpp_manager& m = *e.getWood()->Manager();
  const bdd& f = e.getBddExp();
  std::string tete = "   " + m.Name_var_by_bdd(e.getBddVar());
  if (m.Bdd_is_var(f)) {
    os << tete << "= " << m.Name_var_by_bdd(f) << ";";
    return;
  }
  std::string id = std::to_string(f.node()->global_id);
  if (arrayless)
    m.Print_node_for_eval_arrayless(" or ", " and ", "not ", "", "", "", "false", ";", array, os,
                                    f.node());
  else
    m.Print_node_for_eval(" or ", " and ", "not ", "", "", "", "false", ";", array, os, f.node());
  os << tete << "= " << (f.link_type() == -1 ? "not " : "")
     << (arrayless ? array + "_" + id : array + "[" + id + "]") << ";";
}

}  // namespace

void Bddexpression::put_lustre(std::ostream& os, std::string const& array) const {
  ecrit_lustre(os, *this, array, false);
}

void Bddexpression::put_lustre_arrayless(std::ostream& os, std::string const& array) const {
  ecrit_lustre(os, *this, array, true);
}

// The C network of the C target with neither prefix nor suffix.
void Bddexpression::put_c(std::ostream& os, std::string const& array,
                          std::list<std::string> const& outputs) const {
  put_c(os, array, outputs, "", "");
}

// Unlike the other members, it writes what it can of an incomplete
// equation: "???" for a missing right member, "not defined!" for a missing
// variable.
void Bddexpression::put_doc(std::ostream& os, std::string const& array) const {
  if (!wood || !wood->Manager()) return;
  bddpp_manager& m = *wood->Manager();
  if (bdd_vide(var)) {
    os << "   not defined!";
    return;
  }
  std::string tete = "   " + m.Name_var_by_bdd(var);
  if (bdd_vide(exp)) {
    os << tete << "= ???";
  } else if (m.Bdd_is_tautology(exp)) {
    os << tete << (m.Bdd_is_one_tautologic(exp) ? "= true;" : "= false;");
  } else if (m.Bdd_is_var(exp)) {
    os << tete << "= " << m.Name_var_by_bdd(exp) << ";";
  } else {
    m.Print_node_for_eval_NUSMV("", "", "   ", array, os, exp.node());
    os << tete << (exp.link_type() == -1 ? "= !" : "= ") << array << "_" << exp.node()->global_id;
  }
}

void Bddexpression::Lustre_writing_node_used(int* used) const {
  if (!equation_ecrivable(*this) || wood->Manager()->Bdd_is_var(exp)) return;
  exp.node()->Lustre_writing_node_used(used);
}

void Bddexpressionwood::Put_lustre(std::ostream& os, std::string const& array) const {
  parcours_reseau(
      manager, earliest_sort(), [&](long i) { exp_table[i]->put_lustre(os, array); }, os);
}

void Bddexpressionwood::Put_lustre_arrayless(std::ostream& os, std::string const& array) const {
  parcours_reseau(
      manager, earliest_sort(), [&](long i) { exp_table[i]->put_lustre_arrayless(os, array); }, os);
}

void Bddexpressionwood::Put_doc(std::ostream& os, std::string const& array) const {
  parcours_reseau(
      manager, earliest_sort(), [&](long i) { exp_table[i]->put_doc(os, array); }, os);
}

void Bddexpressionwood::Put_c(std::ostream& os, std::string const& array,
                              std::list<std::string> const& outputs) const {
  Put_c(os, array, outputs, "", "");
}

void Bddexpressionwood::Lustre_writing_node_used(long count, int* used) const {
  for (long k = 0; k < count; ++k) used[k] = 0;
  if (!manager) return;
  manager->Bdd_global_clear_marks();
  for (long i : earliest_sort()) exp_table[i]->Lustre_writing_node_used(used);
}
