// The print filter of the text viewer: a document of text lines written as
// pages of 7-point Times-Roman with rules and column separators, in
// PostScript or in PDF, into a stream that the caller has opened.
#ifndef TARVEK_OFD_IMPRESSION_H
#define TARVEK_OFD_IMPRESSION_H

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "ofd_lignes.h"

class g_pdf_document;

class OFD_afficheur_filtre_impression {
 public:
  OFD_afficheur_filtre_impression(std::string* lines, int nb_lines);
  ~OFD_afficheur_filtre_impression();

  int typeligne(const std::string& line) const;
  std::fstream& imprime_postscript(std::fstream& out);
  std::fstream& imprime_pdf(std::fstream& out);

  void begin_postscript(std::fstream& out);
  void next_page_postscript(std::fstream& out, int page);
  void end_postscript(std::fstream& out);
  void postscript(std::fstream& out, const std::string& line);

  void begin_pdf(std::fstream& out);
  void next_page_pdf(std::fstream& out, int page);
  void end_pdf(std::fstream& out);
  void pdf(std::fstream& out, const std::string& line);

  std::string* lines;
  int nb_lines;
  int ps_top;
  int pdf_top;
  int pdf_page_count;
  int left_margin;
  int column_widths[ofd_nbr_colonnes];
  char column_rules[ofd_nbr_colonnes];
  int row;
  int block_row;

 private:
  // What differs between the two documents: the ordinate of row 0 and how a
  // segment and a cell are written.
  struct format_page {
    int OFD_afficheur_filtre_impression::*top;
    void (*segment)(std::ostream& out, int x1, int y1, int x2, int y2, const char* indent);
    void (*cell)(std::ostream& out, int x, int y, const std::string& text);
  };
  static const format_page postscript_format, pdf_format;
  using step = void (OFD_afficheur_filtre_impression::*)(std::fstream&);
  using page_step = void (OFD_afficheur_filtre_impression::*)(std::fstream&, int);
  using line_step = void (OFD_afficheur_filtre_impression::*)(std::fstream&, const std::string&);

  std::fstream& imprime_document(std::fstream& out, step begin, page_step next, line_step write, step end);
  int column_left(int c) const;
  int table_right() const;
  std::vector<int> separators() const;
  std::vector<std::pair<int, std::string>> cells(const std::string& line) const;
  void write_separators(std::ostream& out, const format_page& f, const char* indent);
  void write_line(std::ostream& out, const std::string& line, const format_page& f);
  void close_page_pdf();

  // Between begin_pdf and end_pdf: the document being written, and the
  // content of its current page, which goes out whole with its length.
  std::unique_ptr<g_pdf_document> pdf_document;
  std::ostringstream page_content;
};

#endif
