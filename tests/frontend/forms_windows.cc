// Opens one of the forms windows that no compilation opens, on a sample of
// its own, and says on the standard output what the user did with it.
//   forms_windows viewer [LANGUAGE [PDF_VIEWER]]   the paged text viewer
//   forms_windows inputs                           the simulator input panel
//   forms_windows outputs                          the simulator output panel
//   forms_windows sheet                            a drawing sheet
//   forms_windows wait                             the wait window, for 1 s
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>

#include <cstdlib>
#include <iostream>
#include <string>

#include "formspp.h"
#include "forms_documents.h"
#include "g_platform.h"
#include "g_time.h"
#include "ofd_afficheur.h"

namespace {

int viewer(int language, const std::string& pdf_viewer) {
  Fl_Window parent(300, 80, "forms_windows");
  parent.end();
  parent.show();
  OFD_afficheur v(&parent, language);
  std::vector<std::string> doc = tableau();
  v.activation(doc.data(), static_cast<int>(doc.size()), "Tableau d'exemple", pdf_viewer);
  std::cout << "page " << v.current_page + 1 << std::endl;
  return 0;
}

int inputs() {
  OFD_simulator_input panel(240);
  const char* names[] = {"depart", "arret", "capteur_haut", "capteur_bas"};
  for (const char* n : names) panel.add(n);
  int init = 0, quit = 0, values[4] = {0, 0, 0, 0};
  for (;;) {
    panel.check(&init, &quit, values);
    if (quit) break;
    if (init) {
      std::cout << "init" << std::endl;
      continue;
    }
    std::cout << "go";
    for (int v : values) std::cout << " " << v;
    std::cout << std::endl;
  }
  std::cout << "quit" << std::endl;
  return 0;
}

// Polls until the window is closed, as the panels' callers do.
void until_closed(Fl_Window* w) {
  while (w->shown()) {
    Fl::check();
    Fl::readqueue();
    g_usleep(1000);
  }
}

int outputs() {
  OFD_simulator_output panel(245, "Outputs");
  int values[25];
  for (int k = 0; k < 25; ++k) {
    panel.add("sortie_" + std::to_string(k));
    values[k] = k % 3;
  }
  panel.eval(values);
  until_closed(panel.window);
  std::cout << "page " << panel.page + 1 << std::endl;
  return 0;
}

class sheet_window : public Fl_Double_Window {
 public:
  sheet_window() : Fl_Double_Window(400, 300, "sheet") {}
  void draw() override {
    Fl_Double_Window::draw();
    OFL_vision_sheet s;
    s.define(20, 20, 360, 260, FL_BLACK);
    s.ofl_rectbound(30, 30, 80, 40, FL_YELLOW);
    s.ofl_drw_String(FL_ALIGN_CENTER, 30, 30, 80, 40, FL_BLACK, 14, FL_HELVETICA, "etape 1");
    s.ofl_drw_arrow_line(70, 70, 70, 130, 8, 0.4, FL_BLUE);
    s.ofl_line(40, 130, 100, 130, FL_BLACK);
    s.ofl_dash_line(150, 50, 350, 50, FL_RED);
    s.ofl_break_line(150, 100, 350, 100, FL_DARK_GREEN);
    s.ofl_circ(150, 150, 40, FL_BLACK);
    s.ofl_circf(210, 150, 40, FL_MAGENTA);
    s.ofl_circbound(270, 150, 40, FL_CYAN);
    s.ofl_arrowbound(200, 250, 330, 230, FL_RED);
    s.ofl_rectf(340, 240, 80, 80, FL_DARK_BLUE);  // cut by the sheet's edge
    fl_ovalf(30, 200, 60, 30, FL_GREEN);
  }
};

int sheet() {
  sheet_window w;
  w.end();
  w.show();
  until_closed(&w);
  return 0;
}

int wait() {
  OFD_wait_form w("compilation en cours, veuillez patienter");
  for (int i = 0; i < 500; ++i) {
    Fl::check();
    g_usleep(1000);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string what = argc > 1 ? argv[1] : "";
  int (*open)() = what == "inputs" ? inputs : what == "outputs" ? outputs : what == "sheet" ? sheet : what == "wait" ? wait : nullptr;
  if (!open && what != "viewer") {
    std::cerr << "usage: forms_windows viewer [LANGUAGE [PDF_VIEWER]] | inputs | outputs | sheet | wait" << std::endl;
    return 2;
  }
  if (!g_display_available()) {
    std::cerr << "forms_windows: no X display" << std::endl;
    return 1;
  }
  if (open) return open();
  return viewer(argc > 2 ? std::atoi(argv[2]) : 1, argc > 3 ? argv[3] : "");
}
