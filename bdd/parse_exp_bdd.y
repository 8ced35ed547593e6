/* Grammar of condition texts (receptivities, assertions, action
   conditions): an optional priority between '<' and '>', then a sum of
   products. not binds tighter than and, and tighter than or, xor and xnor;
   every binary operator groups from the left. The parse ends at the first
   complete expression: the token after it is read but never used, and the
   text from that token on is kept for the caller to judge. */

%define api.prefix {exp_bdd}
%define api.pure full
%define api.token.prefix {EXPB_}

%code requires {
#include <string>
class bdd;
}

%code provides {
int exp_bddlex(EXP_BDDSTYPE* value);
void exp_bdderror(const char* message);
}

%code {
#include <cstdint>

#include "bddpp_int.h"
#include "Stringpp.h"

namespace {

bddpp_manager* manager() { return pexp_bdd_parser->manager; }

bdd* combine(bdd* f, bdd* g, bdd (bddpp_manager::*op)(bdd const&, bdd const&)) {
  bdd* r = new bdd((manager()->*op)(*f, *g));
  delete f;
  delete g;
  return r;
}

// -1 for "other" and "default", the decimal value of a digit-only name
// that fits in 32 bits, and -2 for anything else.
int priority_of(std::string const& name) {
  if (name == "other" || name == "default") return -1;
  if (!checkuint(name)) return -2;
  int64_t value = 0;
  for (char c : name) {
    value = value * 10 + (c - '0');
    if (value > INT32_MAX) return -2;
  }
  return static_cast<int>(value);
}

}  // namespace
}

%union {
  int prio;
  bdd* f;
  std::string* name;
}

%token OPEN CLOSE PRIO_OPEN PRIO_CLOSE AND OR XOR XNOR NOT ZERO ONE
%token <name> NAME
%type <prio> prefix priority
%type <f> sum product factor
%destructor { delete $$; } <f> <name>

%%

expression
  : prefix sum {
      class_exp_bdd_parser* p = pexp_bdd_parser;
      p->prio_value = $1;
      p->result = $2;
      // The lookahead that ended the condition was cut off the rest.
      p->unread = (yychar == EXPB_EXP_BDDEMPTY ? std::string() : p->token) + p->rest;
      YYACCEPT;
    }
  ;

prefix
  : %empty { $$ = 0; }
  | PRIO_OPEN priority PRIO_CLOSE { $$ = $2; }
  ;

priority
  : ZERO {
      std::cerr << "parsing error in expression: \"0\" is not a correct priority value ..." << std::endl;
      YYABORT;
    }
  | ONE { $$ = 1; }
  | NAME {
      int p = priority_of(*$1);
      if (p == -2)
        std::cerr << "parsing error in expression: name \"" << *$1 << "\" is not a correct priority value ..."
                  << std::endl;
      delete $1;
      if (p == -2) YYABORT;
      $$ = p;
    }
  ;

sum
  : sum OR product { $$ = combine($1, $3, &bddpp_manager::Bdd_or); }
  | sum XOR product { $$ = combine($1, $3, &bddpp_manager::Bdd_xor); }
  | sum XNOR product { $$ = combine($1, $3, &bddpp_manager::Bdd_xnor); }
  | product
  ;

product
  : product AND factor { $$ = combine($1, $3, &bddpp_manager::Bdd_and); }
  | factor
  ;

factor
  : OPEN sum CLOSE { $$ = $2; }
  | NOT factor {
      $$ = new bdd(manager()->Bdd_not(*$2));
      delete $2;
    }
  | NAME {
      bool known = manager()->Id_var_by_name(*$1) >= 0;
      if (!known)
        std::cerr << "parsing error in expression: name \"" << *$1 << "\" not identificated ..." << std::endl;
      else
        $$ = new bdd(manager()->Bdd_var_by_name(*$1));
      delete $1;
      if (!known) YYABORT;
    }
  | ZERO { $$ = new bdd(manager()->Bdd_zero()); }
  | ONE { $$ = new bdd(manager()->Bdd_one()); }
  ;

%%

// Cuts the next token off the rest of the text; spellings are compared
// whole and case-sensitively, and every other token is a name.
int exp_bddlex(EXP_BDDSTYPE* value) {
  class_exp_bdd_parser* p = pexp_bdd_parser;
  p->token = next_Stringtoken(p->rest, ' ', &p->rest);
  std::string const& t = p->token;
  if (t.empty()) return EXPB_YYEOF;
  if (t == "(" || t == "[") return EXPB_OPEN;
  if (t == ")" || t == "]") return EXPB_CLOSE;
  if (t == "<") return EXPB_PRIO_OPEN;
  if (t == ">") return EXPB_PRIO_CLOSE;
  if (t == "and" || t == "AND" || t == "." || t == "&") return EXPB_AND;
  if (t == "or" || t == "OR" || t == "+" || t == "|") return EXPB_OR;
  if (t == "xor" || t == "XOR") return EXPB_XOR;
  if (t == "xnor" || t == "XNOR") return EXPB_XNOR;
  if (t == "not" || t == "NOT" || t == "!" || t == "~") return EXPB_NOT;
  if (t == "0") return EXPB_ZERO;
  if (t == "1") return EXPB_ONE;
  value->name = new std::string(t);
  return EXPB_NAME;
}

void exp_bdderror(const char* message) { std::cerr << message << std::endl; }
