// The PostScript drawing: its head, the lines of steps, actions,
// transitions and links, the texts in PostScript strings, and Ghostscript
// running the drawing of every example and fixture.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "gt_texte.h"
#include "run_tool.h"

namespace {

std::vector<std::string> lignes(const std::string& texte) {
  std::vector<std::string> r;
  std::istringstream in(texte);
  for (std::string l; std::getline(in, l);) r.push_back(l);
  return r;
}

// The drawing of a grafcet read from a text, as its lines.
std::vector<std::string> dessin(const std::string& texte, float a = 10) {
  lecture r = lit_texte(texte);
  EXPECT_EQ(r.code, 0) << r.err;
  std::string base = dossier_du_test() + "/g";
  r.g->put_postscripts("", base, a);
  return lignes(read_file(base + ".ps"));
}

// The lines after the prolog, up to "showpage".
std::vector<std::string> corps(std::vector<std::string> const& l) {
  size_t i = 0;
  while (i < l.size() && (l[i].empty() || l[i][0] == '%' || l[i][0] == '/' || i < 7)) ++i;
  return std::vector<std::string>(l.begin() + i, l.end() - 1);
}

std::string fixture(const std::string& nom) {
  return read_file(std::string(TARVEK_TEST_DATA) + "/grafcet/data/" + nom);
}

TEST(PostScript, HeadPrologAndEnd) {
  std::vector<std::string> l = dessin(gt_fichier({"IS: 1 2 3"}, {}), 7.5);
  ASSERT_GT(l.size(), 31u);
  std::vector<std::string> tete(l.begin(), l.begin() + 7);
  EXPECT_EQ(tete, (std::vector<std::string>{"%!PS-Adobe-2.0", "%%BoundingBox 0 0 70 100",
                                            "35 -50 translate", "2.8346 2.8346 scale", "/a 7.5 def",
                                            "/epaisseur a 20 div  def", "epaisseur setlinewidth"}));
  const char* const procedures[] = {"translate_coord_etape",
                                    "translate_coord_trans",
                                    "carre",
                                    "etape_initiale",
                                    "taille_defaut",
                                    "taille_reduite",
                                    "etape_unite",
                                    "etape_dizaine",
                                    "etape_centaine",
                                    "ecrit_chiffre",
                                    "trace_etape",
                                    "trace_etape_initiale",
                                    "taille_var",
                                    "taille_min",
                                    "lien_direct",
                                    "lien_decale",
                                    "trace_action",
                                    "taille_texte",
                                    "transition",
                                    "texte_transition",
                                    "addcondition",
                                    "trace_trait",
                                    "trace_double_barre",
                                    "trace_simple_barre"};
  for (size_t i = 0; i < std::size(procedures); ++i)
    EXPECT_EQ(l[7 + i].rfind("/" + std::string(procedures[i]) + " {", 0), 0u) << l[7 + i];
  EXPECT_EQ(l.back(), "showpage");
  EXPECT_EQ(dessin(gt_fichier({}, {}), 10)[4], "/a 10 def");
}

TEST(PostScript, StepActionAndTransitionLines) {
  std::string texte =
      "Name: m Input: EndInput: Output: \"L\" : bool EndOutput: "
      "Step: IS: 1 2 3 Action: 0 \"N\" : \"1\" EndAction: NS: 2 2 7 EndStep: "
      "Transition: 4 2 5 FR: (0) TO: (1) : \"x.y\" EndTransition: "
      "Link: EndLinkTable: Assertion: EndAssertion:";
  EXPECT_EQ(
      corps(dessin(texte)),
      (std::vector<std::string>{
          "1 a 2 mul 297 a 3 mul sub trace_etape_initiale", "a 2 mul 297 a 3 mul sub lien_direct",
          "(L) (N) a 2 mul  297 a 3 mul sub  trace_action", "2 a 2 mul 297 a 7 mul sub trace_etape",
          "(x.y) ((4)) 2 a mul 297 5 a mul sub texte_transition"}));
}

// The fixture has every kind of action row and of link.
TEST(PostScript, ActionRowsAndLinks) {
  std::vector<std::string> c = corps(dessin(fixture("drawing.gt")));
  ASSERT_EQ(c.size(), 34u);
  std::vector<std::string> actions(c.begin(), c.begin() + 9);
  EXPECT_EQ(
      actions,
      (std::vector<std::string>{
          "7 a 4 mul 297 a 2 mul sub trace_etape_initiale", "a 4 mul 297 a 2 mul sub lien_direct",
          "(L) (N) a 4 mul  297 a 2 mul sub  trace_action",
          "(a) a 4 mul  297 a 2 mul sub addcondition",
          "(a_long_output_name) (N) a 4 mul  297 a 2 mul sub 1 a mul sub trace_action",
          "4 a mul 297 2 a  mul sub 1 lien_decale",
          "(pulse) (P) a 4 mul  297 a 2 mul sub 3 a mul sub trace_action",
          "(b) a 4 mul  297 a 2 mul sub a 3 mul sub addcondition",
          "4 a mul 297 2 a  mul sub 3 lien_decale"}));
  std::vector<std::string> liens(c.begin() + 19, c.end());
  EXPECT_EQ(
      liens,
      (std::vector<std::string>{
          "9 a mul 297 7.5 a mul sub 10 a mul trace_double_barre",
          "4 a mul  297 a 7.5 mul a 8 div  sub sub  moveto 4 a mul  297 a 7 mul sub lineto stroke",
          "4 a mul  297 a 7.5 mul a 8 div  add sub  moveto "
          "4 a mul  297 a 10 mul a 2 div  sub sub lineto stroke",
          "14 a mul  297 a 7.5 mul a 8 div  add sub  moveto "
          "14 a mul  297 a 10 mul a 2 div  sub sub lineto stroke",
          "9 a mul 297 12.5 a mul sub 10 a mul trace_double_barre",
          "4 a mul  297 a 12.5 mul a 8 div  sub sub  moveto "
          "4 a mul  297 a 10 mul a 2 div  add sub lineto stroke",
          "14 a mul  297 a 12.5 mul a 8 div  sub sub  moveto "
          "14 a mul  297 a 10 mul a 2 div  add sub lineto stroke",
          "4 a mul  297 a 12.5 mul a 8 div  add sub  moveto 4 a mul  297 a 13 mul sub lineto "
          "stroke",
          "4 a mul 297 19 a mul sub 4 a mul 297 16 a mul a 2 div add sub trace_trait",
          "7 a mul 297 19.5 a mul sub 6 a mul trace_simple_barre",
          "4 a mul  297 a 19.5 mul sub moveto 4 a mul  297 a 19 mul sub lineto stroke",
          "10 a mul  297 a 19.5 mul sub moveto 10 a mul  297 a 22 mul a 2 div sub sub lineto "
          "stroke",
          "10 a mul 297 25 a mul sub 10 a mul 297 22 a mul a 2 div add sub trace_trait",
          "10 a mul  297 a 25.5 mul sub moveto 10 a mul  297 a 25 mul sub lineto stroke",
          "10 a mul  297 a 25.5 mul sub moveto 17 a mul  297 a 25.5 mul sub moveto "
          "17 a mul  297 a 1 mul sub lineto 4 a mul  297 a 1 mul sub lineto "
          "4 a mul  297 a 2 mul a 2 div sub sub lineto stroke",
      }));
}

// A backslash and a parenthesis without its partner are escaped; balanced
// parentheses keep their bytes.
TEST(PostScript, TextsInStrings) {
  struct cas {
    const char* texte;
    const char* chaine;
  } const table[] = {
      {"a", "(a)"},
      {"(a) and b", "((a) and b)"},
      {"a \\ b", "(a \\\\ b)"},
      {"(a", "(\\(a)"},
      {"a)", "(a\\))"},
      {")(", "(\\)\\()"},
      {"((a) and b", "(\\((a) and b)"},
      {"(a)) or (b", "((a)\\) or \\(b)"},
  };
  for (auto const& c : table) {
    std::string texte =
        gt_fichier({"IS: 1 2 3"}, {"9 2 5 FR: (0) TO: : \"" + std::string(c.texte) + "\""});
    std::vector<std::string> l = corps(dessin(texte, 10));
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[1], std::string(c.chaine) + " ((9)) 2 a mul 297 5 a mul sub texte_transition")
        << c.texte;
  }
}

// Ghostscript runs a drawing to its end without an error and with nothing
// left on the operand stack.
::testing::AssertionResult ghostscript_accepte(const std::string& base) {
  run_result gs =
      run_tool({TARVEK_GS, "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=png16m", "-r30",
                "-sOutputFile=" + base + ".png", base + ".ps", "-c", "count =="});
  if (gs.exit_code != 0 || gs.out != "0\n" || !gs.err.empty() ||
      read_file(base + ".png").size() < 100)
    return ::testing::AssertionFailure() << base << ".ps: exit " << gs.exit_code << "\n"
                                         << gs.out << gs.err;
  return ::testing::AssertionSuccess();
}

TEST(PostScript, EveryDrawingRunsInGhostscript) {
  std::vector<std::string> fichiers = fichiers_exemples();
  ASSERT_GE(fichiers.size(), 5u);
  std::string dir = dossier_du_test();
  for (auto const& f : fichiers) {
    lecture r = lit_texte(read_file(f));
    ASSERT_EQ(r.code, 0) << f;
    std::string base = dir + "/" + std::filesystem::path(f).stem().string();
    r.g->put_postscripts("", base, 8);
    EXPECT_TRUE(ghostscript_accepte(base));
  }
}

// A link of straight branches at one x is one segment between the ends of
// its first two branches; with a single branch there is nothing to draw.
TEST(PostScript, StraightLinksOfOneAndThreeBranches) {
  lecture r = lit_texte(
      "Name: m Input: EndInput: Output: EndOutput: Step: EndStep: Transition: EndTransition: "
      "Link: BeginLink: Div: IdentT: 0 Line: 100 100 100 80 EndLine: EndLink: "
      "BeginLink: Div: IdentT: 0 Line: 100 100 100 80 EndLine: "
      "IdentS: 0 Line: 100 100 100 160 EndLine: IdentS: 1 Line: 100 100 100 200 EndLine: "
      "EndLink: EndLinkTable: Assertion: EndAssertion:");
  ASSERT_EQ(r.code, 0);
  std::string base = dossier_du_test() + "/g";
  r.g->put_postscripts("", base, 10);
  EXPECT_EQ(corps(lignes(read_file(base + ".ps"))),
            std::vector<std::string>{
                "5 a mul 297 4 a mul sub 5 a mul 297 8 a mul a 2 div sub sub trace_trait"});
  EXPECT_TRUE(ghostscript_accepte(base));
}

}  // namespace
