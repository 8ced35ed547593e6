// Stopwatch of user CPU time and the polling pause.
#include "g_time.h"

#include <unistd.h>

#include "g_platform.h"

g_chrono::g_chrono() : process(0), start(0), cumul(0) {}

void g_chrono::Go() {
  process = static_cast<int>(getpid());
  start = static_cast<int32_t>(g_user_cpu_ms());
}

// Differences are taken modulo 2^32, as the readings themselves wrap.
static int32_t elapsed_since(int32_t start) {
  return static_cast<int32_t>(g_user_cpu_ms() - static_cast<uint32_t>(start));
}

int32_t g_chrono::Stop() { return elapsed_since(start); }

int32_t g_chrono::StopAndAdd() {
  cumul = static_cast<int32_t>(static_cast<uint32_t>(cumul) + static_cast<uint32_t>(elapsed_since(start)));
  return cumul;
}

int32_t g_chrono::Get() { return elapsed_since(start); }
int32_t g_chrono::CumulGet() { return cumul; }
int32_t g_chrono::resolution() { return 1000; }

void g_usleep(int microseconds) { g_sleep_ms(microseconds / 1000 + 1); }
