// The default compilation: the breadth-first search of the reachable
// situations, each one's reactions folded into the symbolic automaton, and
// the crossing of their conditions from the encoding's manager into the
// automaton's by variable names.
#include <deque>
#include <iostream>
#include <map>
#include <unordered_set>
#include <vector>

#include "Stringpp.h"
#include "compil_messages.h"
#include "g_messages.h"
#include "listpp.h"
#include "tarvek_compil.h"
#include "tarvek_ensembles.h"

namespace {

struct hache_situation {
  size_t operator()(const std::set<int>& s) const {
    size_t h = s.size();
    for (int e : s) h = h * 1000003u ^ static_cast<size_t>(e);
    return h;
  }
};

// The situations in their order of discovery, which the trace lists, and
// an index beside them so that a reached situation is found at once.
class situations_connues {
 public:
  bool contient(const std::set<int>& s) const { return index.count(s) != 0; }
  void ajoute(const std::set<int>& s) {
    liste.push_back(s);
    index.insert(s);
  }
  size_t nombre() const { return liste.size(); }
  const std::list<std::set<int>>& dans_l_ordre() const { return liste; }

 private:
  std::list<std::set<int>> liste;
  std::unordered_set<std::set<int>, hache_situation> index;
};

// The log receives the faulty set before the message ends the run, with or
// without -explain.
[[noreturn]] void faute_du_grafcet(tpen_BDD_fichier& f, int resultat, std::set<int>& bad,
                                   std::ostream& log) {
  const std::string fin = "\n\n  --> break compilation processing ...\n";
  std::string ensemble = chaine_ens_num_grafcet_trans(f, bad);
  if (resultat == 1) {
    log << "CYCLE linked to : " << std::endl << bad << std::endl;
  } else {
    log << "UNDETERMINISM OR CAUSALITY VIOLATION !" << std::endl;
    log << "about : " << bad << std::endl;
  }
  affiche_ens_num_grafcet_trans(log, f, bad) << std::endl;
  if (resultat == 1)
    arrete_sur_message("INSTABILITY CYCLE including the transitions set: " + ensemble + fin);
  arrete_sur_message("UNDETERMINISM OR CAUSALITY VIOLATION ! about the transitions set:" +
                     ensemble + fin);
}

void trace_listes(std::ostream& log, const situations_connues& connues,
                  const std::list<trans_instantanee>& toutes) {
  log << std::endl << "SITUATIONS LIST:" << std::endl;
  for (auto const& s : connues.dans_l_ordre()) {
    log << "{";
    for (int e : s) log << e << " ";
    log << "} " << std::endl;
  }
  log << std::endl << std::endl << "TRANSITIONS LIST: " << std::endl;
  for (auto const& r : toutes) log << r;
}

void montre_compteurs(const char* trouvees, const char* restantes, size_t n, size_t q) {
  std::cout << trouvees << n << restantes << q << "   \r" << std::flush;
}

// The reactions of one situation: the new targets are queued, every
// reaction is folded into the automaton. One at a time, each is translated
// and folded before the next is looked at, as the counts of the log have it.
void traite_reactions(FBA& a, const std::list<trans_instantanee>& reactions, int* outmap,
                      situations_connues& connues, std::deque<std::set<int>>& attente,
                      std::list<trans_instantanee>& toutes, pliage p, std::ostream& log) {
  if (explain_mode) log << "==> SITUATIONS GOAL: " << std::endl;
  std::vector<FBA_transition> traduites;
  for (auto const& r : reactions) {
    if (explain_mode) toutes.push_back(r);
    if (connues.contient(r.finale)) {
      if (explain_mode) log << "  ==> SITUATION ALREADY FOUND: " << r.finale << std::endl;
    } else {
      if (explain_mode) log << "  ==> NEW SITUATION: " << r.finale << std::endl;
      attente.push_back(r.finale);
      connues.ajoute(r.finale);
    }
    if (p == pliage::une_a_une)
      a.add_evolution(normalise_transition_FBA(a, r, outmap));
    else
      traduites.push_back(normalise_transition_FBA(a, r, outmap));
  }
  a.add_evolutions(traduites);
}

bool est_activite_etape(tpen_BDD_fichier& f, int v) {
  for (int s = 0; s < f.nbr_etapes(); ++s)
    if (f.ident_cond_X_etape(s) == v) return true;
  return false;
}

}  // namespace

FBA* genere_FBA_symbolique(tpen_BDD_fichier& f, std::ostream& log, bilan_recherche* bilan, pliage p) {
  verif_noms_par_situations(f);
  int* varmap = new int[f.nombre_variables()];
  int* outmap = new int[f.nbr_outputs()];
  log << std::endl << "EFFECTIVE COMPILATION" << std::endl << std::endl;
  if (show_mode) std::cout << "COMPILATION BY REACHABLE SITUATIONS" << std::endl;
  std::set<int> s0;
  lis_Xtheta(f, s0);
  situations_connues connues;
  connues.ajoute(s0);
  std::deque<std::set<int>> attente{s0};
  FBA* a = normalise_FBA(f, s0, varmap, outmap);
  std::list<trans_instantanee> reactions, toutes;
  long nbr_reactions = 0;
  while (!attente.empty()) {
    if (show_mode) montre_compteurs("FINDING STATES: ", "  REMAIN STATES: ", connues.nombre(), attente.size());
    if (explain_mode)
      log << "FINDING STATES: " << connues.nombre() << "  REMAIN STATES: " << attente.size() << std::endl;
    std::set<int> s = attente.front();
    attente.pop_front();
    if (explain_mode) log << "SITUATION DE DEPART: " << s << std::endl << std::endl;
    std::set<int> bad;
    int resultat = PFI_symbolique(f, s, {}, {}, &reactions, &bad, explain_mode, log);
    if (resultat != 0) faute_du_grafcet(f, resultat, bad, log);
    traite_reactions(*a, reactions, outmap, connues, attente, toutes, p, log);
    nbr_reactions += static_cast<long>(reactions.size());
    log.flush();
    if (explain_mode) trace_listes(log, connues, toutes);
    a->bdd_garbage_collector();
  }
  if (show_mode) {
    montre_compteurs("FINDING SITUATIONS: ", "  REMAIN SITUATIONS: ", connues.nombre(), 0);
    std::cout << std::endl;
  }
  if (bilan) *bilan = {static_cast<long>(connues.nombre()), nbr_reactions};
  delete[] varmap;
  delete[] outmap;
  return a;
}

// Only the steps of type 1 are taken: the checks before any compilation
// refuse every other type but the normal step.
int lis_Xtheta(tpen_BDD_fichier& f, std::set<int>& s) {
  for (int e : f.ens_ident_etapes())
    if (f.type_etape(e) == 1) s.insert(e);
  return f.nbr_etapes();
}

// Boolean inputs first, then event inputs, each in declaration order.
// Outputs that share a name share one action.
FBA* normalise_FBA(tpen_BDD_fichier& f, std::set<int> initial, int* varmap, int* outmap) {
  for (int i = 0; i < f.nombre_variables(); ++i) varmap[i] = -1;
  std::list<FSM_input> inputs;
  int p = 0;
  for (int v : f.ens_conditions_externes()) {
    inputs.push_back(FSM_input(FSM_bool, f.nom_variable(v)));
    varmap[v] = p++;
  }
  for (int v : f.ens_evenements_externes()) {
    inputs.push_back(FSM_input(FSM_pure, f.nom_variable(v)));
    varmap[v] = p++;
  }
  std::list<std::string> etats, actions;
  for (int s : f.ens_ident_etapes()) etats.push_back(f.nom_etape(s));
  for (int o = 0; o < f.nbr_outputs(); ++o) {
    std::string nom = f.nom_output(o);
    if (!item_in(actions, nom)) actions.push_back(nom);
    outmap[o] = item_where(actions, nom) - 1;
  }
  FBA* a = new FBA(f.mon_nom_module(), initial, inputs, actions, etats);
  // The impulse actions are collected by each reaction instead.
  for (int s : f.ens_ident_etapes()) {
    for (int k = 0; k < f.nbr_actions(s); ++k) {
      int o = f.ident_output(s, k);
      if (f.type_output(o) != "bool") continue;
      bdd c = bdd_translation_by_String(f.man(), cond_action_recherche(f, s, k), a->get_manager());
      a->add_post_evolution(s, outmap[o], c);
    }
  }
  return a;
}

// The translation into the automaton reads a variable that the automaton
// lacks as false: an action on a step's activation or deactivation, or on an
// input's previous value, would silently never sound. A name that the
// function does not depend on is harmless.
bdd cond_action_recherche(tpen_BDD_fichier& f, int s, int k) {
  bdd c = f.bdd_cond_action(s, k);
  std::set<int> entrees = set_union(f.ens_conditions_externes(), f.ens_evenements_externes());
  for (long v : f.man()->set_of_index_depend_on(c)) {
    int i = static_cast<int>(v);
    if (entrees.count(i) || est_activite_etape(f, i)) continue;
    std::string output = f.nom_output(f.ident_output(s, k));
    arrete_sur_message(message_cond_action_sans_valeur(f.nom_etape(s), f.cond_action(s, k), output,
                                                       f.nom_variable(i)));
  }
  return c;
}

FBA_transition normalise_transition_FBA(const FBA& a, const trans_instantanee& r, int* outmap) {
  bdd* conditions = correspondance_FBA_actions(a, *r.fichier, outmap, r.actions);
  bdd c = bdd_translation_by_String(r.fichier->man(), r.cond, a.get_manager());
  FBA_transition t(&a, r.initiale, r.finale, conditions, c);
  delete[] conditions;
  return t;
}

// Outputs declared under one name share one action, which is emitted when
// any of them is: their conditions are ORed.
bdd* correspondance_FBA_actions(const FBA& a, tpen_BDD_fichier& f, int* outmap, bdd* conditions) {
  bddpp_manager* vers = a.get_manager();
  bdd* r = new bdd[a.get_actions_number()];
  for (int j = 0; j < a.get_actions_number(); ++j) r[j] = vers->Bdd_zero();
  for (int o = 0; o < f.nbr_outputs(); ++o) {
    bdd c = bdd_translation_by_String(f.man(), conditions[o], vers);
    r[outmap[o]] = vers->Bdd_or(r[outmap[o]], c);
  }
  return r;
}

namespace {

// A shared sub-function is rebuilt once per call. The then-half is built
// before the else-half, so that the nodes are created in one fixed order.
class traduction {
 public:
  traduction(bddpp_manager* de, bddpp_manager* vers) : de(de), vers(vers) {}

  bdd traduit(const bdd& b) {
    if (!b.manager_ref() || !b.node()) return bdd();
    if (de->Bdd_is_zero_tautologic(b)) return vers->Bdd_zero();
    if (de->Bdd_is_one_tautologic(b)) return vers->Bdd_one();
    auto cle = std::make_pair(b.node(), b.link_type());
    auto deja = faites.find(cle);
    if (deja != faites.end()) return deja->second;
    bdd w = vers->Bdd_var_by_name(de->Name_var_by_bdd(b));
    bdd alors = traduit(de->Bdd_then(b));
    bdd sinon = traduit(de->Bdd_else(b));
    bdd haut = vers->Bdd_and(w, alors);
    bdd bas = vers->Bdd_and(vers->Bdd_not(w), sinon);
    bdd r = vers->Bdd_or(haut, bas);
    faites.emplace(cle, r);
    return r;
  }

 private:
  bddpp_manager* de;
  bddpp_manager* vers;
  std::map<std::pair<bdd_node*, int>, bdd> faites;
};

}  // namespace

bdd bdd_translation_by_String(bddpp_manager* from, bdd b, bddpp_manager* to) {
  traduction t(from, to);
  return t.traduit(b);
}

std::string chaine_ens_num_grafcet_trans(tpen_BDD_fichier& f, std::set<int>& transitions) {
  std::string r = "{";
  bool premier = true;
  for (int t : transitions) {
    r += (premier ? "" : ",") + nom_transition(f, t);
    premier = false;
  }
  return r + "}";
}
