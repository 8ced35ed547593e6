// Covers as tables of cubes for two-level logic tools: a header naming
// the input columns and the output, then one row of 1, 0 and - per
// product. The BLIF and numbered forms are fixed settings of one table.
#include <functional>

#include "bddpp_int.h"

namespace {

struct table_syntax {
  std::string const &prefix, &suffix, &head, &after_output, &row_separator, &last_end, &literal_separator;
};

// column(i) names the variable at index i; the output label is written
// as it is given.
void write_table(bddpp_manager* m, std::ostream& os, std::string const& output, bdd const& f,
                 table_syntax const& s, int method, std::function<std::string(int32_t)> const& column) {
  int32_t count = m->nbr_variables();
  std::vector<int> present(count);
  m->Present_variables(f, present.data());
  bdd_cubes cover(count);
  bdd_cover_cubes(m, f, method, cover);
  os << s.head;
  bool constant = true;
  for (int32_t i = 0; i < count; ++i) {
    if (!present[i]) continue;
    os << s.prefix << column(i) << s.suffix << " ";
    constant = false;
  }
  os << s.prefix << output << s.suffix << s.after_output;
  if (constant) {
    os << (m->Bdd_is_zero_tautologic(f) ? "0" : "1") << s.last_end;
    return;
  }
  std::string line;
  for (size_t k = 0; k < cover.size(); ++k) {
    line.clear();
    for (int32_t i = 0; i < count; ++i) {
      if (!present[i]) continue;
      int literal = cover.literal(k, i);
      line += literal == 1 ? '1' : literal == 0 ? '0' : '-';
      line += s.literal_separator;
    }
    line += " 1";
    line += k + 1 == cover.size() ? s.last_end : s.row_separator;
    os << line;
  }
}

}  // namespace

void bddpp_manager::PLA_print_pref_suff(std::ostream& os, bdd const& out, bdd const& f, std::string const& prefix,
                                        std::string const& suffix, std::string const& head,
                                        std::string const& after_output, std::string const& row_separator,
                                        std::string const& last_end, std::string const& literal_separator,
                                        int method) {
  std::string output = Name_var_by_bdd(out);
  write_table(this, os, output, f,
              {prefix, suffix, head, after_output, row_separator, last_end, literal_separator}, method,
              [this](int32_t i) { return Name_var_by_index(i); });
}

void bddpp_manager::BLIF_print(std::ostream& os, bdd const& out, bdd const& f, int method) {
  BLIF_print(os, Name_var_by_bdd(out), f, method);
}

void bddpp_manager::BLIF_print(std::ostream& os, std::string const& output, bdd const& f, int method) {
  std::string const none;
  std::string const head = ".names  ", line = "\n";
  write_table(this, os, output, f, {none, none, head, line, line, line, none}, method,
              [this](int32_t i) { return Name_var_by_index(i); });
}

// An output that is a constant keeps the label of the named form ("1" or
// "0") rather than a number read before the start of the table.
void bddpp_manager::PLA_print_pref_suff_with_renaming(std::ostream& os, bdd const& out, bdd const& f,
                                                      std::string const& prefix, std::string const& suffix,
                                                      std::string const& head, std::string const& after_output,
                                                      std::string const& row_separator,
                                                      std::string const& last_end,
                                                      std::string const& literal_separator, int method,
                                                      long* numbers) {
  bool variable = out.manager_ref() == this && out.node() && out.node()->id >= 0;
  std::string output =
      variable ? std::to_string(numbers[bdd_engine::index(out.node())]) : Name_var_by_bdd(out);
  write_table(this, os, output, f,
              {prefix, suffix, head, after_output, row_separator, last_end, literal_separator}, method,
              [numbers](int32_t i) { return std::to_string(numbers[i]); });
}

void bddpp_manager::LEC_print(std::ostream& os, long* numbers, bdd const& out, bdd const& f, int method) {
  PLA_print_pref_suff_with_renaming(os, out, f, "", "", "", ":\n", ",\n", ";\n", " ", method, numbers);
}
