// The filters of the paged text viewer, without X: line kinds, column
// definitions, page breaks, the browser text of each line, the plain-text
// export, and the PostScript document, which Ghostscript must accept.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "forms_documents.h"
#include "ofd_afficheur.h"
#include "ofd_impression.h"
#include "ofd_lignes.h"
#include "run_tool.h"

namespace {

TEST(ViewerLines, KindsAndColumnDefinitions) {
  struct cas {
    std::string line;
    int kind;
  } const kinds[] = {{"#T", 3}, {"#Tx", 3}, {"#C 1 ", 1}, {"#P", 2}, {"#X", 0}, {"#", 0}, {"", 0}, {"T#C", 0}, {"ab", 0}};
  for (auto const& c : kinds) EXPECT_EQ(ofd_typeligne(c.line), c.kind) << c.line;

  struct colonnes {
    std::string line;
    std::vector<int> widths;  // the first ones; the rest must be 0
    std::vector<int> rules;   // columns with a separator
  } const table[] = {
      {"#C 10 5 ", {10, 5}, {}},
      {"#C 10 5", {10}, {}},  // a number not followed by a blank is not stored
      {"#P T10 20 T5 ", {10, 20, 5}, {0, 2}},
      {"#P 0 7  3 ", {7, 3}, {}},  // 0 declares no column
      {"#P 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 ", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, {}},
      {"#P 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 T16 T", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, {}},
      {"#P 99999999999999999999 ", {ofd_largeur_max}, {}},
  };
  for (auto const& c : table) {
    int widths[ofd_nbr_colonnes];
    char rules[ofd_nbr_colonnes];
    std::fill(widths, widths + ofd_nbr_colonnes, -1);
    std::fill(rules, rules + ofd_nbr_colonnes, 9);
    ofd_lit_colonnes(c.line, widths, rules);
    for (int k = 0; k < ofd_nbr_colonnes; ++k) {
      int want = k < static_cast<int>(c.widths.size()) ? c.widths[k] : 0;
      EXPECT_EQ(widths[k], want) << c.line << " column " << k;
      bool rule = std::find(c.rules.begin(), c.rules.end(), k) != c.rules.end();
      EXPECT_EQ(rules[k], rule ? 1 : 0) << c.line << " column " << k;
    }
  }
}

TEST(ViewerLines, PageBreaks) {
  struct cas {
    const char* name;
    std::vector<std::string> doc;
    std::vector<int> starts;
  } const table[] = {
      {"empty", {}, {0}},
      {"77 lines", lignes(77), {0}},
      {"78 lines", lignes(78), {0, 77}},
      {"definitions do not count", avec_definitions(100), {0, 86}},
      {"a definition after the 77th counted line starts the next page",
       concat(lignes(77), {"#C 5 "}), {0, 77}},
      {"rules count", concat(std::vector<std::string>(77, "#T"), {"x"}), {0, 77}},
  };
  for (auto const& c : table) {
    std::vector<std::string> doc = c.doc;
    EXPECT_EQ(ofd_debuts_de_pages(doc.data(), static_cast<int>(doc.size())), c.starts) << c.name;
    OFD_afficheur_filtre_affichage f(doc.data(), static_cast<int>(doc.size()));
    EXPECT_EQ(f.nb_pages(), static_cast<int>(c.starts.size()) - 1) << c.name;
  }
}

TEST(DisplayFilter, LinesUnderTheirColumns) {
  std::string doc[] = {"x"};
  OFD_afficheur_filtre_affichage f(doc, 1);
  // Before any definition every width is 0: text lines show nothing.
  EXPECT_EQ(f.visu_ligne("abc#def"), "@f@S14 ");
  EXPECT_EQ(f.visu_ligne("#T"), "@f@S14 ");
  struct cas {
    std::string definition, line, shown;
  } const table[] = {
      {"#C 10 5 ", "abc#defghij#x", "@f@S14 abc       defgh"},
      {"#C 10 5 ", "#T", "@f@S14 " + std::string(15, '-')},
      {"#C 10 5", "abc#defghij#x", "@f@S14 abc       "},
      {"#C 10 5 ", "abcdefghijklm", "@f@S14 abcdefghij"},
      {"#P 3 3 ", "a#b", "@f@S14 a  b"},
      {"#P 3 3 ", "a##b", "@f@S14 a     "},
      {"#P 2 2 ", "", "@f@S14 "},
      {"#P 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 ", "a#b#c#d#e#f#g#h#i#j#k#l#m#n#o#p#q", "@f@S14 abcdefghijklmno"},
  };
  for (auto const& c : table) {
    EXPECT_EQ(f.visu_ligne(c.definition), "") << c.definition;
    EXPECT_EQ(f.visu_ligne(c.line), c.shown) << c.definition << " / " << c.line;
  }
}

TEST(DisplayFilter, PagesKeepTheWidthsOfTheLastDefinitionShown) {
  std::vector<std::string> doc = concat({"#C 4 "}, concat(lignes(77), {"#C 2 ", "abcdef"}));
  OFD_afficheur_filtre_affichage f(doc.data(), static_cast<int>(doc.size()));
  ASSERT_EQ(f.nb_pages(), 1);
  std::string first = f.visu_page(0);
  EXPECT_EQ(first.substr(0, 13), "\n@f@S14 lign\n") << "the definition shows as an empty line";
  EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 78);
  EXPECT_EQ(f.visu_page(1), "\n@f@S14 ab\n");
  EXPECT_EQ(f.visu_ligne("abcdef"), "@f@S14 ab");
  EXPECT_EQ(f.visu_page(0).substr(0, 15), "\n@f@S14 lign\n@f") << "showing page 0 again resets the widths";
  for (int p : {-1, 2, 7}) EXPECT_EQ(f.visu_page(p), "") << p;
  OFD_afficheur_filtre_affichage vide(nullptr, 0);
  EXPECT_EQ(vide.nb_pages(), 0);
  EXPECT_EQ(vide.visu_page(0), "");
}

TEST(TextFilter, DefinitionsAndRulesBecomeDashes) {
  std::string doc[] = {"#C 3 ", "#P", "#T", "a#b", "", "#X"};
  OFD_afficheur_filtre_texte f(doc, 6);
  std::string path = scratch_dir("text_filter") + "/t.txt";
  std::fstream out(path, std::ios::out | std::ios::trunc);
  f.imprime(out);
  out.close();
  std::string dashes(55, '-');
  EXPECT_EQ(read_file(path), dashes + "\n" + dashes + "\n" + dashes + "\n" + "a#b\n\n#X\n");
}

// The PostScript text of a document, as the filter writes it.
std::string postscript(std::vector<std::string> doc) {
  std::string path = scratch_dir(std::string("postscript_") + testing::UnitTest::GetInstance()->current_test_info()->name()) + "/d.ps";
  OFD_afficheur_filtre_impression f(doc.data(), static_cast<int>(doc.size()));
  std::fstream out(path, std::ios::out | std::ios::trunc);
  f.imprime_postscript(out);
  out.close();
  return read_file(path);
}

// The lines written between the document head and the final showpage.
std::string body(const std::string& ps) {
  const std::string head = "7 scalefont\nsetfont\n";
  size_t at = ps.find(head) + head.size();
  return ps.substr(at, ps.rfind("showpage\n") - at);
}

TEST(PrintFilter, PostscriptCellsRulesAndSeparators) {
  struct cas {
    const char* name;
    std::vector<std::string> doc;
    std::string written;
  } const table[] = {
      {"a layout line puts the row back to 0", {"#P 10 10 ", "ab#-cd"}, "45 800 moveto (ab) show\n95 800 moveto (cd) show\n"},
      {"rows go down by 10 from row 1", {"#P 10 ", "a", "b"}, "45 800 moveto (a) show\n45 790 moveto (b) show\n"},
      {"without a layout every cell is empty", {"ab#cd"}, "45 790 moveto () show\n45 790 moveto () show\n"},
      {"parentheses are dropped", {"#P 10 ", "f(x)"}, "45 800 moveto (fx) show\n"},
      {"a backslash is escaped", {"#P 10 10 ", "a\\#-b\\"}, "45 800 moveto (a\\\\) show\n95 800 moveto (b\\\\) show\n"},
      {"the width counts the parentheses", {"#P 3 ", "(ab)c"}, "45 800 moveto (ab) show\n"},
      {"an empty line writes an empty cell", {"#P 10 ", ""}, "45 800 moveto () show\n"},
      {"a cell of one blank is not written", {"#P 5 5 ", " #-x "}, "70 800 moveto (x ) show\n"},
      {"a '#' at the end opens an empty cell", {"#P 5 5 ", "ab#"}, "45 800 moveto (ab) show\n70 800 moveto () show\n"},
      {"a rule spans every column",
       {"#P T10 20 T5 ", "#T"},
       "newpath 40 800 moveto 215 800 lineto stroke \n"
       "newpath 40 800 moveto 40 800 lineto stroke \nnewpath 190 800 moveto 190 800 lineto stroke \n"},
      {"a block line draws the separators of the block that ends",
       {"#P T10 20 T5 ", "a", "b", "#C 5 "},
       "45 800 moveto (a) show\n45 790 moveto (b) show\n"
       "newpath 40 790 moveto 40 800 lineto stroke \nnewpath 190 790 moveto 190 800 lineto stroke \n"},
      {"cells beyond the fifteenth column are ignored",
       {"#P 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 ", "a#-b#-c#-d#-e#-f#-g#-h#-i#-j#-k#-l#-m#-n#-o#-p#-q"},
       "45 800 moveto (a) show\n50 800 moveto (b) show\n55 800 moveto (c) show\n60 800 moveto (d) show\n"
       "65 800 moveto (e) show\n70 800 moveto (f) show\n75 800 moveto (g) show\n80 800 moveto (h) show\n"
       "85 800 moveto (i) show\n90 800 moveto (j) show\n95 800 moveto (k) show\n100 800 moveto (l) show\n"
       "105 800 moveto (m) show\n110 800 moveto (n) show\n115 800 moveto (o) show\n"},
  };
  for (auto const& c : table) EXPECT_EQ(body(postscript(c.doc)), c.written) << c.name;
}

TEST(PrintFilter, PostscriptHeadAndPages) {
  std::string one = postscript({"#P T10 ", "x"});
  EXPECT_EQ(one,
            "%!PS-Adobe-2.0\n%%Creator: morwick\n%%Title: tmp.ps\n%%Pages: 1\n%%PageOrder: Ascend\n"
            "%%BoundingBox: 0 0 612 792\n%%DocumentPaperSizes: a4\n%%EndComments\na4\n/Times-Roman findfont\n"
            "7 scalefont\nsetfont\n45 800 moveto (x) show\n"
            "newpath 40 800 moveto 40 800 lineto stroke \nshowpage\n");
  std::string two = postscript(concat({"#P T10 "}, lignes(78)));
  EXPECT_NE(two.find("45 40 moveto (ligne 77) show\nnewpath 40 40 moveto 40 800 lineto stroke \nshowpage\n"
                     "%%page : 1 1\na4\n/Times-Roman findfont\n7 scalefont\nsetfont\n45 790 moveto (ligne 78) show\n"),
            std::string::npos)
      << two.substr(two.size() - 400);
  EXPECT_EQ(postscript(lignes(77)).find("%%page"), std::string::npos);
}

// Ghostscript reads every document to its end without an error.
void ghostscript_reads(const std::string& path) {
  ASSERT_FALSE(std::string(TARVEK_GS).empty()) << "Ghostscript (gs) is not installed";
  run_result r = run_tool({TARVEK_GS, "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=nullpage", path});
  EXPECT_EQ(r.exit_code, 0) << path << "\n" << r.out << r.err;
}

TEST(PrintFilter, GhostscriptReadsThePostscript) {
  std::string d = scratch_dir("postscript_gs");
  std::vector<std::vector<std::string>> docs = {tableau(), {"#P 10 ", "fin\\"}, {}};
  for (size_t i = 0; i < docs.size(); ++i) {
    std::string path = d + "/doc" + std::to_string(i) + ".ps";
    OFD_afficheur_filtre_impression f(docs[i].data(), static_cast<int>(docs[i].size()));
    std::fstream out(path, std::ios::out | std::ios::trunc);
    f.imprime_postscript(out);
    out.close();
    ghostscript_reads(path);
  }
}

// The PDF text of a document, as the filter writes it into a new file.
std::string pdf(std::vector<std::string> doc, const std::string& path = "") {
  std::string file = path.empty() ? scratch_dir(std::string("pdf_") +
                                                testing::UnitTest::GetInstance()->current_test_info()->name()) +
                                        "/d.pdf"
                                  : path;
  OFD_afficheur_filtre_impression f(doc.data(), static_cast<int>(doc.size()));
  std::fstream out(file, std::ios::out | std::ios::trunc | std::ios::binary);
  f.imprime_pdf(out);
  out.close();
  return read_file(file);
}

// The content stream of object n, cut by its own /Length.
std::string stream_of(const std::string& doc, int n) {
  size_t at = doc.find("\n" + std::to_string(n) + " 0 obj\n");
  if (at == std::string::npos) return "(no object " + std::to_string(n) + ")";
  size_t length_at = doc.find("/Length ", at) + 8;
  long length = std::stol(doc.substr(length_at));
  size_t start = doc.find("stream\n", at) + 7;
  EXPECT_EQ(doc.substr(start + length, 10), "\nendstream") << "object " << n;
  return doc.substr(start, length);
}

TEST(PrintFilter, PdfPagesAndTheirContent) {
  std::string one = pdf({"#P 10 10 ", "ab#-cd", "#T"});
  const std::string head =
      "%PDF-1.4\n1 0 obj\n  << /Type /Catalog\n     /Outlines 2 0 R\n     /Pages 3 0 R\n  >>\nendobj\n\n"
      "2 0 obj\n  << /Type /Outlines\n     /Count 0\n  >>\nendobj\n\n"
      "3 0 obj\n  << /Type /Pages\n     /Kids [\n10 0 R\n         ]\n     /Count 1\n  >>\nendobj\n\n"
      "4 0 obj\n   [/PDF /Text]\nendobj\n\n"
      "5 0 obj\n  << /Type /Font\n     /Subtype /Type1\n     /Name /F1\n     /BaseFont /Times-Roman\n"
      "     /Encoding /WinAnsiEncoding\n  >>\nendobj\n\n"
      "10 0 obj\n  << /Type /Page\n     /Parent 3 0 R\n     /MediaBox [0 0 612 792]\n     /Contents 11 0 R\n"
      "     /Resources << /ProcSet 4 0 R\n                   /Font << /F1 5 0 R >>\n                >>\n  >>\n"
      "endobj\n\n11 0 obj\n";
  EXPECT_EQ(one.substr(0, head.size()), head);
  EXPECT_EQ(stream_of(one, 11),
            "   BT\n     /F1 7 Tf\n     45 780 Td\n(ab) Tj\n   ET\n"
            "   BT\n     /F1 7 Tf\n     95 780 Td\n(cd) Tj\n   ET\n"
            "    40 770 m\n    140 770 l\n       S");

  std::string two = pdf(concat({"#P T10 "}, lignes(78)));
  EXPECT_NE(two.find("     /Kids [\n10 0 R\n         12 0 R\n         ]\n     /Count 2\n"), std::string::npos);
  EXPECT_NE(two.find("12 0 obj\n  << /Type /Page\n     /Parent 3 0 R\n     /MediaBox [0 0 612 792]\n"
                     "     /Contents 13 0 R\n"),
            std::string::npos);
  std::string first = stream_of(two, 11), second = stream_of(two, 13);
  const std::string page_end = "(ligne 77) Tj\n   ET\n    40 20 m\n    40 780 l\n       S";
  EXPECT_EQ(first.substr(first.size() - page_end.size()), page_end);
  EXPECT_EQ(second, "   BT\n     /F1 7 Tf\n     45 770 Td\n(ligne 78) Tj\n   ET\n      40 770 m\n      40 780 l\n       S");

  // The cross-reference: objects 0 to 5, then the pages from 10; startxref
  // points at it.
  size_t xref = two.find("\nxref\n") + 1;
  EXPECT_NE(two.find("xref\n0 6\n0000000000 65535 f \n0000000009 00000 n \n"), std::string::npos);
  EXPECT_NE(two.find("\n10 4\n"), std::string::npos);
  EXPECT_NE(two.find("trailer\n  << /Size 14\n     /Root 1 0 R\n  >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n"),
            std::string::npos);
  char entry[32];
  std::snprintf(entry, sizeof entry, "\n10 4\n%010zu 00000 n \n", two.find("\n10 0 obj") + 1);
  EXPECT_NE(two.find(entry), std::string::npos) << "page 0 is where the table says";
}

void qpdf_accepts(const std::string& path) {
  ASSERT_FALSE(std::string(TARVEK_QPDF).empty()) << "qpdf is not installed";
  run_result r = run_tool({TARVEK_QPDF, "--check", path});
  EXPECT_EQ(r.exit_code, 0) << path << "\n" << r.out << r.err;
  EXPECT_EQ(r.out.find("WARNING"), std::string::npos) << path << "\n" << r.out;
  EXPECT_EQ(r.err, "") << path;
}

// Every reader takes the documents as they stand, with no repair: the
// lengths, the cross-reference and startxref are those of the file.
TEST(PrintFilter, PdfReadersAcceptTheDocuments) {
  std::string d = scratch_dir("pdf_readers");
  std::vector<std::vector<std::string>> docs = {tableau(), {"#P 10 ", "fin\\"}, {}, lignes(77),
                                                concat({"#P T10 T10 "}, lignes(300))};
  for (size_t i = 0; i < docs.size(); ++i) {
    std::string path = d + "/doc" + std::to_string(i) + ".pdf";
    pdf(docs[i], path);
    qpdf_accepts(path);
    ghostscript_reads(path);
  }
  ASSERT_FALSE(std::string(TARVEK_PDFTOTEXT).empty()) << "pdftotext is not installed";
  run_result text = run_tool({TARVEK_PDFTOTEXT, d + "/doc1.pdf", "-"});
  EXPECT_EQ(text.out.substr(0, 5), "fin\\\n") << "a cell ending in '\\' keeps it";
  EXPECT_NE(read_file(d + "/doc1.pdf").find("(fin\\\\) Tj"), std::string::npos);
}

}  // namespace
