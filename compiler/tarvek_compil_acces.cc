// Reading the encoding: variables, receptivities, guard flags, assertions,
// the step variables found by name, action conditions and the text of a BDD.
#include <cstdlib>
#include <iostream>

#include "compil_messages.h"
#include "g_messages.h"
#include "tarvek_compil.h"

bddpp_manager* tpen_BDD_fichier::man() { return manager; }
int tpen_BDD_fichier::nombre_variables() { return manager->nbr_variables(); }
std::string tpen_BDD_fichier::nom_variable(int i) { return manager->Name_var_by_index(i); }
bdd tpen_BDD_fichier::bdd_variable(int i) { return manager->Bdd_var_by_index(i); }

bdd tpen_BDD_fichier::bdd_variable(std::string name) {
  if (name == "0") return manager->Bdd_zero();
  if (name == "1") return manager->Bdd_one();
  return manager->Bdd_var_by_name(name);
}

bdd tpen_BDD_fichier::bdd_receptivite_transition(int t) {
  if (t < 0 || t >= nombre_transitions) {
    std::cerr << "PROBLEME DANS L'UTILISATION DE 'bdd_receptivite_transition()':" << std::endl
              << "IDENT " << t << " DEMANDE" << std::endl;
    return manager->Bdd_zero();
  }
  return table_bdd_recept[t];
}

std::set<int> tpen_BDD_fichier::ens_ident_transitions_egal_un() const {
  return transitions_egal_un;
}

std::map<int, std::string> tpen_BDD_fichier::parties_gardees_fausses() const {
  return gardes_fausses;
}

int tpen_BDD_fichier::transition_gardee(int t) {
  return t < 0 || t >= nombre_transitions ? 0 : table_gardes[t];
}

bdd* tpen_BDD_fichier::ma_table_assertions() { return table_bdd_assertions; }

bdd tpen_BDD_fichier::assertion(int i) {
  if (i < 0 || i >= nombre_assertions) return manager->Bdd_one();
  return table_bdd_assertions[i];
}

tpen_BDD_fichier::variables_etapes const& tpen_BDD_fichier::index_etapes() {
  variables_etapes& x = index_etapes_;
  if (x.nbr_variables == manager->nbr_variables() && static_cast<int>(x.X.size()) == nombre_etapes)
    return x;
  x.nbr_variables = manager->nbr_variables();
  auto index = [&](const char* prefixe, int s) {
    return static_cast<int>(manager->Index_var_by_name(prefixe + table_etapes[s].nom));
  };
  x.RE.assign(nombre_etapes, -1);
  x.FE.assign(nombre_etapes, -1);
  x.X.assign(nombre_etapes, -1);
  x.etapes_RE.assign(x.nbr_variables + 1, {});
  x.etapes_FE.assign(x.nbr_variables + 1, {});
  for (int s = 0; s < nombre_etapes; ++s) {
    x.RE[s] = index("RE", s);
    x.FE[s] = index("FE", s);
    x.X[s] = index("X", s);
    x.etapes_RE[x.RE[s] + 1].push_back(s);
    x.etapes_FE[x.FE[s] + 1].push_back(s);
  }
  return x;
}

std::shared_ptr<const lectures_receptivites> tpen_BDD_fichier::lectures() {
  int n = nombre_variables();
  if (lectures_ && lectures_->nbr_variables == n) return lectures_;
  auto l = std::make_shared<lectures_receptivites>();
  l->nbr_variables = n;
  l->lecteurs.resize(n);
  l->interne.assign(n, 0);
  int transitions = static_cast<int>(ens_ident_transitions().size());
  for (int t = 0; t < transitions; ++t)
    for (long i : manager->set_of_index_depend_on(bdd_receptivite_transition(t)))
      if (i >= 0 && i < n) l->lecteurs[i].push_back(t);
  for (int v : ens_var_internes())
    if (v >= 0 && v < n) l->interne[v] = 1;
  lectures_ = l;
  return l;
}

// A bad position here is a fault of the compiler itself: going on would
// build the automaton on a wrong variable.
int tpen_BDD_fichier::ident_variable_etape(std::vector<int> variables_etapes::*table, int s,
                                           const char* operation) {
  if (s < 0 || s >= nombre_etapes) {
    std::cerr << "ERREUR INTERNE 2 D'ACCES DANS '" << operation << "()'" << std::endl
              << "acces a l'etape " << s << " avec seulement " << nombre_etapes << " etapes!"
              << std::endl;
    exit(1);
  }
  return (index_etapes().*table)[s];
}

int tpen_BDD_fichier::ident_garde_RE_etape(int s) {
  return ident_variable_etape(&variables_etapes::RE, s, "ident_garde_RE_etape");
}

int tpen_BDD_fichier::ident_garde_FE_etape(int s) {
  return ident_variable_etape(&variables_etapes::FE, s, "ident_garde_FE_etape");
}

int tpen_BDD_fichier::ident_cond_X_etape(int s) {
  if (s < 0 || s >= nombre_etapes) {
    std::cerr << "ERREUR INTERNE 2 D'ACCES DANS 'ident_cond_X_etape()'" << std::endl;
    return 0;
  }
  return index_etapes().X[s];
}

// Placeholders that no compilation calls: 0 for every step.
int tpen_BDD_fichier::ident_nongarde_RE_etape(int s) {
  ident_variable_etape(&variables_etapes::RE, s, "ident_nongarde_RE_etape");
  std::cerr << " tpen_fichier::ident_nongarde_RE_etape(int ident) arefaire ?" << std::endl;
  return 0;
}

int tpen_BDD_fichier::ident_nongarde_FE_etape(int s) {
  ident_variable_etape(&variables_etapes::FE, s, "ident_nongarde_FE_etape");
  std::cerr << "tpen_fichier::ident_nongarde_FE_etape(int ident) a refaire ?" << std::endl;
  return 0;
}

std::set<int> tpen_BDD_fichier::ens_ident_etape_by(
    std::vector<std::vector<int>> variables_etapes::*table, std::set<int> const& variables) {
  std::vector<std::vector<int>> const& etapes = index_etapes().*table;
  std::set<int> r;
  for (int v : variables)
    if (v >= -1 && v + 1 < static_cast<int>(etapes.size()))
      r.insert(etapes[v + 1].begin(), etapes[v + 1].end());
  return r;
}

std::set<int> tpen_BDD_fichier::ens_ident_etape_by_RE(std::set<int> variables) {
  return ens_ident_etape_by(&variables_etapes::etapes_RE, variables);
}

std::set<int> tpen_BDD_fichier::ens_ident_etape_by_FE(std::set<int> variables) {
  return ens_ident_etape_by(&variables_etapes::etapes_FE, variables);
}

// An empty condition would silently never hold; it is refused like a blank
// one.
bdd tpen_BDD_fichier::bdd_cond_action(int s, int k) {
  if (s < 0 || s >= nombre_etapes) {
    std::cerr << "PROBLEME DANS L'UTILISATION DE `cond_action()':" << std::endl
              << "IDENT ETAPE " << s << " DEMANDE" << std::endl;
    return manager->Bdd_zero();
  }
  if (k < 0 || k >= nbr_actions(s)) {
    std::cerr << "PROBLEME INTERNE DANS L'UTILISATION DE `cond_action()':" << std::endl
              << "IDENT ACTION " << k << " DEMANDE" << std::endl;
    return manager->Bdd_zero();
  }
  std::string texte = cond_action(s, k);
  int erreur = 0;
  std::string non_lu;
  bdd f = analyse_condition(manager, texte, erreur, non_lu);
  if (erreur || texte.empty())
    arrete_sur_message(message_cond_action(table_etapes[s].nom, texte, non_lu));
  return f;
}

// Shannon expansion on the top variable, for the traces of the log. The
// handle's own manager is used, so that a function of another manager is
// written with its own names rather than misread.
std::string tpen_BDD_fichier::bddtoString(bdd f, int mode, std::string prefix,
                                          std::string suffix) const {
  bddpp_manager* m = f.manager_ref();
  if (!m || !f.node()) return "";
  if (m->Bdd_is_zero_tautologic(f)) return mode == 1 ? "not tick" : "0";
  if (m->Bdd_is_one_tautologic(f)) return mode == 1 ? "tick" : "1";
  std::string l = prefix + m->Name_var_by_index(m->Bdd_if_index(f)) + suffix;
  bdd t = m->Bdd_then(f);
  bdd e = m->Bdd_else(f);
  auto sous = [&](bdd const& g) {
    std::string texte = bddtoString(g, mode, prefix, suffix);
    return m->Bdd_is_var(g) || m->Bdd_is_negvar(g) ? texte : "(" + texte + ")";
  };
  if (m->Bdd_is_zero_tautologic(t))
    return m->Bdd_is_one_tautologic(e) ? "not " + l : "not " + l + " and " + sous(e);
  std::string r = l;
  if (!m->Bdd_is_one_tautologic(t)) r += " and " + sous(t);
  if (!m->Bdd_is_zero_tautologic(e)) {
    r += " or not " + l;
    if (!m->Bdd_is_one_tautologic(e)) r += " and " + sous(e);
  }
  return r;
}

std::set<int> tpen_BDD_fichier::ens_conditions_externes() const { return conditions_externes; }
std::set<int> tpen_BDD_fichier::ens_evenements_externes() const { return evenements_externes; }

int tpen_BDD_fichier::type_etape(int s) const {
  return s < 0 || s >= nombre_etapes ? 0 : table_etapes[s].type;
}
