// The equational compilation on m independent rings of l steps, each ring
// on its own input and linked by unguarded transitions: every ring is a
// combinational loop that only its input cuts. One table row per size:
// the equations, the variables that the loop breaking created, the levels
// of the dates, the node counter, and the CPU time of building the
// equations and of make_sortable.
//
//   bench_make_sortable [--repeat N]            the table, best of N
//   bench_make_sortable [--repeat N] M L        one size, for a profiler
//   bench_make_sortable --smoke                 the smallest sizes only
//   bench_make_sortable --gt M L                the .gt text of one size
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "familles_gt.h"
#include "lecture_gt.h"
#include "systeme_equationnel.h"

namespace {

double secondes(std::clock_t debut, std::clock_t fin) { return double(fin - debut) / CLOCKS_PER_SEC; }

struct mesure {
  int avant = 0;
  long variables = 0;
  int apres = 0;
  long niveaux = 0;
  long noeuds = 0;
  double construction = 0;
  double tri = 0;
};

mesure compile(int m, int l) {
  std::fstream log("/dev/null", std::ios::out);
  std::unique_ptr<tpen_fichier> grafcet(lit_texte_gt(familles_gt::anneaux(m, l), log));
  tpen_BDD_fichier encodage(grafcet.get());
  mesure r;
  std::clock_t debut = std::clock();
  std::unique_ptr<b_automaton> a(genere_systeme_equationnel(encodage, log));
  std::clock_t construit = std::clock();
  r.avant = a->wood_associee()->exp_number();
  long variables = a->manager_associe()->nbr_variables();
  int ok = a->make_sortable(0, 0, log);
  std::clock_t trie = std::clock();
  if (!ok) {
    std::cerr << "m = " << m << ", l = " << l << ": a loop is left" << std::endl;
    std::exit(1);
  }
  r.construction = secondes(debut, construit);
  r.tri = secondes(construit, trie);
  r.variables = a->manager_associe()->nbr_variables() - variables;
  r.apres = a->wood_associee()->exp_number();
  r.niveaux = a->wood_associee()->compute_dates();
  r.noeuds = a->manager_associe()->Bdd_total_size();
  return r;
}

int repetitions = 1;

void ligne(int m, int l) {
  mesure r = compile(m, l);
  for (int i = 1; i < repetitions; ++i) {
    mesure autre = compile(m, l);
    r.construction = std::min(r.construction, autre.construction);
    r.tri = std::min(r.tri, autre.tri);
  }
  std::cout << "| " << m << " | " << l << " | " << r.avant << " | " << r.variables << " | "
            << r.apres << " | " << r.niveaux << " | " << r.noeuds << " | " << r.construction
            << " | " << r.tri << " |" << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  repetitions = familles_gt::lit_repetitions(args);
  if (args.size() >= 3 && args[0] == "--gt") {
    std::cout << familles_gt::anneaux(std::atoi(args[1].c_str()), std::atoi(args[2].c_str()));
    return 0;
  }
  std::cout << "| m | l | equations before | variables created | equations after | levels | "
               "node counter | build (s) | make_sortable (s) |"
            << std::endl
            << "|---|---|---|---|---|---|---|---|---|" << std::endl;
  if (args.size() >= 2) {
    ligne(std::atoi(args[0].c_str()), std::atoi(args[1].c_str()));
    return 0;
  }
  std::vector<std::pair<int, int>> tailles = {{1, 2},   {4, 2},   {16, 2},  {64, 2},   {256, 2},
                                              {1024, 2}, {1, 8},   {1, 32},  {1, 128},  {1, 512},
                                              {1, 2048}, {4, 8},   {16, 8},  {64, 8},   {256, 8}};
  if (!args.empty() && args[0] == "--smoke") tailles = {{2, 2}, {1, 4}};
  for (auto [m, l] : tailles) ligne(m, l);
  return 0;
}
