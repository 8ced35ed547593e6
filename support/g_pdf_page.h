// Shared by the files of the PDF page writer only.
#ifndef TARVEK_G_PDF_PAGE_H
#define TARVEK_G_PDF_PAGE_H

#include <ostream>
#include <string>

// Where the drawing functions write: the content kept for the document begun
// on f, or f itself when no document is open on it.
std::ostream& g_pdf_page(std::ostream& f);

// One content line of the page, ended by CR LF.
void g_pdf_ligne_page(std::ostream& f, const std::string& texte);

#endif
