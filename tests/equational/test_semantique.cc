// The automaton against the reaction model of the grafcet, over random
// input sequences: guarded and unguarded chains, a ring broken on its
// input, parallel split and join, pulse and continuous actions, an
// assertion, the exported steps of -simul, and inputs named like the
// variables that loop breaking creates.
#include <gtest/gtest.h>

#include "automate_test.h"
#include "gt_source.h"
#include "run_tool.h"

namespace {

std::string fixture(const std::string& nom) {
  return read_file(std::string(TARVEK_TEST_DATA) + "/equational/data/" + nom);
}

std::string exemple(const std::string& nom) {
  return read_file(std::string(TARVEK_EXAMPLES) + "/" + nom);
}

TEST(Semantique, AutomatonAgreesWithTheModel) {
  struct cas {
    std::string nom, texte;
    bool simul;
  };
  std::vector<cas> table = {
      {"guarded chain", fixture("chaine_gardee.gt"), false},
      {"unguarded chain", fixture("chaine_libre.gt"), false},
      {"ring", fixture("anneau.gt"), false},
      {"ring, -simul", fixture("anneau.gt"), true},
      {"parallel", fixture("parallele.gt"), false},
      {"assertion", fixture("assertion.gt"), false},
      {"machine cycle", exemple("machine_cycle.gt"), false},
      {"tank filling", exemple("tank_filling.gt"), false},
      {"tank filling, -simul", exemple("tank_filling.gt"), true},
      // ZX1 expanded on a would be named like the input.
      {"an input named like a cut copy",
       gt({"IS: 1 0 0 Action: 0 \"N\" : \"ZX1_a\" EndAction:",
           "NS: 2 0 4 Action: 1 \"P\" : \"1\" EndAction:"},
          {"1 0 2 FR: (0) TO: (1) : \"a\"", "2 0 6 FR: (1) TO: (0) : \"not a\""},
          "\"a\" : bool \"ZX1_a\" : bool \"X1_Reset_nota\" : event"),
       false},
      // Step 2 is entered again while it is active.
      {"re-entry",
       gt({"IS: 1 0 0", "NS: 2 0 4 Action: 1 \"P\" : \"1\" 0 \"N\" : \"RE2 or FE2\" EndAction:"},
          {"1 0 2 FR: (0) TO: (1) : \": a\"", "2 0 6 FR: (1) TO: (1) : \": b\""},
          "\"a\" : bool \"b\" : bool"),
       false},
  };
  std::mt19937 rng(12);
  for (auto const& c : table) {
    compilation_eq comp = compile_equationnel(c.texte, c.simul);
    ASSERT_TRUE(comp.automate) << c.nom;
    EXPECT_EQ(comp.triable, 1) << c.nom;
    for (int k = 0; k < 8; ++k) {
      std::string diff = compare_au_modele(comp, entrees_aleatoires(comp.d.ni, 40, rng));
      EXPECT_EQ(diff, "") << c.nom;
      if (!diff.empty()) break;
    }
  }
}

// Both transitions of a ring true at once leave a loop that no input cuts:
// the equations alone do not define the reaction, and the compilation is
// refused although each input alone would cut the loop.
TEST(Semantique, RingOnTwoInputsIsRefused) {
  compilation_eq comp =
      compile_equationnel(gt({"IS: 1 0 0", "NS: 2 0 4"},
                             {"1 0 2 FR: (0) TO: (1) : \"a\"", "2 0 6 FR: (1) TO: (0) : \"b\""},
                             "\"a\" : bool \"b\" : bool"));
  EXPECT_EQ(comp.triable, 0);
}

}  // namespace
