// The display filter and the text filter of the paged text viewer.
#include <algorithm>
#include <numeric>

#include "ofd_afficheur.h"

// Selects a fixed-pitch font of size 14 for the browser line.
static const char* const browser_format = "@f@S14 ";

// The widths start at 0, so that a document without a definition line shows
// empty fields instead of whatever the memory held.
OFD_afficheur_filtre_affichage::OFD_afficheur_filtre_affichage(std::string* l, int n) : count(n), lines(l) {
  std::fill(widths, widths + ofd_nbr_colonnes, 0);
  std::fill(flags, flags + ofd_nbr_colonnes, 0);
}

int OFD_afficheur_filtre_affichage::typeligne(const std::string& line) const { return ofd_typeligne(line); }

int OFD_afficheur_filtre_affichage::nb_pages() const {
  return static_cast<int>(ofd_debuts_de_pages(lines, count).size()) - 1;
}

// Column widths change as the definition lines of the page pass, and stay
// for the pages shown afterwards.
std::string OFD_afficheur_filtre_affichage::visu_page(int page) {
  page_text.clear();
  std::vector<int> starts = ofd_debuts_de_pages(lines, count);
  if (count <= 0 || page < 0 || page >= static_cast<int>(starts.size())) return page_text;
  int end = page + 1 < static_cast<int>(starts.size()) ? starts[page + 1] : count;
  for (int i = starts[page]; i < end; ++i) page_text += visu_ligne(lines[i]) + "\n";
  return page_text;
}

// Each field fills its column: cut to the width, padded with blanks except
// the last one. Fields beyond the fifteenth column are dropped.
std::string OFD_afficheur_filtre_affichage::visu_ligne(const std::string& line) {
  switch (typeligne(line)) {
    case ofd_ligne_bloc:
    case ofd_ligne_colonnes:
      ofd_lit_colonnes(line, widths, flags);
      return "";
    case ofd_ligne_regle:
      return browser_format + std::string(std::accumulate(widths, widths + ofd_nbr_colonnes, 0), '-');
    default:
      break;
  }
  std::string shown = browser_format;
  size_t start = 0;
  for (int k = 0;; ++k) {
    size_t hash = line.find('#', start);
    std::string field = line.substr(start, hash == std::string::npos ? std::string::npos : hash - start);
    int w = k < ofd_nbr_colonnes ? widths[k] : 0;
    field.resize(std::min(field.size(), static_cast<size_t>(w)));
    if (hash == std::string::npos) return shown + field;
    shown += field + std::string(w - field.size(), ' ');
    start = hash + 1;
  }
}

OFD_afficheur_filtre_texte::OFD_afficheur_filtre_texte(std::string* l, int n) : count(n), lines(l) {}

int OFD_afficheur_filtre_texte::typeligne(const std::string& line) const { return ofd_typeligne(line); }

void OFD_afficheur_filtre_texte::imprime_ligne(std::fstream& out, const std::string& line) {
  if (typeligne(line) == ofd_ligne_texte)
    out << line << std::endl;
  else
    out << std::string(55, '-') << std::endl;
}

void OFD_afficheur_filtre_texte::imprime(std::fstream& out) {
  for (int i = 0; i < count; ++i) imprime_ligne(out, lines[i]);
}
