// Reading back the PDF documents of the tests: the cross-reference table as
// written, and the real readers (qpdf, pdftoppm, pdftotext).
#ifndef TARVEK_TESTS_PDF_OUTILS_H
#define TARVEK_TESTS_PDF_OUTILS_H

#include <gtest/gtest.h>

#include <map>
#include <string>

// Object number -> offset from the xref section that startxref points at;
// empty when startxref or the section cannot be read.
std::map<int, long> xref_du_document(const std::string& pdf);

// The lines of a text cut at CR LF (a final CR LF gives no empty last line).
std::string lignes_lf(const std::string& crlf);

// qpdf --check finds nothing to say about the file, not even a warning.
::testing::AssertionResult qpdf_accepte(const std::string& fichier);
// pdftoppm renders the first page into a PNG file; gives its path.
std::string rendu_png(const std::string& fichier, int dpi);
// pdftotext of the whole document.
std::string texte_du_pdf(const std::string& fichier);

#endif
