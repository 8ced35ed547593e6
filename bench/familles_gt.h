// The generated grafcet families of the compile-time benchmarks, as .gt
// texts: one cycle of m steps, k parallel branches of m steps, and m
// independent rings of l steps for the equational compilation.
#ifndef TARVEK_BENCH_FAMILLES_GT_H
#define TARVEK_BENCH_FAMILLES_GT_H

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace familles_gt {

inline std::string nom_etape(int s) { return std::to_string(s + 1); }

inline std::string transition(int num, const std::string& de, const std::string& vers,
                              const std::string& receptivite) {
  return "  " + std::to_string(num) + " " + std::to_string(num) + " 1000 FR: (" + de + ") TO: (" +
         vers + ") : \"" + receptivite + "\"";
}

// Every step drives one output, so that every reaction has an action.
inline std::string texte(const std::vector<std::string>& entrees, int nbr_etapes,
                         const std::vector<std::string>& transitions) {
  std::ostringstream gt;
  gt << "Name: bench Input:";
  for (auto const& e : entrees) gt << " \"" << e << "\" : bool";
  gt << " EndInput: Output: \"o\" : bool EndOutput:\nStep:\n";
  for (int s = 0; s < nbr_etapes; ++s)
    gt << (s ? "  NS: " : "  IS: ") << nom_etape(s) << " " << s
       << " 0 Action: 0 \"N\" : \"1\" EndAction:\n";
  gt << "EndStep:\nTransition:\n";
  for (size_t t = 0; t < transitions.size(); ++t) gt << (t ? ",\n" : "") << transitions[t];
  gt << "\nEndTransition:\nLink: EndLinkTable: Assertion: EndAssertion:\n";
  return gt.str();
}

// One cycle of m steps, a distinct input per transition. The last
// transition also asks that the first input be false: a reaction with every
// input true would otherwise run round the cycle for ever. Without it
// (ferme false), both modes refuse the chart.
inline std::string cycle(int m, bool ferme = true) {
  std::vector<std::string> entrees, transitions;
  for (int i = 0; i < m; ++i) entrees.push_back("a" + std::to_string(i));
  for (int i = 0; i < m; ++i) {
    std::string r = entrees[i] + (ferme && i == m - 1 ? " and not a0" : "");
    transitions.push_back(transition(i + 1, std::to_string(i), std::to_string((i + 1) % m), r));
  }
  return texte(entrees, m, transitions);
}

// From step 1, "go" starts k branches of m steps, each crossed by inputs of
// its own; when all are at their end, "fin" leads back to step 1.
inline std::string branches(int k, int m) {
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

// m independent rings of l steps (l at least 2), ring i on its own input
// ai: its unguarded transitions ask ai and not ai in turn, so that no
// reaction runs round a ring, but every ring is a combinational loop of
// the equations that only its input cuts. The first step of each ring is
// initial.
inline std::string anneaux(int m, int l) {
  std::string entrees, etapes, transitions;
  int num = 1;
  for (int i = 0; i < m; ++i) {
    std::string a = "a" + std::to_string(i);
    entrees += " \"" + a + "\" : bool";
    for (int j = 0; j < l; ++j) {
      int s = i * l + j;
      etapes += std::string(j ? " NS: " : " IS: ") + nom_etape(s) + " " + std::to_string(10 * i) +
                " " + std::to_string(4 * j);
      int suivante = i * l + (j + 1) % l;
      transitions += std::string(num > 1 ? ", " : " ") + std::to_string(num) + " " +
                     std::to_string(10 * i) + " " + std::to_string(4 * j + 2) + " FR: (" +
                     std::to_string(s) + ") TO: (" + std::to_string(suivante) + ") : \"" +
                     (j % 2 ? "not " : "") + a + "\"";
      ++num;
    }
  }
  return "Name: anneaux Input:" + entrees + " EndInput: Output: EndOutput: Step:" + etapes +
         " EndStep: Transition:" + transitions +
         " EndTransition: Link: EndLinkTable: Assertion: EndAssertion:";
}

// A leading "--repeat N" taken off the arguments: N, at least 1; 1 without
// it. The benchmarks keep the best of N runs.
inline int lit_repetitions(std::vector<std::string>& args) {
  if (args.size() < 2 || args[0] != "--repeat") return 1;
  int n = std::max(1, std::atoi(args[1].c_str()));
  args.erase(args.begin(), args.begin() + 2);
  return n;
}

}  // namespace familles_gt

#endif
