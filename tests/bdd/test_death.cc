// The engine's internal errors end the process with status 1 after their
// message.
#include <gtest/gtest.h>

#include <iostream>

#include "bdd_oracle.h"
#include "bddpp.h"

using testing::ExitedWithCode;

namespace {

struct fatal_case {
  std::string what;
  std::function<void(bddpp_manager&, std::vector<bdd>&)> call;
  std::string message;  // a regular expression
};

// The conjunction (or the disjunction, of its negation) of u and a broken
// node: variable v2 over two edges to v0, which sits above it in the order.
// Both halves meet in a node of v0, above both operands.
std::function<void(bddpp_manager&, std::vector<bdd>&)> above_its_operands(bool conjunction) {
  return [conjunction](bddpp_manager& m, std::vector<bdd>& v) {
    bdd u = m.New_var_last("u");
    bdd_node broken;
    broken.manager = &m;
    broken.id = 2;
    broken.then_node = broken.else_node = v[0].node();
    int link = 1;
    if (conjunction)
      m.Bdd_and(1, &broken, 1, u.node(), link);
    else
      m.Bdd_or(-1, &broken, 1, u.node(), link);
  };
}

// The signature of a node whose then (or else) child has a negative id.
std::function<void(bddpp_manager&, std::vector<bdd>&)> bad_child(bool then_child) {
  return [then_child](bddpp_manager&, std::vector<bdd>& v) {
    bdd_node bad;
    bad.global_id = -1;
    if (then_child)
      bdd_node_signature(0, 1, &bad, v[1].node());
    else
      bdd_node_signature(0, 1, v[1].node(), &bad);
  };
}

}  // namespace

TEST(BddDeathTest, InternalErrorsEndWithStatusOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  std::vector<fatal_case> cases = {
      {"then of a constant", [](bddpp_manager& m, std::vector<bdd>&) { m.Bdd_then(m.Bdd_one()); },
       "ERROR in Bdd_then\\(\\): calling with a tautologic function!"},
      {"else of a constant", [](bddpp_manager& m, std::vector<bdd>&) { m.Bdd_else(m.Bdd_zero()); },
       "ERROR in Bdd_else\\(\\): calling with a tautologic function!"},
      {"and of an empty handle", [](bddpp_manager& m, std::vector<bdd>& v) { m.Bdd_and(v[0], bdd()); },
       "ERROR: call bddpp_manager::Bdd_and\\(\\) with null reference\nBdd_and\\(0x[0-9a-f]+,0\\)"},
      {"or of an empty handle", [](bddpp_manager& m, std::vector<bdd>& v) { m.Bdd_or(bdd(), v[0]); },
       "ERROR: call bddpp_manager::Bdd_or\\(\\) with null reference"},
      {"ite on an abnormal index", [](bddpp_manager& m, std::vector<bdd>& v) { m.Bdd_ite(1, 9, v[0], v[1]); },
       "ERROR: abnormal index in bddpp_manager::Bdd_ite\\(\\)\nERROR: call bddpp_manager::Bdd_and\\(\\)"},
      {"node above its then child",
       [](bddpp_manager& m, std::vector<bdd>& v) {
         int link = 1;
         m.Find_or_create_bdd_node(1, 1, 1, v[0].node(), v[2].node(), link);
       },
       "FATAL ERROR: Bad call of bddpp_manager::Find_or_create_bdd_node\\(\\):\n  index 1 is not less than  its "
       "then node index \\(0\\)"},
      {"node above its else child",
       [](bddpp_manager& m, std::vector<bdd>& v) {
         int link = 1;
         m.Find_or_create_bdd_node(2, 1, 1, m.Bdd_node_one(), v[2].node(), link);
       },
       "  index 2 is not less than  its else node index \\(2\\)"},
      {"node index beyond the variables",
       [](bddpp_manager& m, std::vector<bdd>& v) {
         int link = 1;
         m.Find_or_create_bdd_node(3, 1, 1, m.Bdd_node_one(), v[2].node(), link);
       },
       "FATAL ERROR: Bad call of bddpp_manager::Find_or_create_bdd_node\\(\\):\n  index 3 is out of range"},
      {"negative node index",
       [](bddpp_manager& m, std::vector<bdd>& v) {
         int link = 1;
         m.Find_or_create_bdd_node(-3, 1, 1, m.Bdd_node_one(), v[2].node(), link);
       },
       "  index -3 is out of range"},
      {"name of another manager's function",
       [](bddpp_manager& m, std::vector<bdd>&) {
         static bddpp_manager other;
         bdd o = other.New_var_last("o");
         m.Name_var_by_bdd(o);
       },
       "Error in bddpp_manager::Bdd_if_id\\(\\): bad Bdd manager or bdd not initialized!\n"
       "error in bddpp_manager::Name_var_by_bdd\\(\\)\nbdd defined by: adr manager= .*, is not correct ...\n"
       "\\(typebdd = 0\\)"},
      {"signature of a bad else child", bad_child(false),
       "ERROR in bdd_node_signature\\(\\): else node have a bad global id!"},
      {"signature of a bad then child", bad_child(true),
       "ERROR in bdd_node_signature\\(\\): then node have a bad global id!"},
      // A node being made checks its children the same way.
      {"new node over a child with a bad global id",
       [](bddpp_manager& m, std::vector<bdd>& v) {
         static bdd_node bad;
         bad.global_id = -1;
         int link = 1;
         m.Find_or_create_bdd_node(0, 1, 1, v[1].node(), &bad, link);
       },
       "ERROR in bdd_node_signature\\(\\): else node have a bad global id!"},
      // The check writes its line, then the operands, the result and the
      // manager.
      {"conjunction above its operands", above_its_operands(true),
       "INTERNAL ERROR in Bdd_and\\(\\): result has an index \\(0\\) less than the operands \\(2 \\) of x  and "
       "\\(3\\) of y!\n\n\nparam1= \n     if v2 \\(node: 0,index: 2\\)\n.*BE CAREFUL: x is not correct!\n\n"
       "param2=\n     u \\(node: 3,index: 3\\)\nresult=\n     if v0 .*\n\nBDD MANAGER statistics:\n"},
      {"disjunction above its operands", above_its_operands(false),
       "INTERNAL ERROR in Bdd_or\\(\\): result has an index \\(0\\) less than the operands \\(2\\) and \\(3\\)!\n\n\n"
       "param1= NOT\n     if v2 .*param2=\n     u .*result=\n.*BDD MANAGER statistics:\n"},
      {"first path of nothing", [](bddpp_manager& m, std::vector<bdd>&) { m.Bdd_satisfy(bdd()); },
       "ERROR: call bddpp_manager::Bdd_OneSat\\(\\) with null reference"},
      {"literals of true",
       [](bddpp_manager& m, std::vector<bdd>&) {
         int lits[3];
         m.Bdd_to_literals(m.Bdd_one(), lits);
       },
       "ERROR in  bddpp_manager::Bdd_node_to_literals\\(\\) :\nconstant 1 is not a literal ..."},
      {"cofactor of nothing", [](bddpp_manager& m, std::vector<bdd>& v) { m.Bdd_cube_reduce(bdd(), v[0]); },
       "Error in Bdd_cube_reduce\\(\\): bdd has a Null pointer!"},
      {"cofactor by nothing", [](bddpp_manager& m, std::vector<bdd>& v) { m.Bdd_cube_reduce(v[0], bdd()); },
       "Error in Bdd_cube_reduce\\(\\): assertion has a Null pointer!"},
      {"cover of another manager's function",
       [](bddpp_manager& m, std::vector<bdd>&) {
         static bddpp_manager other;
         std::list<bdd> cover;
         m.Bdd_sop(other.New_var_last("o"), cover, 1);
       },
       "ERROR in bddpp_manager::Bdd_sop\\(\\):\n   bdd : adr manager= 0x[0-9a-f]+, link type =1, adr node= 0x[0-9a-f]+, "
       "node signature: 2097154, is not allocated or associated with a bad BDD manager..."},
      {"renaming to a missing position",
       [](bddpp_manager& m, std::vector<bdd>& v) {
         long p[3] = {5, 1, 2};
         m.Bdd_replace_vars(v[0], p);
       },
       "calling bddpp_manager::Bdd_var_by_index\\(\\) with index= 5 :out of range!\n"
       "ERROR: call bddpp_manager::Bdd_and\\(\\) with null reference"},
      {"association with a function that is not a variable",
       [](bddpp_manager& m, std::vector<bdd>& v) {
         m.Bdd_assoc_bdd_to_var(m.Bdd_not(v[2]), m.Bdd_and(v[0], v[1]));
       },
       "error in bddpp_manager::Bdd_assoc_bdd_to_var\\(\\):\n     second parameter is not a var !\n"
       "replace from: v0.v1 by expression: !v2\n"},
      {"association with a negated variable",
       [](bddpp_manager& m, std::vector<bdd>& v) { m.Bdd_assoc_bdd_to_var(m.Bdd_one(), m.Bdd_not(v[0])); },
       "replace from: !v0 by expression: 1\n"},
      {"implicant of another manager's function",
       [](bddpp_manager& m, std::vector<bdd>&) {
         static bddpp_manager other;
         m.Bdd_one_implicant(other.New_var_last("o"));
       },
       "ERROR in bddpp_manager::Bdd_one_implicant\\(\\):\n   bdd : adr manager= 0x[0-9a-f]+, link type =1, adr "
       "node= 0x[0-9a-f]+, node signature: 2097154, is not allocated or associated with a bad BDD manager...\n"},
      {"three-valued value of a node without manager",
       [](bddpp_manager& m, std::vector<bdd>&) {
         bdd_node stray;
         int values[3] = {2, 2, 2};
         m.Bdd_eval_for_literal(bdd(&m, 1, &stray), values);
       },
       "error in bddpp_manager::Bdd_eval\\(\\): unknown bdd type ...\n"},
      {"three-valued value of nothing",
       [](bddpp_manager& m, std::vector<bdd>&) {
         int values[3] = {2, 2, 2};
         m.Bdd_eval_for_literal(bdd(), values);
       },
       "error in bddpp_manager::Bdd_eval\\(\\): unknown bdd type ...\n"},
      {"debug cover of nothing", [](bddpp_manager&, std::vector<bdd>&) { Print_debug_bdd(std::cout, bdd()); },
       "ERROR in bddpp_manager::Bdd_sop\\(\\):\n   bdd : adr manager= 0, link type =0, adr node= 0, , is not "
       "allocated"},
  };
  for (auto const& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EXIT(
        {
          bddpp_manager m;
          std::vector<bdd> v = make_vars(m, 3);
          c.call(m, v);
        },
        ExitedWithCode(1), c.message);
  }
}
