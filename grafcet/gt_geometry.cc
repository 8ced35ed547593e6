// The polylines of the link branches: their accessors, the routes of new
// branches, and the moves that keep them orthogonal and clear of the steps
// and transitions. Polylines run from the link's bar to the element, in
// drawing units of 20 per grid unit, y growing downward.
#include <iostream>
#include <iterator>

#include "gt_norm.h"
#include "listpp.h"

static long grille(long v) { return 20 * v; }

static long& en(std::list<long>& c, int i) { return *std::next(c.begin(), i); }

static long lu(std::list<long> const& c, int i) {
  return i >= 0 && i < static_cast<int>(c.size()) ? *std::next(c.begin(), i) : 0;
}

std::list<long> const& tpe_graphique::my_coords() const { return coords; }
int tpe_graphique::nb_coords() const { return static_cast<int>(coords.size()); }
long tpe_graphique::first_x() const { return lu(coords, 0); }
long tpe_graphique::first_y() const { return lu(coords, 1); }
long tpe_graphique::last_x() const { return lu(coords, nb_coords() - 2); }
long tpe_graphique::last_y() const { return lu(coords, nb_coords() - 1); }

void tpe_graphique::update_first_x_and_co(long v) {
  if (coords.empty()) return;
  en(coords, 0) = v;
  if (nb_coords() >= 3) en(coords, 2) = v;
}

void tpe_graphique::update_last_x_and_co(long v) {
  int n = nb_coords();
  if (n >= 2) en(coords, n - 2) = v;
  if (n >= 4) en(coords, n - 4) = v;
}

// The corner at index i, and the one at index j when there is one, keep a
// clearance of marge from v: above v when haut, below it otherwise.
static void degage(std::list<long>& c, int i, int j, long v, bool haut, long marge) {
  long& coin = en(c, i);
  if (haut ? coin < v - (marge - 1) : coin > v + (marge - 1)) return;
  coin = haut ? v - marge : v + marge;
  if (j < static_cast<int>(c.size())) en(c, j) = coin;
}

// The first corner stays 10 units beyond the bar, on the side of the element.
void tpe_graphique::update_first_y_and_co(long v, int sens) {
  int n = nb_coords();
  if (n >= 2) en(coords, 1) = v;
  if (n > 4) degage(coords, 3, 5, v, sens == 3, 10);
}

// The last corner stays 20 units before the element, on the side of the bar.
void tpe_graphique::update_last_y_and_co(long v, int sens) {
  int n = nb_coords();
  if (n >= 1) en(coords, n - 1) = v;
  if (n > 4) degage(coords, n - 3, n - 5, v, sens == 2, 20);
}

static int erreur_segment(const char* quoi) {
  std::cerr << "in tpe_graphique::update_segment(int seg, long x,long y)" << std::endl
            << "   error: " << quoi << std::endl;
  return 0;
}

// A horizontal segment may not come nearer to the element end ye than a
// step's or a transition's half height, nor pass it.
static bool hauteur_permise(long y, long ye, int type, int sens) {
  long marge = type == 0 ? 14 : 4;
  if (sens == 3) return y > ye + marge;
  if (sens == 2) return y < ye - marge;
  return false;
}

int tpe_graphique::update_segment(int seg, long x, long y, long ye, int type, int sens) {
  int n = nb_coords();
  if (n < 4) return erreur_segment("less than 2 points !");
  // Segment 0 and below name no segment.
  if (seg < 1 || n < 2 * seg + 2) return erreur_segment("not enough points !");
  long& x1 = en(coords, 2 * seg - 2);
  long& y1 = en(coords, 2 * seg - 1);
  long& x2 = en(coords, 2 * seg);
  long& y2 = en(coords, 2 * seg + 1);
  if (x1 == x2) {
    if (x == x1) return 0;
    x1 = x2 = x;
    return 1;
  }
  if (y1 == y2) {
    if (y == y1) return 0;
    if (hauteur_permise(y, ye, type, sens)) y1 = y2 = y;
  }
  return 1;
}

tpe_graphique& lien_graphique_elem::my_line() { return line; }
int lien_graphique_elem::line_nb_coords() const { return line.nb_coords(); }
long lien_graphique_elem::first_x() const { return line.first_x(); }
long lien_graphique_elem::first_y() const { return line.first_y(); }
long lien_graphique_elem::last_x() const { return line.last_x(); }
long lien_graphique_elem::last_y() const { return line.last_y(); }
void lien_graphique_elem::update_first_x(long v) { line.update_first_x_and_co(v); }
void lien_graphique_elem::update_first_y(long v) { line.update_first_y_and_co(v, sens); }
void lien_graphique_elem::update_last_x(long v) { line.update_last_x_and_co(v); }
void lien_graphique_elem::change_line(tpe_graphique const& p) { line = p; }

static tpe_graphique polyligne(std::list<long> const& c) { return tpe_graphique(&c); }

// An element that crosses the bar is reached by a detour that leaves the
// bar, steps one grid unit to the left and comes back to it from beyond.
void lien_graphique_elem::update_last_y(long v, int c) {
  if (sens != 2 && sens != 3) {
    std::cerr << "PROBLEME SUR LIEN" << std::endl;
    return;
  }
  long x1 = line.first_x(), y1 = line.first_y(), lx = line.last_x();
  bool route = line.nb_coords() > 4;
  if (sens == 3) {
    if ((v < y1) != route)
      line.update_last_y_and_co(v, 3);
    else if (v < y1)
      line = polyligne({lx, y1, lx, v});
    else if (c == 1)
      line = polyligne({x1 - 20, y1, x1 - 20, v + 20, x1, v + 20, x1, v});
    else
      line = polyligne({x1, y1, x1, y1 - 20, x1 - 20, y1 - 20, x1 - 20, v + 20, x1, v + 20, x1, v});
  } else {
    if ((v > y1) != route)
      line.update_last_y_and_co(v, 2);
    else if (v >= y1)
      line = polyligne({lx, y1, lx, v});
    else if (c == 1)
      line = polyligne({x1 - 20, y1, x1 - 20, v - 20, x1, v - 20, x1, v});
    else
      line = polyligne({x1, y1, x1, y1 + 10, x1 - 20, y1 + 10, x1 - 20, v - 20, x1, v - 20, x1, v});
  }
}

int lien_graphique_elem::update_deplacements(tpen_etape* etapes, int nombre_etapes,
                                             tpen_transition* transitions, int nombre_transitions,
                                             int c) {
  int nombre = type == 1 ? nombre_transitions : nombre_etapes;
  if (ident < 0 || ident >= nombre) {
    std::cerr << "internal erreur 1 in lien_graphique_elem::update_deplacements()" << std::endl;
    return 0;
  }
  long x = grille(type == 1 ? transitions[ident].x : etapes[ident].x);
  long y = grille(type == 1 ? transitions[ident].y : etapes[ident].y);
  if (line.last_x() == x && line.last_y() == y) return 0;
  line.update_last_x_and_co(x);
  update_last_y(y, c);
  return 1;
}

// The bar moves to y; the element end stays where it is, re-routed if the
// bar has passed it.
int lien_graphique_elem::update_deplacements(long, long y, int c) {
  if (y == line.first_y()) return 0;
  long fin = line.last_y();
  line.update_first_y_and_co(y, sens);
  update_last_y(fin, c);
  return 1;
}

int lien_graphique_elem::update_deplacements(int seg, long x, long y) {
  return line.update_segment(seg, x, y, line.last_y(), type, sens);
}

static int petit_lien(lien_graphique const& l) { return l.nombre_sousliens() <= 2 ? 1 : 0; }

int lien_graphique::update_deplacements(tpen_etape* etapes, int nombre_etapes,
                                        tpen_transition* transitions, int nombre_transitions) {
  int c = petit_lien(*this);
  int change = 0;
  for (auto& b : sousliens)
    if (b.update_deplacements(etapes, nombre_etapes, transitions, nombre_transitions, c))
      change = 1;
  return change;
}

void lien_graphique::update_deplacements(long x, long y) {
  int c = petit_lien(*this);
  for (auto& b : sousliens) b.update_deplacements(x, y, c);
}

void lien_graphique::update_deplacements_souslien(int k, int seg, long x, long y) {
  auto b = list_at(sousliens, k);
  if (b != sousliens.end()) b->update_deplacements(seg, x, y);
}

void lien_graphique::update_mon_y(long v) {
  for (auto& b : sousliens) b.line.update_first_y_and_co(v, b.sens);
}

void lien_graphique::lissage_simple_trait() {}

// d is 1 for a divergence (the steps below the bar), -1 for a convergence.
void lien_graphique::add_branche_etape(int d, int s, int sx, int sy, int t, int tx, int ty) {
  long gtx = grille(tx), gsx = grille(sx), gsy = grille(sy);
  long y;
  if (sousliens.empty()) {
    y = grille(ty) + 10 * d;
    tpe_graphique bout = polyligne({gtx, y, gtx, grille(ty)});
    sousliens.push_back(lien_graphique_elem(1, d == 1 ? 3 : 2, t, &bout));
  } else {
    y = mon_y();
  }
  tpe_graphique route;
  if (d * (gsy - y) >= 0) {
    route = polyligne({gsx, y, gsx, gsy});
  } else if (sousliens.size() == 1) {
    long c = grille(static_cast<long>(tx) + 1 < sx ? static_cast<long>(sx) - 1
                                                   : static_cast<long>(tx) - 1);
    route = polyligne(
        {gtx, y, gtx, y + 10 * d, c, y + 10 * d, c, gsy - 20 * d, gsx, gsy - 20 * d, gsx, gsy});
  } else {
    route = polyligne({gsx, y, gsx, y + 10 * d, gsx - 20, y + 10 * d, gsx - 20, gsy - 20 * d, gsx,
                       gsy - 20 * d, gsx, gsy});
  }
  sousliens.push_back(lien_graphique_elem(0, d == 1 ? 2 : 3, s, &route));
}

void lien_graphique::add_etape_transition_sublink(int s, int sx, int sy, int t, int tx, int ty) {
  convergence = 1;
  add_branche_etape(-1, s, sx, sy, t, tx, ty);
}

void lien_graphique::add_transition_etape_sublink(int t, int tx, int ty, int s, int sx, int sy) {
  convergence = 0;
  add_branche_etape(1, s, sx, sy, t, tx, ty);
}

// Puts the bar of every link of transition t whose only step p lies straight
// above (convergence) or below (divergence) half way between the two.
static void centre_barre(lien_graphique* liens, int nombre_liens, int t, int convergence,
                         tpen_etape const& p, tpen_transition const& tr) {
  for (int l = 0; l < nombre_liens; ++l) {
    lien_graphique& lien = liens[l];
    if ((convergence ? lien.trans_aval() : lien.trans_amont()) != t) continue;
    for (auto& b : lien.sousliens)
      b.line.update_first_y_and_co((static_cast<long>(tr.y) + p.y) * 10, b.sens);
  }
}

void tpen_fichier::update_deplacements_liens() {
  for (int i = 0; i < nombre_transitions; ++i) {
    tpen_transition const& t = table_transitions[i];
    if (t.pre.size() == 1) {
      tpen_etape const& p = table_etapes[*t.pre.begin()];
      if (p.x == t.x && p.y <= t.y) centre_barre(table_liens, nombre_liens, i, 1, p, t);
    }
    if (t.post.size() == 1) {
      tpen_etape const& q = table_etapes[*t.post.begin()];
      if (q.x == t.x && q.y >= t.y) centre_barre(table_liens, nombre_liens, i, 0, q, t);
    }
  }
  for (int l = 0; l < nombre_liens; ++l)
    table_liens[l].update_deplacements(table_etapes, nombre_etapes, table_transitions,
                                       nombre_transitions);
}
