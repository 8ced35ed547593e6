// What a run touches before it fails on its command line: the options are
// read before any file is opened, so a mistyped option, "-h" or "-v" leaves
// the log of an earlier run as it was.
#include <gtest/gtest.h>

#include "run_tool.h"

namespace {

TEST(TarvekOrder, CommandLineFailuresTouchNoFile) {
  std::string d = scratch_dir("tarvek_order");
  const std::string gt =
      "Name: m Input: EndInput: Output: EndOutput: Step: IS: 1 0 0 EndStep: Transition: "
      "EndTransition: Link: EndLinkTable: Assertion: EndAssertion:";
  write_file(d + "/g.gt", gt);
  write_file(d + "/g.log", "an earlier run\n");
  struct cas {
    std::vector<std::string> args;
    int code;
  } const table[] = {
      {{"g.gt", "-explain", "-bogus"}, 1}, {{"g.gt", "-v"}, 1},        {{"-h", "g.gt"}, 0},
      {{"-v", "g.gt", "-bogus"}, 0},       {{"nothing.gt", "-O3"}, 1},
  };
  for (auto const& c : table) {
    std::vector<std::string> argv = {tarvek_path()};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    run_result r = run_tool(argv, d, 60);
    EXPECT_EQ(r.exit_code, c.code) << c.args.back();
    EXPECT_EQ(read_file(d + "/g.log"), "an earlier run\n") << c.args.back();
    EXPECT_FALSE(file_exists(d + "/nothing.log")) << c.args.back();
  }
}

}  // namespace
