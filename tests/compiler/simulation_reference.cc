// The reference simulator of clean grafcets. It reads the grafcet model
// only and evaluates condition texts itself, so that it shares nothing with
// the compiler it judges.
#include <cctype>

#include "simulation.h"

namespace {

// A condition text over named values: not before and, and before or, xor
// and xnor, all grouping from the left; parentheses or brackets; 0 and 1.
class evaluation {
 public:
  evaluation(const std::string& texte, const std::map<std::string, bool>& valeurs)
      : valeurs(valeurs) {
    coupe(texte);
  }

  bool valeur(std::string& defaut) {
    if (regarde() == "<") {  // a priority prefix, of no meaning here
      while (!jetons.empty() && prend() != ">") {
      }
    }
    bool r = somme(defaut);
    if (pos != jetons.size()) defaut = "unexpected \"" + regarde() + "\"";
    return r;
  }

 private:
  static bool de_nom(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == ',' ||
           c == '@';
  }

  void coupe(const std::string& t) {
    for (size_t i = 0; i < t.size();) {
      if (t[i] == ' ') {
        ++i;
        continue;
      }
      size_t j = i + 1;
      if (de_nom(t[i]))
        while (j < t.size() && de_nom(t[j])) ++j;
      jetons.push_back(t.substr(i, j - i));
      i = j;
    }
  }

  std::string regarde() const { return pos < jetons.size() ? jetons[pos] : ""; }
  std::string prend() { return pos < jetons.size() ? jetons[pos++] : ""; }
  static bool parmi(const std::string& t, std::initializer_list<const char*> mots) {
    for (auto m : mots)
      if (t == m) return true;
    return false;
  }

  bool somme(std::string& defaut) {
    bool r = produit(defaut);
    for (;;) {
      std::string op = regarde();
      if (parmi(op, {"or", "OR", "+", "|"})) {
        prend();
        r = produit(defaut) || r;
      } else if (parmi(op, {"xor", "XOR"})) {
        prend();
        r = produit(defaut) != r;
      } else if (parmi(op, {"xnor", "XNOR"})) {
        prend();
        r = produit(defaut) == r;
      } else {
        return r;
      }
    }
  }

  bool produit(std::string& defaut) {
    bool r = facteur(defaut);
    while (parmi(regarde(), {"and", "AND", ".", "&"})) {
      prend();
      r = facteur(defaut) && r;
    }
    return r;
  }

  bool facteur(std::string& defaut) {
    std::string t = prend();
    if (parmi(t, {"(", "["})) {
      bool r = somme(defaut);
      if (!parmi(prend(), {")", "]"})) defaut = "unbalanced parentheses";
      return r;
    }
    if (parmi(t, {"not", "NOT", "!", "~"})) return !facteur(defaut);
    if (t == "0" || t == "1") return t == "1";
    auto v = valeurs.find(t);
    if (v == valeurs.end()) {
      defaut = "\"" + t + "\" is no input";
      return false;
    }
    return v->second;
  }

  const std::map<std::string, bool>& valeurs;
  std::vector<std::string> jetons;
  size_t pos = 0;
};

bool blanc(const std::string& t) { return t.find_first_not_of(' ') == std::string::npos; }

}  // namespace

simulateur_reference::simulateur_reference(tpen_fichier& g, std::vector<std::string> entrees,
                                           bool pas_a_pas)
    : g(g), entrees(std::move(entrees)), pas_a_pas(pas_a_pas) {
  for (int o = 0; o < g.nbr_outputs(); ++o) {
    std::string nom = g.nom_output(o);
    bool deja = false;
    for (auto const& a : actions_distinctes) deja = deja || a == nom;
    if (!deja) actions_distinctes.push_back(nom);
  }
}

vecteur simulateur_reference::etat_initial() const {
  vecteur r;
  for (int s = 0; s < g.nbr_etapes(); ++s) r.push_back(g.etape_initiale(s) != 0);
  return r;
}

bool simulateur_reference::condition(const std::string& texte,
                                     const std::map<std::string, bool>& valeurs) {
  std::string d;
  bool r = evaluation(texte, valeurs).valeur(d);
  if (!d.empty() && defaut.empty()) defaut = "condition \"" + texte + "\": " + d;
  return r;
}

// "A : B" is guarded and a blank part stands for 1; without a colon, "=1"
// anywhere makes the receptivity 1.
bool simulateur_reference::receptivite(int t, const std::map<std::string, bool>& valeurs) {
  std::string texte = g.receptivite_transition(t);
  size_t k = texte.find(':');
  if (k == std::string::npos)
    return texte.find("=1") != std::string::npos || condition(texte, valeurs);
  std::string a = texte.substr(0, k), b = texte.substr(k + 1);
  return (blanc(a) || condition(a, valeurs)) && (blanc(b) || condition(b, valeurs));
}

std::set<int> simulateur_reference::franchissables(const std::set<int>& depart,
                                                   const std::set<int>& actives,
                                                   const std::set<int>& franchies,
                                                   const std::map<std::string, bool>& valeurs) {
  std::set<int> r;
  for (int t : g.ens_ident_transitions()) {
    bool gardee = pas_a_pas || g.receptivite_transition(t).find(':') != std::string::npos;
    bool pret = true;
    for (int s : g.ens_ident_pre_transition(t))
      pret = pret && actives.count(s) && (!gardee || depart.count(s));
    if (gardee && franchies.count(t)) continue;
    if (pret && receptivite(t, valeurs)) r.insert(t);
  }
  return r;
}

vecteur simulateur_reference::actions(const std::set<int>& finale, const std::set<int>& activees,
                                      const std::map<std::string, bool>& valeurs) {
  std::map<std::string, bool> emises;
  for (int s : g.ens_ident_etapes()) {
    for (int k = 0; k < g.nbr_actions(s); ++k) {
      int o = g.ident_output(s, k);
      bool continue_ = g.type_output(o) == "bool";
      if (!(continue_ ? finale.count(s) : activees.count(s))) continue;
      if (condition(g.cond_action(s, k), valeurs)) emises[g.nom_output(o)] = true;
    }
  }
  vecteur r;
  for (auto const& a : actions_distinctes) r.push_back(emises[a]);
  return r;
}

std::map<std::string, bool> simulateur_reference::valeurs_entrees(const vecteur& v) const {
  std::map<std::string, bool> r;
  for (size_t j = 0; j < entrees.size(); ++j) r[entrees[j]] = v.at(j);
  return r;
}

bool simulateur_reference::admissible(const vecteur& v) {
  std::map<std::string, bool> valeurs = valeurs_entrees(v);
  for (int i = 0; i < g.nbr_assertions(); ++i)
    if (!condition(g.assertion_textuelle(i), valeurs)) return false;
  return true;
}

bool simulateur_reference::boucle_possible(const vecteur& v) {
  std::map<std::string, bool> valeurs = valeurs_entrees(v);
  std::set<int> vives;
  for (int t : g.ens_ident_transitions()) {
    bool gardee = pas_a_pas || g.receptivite_transition(t).find(':') != std::string::npos;
    if (!gardee && receptivite(t, valeurs)) vives.insert(t);
  }
  // Kahn's peeling: what cannot be peeled lies on or after a loop, and a
  // loop is left exactly when something is.
  std::map<int, int> entrantes;
  for (int t : vives) entrantes[t] = 0;
  auto suivantes = [&](int t) {
    std::set<int> r;
    for (int u : vives)
      for (int s : g.ens_ident_post_transition(t))
        if (g.ens_ident_pre_transition(u).count(s)) r.insert(u);
    return r;
  };
  for (int t : vives)
    for (int u : suivantes(t)) ++entrantes[u];
  std::vector<int> libres;
  for (auto const& [t, n] : entrantes)
    if (n == 0) libres.push_back(t);
  size_t pelees = 0;
  while (!libres.empty()) {
    int t = libres.back();
    libres.pop_back();
    ++pelees;
    for (int u : suivantes(t))
      if (--entrantes[u] == 0) libres.push_back(u);
  }
  return pelees != vives.size();
}

pas_simulation simulateur_reference::reaction(const vecteur& etat, const vecteur& entrees_) {
  std::map<std::string, bool> valeurs = valeurs_entrees(entrees_);
  std::set<int> depart;
  for (int s = 0; s < static_cast<int>(etat.size()); ++s)
    if (etat[s]) depart.insert(s);
  std::set<int> actives = depart, activees, franchies;
  for (;;) {
    std::set<int> T = franchissables(depart, actives, franchies, valeurs);
    if (T.empty()) break;
    for (int t : T) {
      if (franchies.count(t)) defaut = "unstable: t" + std::to_string(g.num_grafcet_transition(t));
    }
    if (!defaut.empty()) break;
    std::set<int> quittees = g.ens_ident_pre_ens_transitions(T);
    for (int s : g.ens_ident_post_ens_transitions(T))
      if (actives.count(s) && !quittees.count(s)) active_une_etape_active = true;
    for (int s : quittees) actives.erase(s);
    for (int s : g.ens_ident_post_ens_transitions(T)) {
      actives.insert(s);
      activees.insert(s);
    }
    franchies.insert(T.begin(), T.end());
  }
  pas_simulation p;
  for (int s = 0; s < g.nbr_etapes(); ++s) p.etat.push_back(actives.count(s) != 0);
  p.actions = actions(actives, activees, valeurs);
  return p;
}

std::vector<vecteur> situations_atteintes(simulateur_reference& s, int nbr_entrees) {
  std::vector<vecteur> r = {s.etat_initial()};
  std::set<vecteur> vues(r.begin(), r.end());
  for (size_t i = 0; i < r.size(); ++i) {
    for (auto const& entrees : tous_les_vecteurs(nbr_entrees)) {
      if (!s.admissible(entrees)) continue;
      vecteur suivant = s.reaction(r[i], entrees).etat;
      if (!s.defaut.empty()) return {};
      if (vues.insert(suivant).second) r.push_back(suivant);
    }
  }
  return r;
}

std::vector<vecteur> tous_les_vecteurs(int n) {
  std::vector<vecteur> r;
  for (uint32_t code = 0; code < (1u << n); ++code) {
    vecteur v;
    for (int j = 0; j < n; ++j) v.push_back((code >> j) & 1u);
    r.push_back(v);
  }
  return r;
}

std::vector<std::string> noms_entrees(tpen_fichier& g) {
  std::vector<std::string> r;
  for (const char* type : {"bool", "event"})
    for (int j = 0; j < g.nbr_inputs(); ++j)
      if (g.type_input(j) == type) r.push_back(g.nom_input(j));
  return r;
}
