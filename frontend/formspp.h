// Small services of the forms layer that no compilation opens: drawing calls
// that take their colour, string wrappers of the forms calls, number dialogs,
// the wait window, the drawing sheet and the simulator panels.
//
// Every layout below is in window coordinates, y growing downward: the forms
// layer's own end of form would turn the widgets upside down.
#ifndef TARVEK_FORMSPP_H
#define TARVEK_FORMSPP_H

#include <FL/Enumerations.H>

#include <list>
#include <string>

class Fl_Box;
class Fl_Browser;
class Fl_Check_Browser;
class Fl_FormsText;
class Fl_Widget;
class Fl_Window;

// Drawing with a colour: the colour is set first. Where two overloads exist,
// the one taken is decided by the colour's type (Fl_Color or int).
void fl_ovalf(int x, int y, int w, int h, Fl_Color c);
void fl_ovalf(int x, int y, int w, int h, int c);
void fl_circf(int x, int y, int d, Fl_Color c);
void fl_circf(int x, int y, int d, int c);
void fl_rectbound(int x, int y, int w, int h, int c);
void fl_rectbound(const int& x, const int& y, const int& w, const int& h, const Fl_Color& c);
void fl_line(int x1, int y1, int x2, int y2, int c);
void fl_line(int x1, int y1, int x2, int y2, const Fl_Color& c);

// 1 when (px, py) lies within tol of the segment (x1, y1)-(x2, y2), else 0.
int point_dans_segment(double px, double py, double x1, double y1, double x2, double y2, double tol);

// Forms calls that take a std::string.
void fl_set_Sinput(Fl_Widget* input, const std::string& s);
Fl_FormsText* fl_add_Stext(Fl_Boxtype box, int x, int y, int w, int h, const std::string& s);
void fl_add_browser_Sline(Fl_Widget* browser, const std::string& s);
void fl_replace_browser_Sline(Fl_Widget* browser, int line, const std::string& s);
void fl_drw_String(Fl_Align align, int x, int y, int w, int h, Fl_Color c, int size, int face, const std::string& s);
// The label is s cut to its first n characters when 0 <= n < length of s.
void fl_set_object_Slabel(Fl_Widget* w, const std::string& s, int n);
// Appends line unless the browser holds it already: 1 when added, else 0.
int fl_add_browser_Sline_if_new(Fl_Browser* b, const std::string& line);

// Number dialogs: v when cancelled, when the answer does not begin with a
// number, and without an X display.
double fl_show_double(const char* prompt, double v);
double fl_show_double(const std::string& prompt, double v);
int fl_show_int(const char* prompt, int v);

// One line of text in a small modal window while a long task runs.
class OFD_wait_form {
 public:
  explicit OFD_wait_form(const std::string& text);
  ~OFD_wait_form();

  Fl_Window* window;
  Fl_Widget* text;
};

// A rectangle that clips every drawing made through it; inactive (no clip)
// while it is empty. Each operation takes its own colour.
class OFL_vision_sheet {
 public:
  OFL_vision_sheet();
  void define(int x, int y, int w, int h, int colour);
  void resize(int x, int y, int w, int h);

  void ofl_line(int x1, int y1, int x2, int y2, Fl_Color c);
  void ofl_dash_line(int x1, int y1, int x2, int y2, Fl_Color c);
  void ofl_break_line(int x1, int y1, int x2, int y2, Fl_Color c);
  void ofl_rect(int x, int y, int w, int h, Fl_Color c);
  void ofl_rectf(int x, int y, int w, int h, Fl_Color c);
  void ofl_circ(int x, int y, int d, Fl_Color c);
  void ofl_circf(int x, int y, int d, Fl_Color c);
  void ofl_rectbound(int x, int y, int w, int h, Fl_Color c);
  void ofl_circbound(int x, int y, int d, Fl_Color c);
  void ofl_arrowbound(int x1, int y1, int x2, int y2, Fl_Color c);
  void ofl_drw_text(Fl_Align align, int x, int y, int w, int h, Fl_Color c, int size, int face, char* text);
  void ofl_drw_String(Fl_Align align, int x, int y, int w, int h, Fl_Color c, int size, int face,
                      const std::string& s);
  void ofl_drw_arrow_line(int x1, int y1, int x2, int y2, int len, double angle, Fl_Color c);

  int x0, y0, x1, y1;  // the sheet covers x0 <= x < x1, y0 <= y < y1
  int colour;

 private:
  bool active() const;
  void begin(Fl_Color c);
  void end();
  template <class F>
  void clipped(Fl_Color c, F draw);
};

// Input panel of the hand simulator: per input a Signal tick (its value at
// the next step) and a Sticky tick (keep the Signal tick after a step).
class OFD_simulator_input {
 public:
  explicit OFD_simulator_input(int h);
  OFD_simulator_input(Fl_Window* w, int x, int h);
  ~OFD_simulator_input();

  void add(const std::string& name);
  // Waits for GO, INIT or QUIT; quit is also set when the panel's window is
  // no longer shown, since nothing could then be clicked.
  void check(int* init, int* quit, int* values);
  void eval(int* quit, int* values);

  Fl_Window* window;
  Fl_Widget* quit_button;
  Fl_Widget* go_button;
  Fl_Widget* init_button;
  Fl_Check_Browser* signal_browser;
  Fl_Check_Browser* sticky_browser;
  std::list<std::string> names;

 private:
  bool own_window;  // a window of its own goes with the panel
  void build(int x, int h);
};

// Output panel of the hand simulator: the outputs by page, each with a lamp
// (yellow 0, blue 1, red undetermined).
class OFD_simulator_output {
 public:
  static constexpr int nbr_lamp_slots = 32768;

  OFD_simulator_output(int h, const char* title);
  OFD_simulator_output(Fl_Window* w, int x, int h, const char* name);
  ~OFD_simulator_output();

  void add(const std::string& name);
  void eval(int* new_values);
  void next_page();
  void previous_page();
  void internal_colorise(int i);
  void check();
  Fl_Widget* my_plus_button();
  Fl_Widget* my_moins_button();

  Fl_Window* window;
  int x_offset;
  std::string* names;
  int nbr_outputs;
  int page;
  int lamps_per_page;
  std::list<std::string> name_list;
  Fl_Box* lamps[nbr_lamp_slots];
  Fl_Browser* browser;
  Fl_Widget* plus_button;
  Fl_Widget* moins_button;
  int* values;

 private:
  bool own_window;
  void build(int x, int h, int plus_x, int moins_x);
  void hide_lamps();
  void show_page();
};

void OFD_simulator_output_callback_plus(Fl_Widget*, void* panel);
void OFD_simulator_output_callback_moins(Fl_Widget*, void* panel);

#endif
