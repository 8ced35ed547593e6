// The conventions shared by the target writers.
#include "ecrivains.h"

#include "listpp.h"

std::string fba_nom_etat(const FBA& a, int i) { return "X" + a.state_names[i]; }

std::string fba_nom_etat_suivant(const FBA& a, int i) { return "X" + a.state_names[i] + "next"; }

std::vector<std::string> fba_noms_etats(const FBA& a) {
  std::vector<std::string> r;
  for (int i = 0; i < a.state_variables_number; ++i) r.push_back(fba_nom_etat(a, i));
  return r;
}

std::vector<std::string> fba_noms_etats_suivants(const FBA& a) {
  std::vector<std::string> r;
  for (int i = 0; i < a.state_variables_number; ++i) r.push_back(fba_nom_etat_suivant(a, i));
  return r;
}

std::vector<std::string> fba_noms_entrees(const FBA& a) {
  std::vector<std::string> r;
  for (int j = 0; j < a.inputs_number; ++j) r.push_back(a.inputs[j].name);
  return r;
}

std::vector<std::string> fba_noms_actions(const FBA& a) {
  std::vector<std::string> r;
  for (int j = 0; j < a.actions_number; ++j) r.push_back(a.action_names[j]);
  return r;
}

bdd fba_fonction_suivante(const FBA& a, int i) {
  return a.manager->Bdd_simplify3(a.force1[i], a.force0[i]);
}

bdd fba_fonction_suivante_blif(const FBA& a, int i) {
  return a.manager->Bdd_simplify(a.force1[i], a.force0[i]);
}

std::string liste_noms(const std::vector<std::string>& noms, const std::string& separateur) {
  std::string r;
  for (size_t k = 0; k < noms.size(); ++k) r += (k ? separateur : "") + noms[k];
  return r;
}

std::ostream& operator<<(std::ostream& os, const texte_sop& t) {
  if (t.vhdl) os << (t.m->Bdd_is_tautology(t.f) ? "'" : "(");
  t.m->Print_sop(t.ou, " and ", "not ", "", os, t.f, t.methode);
  if (t.vhdl) os << (t.m->Bdd_is_tautology(t.f) ? "'" : ")");
  return os;
}

texte_sop sop_en_mots(bddpp_manager* m, const bdd& f, int methode) {
  return {m, f, methode, " or ", false};
}

bool bdd_vide(const bdd& f) { return !f.manager_ref() || !f.node(); }

std::vector<std::string> noms_table(const std::string* table, int n) {
  return n > 0 ? std::vector<std::string>(table, table + n) : std::vector<std::string>();
}

std::vector<std::string> prefixe_noms(const std::vector<std::string>& noms,
                                      const std::string& prefixe) {
  std::vector<std::string> r;
  for (auto const& n : noms) r.push_back(prefixe + n);
  return r;
}

std::string prefixe_c(const std::string& module) { return module + "_"; }

void ecrit_sop_c(std::ostream& os, bddpp_manager& m, const bdd& f, const std::string& module,
                 int method) {
  m.Print_sop_pref_suff(" || ", " && ", "! ", "", os, f, prefixe_c(module).c_str(), "", method);
}

const char* valeur_initiale_c(bool vrai) { return vrai ? "!0" : "0"; }

void declare_entiers(std::ostream& os, const std::vector<std::string>& noms,
                     const std::string& premier, const std::string& autres) {
  for (size_t k = 0; k < noms.size(); ++k)
    os << (k ? autres : premier) << noms[k] << (k + 1 < noms.size() ? "," : ";") << std::endl;
}

void initialise_registres_c(std::ostream& os, const std::vector<std::string>& registres,
                            const std::vector<bool>& initiales) {
  for (size_t i = 0; i < registres.size(); ++i)
    os << "  " << registres[i] << "= " << valeur_initiale_c(initiales[i]) << ";" << std::endl;
}

void recopie_registres_c(std::ostream& os, const std::vector<std::string>& registres,
                         const std::vector<std::string>& suivants) {
  for (size_t i = 0; i < registres.size(); ++i)
    os << "  " << registres[i] << "= " << suivants[i] << ";" << std::endl;
}

std::vector<std::string> fba_registres_c(const FBA& a) {
  return prefixe_noms(fba_noms_etats(a), prefixe_c(a.name));
}

std::vector<std::string> fba_suivants_c(const FBA& a) {
  return prefixe_noms(fba_noms_etats_suivants(a), prefixe_c(a.name));
}

std::vector<bool> fba_valeurs_initiales(const FBA& a) {
  std::vector<bool> r;
  for (int i = 0; i < a.state_variables_number; ++i) r.push_back(a.variable_initialy_true(i));
  return r;
}

std::vector<bool> valeurs_initiales(const int* table, int n) {
  std::vector<bool> r;
  for (int i = 0; i < n; ++i) r.push_back(table[i] == 1);
  return r;
}

const char* mot_valeur_initiale(int valeur) {
  return valeur == 1 ? "true" : valeur == 0 ? "false" : "???";
}

// All next values come before any output, which may read them: this also
// fixes the order in which the simplifications create their nodes.
void fba_etats_suivants_c(std::ostream& os, const FBA& a, int method) {
  std::vector<std::string> suivants = fba_suivants_c(a);
  for (int i = 0; i < a.state_variables_number; ++i) {
    os << "  " << suivants[i] << "= ";
    ecrit_sop_c(os, *a.manager, fba_fonction_suivante(a, i), a.name, method);
    os << ";" << std::endl;
  }
}

std::string tableau_noeuds_c(const std::string& module) { return module + "_def_node"; }

bool equation_ecrivable(const Bddexpression& e) {
  return e.getWood() && e.getWood()->Manager() && !bdd_vide(e.getBddVar()) &&
         !bdd_vide(e.getBddExp());
}

std::string valeur_c(std::ostream& os, bddpp_manager& m, const bdd& f, const std::string& tableau,
                     const std::string& prefixe, const std::string& suffixe) {
  if (m.Bdd_is_var(f)) return prefixe + m.Name_var_by_bdd(f) + suffixe;
  m.Print_node_for_eval(" || ", " && ", "!", "", prefixe, suffixe, "0", ";", tableau, os, f.node());
  return element_c(f, tableau);
}

std::string element_c(const bdd& f, const std::string& tableau) {
  return std::string(f.link_type() == -1 ? "!" : "") + tableau + "[" +
         std::to_string(f.node()->global_id) + "]";
}

template <typename Indexes>
static std::set<long> lues_par(Bddexpressionwood& w, const Indexes& equations) {
  std::set<long> r;
  for (long i : equations) {
    Bddexpression* e = w.exp_by_index(i);
    if (!e || !equation_ecrivable(*e)) continue;
    std::set<long> d = w.Manager()->set_of_index_depend_on(e->getBddExp());
    r.insert(d.begin(), d.end());
  }
  return r;
}

std::set<long> indexes_lus(Bddexpressionwood& w) { return lues_par(w, w.Exp_ids()); }

std::set<long> indexes_lus(Bddexpressionwood& w, const std::list<long>& equations) {
  return lues_par(w, equations);
}

void ouvre_processus_vhdl(std::ostream& os, bddpp_manager& m, const std::string& array,
                          const std::list<std::string>& inputs,
                          const std::list<std::string>& outputs,
                          const std::list<std::string>& resets, bool sorties_a_zero) {
  os << "process (reset,clk)" << std::endl
     << "begin" << std::endl
     << "  if (reset = '0') then " << std::endl;
  if (sorties_a_zero)
    for (auto const& o : outputs) os << "    " << o << " <= '0';" << std::endl;
  for (auto const& r : resets) os << "    " << r << ";" << std::endl;
  for (auto const& in : inputs) m.Print_node_for_eval_VHDL_reset_input(array, os, in);
  os << "  elsif ( clk'event and clk='1') then " << std::endl;
}

void affecte_sorties_vhdl(std::ostream& os, Bddexpressionwood& w, const std::string& array,
                          const std::list<std::string>& outputs) {
  for (long i : w.Exp_ids()) {
    Bddexpression* e = w.exp_by_index(i);
    if (!e || !equation_ecrivable(*e)) continue;
    std::string nom = w.Manager()->Name_var_by_bdd(e->getBddVar());
    if (item_in(outputs, nom))
      os << "      " << nom << " <= " << e->getBddExp().vhdl_node_name(array) << ";" << std::endl;
  }
}

std::string type_vhdl(int altera) { return altera ? "std_logic" : "bit"; }

void entite_ports_vhdl(std::ostream& os, const std::string& m, int altera,
                       const std::vector<std::string>& entrees, const std::string& reset,
                       const std::string& horloge, const std::vector<std::string>& sorties,
                       const std::string& retrait) {
  std::string t = type_vhdl(altera);
  os << "entity " << m << " is" << std::endl << "  port(";
  for (auto const& e : entrees) os << e << ", ";
  os << " " << reset << ", " << horloge << ": in " << t;
  if (sorties.empty())
    os << ");" << std::endl;
  else
    os << ";" << std::endl << retrait << liste_noms(sorties) << ": out " << t << ");" << std::endl;
  os << "end " << m << ";" << std::endl << std::endl;
  os << "architecture " << m << "_a of " << m << " is" << std::endl;
}

texte_sop valeur_vhdl(bddpp_manager& m, const bdd& f, int method) { return {&m, f, method, ") or (", true}; }

void signaux_vhdl(std::ostream& os, const std::vector<std::string>& noms, const std::string& t) {
  if (noms.empty()) return;
  os << "signal " << liste_noms(noms);
  for (auto const& s : noms) os << ", " << s << "next";
  os << " :" << t << ";" << std::endl << std::endl;
}

void fba_reaction_vhdl(std::ostream& os, const FBA& a, const std::vector<std::string>& actions,
                       const std::vector<bdd>& suivantes, int method) {
  std::vector<std::string> etats = fba_noms_etats(a);
  for (int j = 0; j < a.actions_number; ++j)
    os << "    " << actions[j] << " <= " << valeur_vhdl(*a.manager, a.emissions[j], method) << ";"
       << std::endl;
  os << std::endl;
  for (int i = 0; i < a.state_variables_number; ++i)
    os << "    " << etats[i] << " <= " << fba_nom_etat_suivant(a, i) << ";" << std::endl;
  os << "  end if;" << std::endl << "end process;" << std::endl << std::endl;
  os << "-- future computation" << std::endl;
  for (int i = 0; i < a.state_variables_number; ++i)
    os << "  " << fba_nom_etat_suivant(a, i)
       << " <= " << valeur_vhdl(*a.manager, suivantes[i], method) << ";" << std::endl
       << std::endl;
  os << "end " << a.name << "_a;" << std::endl << std::endl;
}

void parcours_reseau(bddpp_manager* m, const std::list<long>& ordre,
                     const std::function<void(long)>& ecrit, std::ostream& os) {
  if (!m) return;
  m->Bdd_global_clear_marks();
  for (long i : ordre) {
    ecrit(i);
    os << std::endl;
  }
}
