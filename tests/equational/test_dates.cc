// Dates, orders, loop detection and loop breaking on tiny forests, with the
// broken forest checked against the values its equations define; long
// forests that a recursion one frame per date would not survive.
#include <gtest/gtest.h>

#include <map>

#include "foret_test.h"
#include "gt_texte.h"

namespace {

struct forme {
  const char* nom;
  std::vector<std::string> variables;  // inputs first, then the equations' variables
  std::vector<std::pair<std::string, std::string>> equations;
};

std::unique_ptr<Bddexpressionwood> construit(forme const& f) {
  auto w = foret(f.variables);
  for (auto const& [v, texte] : f.equations) equation(*w, v, texte);
  return w;
}

// The value of every named variable of the original forest under the
// inputs, found by iterating its equations from all false: the forests here
// have one solution per input once their loops are cut.
std::map<std::string, bool> solution(forme const& f, std::map<std::string, bool> entrees) {
  auto w = construit(f);
  bddpp_manager& m = *w->Manager();
  valeurs v(m.nbr_variables(), false);
  for (auto const& [n, b] : entrees) v[m.Index_var_by_name(n)] = b;
  for (size_t k = 0; k <= f.equations.size() + 1; ++k)
    for (auto const& [n, texte] : f.equations) {
      long i = m.Index_var_by_name(n);
      v[i] = evalue_bdd(m, w->exp_by_index(i)->getBddExp(), v);
    }
  std::map<std::string, bool> r;
  for (auto const& [n, texte] : f.equations) r[n] = v[m.Index_var_by_name(n)];
  return r;
}

// The broken forest evaluated in earliest_sort order agrees with the
// original one under every input.
void verifie_valeurs(forme const& f, Bddexpressionwood& w,
                     std::vector<std::string> const& entrees) {
  bddpp_manager& m = *w.Manager();
  for (unsigned a = 0; a < (1u << entrees.size()); ++a) {
    std::map<std::string, bool> e;
    valeurs v(m.nbr_variables(), false);
    for (size_t j = 0; j < entrees.size(); ++j) {
      e[entrees[j]] = (a >> j) & 1u;
      v[m.Index_var_by_name(entrees[j])] = e[entrees[j]];
    }
    for (long i : w.earliest_sort()) v[i] = evalue_bdd(m, w.exp_by_index(i)->getBddExp(), v);
    for (auto const& [n, b] : solution(f, e))
      EXPECT_EQ(v[m.Index_var_by_name(n)], b) << f.nom << " " << n << " " << a;
  }
}

TEST(Dates, ForestsWithoutLoops) {
  struct cas {
    forme f;
    std::vector<std::string> earliest, latest;
    std::map<std::string, long> early, late;
  } const table[] = {
      {{"chain", {"a", "A", "B", "C"}, {{"A", "a"}, {"B", "A"}, {"C", "B and a"}}},
       {"A", "B", "C"},
       {"A", "B", "C"},
       {{"A", 1}, {"B", 2}, {"C", 3}},
       {{"a", 3}, {"A", 2}, {"B", 1}, {"C", 0}}},
      {{"diamond",
        {"a", "D", "C", "B", "A"},
        {{"A", "a"}, {"B", "A"}, {"C", "not A"}, {"D", "B and C"}}},
       {"A", "C", "B", "D"},
       {"A", "C", "B", "D"},
       {{"A", 1}, {"B", 2}, {"C", 2}, {"D", 3}},
       {{"A", 2}, {"B", 1}, {"C", 1}, {"D", 0}}},
      // An equation that reads nothing keeps date 0 and comes first.
      {{"constant", {"a", "A", "K"}, {{"A", "a and K"}, {"K", "1"}}},
       {"K", "A"},
       {"K", "A"},
       {{"A", 1}, {"K", 0}},
       {{"A", 0}, {"K", 1}, {"a", 1}}},
  };
  for (auto const& c : table) {
    auto w = construit(c.f);
    bddpp_manager& m = *w->Manager();
    w->compute_dates();
    EXPECT_EQ(noms_de(m, w->earliest_sort()), c.earliest) << c.f.nom;
    EXPECT_EQ(noms_de(m, w->latest_sort()), c.latest) << c.f.nom;
    for (auto const& [n, d] : c.early)
      EXPECT_EQ(w->exp_by_name(n)->getEarlyDate(), d) << c.f.nom << " " << n;
    for (auto const& [n, d] : c.late)
      EXPECT_EQ(w->Late_date(m.Index_var_by_name(n)), d) << c.f.nom << " " << n;
    EXPECT_TRUE(w->loop_detection().empty()) << c.f.nom;
    EXPECT_EQ(w->exp_outside_sort(), -1) << c.f.nom;
    long niveaux = w->compute_dates();  // the second call changes nothing
    int ok = -1;
    EXPECT_TRUE(w->loop_breaking({0}, ok).empty()) << c.f.nom;
    EXPECT_EQ(ok, 1) << c.f.nom;
    EXPECT_EQ(w->compute_dates(), niveaux) << c.f.nom;
  }
}

// An equation dated beyond the levels would be left out of the order that
// every writer follows: make_sortable checks for it.
TEST(Dates, EquationOutsideTheLevels) {
  auto w = foret({"a", "A", "B"});
  equation(*w, "A", "a");
  Bddexpression* b = equation(*w, "B", "A");
  w->compute_dates();
  b->setEarlyDate(9);
  EXPECT_EQ(noms_de(*w->Manager(), w->earliest_sort()), std::vector<std::string>{"A"});
  EXPECT_EQ(w->exp_outside_sort(), 2);
}

// a is the input that loop breaking may cut, read by the looped equations.
TEST(Dates, LoopBreaking) {
  struct cas {
    forme f;
    std::vector<std::string> candidates;
    int ok;
    std::vector<std::string> crees;
  } const table[] = {
      {{"self-loop", {"a", "A"}, {{"A", "a and A"}}}, {"a"}, 0, {"A_a", "A_nota"}},
      {{"two-cycle cut on a", {"a", "A", "B"}, {{"A", "a and B"}, {"B", "not a and A"}}},
       {"a"},
       1,
       {"A_a", "A_nota", "B_a", "B_nota"}},
      {{"loop through locals only", {"a", "A", "B"}, {{"A", "B"}, {"B", "A"}}}, {"a"}, 0, {}},
      {{"an input that is no candidate", {"a", "A", "B"}, {{"A", "a and B"}, {"B", "not a and A"}}},
       {},
       0,
       {}},
      {{"lowest index on a tie",
        {"b", "a", "A", "B"},
        {{"A", "a and b and B"}, {"B", "not a and not b and A"}}},
       {"a", "b"},
       1,
       {"A_b", "A_notb", "B_b", "B_notb"}},
      // The loop reads a twice as often as b.
      {{"most read",
        {"b", "a", "A", "B", "C"},
        {{"A", "a and B"}, {"B", "not a and C"}, {"C", "b and A or a"}}},
       {"a", "b"},
       1,
       {"A_a", "A_nota", "B_a", "B_nota", "C_a", "C_nota"}},
      // A downstream reader of a loop is expanded with it.
      {{"reader of a loop",
        {"a", "A", "B", "C"},
        {{"A", "a and B"}, {"B", "not a and A"}, {"C", "A or B"}}},
       {"a"},
       1,
       {"A_a", "A_nota", "B_a", "B_nota", "C_a", "C_nota"}},
  };
  for (auto const& c : table) {
    auto w = construit(c.f);
    bddpp_manager& m = *w->Manager();
    std::set<long> candidates;
    for (auto const& n : c.candidates) candidates.insert(m.Index_var_by_name(n));
    EXPECT_FALSE(w->loop_detection().empty()) << c.f.nom;
    int ok = -1;
    std::set<long> crees = w->loop_breaking(candidates, ok);
    EXPECT_EQ(ok, c.ok) << c.f.nom;
    EXPECT_EQ(noms_de(m, crees), c.crees) << c.f.nom;
    EXPECT_EQ(w->loop_detection().empty(), c.ok == 1) << c.f.nom;
    if (c.ok) verifie_valeurs(c.f, *w, c.candidates);
  }
}

// Cutting A = a.B, B = !a.A on a: A becomes "if a then A_a else A_nota",
// and the copy for a true reads the copy of B for a true.
TEST(Dates, ShannonCopiesReadTheirOwnCopies) {
  auto w = foret({"a", "A", "B"});
  equation(*w, "A", "a and B");
  equation(*w, "B", "not a and A");
  int ok = 0;
  w->loop_breaking({0}, ok);
  bddpp_manager& m = *w->Manager();
  auto var = [&](const char* n) { return m.Bdd_var_by_name(n); };
  EXPECT_EQ(w->exp_by_name("A")->getBddExp(), m.Bdd_ite(var("a"), var("A_a"), var("A_nota")));
  EXPECT_EQ(w->exp_by_name("B")->getBddExp(), m.Bdd_ite(var("a"), var("B_a"), var("B_nota")));
  EXPECT_EQ(w->exp_by_name("A_a")->getBddExp(), var("B_a"));
  EXPECT_EQ(w->exp_by_name("A_nota")->getBddExp(), m.Bdd_zero());
  EXPECT_EQ(w->exp_by_name("B_a")->getBddExp(), m.Bdd_zero());
  EXPECT_EQ(w->exp_by_name("B_nota")->getBddExp(), var("A_nota"));
  // Shannon_expand refuses what it cannot expand.
  long p = 0, n = 0;
  w->exp_by_name("A")->Shannon_expand(99, p, n);
  EXPECT_EQ(p, -3);
  EXPECT_EQ(n, -3);
}

// Names that loop breaking makes may already exist: inputs named like
// them, or the copies of an earlier cut (A expanded on b, then on notb,
// would make A_notb twice). The new variables always get new names.
TEST(Dates, CreatedNamesAreNew) {
  struct cas {
    forme f;
    std::vector<std::string> entrees;
    std::vector<std::string> crees;
  } const table[] = {
      {{"an input named like a copy",
        {"a", "A_a", "A", "B"},
        {{"A", "a and B or A_a"}, {"B", "not a and A"}}},
       {"a", "A_a"},
       {"A_a_1", "A_nota", "B_a", "B_nota"}},
      {{"inputs b and notb",
        {"b", "notb", "c", "d", "A", "B"},
        {{"A", "b and notb and B or c"}, {"B", "b and A and not notb or d"}}},
       {"b", "notb", "c", "d"},
       {"A_b", "A_notb", "B_b", "B_notb", "A_notb_1", "A_notnotb", "B_notb_1", "B_notnotb",
        "A_b_notb", "A_b_notnotb", "B_b_notb", "B_b_notnotb"}},
  };
  for (auto const& c : table) {
    auto w = construit(c.f);
    bddpp_manager& m = *w->Manager();
    std::set<long> candidates;
    for (auto const& n : c.entrees) candidates.insert(m.Index_var_by_name(n));
    int ok = 0;
    std::set<long> crees = w->loop_breaking(candidates, ok);
    ASSERT_EQ(ok, 1) << c.f.nom;
    EXPECT_EQ(noms_de(m, crees), c.crees) << c.f.nom;
    for (auto const& n : c.entrees)
      EXPECT_EQ(w->exp_by_index(m.Index_var_by_name(n)), nullptr) << c.f.nom << " " << n;
    for (long i : crees) EXPECT_NE(w->exp_by_index(i), nullptr) << c.f.nom;
    verifie_valeurs(c.f, *w, c.entrees);
  }
}

// A loop far longer than a thread's stack would allow one frame per date:
// the dates climb around it twice.
TEST(Dates, LongLoop) {
  const long n = 100000;
  std::vector<std::string> noms{"a"};
  for (long i = 0; i < n; ++i) noms.push_back("v" + std::to_string(i));
  auto w = foret(noms);
  bddpp_manager& m = *w->Manager();
  new Bddexpression(w.get(), m.Bdd_var_by_index(1),
                    m.Bdd_and(m.Bdd_var_by_index(0), m.Bdd_var_by_index(n)), 0, 0);
  for (long i = 1; i < n; ++i)
    new Bddexpression(w.get(), m.Bdd_var_by_index(i + 1), m.Bdd_var_by_index(i), 0, 0);
  EXPECT_EQ(w->loop_detection().size(), static_cast<size_t>(n));
  EXPECT_GT(w->compute_dates(), 2 * (n + 1));
}

}  // namespace
