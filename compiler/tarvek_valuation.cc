// The three-valued valuation of one reaction.
#include "tarvek_valuation.h"

#include "tarvek_compil.h"

valuateur::valuateur(tpen_BDD_fichier& f)
    : fichier(&f),
      valeurs(nullptr),
      receptivites(nullptr),
      contraintes(f.man()->Bdd_one()),
      assertion(f.assertion_generale),
      nombre_valeurs(f.nombre_variables()),
      nombre_receptivites(static_cast<int>(f.ens_ident_transitions().size())) {
  valeurs = new int[nombre_valeurs];
  for (int i = 0; i < nombre_valeurs; ++i) valeurs[i] = 2;
  if (nombre_receptivites > 0) {
    receptivites = new bdd[nombre_receptivites];
    for (int t = 0; t < nombre_receptivites; ++t)
      receptivites[t] = f.bdd_receptivite_transition(t);
  }
  lu = f.lectures();
}

valuateur::valuateur(const valuateur& v) : valeurs(nullptr), receptivites(nullptr) {
  copie_depuis(v);
}

valuateur& valuateur::operator=(const valuateur& v) {
  if (this == &v) return *this;
  delete[] valeurs;
  delete[] receptivites;
  copie_depuis(v);
  return *this;
}

valuateur::~valuateur() {
  delete[] valeurs;
  delete[] receptivites;
}

void valuateur::copie_depuis(const valuateur& v) {
  fichier = v.fichier;
  nombre_valeurs = v.nombre_valeurs;
  nombre_receptivites = v.nombre_receptivites;
  valeurs = new int[nombre_valeurs];
  for (int i = 0; i < nombre_valeurs; ++i) valeurs[i] = 2;
  receptivites = nullptr;
  if (nombre_receptivites > 0) {
    receptivites = new bdd[nombre_receptivites];
    for (int t = 0; t < nombre_receptivites; ++t) receptivites[t] = v.receptivites[t];
  }
  contraintes = v.contraintes;
  assertion = v.assertion;
  lu = v.lu;
}

// Only the functions that depend on v are evaluated again: the others could
// not change. No function reads a variable fixed before (it was substituted
// then), so evaluating one under every value known so far comes down to its
// cofactor by v alone: the cofactors by the others would find every node as
// it is and create none.
void valuateur::fixe(int v, int valeur) {
  bddpp_manager* m = fichier->man();
  valeurs[v] = valeur;
  bdd x = m->Bdd_var_by_index(v);
  bdd litteral = valeur == 1 ? x : m->Bdd_not(x);
  auto evalue = [&](bdd& f) {
    if (m->Variable_awaited(f, v)) f = m->Bdd_cube_reduce(f, litteral);
  };
  if (v >= 0 && v < nombre_valeurs)
    for (int t : lu->lecteurs[v]) evalue(receptivites[t]);
  evalue(assertion);
}

void valuateur::vrai(int v) { fixe(v, 1); }
void valuateur::faux(int v) { fixe(v, 0); }

// An assertion that the context reduces to a cube fixes inputs outright,
// and the receptivities are reduced by it as well.
void valuateur::contraint_contexte(bdd c) {
  bddpp_manager* m = fichier->man();
  for (int t = 0; t < nombre_receptivites; ++t) receptivites[t] = m->Bdd_reduce(receptivites[t], c);
  contraintes = m->Bdd_and(contraintes, c);
  assertion = m->Bdd_reduce(assertion, c);
  if (!m->Bdd_is_cube(assertion)) return;
  for (int t = 0; t < nombre_receptivites; ++t)
    receptivites[t] = m->Bdd_reduce(receptivites[t], assertion);
}

int valuateur::cond(int t) const {
  bddpp_manager* m = fichier->man();
  if (m->Bdd_is_one_tautologic(receptivites[t])) return 0;
  if (m->Bdd_is_zero_tautologic(receptivites[t])) return 1;
  return 2;
}

int valuateur::garde(int) const { return 0; }

bdd valuateur::contraintes_evol() const { return contraintes; }

bdd valuateur::assertion_reduite() const { return assertion; }

// Quantifying a variable that the function does not read changes nothing
// and creates no node: only those it reads are quantified, in the same
// increasing order.
bdd valuateur::bdd_entrees(int t) const {
  bddpp_manager* m = fichier->man();
  bdd g = receptivites[t];
  for (long v : m->set_of_index_depend_on(g))
    if (v >= 0 && v < nombre_valeurs && lu->interne[v]) g = m->Bdd_exist(g, fichier->bdd_variable(v));
  return g;
}

void valuateur::put(std::ostream& os) const {
  bddpp_manager* m = fichier->man();
  os << " valuations " << std::endl;
  for (int t = 0; t < nombre_receptivites; ++t) {
    os << " transition: " << t << " (" << (fichier->transition_gardee(t) == 1 ? "GARDE" : "NON GARDE")
       << ",";
    if (m->Bdd_is_zero_tautologic(receptivites[t]))
      os << "FAUX";
    else if (m->Bdd_is_one_tautologic(receptivites[t]))
      os << "VRAI";
    else
      os << "INCONNU (" << fichier->bddtoString(receptivites[t], 0, "", "") << ")";
    os << ")" << std::endl;
  }
  os << "contraintes : " << fichier->bddtoString(contraintes, 0, "", "") << std::endl;
  os << "assertion : " << fichier->bddtoString(assertion, 0, "", "") << std::endl;
}

std::ostream& operator<<(std::ostream& os, const valuateur& v) {
  v.put(os);
  return os;
}
