// Support sets, marks and numbering, the failure dumps and the explicit
// garbage collection.
#include <gtest/gtest.h>

#include <sstream>

#include "bdd_oracle.h"
#include "bddpp.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

std::string stats_of(bddpp_manager& m) {
  std::ostringstream os;
  m.Bdd_stats(os);
  return os.str();
}

// The value after `label` on its line of the statistics.
std::string stats_value(bddpp_manager& m, std::string const& label) {
  std::string s = stats_of(m);
  size_t at = s.find(label);
  if (at == std::string::npos) return "<missing>";
  at += label.size();
  return s.substr(at, s.find('\n', at) - at);
}

}  // namespace

TEST(BddSupport, SupportSetsFollowIdsAndIgnoreLinkTypes) {
  bddpp_manager m, other;
  std::vector<bdd> v = make_vars(m, 4);
  bdd f = m.Bdd_or(m.Bdd_and(v[0], v[2]), m.Bdd_not(v[3]));
  EXPECT_EQ(m.set_of_id_depend_on(f), (std::set<long>{0, 2, 3}));
  EXPECT_EQ(m.set_of_index_depend_on(m.Bdd_not(f)), (std::set<long>{0, 2, 3}));
  EXPECT_TRUE(m.set_of_id_depend_on(m.Bdd_one()).empty());
  int present[4] = {9, 9, 9, 9};
  m.Present_variables(f, present);
  EXPECT_EQ(std::vector<int>(present, present + 4), (std::vector<int>{1, 0, 1, 1}));
  EXPECT_EQ(m.Bdd_depends_on(f, v[2]), 1);
  EXPECT_EQ(m.Bdd_depends_on(f, m.Bdd_not(v[2])), 1);
  EXPECT_EQ(m.Bdd_depends_on(f, v[1]), 0);
  EXPECT_EQ(m.Bdd_depends_on(m.Bdd_one(), m.Bdd_zero()), 1);
  EXPECT_EQ(m.Bdd_depends_on(m.Bdd_one(), v[0]), 0);
  EXPECT_EQ(m.Variable_awaited(f, 3), 1);
  EXPECT_EQ(m.Variable_awaited(f, 1), 0);
  EXPECT_EQ(m.Variable_awaited(f, 4), 0);
  EXPECT_EQ(m.exists_common_variables(f, m.Bdd_and(v[1], v[3])), 1);
  EXPECT_EQ(m.exists_common_variables(f, v[1]), 0);
  bdd g = other.New_var_last("v0");
  CaptureStderr();
  EXPECT_TRUE(m.set_of_id_depend_on(g).empty());
  EXPECT_EQ(m.Bdd_depends_on(g, v[0]), 0);
  EXPECT_EQ(GetCapturedStderr(),
            "Warning: call  bddpp_manager::set_of_index_depend_on() with a bad manager\n"
            "Error in bddpp_manager::Bdd_node_depends_on():  bad Bdd manager or bdd(s) not initialized!\n");
}

TEST(BddSupport, NumberingMarksEachNodeOnce) {
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 3);
  EXPECT_EQ(m.Bdd_size(v[1]), 2);
  EXPECT_EQ(v[1].node()->print_id, 0);
  EXPECT_EQ(m.Bdd_node_one()->print_id, 1);
  bdd f = m.Bdd_xor(m.Bdd_xor(v[0], v[1]), v[2]);  // shared else/then below
  EXPECT_EQ(m.Bdd_size(f), 4);
  EXPECT_EQ(m.Bdd_size(f), 4);  // the size clears the marks it relies on
  EXPECT_EQ(m.Bdd_incremental_id(f.node(), 0), 0);  // all marked now
  m.Bdd_clear_marks(f);
  EXPECT_EQ(f.node()->mark, 0);
  EXPECT_EQ(m.Bdd_incremental_id(f.node(), 10), 14);
  m.Bdd_global_clear_marks();
  EXPECT_EQ(f.node()->mark, 0);
  EXPECT_EQ(m.Bdd_node_one()->mark, 0);
  CaptureStderr();
  EXPECT_EQ(m.Bdd_incremental_id(nullptr, 7), 7);
  EXPECT_EQ(m.Bdd_is_correct(bdd()), 0);
  EXPECT_EQ(GetCapturedStderr(),
            "Warning: call bddpp_manager::Bdd_incremental_id() with null reference!\n"
            "Warning: call  bddpp_manager::Bdd_is_correct() with a null reference!\n");
  EXPECT_EQ(m.Bdd_is_correct(f), 1);
  bdd_node loose;
  EXPECT_EQ(loose.is_correct(), 0);
}

TEST(BddSupport, DecisionTreeDump) {
  bddpp_manager m;
  bdd a = m.New_var_last("a"), b = m.New_var_last("b");
  struct dump_case {
    bdd f;
    std::string text;
  };
  bdd shared = m.Bdd_xor(a, b);
  std::vector<dump_case> cases = {
      {a, "a (node: 0,index: 0)\n"},
      {m.Bdd_not(a), "not(\n     a (node: 0,index: 0)\n   )\n"},
      {m.Bdd_and(a, b),
       "if a (node: 0,index: 0)\n  b (node: 1,index: 1)\nelse (not a)\n  not(\n      1 (node: 2,index: -1)\n     )\n"},
      {m.Bdd_xor(m.Bdd_and(a, b), m.Bdd_or(a, b)),
       "not(\n     if a (node: 0,index: 0)\n       b (node: 1,index: 1)\n     else (not a)\n       not(\n"
       "           b (node: 1,index: 1)\n          )\n   )\n"},
  };
  for (auto const& c : cases) {
    std::ostringstream os;
    m.Print_bdd_structure(os, c.f);
    EXPECT_EQ(os.str(), c.text);
  }
  // A shared inner node is written once, then named.
  bddpp_manager m3;
  std::vector<bdd> v = make_vars(m3, 3);
  bdd inner = m3.Bdd_and(v[1], v[2]);
  bdd g = m3.Bdd_xor(v[0], inner);
  std::ostringstream os;
  m3.Print_bdd_structure(os, g);
  EXPECT_NE(os.str().find("already found node: "), std::string::npos);
}

TEST(BddSupport, StatisticsOfAManager) {
  bddpp_manager empty;
  std::string s = stats_of(empty);
  EXPECT_NE(s.find("bdd constant number: 1\n-: 1 --> -1\nbdd variables number: 0\n\nMap:\n"
                   "global id: sign = var_index then_node else_node else_link_type (refs number)\n"
                   "Finaly:\nMap Nodes number: 0 --> useless: 0\nGlobal references number: 0\n"
                   "number of garbage collector calls: 0\n----------------------------------------------\n"),
            std::string::npos);
  EXPECT_EQ(s.rfind("BDD MANAGER statistics:\nmemory adress: ", 0), 0u);
  EXPECT_NE(s.find(" Version: 4.7\n"), std::string::npos);

  bddpp_manager m;
  bdd x = m.New_var_last("x"), y = m.New_var_last("y");
  bdd f = m.Bdd_and(x, y);
  s = stats_of(m);
  EXPECT_NE(s.find("Index (Id): name --> signature\n0(0): x --> 2097154\n1(1): y --> 2199025352706\n\n"),
            std::string::npos);
  // In signature order: x, then x and y (same variable, larger children),
  // then y.
  std::string entries =
      "2: 2097154 = 0 1 1 inverse (1)\nx (node: 2,index: 0)\n-------------------------------------------\n"
      "4: 6291458 = 0 3 1 inverse (1)\nif x (node: 4,index: 0)\n  y (node: 3,index: 1)\nelse (not x)\n"
      "  not(\n      1 (node: 1,index: -1)\n     )\n-------------------------------------------\n"
      "3: 2199025352706 = 1 1 1 inverse (2)\ny (node: 3,index: 1)\n-------------------------------------------\n"
      "Finaly:\nMap Nodes number: 3 --> useless: 0\nGlobal references number: 4\n";
  EXPECT_NE(s.find(entries), std::string::npos) << s;
}

TEST(BddGc, UnreferencedNodesAreReusedUntilCollected) {
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 3);
  int32_t first;
  {
    bdd f = m.Bdd_and(v[0], v[1]);
    first = f.node()->global_id;
  }
  EXPECT_EQ(first, 5);
  bdd again = m.Bdd_and(v[0], v[1]);  // count 0, still in the table
  EXPECT_EQ(again.node()->global_id, first);
  EXPECT_EQ(m.Bdd_total_size(), 6);
  again = bdd();
  m.Bdd_gc();
  bdd after = m.Bdd_and(v[0], v[1]);
  EXPECT_EQ(after.node()->global_id, 6);
  EXPECT_EQ(m.Bdd_total_size(), 7);
}

TEST(BddGc, CollectionReachesTheFixpointAndKeepsLiveFunctions) {
  bddpp_manager m;
  bdd_node* var_nodes[4];
  {
    std::vector<bdd> v = make_vars(m, 4);
    for (int i = 0; i < 4; ++i) var_nodes[i] = v[i].node();
  }
  bdd keep;
  {
    std::vector<bdd> v;
    for (int i = 0; i < 4; ++i) v.push_back(m.Bdd_var_by_index(i));
    bdd chain = m.Bdd_or(m.Bdd_and(v[0], m.Bdd_xor(v[1], v[2])), v[3]);
    keep = m.Bdd_and(v[2], v[3]);
  }
  int32_t counter = m.Bdd_total_size();
  m.Bdd_gc();
  EXPECT_EQ(stats_value(m, "Map Nodes number: "), "5 --> useless: 3");  // 4 variables and keep; v0 to v2 unreferenced
  EXPECT_EQ(m.Bdd_total_size(), counter);  // the counter never goes down
  for (int i = 0; i < 4; ++i) EXPECT_EQ(m.Bdd_var_by_index(i).node(), var_nodes[i]);
  EXPECT_EQ(m.Bdd_node_one()->global_id, 1);
  EXPECT_EQ(table_of(m, keep, 4), table_of(4, [](uint64_t a) { return bit(a, 2) && bit(a, 3); }));
  keep = bdd();
  m.Bdd_gc();
  m.Bdd_gc();
  EXPECT_EQ(stats_value(m, "Map Nodes number: "), "4 --> useless: 4");
  EXPECT_EQ(stats_value(m, "number of garbage collector calls: "), "3");
}

// The front end asks for a reordering after the collection and logs the
// counter: the request writes its line and changes neither.
TEST(BddGc, ReorderingOnlyWritesItsLine) {
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 3);
  bdd f = m.Bdd_or(m.Bdd_and(v[0], v[2]), v[1]);
  int32_t counter = m.Bdd_total_size();
  CaptureStderr();
  m.Bdd_var_reorder();
  EXPECT_EQ(GetCapturedStderr(), "bddpp_manager::Bdd_var_reorder(void) A FAIRE\n");
  EXPECT_EQ(m.Bdd_total_size(), counter);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(m.Index_var_by_name("v" + std::to_string(i)), i);
  EXPECT_EQ(m.Bdd_or(m.Bdd_and(v[0], v[2]), v[1]), f);
  EXPECT_EQ(m.Bdd_total_size(), counter);
}

// The printed signature keeps 20 bits per child: past 2^20 creations two
// live nodes share one, and the unique table must still tell them apart.
TEST(BddGc, NodesWhoseSignaturesAliasStayDistinct) {
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 40);
  bdd a = m.Bdd_and(v[1], v[2]);  // v1, then v2 (global id 4), else false
  const int32_t target = (1 << 20) + 4;
  while (m.Bdd_total_size() < target - 1000) {
    bdd chain = m.Bdd_one();
    for (int i = 3; i < 40; ++i) chain = m.Bdd_and(chain, v[i]);
    chain = bdd();
    m.Bdd_gc();
  }
  while (m.Bdd_total_size() < target) {
    m.Bdd_and(v[5], v[6]);
    m.Bdd_gc();
  }
  bdd t = m.Bdd_and(v[2], v[3]);
  ASSERT_EQ(t.node()->global_id, target);
  bdd b = m.Bdd_and(v[0], t);  // v0, then global id 2^20 + 4, else false
  EXPECT_EQ(b.node()->signature(), a.node()->signature());
  EXPECT_NE(b.node(), a.node());
  EXPECT_EQ(m.Name_var_by_bdd(b), "v0");
  EXPECT_EQ(table_of(m, b, 4), table_of(4, [](uint64_t x) { return bit(x, 0) && bit(x, 2) && bit(x, 3); }));
  EXPECT_EQ(table_of(m, a, 4), table_of(4, [](uint64_t x) { return bit(x, 1) && bit(x, 2); }));
  m.Bdd_gc();
  EXPECT_EQ(m.Bdd_and(v[1], v[2]), a);
}
