// The sets from which one reaction is computed, iteration by iteration:
// transitions that will fire, that may fire, that cannot fire, step-edge
// events known present or absent, and the input on which to split the
// context when nothing can be decided. Each builder walks the transitions
// in increasing position order and starts from scratch at every call.
//
// Elements are step positions, transition positions, or the variable
// indexes of the step-edge variables RE<step> and FE<step>.
#ifndef TARVEK_TARVEK_ENSEMBLES_H
#define TARVEK_TARVEK_ENSEMBLES_H

#include <ostream>
#include <set>
#include <string>

#include "bddpp.h"
#include "tarvek_compil.h"

std::set<int> cree_Tpf(tpen_BDD_fichier& f, const std::set<int> depart, const std::set<int> Ecp,
                       valuateur& v);
std::set<int> cree_Tsf(tpen_BDD_fichier& f, const std::set<int> depart, const std::set<int> xi,
                       valuateur& v);
std::set<int> cree_Tcnf(tpen_BDD_fichier& f, const std::set<int> depart, const std::set<int> Eca,
                        valuateur& v);
std::set<int> cree_Tprimk(tpen_BDD_fichier& f, std::set<int> candidats, std::set<int> Tcnf);
std::set<int> cree_Tk(tpen_BDD_fichier& f, std::set<int> Tsf, std::set<int> Tcf,
                      std::set<int> Tcnf, std::set<int> Ecp, std::set<int> Eca);
std::set<int> cree_delta_Ecp(tpen_BDD_fichier& f, std::set<int> Ecp, std::set<int> Tpf);
std::set<int> cree_delta_Eca(tpen_BDD_fichier& f, std::set<int> Eca, std::set<int> Tcnf);
std::set<int> detecte_etapes_restantes_actives(tpen_BDD_fichier& f, const std::set<int> depart,
                                               const std::set<int> Ecp);
bdd help_Tpf(tpen_BDD_fichier& f, const std::set<int> depart, const std::set<int> Ecp,
             const std::set<int> Eca, const std::set<int> Tcnf, const std::set<int> Tcf,
             valuateur& v);

// Variants of the builders above. cree_Tk_MPI: the candidates minus the
// guarded transitions of the second set. cree_Tcnf_MPI: the transitions
// certainly not fireable given A (RE events absent), B (FE events present)
// and T (transitions fired, exempt from the FE test).
std::set<int> cree_Tk_MPI(tpen_BDD_fichier& f, std::set<int>& candidats,
                          std::set<int>& transitions);
std::set<int> cree_Tcnf_MPI(tpen_BDD_fichier& f, std::set<int>& depart, std::set<int>& A,
                            std::set<int>& B, std::set<int>& T, valuateur& v);

// One learning step of both fixed points: the steps that the transitions
// able to fire will activate (delta_Ecp), the transitions certainly not
// fireable (Tcnf) and the steps they leave certainly not activated
// (delta_Eca); both event sets set in the valuation, in that order, and
// added to the known ones.
void apprend_evenements(tpen_BDD_fichier& f, const std::set<int>& depart,
                        const std::set<int>& Tpf, valuateur& V, std::set<int>& Ecp,
                        std::set<int>& Eca, std::set<int>& Tcnf, std::set<int>& delta_Ecp,
                        std::set<int>& delta_Eca);

void pec_etapes_initiales(valuateur& v, tpen_BDD_fichier& f, const std::set<int> depart);
void pec_cond_vrai(valuateur& v, const std::set<int> variables);
void pec_cond_faux(valuateur& v, const std::set<int> variables);
void pec_ev_present(valuateur& v, const std::set<int> variables);
void pec_ev_absent(valuateur& v, const std::set<int> variables);

// "t" and the number written for transition t in the file.
std::string nom_transition(tpen_BDD_fichier& f, int t);

// " soit {" and the names, separated by ","; no line end.
std::ostream& affiche_ens_nom_etapes(std::ostream& os, tpen_BDD_fichier& f,
                                     const std::set<int> etapes);
std::ostream& affiche_ens_nom_event(std::ostream& os, tpen_BDD_fichier& f,
                                    const std::set<int> variables);
std::ostream& affiche_ens_nom_cond(std::ostream& os, tpen_BDD_fichier& f,
                                   const std::set<int> variables);
std::ostream& affiche_ens_num_grafcet_trans(std::ostream& os, tpen_BDD_fichier& f,
                                            const std::set<int> transitions);

#endif
