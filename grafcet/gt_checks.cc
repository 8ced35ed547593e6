// The checks run on a parsed grafcet before it is compiled. Each one only
// names what it found (a step's name, "t" and a transition's number, or a
// step type's long name); the front end words the message.
#include "Stringpp.h"
#include "gt_norm.h"

static std::string nom_transition(tpen_transition const& t) {
  return "t" + unslong2S(static_cast<uint32_t>(t.num));
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
  for (int i = 0; i < nombre_etapes; ++i)
    for (int j = i + 1; j < nombre_etapes; ++j)
      if (table_etapes[i].nom == table_etapes[j].nom) return table_etapes[i].nom;
  return "";
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

template <typename R>
static bool meme_place(R const& a, R const& b) {
  return a.x == b.x && a.y == b.y;
}

std::string tpen_fichier::verif_aucune_superposition_transition(std::string& other) const {
  for (int i = 0; i < nombre_transitions; ++i)
    for (int j = i + 1; j < nombre_transitions; ++j)
      if (meme_place(table_transitions[i], table_transitions[j])) {
        other = nom_transition(table_transitions[j]);
        return nom_transition(table_transitions[i]);
      }
  return "";
}

std::string tpen_fichier::verif_aucune_superposition_etape(std::string& other) const {
  for (int i = 0; i < nombre_etapes; ++i)
    for (int j = i + 1; j < nombre_etapes; ++j)
      if (meme_place(table_etapes[i], table_etapes[j])) {
        other = table_etapes[j].nom;
        return table_etapes[i].nom;
      }
  return "";
}

std::string tpen_fichier::verif_aucune_superposition_etape_transition(std::string& other) const {
  for (int k = 0; k < nombre_transitions; ++k)
    for (int i = 0; i < nombre_etapes; ++i) {
      tpen_transition const& t = table_transitions[k];
      if (t.x == table_etapes[i].x && t.y == table_etapes[i].y) {
        other = table_etapes[i].nom;
        return nom_transition(t);
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
