// The checks run on a parsed grafcet before it is compiled. Each one only
// names what it found (a step's name, "t" and a transition's number, or a
// step type's long name); the front end words the message.
#include <cstdint>
#include <string>
#include <unordered_map>

#include "Stringpp.h"
#include "gt_norm.h"

static std::string nom_transition(tpen_transition const& t) {
  return "t" + unslong2S(static_cast<uint32_t>(t.num));
}

// The checks name the first pair (i, j), i < j, in the order of i then j,
// whose keys are equal. That i is the first position whose key occurs more
// than once, and j the next position with the same key: found in one pass
// of counting and one of reading, not by comparing every pair.
template <typename Key, typename Cle>
static bool premiere_paire(int nombre, Cle cle, int& i, int& j) {
  std::unordered_map<Key, int> compte;
  compte.reserve(static_cast<size_t>(nombre));
  for (int k = 0; k < nombre; ++k) ++compte[cle(k)];
  for (i = 0; i < nombre; ++i)
    if (compte[cle(i)] > 1) break;
  if (i == nombre) return false;
  j = i + 1;
  while (!(cle(j) == cle(i))) ++j;
  return true;
}

template <typename R>
static uint64_t place(R const& r) {
  return static_cast<uint64_t>(static_cast<uint32_t>(r.x)) << 32 | static_cast<uint32_t>(r.y);
}

std::string tpen_fichier::verif_traitement_tout_type_etape_tarvek() {
  static const char* const noms_longs[] = {"Macro Step",
                                           "Begin Macro Step",
                                           "End Macro Step",
                                           "Encapsulated Step",
                                           "Encapsulated Initial Step",
                                           "Start Encapsulated Step",
                                           "Start Encapsulated Initial Step"};
  for (int i = 0; i < nombre_etapes; ++i) {
    int t = table_etapes[i].type;
    if (t >= 3 && t <= 9) return noms_longs[t - 3];
  }
  return "";
}

int tpen_fichier::verif_existence_etape_initiale() {
  for (int i = 0; i < nombre_etapes; ++i)
    if (etape_initiale(i)) return 1;
  return 0;
}

std::string tpen_fichier::verif_noms_identiques_etapes() const {
  int i, j;
  auto nom = [this](int k) -> std::string const& { return table_etapes[k].nom; };
  return premiere_paire<std::string>(nombre_etapes, nom, i, j) ? table_etapes[i].nom : "";
}

std::string tpen_fichier::verif_non_existence_receptivite_vide() const {
  for (int k = 0; k < nombre_transitions; ++k)
    if (table_transitions[k].receptivite.empty()) return nom_transition(table_transitions[k]);
  return "";
}

std::string tpen_fichier::verif_connexion_transition() const {
  for (int k = 0; k < nombre_transitions; ++k)
    if (table_transitions[k].unconnected()) return nom_transition(table_transitions[k]);
  return "";
}

std::string tpen_fichier::verif_aucune_superposition_transition(std::string& other) const {
  int i, j;
  auto cle = [this](int k) { return place(table_transitions[k]); };
  if (!premiere_paire<uint64_t>(nombre_transitions, cle, i, j)) return "";
  other = nom_transition(table_transitions[j]);
  return nom_transition(table_transitions[i]);
}

std::string tpen_fichier::verif_aucune_superposition_etape(std::string& other) const {
  int i, j;
  auto cle = [this](int k) { return place(table_etapes[k]); };
  if (!premiere_paire<uint64_t>(nombre_etapes, cle, i, j)) return "";
  other = table_etapes[j].nom;
  return table_etapes[i].nom;
}

// The first transition, in table order, that stands on some step, with the
// first step of that place.
std::string tpen_fichier::verif_aucune_superposition_etape_transition(std::string& other) const {
  std::unordered_map<uint64_t, int> premiere_etape;
  premiere_etape.reserve(static_cast<size_t>(nombre_etapes));
  for (int i = 0; i < nombre_etapes; ++i) premiere_etape.emplace(place(table_etapes[i]), i);
  for (int k = 0; k < nombre_transitions; ++k) {
    auto trouvee = premiere_etape.find(place(table_transitions[k]));
    if (trouvee != premiere_etape.end()) {
      other = table_etapes[trouvee->second].nom;
      return nom_transition(table_transitions[k]);
    }
  }
  return "";
}

// The reader stores an action's output position as written; an action that
// drives no declared output would make the compiler index past the output
// table, so it is refused here.
std::string tpen_fichier::verif_outputs_actions(int& ident_output) const {
  for (int i = 0; i < nombre_etapes; ++i)
    for (auto const& a : table_etapes[i].actions)
      if (a.ident_output < 0 || a.ident_output >= nombre_outputs) {
        ident_output = a.ident_output;
        return table_etapes[i].nom;
      }
  return "";
}
