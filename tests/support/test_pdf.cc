// The PDF page writer: the bytes of its head and closing, the lines of each
// drawing, and every document read back by qpdf, pdftoppm and pdftotext.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "g_pdf.h"
#include "pdf_outils.h"
#include "run_tool.h"

namespace {

std::string crlf(const std::string& lf) {
  std::string r;
  for (char c : lf) r += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return r;
}

// The content lines that a drawing writes on a stream with no document open.
template <typename F>
std::string dessin(F f) {
  std::ostringstream s;
  f(s);
  return lignes_lf(s.str());
}

const char* const tete_portrait =
    "%PDF-1.4\n"
    "1 0 obj\n  << /Type /Catalog\n     /Outlines 2 0 R\n     /Pages 3 0 R\n  >>\nendobj\n\n"
    "2 0 obj\n  << /Type /Outlines\n     /Count 0\n  >>\nendobj\n\n"
    "3 0 obj\n  << /Type /Pages\n     /Kids [\n10 0 R\n         ]\n     /Count 1\n  >>\nendobj\n\n"
    "4 0 obj\n   [/PDF /Text]\nendobj\n\n"
    "5 0 obj\n  << /Type /Font\n     /Subtype /Type1\n     /Name /F1\n     /BaseFont /Times-Roman\n"
    "     /Encoding /WinAnsiEncoding\n  >>\nendobj\n\n"
    "6 0 obj\n  << /Type /Font\n     /Subtype /Type1\n     /Name /F2\n     /BaseFont /Times-Bold\n"
    "     /Encoding /WinAnsiEncoding\n  >>\nendobj\n\n"
    "10 0 obj\n  << /Type /Page\n     /Parent 3 0 R\n     /MediaBox [0 0 612 810]\n     /Contents 11 0 R\n"
    "     /Resources << /ProcSet 4 0 R\n                   /Font << /F1 5 0 R\n"
    "                            /F2 6 0 R >>\n                >>\n  >>\nendobj\n\n";

TEST(PdfDocument, EmptyPortraitPageByteForByte) {
  std::ostringstream s;
  genere_debut_pdf_portrait(s);
  genere_fin_pdf(s);
  std::string expected = crlf(std::string(tete_portrait) +
                              "11 0 obj\n  << /Length 0 >>\nstream\nendstream\nendobj\n\n"
                              "xref\n0 7\n0000000000 65535 f\n0000000010 00000 n\n0000000097 00000 n\n"
                              "0000000159 00000 n\n0000000252 00000 n\n0000000288 00000 n\n"
                              "0000000431 00000 n\n10 2\n0000000573 00000 n\n0000000826 00000 n\n\n"
                              "trailer\n  << /Size 12\n     /Root 1 0 R\n  >>\nstartxref\n884\n%%EOF\n");
  EXPECT_EQ(s.str(), expected);
}

// Every object starts where the cross-reference table says, in each head.
TEST(PdfDocument, OffsetsOfEveryHead) {
  struct Case {
    const char* nom;
    void (*tete)(std::ostream&);
    const char* media;
  } cases[] = {
      {"portrait", genere_debut_pdf_portrait, "/MediaBox [0 0 612 810]"},
      {"landscape", genere_debut_pdf_landscape, "/MediaBox [0 0 810 612]"},
      {"1234 x 56", [](std::ostream& f) { genere_debut_pdf_taille_non_standard(f, 1234, 56); },
       "/MediaBox [0 0 1234 56]"},
  };
  for (auto const& c : cases) {
    std::ostringstream s;
    c.tete(s);
    genere_ligne_pdf(s, 1, 2, 3, 4);
    genere_chaine_pdf(s, 5, 6, 7, "x");
    genere_fin_pdf(s);
    std::string pdf = s.str();
    EXPECT_NE(pdf.find(c.media), std::string::npos) << c.nom;
    std::map<int, long> xref = xref_du_document(pdf);
    std::map<int, long> fixes = {{1, 10}, {2, 97}, {3, 159}, {4, 252}, {5, 288}, {6, 431}, {10, 573}};
    if (std::string(c.nom) != "1234 x 56") fixes[11] = 826;
    for (auto const& [numero, offset] : fixes)
      EXPECT_EQ(xref[numero], offset) << c.nom << " object " << numero;
    ASSERT_EQ(xref.size(), 8u) << c.nom;
    for (auto const& [numero, offset] : xref) {
      std::string tete = std::to_string(numero) + " 0 obj\r\n";
      EXPECT_EQ(pdf.compare(offset, tete.size(), tete), 0) << c.nom << " object " << numero;
    }
  }
}

// The length counts the content from the byte after "stream" and its line
// end up to the line end before "endstream".
TEST(PdfDocument, LengthOfTheContent) {
  std::ostringstream s;
  genere_debut_pdf_landscape(s);
  genere_boite_pdf(s, 100, 700, 50, 20);
  genere_chaine_bold_pdf(s, 1, 2, 3, "a(b");
  genere_fin_pdf(s);
  std::string pdf = s.str();
  size_t debut = pdf.find("stream\r\n") + 8;
  size_t fin = pdf.find("\r\nendstream");
  std::string contenu = pdf.substr(debut, fin - debut);
  EXPECT_NE(pdf.find("  << /Length " + std::to_string(contenu.size()) + " >>\r\n"), std::string::npos);
  EXPECT_EQ(lignes_lf(contenu + "\r\n"), dessin([](std::ostream& f) {
              genere_boite_pdf(f, 100, 700, 50, 20);
              genere_chaine_bold_pdf(f, 1, 2, 3, "a(b");
            }));
}

TEST(PdfDocument, StateBelongsToEachStream) {
  std::ostringstream a, b;
  genere_debut_pdf_portrait(a);
  genere_debut_pdf_portrait(b);
  genere_ligne_pdf(a, 1, 1, 2, 2);
  genere_fin_pdf(b);
  genere_fin_pdf(a);
  EXPECT_NE(a.str().find("      1 1 m"), std::string::npos);
  EXPECT_EQ(b.str().find("      1 1 m"), std::string::npos);
  EXPECT_NE(b.str().find("/Length 0 "), std::string::npos);
  // Once closed, the stream takes drawings straight, and a closing without a
  // head writes nothing.
  std::string ferme = a.str();
  genere_fin_pdf(a);
  EXPECT_EQ(a.str(), ferme);
  genere_ligne_pdf(a, 7, 7, 8, 8);
  EXPECT_EQ(a.str(), ferme + "      7 7 m\r\n      8 8 l\r\n      S\r\n");
  // A stream dropped with its page open takes the page with it.
  {
    std::ostringstream abandon;
    genere_debut_pdf_portrait(abandon);
    genere_ligne_pdf(abandon, 1, 1, 2, 2);
  }
}

TEST(PdfDocument, FailedStreamWritesNothing) {
  std::fstream f("/nonexistent-dir/x.pdf", std::ios::out);
  ASSERT_FALSE(f.is_open());
  genere_debut_pdf_portrait(f);
  genere_chaine_pdf(f, 1, 2, 3, "x");
  genere_fin_pdf(f);
  EXPECT_TRUE(f.fail());
}

TEST(PdfDrawing, TextObjects) {
  EXPECT_EQ(dessin([](std::ostream& f) { genere_chaine_pdf(f, 10, -20, 12, "AB"); }),
            "   BT\n     /F1 12 Tf\n     10 -20 Td\n     (AB) Tj\n   ET\n");
  EXPECT_EQ(dessin([](std::ostream& f) { genere_chaine_bold_pdf(f, 0, 0, 7, "X1"); }),
            "   BT\n     /F2 7 Tf\n     0 0 Td\n     (X1) Tj\n   ET\n");
}

// A backslash and a parenthesis without its partner would end or bend the
// literal string; everything else goes through unchanged.
TEST(PdfDrawing, TextEscapes) {
  struct Case {
    std::string texte, ecrit;
  } cases[] = {
      {"a\\b", "a\\\\b"},
      {"(x)", "(x)"},
      {"f(x", "f\\(x"},
      {"x)", "x\\)"},
      {")(", "\\)\\("},
      {"((a)", "\\((a)"},
      {"(a))(", "(a)\\)\\("},
      {"\\(", "\\\\\\("},
      {"\xe9t\xe9 %", "\xe9t\xe9 %"},
      {"", ""},
      {"(a(b)c)", "(a(b)c)"},
  };
  for (auto const& c : cases) {
    EXPECT_EQ(g_pdf_texte_litteral(c.texte), c.ecrit) << c.texte;
    EXPECT_EQ(dessin([&](std::ostream& f) { genere_chaine_pdf(f, 0, 0, 1, c.texte); }),
              "   BT\n     /F1 1 Tf\n     0 0 Td\n     (" + c.ecrit + ") Tj\n   ET\n");
  }
  // The width is that of the text as given.
  EXPECT_EQ(longueur_chaine_pdf("a\\(", 18), 9 + 3 + 6);
}

TEST(PdfDrawing, SegmentsAndBoxes) {
  EXPECT_EQ(dessin([](std::ostream& f) { genere_ligne_pdf(f, -1, 2, 30, -400); }),
            "      -1 2 m\n      30 -400 l\n      S\n");
  EXPECT_EQ(dessin([](std::ostream& f) { genere_boite_pdf(f, 100, 700, 50, 20); }),
            "      100 700 m\n      150 700 l\n      S\n      150 700 m\n      150 680 l\n      S\n"
            "      150 680 m\n      100 680 l\n      S\n      100 680 m\n      100 700 l\n      S\n");
}

std::string segments(std::initializer_list<std::array<long, 4>> liste) {
  std::string r;
  for (auto const& s : liste)
    r += "      " + std::to_string(s[0]) + " " + std::to_string(s[1]) + " m\n      " + std::to_string(s[2]) +
         " " + std::to_string(s[3]) + " l\n      S\n";
  return r;
}

TEST(PdfDrawing, FilledRectangles) {
  EXPECT_EQ(dessin([](std::ostream& f) { genere_rectangle_plein_pdf(f, 5, 6, 0, 4, 0); }), "");
  EXPECT_EQ(dessin([](std::ostream& f) { genere_rectangle_plein_pdf(f, 5, 6, -2, 4, 0); }), "");
  EXPECT_EQ(dessin([](std::ostream& f) { genere_rectangle_plein_pdf(f, 5, 6, 3, 4, 0); }),
            segments({{5, 6, 5, 10}, {6, 6, 6, 10}, {7, 6, 7, 10}}));
  EXPECT_EQ(dessin([](std::ostream& f) { genere_rectangle_trou_pdf(f, 0, 10, 6, 6, 2, 0); }),
            segments({{0, 10, 0, 16},
                      {1, 10, 1, 16},
                      {2, 10, 2, 12},
                      {2, 14, 2, 16},
                      {3, 10, 3, 12},
                      {3, 14, 3, 16},
                      {4, 10, 4, 16},
                      {5, 10, 5, 16}}));
}

// Splits drawn lines into segments "x1 y1 x2 y2".
std::vector<std::string> segments_de(const std::string& lignes) {
  std::vector<std::string> r;
  std::istringstream in(lignes);
  long x1, y1, x2, y2;
  std::string m, l, s;
  while (in >> x1 >> y1 >> m >> x2 >> y2 >> l >> s)
    r.push_back(std::to_string(x1) + " " + std::to_string(y1) + " " + std::to_string(x2) + " " +
                std::to_string(y2));
  return r;
}

TEST(PdfDrawing, Ovals) {
  EXPECT_EQ(dessin([](std::ostream& f) { genere_ovale_plein_pdf(f, 0, 0, 1, 40, 0); }), "");
  // Radii 1 and 2 with the vertical half-axes 0 and 1.
  auto petit = segments_de(dessin([](std::ostream& f) { genere_ovale_plein_pdf(f, 0, 0, 4, 2, 0); }));
  ASSERT_EQ(petit.size(), 64u);
  EXPECT_EQ(petit[0], "2 1 2 1");
  EXPECT_EQ(petit[32], "3 0 3 1");
  // The outermost polygon of a 200 x 100 oval centred on (200, 150).
  auto grand = segments_de(dessin([](std::ostream& f) { genere_ovale_plein_pdf(f, 100, 100, 200, 100, 0); }));
  ASSERT_EQ(grand.size(), 100u * 32);
  std::vector<std::string> dernier(grand.end() - 32, grand.end());
  EXPECT_EQ(dernier[0], "299 145 299 154");   // right side at 5 degrees
  EXPECT_EQ(dernier[1], "100 145 100 154");   // left side
  EXPECT_EQ(dernier[2], "299 154 296 162");   // upper right, 5 to 15 degrees
  EXPECT_EQ(dernier[5], "100 145 103 137");   // lower left, 5 to 15 degrees
  EXPECT_EQ(dernier[10], "293 167 286 175");  // 20 to 30 degrees: sin 30 is a halving
  EXPECT_EQ(dernier[18], "270 185 250 193");  // 45 to 60 degrees: cos 60 is a halving
  EXPECT_EQ(dernier[30], "208 199 191 199");  // top side at 85 degrees
  EXPECT_EQ(dernier[31], "208 100 191 100");  // bottom side
  // A ring keeps the radii from hole / 2 up.
  auto anneau =
      segments_de(dessin([](std::ostream& f) { genere_ovale_trou_pdf(f, 100, 100, 200, 100, 196, 0); }));
  ASSERT_EQ(anneau.size(), 3u * 32);
  EXPECT_TRUE(std::equal(anneau.begin(), anneau.end(), grand.end() - 96));
  EXPECT_EQ(dessin([](std::ostream& f) { genere_ovale_trou_pdf(f, 0, 0, 200, 100, 202, 0); }), "");
}

// A ring of zero width would divide by its radius 0: nothing is drawn, for
// every hole small enough to start at radius 0.
TEST(PdfDrawing, RingOfZeroWidthDrawsNothing) {
  for (long largeur : {0L, 1L, -1L})
    for (long trou : {0L, 1L, -1L})
      EXPECT_EQ(dessin([&](std::ostream& f) { genere_ovale_trou_pdf(f, 10, 10, largeur, 50, trou, 0); }), "")
          << largeur << " " << trou;
}

TEST(PdfDrawing, DashedSegments) {
  struct Case {
    long x1, y1, x2, y2, dash, gap;
    std::string expected;
  } cases[] = {
      {10, 0, 10, 25, 5, 5, segments({{10, 0, 10, 5}, {10, 10, 10, 15}, {10, 20, 10, 25}})},
      {0, 7, 12, 7, 4, 2, segments({{0, 7, 4, 7}, {6, 7, 10, 7}})},
      {0, 7, 11, 7, 4, 2, segments({{0, 7, 4, 7}, {6, 7, 10, 7}})},
      {0, 0, 0, 3, 5, 1, segments({{0, 0, 0, 5}})},  // the last dash may pass the end
      {10, 25, 10, 0, 5, 5, ""},                     // toward smaller coordinates
      {3, 3, 3, 3, 1, 1, ""},
      // Slanted: along the segment, ends rounded to the nearest unit.
      {0, 0, 30, 40, 10, 5, segments({{0, 0, 6, 8}, {9, 12, 15, 20}, {18, 24, 24, 32}, {27, 36, 33, 44}})},
      {30, 40, 0, 0, 10, 40, segments({{30, 40, 24, 32}})},
      // A dash plus gap that is not positive would never advance.
      {0, 0, 0, 10, 0, 0, ""},
      {0, 0, 10, 0, 5, -5, ""},
      {0, 0, 10, 10, -3, 1, ""},
  };
  for (auto const& c : cases)
    EXPECT_EQ(dessin([&](std::ostream& f) {
                genere_ligne_pointille_pdf(f, c.x1, c.y1, c.x2, c.y2, c.dash, c.gap);
              }),
              c.expected)
        << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2 << " " << c.dash << "/" << c.gap;
}

TEST(PdfDrawing, TextWidths) {
  const char* rangees[] = {
      " !\"#$%&'()*+,-./", "0123456789:;<=>?", "@ABCDEFGHIJKLMNO",
      "PQRSTUVWXYZ[\\]^_", "`abcdefghijklmno", "pqrstuvwxyz{|}~\x7f",
  };
  int largeurs[6][16] = {
      {5, 6, 10, 9, 9, 18, 15, 5, 6, 6, 9, 11, 5, 6, 5, 5},
      {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 6, 6, 11, 11, 11, 9},
      {17, 13, 12, 13, 13, 12, 11, 14, 14, 7, 9, 14, 12, 17, 13, 14},
      {11, 14, 13, 10, 12, 13, 13, 18, 13, 13, 12, 6, 3, 6, 11, 9},
      {6, 9, 10, 8, 10, 8, 6, 9, 10, 5, 6, 10, 5, 15, 10, 9},
      {10, 10, 8, 7, 6, 10, 9, 13, 9, 9, 8, 7, 4, 7, 10, 6},
  };
  for (int r = 0; r < 6; ++r)
    for (int k = 0; k < 16; ++k) EXPECT_EQ(fonte_12(rangees[r][k]), largeurs[r][k]) << rangees[r][k];
  int hors = 0;
  for (int c = 0; c < 256; ++c)
    if (c < 32 || c > 127) hors += g_pdf_fonte_12_length_table[c];
  EXPECT_EQ(hors, 0);
  EXPECT_EQ(longueur_chaine_pdf("AB", 12), 16);
  EXPECT_EQ(longueur_chaine_pdf("", 12), 0);
  EXPECT_EQ(longueur_chaine_pdf("A\xe9", 18), 13);
  EXPECT_EQ(longueur_chaine_pdf("AB", -12), -16);
  EXPECT_EQ(longueur_chaine_pdf("W", 1), 1);
}

// ---------------------------------------------------------------------------
// The documents as real readers see them.

// A page that uses every drawing, with texts that need escaping.
void page_complete(std::ostream& f) {
  genere_chaine_bold_pdf(f, 40, 760, 16, "Grafcet (test) page");
  genere_chaine_pdf(f, 40, 730, 12, "cos(x and a\\b and y) or f(z");
  genere_chaine_pdf(f, 40, 710, 12, "))((");
  genere_boite_pdf(f, 40, 690, 200, 100);
  genere_ligne_pdf(f, 40, 690, 240, 590);
  genere_rectangle_plein_pdf(f, 300, 600, 60, 80, 0);
  genere_rectangle_trou_pdf(f, 400, 600, 80, 80, 40, 0);
  genere_ovale_plein_pdf(f, 60, 400, 120, 80, 0);
  genere_ovale_trou_pdf(f, 250, 400, 120, 80, 60, 0);
  genere_ligne_pointille_pdf(f, 40, 300, 500, 300, 10, 5);
  genere_ligne_pointille_pdf(f, 520, 100, 520, 500, 4, 4);
  genere_ligne_pointille_pdf(f, 40, 100, 400, 280, 8, 4);
}

std::string ecrit_fichier(const std::string& nom, void (*tete)(std::fstream&), bool avec_page) {
  std::string chemin = scratch_dir("pdf_" + nom) + "/" + nom + ".pdf";
  std::fstream f(chemin, std::ios::out | std::ios::trunc | std::ios::binary);
  tete(f);
  if (avec_page) page_complete(f);
  genere_fin_pdf(f);
  f.close();
  return chemin;
}

// Width and height of a PNG file, from its header.
std::pair<long, long> taille_png(const std::string& chemin) {
  std::string png = read_file(chemin);
  if (png.size() < 24 || png.compare(1, 3, "PNG") != 0) return {-1, -1};
  auto mot = [&](size_t at) {
    long v = 0;
    for (size_t i = 0; i < 4; ++i) v = v * 256 + static_cast<unsigned char>(png[at + i]);
    return v;
  };
  return {mot(16), mot(20)};
}

TEST(PdfReaders, EveryHeadWithAndWithoutDrawings) {
  struct Case {
    const char* nom;
    void (*tete)(std::fstream&);
    long largeur, hauteur;
  } cases[] = {
      {"portrait", [](std::fstream& f) { genere_debut_pdf_portrait(f); }, 612, 810},
      {"landscape", [](std::fstream& f) { genere_debut_pdf_landscape(f); }, 810, 612},
      {"fitted", [](std::fstream& f) { genere_debut_pdf_taille_non_standard(f, 560, 790); }, 560, 790},
  };
  for (auto const& c : cases)
    for (bool avec_page : {false, true}) {
      std::string chemin =
          ecrit_fichier(std::string(c.nom) + (avec_page ? "_dessin" : "_vide"), c.tete, avec_page);
      EXPECT_TRUE(qpdf_accepte(chemin));
      EXPECT_EQ(taille_png(rendu_png(chemin, 72)), std::make_pair(c.largeur, c.hauteur)) << chemin;
    }
}

TEST(PdfReaders, EscapedTextsReadBackAsGiven) {
  std::string chemin = ecrit_fichier(
      "textes", [](std::fstream& f) { genere_debut_pdf_portrait(f); }, true);
  std::string texte = texte_du_pdf(chemin);
  EXPECT_NE(texte.find("Grafcet (test) page"), std::string::npos) << texte;
  EXPECT_NE(texte.find("cos(x and a\\b and y) or f(z"), std::string::npos) << texte;
  EXPECT_NE(texte.find("))(("), std::string::npos) << texte;
}

// The object writer alone, as a document of several pages with LF line ends
// would use it: its entries stay 20 bytes and its offsets right.
TEST(PdfReaders, DocumentOfSeveralPagesWithLf) {
  std::string chemin = scratch_dir("pdf_pages") + "/pages.pdf";
  {
    std::ofstream out(chemin, std::ios::binary);
    g_pdf_document d(out, "\n");
    d.ligne("%PDF-1.4");
    d.debut_objet(1);
    d.ligne("  << /Type /Catalog /Pages 3 0 R >>");
    d.fin_objet();
    d.debut_objet(3);
    d.ligne("  << /Type /Pages /Kids [10 0 R 12 0 R] /Count 2 >>");
    d.fin_objet();
    d.debut_objet(5);
    d.ligne("  << /Type /Font /Subtype /Type1 /BaseFont /Times-Roman /Encoding /WinAnsiEncoding >>");
    d.fin_objet();
    for (int p = 0; p < 2; ++p) {
      d.debut_objet(10 + 2 * p);
      d.ligne("  << /Type /Page /Parent 3 0 R /MediaBox [0 0 612 792] /Contents " +
              std::to_string(11 + 2 * p) + " 0 R /Resources << /Font << /F1 5 0 R >> >> >>");
      d.fin_objet();
      d.debut_objet(11 + 2 * p);
      // No final line end: the writer adds it and leaves it out of the length.
      d.flux("BT /F1 12 Tf 50 700 Td (page " + std::to_string(p + 1) + ") Tj ET");
      d.fin_objet();
    }
    d.fin(1);
  }
  EXPECT_TRUE(qpdf_accepte(chemin));
  std::string pdf = read_file(chemin);
  EXPECT_NE(pdf.find("xref\n0 2\n0000000000 65535 f \n"), std::string::npos) << pdf;
  EXPECT_NE(pdf.find("\n3 1\n"), std::string::npos);
  EXPECT_NE(pdf.find("\n5 1\n"), std::string::npos);
  EXPECT_NE(pdf.find("\n10 4\n"), std::string::npos);
  EXPECT_NE(pdf.find("/Size 14\n"), std::string::npos);
  EXPECT_NE(pdf.find("  << /Length 37 >>\nstream\nBT /F1 12 Tf 50 700 Td (page 1) Tj ET\nendstream"),
            std::string::npos);
  std::map<int, long> xref = xref_du_document(pdf);
  ASSERT_EQ(xref.size(), 7u);
  for (auto const& [numero, offset] : xref) {
    std::string tete = std::to_string(numero) + " 0 obj\n";
    EXPECT_EQ(pdf.compare(offset, tete.size(), tete), 0) << numero;
  }
  std::string texte = texte_du_pdf(chemin);
  EXPECT_NE(texte.find("page 1"), std::string::npos);
  EXPECT_NE(texte.find("page 2"), std::string::npos);
}

}  // namespace
