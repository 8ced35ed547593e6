// Line kinds, column definitions and page breaks of the viewer's documents.
#include "ofd_lignes.h"

#include <algorithm>

int ofd_typeligne(const std::string& line) {
  if (line.size() < 2 || line[0] != '#') return ofd_ligne_texte;
  switch (line[1]) {
    case 'T':
      return ofd_ligne_regle;
    case 'C':
      return ofd_ligne_bloc;
    case 'P':
      return ofd_ligne_colonnes;
    default:
      return ofd_ligne_texte;
  }
}

bool ofd_ligne_comptee(const std::string& line) {
  int kind = ofd_typeligne(line);
  return kind == ofd_ligne_texte || kind == ofd_ligne_regle;
}

void ofd_lit_colonnes(const std::string& line, int widths[ofd_nbr_colonnes], char rules[ofd_nbr_colonnes]) {
  std::fill(widths, widths + ofd_nbr_colonnes, 0);
  std::fill(rules, rules + ofd_nbr_colonnes, 0);
  int n = 0, c = 0;
  for (char ch : line) {
    if (ch >= '0' && ch <= '9') {
      n = std::min(10 * n + (ch - '0'), ofd_largeur_max);
    } else if (ch == 'T') {
      if (c < ofd_nbr_colonnes) rules[c] = 1;
    } else if (ch == ' ' && n != 0) {
      if (c < ofd_nbr_colonnes) widths[c] = n;
      n = 0;
      ++c;
    }
  }
}

std::vector<int> ofd_debuts_de_pages(const std::string* lines, int count) {
  std::vector<int> starts{0};
  int counted = 0;
  for (int i = 0; i < count; ++i) {
    if (counted == ofd_lignes_par_page) {
      starts.push_back(i);
      counted = 0;
    }
    if (ofd_ligne_comptee(lines[i])) ++counted;
  }
  return starts;
}
