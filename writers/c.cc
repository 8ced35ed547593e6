// The C target: a .c file with the registers, the reset function and the
// reaction function of the automaton, and a .h file with their prototypes;
// the writers of both automata and the equational node networks.
#include <algorithm>

#include "b_automaton.h"
#include "ecrivains.h"
#include "noms_cibles.h"

namespace {

const char* const fonction_remise = "_reset_automaton";
const char* const fonction_reaction = "_automaton";

// The same parameters for both functions of both files: the inputs by
// value, then the outputs through pointers.
std::string parametres(const std::string& module, const std::vector<std::string>& entrees,
                       const std::vector<std::string>& sorties) {
  std::vector<std::string> p;
  for (auto const& e : entrees) p.push_back("int " + prefixe_c(module) + e);
  for (auto const& s : sorties) p.push_back("int *" + prefixe_c(module) + s);
  return liste_noms(p);
}

// The registers and their next values, both global; nothing without one.
void declare_registres(std::ostream& c, const std::vector<std::string>& etats) {
  if (etats.empty()) return;
  std::vector<std::string> noms = etats;
  for (auto const& e : etats) noms.push_back(e + "next");
  declare_entiers(c, noms, "int ", "    ");
  c << std::endl;
}

void ouvre_fonction(std::ostream& c, const std::string& module, const char* fonction,
                    const std::string& p) {
  c << "void " << module << fonction << "(" << p << ")" << std::endl << "{" << std::endl;
}

void prototypes(std::ostream& h, const std::string& module, const std::string& p) {
  h << "extern void " << module << fonction_remise << "(" << p << ");" << std::endl
    << std::endl
    << "extern void " << module << fonction_reaction << "(" << p << ");" << std::endl;
}

}  // namespace

// The registers take their next values only at the end.
void FBA::c_put(std::ostream& c, std::ostream& h, int method) const {
  std::string pre = prefixe_c(name);
  std::string p = parametres(name, fba_noms_entrees(*this), fba_noms_actions(*this));
  std::vector<std::string> registres = fba_registres_c(*this);
  declare_registres(c, registres);
  ouvre_fonction(c, name, fonction_remise, p);
  initialise_registres_c(c, registres, fba_valeurs_initiales(*this));
  c << "}" << std::endl << std::endl;
  ouvre_fonction(c, name, fonction_reaction, p);
  fba_etats_suivants_c(c, *this, method);
  c << std::endl;
  for (int j = 0; j < actions_number; ++j) {
    c << "  *" << pre << action_names[j] << "= ";
    ecrit_sop_c(c, *manager, emissions[j], name, method);
    c << ";" << std::endl;
  }
  c << std::endl;
  recopie_registres_c(c, registres, fba_suivants_c(*this));
  c << "}" << std::endl << std::endl;
  prototypes(h, name, p);
}

// The equations print as node networks: the cover method is not used. The
// array holds one element per node the manager has created so far.
void b_automaton::C_put(std::ostream& c, std::ostream& h, int, std::string const& module) {
  std::string pre = prefixe_c(module);
  int n = names.nb_state_vars;
  std::vector<std::string> registres = prefixe_noms(noms_table(names.state_names, n), pre);
  std::vector<std::string> sorties = noms_table(names.output_names, names.nb_outputs);
  std::vector<std::string> locales = noms_table(names.local_names, names.nb_locals);
  std::string p = parametres(module, noms_table(names.input_names, names.nb_inputs), sorties);
  declare_registres(c, registres);
  ouvre_fonction(c, module, fonction_remise, p);
  initialise_registres_c(c, registres, valeurs_initiales(initial_values, n));
  c << "}" << std::endl << std::endl;
  ouvre_fonction(c, module, fonction_reaction, p);
  if (!locales.empty())
    c << "  int " << liste_noms(prefixe_noms(locales, pre)) << ";" << std::endl << std::endl;
  std::string tableau = tableau_noeuds_c(module);
  c << "  int " << tableau << "[" << wood->Manager()->Bdd_total_size() << "];" << std::endl;
  if (wood->exp_number() > 0) {
    c << "  /* internal definitions */" << std::endl;
    wood->Put_c(c, tableau, std::list<std::string>(sorties.begin(), sorties.end()), pre, "");
    c << std::endl;
  }
  if (n > 0) {
    c << "  /* internal transitions */" << std::endl;
    recopie_registres_c(c, registres, prefixe_noms(noms_table(names.next_state_names, n), pre));
    c << std::endl;
  }
  c << "}" << std::endl << std::endl;
  prototypes(h, module, p);
  h << std::endl;
}

void Bddexpressionwood::Put_c(std::ostream& os, std::string const& array,
                              std::list<std::string> const& outputs, std::string const& prefix,
                              std::string const& suffix) const {
  parcours_reseau(
      manager, earliest_sort(),
      [&](long i) { exp_table[i]->put_c(os, array, outputs, prefix, suffix); }, os);
}

// An output is written through its pointer parameter.
void Bddexpression::put_c(std::ostream& os, std::string const& array,
                          std::list<std::string> const& outputs, std::string const& prefix,
                          std::string const& suffix) const {
  if (!equation_ecrivable(*this)) return;
  bddpp_manager& m = *wood->Manager();
  std::string nom = m.Name_var_by_bdd(var);
  bool sortie = std::find(outputs.begin(), outputs.end(), nom) != outputs.end();
  std::string valeur = valeur_c(os, m, exp, array, prefix, suffix);
  os << (sortie ? "  *" : "   ") << prefix << nom << suffix << "= " << valeur << ";";
}

// Both files hold both functions; the parameters, the registers, and in the
// equational form the locals and the node array, all behind the prefix.
// A parameter may not take a register's name: it would hide the register.
std::string verif_noms_c(const noms_automate& a) {
  std::string pre = prefixe_c(a.module);
  std::vector<nom_ecrit> n = {{a.module + fonction_remise, "the reset function"},
                              {a.module + fonction_reaction, "the reaction function"}};
  for (auto const& v : noms_variables(a, pre)) n.push_back(v);
  if (a.equationnel) n.push_back({tableau_noeuds_c(a.module), "the node array"});
  return verif_noms_fichier(langage_c, "C", {}, n);
}
