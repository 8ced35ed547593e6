// The LaTeX documentation of both automata, which no option writes: the
// texts of a small grafcet checked by hand, the automata without any
// variable, and pdflatex on the documents of every grafcet of the corpus in
// both modes.
#include <gtest/gtest.h>

#include <sstream>

#include "automate_test.h"
#include "b_automaton.h"
#include "generation_test.h"

// The grafcet's name in the names of the corpus tests.
void PrintTo(const grafcet_corpus& g, std::ostream* os) { *os << g.nom; }

namespace {

const std::string donnees = std::string(TARVEK_TEST_DATA) + "/writers/data/";

std::string latex_par_situations(const std::string& texte, int methode) {
  compilation_test c = compile_texte(texte);
  std::ostringstream os;
  c.automate->LATEX_put(os, methode);
  return os.str();
}

std::string latex_equationnel(const std::string& texte, int methode) {
  compilation_eq c = compile_equationnel(texte);
  EXPECT_EQ(c.triable, 1);
  std::ostringstream os;
  c.automate->LATEX_put(os, methode, c.source.g->mon_nom_module());
  return os.str();
}

// "" when pdflatex makes a PDF of the document, else the end of its output.
std::string refus_pdflatex(const std::string& dossier, const std::string& nom,
                           const std::string& texte) {
  std::string pdflatex = outil("pdflatex");
  if (pdflatex.empty()) return "pdflatex is missing";
  write_file(dossier + "/" + nom + ".tex", texte);
  run_result r =
      run_tool({pdflatex, "-halt-on-error", "-interaction=nonstopmode", nom + ".tex"}, dossier, 60);
  if (r.exit_code == 0 && file_exists(dossier + "/" + nom + ".pdf")) return "";
  return nom + ": " + r.out.substr(r.out.size() > 1500 ? r.out.size() - 1500 : 0);
}

// The names hold "_" in every place: module, inputs, output, and the
// locals of the equational automaton.
TEST(DocumentationLatex, TextsOfASmallGrafcet) {
  std::string texte = read_file(donnees + "porte_simple.gt");
  std::string attendu = donnees + "attendu/";
  EXPECT_EQ(latex_par_situations(texte, 0), read_file(attendu + "par_situations/porte_simple.tex"));
  EXPECT_EQ(latex_equationnel(texte, 0), read_file(attendu + "equationnel/porte_simple.tex"));
}

// No grafcet gives an automaton without any variable: the lists that
// would be empty are left out, their headings stay, and LaTeX accepts it.
TEST(DocumentationLatex, AutomataWithoutVariables) {
  std::string d = scratch_dir("writers_latex_vides");
  std::set<int> aucun;
  FBA f("vide_f", aucun, {}, {}, {});
  std::ostringstream fs;
  f.LATEX_put(fs, 0);
  const std::string fin_fba =
      "{\\huge Automate: vide\\_f}\n\\end{center}\n"
      "\\section{\\'Equation de(s) variables locale(s) et des sortie(s):}\n"
      "\\end{document}\n\n";
  ASSERT_GE(fs.str().size(), fin_fba.size());
  EXPECT_EQ(fs.str().substr(fs.str().size() - fin_fba.size()), fin_fba);
  EXPECT_EQ(refus_pdflatex(d, "vide_f", fs.str()), "");

  std::list<std::string> vide;
  b_autom_dec dec(vide, vide, vide, vide, vide);
  int initiales[1] = {0};
  b_automaton e(&dec, initiales, bdd(), bdd());
  std::ostringstream es;
  e.LATEX_put(es, 0, "vide_e");
  const std::string fin_eq =
      "{\\huge module: vide\\_e}\n\\end{center}\n\n\\section{Registre(s):}\n\n"
      "\\end{document}\n\n";
  ASSERT_GE(es.str().size(), fin_eq.size());
  EXPECT_EQ(es.str().substr(es.str().size() - fin_eq.size()), fin_eq);
  EXPECT_EQ(refus_pdflatex(d, "vide_e", es.str()), "");
}

// The document of each automaton the binary accepts to compile from the
// grafcet, under the reduced covers as well.
class CorpusLatex : public ::testing::TestWithParam<grafcet_corpus> {};

TEST_P(CorpusLatex, PdflatexAcceptsBothDocuments) {
  grafcet_corpus const& g = GetParam();
  std::string d = scratch_dir("writers_latex_" + g.nom);
  for (bool eq : {false, true}) {
    std::vector<std::string> options;
    if (eq) options.push_back("-equational");
    if (lance_tarvek(d, g.nom, g.texte, options).r.exit_code != 0) continue;
    int methode = eq ? 0 : 2;
    std::string texte =
        eq ? latex_equationnel(g.texte, methode) : latex_par_situations(g.texte, methode);
    EXPECT_EQ(refus_pdflatex(d, g.nom + (eq ? "_eq" : "_fba"), texte), "");
  }
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusLatex, ::testing::ValuesIn(corpus_ecrivains()),
                         [](const ::testing::TestParamInfo<grafcet_corpus>& i) {
                           return i.param.nom;
                         });

}  // namespace
