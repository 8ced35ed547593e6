// The token-alternation syntax check: the positions it reports, its trace,
// and how the declared vocabulary is read.
#include <gtest/gtest.h>

#include "expressions_checker.h"

namespace {

// a and b as operands, "and" infix, "not" prefix, ( ) as brackets.
void declare(expressions_checker& c) {
  c.add_variable("a");
  c.add_variable("b");
  c.add_operator("and", 2);
  c.add_operator("not", 1);
  c.add_factor("(", ")");
}

int check_quietly(expressions_checker& c, const std::string& text) {
  testing::internal::CaptureStderr();
  int r = c.check(text);
  testing::internal::GetCapturedStderr();
  return r;
}

TEST(ExpressionsChecker, Positions) {
  struct Case {
    std::string text;
    int expected;
  } cases[] = {
      {"a and b", 0},
      {"not a", 0},
      {"( a )", 0},
      {"(a)", 0},
      {"a and b ", 0},
      {"not not a", 0},
      {"( ( a ) and not ( b ) )", 0},
      {"a and", 8},
      {"a b", 5},
      {"a not b", 7},
      {"", 2},
      {" ", 3},
      {"a )", 3},
      {"( a", 5},
      {"( a ) b", 7},
      {"3 and 4", 3},
      {"and a", 5},
      {"a  and  b c", 11},  // token lengths count, not the blanks between them
      {"( )", 5},
      {"a and ( b", 11},
  };
  expressions_checker c;
  declare(c);
  for (auto const& k : cases) EXPECT_EQ(check_quietly(c, k.text), k.expected) << "'" << k.text << "'";
}

TEST(ExpressionsChecker, NumbersMakeEveryTokenAnOperand) {
  expressions_checker c;
  declare(c);
  EXPECT_EQ(check_quietly(c, "3 and 4"), 3);
  c.accept_numbers();
  EXPECT_EQ(check_quietly(c, "3 and 4"), 0);
  EXPECT_EQ(check_quietly(c, "and and b"), 0);
  EXPECT_EQ(check_quietly(c, "3 4"), 5);
}

TEST(ExpressionsChecker, Vocabulary) {
  expressions_checker c;
  c.add_variable("x");
  c.add_operator("+", 2);
  c.add_operator("+", 1);  // the first declaration decides
  c.add_operator("?", 3);  // no usable place
  c.add_factor("(", ")");
  c.add_factor("[", "]");
  EXPECT_EQ(check_quietly(c, "x + x"), 0);
  EXPECT_EQ(check_quietly(c, "+ x"), 3);
  EXPECT_EQ(check_quietly(c, "x ? x"), 5);
  EXPECT_EQ(check_quietly(c, "? x"), 3);
  EXPECT_EQ(check_quietly(c, "[ x + ( x ] )"), 0);  // any closer closes any opener
  EXPECT_EQ(check_quietly(c, "y"), 3);
  c.add_variable("y");  // declarations may come between checks
  EXPECT_EQ(check_quietly(c, "y"), 0);
}

TEST(ExpressionsChecker, TraceOfEveryToken) {
  expressions_checker c;
  declare(c);
  testing::internal::CaptureStderr();
  EXPECT_EQ(c.check("a and b"), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "tok=a state=2\ntok=and state=1\ntok=b state=2\ntok= state=3\n");
  // An opener's line is completed after the lines of its inner level.
  testing::internal::CaptureStderr();
  EXPECT_EQ(c.check("( a ) b"), 7);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "tok=(tok=a state=2\ntok=) state=3\n state=2\ntok=b state=4\n");
}

TEST(ExpressionsChecker, Stringtype) {
  EXPECT_EQ(Stringtype(""), 2);
  EXPECT_EQ(Stringtype("a and b"), 2);
}

}  // namespace
