// The two engines behind one face, so that each workload is written once
// and runs the same sequence of operations on both: the tarvek engine and
// BuDDy. Variable i is the i-th variable of the order in both.
#ifndef TARVEK_BENCH_ENGINES_H
#define TARVEK_BENCH_ENGINES_H

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "bddpp.h"
#include "bddpp_int.h"
#include "buddy_shim.h"

// The engine frees nodes only when asked (Bdd_gc), BuDDy by itself when
// its table is full. As a program using the engine would between phases,
// this side asks for a collection once the nodes made since the last one
// outnumber those it left, as BuDDy roughly does.
struct ours {
  using fn = bdd;
  static constexpr char const* name = "ours";

  explicit ours(int nbr_vars) : m(new bddpp_manager) {
    for (int i = 0; i < nbr_vars; ++i) vars.push_back(m->New_var_last("v" + std::to_string(i)));
  }
  ~ours() {
    vars.clear();
    delete m;
  }
  ours(ours const&) = delete;
  ours& operator=(ours const&) = delete;

  int nbr_vars() const { return static_cast<int>(vars.size()); }
  fn one() { return m->Bdd_one(); }
  fn zero() { return m->Bdd_zero(); }
  fn var(int i) { return vars[i]; }
  fn nvar(int i) { return m->Bdd_not(vars[i]); }
  fn not_(fn const& f) { return collected(m->Bdd_not(f)); }
  fn and_(fn const& f, fn const& g) { return collected(m->Bdd_and(f, g)); }
  fn or_(fn const& f, fn const& g) { return collected(m->Bdd_or(f, g)); }
  fn xor_(fn const& f, fn const& g) { return collected(m->Bdd_xor(f, g)); }
  fn ite(fn const& f, fn const& g, fn const& h) { return collected(m->Bdd_ite(f, g, h)); }
  fn exist(fn const& f, int i) { return collected(m->Bdd_exist(f, vars[i])); }
  fn compose(fn const& f, int i, fn const& g) { return collected(m->Bdd_compose(f, vars[i], g)); }
  fn rename(fn const& f, std::vector<int> const& to) {
    std::vector<long> positions(to.begin(), to.end());
    return collected(m->Bdd_replace_vars(f, positions.data()));
  }
  bool is_false(fn const& f) { return m->Bdd_is_zero_tautologic(f); }

  bool eval(fn const& f, std::vector<char> const& values) const {
    int link = f.link_type();
    bdd_node* n = f.node();
    while (n->id != -1) {
      if (values[n->id]) {
        n = n->then_node;
      } else {
        link *= n->else_link;
        n = n->else_node;
      }
    }
    return link == 1;
  }

  // Exact up to 127 variables; counts below a node range over the
  // variables from the node's own position down.
  double satcount(fn const& f) {
    std::unordered_map<bdd_node*, unsigned __int128> memo;
    int n = nbr_vars();
    unsigned __int128 c = count(f.node(), memo);
    int top = level(f.node());
    c <<= top;
    if (f.link_type() == -1) c = (static_cast<unsigned __int128>(1) << n) - c;
    return static_cast<double>(c);
  }

  // An assignment that makes f true, the free choices drawn from rng.
  std::vector<char> random_sat(fn const& f, std::mt19937& rng) {
    std::vector<char> values(nbr_vars());
    for (auto& v : values) v = static_cast<char>(rng() & 1u);
    int link = f.link_type();
    bdd_node* n = f.node();
    while (n->id != -1) {
      bool then_ok = satisfiable(n->then_node, link);
      bool else_ok = satisfiable(n->else_node, link * n->else_link);
      bool go_then = then_ok && (!else_ok || (rng() & 1u));
      values[n->id] = go_then;
      if (go_then) {
        n = n->then_node;
      } else {
        link *= n->else_link;
        n = n->else_node;
      }
    }
    return values;
  }

  long created() const { return m->Bdd_total_size(); }

  // r, after a collection when one is due; r holds its nodes.
  fn collected(fn r) {
    long made = m->Bdd_total_size() - made_at_gc;
    if (made >= std::max<long>(1 << 14, live_at_gc)) {
      m->Bdd_gc();
      made_at_gc = m->Bdd_total_size();
      live_at_gc = static_cast<long>(bdd_engine::store(m).map.size());
    }
    return r;
  }
  long made_at_gc = 0;
  long live_at_gc = 0;

  bddpp_manager* m;
  std::vector<bdd> vars;

 private:
  int level(bdd_node* n) const { return n->id == -1 ? nbr_vars() : n->id; }
  // Every non-constant node is satisfiable and so is its negation.
  bool satisfiable(bdd_node* n, int link) const { return n->id != -1 || link == 1; }
  unsigned __int128 count(bdd_node* n, std::unordered_map<bdd_node*, unsigned __int128>& memo) {
    if (n->id == -1) return 1;
    auto it = memo.find(n);
    if (it != memo.end()) return it->second;
    int l = level(n);
    int lt = level(n->then_node), le = level(n->else_node);
    unsigned __int128 t = count(n->then_node, memo) << (lt - l - 1);
    unsigned __int128 e = count(n->else_node, memo);
    if (n->else_link == -1) e = (static_cast<unsigned __int128>(1) << (nbr_vars() - le)) - e;
    e <<= le - l - 1;
    return memo[n] = t + e;
  }
};

// A BuDDy function that keeps one reference while it lives, as BuDDy's
// own C++ class does.
class buddy_fn {
 public:
  buddy_fn() : f_(0) {}
  static buddy_fn adopt(int f) {
    buddy_fn r;
    r.f_ = f;
    return r;
  }
  buddy_fn(buddy_fn const& o) : f_(o.f_) { bb_keep(f_); }
  buddy_fn(buddy_fn&& o) noexcept : f_(o.f_) { o.f_ = 0; }
  buddy_fn& operator=(buddy_fn const& o) {
    bb_keep(o.f_);
    bb_release(f_);
    f_ = o.f_;
    return *this;
  }
  buddy_fn& operator=(buddy_fn&& o) noexcept {
    std::swap(f_, o.f_);
    return *this;
  }
  ~buddy_fn() { bb_release(f_); }
  int get() const { return f_; }

 private:
  int f_;
};

struct buddy {
  using fn = buddy_fn;
  static constexpr char const* name = "BuDDy";
  // Node table and operation cache at start; BuDDy grows the table itself.
  static constexpr int initial_nodes = 1000000;
  static constexpr int cache = 100000;

  explicit buddy(int nbr_vars) : n(nbr_vars) { bb_init(initial_nodes, cache, nbr_vars); }
  ~buddy() { bb_done(); }
  buddy(buddy const&) = delete;
  buddy& operator=(buddy const&) = delete;

  int nbr_vars() const { return n; }
  fn one() { return fn::adopt(bb_true()); }
  fn zero() { return fn::adopt(bb_false()); }
  fn var(int i) { return fn::adopt(bb_var(i)); }
  fn nvar(int i) { return fn::adopt(bb_nvar(i)); }
  fn not_(fn const& f) { return fn::adopt(bb_not(f.get())); }
  fn and_(fn const& f, fn const& g) { return fn::adopt(bb_and(f.get(), g.get())); }
  fn or_(fn const& f, fn const& g) { return fn::adopt(bb_or(f.get(), g.get())); }
  fn xor_(fn const& f, fn const& g) { return fn::adopt(bb_xor(f.get(), g.get())); }
  fn ite(fn const& f, fn const& g, fn const& h) { return fn::adopt(bb_ite(f.get(), g.get(), h.get())); }
  fn exist(fn const& f, int i) { return fn::adopt(bb_exist(f.get(), i)); }
  fn compose(fn const& f, int i, fn const& g) { return fn::adopt(bb_compose(f.get(), i, g.get())); }
  fn rename(fn const& f, std::vector<int> const& to) {
    return fn::adopt(bb_rename(f.get(), to.data(), static_cast<int>(to.size())));
  }
  bool is_false(fn const& f) { return f.get() == 0; }
  bool eval(fn const& f, std::vector<char> const& values) const { return bb_eval(f.get(), values.data()); }
  long created() const { return bb_produced(); }
  double satcount(fn const& f) { return bb_satcount(f.get()); }
  // f must not be false.
  std::vector<char> random_sat(fn const& f, std::mt19937& rng) {
    std::vector<char> values(n);
    for (auto& v : values) v = static_cast<char>(rng() & 1u);
    int x = f.get();
    while (x > 1) {
      int lo = bb_low(x), hi = bb_high(x);
      bool go_high = hi != 0 && (lo == 0 || (rng() & 1u));
      values[bb_top(x)] = go_high;
      x = go_high ? hi : lo;
    }
    return values;
  }

  int n;
};

#endif
