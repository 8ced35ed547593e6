// The option window shown when tarvek starts without arguments: a file
// chooser, the targets and options of the command line as check boxes, and
// the exclusive pair of compilation modes.
#ifndef TARVEK_WINTARVEK_INTERFACE_H
#define TARVEK_WINTARVEK_INTERFACE_H

#include <string>

class Fl_Button;
class Fl_Check_Button;
class Fl_Double_Window;
class Fl_Output;
class Fl_Widget;

class wintarvek_interface {
 public:
  wintarvek_interface();

  Fl_Double_Window* window;
  Fl_Check_Button* blif_button;
  Fl_Check_Button* c_button;
  Fl_Check_Button* vhdl_button;
  Fl_Check_Button* altera_button;
  Fl_Check_Button* sc_button;
  Fl_Check_Button* esterel_button;
  Fl_Check_Button* lustre_button;
  Fl_Check_Button* brimot_button;
  Fl_Check_Button* simul_button;
  Fl_Check_Button* optimisation_button;
  Fl_Check_Button* noarrange_button;
  Fl_Check_Button* noipcheck_button;
  Fl_Button* load_button;
  Fl_Button* compile_button;
  Fl_Check_Button* step_button;
  Fl_Output* file_output;
  Fl_Output* version_output;
  Fl_Button* quit_button;
  Fl_Check_Button* vune_button;
  Fl_Check_Button* doc_button;
  Fl_Check_Button* ino_button;
  Fl_Button* about_button;
  Fl_Check_Button* explain_button;
  Fl_Check_Button* reachable_button;
  Fl_Check_Button* equational_button;
};

// Shows the window and polls it until the user quits (the process ends with
// code 0) or asks for a compilation; then the option flags are set and the
// base name is the loaded file's path cut before its ".gt". Closing the
// window also returns, with the flags untouched. The interface built is
// returned through `shown` when the caller wants it (the tests do).
void wintarvek_run(int* argc, char** argv, std::string& base_name, wintarvek_interface** shown = nullptr);

#endif
