// The print filter's PDF document: one page object and one content stream
// per page, after the catalog, the outlines, the page tree, the procedure
// set and the font.
#include "ofd_impression.h"

void OFD_afficheur_filtre_impression::begin_pdf(std::fstream& out) {
  int pages = static_cast<int>(ofd_debuts_de_pages(lines, nb_lines).size());
  row = 1;
  block_row = 1;
  pdf_page_count = 0;
  out << "%PDF-1.4" << std::endl;
  for (const char* l : {"1 0 obj", "  << /Type /Catalog", "     /Outlines 2 0 R", "     /Pages 3 0 R", "  >>", "endobj", "",
                        "2 0 obj", "  << /Type /Outlines", "     /Count 0", "  >>", "endobj", "", "3 0 obj",
                        "  << /Type /Pages", "     /Kids ["})
    out << l << std::endl;
  for (int p = 0; p < pages; ++p) out << 10 + 2 * p << " 0 R" << std::endl << "         ";
  out << "]" << std::endl << "     /Count " << pages << std::endl;
  for (const char* l : {"  >>", "endobj", "", "4 0 obj", "   [/PDF /Text]", "endobj", "", "5 0 obj", "  << /Type /Font",
                        "     /Subtype /Type1", "     /Name /F1", "     /BaseFont /Times-Roman",
                        "     /Encoding /WinAnsiEncoding", "  >>", "endobj", ""})
    out << l << std::endl;
  // TODO(issue 17): computed length, offsets and cross-reference.
  out << "10 0 obj" << std::endl;
  for (const char* l : {"  << /Type /Page", "     /Parent 3 0 R", "     /MediaBox [0 0 612 792]", "     /Contents 11 0 R",
                        "     /Resources << /ProcSet 4 0 R", "                   /Font << /F1 5 0 R >>", "                >>",
                        "  >>", "endobj", "", "11 0 obj", "  << /Length 73 >>", "stream"})
    out << l << std::endl;
}

void OFD_afficheur_filtre_impression::next_page_pdf(std::fstream& out, int) {
  write_separators(out, pdf_format, "    ");
  out << "endstream" << std::endl << "endobj" << std::endl << std::endl;
  int c = pdf_page_count++;
  out << 2 * c + 12 << " 0 obj" << std::endl;
  for (const char* l : {"  << /Type /Page", "     /Parent 3 0 R", "     /MediaBox [0 0 612 792]"}) out << l << std::endl;
  out << "     /Contents " << 2 * c + 13 << " 0 R" << std::endl;
  for (const char* l : {"     /Resources << /ProcSet 4 0 R", "                   /Font << /F1 5 0 R >>", "                >>",
                        "  >>", "endobj", ""})
    out << l << std::endl;
  out << 2 * c + 13 << " 0 obj" << std::endl << "  << /Length 73 >>" << std::endl << "stream" << std::endl;
  row = 1;
  block_row = 1;
}

void OFD_afficheur_filtre_impression::end_pdf(std::fstream& out) {
  write_separators(out, pdf_format, "      ");
  for (const char* l : {"endstream", "endobj", "", "xref", "0 8", "0000000000 65535 f", "0000000009 00000 n",
                        "0000000074 00000 n", "0000000120 00000 n", "0000000179 00000 n", "0000000364 00000 n",
                        "0000000466 00000 n", "0000000496 00000 n", "", "trailer", "  << /Size 8", "     /Root 1 0 R",
                        "  >>", "startxref", "625", "%%EOF"})
    out << l << std::endl;
}
