// Times the search of reachable situations on generated grafcet families
// and prints one table row per size: the CPU time of the search with its
// counts of situations and reactions.
//   bench_recherche                          every size
//   bench_recherche --smoke                  the smallest sizes only
//   bench_recherche cycle|branches K M [-step]   one size, for a profiler
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "lecture_gt.h"
#include "tarvek_compil.h"

namespace {

std::string nom_etape(int s) { return std::to_string(s + 1); }

std::string transition(int num, const std::string& de, const std::string& vers,
                       const std::string& receptivite) {
  return "  " + std::to_string(num) + " " + std::to_string(num) + " 1000 FR: (" + de + ") TO: (" +
         vers + ") : \"" + receptivite + "\"";
}

std::string texte(const std::vector<std::string>& entrees, int nbr_etapes,
                  const std::vector<std::string>& transitions) {
  std::ostringstream gt;
  gt << "Name: bench Input:";
  for (auto const& e : entrees) gt << " \"" << e << "\" : bool";
  gt << " EndInput: Output: \"o\" : bool EndOutput:\nStep:\n";
  for (int s = 0; s < nbr_etapes; ++s)
    gt << (s ? "  NS: " : "  IS: ") << nom_etape(s) << " " << s << " 0 Action: 0 \"N\" : \"1\" EndAction:\n";
  gt << "EndStep:\nTransition:\n";
  for (size_t t = 0; t < transitions.size(); ++t) gt << (t ? ",\n" : "") << transitions[t];
  gt << "\nEndTransition:\nLink: EndLinkTable: Assertion: EndAssertion:\n";
  return gt.str();
}

// One cycle of m steps, a distinct input per transition. The last
// transition also asks that the first input be false: a reaction with every
// input true would otherwise run round the cycle for ever.
std::string cycle(int m) {
  std::vector<std::string> entrees, transitions;
  for (int i = 0; i < m; ++i) entrees.push_back("a" + std::to_string(i));
  for (int i = 0; i < m; ++i) {
    std::string r = entrees[i] + (i == m - 1 ? " and not a0" : "");
    transitions.push_back(transition(i + 1, std::to_string(i), std::to_string((i + 1) % m), r));
  }
  return texte(entrees, m, transitions);
}

// From step 1, "go" starts k branches of m steps, each crossed by inputs of
// its own; when all are at their end, "fin" leads back to step 1.
std::string branches(int k, int m) {
  std::vector<std::string> entrees = {"go", "fin"}, transitions;
  std::string debuts, fins;
  for (int j = 0; j < k; ++j) {
    debuts += (j ? "," : "") + std::to_string(1 + j * m);
    fins += (j ? "," : "") + std::to_string(m + j * m);
  }
  int num = 1;
  transitions.push_back(transition(num++, "0", debuts, "go"));
  for (int j = 0; j < k; ++j) {
    for (int i = 0; i + 1 < m; ++i) {
      std::string x = "x" + std::to_string(j) + "_" + std::to_string(i);
      entrees.push_back(x);
      int s = 1 + j * m + i;
      transitions.push_back(transition(num++, std::to_string(s), std::to_string(s + 1), x));
    }
  }
  transitions.push_back(transition(num++, fins, "0", "fin and not go"));
  return texte(entrees, 1 + k * m, transitions);
}

struct mesure {
  bilan_recherche bilan;
  double secondes = 0;
};

mesure compile(const std::string& gt, bool pas_a_pas) {
  std::fstream trace("/dev/null", std::ios::out);
  std::unique_ptr<tpen_fichier> grafcet(lit_texte_gt(gt, trace));
  tpen_BDD_fichier encodage(grafcet.get());
  if (pas_a_pas) encodage.force_garde_transitions();
  std::ostream nul(nullptr);
  mesure r;
  std::clock_t debut = std::clock();
  std::unique_ptr<FBA> a(genere_FBA_symbolique(encodage, nul, &r.bilan));
  r.secondes = double(std::clock() - debut) / CLOCKS_PER_SEC;
  return r;
}

void ligne(const std::string& famille, int k, int m, bool pas_a_pas, const std::string& gt) {
  mesure r = compile(gt, pas_a_pas);
  std::cout << std::left << std::setw(10) << famille << std::right << std::setw(3) << k
            << std::setw(4) << m << std::setw(7) << (pas_a_pas ? "-step" : "") << std::setw(12)
            << r.bilan.situations << std::setw(11) << r.bilan.reactions << std::setw(11)
            << std::fixed << std::setprecision(3) << r.secondes << std::endl;
}

}  // namespace

// Without -step the reactions of a cycle grow exponentially with m (the
// splits also fall on inputs of transitions that cannot fire yet), so the
// sizes stop lower there.
int main(int argc, char** argv) {
  bool smoke = argc > 1 && std::string(argv[1]) == "--smoke";
  std::cout << "family      k   m   mode  situations  reactions  cpu (s)" << std::endl;
  if (argc >= 4) {
    std::string famille = argv[1];
    int k = std::atoi(argv[2]), m = std::atoi(argv[3]);
    bool pas_a_pas = argc >= 5 && std::string(argv[4]) == "-step";
    ligne(famille, k, m, pas_a_pas, famille == "cycle" ? cycle(m) : branches(k, m));
    return 0;
  }
  std::vector<int> cycles = {4, 8, 12, 16, 20}, cycles_pas = {4, 8, 12, 16, 20, 24, 28};
  std::vector<std::pair<int, int>> formes = {{1, 8}, {2, 4}, {2, 8}, {3, 3}, {3, 5}, {4, 3}, {5, 2}, {6, 2}},
                                   formes_pas = {{1, 8}, {2, 8}, {3, 5}, {4, 4}, {5, 3}, {6, 3}};
  if (smoke) {
    cycles = cycles_pas = {4};
    formes = formes_pas = {{2, 2}};
  }
  for (int m : cycles) ligne("cycle", 1, m, false, cycle(m));
  for (int m : cycles_pas) ligne("cycle", 1, m, true, cycle(m));
  for (auto [k, m] : formes) ligne("branches", k, m, false, branches(k, m));
  for (auto [k, m] : formes_pas) ligne("branches", k, m, true, branches(k, m));
  return 0;
}
