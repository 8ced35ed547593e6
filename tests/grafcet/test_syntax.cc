// The syntax checks of a grafcet's texts: conditions over the names it
// defines, and declared names that hold a blank.
#include <gtest/gtest.h>

#include "gt_texte.h"

namespace {

// Inputs a (bool) and b (event), outputs o and e, one step named 1.
TEST(Syntax, ConditionsOverTheNamesOfTheGrafcet) {
  lecture r = lit_texte(gt_fichier({"IS: 1 0 0"}, {}));
  ASSERT_EQ(r.code, 0);
  struct cas {
    const char* texte;
    int valide;
  } const table[] = {
      {"a and not b", 1},
      {"a and not b  ", 1},
      {"X1 or RE1", 1},
      {"( a + FE1 ) * tick", 1},
      {"a+b", 1},
      {"[ a )", 1},
      {"NOT [ 0 OR 1 ] AND ! a", 1},
      {"a and", 0},
      {"a +", 0},
      {"o", 0},
      {"x", 0},
      {"3", 0},
      {"X2", 0},
      {"", 0},
      {"a xor b", 0},
      {"( a", 0},
  };
  for (auto const& c : table) {
    int v = -1;
    std::string trace = capture_cerr([&] { v = r.g->expression_valide(c.texte); });
    EXPECT_EQ(v, c.valide) << c.texte;
    EXPECT_NE(trace.find("tok="), std::string::npos) << c.texte;
  }
  std::string trace = capture_cerr([&] { r.g->expression_valide("a and b"); });
  EXPECT_EQ(trace, "tok=a state=2\ntok=and state=1\ntok=b state=2\ntok= state=3\n");
}

TEST(Syntax, DeclaredNamesWithABlank) {
  lecture r = lit_texte(
      "Name: m Input: \"a\" : bool \"b c\" : bool \"d e f\" : event EndInput: "
      "Output: \" o\" : bool \"p\" : bool \"q \" : event EndOutput: Step: EndStep: "
      "Transition: EndTransition: Link: EndLinkTable: Assertion: EndAssertion:");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.g->verif_syntaxe_inputs(), "\"b c\"\n\"d e f\"\n");
  EXPECT_EQ(r.g->verif_syntaxe_outputs(), "\" o\"\n\"q \"\n");
  lecture sans = lit_texte(gt_fichier({}, {}));
  EXPECT_EQ(sans.g->verif_syntaxe_inputs(), "");
  EXPECT_EQ(sans.g->verif_syntaxe_outputs(), "");
}

}  // namespace
