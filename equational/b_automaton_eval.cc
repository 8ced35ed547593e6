// One reaction of the automaton run from its equations: symbolically over a
// situation, three-valued over a vector of values, split into the input
// cases that decide it, and the input conditions that decide the equations
// upstream of a variable. The working copies of the forest share the
// automaton's manager and are released before each operation returns.
#include <algorithm>
#include <deque>
#include <iostream>
#include <memory>
#include <utility>

#include "b_automaton.h"
#include "g_messages.h"

namespace {

// The forest's flag of a shared manager, given back its value on leaving.
struct restore_sharing {
  b_automaton* a;
  int saved;
  ~restore_sharing() { a->set_common_bdd_manager(saved); }
};

std::string sop(bddpp_manager* m, bdd const& f) {
  return m->Print_sop_to_String("+", ".", "!", "", f, 2);
}

}  // namespace

// The conjunction of the literals that the constant equations give: the
// equation at index first + k sets the variable at literal + k.
static bdd constant_cube(bddpp_manager* m, Bddexpressionwood& w, long first, long literal,
                         int count, char const* undecided) {
  bdd r = m->Bdd_one();
  for (int k = 0; k < count; ++k) {
    Bddexpression* e = w.exp_by_index(first + k);
    if (!e) continue;
    bdd x = m->Bdd_var_by_index(literal + k);
    if (m->Bdd_is_zero_tautologic(e->getBddExp()))
      r = m->Bdd_and(r, m->Bdd_not(x));
    else if (m->Bdd_is_one_tautologic(e->getBddExp()))
      r = m->Bdd_and(r, x);
    else
      std::cerr << undecided << k << std::endl;
  }
  return r;
}

// Over the state variables themselves, ready to serve as the next situation.
bdd b_automaton::next_state_cube(Bddexpressionwood& w) {
  int n = names.nb_state_vars;
  return constant_cube(manager_associe(), w, n, 0, n, "no possible evaluation for index ");
}

bdd b_automaton::output_cube(Bddexpressionwood& w) {
  long first = 2L * names.nb_state_vars + names.nb_inputs;
  return constant_cube(manager_associe(), w, first, first, names.nb_outputs,
                       "no possible evaluation for output index ");
}

// The negation of a non-constant cube as disjoint cubes, the top literal
// first: not l1, l1 and not l2, ... A reduction by a care set that is no
// cube only conjoins cofactors, which does not keep a function even on the
// care set; by these cubes each reduction is exact. For a single literal
// the one cube is its negation.
static std::list<bdd> complement_cubes(bddpp_manager* m, bdd f) {
  std::list<bdd> r;
  bdd prefix = m->Bdd_one();
  while (!m->Bdd_is_tautology(f)) {
    bdd x = m->Bdd_if(f);
    bdd t = m->Bdd_then(f);
    bool negative = m->Bdd_is_zero_tautologic(t);
    bdd literal = negative ? m->Bdd_not(x) : x;
    f = negative ? m->Bdd_else(f) : t;
    r.push_back(m->Bdd_and(prefix, m->Bdd_not(literal)));
    prefix = m->Bdd_and(prefix, literal);
  }
  return r;
}

bdd b_automaton::evaluation_etat_suivant(bdd& situation, int, bdd* outputs) {
  restore_sharing guard{this, wood->common_bdd_manager};
  set_common_bdd_manager(1);
  Bddexpressionwood w(wood);
  w.reduce_expressions(situation);
  bdd next = next_state_cube(w);
  bdd out = output_cube(w);
  if (outputs) *outputs = out;
  return next;
}

// Without a display the message box would lose the report: it goes to the
// standard error stream instead.
int b_automaton::evaluation_etat_suivant(int* values, int verbose, int* next) {
  bddpp_manager* m = manager_associe();
  int count = m->nbr_variables();
  std::copy(values, values + count, next);
  std::list<long> order = wood->earliest_sort();
  if (order.empty()) {
    if (verbose) fl_show_Snotice("ERROR IN SORTING EQUATIONS ... ");
    return 0;
  }
  auto text = [m](bdd const& f) {
    return m->Print_sop_to_String_pref_suff("+", ".", "!", "", f, "", "", 1);
  };
  std::string message;
  int ok = 1;
  for (long k : order) {
    Bddexpression* e = wood->exp_by_index(k);
    bdd const& var = e->getBddVar();
    int c = e->getBddExp().node() ? m->Bdd_eval_for_literal(e->getBddExp(), next) : 2;
    long at = var.node() ? m->Bdd_if_index(var) : -1;
    if (at >= 0 && at < count) next[at] = c;
    if (c != 2) continue;
    ok = 0;
    if (!verbose) continue;
    message += "ERROR IN EVALUATION: \n\n";
    if (!var.node()) {
      message += " left member of equation  not defined\n";
      continue;
    }
    std::string left = text(var);
    bdd known = m->Literals_to_bdd(next);
    message += " because the variable " + left + "  depends on " + text(known) +
               "\n\n and I don't know how to evaluate it!\n";
  }
  if (!ok) {
    if (verbose) fl_show_Snotice(message);
    return 0;
  }
  for (int i = 0; i < names.nb_state_vars; ++i) next[i] = next[names.nb_state_vars + i];
  return 1;
}

// Each case splits on an implicant of the first undecided equation in late
// order: one part decides it, the others, one per cube of the negation of
// the implicant, fix at least one more variable.
int b_automaton::evaluation_etats_suivants(bdd& situation, std::vector<bdd>& conditions,
                                           std::vector<bdd>& next_situations,
                                           std::vector<bdd>& outputs) {
  conditions.clear();
  next_situations.clear();
  outputs.clear();
  restore_sharing guard{this, wood->common_bdd_manager};
  set_common_bdd_manager(1);
  bddpp_manager* m = manager_associe();
  std::list<int> keep{1};
  using case_split = std::pair<std::unique_ptr<Bddexpressionwood>, bdd>;
  std::deque<case_split> queue;
  auto first = std::make_unique<Bddexpressionwood>(wood);
  first->reduce_expressions(situation, keep);
  queue.emplace_back(std::move(first), m->Bdd_one());
  int c = 0;
  while (!queue.empty()) {
    case_split front = std::move(queue.front());
    queue.pop_front();
    std::unique_ptr<Bddexpressionwood>& w = front.first;
    bdd const& g = front.second;
    bdd f = w->reduce_proposition_by_assertion();
    if (m->Bdd_is_one_tautologic(f)) {
      conditions.push_back(g);
      next_situations.push_back(next_state_cube(*w));
      outputs.push_back(output_cube(*w));
      ++c;
      continue;
    }
    std::list<bdd> others = complement_cubes(m, f);
    std::vector<std::unique_ptr<Bddexpressionwood>> copies;
    for (size_t k = 0; k < others.size(); ++k)
      copies.push_back(std::make_unique<Bddexpressionwood>(w.get()));
    w->reduce_expressions(f, keep);
    auto copy = copies.begin();
    for (bdd const& c : others) (*copy++)->reduce_expressions(c, keep);
    bdd with = m->Bdd_and(f, g);
    queue.emplace_back(std::move(w), with);
    copy = copies.begin();
    for (bdd const& c : others) {
      bdd without = m->Bdd_and(c, g);
      queue.emplace_back(std::move(*copy++), without);
    }
  }
  return c;
}

namespace {

// The value of one equation under the known values: its literal when
// decided, otherwise the function it is left with.
bool decided(bddpp_manager* m, Bddexpression const& x, bdd const& f, bdd& d) {
  if (m->Bdd_is_zero_tautologic(f))
    d = m->Bdd_not(x.getBddVar());
  else if (m->Bdd_is_one_tautologic(f))
    d = x.getBddVar();
  else
    return false;
  return true;
}

}  // namespace

// An abstract equation without right member decides nothing and is passed.
std::list<bdd> b_automaton::sensibilite_entrees(bdd situation, long index) {
  bddpp_manager* m = manager_associe();
  std::cerr << "call sensibilite_entrees()" << std::endl
            << "SENSIBILITE ENTREES pour ETAT:" << std::endl
            << sop(m, situation) << std::endl;
  std::list<long> order = wood->latest_sort();
  std::set<long> upstream = wood->up_dependances(index, 0, std::set<long>());
  std::deque<bdd> queue{m->Bdd_one()};
  std::list<bdd> result;
  while (!queue.empty()) {
    bdd g = queue.front();
    queue.pop_front();
    bdd e = m->Bdd_and(g, situation);
    std::cerr << "---> " << queue.size() << ": " << sop(m, g) << std::endl;
    bool blocked = false;
    for (long k : order) {
      Bddexpression* x = upstream.count(k) ? wood->exp_by_index(k) : nullptr;
      if (!x || !x->getBddExp().node()) continue;
      bdd f = m->Bdd_reduce(x->getBddExp(), e);
      bdd d;
      if (!decided(m, *x, f, d)) {
        std::cerr << "exp bloquante:" << *x << std::endl
                  << "apres reduction: " << sop(m, f) << std::endl;
        bdd t = m->Bdd_if(f);
        bdd with = m->Bdd_and(t, g);
        queue.push_back(with);
        bdd without = m->Bdd_and(m->Bdd_not(t), g);
        queue.push_back(without);
        blocked = true;
        break;
      }
      e = m->Bdd_and(e, d);
    }
    if (!blocked) result.push_back(g);
  }
  std::cerr << "sensibilite terminee ..." << std::endl;
  return result;
}

// The conditions pushed are cubes (the negation of an implicant is pushed
// as its cubes), so that each reduction by one of them is exact.
std::list<bdd> b_automaton::old_sensibilite_entrees(bdd situation) {
  bddpp_manager* m = manager_associe();
  std::cerr << "call sensibilite_entrees()" << std::endl;
  restore_sharing guard{this, wood->common_bdd_manager};
  set_common_bdd_manager(1);
  Bddexpressionwood w(wood);
  w.reduce_expressions(situation);
  if (w.global_tautology()) return {m->Bdd_one()};
  std::list<long> order = w.latest_sort();
  std::deque<bdd> queue{m->Bdd_one()};
  std::list<bdd> result;
  while (!queue.empty()) {
    bdd g = queue.front();
    queue.pop_front();
    bdd e = g;
    std::cerr << "---> " << queue.size() << ": " << sop(m, g) << std::endl;
    bool blocked = false;
    for (long k : order) {
      Bddexpression* x = w.exp_by_index(k);
      if (!x || !x->getBddExp().node()) continue;
      bdd f = m->Bdd_reduce(x->getBddExp(), e);
      bdd d;
      if (!decided(m, *x, f, d)) {
        std::cerr << "evaluation impossible pour: ";
        Print_debug_bdd(std::cerr, f);
        std::cerr << std::endl;
        bdd t = m->Bdd_one_implicant(f);
        std::list<bdd> pushed{m->Bdd_and(t, g)};
        for (bdd const& c : complement_cubes(m, t)) pushed.push_back(m->Bdd_and(c, g));
        for (bdd const& p : pushed) {
          queue.push_back(p);
          std::cerr << "   empilement de " << sop(m, p) << std::endl;
        }
        blocked = true;
        break;
      }
      e = m->Bdd_and(e, d);
    }
    if (blocked) continue;
    std::cerr << "Adding :" << sop(m, g) << std::endl;
    result.push_back(g);
  }
  return result;
}
