// Number texts beyond plain decimal integers: a strict decimal reader,
// fixed-point writing, hexadecimal and base two both ways, and base eight
// written with the letters A to H.
#ifndef TARVEK_STRINGNUM_H
#define TARVEK_STRINGNUM_H

#include <cstdint>
#include <string>

#include "Stringpp.h"  // unslonglong2S

// The strict decimal reader: optional leading blanks and '-', no leading
// zero, sep as the only separator, an exponent that starts with 1 to 9.
// Stod gives 0 for a text that it refuses.
double Stod(std::string s, char sep);
bool checkdouble(const std::string& s, char sep);

// x with n decimals; a remainder of exactly one half rounds down.
std::string dtoS(double x, int n);

std::string long2S(int32_t n);
std::string longlong2S(int64_t n);
std::string unslongbyS(uint32_t n);

// Readers without validation: they wrap like 32-bit words.
uint32_t Stouhex(const std::string& s);
int32_t Stoshex(const std::string& s);
uint32_t Stoubin(const std::string& s);
int32_t Stosbin(const std::string& s);
int32_t Stohex(const std::string& s, const std::string& suffix);
int32_t Stoloruhex(const std::string& prefix, const std::string& s);

std::string hex1toS(int v);
std::string hex2toS(int v);
std::string hex4toS(int v);
std::string hex8toS(int32_t v);
std::string bin8toS(int v);

bool checkhex(const std::string& s);
bool checkhexintel(const std::string& s);
bool checkbin(const std::string& s);
bool beginbynumber(const std::string& s);

#endif
