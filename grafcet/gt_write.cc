// Writing a grafcet back as a .gt file, whole or a chosen part of it. The
// layout is that of the hand-written files; the reader only needs the
// keywords and separators.
#include <fstream>
#include <iostream>
#include <vector>

#include "gt_norm.h"

std::ostream& gt_declaration_variables::put_gt(std::ostream& os) const {
  return os << "\"" << nom_variable << "\": " << type_variable;
}

std::ostream& tpen_action::put_gt(std::ostream& os, tpen_fichier&) const {
  return os << ident_output << " \"" << convert_qualificatif() << "\" : \"" << condition << "\"";
}

void tpen_etape::put_gt(std::ostream& os, tpen_fichier& g) const {
  os << convert_type() << ": " << nom << " " << x << " " << y << " ";
  if (actions.empty()) return;
  os << std::endl << "Action:" << std::endl;
  for (auto const& a : actions) a.put_gt(os, g) << std::endl;
  os << "EndAction:";
}

// "FR: " or "TO: " and the positions between brackets, when there are any.
static void ecrit_liste(std::ostream& os, const char* mot, std::set<int> const& s) {
  os << mot;
  if (s.empty()) return;
  const char* sep = "(";
  for (int p : s) {
    os << sep << p;
    sep = ",";
  }
  os << ") ";
}

static std::ostream& ecrit_transition(std::ostream& os, tpen_transition const& t,
                                      std::set<int> const& pre, std::set<int> const& post) {
  os << t.num << " " << t.x << " " << t.y << " ";
  ecrit_liste(os, "FR: ", pre);
  ecrit_liste(os, "TO: ", post);
  return os << " : \"" << t.receptivite << "\"";
}

std::ostream& tpen_transition::put_gt(std::ostream& os, tpen_fichier&) const {
  return ecrit_transition(os, *this, pre, post);
}

int tpen_transition::renum_conserv_step(int p, int n, int const* masque) {
  if (p >= n) {
    std::cerr << "internal error in ``tpen_transition::renum_conserv_step()''" << std::endl
              << "ident out of range ! " << std::endl;
    return p;
  }
  if (p <= 0) return 0;
  int r = 0;
  for (int k = 0; k < p; ++k)
    if (masque[k] == 1) ++r;
  return r;
}

// A step left out of the selection is no step of the written file: counting
// would give its place to the next selected step, and connect the transition
// to a step it never touched. Such references are dropped.
static std::set<int> renumerote(std::set<int> const& s, int n, int const* masque) {
  std::set<int> r;
  for (int p : s) {
    if (p < 0 || (p < n && masque[p] != 1)) continue;
    r.insert(tpen_transition::renum_conserv_step(p, n, masque));
  }
  return r;
}

std::ostream& tpen_transition::put_gt_with_supp_steps(std::ostream& os, int const* masque,
                                                      tpen_fichier& g) const {
  int n = g.nbr_etapes();
  return ecrit_transition(os, *this, renumerote(pre, n, masque), renumerote(post, n, masque));
}

std::ostream& tpe_graphique::put_gt(std::ostream& os) const {
  os << "Line: ";
  for (long c : coords) os << c << " ";
  return os << "EndLine:";
}

std::ostream& lien_graphique_elem::put_gt(std::ostream& os) const {
  os << (type != 0 ? "IdentT: " : "IdentS: ") << ident << " ";
  return line.put_gt(os);
}

std::ostream& lien_graphique::put_gt(std::ostream& os) const {
  os << "BeginLink: " << (convergence == 1 ? "Conv:" : "Div:") << std::endl;
  for (auto const& b : sousliens) b.put_gt(os) << std::endl;
  return os << "EndLink:";
}

static void ecrit_declarations(std::ostream& os, const char* debut, const char* fin,
                               gt_declaration_variables const* table, int n) {
  os << debut << std::endl;
  for (int i = 0; i < n; ++i) table[i].put_gt(os) << std::endl;
  os << fin << std::endl << std::endl;
}

void tpen_fichier::put_gt(std::string const& fichier, std::string const& module,
                          std::set<int> etapes, std::set<int> transitions) {
  std::ofstream os(fichier, std::ios::out | std::ios::trunc);
  os << "Name: " << module << std::endl << std::endl;
  ecrit_declarations(os, "Input:", "EndInput:", table_inputs, nombre_inputs);
  ecrit_declarations(os, "Output:", "EndOutput:", table_outputs, nombre_outputs);
  os << "Step:" << std::endl;
  for (int i = 0; i < nombre_etapes; ++i)
    if (etapes.count(i)) {
      table_etapes[i].put_gt(os, *this);
      os << std::endl;
    }
  os << "EndStep:" << std::endl << std::endl;
  os << "Transition:" << std::endl;
  if (nombre_etapes > 0) {
    std::vector<int> masque(nombre_etapes);
    for (int i = 0; i < nombre_etapes; ++i) masque[i] = etapes.count(i) ? 1 : 0;
    bool premiere = true;
    for (int k = 0; k < nombre_transitions; ++k) {
      if (!transitions.count(k)) continue;
      if (!premiere) os << "," << std::endl;
      premiere = false;
      table_transitions[k].put_gt_with_supp_steps(os, masque.data(), *this);
    }
  }
  os << std::endl << "EndTransition:" << std::endl << std::endl;
  os << "Link:" << std::endl;
  for (int i = 0; i < nombre_liens; ++i) table_liens[i].put_gt(os) << std::endl;
  os << "EndLinkTable:" << std::endl << std::endl;
  os << "Assertion:" << std::endl;
  for (int i = 0; i < nombre_assertions; ++i) {
    if (i) os << "," << std::endl;
    os << "\"" << table_assertions[i] << "\"";
  }
  if (nombre_assertions > 0) os << std::endl;
  os << "EndAssertion:  " << std::endl << std::endl;
}
