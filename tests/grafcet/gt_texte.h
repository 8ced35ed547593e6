// Helpers of the grafcet tests: parsing a .gt text in-process with the
// standard error stream and the log captured, and building small .gt texts.
#ifndef TARVEK_TESTS_GT_TEXTE_H
#define TARVEK_TESTS_GT_TEXTE_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gt_norm.h"

// Runs f with std::cerr redirected and returns what it wrote there.
std::string capture_cerr(const std::function<void()>& f);

struct lecture {
  int code = -1;                    // result of class_gt_parser::parse
  std::unique_ptr<tpen_fichier> g;  // the grafcet built, possibly partial
  std::string err;                  // the standard error stream
  std::string log;                  // the log: echoes and trace
};

lecture lit_texte(const std::string& texte, int explain = 0);

// A whole .gt text from the lines of its step and transition sections; the
// module is "m", with inputs a (bool), b (event) and outputs o (bool),
// e (event), no link and no assertion.
std::string gt_fichier(const std::vector<std::string>& etapes,
                       const std::vector<std::string>& transitions);

// A fresh empty folder of the running test: the tests of one binary run in
// parallel processes, so no two of them may share a folder.
std::string dossier_du_test();

// The .gt files of the examples and of the grafcet fixtures.
std::vector<std::string> fichiers_exemples();

#endif
