// The PostScript drawing of a grafcet on an A4 page: a prolog of drawing
// procedures in millimetres, scaled by the side a of a step square, then one
// line per step, action, transition and piece of link that pushes texts and
// coordinates and calls them.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "g_pdf.h"
#include "gt_norm.h"

static const char* const prologue[] = {
    "/translate_coord_etape { a 2 div sub exch a 2 div sub exch } def",
    "/translate_coord_trans { exch a 2 div sub exch } def",
    "/carre { 0 a rlineto a 0 rlineto 0 a neg rlineto closepath stroke } def",
    "/etape_initiale { 2 copy moveto carre exch a 7 div add exch a 7 div add moveto"
    " 0 a 5 mul 7 div rlineto a 5 mul 7 div 0 rlineto 0 a 5 mul 7 div neg rlineto"
    " closepath stroke } def",
    "/taille_defaut { /Times-Roman findfont a 4 mul 7 div scalefont setfont show } def",
    "/taille_reduite { /Times-Roman findfont a 0.4 mul scalefont setfont show } def",
    // Room for any number: names are the decimal texts of 32-bit numbers.
    "/etape_unite { a 2 mul 7 div add exch a 3 div add exch moveto 24 string cvs taille_defaut }"
    " def",
    "/etape_dizaine { a 2 mul 7 div add exch a 21 mul 100 div add exch moveto 24 string cvs"
    " taille_defaut } def",
    "/etape_centaine { a 0.35 mul add exch a 5 div add exch moveto 24 string cvs taille_reduite }"
    " def",
    "/ecrit_chiffre { 2 index 10 lt { etape_unite } { 2 index 100 lt { etape_dizaine }"
    " { etape_centaine } ifelse } ifelse } def",
    "/trace_etape { translate_coord_etape 2 copy moveto carre ecrit_chiffre } def",
    "/trace_etape_initiale { translate_coord_etape 2 copy etape_initiale ecrit_chiffre } def",
    "/taille_var { /Times-Roman findfont a 4 mul 7 div scalefont setfont exch a 2 mul add exch"
    " 2 copy moveto 2 index stringwidth pop a 4 mul 15 div add dup 0 rlineto 0 a rlineto"
    " neg 0 rlineto closepath stroke a 2 mul 7 div add exch a 2 mul 15 div add exch moveto"
    " taille_defaut } def",
    "/taille_min { /Times-Roman findfont a 4 mul 7 div scalefont setfont 3 1 roll"
    " exch a 2 mul add exch 2 copy moveto a 2 mul 0 rlineto 0 a rlineto a 2 mul neg 0 rlineto"
    " closepath stroke a 2 mul 7 div add exch a 2 mul 3 index stringwidth pop sub 2 div add"
    " exch moveto taille_defaut } def",
    "/lien_direct { exch dup a 2 div add epaisseur add 2 index moveto a 3 mul 2 div add"
    " epaisseur sub exch lineto stroke } def",
    "/lien_decale { 3 1 roll exch a add exch moveto 0 exch a mul neg rlineto a 2 div 0 rlineto"
    " stroke } def",
    "/trace_action { translate_coord_etape exch a 2 mul add exch"
    " /Times-Roman findfont a 4 mul 7 div scalefont setfont (N) stringwidth pop"
    " a 4 mul 15 div add 3 1 roll 2 copy moveto 2 index 0 rlineto 0 a rlineto"
    " 2 index neg 0 rlineto closepath stroke 2 copy a 2 mul 7 div add exch a 2 mul 15 div add"
    " exch moveto 4 -1 roll taille_defaut 3 1 roll add a 2 mul sub exch taille_texte } def",
    "/taille_texte { /Times-Roman findfont a 4 mul 7 div scalefont setfont"
    " 2 index stringwidth pop a 2 mul lt { 3 -1 roll taille_min } { taille_var } ifelse } def",
    "/transition { moveto a 0 rlineto 0 a 5 div rlineto a neg 0 rlineto closepath fill } def",
    "/texte_transition { 2 copy translate_coord_trans transition a 15 div sub"
    " /Times-Roman findfont a 4 mul 7 div scalefont setfont 2 copy exch a 7 mul 10 div sub"
    " 4 index stringwidth pop sub exch moveto 3 -1 roll taille_defaut"
    " exch a 7 mul 10 div add exch moveto taille_defaut } def",
    "/addcondition { 2 copy a 2 div add exch a 1.7 mul add exch moveto 0 a 4 div rlineto stroke"
    " a 0.85 mul add exch a 1.5 mul add exch moveto taille_reduite } def",
    "/trace_trait { 4 2 roll moveto lineto stroke } def",
    "/trace_double_barre { a add 3 1 roll exch 2 index 2 div sub exch 2 copy a 8 div add moveto"
    " 2 index 0 rlineto a 8 div sub moveto 0 rlineto stroke } def",
    "/trace_simple_barre { epaisseur add 3 1 roll exch 2 index 2 div sub exch moveto 0 rlineto"
    " stroke } def",
};

// A PostScript string follows the rules of a PDF literal string: a
// backslash or a parenthesis without its partner is escaped.
static std::string chaine_ps(std::string const& t) { return "(" + g_pdf_texte_litteral(t) + ")"; }

static void trace_etape(std::ostream& os, tpen_fichier& g, int i, tpen_etape const& e) {
  os << g.nom_etape(i) << " a " << e.x << " mul"
     << " 297 a " << e.y << " mul sub"
     << (g.etape_initiale(i) ? " trace_etape_initiale" : " trace_etape") << "\n";
  if (g.nbr_actions(i) <= 0) return;
  os << "a " << e.x << " mul 297 a " << e.y << " mul sub"
     << " lien_direct"
     << "\n";
  int r = 0;
  for (auto const& act : e.actions) {
    std::string prefixe = chaine_ps(g.nom_output(act.ident_output)) + " " +
                          chaine_ps(act.convert_qualificatif()) + " a " + std::to_string(e.x) +
                          " mul  297 a " + std::to_string(e.y) + " mul sub ";
    bool condition = act.condition != "1";
    if (r == 0) {
      os << prefixe << " trace_action"
         << "\n";
      if (condition)
        os << chaine_ps(act.condition) << " a " << e.x << " mul  297 a " << e.y
           << " mul sub addcondition"
           << "\n";
      r = 1;
      continue;
    }
    if (condition) ++r;
    os << prefixe << r << " a mul sub"
       << " trace_action"
       << "\n";
    if (condition)
      os << chaine_ps(act.condition) << " a " << e.x << " mul  297 a " << e.y << " mul sub a " << r
         << " mul sub addcondition"
         << "\n";
    os << e.x << " a mul 297 " << e.y << " a  mul sub " << r << " lien_decale"
       << "\n";
    ++r;
  }
}

static void trace_transition(std::ostream& os, tpen_transition const& t) {
  os << chaine_ps(t.receptivite) << " " << chaine_ps("(" + std::to_string(t.num) + ")") << " "
     << t.x << " a mul 297 " << t.y << " a mul sub texte_transition"
     << "\n";
}

static double ps(long v) { return v / 20.0; }

// The end point of a branch; on a step it moves a/2 toward the bar, onto
// the edge of the square.
static void point_final(std::ostream& os, lien_graphique_elem const& b) {
  os << ps(b.line.last_x()) << " a mul 297 " << ps(b.line.last_y());
  if (b.type != 0)
    os << " a mul sub ";
  else
    os << " a mul a 2 div" << (b.line.first_y() > b.line.last_y() ? " add sub " : " sub sub ");
}

// Each point whose y is the first y starts a subpath; on a step branch each
// point whose y is the last y moves a/2 toward the point before it.
static void polyligne_ps(std::ostream& os, lien_graphique_elem const& b, bool deux) {
  std::vector<long> e(b.line.coords.begin(), b.line.coords.end());
  long y1 = b.line.first_y(), yn = b.line.last_y();
  for (size_t i = 0; i < e.size(); ++i) {
    if (i % 2 == 0) {
      os << ps(e[i]) << " a mul ";
    } else if (e[i] == y1 && deux) {
      os << " 297 a " << ps(e[i]) << " mul sub moveto ";
    } else if (e[i] == y1) {
      long y2 = e.size() > 3 ? e[3] : 0;
      os << " 297 a " << ps(e[i]) << " mul a 8 div " << (e[i] < y2 ? " add sub " : " sub sub ")
         << " moveto ";
    } else if (b.type == 0 && e[i] == yn) {
      os << " 297 a " << ps(e[i]) << " mul a 2 div " << (deux ? "" : " ")
         << (e[i] < e[i - 2] ? "add sub " : "sub sub ") << "lineto ";
    } else {
      os << " 297 a " << ps(e[i]) << " mul sub "
         << "lineto ";
    }
  }
  os << "stroke"
     << "\n";
}

static void trace_lien(std::ostream& os, lien_graphique const& l) {
  size_t m = 0;
  for (auto const& b : l.sousliens) m = std::max(m, b.line.coords.size());
  int w = l.ma_largeur();
  if (w == 0 && m <= 4) {
    // One segment between the ends of the first two branches.
    if (l.sousliens.size() < 2) return;
    point_final(os, l.sousliens.front());
    point_final(os, *std::next(l.sousliens.begin()));
    os << "trace_trait"
       << "\n";
    return;
  }
  bool deux = l.sousliens.size() == 2;
  if (!deux || w != 0)
    os << ps(l.mon_x()) << " a mul 297 " << ps(l.mon_y()) << " a mul sub " << ps(w) << " a mul "
       << (deux ? "trace_simple_barre" : "trace_double_barre") << "\n";
  for (auto const& b : l.sousliens) polyligne_ps(os, b, deux);
}

void tpen_fichier::put_postscripts(std::string const&, std::string const& name, float a) {
  std::ofstream os(name + ".ps", std::ios::out | std::ios::trunc);
  os << "%!PS-Adobe-2.0"
     << "\n"
     << "%%BoundingBox 0 0 70 100"
     << "\n";
  os << "35 " << -50 << " translate"
     << "\n"
     << "2.8346 2.8346 scale"
     << "\n";
  os << "/a " << a << " def"
     << "\n"
     << "/epaisseur a 20 div  def"
     << "\n";
  os << "epaisseur setlinewidth"
     << "\n";
  for (const char* p : prologue) os << p << "\n";
  for (int i = 0; i < nombre_etapes; ++i) trace_etape(os, *this, i, table_etapes[i]);
  for (int k = 0; k < nombre_transitions; ++k) trace_transition(os, table_transitions[k]);
  for (int l = 0; l < nombre_liens; ++l) trace_lien(os, table_liens[l]);
  os << "showpage"
     << "\n";
}
