// The interpreted-parallelism report: which pairs conflict, in which order,
// and how assertions and the step mode bear on it.
#include <gtest/gtest.h>

#include "encodage_test.h"

namespace {

const std::string entrees = "\"a\" : bool \"b\" : bool \"e\" : event";

std::string rapport(const std::vector<std::string>& etapes,
                    const std::vector<std::string>& transitions,
                    const std::vector<std::string>& assertions = {}) {
  encodage_teste t = encode(gt_entrees(entrees, etapes, transitions, assertions));
  return t.e ? t.e->check_interpreted_parallelism() : "(not encoded)";
}

std::string ligne(int p1, const std::string& r1, int p2, const std::string& r2) {
  return "interpreted parallelism between t" + std::to_string(p1) + " (" + r1 + ") and t" +
         std::to_string(p2) + " (" + r2 + ") !\n";
}

TEST(Parallelisme, PairsLeavingOneStep) {
  const std::vector<std::string> etapes = {"IS: 1 0 0", "NS: 2 0 4", "NS: 3 4 4"};
  auto deux = [&](const std::string& r1, const std::string& r2,
                  const std::vector<std::string>& assertions = {}) {
    return rapport(
        etapes,
        {"3 0 2 FR: (0) TO: (1) : \"" + r1 + "\"", "7 4 2 FR: (0) TO: (2) : \"" + r2 + "\""},
        assertions);
  };
  EXPECT_EQ(deux("a", "b"), ligne(3, "a", 7, "b"));
  EXPECT_EQ(deux("a", "not a"), "");
  EXPECT_EQ(deux("a", "b", {"not (a and b)"}), "");
  EXPECT_EQ(deux("a", "b", {"e", "a xor b"}), "");
  EXPECT_EQ(deux("=1", "=1"), ligne(3, "=1", 7, "=1"));
  EXPECT_EQ(deux("a=1", "not a"), ligne(3, "a=1", 7, "not a"));
  EXPECT_EQ(deux("a : b", "not b"), "");
  EXPECT_EQ(deux("0 : b", "a"), ligne(3, "0 : b", 7, "a"));
  EXPECT_EQ(deux("", "a"), "");
  EXPECT_EQ(rapport(etapes, {"3 0 2 FR: (0) TO: (1) : \"a\""}), "");
}

// Lines come in step order, then in the order of the first and of the second
// transition of each pair; the numbers are those of the file.
TEST(Parallelisme, OrderOfTheReport) {
  std::string r =
      rapport({"IS: 1 0 0", "NS: 2 0 4", "NS: 3 4 4", "NS: 4 8 4"},
              {"90 0 2 FR: (1) TO: (0) : \"a\"", "20 1 2 FR: (0) TO: (1) : \"b\"",
               "10 2 2 FR: (0) TO: (2) : \"e\"", "15 3 2 FR: (0) TO: (3) : \"not e and not b\"",
               "40 4 2 FR: (1,2) TO: (0) : \"e\""});
  EXPECT_EQ(r, ligne(20, "b", 10, "e") + ligne(90, "a", 40, "e"));
}

// A pair that shares two upstream steps is reported once for each of them.
TEST(Parallelisme, SharedUpstreamStepsAndStepMode) {
  encodage_teste t =
      encode(gt_entrees(entrees, {"IS: 1 0 0", "IS: 2 0 4", "NS: 3 4 4"},
                        {"5 0 2 FR: (0,1) TO: (2) : \"a : e\"", "6 4 2 FR: (0,1) TO: (2) : \"e\"",
                         "8 0 6 FR: (2) TO: (0,1) : \"1\""}));
  const std::string attendu = ligne(5, "a : e", 6, "e") + ligne(5, "a : e", 6, "e");
  EXPECT_EQ(t.e->check_interpreted_parallelism(), attendu);
  t.e->force_garde_transitions();
  EXPECT_EQ(t.e->check_interpreted_parallelism(), attendu);
}

}  // namespace
