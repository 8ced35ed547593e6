// The in-process evaluation of an automaton, the random input sequences and
// the traces.
#include "simulation.h"

#include <sstream>

bool operator==(const pas_simulation& a, const pas_simulation& b) {
  return a.etat == b.etat && a.actions == b.actions;
}

std::string chiffres(const vecteur& v) {
  std::string r;
  for (bool b : v) r += b ? '1' : '0';
  return r;
}

std::ostream& operator<<(std::ostream& os, const pas_simulation& p) {
  return os << "etat " << chiffres(p.etat) << " actions " << chiffres(p.actions);
}

std::string automate_en_texte(const FBA& a) {
  std::ostringstream os;
  os << a;
  return os.str();
}

std::vector<std::string> noms_entrees(const FBA& a) {
  std::vector<std::string> r;
  for (int j = 0; j < a.inputs_number; ++j) r.push_back(a.inputs[j].name);
  return r;
}

std::vector<std::string> noms_actions(const FBA& a) {
  return std::vector<std::string>(a.action_names, a.action_names + a.actions_number);
}

bool valeur_bdd(bddpp_manager& m, const bdd& f, const vecteur& valeurs) {
  bdd g = f;
  while (!m.Bdd_is_tautology(g)) g = valeurs.at(m.Bdd_if_index(g)) ? m.Bdd_then(g) : m.Bdd_else(g);
  return m.Bdd_is_one_tautologic(g) != 0;
}

vecteur evaluateur_FBA::valeurs(const vecteur& etat, const vecteur& suivant,
                                const vecteur& entrees) const {
  vecteur v = etat;
  v.insert(v.end(), suivant.begin(), suivant.end());
  v.insert(v.end(), entrees.begin(), entrees.end());
  return v;
}

vecteur evaluateur_FBA::etat_initial() const {
  vecteur r;
  for (int i = 0; i < a.state_variables_number; ++i) r.push_back(a.variable_initialy_true(i));
  return r;
}

pas_simulation evaluateur_FBA::reaction(const vecteur& etat, const vecteur& entrees) const {
  bddpp_manager& m = *a.manager;
  int n = a.state_variables_number;
  vecteur v = valeurs(etat, vecteur(n, false), entrees);
  pas_simulation p;
  for (int i = 0; i < n; ++i) p.etat.push_back(valeur_bdd(m, a.force1[i], v));
  v = valeurs(etat, p.etat, entrees);
  for (int j = 0; j < a.actions_number; ++j) p.actions.push_back(valeur_bdd(m, a.emissions[j], v));
  return p;
}

bool evaluateur_FBA::couverte(const vecteur& etat, const vecteur& entrees) const {
  bddpp_manager& m = *a.manager;
  int n = a.state_variables_number;
  vecteur v = valeurs(etat, vecteur(n, false), entrees);
  for (int i = 0; i < n; ++i)
    if (valeur_bdd(m, a.force0[i], v) == valeur_bdd(m, a.force1[i], v)) return false;
  return true;
}

std::vector<vecteur> sequence_aleatoire(int largeur, int longueur, unsigned graine,
                                        const std::function<bool(const vecteur&)>& admissible) {
  std::mt19937 rng(graine);
  std::bernoulli_distribution pile;
  std::vector<vecteur> r;
  while (static_cast<int>(r.size()) < longueur) {
    vecteur v;
    for (int j = 0; j < largeur; ++j) v.push_back(pile(rng));
    if (!admissible || admissible(v)) r.push_back(v);
  }
  return r;
}

template <typename Simulateur>
static std::vector<pas_simulation> trace(Simulateur& s, const std::vector<vecteur>& sequence) {
  vecteur etat = s.etat_initial();
  std::vector<pas_simulation> r;
  for (auto const& entrees : sequence) {
    r.push_back(s.reaction(etat, entrees));
    etat = r.back().etat;
  }
  return r;
}

std::vector<pas_simulation> trace_FBA(const FBA& a, const std::vector<vecteur>& sequence) {
  evaluateur_FBA e(a);
  return trace(e, sequence);
}

std::vector<pas_simulation> trace_reference(simulateur_reference& s,
                                            const std::vector<vecteur>& sequence) {
  return trace(s, sequence);
}
