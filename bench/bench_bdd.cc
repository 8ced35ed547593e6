// Runs each workload on the tarvek engine and on BuDDy with the same
// variable order, prints the CPU time of each (the best of --repeat runs)
// and their ratio, and checks that both computed the same functions.
//   bench_bdd [--smoke] [--repeat N] [--only TEXT] [--side ours|buddy]
// --smoke runs every workload once at a tiny size (the test suite does);
// --side runs one engine alone, without the check, for a profiler.
#include <malloc.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "engines.h"
#include "workloads.h"

namespace {

struct workload {
  std::string name;
  int nbr_vars;
  // Each runs the workload on a fresh engine, compares the results when
  // asked (then both engines are alive), and gives the measured time.
  std::function<double(ours&, stopwatch&, std::vector<bdd>&)> on_ours;
  std::function<double(buddy&, stopwatch&, std::vector<buddy_fn>&)> on_buddy;
};

template <typename W>
workload make(std::string name, int nbr_vars, W w) {
  return {name, nbr_vars,
          [w](ours& e, stopwatch& sw, std::vector<bdd>& out) {
            out = w(e, sw);
            return sw.seconds();
          },
          [w](buddy& e, stopwatch& sw, std::vector<buddy_fn>& out) {
            out = w(e, sw);
            return sw.seconds();
          }};
}

// The same function on both sides: on every assignment for few variables;
// otherwise on random assignments, on assignments that make each side's
// result true (and ours false), and by the number of solutions.
std::string compare(ours& o, std::vector<bdd> const& fo, buddy& b, std::vector<buddy_fn> const& fb) {
  if (fo.size() != fb.size()) return "result counts differ";
  int n = o.nbr_vars();
  std::mt19937 rng(12345);
  for (size_t r = 0; r < fo.size(); ++r) {
    std::vector<std::vector<char>> points;
    if (n <= 14) {
      for (uint32_t a = 0; a < (1u << n); ++a) {
        std::vector<char> v(n);
        for (int i = 0; i < n; ++i) v[i] = (a >> i) & 1u;
        points.push_back(v);
      }
    } else {
      for (int k = 0; k < 200; ++k) {
        std::vector<char> v(n);
        for (auto& x : v) x = static_cast<char>(rng() & 1u);
        points.push_back(v);
      }
      for (int k = 0; k < 50; ++k) {
        if (!o.is_false(fo[r])) points.push_back(o.random_sat(fo[r], rng));
        if (!o.is_false(o.not_(fo[r]))) points.push_back(o.random_sat(o.not_(fo[r]), rng));
        if (!b.is_false(fb[r])) points.push_back(b.random_sat(fb[r], rng));
      }
    }
    for (auto const& v : points)
      if (o.eval(fo[r], v) != b.eval(fb[r], v)) return "result " + std::to_string(r) + " differs";
    if (n <= 120) {
      double so = o.satcount(fo[r]), sb = b.satcount(fb[r]);
      if (std::fabs(so - sb) > 1e-9 * std::max(1.0, std::fabs(sb)))
        return "result " + std::to_string(r) + ": " + std::to_string(so) + " solutions against " +
               std::to_string(sb);
    }
  }
  return "";
}

std::vector<workload> workloads(bool smoke) {
  std::vector<workload> w;
  std::vector<int> queens_sizes = smoke ? std::vector<int>{4, 5} : std::vector<int>{4, 5, 6, 7, 8, 9, 10};
  for (int n : queens_sizes)
    w.push_back(make("queens " + std::to_string(n), n * n, [n](auto& e, stopwatch& sw) { return queens(e, sw, n); }));
  for (int n : smoke ? std::vector<int>{10} : std::vector<int>{1000, 4000})
    w.push_back(make("parity " + std::to_string(n), n, [](auto& e, stopwatch& sw) { return parity(e, sw); }));
  for (int n : smoke ? std::vector<int>{10} : std::vector<int>{1000, 4000})
    w.push_back(
        make("two parities " + std::to_string(n), n, [](auto& e, stopwatch& sw) { return two_parities(e, sw); }));
  for (int n : smoke ? std::vector<int>{12} : std::vector<int>{12, 20, 30, 40}) {
    auto cs = random_3cnf(n, static_cast<int>(std::lround(4.26 * n)), 1000u + n);
    w.push_back(make("3-cnf " + std::to_string(n), n, [cs](auto& e, stopwatch& sw) { return cnf(e, sw, cs); }));
  }
  for (int n : smoke ? std::vector<int>{12} : std::vector<int>{20, 30, 40}) {
    auto cs = random_3cnf(n, 2 * n, 2000u + n);
    w.push_back(make("quantify " + std::to_string(n), n, [cs](auto& e, stopwatch& sw) { return quantify(e, sw, cs); }));
    w.push_back(make("compose " + std::to_string(n), n, [cs](auto& e, stopwatch& sw) { return compose(e, sw, cs); }));
    w.push_back(
        make("rename " + std::to_string(n), 2 * n, [cs](auto& e, stopwatch& sw) { return rename(e, sw, cs); }));
  }
  struct ring {
    int n, k;
  };
  for (ring r : smoke ? std::vector<ring>{{6, 3}} : std::vector<ring>{{200, 4}, {1000, 4}, {200, 8}})
    w.push_back(make("grafcet ring " + std::to_string(r.n) + "x" + std::to_string(r.k), r.k + 2 * r.n,
                     [r](auto& e, stopwatch& sw) { return grafcet_ring(e, sw, r.n, r.k); }));
  return w;
}

}  // namespace

int main(int argc, char** argv) {
  // Memory freed by one run stays in the process for the next: fresh pages
  // from the system cost far more than the work itself on some machines
  // (virtual ones above all), and would then decide the ratio. The first
  // run pays them; the best of several runs does not.
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, INT_MAX);
  bool smoke = false;
  int repeat = 3;
  std::string only;
  std::string side;  // one engine alone, for profiling: no check then
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--smoke") {
      smoke = true;
      repeat = 1;
    } else if (a == "--repeat" && i + 1 < argc) {
      repeat = std::max(1, std::atoi(argv[++i]));
    } else if (a == "--only" && i + 1 < argc) {
      only = argv[++i];
    } else if (a == "--side" && i + 1 < argc) {
      side = argv[++i];
    } else {
      std::cerr << "usage: bench_bdd [--smoke] [--repeat N] [--only TEXT] [--side ours|buddy]" << std::endl;
      return 2;
    }
  }
  int failures = 0;
  std::printf("%-20s %10s %10s %8s %12s %12s  %s\n", "workload", "ours (s)", "BuDDy (s)", "ratio", "our nodes",
              "BuDDy nodes", "check");
  for (auto const& w : workloads(smoke)) {
    if (!only.empty() && w.name.find(only) == std::string::npos) continue;
    double best_ours = 1e300, best_buddy = 1e300;
    long nodes = 0, buddy_nodes = 0;
    std::string check;
    // Each run starts both engines afresh, alternately, so that neither
    // finds the nodes of an earlier run and both see the same load.
    for (int r = 0; r < repeat; ++r) {
      if (side == "buddy") {
        buddy b(w.nbr_vars);
        std::vector<buddy_fn> fb;
        stopwatch swb;
        best_buddy = std::min(best_buddy, w.on_buddy(b, swb, fb));
        buddy_nodes = b.created();
        continue;
      }
      ours o(w.nbr_vars);
      std::vector<bdd> fo;
      stopwatch sw;
      best_ours = std::min(best_ours, w.on_ours(o, sw, fo));
      nodes = o.created();
      if (side == "ours") continue;
      buddy b(w.nbr_vars);
      std::vector<buddy_fn> fb;
      stopwatch swb;
      best_buddy = std::min(best_buddy, w.on_buddy(b, swb, fb));
      buddy_nodes = b.created();
      if (r + 1 == repeat) check = compare(o, fo, b, fb);
    }
    if (!side.empty()) {
      std::printf("%-20s %10.4f %10.4f %8s %12ld %12ld  %s\n", w.name.c_str(), side == "ours" ? best_ours : 0.0,
                  side == "buddy" ? best_buddy : 0.0, "-", nodes, buddy_nodes, "not checked");
      std::fflush(stdout);
      continue;
    }
    if (!check.empty()) ++failures;
    std::printf("%-20s %10.4f %10.4f %8.2f %12ld %12ld  %s\n", w.name.c_str(), best_ours, best_buddy,
                best_ours / std::max(best_buddy, 1e-6), nodes, buddy_nodes,
                check.empty() ? "same functions" : check.c_str());
    std::fflush(stdout);
  }
  return failures ? 1 : 0;
}
