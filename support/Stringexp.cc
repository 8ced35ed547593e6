// Word search, pattern replacement and record splitting over 8-bit texts.
#include "Stringexp.h"

#include <cstring>

#include "Stringpp.h"

// Word characters of find_token: ASCII letters, digits, '_' and the accented
// Latin-1 letters that appear in French identifiers.
static bool is_word_char(char ch) {
  unsigned char c = static_cast<unsigned char>(ch);
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_') return true;
  switch (c) {
    case 0xE0: case 0xE2: case 0xE7: case 0xE8: case 0xE9: case 0xEA: case 0xF4: case 0x8C:
      return true;
    default:
      return false;
  }
}

int find_token(const std::string& s, const std::string& tok) {
  std::string copy = s;
  for (char& c : copy)
    if (!is_word_char(c)) c = ' ';
  return find(" " + copy + " ", " " + tok + " ");
}

bool contains_token(const std::string& s, const std::string& tok) { return find_token(s, tok) >= 0; }

// An empty token or pattern would never advance the scan: the text comes back unchanged.
std::string substitute_token(const std::string& s, const std::string& tok, const std::string& rep) {
  if (tok.empty()) return s;
  std::string result;
  size_t pos = 0;  // start of the remaining text, as a position in s
  for (;;) {
    size_t at = s.find(tok, pos);
    if (at == std::string::npos) break;
    result.append(s, pos, at - pos);
    size_t after = at + tok.size();
    bool glued_before = at > 0 && est_lc(s[at - 1]);
    bool glued_after = after < s.size() && est_lc(s[after]);
    result += (glued_before || glued_after) ? tok : rep;
    pos = after;
  }
  result.append(s, pos, std::string::npos);
  return result;
}

std::string substitute_string(const std::string& s, const std::string& pat, const std::string& rep) {
  if (pat.empty()) return s;
  std::string result;
  size_t i = 0;
  while (i < s.size()) {
    if (s.compare(i, pat.size(), pat) == 0) {
      result += rep;
      i += pat.size();
    } else {
      result += s[i++];
    }
  }
  return result;
}

std::string bdelete(const std::string& s) {
  if (s.size() <= 2) return std::string();
  return s.substr(1, s.size() - 2);
}

std::string cancel_begin_end_spaces(const std::string& s) {
  size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  size_t last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

std::string clever_substitute_space(const std::string& s, char c) {
  return substitute_char(cancel_begin_end_spaces(s), ' ', c);
}

// rest may be the very text being split, so the head is copied out first.
static std::string split_at(const std::string& s, size_t at, std::string& rest) {
  std::string head = s.substr(0, at);
  rest = at == std::string::npos ? std::string() : s.substr(at + 1);
  return head;
}

std::string next_record(const std::string& s, char sep, std::string& rest) {
  return split_at(s, s.find(sep), rest);
}

std::string next_record(const std::string& s, const char* seps, std::string& rest, char& found) {
  size_t n = seps ? std::strlen(seps) : 0;
  size_t at = n ? s.find_first_of(seps, 0, n) : std::string::npos;
  found = at == std::string::npos ? ' ' : s[at];
  return split_at(s, at, rest);
}

std::string last_record(const std::string& s, char sep, std::string& rest) {
  return split_at(s, s.rfind(sep), rest);
}
