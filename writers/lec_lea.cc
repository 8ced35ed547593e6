// The LEC and LEA listings of the equation forest, for an external
// compilation chain that knows every variable by a number of the caller's
// numbering. LEC: each kept equation with its dates and its function, as a
// cover (format 0.3.0) or as a reference into one shared list of nodes
// (2.0.4 and the current format). LEA: per variable, the variables it
// depends on and those that depend on it, with the critical paths.
#include <functional>

#include "Bddexpression.h"
#include "ecrivains.h"
#include "listpp.h"

namespace {

using ecrit_equation = std::function<void(const Bddexpression&)>;

// For every equation of the forest in index order: its comment when asked
// and its record, or only the comment for an equation left out.
void liste_lec(std::ostream& os, const std::set<long>& ids,
               const std::vector<Bddexpression*>& equations, const long* numbers, int comments,
               const ecrit_equation& commentaire, const ecrit_equation& record) {
  for (long i : ids) {
    const Bddexpression& e = *equations[i];
    if (numbers[i] != -1) {
      if (comments) {
        os << "// expression " << i << ":";
        commentaire(e);
        os << std::endl;
      }
      record(e);
      os << std::endl;
    } else if (comments) {
      os << "// no generate expression about:" << i << ":";
      commentaire(e);
      os << std::endl << std::endl;
    }
  }
}

}  // namespace

void Bddexpression::put_lec_0_3_0(std::ostream& os, long* numbers, int method) const {
  if (!equation_ecrivable(*this)) return;
  os << early_date << " " << getLateDate() << std::endl;
  wood->Manager()->LEC_print(os, numbers, var, exp, method);
}

void Bddexpression::put_lec_2_0_4(std::ostream& os, long* numbers) const {
  if (!wood || !wood->Manager() || bdd_vide(var) || index_var() < 0) return;
  os << early_date << " " << getLateDate() << " " << numbers[index_var()] << ":";
  if (!bdd_vide(exp))
    os << exp.node()->print_id << "," << exp.link_type();
  else
    os << "-3"
       << ","
       << "-3";
}

void Bddexpression::put_lec(std::ostream& os, long* numbers) const {
  if (!wood || !wood->Manager() || bdd_vide(var) || index_var() < 0) return;
  put_lec_2_0_4(os, numbers);
  os << ","
     << "(";
  for (long d : dependances) os << numbers[d] << " ";
  os << ")";
}

void Bddexpressionwood::Put_lec_0_3_0(std::ostream& os, long* numbers, int method,
                                      int comments) const {
  if (!manager) return;
  liste_lec(
      os, exp_ids, exp_table, numbers, comments,
      [&](const Bddexpression& e) { e.put_lustre_compatibilite(os, method); },
      [&](const Bddexpression& e) { e.put_lec_0_3_0(os, numbers, method); });
}

// The right members of the kept equations share one numbered list of nodes,
// which gives every node the print number that the records refer to.
void Bddexpressionwood::liste_noeuds_lec(std::ostream& os, long* numbers) const {
  std::list<bdd> racines;
  for (long i : exp_ids) {
    const bdd& f = exp_table[i]->exp;
    if (numbers[i] != -1 && !bdd_vide(f)) racines.push_back(f);
  }
  manager->Print_bdds_list_by_nodes_list(os, racines, numbers);
}

void Bddexpressionwood::Put_lec_2_0_4(std::ostream& os, long* numbers, int comments) const {
  if (!manager) return;
  liste_noeuds_lec(os, numbers);
  os << "expressions:" << std::endl;
  liste_lec(
      os, exp_ids, exp_table, numbers, comments,
      [&](const Bddexpression& e) { e.put_lustre_compatibilite(os, 1); },
      [&](const Bddexpression& e) { e.put_lec_2_0_4(os, numbers); });
}

void Bddexpressionwood::Put_lec(std::ostream& os, long* numbers, int comments) const {
  if (!manager) return;
  liste_noeuds_lec(os, numbers);
  os << "expressions:" << std::endl;
  liste_lec(
      os, exp_ids, exp_table, numbers, comments,
      [&](const Bddexpression& e) { e.put_doc(os, "node"); },
      [&](const Bddexpression& e) { e.put_lec(os, numbers); });
}

// The dependences of i, upwards or downwards, among the variables of
// interest that the numbering keeps, in the numbering.
std::set<long> Bddexpressionwood::dependances_lea(long i, bool bas, long* numbers,
                                                  std::set<long> const& interest) {
  std::set<long> retenues;
  for (long v : bas ? down_dependances(i, 0, {}) : up_dependances(i, 0, {}))
    if (interest.count(v) && numbers[v] >= 0) retenues.insert(v);
  return set_reencoding(retenues, numbers);
}

// A variable the numbering leaves out has no line at all.
void Bddexpressionwood::ligne_lea(std::ostream& os, long i, long* numbers,
                                  std::set<long> const& interest, std::string const* stem) {
  if (numbers[i] < 0) return;
  std::set<long> bas = dependances_lea(i, true, numbers, interest);
  std::set<long> haut = dependances_lea(i, false, numbers, interest);
  os << numbers[i] << " : " << haut << ":" << up_critical_path(i, 0, 0) << ", " << bas << ":"
     << down_critical_path(i, 0, 0);
  if (stem)
    os << "[\"" << *stem << ".lec:" << numbers[i] << "\"]";
  else if (exp_table[i] && !exp_table[i]->expdef.empty())
    os << "[\"" << exp_table[i]->expdef << "\"]";
  os << ";" << std::endl;
}

void Bddexpressionwood::Put_lea(std::ostream& os, long* numbers, std::set<long> const& interest,
                                int) {
  for (long i = 0; i < nb_bdd_vars; ++i) ligne_lea(os, i, numbers, interest, nullptr);
}

void Bddexpressionwood::Put_lea(std::ostream& os, long* numbers, std::set<long> const& interest,
                                int, std::string const& stem) {
  for (long i = 0; i < nb_bdd_vars; ++i) ligne_lea(os, i, numbers, interest, &stem);
}
