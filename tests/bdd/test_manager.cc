// Handles, nodes, variables, look-ups and the node constructor.
#include <gtest/gtest.h>

#include <sstream>

#include "bdd_oracle.h"
#include "bddpp.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

TEST(BddManager, NewManagerHasOnlyTheConstant) {
  bddpp_manager m;
  EXPECT_EQ(m.Bdd_total_size(), 2);
  EXPECT_EQ(m.nbr_variables(), 0);
  bdd t = m.Bdd_one(), f = m.Bdd_zero();
  EXPECT_EQ(t.node(), f.node());
  EXPECT_EQ(t.link_type(), 1);
  EXPECT_EQ(f.link_type(), -1);
  EXPECT_NE(t, f);
  EXPECT_EQ(t.node()->global_id, 1);
  EXPECT_EQ(t.node()->signature(), -1);
  EXPECT_EQ(m.Bdd_is_tautology(t), 1);
  EXPECT_EQ(m.Bdd_is_tautology(f), 1);
  EXPECT_EQ(m.Bdd_is_tautology(f, 0), 1);
  EXPECT_EQ(m.Bdd_is_tautology(t, 0), 0);
  EXPECT_EQ(m.Bdd_is_tautology(t, 1), 1);
  EXPECT_EQ(Bdd_version(), "4.7");
  EXPECT_EQ(m.Bdd_version(), "4.7");
}

TEST(BddManager, VariablesGetIdIndexAndGlobalIdInCreationOrder) {
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 20);  // past the first doubling of the tables
  EXPECT_EQ(m.Bdd_total_size(), 22);
  for (int k = 0; k < 20; ++k) {
    std::string name = "v" + std::to_string(k);
    EXPECT_EQ(m.Id_var_by_name(name), k);
    EXPECT_EQ(m.Index_var_by_name(name), k);
    EXPECT_EQ(m.Name_var_by_id(k), name);
    EXPECT_EQ(m.Name_var_by_index(k), name);
    EXPECT_EQ(v[k].node()->global_id, k + 2);
    EXPECT_EQ(m.Bdd_var_by_index(k), v[k]);
    EXPECT_EQ(m.Bdd_var_by_name(name), v[k]);
    bdd_node* n = v[k].node();
    EXPECT_EQ(n->then_node, m.Bdd_node_one());
    EXPECT_EQ(n->else_node, m.Bdd_node_one());
    EXPECT_EQ(n->else_link, -1);
    EXPECT_EQ(n->signature(), (int64_t{k} << 41) + (int64_t{1} << 21) + 2);
  }
  // The same name again is the same variable, and nothing is created.
  EXPECT_EQ(m.New_var_last("v3"), v[3]);
  EXPECT_EQ(m.Bdd_total_size(), 22);
  EXPECT_EQ(m.nbr_variables(), 20);
}

TEST(BddManager, OutOfRangeLookupsWriteTheirLineAndGiveTheNeutralValue) {
  bddpp_manager m;
  make_vars(m, 2);
  struct lookup_case {
    std::function<void()> call;
    std::string message;
  };
  bdd r;
  std::string name;
  std::vector<lookup_case> cases = {
      {[&] { r = m.Bdd_var_by_index(2); }, "calling bddpp_manager::Bdd_var_by_index() with index= 2 :out of range!\n"},
      {[&] { r = m.Bdd_var_by_id(2); }, "calling bddpp_manager::Bdd_var_by_id() with id= 2 :out of range!\n"},
      {[&] { name = m.Name_var_by_id(-1); }, "calling bddpp_manager::Name_var_by_id() with id= -1 :out of range!\n"},
      {[&] { name = m.Name_var_by_index(7); },
       "calling bddpp_manager::Name_var_by_index() with index= 7 :out of range!\n"},
      {[&] { r = m.Bdd_if(m.Bdd_one()); }, "\ncalling bddpp_manager::Bdd_if() with bdd index= -1 :out of range!\n"},
  };
  for (auto const& c : cases) {
    CaptureStderr();
    c.call();
    EXPECT_EQ(GetCapturedStderr(), c.message);
  }
  CaptureStderr();
  EXPECT_EQ(m.Bdd_var_by_index(2), bdd());
  EXPECT_EQ(m.Bdd_var_by_id(2), m.Bdd_zero());
  EXPECT_EQ(m.Name_var_by_id(5), "?");
  EXPECT_EQ(m.Name_var_by_index(-2), "?");
  EXPECT_EQ(m.Bdd_if(m.Bdd_zero()), m.Bdd_zero());
  GetCapturedStderr();
  // Silent cases.
  CaptureStderr();
  EXPECT_EQ(m.Bdd_var_by_index(-1), m.Bdd_one());
  EXPECT_EQ(m.Bdd_var_by_name("nope"), m.Bdd_zero());
  EXPECT_EQ(m.Id_var_by_name("nope"), -1);
  EXPECT_EQ(m.Index_var_by_name("nope"), -1);
  EXPECT_EQ(GetCapturedStderr(), "");
}

TEST(BddManager, TopVariableQueries) {
  bddpp_manager m, other;
  std::vector<bdd> v = make_vars(m, 3);
  make_vars(other, 3);
  bdd f = m.Bdd_and(v[1], v[2]);
  EXPECT_EQ(m.Name_var_by_bdd(f), "v1");
  EXPECT_EQ(m.Name_var_by_bdd(m.Bdd_one()), "1");
  EXPECT_EQ(m.Name_var_by_bdd(m.Bdd_zero()), "0");
  EXPECT_EQ(m.Bdd_if_id(f), 1);
  EXPECT_EQ(m.Bdd_if_index(m.Bdd_one()), -1);
  EXPECT_EQ(m.Bdd_if(m.Bdd_not(f)), v[1]);
  // Bdd_if maps by position into another manager of the same order.
  bdd g = other.Bdd_if(f);
  EXPECT_EQ(g.manager_ref(), &other);
  EXPECT_EQ(other.Name_var_by_bdd(g), "v1");
  CaptureStderr();
  EXPECT_EQ(other.Bdd_if_index(f), -3);
  EXPECT_EQ(m.Bdd_if_id(bdd()), -3);
  EXPECT_EQ(GetCapturedStderr(),
            "Error in bddpp_manager::Bdd_if_index(): bad Bdd manager or bdd not initialized!\n"
            "Error in bddpp_manager::Bdd_if_id(): bad Bdd manager or bdd not initialized!\n");
}

TEST(BddManager, StructureTestsAndEmptyHandles) {
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 2);
  bdd x = v[0], nx = m.Bdd_not(v[0]), f = m.Bdd_and(v[0], v[1]);
  EXPECT_EQ(m.Bdd_is_var(x), 1);
  EXPECT_EQ(m.Bdd_is_negvar(x), 0);
  EXPECT_EQ(m.Bdd_is_var(nx), 0);
  EXPECT_EQ(m.Bdd_is_negvar(nx), 1);
  EXPECT_EQ(m.Bdd_is_var(f), 0);
  EXPECT_EQ(m.Bdd_is_var(m.Bdd_one()), 0);
  EXPECT_EQ(m.Bdd_then(f), v[1]);
  EXPECT_EQ(m.Bdd_else(f), m.Bdd_zero());
  EXPECT_EQ(m.Bdd_else(m.Bdd_not(f)), m.Bdd_one());
  bdd empty;
  EXPECT_EQ(m.Bdd_is_var(empty), 0);
  EXPECT_EQ(m.Bdd_is_negvar(empty), 0);
  EXPECT_EQ(m.Bdd_is_tautology(empty), 0);
  EXPECT_EQ(m.Bdd_is_tautology(empty, 0), 0);
  EXPECT_EQ(m.Bdd_is_tautology(empty, 1), 0);
  EXPECT_EQ(m.Bdd_is_cube(empty), 0);
}

TEST(BddManager, HandlesCountReferences) {
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 2);
  bdd f = m.Bdd_and(v[0], v[1]);
  bdd_node* n = f.node();
  EXPECT_EQ(n->refs, 1);
  {
    bdd g = f;
    EXPECT_EQ(n->refs, 2);
    g = f;  // the same node: nothing moves
    EXPECT_EQ(n->refs, 2);
    g = g;
    EXPECT_EQ(n->refs, 2);
    bdd h = m.Bdd_not(f);  // the same node, the other link type
    EXPECT_EQ(n->refs, 3);
    g = v[0];
    EXPECT_EQ(n->refs, 2);
  }
  EXPECT_EQ(n->refs, 1);
  std::ostringstream os;
  os << bdd();
  EXPECT_NE(os.str().find(", link type =0, adr node= "), std::string::npos);
  EXPECT_EQ(os.str().find("node signature"), std::string::npos);
  std::ostringstream os2;
  os2 << f;
  EXPECT_NE(os2.str().find(", link type =1, adr node= "), std::string::npos);
  EXPECT_NE(os2.str().find(", node signature: " + std::to_string(n->signature())), std::string::npos);
}

TEST(BddManager, FindOrCreateNode) {
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 3);
  bdd_node* one = m.Bdd_node_one();
  struct constant_case {
    int then_link, else_link, link_in;
    bool constant;
    int link_out;
  };
  for (auto c : std::vector<constant_case>{{1, 1, 1, true, 1},
                                           {-1, -1, 1, true, -1},
                                           {1, -1, 1, false, 1},
                                           {-1, 1, 1, false, -1},
                                           {-1, 1, -1, false, 1}}) {
    int link = c.link_in;
    bdd_node* n = m.Find_or_create_bdd_node(1, c.then_link, c.else_link, one, one, link);
    EXPECT_EQ(n, c.constant ? one : v[1].node());
    EXPECT_EQ(link, c.link_out);
  }
  int link = 1;
  EXPECT_EQ(m.Find_or_create_bdd_node(-1, -1, 1, v[2].node(), one, link), one);
  EXPECT_EQ(link, -1);
  EXPECT_EQ(m.Bdd_total_size(), 5);
  link = 1;
  bdd_node* a = m.Find_or_create_bdd_node(0, -1, 1, v[2].node(), one, link);
  EXPECT_EQ(link, -1);
  EXPECT_EQ(a->else_link, -1);
  EXPECT_EQ(a->global_id, 5);
  EXPECT_EQ(v[2].node()->refs, 2);  // the handle and the new parent
  link = 1;
  EXPECT_EQ(m.Find_or_create_bdd_node(0, -1, 1, v[2].node(), one, link), a);
  EXPECT_EQ(m.Bdd_total_size(), 6);
  EXPECT_EQ(v[2].node()->refs, 2);  // found again: no new child reference
}
