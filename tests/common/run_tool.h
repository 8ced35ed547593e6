// Runs a program as a user would from a shell, without an X display unless
// asked, under a timeout, and collects what it wrote and how it ended.
#ifndef TARVEK_TESTS_RUN_TOOL_H
#define TARVEK_TESTS_RUN_TOOL_H

#include <string>
#include <vector>

struct run_result {
  int exit_code = -1;     // -1 when killed by a signal or the timeout
  bool timed_out = false;
  std::string out;
  std::string err;
};

// argv[0] is the program path. The child runs in `cwd` (when not empty) with
// DISPLAY removed from its environment unless keep_display is set.
run_result run_tool(const std::vector<std::string>& argv, const std::string& cwd = "",
                    int timeout_s = 60, bool keep_display = false);

// The tarvek binary of this build tree.
std::string tarvek_path();

// A fresh empty folder under the build tree for one test.
std::string scratch_dir(const std::string& name);

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& text);
bool file_exists(const std::string& path);

#endif
