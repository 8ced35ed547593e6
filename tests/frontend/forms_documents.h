// Small documents for the tests of the text viewer and its filters.
#ifndef TARVEK_TESTS_FORMS_DOCUMENTS_H
#define TARVEK_TESTS_FORMS_DOCUMENTS_H

#include <string>
#include <vector>

// "ligne 1" to "ligne n".
inline std::vector<std::string> lignes(int n) {
  std::vector<std::string> doc;
  for (int i = 1; i <= n; ++i) doc.push_back("ligne " + std::to_string(i));
  return doc;
}

inline std::vector<std::string> concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// n lines, every tenth one (from the first) a column definition.
inline std::vector<std::string> avec_definitions(int n) {
  std::vector<std::string> doc;
  for (int i = 0; i < n; ++i) doc.push_back(i % 10 == 0 ? "#C 8 " : "l" + std::to_string(i));
  return doc;
}

// A table of two blocks with rules, separators and awkward cells, long
// enough for three pages.
inline std::vector<std::string> tableau() {
  std::vector<std::string> doc = {"#P T12 T20 T8 ", "#T", "nom#-valeur#-note", "#T"};
  for (int i = 0; i < 100; ++i)
    doc.push_back("x" + std::to_string(i) + "#-f(" + std::to_string(i) + ")#-" + (i % 7 == 0 ? "c:\\tmp\\" : "ok"));
  doc.push_back("#C T5 T5 ");
  doc.push_back("a#-b");
  doc.push_back("#T");
  doc.push_back("");
  doc.push_back("fin\\");
  return doc;
}

#endif
