// The two panels of the hand simulator: inputs with their Signal and Sticky
// ticks, outputs by page with a lamp each. A panel has a window of its own,
// or is placed at an offset inside a window that the caller owns.
#include "formspp.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Check_Browser.H>
#include <FL/Fl_Window.H>
#include <FL/forms.H>

#include <algorithm>

#include "g_time.h"

// A new window of the panel's own, with its flat background.
static Fl_Window* panel_window(int w, int h) {
  Fl_Window* window = new Fl_Window(w, h);
  window->box(FL_NO_BOX);
  fl_add_box(FL_FLAT_BOX, 0, 0, w, h, "");
  return window;
}

static Fl_Widget* panel_button(int x, int y, int w, const char* label) {
  Fl_Widget* b = fl_add_button(FL_NORMAL_BUTTON, x, y, w, 20, label);
  b->labelfont(FL_TIMES);
  b->labelsize(12);
  return b;
}

static Fl_Check_Browser* tick_list(int x, int h) {
  Fl_Check_Browser* b = new Fl_Check_Browser(x, 30, 180, h - 70);
  b->type(FL_MULTI_BROWSER);
  return b;
}

// Widgets added to the caller's window leave its group state as it was.
class add_to_window {
 public:
  explicit add_to_window(Fl_Window* w) : was(Fl_Group::current()) { w->begin(); }
  ~add_to_window() { Fl_Group::current(was); }

 private:
  Fl_Group* was;
};

OFD_simulator_input::OFD_simulator_input(int h) {
  window = panel_window(400, h);
  own_window = true;
  build(0, h);
  window->end();
  fl_show_form(window, FL_PLACE_MOUSE, FL_TRANSIENT, "Inputs Pannel");
}

OFD_simulator_input::OFD_simulator_input(Fl_Window* w, int x, int h) {
  window = w;
  own_window = false;
  add_to_window in(w);
  build(x, h);
}

void OFD_simulator_input::build(int x, int h) {
  fl_add_text(FL_NORMAL_TEXT, x + 80, 10, 40, 20, "Signal");
  fl_add_text(FL_NORMAL_TEXT, x + 280, 10, 40, 20, "Sticky");
  signal_browser = tick_list(x + 10, h);
  sticky_browser = tick_list(x + 210, h);
  go_button = panel_button(x + 180, h - 30, 60, "GO");
  init_button = panel_button(x + 10, h - 30, 60, "INIT");
  quit_button = panel_button(x + 330, h - 30, 60, "QUIT");
}

// A window of the panel's own goes with it; a caller's window is only hidden.
OFD_simulator_input::~OFD_simulator_input() {
  window->hide();
  if (own_window) delete window;
  names.clear();
}

void OFD_simulator_input::add(const std::string& name) {
  names.push_back(name);
  signal_browser->add(name.c_str());
  sticky_browser->add(name.c_str());
}

void OFD_simulator_input::check(int* init, int* quit, int* values) {
  for (;;) {
    Fl::check();
    Fl_Widget* w = Fl::readqueue();
    if (w == quit_button) {
      *quit = 1;
    } else {
      *quit = 0;
      if (w == init_button) {
        signal_browser->check_none();
        *init = 1;
      } else {
        *init = 0;
        if (w == go_button) {
          // An input whose Sticky tick is off is a pulse: one GO only.
          for (int k = 1; k <= static_cast<int>(names.size()); ++k) {
            values[k - 1] = signal_browser->checked(k) ? 1 : 0;
            if (!sticky_browser->checked(k)) signal_browser->checked(k, 0);
          }
        }
      }
    }
    if (!window->shown()) *quit = 1;
    g_usleep(1000);
    if (*quit || w == init_button || w == go_button) return;
  }
}

void OFD_simulator_input::eval(int* quit, int* values) {
  Fl::check();
  Fl_Widget* w = Fl::readqueue();
  if (w == quit_button) {
    *quit = 1;
  } else {
    *quit = 0;
    for (int k = 1; k <= static_cast<int>(names.size()); ++k) signal_browser->checked(k, values[k - 1] != 0);
  }
  if (!window->shown()) *quit = 1;
  g_usleep(1000);
}

OFD_simulator_output::OFD_simulator_output(int h, const char* title) {
  window = panel_window(240, h);
  own_window = true;
  build(0, h, 70, 30);
  window->end();
  fl_show_form(window, FL_PLACE_MOUSE, FL_TRANSIENT, title);
  window->copy_label(title);
}

OFD_simulator_output::OFD_simulator_output(Fl_Window* w, int x, int h, const char* name) {
  window = w;
  own_window = false;
  add_to_window in(w);
  fl_add_text(FL_NORMAL_TEXT, x + 80, 10, 40, 20, nullptr)->copy_label(name);
  build(x, h, x + 150, x + 70);
}

// The page length is kept within 1 and the number of lamp slots: a height
// below 101 pixels would give no lamp at all and a division by zero.
void OFD_simulator_output::build(int x, int h, int plus_x, int moins_x) {
  x_offset = x;
  names = nullptr;
  values = nullptr;
  nbr_outputs = 0;
  plus_button = panel_button(plus_x, h - 30, 20, "+");
  plus_button->callback(OFD_simulator_output_callback_plus, this);
  moins_button = panel_button(moins_x, h - 30, 20, "-");
  moins_button->callback(OFD_simulator_output_callback_moins, this);
  page = 0;
  lamps_per_page = std::min(std::max((h - 85) / 16, 1), nbr_lamp_slots);
  browser = new Fl_Browser(x + 20, 30, 198, h - 68);
  std::fill(lamps, lamps + nbr_lamp_slots, nullptr);
  for (int i = 0; i < lamps_per_page; ++i) {
    Fl_Box* lamp = new Fl_Box(x + 7, 34 + 16 * i, 10, 12, "");
    lamp->box(FL_FLAT_BOX);
    lamp->labelfont(FL_TIMES);
    lamp->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    lamp->hide();
    lamps[i] = lamp;
  }
}

OFD_simulator_output::~OFD_simulator_output() {
  if (nbr_outputs > 0) {
    delete[] names;
    delete[] values;
  }
  window->hide();
  if (own_window) delete window;
  name_list.clear();
}

void OFD_simulator_output::add(const std::string& name) {
  name_list.push_back(name);
  std::string* more_names = new std::string[nbr_outputs + 1];
  int* more_values = new int[nbr_outputs + 1];
  std::copy(names, names + nbr_outputs, more_names);
  std::copy(values, values + nbr_outputs, more_values);
  more_names[nbr_outputs] = name;
  more_values[nbr_outputs] = 2;
  delete[] names;
  delete[] values;
  names = more_names;
  values = more_values;
  ++nbr_outputs;
  next_page();
}

void OFD_simulator_output::eval(int* new_values) {
  std::copy(new_values, new_values + nbr_outputs, values);
  for (int i = 0; i < lamps_per_page; ++i)
    if (lamps[i]->visible_r()) internal_colorise(i);
}

void OFD_simulator_output::hide_lamps() {
  for (int i = 0; i < lamps_per_page; ++i) lamps[i]->hide();
}

void OFD_simulator_output::show_page() {
  browser->clear();
  for (int i = 0; i < lamps_per_page; ++i) {
    int k = i + lamps_per_page * page;
    if (k >= nbr_outputs) continue;
    browser->add(names[k].c_str());
    internal_colorise(i);
    lamps[i]->show();
  }
}

void OFD_simulator_output::next_page() {
  hide_lamps();
  if (page < (nbr_outputs - 1) / lamps_per_page) ++page;
  show_page();
}

void OFD_simulator_output::previous_page() {
  hide_lamps();
  if (page > 0) --page;
  show_page();
}

// A lamp already in its colour is left alone, so that an unchanged value
// costs no redraw.
void OFD_simulator_output::internal_colorise(int i) {
  int k = i + lamps_per_page * page;
  if (i < 0 || i >= lamps_per_page || k >= nbr_outputs) return;
  int v = values[k];
  Fl_Color c = v == 1 ? FL_BLUE : v == 0 ? FL_YELLOW : FL_RED;
  if (lamps[i]->color() == c) return;
  lamps[i]->color(c);
  lamps[i]->selection_color(FL_BLACK);
  lamps[i]->redraw();
}

void OFD_simulator_output::check() {}

Fl_Widget* OFD_simulator_output::my_plus_button() { return plus_button; }

Fl_Widget* OFD_simulator_output::my_moins_button() { return moins_button; }

void OFD_simulator_output_callback_plus(Fl_Widget*, void* panel) {
  static_cast<OFD_simulator_output*>(panel)->next_page();
}

void OFD_simulator_output_callback_moins(Fl_Widget*, void* panel) {
  static_cast<OFD_simulator_output*>(panel)->previous_page();
}
