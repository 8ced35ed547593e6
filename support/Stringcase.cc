// Text checks, case conversion and edit distance over 8-bit texts.
#include "Stringcase.h"

#include <algorithm>
#include <cstdint>
#include <iostream>

namespace {

bool minuscule(char c) { return c >= 'a' && c <= 'z'; }
bool majuscule(char c) { return c >= 'A' && c <= 'Z'; }
bool lettre(char c) { return minuscule(c) || majuscule(c); }
bool chiffre(char c) { return c >= '0' && c <= '9'; }
bool ascii(char c) { return static_cast<unsigned char>(c) < 0x80; }
char en_majuscule(char c) { return minuscule(c) ? static_cast<char>(c - 'a' + 'A') : c; }

// The letter an ISO-8859-1 byte from 0x80 up is written as, or 0.
char sans_accent_iso(unsigned char c) {
  switch (c) {
    case 0xE9:
    case 0xE8:
    case 0xEA:
      return 'E';
    case 0xE0:
    case 0xE2:
      return 'A';
    case 0xF4:
      return 'O';
    case 0xE7:
      return 'C';
    case 0x8C:
      return 'I';
    default:
      return 0;
  }
}

// The letter of a UTF-8 pair 0xC3 c, or 0.
char sans_accent_utf8(unsigned char c) {
  switch (c) {
    case 0xB6:
    case 0xB4:
      return 'O';
    case 0xAE:
    case 0xAD:
      return 'I';
    case 0xAB:
    case 0xA9:
    case 0xA8:
      return 'E';
    case 0xA7:
      return 'C';
    case 0xA4:
    case 0xA1:
      return 'A';
    default:
      return 0;
  }
}

}  // namespace

std::string downcase(std::string s) {
  for (char& c : s)
    if (majuscule(c)) c = static_cast<char>(c - 'A' + 'a');
  return s;
}

std::string upcase(std::string s) {
  std::string r;
  for (char c : s)
    if (ascii(c)) r += en_majuscule(c);
  return r;
}

std::string upcase_accent(std::string s) {
  std::string r;
  for (char c : s) {
    char l = ascii(c) ? en_majuscule(c) : sans_accent_iso(static_cast<unsigned char>(c));
    if (l) r += l;
  }
  return r;
}

std::string upcase_accent2(std::string s) {
  std::string r;
  for (size_t i = 0; i < s.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      r += en_majuscule(s[i]);
    } else if (c == 0xC3 && i + 1 < s.size()) {
      char l = sans_accent_utf8(static_cast<unsigned char>(s[++i]));
      if (l) r += l;
    } else if (c == 0xC4 && i + 1 < s.size()) {
      unsigned char suivant = static_cast<unsigned char>(s[i + 1]);
      if (suivant == 0xB1) r += 'I';
      if (suivant != 0xC3) ++i;  // a 0xC3 starts a pair of its own
    }
  }
  return r;
}

bool check_ISO_8859_1_alphabetical_letter(char ch) {
  unsigned char c = static_cast<unsigned char>(ch);
  return lettre(ch) || c == 0xB5 || (c >= 0xC0 && c <= 0xD6) || (c >= 0xD9 && c <= 0xF6) ||
         (c >= 0xF9 && c <= 0xFD) || c == 0xFF;
}

static bool identificateur(const std::string& s, bool souligne_en_tete) {
  if (s.empty()) return false;
  if (!lettre(s[0]) && !(souligne_en_tete && s[0] == '_' && s.size() > 1)) return false;
  for (size_t i = 1; i + 1 < s.size(); ++i)
    if (!lettre(s[i]) && !chiffre(s[i]) && s[i] != '_') return false;
  return s.size() == 1 || lettre(s.back()) || chiffre(s.back());
}

bool checkvarname(const std::string& s) { return identificateur(s, false); }
bool checkvarname_with_pre_underscore(const std::string& s) { return identificateur(s, true); }

// The table is as large as the limit needs and lives outside the stack,
// where 4 MB would not fit safely; it allocates nothing on the heap.
static int32_t table_levenshtein[1000][1000];

int levenshtein(const std::string& a, const std::string& b) {
  if (a.size() > 998 || b.size() > 998) {
    std::cerr << "chaines trop grandes!" << std::endl;
    return -1;
  }
  auto& d = table_levenshtein;
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = static_cast<int32_t>(i);
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = static_cast<int32_t>(j);
  for (size_t i = 1; i <= a.size(); ++i)
    for (size_t j = 1; j <= b.size(); ++j)
      d[i][j] =
          std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
  return d[a.size()][b.size()];
}
