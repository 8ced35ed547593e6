// Searching whole words, replacing patterns, trimming blanks and splitting a
// text into records.
#ifndef TARVEK_STRINGEXP_H
#define TARVEK_STRINGEXP_H

#include <string>

int find_token(const std::string& s, const std::string& tok);
bool contains_token(const std::string& s, const std::string& tok);
std::string substitute_token(const std::string& s, const std::string& tok, const std::string& rep);
std::string substitute_string(const std::string& s, const std::string& pat, const std::string& rep);
std::string bdelete(const std::string& s);
std::string cancel_begin_end_spaces(const std::string& s);
std::string clever_substitute_space(const std::string& s, char c);
std::string next_record(const std::string& s, char sep, std::string& rest);
std::string next_record(const std::string& s, const char* seps, std::string& rest, char& found);
std::string last_record(const std::string& s, char sep, std::string& rest);

#endif
