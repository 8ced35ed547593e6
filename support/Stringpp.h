// String helpers shared by every subsystem: cutting by position, searching,
// decimal conversions and the tokeniser of condition texts.
#ifndef TARVEK_STRINGPP_H
#define TARVEK_STRINGPP_H

#include <cstdint>
#include <string>

// Conversions wrap around like 32-bit (or 64-bit) machine words; the
// fixed-width types keep that true whatever the host's long is.
char* Stoa(const std::string& s);
int32_t Stol(std::string s);
int32_t Stoi(std::string s);
int64_t Stoll(std::string s);
std::string unslong2S(uint32_t n);
std::string unslonglong2S(uint64_t n);
std::string ctoS(char c);

bool contains(std::string s, std::string t);
int find(std::string s, std::string t);
int char_occurences(const std::string& s, char c);
bool est_lc(char c);
bool checkuint(const std::string& s);
bool checkint(const std::string& s);

std::string my_before(std::string s, int n);
std::string my_after(const std::string& s, int p);
std::string my_at(const std::string& s, int from, int to);

std::string substitute_char(const std::string& s, char c, const std::string& r);
std::string substitute_char(const std::string& s, char c, char d);

std::string next_Stringtoken(std::string s, char sep, std::string* rest);

#endif
