// The C# target: one public class named after the module, with a boolean
// field per input, output and register, a property per input and output,
// and the methods Automaton, React and Next of one reaction; the writers of
// both automata and the C# node networks of the equations.
#include <functional>
#include <set>
#include <sstream>

#include "b_automaton.h"
#include "compil_messages.h"
#include "ecrivains.h"
#include "noms_cibles.h"

namespace {

// What differs between the classes of the two automata; the rest of the
// text is the same.
struct classe_csharp {
  std::string module;
  int points;  // of the rule lines
  std::vector<std::string> entrees, sorties;
  std::vector<std::string> registres;  // every register, next values included
  std::vector<std::string> remises;    // the body of Reset_Registers, one line each
  std::function<void(std::ostream&)> reaction;
  std::vector<std::string> recopies;  // the body of Next, one line each
  std::string fin_next;               // the line that closes Next
};

std::string regle(int points) { return "//" + std::string(points, '.'); }

void titre(std::ostream& os, const std::string& r, const char* texte) {
  os << r << std::endl << texte << std::endl << r << std::endl << std::endl;
}

// Blanks are written two at a time, as the class has always been laid out.
void propriete(std::ostream& os, const std::string& prefixe, const std::string& nom,
               const std::string& avant_nom, const std::string& retrait_affectation) {
  os << " public bool " << prefixe << nom << std::endl
     << " {" << std::endl
     << std::endl
     << "   get {" << std::endl
     << "   return " << nom << ";" << std::endl
     << std::endl
     << "      }" << std::endl
     << std::endl
     << "   set {" << std::endl
     << "     if (value != " << avant_nom << nom << "){" << std::endl
     << retrait_affectation << nom << " = value;" << std::endl
     << std::endl
     << "      }" << std::endl
     << "    }" << std::endl
     << "  }" << std::endl
     << std::endl;
}

// The fields of one kind, or the text that says there are none; three line
// ends follow either: three empty lines after the fields, the text's own
// end and two empty lines after the text.
void champs(std::ostream& os, const std::vector<std::string>& noms, const char* aucun) {
  if (noms.empty()) os << aucun;
  for (auto const& n : noms) os << "private bool " << n << ";" << std::endl;
  os << std::endl << std::endl << std::endl;
}

void methode_remise(std::ostream& os, const char* commentaire, const char* nom,
                    const std::vector<std::string>& corps) {
  os << commentaire << std::endl
     << std::endl
     << " private void " << nom << "()" << std::endl
     << " {" << std::endl
     << std::endl;
  for (auto const& l : corps) os << l << std::endl << std::endl;
  os << " }" << std::endl << std::endl;
}

std::vector<std::string> remises_a_faux(const std::vector<std::string>& noms) {
  std::vector<std::string> r;
  for (auto const& n : noms) r.push_back("   " + n + " = false;");
  return r;
}

void ecrit_classe(std::ostream& os, const classe_csharp& c) {
  std::string r = regle(c.points);
  os << r << std::endl << "// Libraries :" << std::endl << r << std::endl << std::endl;
  os << " using System; " << std::endl;
  titre(os, r, "// Class :");
  os << " public class " << c.module << std::endl << " {" << std::endl;
  titre(os, r, "// private attributs:");
  os << "// private input variables :" << std::endl << std::endl;
  champs(os, c.entrees, "// No inputs ...");
  os << "// get & set methods for inputs from the FSM inputs :" << std::endl << std::endl;
  for (auto const& e : c.entrees) propriete(os, "P_", e, "", "        ");
  os << std::endl << std::endl << "// private output variables :" << std::endl;
  champs(os, c.sorties, "// No output ...");
  os << "// private registers variables :" << std::endl << std::endl;
  if (!c.registres.empty()) {
    declare_entiers(os, c.registres, "private bool ", "   ");
    os << std::endl;
  }
  os << std::endl << std::endl;
  titre(os, r, "//The constructor :");
  os << "public " << c.module << "()" << std::endl
     << "{" << std::endl
     << std::endl
     << "  Reset_Automaton();" << std::endl
     << std::endl
     << "}" << std::endl
     << std::endl;
  titre(os, r, "//The methods :");
  os << "// get & set methods for outputs from the FSM inputs :" << std::endl << std::endl;
  for (auto const& s : c.sorties) propriete(os, "GS_", s, " ", "       ");
  os << std::endl << std::endl << "// Initialisation of the automaton:" << std::endl << std::endl;
  os << " private void Reset_Automaton()" << std::endl
     << " {" << std::endl
     << std::endl
     << "  Reset_Inputs();" << std::endl
     << "  Reset_Outputs();" << std::endl
     << "  Reset_Registers();" << std::endl
     << std::endl
     << " }" << std::endl
     << std::endl;
  methode_remise(os, "// Initialisation methods of the automaton boolean inputs:", "Reset_Inputs",
                 remises_a_faux(c.entrees));
  methode_remise(os, "// Initialisation methods of the automaton boolean outputs:", "Reset_Outputs",
                 remises_a_faux(c.sorties));
  methode_remise(os,
                 "// Initialisation methods of the automaton boolean registers:", "Reset_Registers",
                 c.remises);
  os << "// FSM Transition methods:" << std::endl
     << std::endl
     << "public void Automaton()" << std::endl
     << " {" << std::endl
     << std::endl
     << "  React();" << std::endl
     << "  Next();" << std::endl
     << "  Reset_Inputs();" << std::endl
     << std::endl
     << " }" << std::endl
     << std::endl;
  os << "// Next state method computing:" << std::endl
     << std::endl
     << "private void  React()" << std::endl
     << " {" << std::endl
     << std::endl;
  c.reaction(os);
  os << " }" << std::endl << std::endl;
  os << "// Changing method X=Xnext" << std::endl
     << std::endl
     << "private void Next()" << std::endl
     << " {" << std::endl
     << std::endl;
  for (auto const& l : c.recopies) os << l << std::endl << std::endl;
  os << c.fin_next << std::endl << std::endl << "}" << std::endl;
}

// C# has no integer truth values: the constants are its own words.
void ecrit_sop_csharp(std::ostream& os, bddpp_manager& m, const bdd& f, int method) {
  if (m.Bdd_is_tautology(f))
    os << (m.Bdd_is_tautology(f, 1) ? "true" : "false");
  else
    m.Print_sop_pref_suff(" || ", " && ", "! ", "", os, f, " ", "", method);
}

std::string retrait_csharp(int nombre) { return nombre > 0 ? std::string(nombre, ' ') : "  "; }

// The network of f's node in the array, each line behind its lead-in
// rather than the engine's fixed blanks; the value of f in the array.
std::string reseau_csharp(std::ostream& os, bddpp_manager& m, const bdd& f,
                          const std::string& tableau, const std::string& prefixe,
                          const std::string& suffixe, const std::string& tete) {
  std::ostringstream reseau;
  m.Print_node_for_eval(" || ", " && ", "!", "", prefixe, suffixe, "false", ";", "", tableau,
                        reseau, f.node());
  std::istringstream lignes(reseau.str());
  for (std::string l; std::getline(lignes, l);) os << tete << l.substr(tableau.size()) << std::endl;
  return element_c(f, tableau);
}

// Every name the equations use (their variables and what they read), in
// the order of the manager.
std::vector<std::string> noms_equations(Bddexpressionwood& w) {
  std::set<long> indexes = indexes_lus(w);
  bddpp_manager* m = w.Manager();
  for (long i : w.Exp_ids()) {
    Bddexpression* e = w.exp_by_index(i);
    if (e && equation_ecrivable(*e)) indexes.insert(m->Bdd_if_index(e->getBddVar()));
  }
  std::vector<std::string> r;
  for (long i : indexes) r.push_back(m->Name_var_by_index(i));
  return r;
}

// One equation: the network of its right member, then its assignment; a
// single positive variable needs no node.
void equation_csharp(std::ostream& os, const Bddexpression& e, const std::string& tableau,
                     const std::string& prefixe, const std::string& suffixe, int nombre,
                     bool tableau_en_tete) {
  if (!equation_ecrivable(e)) return;
  bddpp_manager& m = *e.getWood()->Manager();
  std::string retrait = retrait_csharp(nombre);
  std::string tete = tableau_en_tete ? tableau + retrait : retrait + tableau;
  const bdd& f = e.getBddExp();
  std::string valeur = m.Bdd_is_var(f) ? prefixe + m.Name_var_by_bdd(f) + suffixe
                                       : reseau_csharp(os, m, f, tableau, prefixe, suffixe, tete);
  os << retrait << prefixe << m.Name_var_by_bdd(e.getBddVar()) << suffixe << "= " << valeur << ";";
}

}  // namespace

// The registers take their next values in Next, after the outputs are
// computed from the current ones.
void FBA::CSHARP_put(std::ostream& os, int method) const {
  classe_csharp c;
  c.module = name;
  c.points = 84;
  c.fin_next = "   }";
  c.entrees = fba_noms_entrees(*this);
  c.sorties = fba_noms_actions(*this);
  std::vector<std::string> etats = fba_noms_etats(*this), suivants = fba_noms_etats_suivants(*this);
  c.registres = etats;
  c.registres.insert(c.registres.end(), suivants.begin(), suivants.end());
  for (int i = 0; i < state_variables_number; ++i) {
    c.remises.push_back("  " + etats[i] + " = " + (variable_initialy_true(i) ? "true" : "false") +
                        ";");
    c.recopies.push_back("  " + etats[i] + " = " + suivants[i] + ";");
  }
  c.reaction = [&](std::ostream& o) {
    for (int i = 0; i < state_variables_number; ++i) {
      o << "  " << suivants[i] << " = ";
      ecrit_sop_csharp(o, *manager, fba_fonction_suivante(*this, i), method);
      o << ";" << std::endl;
    }
    o << std::endl << std::endl;
    for (int j = 0; j < actions_number; ++j) {
      o << "   " << action_names[j] << " = ";
      ecrit_sop_csharp(o, *manager, emissions[j], method);
      o << ";" << std::endl << std::endl;
    }
  };
  ecrit_classe(os, c);
}

// The equations name every variable with the module's prefix. The inputs
// enter them through locals of those names and the outputs leave them the
// same way; the next values go straight to their register fields. Next
// copies nothing: the class computes every reaction from its initial
// registers.
void b_automaton::CSHARP_put(std::ostream& os, int, std::string const& module) {
  std::string pre = prefixe_c(module);
  int n = names.nb_state_vars;
  classe_csharp c;
  c.module = module;
  c.points = 77;
  c.fin_next = " }";
  c.entrees = noms_table(names.input_names, names.nb_inputs);
  c.sorties = noms_table(names.output_names, names.nb_outputs);
  std::vector<std::string> etats = prefixe_noms(noms_table(names.state_names, n), pre),
                           suivants = prefixe_noms(noms_table(names.next_state_names, n), pre);
  c.registres = etats;
  c.registres.insert(c.registres.end(), suivants.begin(), suivants.end());
  for (int i = 0; i < n; ++i)
    c.remises.push_back("  " + etats[i] + " = " + (initial_values[i] == 1 ? "!false" : "false") +
                        ";");
  c.reaction = [&](std::ostream& o) {
    bddpp_manager* m = wood->Manager();
    std::string tableau = tableau_noeuds_c(module);
    o << "  bool[] " << tableau << " = new bool[" << (m ? m->Bdd_total_size() : 0) << "];"
      << std::endl;
    std::set<std::string> declares(c.registres.begin(), c.registres.end());
    for (auto const& e : c.entrees) {
      o << "  bool " << pre << e << " = " << e << ";" << std::endl;
      declares.insert(pre + e);
    }
    std::vector<std::string> autres = c.sorties;
    for (auto const& v : noms_equations(*wood)) autres.push_back(v);
    for (auto const& v : autres)
      if (declares.insert(pre + v).second) o << "  bool " << pre << v << " = false;" << std::endl;
    if (wood->exp_number() > 0) {
      o << "// internal definitions " << std::endl;
      wood->Put_csharp(o, tableau, pre, "");
      for (auto const& s : c.sorties) o << "   " << s << " = " << pre << s << ";" << std::endl;
      o << std::endl;
    }
  };
  ecrit_classe(os, c);
}

void Bddexpressionwood::Put_csharp(std::ostream& os, std::string const& array, int count) const {
  parcours_reseau(
      manager, earliest_sort(), [&](long i) { exp_table[i]->put_csharp(os, array, count); }, os);
}

void Bddexpressionwood::Put_csharp(std::ostream& os, std::string const& array,
                                   std::string const& prefix, std::string const& suffix,
                                   int count) const {
  parcours_reseau(
      manager, earliest_sort(),
      [&](long i) { exp_table[i]->put_csharp(os, array, prefix, suffix, count); }, os);
}

void Bddexpression::put_csharp(std::ostream& os, std::string const& array, int count) const {
  equation_csharp(os, *this, array, "", "", count, false);
}

// The lead-in of a network line puts the indentation between the array's
// name and the bracket.
void Bddexpression::put_csharp(std::ostream& os, std::string const& array,
                               std::string const& prefix, std::string const& suffix,
                               int count) const {
  equation_csharp(os, *this, array, prefix, suffix, count, true);
}

// One space for the whole class: its name (also the constructor's), the
// fields, the properties, the methods, the parameter value of the setters,
// which a field of its name would hide, and the locals of the equational
// React, whose copies of the inputs would hide a field of their name.
std::string verif_noms_csharp(const noms_automate& a) {
  const std::string& m = a.module;
  std::string pre = prefixe_c(m);
  std::vector<nom_ecrit> n = {{m, origine_module(m)}};
  ajoute_noms(n, a.entrees, origine_input);
  ajoute_noms(n, a.sorties, origine_output);
  ajoute_noms(n, a.etats, origine_etat, a.equationnel ? pre : "");
  ajoute_noms(n, a.suivants, origine_suivant, a.equationnel ? pre : "");
  ajoute_noms(
      n, a.entrees, [](const std::string& e) { return "the property of the input \"" + e + "\""; },
      "P_");
  ajoute_noms(
      n, a.sorties, [](const std::string& s) { return "the property of the output \"" + s + "\""; },
      "GS_");
  for (const char* methode : {"Reset_Automaton", "Reset_Inputs", "Reset_Outputs", "Reset_Registers",
                              "Automaton", "React", "Next"})
    n.push_back({methode, std::string("the method ") + methode});
  n.push_back({"value", "the parameter of the properties' setters"});
  if (a.equationnel) {
    n.push_back({tableau_noeuds_c(m), "the node array"});
    ajoute_noms(n, a.entrees, origine_input, pre);
    ajoute_noms(n, a.sorties, origine_output, pre);
    ajoute_noms(n, a.locales, origine_locale, pre);
  }
  return verif_noms_fichier(langage_csharp, "C#", {}, n);
}
