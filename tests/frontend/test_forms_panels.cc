// The simulator panels, the wait window and the forms helpers that need a
// display, driven in-process under a real X server: timeouts act as the user
// while the panel's own polling loop runs. Run through xvfb-run.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Check_Browser.H>
#include <FL/Fl_Window.H>
#include <FL/forms.H>

#include "formspp.h"
#include "forms_play.h"
#include "g_platform.h"

namespace {

class SimulatorInput : public forms_test {};

TEST_F(SimulatorInput, GoReportsTheTicksAndClearsThePulses) {
  OFD_simulator_input in(200);
  EXPECT_TRUE(in.window->shown());
  EXPECT_STREQ(in.window->label(), "Inputs Pannel");
  for (const char* n : {"a", "b", "c"}) in.add(n);
  EXPECT_EQ(in.signal_browser->nitems(), 3);
  EXPECT_EQ(in.sticky_browser->nitems(), 3);
  EXPECT_EQ(in.go_button->y(), 170) << "the buttons lie at the bottom";

  int init = -1, quit = -1, values[3] = {9, 9, 9};
  play({[&] {
    in.signal_browser->checked(1, 1);
    in.signal_browser->checked(2, 1);
    in.sticky_browser->checked(2, 1);
    click(in.go_button);
  }});
  in.check(&init, &quit, values);
  EXPECT_EQ(init, 0);
  EXPECT_EQ(quit, 0);
  EXPECT_EQ(std::vector<int>(values, values + 3), (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(in.signal_browser->checked(1), 0) << "a pulse holds for one GO only";
  EXPECT_EQ(in.signal_browser->checked(2), 1) << "a sticky input keeps its tick";

  play({[&] { click(in.init_button); }});
  in.check(&init, &quit, values);
  EXPECT_EQ(init, 1);
  EXPECT_EQ(quit, 0);
  EXPECT_EQ(in.signal_browser->nchecked(), 0);
  EXPECT_EQ(values[1], 1) << "INIT leaves the values alone";

  play({[&] { click(in.quit_button); }});
  in.check(&init, &quit, values);
  EXPECT_EQ(quit, 1);
}

// Closing the panel from its frame used to leave check polling forever.
TEST_F(SimulatorInput, ClosingThePanelQuits) {
  OFD_simulator_input in(200);
  in.add("a");
  int init = -1, quit = -1, value = 9;
  play({[&] { in.window->do_callback(); }});
  in.check(&init, &quit, &value);
  EXPECT_EQ(quit, 1);
  EXPECT_EQ(value, 9);
  in.eval(&quit, &value);
  EXPECT_EQ(quit, 1) << "eval says so too";
}

TEST_F(SimulatorInput, PlacedInTheCallersWindow) {
  Fl_Window w(800, 300);
  w.end();
  OFD_simulator_input in(&w, 400, 300);
  EXPECT_EQ(in.window, &w);
  EXPECT_EQ(in.go_button->x(), 580);
  EXPECT_EQ(in.quit_button->x(), 730);
  EXPECT_EQ(in.signal_browser->x(), 410);
  EXPECT_EQ(w.children(), 7) << "two captions, two lists, three buttons, no background";
  EXPECT_EQ(Fl_Group::current(), nullptr);
  for (const char* n : {"a", "b", "c"}) in.add(n);

  int init = -1, quit = -1, values[3] = {1, 0, 7};
  in.check(&init, &quit, values);
  EXPECT_EQ(quit, 1) << "a window that is not shown cannot be clicked";

  w.show();
  in.eval(&quit, values);
  EXPECT_EQ(quit, 0);
  EXPECT_EQ(in.signal_browser->checked(1), 1);
  EXPECT_EQ(in.signal_browser->checked(2), 0);
  EXPECT_EQ(in.signal_browser->checked(3), 1);
  play({[&] { click(in.go_button); }});
  in.check(&init, &quit, values);
  EXPECT_EQ(std::vector<int>(values, values + 3), (std::vector<int>{1, 0, 1}));
  click(in.quit_button);
  in.eval(&quit, values);
  EXPECT_EQ(quit, 1);
}

class SimulatorOutput : public forms_test {};

std::vector<std::string> browser_lines(Fl_Browser* b) {
  std::vector<std::string> lines;
  for (int i = 1; i <= b->size(); ++i) lines.push_back(b->text(i));
  return lines;
}

int visible_lamps(const OFD_simulator_output& out) {
  int n = 0;
  for (int i = 0; i < out.lamps_per_page; ++i) n += out.lamps[i]->visible();
  return n;
}

TEST_F(SimulatorOutput, PagesFollowTheNewestOutput) {
  OFD_simulator_output out(245, "Sorties");
  EXPECT_TRUE(out.window->shown());
  EXPECT_STREQ(out.window->label(), "Sorties");
  EXPECT_EQ(out.lamps_per_page, 10);
  for (int k = 0; k < 25; ++k) out.add("o" + std::to_string(k));
  EXPECT_EQ(out.page, 2);
  EXPECT_EQ(browser_lines(out.browser), (std::vector<std::string>{"o20", "o21", "o22", "o23", "o24"}));
  EXPECT_EQ(visible_lamps(out), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(out.lamps[i]->color(), FL_RED) << i;

  click(out.my_moins_button());
  click(out.my_moins_button());
  EXPECT_EQ(out.page, 0);
  EXPECT_EQ(browser_lines(out.browser).front(), "o0");
  EXPECT_EQ(visible_lamps(out), 10);
  out.previous_page();
  EXPECT_EQ(out.page, 0);
  click(out.my_plus_button());
  EXPECT_EQ(out.page, 1);
  EXPECT_EQ(browser_lines(out.browser).front(), "o10");
  out.previous_page();

  std::vector<int> values(25, 2);
  values[0] = 1;
  values[1] = 0;
  out.eval(values.data());
  EXPECT_EQ(out.lamps[0]->color(), FL_BLUE);
  EXPECT_EQ(out.lamps[1]->color(), FL_YELLOW);
  EXPECT_EQ(out.lamps[0]->selection_color(), FL_BLACK);
  for (int i = 0; i < out.lamps_per_page; ++i) out.lamps[i]->clear_damage();
  out.eval(values.data());
  for (int i = 0; i < out.lamps_per_page; ++i) EXPECT_EQ(out.lamps[i]->damage(), 0) << "unchanged values redraw nothing";
  values[2] = 0;
  out.eval(values.data());
  EXPECT_NE(out.lamps[2]->damage(), 0);
  EXPECT_EQ(out.lamps[3]->damage(), 0);
  out.check();
}

// Heights that give no lamp or more lamps than there are slots used to divide
// by zero or overrun the slots.
TEST_F(SimulatorOutput, PageLengthStaysWithinTheSlots) {
  for (int h : {60, 90, 100}) {
    OFD_simulator_output small(h, "s");
    EXPECT_EQ(small.lamps_per_page, 1) << h;
    for (const char* n : {"a", "b", "c"}) small.add(n);
    EXPECT_EQ(small.page, 2) << h;
    EXPECT_EQ(browser_lines(small.browser), std::vector<std::string>{"c"}) << h;
  }

  Fl_Window w(300, 200);
  w.end();
  OFD_simulator_output big(&w, 30, 600000, "grand");
  EXPECT_EQ(big.lamps_per_page, OFD_simulator_output::nbr_lamp_slots);
  big.add("x");
  EXPECT_EQ(big.page, 0);
  EXPECT_EQ(browser_lines(big.browser), std::vector<std::string>{"x"});
}

TEST_F(SimulatorOutput, PlacedInTheCallersWindow) {
  Fl_Window w(600, 245);
  w.end();
  OFD_simulator_output out(&w, 300, 245, "outs");
  EXPECT_EQ(out.x_offset, 300);
  EXPECT_EQ(out.my_plus_button()->x(), 450);
  EXPECT_EQ(out.my_moins_button()->x(), 370);
  EXPECT_EQ(out.browser->x(), 320);
  EXPECT_EQ(out.lamps[3]->x(), 307);
  EXPECT_EQ(out.lamps[3]->y(), 82);
  EXPECT_STREQ(w.child(0)->label(), "outs");
  EXPECT_FALSE(w.shown());
  out.add("a");
  int v = 1;
  out.eval(&v);
  EXPECT_NE(out.lamps[0]->color(), FL_BLUE) << "lamps of a window not shown are not recoloured";
}

class FormsHelpersX : public forms_test {};

TEST_F(FormsHelpersX, BrowserLinesAndTexts) {
  Fl_Window w(300, 200);
  Fl_Browser b(0, 0, 300, 200);
  w.end();
  EXPECT_EQ(fl_add_browser_Sline_if_new(&b, "ab"), 1);
  EXPECT_EQ(fl_add_browser_Sline_if_new(&b, "ab"), 0);
  EXPECT_EQ(fl_add_browser_Sline_if_new(&b, "cd"), 1);
  EXPECT_EQ(b.size(), 2);
  fl_add_browser_Sline(&b, "ef");
  fl_replace_browser_Sline(&b, 1, "zz");
  EXPECT_EQ(browser_lines(&b), (std::vector<std::string>{"zz", "cd", "ef"}));
  w.begin();
  Fl_FormsText* t = fl_add_Stext(FL_NO_BOX, 1, 2, 30, 40, std::string("texte"));
  w.end();
  EXPECT_STREQ(t->label(), "texte");
  EXPECT_EQ(t->align(), FL_ALIGN_LEFT);
  EXPECT_EQ(t->parent(), &w);
}

TEST_F(FormsHelpersX, NumberDialogs) {
  int answered = 0;
  play({[&] { answered += answer("12"); }});
  EXPECT_EQ(fl_show_int("n", 5), 12);
  play({[&] { answered += answer("abc"); }});
  EXPECT_EQ(fl_show_int("n", 5), 5) << "an answer that is not a number";
  play({[&] { answered += cancel_box(); }});
  EXPECT_EQ(fl_show_int("n", 5), 5);
  play({[&] { answered += answer("-2.5"); }});
  EXPECT_EQ(fl_show_double("x", 1.0), -2.5);
  std::string shown;
  play({[&] {
    shown = input_text();
    answered += cancel_box();
  }});
  EXPECT_EQ(fl_show_double(std::string("100% x"), 0.25), 0.25);
  EXPECT_EQ(shown, "0.250000");
  EXPECT_EQ(answered, 5);
}

TEST_F(FormsHelpersX, WaitWindow) {
  Fl_Window* w;
  {
    OFD_wait_form wait("calcul des situations");
    w = wait.window;
    EXPECT_TRUE(w->shown());
    EXPECT_STREQ(w->label(), "travail en cours ...");
    EXPECT_STREQ(wait.text->label(), "calcul des situations");
    EXPECT_EQ(Fl::modal(), w);
  }
  EXPECT_EQ(Fl::modal(), nullptr);
}

}  // namespace
