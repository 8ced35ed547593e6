// The tarvek binary asked for the Lustre, Vestrane, Esterel, BRIMOT,
// documentation and sc targets on every grafcet of the corpus, in both
// modes, with and without the exported steps of -simul: every file is
// written, and the Lustre, Esterel and sc6 texts read as their languages
// would read them.
#include <gtest/gtest.h>

#include <regex>

#include "generation_test.h"
#include "verif_cibles.h"

namespace {

std::vector<std::string> sorties_lustre(const std::string& lus) {
  auto d = definitions(lus, motif(R"((     returns) \((.*): bool\);)"));
  std::vector<std::string> r;
  if (d.empty()) return r;
  std::string reste = d[0].second;
  for (size_t p; (p = reste.find(", ")) != std::string::npos; reste = reste.substr(p + 2))
    r.push_back(reste.substr(0, p));
  r.push_back(reste);
  return r;
}

// False when the compilation refuses the grafcet: the same run without
// any target must then refuse it alike, so that no writer hides a fault.
bool verifie_run(const std::string& dossier, const grafcet_corpus& g, bool equationnel,
                 bool simul) {
  SCOPED_TRACE(g.nom + (equationnel ? " -equational" : "") + (simul ? " -simul" : ""));
  std::vector<std::string> options = {"-lustre", "-vune", "-esterel", "-brimot", "-doc", "-sc"};
  std::vector<std::string> mode;
  if (equationnel) mode.push_back("-equational");
  if (simul) mode.push_back("-simul");
  options.insert(options.end(), mode.begin(), mode.end());
  sortie_tarvek s = lance_tarvek(dossier, g.nom, g.texte, options);
  if (s.r.exit_code != 0) {
    sortie_tarvek sans = lance_tarvek(dossier, g.nom, g.texte, mode);
    EXPECT_EQ(s.r.exit_code, 1) << s.r.err;
    EXPECT_EQ(sans.r.exit_code, 1) << sans.r.err;
    EXPECT_EQ(s.r.err, sans.r.err);
    return false;
  }
  for (std::string e : {".lus", ".vune", ".strl", ".doc"}) EXPECT_NE(s.fichiers[e], "") << e;
  // The equational mode writes neither the BRIMOT file nor the netlist.
  EXPECT_EQ(s.fichiers.count(".brm"), equationnel ? 0u : 1u);
  EXPECT_EQ(s.fichiers.count(".sc"), equationnel ? 0u : 1u);
  EXPECT_EQ(verif_lustre(s.fichiers[".lus"]), "");
  EXPECT_EQ(verif_esterel(s.fichiers[".strl"]), "");
  EXPECT_TRUE(std::regex_search(s.fichiers[".doc"],
                                motif("\nfin de la documentation \\.\\.\\.\n\nTemps CPU de "
                                           "compilation: [0-9.e+-]+ secondes\n\n$")));
  if (equationnel) return true;
  EXPECT_NE(s.fichiers[".brm"], "");
  netlist_sc nl = lit_sc(s.fichiers[".sc"]);
  EXPECT_EQ(nl.defauts, "");
  EXPECT_EQ(nl.sorties, sorties_lustre(s.fichiers[".lus"]));
  std::vector<int> annonces(nl.entrees.size() + nl.sorties.size());
  for (auto const& n : nl.nets)
    for (int a : n.annonces) ++annonces.at(a);
  for (size_t a = 0; a < annonces.size(); ++a) EXPECT_LE(annonces[a], 1) << a;
  return true;
}

void verifie_corpus(bool equationnel) {
  std::string d = scratch_dir(std::string("writers_structure_") + (equationnel ? "eq" : "fba"));
  int compiles = 0;
  for (auto const& g : corpus_ecrivains())
    for (bool simul : {false, true}) compiles += verifie_run(d, g, equationnel, simul);
  EXPECT_GE(compiles, 40);
}

TEST(Structure, EveryTargetOfTheCorpusByTheSearch) { verifie_corpus(false); }

TEST(Structure, EveryTargetOfTheCorpusInTheEquationalMode) { verifie_corpus(true); }

// The readers find what they are written for: a fault planted in a sound
// text of each language is reported.
TEST(Structure, TheReadersSeeFaults) {
  sortie_tarvek s =
      lance_tarvek(scratch_dir("writers_structure_fautes"), "g",
                   read_file(std::string(TARVEK_TEST_DATA) + "/writers/data/etape_morte.gt"),
                   {"-lustre", "-esterel", "-sc"});
  std::string lus = s.fichiers[".lus"], strl = s.fichiers[".strl"], sc = s.fichiers[".sc"];
  ASSERT_EQ(verif_lustre(lus), "");
  ASSERT_EQ(verif_esterel(strl), "");
  ASSERT_EQ(lit_sc(sc).defauts, "");
  auto remplace = [](std::string t, const std::string& a, const std::string& b) {
    size_t p = t.find(a);
    EXPECT_NE(p, std::string::npos) << a;
    return p == std::string::npos ? t : t.replace(p, a.size(), b);
  };
  struct cas {
    std::string texte, faute;
  } const lustre[] = {
      {remplace(lus, "  s= X1next and a;\n", ""), "s defined 0 times\n"},
      {remplace(lus, "  o= 0;", "  o= 0;\n  o= 1;"), "o defined 2 times\n"},
      {remplace(lus, "X1next and a", "X1next and b"), "undeclared name b in: s= X1next and b;\n"},
      {remplace(lus, "pre(X2next)", "pre(X1next)"),
       "register X2 not on its declared next state: X2= false-> pre(X1next);\n"},
  };
  for (auto const& c : lustre) EXPECT_EQ(verif_lustre(c.texte), c.faute);
  struct cas const esterel[] = {
      {remplace(strl, "      emit s\n", "      emit X2next\n"),
       "X2next emitted 2 times in the loop\n"},
      {remplace(strl, "present [ X1next and a ]", "present [ X1next and z ]"),
       "undeclared name z in: X1next and z\n"},
      {remplace(strl, "emit X1;", "emit X1next;"),
       "initial emit of X1next, which is no register\n"},
      {remplace(strl, "[signal X2next / S, X2 / preS]", "[signal X1next / S, X2 / preS]"),
       "register X2 not on its declared next state:     run my_pre [signal X1next / S, X2 / "
       "preS]\n"},
  };
  for (auto const& c : esterel) EXPECT_EQ(verif_esterel(c.texte), c.faute);
  struct cas const netlist[] = {
      {remplace(sc, "nets: 8", "nets: 9"), "nets announced 9, written 8\n"},
      {remplace(sc, " and: (2 4)", " and: (2 8)"), "reference out of the nets:  and: (2 8)\n"},
      {remplace(sc, "5: wire5 out: 1 act: 1", "5: wire5 out: 3 act: 3"),
       "announces no output: wire5\n"},
  };
  for (auto const& c : netlist) EXPECT_EQ(lit_sc(c.texte).defauts, c.faute);
}

}  // namespace
