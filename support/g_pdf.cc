// The PDF object writer, the head and closing of the one-page document, and
// its text objects.
#include "g_pdf.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <vector>

#include "g_pdf_page.h"

g_pdf_document::g_pdf_document(std::ostream& sortie, const std::string& fin_ligne)
    : sortie(sortie), fin_ligne(fin_ligne), position(0) {}

void g_pdf_document::ecrit(const std::string& octets) {
  sortie << octets;
  position += static_cast<long>(octets.size());
}

void g_pdf_document::ligne(const std::string& texte) { ecrit(texte + fin_ligne); }

void g_pdf_document::debut_objet(int numero) {
  debuts[numero] = position;
  ligne(std::to_string(numero) + " 0 obj");
}

void g_pdf_document::flux(const std::string& contenu) {
  std::string corps = contenu;
  bool finit_par_ligne = corps.size() >= fin_ligne.size() &&
                         corps.compare(corps.size() - fin_ligne.size(), fin_ligne.size(), fin_ligne) == 0;
  if (!corps.empty() && !finit_par_ligne) corps += fin_ligne;
  size_t longueur = corps.empty() ? 0 : corps.size() - fin_ligne.size();
  ligne("  << /Length " + std::to_string(longueur) + " >>");
  ligne("stream");
  ecrit(corps);
  ligne("endstream");
}

void g_pdf_document::fin_objet() {
  ligne("endobj");
  ligne("");
}

long g_pdf_document::debut(int numero) const {
  auto it = debuts.find(numero);
  return it == debuts.end() ? -1 : it->second;
}

// Each entry is 20 bytes with its line end, which a reader relies on.
static std::string entree_xref(long offset, const char* generation, char etat, const std::string& fin_ligne) {
  std::string chiffres = std::to_string(offset);
  std::string entree = std::string(10 - std::min<size_t>(10, chiffres.size()), '0') + chiffres;
  entree += std::string(" ") + generation + " " + etat;
  return entree + (fin_ligne.size() == 1 ? " " + fin_ligne : fin_ligne);
}

void g_pdf_document::fin(int racine) {
  long xref = position;
  ligne("xref");
  std::vector<std::pair<int, long>> entrees(debuts.begin(), debuts.end());
  entrees.insert(entrees.begin(), std::make_pair(0, 0L));
  for (size_t i = 0; i < entrees.size();) {
    size_t j = i + 1;
    while (j < entrees.size() && entrees[j].first == entrees[j - 1].first + 1) ++j;
    ligne(std::to_string(entrees[i].first) + " " + std::to_string(j - i));
    for (size_t k = i; k < j; ++k)
      ecrit(k == 0 ? entree_xref(0, "65535", 'f', fin_ligne)
                   : entree_xref(entrees[k].second, "00000", 'n', fin_ligne));
    i = j;
  }
  ligne("");
  ligne("trailer");
  ligne("  << /Size " + std::to_string(entrees.back().first + 1));
  ligne("     /Root " + std::to_string(racine) + " 0 R");
  ligne("  >>");
  ligne("startxref");
  ligne(std::to_string(xref));
  ligne("%%EOF");
}

// ---------------------------------------------------------------------------
// The one-page document. Its state hangs on the output stream itself, so the
// drawing functions need nothing but the stream; it goes with the stream if
// genere_fin_pdf never comes.

namespace {

struct page_pdf {
  explicit page_pdf(std::ostream& f) : document(f) {}
  g_pdf_document document;
  std::ostringstream contenu;
};

int emplacement_page() {
  static const int emplacement = std::ios_base::xalloc();
  return emplacement;
}

page_pdf* page_de(std::ios_base& f) { return static_cast<page_pdf*>(f.pword(emplacement_page())); }

void libere_page(std::ios_base::event e, std::ios_base& f, int emplacement) {
  if (e == std::ios_base::erase_event) {
    delete static_cast<page_pdf*>(f.pword(emplacement));
    f.pword(emplacement) = nullptr;
  } else if (e == std::ios_base::copyfmt_event) {
    f.pword(emplacement) = nullptr;  // a copy of the format does not own the page
  }
}

page_pdf* nouvelle_page(std::ostream& f) {
  delete page_de(f);
  // The callback is registered once per stream; iword marks that it is.
  long& inscrit = f.iword(emplacement_page());
  if (!inscrit) {
    f.register_callback(libere_page, emplacement_page());
    inscrit = 1;
  }
  page_pdf* page = new page_pdf(f);
  f.pword(emplacement_page()) = page;
  return page;
}

void objet_lignes(g_pdf_document& d, int numero, std::initializer_list<const char*> lignes) {
  d.debut_objet(numero);
  for (const char* l : lignes) d.ligne(l);
  d.fin_objet();
}

void genere_debut(std::ostream& f, long width, long height) {
  g_pdf_document& d = nouvelle_page(f)->document;
  d.ligne("%PDF-1.4");
  objet_lignes(d, 1, {"  << /Type /Catalog", "     /Outlines 2 0 R", "     /Pages 3 0 R", "  >>"});
  objet_lignes(d, 2, {"  << /Type /Outlines", "     /Count 0", "  >>"});
  objet_lignes(d, 3, {"  << /Type /Pages", "     /Kids [", "10 0 R", "         ]", "     /Count 1", "  >>"});
  objet_lignes(d, 4, {"   [/PDF /Text]"});
  objet_lignes(d, 5,
               {"  << /Type /Font", "     /Subtype /Type1", "     /Name /F1", "     /BaseFont /Times-Roman",
                "     /Encoding /WinAnsiEncoding", "  >>"});
  objet_lignes(d, 6,
               {"  << /Type /Font", "     /Subtype /Type1", "     /Name /F2", "     /BaseFont /Times-Bold",
                "     /Encoding /WinAnsiEncoding", "  >>"});
  d.debut_objet(10);
  d.ligne("  << /Type /Page");
  d.ligne("     /Parent 3 0 R");
  d.ligne("     /MediaBox [0 0 " + std::to_string(width) + " " + std::to_string(height) + "]");
  for (const char* l :
       {"     /Contents 11 0 R", "     /Resources << /ProcSet 4 0 R", "                   /Font << /F1 5 0 R",
        "                            /F2 6 0 R >>", "                >>", "  >>"})
    d.ligne(l);
  d.fin_objet();
}

}  // namespace

std::ostream& g_pdf_page(std::ostream& f) {
  page_pdf* page = page_de(f);
  return page ? static_cast<std::ostream&>(page->contenu) : f;
}

void g_pdf_ligne_page(std::ostream& f, const std::string& texte) { g_pdf_page(f) << texte << "\r\n"; }

void genere_debut_pdf_portrait(std::ostream& f) { genere_debut(f, 612, 810); }
void genere_debut_pdf_landscape(std::ostream& f) { genere_debut(f, 810, 612); }
void genere_debut_pdf_taille_non_standard(std::ostream& f, long width, long height) {
  genere_debut(f, width, height);
}

// Without a head there is no document to close: nothing is written.
void genere_fin_pdf(std::ostream& f) {
  page_pdf* page = page_de(f);
  if (!page) return;
  g_pdf_document& d = page->document;
  d.debut_objet(11);
  d.flux(page->contenu.str());
  d.fin_objet();
  d.fin(1);
  delete page;
  f.pword(emplacement_page()) = nullptr;
}

// ---------------------------------------------------------------------------
// Text.

std::string g_pdf_texte_litteral(const std::string& text) {
  // Mark the parentheses that find no partner: the closers with no opener
  // before them, and the openers still open at the end.
  std::vector<bool> seule(text.size(), false);
  std::vector<size_t> ouvertes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '(') {
      ouvertes.push_back(i);
    } else if (text[i] == ')') {
      if (ouvertes.empty())
        seule[i] = true;
      else
        ouvertes.pop_back();
    }
  }
  for (size_t i : ouvertes) seule[i] = true;
  std::string r;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' || seule[i]) r += '\\';
    r += text[i];
  }
  return r;
}

static void genere_texte(std::ostream& f, const char* fonte, long x, long y, int size,
                         const std::string& text) {
  g_pdf_ligne_page(f, "   BT");
  g_pdf_ligne_page(f, std::string("     /") + fonte + " " + std::to_string(size) + " Tf");
  g_pdf_ligne_page(f, "     " + std::to_string(x) + " " + std::to_string(y) + " Td");
  g_pdf_ligne_page(f, "     (" + g_pdf_texte_litteral(text) + ") Tj");
  g_pdf_ligne_page(f, "   ET");
}

void genere_chaine_pdf(std::ostream& f, long x, long y, int size, std::string text) {
  genere_texte(f, "F1", x, y, size, text);
}

void genere_chaine_bold_pdf(std::ostream& f, long x, long y, int size, std::string text) {
  genere_texte(f, "F2", x, y, size, text);
}

// Widths in 1/18 of the font size of the codes 32 to 127; every other code is 0.
// clang-format off
const int32_t g_pdf_fonte_12_length_table[256] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    5, 6, 10, 9, 9, 18, 15, 5, 6, 6, 9, 11, 5, 6, 5, 5,             // blank to '/'
    9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 6, 6, 11, 11, 11, 9,               // '0' to '?'
    17, 13, 12, 13, 13, 12, 11, 14, 14, 7, 9, 14, 12, 17, 13, 14,    // '@' to 'O'
    11, 14, 13, 10, 12, 13, 13, 18, 13, 13, 12, 6, 3, 6, 11, 9,      // 'P' to '_'
    6, 9, 10, 8, 10, 8, 6, 9, 10, 5, 6, 10, 5, 15, 10, 9,            // '`' to 'o'
    10, 10, 8, 7, 6, 10, 9, 13, 9, 9, 8, 7, 4, 7, 10, 6,             // 'p' to 127
};
// clang-format on

int fonte_12(char c) { return g_pdf_fonte_12_length_table[static_cast<unsigned char>(c)]; }

int longueur_chaine_pdf(const std::string& text, int size) {
  long long somme = 0;
  for (char c : text) somme += fonte_12(c);
  long long largeur = somme * size / 18;  // integer division truncates toward zero
  if (largeur > INT32_MAX) return INT32_MAX;
  if (largeur < INT32_MIN) return INT32_MIN;
  return static_cast<int>(largeur);
}
