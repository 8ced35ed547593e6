// String helpers: tokeniser, decimal conversions, cutting by position.
#include <gtest/gtest.h>

#include <vector>

#include "Stringpp.h"

namespace {

// Every token the tokeniser yields for s until it gives the empty token.
std::vector<std::string> tokens(std::string s, char sep = ' ') {
  std::vector<std::string> out;
  for (int guard = 0; guard < 100; ++guard) {
    std::string tok = next_Stringtoken(s, sep, &s);
    if (tok.empty()) break;
    out.push_back(tok);
  }
  return out;
}

using V = std::vector<std::string>;

TEST(NextStringtoken, SplitsAsTheConditionLexerExpects) {
  struct Case {
    std::string text;
    char sep;
    V expected;
  } cases[] = {
      {"", ' ', {}},
      {"   ", ' ', {" "}},
      {"  a and b", ' ', {"a", "and", "b"}},
      {"a ", ' ', {"a", " "}},
      {"-3.5x", ' ', {"-3.5", "x"}},
      {"-x", ' ', {"-", "x"}},
      {"- 3", ' ', {"-", "3"}},
      {"-1.2.3", ' ', {"-1.2.3"}},
      {"--1", ' ', {"-", "-1"}},
      {"x1.y_2,z+1", ' ', {"x1.y_2,z", "+", "1"}},
      {"(a)", ' ', {"(", "a", ")"}},
      {"3abc", ' ', {"3abc"}},
      {"a@b!c", ' ', {"a@b", "!", "c"}},
      {"a-b", ' ', {"a", "-", "b"}},
      {"\xe9t\xe9", ' ', {"\xe9", "t", "\xe9"}},
  };
  for (auto const& c : cases) EXPECT_EQ(tokens(c.text, c.sep), c.expected) << "text '" << c.text << "'";
}

TEST(NextStringtoken, RestKeepsLeadingSeparators) {
  std::string rest = "x";
  EXPECT_EQ(next_Stringtoken("  a and b", ' ', &rest), "a");
  EXPECT_EQ(rest, " and b");
  EXPECT_EQ(next_Stringtoken("a", ' ', &rest), "a");
  EXPECT_EQ(rest, "");
  EXPECT_EQ(next_Stringtoken("- 3", ' ', &rest), "-");
  EXPECT_EQ(rest, " 3");
  // A separator that is itself a name character stops the name run.
  EXPECT_EQ(next_Stringtoken("a.b", '.', &rest), "a");
  EXPECT_EQ(rest, ".b");
}

TEST(DecimalConversion, WrapsLikeMachineWords) {
  struct Case {
    std::string text;
    int32_t value;
  } cases[] = {
      {"", 0},          {"-", 0},          {"007", 7},         {"12a", 169},
      {"+5", -45},      {"-12", -12},      {"2147483647", 2147483647},
      {"2147483648", INT32_MIN},           {"4294967296", 0},  {"-2147483648", INT32_MIN},
      {"\x80", -128 - '0'},
  };
  for (auto const& c : cases) {
    EXPECT_EQ(Stol(c.text), c.value) << c.text;
    EXPECT_EQ(Stoi(c.text), c.value) << c.text;
  }
  EXPECT_EQ(Stoll("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(Stoll("9223372036854775808"), INT64_MIN);
  EXPECT_EQ(Stoll("4294967296"), 4294967296LL);
  EXPECT_EQ(Stoll("-42"), -42);
}

TEST(DecimalConversion, UnsignedText) {
  EXPECT_EQ(unslong2S(0), "0");
  EXPECT_EQ(unslong2S(10), "10");
  EXPECT_EQ(unslong2S(4294967295u), "4294967295");
  EXPECT_EQ(unslong2S(static_cast<uint32_t>(-1)), "4294967295");
}

TEST(Checks, DigitsAndSigns) {
  struct Case {
    std::string text;
    bool uint_ok, int_ok;
  } cases[] = {
      {"", false, false},    {"0", true, true},     {"-1", false, true}, {" 1", false, false},
      {"12a", false, false}, {"-", false, false},   {"+12", false, false}, {"--1", false, false},
      {"-12", false, true},
  };
  for (auto const& c : cases) {
    EXPECT_EQ(checkuint(c.text), c.uint_ok) << c.text;
    EXPECT_EQ(checkint(c.text), c.int_ok) << c.text;
  }
}

TEST(Cutting, ClipsInsteadOfFailing) {
  EXPECT_EQ(my_at("abcdef", 2, 4), "cd");
  EXPECT_EQ(my_at("abc", 1, 10), "bc");
  EXPECT_EQ(my_at("abc", 3, 5), "");
  EXPECT_EQ(my_at("abc", 2, 1), "");
  EXPECT_EQ(my_at("abc", -2, 2), "ab");
  EXPECT_EQ(my_before("abc", 5), "abc");
  EXPECT_EQ(my_before("abc", 2), "ab");
  EXPECT_EQ(my_before("abc", 0), "");
  EXPECT_EQ(my_before("abc", -1), "");
  EXPECT_EQ(my_after("abc", 1), "bc");
  EXPECT_EQ(my_after("abc", 3), "");
  EXPECT_EQ(my_after("abc", 7), "");
  EXPECT_EQ(my_after("abc", -1), "abc");
}

TEST(Searching, FindContainsCount) {
  EXPECT_EQ(find("abcabc", "bc"), 1);
  EXPECT_EQ(find("abc", "x"), -1);
  EXPECT_EQ(find("abc", ""), 0);
  EXPECT_EQ(find("", ""), 0);
  EXPECT_TRUE(contains("", ""));
  EXPECT_FALSE(contains("abc", "abcd"));
  EXPECT_EQ(char_occurences("a.b.c", '.'), 2);
  EXPECT_EQ(char_occurences("", '.'), 0);
}

TEST(CharacterClasses, NameCharacters) {
  for (char c : std::string("azAZ09_.,@")) EXPECT_TRUE(est_lc(c)) << c;
  for (char c : std::string("- +()[]!~&|<>\t\x80\xe9")) EXPECT_FALSE(est_lc(c)) << int(c);
}

TEST(Replacing, SubstituteChar) {
  EXPECT_EQ(substitute_char("a_b_c", '_', std::string()), "abc");
  EXPECT_EQ(substitute_char("a_b", '_', std::string("__")), "a__b");
  EXPECT_EQ(substitute_char("a_b", '_', '-'), "a-b");
}

TEST(Stoa, CopiesWithTerminator) {
  char* a = Stoa("");
  EXPECT_EQ(a[0], '\0');
  delete[] a;
  a = Stoa("ab%s");
  EXPECT_STREQ(a, "ab%s");
  delete[] a;
  EXPECT_EQ(ctoS('\0').size(), 1u);
}

}  // namespace
