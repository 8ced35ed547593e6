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

// The strings of a sum of products: between products, between literals,
// before and after a negated literal, around a variable's name.
struct sop_syntax {
  char const *or_s, *and_s, *not_s, *close_s, *prefix, *suffix;
};

// Appends to a string, or to a stream through a buffer of its own: a
// cover can hold millions of literals.
class text_sink {
 public:
  explicit text_sink(std::string& s) : whole(&s), stream(nullptr) {}
  explicit text_sink(std::ostream& os) : whole(nullptr), stream(&os), chunk(new char[chunk_size]) {}
  ~text_sink() { flush(); }
  text_sink(text_sink const&) = delete;
  text_sink& operator=(text_sink const&) = delete;
  void reserve(size_t n) {
    if (whole) whole->reserve(whole->size() + n);
  }
  bool counts_first() const { return whole != nullptr; }
  void put(std::string const& t) {
    if (whole) {
      *whole += t;
      return;
    }
    if (used + t.size() > chunk_size) {
      flush();
      if (t.size() > chunk_size) {
        stream->write(t.data(), static_cast<std::streamsize>(t.size()));
        return;
      }
    }
    std::copy(t.begin(), t.end(), chunk.get() + used);
    used += t.size();
  }

 private:
  void flush() {
    if (stream && used) stream->write(chunk.get(), static_cast<std::streamsize>(used));
    used = 0;
  }
  // Below the size that malloc takes from the system on each request.
  static constexpr size_t chunk_size = size_t{1} << 16;
  std::string* whole;
  std::ostream* stream;
  std::unique_ptr<char[]> chunk;  // not cleared: only what is written is read
  size_t used = 0;
};

// The text of each literal, alone or after another in its product, made
// when first written.
class literal_texts {
 public:
  literal_texts(bddpp_manager* m, sop_syntax const& s, std::function<std::string(int32_t)> const& name)
      : m(m), s(s), name(name), texts(4 * static_cast<size_t>(m->nbr_variables())),
        made(m->nbr_variables(), 0) {}
  std::string const& of(int32_t i, bool positive, bool first) {
    if (!made[i]) {
      std::string n = name ? name(i) : s.prefix + bdd_engine::name_at(m, i) + s.suffix;
      std::string negated = s.not_s + n + s.close_s;
      texts[4 * i] = n;
      texts[4 * i + 1] = negated;
      texts[4 * i + 2] = s.and_s + n;
      texts[4 * i + 3] = s.and_s + negated;
      made[i] = 1;
    }
    return texts[4 * i + (first ? 0 : 2) + (positive ? 0 : 1)];
  }

 private:
  bddpp_manager* m;
  sop_syntax const& s;
  std::function<std::string(int32_t)> const& name;
  std::vector<std::string> texts;
  std::vector<char> made;
};

// The cover of f by the method, written with the given syntax; `name`
// gives the text of the variable at an index (its name by default). A
// constant is "0" or "1", as its cover's one product or empty cover reads.
// A whole string is given its length first.
template <typename Out>
void write_sop(bddpp_manager* m, bdd const& f, int method, sop_syntax const& s, Out& out,
               std::function<std::string(int32_t)> const& name = nullptr) {
  bdd_cubes cover(m->nbr_variables());
  bdd_cover_cubes(m, f, method, cover);
  text_sink sink(out);
  if (m->Bdd_is_tautology(f)) {
    sink.put(m->Bdd_is_one_tautologic(f) ? "1" : "0");
    return;
  }
  literal_texts literals(m, s, name);
  std::string const or_text = s.or_s;
  auto each_text = [&](auto put) {
    for (size_t k = 0; k < cover.size(); ++k) {
      if (k) put(or_text);
      bool first = true;
      cover.for_each_literal(k, [&](int32_t i, bool pos) {
        put(literals.of(i, pos, first));
        first = false;
      });
    }
  };
  if (sink.counts_first()) {
    size_t length = 0;
    each_text([&](std::string const& t) { length += t.size(); });
    sink.reserve(length);
  }
  each_text([&](std::string const& t) { sink.put(t); });
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
  std::string s;
  write_sop(this, f, method, {or_s, and_s, not_s, close_s, prefix, suffix}, s);
  return s;
}

std::string bddpp_manager::Print_sop_to_String(char const* or_s, char const* and_s, char const* not_s,
                                               char const* close_s, bdd const& f, int method) {
  return Print_sop_to_String_pref_suff(or_s, and_s, not_s, close_s, f, "", "", method);
}

void bddpp_manager::Print_sop(char const* or_s, char const* and_s, char const* not_s, char const* close_s,
                              std::ostream& os, bdd const& f, int method) {
  Print_sop_pref_suff(or_s, and_s, not_s, close_s, os, f, "", "", method);
}

void bddpp_manager::Print_sop_pref_suff(char const* or_s, char const* and_s, char const* not_s,
                                        char const* close_s, std::ostream& os, bdd const& f, char const* prefix,
                                        char const* suffix, int method) {
  write_sop(this, f, method, {or_s, and_s, not_s, close_s, prefix, suffix}, os);
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
  write_sop(this, f, method, {separator, and_s, not_s, close_s, "", ""}, os,
            [&](int32_t i) { return array + "[" + std::to_string(i) + "]"; });
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
