// Whole-word search, replacement, trimming and record splitting.
#include <gtest/gtest.h>

#include "Stringexp.h"

namespace {

TEST(Words, FindToken) {
  EXPECT_EQ(find_token("a+x*2", "x"), 2);
  EXPECT_EQ(find_token("ax+x", "x"), 3);
  EXPECT_EQ(find_token("max", "x"), -1);
  EXPECT_EQ(find_token("y=x_1;", "x_1"), 2);
  EXPECT_EQ(find_token("a.b", "a.b"), -1);
  EXPECT_EQ(find_token("x", "x"), 0);
  EXPECT_TRUE(contains_token("un \xe9t\xe9 chaud", "\xe9t\xe9"));
  EXPECT_FALSE(contains_token("max", "x"));
}

TEST(Words, SubstituteToken) {
  struct Case {
    std::string s, tok, rep, expected;
  } cases[] = {
      {"x+xx+x", "x", "y", "y+xx+y"}, {"x.a", "x", "y", "x.a"},  {"xx", "x", "y", "xx"},
      {"x x", "x", "y", "y y"},       {"x", "x", "yy", "yy"},     {"abc", "", "y", "abc"},
      {"a-x", "x", "x", "a-x"},
  };
  for (auto const& c : cases) EXPECT_EQ(substitute_token(c.s, c.tok, c.rep), c.expected) << c.s;
}

TEST(Patterns, SubstituteString) {
  EXPECT_EQ(substitute_string("a_b_c", "_", "\\_"), "a\\_b\\_c");
  EXPECT_EQ(substitute_string("xxx", "xx", "y"), "yx");
  EXPECT_EQ(substitute_string("aa", "a", "aa"), "aaaa");
  EXPECT_EQ(substitute_string("abc", "", "y"), "abc");
}

TEST(Trimming, Blanks) {
  EXPECT_EQ(bdelete("abc"), "b");
  EXPECT_EQ(bdelete("ab"), "");
  EXPECT_EQ(bdelete("a"), "");
  EXPECT_EQ(cancel_begin_end_spaces("  a b  "), "a b");
  EXPECT_EQ(cancel_begin_end_spaces("   "), "");
  EXPECT_EQ(cancel_begin_end_spaces(""), "");
  EXPECT_EQ(clever_substitute_space("  a  b ", '_'), "a__b");
}

TEST(Records, SplitAtSeparators) {
  struct Case {
    std::string s;
    char sep;
    std::string head, rest;
  } next_cases[] = {{"a,b,c", ',', "a", "b,c"}, {"abc", ',', "abc", ""}, {"a,", ',', "a", ""},
                    {",a", ',', "", "a"},       {"", ',', "", ""}},
    last_cases[] = {{"a/b/c", '/', "a/b", "c"}, {"abc", '/', "abc", ""}, {"/abc", '/', "", "abc"}};
  for (auto const& c : next_cases) {
    std::string rest = "junk";
    EXPECT_EQ(next_record(c.s, c.sep, rest), c.head) << c.s;
    EXPECT_EQ(rest, c.rest) << c.s;
  }
  for (auto const& c : last_cases) {
    std::string rest = "junk";
    EXPECT_EQ(last_record(c.s, c.sep, rest), c.head) << c.s;
    EXPECT_EQ(rest, c.rest) << c.s;
  }
}

TEST(Records, SplitAtOneOfSeveral) {
  std::string rest;
  char found = 0;
  EXPECT_EQ(next_record("a,b;c", ";,", rest, found), "a");
  EXPECT_EQ(rest, "b;c");
  EXPECT_EQ(found, ',');
  EXPECT_EQ(next_record("abc", ";,", rest, found), "abc");
  EXPECT_EQ(rest, "");
  EXPECT_EQ(found, ' ');
  EXPECT_EQ(next_record("a,b", "", rest, found), "a,b");
  EXPECT_EQ(found, ' ');
}

TEST(Records, RestMayBeTheSplitText) {
  std::string text = "a\nb\n";
  std::string first = next_record(text, '\n', text);
  EXPECT_EQ(first, "a");
  EXPECT_EQ(text, "b\n");
  EXPECT_EQ(next_record(text, '\n', text), "b");
  EXPECT_EQ(text, "");
  text = "last";
  EXPECT_EQ(next_record(text, '\n', text), "last");
  EXPECT_EQ(text, "");
}

}  // namespace
