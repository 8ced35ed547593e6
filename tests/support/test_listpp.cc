// List and set templates: positions, counted arrays, set algebra, printers.
#include <gtest/gtest.h>

#include <sstream>

#include "listpp.h"

namespace {

// Counts flushes so the printers' flushing can be checked.
struct counting_buf : std::stringbuf {
  int syncs = 0;
  int sync() override {
    ++syncs;
    return std::stringbuf::sync();
  }
};

TEST(Lists, Positions) {
  std::list<int> l = {5, 7, 5};
  EXPECT_EQ(item_where(l, 5), 1);
  EXPECT_EQ(item_where(l, 7), 2);
  EXPECT_EQ(item_where(l, 9), 0);
  EXPECT_EQ(item_where(empty_list_int, 1), 0);
  EXPECT_TRUE(item_in(l, 7));
  EXPECT_FALSE(item_in(l, 8));

  std::list<std::list<int>> ll = {{1, 2, 3}, {1, 2}};
  EXPECT_EQ(item_where(ll, std::list<int>{1, 2}), 2);

  for (int n : {0, -1, 4}) EXPECT_EQ(read_number(l, n), 0) << n;
  EXPECT_EQ(read_number(l, 1), 5);
  std::list<std::string> ls = {"a"};
  EXPECT_EQ(read_number(ls, 2), "");
}

TEST(Lists, ReplaceAndErase) {
  std::list<int> l = {1, 2, 3};
  for (int n : {0, -1, 4}) {
    replace_number(l, n, 9);
    sup_number(l, n);
  }
  EXPECT_EQ(l, (std::list<int>{1, 2, 3}));
  replace_number(l, 2, 9);
  EXPECT_EQ(l, (std::list<int>{1, 9, 3}));
  sup_number(l, 3);
  EXPECT_EQ(l, (std::list<int>{1, 9}));
}

TEST(Arrays, EmptyNonConstIsNullEmptyConstIsNot) {
  std::list<int> empty;
  EXPECT_EQ(array_convert(empty), nullptr);
  std::list<int> const& cempty = empty;
  int* a = array_convert(cempty);
  EXPECT_NE(a, nullptr);
  delete[] a;
  EXPECT_EQ(array_convert(std::set<std::string>()), nullptr);

  std::list<std::string> l = {"b", "a"};
  std::string* s = array_convert(l);
  EXPECT_EQ(s[0], "b");
  EXPECT_EQ(s[1], "a");
  delete[] s;
  std::set<std::string> set = {"b", "a"};
  s = array_convert(set);
  EXPECT_EQ(s[0], "a");
  EXPECT_EQ(s[1], "b");
  delete[] s;
}

TEST(Sets, Algebra) {
  std::set<int> a = {1, 2, 3}, b = {2, 3}, e;
  EXPECT_EQ(set_in(a, e), 1);
  EXPECT_EQ(set_in(e, b), 0);
  EXPECT_EQ(set_in(a, b), 1);
  EXPECT_EQ(set_in(b, a), 0);
  EXPECT_TRUE(set_priv(a, a).empty());
  EXPECT_TRUE(set_inter(a, e).empty());
  EXPECT_EQ(set_union(a, a), a);
  EXPECT_EQ(set_union(b, std::set<int>{7, 1}), (std::set<int>{1, 2, 3, 7}));
  EXPECT_EQ(set_inter(a, std::set<int>{3, 4}), (std::set<int>{3}));
  EXPECT_EQ(set_priv(a, b), (std::set<int>{1}));
  EXPECT_EQ(item_in(a, 2), 1);
  EXPECT_EQ(item_in(e, 2), 0);
}

TEST(Printers, ListsFlushSetsDoNot) {
  counting_buf buf;
  std::ostream os(&buf);
  std::list<int> l = {1, 2};
  os << l;
  EXPECT_EQ(buf.str(), "(1, 2)");
  EXPECT_EQ(buf.syncs, 3);

  counting_buf buf2;
  std::ostream os2(&buf2);
  os2 << empty_list_int;
  EXPECT_EQ(buf2.str(), "()");
  EXPECT_EQ(buf2.syncs, 1);

  counting_buf buf3;
  std::ostream os3(&buf3);
  os3 << std::set<int>{3, 1} << std::set<long>{};
  EXPECT_EQ(buf3.str(), "{1,3}{}");
  EXPECT_EQ(buf3.syncs, 0);

  std::ostringstream nested;
  std::list<std::list<int>> ll = {{1, 2}, {3}};
  nested << ll;
  EXPECT_EQ(nested.str(), "((1, 2), (3))");
}

}  // namespace
