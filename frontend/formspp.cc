// Drawing calls with a colour, the point-near-segment test, the string
// wrappers of the forms calls, the number dialogs and the wait window.
#include "formspp.h"

#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Input_.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>
#include <FL/forms.H>

#include <cmath>
#include <cstdio>

#include "Stringpp.h"
#include "g_platform.h"
#include "g_time.h"

void fl_ovalf(int x, int y, int w, int h, Fl_Color c) {
  fl_color(c);
  fl_pie(x, y, w, h, 0, 360);
}

void fl_ovalf(int x, int y, int w, int h, int c) { fl_ovalf(x, y, w, h, static_cast<Fl_Color>(c)); }

void fl_circf(int x, int y, int d, Fl_Color c) { fl_ovalf(x, y, d, d, c); }

void fl_circf(int x, int y, int d, int c) { fl_ovalf(x, y, d, d, static_cast<Fl_Color>(c)); }

void fl_rectbound(const int& x, const int& y, const int& w, const int& h, const Fl_Color& c) {
  fl_color(c);
  fl_rectf(x, y, w, h);
  fl_color(FL_BLACK);
  fl_rect(x, y, w, h);
}

void fl_rectbound(int x, int y, int w, int h, int c) {
  Fl_Color colour = static_cast<Fl_Color>(c);
  fl_rectbound(x, y, w, h, colour);
}

void fl_line(int x1, int y1, int x2, int y2, const Fl_Color& c) {
  fl_color(c);
  fl_line(x1, y1, x2, y2);
}

void fl_line(int x1, int y1, int x2, int y2, int c) {
  Fl_Color colour = static_cast<Fl_Color>(c);
  fl_line(x1, y1, x2, y2, colour);
}

static bool between(double v, double a, double b) { return (a <= v && v <= b) || (b <= v && v <= a); }

int point_dans_segment(double px, double py, double x1, double y1, double x2, double y2, double tol) {
  const double eps = 1e-10;
  if (std::fabs(x1 - x2) <= eps) return between(py, y1, y2) && std::fabs(px - x1) < tol;
  if (std::fabs(y1 - y2) <= eps) return between(px, x1, x2) && std::fabs(py - y1) < tol;
  if (!between(px, x1, x2) || !between(py, y1, y2)) return 0;
  double dx = x1 - x2, dy = y1 - y2;
  double length = std::sqrt(dx * dx + dy * dy);
  return length > eps && std::fabs(dy * (px - x1) - (py - y1) * dx) / length < tol;
}

void fl_set_Sinput(Fl_Widget* input, const std::string& s) { static_cast<Fl_Input_*>(input)->value(s.c_str()); }

// The widget keeps its own copy of the label and frees it with itself.
Fl_FormsText* fl_add_Stext(Fl_Boxtype box, int x, int y, int w, int h, const std::string& s) {
  Fl_FormsText* t = fl_add_text(box, x, y, w, h, nullptr);
  t->align(FL_ALIGN_LEFT);
  t->copy_label(s.c_str());
  return t;
}

void fl_add_browser_Sline(Fl_Widget* browser, const std::string& s) { static_cast<Fl_Browser*>(browser)->add(s.c_str()); }

void fl_replace_browser_Sline(Fl_Widget* browser, int line, const std::string& s) {
  static_cast<Fl_Browser*>(browser)->text(line, s.c_str());
}

void fl_drw_String(Fl_Align align, int x, int y, int w, int h, Fl_Color c, int size, int face, const std::string& s) {
  fl_font(face, size);
  fl_color(c);
  fl_draw(s.c_str(), x, y, w, h, align, nullptr, 1);
}

void fl_set_object_Slabel(Fl_Widget* w, const std::string& s, int n) {
  std::string label = s;
  if (n >= 0 && n < static_cast<int>(label.size())) label.resize(n);
  w->copy_label(label.c_str());
}

int fl_add_browser_Sline_if_new(Fl_Browser* b, const std::string& line) {
  for (int i = 1; i <= b->size(); ++i)
    if (line == b->text(i)) return 0;
  b->add(line.c_str());
  return 1;
}

// The default answer is v printed with the format; the answer is read back
// with the same format.
template <class T>
static T ask_number(const char* prompt, T v, const char* format) {
  if (!g_display_available()) return v;
  char shown[64];
  std::snprintf(shown, sizeof shown, format, v);
  const char* answer = fl_input("%s", shown, prompt);
  T read = v;
  if (answer && std::sscanf(answer, format, &read) == 1) return read;
  return v;
}

double fl_show_double(const char* prompt, double v) { return ask_number(prompt, v, "%lf"); }

double fl_show_double(const std::string& prompt, double v) { return fl_show_double(prompt.c_str(), v); }

int fl_show_int(const char* prompt, int v) { return ask_number(prompt, v, "%d"); }

OFD_wait_form::OFD_wait_form(const std::string& label) {
  window = new Fl_Window(600, 60);
  window->box(FL_NO_BOX);
  fl_add_box(FL_UP_BOX, 0, 0, 600, 60, "");
  text = fl_add_text(FL_NO_BOX, 10, 10, 580, 40, nullptr);
  text->align(FL_ALIGN_INSIDE);
  text->labelsize(FL_NORMAL_SIZE);
  text->copy_label(label.c_str());
  window->end();
  fl_show_form(window, FL_PLACE_MOUSE, FL_TRANSIENT, "travail en cours ...");
  // Drawn now, before the caller goes on with its long task.
  Fl::check();
  g_usleep(1000);
}

OFD_wait_form::~OFD_wait_form() { window->hide(); }
