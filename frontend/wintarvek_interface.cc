// Construction and polling loop of the option window.
#include "wintarvek_interface.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Output.H>
#include <FL/forms.H>

#include <cstdlib>

#include "Stringpp.h"
#include "g_messages.h"
#include "g_time.h"
#include "tarvek.h"

static Fl_Check_Button* make_check(int x, int y, int w, int h, const char* label, bool small = true) {
  Fl_Check_Button* b = new Fl_Check_Button(x, y, w, h, label);
  b->box(FL_UP_BOX);
  b->down_box(FL_DOWN_BOX);
  if (small) b->labelsize(12);
  return b;
}

static void make_frame(int x, int y, int w, int h, bool small = false) {
  Fl_Box* b = new Fl_Box(x, y, w, h);
  b->box(FL_THIN_DOWN_FRAME);
  if (small) b->labelsize(12);
}

static void make_title(int x, int y, int w, int h, const char* label) {
  Fl_Box* b = new Fl_Box(x, y, w, h, label);
  b->labelfont(FL_HELVETICA_BOLD);
  b->labelsize(12);
}

static Fl_Button* make_button(int x, int y, int w, int h, const char* label) {
  Fl_Button* b = new Fl_Button(x, y, w, h, label);
  b->labelfont(FL_HELVETICA_BOLD);
  b->labelsize(12);
  return b;
}

// Widgets are created in this order on purpose: it is the order of their
// keyboard navigation.
wintarvek_interface::wintarvek_interface() {
  window = new Fl_Double_Window(795, 525, "wintarvek");
  window->labelsize(12);
  window->user_data(this);
  blif_button = make_check(25, 256, 125, 30, "blif");
  make_frame(15, 85, 150, 425, true);
  c_button = make_check(25, 396, 125, 30, "c");
  vhdl_button = make_check(25, 185, 125, 30, "vhdl");
  altera_button = make_check(55, 220, 95, 30, "altera");
  sc_button = make_check(25, 361, 125, 30, "sc");
  esterel_button = make_check(25, 115, 125, 30, "esterel");
  lustre_button = make_check(25, 150, 125, 30, "lustre");
  brimot_button = make_check(25, 326, 125, 30, "brimot");
  make_title(25, 90, 125, 20, "Target");
  make_frame(505, 85, 250, 210);
  make_title(515, 95, 230, 20, "Other options");
  simul_button = make_check(515, 115, 230, 30, "pelzo simulator");
  optimisation_button = make_check(515, 150, 230, 30, "better optimisation");
  noarrange_button = make_check(515, 185, 230, 30, "no BDD variables reordering");
  noipcheck_button = make_check(515, 220, 230, 30, "no interpreted parallelism check");
  load_button = make_button(15, 40, 145, 35, "Load");
  compile_button = make_button(566, 386, 120, 35, "Compile && Quit");
  make_frame(175, 85, 135, 70);
  make_title(175, 90, 125, 20, "Behaviour");
  step_button = make_check(185, 115, 115, 30, "step by step");
  file_output = new Fl_Output(174, 40, 581, 40);
  file_output->labelsize(12);
  file_output->color(50);
  version_output = new Fl_Output(381, 10, 195, 25, "version");
  version_output->labelsize(12);
  version_output->box(FL_NO_BOX);
  version_output->color(50);
  quit_button = make_button(566, 441, 120, 35, "Quit");
  vune_button = make_check(25, 291, 125, 30, "vune", false);
  doc_button = make_check(25, 469, 125, 30, "documentation");
  make_frame(319, 85, 176, 105);
  make_title(323, 90, 162, 20, "Compilation mode");
  ino_button = make_check(25, 432, 125, 30, "ino");
  about_button = make_button(566, 326, 120, 35, "About");
  explain_button = make_check(515, 256, 230, 30, "explain compilation");
  Fl_Group* modes = new Fl_Group(25, 25, 469, 165);
  modes->labelsize(12);
  reachable_button = make_check(329, 116, 156, 30, "reachable situations");
  equational_button = make_check(329, 151, 156, 30, "equational");
  modes->end();
  window->end();
}

static void load_file(wintarvek_interface* ui, std::string& base_name) {
  const char* chosen = fl_show_file_selector("grafcet selection", "", "*.gt", "");
  if (!chosen) {
    fl_show_message("", "FILE NOT FOUND!", "");
    return;
  }
  std::string path = chosen;
  base_name = path;
  ui->file_output->value(path.c_str());
  int at = find(path, ".gt");
  if (at < 0)
    fl_show_message("ERROR IN LOADING FILE:", path.c_str(), "");
  else
    base_name = my_before(path, at);
}

// The boxes are read without being changed; flags whose box is off keep 0.
static void read_flags(wintarvek_interface* ui) {
  if (ui->blif_button->value()) blif_mode = 1;
  if (ui->vune_button->value()) vune_mode = 1;
  if (ui->c_button->value()) c_mode = 1;
  if (ui->ino_button->value()) ino_mode = 1;
  if (ui->vhdl_button->value()) vhdl_mode = 1;
  if (ui->doc_button->value()) doc_mode = 1;
  if (ui->altera_button->value()) vhdl_mode = altera_mode = 1;
  if (ui->sc_button->value()) sc_mode = 1;
  if (ui->esterel_button->value()) esterel_mode = 1;
  if (ui->lustre_button->value()) lustre_mode = 1;
  if (ui->brimot_button->value()) brimot_mode = 1;
  if (ui->simul_button->value()) simul_mode = 1;
  if (ui->optimisation_button->value()) optimisation_mode = 2;
  if (ui->noarrange_button->value()) noarrange_mode = 1;
  if (ui->explain_button->value()) explain_mode = 1;
  if (ui->step_button->value()) step_mode = 1;
  if (ui->equational_button->value()) equ_mode = 1;
  if (ui->noipcheck_button->value()) no_interpreted_parallelism_check_mode = 1;
}

void wintarvek_run(int* argc, char** argv, std::string& base_name, wintarvek_interface** shown) {
  wintarvek_interface* ui = new wintarvek_interface();
  if (shown) *shown = ui;
  base_name = "";
  fl_initialize(argc, argv, nullptr, nullptr, 0);
  ui->reachable_button->value(1);
  ui->version_output->value(TARVEK_VERSION);
  fl_show_form(ui->window, FL_PLACE_MOUSE, FL_TRANSIENT, "tarvek");

  Fl_Widget* w = nullptr;
  bool done = false;
  while (!done) {
    Fl::check();
    w = Fl::readqueue();
    if (w == ui->load_button) load_file(ui, base_name);
    if (w == ui->reachable_button) {
      ui->equational_button->value(0);
      ui->reachable_button->value(1);
    }
    if (w == ui->equational_button) {
      ui->equational_button->value(1);
      ui->reachable_button->value(0);
    }
    if (w == ui->compile_button) {
      if (base_name.empty()) {
        fl_show_message("", "FILE NOT SELECTED!", "");
      } else {
        read_flags(ui);
        done = true;
      }
    }
    if (w == ui->about_button) fl_show_ms();
    if (w == ui->quit_button) done = true;
    if (!ui->window->shown()) done = true;
    g_usleep(1000);
  }
  if (w == ui->quit_button) std::exit(0);
}
