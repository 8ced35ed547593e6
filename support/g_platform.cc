// Linux versions of the platform services: getrusage, nanosleep, clock_gettime,
// getcwd, Xlib and posix_spawnp.
#include "g_platform.h"

#include <X11/Xlib.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

extern char** environ;

// Declared by FLTK's X11 header, which also drags in every X macro.
void fl_open_display(Display*);

uint32_t g_user_cpu_ms() {
  struct rusage ru;
  getrusage(RUSAGE_SELF, &ru);
  uint64_t ms =
      static_cast<uint64_t>(ru.ru_utime.tv_sec) * 1000u + static_cast<uint64_t>(ru.ru_utime.tv_usec) / 1000u;
  return static_cast<uint32_t>(ms);
}

void g_sleep_ms(int ms) {
  if (ms <= 0) return;
  struct timespec left;
  left.tv_sec = ms / 1000;
  left.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

void g_clock_utc(int64_t* seconds, int32_t* microseconds) {
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  *seconds = static_cast<int64_t>(now.tv_sec);
  *microseconds = static_cast<int32_t>(now.tv_nsec / 1000);
}

std::string g_current_directory(size_t max_length) {
  std::vector<char> room(max_length + 1);
  if (getcwd(room.data(), room.size()) == nullptr) return std::string();
  return std::string(room.data());
}

bool g_display_available() {
  static int known = -1;
  if (known < 0) {
    Display* d = XOpenDisplay(nullptr);
    known = d != nullptr;
    if (d) fl_open_display(d);
  }
  return known == 1;
}

int g_run_program(const std::vector<std::string>& argv) {
  if (argv.empty()) return -1;
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid;
  if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return -1;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
