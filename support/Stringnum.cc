// Number texts: the strict decimal automaton, fixed-point writing, and the
// hexadecimal, base-two and letter-digit conversions.
#include "Stringnum.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "Stringpp.h"

namespace {

// ---------------------------------------------------------------------------
// The decimal automaton. Besides the values it keeps the digits as read, for
// the numbers that do not fit the 32-bit counters of the plain computation.

enum etat_decimal {
  DEBUT,
  APRES_MOINS,
  APRES_ZERO,
  ENTIER,
  APRES_SEPARATEUR,
  FRACTION,
  APRES_E,
  APRES_SIGNE_E,
  EXPOSANT,
  REFUSE
};

struct nombre_decimal {
  bool accepte = false;
  int signe = 1, signe_exposant = 1;
  std::string entier = "0", fraction, exposant;
};

bool chiffre(char c) { return c >= '0' && c <= '9'; }
bool non_nul(char c) { return c >= '1' && c <= '9'; }

// One transition: the next state and whether the text ending there is accepted.
etat_decimal transition(etat_decimal e, char c, char sep, nombre_decimal& n) {
  switch (e) {
    case DEBUT:
      if (c == ' ') return n.accepte = false, DEBUT;
      if (c == '-') return n.signe = -1, n.accepte = false, APRES_MOINS;
      if (c == '0') return n.accepte = true, APRES_ZERO;
      if (non_nul(c)) return n.entier = c, n.accepte = true, ENTIER;
      break;
    case APRES_ZERO:
      if (c == sep) return n.accepte = false, APRES_SEPARATEUR;
      break;
    case APRES_MOINS:
      if (c == '0') return n.accepte = false, APRES_ZERO;
      if (non_nul(c)) return n.entier = c, n.accepte = true, ENTIER;
      break;
    case ENTIER:
      if (c == sep) return n.accepte = false, APRES_SEPARATEUR;
      if (chiffre(c)) return n.entier += c, n.accepte = true, ENTIER;
      if (c == 'E' || c == 'e') return n.accepte = false, APRES_E;
      break;
    case APRES_SEPARATEUR:
    case FRACTION:
      if (chiffre(c)) return n.fraction += c, n.accepte = true, FRACTION;
      if (e == FRACTION && (c == 'E' || c == 'e')) return n.accepte = false, APRES_E;
      break;
    case APRES_E:
      if (c == '-' || c == '+') return n.signe_exposant = c == '-' ? -1 : 1, n.accepte = false, APRES_SIGNE_E;
      [[fallthrough]];
    case APRES_SIGNE_E:
      if (non_nul(c)) return n.exposant = c, n.accepte = true, EXPOSANT;
      break;
    case EXPOSANT:
      if (chiffre(c)) return n.exposant += c, n.accepte = true, EXPOSANT;
      break;
    case REFUSE:
      break;
  }
  n.accepte = false;
  return REFUSE;
}

nombre_decimal lit_decimal(const std::string& s, char sep) {
  nombre_decimal n;
  etat_decimal e = DEBUT;
  for (char c : s) e = transition(e, c, sep, n);
  return n;
}

// The value of a digit run, or -1 when it passes 2^31 - 1.
int64_t valeur_32(const std::string& chiffres) {
  int64_t v = 0;
  for (char c : chiffres) {
    v = v * 10 + (c - '0');
    if (v > INT32_MAX) return -1;
  }
  return v;
}

// A number whose digits or exponent would overflow the 32-bit counters gets
// the double nearest to the decimal number it writes (infinite or zero
// beyond the range of double). Only digits and 'e' reach strtod, so the
// locale's decimal point plays no part.
double valeur_large(const nombre_decimal& n) {
  int64_t exposant = 0;
  for (char c : n.exposant) exposant = std::min<int64_t>(exposant * 10 + (c - '0'), 1000000000000LL);
  exposant = exposant * n.signe_exposant - static_cast<int64_t>(n.fraction.size());
  std::string texte = n.entier + n.fraction + "e" + std::to_string(exposant);
  return n.signe * std::strtod(texte.c_str(), nullptr);
}

}  // namespace

bool checkdouble(const std::string& s, char sep) { return lit_decimal(s, sep).accepte; }

double Stod(std::string s, char sep) {
  nombre_decimal n = lit_decimal(s, sep);
  if (!n.accepte) return 0;
  int64_t entier = valeur_32(n.entier), fraction = valeur_32(n.fraction), exposant = valeur_32(n.exposant);
  if (entier < 0 || fraction < 0 || exposant < 0 || n.fraction.size() > 9) return valeur_large(n);
  int64_t echelle = 1;
  for (size_t i = 0; i < n.fraction.size(); ++i) echelle *= 10;
  double v =
      (static_cast<double>(fraction) / static_cast<double>(echelle) + static_cast<double>(entier)) * n.signe;
  // Once infinite or zero the value no longer changes: no need to go on.
  for (int64_t i = 0; i < exposant && v != 0 && std::isfinite(v); ++i)
    v = n.signe_exposant > 0 ? v * 10 : v / 10;
  return v;
}

// ---------------------------------------------------------------------------
// Fixed-point writing.

namespace {

// More decimals than a double can hold would only add zeros.
const int plus_de_decimales = 1100;

// Adds one unit to the last digit of a run of decimal digits.
void ajoute_un(std::string& chiffres) {
  for (size_t i = chiffres.size(); i-- > 0;) {
    if (chiffres[i] != '9') {
      ++chiffres[i];
      return;
    }
    chiffres[i] = '0';
  }
  chiffres.insert(chiffres.begin(), '1');
}

// For an integer part beyond 32 bits or more than nine decimals: the same
// rounding rule (a remainder strictly above one half rounds up) applied to
// the exact decimal expansion of x, which printf gives in full.
std::string decimales_exactes(double x, int n) {
  std::string texte(plus_de_decimales + 400, '\0');
  int l = std::snprintf(&texte[0], texte.size(), "%.*f", plus_de_decimales, x);
  texte.resize(static_cast<size_t>(l));
  size_t virgule = texte.find_first_not_of("0123456789");  // whatever the locale writes there
  std::string entier = texte.substr(0, virgule), reste = texte.substr(virgule + 1);
  std::string decimales = reste.substr(0, static_cast<size_t>(n));
  std::string apres = reste.substr(static_cast<size_t>(n));
  bool au_dessus =
      !apres.empty() &&
      (apres[0] > '5' || (apres[0] == '5' && apres.find_first_not_of('0', 1) != std::string::npos));
  if (au_dessus) {
    std::string tout = entier + decimales;
    ajoute_un(tout);
    entier = tout.substr(0, tout.size() - decimales.size());
    decimales = tout.substr(entier.size());
  }
  return entier + "." + decimales;
}

}  // namespace

// Not-a-number and the infinities are written "nan", "inf" and "-inf".
std::string dtoS(double x, int n) {
  if (std::isnan(x)) return "nan";
  std::string signe;
  if (x < 0) {
    signe = "-";
    x = -x;
  }
  if (std::isinf(x)) return signe + "inf";
  if (x >= 2147483648.0 || n > 9)
    return signe + decimales_exactes(x, std::min(std::max(n, 0), plus_de_decimales));
  int64_t entier = static_cast<int64_t>(x);
  int32_t echelle = 1;
  for (int i = 0; i < n; ++i) echelle *= 10;
  // The added 1 gives F a leading 1 followed by exactly n digits, so that the
  // leading zeros of the fraction survive; that 1 is dropped below.
  double f = (x - static_cast<double>(entier) + 1) * echelle;
  int64_t F = static_cast<int64_t>(f);
  if (f - static_cast<double>(F) > 0.5) ++F;
  if (F == 2 * static_cast<int64_t>(echelle)) {
    ++entier;
    F -= echelle;
  }
  return signe + unslong2S(static_cast<uint32_t>(entier)) + "." +
         unslong2S(static_cast<uint32_t>(F)).substr(1);
}

// ---------------------------------------------------------------------------
// Decimal writing.

std::string longlong2S(int64_t n) {
  if (n < 0) return "-" + unslonglong2S(0u - static_cast<uint64_t>(n));
  return unslonglong2S(static_cast<uint64_t>(n));
}

std::string long2S(int32_t n) { return longlong2S(n); }

std::string unslongbyS(uint32_t n) {
  std::string r;
  do {
    r.insert(r.begin(), static_cast<char>('A' + n % 8));
    n >>= 3;
  } while (n != 0);
  return r;
}

// ---------------------------------------------------------------------------
// Hexadecimal and base two.

static uint32_t valeur_hex(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
  return 0;
}

uint32_t Stouhex(const std::string& s) {
  uint32_t v = 0;
  for (char c : s) v = (v << 4) + valeur_hex(c);
  return v;
}

// Two's complement over as many digits as the text has: 16^n is 0 modulo
// 2^32 from eight digits on.
int32_t Stoshex(const std::string& s) {
  uint32_t v = Stouhex(s);
  if (!s.empty() && static_cast<signed char>(s[0]) > '7' && s.size() < 8) v -= 1u << (4 * s.size());
  return static_cast<int32_t>(v);
}

// Codes count as signed bytes: a byte from 0x80 up subtracts.
static uint32_t valeur_bin(char c) { return static_cast<uint32_t>(static_cast<signed char>(c) - '0'); }

uint32_t Stoubin(const std::string& s) {
  uint32_t v = 0;
  for (char c : s) v = v * 2 + valeur_bin(c);
  return v;
}

int32_t Stosbin(const std::string& s) {
  if (s.empty()) return 0;
  if (s[0] == '0') return static_cast<int32_t>(Stoubin(s.substr(1)));
  uint32_t v = 0;
  for (size_t i = 1; i < s.size(); ++i) v = v * 2 + 1 - valeur_bin(s[i]);
  return static_cast<int32_t>(~v);
}

int32_t Stohex(const std::string& s, const std::string& suffix) {
  int at = find(s, suffix);
  if (at >= 0) return static_cast<int32_t>(Stouhex(my_before(s, at)));
  int32_t v = Stol(s);
  std::cerr << "Decimal Conversion " << v << std::endl;
  return v;
}

// The prefix is read with the digits: "0x" adds nothing to a value still 0.
int32_t Stoloruhex(const std::string& prefix, const std::string& s) {
  int at = find(s, prefix);
  if (at >= 0) return static_cast<int32_t>(Stouhex(my_after(s, at)));
  return Stol(s);
}

std::string hex1toS(int v) { return std::string(1, "0123456789abcdef"[v & 15]); }
std::string hex2toS(int v) { return hex1toS(v >> 4) + hex1toS(v); }
std::string hex4toS(int v) { return hex2toS(v >> 8) + hex2toS(v); }
std::string hex8toS(int32_t v) { return hex4toS(v >> 16) + hex4toS(v); }

std::string bin8toS(int v) {
  std::string r;
  for (int bit = 7; bit >= 0; --bit) r += (v >> bit) & 1 ? '1' : '0';
  return r;
}

static bool est_hex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool checkhex(const std::string& s) { return std::all_of(s.begin(), s.end(), est_hex); }

bool checkhexintel(const std::string& s) {
  return !s.empty() && s.back() == 'h' && std::all_of(s.begin(), s.end() - 1, est_hex);
}

bool checkbin(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == '0' || c == '1'; });
}

bool beginbynumber(const std::string& s) { return !s.empty() && s[0] >= '0' && s[0] <= '9'; }
