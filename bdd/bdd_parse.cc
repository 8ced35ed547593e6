// Condition texts into functions of a manager: the checks made before the
// grammar runs, the parser object, and the messages of a refused text.
#include "bddpp_int.h"
#include "parse_exp_bdd.hh"
#include "Stringpp.h"

class_exp_bdd_parser* pexp_bdd_parser = nullptr;

class_exp_bdd_parser::class_exp_bdd_parser(bddpp_manager* m) : manager(m), prio_value(0), result(nullptr) {
  pexp_bdd_parser = this;
}

class_exp_bdd_parser::~class_exp_bdd_parser() { delete result; }

int class_exp_bdd_parser::parse(std::string const& text) {
  rest = text;
  return exp_bddparse();
}

namespace {

void refuse(std::string const& text, char const* why) {
  std::cerr << "PARSING ERROR about expression: \"" << text << "\"" << why << std::endl;
}

// Runs the checks and the parse; true when the grammar accepted the text,
// with its function and priority. A text refused by the checks is a failure
// like a syntax error: a caller that took its constant false for a success
// would compile a condition that can never hold. Only the empty text leaves
// err as it was.
bool parse_text(bddpp_manager* m, std::string const& text, bdd& f, int& prio, int* err,
                std::string* unread) {
  if (text.empty()) return false;
  if (contains(text, "/")) {
    refuse(text, ": / char detection!");
    *err = 1;
    return false;
  }
  if (char_occurences(text, '(') != char_occurences(text, ')')) {
    refuse(text, ": bad parenthesing!");
    *err = 1;
    return false;
  }
  class_exp_bdd_parser parser(m);
  int code = parser.parse(text);
  *err = code;
  if (code != 0) {
    refuse(text, "");
    return false;
  }
  f = parser.bddexpression();
  prio = parser.prio();
  if (unread) *unread = parser.unread.substr(0, parser.unread.find_last_not_of(" \t") + 1);
  return true;
}

}  // namespace

bdd bddpp_manager::Parse_expression(std::string const& text, int* prio, int* err,
                                    std::string* unread) {
  *prio = 0;
  if (unread) unread->clear();
  bdd f;
  int p = 0;
  if (!parse_text(this, text, f, p, err, unread)) return Bdd_zero();
  *prio = p;
  return f;
}

bdd bddpp_manager::Parse_expression(std::string const& text, int* err) {
  bdd f;
  int prio = 0;
  if (!parse_text(this, text, f, prio, err, nullptr)) return Bdd_zero();
  if (prio != 0) {
    refuse(text, ": unknown symbols '<' and '>' ");
    return Bdd_zero();
  }
  return f;
}
