// Reading and evaluating a BLIF network.
#include "reseau_blif.h"

#include <set>
#include <sstream>

bool bloc_blif::valeur(const std::vector<bool>& v) const {
  for (auto const& l : lignes) {
    bool couvre = true;
    for (size_t k = 0; k < l.size() && couvre; ++k) couvre = l[k] == '-' || (l[k] == '1') == v[k];
    if (couvre) return valeur_lignes;
  }
  return !valeur_lignes;
}

namespace {

std::vector<std::string> mots(const std::string& ligne) {
  std::istringstream is(ligne);
  std::vector<std::string> r;
  for (std::string m; is >> m;) r.push_back(m);
  return r;
}

// A row: the input part (as many characters as the block has inputs, of
// 0, 1 and -) and the output value; a block without inputs has only the
// latter.
std::string lit_ligne(bloc_blif& b, const std::vector<std::string>& m) {
  size_t k = b.entrees.size();
  if (m.size() != (k ? 2u : 1u)) return "a row of " + std::to_string(m.size()) + " words";
  std::string motif = k ? m[0] : "", sortie = m.back();
  if (motif.size() != k || motif.find_first_not_of("01-") != std::string::npos)
    return "row \"" + motif + "\" for " + std::to_string(k) + " inputs";
  if (sortie != "0" && sortie != "1") return "output value \"" + sortie + "\"";
  bool v = sortie == "1";
  if (!b.lignes.empty() && v != b.valeur_lignes) return "rows of both output values";
  b.valeur_lignes = v;
  b.lignes.push_back(motif);
  return "";
}

}  // namespace

reseau_blif::reseau_blif(const std::string& texte) {
  std::istringstream is(texte);
  std::vector<bloc_blif>* destination = &blocs;
  bloc_blif* courant = nullptr;
  int numero = 0;
  bool fin = false;
  auto faute = [&](const std::string& quoi) {
    if (erreur.empty()) erreur = "line " + std::to_string(numero) + ": " + quoi;
  };
  for (std::string ligne; std::getline(is, ligne);) {
    ++numero;
    std::vector<std::string> m = mots(ligne);
    if (m.empty()) continue;
    if (fin) faute("text after .end");
    const std::string& c = m[0];
    if (c[0] != '.') {
      if (!courant)
        faute("a row outside any block");
      else if (std::string e = lit_ligne(*courant, m); !e.empty())
        faute(e);
      continue;
    }
    courant = nullptr;
    std::vector<std::string> reste(m.begin() + 1, m.end());
    if (c == ".model" && m.size() == 2) {
      modele = m[1];
    } else if (c == ".inputs") {
      entrees = reste;
    } else if (c == ".outputs") {
      sorties = reste;
    } else if (c == ".latch" && m.size() == 4 && (m[3] == "0" || m[3] == "1")) {
      latches.push_back({m[1], m[2], m[3] == "1"});
    } else if (c == ".names" && m.size() >= 2) {
      destination->push_back({});
      courant = &destination->back();
      courant->sortie = m.back();
      courant->entrees.assign(m.begin() + 1, m.end() - 1);
    } else if (c.rfind(".begin_", 0) == 0 && destination == &blocs) {
      destination = &sections[c];
    } else if (c.rfind(".end_", 0) == 0 && destination != &blocs &&
               sections.count(".begin_" + c.substr(5))) {
      destination = &blocs;
    } else if (c == ".end" && m.size() == 1) {
      fin = true;
    } else {
      faute("unknown line \"" + ligne + "\"");
    }
  }
  if (!fin) faute("no .end");
  if (destination != &blocs) faute("a section left open");
  std::set<std::string> sources(entrees.begin(), entrees.end());
  for (auto const& l : latches)
    if (!sources.insert(l.sortie).second) faute("net " + l.sortie + " driven twice");
  for (size_t k = 0; k < blocs.size(); ++k)
    if (!sources.insert(blocs[k].sortie).second)
      faute("net " + blocs[k].sortie + " driven twice");
    else
      pilotes[blocs[k].sortie] = k;
}

bool reseau_blif::valeur_net(const std::string& net, std::map<std::string, bool>& connus,
                             std::map<std::string, int>& en_cours) {
  if (auto i = connus.find(net); i != connus.end()) return i->second;
  auto p = pilotes.find(net);
  if (p == pilotes.end()) {
    if (erreur.empty()) erreur = "net " + net + " has no driver";
    return false;
  }
  if (en_cours[net]++) {
    if (erreur.empty()) erreur = "combinational loop through " + net;
    return false;
  }
  const bloc_blif& b = blocs[p->second];
  std::vector<bool> v;
  for (auto const& e : b.entrees) v.push_back(valeur_net(e, connus, en_cours));
  return connus[net] = b.valeur(v);
}

std::map<std::string, bool> reseau_blif::evalue(const std::vector<bool>& etat,
                                                const std::vector<bool>& valeurs) {
  std::map<std::string, bool> connus;
  std::map<std::string, int> en_cours;
  for (size_t i = 0; i < latches.size(); ++i) connus[latches[i].sortie] = etat.at(i);
  for (size_t j = 0; j < entrees.size(); ++j) connus[entrees[j]] = valeurs.at(j);
  for (auto const& b : blocs) valeur_net(b.sortie, connus, en_cours);
  for (auto const& l : latches) valeur_net(l.entree, connus, en_cours);
  for (auto const& s : sorties) valeur_net(s, connus, en_cours);
  return connus;
}

std::vector<bool> reseau_blif::etat_initial() const {
  std::vector<bool> r;
  for (auto const& l : latches) r.push_back(l.initiale);
  return r;
}

std::vector<bool> reseau_blif::etat_suivant(const std::map<std::string, bool>& nets) const {
  std::vector<bool> r;
  for (auto const& l : latches) r.push_back(nets.at(l.entree));
  return r;
}
