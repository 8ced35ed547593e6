// Case conversion in ASCII, ISO-8859-1 and UTF-8, letter and identifier
// checks, the edit distance, and the LaTeX and RTF filters.
#include <gtest/gtest.h>
#include <pthread.h>

#include "Stringcase.h"
#include "Stringfilter.h"

namespace {

// "été" and "ÉTÉ" in both encodings.
const std::string ete_iso = "\xe9t\xe9", ETE_iso = "\xc9T\xc9", ete_utf8 = "\xc3\xa9t\xc3\xa9";

TEST(Case, FourConverters) {
  struct Case {
    std::string text, down, up, accent, accent2;
  } cases[] = {
      {"Ab1_z", "ab1_z", "AB1_Z", "AB1_Z", "AB1_Z"},
      {ete_iso, ete_iso, "T", "ETE", "T"},
      {ETE_iso, "\xc9t\xc9", "T", "T", "T"},
      {ete_utf8, ete_utf8, "T", "T", "ETE"},
      {"\xe0\xe2\xe7\xe8\xea\xf4\x8c\xfb", "\xe0\xe2\xe7\xe8\xea\xf4\x8c\xfb", "", "AACEEOI", ""},
  };
  for (auto const& c : cases) {
    EXPECT_EQ(downcase(c.text), c.down) << c.text;
    EXPECT_EQ(upcase(c.text), c.up) << c.text;
    EXPECT_EQ(upcase_accent(c.text), c.accent) << c.text;
    EXPECT_EQ(upcase_accent2(c.text), c.accent2) << c.text;
  }
}

TEST(Case, Utf8Pairs) {
  struct Case {
    std::string text, up;
  } cases[] = {
      {"\xc3\xb6\xc3\xb4\xc3\xae\xc3\xad\xc3\xab\xc3\xa9\xc3\xa8\xc3\xa7\xc3\xa4\xc3\xa1", "OOIIEEECAA"},
      {"\xc3\xa0", ""},  // à is not in the table
      {"\xc3\xa2\xc3\xaa\xc3\xaf\xc3\xb9\xc3\xbb\xc3\xbc", ""},
      {"a\xc3zb", "AB"},      // an unknown second byte goes with its lead
      {"\xc4\xb1x", "IX"},    // dotless i
      {"\xc4\xc3\xa9", "E"},  // 0xC4 dropped, 0xC3 starts its own pair
      {"\xc4zy", "Y"},
      {"ab\xc3", "AB"},  // a lead byte at the end
      {"ab\xc4", "AB"},
      {"\xe2\x80\x99x", "X"},  // other bytes from 0x80 up
  };
  for (auto const& c : cases) EXPECT_EQ(upcase_accent2(c.text), c.up) << c.text;
}

TEST(Letters, Iso8859_1) {
  for (int c = 0; c < 256; ++c) {
    bool lettre = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0xB5 || (c >= 0xC0 && c <= 0xFF);
    if (c == 0xD7 || c == 0xD8 || c == 0xF7 || c == 0xF8 || c == 0xFE) lettre = false;
    EXPECT_EQ(check_ISO_8859_1_alphabetical_letter(static_cast<char>(c)), lettre) << c;
  }
}

TEST(Identifiers, Names) {
  struct Case {
    std::string text;
    bool name, underscore;
  } cases[] = {
      {"a", true, true},     {"A1", true, true},          {"a_b", true, true},  {"a__b", true, true},
      {"", false, false},    {"_a", false, true},         {"1a", false, false}, {"a_", false, false},
      {"a-b", false, false}, {"_1", false, true},         {"_", false, false},  {"__", false, false},
      {"1", false, false},   {"\xe9t\xe9", false, false}, {"ab1", true, true},  {"a b", false, false},
  };
  for (auto const& c : cases) {
    EXPECT_EQ(checkvarname(c.text), c.name) << c.text;
    EXPECT_EQ(checkvarname_with_pre_underscore(c.text), c.underscore) << c.text;
  }
}

TEST(EditDistance, Levenshtein) {
  struct Case {
    std::string a, b;
    int d;
  } cases[] = {{"flaw", "lawn", 2},      {"", "", 0},        {"", "abc", 3}, {"abc", "", 3}, {"a", "A", 1},
               {"kitten", "sitting", 3}, {"same", "same", 0}};
  for (auto const& c : cases) EXPECT_EQ(levenshtein(c.a, c.b), c.d) << c.a << "/" << c.b;
  std::string long998(998, 'x');
  EXPECT_EQ(levenshtein(long998, std::string(998, 'y')), 998);
  EXPECT_EQ(levenshtein(long998, ""), 998);
}

// 999 characters are refused; the table no longer sits on the stack, so a
// thread with a small stack can still measure the longest texts.
TEST(EditDistance, Limits) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(levenshtein(std::string(999, 'x'), "a"), -1);
  EXPECT_EQ(levenshtein("a", std::string(1500, 'x')), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "chaines trop grandes!\nchaines trop grandes!\n");
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, 256 * 1024);
  pthread_t fil;
  static int distance = 0;
  auto mesure = [](void*) -> void* {
    distance = levenshtein(std::string(998, 'a'), std::string(997, 'b') + "a");
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&fil, &attr, mesure, nullptr), 0);
  pthread_join(fil, nullptr);
  pthread_attr_destroy(&attr);
  EXPECT_EQ(distance, 997);
}

TEST(Filters, Latex) {
  EXPECT_EQ(latex_String_filter("a_b__c"), "a\\_b\\_\\_c");
  EXPECT_EQ(latex_String_filter("a&%$#^~{}\\"), "a&%$#^~{}\\");
}

TEST(Filters, RtfEveryRow) {
  struct Case {
    std::string text, rtf;
  } cases[] = {
      {"'", "\\'91"},
      {"\xe2\x80\x99", "\\'27"},
      {"\xc2\xab", "\\'ab"},
      {"\xc2\xbb", "\\'bb"},
      {"\xe2\x80\x93", "-"},
      {"\xc3\x89", "\\'c9"},
      {"\xc3\x88", "\\'c8"},
      {"\xc3\x8a", "\\'ca"},
      {"\xc3\x8b", "\\'cb"},
      {"\xc3\x87", "\\'c7"},
      {"\xc3\xa9", "\\'e9"},
      {"\xc3\xa8", "\\'e8"},
      {"\xc3\xaa", "\\'ea"},
      {"\xc3\xab", "\\'eb"},
      {"\xc3\xa7", "\\'e7"},
      {"\xc3\xa0", "\\'e0"},
      {"\xc3\xb6", "\\'f6"},
      {"\xc3\xb4", "\\'f4"},
      {"\xc3\xae", "\\'ee"},
      {"\xc3\xaf", "\\'ef"},
      {"\xc3\x97", "x"},
      {"#", "\\'23"},
      {"$", "\\'24"},
      // Whole texts; the apostrophes that escapes insert are not replaced again.
      {"l'\xc3\xa9t\xc3\xa9", "l\\'91\\'e9t\\'e9"},
      {"\xc2\xab x \xc2\xbb", "\\'ab x \\'bb"},
      {"a \xe2\x80\x93 b", "a - b"},
      {"3 \xc3\x97 4", "3 x 4"},
      {"#1", "\\'231"},
      {"\xc3\xa2\xc3\xb9\xc3\xbb\xc3\xbc\xc3\x82\xc3\x80",
       "\xc3\xa2\xc3\xb9\xc3\xbb\xc3\xbc\xc3\x82\xc3\x80"},
      {"{\\b}", "{\\b}"},
  };
  for (auto const& c : cases) EXPECT_EQ(rtf_String_filter(c.text), c.rtf) << c.text;
}

}  // namespace
