// Helpers of the grafcet tests.
#include "gt_texte.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "lex.gt.h"
#include "parse_gt.h"
#include "run_tool.h"

std::string capture_cerr(const std::function<void()>& f) {
  std::ostringstream err;
  std::streambuf* old = std::cerr.rdbuf(err.rdbuf());
  f();
  std::cerr.rdbuf(old);
  return err.str();
}

lecture lit_texte(const std::string& texte, int explain) {
  lecture r;
  // One log per process: the tests of one binary run in parallel.
  std::string nom_log = (std::filesystem::temp_directory_path() /
                         ("tarvek-gt-texte-" + std::to_string(getpid()) + ".log"))
                            .string();
  std::fstream log(nom_log, std::ios::out | std::ios::trunc);
  std::istringstream in(texte);
  gtFlexLexer scanner(&in, &log);
  class_gt_parser parser;
  parser.lexer = &scanner;
  r.err = capture_cerr([&] { r.code = parser.parse(log, explain); });
  r.g.reset(parser.result);
  log.close();
  r.log = read_file(nom_log);
  std::filesystem::remove(nom_log);
  return r;
}

static std::string joint(const std::vector<std::string>& lignes, const char* sep) {
  std::string r;
  for (size_t i = 0; i < lignes.size(); ++i) r += (i ? sep : "") + lignes[i];
  return r;
}

std::string gt_fichier(const std::vector<std::string>& etapes,
                       const std::vector<std::string>& transitions) {
  return "Name: m\nInput: \"a\" : bool \"b\" : event EndInput:\n"
         "Output: \"o\" : bool \"e\" : event EndOutput:\nStep:\n" +
         joint(etapes, "\n") + "\nEndStep:\nTransition:\n" + joint(transitions, ",\n") +
         "\nEndTransition:\nLink: EndLinkTable:\nAssertion: EndAssertion:\n";
}

std::vector<std::string> fichiers_exemples() {
  std::vector<std::string> r;
  for (std::string dossier :
       {std::string(TARVEK_EXAMPLES), std::string(TARVEK_TEST_DATA) + "/grafcet/data"})
    for (auto const& f : std::filesystem::directory_iterator(dossier))
      if (f.path().extension() == ".gt") r.push_back(f.path().string());
  return r;
}

std::string dossier_du_test() {
  auto const* t = ::testing::UnitTest::GetInstance()->current_test_info();
  return scratch_dir(std::string("grafcet-") + t->test_suite_name() + "-" + t->name());
}
