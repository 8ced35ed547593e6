// Calls the C code that "tarvek latch.gt -c" writes from C++: the header
// declares C functions, so it is included inside extern "C".
#include <cstdio>

extern "C" {
#include "latch.h"
}

int main()
{
  int motor = 0, ready = 0, alarm = 0, started = 0;

  latch_reset_automaton(0, 0, &motor, &ready, &alarm, &started);
  latch_automaton(0, 1, &motor, &ready, &alarm, &started);
  std::printf("motor %d started %d\n", motor, started);
  return 0;
}
