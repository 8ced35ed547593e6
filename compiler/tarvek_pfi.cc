// The reactions of one situation: a fixed point over the transition sets,
// one context per class of input values, splitting a context on one input
// literal when the outcome depends on an input still undecided.
//
// The order of operations decides the reactions, the trace and the node
// counter of the manager: the half of a split where the literal holds is
// queued and studied later from the state reached so far, the current
// context goes on with the literal false; Tcnf is computed before Eca is
// updated; the iteration counter runs on across the contexts of one call.
#include <iostream>
#include <vector>

#include "listpp.h"
#include "tarvek_compil.h"
#include "tarvek_ensembles.h"

namespace {

enum issue_contexte { stable, cycle, exclu };

class point_fixe {
 public:
  point_fixe(tpen_BDD_fichier& f, const std::set<int>& depart, bool explain, std::ostream& log)
      : f(f), m(f.man()), log(log), P(explain), depart(depart), V(f), Q(m->Bdd_one()) {}

  void premier_contexte(const std::set<int>& Ecp0, const std::set<int>& Eca0);
  void depile();
  issue_contexte itere();
  int conclut(issue_contexte issue, std::list<trans_instantanee>* reactions, std::set<int>* bad);
  bool reste_des_contextes() const { return !file.empty(); }
  void termine() {
    if (P) log << "PFI_symbolique termine" << std::endl;
  }

 private:
  void calcule_Tpf_Tsf_Tk();
  void iteration_suivante();
  bool scinde(const bdd& X);
  bool apprendrait_encore();
  void trace_contexte(const char* titre, const valuateur& v);
  void trace_ensembles_decides();
  void trace_transitions(const char* nom, const std::set<int>& T) {
    log << nom << T;
    affiche_ens_num_grafcet_trans(log, f, T) << std::endl;
  }
  void trace_etapes(const std::set<int>& etapes) {
    log << "xi=" << etapes;
    affiche_ens_nom_etapes(log, f, etapes);
  }
  void trace_evenements(const char* nom, const std::set<int>& E) {
    log << nom << E;
    affiche_ens_nom_event(log, f, E);
  }
  std::string texte(const bdd& b) { return f.bddtoString(b, 0, "", ""); }

  tpen_BDD_fichier& f;
  bddpp_manager* m;
  std::ostream& log;
  const bool P;  // the trace asked by the caller; G lines follow explain_mode
  const std::set<int> depart;
  std::set<int> xi, Ecp, Eca, Tcf, Tcnf, Tpf, Tsf, Tk, delta_Ecp, delta_Eca;
  valuateur V;
  bdd Q;
  tpe_contexte file;
  int k = 0;
};

void point_fixe::premier_contexte(const std::set<int>& Ecp0, const std::set<int>& Eca0) {
  if (P) {
    log << "demarrage PFI SYMBOLIQUE" << std::endl << "pre-iteration " << std::endl;
    log << "contexte booleen= " << texte(Q) << std::endl;
    log << "assertion generale= " << texte(f.assertion_generale) << std::endl;
  }
  xi = depart;
  pec_etapes_initiales(V, f, depart);
  Ecp = Ecp0;
  Eca = Eca0;
  pec_cond_vrai(V, Ecp);
  pec_cond_faux(V, Eca);
  V.contraint_contexte(Q);
  if (P) {
    log << "premier contexte" << std::endl;
    V.put(log);
    log << "xi=" << xi << std::endl;
    affiche_ens_nom_etapes(log, f, xi) << std::endl;
    log << "Ecp=" << Ecp << std::endl;
    affiche_ens_nom_event(log, f, Ecp) << std::endl;
    log << "Eca=" << Eca << std::endl;
    affiche_ens_nom_event(log, f, Eca) << std::endl;
    log << "Tcf=" << Tcf << std::endl;
    V.put(log);
  }
  Tcnf = cree_Tcnf(f, depart, Eca, V);
  if (P) trace_transitions("Tcnf=", Tcnf);
  Tpf = cree_Tpf(f, depart, Ecp, V);
  if (P) trace_transitions("Tpf=", Tpf);
  file.push(xi, Ecp, Eca, Tcf, Tcnf, V);
}

void point_fixe::depile() {
  if (explain_mode) log << std::endl << "depilement d'un contexte" << std::endl;
  file.pop(xi, Ecp, Eca, Tcf, Tcnf, V);
  if (explain_mode) {
    trace_etapes(xi);
    log << std::endl;
    trace_evenements("Ecp=", Ecp);
    log << std::endl;
    trace_evenements("Eca=", Eca);
    log << std::endl;
    trace_transitions("Tcf=", Tcf);
    trace_transitions("Tcnf=", Tcnf);
    V.put(log);
    log << std::endl;
  }
  Q = V.contraintes_evol();
  calcule_Tpf_Tsf_Tk();
}

void point_fixe::calcule_Tpf_Tsf_Tk() {
  Tpf = cree_Tpf(f, depart, Ecp, V);
  Tsf = cree_Tsf(f, depart, xi, V);
  Tk = cree_Tk(f, Tsf, Tcf, Tcnf, Ecp, Eca);
  if (!P) return;
  trace_transitions("Tpf=", Tpf);
  trace_transitions("Tsf=", Tsf);
  trace_transitions("Tk=", Tk);
}

// Fires Tk and learns the step-edge events that this makes certain.
void point_fixe::iteration_suivante() {
  ++k;
  xi = set_union(set_priv(xi, f.ens_ident_pre_ens_transitions(Tk)),
                 f.ens_ident_post_ens_transitions(Tk));
  xi = set_union(xi, detecte_etapes_restantes_actives(f, depart, Ecp));
  if (P) {
    log << "pre-conclusion: ";
    trace_etapes(xi);
    log << std::endl << std::endl << "iteration " << k << std::endl;
  }
  Tcf = set_union(Tcf, Tk);
  if (P) trace_transitions("Tcf=", Tcf);
  apprend_evenements(f, depart, Tpf, V, Ecp, Eca, Tcnf, delta_Ecp, delta_Eca);
  if (P) trace_transitions("Tcnf=", Tcnf);
  if (P) trace_ensembles_decides();
  calcule_Tpf_Tsf_Tk();
}

void point_fixe::trace_ensembles_decides() {
  log << "Ecp=" << Ecp << std::endl;
  affiche_ens_nom_event(log, f, Ecp) << std::endl;
  log << "Eca=" << Eca << std::endl;
  affiche_ens_nom_event(log, f, Eca) << std::endl;
  V.put(log);
}

issue_contexte point_fixe::itere() {
  for (;;) {
    iteration_suivante();
    if (!set_inter(Tk, Tcf).empty()) {
      if (P) log << "intersection de Tk et de Tcf non vide ==> CYCLE !!!" << std::endl << std::endl;
      return cycle;
    }
    if (!Tk.empty()) continue;
    bdd X = help_Tpf(f, depart, Ecp, Eca, Tcnf, Tcf, V);
    if (explain_mode) log << " suite de l'evolution depend de " << texte(X) << std::endl;
    if (m->Bdd_is_zero_tautologic(X)) {
      if (!delta_Ecp.empty() || !delta_Eca.empty() || apprendrait_encore()) continue;
      return stable;
    }
    if (!scinde(X)) return exclu;
  }
}

// The events of this iteration came from the Tpf of the one before, which a
// split at its end may have left behind: a transition that the split made
// certain would be learnt at the next iteration. Stopping here would leave
// it undecided and report a non-determinism that the grafcet does not have.
bool point_fixe::apprendrait_encore() { return !cree_delta_Ecp(f, Ecp, Tpf).empty(); }

void point_fixe::trace_contexte(const char* titre, const valuateur& v) {
  log << titre << std::endl << v;
  log << "pour ";
  trace_etapes(xi);
  log << std::endl << std::endl;
}

// A half whose input context contradicts the general assertion describes
// inputs that never occur: it is dropped rather than concluded, where it
// could raise a fault that no run can meet. The context's own situation is
// not judged here: only a half that the split itself makes impossible goes.
// False when the current half is dropped.
bool point_fixe::scinde(const bdd& X) {
  bool possible_avant = !m->Bdd_is_zero_tautologic(V.assertion_reduite());
  auto exclue = [&](const valuateur& v) {
    bool r = possible_avant && m->Bdd_is_zero_tautologic(v.assertion_reduite());
    if (r && explain_mode) log << " --> valuation exclue par l'assertion generale" << std::endl;
    return r;
  };
  valuateur V2(V);
  V2.contraint_contexte(m->Bdd_and(Q, X));
  if (explain_mode) trace_contexte(" --> valuation a etudier plus tard : ", V2);
  if (!exclue(V2)) file.push(xi, Ecp, Eca, Tcf, Tcnf, V2);
  Q = m->Bdd_and(Q, m->Bdd_not(X));
  V.contraint_contexte(Q);
  if (explain_mode) trace_contexte(" --> valuation a etudier maintenant : ", V);
  return !exclue(V);
}

// Only the impulse actions of the steps activated in the reaction are
// collected; the continuous ones belong to the next situation.
int point_fixe::conclut(issue_contexte issue, std::list<trans_instantanee>* reactions,
                        std::set<int>* bad) {
  if (P) log << std::endl << " CONCLUSION FINALE :" << std::endl;
  if (issue == cycle) {
    *bad = set_inter(Tk, Tcf);
    termine();
    return 1;
  }
  std::set<int> toutes = f.ens_ident_transitions();
  if (set_union(Tcf, Tcnf) != toutes) {
    *bad = set_priv(toutes, set_union(Tcf, Tcnf));
    if (P) {
      log << "NON PARTITION sur les ensembles Tcnf et Tcf" << std::endl;
      trace_transitions("Tcnf=", Tcnf);
      trace_transitions("Tcf=", Tcf);
    }
    termine();
    return 2;
  }
  if (explain_mode) log << "contexte final : " << texte(Q) << std::endl;
  std::vector<bdd> sorties(f.nbr_outputs(), m->Bdd_zero());
  for (int s : f.ens_ident_etapes()) {
    if (!Ecp.count(f.ident_garde_RE_etape(s))) continue;
    for (int l = 0; l < f.nbr_actions(s); ++l) {
      int o = f.ident_output(s, l);
      if (f.type_output(o) == "event")
        sorties[o] = m->Bdd_or(cond_action_recherche(f, s, l), sorties[o]);
    }
  }
  reactions->push_back(trans_instantanee(depart, xi, sorties.data(), Q, &f));
  if (explain_mode) log << "  " << reactions->back() << std::endl;
  return 0;
}

}  // namespace

int PFI_symbolique(tpen_BDD_fichier& f, const std::set<int> depart, const std::set<int> Ecp0,
                   const std::set<int> Eca0, std::list<trans_instantanee>* reactions,
                   std::set<int>* bad, bool explain, std::ostream& log) {
  reactions->clear();
  bad->clear();
  std::cerr.flush();
  point_fixe calcul(f, depart, explain, log);
  calcul.premier_contexte(Ecp0, Eca0);
  while (calcul.reste_des_contextes()) {
    calcul.depile();
    issue_contexte issue = calcul.itere();
    if (issue == exclu) continue;
    int r = calcul.conclut(issue, reactions, bad);
    if (r != 0) return r;
  }
  calcul.termine();
  return 0;
}
