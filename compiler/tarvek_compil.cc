// Building the encoding: the copy of the grafcet, the refusal of names that
// two variables would share, the variables in their fixed order with the
// identifier sets, and the receptivities and assertions parsed into BDDs.
#include "tarvek_compil.h"

#include <cstdlib>
#include <iostream>
#include <vector>

#include "Stringpp.h"
#include "compil_messages.h"
#include "g_messages.h"

namespace {

// A derived class reaches the protected tables of another grafcet only
// through pointers to members named by the derived class.
template <typename T>
T const& champ(tpen_fichier const* g, T tpen_fichier::*membre) {
  return g->*membre;
}

// A count below 0 gives no table, 0 an empty one.
template <typename T>
T* copie_table(T const* source, int n) {
  if (n < 0) return nullptr;
  T* r = new T[n];
  for (int i = 0; i < n; ++i) r[i] = source[i];
  return r;
}

enum ensemble_ident { cond_ext = 1, even_ext = 2, cond_int = 4, even_int = 8 };

struct variable_grafcet {
  variable_nommee v;
  int ensembles;  // the identifier sets that receive its number
};

// Every variable of the manager, in creation order. The refusal of shared
// names and the creation walk this one list, so they cannot disagree.
std::vector<variable_grafcet> variables_du_grafcet(tpen_fichier& g) {
  std::vector<variable_grafcet> r;
  gt_declaration_variables* inputs = g.ma_table_inputs();
  for (int i = 0; i < g.nbr_inputs(); ++i) {
    std::string nom = inputs[i].nom();
    if (inputs[i].typev() == "bool") {
      r.push_back({{nom, origine_input(nom), false}, cond_ext});
      r.push_back({{nom + "_pre_", origine_pre(nom), false}, cond_int});
    } else if (inputs[i].typev() == "event") {
      r.push_back({{nom, origine_input(nom), false}, even_ext});
    }
  }
  for (int s = 0; s < g.nbr_etapes(); ++s) {
    std::string etape = origine_etape(g.nom_etape(s));
    r.push_back({{"RE" + g.nom_etape(s), etape, true}, even_int | cond_int});
    r.push_back({{"FE" + g.nom_etape(s), etape, true}, even_int | cond_int});
    r.push_back({{"X" + g.nom_etape(s), etape, true}, cond_int});
    r.push_back({{"RTL" + g.nom_etape(s), etape, true}, cond_int});
  }
  return r;
}

bool est_zero(bddpp_manager* m, bdd const& f) { return m->Bdd_is_zero_tautologic(f) != 0; }

// Only "=1" and blanks: the text says nothing but the constant 1.
bool que_des_egal_un(std::string const& texte) {
  for (size_t i = 0; i < texte.size(); ++i) {
    if (texte.compare(i, 2, "=1") == 0)
      ++i;
    else if (texte[i] != ' ')
      return false;
  }
  return true;
}

}  // namespace

tpen_BDD_fichier::tpen_BDD_fichier(tpen_fichier* grafcet)
    : manager(nullptr),
      table_bdd_assertions(nullptr),
      table_bdd_recept(nullptr),
      table_gardes(nullptr) {
  copie_grafcet(grafcet);
  verif_noms_variables();
  cree_bdd_manager();
  cree_table_bdd_recept();
  cree_table_bdd_assertions();
}

// Handles hold references on the manager's nodes: they go before it.
tpen_BDD_fichier::~tpen_BDD_fichier() {
  delete[] table_bdd_recept;
  delete[] table_bdd_assertions;
  assertion_generale = bdd();
  delete manager;
  delete[] table_gardes;
}

void tpen_BDD_fichier::copie_grafcet(tpen_fichier* g) {
  nom_module = g->mon_nom_module();
  nombre_assertions = g->nbr_assertions();
  if (nombre_assertions >= 0) {
    table_assertions = new std::string[nombre_assertions];
    for (int i = 0; i < nombre_assertions; ++i) table_assertions[i] = g->assertion_textuelle(i);
  }
  nombre_etapes = g->nbr_etapes();
  table_etapes = copie_table(champ(g, &tpen_BDD_fichier::table_etapes), nombre_etapes);
  nombre_transitions = champ(g, &tpen_BDD_fichier::nombre_transitions);
  table_transitions =
      copie_table(champ(g, &tpen_BDD_fichier::table_transitions), nombre_transitions);
  if (nombre_transitions >= 0) table_gardes = new int[nombre_transitions]();
  nombre_inputs = g->nbr_inputs();
  table_inputs = copie_table(g->ma_table_inputs(), nombre_inputs);
  nombre_outputs = g->nbr_outputs();
  table_outputs = copie_table(g->ma_table_outputs(), nombre_outputs);
  nombre_liens = g->nbr_liens();
  table_liens = copie_table(champ(g, &tpen_BDD_fichier::table_liens), nombre_liens);
}

void tpen_BDD_fichier::verif_noms_variables() {
  std::vector<variable_nommee> noms;
  for (auto const& v : variables_du_grafcet(*this)) noms.push_back(v.v);
  verif_noms_partages(noms);
}

void tpen_BDD_fichier::cree_bdd_manager() {
  manager = new bddpp_manager;
  int numero = 0;
  for (auto const& v : variables_du_grafcet(*this)) {
    manager->New_var_last(v.v.nom);
    if (v.ensembles & cond_ext) conditions_externes.insert(numero);
    if (v.ensembles & even_ext) evenements_externes.insert(numero);
    if (v.ensembles & even_int) evenements_internes.insert(numero);
    if (v.ensembles & cond_int) conditions_internes.insert(numero);
    ++numero;
  }
}

void tpen_BDD_fichier::cree_table_bdd_recept() {
  if (nombre_transitions < 0) return;
  table_bdd_recept = new bdd[nombre_transitions];
  for (int t = 0; t < nombre_transitions; ++t) table_bdd_recept[t] = receptivite(t);
}

// "A : B" is guarded; a part that gives 0 (an empty one among them) stands
// for 1, and one that says more than nothing is noted for a warning.
// Without a colon, any "=1" in the text makes the receptivity 1, which
// stored files rely on; a text that says more is noted for a warning.
bdd tpen_BDD_fichier::receptivite(int t) {
  std::string const& texte = table_transitions[t].receptivite;
  int k = find(texte, ":");
  if (k < 0) {
    if (!contains(texte, "=1")) return condition_receptivite(texte);
    if (!que_des_egal_un(texte)) transitions_egal_un.insert(t);
    return manager->Bdd_one();
  }
  table_gardes[t] = 1;
  bdd a = partie_gardee(t, my_before(texte, k));
  bdd b = partie_gardee(t, my_after(texte, k + 1));
  return manager->Bdd_and(a, b);
}

// A part made of blanks only, as in "a : ", is an empty part: the parser
// would take its blank for an unknown name and stop the compilation.
bdd tpen_BDD_fichier::partie_gardee(int t, std::string const& texte) {
  size_t debut = texte.find_first_not_of(' ');
  bool blanc = debut == std::string::npos;
  bdd f = condition_receptivite(blanc ? std::string() : texte);
  if (!est_zero(manager, f)) return f;
  if (!blanc) gardes_fausses.emplace(t, texte.substr(debut, texte.find_last_not_of(' ') + 1 - debut));
  return manager->Bdd_one();
}

bdd tpen_BDD_fichier::condition_receptivite(std::string const& texte) {
  int erreur = 0;
  std::string non_lu;
  bdd f = analyse_condition(manager, texte, erreur, non_lu);
  if (erreur) arrete_sur_message(message_receptivite(texte, non_lu));
  return f;
}

// An empty assertion would silently make every situation impossible; it is
// refused like a blank one.
void tpen_BDD_fichier::cree_table_bdd_assertions() {
  assertion_generale = manager->Bdd_one();
  if (nombre_assertions <= 0) return;
  table_bdd_assertions = new bdd[nombre_assertions];
  for (int i = 0; i < nombre_assertions; ++i) {
    int erreur = 0;
    std::string non_lu;
    table_bdd_assertions[i] = analyse_condition(manager, table_assertions[i], erreur, non_lu);
    if (erreur || table_assertions[i].empty())
      arrete_sur_message(message_assertion(table_assertions[i], non_lu));
    assertion_generale = manager->Bdd_and(assertion_generale, table_bdd_assertions[i]);
  }
}
