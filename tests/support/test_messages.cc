// Without a display every box returns at once; texts that only a box would
// show reach the standard error stream instead, and the exit code is the
// program's own.
#include <gtest/gtest.h>

#include "run_tool.h"

namespace {

std::string probe() { return std::string(TARVEK_BINARY_DIR) + "/tests/support/box_probe"; }

TEST(BoxesWithoutDisplay, ReturnAtOnceAndKeepTheText) {
  struct Case {
    std::string kind, text, out, err;
  } cases[] = {
      {"message", "ERROR: 100% %s %d", "after\n", "ERROR: 100% %s %d\n"},
      {"notice", "SC generation is incompatible", "after\n", "SC generation is incompatible\n"},
      {"alert", "careful", "after\n", "careful\n"},
      {"question", "Sure?", "question=0\nafter\n", ""},
      {"input", "Name?", "input=[]\nafter\n", ""},
      {"big", "a\n\nb", "after\n", "a\n\nb\n"},
      {"about", "", "after\n", ""},
  };
  for (auto const& c : cases) {
    run_result r = run_tool({probe(), c.kind, c.text}, "", 20);
    EXPECT_FALSE(r.timed_out) << c.kind;
    EXPECT_EQ(r.exit_code, 0) << c.kind;
    EXPECT_EQ(r.out, c.out) << c.kind;
    EXPECT_EQ(r.err, c.err) << c.kind;
  }
}

}  // namespace
