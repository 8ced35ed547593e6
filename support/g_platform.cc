// Linux versions of the platform services: getrusage, nanosleep and Xlib.
#include "g_platform.h"

#include <X11/Xlib.h>
#include <cerrno>
#include <sys/resource.h>
#include <time.h>

// Declared by FLTK's X11 header, which also drags in every X macro.
void fl_open_display(Display*);

uint32_t g_user_cpu_ms() {
  struct rusage ru;
  getrusage(RUSAGE_SELF, &ru);
  uint64_t ms = static_cast<uint64_t>(ru.ru_utime.tv_sec) * 1000u + static_cast<uint64_t>(ru.ru_utime.tv_usec) / 1000u;
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

bool g_display_available() {
  static int known = -1;
  if (known < 0) {
    Display* d = XOpenDisplay(nullptr);
    known = d != nullptr;
    if (d) fl_open_display(d);
  }
  return known == 1;
}
