// Syntax check of condition texts by token alternation, with a trace of every
// token on the standard error stream.
#include "expressions_checker.h"

#include <iostream>

#include "Stringpp.h"
#include "listpp.h"

namespace {

// What the reader expects or has found at each token.
enum etat_lecture { OPERANDE_ATTENDU = 1, OPERANDE_LU = 2, NIVEAU_FINI = 3, ERREUR = 4 };

// The tokeniser yields one blank when only blanks are left.
bool fin_de_texte(const std::string& token) { return token.empty() || token == " "; }

}  // namespace

expressions_checker::expressions_checker() : numbers_accepted(0) {}

expressions_checker::~expressions_checker() {}

void expressions_checker::accept_numbers() { numbers_accepted = 1; }

void expressions_checker::add_operator(const std::string& op, int arity) {
  operators.push_back(op);
  arities.push_back(arity);
}

void expressions_checker::add_variable(const std::string& name) { variables.push_back(name); }

void expressions_checker::add_factor(const std::string& opener, const std::string& closer) {
  openers.push_back(opener);
  closers.push_back(closer);
}

// 0 for a token that is no operator.
int expressions_checker::arity_of(const std::string& token) {
  int k = item_where(operators, token);
  return k == 0 ? 0 : read_number(arities, k);
}

std::string expressions_checker::rec_check(const std::string& text, int* depth, int* error, int* position) {
  std::string w = text;
  int state = OPERANDE_ATTENDU;
  for (;;) {
    std::string rest;
    std::string token = next_Stringtoken(w, ' ', &rest);
    std::cerr << "tok=" << token;
    if (state == OPERANDE_ATTENDU) {
      if (fin_de_texte(token))
        state = ERREUR;
      else if (numbers_accepted != 0 || item_in(variables, token))
        state = OPERANDE_LU;
      else if (item_in(operators, token))
        state = arity_of(token) == 1 ? OPERANDE_ATTENDU : ERREUR;
      else if (item_in(openers, token)) {
        ++*depth;
        rest = rec_check(rest, depth, error, position);
        state = *error == 0 ? OPERANDE_LU : ERREUR;
      } else
        state = ERREUR;
    } else {
      if (fin_de_texte(token))
        state = NIVEAU_FINI;
      else if (item_in(operators, token))
        state = arity_of(token) == 2 ? OPERANDE_ATTENDU : ERREUR;
      else if (item_in(closers, token)) {
        --*depth;
        state = NIVEAU_FINI;
      } else
        state = ERREUR;
    }
    std::cerr << " state=" << state << std::endl;
    w = rest;
    if (state == NIVEAU_FINI) break;
    *position += static_cast<int>(token.size()) + 1;
    if (state == ERREUR) break;
  }
  if (state != NIVEAU_FINI) *error = 1;
  return w;
}

int expressions_checker::check(const std::string& text) {
  int depth = 0, error = 0, position = 1;
  std::string left = rec_check(text, &depth, &error, &position);
  if (!left.empty() || error != 0 || depth != 0) return position;
  return 0;
}

int Stringtype(const std::string&) { return 2; }
