// The Lustre, Vestrane, Esterel, BRIMOT, documentation and sc6 files that
// the tarvek binary writes for three tiny grafcets, and its BLIF, VHDL and
// state-change files for two others, checked line by line by hand
// (data/attendu/): constant next states and a dead step, a single
// input, an event output never emitted, a bool output read from a next
// state, no actions, no inputs at all; in both compilation modes.
#include <gtest/gtest.h>

#include <regex>

#include "generation_test.h"
#include "verif_cibles.h"

namespace {

const std::string donnees = std::string(TARVEK_TEST_DATA) + "/writers/data/";

// The grafcet of data/ run in a folder of its own.
sortie_tarvek lance(const std::string& dossier, const std::string& nom,
                    const std::vector<std::string>& options) {
  return lance_tarvek(scratch_dir("writers_textes_" + dossier), nom,
                      read_file(donnees + nom + ".gt"), options);
}

std::string attendu(const std::string& chemin) { return read_file(donnees + "attendu/" + chemin); }

const std::vector<std::string> six_cibles = {"-lustre", "-vune", "-esterel",
                                             "-brimot", "-doc",  "-sc"};

// The documentation ends with the CPU time that the driver appends.
void compare_doc(const std::string& ecrit, const std::string& texte) {
  ASSERT_GE(ecrit.size(), texte.size());
  EXPECT_EQ(ecrit.substr(0, texte.size()), texte);
  EXPECT_TRUE(std::regex_match(ecrit.substr(texte.size()),
                               motif("Temps CPU de compilation: [0-9.e+-]+ secondes\n\n")))
      << ecrit.substr(texte.size());
}

TEST(Textes, DefaultModeAsCheckedByHand) {
  for (std::string nom : {"etape_morte", "sans_action", "etape_nue"}) {
    SCOPED_TRACE(nom);
    sortie_tarvek s = lance(nom, nom, six_cibles);
    EXPECT_EQ(s.r.exit_code, 0);
    EXPECT_EQ(s.r.err, "RECHERCHE PAR ETAT ACCESSIBLES demande\n");
    for (std::string e : {".lus", ".vune", ".strl", ".brm", ".sc"})
      EXPECT_EQ(s.fichiers[e], attendu("par_situations/" + nom + e)) << e;
    compare_doc(s.fichiers[".doc"], attendu("par_situations/" + nom + ".doc"));
  }
}

// The Lustre writer counts the locals on both standard streams; the sc and
// BRIMOT targets only say they are not available.
TEST(Textes, EquationalModeAsCheckedByHand) {
  struct cas {
    std::string nom;
    int locales;
  } const table[] = {{"etape_morte", 12}, {"etape_nue", 6}};
  for (auto const& c : table) {
    SCOPED_TRACE(c.nom);
    std::vector<std::string> options = six_cibles;
    options.push_back("-equational");
    sortie_tarvek s = lance("eq_" + c.nom, c.nom, options);
    std::string compte = "nb_var locale detecte: " + std::to_string(c.locales) + "\n";
    EXPECT_EQ(s.r.exit_code, 0);
    EXPECT_EQ(s.r.err,
              "EQU_MODE demande\nSC generation is incompatible with the equationnal compilation "
              "mode\nBRIMOT generation is incompatible with the equationnal compilation mode\n" +
                  compte);
    EXPECT_EQ(s.r.out, compte);
    for (std::string e : {".lus", ".vune", ".strl"})
      EXPECT_EQ(s.fichiers[e], attendu("equationnel/" + c.nom + e)) << e;
    compare_doc(s.fichiers[".doc"], attendu("equationnel/" + c.nom + ".doc"));
    EXPECT_EQ(s.fichiers.count(".brm"), 0u);
    EXPECT_EQ(s.fichiers.count(".sc"), 0u);
  }
}

// The BLIF, state-change and VHDL files of a grafcet without outputs whose
// only step keeps itself (a constant next state; the port lists close
// after the clock port) and of one without inputs whose first step has no
// action; the Altera form of one design per mode. The symbolic BLIF
// writer, and it alone, says it is done; the equational mode has no
// state-change file.
TEST(Textes, BlifStateChangeAndVhdlAsCheckedByHand) {
  for (std::string nom : {"sans_sortie", "bascule"}) {
    for (bool eq : {false, true}) {
      SCOPED_TRACE(nom + (eq ? ", equational" : ""));
      std::string mode = eq ? "equationnel/" : "par_situations/";
      std::vector<std::string> options = {"-blif", "-intern", "-vhdl"};
      if (eq) options.push_back("-equational");
      sortie_tarvek s = lance(mode.substr(0, 3) + nom, nom, options);
      EXPECT_EQ(s.r.exit_code, 0);
      EXPECT_EQ(s.r.out, eq ? "" : "BLIF_PUT terminated ...\n");
      EXPECT_EQ(s.fichiers[".blif"], attendu(mode + nom + ".blif"));
      EXPECT_EQ(s.fichiers[".vhd"], attendu(mode + nom + ".vhd"));
      if (eq)
        EXPECT_EQ(s.fichiers.count(".fba"), 0u);
      else
        EXPECT_EQ(s.fichiers[".fba"], attendu(mode + nom + ".fba"));
    }
  }
  sortie_tarvek fba = lance("altera_bascule", "bascule", {"-altera"});
  EXPECT_EQ(fba.fichiers[".vhd"], attendu("par_situations/bascule.altera.vhd"));
  sortie_tarvek eq = lance("altera_sans_sortie", "sans_sortie", {"-altera", "-equational"});
  EXPECT_EQ(eq.fichiers[".vhd"], attendu("equationnel/sans_sortie.altera.vhd"));
}

// The cover method reaches the writers: at -O2 the next-state function of
// a step left by two transitions is written with fewer products.
TEST(Textes, CoverMethodFromTheOptimisationLevel) {
  sortie_tarvek o0 = lance("O0", "sans_action", {"-lustre"});
  sortie_tarvek o2 = lance("O2", "sans_action", {"-lustre", "-O2", "-noarrange"});
  const std::regex& ligne = motif(R"(  (X1next)= (.*);)");
  auto produits = [&](const std::string& t) {
    auto d = definitions(t, ligne);
    return d.empty()
               ? -1
               : static_cast<int>(
                     lignes(std::regex_replace(d[0].second, motif(" or "), "\n")).size());
  };
  EXPECT_EQ(produits(o0.fichiers[".lus"]), 3);
  EXPECT_EQ(produits(o2.fichiers[".lus"]), 2);
}

}  // namespace
