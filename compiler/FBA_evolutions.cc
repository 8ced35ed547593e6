// Folding into the automaton: reactions given by sets of steps, by
// situation codes or by explicit sets of inputs and actions; continuous
// actions and Moore-style actions.
#include <cstdint>
#include <map>
#include <vector>

#include "FBA.h"

namespace {

// Bit i of a situation code; the bits beyond those of an int read as 0,
// and no shift is ever as wide as the int.
bool bit_code(int code, int i) {
  const int largeur = 32;
  return i < largeur && ((static_cast<uint32_t>(code) >> i) & 1u) != 0;
}

// The variables of indexes premier to premier + n - 1, for Minterm.
std::vector<bdd> variables(bddpp_manager* m, int premier, int n) {
  std::vector<bdd> r;
  for (int i = 0; i < n; ++i) r.push_back(m->Bdd_var_by_index(premier + i));
  return r;
}

// c restricted to the situation: each state variable at 1 in it or at 0.
bdd restreinte(bddpp_manager* m, bdd c, int n, const std::set<int>& situation) {
  for (int i = 0; i < n; ++i) {
    bdd x = m->Bdd_var_by_index(i);
    c = m->Bdd_and(c, situation.count(i) ? x : m->Bdd_not(x));
  }
  return c;
}

// Every state variable receives c in exactly one of force1 (when a1 says
// it is 1 after the reaction) and force0.
template <typename A1>
void force(FBA& a, const bdd& c, A1 a1) {
  bddpp_manager* m = a.manager;
  for (int k = 0; k < a.state_variables_number; ++k) {
    if (a1(k))
      a.force1[k] = m->Bdd_or(a.force1[k], c);
    else
      a.force0[k] = m->Bdd_or(a.force0[k], c);
  }
}

// The or of the functions two by two: each or meets operands of like size,
// where or-ing them one after another into one growing function walks it
// once per operand.
bdd ou_equilibre(bddpp_manager* m, std::vector<bdd> f) {
  if (f.empty()) return m->Bdd_zero();
  while (f.size() > 1) {
    size_t j = 0;
    for (size_t i = 0; i + 1 < f.size(); i += 2) f[j++] = m->Bdd_or(f[i], f[i + 1]);
    if (f.size() % 2) f[j++] = f.back();
    f.resize(j);
  }
  return f[0];
}

// The same function as restreinte, its literals put from the last state
// variable up: each stands above the inputs that the reactions' conditions
// read, so that each and makes one node instead of rebuilding those below.
bdd sur_situation(bddpp_manager* m, bdd c, int n, const std::set<int>& situation) {
  for (int i = n - 1; i >= 0; --i) {
    bdd x = m->Bdd_var_by_index(i);
    c = m->Bdd_and(c, situation.count(i) ? x : m->Bdd_not(x));
  }
  return c;
}

// Every reaction from one situation at once: their conditions are or-ed
// together, then restricted to the situation. In the search no earlier
// reaction left that situation, so each of the automaton's conditions only
// gains one short path.
void depuis_situation(FBA& a, const std::set<int>& source,
                      const std::vector<const FBA_transition*>& reactions) {
  bddpp_manager* m = a.manager;
  auto ajoute = [&](bdd& cible, std::vector<bdd> conditions) {
    bdd g = ou_equilibre(m, std::move(conditions));
    if (m->Bdd_is_zero_tautologic(g)) return;
    cible = m->Bdd_or(cible, sur_situation(m, g, a.state_variables_number, source));
  };
  for (int k = 0; k < a.state_variables_number; ++k) {
    std::vector<bdd> vers1, vers0;
    for (auto t : reactions) (t->final.count(k) ? vers1 : vers0).push_back(t->cond);
    ajoute(a.force1[k], std::move(vers1));
    ajoute(a.force0[k], std::move(vers0));
  }
  for (int j = 0; j < a.actions_number; ++j) {
    std::vector<bdd> emises;
    for (auto t : reactions) emises.push_back(m->Bdd_and(t->cond_actions[j], t->cond));
    ajoute(a.emissions[j], std::move(emises));
  }
}

void emet(FBA& a, const bdd& c, const bdd* cond_actions) {
  bddpp_manager* m = a.manager;
  for (int j = 0; j < a.actions_number; ++j)
    a.emissions[j] = m->Bdd_or(a.emissions[j], m->Bdd_and(cond_actions[j], c));
}

}  // namespace

// The reaction's condition is restricted to its source situation, then
// given to one of force0 and force1 of every state variable.
void FBA::add_evolution(FBA_transition t) {
  bdd c = restreinte(manager, t.cond, state_variables_number, t.initial);
  force(*this, c, [&](int k) { return t.final.count(k) != 0; });
  emet(*this, c, t.cond_actions);
}

void FBA::add_evolutions(const std::vector<FBA_transition>& ts) {
  std::map<std::set<int>, std::vector<const FBA_transition*>> par_source;
  for (auto const& t : ts) par_source[t.initial].push_back(&t);
  for (auto const& [source, reactions] : par_source) depuis_situation(*this, source, reactions);
}

void FBA::add_post_evolution(int v, int a, bdd c) {
  if (v < 0 || v >= state_variables_number) return;
  bdd suivant = manager->Bdd_var_by_index(state_variables_number + v);
  emissions[a] = manager->Bdd_or(emissions[a], manager->Bdd_and(suivant, c));
}

// A negative source code is no situation: its condition would be constant
// false and change nothing, so a record without owner, whose codes are
// negative, is never read further.
void FBA::add_evolution(FBA_real_transition r) {
  if (r.initial < 0) return;
  int n = state_variables_number;
  std::vector<bdd> x = variables(manager, 0, n);
  bdd c = manager->Bdd_and(r.cond, manager->Minterm(r.initial, n, x.data()));
  force(*this, c, [&](int k) { return bit_code(r.final, k); });
  if (r.cond_actions) emet(*this, c, r.cond_actions);
}

void FBA::add_evolution(std::set<int>& source, std::set<int>& target, std::set<int> actions,
                        std::set<int> true_inputs, std::set<int> false_inputs) {
  int n = state_variables_number;
  bdd c = manager->Bdd_one();
  for (int i : true_inputs) c = manager->Bdd_and(c, manager->Bdd_var_by_index(2 * n + i));
  for (int i : false_inputs)
    c = manager->Bdd_and(c, manager->Bdd_not(manager->Bdd_var_by_index(2 * n + i)));
  c = restreinte(manager, c, n, source);
  force(*this, c, [&](int k) { return target.count(k) != 0; });
  for (int a : actions) emissions[a] = manager->Bdd_or(emissions[a], c);
}

// The minterm is over the next-state variables: the action is emitted when
// the next situation is the one of the code.
void FBA::add_Moore_action(int code, int a, bdd c) {
  int n = state_variables_number;
  std::vector<bdd> suivants = variables(manager, n, n);
  bdd situation = manager->Minterm(code, n, suivants.data());
  emissions[a] = manager->Bdd_or(emissions[a], manager->Bdd_and(c, situation));
}
