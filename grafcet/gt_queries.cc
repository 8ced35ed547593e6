// The queries through which the compiler and the writers read a grafcet by
// position, and `export_etapes`, which makes every step observable.
#include <iostream>

#include "Stringpp.h"
#include "gt_norm.h"
#include "listpp.h"

// The two lines of the model's diagnostic: the operation, then what was
// asked. Callers get a neutral value back and go on.
static void probleme(const char* operation, std::string const& demande) {
  std::cerr << "PROBLEME DANS L'UTILISATION DE " << operation << ":" << std::endl;
  std::cerr << demande << std::endl;
}

static std::string ident_demande(const char* quoi, int i) {
  return std::string(quoi) + std::to_string(i) + " DEMANDE";
}

std::string tpen_fichier::mon_nom_module() { return nom_module; }
int tpen_fichier::nbr_inputs() const { return nombre_inputs; }
int tpen_fichier::nbr_outputs() const { return nombre_outputs; }
int tpen_fichier::nbr_etapes() const { return nombre_etapes; }
int tpen_fichier::nbr_assertions() { return nombre_assertions; }
int tpen_fichier::nbr_liens() { return nombre_liens; }
gt_declaration_variables* tpen_fichier::ma_table_inputs() { return table_inputs; }
gt_declaration_variables* tpen_fichier::ma_table_outputs() const { return table_outputs; }
std::string* tpen_fichier::ma_table_assertions_textuelle() { return table_assertions; }

// One declaration of a table, or null after the diagnostic of `operation`.
static gt_declaration_variables const* declaration(gt_declaration_variables const* table, int n,
                                                   int i, const char* operation,
                                                   const char* demande) {
  if (i >= 0 && i < n) return &table[i];
  probleme(operation, demande);
  return nullptr;
}

std::string tpen_fichier::nom_input(int i) const {
  auto d =
      declaration(table_inputs, nombre_inputs, i, "'nom_input()'", "AUCUNE VARIABLE DE CE TYPE");
  return d ? d->nom() : "?";
}

std::string tpen_fichier::type_input(int i) const {
  auto d = declaration(table_inputs, nombre_inputs, i, "'type_input()'", "IDENT HORS LIMITE");
  return d ? d->typev() : "?";
}

std::string tpen_fichier::nom_output(int i) const {
  auto d = declaration(table_outputs, nombre_outputs, i, "'nom_output()'", "IDENT HORS LIMITE");
  return d ? d->nom() : "?";
}

std::string tpen_fichier::type_output(int i) const {
  auto d = declaration(table_outputs, nombre_outputs, i, "'type_output()'", "IDENT HORS LIMITE");
  return d ? d->typev() : "?";
}

std::string tpen_fichier::nom_etape(int i) const {
  if (!etape_valide(i)) {
    probleme("'nom_etape()'", ident_demande("IDENT ", i));
    return "";
  }
  return table_etapes[i].nom;
}

int tpen_fichier::etape_initiale(int i) const {
  if (!etape_valide(i)) return 0;
  int t = table_etapes[i].type;
  return t == 1 || t == 7 || t == 9 ? 1 : 0;
}

int tpen_fichier::num_grafcet_transition(int i) const {
  if (!transition_valide(i)) {
    probleme("'num_grafcet_transition()'", ident_demande("IDENT ", i));
    return -1;
  }
  return table_transitions[i].num;
}

std::string tpen_fichier::receptivite_transition(int i) {
  if (!transition_valide(i)) {
    probleme("'receptivite_transition()'", ident_demande("IDENT ", i));
    return "";
  }
  return table_transitions[i].receptivite;
}

std::string tpen_fichier::assertion_textuelle(int i) {
  if (i < 0 || i >= nombre_assertions) return "1";
  return table_assertions[i];
}

int tpen_fichier::nbr_actions(int i) const {
  if (!etape_valide(i)) {
    probleme("`nbr_actions()'", ident_demande("IDENT ETAPE ", i));
    return 0;
  }
  return static_cast<int>(table_etapes[i].actions.size());
}

int tpen_fichier::ident_output(int i, int k) {
  if (!etape_valide(i)) {
    probleme("`ident_output(int,int)'", ident_demande("IDENT ETAPE ", i));
    return 0;
  }
  std::list<tpen_action> actions = table_etapes[i].actions;
  if (k < 0 || k >= static_cast<int>(actions.size())) {
    probleme("`ident_output(int,int)'", ident_demande("IDENT ACTION ", k));
    return 0;
  }
  return read_number(actions, k + 1).ident_output;
}

// A missing action k reads as the default action, whose condition is "1".
std::string tpen_fichier::cond_action(int i, int k) {
  if (!etape_valide(i)) {
    probleme("`cond_action()'", ident_demande("IDENT ETAPE ", i));
    return "";
  }
  std::list<tpen_action> actions = table_etapes[i].actions;
  return read_number(actions, k + 1).condition;
}

int tpen_fichier::ident_etape(std::string const& nom) const {
  for (int i = 0; i < nombre_etapes; ++i)
    if (table_etapes[i].nom == nom) return i;
  return -1;
}

int tpen_fichier::ident_output(char* nom) {
  std::string cherche(nom);
  for (int i = 0; i < nombre_outputs; ++i)
    if (table_outputs[i].nom_variable == cherche) return i;
  return -1;
}

static int nombre_de_type(gt_declaration_variables const* table, int n, const char* type) {
  int r = 0;
  for (int i = 0; i < n; ++i)
    if (table[i].type_variable == type) ++r;
  return r;
}

int tpen_fichier::nombre_input_bool() {
  return nombre_de_type(table_inputs, nombre_inputs, "bool");
}
int tpen_fichier::nombre_input_ev() { return nombre_de_type(table_inputs, nombre_inputs, "event"); }

std::list<std::string> tpen_fichier::liste_outputs_impulsionnelles() {
  std::list<std::string> r;
  for (int i = 0; i < nombre_outputs; ++i)
    if (table_outputs[i].type_variable == "event") r.push_back(table_outputs[i].nom_variable);
  return r;
}

int tpen_fichier::identification_numero_etape_max() {
  int32_t m = 0;
  for (int i = 0; i < nombre_etapes; ++i) {
    int32_t n = Stol(table_etapes[i].nom);
    if (n > m) m = n;
  }
  return m;
}

int tpen_fichier::identification_numero_transition_max() {
  int m = 0;
  for (int i = 0; i < nombre_transitions; ++i)
    if (table_transitions[i].num > m) m = table_transitions[i].num;
  return m;
}

std::string tpen_fichier::assertion_globale() {
  if (nombre_assertions == 0) return "1";
  std::string r = "(" + table_assertions[0] + ")";
  for (int i = 1; i < nombre_assertions; ++i) r += " and (" + table_assertions[i] + ")";
  return r;
}

// Each step becomes two outputs for an external simulator: its activity
// (continuous) and its activation (impulsive), driven by two new actions.
void tpen_fichier::export_etapes() {
  int n = nombre_outputs;
  int m = nombre_etapes;
  if (m == 0) return;
  auto* sorties = new gt_declaration_variables[n + 2 * m];
  for (int i = 0; i < n; ++i) sorties[i] = table_outputs[i];
  delete[] table_outputs;
  table_outputs = sorties;
  for (int i = 0; i < m; ++i) {
    tpen_etape& e = table_etapes[i];
    std::string zx = "EXPORTED_ZX" + e.nom;
    std::string re = "EXPORTED_RE" + e.nom;
    sorties[n + 2 * i] = gt_declaration_variables("bool", &zx);
    sorties[n + 2 * i + 1] = gt_declaration_variables("event", &re);
    e.actions.push_back(tpen_action(n + 2 * i, 1, "1"));
    e.actions.push_back(tpen_action(n + 2 * i + 1, 4, "1"));
  }
  nombre_outputs = n + 2 * m;
}
