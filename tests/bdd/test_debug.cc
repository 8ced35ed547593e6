// Debugging dumps: node lines and node lists, the FILE forms of the
// trees, the implicant tree, the associations, a function as a cover, the
// fixed-point analysis and truth tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "bdd_oracle.h"
#include "bddpp.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

std::string text_of(std::function<void(std::ostream&)> const& write) {
  std::ostringstream os;
  write(os);
  return os.str();
}

std::string file_text_of(std::function<void(FILE*)> const& write) {
  FILE* file = std::tmpfile();
  write(file);
  std::rewind(file);
  std::string text;
  for (int ch; (ch = std::fgetc(file)) != EOF;) text += static_cast<char>(ch);
  std::fclose(file);
  return text;
}

}  // namespace

TEST(BddDebug, NodeLists) {
  abc_fixture x;
  bddpp_manager& m = x.m;
  long numbers[] = {10, 20, 30};
  std::list<bdd> both = {x.f, x.g};
  struct dump_case {
    std::string what;
    std::string text;
    std::string expected;
  };
  std::vector<dump_case> cases = {
      {"one variable", text_of([&](std::ostream& os) { m.Print_bdd_by_nodes_list(os, x.a); }),
       "nombre de noeud trouves: 2\n"
       "0: 0:1:1,-1\n"
       "1: -1:-3:-3,1\n"},
      {"shared nodes once", text_of([&](std::ostream& os) { m.Print_bdd_by_nodes_list(os, x.f); }),
       "nombre de noeud trouves: 4\n"
       "0: 0:1:3,1\n"
       "1: 1:2:3,1\n"
       "2: -1:-3:-3,1\n"
       "3: 2:2:2,-1\n"},
      {"renumbered variables", text_of([&](std::ostream& os) { m.Print_bdd_by_nodes_list(os, x.f, numbers); }),
       "0: 10:1:3,1\n"
       "1: 20:2:3,1\n"
       "2: -1:-3:-3,1\n"
       "3: 30:2:2,-1\n"},
      {"several functions", text_of([&](std::ostream& os) { m.Print_bdds_list_by_nodes_list(os, both); }),
       "bdd_vars: \n"
       "a,b,c;\n"
       "bdd_nodes: \n"
       "0: 0:1:3,1\n"
       "1: 1:2:3,1\n"
       "2: -1:-3:-3,1\n"
       "3: 2:2:2,-1\n"
       "4: 0:2:1,-1\n"},
      {"several functions, renumbered",
       text_of([&](std::ostream& os) { m.Print_bdds_list_by_nodes_list(os, both, numbers); }),
       "5\n"
       "0: 10:1:3,1\n"
       "1: 20:2:3,1\n"
       "2: -1:-3:-3,1\n"
       "3: 30:2:2,-1\n"
       "4: 10:2:1,-1\n"},
      {"node line, free function", text_of([&](std::ostream& os) { Print_bdd_node(os, x.g.node()); }),
       "4: 0:2:1,-1"},
      {"node without manager", text_of([&](std::ostream& os) {
         bdd_node stray;
         m.Print_bdd_node(os, &stray, numbers);
         m.Print_bdd_node(os, nullptr);
       }),
       "0: -3:-3:-3,1"},
  };
  for (auto const& c : cases) EXPECT_EQ(c.text, c.expected) << c.what;

  std::ostringstream expected;
  bdd_node* n = x.f.node();
  expected << static_cast<const void*>(n) << ": 0:" << static_cast<const void*>(n->then_node) << ":"
           << static_cast<const void*>(n->else_node) << ",1" << static_cast<const void*>(m.Bdd_node_one())
           << ": -1:-3:-3,1";
  EXPECT_EQ(text_of([&](std::ostream& os) {
              m.Print_bdd_node_with_adress(os, n);
              m.Print_bdd_node_with_adress(os, m.Bdd_node_one());
            }),
            expected.str());
}

TEST(BddDebug, TreesToAFile) {
  abc_fixture x;
  bddpp_manager& m = x.m;
  EXPECT_EQ(file_text_of([&](FILE* file) { m.Print_bdd_structure(file, m.Bdd_not(x.f)); }),
            text_of([&](std::ostream& os) { m.Print_bdd_structure(os, m.Bdd_not(x.f)); }));
  // The tree below a node writes a marked node by its number only.
  m.Bdd_clear_marks(x.g);
  std::string below = text_of([&](std::ostream& os) { m.Print_bdd_structure_loc(os, 3, x.g.node()); });
  m.Bdd_clear_marks(x.g);
  EXPECT_EQ(file_text_of([&](FILE* file) { m.Print_bdd_structure_loc(file, 3, x.g.node()); }), below);
  EXPECT_EQ(file_text_of([&](FILE* file) { m.Print_bdd_global_structure_loc(file, 0, x.f.node()); }),
            "if a (node: 7,global index: 0)\n"
            "  if b (node: 6,global index: 1)\n"
            "    1 (node: 1,global index: -1)\n"
            "  else (not b)\n"
            "    c (node: 4,global index: 2)\n"
            "else (not a)\n"
            "  c (node: 4,global index: 2)\n");
  EXPECT_EQ(file_text_of([&](FILE* file) { m.Chars('-', 3, file); }), "---");
}

TEST(BddDebug, ImplicantTree) {
  abc_fixture x;
  Tdd tree(&x.m, x.m.Bdd_and(x.a, x.b));
  EXPECT_EQ(text_of([&](std::ostream& os) { tree.Print_bdd_structure(os); }),
            "if a\n"
            "  if b\n"
            "    1\n"
            "  else if !b\n"
            "    0\n"
            "  dont care b\n"
            "    0\n"
            "else if !a\n"
            "  0\n"
            "dont care a\n"
            "  0\n");
  Tdd leaf(&x.m, x.m.Bdd_one());
  EXPECT_EQ(text_of([&](std::ostream& os) { leaf.Print_bdd_structure_loc(os, 2); }), "  1\n");
  // A tree made without a manager has nothing to write.
  CaptureStderr();
  Tdd orphan(nullptr, bdd());
  EXPECT_EQ(text_of([&](std::ostream& os) { orphan.Print_bdd_structure(os); }), "");
  EXPECT_EQ(GetCapturedStderr(), "in Tdd::Tdd() : error: bdd manager not yet created !\n");
}

TEST(BddDebug, AssociationsAndCovers) {
  abc_fixture x;
  bddpp_manager& m = x.m;
  m.Bdd_assoc_bdd_to_var(m.Bdd_and(m.Bdd_not(x.a), x.b), x.c);
  m.New_var_before(1, "n");
  EXPECT_EQ(text_of([&](std::ostream& os) { m.debug_variables(os); }),
            "a --> a\n"
            "n --> n\n"
            "b --> b\n"
            "c --> not a and b\n");
  EXPECT_EQ(text_of([&](std::ostream& os) { Print_debug_bdd(os, x.f); }), "a . b + a . !b . c + !a . c");
}

TEST(BddDebug, FixedPoints) {
  struct fixes_case {
    std::string what;
    std::function<bdd(bddpp_manager&, bdd, bdd, bdd)> prepare;  // gives the function to analyse
    std::string expected;
  };
  std::vector<fixes_case> cases = {
      {"a latch", [](bddpp_manager& m, bdd a, bdd, bdd c) {
         m.Bdd_assoc_bdd_to_var(m.Bdd_or(c, a), c);
         return c;
       },
       "\n  ==> two stability points : c'= a, c''= 1"},
      {"a toggle", [](bddpp_manager& m, bdd a, bdd, bdd c) {
         m.Bdd_assoc_bdd_to_var(m.Bdd_and(m.Bdd_not(c), a), c);
         return c;
       },
       "\n  ==> oscillation on c  for a\n  ==> stabilisation when c = a'\n"},
      {"no variable refers to itself", [](bddpp_manager& m, bdd a, bdd b, bdd c) {
         m.Bdd_assoc_bdd_to_var(m.Bdd_and(a, m.Bdd_not(b)), c);
         return c;
       },
       "a.b'\n"},
      {"a constant", [](bddpp_manager& m, bdd, bdd, bdd) { return m.Bdd_zero(); }, "0\n"},
  };
  for (auto const& c : cases) {
    bddpp_manager m;
    bdd a = m.New_var_last("a"), b = m.New_var_last("b"), v = m.New_var_last("c");
    bdd f = c.prepare(m, a, b, v);
    EXPECT_EQ(text_of([&](std::ostream& os) { m.Print_Fixes_Points(os, f); }), c.expected) << c.what;
  }
}

TEST(BddDebug, TruthTables) {
  abc_fixture x;
  bddpp_manager& m = x.m;
  bdd ab[] = {x.a, x.b};
  char out[5] = "....";
  m.Truth_table(x.a, 1, ab, out);
  EXPECT_STREQ(out, "01..");
  m.Truth_table(m.Bdd_and(x.a, x.b), 1, ab, out);
  EXPECT_STREQ(out, "0?..");
  m.Truth_table(m.Bdd_xor(x.a, x.b), 2, ab, out);
  EXPECT_STREQ(out, "0110");
  m.Truth_table(m.Bdd_one(), 0, ab, out);
  EXPECT_STREQ(out, "1110");
  bdd rows[2];
  m.Bdd_truth_table(x.f, 1, &x.a, rows);
  EXPECT_EQ(rows[0], x.c);
  EXPECT_EQ(rows[1], m.Bdd_or(x.b, x.c));
  // Outside 0 to 30 nothing is written, and nothing is said.
  CaptureStderr();
  for (int n : {31, 32, -1, 1000}) {
    char untouched[3] = "..";
    m.Truth_table(x.a, n, ab, untouched);
    EXPECT_STREQ(untouched, "..") << n;
    bdd none[1];
    m.Bdd_truth_table(x.a, n, ab, none);
    EXPECT_EQ(none[0], bdd()) << n;
  }
  EXPECT_EQ(GetCapturedStderr(), "");
}

// Bits 31 and up of a minterm's number read as 0.
TEST(BddDebug, MintermOfMoreThanThirtyOneVariables) {
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 34);
  bdd expected = v[0];
  for (int k = 1; k < 34; ++k) expected = m.Bdd_and(expected, m.Bdd_not(v[k]));
  EXPECT_EQ(m.Minterm(1, 34, v.data()), expected);
}
