// Covers as tables of cubes: BLIF, the numbered form, and the general
// member with every separator chosen.
#include <gtest/gtest.h>

#include <sstream>

#include "bdd_oracle.h"
#include "bddpp.h"

TEST(BddTables, GoldenTexts) {
  bddpp_manager m;
  bdd a = m.New_var_last("a"), b = m.New_var_last("b"), c = m.New_var_last("c"), z = m.New_var_last("z");
  long numbers[] = {3, 5, 7, 9};
  bdd a_not_c = m.Bdd_and(a, m.Bdd_not(c));
  bdd two_rows = m.Bdd_or(m.Bdd_and(a, b), c);  // a.b + c with method 1
  struct table_case {
    std::string what;
    std::function<void(std::ostream&)> write;
    std::string expected;
  };
  std::vector<table_case> cases = {
      {"BLIF, b between a and c gets no column", [&](std::ostream& os) { m.BLIF_print(os, z, a_not_c, 1); },
       ".names  a c z\n10 1\n"},
      {"BLIF, several rows", [&](std::ostream& os) { m.BLIF_print(os, z, two_rows, 1); },
       ".names  a b c z\n11- 1\n--1 1\n"},
      {"BLIF, false", [&](std::ostream& os) { m.BLIF_print(os, z, m.Bdd_zero(), 1); }, ".names  z\n0\n"},
      {"BLIF, true", [&](std::ostream& os) { m.BLIF_print(os, z, m.Bdd_one(), 0); }, ".names  z\n1\n"},
      {"BLIF, an output that is no variable", [&](std::ostream& os) { m.BLIF_print(os, "out", two_rows, 1); },
       ".names  a b c out\n11- 1\n--1 1\n"},
      {"numbered", [&](std::ostream& os) { m.LEC_print(os, numbers, z, a_not_c, 1); }, "3 7 9:\n1 0  1;\n"},
      {"numbered, several rows", [&](std::ostream& os) { m.LEC_print(os, numbers, z, two_rows, 1); },
       "3 5 7 9:\n1 1 -  1,\n- - 1  1;\n"},
      {"numbered, true", [&](std::ostream& os) { m.LEC_print(os, numbers, z, m.Bdd_one(), 1); }, "9:\n1;\n"},
      {"numbered, an output that is a constant keeps its name",
       [&](std::ostream& os) { m.LEC_print(os, numbers, m.Bdd_zero(), a_not_c, 1); }, "3 7 0:\n1 0  1;\n"},
      {"every separator",
       [&](std::ostream& os) { m.PLA_print_pref_suff(os, z, two_rows, "<", ">", "H:", "|", "/", ".", ",", 1); },
       "H:<a> <b> <c> <z>|1,1,-, 1/-,-,1, 1."},
      {"every separator, false",
       [&](std::ostream& os) {
         m.PLA_print_pref_suff(os, z, m.Bdd_zero(), "<", ">", "H:", "|", "/", ".", ",", 1);
       },
       "H:<z>|0."},
      {"every separator, numbered",
       [&](std::ostream& os) {
         m.PLA_print_pref_suff_with_renaming(os, z, a_not_c, "<", ">", "", "|", "/", ".", "", 1, numbers);
       },
       "<3> <7> <9>|10 1."},
  };
  for (auto const& c : cases) {
    std::ostringstream os;
    c.write(os);
    EXPECT_EQ(os.str(), c.expected) << c.what;
  }
}

// Columns follow the order, not the creation of the variables.
TEST(BddTables, ColumnsInTheOrderAfterAnInsertion) {
  bddpp_manager m;
  bdd a = m.New_var_last("a"), z = m.New_var_last("z");
  bdd n = m.New_var_after(-1, "n");
  long numbers[] = {30, 10, 90};  // by index: n, a, z
  std::ostringstream blif, lec;
  m.BLIF_print(blif, z, m.Bdd_and(m.Bdd_not(a), n), 1);
  m.LEC_print(lec, numbers, z, m.Bdd_and(m.Bdd_not(a), n), 1);
  EXPECT_EQ(blif.str(), ".names  n a z\n10 1\n");
  EXPECT_EQ(lec.str(), "30 10 90:\n1 0  1;\n");
}
