// String helpers: positions are 0-based, -1 means "not found".
#include "Stringpp.h"

#include <cstring>

char* Stoa(const std::string& s) {
  char* a = new char[s.size() + 1];
  std::memcpy(a, s.data(), s.size());
  a[s.size()] = '\0';
  return a;
}

// Digits are not validated: every character after the first counts as a digit
// worth its (signed) code minus '0'. Unsigned arithmetic gives the wraparound
// that the numbers in files and option texts have always had.
template <typename U>
static U decimal_value(const std::string& s) {
  if (s.empty()) return 0;
  U value = 0;
  bool negative = s[0] == '-';
  if (!negative) value = static_cast<U>(static_cast<signed char>(s[0]) - '0');
  for (size_t i = 1; i < s.size(); ++i)
    value = value * 10 + static_cast<U>(static_cast<signed char>(s[i]) - '0');
  return negative ? static_cast<U>(0) - value : value;
}

int32_t Stol(std::string s) { return static_cast<int32_t>(decimal_value<uint32_t>(s)); }
int32_t Stoi(std::string s) { return static_cast<int32_t>(decimal_value<uint32_t>(s)); }
int64_t Stoll(std::string s) { return static_cast<int64_t>(decimal_value<uint64_t>(s)); }

std::string unslong2S(uint32_t n) { return unslonglong2S(n); }

std::string unslonglong2S(uint64_t n) {
  std::string r;
  do {
    r.insert(r.begin(), static_cast<char>('0' + n % 10));
    n /= 10;
  } while (n != 0);
  return r;
}

std::string ctoS(char c) { return std::string(1, c); }

bool contains(std::string s, std::string t) { return s.find(t) != std::string::npos; }

int find(std::string s, std::string t) {
  size_t p = s.find(t);
  return p == std::string::npos ? -1 : static_cast<int>(p);
}

int char_occurences(const std::string& s, char c) {
  int n = 0;
  for (char x : s)
    if (x == c) ++n;
  return n;
}

bool est_lc(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.' || c == ',' || c == '@';
}

bool checkuint(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

bool checkint(const std::string& s) {
  if (s.empty()) return false;
  if (s[0] == '-') return checkuint(s.substr(1));
  return checkuint(s);
}

std::string my_before(std::string s, int n) {
  if (n <= 0) return std::string();
  if (static_cast<size_t>(n) >= s.size()) return s;
  return s.substr(0, static_cast<size_t>(n));
}

// A negative start counts as 0: no caller passes one, and reading before the
// text is never allowed.
std::string my_after(const std::string& s, int p) {
  if (p < 0) p = 0;
  if (static_cast<size_t>(p) >= s.size()) return std::string();
  return s.substr(static_cast<size_t>(p));
}

std::string my_at(const std::string& s, int from, int to) {
  if (from < 0) from = 0;
  int len = static_cast<int>(s.size());
  if (to > len) to = len;
  if (from >= to) return std::string();
  return s.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
}

std::string substitute_char(const std::string& s, char c, const std::string& r) {
  std::string out;
  out.reserve(s.size());
  for (char x : s) {
    if (x == c)
      out += r;
    else
      out += x;
  }
  return out;
}

std::string substitute_char(const std::string& s, char c, char d) {
  std::string out = s;
  for (char& x : out)
    if (x == c) x = d;
  return out;
}

std::string next_Stringtoken(std::string s, char sep, std::string* rest) {
  if (s.empty()) {
    *rest = std::string();
    return std::string();
  }
  size_t i = s.find_first_not_of(sep);
  if (i == std::string::npos) {
    // A text of separators only yields the separator itself once.
    *rest = std::string();
    return std::string(1, s.back());
  }
  char c = s[i];
  size_t j = i + 1;
  if (c == '-') {
    while (j < s.size() && s[j] != sep && ((s[j] >= '0' && s[j] <= '9') || s[j] == '.')) ++j;
  } else if (est_lc(c)) {
    while (j < s.size() && s[j] != sep && est_lc(s[j])) ++j;
  }
  std::string token = s.substr(i, j - i);
  *rest = j < s.size() ? s.substr(j) : std::string();
  return token;
}
