// The LaTeX and RTF filters, as chains of pattern replacements.
#include "Stringfilter.h"

#include "Stringexp.h"

std::string latex_String_filter(const std::string& s) { return substitute_string(s, "_", "\\_"); }

// The order counts: the apostrophe goes first, so that the apostrophes of
// the escapes written by the later rows are not replaced again.
static const char* const rtf_remplacements[][2] = {
    {"'", "\\'91"},        {"\xE2\x80\x99", "\\'27"},
    {"\xC2\xAB", "\\'ab"}, {"\xC2\xBB", "\\'bb"},
    {"\xE2\x80\x93", "-"}, {"\xC3\x89", "\\'c9"},
    {"\xC3\x88", "\\'c8"}, {"\xC3\x8A", "\\'ca"},
    {"\xC3\x8B", "\\'cb"}, {"\xC3\x87", "\\'c7"},
    {"\xC3\xA9", "\\'e9"}, {"\xC3\xA8", "\\'e8"},
    {"\xC3\xAA", "\\'ea"}, {"\xC3\xAB", "\\'eb"},
    {"\xC3\xA7", "\\'e7"}, {"\xC3\xA0", "\\'e0"},
    {"\xC3\xB6", "\\'f6"}, {"\xC3\xB4", "\\'f4"},
    {"\xC3\xAE", "\\'ee"}, {"\xC3\xAF", "\\'ef"},
    {"\xC3\x97", "x"},     {"#", "\\'23"},
    {"$", "\\'24"},
};

std::string rtf_String_filter(const std::string& s) {
  std::string r = s;
  for (auto const& rangee : rtf_remplacements) r = substitute_string(r, rangee[0], rangee[1]);
  return r;
}
