// The drawing helpers of the forms layer and the drawing sheet, without X:
// a recording graphics driver takes the place of the screen and keeps every
// call that reaches it, so the exact figures drawn can be compared.
#include <gtest/gtest.h>

#include <FL/Fl_Box.H>
#include <FL/Fl_Device.H>
#include <FL/fl_draw.H>

#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "formspp.h"

namespace {

class recorder : public Fl_Graphics_Driver {
 public:
  std::vector<std::string> calls;
  using Fl_Graphics_Driver::arc;
  using Fl_Graphics_Driver::color;
  using Fl_Graphics_Driver::draw;
  using Fl_Graphics_Driver::line;

 protected:
  template <class... T>
  void note(const char* what, T... args) {
    std::ostringstream s;
    s << what;
    ((s << " " << args), ...);
    calls.push_back(s.str());
  }
  void color(Fl_Color c) override {
    Fl_Graphics_Driver::color(c);
    note("color", c);
  }
  void line(int x, int y, int x1, int y1) override { note("line", x, y, x1, y1); }
  void rect(int x, int y, int w, int h) override { note("rect", x, y, w, h); }
  void rectf(int x, int y, int w, int h) override { note("rectf", x, y, w, h); }
  void pie(int x, int y, int w, int h, double a1, double a2) override { note("pie", x, y, w, h, a1, a2); }
  void arc(int x, int y, int w, int h, double a1, double a2) override { note("arc", x, y, w, h, a1, a2); }
  void push_clip(int x, int y, int w, int h) override { note("push_clip", x, y, w, h); }
  void pop_clip() override { note("pop_clip"); }
  void line_style(int style, int width, char* dashes) override { note("line_style", style, width, dashes == nullptr); }
  void font(Fl_Font face, Fl_Fontsize size) override {
    Fl_Graphics_Driver::font(face, size);
    note("font", face, size);
  }
  void draw(const char* str, int n, int, int) override { note("draw", std::string(str, n)); }
};

class recording_surface : public Fl_Surface_Device {
 public:
  explicit recording_surface(Fl_Graphics_Driver* d) : Fl_Surface_Device(d) {}
};

// The calls that drawing makes, in order.
template <class F>
std::vector<std::string> drawn(F draw) {
  recorder r;
  recording_surface surface(&r);
  surface.set_current();
  draw();
  Fl_Display_Device::display_device()->set_current();
  return r.calls;
}

using calls = std::vector<std::string>;

TEST(FormsDrawing, PointNearASegment) {
  struct cas {
    double px, py, x1, y1, x2, y2, tol;
    int near;
  } const table[] = {
      {5, 1, 0, 0, 10, 0, 2, 1},   {5, 1, 0, 0, 10, 0, 1, 0},       // the tolerance is strict
      {11, 0, 0, 0, 10, 0, 5, 0},  {0, 0, 10, 0, 0, 0, 1, 1},       // outside the span; bounds included
      {0.5, 5, 0, 10, 0, 0, 1, 1}, {0.5, 11, 0, 0, 0, 10, 1, 0},    // vertical, either order
      {5, 6, 0, 0, 10, 10, 1, 1},  {5, 6, 10, 10, 0, 0, 0.5, 0},    // slanted: distance 0.707
      {11, 11, 0, 0, 10, 10, 5, 0}, {3, 3, 3, 3, 3, 3, 1, 1},       // a point segment
  };
  for (auto const& c : table)
    EXPECT_EQ(point_dans_segment(c.px, c.py, c.x1, c.y1, c.x2, c.y2, c.tol), c.near)
        << c.px << "," << c.py << " to (" << c.x1 << "," << c.y1 << ")-(" << c.x2 << "," << c.y2 << ") tol " << c.tol;
}

TEST(FormsDrawing, FiguresWithTheirColour) {
  EXPECT_EQ(drawn([] { fl_ovalf(1, 2, 30, 40, FL_RED); }), (calls{"color 88", "pie 1 2 30 40 0 360"}));
  EXPECT_EQ(drawn([] { fl_ovalf(1, 2, 30, 40, 95); }), (calls{"color 95", "pie 1 2 30 40 0 360"}));
  EXPECT_EQ(drawn([] { fl_circf(1, 2, 7, FL_BLUE); }), (calls{"color 216", "pie 1 2 7 7 0 360"}));
  EXPECT_EQ(drawn([] { fl_circf(1, 2, 7, 216); }), (calls{"color 216", "pie 1 2 7 7 0 360"}));
  calls bound = {"color 88", "rectf 1 2 3 4", "color 56", "rect 1 2 3 4"};
  EXPECT_EQ(drawn([] { fl_rectbound(1, 2, 3, 4, 88); }), bound);
  EXPECT_EQ(drawn([] {
              Fl_Color c = FL_RED;
              int x = 1, y = 2, w = 3, h = 4;
              fl_rectbound(x, y, w, h, c);
            }),
            bound);
  EXPECT_EQ(drawn([] { fl_line(1, 2, 3, 4, FL_GREEN); }), (calls{"color 63", "line 1 2 3 4"}));
  EXPECT_EQ(drawn([] { fl_line(1, 2, 3, 4, 63); }), (calls{"color 63", "line 1 2 3 4"}));
  EXPECT_EQ(drawn([] { fl_drw_String(FL_ALIGN_LEFT, 0, 0, 100, 20, FL_RED, 12, FL_TIMES, "abc"); }),
            (calls{"font 8 12", "color 88", "draw abc"}));
}

TEST(FormsDrawing, SheetClipsOnlyWhenNotEmpty) {
  OFL_vision_sheet sheet;
  EXPECT_EQ(sheet.colour, FL_BLACK);
  EXPECT_EQ(drawn([&] { sheet.ofl_line(1, 2, 3, 4, FL_RED); }), (calls{"color 88", "line 1 2 3 4"}));
  sheet.define(10, 20, 100, 50, FL_BLUE);
  EXPECT_EQ(sheet.x1, 110);
  EXPECT_EQ(sheet.y1, 70);
  EXPECT_EQ(sheet.colour, FL_BLUE);
  EXPECT_EQ(drawn([&] { sheet.ofl_rect(1, 2, 3, 4, FL_RED); }),
            (calls{"push_clip 10 20 100 50", "color 88", "rect 1 2 3 4", "pop_clip"}));
  sheet.resize(0, 0, 5, 0);
  EXPECT_EQ(sheet.colour, FL_BLUE);
  EXPECT_EQ(drawn([&] { sheet.ofl_rectf(1, 2, 3, 4, FL_RED); }), (calls{"color 88", "rectf 1 2 3 4"}));
}

TEST(FormsDrawing, SheetFigures) {
  OFL_vision_sheet s;
  struct cas {
    const char* name;
    std::function<void()> draw;
    calls made;
  } const table[] = {
      {"dash line", [&] { s.ofl_dash_line(1, 2, 3, 4, FL_RED); },
       {"color 88", "line_style 1 0 1", "line 1 2 3 4", "line_style 0 0 1"}},
      {"broken line", [&] { s.ofl_break_line(0, 0, 8, 0, FL_RED); },
       {"color 88", "line 0 0 2 4", "line 2 4 6 -4", "line 6 -4 8 0"}},
      {"circle", [&] { s.ofl_circ(1, 2, 9, FL_RED); }, {"color 88", "arc 1 2 9 9 0 360"}},
      {"disc", [&] { s.ofl_circf(1, 2, 9, FL_RED); }, {"color 88", "pie 1 2 9 9 0 360"}},
      {"bound rectangle", [&] { s.ofl_rectbound(1, 2, 3, 4, FL_RED); },
       {"color 88", "rectf 1 2 3 4", "color 56", "rect 1 2 3 4"}},
      {"bound circle", [&] { s.ofl_circbound(1, 2, 9, FL_RED); },
       {"color 88", "pie 1 2 9 9 0 360", "color 56", "arc 1 2 9 9 0 360"}},
      {"wedge", [&] { s.ofl_arrowbound(0, 0, 3, 4, FL_RED); },
       {"color 88", "color 88", "pie 3 4 10 10 106.87 146.87", "color 56"}},
      {"far wedge", [&] { s.ofl_arrowbound(0, 0, 100000, 0, FL_RED); },
       {"color 88", "color 88", "pie 100000 0 200000 200000 160 200", "color 56"}},
      {"text", [&] { s.ofl_drw_String(FL_ALIGN_LEFT, 0, 0, 50, 10, FL_RED, 10, FL_COURIER, "xy"); },
       {"color 88", "font 4 10", "color 88", "draw xy"}},
  };
  for (auto const& c : table) EXPECT_EQ(drawn(c.draw), c.made) << c.name;
}

TEST(FormsDrawing, ArrowHeads) {
  const double q = std::atan(1.0);  // 45 degrees
  struct cas {
    int x1, y1, x2, y2;
    calls made;
  } const table[] = {
      {0, 0, 10, 0, {"line 8 -2 10 0", "line 8 2 10 0", "line 0 0 10 0"}},
      {10, 0, 0, 0, {"line 2 -2 0 0", "line 2 2 0 0", "line 10 0 0 0"}},
      {0, 0, 0, 10, {"line -2 8 0 10", "line 2 8 0 10", "line 0 0 0 10"}},
      {0, 10, 0, 0, {"line -2 2 0 0", "line 2 2 0 0", "line 0 10 0 0"}},
      {0, 0, 10, 10, {"line 6 10 10 10", "line 10 6 10 10", "line 0 0 10 10"}},
      {10, 10, 0, 0, {"line 4 0 0 0", "line 0 4 0 0", "line 10 10 0 0"}},
  };
  OFL_vision_sheet s;
  for (auto const& c : table) {
    calls want = c.made;
    want.insert(want.begin(), "color 88");
    EXPECT_EQ(drawn([&] { s.ofl_drw_arrow_line(c.x1, c.y1, c.x2, c.y2, 4, q, FL_RED); }), want)
        << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
  }
}

TEST(FormsHelpers, LabelsCutToTheirLength) {
  struct cas {
    int n;
    const char* label;
  } const table[] = {{3, "abc"}, {-1, "abcdef"}, {6, "abcdef"}, {9, "abcdef"}, {0, ""}};
  Fl_Box box(0, 0, 10, 10);
  for (auto const& c : table) {
    fl_set_object_Slabel(&box, "abcdef", c.n);
    EXPECT_STREQ(box.label(), c.label) << c.n;
  }
}

TEST(FormsHelpers, NumberDialogsWithoutDisplayGiveTheDefault) {
  EXPECT_EQ(fl_show_int("n", 5), 5);
  EXPECT_EQ(fl_show_double("x", 2.5), 2.5);
  EXPECT_EQ(fl_show_double(std::string("100% x"), -1.25), -1.25);
}

}  // namespace
