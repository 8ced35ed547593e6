// make_sortable on m independent rings of two steps, each linked by two
// unguarded transitions on its own input: every ring is a combinational
// loop that only its input cuts, and every cut expands the equations of the
// rings not cut yet as well.
//
//   bench_make_sortable [largest m, 14 by default] [seconds after which
//   no larger m is tried, 600 by default]
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "lecture_gt.h"
#include "systeme_equationnel.h"

static std::string anneaux(int m) {
  std::string entrees, etapes, transitions;
  for (int i = 0; i < m; ++i) {
    std::string a = "a" + std::to_string(i);
    std::string e1 = std::to_string(2 * i + 1), e2 = std::to_string(2 * i + 2);
    entrees += " \"" + a + "\" : bool";
    etapes += " IS: " + e1 + " " + std::to_string(10 * i) + " 0 NS: " + e2 + " " +
              std::to_string(10 * i) + " 4";
    transitions += std::string(i ? ", " : " ") + std::to_string(2 * i + 1) + " " +
                   std::to_string(10 * i) + " 2 FR: (" + std::to_string(2 * i) + ") TO: (" +
                   std::to_string(2 * i + 1) + ") : \"" + a + "\", " + std::to_string(2 * i + 2) +
                   " " + std::to_string(10 * i) + " 6 FR: (" + std::to_string(2 * i + 1) +
                   ") TO: (" + std::to_string(2 * i) + ") : \"not " + a + "\"";
  }
  return "Name: anneaux Input:" + entrees + " EndInput: Output: EndOutput: Step:" + etapes +
         " EndStep: Transition:" + transitions +
         " EndTransition: Link: EndLinkTable: Assertion: EndAssertion:";
}

int main(int argc, char** argv) {
  int plus_grand = argc > 1 ? std::atoi(argv[1]) : 14;
  double limite = argc > 2 ? std::atof(argv[2]) : 600;
  std::fstream log("/dev/null", std::ios::out);
  std::cout << "| m | equations before | variables created | equations after | levels | node "
               "counter | build (s) | make_sortable (s) |"
            << std::endl
            << "|---|---|---|---|---|---|---|---|" << std::endl;
  for (int m = 1; m <= plus_grand; ++m) {
    std::unique_ptr<tpen_fichier> grafcet(lit_texte_gt(anneaux(m), log));
    tpen_BDD_fichier encodage(grafcet.get());
    auto debut = std::chrono::steady_clock::now();
    b_automaton* a = genere_systeme_equationnel(encodage, log);
    auto construit = std::chrono::steady_clock::now();
    int avant = a->wood_associee()->exp_number();
    long variables = a->manager_associe()->nbr_variables();
    int ok = a->make_sortable(0, 0, log);
    auto trie = std::chrono::steady_clock::now();
    if (!ok) {
      std::cerr << "m = " << m << ": a loop is left" << std::endl;
      return 1;
    }
    std::chrono::duration<double> t1 = construit - debut, t2 = trie - construit;
    std::cout << "| " << m << " | " << avant << " | "
              << a->manager_associe()->nbr_variables() - variables << " | "
              << a->wood_associee()->exp_number() << " | " << a->wood_associee()->compute_dates()
              << " | " << a->manager_associe()->Bdd_total_size() << " | " << t1.count() << " | "
              << t2.count() << " |" << std::endl;
    delete a;
    if (t2.count() > limite) break;
  }
  return 0;
}
