// Texts of functions: sums of products in the targets' syntaxes and node
// networks, on one fixture of two functions that share nodes.
#include <gtest/gtest.h>

#include <sstream>

#include "bdd_oracle.h"
#include "bddpp.h"

using testing::ExitedWithCode;

namespace {

struct text_fixture : abc_fixture {
  // The network of f, then g, then not g, in one text.
  std::string network(std::function<void(std::ostream&, bdd_node*)> const& write) {
    std::ostringstream os;
    m.Bdd_global_clear_marks();
    write(os, f.node());
    write(os, g.node());
    write(os, m.Bdd_not(g).node());
    return os.str();
  }
};

}  // namespace

TEST(BddText, FixtureNodes) {
  text_fixture x;
  EXPECT_EQ(x.f.node()->global_id, 7);
  EXPECT_EQ(x.f.link_type(), 1);
  EXPECT_EQ(x.g.node()->global_id, 8);
  EXPECT_EQ(x.g.link_type(), -1);
  EXPECT_EQ(x.f.node()->then_node, x.g.node()->else_node);
  EXPECT_EQ(x.m.Bdd_total_size(), 9);
}

TEST(BddText, SumsOfProducts) {
  text_fixture x;
  bddpp_manager& m = x.m;
  struct sop_case {
    std::string what;
    std::string text;
    std::string expected;
  };
  std::vector<sop_case> cases = {
      {"generic, method 0", m.Print_sop_to_String(" + ", ".", "!", "", x.f, 0), "a.b + a.!b.c + !a.c"},
      {"generic, method 1", m.Print_sop_to_String(" + ", ".", "!", "", x.f, 1), "a.b + c"},
      {"generic g, method 1", m.Print_sop_to_String(" + ", ".", "!", "", x.g, 1), "!a.b + !a.c"},
      {"prefix and suffix",
       m.Print_sop_to_String_pref_suff(" || ", " && ", "!(", ")", x.g, "in.", "_v", 0),
       "!(in.a_v) && in.b_v || !(in.a_v) && !(in.b_v) && in.c_v"},
      {"product with prefix",
       m.Print_product_to_String_pref_suff(" && ", "! ", "", m.Bdd_and(x.a, m.Bdd_not(x.b)), "m_", ""),
       "m_a && ! m_b"},
      {"variable order, not writing order", m.Print_product_to_String(" and ", "not ", "", m.Bdd_and(x.b, x.a)),
       "a and b"},
      {"false", m.Print_sop_to_String(" + ", ".", "!", "", m.Bdd_zero(), 1), "0"},
      {"true", m.Print_sop_to_String_pref_suff("+", ".", "!", "", m.Bdd_one(), "p", "s", 2), "1"},
      {"variable", m.Print_sop_to_String_pref_suff("+", ".", "!", "", x.a, "p_", "_s", 0), "p_a_s"},
      {"Esterel", m.Print_sop_to_ESTEREL_String(x.f, 1), "a and b or c"},
      {"Esterel false", m.Print_sop_to_ESTEREL_String(m.Bdd_zero(), 1), "not tick"},
      {"Esterel true", m.Print_sop_to_ESTEREL_String(m.Bdd_one(), 1), "tick"},
      {"VHDL", m.Print_sop_to_VHDL_String(x.f, 1), "(a and b) or (c)"},
      {"VHDL one product", m.Print_sop_to_VHDL_String(m.Bdd_and(x.a, m.Bdd_not(x.b)), 1), "a and not b"},
      {"VHDL false", m.Print_sop_to_VHDL_String(m.Bdd_zero(), 1), "'0'"},
      {"VHDL true", m.Print_sop_to_VHDL_String(m.Bdd_one(), 1), "'1'"},
  };
  for (auto const& k : cases) EXPECT_EQ(k.text, k.expected) << k.what;

  std::ostringstream os;
  m.Print_sop(" + ", ".", "!", "", os, x.f, 1);
  os << "|";
  m.Print_sop_pref_suff(" + ", ".", "!", "", os, x.f, "<", ">", 1);
  os << "|";
  m.Print_product(".", "!", "", os, m.Bdd_and(x.a, m.Bdd_not(x.c)));
  os << "|";
  m.Print_product_pref_suff(".", "!", "", os, m.Bdd_not(x.c), "[", "]");
  EXPECT_EQ(os.str(), "a.b + c|<a>.<b> + <c>|a.!c|![c]");
}

TEST(BddText, ProductsOverArraysAndCodes) {
  text_fixture x;
  bddpp_manager& m = x.m;
  std::ostringstream os;
  m.Print_cat_sop(" | ", " & ", "~", "", os, x.g, "x", 1);
  os << ";";
  m.Print_cat_sop(" | ", " & ", "~", "", os, x.f, "x", 0);
  os << ";";
  m.Print_cat_sop(" | ", " & ", "~", "", os, m.Bdd_zero(), "x", 0);
  os << ";";
  m.Print_cat_product(" & ", "~", "", os, m.Bdd_one(), "x");
  EXPECT_EQ(os.str(), "~x[0] & x[1] | ~x[0] & x[2];x[0] & x[1] | x[0] & ~x[1] & x[2] | ~x[0] & x[2];0;1");

  std::map<long, int> codes = {{0, 3}, {1, 12}, {2, 3}};
  bdd p = m.Bdd_and(m.Bdd_and(m.Bdd_not(x.a), m.Bdd_not(x.b)), x.c);
  std::ostringstream c1, c2, c3;
  m.Print_cat_product(c1, p, codes, 10, true);
  m.Print_cat_product(c2, p, codes, 10, false);
  m.Print_cat_product(c3, m.Bdd_zero(), codes, 10, false);
  EXPECT_EQ(c1.str(), "13,2,23");
  EXPECT_EQ(c2.str(), "13,2,3");
  EXPECT_EQ(c3.str(), "0");
  // Codes wrap like 32-bit words.
  std::map<long, int> big = {{0, 2000000000}};
  std::ostringstream c4;
  m.Print_cat_product(c4, x.a, big, 1000000000, true);
  EXPECT_EQ(c4.str(), "-294967296");
  std::map<long, int> missing = {{0, 3}};
  EXPECT_EXIT(m.Print_cat_product(c1, p, missing, 10, false), ExitedWithCode(1),
              "\\*\\*\\*\\*error:print_cat_product:1 is not a valid index \n");
}

TEST(BddText, NodeNetworks) {
  text_fixture x;
  bddpp_manager& m = x.m;
  struct network_case {
    std::string syntax;
    std::function<void(std::ostream&, bdd_node*)> write;
    std::string golden;
  };
  std::vector<network_case> cases = {
      {"array",
       [&m](std::ostream& os, bdd_node* n) { m.Print_node_for_eval(" || ", " && ", "!", "", "", "", "0", ";", "n", os, n); },
       "   n[1]= !0;\n"
       "  n[4]= c;\n"
       "  n[6]= b && n[1] || !b && n[4];\n"
       "  n[7]= a && n[6] || !a && n[4];\n"
       "  n[8]= a && n[1] || !a && !n[6];\n"},
      {"array with a line prefix",
       [&m](std::ostream& os, bdd_node* n) {
         m.Print_node_for_eval(" or ", " and ", "(not ", ")", "i.", "", "false", "", "\t", "t", os, n);
       },
       "\tt[1]= (not false)\n"
       "\tt[4]= i.c\n"
       "\tt[6]= i.b and t[1] or (not i.b) and t[4]\n"
       "\tt[7]= i.a and t[6] or (not i.a) and t[4]\n"
       "\tt[8]= i.a and t[1] or (not i.a) and (not t[6])\n"},
      {"arrayless",
       [&m](std::ostream& os, bdd_node* n) {
         m.Print_node_for_eval_arrayless(" | ", " & ", "!(", ")", "p_", "_s", "false", ";", "nd", os, n);
       },
       "   nd_1= !(false);\n"
       "  nd_4= p_c_s;\n"
       "  nd_6= p_b_s & nd_1 | !(p_b_s) & nd_4;\n"
       "  nd_7= p_a_s & nd_6 | !(p_a_s) & nd_4;\n"
       "  nd_8= p_a_s & nd_1 | !(p_a_s) & !(nd_6);\n"},
      {"arrayless with a line prefix",
       [&m](std::ostream& os, bdd_node* n) {
         m.Print_node_for_eval_arrayless("+", ".", "~", "", "", "", "0", ";", "# ", "w", os, n);
       },
       "# w_1= ~0;\n"
       "# w_4= c;\n"
       "# w_6= b.w_1+~b.w_4;\n"
       "# w_7= a.w_6+~a.w_4;\n"
       "# w_8= a.w_1+~a.~w_6;\n"},
      {"NuSMV",
       [&m](std::ostream& os, bdd_node* n) { m.Print_node_for_eval_NUSMV("", "_in", "    ", "node", os, n); },
       "    node_1:= TRUE;\n"
       "    node_4:= c_in;\n"
       "    node_6:= b_in & node_1 | !b_in & node_4;\n"
       "    node_7:= a_in & node_6 | !a_in & node_4;\n"
       "    node_8:= a_in & node_1 | !a_in & !node_6;\n"},
      {"BLIF",
       [&m](std::ostream& os, bdd_node* n) { m.Print_node_for_eval_BLIF("", "", "w", os, n); },
       ".names w_1\n1\n\n"
       ".names c w_4\n1 1\n\n"
       ".names b w_1 w_4 w_6\n11- 1\n0-1 1\n\n"
       ".names a w_6 w_4 w_7\n11- 1\n0-1 1\n\n"
       ".names a w_1 w_6 w_8\n11- 1\n0-0 1\n\n"},
      {"VHDL",
       [&m](std::ostream& os, bdd_node* n) { m.Print_node_for_eval_VHDL("s", os, n); },
       "      s(1) <= '1';\n"
       "      s(6) <= (s(3) and s(1)) or (not s(3) and s(4));\n"
       "      s(7) <= (s(2) and s(6)) or (not s(2) and s(4));\n"
       "      s(8) <= (s(2) and s(1)) or (not s(2) and not s(6));\n"},
  };
  for (auto const& k : cases) EXPECT_EQ(x.network(k.write), k.golden) << k.syntax;

  // The VHDL writer binds the variable nodes first: they are then marked
  // and the network refers to them.
  std::ostringstream os;
  m.Bdd_global_clear_marks();
  m.Print_node_for_eval_VHDL_reset_input("s", os, "b");
  m.Print_node_for_eval_VHDL_reset_input("s", os, "nope");
  for (char const* name : {"a", "b", "c", "nope"}) m.Print_node_for_eval_VHDL_input("in_", "", "s", os, name);
  m.Print_node_for_eval_VHDL("s", os, x.f.node());
  EXPECT_EQ(os.str(),
            "      s(3) <= '0';\n"
            "      s(2) <= in_a;\n"
            "      s(3) <= in_b;\n"
            "      s(4) <= in_c;\n"
            "      s(1) <= '1';\n"
            "      s(6) <= (s(3) and s(1)) or (not s(3) and s(4));\n"
            "      s(7) <= (s(2) and s(6)) or (not s(2) and s(4));\n");
  EXPECT_EQ(x.f.vhdl_node_name("s"), "s(7)");
  EXPECT_EQ(x.g.vhdl_node_name("s"), "not s(8)");

  // A constant and a single variable on their own.
  std::ostringstream k;
  m.Bdd_global_clear_marks();
  m.Print_node_for_eval(" || ", " && ", "!", "", "", "", "0", ";", "n", k, m.Bdd_one().node());
  m.Print_node_for_eval(" || ", " && ", "!", "", "", "", "0", ";", "n", k, x.a.node());
  m.Print_node_for_eval_VHDL("s", k, x.b.node());
  m.Print_node_for_eval_BLIF("", "", "w", k, x.b.node());
  m.Print_node_for_eval(" || ", " && ", "!", "", "", "", "0", ";", "n", k, nullptr);
  EXPECT_EQ(k.str(), "   n[1]= !0;\n  n[2]= a;\n");
}

TEST(BddText, UsedNodesAndUnderscoreNames) {
  text_fixture x;
  bddpp_manager& m = x.m;
  std::vector<int> used(m.Bdd_total_size(), 0);
  m.Bdd_global_clear_marks();
  x.f.node()->Lustre_writing_node_used(used.data());
  x.g.node()->Lustre_writing_node_used(used.data());
  EXPECT_EQ(used, (std::vector<int>{0, 1, 0, 0, 1, 0, 1, 1, 1}));

  bdd u = m.New_var_last("_u");
  bdd h = m.Bdd_and(x.a, u);
  m.No_begin_underscore_name();
  EXPECT_EQ(m.Print_sop_to_String(" + ", ".", "!", "", h, 0), "a.v_u");
  EXPECT_EQ(m.Bdd_var_by_name("_u"), u);
  EXPECT_EQ(m.Name_var_by_bdd(u), "v_u");
  std::ostringstream os;
  m.Bdd_global_clear_marks();
  m.Print_node_for_eval_BLIF("", "", "w", os, u.node());
  EXPECT_EQ(os.str(), ".names v_u w_9\n1 1\n\n");
}
