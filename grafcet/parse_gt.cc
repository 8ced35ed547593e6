// The parser object of the .gt reader and the glue between the generated
// parser, the scanner and the log.
#include "parse_gt.h"

#include <iostream>

#include "gt_grammar.hh"
#include "lex.gt.h"

class_gt_parser* pgt_parser = nullptr;

class_gt_parser::class_gt_parser() : explain(0), log(nullptr), lexer(nullptr), result(nullptr) {
  pgt_parser = this;
}

int class_gt_parser::parse(std::fstream& log, int explain) {
  this->log = &log;
  this->explain = explain;
  return gtparse();
}

// The token's text is read from the scanner by the rules themselves.
int gtlex(GTSTYPE*) { return pgt_parser->lexer->yylex(); }

void gterror(const char* msg) { std::cerr << msg << std::endl; }

void gt_debuger_law(int g, int a, const char* msg, int explain, std::ostream& os) {
  if (!explain) return;
  os << g;
  if (a != 1) os << "," << a;
  os << " --> " << msg << std::endl;
}

// The names of the tokens as the grammar spells them, for the codes that
// have one here; every other code answers "OTHER".
std::string type_lexeme(int code) {
  // Codes 258 to 304 in order; the empty entries are the codes of "ES:",
  // "EIS:", "SES:", "SEIS:", "Conv:" and "Div:".
  static const char* const noms[] = {
      "I_S", "N_S", "M_S", "B_M_S", "E_M_S", "", "", "", "", "DEUX_POINTS", "VIRGULE", "O_R",
      "A_N_D", "N_O_T", "P_R_E", "PARENTHESE_OUVRANTE", "PARENTHESE_FERMANTE", "NAME", "INPUT",
      "ENDINPUT", "OUTPUT", "ENDOUTPUT", "STEP", "ENDSTEP", "ACTION", "ENDACTION", "TRANSITION",
      "ENDTRANSITION", "TO", "FROM", "LIGNE", "ENDLIGNE", "LINK", "ENDLINKTABLE", "BEGINLINK", "",
      "", "ENDLINK", "ASSERTION", "ENDASSERTION", "IDENTS", "IDENTT", "NUMBER", "WORD", "STRING",
      "BOOL", "EVENT"};
  if (code < 258 || code > 304 || !*noms[code - 258]) return "OTHER";
  return noms[code - 258];
}
