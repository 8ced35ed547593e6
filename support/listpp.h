// Templates over std::list and std::set used by every subsystem: membership,
// 1-based positions (0 = absent), counted arrays, set algebra and the text
// forms "(a, b)" and "{1,3}" written in logs and messages.
#ifndef TARVEK_LISTPP_H
#define TARVEK_LISTPP_H

#include <algorithm>
#include <list>
#include <ostream>
#include <set>
#include <string>

template <typename T>
bool item_in(std::list<T> const& l, T const& x) {
  for (auto const& e : l)
    if (e == x) return true;
  return false;
}

template <typename T>
int item_in(std::set<T> const& s, T const& x) {
  for (auto const& e : s)
    if (e == x) return 1;
  return 0;
}

template <typename T>
int item_in(std::set<T>& s, T const& x) {
  return item_in(static_cast<std::set<T> const&>(s), x);
}

template <typename T>
int item_where(std::list<T>& l, T const& x) {
  int pos = 1;
  for (auto const& e : l) {
    if (e == x) return pos;
    ++pos;
  }
  return 0;
}

// The element at 1-based position n, or end() when there is none.
template <typename L>
auto list_at(L& l, int n) -> decltype(l.begin()) {
  if (n < 1 || static_cast<size_t>(n) > l.size()) return l.end();
  auto it = l.begin();
  for (int i = 1; i < n; ++i) ++it;
  return it;
}

template <typename T>
T read_number(std::list<T>& l, int n) {
  auto it = list_at(l, n);
  return it == l.end() ? T() : *it;
}

template <typename T>
void replace_number(std::list<T>& l, int n, T const& x) {
  auto it = list_at(l, n);
  if (it != l.end()) *it = x;
}

template <typename T>
void sup_number(std::list<T>& l, int n) {
  auto it = list_at(l, n);
  if (it != l.end()) l.erase(it);
}

// Counted arrays: the caller owns the block (delete[]) and keeps the count.
template <typename C>
typename C::value_type* copy_to_array(C const& c) {
  auto* a = new typename C::value_type[c.size()];
  size_t i = 0;
  for (auto const& e : c) a[i++] = e;
  return a;
}

template <typename T>
T* array_convert(std::list<T>& l) {
  return l.empty() ? nullptr : copy_to_array(l);
}

// The constant form never returns null, even for an empty list.
template <typename T>
T* array_convert(std::list<T> const& l) {
  return copy_to_array(l);
}

template <typename T>
T* array_convert(std::set<T> const& s) {
  return s.empty() ? nullptr : copy_to_array(s);
}

template <typename T>
std::set<T> set_union(std::set<T> const& a, std::set<T> const& b) {
  std::set<T> r(a);
  for (auto const& e : b) r.insert(r.end(), e);
  return r;
}

template <typename T>
std::set<T> set_inter(std::set<T> const& a, std::set<T> const& b) {
  std::set<T> r;
  for (auto const& e : a)
    if (b.find(e) != b.end()) r.insert(r.end(), e);
  return r;
}

template <typename T>
std::set<T> set_priv(std::set<T> const& a, std::set<T> const& b) {
  std::set<T> r;
  for (auto const& e : a)
    if (b.find(e) == b.end()) r.insert(r.end(), e);
  return r;
}

// Whether b lies in a, read off both ordered sets at once without building
// their intersection.
template <typename T>
int set_in(std::set<T> const& a, std::set<T> const& b) {
  return std::includes(a.begin(), a.end(), b.begin(), b.end()) ? 1 : 0;
}

template <typename T>
std::ostream& operator<<(std::ostream& os, std::list<T>& l) {
  os << "(";
  bool first = true;
  for (auto& e : l) {
    if (!first) os << ", ";
    first = false;
    os << e;
    os.flush();
  }
  os << ")";
  os.flush();
  return os;
}

template <typename T>
std::ostream& operator<<(std::ostream& os, std::set<T> const& s) {
  os << "{";
  bool first = true;
  for (auto const& e : s) {
    if (!first) os << ",";
    first = false;
    os << e;
  }
  os << "}";
  return os;
}

extern std::list<int> empty_list_int;
extern std::list<long> empty_list_long;
extern std::list<std::string> empty_list_String;

#endif
