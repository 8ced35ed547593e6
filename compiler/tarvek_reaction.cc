// The record of one reaction and the queue of the contexts of one reaction
// still to be finished.
#include <iostream>

#include "listpp.h"
#include "tarvek_compil.h"

trans_instantanee::trans_instantanee() : actions(nullptr), fichier(nullptr) {}

trans_instantanee::trans_instantanee(std::set<int> i, std::set<int> j, bdd* a, bdd c,
                                     tpen_BDD_fichier* f)
    : initiale(i), finale(j), actions(nullptr), fichier(f) {
  if (!f) return;
  cond = c;
  actions = new bdd[f->nbr_outputs()];
  for (int o = 0; o < f->nbr_outputs(); ++o) actions[o] = a[o];
}

trans_instantanee::trans_instantanee(int i, int j, bdd*, bdd c, tpen_BDD_fichier* f)
    : initiale{i}, finale{j}, actions(nullptr), fichier(f) {
  std::cerr << " A NE PLUS UTILISER ! " << std::endl;
  if (f) cond = c;
}

trans_instantanee::trans_instantanee(const trans_instantanee& r)
    : initiale(r.initiale), finale(r.finale), actions(nullptr), cond(r.cond), fichier(r.fichier) {
  if (!fichier || !r.actions) return;
  actions = new bdd[fichier->nbr_outputs()];
  for (int o = 0; o < fichier->nbr_outputs(); ++o) actions[o] = r.actions[o];
}

trans_instantanee& trans_instantanee::operator=(const trans_instantanee& r) {
  if (this == &r) return *this;
  fichier = r.fichier;
  initiale = r.initiale;
  finale = r.finale;
  if (!fichier) {
    cond = bdd();
    std::cerr << "in ``trans_instantanee::operator='': bad initialisation" << std::endl;
    return *this;
  }
  cond = r.cond;
  if (!actions) actions = new bdd[fichier->nbr_outputs()];
  if (r.actions)
    for (int o = 0; o < fichier->nbr_outputs(); ++o) actions[o] = r.actions[o];
  return *this;
}

trans_instantanee::~trans_instantanee() { delete[] actions; }

bool operator!=(const trans_instantanee& a, const trans_instantanee& b) {
  return a.initiale != b.initiale || a.finale != b.finale || a.fichier != b.fichier;
}

std::ostream& operator<<(std::ostream& os, const trans_instantanee& r) {
  tpen_BDD_fichier& f = *r.fichier;
  os << "[ initial: " << r.initiale << ", final:" << r.finale
     << ", cond: " << f.bddtoString(r.cond, 0, "", "") << " cond actions : ";
  for (int o = 0; o < f.nbr_outputs(); ++o) {
    if (!r.actions || f.man()->Bdd_is_zero_tautologic(r.actions[o])) continue;
    os << "act: " << o << "--> bdd: " << f.bddtoString(r.actions[o], 0, "", "") << " ";
  }
  return os << "]" << std::endl;
}

void tpe_contexte::push(const std::set<int>& xi, const std::set<int>& Ecp,
                        const std::set<int>& Eca, const std::set<int>& Tcf,
                        const std::set<int>& Tcnf, const valuateur& v) {
  l_xi.push_back(xi);
  l_Ecp.push_back(Ecp);
  l_Eca.push_back(Eca);
  l_Tcf.push_back(Tcf);
  l_Tcnf.push_back(Tcnf);
  l_valuateurs.push_back(v);
}

void tpe_contexte::pop(std::set<int>& xi, std::set<int>& Ecp, std::set<int>& Eca,
                       std::set<int>& Tcf, std::set<int>& Tcnf, valuateur& v) {
  xi = l_xi.front();
  Ecp = l_Ecp.front();
  Eca = l_Eca.front();
  Tcf = l_Tcf.front();
  Tcnf = l_Tcnf.front();
  v = l_valuateurs.front();
  sup_number(l_xi, 1);
  sup_number(l_Ecp, 1);
  sup_number(l_Eca, 1);
  sup_number(l_Tcf, 1);
  sup_number(l_Tcnf, 1);
  l_valuateurs.pop_front();
}

bool tpe_contexte::empty() const { return l_xi.empty(); }
