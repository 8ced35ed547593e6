// The Arduino target: a sketch whose setup() starts the automaton and whose
// loop() runs one reaction, reading the inputs and driving the outputs
// through functions the user supplies; the writers of both automata and the
// equational node networks.
#include <algorithm>

#include "b_automaton.h"
#include "compil_messages.h"
#include "ecrivains.h"
#include "noms_cibles.h"

namespace {

bool evenement(const std::list<std::string>& evenements, const std::string& sortie) {
  return std::find(evenements.begin(), evenements.end(), sortie) != evenements.end();
}

// The user's functions: the hooks, one reader per input, and per output one
// function (an event output) or a pair for its two values.
void declarations_utilisateur(std::ostream& os, const std::vector<std::string>& entrees,
                              const std::vector<std::string>& sorties,
                              const std::list<std::string>& evenements) {
  os << "extern void my_setup(void);" << std::endl
     << "extern void my_before(void);" << std::endl
     << "extern void my_after(void);" << std::endl;
  for (auto const& e : entrees) os << "extern int " << e << "(void);" << std::endl;
  for (auto const& s : sorties) {
    if (evenement(evenements, s))
      os << "extern void " << s << "(void);" << std::endl;
    else
      os << "extern void " << s << "_true(void);" << std::endl
         << "extern void " << s << "_false(void);" << std::endl;
  }
  os << std::endl;
}

void ouvre_setup(std::ostream& os) {
  os << "void setup()" << std::endl << "{" << std::endl << "  my_setup();" << std::endl;
}

// The user's hook before the reaction, then every input read into its
// variable (`egal` between them: the two writers differ by a blank).
void avant_et_entrees(std::ostream& os, const std::string& pre,
                      const std::vector<std::string>& entrees, const char* egal) {
  os << "  /* user before() function call */" << std::endl
     << "  my_before();" << std::endl
     << std::endl
     << "  /* inputs reading */" << std::endl;
  for (auto const& e : entrees) os << "  " << pre << e << egal << e << "();" << std::endl;
  os << std::endl;
}

void ferme_loop(std::ostream& os) {
  os << "  /* user after() function call */" << std::endl
     << "  my_after();" << std::endl
     << "}" << std::endl
     << std::endl;
}

// The calls of an output's functions once its value is known, behind
// `retrait`: the one function of an event output when it holds, or one of
// the pair of a level output.
void appels_sortie(std::ostream& os, const std::string& sortie, bool niveau,
                   const std::string& retrait) {
  os << "  {" << std::endl;
  if (niveau)
    os << retrait << sortie << "_true();" << std::endl
       << "  }" << std::endl
       << "  else" << std::endl
       << "  {" << std::endl
       << retrait << sortie << "_false();" << std::endl;
  else
    os << retrait << sortie << "();" << std::endl;
  os << "  }" << std::endl;
}

}  // namespace

void FBA::ino_put_grafcet(std::ostream& os, int method,
                          std::list<std::string> const& event_outputs) const {
  std::string pre = prefixe_c(name);
  std::vector<std::string> entrees = fba_noms_entrees(*this), actions = fba_noms_actions(*this);
  std::vector<std::string> registres = fba_registres_c(*this), suivants = fba_suivants_c(*this);
  declarations_utilisateur(os, entrees, actions, event_outputs);
  std::vector<std::string> globales = registres;
  for (auto const& noms : {entrees, actions})
    for (auto const& g : prefixe_noms(noms, pre)) globales.push_back(g);
  globales.insert(globales.end(), suivants.begin(), suivants.end());
  if (!globales.empty()) {
    declare_entiers(os, globales, "int ", "    ");
    os << std::endl;
  }
  ouvre_setup(os);
  initialise_registres_c(os, registres, fba_valeurs_initiales(*this));
  os << "}" << std::endl << std::endl;
  os << "void loop()" << std::endl << "{" << std::endl;
  avant_et_entrees(os, pre, entrees, "= ");
  fba_etats_suivants_c(os, *this, method);
  os << std::endl;
  for (int j = 0; j < actions_number; ++j) {
    os << "  " << pre << action_names[j] << "= ";
    ecrit_sop_c(os, *manager, emissions[j], name, method);
    os << ";" << std::endl << "  if(" << pre << action_names[j] << ")" << std::endl;
    appels_sortie(os, action_names[j], !evenement(event_outputs, action_names[j]), "    ");
  }
  os << std::endl;
  recopie_registres_c(os, registres, suivants);
  ferme_loop(os);
}

// The equations print as node networks: the cover method is not used.
void b_automaton::INO_put_grafcet(std::ostream& os, int, std::string const& module,
                                  std::list<std::string> const& event_outputs) {
  std::string pre = prefixe_c(module);
  int n = names.nb_state_vars;
  std::vector<std::string> registres = prefixe_noms(noms_table(names.state_names, n), pre);
  std::vector<std::string> entrees = noms_table(names.input_names, names.nb_inputs);
  std::vector<std::string> sorties = noms_table(names.output_names, names.nb_outputs);
  declarations_utilisateur(os, entrees, sorties, event_outputs);
  if (n > 0) {
    declare_entiers(os, registres, "int ", "    ");
    os << std::endl;
  }
  ouvre_setup(os);
  initialise_registres_c(os, registres, valeurs_initiales(initial_values, n));
  os << "}" << std::endl << std::endl << "void loop()" << std::endl << "{" << std::endl;
  if (n > 0) {
    std::vector<std::string> suivants;
    for (auto const& r : registres) suivants.push_back(r + "next");
    declare_entiers(os, suivants, "  int ", "      ");
    os << std::endl;
  }
  std::vector<std::string> locales = noms_table(names.local_names, names.nb_locals);
  locales.insert(locales.end(), entrees.begin(), entrees.end());
  if (!locales.empty()) {
    declare_entiers(os, prefixe_noms(locales, pre), "  int ", "      ");
    os << std::endl;
  }
  bddpp_manager& m = *wood->Manager();
  std::string tableau = tableau_noeuds_c(module);
  os << "  int " << tableau << "[" << m.Bdd_total_size() << "];" << std::endl << std::endl;
  avant_et_entrees(os, pre, entrees, "=");
  // A level flag per declared variable, by index; a listed name that is no
  // declared variable changes nothing.
  std::vector<int> niveaux(2 * n + names.nb_inputs + names.nb_outputs + names.nb_locals, 1);
  for (auto const& e : event_outputs) {
    long i = m.Index_var_by_name(e);
    if (i >= 0 && i < static_cast<long>(niveaux.size())) niveaux[i] = 0;
  }
  if (wood->exp_number() > 0) {
    os << "  /* internal definitions */" << std::endl;
    wood->Put_ino_grafcet(os, tableau, std::list<std::string>(sorties.begin(), sorties.end()), pre,
                          "", niveaux);
    os << std::endl;
  }
  if (n > 0) {
    os << "  /* internal transitions */" << std::endl;
    recopie_registres_c(os, registres, prefixe_noms(noms_table(names.next_state_names, n), pre));
    os << std::endl;
  }
  ferme_loop(os);
}

void Bddexpressionwood::Put_ino_grafcet(std::ostream& os, std::string const& array,
                                        std::list<std::string> const& outputs,
                                        std::string const& prefix, std::string const& suffix,
                                        std::vector<int> const& level) const {
  parcours_reseau(
      manager, earliest_sort(),
      [&](long i) { exp_table[i]->put_ino_grafcet(os, array, outputs, prefix, suffix, level); },
      os);
}

// Outputs are never stored: each becomes the test of its value and the call
// of the user's functions. Any other equation is written as in C.
void Bddexpression::put_ino_grafcet(std::ostream& os, std::string const& array,
                                    std::list<std::string> const& outputs,
                                    std::string const& prefix, std::string const& suffix,
                                    std::vector<int> const& level) const {
  if (!equation_ecrivable(*this)) return;
  bddpp_manager& m = *wood->Manager();
  std::string nom = m.Name_var_by_bdd(var);
  if (std::find(outputs.begin(), outputs.end(), nom) == outputs.end()) {
    put_c(os, array, outputs, prefix, suffix);
    return;
  }
  std::string valeur = valeur_c(os, m, exp, array, prefix, suffix);
  os << "  if(" << valeur << ")" << std::endl;
  long i = m.Index_var_by_bdd(var);
  bool niveau = i < 0 || i >= static_cast<long>(level.size()) || level[i] == 1;
  appels_sortie(os, nom, niveau, "     ");
}

// The user's functions bear the plain names of the inputs and outputs,
// beside the hooks, setup() and loop(), and the main() of the Arduino
// environment that calls them; the variables, behind the prefix, are the
// registers, and in the symbolic form the inputs and outputs, in the
// equational form the inputs, the locals and the node array.
std::string verif_noms_ino(const noms_automate& a, const std::list<std::string>& evenements) {
  std::string pre = prefixe_c(a.module);
  std::vector<nom_ecrit> n;
  for (const char* f : {"setup", "loop"})
    n.push_back({f, std::string("the sketch's function ") + f, true});
  n.push_back({"main", "the function main of the Arduino environment", true});
  for (const char* f : {"my_setup", "my_before", "my_after"})
    n.push_back({f, std::string("the user's hook ") + f});
  ajoute_noms(n, a.entrees, origine_input);
  for (auto const& s : a.sorties) {
    if (evenement(evenements, s)) {
      n.push_back({s, origine_output(s)});
    } else {
      n.push_back({s + "_true", origine_output(s)});
      n.push_back({s + "_false", origine_output(s)});
    }
  }
  ajoute_noms(n, a.etats, origine_etat, pre);
  ajoute_noms(n, a.entrees, origine_input, pre);
  if (!a.equationnel) ajoute_noms(n, a.sorties, origine_output, pre);
  ajoute_noms(n, a.suivants, origine_suivant, pre);
  ajoute_noms(n, a.locales, origine_locale, pre);
  if (a.equationnel) n.push_back({tableau_noeuds_c(a.module), "the node array"});
  return verif_noms_fichier(langage_arduino, "Arduino", {}, n);
}
