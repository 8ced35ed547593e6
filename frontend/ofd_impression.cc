// The print filter: layout of the cells, rules and separators, and the
// PostScript document. The PDF document is in ofd_impression_pdf.cc.
#include "ofd_impression.h"

#include <algorithm>
#include <numeric>

#include "g_pdf.h"

// The tables start empty: until a layout line comes every cell is empty.
OFD_afficheur_filtre_impression::OFD_afficheur_filtre_impression(std::string* l, int n)
    : lines(l), nb_lines(n), ps_top(800), pdf_top(780), pdf_page_count(0), left_margin(40), row(1), block_row(1) {
  std::fill(column_widths, column_widths + ofd_nbr_colonnes, 0);
  std::fill(column_rules, column_rules + ofd_nbr_colonnes, 0);
}

OFD_afficheur_filtre_impression::~OFD_afficheur_filtre_impression() = default;

int OFD_afficheur_filtre_impression::typeligne(const std::string& line) const { return ofd_typeligne(line); }

// A character is 5 points wide.
int OFD_afficheur_filtre_impression::column_left(int c) const {
  return left_margin + 5 * std::accumulate(column_widths, column_widths + c, 0);
}

int OFD_afficheur_filtre_impression::table_right() const { return column_left(ofd_nbr_colonnes); }

std::vector<int> OFD_afficheur_filtre_impression::separators() const {
  std::vector<int> xs;
  for (int c = 0; c < ofd_nbr_colonnes; ++c)
    if (column_rules[c] == 1) xs.push_back(column_left(c));
  return xs;
}

// A cell keeps at most its column's width of characters, without '(' and
// ')'. Its '\' are escaped as in a PDF literal string, whose rules are those
// of PostScript: a cell ending in '\' would escape the closing parenthesis.
static std::string cell_text(const std::string& raw, int width) {
  std::string cell = raw.substr(0, width);
  cell.erase(std::remove_if(cell.begin(), cell.end(), [](char ch) { return ch == '(' || ch == ')'; }), cell.end());
  return g_pdf_texte_litteral(cell);
}

// The cells of a text line with their abscissas. The character that follows
// a '#' is never printed; a cell of one blank is not written, and cells
// beyond the fifteenth column are ignored.
std::vector<std::pair<int, std::string>> OFD_afficheur_filtre_impression::cells(const std::string& line) const {
  std::vector<std::pair<int, std::string>> out;
  size_t start = 0;
  for (int c = 0;; ++c) {
    size_t hash = line.find('#', std::min(start, line.size()));
    std::string raw = start < line.size() ? line.substr(start, hash - start) : std::string();
    if (c < ofd_nbr_colonnes) {
      std::string cell = cell_text(raw, column_widths[c]);
      if (cell != " ") out.emplace_back(column_left(c) + 5, cell);
    }
    if (hash == std::string::npos) return out;
    start = hash + 2;
  }
}

std::fstream& OFD_afficheur_filtre_impression::imprime_postscript(std::fstream& out) {
  return imprime_document(out, &OFD_afficheur_filtre_impression::begin_postscript,
                          &OFD_afficheur_filtre_impression::next_page_postscript,
                          &OFD_afficheur_filtre_impression::postscript, &OFD_afficheur_filtre_impression::end_postscript);
}

std::fstream& OFD_afficheur_filtre_impression::imprime_pdf(std::fstream& out) {
  return imprime_document(out, &OFD_afficheur_filtre_impression::begin_pdf,
                          &OFD_afficheur_filtre_impression::next_page_pdf, &OFD_afficheur_filtre_impression::pdf,
                          &OFD_afficheur_filtre_impression::end_pdf);
}

// A page ends after its 77th row; layout and block lines take no row.
std::fstream& OFD_afficheur_filtre_impression::imprime_document(std::fstream& out, step begin, page_step next,
                                                                line_step write, step end) {
  (this->*begin)(out);
  std::vector<int> starts = ofd_debuts_de_pages(lines, nb_lines);
  int k = 0;
  for (int i = 0; i < nb_lines; ++i) {
    if (k + 1 < static_cast<int>(starts.size()) && starts[k + 1] == i) (this->*next)(out, ++k);
    (this->*write)(out, lines[i]);
  }
  (this->*end)(out);
  return out;
}

static const char* const postscript_page_head[] = {"a4", "/Times-Roman findfont", "7 scalefont", "setfont"};

void OFD_afficheur_filtre_impression::begin_postscript(std::fstream& out) {
  // The header announces one page whatever the document holds.
  for (const char* l : {"%!PS-Adobe-2.0", "%%Creator: morwick", "%%Title: tmp.ps", "%%Pages: 1", "%%PageOrder: Ascend",
                        "%%BoundingBox: 0 0 612 792", "%%DocumentPaperSizes: a4", "%%EndComments"})
    out << l << std::endl;
  for (const char* l : postscript_page_head) out << l << std::endl;
  row = 1;
  block_row = 1;
}

void OFD_afficheur_filtre_impression::next_page_postscript(std::fstream& out, int page) {
  write_separators(out, postscript_format, "");
  out << "showpage" << std::endl;
  out << "%%page : " << page << " " << page << std::endl;
  for (const char* l : postscript_page_head) out << l << std::endl;
  row = 1;
  block_row = 1;
}

void OFD_afficheur_filtre_impression::end_postscript(std::fstream& out) {
  write_separators(out, postscript_format, "");
  out << "showpage" << std::endl;
}

static void postscript_segment(std::ostream& out, int x1, int y1, int x2, int y2, const char*) {
  out << "newpath " << x1 << " " << y1 << " moveto " << x2 << " " << y2 << " lineto stroke " << std::endl;
}

static void postscript_cell(std::ostream& out, int x, int y, const std::string& text) {
  out << x << " " << y << " moveto (" << text << ") show" << std::endl;
}

static void pdf_segment(std::ostream& out, int x1, int y1, int x2, int y2, const char* indent) {
  out << indent << x1 << " " << y1 << " m" << std::endl;
  out << indent << x2 << " " << y2 << " l" << std::endl;
  out << "       S" << std::endl;
}

static void pdf_cell(std::ostream& out, int x, int y, const std::string& text) {
  out << "   BT" << std::endl << "     /F1 7 Tf" << std::endl;
  out << "     " << x << " " << y << " Td" << std::endl;
  out << "(" << text << ") Tj" << std::endl << "   ET" << std::endl;
}

const OFD_afficheur_filtre_impression::format_page OFD_afficheur_filtre_impression::postscript_format = {
    &OFD_afficheur_filtre_impression::ps_top, postscript_segment, postscript_cell};
const OFD_afficheur_filtre_impression::format_page OFD_afficheur_filtre_impression::pdf_format = {
    &OFD_afficheur_filtre_impression::pdf_top, pdf_segment, pdf_cell};

// The separators of the block that ends, from the current row up to the row
// where the block began.
void OFD_afficheur_filtre_impression::write_separators(std::ostream& out, const format_page& f, const char* indent) {
  int top = this->*f.top;
  for (int x : separators()) f.segment(out, x, top - 10 * row + 10, x, top - 10 * block_row + 10, indent);
}

void OFD_afficheur_filtre_impression::write_line(std::ostream& out, const std::string& line, const format_page& f) {
  int y = this->*f.top - 10 * row;
  switch (typeligne(line)) {
    case ofd_ligne_colonnes:
      row = 0;
      ofd_lit_colonnes(line, column_widths, column_rules);
      break;
    case ofd_ligne_regle:
      f.segment(out, left_margin, y, table_right(), y, "    ");
      ++row;
      break;
    case ofd_ligne_bloc:
      write_separators(out, f, "    ");
      block_row = row;
      ofd_lit_colonnes(line, column_widths, column_rules);
      break;
    default:
      for (auto const& cell : cells(line)) f.cell(out, cell.first, y, cell.second);
      ++row;
  }
}

void OFD_afficheur_filtre_impression::postscript(std::fstream& out, const std::string& line) {
  write_line(out, line, postscript_format);
}

// Inside a document the line goes to the page's content; a line written
// without a document open goes straight to the stream.
void OFD_afficheur_filtre_impression::pdf(std::fstream& out, const std::string& line) {
  if (pdf_document)
    write_line(page_content, line, pdf_format);
  else
    write_line(out, line, pdf_format);
}
