// One-page PDF drawings made of text in two fonts and stroked segments, and
// the object writer under them that keeps every byte offset of a document.
#ifndef TARVEK_G_PDF_H
#define TARVEK_G_PDF_H

#include <cstdint>
#include <map>
#include <ostream>
#include <string>

// Writes a PDF document object by object. It counts the bytes it writes, from
// the first one, so the stream lengths, the cross-reference section and
// startxref come out right whatever the objects hold; the output must
// therefore start empty. With a one-byte line end the cross-reference entries
// get a blank before it, since each entry must be exactly 20 bytes.
class g_pdf_document {
 public:
  explicit g_pdf_document(std::ostream& sortie, const std::string& fin_ligne = "\r\n");

  // One line of text and its line end.
  void ligne(const std::string& texte);
  // Opens object numero (from 1): notes where it begins, writes "numero 0 obj".
  void debut_objet(int numero);
  // The dictionary "  << /Length n >>", then "stream", the content, "endstream".
  // The content is written as it stands; a line end is added after it unless
  // it is empty or already ends with one, and that last line end is not
  // counted in n.
  void flux(const std::string& contenu);
  // "endobj" and an empty line.
  void fin_objet();
  // The cross-reference section (one subsection per run of consecutive object
  // numbers, the first from 0), the trailer with /Root racine and /Size one
  // above the highest number, startxref and "%%EOF".
  void fin(int racine);

  long octets_ecrits() const { return position; }
  // Offset of the first byte of an object, -1 when it was not written.
  long debut(int numero) const;

 private:
  std::ostream& sortie;
  std::string fin_ligne;
  long position;
  std::map<int, long> debuts;

  void ecrit(const std::string& octets);
};

// The page writer. Between a head and genere_fin_pdf the drawing functions
// keep the page content with the stream, and genere_fin_pdf writes it out
// with its length; a drawing function on a stream without a head writes its
// lines straight into it. Every line ends with CR LF.
void genere_debut_pdf_portrait(std::ostream& f);
void genere_debut_pdf_landscape(std::ostream& f);
void genere_debut_pdf_taille_non_standard(std::ostream& f, long width, long height);
void genere_fin_pdf(std::ostream& f);

void genere_chaine_pdf(std::ostream& f, long x, long y, int size, std::string text);
void genere_chaine_bold_pdf(std::ostream& f, long x, long y, int size, std::string text);
void genere_ligne_pdf(std::ostream& f, long x1, long y1, long x2, long y2);
void genere_boite_pdf(std::ostream& f, long x, long y, long width, long height);
void genere_rectangle_plein_pdf(std::ostream& f, long x, long y, long width, long height, int unused = 0);
void genere_rectangle_trou_pdf(std::ostream& f, long x, long y, long width, long height, long hole,
                               int unused = 0);
void genere_ovale_plein_pdf(std::ostream& f, long x, long y, long width, long height, int unused = 0);
void genere_ovale_trou_pdf(std::ostream& f, long x, long y, long width, long height, long hole,
                           int unused = 0);
void genere_ligne_pointille_pdf(std::ostream& f, long x1, long y1, long x2, long y2, long dash, long gap);

// Width of a text in the drawing fonts at a size, from the 1/18 table below.
int longueur_chaine_pdf(const std::string& text, int size);
int fonte_12(char c);
extern const int32_t g_pdf_fonte_12_length_table[256];

// A text made safe between the parentheses of a PDF literal string: the
// backslash and the parentheses that have no partner are escaped; balanced
// parentheses and every other byte stay as they are.
std::string g_pdf_texte_litteral(const std::string& text);

#endif
