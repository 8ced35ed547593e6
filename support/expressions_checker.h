// Checks that a text alternates operands and operators and nests its brackets
// well, over a vocabulary declared beforehand. It knows no precedence.
#ifndef TARVEK_EXPRESSIONS_CHECKER_H
#define TARVEK_EXPRESSIONS_CHECKER_H

#include <list>
#include <string>

class expressions_checker {
 public:
  expressions_checker();
  ~expressions_checker();

  // Any token then stands as an operand, an operator's text included.
  void accept_numbers();
  // Arity 1 is a prefix operator, 2 an infix one; any other arity makes the
  // operator unusable. The first declaration of a text decides its arity.
  void add_operator(const std::string& op, int arity);
  void add_variable(const std::string& name);
  // Openers and closers are not matched pairwise: any closer closes any opener.
  void add_factor(const std::string& opener, const std::string& closer);

  // 0 when the text is well formed, else a position near the failing token.
  int check(const std::string& text);
  // Reads one bracket level; returns what is left of the text after it.
  std::string rec_check(const std::string& text, int* depth, int* error, int* position);

 private:
  int numbers_accepted;
  std::list<int> arities;
  std::list<std::string> operators;
  std::list<std::string> openers;
  std::list<std::string> closers;
  std::list<std::string> variables;

  int arity_of(const std::string& token);
};

int Stringtype(const std::string& text);

#endif
