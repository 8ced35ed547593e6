// The engine's internal errors end the process with status 1 after their
// message.
#include <gtest/gtest.h>

#include "bdd_oracle.h"
#include "bddpp.h"

using testing::ExitedWithCode;

namespace {

struct fatal_case {
  std::string what;
  std::function<void(bddpp_manager&, std::vector<bdd>&)> call;
  std::string message;  // a regular expression
};

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
      {"signature of a bad child",
       [](bddpp_manager&, std::vector<bdd>& v) {
         bdd_node bad;
         bad.global_id = -1;
         bdd_node_signature(0, 1, v[1].node(), &bad);
       },
       "ERROR in bdd_node_signature\\(\\): else node have a bad global id!"},
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
