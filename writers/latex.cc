// The LaTeX documentation of both automata: a French article with one
// itemised section per kind of variable and the equations in mathematical
// mode, as sums of products with "+", "." and overlined negations.
//
// Every name goes through latex_String_filter, in text and in math mode:
// grafcet names hold "_", which LaTeX reads as a subscript or rejects. An
// itemize without any item stops LaTeX, so an empty list is left out while
// its heading stays.
#include "Stringfilter.h"
#include "b_automaton.h"
#include "ecrivains.h"
#include "noms_cibles.h"

namespace {

std::string nom_latex(const std::string& nom) { return latex_String_filter(nom); }

std::string formule_latex(bddpp_manager& m, const bdd& f, int method) {
  return latex_String_filter(m.Print_sop_to_String(" + ", ".", "\\overline{", "}", f, method));
}

void preambule(std::ostream& os) {
  os << "\\documentclass[11pt,a4paper]{article}" << std::endl;
  for (const char* p :
       {"[francais]{babel}", "{epsfig}", "{float}", "{amsmath}", "{amssymb}", "{times}"})
    os << "\\usepackage" << p << std::endl;
  os << "\\setlength{\\textheight}{23.5cm}" << std::endl
     << "\\setlength{\\hoffset}{-2cm}" << std::endl
     << "\\setlength{\\oddsidemargin}{1cm}" << std::endl
     << "\\setlength{\\voffset}{-1cm}" << std::endl
     << "\\setlength{\\textwidth}{17cm}" << std::endl
     << std::endl
     << "\\pagestyle{empty}" << std::endl
     << std::endl
     << "\\begin{document}" << std::endl
     << "{\\bf \\noindent Universit\\'e de Qelvar}\\\\" << std::endl
     << "\\vspace{1cm}" << std::endl
     << "\\begin{center}" << std::endl;
}

// The items, each already "\item ...", between the markers of one list.
void liste(std::ostream& os, const std::vector<std::string>& items) {
  if (items.empty()) return;
  os << "\\begin{itemize}" << std::endl;
  for (auto const& i : items) os << i << std::endl;
  os << "\\end{itemize}" << std::endl;
}

// A section of variables: its heading, its list and an empty line, all
// left out without any variable.
void section_variables(std::ostream& os, const std::string& titre,
                       const std::vector<std::string>& items) {
  if (items.empty()) return;
  os << titre << std::endl;
  liste(os, items);
  os << std::endl;
}

const char* mot_type(FSM_type_input t) {
  switch (t) {
    case FSM_pure:
      return "-";
    case FSM_bool:
      return "bool";
    case FSM_integer:
      return "integer";
    default:
      return "???";
  }
}

void bascules_fba(std::ostream& os, const FBA& a, int method) {
  bddpp_manager& m = *a.manager;
  std::vector<std::string> bascules, suivantes, sources;
  for (int i = 0; i < a.state_variables_number; ++i) {
    std::string x = "X" + nom_latex(a.state_names[i]);
    bascules.push_back("\\item  $" + x + "$: valeur initiale :$" +
                       (a.variable_initialy_true(i) ? "1" : "0") +
                       "$, nouvelle valeur sur front: $" + x + "^+$");
    suivantes.push_back("\\item $" + x +
                        "^+ = " + formule_latex(m, fba_fonction_suivante(a, i), method) + "$");
    sources.push_back("\\item $" + x + "_1^+ = " + formule_latex(m, a.force1[i], method) + "$");
    sources.push_back("\\item $" + x + "_0^+ = " + formule_latex(m, a.force0[i], method) + "$");
  }
  os << "\\section{Bascule(s) D:} " << std::endl;
  liste(os, bascules);
  os << std::endl
     << "\\paragraph{\\'Equation(s) d'\\'etat futur associee(s):}" << std::endl
     << std::endl;
  liste(os, suivantes);
  os << "\\paragraph{construit a partir de:}" << std::endl << std::endl;
  liste(os, sources);
}

}  // namespace

void FBA::LATEX_put(std::ostream& os, int method) const {
  preambule(os);
  os << "{\\huge Automate: " << nom_latex(name) << "}" << std::endl << "\\end{center}" << std::endl;
  std::vector<std::string> entrees, sorties;
  for (int j = 0; j < inputs_number; ++j)
    entrees.push_back("\\item $" + nom_latex(inputs[j].name) + "$: " + mot_type(inputs[j].type));
  for (int j = 0; j < actions_number; ++j)
    sorties.push_back("\\item $" + nom_latex(action_names[j]) + "$: bool");
  section_variables(os, "\\section{Entr\\'ee(s):} ", entrees);
  section_variables(os, "\\section{Sortie(s):} ", sorties);
  if (state_variables_number > 0) bascules_fba(os, *this, method);
  std::vector<std::string> items;
  for (int i = 0; i < state_variables_number; ++i) {
    std::string x = "X" + nom_latex(state_names[i]);
    items.push_back("\\item  $" + x + "next= " + x + "^+$");
  }
  for (int j = 0; j < actions_number; ++j)
    items.push_back("\\item $" + nom_latex(action_names[j]) + "= " +
                    formule_latex(*manager, emissions[j], method) + "$");
  os << "\\section{\\'Equation de(s) variables locale(s) et des sortie(s):}" << std::endl;
  liste(os, items);
  os << "\\end{document}" << std::endl << std::endl;
}

void b_automaton::LATEX_put(std::ostream& os, int method, std::string const& module) {
  preambule(os);
  os << "{\\huge module: " << nom_latex(module) << "}" << std::endl << "\\end{center}" << std::endl;
  std::vector<std::string> entrees, sorties;
  for (auto const& e : noms_table(names.input_names, names.nb_inputs))
    entrees.push_back("\\item $" + nom_latex(e) + "$: ");
  for (auto const& s : noms_table(names.output_names, names.nb_outputs))
    sorties.push_back("\\item $" + nom_latex(s) + "$");
  section_variables(os, "\\section{Entr\\'ee(s) bool\\'eenne(s):} ", entrees);
  os << std::endl;
  section_variables(os, "\\section{Sortie(s) bool\\'eenne(s):} ", sorties);
  std::vector<std::string> registres;
  for (int i = 0; i < names.nb_state_vars; ++i)
    registres.push_back("\\item $" + nom_latex(names.state_names[i]) + "$ valeur initiale: $" +
                        mot_valeur_initiale(initial_values[i]) + "$, nouvelle valeur sur front: $" +
                        nom_latex(names.next_state_names[i]) + "$");
  os << "\\section{Registre(s):}" << std::endl;
  liste(os, registres);
  os << std::endl;
  if (wood->exp_number() > 0) {
    os << "\\section{\\'Equation(s):}" << std::endl;
    wood->Put_latex(os, method);
    os << std::endl;
  }
  os << "\\end{document}" << std::endl << std::endl;
}

void Bddexpressionwood::Put_latex(std::ostream& os, int method) const {
  std::list<long> ordre = earliest_sort();
  if (ordre.empty()) return;
  os << "\\begin{itemize}" << std::endl;
  for (long i : ordre) {
    os << "\\item ";
    exp_table[i]->put_latex(os, method);
    os << std::endl;
  }
  os << "\\end{itemize}" << std::endl;
}

void Bddexpression::put_latex(std::ostream& os, int method) const {
  if (!equation_ecrivable(*this)) return;
  bddpp_manager& m = *wood->Manager();
  os << "$" << nom_latex(m.Name_var_by_bdd(var)) << " = " << formule_latex(m, exp, method) << "$";
}

// A document for a human reader: only its formulas can break.
std::string verif_noms_latex(const noms_automate& a) {
  return verif_noms_fichier(langage_latex, "LaTeX", {{a.module, origine_module(a.module)}},
                            noms_variables(a));
}
