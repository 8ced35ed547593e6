// The workloads of the benchmark, each written once for both engines. A
// workload may prepare its operands first; the clock runs from its call of
// sw.start() to its return. It returns the functions to compare.
#ifndef TARVEK_BENCH_WORKLOADS_H
#define TARVEK_BENCH_WORKLOADS_H

#include <ctime>
#include <random>
#include <vector>

struct stopwatch {
  double begin = 0;
  static double now() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
  }
  void start() { begin = now(); }
  double seconds() const { return now() - begin; }
};

// Placing n queens on an n x n board, variable i*n+j for the square of row
// i and column j, built row by row: for each square, a queen there excludes
// every square it attacks; then the row holds at least one queen.
template <typename E>
std::vector<typename E::fn> queens(E& e, stopwatch& sw, int n) {
  sw.start();
  auto sq = [n](int i, int j) { return i * n + j; };
  auto q = e.one();
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      auto a = e.one();
      for (int l = 0; l < n; ++l)
        if (l != j) a = e.and_(a, e.nvar(sq(i, l)));
      for (int k = 0; k < n; ++k) {
        if (k == i) continue;
        a = e.and_(a, e.nvar(sq(k, j)));
        int d = k - i;
        if (j + d >= 0 && j + d < n) a = e.and_(a, e.nvar(sq(k, j + d)));
        if (j - d >= 0 && j - d < n) a = e.and_(a, e.nvar(sq(k, j - d)));
      }
      q = e.and_(q, e.or_(e.nvar(sq(i, j)), a));
    }
    auto row = e.zero();
    for (int j = 0; j < n; ++j) row = e.or_(row, e.var(sq(i, j)));
    q = e.and_(q, row);
  }
  return {q};
}

// Parity of variables first, first + step, ..., below count, the new
// variable joined at the bottom each time.
template <typename E>
typename E::fn parity_of(E& e, int first, int step, int count) {
  auto p = e.zero();
  for (int i = first; i < count; i += step) p = e.xor_(p, e.var(i));
  return p;
}

template <typename E>
std::vector<typename E::fn> parity(E& e, stopwatch& sw) {
  sw.start();
  return {parity_of(e, 0, 1, e.nbr_vars())};
}

// The parities of the even and of the odd variables, their xor (the whole
// parity) and their conjunction.
template <typename E>
std::vector<typename E::fn> two_parities(E& e, stopwatch& sw) {
  sw.start();
  auto even = parity_of(e, 0, 2, e.nbr_vars());
  auto odd = parity_of(e, 1, 2, e.nbr_vars());
  return {e.xor_(even, odd), e.and_(even, odd)};
}

// A clause of three distinct variables, each with a sign.
struct clause {
  int var[3];
  bool positive[3];
};

inline std::vector<clause> random_3cnf(int n, int nbr_clauses, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> pick(0, n - 1);
  std::vector<clause> cs;
  for (int c = 0; c < nbr_clauses; ++c) {
    clause k;
    for (int l = 0; l < 3; ++l) {
      bool fresh;
      do {
        k.var[l] = pick(rng);
        fresh = true;
        for (int p = 0; p < l; ++p) fresh = fresh && k.var[p] != k.var[l];
      } while (!fresh);
      k.positive[l] = rng() & 1u;
    }
    cs.push_back(k);
  }
  return cs;
}

template <typename E>
typename E::fn conjunction_of(E& e, std::vector<clause> const& cs) {
  auto f = e.one();
  for (auto const& k : cs) {
    auto c = e.zero();
    for (int l = 0; l < 3; ++l) c = e.or_(c, k.positive[l] ? e.var(k.var[l]) : e.nvar(k.var[l]));
    f = e.and_(f, c);
  }
  return f;
}

template <typename E>
std::vector<typename E::fn> cnf(E& e, stopwatch& sw, std::vector<clause> const& cs) {
  sw.start();
  return {conjunction_of(e, cs)};
}

// From one function: each variable quantified alone, then all of them one
// after the other.
template <typename E>
std::vector<typename E::fn> quantify(E& e, stopwatch& sw, std::vector<clause> const& cs) {
  auto f = conjunction_of(e, cs);
  sw.start();
  std::vector<typename E::fn> r;
  for (int i = 0; i < e.nbr_vars(); ++i) r.push_back(e.exist(f, i));
  auto all = f;
  for (int i = 0; i < e.nbr_vars(); ++i) {
    all = e.exist(all, i);
    if (i % 4 == 3) r.push_back(all);
  }
  r.push_back(all);
  return r;
}

// Each variable i of one function replaced by the xor of the next two.
template <typename E>
std::vector<typename E::fn> compose(E& e, stopwatch& sw, std::vector<clause> const& cs) {
  auto f = conjunction_of(e, cs);
  int n = e.nbr_vars();
  std::vector<typename E::fn> by;
  for (int i = 0; i < n; ++i) by.push_back(e.xor_(e.var((i + 1) % n), e.var((i + 2) % n)));
  sw.start();
  std::vector<typename E::fn> r;
  for (int i = 0; i < n; ++i) r.push_back(e.compose(f, i, by[i]));
  return r;
}

// One function over the first half of the variables, renamed into the
// second half (the order kept), and with neighbours swapped (2i and 2i+1).
template <typename E>
std::vector<typename E::fn> rename(E& e, stopwatch& sw, std::vector<clause> const& cs) {
  auto f = conjunction_of(e, cs);
  int n = e.nbr_vars();
  std::vector<int> shift(n), swap(n);
  for (int i = 0; i < n; ++i) {
    shift[i] = i < n / 2 ? i + n / 2 : i;
    swap[i] = i < n / 2 ? (i ^ 1) : i;
  }
  sw.start();
  auto a = e.rename(f, shift);
  auto b = e.rename(f, swap);
  return {a, b, e.rename(b, swap)};
}

// A ring of n steps and k inputs, the inputs first in the order, then the
// activity X and the next activity Y of each step, interleaved. Transition
// s leads from step s to step s+1 under its receptivity r(s). A step is
// active next when its upstream step is active and the transition fires,
// or when it is active and its outgoing transition does not fire. Then the
// inputs are quantified: per step, and from the relation of all steps.
template <typename E>
std::vector<typename E::fn> grafcet_ring(E& e, stopwatch& sw, int n, int k) {
  auto X = [k](int s) { return k + 2 * s; };
  auto Y = [k](int s) { return k + 2 * s + 1; };
  sw.start();
  std::vector<typename E::fn> r_of;
  for (int s = 0; s < n; ++s) {
    int a = s % k, b = (7 * s + 3) % k;
    r_of.push_back(a == b ? e.var(a) : e.and_(e.var(a), e.nvar(b)));
  }
  std::vector<typename E::fn> out;
  auto relation = e.one();
  for (int s = 0; s < n; ++s) {
    int up = (s + n - 1) % n;
    auto next = e.or_(e.and_(e.var(X(up)), r_of[up]), e.and_(e.var(X(s)), e.not_(r_of[s])));
    relation = e.and_(relation, e.not_(e.xor_(e.var(Y(s)), next)));
    auto q = next;
    for (int i = 0; i < k; ++i) q = e.exist(q, i);
    if (s % 16 == 0) out.push_back(q);
  }
  out.push_back(relation);
  for (int i = 0; i < k; ++i) relation = e.exist(relation, i);
  out.push_back(relation);
  return out;
}

#endif
