/* Runs a chart through the reactions given as arguments and prints, after
   each reaction, its inputs and the chart's outputs. The chart is named
   demo and has two bool inputs, a and b, and three outputs. Each argument
   is one reaction: "10" gives a = 1 and b = 0. The chart's header comes
   with gcc's -include option:
     gcc -o run -include source.h trace.c source.c
     ./run 00 10 11 */
#include <stdio.h>

int main(int argc, char **argv)
{
  int x = 0, y = 0, z = 0, i;

  demo_reset_automaton(0, 0, &x, &y, &z);
  for (i = 1; i < argc; ++i) {
    int a = argv[i][0] == '1', b = argv[i][0] && argv[i][1] == '1';
    demo_automaton(a, b, &x, &y, &z);
    printf("%d %d | %d %d %d\n", a, b, x, y, z);
  }
  return 0;
}
