// The set-valued queries of a grafcet: all steps or transitions, the
// upstream and downstream sets of one element or of a set, the tilde sets of
// the search of reachable situations, and the outputs driven by steps.
#include <iostream>

#include "gt_norm.h"
#include "listpp.h"

static std::set<int> intervalle(int n) {
  std::set<int> r;
  for (int i = 0; i < n; ++i) r.insert(r.end(), i);
  return r;
}

std::set<int> tpen_fichier::ens_ident_etapes() { return intervalle(nombre_etapes); }
std::set<int> tpen_fichier::ens_ident_transitions() { return intervalle(nombre_transitions); }

static std::set<int> outputs_de_type(gt_declaration_variables const* table, int n,
                                     const char* type) {
  std::set<int> r;
  for (int i = 0; i < n; ++i)
    if (table[i].type_variable == type) r.insert(r.end(), i);
  return r;
}

std::set<int> tpen_fichier::ens_ident_outputs_cont() {
  return outputs_de_type(table_outputs, nombre_outputs, "bool");
}

std::set<int> tpen_fichier::ens_ident_outputs_impuls() {
  return outputs_de_type(table_outputs, nombre_outputs, "event");
}

std::set<std::string> tpen_fichier::ens_entrees(std::string type) {
  std::set<std::string> r;
  for (int i = 0; i < nombre_inputs; ++i)
    if (table_inputs[i].type_variable == type) r.insert(table_inputs[i].nom_variable);
  return r;
}

std::set<int> tpen_fichier::ens_var_internes() {
  return set_union(conditions_internes, evenements_internes);
}

// A position outside its table gets the model's diagnostic and an empty set
// rather than a read out of bounds. A grafcet without transitions answers
// every one of these with an empty set and no message.
static bool position_hors_table(const char* operation, int i, int n) {
  if (i >= 0 && i < n) return false;
  std::cerr << "PROBLEME DANS L'UTILISATION DE '" << operation << "()':" << std::endl;
  std::cerr << "IDENT " << i << " DEMANDE" << std::endl;
  return true;
}

// The upstream or downstream set of one step or transition, checked first.
template <typename R>
static std::set<int> voisins(R const* table, int n, int i, const char* operation,
                             std::set<int> R::*ensemble, int nombre_transitions) {
  if (nombre_transitions == 0 || position_hors_table(operation, i, n)) return {};
  return table[i].*ensemble;
}

std::set<int> tpen_fichier::ens_ident_pre_etape(int i) {
  return voisins(table_etapes, nombre_etapes, i, "ens_ident_pre_etape", &tpen_etape::pre,
                 nombre_transitions);
}

std::set<int> tpen_fichier::ens_ident_post_etape(int i) {
  return voisins(table_etapes, nombre_etapes, i, "ens_ident_post_etape", &tpen_etape::post,
                 nombre_transitions);
}

std::set<int> tpen_fichier::ens_ident_pre_transition(int t) {
  return voisins(table_transitions, nombre_transitions, t, "ens_ident_pre_transition",
                 &tpen_transition::pre, nombre_transitions);
}

std::set<int> tpen_fichier::ens_ident_post_transition(int t) {
  return voisins(table_transitions, nombre_transitions, t, "ens_ident_post_transition",
                 &tpen_transition::post, nombre_transitions);
}

std::set<int> tpen_fichier::ens_ident_post_pre_transitions(int t) {
  if (nombre_transitions == 0 ||
      position_hors_table("ens_ident_post_pre_transitions", t, nombre_transitions))
    return {};
  std::set<int> r;
  for (int s : table_transitions[t].pre) r.insert(table_etapes[s].post.begin(), table_etapes[s].post.end());
  return r;
}

static std::set<int> outputs_qualifies(tpen_etape const& e, int qualificatif) {
  std::set<int> r;
  for (auto const& a : e.actions)
    if (a.qualificatif == qualificatif) r.insert(a.ident_output);
  return r;
}

std::set<int> tpen_fichier::ens_ident_outputs_cont_etape(int i) {
  return etape_valide(i) ? outputs_qualifies(table_etapes[i], 1) : std::set<int>();
}

std::set<int> tpen_fichier::ens_ident_outputs_impuls_etape(int i) {
  return etape_valide(i) ? outputs_qualifies(table_etapes[i], 4) : std::set<int>();
}

// The union of one per-element query over a set of positions, grown in
// place: a new union per element would copy it each time.
template <typename F>
static std::set<int> union_sur(std::set<int> const& ens, F requete) {
  std::set<int> r;
  for (int x : ens) {
    std::set<int> q = requete(x);
    r.insert(q.begin(), q.end());
  }
  return r;
}

std::set<int> tpen_fichier::ens_ident_pre_ens_etapes(std::set<int> etapes) {
  return union_sur(etapes, [this](int s) { return ens_ident_pre_etape(s); });
}

std::set<int> tpen_fichier::ens_ident_post_ens_etapes(std::set<int> etapes) {
  return union_sur(etapes, [this](int s) { return ens_ident_post_etape(s); });
}

std::set<int> tpen_fichier::ens_ident_outputs_cont_ens_etapes(std::set<int> etapes) {
  return union_sur(etapes, [this](int s) { return ens_ident_outputs_cont_etape(s); });
}

std::set<int> tpen_fichier::ens_ident_pre_ens_transitions(std::set<int> transitions) {
  return union_sur(transitions, [this](int t) { return ens_ident_pre_transition(t); });
}

std::set<int> tpen_fichier::ens_ident_post_ens_transitions(std::set<int> transitions) {
  return union_sur(transitions, [this](int t) { return ens_ident_post_transition(t); });
}

// The steps none of whose downstream transitions lies outside the given set:
// all steps less the upstream steps of the other transitions.
std::set<int> tpen_fichier::ens_ident_pre_tilde_ens_transitions(std::set<int> transitions) {
  std::set<int> autres = set_priv(ens_ident_transitions(), transitions);
  return set_priv(ens_ident_etapes(), ens_ident_pre_ens_transitions(autres));
}

std::set<int> tpen_fichier::ens_ident_post_tilde_ens_transitions(std::set<int> transitions) {
  std::set<int> autres = set_priv(ens_ident_transitions(), transitions);
  return set_priv(ens_ident_etapes(), ens_ident_post_ens_transitions(autres));
}
