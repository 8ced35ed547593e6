// Character-class and identifier checks, case conversion of ASCII,
// ISO-8859-1 and UTF-8 French texts, and the edit distance of two texts.
#ifndef TARVEK_STRINGCASE_H
#define TARVEK_STRINGCASE_H

#include <string>

// Only 'A' to 'Z' change; bytes from 0x80 up stay.
std::string downcase(std::string s);
// Only 'a' to 'z' change; bytes from 0x80 up are left out.
std::string upcase(std::string s);
// Upper-case ASCII from ISO-8859-1: the accented French letters lose their
// accent, every other byte from 0x80 up is left out.
std::string upcase_accent(std::string s);
// The same from UTF-8, by its own table of two-byte letters.
std::string upcase_accent2(std::string s);

bool check_ISO_8859_1_alphabetical_letter(char c);
// A letter (or '_' for the second one), then letters, digits and '_', never
// ending with '_'.
bool checkvarname(const std::string& s);
bool checkvarname_with_pre_underscore(const std::string& s);

// Bytes compared as they are; -1 when either text passes 998 characters.
int levenshtein(const std::string& a, const std::string& b);

#endif
