// Acting as the user on the forms windows from inside the test process: the
// steps run from timeouts, one after another, while the window under test
// polls FLTK in its own loop. A watchdog ends a test that hangs.
#ifndef TARVEK_TESTS_FORMS_PLAY_H
#define TARVEK_TESTS_FORMS_PLAY_H

#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>

#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "g_platform.h"

namespace forms_play {

inline std::deque<std::function<void()>>& pending() {
  static std::deque<std::function<void()>> steps;
  return steps;
}

// A click queues its widget for the window's loop, which reads the queue
// after its Fl::check. A step run by an earlier wait (the one that maps the
// window, on a loaded machine) would otherwise let the next step look at the
// window before the loop has seen the click: the next step waits until the
// queue is empty. The widgets read to look go back in their order.
inline bool queue_empty() {
  std::vector<Fl_Widget*> queued;
  while (Fl_Widget* w = Fl::readqueue()) queued.push_back(w);
  for (Fl_Widget* w : queued) Fl_Widget::default_callback(w, nullptr);
  return queued.empty();
}

inline void next_step(void*) {
  if (pending().empty()) return;
  if (!queue_empty()) {
    Fl::add_timeout(0.01, next_step);
    return;
  }
  std::function<void()> step = pending().front();
  pending().pop_front();
  step();
  if (!pending().empty()) Fl::add_timeout(0.05, next_step);
}

inline void hung(void*) {
  std::fprintf(stderr, "a forms window test still waits after 20 s\n");
  _exit(1);
}

// The first widget below g (g included) of type W that passes the test.
template <class W>
W* find_widget(Fl_Widget* g, const std::function<bool(W*)>& ok = [](W*) { return true; }) {
  if (!g) return nullptr;
  if (W* w = dynamic_cast<W*>(g))
    if (ok(w)) return w;
  if (Fl_Group* group = g->as_group())
    for (int i = 0; i < group->children(); ++i)
      if (W* w = find_widget<W>(group->child(i), ok)) return w;
  return nullptr;
}

}  // namespace forms_play

class forms_test : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(g_display_available()) << "these tests run under xvfb-run";
    Fl::add_timeout(20, forms_play::hung);
  }
  void TearDown() override {
    Fl::remove_timeout(forms_play::hung);
    Fl::remove_timeout(forms_play::next_step);
    forms_play::pending().clear();
  }

  // Runs the steps, 0.05 s apart, once the caller is polling.
  static void play(std::initializer_list<std::function<void()>> steps) {
    for (auto const& s : steps) forms_play::pending().push_back(s);
    Fl::add_timeout(0.1, forms_play::next_step);
  }

  // What a click does: the widget's callback, which queues it by default.
  static void click(Fl_Widget* w) { w->do_callback(); }

  // The modal box on the screen: its text field, its answer, its closing.
  static Fl_Input* box_input() { return forms_play::find_widget<Fl_Input>(Fl::modal()); }
  static std::string input_text() {
    Fl_Input* in = box_input();
    return in ? in->value() : "(no box)";
  }
  static int answer(const char* text) {
    Fl_Input* in = box_input();
    Fl_Return_Button* ok = forms_play::find_widget<Fl_Return_Button>(Fl::modal());
    if (!in || !ok) return 0;
    in->value(text);
    ok->do_callback();
    return 1;
  }
  static int cancel_box() {
    Fl_Window* m = Fl::modal();
    if (!m) return 0;
    m->do_callback();
    return 1;
  }
  // True when a modal box is up and one of its widgets shows the text.
  static bool box_says(const std::string& text) {
    return forms_play::find_widget<Fl_Widget>(Fl::modal(), [&](Fl_Widget* w) {
             return w->label() && text == w->label();
           }) != nullptr;
  }
};

#endif
