// Reading a generated .gt text in-process, for the benchmarks: the grafcet,
// which the caller deletes; a text that does not read ends the run.
#ifndef TARVEK_BENCH_LECTURE_GT_H
#define TARVEK_BENCH_LECTURE_GT_H

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "gt_norm.h"
#include "lex.gt.h"
#include "parse_gt.h"

inline tpen_fichier* lit_texte_gt(std::string const& texte, std::fstream& log) {
  std::istringstream in(texte);
  gtFlexLexer scanner(&in, &log);
  class_gt_parser parser;
  parser.lexer = &scanner;
  if (parser.parse(log, 0) != 0) {
    std::cerr << "the grafcet does not read" << std::endl;
    std::exit(1);
  }
  return parser.result;
}

#endif
