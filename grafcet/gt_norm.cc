// The records of the grafcet, their comparisons, and the building of a
// grafcet's tables from the lists that the parser hands over.
#include "gt_norm.h"

#include "Stringpp.h"
#include "listpp.h"

gt_declaration_variables::gt_declaration_variables() : type_variable("?"), nom_variable("?") {}

gt_declaration_variables::gt_declaration_variables(std::string* type, std::string* nom)
    : type_variable(*type), nom_variable(*nom) {}

gt_declaration_variables::gt_declaration_variables(std::string const& type, std::string* nom)
    : type_variable(type), nom_variable(*nom) {}

std::string gt_declaration_variables::nom() const { return nom_variable; }
std::string gt_declaration_variables::typev() const { return type_variable; }

tpen_action::tpen_action() : qualificatif(10), ident_output(-1), condition("1") {}

tpen_action::tpen_action(int ident_output, int qualificatif, std::string* condition)
    : qualificatif(qualificatif), ident_output(ident_output), condition(*condition) {}

tpen_action::tpen_action(int ident_output, int qualificatif, std::string const& condition)
    : qualificatif(qualificatif), ident_output(ident_output), condition(condition) {}

std::string tpen_action::convert_qualificatif() const {
  static const char* const noms[] = {"N", "R", "S", "P", "L", "D", "SD", "DS", "SL", "VIDE"};
  return qualificatif >= 1 && qualificatif <= 10 ? noms[qualificatif - 1] : "";
}

tpen_etape::tpen_etape() : type(2), x(0), y(0) {}

tpen_etape::tpen_etape(int type, int numero, int x, int y, std::list<tpen_action>* actions)
    : type(type), x(x), y(y), nom(unslong2S(static_cast<uint32_t>(numero))) {
  if (actions) this->actions = *actions;
}

std::string tpen_etape::convert_type() const {
  static const char* const noms[] = {"IS", "NS", "MS", "BMS", "EMS", "ES", "EIS", "SES", "SEIS"};
  return type >= 1 && type <= 9 ? noms[type - 1] : "";
}

tpen_transition::tpen_transition() : x(0), y(0), num(0) {}

tpen_transition::tpen_transition(int x, int y, int num) : x(x), y(y), num(num) {}

int tpen_transition::unconnected() const { return pre.empty() && post.empty() ? 1 : 0; }

tpe_graphique::tpe_graphique() {}
tpe_graphique::tpe_graphique(std::list<long>* coords) : coords(*coords) {}
tpe_graphique::tpe_graphique(std::list<long> const* coords) : coords(*coords) {}
void tpe_graphique::add(long v) { coords.push_back(v); }

lien_graphique_elem::lien_graphique_elem() : type(0), sens(3), ident(-1) {}

lien_graphique_elem::lien_graphique_elem(int type, int sens, int ident, tpe_graphique* line)
    : type(type), sens(sens), ident(ident), line(*line) {}

lien_graphique::lien_graphique() : convergence(1) {}

// The direction read from the file means nothing: in a convergence the lines
// run from the steps to the transition, in a divergence the other way.
lien_graphique::lien_graphique(int convergence, std::list<lien_graphique_elem>* sousliens)
    : convergence(convergence), sousliens(*sousliens) {
  for (auto& b : this->sousliens) {
    bool vers = (b.type != 0) == (convergence == 1);
    b.sens = vers ? 2 : 3;
  }
}

tpe_transition::tpe_transition() : num(0), x(0), y(0) {}

tpe_transition::tpe_transition(int num, int x, int y, std::list<int>* from, std::list<int>* to,
                               std::string* receptivite)
    : num(num), x(x), y(y), receptivite(*receptivite), from(*from), to(*to) {}

int operator==(gt_declaration_variables const& a, gt_declaration_variables const& b) {
  return a.type_variable == b.type_variable && a.nom_variable == b.nom_variable;
}
int operator!=(gt_declaration_variables const& a, gt_declaration_variables const& b) {
  return !(a == b);
}

int operator==(tpen_action const& a, tpen_action const& b) {
  return a.qualificatif == b.qualificatif && a.ident_output == b.ident_output &&
         a.condition == b.condition;
}
int operator!=(tpen_action const& a, tpen_action const& b) { return !(a == b); }

int operator!=(tpen_etape const& a, tpen_etape const& b) {
  bool egales = a.type == b.type && a.x == b.x && a.y == b.y && a.nom == b.nom &&
                a.actions == b.actions && a.pre == b.pre && a.post == b.post;
  return egales ? 0 : 1;
}

int operator==(tpe_graphique const& a, tpe_graphique const& b) { return a.coords == b.coords; }
int operator!=(tpe_graphique const& a, tpe_graphique const& b) { return !(a == b); }

int operator==(lien_graphique_elem const& a, lien_graphique_elem const& b) {
  return a.type == b.type && a.sens == b.sens && a.ident == b.ident && a.line == b.line;
}
int operator!=(lien_graphique_elem const& a, lien_graphique_elem const& b) { return !(a == b); }

int operator==(lien_graphique const& a, lien_graphique const& b) {
  return a.convergence == b.convergence && a.sousliens == b.sousliens;
}
int operator!=(lien_graphique const& a, lien_graphique const& b) { return !(a == b); }

int operator!=(tpe_transition const& a, tpe_transition const& b) {
  bool egales = a.num == b.num && a.receptivite == b.receptivite && a.x == b.x && a.y == b.y &&
                a.from == b.from && a.to == b.to;
  return egales ? 0 : 1;
}

tpen_fichier::tpen_fichier()
    : nombre_assertions(0),
      table_assertions(nullptr),
      nombre_etapes(0),
      nombre_transitions(0),
      nombre_inputs(0),
      nombre_outputs(0),
      nombre_liens(0),
      table_inputs(nullptr),
      table_outputs(nullptr),
      table_etapes(nullptr),
      table_transitions(nullptr),
      table_liens(nullptr) {}

tpen_fichier::tpen_fichier(std::string* nom_module, std::list<gt_declaration_variables>* inputs,
                           std::list<gt_declaration_variables>* outputs)
    : tpen_fichier() {
  this->nom_module = *nom_module;
  nombre_inputs = static_cast<int>(inputs->size());
  nombre_outputs = static_cast<int>(outputs->size());
  table_inputs = array_convert(*inputs);
  table_outputs = array_convert(*outputs);
}

tpen_fichier::~tpen_fichier() {
  delete[] table_assertions;
  delete[] table_inputs;
  delete[] table_outputs;
  delete[] table_etapes;
  delete[] table_transitions;
  delete[] table_liens;
}

tpen_etape* tpen_fichier::parse_etapes(std::list<tpen_etape>* steps) {
  delete[] table_etapes;
  nombre_etapes = static_cast<int>(steps->size());
  table_etapes = array_convert(*steps);
  return table_etapes;
}

lien_graphique* tpen_fichier::parse_body(std::list<tpe_transition>* transitions,
                                         std::list<lien_graphique>* links,
                                         std::list<std::string>* assertions) {
  delete[] table_assertions;
  nombre_assertions = static_cast<int>(assertions->size());
  table_assertions = array_convert(*assertions);
  normalise_table_transitions(transitions);
  normalise_liens_etape_transition(transitions);
  delete[] table_liens;
  nombre_liens = static_cast<int>(links->size());
  table_liens = array_convert(*links);
  return table_liens;
}

void tpen_fichier::normalise_table_transitions(std::list<tpe_transition>* transitions) {
  delete[] table_transitions;
  nombre_transitions = static_cast<int>(transitions->size());
  table_transitions = nombre_transitions ? new tpen_transition[nombre_transitions] : nullptr;
  int k = 0;
  for (auto const& t : *transitions) {
    tpen_transition& dest = table_transitions[k++];
    dest.x = t.x;
    dest.y = t.y;
    dest.num = t.num;
    dest.receptivite = t.receptivite;
  }
}

// Positions outside the step table are dropped; they are kept aside so
// that the driver can say so. The checks then see a transition that may have
// lost every link.
void tpen_fichier::normalise_liens_etape_transition(std::list<tpe_transition>* transitions) {
  ignorees.clear();
  int k = 0;
  for (auto const& t : *transitions) {
    lie_etapes(k, t.from, false);
    lie_etapes(k, t.to, true);
    ++k;
  }
}

void tpen_fichier::lie_etapes(int k, std::list<int> const& positions, bool aval) {
  std::set<int> hors_table;
  for (int a : positions) {
    if (!etape_valide(a)) {
      if (hors_table.insert(a).second) ignorees.push_back({k, a, aval});
      continue;
    }
    (aval ? table_transitions[k].post : table_transitions[k].pre).insert(a);
    (aval ? table_etapes[a].pre : table_etapes[a].post).insert(k);
  }
}

std::list<tpen_fichier::position_ignoree> const& tpen_fichier::positions_ignorees() const {
  return ignorees;
}

bool tpen_fichier::etape_valide(int i) const { return i >= 0 && i < nombre_etapes; }
bool tpen_fichier::transition_valide(int t) const { return t >= 0 && t < nombre_transitions; }
