// The transition and event sets of one reaction, the choice of the input on
// which to split a context, the loading of known values into a valuation,
// and the printers of these sets for the log.
#include "tarvek_ensembles.h"

#include "Stringpp.h"
#include "listpp.h"

namespace {

bool gardee(tpen_BDD_fichier& f, int t) { return f.transition_gardee(t) != 0; }

bool inclus(const std::set<int>& petit, const std::set<int>& grand) {
  return set_in(grand, petit) == 1;
}

// The steps active at the start or certainly activated so far.
std::set<int> depart_ou_activees(tpen_BDD_fichier& f, const std::set<int>& depart,
                                 const std::set<int>& Ecp) {
  return set_union(depart, f.ens_ident_etape_by_RE(Ecp));
}

// A guarded transition needs every upstream step active at the start; an
// unguarded one accepts steps certainly activated since.
bool amont_pret(tpen_BDD_fichier& f, int t, const std::set<int>& depart,
                const std::set<int>& actives) {
  return inclus(f.ens_ident_pre_transition(t), gardee(f, t) ? depart : actives);
}

bool entree_ouverte(bddpp_manager* m, const bdd& d) { return !m->Bdd_is_tautology(d); }

}  // namespace

// The transitions with a certainly true receptivity whose upstream steps
// lie in pour_gardees for a guarded one, in pour_autres for the others.
static std::set<int> receptives(tpen_BDD_fichier& f, valuateur& v,
                                const std::set<int>& pour_gardees,
                                const std::set<int>& pour_autres) {
  std::set<int> r;
  for (int t : f.ens_ident_transitions()) {
    if (v.cond(t) != 0) continue;
    bool g = gardee(f, t);
    if (inclus(f.ens_ident_pre_transition(t), g ? pour_gardees : pour_autres) &&
        (!g || v.garde(t) == 0))
      r.insert(t);
  }
  return r;
}

std::set<int> cree_Tpf(tpen_BDD_fichier& f, const std::set<int> depart, const std::set<int> Ecp,
                       valuateur& v) {
  return receptives(f, v, depart, depart_ou_activees(f, depart, Ecp));
}

std::set<int> cree_Tsf(tpen_BDD_fichier& f, const std::set<int> depart, const std::set<int> xi,
                       valuateur& v) {
  return receptives(f, v, set_inter(depart, xi), xi);
}

// An upstream step active at the start is never a reason: it may still be
// deactivated by this very transition.
static bool amont_jamais_active(tpen_BDD_fichier& f, int t, const std::set<int>& depart,
                                const std::set<int>& Eca) {
  for (int s : set_priv(f.ens_ident_pre_transition(t), depart))
    if (Eca.count(f.ident_garde_RE_etape(s))) return true;
  return false;
}

// Certainly not fireable in this reaction: its receptivity is false, or it
// is guarded and its upstream steps were not all active at the start (or
// its guard is false), or one upstream step will certainly not be active.
static bool bloquee(tpen_BDD_fichier& f, int t, const std::set<int>& depart,
                    const std::set<int>& Eca, valuateur& v) {
  return v.cond(t) == 1 ||
         (gardee(f, t) && (!inclus(f.ens_ident_pre_transition(t), depart) || v.garde(t) == 1)) ||
         amont_jamais_active(f, t, depart, Eca);
}

std::set<int> cree_Tcnf(tpen_BDD_fichier& f, const std::set<int> depart, const std::set<int> Eca,
                        valuateur& v) {
  std::set<int> r;
  for (int t : f.ens_ident_transitions())
    if (bloquee(f, t, depart, Eca, v)) r.insert(t);
  return r;
}

// Greatest fixed point: a candidate stays while every transition that
// shares an upstream step with it is blocked or stays a candidate.
std::set<int> cree_Tprimk(tpen_BDD_fichier& f, std::set<int> candidats, std::set<int> Tcnf) {
  std::set<int> R = candidats;
  for (;;) {
    std::set<int> decidees = set_union(Tcnf, R);
    std::set<int> retirees;
    for (int t : R)
      if (!inclus(f.ens_ident_post_pre_transitions(t), decidees)) retirees.insert(t);
    if (retirees.empty()) return R;
    R = set_priv(R, retirees);
  }
}

static std::set<int> gardees_parmi(tpen_BDD_fichier& f, const std::set<int>& transitions) {
  std::set<int> r;
  for (int t : transitions)
    if (gardee(f, t)) r.insert(t);
  return r;
}

// A transition fires once it is known, for each downstream step, whether
// that step is deactivated in the reaction; a guarded one fires only once.
std::set<int> cree_Tk(tpen_BDD_fichier& f, std::set<int> Tsf, std::set<int> Tcf,
                      std::set<int> Tcnf, std::set<int> Ecp, std::set<int> Eca) {
  std::set<int> connus = set_union(Eca, Ecp);
  std::set<int> P = cree_Tprimk(f, Tsf, Tcnf);
  std::set<int> exclues = gardees_parmi(f, Tcf);
  for (int t : P)
    if (!inclus(f.ens_ident_FEk_post_transition(t), connus)) exclues.insert(t);
  return set_priv(P, exclues);
}

std::set<int> cree_Tk_MPI(tpen_BDD_fichier& f, std::set<int>& candidats,
                          std::set<int>& transitions) {
  return set_priv(candidats, gardees_parmi(f, transitions));
}

// B holds the FE events of the steps left: a transition not in T (those
// fired) whose every upstream step is left has lost them to others and
// cannot fire any more. One upstream step not left is enough to keep it
// out, and so is having no upstream step at all.
static bool bloquee_MPI(tpen_BDD_fichier& f, int t, const std::set<int>& depart,
                        const std::set<int>& A, const std::set<int>& B,
                        const std::set<int>& T, valuateur& v) {
  if (bloquee(f, t, depart, A, v)) return true;
  if (gardee(f, t) || T.count(t)) return false;
  std::set<int> amont = f.ens_ident_pre_transition(t);
  if (amont.empty()) return false;
  for (int s : amont)
    if (!B.count(f.ident_garde_FE_etape(s))) return false;
  return true;
}

std::set<int> cree_Tcnf_MPI(tpen_BDD_fichier& f, std::set<int>& depart, std::set<int>& A,
                            std::set<int>& B, std::set<int>& T, valuateur& v) {
  std::set<int> r;
  for (int t : f.ens_ident_transitions())
    if (bloquee_MPI(f, t, depart, A, B, T, v)) r.insert(t);
  return r;
}

// The FE events of the steps left and the RE events of the steps entered,
// those not known yet.
static std::set<int> evenements_nouveaux(tpen_BDD_fichier& f, const std::set<int>& quittees,
                                         const std::set<int>& entrees, const std::set<int>& connus) {
  std::set<int> r;
  for (int s : quittees) {
    int v = f.ident_garde_FE_etape(s);
    if (!connus.count(v)) r.insert(v);
  }
  for (int s : entrees) {
    int v = f.ident_garde_RE_etape(s);
    if (!connus.count(v)) r.insert(v);
  }
  return r;
}

std::set<int> cree_delta_Ecp(tpen_BDD_fichier& f, std::set<int> Ecp, std::set<int> Tpf) {
  return evenements_nouveaux(f, f.ens_ident_pre_ens_transitions(Tpf),
                             f.ens_ident_post_ens_transitions(Tpf), Ecp);
}

// A step whose every downstream transition is blocked is not deactivated;
// one whose every upstream transition is blocked is not activated.
std::set<int> cree_delta_Eca(tpen_BDD_fichier& f, std::set<int> Eca, std::set<int> Tcnf) {
  return evenements_nouveaux(f, f.ens_ident_pre_tilde_ens_transitions(Tcnf),
                             f.ens_ident_post_tilde_ens_transitions(Tcnf), Eca);
}

std::set<int> detecte_etapes_restantes_actives(tpen_BDD_fichier& f, const std::set<int> depart,
                                               const std::set<int> Ecp) {
  return set_inter(set_inter(f.ens_ident_etape_by_RE(Ecp), f.ens_ident_etape_by_FE(Ecp)), depart);
}

// The last qualifying transition in position order wins; the result is cut
// to one literal: the function itself when it is one, else the positive
// literal of its top variable.
bdd help_Tpf(tpen_BDD_fichier& f, const std::set<int> depart, const std::set<int> Ecp,
             const std::set<int> Eca, const std::set<int> Tcnf, const std::set<int> Tcf,
             valuateur& v) {
  (void)Eca;
  bddpp_manager* m = f.man();
  std::set<int> A = depart_ou_activees(f, depart, Ecp);
  bdd r = m->Bdd_zero();
  for (int t : f.ens_ident_transitions()) {
    if (!amont_pret(f, t, depart, A)) continue;
    bdd d = v.bdd_entrees(t);
    if (entree_ouverte(m, d)) r = d;
  }
  if (m->Bdd_is_zero_tautologic(r)) {
    for (int t : set_priv(f.ens_ident_transitions(), set_union(Tcnf, Tcf))) {
      bdd d = v.bdd_entrees(t);
      if (entree_ouverte(m, d)) r = d;
    }
  }
  if (m->Bdd_is_tautology(r) || m->Bdd_is_var(r) || m->Bdd_is_negvar(r)) return r;
  return m->Bdd_if(r);
}

void pec_etapes_initiales(valuateur& v, tpen_BDD_fichier& f, const std::set<int> depart) {
  for (int s : f.ens_ident_etapes()) {
    if (depart.count(s))
      v.vrai(f.ident_cond_X_etape(s));
    else
      v.faux(f.ident_cond_X_etape(s));
  }
}

void pec_cond_vrai(valuateur& v, const std::set<int> variables) {
  for (int i : variables) v.vrai(i);
}

void pec_cond_faux(valuateur& v, const std::set<int> variables) {
  for (int i : variables) v.faux(i);
}

void apprend_evenements(tpen_BDD_fichier& f, const std::set<int>& depart,
                        const std::set<int>& Tpf, valuateur& V, std::set<int>& Ecp,
                        std::set<int>& Eca, std::set<int>& Tcnf, std::set<int>& delta_Ecp,
                        std::set<int>& delta_Eca) {
  delta_Ecp = cree_delta_Ecp(f, Ecp, Tpf);
  Tcnf = cree_Tcnf(f, depart, Eca, V);
  delta_Eca = cree_delta_Eca(f, Eca, Tcnf);
  pec_cond_vrai(V, delta_Ecp);
  pec_cond_faux(V, delta_Eca);
  Ecp = set_union(Ecp, delta_Ecp);
  Eca = set_union(Eca, delta_Eca);
}

void pec_ev_present(valuateur& v, const std::set<int> variables) { pec_cond_vrai(v, variables); }
void pec_ev_absent(valuateur& v, const std::set<int> variables) { pec_cond_faux(v, variables); }

template <typename Nom>
static std::ostream& affiche_soit(std::ostream& os, const std::set<int>& ensemble, Nom nom) {
  os << " soit {";
  bool premier = true;
  for (int i : ensemble) {
    if (!premier) os << ",";
    premier = false;
    os << nom(i);
  }
  return os << "}";
}

std::string nom_transition(tpen_BDD_fichier& f, int t) {
  return "t" + unslong2S(static_cast<uint32_t>(f.num_grafcet_transition(t)));
}

std::ostream& affiche_ens_nom_etapes(std::ostream& os, tpen_BDD_fichier& f,
                                     const std::set<int> etapes) {
  return affiche_soit(os, etapes, [&](int s) { return "X" + f.nom_etape(s); });
}

std::ostream& affiche_ens_nom_event(std::ostream& os, tpen_BDD_fichier& f,
                                    const std::set<int> variables) {
  return affiche_soit(os, variables, [&](int v) { return f.nom_variable(v); });
}

std::ostream& affiche_ens_nom_cond(std::ostream& os, tpen_BDD_fichier& f,
                                   const std::set<int> variables) {
  return affiche_ens_nom_event(os, f, variables);
}

std::ostream& affiche_ens_num_grafcet_trans(std::ostream& os, tpen_BDD_fichier& f,
                                            const std::set<int> transitions) {
  return affiche_soit(os, transitions,
                      [&](int t) { return nom_transition(f, t); });
}
