// The window of the paged text viewer, its polling loop, its page
// navigation and its exports.
#include "ofd_afficheur.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <FL/forms.H>

#include <cstdio>
#include <iostream>

#include "Stringpp.h"
#include "formspp.h"
#include "g_messages.h"
#include "g_platform.h"
#include "g_time.h"

// A browser line holds at most this many characters; the rest is cut off.
static const size_t browser_line_max = 160;

static Fl_Button* viewer_button(int x, int y, int w, int h, const char* label) {
  Fl_Button* b = fl_add_button(FL_NORMAL_BUTTON, x, y, w, h, label);
  b->labelfont(FL_TIMES);
  b->labelsize(14);
  return b;
}

const char* OFD_afficheur::said(const char* french, const char* english) const {
  return language == 0 ? french : english;
}

OFD_afficheur::OFD_afficheur(Fl_Window* p, int lang)
    : language(lang),
      current_page(0),
      display_filter(nullptr),
      print_filter(nullptr),
      text_filter(nullptr),
      parent(p),
      list_copy(nullptr) {
  window = new Fl_Window(920, 700);
  window->box(FL_NO_BOX);
  new Fl_Box(FL_UP_BOX, 0, 0, 930, 700, "");
  browser = new Fl_Browser(10, 50, 910, 570);
  browser->type(FL_HOLD_BROWSER);
  browser->box(FL_DOWN_BOX);
  browser->color(49);
  browser->labelfont(FL_TIMES);
  title_text = new Fl_FormsText(FL_NO_BOX, 280, 20, 310, 20, "");
  title_text->labelfont(FL_HELVETICA_BOLD);
  title_text->labelsize(14);
  title_text->align(FL_ALIGN_INSIDE);
  page_label = new Fl_FormsText(FL_NO_BOX, 80, 20, 120, 20, "");
  page_label->align(FL_ALIGN_LEFT);
  next_button = viewer_button(300, 630, 120, 20, said("page suivante", "next page"));
  previous_button = viewer_button(300, 660, 120, 20, said("page precedente", "previous page"));
  cancel_button = viewer_button(40, 630, 90, 50, said("ANNULER", "CANCEL"));
  pdf_button = viewer_button(500, 630, 100, 50, said("fichier pdf", "pdf file"));
  text_button = viewer_button(750, 630, 100, 50, said("fichier texte", "text file"));
  page_input = fl_add_input(FL_NORMAL_INPUT, 150, 645, 40, 20, "");
  go_button = fl_add_button(FL_NORMAL_BUTTON, 190, 645, 20, 20, "");
  window->end();
}

OFD_afficheur::~OFD_afficheur() {
  release_document();
  delete window;
}

// Filters and the copy of a list are kept until the next document, so that
// nothing left in the viewer points to freed lines.
void OFD_afficheur::release_document() {
  delete display_filter;
  delete print_filter;
  delete text_filter;
  delete[] list_copy;
  display_filter = nullptr;
  print_filter = nullptr;
  text_filter = nullptr;
  list_copy = nullptr;
}

void OFD_afficheur::activation(std::string* lines, int count, const std::string& title, const std::string& viewer) {
  if (parent) parent->deactivate();
  if (lines) {
    release_document();
    pdf_viewer = viewer;
    run(lines, count, title);
  }
  if (parent) parent->activate();
}

void OFD_afficheur::activation(std::list<std::string>& lines, const std::string& title, const std::string& viewer) {
  if (parent) parent->deactivate();
  if (!lines.empty()) {
    release_document();
    pdf_viewer = viewer;
    list_copy = new std::string[lines.size()];
    std::copy(lines.begin(), lines.end(), list_copy);
    run(list_copy, static_cast<int>(lines.size()), title);
  }
  if (parent) parent->activate();
}

void OFD_afficheur::run(std::string* lines, int count, const std::string& title) {
  current_page = 0;
  display_filter = new OFD_afficheur_filtre_affichage(lines, count);
  print_filter = new OFD_afficheur_filtre_impression(lines, count);
  text_filter = new OFD_afficheur_filtre_texte(lines, count);
  visu_page();
  fl_set_object_Slabel(title_text, title, 81);
  fl_show_form(window, FL_PLACE_MOUSE, FL_TRANSIENT, "");
  for (;;) {
    Fl::check();
    Fl_Widget* w = Fl::readqueue();
    g_usleep(1000);
    if (w == previous_button) page_precedente();
    if (w == next_button) page_suivante();
    if (w == pdf_button) fichier_pdf();
    if (w == text_button) fichier_texte();
    if (w == go_button) page_numero(Stol(page_input->value()) - 1);
    if (w == cancel_button || !window->shown()) break;
  }
  window->hide();
}

void OFD_afficheur::visu_page() {
  std::string text = display_filter->visu_page(current_page);
  browser->clear();
  for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    browser->add(text.substr(start, std::min(end - start, browser_line_max)).c_str());
  browser->show();
  std::string label = "page " + unslong2S(current_page + 1) + " / " + unslong2S(display_filter->nb_pages() + 1) + "    ";
  fl_set_object_Slabel(page_label, label, 25);
  fl_set_Sinput(page_input, unslong2S(current_page + 1));
}

void OFD_afficheur::page_precedente() {
  if (current_page > 0) {
    --current_page;
    visu_page();
  }
}

void OFD_afficheur::page_suivante() {
  if (current_page < display_filter->nb_pages()) {
    ++current_page;
    visu_page();
  }
}

void OFD_afficheur::page_numero(int page) {
  if (page >= 0 && page <= display_filter->nb_pages()) {
    current_page = page;
    visu_page();
  }
}

// An export that could not be written says so instead of announcing it.
static bool written(std::fstream& out) {
  out.close();
  return !out.fail();
}

void OFD_afficheur::fichier_texte() {
  std::fstream out("tmp.txt", std::ios::out | std::ios::trunc);
  if (out.is_open()) text_filter->imprime(out);
  if (!out.is_open() || !written(out)) {
    fl_show_Smessages(said("ERREUR: impossible d'ecrire le fichier tmp.txt", "ERROR: cannot write the file tmp.txt"));
    return;
  }
  fl_show_Smessages(said("generation du fichier tmp.txt", "generation of tmp.txt file"));
}

void OFD_afficheur::fichier_pdf() {
  std::fstream out("tmp.pdf", std::ios::out | std::ios::trunc | std::ios::binary);
  if (out.is_open()) print_filter->imprime_pdf(out);
  if (!out.is_open() || !written(out)) {
    fl_show_Smessages(said("ERREUR: impossible d'ecrire le fichier tmp.pdf", "ERROR: cannot write the file tmp.pdf"));
    return;
  }
  if (pdf_viewer.empty())
    fl_show_Smessages(said("generation du fichier tmp.pdf", "generation of tmp.pdf file"));
  else
    imprime_tmp_pdf();
}

// The viewer is started without a shell, its command taken as one program
// name, as the shell would take it between double quotes; the file goes
// once the viewer has ended.
static void show_and_remove(const std::string& program, const char* file) {
  if (g_run_program({program, file}) < 0) std::cerr << "cannot run " << program << " on " << file << std::endl;
  std::remove(file);
}

void OFD_afficheur::imprime_tmp_pdf() { show_and_remove(pdf_viewer, "tmp.pdf"); }

void OFD_afficheur::imprime_tmp_ps() { show_and_remove("ghostview", "tmp.ps"); }
