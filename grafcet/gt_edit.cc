// Editing a grafcet as a graphical editor would: appending and deleting
// steps and transitions, adding and deleting arcs. The pre and post sets,
// the link table and the branch positions are changed together, so that a
// link always draws arcs that the sets hold.
#include <iostream>

#include "gt_norm.h"
#include "listpp.h"

// The table grows by one entry. The new entry is copied before the old
// table goes, since it may be one of its entries.
template <typename T>
static T& ajoute_fin(T*& table, int& nombre, T const& e) {
  T* nouvelle = new T[nombre + 1];
  for (int i = 0; i < nombre; ++i) nouvelle[i] = table[i];
  nouvelle[nombre] = e;
  delete[] table;
  table = nouvelle;
  return table[nombre++];
}

// The later entries move down one place; the last slot keeps a stale copy.
template <typename T>
static void retire(T* table, int& nombre, int k) {
  for (int i = k; i + 1 < nombre; ++i) table[i] = table[i + 1];
  --nombre;
}

// Positions of a set after the deletion of entry k.
static std::set<int> renumerote(std::set<int> const& s, int k) {
  std::set<int> r;
  for (int p : s) r.insert(p < k ? p : p - 1);
  return r;
}

static int derniere_transition(std::list<lien_graphique_elem> const& l) {
  int t = -1;
  for (auto const& b : l)
    if (b.type == 1) t = b.ident;
  return t;
}

static std::set<int> etapes_de(std::list<lien_graphique_elem> const& l) {
  std::set<int> r;
  for (auto const& b : l)
    if (b.type != 1) r.insert(b.ident);
  return r;
}

int lien_graphique::trans_aval() const {
  return convergence == 1 ? derniere_transition(sousliens) : -1;
}
int lien_graphique::trans_amont() const {
  return convergence == 0 ? derniere_transition(sousliens) : -1;
}
std::set<int> lien_graphique::etapes_amont() const {
  return convergence == 1 ? etapes_de(sousliens) : std::set<int>();
}
std::set<int> lien_graphique::etapes_aval() const {
  return convergence == 0 ? etapes_de(sousliens) : std::set<int>();
}

// A default branch (position -1) when k designates none.
lien_graphique_elem lien_graphique::liens_elem(int k) const {
  std::list<lien_graphique_elem> l = sousliens;
  return read_number(l, k);
}

int lien_graphique::nombre_sousliens() const { return static_cast<int>(sousliens.size()); }
int lien_graphique::suisje_convergence() const { return convergence; }
std::list<lien_graphique_elem>& lien_graphique::ma_liste_liens_elem() { return sousliens; }

int lien_graphique_elem::type_of_link() const { return type; }
int lien_graphique_elem::sens_of_link() const { return sens; }
void lien_graphique_elem::change_sens(int d) { sens = d; }

void lien_graphique_elem::decrement_identification(int type, int k) {
  if (this->type == type && ident > k) --ident;
}

void lien_graphique::decrement_identification(int type, int k) {
  for (auto& b : sousliens) b.decrement_identification(type, k);
}

// Removes the branches of step s; a link left with its transition branch
// alone draws nothing and is emptied.
static void retire_branches_etape(std::list<lien_graphique_elem>& l, int s) {
  l.remove_if([s](lien_graphique_elem const& b) { return b.type == 0 && b.ident == s; });
  if (l.size() == 1) l.clear();
}

void lien_graphique::sup_etape_transition_sublink(int s, int t) {
  if (convergence == 1 && trans_aval() == t) retire_branches_etape(sousliens, s);
}

void lien_graphique::sup_transition_etape_sublink(int t, int s) {
  if (convergence == 0 && trans_amont() == t) retire_branches_etape(sousliens, s);
}

void tpen_etape::update_outputs_ident(int const* table) {
  std::list<tpen_action> nouvelles;
  for (auto const& a : actions)
    if (table[a.ident_output] >= 0)
      nouvelles.push_back(tpen_action(table[a.ident_output], a.qualificatif, a.condition));
  actions = nouvelles;
}

tpen_etape& tpen_fichier::add_fin_etape(tpen_etape const& e) {
  return ajoute_fin(table_etapes, nombre_etapes, e);
}

tpen_transition& tpen_fichier::add_fin_transition(tpen_transition const& t) {
  return ajoute_fin(table_transitions, nombre_transitions, t);
}

void tpen_fichier::add_etape_transition_link(int s, int t) {
  if (!etape_valide(s) || !transition_valide(t)) return;
  tpen_etape& e = table_etapes[s];
  tpen_transition& tr = table_transitions[t];
  e.post.insert(t);
  tr.pre.insert(s);
  for (int l = 0; l < nombre_liens; ++l)
    if (table_liens[l].trans_aval() == t) {
      table_liens[l].add_etape_transition_sublink(s, e.x, e.y, t, tr.x, tr.y);
      return;
    }
  ajoute_fin(table_liens, nombre_liens, lien_graphique())
      .add_etape_transition_sublink(s, e.x, e.y, t, tr.x, tr.y);
}

void tpen_fichier::add_transition_etape_link(int t, int s) {
  if (!etape_valide(s) || !transition_valide(t)) return;
  tpen_etape& e = table_etapes[s];
  tpen_transition& tr = table_transitions[t];
  e.pre.insert(t);
  tr.post.insert(s);
  for (int l = 0; l < nombre_liens; ++l)
    if (table_liens[l].trans_amont() == t) {
      table_liens[l].add_transition_etape_sublink(t, tr.x, tr.y, s, e.x, e.y);
      return;
    }
  ajoute_fin(table_liens, nombre_liens, lien_graphique())
      .add_transition_etape_sublink(t, tr.x, tr.y, s, e.x, e.y);
}

void tpen_fichier::sup_lien_table(int l) { retire(table_liens, nombre_liens, l); }

// The arc from step s to transition t (convergence 1) or from t to s
// (convergence 0), and its branch. A link of that kind left without its
// transition branch leaves the table.
void tpen_fichier::sup_arc(int s, int t, int convergence) {
  if (!etape_valide(s) || !transition_valide(t)) {
    std::cerr << "ERROR in tpen_fichier::sup_etape_transition_link(): OUT OF RAGE" << std::endl;
    return;
  }
  (convergence ? table_transitions[t].pre : table_transitions[t].post).erase(s);
  (convergence ? table_etapes[s].post : table_etapes[s].pre).erase(t);
  for (int l = 0; l < nombre_liens;) {
    lien_graphique& lien = table_liens[l];
    if (lien.convergence == convergence) {
      if (convergence)
        lien.sup_etape_transition_sublink(s, t);
      else
        lien.sup_transition_etape_sublink(t, s);
      if ((convergence ? lien.trans_aval() : lien.trans_amont()) == -1) {
        sup_lien_table(l);
        continue;
      }
    }
    ++l;
  }
}

void tpen_fichier::sup_etape_transition_link(int s, int t) { sup_arc(s, t, 1); }
void tpen_fichier::sup_transition_etape_link(int t, int s) { sup_arc(s, t, 0); }

// A branch k outside the link, or one on the transition, names no arc.
void tpen_fichier::sup_lien(int l, int k) {
  if (l < 0 || l >= nombre_liens) return;
  lien_graphique const& lien = table_liens[l];
  int convergence = lien.convergence == 1 ? 1 : 0;
  int t = convergence ? lien.trans_aval() : lien.trans_amont();
  if (k != 0) {
    if (k < 1 || k > lien.nombre_sousliens()) return;
    lien_graphique_elem b = lien.liens_elem(k);
    if (b.type != 0) return;
    sup_arc(b.ident, t, convergence);
    return;
  }
  std::set<int> etapes = convergence ? lien.etapes_amont() : lien.etapes_aval();
  for (int p = 0; p < nombre_etapes; ++p)
    if (etapes.count(p)) sup_arc(p, t, convergence);
}

// Branches of a deleted entry that no arc of the sets backed (a file may
// draw arcs it does not declare) would otherwise designate the entry that
// moves into its place. They go, with the links they leave without a
// transition branch.
void tpen_fichier::sup_branches_orphelines(int type, int k) {
  for (int l = 0; l < nombre_liens;) {
    auto& branches = table_liens[l].sousliens;
    size_t avant = branches.size();
    branches.remove_if(
        [type, k](lien_graphique_elem const& b) { return b.type == type && b.ident == k; });
    if (branches.size() != avant) {
      if (branches.size() == 1) branches.clear();
      bool transition = false;
      for (auto const& b : branches) transition = transition || b.type != 0;
      if (!transition) {
        sup_lien_table(l);
        continue;
      }
    }
    ++l;
  }
}

// The sets of the other table after the deletion of entry k.
template <typename T>
static void renumerote_table(T* table, int nombre, int k) {
  for (int i = 0; i < nombre; ++i) {
    table[i].pre = renumerote(table[i].pre, k);
    table[i].post = renumerote(table[i].post, k);
  }
}

void tpen_fichier::decrement_liens(int type, int k) {
  for (int l = 0; l < nombre_liens; ++l) table_liens[l].decrement_identification(type, k);
}

void tpen_fichier::sup_etape(int k) {
  if (!etape_valide(k)) {
    std::cerr << "ERROR in tpen_fichier::sup_etape: out of range" << std::endl;
    return;
  }
  std::set<int> amont = table_etapes[k].pre;
  std::set<int> aval = table_etapes[k].post;
  for (int j = 0; j < nombre_transitions; ++j) {
    if (amont.count(j)) sup_transition_etape_link(j, k);
    if (aval.count(j)) sup_etape_transition_link(k, j);
  }
  sup_branches_orphelines(0, k);
  retire(table_etapes, nombre_etapes, k);
  renumerote_table(table_transitions, nombre_transitions, k);
  decrement_liens(0, k);
}

void tpen_fichier::sup_transition(int k) {
  if (!transition_valide(k)) {
    std::cerr << "ERROR in tpen_fichier::sup_transition: out of range" << std::endl;
    return;
  }
  std::set<int> amont = table_transitions[k].pre;
  std::set<int> aval = table_transitions[k].post;
  for (int i = 0; i < nombre_etapes; ++i) {
    if (aval.count(i)) sup_transition_etape_link(k, i);
    if (amont.count(i)) sup_etape_transition_link(i, k);
  }
  sup_branches_orphelines(1, k);
  retire(table_transitions, nombre_transitions, k);
  renumerote_table(table_etapes, nombre_etapes, k);
  decrement_liens(1, k);
}

void tpen_fichier::add_fin_action(tpen_action&) {
  std::cerr << "tpen_fichier::add_fin_action(tpen_action & action) a refaire !" << std::endl;
}

void tpen_fichier::sup_action(int) {
  std::cerr << "tpen_fichier::sup_action(int num) a refaire !" << std::endl;
}
