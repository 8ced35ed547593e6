// Structural readers of the Lustre, Esterel and sc6 texts.
#include "verif_cibles.h"

#include <functional>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

#include "generation_test.h"

namespace {

std::string sans_blancs(const std::string& s) {
  size_t d = s.find_first_not_of(' ');
  if (d == std::string::npos) return "";
  return s.substr(d, s.find_last_not_of(' ') - d + 1);
}

std::vector<std::string> separe(const std::string& s, char c) {
  std::vector<std::string> r;
  std::istringstream in(s);
  for (std::string x; std::getline(in, x, c);)
    if (!sans_blancs(x).empty()) r.push_back(sans_blancs(x));
  return r;
}

// The names of a sum of products in words, or of an Esterel condition.
std::vector<std::string> noms_utilises(const std::string& expression) {
  static const std::set<std::string> mots = {"or", "and", "not", "0", "1", "tick"};
  std::vector<std::string> r;
  for (auto const& t : separe(expression, ' '))
    if (!mots.count(t)) r.push_back(t);
  return r;
}

struct fautes {
  std::string texte;
  void operator()(const std::string& f) { texte += f + "\n"; }
};

}  // namespace

const std::regex& motif(const std::string& texte) {
  static std::map<std::string, std::regex> compiles;
  auto i = compiles.find(texte);
  if (i == compiles.end())
    i = compiles
            .emplace(texte, std::regex(texte, std::regex::ECMAScript |
                                                  std::regex_constants::__polynomial))
            .first;
  return i->second;
}

std::vector<std::pair<std::string, std::string>> definitions(const std::string& texte,
                                                             const std::regex& motif) {
  std::vector<std::pair<std::string, std::string>> r;
  std::smatch m;
  for (auto const& l : lignes(texte))
    if (std::regex_match(l, m, motif)) r.push_back({m[1], m[2]});
  return r;
}

std::string verif_lustre(const std::string& texte) {
  fautes faute;
  std::vector<std::string> l = lignes(texte);
  std::smatch m;
  std::set<std::string> entrees, sorties, locales;
  size_t k = 0;
  if (l.empty() || !std::regex_match(l[0], m, motif(R"(node \w+\((.*?) ?: bool\))"))) {
    faute("no node line");
    return faute.texte;
  }
  for (auto const& n : separe(m[1], ',')) entrees.insert(n);
  for (k = 1; k < l.size() && l[k] != "let"; ++k) {
    if (std::regex_match(l[k], m, motif(R"(     returns \((.*): bool\);)")))
      for (auto const& n : separe(m[1], ',')) sorties.insert(n);
    else if (std::regex_match(l[k], m, motif(R"(var (.*?) ?: ?bool;)")))
      for (auto const& n : separe(m[1], ',')) locales.insert(n);
    else if (!l[k].empty())
      faute("unexpected line before let: " + l[k]);
  }
  std::map<std::string, int> definitions;
  auto declare = [&](const std::string& n) {
    return entrees.count(n) || sorties.count(n) || locales.count(n);
  };
  bool fin = false;
  for (++k; k < l.size(); ++k) {
    std::string ligne = sans_blancs(l[k]);
    if (ligne.empty() || std::regex_match(ligne, motif(R"(/\*.*\*/)"))) continue;
    if (ligne == "tel") {
      fin = true;
      break;
    }
    if (!std::regex_match(ligne, m, motif(R"((\w+) ?= (.*);)"))) {
      faute("not an equation: " + ligne);
      continue;
    }
    std::string defini = m[1], droite = m[2];
    ++definitions[defini];
    if (!sorties.count(defini) && !locales.count(defini))
      faute("defines no output or local: " + defini);
    std::smatch r;
    if (std::regex_match(droite, r, motif(R"((true|false)-> pre\((\w+)\))"))) {
      if (r[2] != defini + "next" || !locales.count(r[2]))
        faute("register " + defini + " not on its declared next state: " + ligne);
      continue;
    }
    for (auto const& n : noms_utilises(droite))
      if (!declare(n)) faute("undeclared name " + n + " in: " + ligne);
  }
  if (!fin) faute("no tel");
  for (auto const* ensemble : {&sorties, &locales})
    for (auto const& n : *ensemble)
      if (definitions[n] != 1) faute(n + " defined " + std::to_string(definitions[n]) + " times");
  return faute.texte;
}

std::string verif_esterel(const std::string& texte) {
  fautes faute;
  std::vector<std::string> l = lignes(texte);
  std::smatch m;
  if (l.empty() || !std::regex_match(l[0], motif(R"(module \w+:)"))) faute("no module line");
  std::set<std::string> entrees, sorties, signaux;
  size_t k = 1;
  // A declaration runs on until its closing text.
  auto declaration = [&](const std::string& fin_declaration) {
    std::string tout;
    for (; k < l.size(); ++k) {
      tout += l[k];
      if (tout.size() >= fin_declaration.size() &&
          tout.compare(tout.size() - fin_declaration.size(), fin_declaration.size(),
                       fin_declaration) == 0)
        break;
    }
    return tout.substr(0, tout.size() - fin_declaration.size());
  };
  for (; k < l.size() && l[k] != "  [" && l[k] != "  loop"; ++k) {
    if (l[k].rfind("input ", 0) == 0)
      for (auto const& n : separe(declaration(";").substr(6), ',')) entrees.insert(n);
    else if (l[k].rfind("output ", 0) == 0)
      for (auto const& n : separe(declaration(";").substr(7), ',')) sorties.insert(n);
    else if (l[k].rfind("signal ", 0) == 0)
      for (auto const& n : separe(declaration(" in").substr(7), ',')) signaux.insert(n);
    else if (!l[k].empty())
      faute("unexpected declaration line: " + l[k]);
  }
  std::map<std::string, int> registres, emis;
  std::set<std::string> initiales;
  for (; k < l.size() && l[k] != "  loop"; ++k) {
    if (std::regex_match(l[k], m, motif(R"(    run my_pre \[signal (\w+) / S, +(\w+) / preS\])"))) {
      std::string suivant = m[1], etat = m[2];
      ++registres[etat];
      if (suivant != etat + "next" || !signaux.count(suivant) || !signaux.count(etat))
        faute("register " + etat + " not on its declared next state: " + l[k]);
    } else if (std::regex_match(l[k], m, motif(R"(    emit (\w+);)"))) {
      initiales.insert(m[1]);
    } else if (l[k] != "  [" && l[k] != "  ]" && l[k] != "  ||" && !l[k].empty()) {
      faute("unexpected register line: " + l[k]);
    }
  }
  for (auto const& e : initiales)
    if (!registres.count(e)) faute("initial emit of " + e + ", which is no register");
  auto condition = [&](const std::string& c) {
    for (auto const& n : noms_utilises(c))
      if (!entrees.count(n) && !sorties.count(n) && !signaux.count(n))
        faute("undeclared name " + n + " in: " + c);
  };
  static const std::set<std::string> structure = {
      "", "[", "]", "||", "abort", "end present", "loop", "each tick", "end signal"};
  bool fin = false;
  for (; k < l.size(); ++k) {
    std::string ligne = sans_blancs(l[k]);
    if (std::regex_match(ligne, m, motif(R"(present \[ ?(.*?) ?\] then)")) ||
        std::regex_match(ligne, m, motif(R"(\] when \[ (.*) \])"))) {
      condition(m[1]);
    } else if (std::regex_match(ligne, m, motif(R"(emit (\w+))"))) {
      ++emis[m[1]];
      if (!sorties.count(m[1]) && !signaux.count(m[1])) faute("emits no output or local: " + ligne);
    } else if (ligne == "end module") {
      fin = true;
    } else if (!structure.count(ligne)) {
      faute("unexpected line: " + ligne);
    }
  }
  if (!fin) faute("no end module");
  for (auto const& s : signaux) {
    int attendu = registres.count(s) ? 0 : 1;
    if (emis[s] != attendu) faute(s + " emitted " + std::to_string(emis[s]) + " times in the loop");
    if (registres.count(s) && registres[s] != 1)
      faute(s + " has " + std::to_string(registres[s]) + " registers");
  }
  for (auto const& r : registres)
    if (!signaux.count(r.first)) faute("register of an undeclared signal " + r.first);
  for (auto const& s : sorties)
    if (emis[s] > 1) faute(s + " emitted " + std::to_string(emis[s]) + " times");
  return faute.texte;
}

namespace {

// The references of a gate or OR line: (net, negated).
std::vector<std::pair<int, bool>> references(const std::string& d) {
  std::vector<std::pair<int, bool>> r;
  for (std::sregex_iterator i(d.begin(), d.end(), motif(R"((!?)(\d+))")), fin; i != fin; ++i)
    r.push_back({std::stoi((*i)[2]), (*i)[1] == "!"});
  return r;
}

}  // namespace

netlist_sc lit_sc(const std::string& texte) {
  netlist_sc nl;
  fautes faute;
  std::vector<std::string> l = lignes(texte);
  std::smatch m;
  size_t k = 0;
  std::map<std::string, std::string> entete;  // "nets" -> "12", ...
  for (; k < l.size(); ++k) {
    if (std::regex_match(l[k], m, motif(R"((\d+): input: (\S+) (\d+) pure: bool: (\d+))")))
      nl.entrees.push_back(m[2]);
    else if (std::regex_match(l[k], m, motif(R"((\d+): output: (\S+) (\d+) pure:)")))
      nl.sorties.push_back(m[2]);
    else if (std::regex_match(l[k], m, motif(R"((nets|registers): (\d+))")))
      entete[m[1]] = m[2];
    if (entete.size() == 2 && l[k].empty()) break;
  }
  nl.nbr_nets_annonce = entete.count("nets") ? std::stoi(entete["nets"]) : -1;
  nl.nbr_registres_annonce = entete.count("registers") ? std::stoi(entete["registers"]) : -1;
  int nbr_signaux = static_cast<int>(nl.entrees.size() + nl.sorties.size());
  std::string commentaire;
  const std::regex& annonce = motif(R"( out: (\d+) act: (\d+))");
  for (++k; k < l.size() && l[k] != "end:"; ++k) {
    if (l[k].empty()) continue;
    if (l[k].rfind("-- ", 0) == 0) {
      commentaire = l[k].substr(3);
      continue;
    }
    if (std::regex_match(l[k], m, motif(R"((\d+): (\S+)(.*))"))) {
      if (std::stoi(m[1]) != static_cast<int>(nl.nets.size())) faute("net out of order: " + l[k]);
      net_sc n;
      n.nom = m[2];
      n.commentaire = commentaire;
      commentaire.clear();
      std::string reste = m[3];
      std::smatch a;
      if (std::regex_match(reste, a, motif(R"( in: (\d+) ift: (\d+))")))
        n.entree = std::stoi(a[1]);
      else
        for (std::sregex_iterator i(reste.begin(), reste.end(), annonce), fin; i != fin; ++i) {
          if ((*i)[1] != (*i)[2]) faute("action and signal differ: " + l[k]);
          n.annonces.push_back(std::stoi((*i)[1]));
        }
      nl.nets.push_back(n);
      continue;
    }
    if (nl.nets.empty() || !nl.nets.back().definition.empty() || nl.nets.back().entree >= 0) {
      faute("line outside a net: " + l[k]);
      continue;
    }
    net_sc& n = nl.nets.back();
    n.definition = l[k];
    if (std::regex_match(l[k], m, motif(R"(reg: \$([01]) (\d+))"))) {
      n.registre = true;
      n.valeur_initiale = m[1] == "1";
      n.suivant = std::stoi(m[2]);
    } else if (!std::regex_match(l[k],
                                 motif(R"(\$[01]|!?\d+|or: \(\d+ \d+\)| and: \(!?\d+ \d+\))"))) {
      faute("not a net definition: " + l[k]);
    }
  }
  int nbr = static_cast<int>(nl.nets.size());
  if (nbr != nl.nbr_nets_annonce)
    faute("nets announced " + std::to_string(nl.nbr_nets_annonce) + ", written " +
          std::to_string(nbr));
  int registres = 0;
  for (auto const& n : nl.nets) {
    registres += n.registre;
    if (n.entree < 0 && n.definition.empty()) faute("net without definition: " + n.nom);
    if (n.entree >= static_cast<int>(nl.entrees.size())) faute("input net of no input: " + n.nom);
    for (auto const& r : references(n.registre ? std::to_string(n.suivant) : n.definition))
      if (r.first >= nbr) faute("reference out of the nets: " + n.definition);
    for (int s : n.annonces)
      if (s < static_cast<int>(nl.entrees.size()) || s >= nbr_signaux)
        faute("announces no output: " + n.nom);
  }
  if (registres != nl.nbr_registres_annonce)
    faute("registers announced " + std::to_string(nl.nbr_registres_annonce));
  nl.defauts = faute.texte;
  return nl;
}

std::vector<bool> netlist_sc::evalue(const std::vector<bool>& etat,
                                     const std::vector<bool>& valeurs_entrees) const {
  int nbr = static_cast<int>(nets.size());
  std::vector<int> v(nbr, -1);  // -1 not yet, 2 being computed
  int registre = 0;
  std::vector<int> rang_registre(nbr, -1);
  for (int i = 0; i < nbr; ++i)
    if (nets[i].registre) rang_registre[i] = registre++;
  std::function<bool(int)> valeur = [&](int i) -> bool {
    if (i < 0 || i >= nbr) throw std::runtime_error("reference out of the nets");
    if (v[i] == 2) throw std::runtime_error("net " + std::to_string(i) + " reads itself");
    if (v[i] >= 0) return v[i];
    v[i] = 2;
    const net_sc& n = nets[i];
    bool r;
    if (n.registre) {
      r = etat.at(rang_registre[i]);
    } else if (n.entree >= 0) {
      r = valeurs_entrees.at(n.entree);
    } else if (n.definition == "$0" || n.definition == "$1") {
      r = n.definition == "$1";
    } else {
      auto refs = references(n.definition);
      auto lit = [&](std::pair<int, bool> x) { return valeur(x.first) != x.second; };
      if (n.definition.rfind("or:", 0) == 0)
        r = lit(refs[0]) || lit(refs[1]);
      else if (refs.size() == 2)
        r = lit(refs[0]) && lit(refs[1]);
      else
        r = lit(refs[0]);
    }
    v[i] = r;
    return r;
  };
  std::vector<bool> r;
  for (int i = 0; i < nbr; ++i) r.push_back(valeur(i));
  return r;
}
