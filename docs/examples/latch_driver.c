/* Drives the C code that "tarvek latch.gt -c" writes through a scenario
   and prints the outputs after each reaction. */
#include <stdio.h>
#include "latch.h"

/* The inputs of each reaction, in the order of the parameters of the
   default mode: the bool inputs first (estop), then the events (push). */
static const int scenario[][2] = {
  /* estop push */
  {0, 0},  /* idle */
  {0, 1},  /* a press starts the motor */
  {0, 0},  /* running */
  {0, 1},  /* a press stops it */
  {0, 1},  /* push still 1: a new press, the motor starts again */
  {1, 0},  /* emergency stop */
  {1, 1},  /* a press is refused while the stop is held */
  {0, 0},  /* stop released: the alarm stays */
  {0, 1},  /* a press acknowledges: back to idle, not started */
};

int main(void)
{
  int motor = 0, ready = 0, alarm = 0, started = 0;
  unsigned n;

  /* The reset sets the initial situation; it writes no output. */
  latch_reset_automaton(0, 0, &motor, &ready, &alarm, &started);
  printf(" n estop push | motor ready alarm started\n");
  for (n = 0; n < sizeof scenario / sizeof scenario[0]; ++n) {
    int estop = scenario[n][0], push = scenario[n][1];
    latch_automaton(estop, push, &motor, &ready, &alarm, &started);
    printf("%2u %5d %4d | %5d %5d %5d %7d\n", n + 1, estop, push, motor, ready, alarm, started);
  }
  return 0;
}
