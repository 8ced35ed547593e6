// The reaction of one situation under fully known inputs, and the
// translations of an input valuation into a cube of the encoding and into
// positions of the automaton's inputs.
#include "tarvek_explicite.h"

#include <iostream>

#include "listpp.h"
#include "tarvek_ensembles.h"

namespace {

class point_fixe_explicite {
 public:
  point_fixe_explicite(tpen_BDD_fichier& f, const std::set<int>& depart, bool explain,
                       std::ostream& log)
      : f(f), log(log), P(explain), depart(depart), V(f) {}

  void pre_iteration(const std::set<int>& Ecp0, const std::set<int>& vraies);
  // The transitions fired twice, empty when the reaction came to rest.
  std::set<int> itere();
  int conclut(std::set<int>* finale, std::set<int>* impulsions, std::set<int>* bad);

 private:
  void trace_transitions(const std::set<int>& T) {
    if (!P) return;
    log << T;
    affiche_ens_num_grafcet_trans(log, f, T) << std::endl;
  }
  void trace_evenements(const std::set<int>& E) {
    log << E << std::endl;
    affiche_ens_nom_event(log, f, E) << std::endl;
  }
  void calcule_Tpf_Tk() {
    Tpf = cree_Tpf(f, depart, Ecp, V);
    trace_transitions(Tpf);
    Tk = cree_Tk(f, Tpf, Tcf, Tcnf, Ecp, Eca);
    trace_transitions(Tk);
  }
  void iteration();
  std::set<int> impulsions_emises();

  tpen_BDD_fichier& f;
  std::ostream& log;
  const bool P;
  const std::set<int> depart;
  std::set<int> xi, Ecp, Eca, Tcf, Tcnf, Tpf, Tk, delta_Ecp, delta_Eca;
  valuateur V;
  int k = 0;
};

// Every input is decided here: the present events join Ecp, the absent
// ones Eca, and each input variable gets its value in the valuation.
void point_fixe_explicite::pre_iteration(const std::set<int>& Ecp0, const std::set<int>& vraies) {
  if (P) log << "pre-iteration " << std::endl;
  xi = depart;
  std::set<int> evenements = f.ens_evenements_externes();
  std::set<int> presents = set_inter(vraies, evenements);
  Ecp = set_union(Ecp0, presents);
  pec_etapes_initiales(V, f, depart);
  Eca = set_priv(evenements, presents);
  pec_cond_vrai(V, Ecp0);
  pec_cond_faux(V, Eca);
  pec_cond_vrai(V, vraies);
  pec_cond_faux(V, set_priv(f.ens_conditions_externes(), vraies));
  if (P) {
    log << xi << std::endl;
    affiche_ens_nom_etapes(log, f, xi) << std::endl;
    trace_evenements(Ecp);
    trace_evenements(Eca);
    log << Tcf << std::endl;
  }
  Tcnf = cree_Tcnf(f, depart, Eca, V);
  trace_transitions(Tcnf);
  calcule_Tpf_Tk();
}

void point_fixe_explicite::iteration() {
  ++k;
  xi = set_union(set_priv(xi, f.ens_ident_pre_ens_transitions(Tk)),
                 f.ens_ident_post_ens_transitions(Tk));
  if (P) {
    log << "conclusion: " << xi;
    affiche_ens_nom_etapes(log, f, xi) << std::endl << std::endl;
    log << "iteration " << k << std::endl;
  }
  Tcf = set_union(Tcf, Tk);
  trace_transitions(Tcf);
  apprend_evenements(f, depart, Tpf, V, Ecp, Eca, Tcnf, delta_Ecp, delta_Eca);
  trace_transitions(Tcnf);
  if (P) {
    log << "Ecp= ";
    trace_evenements(Ecp);
    trace_evenements(Eca);
  }
  calcule_Tpf_Tk();
}

// Ends: every iteration either fires transitions not fired before or
// learns events, and both are finite.
std::set<int> point_fixe_explicite::itere() {
  for (;;) {
    iteration();
    std::set<int> deux_fois = set_inter(Tk, Tcf);
    if (!deux_fois.empty()) return deux_fois;
    if (Tk.empty() && delta_Eca.empty() && delta_Ecp.empty()) return {};
  }
}

// The impulse actions of the steps activated in the reaction, whatever
// their conditions: with every input known there is nothing to condition.
std::set<int> point_fixe_explicite::impulsions_emises() {
  std::set<int> r;
  for (int s : f.ens_ident_etapes())
    if (Ecp.count(f.ident_garde_RE_etape(s))) r = set_union(r, f.ens_ident_outputs_impuls_etape(s));
  return r;
}

int point_fixe_explicite::conclut(std::set<int>* finale, std::set<int>* impulsions,
                                  std::set<int>* bad) {
  std::set<int> toutes = f.ens_ident_transitions();
  std::set<int> decidees = set_union(Tcf, Tcnf);
  if (decidees == toutes) {
    *finale = xi;
    *impulsions = impulsions_emises();
    if (explain_mode) log << "ACT IMP: " << *impulsions << std::endl;
    return 0;
  }
  *bad = set_priv(toutes, decidees);
  if (P) {
    log << "NON PARTITION sur les ensembles Tcnf et Tcf" << std::endl;
    trace_transitions(Tcnf);
    trace_transitions(Tcf);
  }
  return 2;
}

}  // namespace

int PFI(tpen_BDD_fichier& f, std::set<int>& depart, std::set<int>& Ecp0, std::set<int>& vraies,
        std::set<int>* finale, std::set<int>* impulsions, std::set<int>* bad, bool explain,
        std::ostream& log) {
  point_fixe_explicite calcul(f, depart, explain, log);
  calcul.pre_iteration(Ecp0, vraies);
  std::set<int> deux_fois = calcul.itere();
  if (!deux_fois.empty()) {
    *bad = deux_fois;
    return 1;
  }
  return calcul.conclut(finale, impulsions, bad);
}

bdd inputversbdd(tpen_BDD_fichier& f, std::set<int>& Kc, std::set<int>& Ke, std::set<int>& Kt,
                 std::set<int>& Kp) {
  bddpp_manager* m = f.man();
  bdd r;
  auto ajoute = [&](int v, bool vrai) {
    bdd l = vrai ? f.bdd_variable(v) : m->Bdd_not(f.bdd_variable(v));
    r = r.node() ? m->Bdd_and(r, l) : l;
  };
  for (int v : Ke) ajoute(v, Kp.count(v) != 0);
  for (int v : Kc) ajoute(v, Kt.count(v) != 0);
  return r.node() ? r : m->Bdd_one();
}

// A negative index has no entry in any map: it is reported like a
// variable without input.
std::set<int> correspondance_FBA_input(int* map, std::set<int> variables) {
  std::set<int> r;
  for (int v : variables) {
    if (v < 0 || map[v] == -1) {
      std::cerr << "In correspondance_FBA_input(): ident cond non associe a " << v << std::endl;
      continue;
    }
    r.insert(map[v]);
  }
  return r;
}
