// The PDF drawing of a grafcet on one page: steps as squares with the marks
// of their types and their actions as boxes, transitions as bars, links as
// their polylines with arrows and bars. A grid point (x, y) is drawn at
// (10 x, H - 10 y), a polyline point (u, v) at (u / 2, H - v / 2). Page
// coordinates are long: ten times a grid coordinate passes an int.
#include <algorithm>
#include <climits>
#include <fstream>
#include <vector>

#include "Stringpath.h"
#include "Stringpp.h"
#include "g_pdf.h"
#include "gt_norm.h"

// The drawing height of the page being drawn; it stays after the document.
static long H = 0;

static long page_x(long x) { return 10 * x; }
static long page_y(long y) { return H - 10 * y; }

static void ligne(std::fstream& f, long x1, long y1, long x2, long y2) {
  genere_ligne_pdf(f, x1, y1, x2, y2);
}

static void carre_interieur(std::fstream& f, long X, long Y) {
  genere_boite_pdf(f, X - 3, Y + 3, 6, 6);
}

static void coins(std::fstream& f, long X, long Y) {
  ligne(f, X - 5, Y + 2, X - 3, Y + 5);
  ligne(f, X - 5, Y - 3, X - 3, Y - 5);
  ligne(f, X + 5, Y + 2, X + 3, Y + 5);
  ligne(f, X + 5, Y - 3, X + 3, Y - 5);
}

static void etoile(std::fstream& f, long X, long Y) {
  ligne(f, X - 18, Y, X - 12, Y);
  ligne(f, X - 17, Y - 3, X - 13, Y + 3);
  ligne(f, X - 13, Y - 3, X - 17, Y + 3);
}

// The marks that tell the step types apart.
static void marques(std::fstream& f, int type, long X, long Y) {
  switch (type) {
    case 1:
      carre_interieur(f, X, Y);
      break;
    case 3:
      ligne(f, X - 5, Y + 3, X + 5, Y + 3);
      ligne(f, X - 5, Y - 3, X + 5, Y - 3);
      break;
    case 4:
      ligne(f, X - 5, Y + 3, X + 5, Y + 3);
      break;
    case 5:
      ligne(f, X - 5, Y - 3, X + 5, Y - 3);
      break;
    case 6:
      coins(f, X, Y);
      break;
    case 7:
      carre_interieur(f, X, Y);
      coins(f, X, Y);
      break;
    case 8:
      etoile(f, X, Y);
      break;
    case 9:
      carre_interieur(f, X, Y);
      etoile(f, X, Y);
      break;
    default:
      break;
  }
}

void tpen_etape::put_pdf(std::fstream& f, tpen_fichier& g) const {
  long X = page_x(x), Y = page_y(y);
  genere_boite_pdf(f, X - 5, Y + 5, 10, 10);
  int w = longueur_chaine_pdf(nom, 6);
  bool grand = type == 2 || type == 3 || type == 4 || type == 5 || type == 6 || type == 8;
  genere_chaine_pdf(f, X - 10 * w / 15, Y - 2, grand ? 6 : 5, nom);
  marques(f, type, X, Y);
  if (actions.empty()) return;
  ligne(f, X + 5, Y, X + 10, Y);
  int rang = y;
  long Z = Y;
  for (auto const& a : actions) {
    rang = a.put_pdf(f, g, x + 1, rang);
    Z = H - 10 * (static_cast<long>(rang) - 1);
    ligne(f, X + 10, Z, X + 15, Z);
  }
  ligne(f, X + 10, Y, X + 10, Z);
}

int tpen_action::put_pdf(std::fstream& f, tpen_fichier const& g, int colonne, int rang) const {
  long K = page_x(colonne);
  std::string N = g.nom_output(ident_output);
  long R = rang;
  if (condition != "1") {
    ligne(f, K + 10, page_y(R) - 5, K + 10, page_y(R) - 3);
    genere_chaine_pdf(f, K + 5, page_y(R) - 2, 6, condition);
    ++R;
  }
  long Y = page_y(R);
  long w = 10 * static_cast<long>(longueur_chaine_pdf(N, 7)) / 8;
  if (qualificatif == 1) {
    genere_boite_pdf(f, K + 5, Y + 5, w + 5, 10);
    genere_chaine_pdf(f, K + 7, Y - 3, 7, N);
  } else {
    genere_boite_pdf(f, K + 5, Y + 5, w + 15, 10);
    ligne(f, K + 15, Y + 5, K + 15, Y - 5);
    genere_chaine_pdf(f, K + 7, Y - 3, 7, convert_qualificatif());
    genere_chaine_pdf(f, K + 17, Y - 3, 7, N);
  }
  return static_cast<int>(R + 1);
}

void tpen_transition::put_pdf(std::fstream& f) const {
  long X = page_x(x), Y = page_y(y);
  genere_rectangle_plein_pdf(f, X - 5, Y - 1, 10, 2);
  std::string etiquette = "(" + unslong2S(static_cast<uint32_t>(num)) + ")";
  genere_chaine_pdf(f, X - 10 - longueur_chaine_pdf(etiquette, 6), Y - 2, 7, etiquette);
  genere_chaine_pdf(f, X + 10, Y - 2, 7, receptivite);
}

// An arrow head pointing up at the middle of a vertical segment.
static void fleche(std::fstream& f, long u, long v, long v2) {
  long s = v + v2;
  ligne(f, (u + 5) / 2, H - s / 4, u / 2, H - (s - 20) / 4);
  ligne(f, (u - 5) / 2, H - s / 4, u / 2, H - (s - 20) / 4);
}

// With more than two branches the first point reaches the double bar; the
// last segment to a step stops at the edge of its square.
void tpe_graphique::put_pdf(std::fstream& f, int nombre, int genre, int sens) const {
  std::vector<long> e(coords.begin(), coords.end());
  size_t points = e.size() / 2;
  if (points == 0) return;
  if (nombre > 2) e[1] += sens == 2 ? 2 : -2;
  for (size_t i = 0; i + 1 < points; ++i) {
    long u = e[2 * i], v = e[2 * i + 1], u2 = e[2 * i + 2], v2 = e[2 * i + 3];
    long fin = H - v2 / 2;
    if (genre == 0 && i + 2 == points) fin = v / 2 >= v2 / 2 ? H - (v2 / 2 + 5) : H - (v2 / 2 - 5);
    ligne(f, u / 2, H - v / 2, u2 / 2, fin);
    if (u == u2 && ((sens == 3 && v < v2) || (sens == 2 && v > v2))) fleche(f, u, v, v2);
  }
}

void lien_graphique_elem::put_pdf(std::fstream& f, int nombre) const {
  line.put_pdf(f, nombre, type, sens);
}

void lien_graphique::put_pdf(std::fstream& f) const {
  int n = nombre_sousliens();
  for (auto const& b : sousliens) b.put_pdf(f, n);
  long a = mon_x(), m = mon_y(), b = ma_largeur();
  long gauche = (10 * a - 5 * b) / 20, demi = b / 2, niveau = m / 2;
  if (n > 2) {
    ligne(f, gauche - 5, H - niveau + 1, gauche + demi + 5, H - niveau + 1);
    ligne(f, gauche - 5, H - niveau - 1, gauche + demi + 5, H - niveau - 1);
  } else if (demi > 0) {
    ligne(f, gauche, H - niveau, gauche + demi, H - niveau);
  }
}

// The largest x or y of the steps and transitions, counted from 0.
static long plus_grand(tpen_etape const* etapes, int ne, tpen_transition const* transitions, int nt,
                       bool abscisse) {
  long m = 0;
  for (int i = 0; i < ne; ++i) m = std::max<long>(m, abscisse ? etapes[i].x : etapes[i].y);
  for (int k = 0; k < nt; ++k)
    m = std::max<long>(m, abscisse ? transitions[k].x : transitions[k].y);
  return m;
}

int tpen_fichier::largueur_max() {
  long m = plus_grand(table_etapes, nombre_etapes, table_transitions, nombre_transitions, true);
  return static_cast<int>(std::min<long>(10 + m, INT_MAX));
}

int tpen_fichier::hauteur_max() {
  return static_cast<int>(
      plus_grand(table_etapes, nombre_etapes, table_transitions, nombre_transitions, false));
}

// A fitted page is at least one grid row high: with every y at 0 it would
// have no height at all.
static const long hauteur_minimale = 11;

void tpen_fichier::put_pdf(std::string const& nom, int page) {
  std::fstream f(supress_filename_extension(nom) + ".pdf", std::ios::out | std::ios::trunc);
  if (page == 1) {
    genere_debut_pdf_landscape(f);
    H = 600;
  } else if (page == 2) {
    H = std::max(11L * hauteur_max(), hauteur_minimale);
    genere_debut_pdf_taille_non_standard(f, 10L * largueur_max(), H);
  } else {
    // Any other kind is drawn on the portrait page.
    genere_debut_pdf_portrait(f);
    H = 800;
  }
  for (int i = 0; i < nombre_etapes; ++i) table_etapes[i].put_pdf(f, *this);
  for (int k = 0; k < nombre_transitions; ++k) table_transitions[k].put_pdf(f);
  for (int l = 0; l < nombre_liens; ++l) table_liens[l].put_pdf(f);
  genere_fin_pdf(f);
}
