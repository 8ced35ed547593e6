// Random small grafcets for the tests that compare an automaton with the
// reference simulator.
#include <algorithm>
#include <sstream>

#include "simulation.h"
#include "tirage.h"

namespace {

std::string litteral(tirage& t, const std::string& nom) { return t.chance(30) ? "not " + nom : nom; }

std::string litteral(tirage& t, const std::vector<std::string>& entrees) {
  return litteral(t, entrees[t.entre(0, static_cast<int>(entrees.size()) - 1)]);
}

// Two literals are on two inputs: a guarded part that is constant false
// would stand for true.
std::string condition(tirage& t, const std::vector<std::string>& entrees) {
  int forme = t.entre(0, 9);
  if (forme == 0) return "1";
  int n = static_cast<int>(entrees.size());
  if (forme <= 4 || n < 2) return litteral(t, entrees);
  int i = t.entre(0, n - 1), j = (i + t.entre(1, n - 1)) % n;
  const char* op = forme <= 7 ? " and " : " or ";
  return litteral(t, entrees[i]) + op + "( " + litteral(t, entrees[j]) + " )";
}

std::string receptivite(tirage& t, const std::vector<std::string>& entrees) {
  std::string c = condition(t, entrees);
  if (!t.chance(30)) return c;
  return t.chance(50) ? c + " :" : ": " + c;
}

std::string liste(const std::vector<int>& etapes) {
  std::string r = "(";
  for (size_t i = 0; i < etapes.size(); ++i) r += (i ? "," : "") + std::to_string(etapes[i]);
  return r + ")";
}

}  // namespace

std::string grafcet_aleatoire(unsigned graine) {
  tirage t(graine);
  std::vector<std::string> entrees;
  std::ostringstream gt;
  gt << "Name: g" << graine << " Input:";
  int nbr_bool = t.entre(1, 3), nbr_ev = t.entre(0, 1);
  for (int j = 0; j < nbr_bool; ++j) {
    entrees.push_back("i" + std::to_string(j));
    gt << " \"i" << j << "\" : bool";
  }
  for (int j = 0; j < nbr_ev; ++j) {
    entrees.push_back("e" + std::to_string(j));
    gt << " \"e" << j << "\" : event";
  }
  gt << " EndInput:\nOutput: \"b0\" : bool \"b1\" : bool \"v0\" : event \"v1\" : event EndOutput:\n";
  int n = t.entre(2, 6);
  gt << "Step:\n";
  for (int s = 0; s < n; ++s) {
    gt << "  " << (s == 0 || t.chance(15) ? "IS: " : "NS: ") << s + 1 << " " << s << " 0";
    int nbr_actions = t.entre(0, 2);
    if (nbr_actions) {
      gt << " Action:";
      for (int k = 0; k < nbr_actions; ++k)
        gt << " " << t.entre(0, 3) << " \"N\" : \"" << (t.chance(50) ? "1" : litteral(t, entrees))
           << "\"";
      gt << " EndAction:";
    }
    gt << "\n";
  }
  gt << "EndStep:\nTransition:\n";
  // One transition at most leaves each step: the steps are used up as
  // upstream steps in a random order.
  std::vector<int> libres;
  for (int s = 0; s < n; ++s) libres.push_back(s);
  std::shuffle(libres.begin(), libres.end(), std::mt19937(graine));
  int num = 1;
  while (!libres.empty()) {
    std::vector<int> amont = {libres.back()};
    libres.pop_back();
    if (!libres.empty() && t.chance(20)) {
      amont.push_back(libres.back());
      libres.pop_back();
    }
    if (t.chance(20)) continue;
    std::vector<int> aval = {t.entre(0, n - 1)};
    int autre = t.entre(0, n - 1);
    if (t.chance(25) && autre != aval[0]) aval.push_back(autre);
    gt << (num > 1 ? ",\n  " : "  ") << num << " " << num << " 9 FR: " << liste(amont)
       << " TO: " << liste(aval) << " : \"" << receptivite(t, entrees) << "\"";
    ++num;
  }
  gt << "\nEndTransition:\nLink: EndLinkTable: Assertion: EndAssertion:\n";
  return gt.str();
}
