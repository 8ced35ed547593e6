// Comparison and consistency checks of grafcet tables for the tests.
#include "gt_tables.h"

#include <map>
#include <sstream>

#include "listpp.h"

namespace {

std::string position(const char* quoi, int i) { return std::string(quoi) + std::to_string(i); }

bool transitions_egales(tpen_transition const& a, tpen_transition const& b) {
  return a.receptivite == b.receptivite && a.x == b.x && a.y == b.y && a.num == b.num &&
         a.pre == b.pre && a.post == b.post;
}

template <typename T>
std::string dump(T& x) {
  std::ostringstream os;
  os << x;
  return os.str();
}

}  // namespace

std::string differences(tpen_fichier& a, tpen_fichier& b) {
  if (a.mon_nom_module() != b.mon_nom_module()) return "module name";
  if (a.nbr_inputs() != b.nbr_inputs() || a.nbr_outputs() != b.nbr_outputs() ||
      a.nbr_etapes() != b.nbr_etapes() || a.nbr_liens() != b.nbr_liens() ||
      a.nbr_assertions() != b.nbr_assertions() ||
      tables_gt::nbr_transitions(a) != tables_gt::nbr_transitions(b))
    return "counts";
  for (int i = 0; i < a.nbr_inputs(); ++i)
    if (a.ma_table_inputs()[i] != b.ma_table_inputs()[i]) return position("input ", i);
  for (int i = 0; i < a.nbr_outputs(); ++i)
    if (a.ma_table_outputs()[i] != b.ma_table_outputs()[i]) return position("output ", i);
  for (int i = 0; i < a.nbr_etapes(); ++i)
    if (tables_gt::etapes(a)[i] != tables_gt::etapes(b)[i]) return position("step ", i);
  for (int k = 0; k < tables_gt::nbr_transitions(a); ++k)
    if (!transitions_egales(tables_gt::transitions(a)[k], tables_gt::transitions(b)[k]))
      return position("transition ", k);
  for (int l = 0; l < a.nbr_liens(); ++l)
    if (tables_gt::liens(a)[l] != tables_gt::liens(b)[l])
      return position("link ", l) + ": " + dump(tables_gt::liens(a)[l]) + " / " +
             dump(tables_gt::liens(b)[l]);
  for (int i = 0; i < a.nbr_assertions(); ++i)
    if (a.assertion_textuelle(i) != b.assertion_textuelle(i)) return position("assertion ", i);
  return "";
}

namespace {

std::string incoherence_des_ensembles(tpen_fichier& g) {
  int ne = g.nbr_etapes(), nt = tables_gt::nbr_transitions(g);
  tpen_etape* e = tables_gt::etapes(g);
  tpen_transition* t = tables_gt::transitions(g);
  for (int s = 0; s < ne; ++s) {
    for (int k : e[s].post)
      if (k < 0 || k >= nt || !t[k].pre.count(s)) return position("post of step ", s);
    for (int k : e[s].pre)
      if (k < 0 || k >= nt || !t[k].post.count(s)) return position("pre of step ", s);
  }
  for (int k = 0; k < nt; ++k) {
    for (int s : t[k].pre)
      if (s < 0 || s >= ne || !e[s].post.count(k)) return position("pre of transition ", k);
    for (int s : t[k].post)
      if (s < 0 || s >= ne || !e[s].pre.count(k)) return position("post of transition ", k);
  }
  return "";
}

// One link: a single transition branch and step branches that each draw an
// arc of the link's kind, with the directions of that kind.
std::string incoherence_du_lien(tpen_fichier& g, lien_graphique const& l) {
  int ne = g.nbr_etapes(), nt = tables_gt::nbr_transitions(g);
  int conv = l.convergence;
  if (conv != 0 && conv != 1) return "convergence flag";
  int transitions = 0;
  for (auto const& b : l.sousliens)
    if (b.type == 1) ++transitions;
  if (transitions != 1) return "transition branches: " + std::to_string(transitions);
  int t = conv ? l.trans_aval() : l.trans_amont();
  if (t < 0 || t >= nt) return "transition out of range";
  tpen_transition const& tr = tables_gt::transitions(g)[t];
  for (auto const& b : l.sousliens) {
    bool vers = (b.type != 0) == (conv == 1);
    if (b.sens != (vers ? 2 : 3)) return "direction";
    if (b.type != 0) continue;
    if (b.ident < 0 || b.ident >= ne) return "step out of range";
    if (!(conv ? tr.pre : tr.post).count(b.ident)) return position("no arc for step ", b.ident);
  }
  return "";
}

}  // namespace

std::string incoherences(tpen_fichier& g, bool arcs_dessines) {
  std::string r = incoherence_des_ensembles(g);
  if (!r.empty()) return r;
  std::map<std::pair<int, int>, std::set<int>> dessins;  // (conv, t) -> steps drawn
  for (int l = 0; l < g.nbr_liens(); ++l) {
    lien_graphique const& lien = tables_gt::liens(g)[l];
    r = incoherence_du_lien(g, lien);
    if (!r.empty()) return position("link ", l) + ": " + r;
    int t = lien.convergence ? lien.trans_aval() : lien.trans_amont();
    auto cle = std::make_pair(lien.convergence, t);
    if (dessins.count(cle)) return position("second link of a kind for transition ", t);
    dessins[cle] = lien.convergence ? lien.etapes_amont() : lien.etapes_aval();
  }
  if (!arcs_dessines) return "";
  for (int k = 0; k < tables_gt::nbr_transitions(g); ++k) {
    tpen_transition const& tr = tables_gt::transitions(g)[k];
    if (tr.pre != dessins[{1, k}]) return position("undrawn arc into transition ", k);
    if (tr.post != dessins[{0, k}]) return position("undrawn arc out of transition ", k);
  }
  return "";
}
