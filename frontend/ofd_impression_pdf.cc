// The print filter's PDF document: one page object and one content stream
// per page, after the catalog, the outlines, the page tree, the procedure
// set and the font. The support library's object writer counts every byte,
// so the stream lengths, the cross-reference table and startxref are those
// of the document written.
#include "g_pdf.h"
#include "ofd_impression.h"

static void pdf_lines(g_pdf_document& d, std::initializer_list<const char*> lines) {
  for (const char* l : lines) d.ligne(l);
}

static void pdf_object(g_pdf_document& d, int number, std::initializer_list<const char*> lines) {
  d.debut_objet(number);
  pdf_lines(d, lines);
  d.fin_objet();
}

// Page c (from 0) is object 10 + 2c; its content stream is the next object.
static void page_object(g_pdf_document& d, int c) {
  d.debut_objet(10 + 2 * c);
  pdf_lines(d, {"  << /Type /Page", "     /Parent 3 0 R", "     /MediaBox [0 0 612 792]"});
  d.ligne("     /Contents " + std::to_string(11 + 2 * c) + " 0 R");
  pdf_lines(d, {"     /Resources << /ProcSet 4 0 R", "                   /Font << /F1 5 0 R >>", "                >>",
                "  >>"});
  d.fin_objet();
}

// The page tree lists every page, so the pages are counted first, broken
// as the printing loop will break them.
static void page_tree(g_pdf_document& d, int pages) {
  d.debut_objet(3);
  pdf_lines(d, {"  << /Type /Pages", "     /Kids ["});
  for (int p = 0; p < pages; ++p) d.ligne((p ? "         " : "") + std::to_string(10 + 2 * p) + " 0 R");
  d.ligne("         ]");
  d.ligne("     /Count " + std::to_string(pages));
  d.ligne("  >>");
  d.fin_objet();
}

void OFD_afficheur_filtre_impression::begin_pdf(std::fstream& out) {
  row = 1;
  block_row = 1;
  pdf_page_count = 0;
  pdf_document.reset(new g_pdf_document(out, "\n"));
  page_content.str("");
  g_pdf_document& d = *pdf_document;
  d.ligne("%PDF-1.4");
  pdf_object(d, 1, {"  << /Type /Catalog", "     /Outlines 2 0 R", "     /Pages 3 0 R", "  >>"});
  pdf_object(d, 2, {"  << /Type /Outlines", "     /Count 0", "  >>"});
  page_tree(d, static_cast<int>(ofd_debuts_de_pages(lines, nb_lines).size()));
  pdf_object(d, 4, {"   [/PDF /Text]"});
  pdf_object(d, 5, {"  << /Type /Font", "     /Subtype /Type1", "     /Name /F1", "     /BaseFont /Times-Roman",
                    "     /Encoding /WinAnsiEncoding", "  >>"});
  page_object(d, 0);
}

// The content of the page that ends goes out as one stream with its length.
void OFD_afficheur_filtre_impression::close_page_pdf() {
  pdf_document->debut_objet(11 + 2 * pdf_page_count);
  pdf_document->flux(page_content.str());
  pdf_document->fin_objet();
  page_content.str("");
}

void OFD_afficheur_filtre_impression::next_page_pdf(std::fstream& out, int) {
  if (!pdf_document) return write_separators(out, pdf_format, "    ");
  write_separators(page_content, pdf_format, "    ");
  close_page_pdf();
  page_object(*pdf_document, ++pdf_page_count);
  row = 1;
  block_row = 1;
}

void OFD_afficheur_filtre_impression::end_pdf(std::fstream& out) {
  if (!pdf_document) return write_separators(out, pdf_format, "      ");
  write_separators(page_content, pdf_format, "      ");
  close_page_pdf();
  pdf_document->fin(1);
  pdf_document.reset();
}
