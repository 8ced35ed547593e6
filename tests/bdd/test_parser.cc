// Condition texts: the function, the priority, the error flag and the exact
// lines each text gives.
#include <gtest/gtest.h>

#include "bdd_oracle.h"
#include "bddpp.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

// Variables a, b, c, x at indexes 0 to 3.
using formula = std::function<bool(bool a, bool b, bool c, bool x)>;

const int untouched = 77;

struct parse_case {
  std::string text;
  formula expected;  // null: constant false
  int prio;
  int err;
  std::string messages;
};

std::string refused(std::string const& text, std::string const& why = "") {
  return "PARSING ERROR about expression: \"" + text + "\"" + why + "\n";
}

std::string unknown(std::string const& name, std::string const& text) {
  return "parsing error in expression: name \"" + name + "\" not identificated ...\n" + refused(text);
}

std::string bad_priority(std::string const& name, std::string const& text) {
  return "parsing error in expression: name \"" + name + "\" is not a correct priority value ...\n" + refused(text);
}

std::string syntax(std::string const& text) { return "syntax error\n" + refused(text); }

formula A = [](bool a, bool, bool, bool) { return a; };
formula AND_AB = [](bool a, bool b, bool, bool) { return a && b; };
formula OR_AB = [](bool a, bool b, bool, bool) { return a || b; };
formula NOT_A = [](bool a, bool, bool, bool) { return !a; };
formula TRUE_F = [](bool, bool, bool, bool) { return true; };

}  // namespace

TEST(BddParser, ExpressionTexts) {
  std::vector<parse_case> cases = {
      // Refused before parsing: the empty text keeps the flag's value, a
      // '/' or unbalanced parentheses set it like a syntax error.
      {"", nullptr, 0, untouched, ""},
      {"a/b", nullptr, 0, 1, refused("a/b", ": / char detection!")},
      {"a / (b", nullptr, 0, 1, refused("a / (b", ": / char detection!")},
      {"(a", nullptr, 0, 1, refused("(a", ": bad parenthesing!")},
      {"a)", nullptr, 0, 1, refused("a)", ": bad parenthesing!")},
      {"[a)", nullptr, 0, 1, refused("[a)", ": bad parenthesing!")},
      // Precedence and grouping.
      {"a and b or c", [](bool a, bool b, bool c, bool) { return (a && b) || c; }, 0, 0, ""},
      {"a or b and c", [](bool a, bool b, bool c, bool) { return a || (b && c); }, 0, 0, ""},
      {"not a and b", [](bool a, bool b, bool, bool) { return !a && b; }, 0, 0, ""},
      {"a xor b xnor c", [](bool a, bool b, bool c, bool) { return (a != b) == c; }, 0, 0, ""},
      {"a or b xor c", [](bool a, bool b, bool c, bool) { return (a || b) != c; }, 0, 0, ""},
      {"a xnor b or c", [](bool a, bool b, bool c, bool) { return (a == b) || c; }, 0, 0, ""},
      {"not not a", A, 0, 0, ""},
      // Spellings.
      {"a&b", AND_AB, 0, 0, ""},
      {"a & b", AND_AB, 0, 0, ""},
      {"a AND b", AND_AB, 0, 0, ""},
      {"a . b", AND_AB, 0, 0, ""},
      {"a|b", OR_AB, 0, 0, ""},
      {"a + b", OR_AB, 0, 0, ""},
      {"a OR b", OR_AB, 0, 0, ""},
      {"a XOR b", [](bool a, bool b, bool, bool) { return a != b; }, 0, 0, ""},
      {"a XNOR b", [](bool a, bool b, bool, bool) { return a == b; }, 0, 0, ""},
      {"!a", NOT_A, 0, 0, ""},
      {"~a", NOT_A, 0, 0, ""},
      {"NOT a", NOT_A, 0, 0, ""},
      {"[a or b] and c", [](bool a, bool b, bool c, bool) { return (a || b) && c; }, 0, 0, ""},
      {"([a)]", A, 0, 0, ""},
      {"0", nullptr, 0, 0, ""},
      {"1", TRUE_F, 0, 0, ""},
      {"not 0", TRUE_F, 0, 0, ""},
      {"x", [](bool, bool, bool, bool x) { return x; }, 0, 0, ""},
      // The parse ends at the first complete expression.
      {"a ", A, 0, 0, ""},
      {"a b", A, 0, 0, ""},
      {"a and b c", AND_AB, 0, 0, ""},
      {"a ) (", A, 0, 0, ""},
      {"a <1>", A, 0, 0, ""},
      // Priorities.
      {"<1> a", A, 1, 0, ""},
      {"<other> a", A, -1, 0, ""},
      {"<default> a", A, -1, 0, ""},
      {"<12> a", A, 12, 0, ""},
      {"< 12 > a", A, 12, 0, ""},
      {"<00> a", A, 0, 0, ""},
      {"<2147483647> a", A, 2147483647, 0, ""},
      {"<2147483648> a", nullptr, 0, 1, bad_priority("2147483648", "<2147483648> a")},
      {"<99999999999> a", nullptr, 0, 1, bad_priority("99999999999", "<99999999999> a")},
      {"<0> a", nullptr, 0, 1,
       "parsing error in expression: \"0\" is not a correct priority value ...\n" + refused("<0> a")},
      {"<x> a", nullptr, 0, 1, bad_priority("x", "<x> a")},
      {"<1>", nullptr, 0, 1, syntax("<1>")},
      // Syntax errors.
      {"a and", nullptr, 0, 1, syntax("a and")},
      {"a or", nullptr, 0, 1, syntax("a or")},
      {"and a", nullptr, 0, 1, syntax("and a")},
      {"(a b)", nullptr, 0, 1, syntax("(a b)")},
      {"not", nullptr, 0, 1, syntax("not")},
      // Names that are no variable: an error of the text, the blank name of
      // trailing blanks where an operand is expected included.
      {"d", nullptr, 0, 1, unknown("d", "d")},
      {"a and d", nullptr, 0, 1, unknown("d", "a and d")},
      {"a.b", nullptr, 0, 1, unknown("a.b", "a.b")},
      {"And", nullptr, 0, 1, unknown("And", "And")},
      {"a and ", nullptr, 0, 1, unknown(" ", "a and ")},
      {"a or ", nullptr, 0, 1, unknown(" ", "a or ")},
      {"   ", nullptr, 0, 1, unknown(" ", "   ")},
  };
  bddpp_manager m;
  for (char const* name : {"a", "b", "c", "x"}) m.New_var_last(name);
  for (auto const& c : cases) {
    SCOPED_TRACE("text '" + c.text + "'");
    int prio = 55, err = untouched;
    CaptureStderr();
    bdd f = m.Parse_expression(c.text, &prio, &err);
    EXPECT_EQ(GetCapturedStderr(), c.messages);
    EXPECT_EQ(prio, c.prio);
    EXPECT_EQ(err, c.err);
    formula fn = c.expected ? c.expected : [](bool, bool, bool, bool) { return false; };
    EXPECT_EQ(table_of(m, f, 4), table_of(4, [&fn](uint64_t v) { return fn(bit(v, 0), bit(v, 1), bit(v, 2), bit(v, 3)); }));
  }
}

// What the grammar leaves after the first complete condition, from the first
// token it did not use, trailing blanks left out; nothing for a text read to
// its end or refused.
TEST(BddParser, TheTextLeftUnread) {
  const std::pair<std::string, std::string> table[] = {
      {"a", ""},          {"a   ", ""},         {"a\t", ""},           {"<1> a ", ""},
      {"a b", "b"},       {"a=0 ", "=0"},       {"a and b c  ", "c"},   {"a   b", "b"},
      {"a ) (", ") ("},   {"a <1>", "<1>"},     {"b * a", "* a"},       {"(a) b:c", "b:c"},
      {"a and", ""},      {"", ""},             {"a/b", ""},
  };
  bddpp_manager m;
  for (char const* name : {"a", "b"}) m.New_var_last(name);
  for (auto const& [text, unread] : table) {
    int prio = 0, err = 0;
    std::string left = "earlier";
    CaptureStderr();
    m.Parse_expression(text, &prio, &err, &left);
    GetCapturedStderr();
    EXPECT_EQ(left, unread) << "text '" << text << "'";
  }
}

// Apart from the priority, it fails as the other form does.
TEST(BddParser, TheTwoArgumentFormRefusesAPriority) {
  bddpp_manager m;
  bdd a = m.New_var_last("a");
  int err = untouched;
  CaptureStderr();
  EXPECT_EQ(m.Parse_expression("a", &err), a);
  EXPECT_EQ(err, 0);
  EXPECT_EQ(m.Parse_expression("<00> a", &err), a);
  err = untouched;
  EXPECT_EQ(m.Parse_expression("<1> a", &err), m.Bdd_zero());
  EXPECT_EQ(err, 0);
  EXPECT_EQ(m.Parse_expression("b", &err), m.Bdd_zero());
  EXPECT_EQ(err, 1);
  err = untouched;
  EXPECT_EQ(m.Parse_expression("a/a", &err), m.Bdd_zero());
  EXPECT_EQ(err, 1);
  err = untouched;
  EXPECT_EQ(m.Parse_expression("(a", &err), m.Bdd_zero());
  EXPECT_EQ(err, 1);
  EXPECT_EQ(GetCapturedStderr(), refused("<1> a", ": unknown symbols '<' and '>' ") + unknown("b", "b") +
                                     refused("a/a", ": / char detection!") + refused("(a", ": bad parenthesing!"));
}

TEST(BddParser, NestingDeeperThanTheStackIsRefused) {
  bddpp_manager m;
  bdd a = m.New_var_last("a");
  int prio, err;
  std::string deep = std::string(3000, '[') + "a" + std::string(3000, ']');
  EXPECT_EQ(m.Parse_expression(deep, &prio, &err), a);
  EXPECT_EQ(err, 0);
  std::string too_deep = std::string(20000, '(') + "a" + std::string(20000, ')');
  CaptureStderr();
  EXPECT_EQ(m.Parse_expression(too_deep, &prio, &err), m.Bdd_zero());
  EXPECT_EQ(err, 2);
  EXPECT_EQ(GetCapturedStderr(), "memory exhausted\n" + refused(too_deep));
  std::string nots;
  for (int i = 0; i < 3001; ++i) nots += "not ";
  EXPECT_EQ(m.Parse_expression(nots + "a", &prio, &err), m.Bdd_not(a));
}
