// The drawing sheet: lines, rectangles, circles, arrows and texts, each drawn
// in its own colour and clipped to the sheet while the sheet is not empty.
#include "formspp.h"

#include <FL/fl_draw.H>

#include <cmath>
#include <cstdint>

#include "Stringpp.h"

OFL_vision_sheet::OFL_vision_sheet() : x0(0), y0(0), x1(0), y1(0), colour(FL_BLACK) {}

void OFL_vision_sheet::define(int x, int y, int w, int h, int c) {
  resize(x, y, w, h);
  colour = c;
}

void OFL_vision_sheet::resize(int x, int y, int w, int h) {
  x0 = x;
  y0 = y;
  x1 = x + w;
  y1 = y + h;
}

bool OFL_vision_sheet::active() const { return x0 < x1 && y0 < y1; }

void OFL_vision_sheet::begin(Fl_Color c) {
  if (active()) fl_push_clip(x0, y0, x1 - x0, y1 - y0);
  fl_color(c);
}

void OFL_vision_sheet::end() {
  if (active()) fl_pop_clip();
}

// One drawing in colour c, clipped to the sheet.
template <class F>
void OFL_vision_sheet::clipped(Fl_Color c, F draw) {
  begin(c);
  draw();
  end();
}

void OFL_vision_sheet::ofl_line(int xa, int ya, int xb, int yb, Fl_Color c) {
  clipped(c, [&] { fl_line(xa, ya, xb, yb); });
}

void OFL_vision_sheet::ofl_dash_line(int xa, int ya, int xb, int yb, Fl_Color c) {
  clipped(c, [&] {
    fl_line_style(FL_DASH, 0, nullptr);
    fl_line(xa, ya, xb, yb);
    fl_line_style(0, 0, nullptr);
  });
}

// Three segments through the point a quarter of the way along, pushed aside
// by half the length, and the point three quarters along, pushed the other
// way: the usual mark of a link that is broken off.
void OFL_vision_sheet::ofl_break_line(int xa, int ya, int xb, int yb, Fl_Color c) {
  int px = (xb + 2 * (ya - yb) + 3 * xa) / 4, py = (yb + 2 * (xb - xa) + 3 * ya) / 4;
  int qx = (xa + 2 * (yb - ya) + 3 * xb) / 4, qy = (ya + 2 * (xa - xb) + 3 * yb) / 4;
  clipped(c, [&] {
    fl_line(xa, ya, px, py);
    fl_line(px, py, qx, qy);
    fl_line(qx, qy, xb, yb);
  });
}

void OFL_vision_sheet::ofl_rect(int x, int y, int w, int h, Fl_Color c) {
  clipped(c, [&] { fl_rect(x, y, w, h); });
}

void OFL_vision_sheet::ofl_rectf(int x, int y, int w, int h, Fl_Color c) {
  clipped(c, [&] { fl_rectf(x, y, w, h); });
}

void OFL_vision_sheet::ofl_circ(int x, int y, int d, Fl_Color c) {
  clipped(c, [&] { fl_arc(x, y, d, d, 0, 360); });
}

void OFL_vision_sheet::ofl_circf(int x, int y, int d, Fl_Color c) {
  clipped(c, [&] { fl_pie(x, y, d, d, 0, 360); });
}

void OFL_vision_sheet::ofl_rectbound(int x, int y, int w, int h, Fl_Color c) {
  clipped(c, [&] {
    fl_rectf(x, y, w, h);
    fl_color(FL_BLACK);
    fl_rect(x, y, w, h);
  });
}

void OFL_vision_sheet::ofl_circbound(int x, int y, int d, Fl_Color c) {
  clipped(c, [&] {
    fl_pie(x, y, d, d, 0, 360);
    fl_color(FL_BLACK);
    fl_arc(x, y, d, d, 0, 360);
  });
}

// The squares are summed in 64 bits: far ends would overflow an int.
void OFL_vision_sheet::ofl_arrowbound(int xa, int ya, int xb, int yb, Fl_Color c) {
  int64_t dx = static_cast<int64_t>(xb) - xa, dy = static_cast<int64_t>(yb) - ya;
  double length = std::sqrt(static_cast<double>(dx * dx + dy * dy));
  int s = static_cast<int>(2 * length);
  float a = static_cast<float>(std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * 180 / 3.14159265358979323846);
  clipped(c, [&] {
    fl_color(c);
    fl_pie(xb, yb, s, s, 160 - a, 200 - a);
    fl_color(FL_BLACK);
  });
}

void OFL_vision_sheet::ofl_drw_text(Fl_Align align, int x, int y, int w, int h, Fl_Color c, int size, int face,
                                    char* text) {
  clipped(c, [&] {
    fl_font(face, size);
    fl_color(c);
    fl_draw(text, x, y, w, h, align, nullptr, 1);
  });
}

void OFL_vision_sheet::ofl_drw_String(Fl_Align align, int x, int y, int w, int h, Fl_Color c, int size, int face,
                                      const std::string& s) {
  char* text = Stoa(s);
  ofl_drw_text(align, x, y, w, h, c, size, face, text);
  delete[] text;
}

// Each product is cut to an int before it is added, so that the barbs land
// on whole pixels the same way whatever the direction.
static int cut(double v) { return static_cast<int>(v); }

void OFL_vision_sheet::ofl_drw_arrow_line(int xa, int ya, int xb, int yb, int len, double angle, Fl_Color c) {
  double l = len;
  int r, u, t, o;
  if (xa == xb) {
    r = xb - cut(l * std::sin(angle));
    t = xb + cut(l * std::sin(angle));
    u = o = ya < yb ? yb - cut(l * std::cos(angle)) : yb + cut(l * std::cos(angle));
  } else if (ya == yb) {
    r = t = xa < xb ? xb - cut(l * std::cos(angle)) : xb + cut(l * std::cos(angle));
    u = yb - cut(l * std::sin(angle));
    o = yb + cut(l * std::sin(angle));
  } else {
    double a = std::atan(static_cast<double>(yb - ya) / (xb - xa));
    int sign = xa < xb ? -1 : 1;
    r = xb + sign * cut(l * std::cos(a - angle));
    u = yb + sign * cut(l * std::sin(a - angle));
    t = xb + sign * cut(l * std::cos(a + angle));
    o = yb + sign * cut(l * std::sin(a + angle));
  }
  clipped(c, [&] {
    fl_line(r, u, xb, yb);
    fl_line(t, o, xb, yb);
    fl_line(xa, ya, xb, yb);
  });
}
