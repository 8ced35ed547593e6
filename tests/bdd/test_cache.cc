// The operation cache changes nothing that can be seen: one scripted run of
// engine operations on a manager with the cache and on one without gives
// the same transcript of global ids, link types, reference counts, node
// counters and printed texts, collections and variable insertions included.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>

#include "bdd_oracle.h"
#include "bddpp.h"

namespace {

const int N = 8;

// Everything of a result that the program can print.
void note(std::ostream& os, bddpp_manager& m, std::string const& what, bdd const& f) {
  os << what << " -> " << f.link_type() << "*" << f.node()->global_id << " refs " << f.node()->refs << " total "
     << m.Bdd_total_size() << "\n";
}

void note_texts(std::ostream& os, bddpp_manager& m, bdd const& f) {
  os << m.Print_sop_to_String(" + ", ".", "!", "", f, 1) << " | " << m.Print_sop_to_String(" + ", ".", "!", "", f, 2)
     << " | size " << m.Bdd_size(f) << "\n";
  m.Print_bdd_structure(os, f);
  m.Bdd_global_clear_marks();
  m.Print_node_for_eval_arrayless(" | ", " & ", "!", "", "", "", "0", ";", "n", os, f.node());
  os << "total " << m.Bdd_total_size() << "\n";
}

// The statistics without their first two lines, which hold an address.
std::string stats_without_address(bddpp_manager& m) {
  std::ostringstream os;
  m.Bdd_stats(os);
  std::string s = os.str();
  return s.substr(s.find('\n', s.find('\n') + 1) + 1);
}

// Operations drawn from a seeded generator on a pool of functions; the
// pool's handles are replaced as it goes, so that collections free nodes
// that later operations build again.
std::string run_script(unsigned seed, bool cache) {
  bddpp_manager m;
  m.Bdd_set_cache(cache);
  std::vector<bdd> v = make_vars(m, N);
  std::vector<bdd> pool = v;
  for (int i = 0; i < N; ++i) pool.push_back(m.Bdd_not(v[i]));
  std::mt19937 rng(seed);
  // The literals stay; the rest of the pool changes, and never to a
  // constant, which would soon fill it.
  size_t fixed = pool.size();
  for (int i = 0; i < 16; ++i)
    pool.push_back(m.Bdd_or(m.Bdd_and(v[rng() % N], v[rng() % N]), m.Bdd_xor(v[rng() % N], v[rng() % N])));
  auto pick = [&]() -> bdd const& { return pool[rng() % pool.size()]; };
  auto var = [&]() { return static_cast<int>(rng() % v.size()); };
  auto nbr = [&]() { return static_cast<size_t>(m.nbr_variables()); };
  std::ostringstream os;
  for (int step = 0; step < 1500; ++step) {
    bdd f = pick(), g = pick(), h = pick();
    bdd r;
    std::string what;
    switch (rng() % 16) {
      case 0: r = m.Bdd_and(f, g); what = "and"; break;
      case 1: r = m.Bdd_or(f, g); what = "or"; break;
      case 2: r = m.Bdd_xor(f, g); what = "xor"; break;
      case 3: r = m.Bdd_ite(f, g, h); what = "ite"; break;
      case 4: r = m.Bdd_ite(rng() % 2 ? 1 : -1, var(), g, h); what = "ite on a variable"; break;
      case 5: r = m.Bdd_exist(f, v[var()]); what = "exist"; break;
      case 6: r = m.Bdd_forall(f, m.Bdd_not(v[var()])); what = "forall"; break;
      case 7: r = m.Bdd_cube_reduce(f, m.Bdd_and(v[var()], m.Bdd_not(v[var()]))); what = "cube"; break;
      case 8: r = m.Bdd_cube_reduce(f, rng() % 2 ? v[var()] : m.Bdd_not(v[var()])); what = "literal"; break;
      case 9: {
        std::vector<int> lits(nbr());
        for (int& l : lits) l = static_cast<int>(rng() % 3);
        r = m.Bdd_eval(f, lits.data());
        int link = 1;
        bdd_node* n = m.Bdd_cube_reduce(f.link_type(), f.node(), lits.data(), link);
        note(os, m, "array", bdd(&m, link, n));
        what = "eval";
        break;
      }
      case 10: r = m.Bdd_keep_first_variables(f, var()); what = "keep"; break;
      case 11: r = m.Bdd_compose(f, v[var()], g); what = "compose"; break;
      case 12: {
        std::vector<long> p(nbr());
        for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<long>(i);
        std::shuffle(p.begin(), p.end(), rng);
        r = m.Bdd_replace_vars(f, p.data());
        what = "rename";
        break;
      }
      case 13: r = m.Bdd_reduce(f, g); what = "reduce"; break;
      case 14: r = m.Bdd_simplify(f, g); what = "simplify"; break;
      default: {
        std::list<bdd> cover;
        m.Bdd_sop(f, cover, static_cast<int>(rng() % 4));
        r = or_all(m, cover);
        os << "tests " << m.Bdd_equiv(f, g) << m.Bdd_imply(f, g) << m.Bdds_excl(f, g) << "\n";
        what = "cover";
      }
    }
    note(os, m, what, r);
    if (r.node()->id != -1) pool[fixed + rng() % (pool.size() - fixed)] = r;
    if (step % 97 == 0) note_texts(os, m, pick());
    if (step % 211 == 0) {
      m.Bdd_gc();
      os << stats_without_address(m);
    }
    // A variable inserted in the order moves those below it.
    if (step % 53 == 0) v.push_back(m.New_var_before(var(), "w" + std::to_string(step)));
  }
  return os.str();
}

}  // namespace

TEST(BddCache, OnAndOffGiveTheSameTranscript) {
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(seed);
    std::string on = run_script(seed, true), off = run_script(seed, false);
    ASSERT_EQ(on.substr(0, 200), off.substr(0, 200));
    EXPECT_TRUE(on == off) << "the transcripts first differ at character "
                           << std::mismatch(on.begin(), on.end(), off.begin(), off.end()).first - on.begin();
  }
}

// A node taken out of the unique table from outside is not found again by
// the walk, which makes a new one: the cache must not answer with the old;
// nor does a collection free it.
TEST(BddCache, ANodeRemovedFromTheTableIsNotGivenBack) {
  for (bool cache : {true, false}) {
    SCOPED_TRACE(cache);
    bddpp_manager m;
    m.Bdd_set_cache(cache);
    std::vector<bdd> v = make_vars(m, 2);
    bdd f = m.Bdd_and(v[0], v[1]);
    m.Map_suppress(f.node());
    bdd g = m.Bdd_and(v[0], v[1]);
    EXPECT_NE(g.node(), f.node());
    EXPECT_EQ(g.node()->global_id, f.node()->global_id + 1);
    m.Map_integrate(f.node());  // f's node stands again under its key
    EXPECT_EQ(m.Bdd_and(v[1], v[0]).node(), f.node());
    // A collection frees the unreferenced nodes of the table only.
    bdd_node* out = f.node();
    m.Map_suppress(out);
    f = bdd();
    g = bdd();
    m.Bdd_gc();
    EXPECT_EQ(out->manager, &m);
    m.Map_integrate(out);
    EXPECT_EQ(m.Bdd_and(v[0], v[1]).node(), out);
  }
}

TEST(BddCache, NewManagersTakeTheDefault) {
  bddpp_manager on;
  EXPECT_EQ(on.Bdd_cache_is_on(), 1);
  bddpp_manager::Bdd_set_cache_default(0);
  bddpp_manager off;
  bddpp_manager::Bdd_set_cache_default(1);
  EXPECT_EQ(off.Bdd_cache_is_on(), 0);
  off.Bdd_set_cache(1);
  EXPECT_EQ(off.Bdd_cache_is_on(), 1);
}

// The switch that the whole-run comparisons of the program use.
TEST(BddCache, DefaultFromTheEnvironmentUntilSet) {
  bddpp_manager::Bdd_set_cache_default(-1);
  struct cas {
    const char* valeur;  // null: unset
    int on;
  } const table[] = {{nullptr, 1}, {"0", 0}, {"1", 1}, {"", 1}, {"00", 1}};
  for (auto const& c : table) {
    if (c.valeur)
      setenv("TARVEK_BDD_CACHE", c.valeur, 1);
    else
      unsetenv("TARVEK_BDD_CACHE");
    bddpp_manager m;
    EXPECT_EQ(m.Bdd_cache_is_on(), c.on) << (c.valeur ? c.valeur : "unset");
  }
  setenv("TARVEK_BDD_CACHE", "0", 1);
  bddpp_manager::Bdd_set_cache_default(1);
  bddpp_manager set;
  EXPECT_EQ(set.Bdd_cache_is_on(), 1);
  unsetenv("TARVEK_BDD_CACHE");
  bddpp_manager::Bdd_set_cache_default(-1);
}
