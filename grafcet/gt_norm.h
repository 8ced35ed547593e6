// The grafcet held in memory: its records (declarations, steps, actions,
// transitions, graphic links) and `tpen_fichier`, the whole grafcet with its
// queries, set queries, checks and text dump, and the .gt writer, editing,
// link geometry and drawings that the program itself does not call. Every
// reference between records is a 0-based position in a table of the grafcet.
#ifndef TARVEK_GT_NORM_H
#define TARVEK_GT_NORM_H

#include <iosfwd>
#include <list>
#include <ostream>
#include <set>
#include <string>

class tpen_fichier;

class gt_declaration_variables {
 public:
  std::string type_variable;
  std::string nom_variable;

  gt_declaration_variables();
  gt_declaration_variables(std::string* type, std::string* nom);
  gt_declaration_variables(std::string const& type, std::string* nom);
  std::string nom() const;
  std::string typev() const;
  std::ostream& put_gt(std::ostream& os) const;
};

class tpen_action {
 public:
  int qualificatif;
  int ident_output;
  std::string condition;

  tpen_action();
  tpen_action(int ident_output, int qualificatif, std::string* condition);
  tpen_action(int ident_output, int qualificatif, std::string const& condition);
  std::string convert_qualificatif() const;
  std::ostream& put_gt(std::ostream& os, tpen_fichier& g) const;
  // Draws the action's box at a grid column and row; returns the next free row.
  int put_pdf(std::fstream& f, tpen_fichier const& g, int colonne, int rang) const;
};

class tpen_etape {
 public:
  int type;
  int x;
  int y;
  std::string nom;
  std::list<tpen_action> actions;
  std::set<int> pre;
  std::set<int> post;

  tpen_etape();
  tpen_etape(int type, int numero, int x, int y, std::list<tpen_action>* actions);
  std::string convert_type() const;
  void put_gt(std::ostream& os, tpen_fichier& g) const;
  // table[o] is the new position of output o, or negative to drop its actions.
  void update_outputs_ident(int const* table);
  void put_pdf(std::fstream& f, tpen_fichier& g) const;
};

class tpen_transition {
 public:
  std::string receptivite;
  int x;
  int y;
  int num;
  std::set<int> pre;
  std::set<int> post;

  tpen_transition();
  tpen_transition(int x, int y, int num);
  int unconnected() const;
  std::ostream& put_gt(std::ostream& os, tpen_fichier& g) const;
  // The step positions become positions among the steps selected in masque
  // (one entry per step, 1 when selected).
  std::ostream& put_gt_with_supp_steps(std::ostream& os, int const* masque, tpen_fichier& g) const;
  static int renum_conserv_step(int p, int n, int const* masque);
  void put_pdf(std::fstream& f) const;
};

class tpe_graphique {
 public:
  std::list<long> coords;

  tpe_graphique();
  explicit tpe_graphique(std::list<long>* coords);
  explicit tpe_graphique(std::list<long> const* coords);
  void add(long v);
  std::ostream& put_gt(std::ostream& os) const;

  // Geometry: the first point lies on the link's bar, the last one on the
  // step or transition; a missing coordinate reads as 0.
  std::list<long> const& my_coords() const;
  int nb_coords() const;
  long first_x() const;
  long first_y() const;
  long last_x() const;
  long last_y() const;
  void update_first_x_and_co(long v);
  void update_last_x_and_co(long v);
  void update_first_y_and_co(long v, int sens);
  void update_last_y_and_co(long v, int sens);
  int update_segment(int seg, long x, long y, long ye, int type, int sens);
  // genre: 0 when the branch touches a step.
  void put_pdf(std::fstream& f, int nombre_sousliens, int genre, int sens) const;
};

class lien_graphique_elem {
 public:
  int type;  // 0: the branch touches a step; otherwise a transition
  int sens;  // 2: to the step or transition, 3: from it
  int ident;
  tpe_graphique line;

  lien_graphique_elem();
  lien_graphique_elem(int type, int sens, int ident, tpe_graphique* line);
  std::ostream& put_gt(std::ostream& os) const;
  int type_of_link() const;
  int sens_of_link() const;
  void change_sens(int d);
  void decrement_identification(int type, int k);

  tpe_graphique& my_line();
  int line_nb_coords() const;
  long first_x() const;
  long first_y() const;
  long last_x() const;
  long last_y() const;
  void update_first_x(long v);
  void update_first_y(long v);
  void update_last_x(long v);
  // c is 1 when the branch's link has at most two branches.
  void update_last_y(long v, int c);
  void change_line(tpe_graphique const& p);
  int update_deplacements(tpen_etape* etapes, int nombre_etapes, tpen_transition* transitions,
                          int nombre_transitions, int c);
  int update_deplacements(long x, long y, int c);
  int update_deplacements(int seg, long x, long y);
  void put_pdf(std::fstream& f, int nombre_sousliens) const;
};

class lien_graphique {
 public:
  int convergence;
  std::list<lien_graphique_elem> sousliens;

  lien_graphique();
  lien_graphique(int convergence, std::list<lien_graphique_elem>* sousliens);
  int mon_x() const;
  int mon_y() const;
  int ma_largeur() const;
  std::ostream& put_gt(std::ostream& os) const;

  int trans_aval() const;
  int trans_amont() const;
  std::set<int> etapes_amont() const;
  std::set<int> etapes_aval() const;
  lien_graphique_elem liens_elem(int k) const;
  int nombre_sousliens() const;
  int suisje_convergence() const;
  std::list<lien_graphique_elem>& ma_liste_liens_elem();
  void add_etape_transition_sublink(int s, int sx, int sy, int t, int tx, int ty);
  void add_transition_etape_sublink(int t, int tx, int ty, int s, int sx, int sy);
  void sup_etape_transition_sublink(int s, int t);
  void sup_transition_etape_sublink(int t, int s);
  void decrement_identification(int type, int k);

  int update_deplacements(tpen_etape* etapes, int nombre_etapes, tpen_transition* transitions,
                          int nombre_transitions);
  void update_deplacements(long x, long y);
  void update_deplacements_souslien(int k, int seg, long x, long y);
  void update_mon_y(long v);
  void lissage_simple_trait();
  void put_pdf(std::fstream& f) const;

 private:
  void add_branche_etape(int d, int s, int sx, int sy, int t, int tx, int ty);
};

// The parse-time transition, before its step lists become the sets of the
// grafcet's transitions and steps.
class tpe_transition {
 public:
  int num;
  int x;
  int y;
  std::string receptivite;
  std::list<int> from;
  std::list<int> to;

  tpe_transition();
  tpe_transition(int num, int x, int y, std::list<int>* from, std::list<int>* to,
                 std::string* receptivite);
};

int operator==(gt_declaration_variables const& a, gt_declaration_variables const& b);
int operator!=(gt_declaration_variables const& a, gt_declaration_variables const& b);
int operator==(tpen_action const& a, tpen_action const& b);
int operator!=(tpen_action const& a, tpen_action const& b);
int operator!=(tpen_etape const& a, tpen_etape const& b);
int operator==(tpe_graphique const& a, tpe_graphique const& b);
int operator!=(tpe_graphique const& a, tpe_graphique const& b);
int operator==(lien_graphique_elem const& a, lien_graphique_elem const& b);
int operator!=(lien_graphique_elem const& a, lien_graphique_elem const& b);
int operator==(lien_graphique const& a, lien_graphique const& b);
int operator!=(lien_graphique const& a, lien_graphique const& b);
int operator!=(tpe_transition const& a, tpe_transition const& b);

std::ostream& operator<<(std::ostream& os, gt_declaration_variables const& d);
std::ostream& operator<<(std::ostream& os, tpen_action const& a);
std::ostream& operator<<(std::ostream& os, tpen_etape const& e);
std::ostream& operator<<(std::ostream& os, tpe_graphique const& g);
std::ostream& operator<<(std::ostream& os, lien_graphique_elem const& b);
std::ostream& operator<<(std::ostream& os, lien_graphique& l);
std::ostream& operator<<(std::ostream& os, tpe_transition const& t);

// The grafcet. It owns its tables and releases them when destroyed; the
// program keeps its grafcets to the end of the run. A copy would share the
// tables, so copying is refused: a derived grafcet copies record by record.
class tpen_fichier {
 public:
  tpen_fichier();
  tpen_fichier(std::string* nom_module, std::list<gt_declaration_variables>* inputs,
               std::list<gt_declaration_variables>* outputs);
  tpen_fichier(tpen_fichier const&) = delete;
  tpen_fichier& operator=(tpen_fichier const&) = delete;
  ~tpen_fichier();

  // Assembly by the parser.
  tpen_etape* parse_etapes(std::list<tpen_etape>* steps);
  lien_graphique* parse_body(std::list<tpe_transition>* transitions,
                             std::list<lien_graphique>* links, std::list<std::string>* assertions);
  void normalise_table_transitions(std::list<tpe_transition>* transitions);
  void normalise_liens_etape_transition(std::list<tpe_transition>* transitions);
  // A step position of a FR: or TO: list outside the step table, which the
  // assembly dropped: most often a step's number written for its position.
  struct position_ignoree {
    int transition;  // position in the transition table
    int position;
    bool aval;  // in the TO: list
  };
  // In file order, each position once per list. Only the grafcet that the
  // parser assembled holds them: copies and editing leave them out.
  std::list<position_ignoree> const& positions_ignorees() const;

  // Counts, names and tables.
  std::string mon_nom_module();
  int nbr_inputs() const;
  int nbr_outputs() const;
  int nbr_etapes() const;
  int nbr_assertions();
  int nbr_liens();
  gt_declaration_variables* ma_table_inputs();
  gt_declaration_variables* ma_table_outputs() const;
  std::string* ma_table_assertions_textuelle();
  std::string nom_input(int i) const;
  std::string type_input(int i) const;
  std::string nom_output(int i) const;
  std::string type_output(int i) const;
  std::string nom_etape(int i) const;
  int etape_initiale(int i) const;
  int num_grafcet_transition(int i) const;
  std::string receptivite_transition(int i);
  std::string assertion_textuelle(int i);
  int nbr_actions(int i) const;
  int ident_output(int i, int k);
  std::string cond_action(int i, int k);

  // Lookups and aggregates.
  int ident_etape(std::string const& nom) const;
  int ident_output(char* nom);
  int nombre_input_bool();
  int nombre_input_ev();
  std::list<std::string> liste_outputs_impulsionnelles();
  int identification_numero_etape_max();
  int identification_numero_transition_max();
  std::string assertion_globale();
  void export_etapes();

  // Set queries.
  std::set<int> ens_ident_etapes();
  std::set<int> ens_ident_transitions();
  std::set<int> ens_ident_outputs_cont();
  std::set<int> ens_ident_outputs_impuls();
  std::set<std::string> ens_entrees(std::string type);
  std::set<int> ens_var_internes();
  std::set<int> ens_ident_pre_etape(int i);
  std::set<int> ens_ident_post_etape(int i);
  std::set<int> ens_ident_pre_transition(int t);
  std::set<int> ens_ident_post_transition(int t);
  std::set<int> ens_ident_post_pre_transitions(int t);
  std::set<int> ens_ident_outputs_cont_etape(int i);
  std::set<int> ens_ident_outputs_impuls_etape(int i);
  std::set<int> ens_ident_pre_ens_etapes(std::set<int> etapes);
  std::set<int> ens_ident_post_ens_etapes(std::set<int> etapes);
  std::set<int> ens_ident_outputs_cont_ens_etapes(std::set<int> etapes);
  std::set<int> ens_ident_pre_ens_transitions(std::set<int> transitions);
  std::set<int> ens_ident_post_ens_transitions(std::set<int> transitions);
  std::set<int> ens_ident_pre_tilde_ens_transitions(std::set<int> transitions);
  std::set<int> ens_ident_post_tilde_ens_transitions(std::set<int> transitions);

  // Checks before compiling: "" (or 1 for the initial step) means passed.
  std::string verif_traitement_tout_type_etape_tarvek();
  int verif_existence_etape_initiale();
  std::string verif_noms_identiques_etapes() const;
  std::string verif_non_existence_receptivite_vide() const;
  std::string verif_connexion_transition() const;
  std::string verif_aucune_superposition_transition(std::string& other) const;
  std::string verif_aucune_superposition_etape(std::string& other) const;
  std::string verif_aucune_superposition_etape_transition(std::string& other) const;
  std::string verif_outputs_actions(int& ident_output) const;

  void put(std::ostream& os);

  // Writing back as a .gt file: the selected steps and transitions, and the
  // declarations, links and assertions whole.
  void put_gt(std::string const& fichier, std::string const& module, std::set<int> etapes,
              std::set<int> transitions);

  // Editing. Every change keeps the arcs (the pre and post sets), the link
  // table and the branch positions consistent.
  tpen_etape& add_fin_etape(tpen_etape const& e);
  tpen_transition& add_fin_transition(tpen_transition const& t);
  void sup_etape(int k);
  void sup_transition(int k);
  void add_etape_transition_link(int s, int t);
  void add_transition_etape_link(int t, int s);
  void sup_etape_transition_link(int s, int t);
  void sup_transition_etape_link(int t, int s);
  void sup_lien(int l, int k);
  void add_fin_action(tpen_action& action);
  void sup_action(int num);
  void update_deplacements_liens();

  // Checks of the condition texts and the declared names.
  int expression_valide(std::string const& texte);
  std::string verif_syntaxe_inputs();
  std::string verif_syntaxe_outputs();

  // Drawings. Page kinds: 0 portrait, 1 landscape, 2 fitted to the grafcet.
  void put_pdf(std::string const& nom, int page);
  int largueur_max();
  int hauteur_max();
  void put_postscripts(std::string const&, std::string const& name, float a);

 protected:
  int nombre_assertions;
  std::string* table_assertions;
  int nombre_etapes;
  int nombre_transitions;
  int nombre_inputs;
  int nombre_outputs;
  int nombre_liens;
  gt_declaration_variables* table_inputs;
  gt_declaration_variables* table_outputs;
  std::string nom_module;
  std::set<int> conditions_externes;
  std::set<int> evenements_externes;
  std::set<int> conditions_internes;
  std::set<int> evenements_internes;
  tpen_etape* table_etapes;
  tpen_transition* table_transitions;
  lien_graphique* table_liens;

 private:
  std::list<position_ignoree> ignorees;
  void lie_etapes(int k, std::list<int> const& positions, bool aval);
  bool etape_valide(int i) const;
  bool transition_valide(int t) const;
  void sup_arc(int s, int t, int convergence);
  void sup_branches_orphelines(int type, int k);
  void sup_lien_table(int l);
  void decrement_liens(int type, int k);
};

#endif
