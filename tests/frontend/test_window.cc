// The option window driven in-process under a real X server: timeouts set
// the boxes and fire the buttons as a user would, and the flags that come
// back are checked. Run through xvfb-run.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Output.H>

#include <functional>
#include <vector>

#include "tarvek.h"
#include "wintarvek_interface.h"

namespace {


// What the user does once the window is up, run from a timeout so that the
// window's own polling loop is the one that sees the clicks.
struct session {
  std::function<void(wintarvek_interface*, std::string&)> act;
  wintarvek_interface* ui = nullptr;
  std::string* base = nullptr;
};

void fire(void* p) {
  auto* s = static_cast<session*>(p);
  s->act(s->ui, *s->base);
}

wintarvek_interface* run_window(std::string& base, std::function<void(wintarvek_interface*, std::string&)> act) {
  static int argc = 1;
  static char name[] = "tarvek";
  static char* argv[] = {name, nullptr};
  remet_options();
  session s;
  s.act = std::move(act);
  s.base = &base;
  // The interface only exists once the run has built it: the timeout looks it
  // up through the pointer the run fills in.
  Fl::add_timeout(0.3, fire, &s);
  wintarvek_run(&argc, argv, base, &s.ui);
  s.ui->window->hide();
  Fl::check();
  return s.ui;
}

void click(Fl_Widget* w) { w->do_callback(); }

void toggle(Fl_Check_Button* b) {
  b->value(!b->value());
  b->do_callback();
}

TEST(OptionWindow, EachBoxSetsItsFlags) {
  struct Case {
    const char* box;
    std::function<Fl_Check_Button*(wintarvek_interface*)> pick;
    std::vector<int*> set;
  } cases[] = {
      {"blif", [](wintarvek_interface* u) { return u->blif_button; }, {&blif_mode}},
      {"vune", [](wintarvek_interface* u) { return u->vune_button; }, {&vune_mode}},
      {"c", [](wintarvek_interface* u) { return u->c_button; }, {&c_mode}},
      {"ino", [](wintarvek_interface* u) { return u->ino_button; }, {&ino_mode}},
      {"vhdl", [](wintarvek_interface* u) { return u->vhdl_button; }, {&vhdl_mode}},
      {"documentation", [](wintarvek_interface* u) { return u->doc_button; }, {&doc_mode}},
      {"altera", [](wintarvek_interface* u) { return u->altera_button; }, {&vhdl_mode, &altera_mode}},
      {"sc", [](wintarvek_interface* u) { return u->sc_button; }, {&sc_mode}},
      {"esterel", [](wintarvek_interface* u) { return u->esterel_button; }, {&esterel_mode}},
      {"lustre", [](wintarvek_interface* u) { return u->lustre_button; }, {&lustre_mode}},
      {"brimot", [](wintarvek_interface* u) { return u->brimot_button; }, {&brimot_mode}},
      {"pelzo", [](wintarvek_interface* u) { return u->simul_button; }, {&simul_mode}},
      {"optimisation", [](wintarvek_interface* u) { return u->optimisation_button; }, {&optimisation_mode}},
      {"noarrange", [](wintarvek_interface* u) { return u->noarrange_button; }, {&noarrange_mode}},
      {"explain", [](wintarvek_interface* u) { return u->explain_button; }, {&explain_mode}},
      {"step", [](wintarvek_interface* u) { return u->step_button; }, {&step_mode}},
      {"noipcheck", [](wintarvek_interface* u) { return u->noipcheck_button; }, {&no_interpreted_parallelism_check_mode}},
  };
  for (auto const& c : cases) {
    std::string base;
    wintarvek_interface* ui = run_window(base, [&](wintarvek_interface* u, std::string& b) {
      b = "/tmp/x";
      toggle(c.pick(u));
      click(u->compile_button);
    });
    EXPECT_EQ(base, "/tmp/x") << c.box;
    EXPECT_EQ(c.pick(ui)->value(), 1) << c.box << ": the box keeps its state";
    for (int i = 0; i < 20; ++i) {
      int* f = tarvek_option_flags[i];
      bool expected = false;
      for (int* s : c.set) expected = expected || s == f;
      int want = !expected ? 0 : (f == &optimisation_mode ? 2 : 1);
      EXPECT_EQ(*f, want) << c.box << " flag #" << i;
    }
  }
}

TEST(OptionWindow, ModeBoxesAreExclusive) {
  struct Case {
    const char* name;
    std::vector<bool> clicks;  // true: equational, false: reachable
    int equ;
  } cases[] = {
      {"default", {}, 0},
      {"equational", {true}, 1},
      {"equational twice", {true, true}, 1},
      {"back to reachable", {true, false}, 0},
      {"reachable twice", {false, false}, 0},
  };
  for (auto const& c : cases) {
    std::string base;
    wintarvek_interface* ui = run_window(base, [&](wintarvek_interface* u, std::string& b) {
      b = "g";
      for (bool eq : c.clicks) toggle(eq ? u->equational_button : u->reachable_button);
      click(u->compile_button);
    });
    EXPECT_EQ(equ_mode, c.equ) << c.name;
    EXPECT_EQ(ui->equational_button->value(), c.equ) << c.name;
    EXPECT_EQ(ui->reachable_button->value(), 1 - c.equ) << c.name;
  }
}

TEST(OptionWindow, StartsWithVersionAndReachableMode) {
  std::string base;
  wintarvek_interface* ui = run_window(base, [](wintarvek_interface* u, std::string& b) {
    b = "g";
    click(u->compile_button);
  });
  EXPECT_STREQ(ui->version_output->value(), TARVEK_VERSION);
  EXPECT_STREQ(ui->window->label(), "tarvek");
  for (int* f : tarvek_option_flags) EXPECT_EQ(*f, 0);
}

// Closes whatever modal box is up, then goes on with the next action.
void close_modal_then(void* p) {
  if (Fl_Window* m = Fl::modal()) m->hide();
  fire(p);
}

TEST(OptionWindow, CompileWithoutFileAsksAgainAndClosingReadsNoFlag) {
  std::string base = "stale";
  session* later = new session;
  wintarvek_interface* ui = run_window(base, [later](wintarvek_interface* u, std::string& b) {
    // After the "FILE NOT SELECTED!" box is closed, the user ticks a box and
    // closes the window: the flags are not read.
    later->ui = u;
    later->base = &b;
    later->act = [](wintarvek_interface* u2, std::string&) {
      toggle(u2->c_button);
      u2->window->hide();
    };
    Fl::add_timeout(0.3, close_modal_then, later);
    click(u->compile_button);
  });
  EXPECT_EQ(base, "");
  EXPECT_EQ(ui->c_button->value(), 1);
  EXPECT_EQ(c_mode, 0);
  delete later;
}

TEST(OptionWindow, AboutBoxThenCompile) {
  std::string base;
  session* later = new session;
  run_window(base, [later](wintarvek_interface* u, std::string& b) {
    later->ui = u;
    later->base = &b;
    later->act = [](wintarvek_interface* u2, std::string& b2) {
      b2 = "after_about";
      click(u2->compile_button);
    };
    Fl::add_timeout(0.3, close_modal_then, later);
    click(u->about_button);
  });
  EXPECT_EQ(base, "after_about");
  delete later;
}

}  // namespace
