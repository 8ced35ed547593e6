// FLTK message boxes. Every text goes through the format "%s" so that a '%'
// in a message is shown as it stands.
#include "g_messages.h"

#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Multi_Browser.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>
#include <FL/forms.H>

#include <cstdlib>
#include <fstream>
#include <iostream>

#include "Stringexp.h"
#include "Stringpp.h"
#include "g_platform.h"
#include "g_time.h"

static void to_stderr(const std::string& text) { std::cerr << text << std::endl; }

void fl_show_Smessages(const std::string& text) {
  if (!g_display_available()) return;
  char* t = Stoa(text);
  fl_message("%s", t);
  delete[] t;
}

void signale_message(const std::string& text) {
  fl_show_Smessages(text);
  to_stderr(text);
}

void arrete_sur_message(const std::string& text) {
  signale_message(text);
  std::exit(1);
}

void fl_show_Snotice(const std::string& text) {
  if (!g_display_available()) {
    to_stderr(text);
    return;
  }
  fl_show_Smessages(text);
}

void fl_show_Salert(const std::string& text) {
  if (!g_display_available()) {
    to_stderr(text);
    return;
  }
  char* t = Stoa(text);
  fl_alert("%s", t);
  delete[] t;
}

int fl_show_Squestion(const std::string& text, int) {
  if (!g_display_available()) return 0;
  char* t = Stoa(text);
  int r = fl_choice("%s", fl_no, fl_yes, nullptr, t);
  delete[] t;
  return r == 1 ? 1 : 0;
}

std::string fl_show_Sinput(const std::string& question, const std::string& initial) {
  if (!g_display_available()) return std::string();
  char* q = Stoa(question);
  char* v = Stoa(initial);
  const char* r = fl_input("%s", v, q);
  std::string result = r ? std::string(r) : std::string();
  delete[] q;
  delete[] v;
  return result;
}

static void save_messages(const std::string& text) {
  const char* name = fl_show_file_selector("save message", "", "*.txt", "");
  if (!name) return;
  std::ofstream out(name, std::ios::out | std::ios::trunc | std::ios::binary);
  if (out) out << text;
}

void fl_show_Sbigmessages(const std::string& text, int width) {
  if (!g_display_available()) {
    to_stderr(text);
    return;
  }
  Fl_Window* win = new Fl_Window(6 * width + 10, 570, "Messages");
  win->begin();
  Fl_Multi_Browser* browser = new Fl_Multi_Browser(5, 10, 6 * width, 500);
  Fl_Button* quit = new Fl_Button(250, 530, 50, 30, "Quit");
  Fl_Button* save = new Fl_Button(80, 530, 50, 30, "save");
  win->end();
  win->set_modal();

  std::string rest;
  browser->add(next_record(text, '\n', rest).c_str());
  while (!rest.empty()) browser->add(next_record(rest, '\n', rest).c_str());
  win->show();

  // Closing the window from its frame also ends the loop: a hidden window
  // can no longer deliver its Quit button.
  for (;;) {
    Fl::check();
    Fl_Widget* w = Fl::readqueue();
    if (w == save) save_messages(text);
    g_usleep(1000);
    if (w == quit || !win->shown()) break;
  }
  delete win;
}

void fl_show_ms() {
  if (!g_display_available()) return;
  fl_message("%s",
             "tarvek - GRAFCET compiler\n\n"
             "Compiles IEC 60848 sequential function charts into\n"
             "synchronous boolean automata and writes them as\n"
             "Esterel, Lustre, BLIF, VHDL, C and more.");
}
