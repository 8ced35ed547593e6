// Functions as sums of products in the targets' syntaxes: the caller gives
// the strings between products, between literals and around negations;
// literals follow the variable order, products the order of the cover.
#include <functional>
#include <sstream>

#include "bddpp_int.h"
#include "Stringpp.h"

namespace {

// Calls put(index, positive, first) for each literal of the product f in
// the variable order.
void for_each_literal(bddpp_manager* m, bdd const& f, std::function<void(int32_t, bool, bool)> const& put) {
  std::vector<int> literals(m->nbr_variables());
  m->Bdd_to_literals(f, literals.data());
  bool first = true;
  for (int32_t i = 0; i < m->nbr_variables(); ++i) {
    if (literals[i] == 2) continue;
    put(i, literals[i] == 1, first);
    first = false;
  }
}

// The product text with `name` giving the text of the variable at an index.
std::string product_text(bddpp_manager* m, char const* and_s, char const* not_s, char const* close_s, bdd const& f,
                         std::function<std::string(int32_t)> const& name) {
  if (m->Bdd_is_zero_tautologic(f)) return "0";
  if (m->Bdd_is_one_tautologic(f)) return "1";
  std::string s;
  for_each_literal(m, f, [&](int32_t i, bool positive, bool first) {
    if (!first) s += and_s;
    if (!positive) s += not_s;
    s += name(i);
    if (!positive) s += close_s;
  });
  return s;
}

}  // namespace

std::string bddpp_manager::Print_product_to_String_pref_suff(char const* and_s, char const* not_s,
                                                             char const* close_s, bdd const& f, char const* prefix,
                                                             char const* suffix) {
  return product_text(this, and_s, not_s, close_s, f, [&](int32_t i) {
    return prefix + bdd_engine::name_at(this, i) + suffix;
  });
}

std::string bddpp_manager::Print_product_to_String(char const* and_s, char const* not_s, char const* close_s,
                                                   bdd const& f) {
  return Print_product_to_String_pref_suff(and_s, not_s, close_s, f, "", "");
}

void bddpp_manager::Print_product(char const* and_s, char const* not_s, char const* close_s, std::ostream& os,
                                  bdd const& f) {
  os << Print_product_to_String(and_s, not_s, close_s, f);
}

void bddpp_manager::Print_product_pref_suff(char const* and_s, char const* not_s, char const* close_s,
                                            std::ostream& os, bdd const& f, char const* prefix, char const* suffix) {
  os << Print_product_to_String_pref_suff(and_s, not_s, close_s, f, prefix, suffix);
}

std::string bddpp_manager::Print_sop_to_String_pref_suff(char const* or_s, char const* and_s, char const* not_s,
                                                         char const* close_s, bdd const& f, char const* prefix,
                                                         char const* suffix, int method) {
  std::list<bdd> cover;
  Bdd_sop(f, cover, method);
  if (cover.empty()) return "0";
  std::string s;
  bool first = true;
  for (auto const& p : cover) {
    if (!first) s += or_s;
    first = false;
    s += Print_product_to_String_pref_suff(and_s, not_s, close_s, p, prefix, suffix);
  }
  return s;
}

std::string bddpp_manager::Print_sop_to_String(char const* or_s, char const* and_s, char const* not_s,
                                               char const* close_s, bdd const& f, int method) {
  return Print_sop_to_String_pref_suff(or_s, and_s, not_s, close_s, f, "", "", method);
}

void bddpp_manager::Print_sop(char const* or_s, char const* and_s, char const* not_s, char const* close_s,
                              std::ostream& os, bdd const& f, int method) {
  os << Print_sop_to_String(or_s, and_s, not_s, close_s, f, method);
}

void bddpp_manager::Print_sop_pref_suff(char const* or_s, char const* and_s, char const* not_s,
                                        char const* close_s, std::ostream& os, bdd const& f, char const* prefix,
                                        char const* suffix, int method) {
  os << Print_sop_to_String_pref_suff(or_s, and_s, not_s, close_s, f, prefix, suffix, method);
}

std::string bddpp_manager::Print_sop_to_ESTEREL_String(bdd const& f, int method) {
  if (Bdd_is_zero_tautologic(f)) return "not tick";
  if (Bdd_is_one_tautologic(f)) return "tick";
  return Print_sop_to_String(" or ", " and ", "not ", "", f, method);
}

// One product comes out bare, several fully bracketed.
std::string bddpp_manager::Print_sop_to_VHDL_String(bdd const& f, int method) {
  if (Bdd_is_zero_tautologic(f)) return "'0'";
  if (Bdd_is_one_tautologic(f)) return "'1'";
  std::string s = Print_sop_to_String(") or (", " and ", "not ", "", f, method);
  return contains(s, ") or (") ? "(" + s + ")" : s;
}

void bddpp_manager::Print_cat_product(char const* and_s, char const* not_s, char const* close_s, std::ostream& os,
                                      bdd const& f, std::string const& array) {
  os << product_text(this, and_s, not_s, close_s, f,
                     [&](int32_t i) { return array + "[" + std::to_string(i) + "]"; });
}

void bddpp_manager::Print_cat_sop(char const* separator, char const* and_s, char const* not_s, char const* close_s,
                                  std::ostream& os, bdd const& f, std::string const& array, int method) {
  std::list<bdd> cover;
  Bdd_sop(f, cover, method);
  if (cover.empty()) {
    os << "0";
    return;
  }
  bool first = true;
  for (auto const& p : cover) {
    if (!first) os << separator;
    first = false;
    Print_cat_product(and_s, not_s, close_s, os, p, array);
  }
}

// A literal as the code of its position, moved by the offset: negated
// codes step down (or up when they would not stay positive), positive
// codes step up twice when shifted. Wraps like a 32-bit word.
void bddpp_manager::Print_cat_product(std::ostream& os, bdd const& f, std::map<long, int>& codes, int offset,
                                      bool shift) {
  if (Bdd_is_zero_tautologic(f)) {
    os << "0";
    return;
  }
  if (Bdd_is_one_tautologic(f)) {
    os << "1";
    return;
  }
  for_each_literal(this, f, [&](int32_t i, bool positive, bool first) {
    auto code = codes.find(i);
    if (code == codes.end()) {
      std::cerr << "****error:print_cat_product:" << i << " is not a valid index \n";
      bdd_fatal();
    }
    uint32_t c = static_cast<uint32_t>(code->second);
    uint32_t n = static_cast<uint32_t>(offset);
    uint32_t value;
    if (positive)
      value = shift ? c + 2 * n : c;
    else
      value = code->second > offset ? c - n : c + n;
    if (!first) os << ",";
    os << static_cast<int32_t>(value);
  });
}
