// The CPU stopwatch that times a compilation, and the millisecond pause of
// the window polling loops.
#ifndef TARVEK_G_TIME_H
#define TARVEK_G_TIME_H

#include <cstdint>

class g_chrono {
 public:
  g_chrono();
  void Go();
  int32_t Stop();
  int32_t StopAndAdd();
  int32_t Get();
  int32_t CumulGet();
  int32_t resolution();

 private:
  int process;  // the process whose times are read; set by Go
  int32_t start;
  int32_t cumul;
};

// Sleeps microseconds / 1000 + 1 whole milliseconds: never zero, so a polling
// loop always yields. Not POSIX usleep, whose unit it only borrows.
void g_usleep(int microseconds);

#endif
