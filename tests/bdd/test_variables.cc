// Insertions into the order, copies of a manager's variables, renamings
// and associations; after an insertion ids and indexes differ, and every
// operation must keep telling them apart.
#include <gtest/gtest.h>

#include <climits>
#include <sstream>

#include "bdd_oracle.h"
#include "bddpp.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

// The names in the order, from index 0.
std::vector<std::string> order_of(bddpp_manager& m) {
  std::vector<std::string> names;
  for (long i = 0; i < m.nbr_variables(); ++i) names.push_back(m.Name_var_by_index(i));
  return names;
}

// Value of a function of named variables under an assignment by index.
bool value_by_names(bddpp_manager& m, uint64_t bits, std::string const& name) {
  return bit(bits, static_cast<int>(m.Index_var_by_name(name)));
}

}  // namespace

TEST(BddInsertion, FrontMiddleAndEnd) {
  struct insertion_case {
    std::string what;
    std::function<bdd(bddpp_manager&, std::vector<bdd>&)> insert;
    std::vector<std::string> order;
  };
  std::vector<insertion_case> cases = {
      {"after -1: the front", [](bddpp_manager& m, std::vector<bdd>&) { return m.New_var_after(-1, "n"); },
       {"n", "a", "b", "c"}},
      {"before 0: the front", [](bddpp_manager& m, std::vector<bdd>&) { return m.New_var_before(0, "n"); },
       {"n", "a", "b", "c"}},
      {"before 1", [](bddpp_manager& m, std::vector<bdd>&) { return m.New_var_before(1, "n"); },
       {"a", "n", "b", "c"}},
      {"after 1", [](bddpp_manager& m, std::vector<bdd>&) { return m.New_var_after(1, "n"); },
       {"a", "b", "n", "c"}},
      {"before the handle b", [](bddpp_manager& m, std::vector<bdd>& v) { return m.New_var_before(v[1], "n"); },
       {"a", "n", "b", "c"}},
      {"after the handle b", [](bddpp_manager& m, std::vector<bdd>& v) { return m.New_var_after(v[1], "n"); },
       {"a", "b", "n", "c"}},
      {"after 2: the end", [](bddpp_manager& m, std::vector<bdd>&) { return m.New_var_after(2, "n"); },
       {"a", "b", "c", "n"}},
  };
  for (auto const& c : cases) {
    SCOPED_TRACE(c.what);
    bddpp_manager m;
    std::vector<bdd> v = {m.New_var_last("a"), m.New_var_last("b"), m.New_var_last("c")};
    bdd f = m.Bdd_and(v[0], m.Bdd_not(v[2]));
    bdd g = m.Bdd_xor(m.Bdd_xor(v[0], v[1]), v[2]);
    m.Bdd_assoc_bdd_to_var(m.Bdd_or(v[0], v[1]), v[2]);
    bdd_node* f_node = f.node();
    int32_t created = m.Bdd_total_size();

    bdd n = c.insert(m, v);
    EXPECT_EQ(order_of(m), c.order);
    EXPECT_EQ(n.node()->global_id, created);
    EXPECT_EQ(m.Bdd_total_size(), created + 1);
    EXPECT_EQ(m.Id_var_by_name("n"), 3);
    EXPECT_EQ(m.Name_var_by_id(3), "n");
    for (std::string name : {"a", "b", "c", "n"}) {
      long index = m.Index_var_by_name(name);
      EXPECT_EQ(m.Bdd_var_by_index(index), m.Bdd_var_by_name(name)) << name;
      EXPECT_EQ(m.Bdd_if_index(m.Bdd_var_by_name(name)), index) << name;
    }
    // The functions built before keep their nodes and their meaning.
    EXPECT_EQ(f.node(), f_node);
    for (uint64_t bits = 0; bits < 16; ++bits) {
      bool a = value_by_names(m, bits, "a"), b = value_by_names(m, bits, "b"), cc = value_by_names(m, bits, "c");
      EXPECT_EQ(eval_bits(m, f, bits), a && !cc) << bits;
      EXPECT_EQ(eval_bits(m, g, bits), a ^ b ^ cc) << bits;
    }
    // The associations follow their variables; the new one stands for itself.
    int loop = 0;
    EXPECT_EQ(m.Bdd_follow_assoc(v[2], &loop), m.Bdd_or(v[0], v[1]));
    EXPECT_EQ(loop, -1);
    EXPECT_EQ(m.Bdd_follow_assoc(n, &loop), n);
    EXPECT_EQ(loop, m.Index_var_by_name("n"));
    EXPECT_EQ(m.Bdd_follow_assoc(v[0], &loop), v[0]);
    EXPECT_EQ(loop, m.Index_var_by_name("a"));
  }
}

TEST(BddInsertion, IdTableAfterAnInsertionInTheMiddle) {
  bddpp_manager m;
  make_vars(m, 3);
  bdd n = m.New_var_before(1, "n");
  std::vector<std::string> names = order_of(m);
  EXPECT_EQ(names, (std::vector<std::string>{"v0", "n", "v1", "v2"}));
  std::ostringstream stats;
  m.Bdd_stats(stats);
  EXPECT_NE(stats.str().find("0(0): v0 --> "), std::string::npos);
  EXPECT_NE(stats.str().find("1(3): n --> "), std::string::npos);
  EXPECT_NE(stats.str().find("2(1): v1 --> "), std::string::npos);
  EXPECT_NE(stats.str().find("3(2): v2 --> "), std::string::npos);
}

TEST(BddInsertion, BadPositionsAndKnownNames) {
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 3);
  struct bad_case {
    std::function<bdd()> insert;
    std::string message;
  };
  std::vector<bad_case> cases = {
      {[&] { return m.New_var_before(3, "n"); }, "Error in new_node_var_before(): abnormal index ...\n"},
      {[&] { return m.New_var_before(-1, "n"); }, "Error in new_node_var_before(): abnormal index ...\n"},
      {[&] { return m.New_var_after(3, "n"); }, "Error in new_node_var_after(): abnormal id ...\n"},
      {[&] { return m.New_var_after(-2, "n"); }, "Error in new_node_var_before(): abnormal index ...\n"},
      {[&] { return m.New_var_after(LONG_MAX, "n"); }, "Error in new_node_var_after(): abnormal id ...\n"},
      {[&] { return m.New_var_before(m.Bdd_one(), "n"); }, "Error in new_node_var_before(): abnormal index ...\n"},
  };
  for (auto const& c : cases) {
    CaptureStderr();
    bdd r = c.insert();
    EXPECT_EQ(GetCapturedStderr(), c.message);
    EXPECT_EQ(r, bdd(&m, 1, nullptr));
  }
  // A known name gives the existing variable and moves nothing.
  CaptureStderr();
  EXPECT_EQ(m.New_var_before(0, "v2"), v[2]);
  EXPECT_EQ(m.New_var_after(-1, "v1"), v[1]);
  EXPECT_EQ(GetCapturedStderr(), "");
  EXPECT_EQ(order_of(m), (std::vector<std::string>{"v0", "v1", "v2"}));
  EXPECT_EQ(m.Bdd_total_size(), 5);
  // In an empty manager only the end exists.
  bddpp_manager empty;
  bdd x = empty.New_var_after(-1, "x");
  EXPECT_EQ(x, empty.Bdd_var_by_index(0));
  CaptureStderr();
  EXPECT_EQ(empty.New_var_before(1, "y").node(), nullptr);
  EXPECT_EQ(GetCapturedStderr(), "Error in new_node_var_before(): abnormal index ...\n");
}

TEST(BddInsertion, FrontInsertionsPastTheTableCapacity) {
  bddpp_manager m;
  make_vars(m, 16);
  for (int k = 0; k < 3; ++k) m.New_var_after(-1, "n" + std::to_string(k));
  std::vector<std::string> names = order_of(m);
  ASSERT_EQ(names.size(), 19u);
  EXPECT_EQ(names[0], "n2");
  EXPECT_EQ(names[2], "n0");
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(names[k + 3], "v" + std::to_string(k));
    EXPECT_EQ(m.Id_var_by_name("v" + std::to_string(k)), k);
  }
  EXPECT_EQ(m.Bdd_total_size(), 21);
}

// Variables inserted at random places, so that no id equals its index, and
// random functions over them: every operation against brute force.
TEST(BddInsertion, OperationsAgreeWithBruteForceWhenIdsAndIndexesDiffer) {
  std::mt19937 rng(18);
  const int n = 5;
  for (int round = 0; round < 12; ++round) {
    SCOPED_TRACE(round);
    bddpp_manager m;
    m.New_var_last("w0");
    for (int k = 1; k < n; ++k) {
      long at = std::uniform_int_distribution<long>(-1, k - 1)(rng);
      m.New_var_after(at, "w" + std::to_string(k));
    }
    std::vector<bdd> vars;
    for (long i = 0; i < n; ++i) vars.push_back(m.Bdd_var_by_index(i));
    random_function f = make_random_function(m, vars, rng);
    random_function g = make_random_function(m, vars, rng);
    auto table = [&](std::function<bool(uint64_t)> fn) { return table_of(n, fn); };
    int i = std::uniform_int_distribution<int>(0, n - 1)(rng);
    auto flip = [](uint64_t a, int k, bool v) { return v ? a | (uint64_t{1} << k) : a & ~(uint64_t{1} << k); };

    EXPECT_EQ(table_of(m, m.Bdd_exist(f.f, vars[i]), n),
              table([&](uint64_t a) { return f.table[flip(a, i, false)] || f.table[flip(a, i, true)]; }));
    EXPECT_EQ(table_of(m, m.Bdd_compose(f.f, vars[i], g.f), n),
              table([&](uint64_t a) { return f.table[flip(a, i, g.table[a])]; }));
    EXPECT_EQ(table_of(m, m.Bdd_keep_first_variables(f.f, 2), n), table([&](uint64_t a) {
      for (uint64_t low = 0; low < 8; ++low)
        if (f.table[(a & 3) | (low << 2)]) return true;
      return false;
    }));
    std::vector<long> shift(n);
    for (int k = 0; k < n; ++k) shift[k] = (k + 1) % n;
    EXPECT_EQ(table_of(m, m.Bdd_replace_vars(f.f, shift.data()), n), table([&](uint64_t a) {
      uint64_t b = 0;
      for (int k = 0; k < n; ++k) b |= uint64_t{bit(a, (k + 1) % n)} << k;
      return static_cast<bool>(f.table[b]);
    }));
    std::set<long> depends;
    for (int k = 0; k < n; ++k)
      for (uint64_t a = 0; a < 32; ++a)
        if (f.table[flip(a, k, false)] != f.table[flip(a, k, true)]) depends.insert(k);
    EXPECT_EQ(m.set_of_index_depend_on(f.f), depends);
    for (int method = 0; method <= 3; ++method) {
      std::list<bdd> cover;
      m.Bdd_sop(f.f, cover, method);
      EXPECT_EQ(or_all(m, cover), f.f) << method;
      std::string text = m.Print_sop_to_String(" + ", " . ", "! ", "", f.f, method);
      int err = 0;
      EXPECT_EQ(m.Parse_expression(text, &err), f.f) << text;
    }
    if (!m.Bdd_is_zero_tautologic(f.f)) {
      bdd p = m.Bdd_one_implicant(f.f);
      EXPECT_TRUE(m.Bdd_is_cube(p) && m.Bdd_imply(p, f.f));
      EXPECT_TRUE(m.Bdd_imply(m.Bdd_satisfy(f.f), f.f));
    }
    bdd c = m.Bdd_and(m.Bdd_not(f.f), g.f);
    bdd s = m.Bdd_simplify(f.f, c);
    EXPECT_TRUE(m.Bdd_imply(f.f, s) && m.Bdds_excl(s, c));
    s = m.Bdd_simplify3(f.f, c);
    EXPECT_TRUE(m.Bdd_imply(f.f, s) && m.Bdds_excl(s, c));
    // A copy by names into a manager that orders the names by creation.
    bddpp_manager other;
    for (int k = 0; k < n; ++k) other.New_var_last("w" + std::to_string(k));
    bdd copied = Bdd_isomorphe_by_name(&other, &m, f.f);
    for (uint64_t a = 0; a < 32; ++a) {
      uint64_t b = 0;
      for (int k = 0; k < n; ++k) b |= uint64_t{bit(a, k)} << other.Index_var_by_name(m.Name_var_by_index(k));
      EXPECT_EQ(eval_bits(other, copied, b), f.table[a]) << a;
    }
  }
}

// Bdd_simplify2 looks only above the top variable of f, where f depends on
// nothing: it must not quantify, nor test, a variable by an id taken for
// an index.
TEST(BddInsertion, SimplifyAboveTheTopCreatesNothingAfterAnInsertion) {
  bddpp_manager m;
  std::vector<bdd> v = {m.New_var_last("a"), m.New_var_last("b"), m.New_var_last("c")};
  m.New_var_after(-1, "n");
  bdd f = m.Bdd_and(v[1], v[2]);
  int32_t created = m.Bdd_total_size();
  EXPECT_EQ(m.Bdd_simplify2(f, v[0]), f);
  EXPECT_EQ(m.Bdd_total_size(), created);
}

TEST(BddManagerCopy, SameVariablesNoOtherNode) {
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 3);
  bdd f = m.Bdd_or(m.Bdd_and(v[0], v[1]), m.Bdd_not(v[2]));
  {
    bddpp_manager copy(&m);
    EXPECT_EQ(copy.nbr_variables(), 3);
    EXPECT_EQ(copy.Bdd_total_size(), 5);
    for (long id = 0; id < 3; ++id) {
      EXPECT_EQ(copy.Name_var_by_id(id), m.Name_var_by_id(id));
      EXPECT_EQ(copy.Bdd_var_by_id(id).node()->global_id, id + 2);
    }
  }
  // After insertions the copy keeps the order, and functions come over by
  // the same positions.
  m.New_var_before(1, "n");
  m.New_var_after(-1, "p");
  bddpp_manager copy(&m);
  EXPECT_EQ(order_of(copy), order_of(m));
  EXPECT_EQ(copy.Bdd_total_size(), 7);
  for (long id = 0; id < 5; ++id) EXPECT_EQ(copy.Bdd_var_by_id(id).node()->global_id, id + 2);
  for (std::string name : {"v0", "v1", "v2", "n", "p"}) {
    EXPECT_EQ(copy.Id_var_by_name(name), m.Id_var_by_name(name));
    EXPECT_EQ(copy.Index_var_by_name(name), m.Index_var_by_name(name));
  }
  bdd g = Bdd_isomorphe(&copy, &m, f);
  for (uint64_t bits = 0; bits < 32; ++bits) EXPECT_EQ(eval_bits(copy, g, bits), eval_bits(m, f, bits));
  // Its own variables and associations.
  int loop;
  EXPECT_EQ(copy.Bdd_follow_assoc(copy.Bdd_var_by_name("v1"), &loop), copy.Bdd_var_by_name("v1"));
  EXPECT_EQ(copy.New_var_last("v2"), copy.Bdd_var_by_name("v2"));
  // A copy of no manager is an empty manager.
  bddpp_manager none(nullptr);
  EXPECT_EQ(none.nbr_variables(), 0);
  EXPECT_EQ(none.Bdd_total_size(), 2);
}

TEST(BddManagerCopy, StringTableMemorySize) {
  std::string table[] = {"a", "bc", std::string(40, 'x')};
  EXPECT_EQ(String_table_memory_size(table, 2), 30);
  EXPECT_GE(String_table_memory_size(table, 3), 70);
  EXPECT_EQ(String_table_memory_size(table, 0), 0);
  EXPECT_EQ(String_table_memory_size(table, -1), 0);
}

// Every renaming: the new name finds the variable, the old one nothing,
// and creating under the new name makes no second variable.
TEST(BddRenaming, LookupFollowsTheNewName) {
  struct rename_case {
    std::string what;
    std::function<void(bddpp_manager&)> rename;
    std::string old_name, new_name;
  };
  std::vector<rename_case> cases = {
      {"Rename_var", [](bddpp_manager& m) { m.Rename_var("x", "b"); }, "b", "x"},
      {"by index after an insertion", [](bddpp_manager& m) { m.Change_name_by_index(2, "x"); }, "b", "x"},
      {"by id after an insertion", [](bddpp_manager& m) { m.Change_name_by_id(1, "x"); }, "b", "x"},
      {"a character in every name", [](bddpp_manager& m) { m.Replace_char_in_all_names('_', '.'); }, "c_1", "c.1"},
  };
  for (auto const& c : cases) {
    SCOPED_TRACE(c.what);
    bddpp_manager m;
    bdd a = m.New_var_last("a"), b = m.New_var_last("b"), c1 = m.New_var_last("c_1");
    m.New_var_after(-1, "n");  // b: id 1, index 2
    bdd renamed = c.old_name == "b" ? b : c1;
    CaptureStderr();
    c.rename(m);
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(m.Name_var_by_bdd(renamed), c.new_name);
    EXPECT_EQ(m.Bdd_var_by_name(c.new_name), renamed);
    EXPECT_EQ(m.Id_var_by_name(c.old_name), -1);
    EXPECT_EQ(m.Index_var_by_name(c.old_name), -1);
    EXPECT_EQ(m.Bdd_var_by_name(c.old_name), m.Bdd_zero());
    int err = 0;
    EXPECT_EQ(m.Parse_expression(c.new_name + " and a", &err), m.Bdd_and(renamed, a));
    int32_t created = m.Bdd_total_size();
    EXPECT_EQ(m.New_var_last(c.new_name), renamed);
    EXPECT_EQ(m.nbr_variables(), 4);
    EXPECT_EQ(m.Bdd_total_size(), created);
    // The old name is free again.
    EXPECT_NE(m.New_var_last(c.old_name), renamed);
    EXPECT_EQ(m.nbr_variables(), 5);
  }
}

TEST(BddRenaming, RefusedRenamingsChangeNothing) {
  struct refused_case {
    std::function<void(bddpp_manager&)> rename;
    std::string message;
  };
  std::string aborted = "renaming process aborted ...\n";
  std::vector<refused_case> cases = {
      {[](bddpp_manager& m) { m.Rename_var("a", "b"); },
       "in bdd_manager::Rename_var(): WARNING a ALREADY DEFINED !\n" + aborted},
      {[](bddpp_manager& m) { m.Rename_var("x", "y"); },
       "in bdd_manager::Rename_var(): WARNING y NOT FOUND !\n" + aborted},
      {[](bddpp_manager& m) { m.Change_name_by_index(1, "a"); },
       "in bdd_manager::Change_name_by_index(): WARNING b CANNOT BE RENAMED a, a ALREADY DEFINED !\n" + aborted},
      {[](bddpp_manager& m) { m.Change_name_by_id(0, "a_b"); },
       "in bdd_manager::Change_name_by_id(): WARNING a CANNOT BE RENAMED a_b, a_b ALREADY DEFINED !\n" + aborted},
      {[](bddpp_manager& m) { m.Replace_char_in_all_names('.', '_'); },
       "in bdd_manager::Replace_char_in_all_names(): WARNING a_b AND a.b WOULD BOTH BE NAMED a_b !\n" + aborted},
      {[](bddpp_manager& m) { m.Change_name_by_index(4, "x"); },
       "calling bddpp_manager::Change_name_by_index() with index= 4 :out of range!\n"},
      {[](bddpp_manager& m) { m.Change_name_by_index(-1, "x"); },
       "calling bddpp_manager::Change_name_by_index() with index= -1 :out of range!\n"},
      {[](bddpp_manager& m) { m.Change_name_by_id(4, "x"); },
       "calling bddpp_manager::Change_name_by_id() with id= 4 :out of range!\n"},
  };
  for (auto const& c : cases) {
    bddpp_manager m;
    for (std::string name : {"a", "b", "a_b", "a.b"}) m.New_var_last(name);
    CaptureStderr();
    c.rename(m);
    EXPECT_EQ(GetCapturedStderr(), c.message);
    EXPECT_EQ(order_of(m), (std::vector<std::string>{"a", "b", "a_b", "a.b"}));
    for (long id = 0; id < 4; ++id) EXPECT_EQ(m.Id_var_by_name(m.Name_var_by_id(id)), id);
  }
  // A variable keeps its own name without a word.
  bddpp_manager m;
  m.New_var_last("a");
  CaptureStderr();
  m.Change_name_by_index(0, "a");
  m.Replace_char_in_all_names('z', 'y');
  EXPECT_EQ(GetCapturedStderr(), "");
  EXPECT_EQ(m.Id_var_by_name("a"), 0);
}

// No_begin_underscore_name keeps the creation name as a look-up key; a
// later renaming leaves neither key behind.
TEST(BddRenaming, AfterTheUnderscoreRenaming) {
  bddpp_manager m;
  bdd x = m.New_var_last("_x");
  m.No_begin_underscore_name();
  EXPECT_EQ(m.Bdd_var_by_name("_x"), x);
  m.Rename_var("y", "v_x");
  EXPECT_EQ(m.Bdd_var_by_name("y"), x);
  EXPECT_EQ(m.Id_var_by_name("_x"), -1);
  EXPECT_EQ(m.Id_var_by_name("v_x"), -1);
  // Two names it made equal stop only a change that touches them.
  bddpp_manager twice;
  twice.New_var_last("_w");
  twice.New_var_last("v_w");
  twice.No_begin_underscore_name();
  CaptureStderr();
  twice.Replace_char_in_all_names('z', 'y');
  EXPECT_EQ(GetCapturedStderr(), "");
  CaptureStderr();
  twice.Replace_char_in_all_names('_', '.');
  EXPECT_EQ(GetCapturedStderr(),
            "in bdd_manager::Replace_char_in_all_names(): WARNING v_w AND v_w WOULD BOTH BE NAMED v.w !\n"
            "renaming process aborted ...\n");
}

TEST(BddAssociation, RecordAndFollow) {
  bddpp_manager m;
  bdd a = m.New_var_last("a"), b = m.New_var_last("b"), c = m.New_var_last("c"), d = m.New_var_last("d");
  int loop = 7;
  // Unassociated variables stand for themselves, which reads as a loop.
  EXPECT_EQ(m.Bdd_follow_assoc(b, &loop), b);
  EXPECT_EQ(loop, 1);
  EXPECT_EQ(m.Bdd_follow_assoc(m.Bdd_one(), &loop), m.Bdd_one());
  EXPECT_EQ(loop, -1);
  // c refers to b, which stands for itself so far.
  m.Bdd_assoc_bdd_to_var(m.Bdd_and(b, d), c);
  EXPECT_EQ(m.Bdd_follow_assoc(c, &loop), m.Bdd_and(b, d));
  EXPECT_EQ(loop, -1);
  // Associating b rewrites c; a complemented function reads back as itself.
  m.Bdd_assoc_bdd_to_var(m.Bdd_not(a), b);
  EXPECT_EQ(m.Bdd_follow_assoc(b, &loop), m.Bdd_not(a));
  EXPECT_EQ(loop, -1);
  EXPECT_EQ(m.Bdd_follow_assoc(c, &loop), m.Bdd_and(m.Bdd_not(a), d));
  // Following a larger function; d has no association.
  EXPECT_EQ(m.Bdd_follow_assoc(m.Bdd_or(c, b), &loop), m.Bdd_not(a));
  EXPECT_EQ(loop, -1);
  EXPECT_EQ(m.Bdd_follow_assoc(m.Bdd_xor(b, d), &loop), m.Bdd_xor(m.Bdd_not(a), d));
  EXPECT_EQ(loop, 3);
  // A function recorded through an associated variable is recorded
  // rewritten.
  m.Bdd_assoc_bdd_to_var(m.Bdd_or(b, d), a);
  EXPECT_EQ(m.Bdd_follow_assoc(a, &loop), m.Bdd_or(m.Bdd_not(a), d));
  EXPECT_EQ(loop, 0);
  // A variable that refers to itself leaves the others as they are.
  // (c stands for not a and d, so d xor c is a and d.)
  m.Bdd_assoc_bdd_to_var(m.Bdd_xor(d, c), d);
  EXPECT_EQ(m.Bdd_follow_assoc(d, &loop), m.Bdd_and(a, d));
  EXPECT_EQ(loop, 3);
  EXPECT_EQ(m.Bdd_follow_assoc(c, &loop), m.Bdd_and(m.Bdd_not(a), d));
  // Two equal constants: nothing happens.
  CaptureStderr();
  m.Bdd_assoc_bdd_to_var(m.Bdd_zero(), m.Bdd_zero());
  EXPECT_EQ(GetCapturedStderr(), "");
  EXPECT_EQ(m.Bdd_follow_assoc(b, nullptr), m.Bdd_not(a));
}

// The table keeps the functions it holds through collections, and gives
// them up when they are replaced.
TEST(BddAssociation, KeepsItsFunctionsAlive) {
  bddpp_manager m;
  std::vector<bdd> v = make_vars(m, 3);
  bdd_node* kept;
  {
    bdd f = m.Bdd_xor(v[0], v[1]);
    kept = f.node();
    m.Bdd_assoc_bdd_to_var(f, v[2]);
  }
  int32_t kept_id = kept->global_id;
  m.Bdd_gc();
  EXPECT_EQ(kept->refs, 1);
  EXPECT_EQ(m.Bdd_xor(v[0], v[1]).node(), kept);
  EXPECT_EQ(kept->global_id, kept_id);
  m.Bdd_assoc_bdd_to_var(v[0], v[2]);
  EXPECT_EQ(kept->refs, 0);
  EXPECT_EQ(v[0].node()->refs, 1);  // the handle only: variable nodes are not counted
}
