// Process runner of the end-to-end tests.
#include "run_tool.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

bool file_exists(const std::string& path) { return std::filesystem::exists(path); }

std::string tarvek_path() { return std::string(TARVEK_BINARY_DIR) + "/frontend/tarvek"; }

std::string scratch_dir(const std::string& name) {
  std::string dir = std::string(TARVEK_BINARY_DIR) + "/test-scratch/" + name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

run_result run_tool(const std::vector<std::string>& argv, const std::string& cwd, int timeout_s,
                    bool keep_display) {
  run_result r;
  char out_name[] = "/tmp/tarvek-test-outXXXXXX";
  char err_name[] = "/tmp/tarvek-test-errXXXXXX";
  int out_fd = mkstemp(out_name);
  int err_fd = mkstemp(err_name);
  pid_t pid = fork();
  if (pid == 0) {
    dup2(out_fd, 1);
    dup2(err_fd, 2);
    if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
    if (!keep_display) unsetenv("DISPLAY");
    std::vector<char*> args;
    for (auto const& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  struct timespec tick = {0, 10 * 1000 * 1000};
  for (int waited = 0;; ++waited) {
    pid_t w = waitpid(pid, &status, WNOHANG);
    if (w == pid) break;
    if (waited >= timeout_s * 100) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      r.timed_out = true;
      break;
    }
    nanosleep(&tick, nullptr);
  }
  if (!r.timed_out && WIFEXITED(status)) r.exit_code = WEXITSTATUS(status);
  close(out_fd);
  close(err_fd);
  r.out = read_file(out_name);
  r.err = read_file(err_name);
  unlink(out_name);
  unlink(err_name);
  return r;
}
