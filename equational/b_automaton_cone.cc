// The cone of influence of the outputs, and the sort of the automaton's
// equations from fresh dates.
#include <iostream>

#include "b_automaton.h"

int internal_use_detection(Bddexpressionwood* w, int* marks, int index) {
  if (index < 0 || index >= w->Nb_bdd_vars()) return 0;
  Bddexpression* e = w->exp_by_index(index);
  if (!e) return 0;
  int marked = 0;
  for (long a : e->set_of_index_used_variables()) {
    if (a < 0 || a >= w->Nb_bdd_vars() || marks[a]) continue;
    marks[a] = 1;
    internal_use_detection(w, marks, static_cast<int>(a));
    marked = 1;
  }
  return marked;
}

// Only the outputs start the marks: a next state that no marked equation
// reads is forgotten with the rest.
int* b_automaton::useless_clean() {
  std::cerr << "b_automaton::useless_clean() A CONTROLER ..." << std::endl;
  long m = wood->Nb_bdd_vars();
  if (m <= 0) return nullptr;
  int* marks = new int[m]();
  for (int j = 0; j < names.nb_outputs; ++j) {
    std::cerr << j << std::endl;
    long a = ident_associe(names.output_names[j]);
    if (a < 0 || a >= m) continue;
    marks[a] = 1;
    internal_use_detection(wood, marks, static_cast<int>(a));
  }
  for (bool again = true; again;) {
    again = false;
    for (long i = 0; i < m; ++i)
      if (marks[i] && internal_use_detection(wood, marks, static_cast<int>(i))) again = true;
  }
  std::cout << "useless_clean report:" << std::endl;
  long count = 0, latches = 0;
  for (long i = 0; i < m; ++i) {
    if (marks[i]) continue;
    ++count;
    std::cout << " variable: " << nom_associe(i) << std::endl;
    wood->absolute_forget_expression_by_bddid(i);
    std::cerr << "en particulier ici ..." << std::endl;
    if (i >= names.nb_state_vars && i < 2L * names.nb_state_vars) ++latches;
  }
  std::cout << std::endl
            << count - latches << " useless variables identified ... cancelling" << std::endl
            << latches << " useless latches identified ... cancelling" << std::endl;
  return marks;
}

std::list<long> b_automaton::sort() {
  reset_dates();
  nb_level = static_cast<int>(wood->compute_dates());
  return wood->loop_detection();
}
