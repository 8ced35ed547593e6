// Filters that make a text safe for a typesetting format.
#ifndef TARVEK_STRINGFILTER_H
#define TARVEK_STRINGFILTER_H

#include <string>

// Every "_" becomes "\_"; nothing else is escaped.
std::string latex_String_filter(const std::string& s);
// The UTF-8 accented letters and typographic signs of French texts become
// RTF character escapes; other letters pass through as they are.
std::string rtf_String_filter(const std::string& s);

#endif
