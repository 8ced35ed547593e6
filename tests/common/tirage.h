// Random draws of the tests that write random charts: reproducible from
// their seed.
#ifndef TARVEK_TESTS_TIRAGE_H
#define TARVEK_TESTS_TIRAGE_H

#include <random>

class tirage {
 public:
  explicit tirage(unsigned graine) : rng(graine) {}
  int entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); }
  bool chance(int pourcent) { return entre(0, 99) < pourcent; }

 private:
  std::mt19937 rng;
};

#endif
