// Small .gt texts for the tests that read, encode or compile a grafcet.
#ifndef TARVEK_TESTS_GT_SOURCE_H
#define TARVEK_TESTS_GT_SOURCE_H

#include <string>
#include <vector>

// A .gt text of module m from step and transition lines, with outputs o
// (bool) and e (event), the inputs as written between Input: and EndInput:
// (by default a, boolean) and the assertion texts.
inline std::string gt(const std::vector<std::string>& etapes,
                      const std::vector<std::string>& transitions,
                      const std::string& inputs = "\"a\" : bool",
                      const std::vector<std::string>& assertions = {}) {
  std::string t = "Name: m Input: " + inputs +
                  " EndInput: Output: \"o\" : bool \"e\" : event EndOutput:\nStep:\n";
  for (auto const& e : etapes) t += "  " + e + "\n";
  t += "EndStep:\nTransition:\n";
  for (size_t i = 0; i < transitions.size(); ++i) t += (i ? ",\n  " : "  ") + transitions[i];
  t += "\nEndTransition:\nLink: EndLinkTable:\nAssertion:";
  for (size_t i = 0; i < assertions.size(); ++i) t += (i ? ", \"" : " \"") + assertions[i] + "\"";
  return t + " EndAssertion:\n";
}

#endif
