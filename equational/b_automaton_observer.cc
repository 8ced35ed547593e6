// The equivalence observer: an automaton without registers whose output
// "equiv" compares, name by name, the outputs that two automata have in
// common, and the product that runs both automata beside it.
#include "b_automaton.h"
#include "listpp.h"

b_automaton* equiv_observer(std::list<std::string>& o1, std::list<std::string>& o2, int* count,
                            b_automaton_connector** wires) {
  *count = 0;
  *wires = new b_automaton_connector[o1.size() + o2.size()];
  int m = 0, p = 0;
  std::list<std::string> common, inputs;
  for (auto const& x : o1) {
    if (int h = item_where(o2, x)) {
      common.push_back(x);
      inputs.push_back("equiv_observer_autom1_" + x);
      inputs.push_back("equiv_observer_autom2_" + x);
      (*wires)[m] = b_automaton_connector(0, p, 2, m);
      (*wires)[m + 1] = b_automaton_connector(1, h - 1, 2, m + 1);
      m += 2;
    }
    ++p;
  }
  *count = m;
  std::list<std::string> none, outputs{"equiv"};
  b_autom_dec dec(none, none, inputs, outputs, none);
  bddpp_manager* mgr = dec.manager_associe();
  bdd f = mgr->Bdd_one();
  for (auto const& x : common) {
    bdd l = mgr->Bdd_var_by_name("equiv_observer_autom1_" + x);
    bdd r = mgr->Bdd_var_by_name("equiv_observer_autom2_" + x);
    bdd same = mgr->Bdd_eq(l, r);
    f = mgr->Bdd_and(f, same);
  }
  new Bddexpression("equiv", dec.wood_associee(), mgr->Bdd_var_by_index(m), f, 0, 0, 1);
  std::vector<int> initial(m + 1, 0);
  return new b_automaton(&dec, initial.data(), mgr->Bdd_zero(), mgr->Bdd_zero());
}

b_automaton* observateur_equivalence(b_automaton* a, b_automaton* b) {
  if (!a || !b) return nullptr;
  std::list<std::string> o1 = a->outputs_list(), o2 = b->outputs_list();
  int count = 0;
  b_automaton_connector* wires = nullptr;
  b_automaton* observer = equiv_observer(o1, o2, &count, &wires);
  b_automaton* components[] = {a, b, observer};
  std::string instances[] = {"autom1", "autom2", "observer"};
  auto* product = new b_automaton(3, components, instances, observer->nb_inputs(), wires);
  delete observer;
  delete[] wires;
  return product;
}
