// The CPU stopwatch counts user CPU time, not elapsed time; the pause rounds
// up to whole milliseconds.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

#include "g_platform.h"
#include "g_time.h"

namespace {

volatile uint64_t sink;

// Until the process has used ms of CPU time, not of elapsed time: on a busy
// machine the two part. Elapsed time is capped, so that a stall cannot hang.
void burn_cpu_ms(int ms) {
  std::clock_t until = std::clock() + static_cast<std::clock_t>(ms) * CLOCKS_PER_SEC / 1000;
  auto cap = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  uint64_t x = 1;
  while (std::clock() < until && std::chrono::steady_clock::now() < cap)
    for (int i = 0; i < 10000; ++i) x = x * 6364136223846793005ULL + 1442695040888963407ULL;
  sink = x;
}

TEST(Stopwatch, CountsCpuNotSleep) {
  g_chrono c;
  EXPECT_EQ(c.CumulGet(), 0);
  EXPECT_EQ(c.resolution(), 1000);
  c.Go();
  g_sleep_ms(300);
  int32_t slept = c.Stop();
  EXPECT_LT(slept, 100);
  c.Go();
  burn_cpu_ms(400);
  int32_t first = c.Stop();
  int32_t second = c.Get();
  EXPECT_GE(first, 250);
  EXPECT_LE(first, 2000);
  EXPECT_GE(second, first);
  c.StopAndAdd();
  c.StopAndAdd();
  EXPECT_GE(c.CumulGet(), 2 * first);
}

TEST(Sleep, RoundsUpToWholeMilliseconds) {
  struct Case {
    int us, min_ms;
  } cases[] = {{0, 1}, {999, 1}, {1000, 2}, {2500, 3}};
  for (auto const& c : cases) {
    auto t0 = std::chrono::steady_clock::now();
    g_usleep(c.us);
    auto spent = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0);
    EXPECT_GE(spent.count(), c.min_ms * 1000) << c.us;
    EXPECT_LT(spent.count(), c.min_ms * 1000 + 50000) << c.us;
  }
}

}  // namespace
