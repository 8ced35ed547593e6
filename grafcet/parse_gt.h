// The reader of .gt files: the parser object that the front end makes once
// per run, and the functions through which the generated parser reaches the
// scanner, the log and the grafcet being built.
#ifndef TARVEK_PARSE_GT_H
#define TARVEK_PARSE_GT_H

#include <fstream>
#include <ostream>
#include <string>

#include "gt_norm.h"

class FlexLexer;

class class_gt_parser {
 public:
  int explain;
  std::fstream* log;
  FlexLexer* lexer;      // set by the caller before parse; not owned
  tpen_fichier* result;  // the grafcet being built; never released here

  class_gt_parser();
  // 0: the whole text was accepted and `result` holds the grafcet;
  // 1: syntax error (one line on std::cerr); 2: out of stack or memory.
  int parse(std::fstream& log, int explain);
};

// The parser made last: the generated parser and its actions go through it.
extern class_gt_parser* pgt_parser;

int gtparse();
void gterror(const char* msg);
void gt_debuger_law(int g, int a, const char* msg, int explain, std::ostream& os);
std::string type_lexeme(int code);

#endif
