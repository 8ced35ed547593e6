// A combinational loop that the loop breaking could only give up on, found
// before it expands anything: each of its rounds doubles the looped
// equations, so on such a loop it would run out of candidates only after
// 2^k copies for k candidates read in the loop.
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "Bddexpression.h"

namespace {

using graph = std::vector<std::vector<int>>;

// Tarjan's strongly connected components of a graph whose node i reads the
// nodes of next[i]; iterative, since a loop may run through thousands of
// equations. The result numbers the component of every node that lies on a
// loop, and holds -1 for the others.
std::vector<int> loops_of(graph const& next) {
  int n = static_cast<int>(next.size());
  std::vector<int> index(n, -1), low(n, 0), stack, looped(n, -1);
  std::vector<char> stacked(n, 0);
  struct frame {
    int v;
    size_t k;
  };
  std::vector<frame> calls;
  int counter = 0;
  auto enter = [&](int v) {
    index[v] = low[v] = counter++;
    stack.push_back(v);
    stacked[v] = 1;
    calls.push_back({v, 0});
  };
  for (int s = 0; s < n; ++s) {
    if (index[s] >= 0) continue;
    enter(s);
    while (!calls.empty()) {
      int v = calls.back().v;
      if (calls.back().k < next[v].size()) {
        int w = next[v][calls.back().k++];
        if (index[w] < 0)
          enter(w);
        else if (stacked[w])
          low[v] = std::min(low[v], index[w]);
        continue;
      }
      calls.pop_back();
      if (!calls.empty()) low[calls.back().v] = std::min(low[calls.back().v], low[v]);
      if (low[v] != index[v]) continue;
      size_t first = stack.size();
      do --first;
      while (stack[first] != v);
      bool self = std::find(next[v].begin(), next[v].end(), v) != next[v].end();
      for (size_t j = first; j < stack.size(); ++j) {
        stacked[stack[j]] = 0;
        if (stack.size() - first > 1 || self) looped[stack[j]] = v;
      }
      stack.resize(first);
    }
  }
  return looped;
}

// The right members of some equations, copied into a manager of the
// search's own: the forest's manager must not gain a node, since the ids of
// the nodes made after the search are part of the texts written.
class copies {
 public:
  explicit copies(bddpp_manager* from) : source(from), own(from) {}

  bddpp_manager& manager() { return own; }

  bdd copy(bdd const& f) {
    bdd_node* n = f.node();
    if (n == source->Bdd_node_one()) return f.link_type() == 1 ? own.Bdd_one() : own.Bdd_zero();
    auto found = made.find(n);
    if (found == made.end()) {
      bdd g(source, 1, n);
      bdd t = copy(source->Bdd_then(g));
      bdd e = copy(source->Bdd_else(g));
      bdd r = own.Bdd_ite(own.Bdd_var_by_index(source->Bdd_if_index(g)), t, e);
      found = made.emplace(n, r).first;
    }
    return f.link_type() == 1 ? found->second : own.Bdd_not(found->second);
  }

 private:
  bddpp_manager* source;
  bddpp_manager own;  // before the handles on its nodes, which go first
  std::unordered_map<bdd_node*, bdd> made;
};

// One strongly connected set of equations, node i standing for the
// variable vars[i]: which equations still lie on a loop, and what each reads
// once the candidates fixed so far are substituted.
struct loop_search {
  std::vector<long> vars;
  std::unordered_map<long, int> node_of;
  std::vector<bdd> members;
  std::vector<std::set<long>> reads;
  std::vector<char> live;

  graph edges() const {
    graph next(vars.size());
    for (size_t i = 0; i < vars.size(); ++i) {
      if (!live[i]) continue;
      for (long r : reads[i]) {
        auto j = node_of.find(r);
        if (j != node_of.end() && live[j->second]) next[i].push_back(j->second);
      }
    }
    return next;
  }

  std::vector<int> readers(long v) const {
    std::vector<int> r;
    for (size_t i = 0; i < vars.size(); ++i)
      if (live[i] && reads[i].count(v)) r.push_back(static_cast<int>(i));
    return r;
  }

  bool keep_loops() {
    std::vector<int> looped = loops_of(edges());
    for (size_t i = 0; i < vars.size(); ++i) live[i] = looped[i] >= 0;
    return std::find(live.begin(), live.end(), 1) != live.end();
  }

  // Candidate v, read by the live equations readers, fixed to the value of
  // the literal; kept when a loop remains, the equations then on no loop
  // leaving the search.
  bool fix(bddpp_manager& m, long v, bdd const& literal) {
    std::vector<int> readers = this->readers(v);
    std::vector<char> before_live = live;
    std::vector<bdd> before_members;
    std::vector<std::set<long>> before_reads;
    for (int i : readers) {
      before_members.push_back(members[i]);
      before_reads.push_back(reads[i]);
      members[i] = m.Bdd_cube_reduce(members[i], literal);
      reads[i] = m.set_of_index_depend_on(members[i]);
    }
    if (keep_loops()) return true;
    live = before_live;
    for (size_t k = 0; k < readers.size(); ++k) {
      members[readers[k]] = before_members[k];
      reads[readers[k]] = before_reads[k];
    }
    return false;
  }

  // A shortest loop through the first live equation, each variable read by
  // the next.
  std::list<long> one_loop() const {
    graph next = edges();
    int s = static_cast<int>(std::find(live.begin(), live.end(), 1) - live.begin());
    std::vector<int> parent(vars.size(), -1);
    std::vector<int> queue{s};
    for (size_t q = 0; q < queue.size() && parent[s] < 0; ++q)
      for (int w : next[queue[q]])
        if (parent[w] < 0) {
          parent[w] = queue[q];
          queue.push_back(w);
        }
    std::list<long> loop;
    int v = s;
    do {
      loop.push_back(vars[v]);
      v = parent[v];
    } while (v != s);
    return loop;
  }
};

}  // namespace

// Why a loop found here is one that loop_breaking gives up on. Let a give
// every candidate a value, and G(a) be the graph of "E reads w" for w in the
// support of E's right member once a is substituted. A round that cuts v
// makes each looped E "if v then E_v else E_notv": under a, E reads only
// its copy E' for a(v), and E' reads, for each w that E read, the copy of w
// for a(v) when w was looped, w itself otherwise. An E left whole reads what
// it read. So every edge of a loop of G(a) becomes a path, and G(a) keeps a
// loop after every round. A loop of the dependances keeps the dates
// climbing past the variable count: loop_detection never comes back empty,
// and the rounds end only when no candidate is left to cut, with ok 0.
// The search grows a one candidate at a time, keeping a loop in the graph
// where the candidates not yet fixed are read with both values; once no
// equation of that loop reads a candidate, it is a loop of G(a).
std::list<long> Bddexpressionwood::unbreakable_loop(std::set<long> const& candidates,
                                                    std::list<std::pair<long, int>>& values) {
  values.clear();
  update_bdd_vars();
  std::vector<long> all(exp_ids.begin(), exp_ids.end());
  std::unordered_map<long, int> node_of;
  for (size_t i = 0; i < all.size(); ++i) node_of[all[i]] = static_cast<int>(i);
  graph next(all.size());
  for (size_t i = 0; i < all.size(); ++i)
    for (long d : exp_table[all[i]]->getDependances()) {
      auto j = node_of.find(d);
      if (j != node_of.end()) next[i].push_back(j->second);
    }
  std::vector<int> component = loops_of(next);
  if (std::count(component.begin(), component.end(), -1) == static_cast<long>(all.size()))
    return {};
  copies own(manager);
  bddpp_manager& m = own.manager();
  std::map<int, loop_search> sets;
  for (size_t i = 0; i < all.size(); ++i)
    if (component[i] >= 0) {
      loop_search& group = sets[component[i]];
      group.node_of[all[i]] = static_cast<int>(group.vars.size());
      group.vars.push_back(all[i]);
    }
  for (auto& entry : sets) {
    loop_search& group = entry.second;
    for (long v : group.vars) {
      group.members.push_back(own.copy(exp_table[v]->getBddExp()));
      group.reads.push_back(m.set_of_index_depend_on(group.members.back()));
    }
    group.live.assign(group.vars.size(), 1);
    std::set<long> read;
    for (auto const& r : group.reads)
      for (long v : r)
        if (candidates.count(v)) read.insert(v);
    std::list<std::pair<long, int>> fixed;
    bool kept = true;
    for (long v : read) {
      if (group.readers(v).empty()) continue;
      bdd x = m.Bdd_var_by_index(v);
      if (group.fix(m, v, x)) {
        fixed.emplace_back(v, 1);
      } else if (group.fix(m, v, m.Bdd_not(x))) {
        fixed.emplace_back(v, 0);
      } else {
        kept = false;
        break;
      }
    }
    if (kept) {
      values = fixed;
      return group.one_loop();
    }
  }
  return {};
}
