// The rules that the text viewer's filters share over one document: the kind
// of a line, the columns that a layout line declares and where pages break.
#ifndef TARVEK_OFD_LIGNES_H
#define TARVEK_OFD_LIGNES_H

#include <string>
#include <vector>

// Kinds of line, by their first two characters.
const int ofd_ligne_texte = 0;     // anything else: fields separated by '#'
const int ofd_ligne_bloc = 1;      // "#C": column definition (a new block)
const int ofd_ligne_colonnes = 2;  // "#P": column definition
const int ofd_ligne_regle = 3;     // "#T": a rule across the table

const int ofd_nbr_colonnes = 15;
const int ofd_lignes_par_page = 77;
// A declared width above this is taken as this: no page is that wide, and
// padding a cell to an absurd width would exhaust the memory.
const int ofd_largeur_max = 1000;

int ofd_typeligne(const std::string& line);
// Rules and text lines take a row of the page; column definitions do not.
bool ofd_ligne_comptee(const std::string& line);

// Reads the columns of a definition line into cleared tables: digits make a
// width that a blank stores, a 'T' marks the column whose width comes next.
// Columns beyond the tables are ignored.
void ofd_lit_colonnes(const std::string& line, int widths[ofd_nbr_colonnes], char rules[ofd_nbr_colonnes]);

// The first line of every page (at least one page, starting at line 0): a
// page ends after its 77th counted line, and the line after that, whatever
// its kind, starts the next one.
std::vector<int> ofd_debuts_de_pages(const std::string* lines, int count);

#endif
