// The PDF drawing: the page content of steps, actions, transitions and
// links, the page kinds and sizes, and qpdf and pdftoppm reading the
// drawing of every example and fixture.
#include <gtest/gtest.h>

#include <climits>

#include "gt_tables.h"
#include "gt_texte.h"
#include "pdf_outils.h"
#include "run_tool.h"

namespace {

std::string segment(long x1, long y1, long x2, long y2) {
  return "      " + std::to_string(x1) + " " + std::to_string(y1) + " m\n      " +
         std::to_string(x2) + " " + std::to_string(y2) + " l\n      S\n";
}

std::string boite(long x, long y, long w, long h) {
  return segment(x, y, x + w, y) + segment(x + w, y, x + w, y - h) +
         segment(x + w, y - h, x, y - h) + segment(x, y - h, x, y);
}

std::string texte(long x, long y, int taille, const std::string& t) {
  return "   BT\n     /F1 " + std::to_string(taille) + " Tf\n     " + std::to_string(x) + " " +
         std::to_string(y) + " Td\n     (" + t + ") Tj\n   ET\n";
}

struct document {
  std::string fichier;
  std::string pdf;      // the whole file
  std::string contenu;  // the page content, with LF line ends
};

document dessine(tpen_fichier& g, int page) {
  document d;
  std::string base = dossier_du_test() + "/g";
  g.put_pdf(base + ".gt", page);
  d.fichier = base + ".pdf";
  d.pdf = read_file(d.fichier);
  size_t debut = d.pdf.find("stream\r\n", d.pdf.find("11 0 obj"));
  size_t fin = d.pdf.find("endstream");
  if (debut != std::string::npos && fin != std::string::npos)
    d.contenu = lignes_lf(d.pdf.substr(debut + 8, fin - debut - 8));
  return d;
}

document dessine(const std::string& gt, int page) {
  lecture r = lit_texte(gt);
  EXPECT_EQ(r.code, 0) << r.err;
  return dessine(*r.g, page);
}

std::string liens_seuls(const std::string& liens) {
  return "Name: m Input: EndInput: Output: EndOutput: Step: EndStep: Transition: EndTransition: "
         "Link: " +
         liens + " EndLinkTable: Assertion: EndAssertion:";
}

TEST(PdfDrawing, StepAndTransitionOnAPortraitPage) {
  document d = dessine(gt_fichier({"IS: 1 5 3"}, {"2 5 4 FR: (0) TO: : \"a\""}), 0);
  std::string barre;
  for (long x = 45; x < 55; ++x) barre += segment(x, 759, x, 761);
  EXPECT_EQ(d.contenu, boite(45, 775, 10, 10) + texte(48, 768, 5, "1") + boite(47, 773, 6, 6) +
                           barre + texte(33, 758, 7, "(2)") + texte(60, 758, 7, "a"));
  EXPECT_NE(d.pdf.find("/MediaBox [0 0 612 810]"), std::string::npos);
  EXPECT_TRUE(qpdf_accepte(d.fichier));
}

// The page writer escapes the texts: a backslash and the parentheses
// without a partner, once.
TEST(PdfDrawing, TextsEscapedOnce) {
  document d = dessine(gt_fichier({"IS: 1 5 3"}, {"1 5 4 FR: (0) TO: : \"a \\ (b\"",
                                                  "2 5 6 FR: TO: (0) : \"(a) and b)\""}),
                       0);
  EXPECT_NE(d.contenu.find("     (a \\\\ \\(b) Tj\n"), std::string::npos) << d.contenu;
  EXPECT_NE(d.contenu.find("     ((a) and b\\)) Tj\n"), std::string::npos) << d.contenu;
  EXPECT_TRUE(qpdf_accepte(d.fichier));
}

// The first action stands on the step's row, 15 units right of its centre;
// a conditional one puts its condition on its row and its box one lower.
TEST(PdfDrawing, ActionsBesideTheirStep) {
  document d =
      dessine(gt_fichier({"NS: 2 5 3 Action: 0 \"N\" : \"1\" 1 \"P\" : \"c\" EndAction:"}, {}), 0);
  EXPECT_EQ(d.contenu,
            boite(45, 775, 10, 10) + texte(48, 768, 6, "2") + segment(55, 770, 60, 770) +
                boite(65, 775, 8, 10) + texte(67, 767, 7, "o") + segment(60, 770, 65, 770) +
                segment(70, 755, 70, 757) + texte(65, 758, 6, "c") + boite(65, 755, 18, 10) +
                segment(75, 755, 75, 745) + texte(67, 747, 7, "P") + texte(77, 747, 7, "e") +
                segment(60, 750, 65, 750) + segment(60, 770, 60, 750));
}

TEST(PdfDrawing, MarksOfTheStepTypes) {
  const std::string interieur = boite(47, 773, 6, 6);
  const std::string coins = segment(45, 772, 47, 775) + segment(45, 767, 47, 765) +
                            segment(55, 772, 53, 775) + segment(55, 767, 53, 765);
  const std::string etoile =
      segment(32, 770, 38, 770) + segment(33, 767, 37, 773) + segment(37, 767, 33, 773);
  struct cas {
    const char* mot;
    int taille;
    std::string marques;
  } const table[] = {
      {"IS", 5, interieur},
      {"NS", 6, ""},
      {"MS", 6, segment(45, 773, 55, 773) + segment(45, 767, 55, 767)},
      {"BMS", 6, segment(45, 773, 55, 773)},
      {"EMS", 6, segment(45, 767, 55, 767)},
      {"ES", 6, coins},
      {"EIS", 5, interieur + coins},
      {"SES", 6, etoile},
      {"SEIS", 5, interieur + etoile},
  };
  for (auto const& c : table) {
    document d = dessine(gt_fichier({std::string(c.mot) + ": 1 5 3"}, {}), 0);
    EXPECT_EQ(d.contenu, boite(45, 775, 10, 10) + texte(48, 768, c.taille, "1") + c.marques)
        << c.mot;
  }
}

// Arrows where the flow runs up the page, ends that stop at a step's edge,
// first points that reach a double bar, and the bars.
TEST(PdfDrawing, LinkPolylinesArrowsAndBars) {
  struct cas {
    const char* nom;
    const char* lien;
    std::string contenu;
  } const table[] = {
      {"two branches, no width",
       "BeginLink: Div: IdentT: 0 Line: 100 100 100 80 EndLine: "
       "IdentS: 0 Line: 100 100 100 160 EndLine: EndLink:",
       segment(50, 750, 50, 760) + segment(50, 750, 50, 725)},
      {"three branches",
       "BeginLink: Conv: IdentS: 0 Line: 60 200 60 160 EndLine: "
       "IdentS: 1 Line: 140 200 140 160 EndLine: IdentT: 0 Line: 100 200 100 220 EndLine: "
       "EndLink:",
       segment(30, 701, 30, 715) + segment(70, 701, 70, 715) + segment(50, 699, 50, 690) +
           segment(25, 701, 75, 701) + segment(25, 699, 75, 699)},
      {"two branches with width, flow up a step branch",
       "BeginLink: Div: IdentT: 1 Line: 100 300 100 280 EndLine: "
       "IdentS: 2 Line: 200 300 200 320 260 320 260 100 200 100 200 120 EndLine: EndLink:",
       segment(50, 650, 50, 660) + segment(100, 650, 100, 640) + segment(100, 640, 130, 640) +
           segment(130, 640, 130, 750) + segment(132, 695, 130, 700) + segment(127, 695, 130, 700) +
           segment(130, 750, 100, 750) + segment(100, 750, 100, 745) + segment(50, 650, 100, 650)},
      {"step below a convergence",
       "BeginLink: Conv: IdentT: 2 Line: 300 400 300 410 EndLine: "
       "IdentS: 3 Line: 300 400 300 440 EndLine: EndLink:",
       segment(150, 600, 150, 595) + segment(150, 600, 150, 585) + segment(152, 590, 150, 595) +
           segment(147, 590, 150, 595)},
  };
  for (auto const& c : table) {
    document d = dessine(liens_seuls(c.lien), 0);
    EXPECT_EQ(d.contenu, c.contenu) << c.nom;
  }
}

TEST(PdfDrawing, LargestCoordinates) {
  struct cas {
    std::vector<std::string> etapes, transitions;
    int largeur, hauteur;
  } const table[] = {
      {{}, {}, 10, 0},
      {{"IS: 1 12 3"}, {"1 4 20 FR: TO: : \"a\""}, 22, 20},
      {{"IS: 1 2147483647 0"}, {}, INT_MAX, 0},
  };
  for (auto const& c : table) {
    lecture r = lit_texte(gt_fichier(c.etapes, c.transitions));
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.g->largueur_max(), c.largeur);
    EXPECT_EQ(r.g->hauteur_max(), c.hauteur);
  }
  lecture r = lit_texte(gt_fichier({"IS: 1 3 3"}, {}));
  tables_gt::etapes(*r.g)[0].x = -40;
  tables_gt::etapes(*r.g)[0].y = -40;
  EXPECT_EQ(r.g->largueur_max(), 10);
  EXPECT_EQ(r.g->hauteur_max(), 0);
}

// The page kind sets the page and the drawing height; a kind outside 0 to 2
// is the portrait page, and a fitted page has a height even when every y
// is 0.
TEST(PdfDrawing, PageKindsAndSizes) {
  lecture r = lit_texte(gt_fichier({"IS: 1 12 20"}, {}));
  ASSERT_EQ(r.code, 0);
  struct cas {
    int page;
    const char* boite_media;
    long y;  // the top of the step's square
  } const table[] = {
      {2, "[0 0 220 220]", 25}, {0, "[0 0 612 810]", 605}, {1, "[0 0 810 612]", 405},
      {2, "[0 0 220 220]", 25}, {7, "[0 0 612 810]", 605}, {-1, "[0 0 612 810]", 605},
  };
  for (auto const& c : table) {
    document d = dessine(*r.g, c.page);
    EXPECT_NE(d.pdf.find(std::string("/MediaBox ") + c.boite_media), std::string::npos) << c.page;
    EXPECT_EQ(d.contenu.rfind(segment(115, c.y, 125, c.y), 0), 0u) << c.page;
    EXPECT_TRUE(qpdf_accepte(d.fichier)) << c.page;
  }
  for (auto const& gt :
       {gt_fichier({}, {}), gt_fichier({"IS: 1 4 0"}, {"1 9 0 FR: TO: : \"a\""})}) {
    lecture plat = lit_texte(gt);
    document d = dessine(*plat.g, 2);
    EXPECT_NE(d.pdf.find("/MediaBox [0 0 " + std::to_string(10 * plat.g->largueur_max()) + " 11]"),
              std::string::npos);
    EXPECT_TRUE(qpdf_accepte(d.fichier));
  }
  // The extension of the given name gives way to ".pdf".
  std::string dir = dossier_du_test();
  r.g->put_pdf(dir + "/plan.v2.gt", 0);
  EXPECT_TRUE(file_exists(dir + "/plan.v2.pdf"));
}

TEST(PdfDrawing, EveryDrawingIsReadByQpdfAndPdftoppm) {
  std::vector<std::string> fichiers = fichiers_exemples();
  ASSERT_GE(fichiers.size(), 5u);
  for (auto const& f : fichiers) {
    lecture r = lit_texte(read_file(f));
    ASSERT_EQ(r.code, 0) << f;
    for (int page : {0, 1, 2}) {
      document d = dessine(*r.g, page);
      EXPECT_TRUE(qpdf_accepte(d.fichier)) << f << " " << page;
      if (page == 0) {
        EXPECT_GT(read_file(rendu_png(d.fichier, 20)).size(), 100u) << f;
      }
    }
  }
}

}  // namespace
