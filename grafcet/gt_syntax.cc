// Checks of the texts of a grafcet rather than of its structure: whether a
// condition is a well-formed expression over the names the grafcet defines,
// and which declared names hold a blank (expression tokens are separated by
// blanks, so such a name can never be written in a condition).
#include "Stringpp.h"
#include "expressions_checker.h"
#include "gt_norm.h"

// The operands are the inputs, the constants, "tick", and for every step
// its activity X, its activation RE and its deactivation FE. Outputs are no
// operands.
int tpen_fichier::expression_valide(std::string const& texte) {
  expressions_checker c;
  for (const char* op : {"+", "or", "OR", "*", "and", "AND"}) c.add_operator(op, 2);
  for (const char* op : {"!", "not", "NOT"}) c.add_operator(op, 1);
  c.add_factor("(", ")");
  c.add_factor("[", "]");
  for (int i = 0; i < nombre_inputs; ++i) c.add_variable(table_inputs[i].nom_variable);
  for (const char* v : {"1", "0", "tick"}) c.add_variable(v);
  for (int i = 0; i < nombre_etapes; ++i) {
    c.add_variable("X" + table_etapes[i].nom);
    c.add_variable("RE" + table_etapes[i].nom);
    c.add_variable("FE" + table_etapes[i].nom);
  }
  return c.check(texte) == 0 ? 1 : 0;
}

static std::string noms_avec_blanc(gt_declaration_variables const* table, int n) {
  std::string r;
  for (int i = 0; i < n; ++i)
    if (char_occurences(table[i].nom_variable, ' ') > 0) r += "\"" + table[i].nom_variable + "\"\n";
  return r;
}

std::string tpen_fichier::verif_syntaxe_inputs() {
  return noms_avec_blanc(table_inputs, nombre_inputs);
}

std::string tpen_fichier::verif_syntaxe_outputs() {
  return noms_avec_blanc(table_outputs, nombre_outputs);
}
