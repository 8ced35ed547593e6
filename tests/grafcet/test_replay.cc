// Replays through the fuzz target's pass the inputs that once made it fail,
// the examples and the fixtures, so that the normal suite keeps them fixed.
#include <gtest/gtest.h>

#include <filesystem>

#include "gt_passe.h"
#include "gt_texte.h"
#include "run_tool.h"

namespace {

TEST(Replay, FuzzCorpusExamplesAndFixtures) {
  int nombre = 0;
  for (std::string dossier :
       {std::string(TARVEK_TEST_DATA) + "/grafcet/data",
        std::string(TARVEK_TEST_DATA) + "/grafcet/data/fuzz", std::string(TARVEK_EXAMPLES)}) {
    for (auto const& f : std::filesystem::directory_iterator(dossier)) {
      if (!f.is_regular_file()) continue;
      std::string texte = read_file(f.path().string());
      capture_cerr([&] { passe_gt(reinterpret_cast<const uint8_t*>(texte.data()), texte.size()); });
      ++nombre;
    }
  }
  EXPECT_GE(nombre, 5);
}

}  // namespace
