// Segments and the filled shapes of the PDF page, drawn as rows of segments.
#include <cmath>

#include "g_pdf.h"
#include "g_pdf_page.h"

void genere_ligne_pdf(std::ostream& f, long x1, long y1, long x2, long y2) {
  g_pdf_ligne_page(f, "      " + std::to_string(x1) + " " + std::to_string(y1) + " m");
  g_pdf_ligne_page(f, "      " + std::to_string(x2) + " " + std::to_string(y2) + " l");
  g_pdf_ligne_page(f, "      S");
}

// (x, y) is the upper left corner: the box hangs down.
void genere_boite_pdf(std::ostream& f, long x, long y, long width, long height) {
  genere_ligne_pdf(f, x, y, x + width, y);
  genere_ligne_pdf(f, x + width, y, x + width, y - height);
  genere_ligne_pdf(f, x + width, y - height, x, y - height);
  genere_ligne_pdf(f, x, y - height, x, y);
}

void genere_rectangle_plein_pdf(std::ostream& f, long x, long y, long width, long height, int) {
  for (long i = x; i < x + width; ++i) genere_ligne_pdf(f, i, y, i, y + height);
}

void genere_rectangle_trou_pdf(std::ostream& f, long x, long y, long width, long height, long hole, int) {
  long a = x + (width - hole) / 2, b = x + (width + hole) / 2;
  long c = y + (height - hole) / 2, d = y + (height + hole) / 2;
  for (long i = x; i < a; ++i) genere_ligne_pdf(f, i, y, i, y + height);
  for (long i = a; i < b; ++i) {
    genere_ligne_pdf(f, i, y, i, c);
    genere_ligne_pdf(f, i, d, i, y + height);
  }
  for (long i = b; i < x + width; ++i) genere_ligne_pdf(f, i, y, i, y + height);
}

// ---------------------------------------------------------------------------
// Ovals: one closed polygon of 32 segments per radius, its vertices at eight
// angles of each quadrant. The factors are written out to nine decimals so
// that every drawing comes out to the same integers.

namespace {

struct angle_ovale {
  long double cosinus, sinus;
  bool cos_moitie, sin_moitie;  // taken as an integer halving instead
};

const angle_ovale angles[8] = {
    {0.996194698L, 0.087155743L, false, false},  // 5 degrees
    {0.965925826L, 0.258819045L, false, false},  // 15
    {0.939692621L, 0.342020143L, false, false},  // 20
    {0.866025404L, 0.0L, false, true},           // 30
    {0.707106781L, 0.707106781L, false, false},  // 45
    {0.0L, 0.866025404L, true, false},           // 60
    {0.258819045L, 0.965925826L, false, false},  // 75
    {0.087155743L, 0.996194698L, false, false},  // 85
};

struct sommet {
  long x, y;
};

// The vertex at angle k of the quadrant given by the signs sx and sy.
sommet sommet_ovale(long cx, long cy, long e, long r, int k, int sx, int sy) {
  const angle_ovale& a = angles[k];
  sommet s;
  s.x = a.cos_moitie ? cx + sx * (e / 2) : static_cast<long>(cx + sx * e * a.cosinus);
  s.y = a.sin_moitie ? cy + sy * (r / 2) : static_cast<long>(cy + sy * r * a.sinus);
  return s;
}

void segment(std::ostream& f, sommet a, sommet b) { genere_ligne_pdf(f, a.x, a.y, b.x, b.y); }

void polygone_ovale(std::ostream& f, long cx, long cy, long e, long r) {
  auto v = [&](int k, int sx, int sy) { return sommet_ovale(cx, cy, e, r, k, sx, sy); };
  segment(f, v(0, 1, -1), v(0, 1, 1));
  segment(f, v(0, -1, -1), v(0, -1, 1));
  for (int k = 0; k < 7; ++k) {
    segment(f, v(k, 1, 1), v(k + 1, 1, 1));
    segment(f, v(k, 1, -1), v(k + 1, 1, -1));
    segment(f, v(k, -1, 1), v(k + 1, -1, 1));
    segment(f, v(k, -1, -1), v(k + 1, -1, -1));
  }
  segment(f, v(7, 1, 1), v(7, -1, 1));
  segment(f, v(7, 1, -1), v(7, -1, -1));
}

// A horizontal radius of 0 would divide by zero: nothing is drawn then.
void ovale(std::ostream& f, long x, long y, long width, long height, long premier_rayon) {
  long rx = width / 2, ry0 = height / 2;
  if (rx == 0) return;
  long cx = x + rx, cy = y + ry0;
  for (long e = premier_rayon; e <= rx; ++e) {
    long r = static_cast<long>(static_cast<long double>(e) * ry0 / rx);
    polygone_ovale(f, cx, cy, e, r);
  }
}

}  // namespace

void genere_ovale_plein_pdf(std::ostream& f, long x, long y, long width, long height, int) {
  ovale(f, x, y, width, height, 1);
}

void genere_ovale_trou_pdf(std::ostream& f, long x, long y, long width, long height, long hole, int) {
  ovale(f, x, y, width, height, hole / 2);
}

// Dashes go toward growing coordinates along an axis; a slanted segment gets
// them laid from the first point toward the second, ends rounded to the
// nearest unit. A dash plus gap that is not positive would never advance:
// nothing is drawn then.
void genere_ligne_pointille_pdf(std::ostream& f, long x1, long y1, long x2, long y2, long dash, long gap) {
  long pas = dash + gap;
  if (pas <= 0) return;
  if (x1 == x2) {
    for (long y = y1; y < y2; y += pas) genere_ligne_pdf(f, x1, y, x1, y + dash);
  } else if (y1 == y2) {
    for (long x = x1; x < x2; x += pas) genere_ligne_pdf(f, x, y1, x + dash, y1);
  } else {
    long double dx = x2 - x1, dy = y2 - y1;
    long double longueur = std::sqrt(dx * dx + dy * dy);
    long double ux = dx / longueur, uy = dy / longueur;
    for (long double t = 0; t < longueur; t += pas)
      genere_ligne_pdf(f, x1 + std::lround(t * ux), y1 + std::lround(t * uy),
                       x1 + std::lround((t + dash) * ux), y1 + std::lround((t + dash) * uy));
  }
}
