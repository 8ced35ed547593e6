// The paged text viewer: a modal window that shows a document of text lines
// 77 counted lines a page, with the columns the document declares, and
// exports it to tmp.txt or tmp.pdf. No compilation opens it.
#ifndef TARVEK_OFD_AFFICHEUR_H
#define TARVEK_OFD_AFFICHEUR_H

#include <fstream>
#include <list>
#include <string>

#include "ofd_impression.h"
#include "ofd_lignes.h"

class Fl_Browser;
class Fl_Button;
class Fl_FormsText;
class Fl_Input;
class Fl_Window;

// What the browser shows of each line: the fields of a text line cut or
// padded to their columns, a rule as dashes across them.
class OFD_afficheur_filtre_affichage {
 public:
  OFD_afficheur_filtre_affichage(std::string* lines, int count);

  int typeligne(const std::string& line) const;
  int nb_pages() const;  // the index of the last page
  std::string visu_page(int page);
  std::string visu_ligne(const std::string& line);

  std::string page_text;
  int widths[ofd_nbr_colonnes];
  char flags[ofd_nbr_colonnes];
  int count;
  std::string* lines;
};

// The document as plain text: column definitions and rules become dashes.
class OFD_afficheur_filtre_texte {
 public:
  OFD_afficheur_filtre_texte(std::string* lines, int count);

  int typeligne(const std::string& line) const;
  void imprime_ligne(std::fstream& out, const std::string& line);
  void imprime(std::fstream& out);

  int count;
  std::string* lines;
};

class OFD_afficheur {
 public:
  // language 0: French labels and messages; any other value: English.
  OFD_afficheur(Fl_Window* parent, int language);
  ~OFD_afficheur();

  // Runs the viewer on the document until CANCEL or until its window is
  // closed; the parent window is inactive meanwhile. An empty pdf_viewer
  // leaves tmp.pdf where it is written.
  void activation(std::string* lines, int count, const std::string& title, const std::string& pdf_viewer);
  void activation(std::list<std::string>& lines, const std::string& title, const std::string& pdf_viewer);

  void visu_page();
  void page_precedente();
  void page_suivante();
  void page_numero(int page);

  void fichier_texte();
  void fichier_pdf();
  void imprime_tmp_pdf();
  void imprime_tmp_ps();

  int language;
  int current_page;
  OFD_afficheur_filtre_affichage* display_filter;
  OFD_afficheur_filtre_impression* print_filter;
  OFD_afficheur_filtre_texte* text_filter;
  std::string pdf_viewer;
  Fl_Window* window;
  Fl_Window* parent;
  Fl_FormsText* title_text;
  Fl_FormsText* page_label;
  Fl_Browser* browser;
  Fl_Button* previous_button;
  Fl_Button* next_button;
  Fl_Button* cancel_button;
  Fl_Button* pdf_button;
  Fl_Button* text_button;
  Fl_Input* page_input;
  Fl_Button* go_button;

 private:
  std::string* list_copy;  // the lines of a list activation, kept for the filters
  const char* said(const char* french, const char* english) const;
  void run(std::string* lines, int count, const std::string& title);
  void release_document();
};

#endif
