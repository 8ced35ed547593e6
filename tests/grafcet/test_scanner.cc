// The .gt scanner: longest match and rule order, strings, keywords with their
// colon, and the characters echoed into the log.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <streambuf>

#include "gt_grammar.hh"
#include "lex.gt.h"

namespace {

// The tokens of a text as "CODE:text" separated by blanks, and the echo.
struct jetons {
  std::string liste;
  std::string echo;
};

jetons decoupe(const std::string& texte) {
  std::istringstream in(texte);
  std::ostringstream echo;
  gtFlexLexer scanner(&in, &echo);
  jetons r;
  for (int code; (code = scanner.yylex()) != 0;)
    r.liste += (r.liste.empty() ? "" : " ") + std::to_string(code) + ":" + scanner.YYText();
  r.echo = echo.str();
  return r;
}

std::string j(int code, const char* texte) { return std::to_string(code) + ":" + texte; }

TEST(Scanner, TokensAndEchoes) {
  struct cas {
    std::string texte, liste, echo;
  } const table[] = {
      {"Name: demo", j(NAME, "Name:") + " " + j(WORD, "demo"), ""},
      {"Name : demo", j(WORD, "Name") + " " + j(DEUX_POINTS, ":") + " " + j(WORD, "demo"), ""},
      {"123", j(NUMBER, "123"), ""},
      {"123abc", j(WORD, "123abc"), ""},
      {"_1", j(WORD, "_1"), ""},
      {"12.5", j(NUMBER, "12") + " " + j(NUMBER, "5"), "."},
      {"-12", j(NUMBER, "12"), "-"},
      {"\"a and b\"", j(STRING, "\"a and b\""), ""},
      {"\"\"", j(STRING, "\"\""), ""},
      {"\"a-b\"", j(WORD, "a") + " " + j(WORD, "b"), "\"-\""},
      {"\"abc\n", j(WORD, "abc"), "\""},
      {"\"x : bool EndInput: \" y\"", j(STRING, "\"x : bool EndInput: \"") + " " + j(WORD, "y"),
       "\""},
      {"or OR + Or order",
       j(O_R, "or") + " " + j(O_R, "OR") + " " + j(O_R, "+") + " " + j(WORD, "Or") + " " +
           j(WORD, "order"),
       ""},
      {"and * not ! pre PRE",
       j(A_N_D, "and") + " " + j(A_N_D, "*") + " " + j(N_O_T, "not") + " " + j(N_O_T, "!") + " " +
           j(P_R_E, "pre") + " " + j(P_R_E, "PRE"),
       ""},
      {"[ ( ] )",
       j(PARENTHESE_OUVRANTE, "[") + " " + j(PARENTHESE_OUVRANTE, "(") + " " +
           j(PARENTHESE_FERMANTE, "]") + " " + j(PARENTHESE_FERMANTE, ")"),
       ""},
      {"EndLinkTable: EndLink: EndLinkTable",
       j(ENDLINKTABLE, "EndLinkTable:") + " " + j(ENDLINK, "EndLink:") + " " +
           j(WORD, "EndLinkTable"),
       ""},
      {"IS: IS : IS is:",
       j(I_S, "IS:") + " " + j(WORD, "IS") + " " + j(DEUX_POINTS, ":") + " " + j(WORD, "IS") + " " +
           j(WORD, "is") + " " + j(DEUX_POINTS, ":"),
       ""},
      {"SEIS: SES: EIS: ES: EMS: BMS: MS: NS:",
       j(S_E_I_S, "SEIS:") + " " + j(S_E_S, "SES:") + " " + j(E_I_S, "EIS:") + " " + j(E_S, "ES:") +
           " " + j(E_M_S, "EMS:") + " " + j(B_M_S, "BMS:") + " " + j(M_S, "MS:") + " " +
           j(N_S, "NS:"),
       ""},
      {"bool event booleen events Bool EVENT",
       j(BOOL, "bool") + " " + j(EVENT, "event") + " " + j(WORD, "booleen") + " " +
           j(WORD, "events") + " " + j(WORD, "Bool") + " " + j(WORD, "EVENT"),
       ""},
      {"TO: FR: Conv: Div: IdentS: IdentT:",
       j(TO, "TO:") + " " + j(FROM, "FR:") + " " + j(CONVERGENCE, "Conv:") + " " +
           j(DIVERGENCE, "Div:") + " " + j(IDENTS, "IdentS:") + " " + j(IDENTT, "IdentT:"),
       ""},
      {"", "", ""},
      {" \t\n \n", "", ""},
      {"a\r\nb\r\n", j(WORD, "a") + " " + j(WORD, "b"), "\r\r"},
      {"#$%&'.;=?{}~<>\\`/@^|", "", "#$%&'.;=?{}~<>\\`/@^|"},
      {std::string("x\x01y\x7f\xc3\xa9z", 7),
       j(WORD, "x") + " " + j(WORD, "y") + " " + j(WORD, "z"), std::string("\x01\x7f\xc3\xa9", 4)},
      {std::string("a\0b", 3), j(WORD, "a") + " " + j(WORD, "b"), std::string(1, '\0')},
  };
  for (auto const& c : table) {
    jetons r = decoupe(c.texte);
    EXPECT_EQ(r.liste, c.liste) << c.texte;
    EXPECT_EQ(r.echo, c.echo) << c.texte;
  }
}

// A tab or a line end cannot stand inside a string.
TEST(Scanner, StringsEndOnTheirLine) {
  EXPECT_EQ(decoupe("\"a\tb\"").echo, "\"\"");
  EXPECT_EQ(decoupe("\"a\nb\"").liste, j(WORD, "a") + " " + j(WORD, "b"));
}

TEST(Scanner, WrapEndsTheInput) { EXPECT_EQ(gtwrap(), 1); }

// Tokens of millions of characters, a run of a million line ends, and an
// unclosed quote before a long word: one character per refill would copy
// and rescan the token so far at each one, for hours.
TEST(Scanner, LongTokensTakeOnePass) {
  const size_t n = 4000000;
  std::string mot(n, 'N');
  jetons r = decoupe("Name: " + mot + " 12");
  EXPECT_EQ(r.liste, j(NAME, "Name:") + " " + j(WORD, mot.c_str()) + " " + j(NUMBER, "12"));

  std::string chaine = "\"a";
  while (chaine.size() < n) chaine += " and a";
  chaine += "\"";
  EXPECT_EQ(decoupe(chaine + ",").liste, j(STRING, chaine.c_str()) + " " + j(VIRGULE, ","));

  EXPECT_EQ(decoupe(std::string(1000000, '\n') + "7").liste, j(NUMBER, "7"));

  r = decoupe("\"" + std::string(n, 'a') + "\n-");
  EXPECT_EQ(r.liste, j(WORD, std::string(n, 'a').c_str()));
  EXPECT_EQ(r.echo, "\"-");
}

// A stream that has characters ready, then fails when read further.
class lecture_qui_echoue : public std::streambuf {
 public:
  explicit lecture_qui_echoue(std::string texte) : texte_(std::move(texte)) {
    setg(texte_.data(), texte_.data(), texte_.data() + texte_.size());
  }

 protected:
  std::streamsize showmanyc() override { return 100; }
  int_type underflow() override { throw std::ios_base::failure("lecture"); }

 private:
  std::string texte_;
};

// Tokens up to the failed read are returned, then the scanner ends the run
// with code 2.
TEST(ScannerDeathTest, AFailedReadEndsTheRunWhereItHappens) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        lecture_qui_echoue tampon("Name: demo ");
        std::istream in(&tampon);
        std::ostringstream echo;
        gtFlexLexer scanner(&in, &echo);
        for (int code; (code = scanner.yylex()) != 0;) std::cerr << code << " ";
        std::exit(0);
      },
      testing::ExitedWithCode(2), "^275 301 input in flex scanner failed\n$");
}

}  // namespace
