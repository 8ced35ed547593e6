// The equation forest of the equational compilation: `Bddexpression`, one
// equation variable = function over a BDD manager, and `Bddexpressionwood`,
// the forest that holds at most one equation per variable, indexed by the
// variable's index, with the readers of every variable and the dates that
// order the equations and reveal combinational loops.
#ifndef TARVEK_BDDEXPRESSION_H
#define TARVEK_BDDEXPRESSION_H

#include <functional>
#include <list>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "bddpp.h"

class Bddexpressionwood;
class b_automaton;

// An equation. Made with a forest, it enters that forest, which owns it
// from then on; made without one (a null forest), it stands for an abstract
// function and has neither left nor right member.
class Bddexpression {
 public:
  Bddexpression(std::string const& name, Bddexpressionwood* wood, bdd var, bdd exp, long early,
                long late);
  // Named after its left variable.
  Bddexpression(Bddexpressionwood* wood, bdd var, bdd exp, long early, long late);

  // Further constructors and copies. An equation without a right member
  // of its own is abstract: expdef names what stands for it and its
  // dependances are given, not computed. Unless a comment says it enters
  // the forest, an equation made here is not registered.
  Bddexpression();
  explicit Bddexpression(Bddexpressionwood* wood);
  // A copy within the source's forest.
  Bddexpression(Bddexpression const& e);
  Bddexpression& operator=(Bddexpression const& e);
  // A copy into forest w, its members rebuilt from the manager of e's
  // forest, respectively from src's; the second enters w.
  Bddexpression(Bddexpressionwood* w, Bddexpression const& e);
  Bddexpression(Bddexpressionwood* src, Bddexpressionwood* w, Bddexpression const& e);
  // Enters w; a non-empty expdef makes the equation abstract.
  Bddexpression(std::string const& name, Bddexpressionwood* w, bdd var, bdd exp, long early,
                long late, int usertype);
  Bddexpression(std::string const& name, Bddexpressionwood* w, bdd var, bdd exp,
                std::string const& expdef, long early, long late, int usertype);
  // Abstract equations of the variable of identity id, entering w with the
  // given readers (none for the last form).
  Bddexpression(long id, Bddexpressionwood* w, std::set<long>* readers, std::set<long>* reads,
                long early, long late);
  Bddexpression(long id, Bddexpressionwood* w, std::set<long>* readers, std::set<long>* reads,
                std::string const& expdef, long early, long late);
  Bddexpression(long id, Bddexpressionwood* w, std::set<long>& reads, std::string const& expdef,
                long early, long late);

  // The new right member keeps the readers of both directions in step.
  void setBddExp(bdd exp, long early, long late);
  void internal_build_dependances();
  void build_normal_dependances();
  void setUserType(int t) { usertype = t; }
  void setEarlyDate(long d) { early_date = d; }
  void setLateDate(long d);

  // The equation becomes "if v then p else n", p and n two new equations of
  // new variables holding its cofactors; their indexes are given back, or
  // -3 when nothing could be expanded.
  void Shannon_expand(long v, long& p, long& n);

  // Further members of an equation.
  void setBddVar(bddpp_manager* m, bdd var);  // only without a forest
  void append_not_exp();
  void setAbstraction(int a) { abstraction = a; }
  int getUserType() const { return usertype; }
  long getW() const { return W; }
  void setW(long w) { W = w; }
  std::string getExpDef() const { return expdef; }
  long getLateDate() const;
  void setBddexpressionwood(Bddexpressionwood* w);
  void setExpDef(std::string const& s);
  std::string my_bddname() const;
  // The forest's readers are not told.
  void add_specific_var_dependance(long v) { dependances.insert(v); }
  // Its dependances and its own variable.
  std::set<long> set_of_index_used_variables() const;
  std::string debug_in_string() const;

  // Replacement of the right member that keeps the readers in step and
  // walks the critical paths as a check of signal cycles; the forms with
  // a manager serve an equation that belongs to no forest.
  void setBddExp(bdd exp);
  void append_or_exp(bdd b);
  void append_and_exp(bdd b);
  void setBddExp(bddpp_manager* m, bdd exp);
  void internal_build_dependances(bddpp_manager* m);

  Bddexpressionwood* getWood() const { return wood; }
  std::string const& getName() const { return name; }
  bdd const& getBddVar() const { return var; }
  bdd const& getBddExp() const { return exp; }
  int getAbstraction() const { return abstraction; }
  std::set<long> const& getDependances() const { return dependances; }
  long getEarlyDate() const { return early_date; }

  // The target writers, defined with the writers of each target. C and
  // Arduino: the equation as the network of its right member's nodes in
  // the array, then its assignment (Arduino: an output becomes the call of
  // the user's functions, level[index] 0 for an event output); nothing for
  // an equation without both members, and no final line end.
  void put_c(std::ostream& os, std::string const& array, std::list<std::string> const& outputs,
             std::string const& prefix, std::string const& suffix) const;
  void put_ino_grafcet(std::ostream& os, std::string const& array,
                       std::list<std::string> const& outputs, std::string const& prefix,
                       std::string const& suffix, std::vector<int> const& level) const;
  // BLIF and VHDL: nothing for an equation without both members.
  void put_blif(std::ostream& os, std::string const& prefix) const;
  void put_vhdl(std::ostream& os, std::string const& array, std::list<std::string>& outputs) const;
  // C#: the network's lines begin with the indentation (count blanks, two
  // for 0) and the array's name, in that order without prefix, in the
  // other with one; plain assignments, the constant node "!false".
  void put_csharp(std::ostream& os, std::string const& array, int count = 0) const;
  void put_csharp(std::ostream& os, std::string const& array, std::string const& prefix,
                  std::string const& suffix, int count = 0) const;
  // SystemC: a local bool of the variable's name, set to its sum of
  // products.
  void put_systemc(std::ostream& os, int method) const;
  // Sorva VHDL: the variable is also stored in the array, at the element
  // of its literal node; an output only gets its network.
  void put_vhdl_sorva(std::ostream& os, std::string const& array,
                      std::list<std::string>& outputs) const;

  // The writers of one equation, defined with the writers of each target:
  // the variable's name + " = " + its sum of products in words (Lustre,
  // Vestrane, documentation), and a present block that emits the variable
  // (Esterel); neither ends its last line.
  void put_basic_doc(std::ostream& os, int method) const;
  void put_esterel(std::ostream& os, int method) const;
  // The LaTeX documentation, the listings, the node networks of the forest
  // and the LEC records. Each writes one equation without a final line end,
  // and nothing for an equation without both members (put_doc, put_lec_2_0_4
  // and put_lec excepted: see their definitions).
  void put_latex(std::ostream& os, int method) const;
  void put_lustre_compatibilite(std::ostream& os, int method) const;
  void put_cat(std::ostream& os, std::string const& array, int method) const;
  void put_tree(std::ostream& os) const;
  void put_lustre(std::ostream& os, std::string const& array) const;
  void put_lustre_arrayless(std::ostream& os, std::string const& array) const;
  void put_doc(std::ostream& os, std::string const& array) const;
  void put_c(std::ostream& os, std::string const& array,
             std::list<std::string> const& outputs) const;
  void Lustre_writing_node_used(int* used) const;
  void put_lec_0_3_0(std::ostream& os, long* numbers, int method) const;
  void put_lec_2_0_4(std::ostream& os, long* numbers) const;
  void put_lec(std::ostream& os, long* numbers) const;

  friend std::ostream& operator<<(std::ostream& os, Bddexpression const& e);
  friend bool operator==(Bddexpression const& x, Bddexpression const& y);

 private:
  friend class Bddexpressionwood;
  long index_var() const;  // -1 when the left member is not a variable of the forest
  void enter_concrete(bdd var, bdd exp, long late);
  void enter_abstract(bdd var, std::set<long>* readers, long late);
  void copy_plain_fields(Bddexpression const& e);
  void copy_into(Bddexpressionwood* w, bddpp_manager* source, Bddexpression const& e);
  void replace_exp(bdd exp);
  void put_members(std::ostream& os, bool debug) const;

  Bddexpressionwood* wood;
  std::string name;
  bdd var;
  int abstraction;
  std::string expdef;
  bdd exp;
  long W;
  std::set<long> dependances;  // always the support of exp
  long early_date;
  int usertype;
};

bool operator!=(Bddexpression const& x, Bddexpression const& y);

// The forest. It owns its equations and, unless told it is shared, its
// manager. Tables are indexed by variable index and grow with the manager.
class Bddexpressionwood {
 public:
  explicit Bddexpressionwood(bddpp_manager* manager);
  // A forest over a manager of its own.
  Bddexpressionwood();
  // Deep copies: a forest that shares its manager gives a copy over the
  // same manager, any other a copy over a copy of its manager. A null
  // source gives an empty forest over a manager of its own.
  explicit Bddexpressionwood(Bddexpressionwood const* source);
  Bddexpressionwood(Bddexpressionwood const& source);
  Bddexpressionwood& operator=(Bddexpressionwood const& source);
  ~Bddexpressionwood();

  void learn_expression(Bddexpression* e);
  void update_bdd_vars();
  // The variable is always a new one: a name already in the manager gets
  // "_1", "_2", ... appended until it is new.
  bdd New_var_last(std::string const& name);

  Bddexpression* exp(int i);
  Bddexpression* exp_by_index(long i);
  Bddexpression* exp_by_name(std::string const& name);
  int exp_number() const { return static_cast<int>(exp_ids.size()); }
  Bddexpression** Exp_table() { return exp_table.data(); }
  void update_nb_level(long n) { nb_level = n; }
  bddpp_manager* Manager() const { return manager; }
  std::set<long> const& Exp_ids() const { return exp_ids; }
  // The equations that read variable i; empty outside the forest.
  std::set<long> const& Users(long i) const;
  long Late_date(long i) const;

  // Further look-ups and small members.
  void append_not_expression(long i);
  Bddexpression* exp_by_bddname(std::string const& name);
  Bddexpression* exp_by_bdd(bdd const& b);
  std::string Bddname_exp_by_bdd(bdd const& b);
  long Index_exp_by_name(std::string const& name);
  std::string Name_exp_by_index(long i);
  std::string Name_exp_by_bdd(bdd const& b);
  std::string Bddname_exp_by_index(long i);
  long Index_new_var_last(std::string const& name);
  long Nb_bdd_vars() const { return nb_bdd_vars; }
  long Nb_level() const { return nb_level; }
  void delete_prefixe_names(std::string const& prefix);
  // Enters e with the equations declared to read its variable.
  void learn_abstract_expression(Bddexpression* e, std::set<long>* readers);

  // Insertion of a variable anywhere in the order, with the tables shifted;
  // forgetting and dropping equations; checks of the readers table.
  void internal_global_build_dependances();
  void update_bdd_vars(long p);
  bdd New_var_before_by_bdd(bdd b, std::string const& name);
  bdd New_var_before_by_index(long i, std::string const& name);
  bdd New_var_after_by_bdd(bdd b, std::string const& name);
  bdd New_var_after_by_index(long i, std::string const& name);
  void forget_expression_by_bddid(long v);
  void absolute_forget_expression_by_bddid(long v);
  void clean(std::set<long> const& keep);
  void clean(std::list<long> const& keep);
  void coherence_dependances_check(std::ostream& out) const;

  // Instances of another forest under new names.
  std::set<long> Set_of_index_used_variables();
  void Include_wood_instance(Bddexpressionwood& other, std::string const& suffix);
  void Include_wood_instance(Bddexpressionwood& other, std::map<std::string, std::string>* renaming);

  // Simplification passes. A keep list holds user types: a constant
  // equation of such a type stays once its value is propagated.
  void constants_propagation(std::list<int> const& keep);
  void constants_propagation();
  int global_tautology();
  void reduce_expressions(bdd care, std::list<int> const& keep);
  void reduce_expressions(bdd care);
  void reduce_expressions_when_var_forgotten_by_exist_op(long v);
  void reduce_expressions_when_var_forgotten_by_forall_op(long v);
  bdd reduce_proposition_by_assertion();
  long reduce_proposition_by_variable();

  // Critical paths (weights along reader and dependence chains), closures
  // and the dependency tree of one variable. A walk as deep as the variable
  // count has gone round a signal cycle.
  int down_critical_path(long index, long depth, long a);
  int up_critical_path(long index, long depth, long b);
  std::set<long> down_dependances(long index, long depth, std::set<long> const& s);
  std::set<long> up_dependances(long index, long depth, std::set<long> const& s);
  void stat_early_dep(std::ostream& out, long index);
  void internal_stat_early_dep(std::ostream& out, long index, int depth, std::list<long>* seen);
  // The dates again after the equations of the listed variables changed.
  long compute_dates(std::list<long>& changed);

  // Removal of intermediate variables by substitution into their readers.
  void useless_local(long v);
  void suppress_local(long v);
  void suppress_locals(std::list<int> const& keep);
  void suppress_locals();
  void suppress_wires(std::list<int> const& keep);
  void suppress_wires();

  // Dates and loops.
  long compute_dates();
  void early_propagation(long i, long d);
  void late_propagation(long i, long d);
  std::list<long> loop_detection();
  std::set<long> loop_breaking(std::set<long> candidates, int& ok);
  // A loop that loop_breaking could only give up on, found without
  // expanding anything or making a node of the forest's manager: its
  // variables, each read by the next, and the candidate values that keep
  // it. Empty when none is found, which proves nothing.
  std::list<long> unbreakable_loop(std::set<long> const& candidates,
                                   std::list<std::pair<long, int>>& values);
  std::list<long> earliest_sort() const;
  std::list<long> latest_sort() const;
  // The first equation that earliest_sort leaves out (its date lies outside
  // the levels), -1 when it lists them all.
  long exp_outside_sort() const;

  // The target writers, defined with the writers of each target: every
  // equation in earliest_sort order, each followed by a line end. C and
  // Arduino: the visit marks cleared first, so that each node is written
  // once in the whole text, at its first use.
  void Put_c(std::ostream& os, std::string const& array, std::list<std::string> const& outputs,
             std::string const& prefix, std::string const& suffix) const;
  void Put_ino_grafcet(std::ostream& os, std::string const& array,
                       std::list<std::string> const& outputs, std::string const& prefix,
                       std::string const& suffix, std::vector<int> const& level) const;
  // BLIF and VHDL: the marks cleared first as well.
  void Put_blif(std::ostream& os, std::string const& prefix);
  void Put_vhdl(std::ostream& os, std::string const& array, std::list<std::string>& inputs,
                std::list<std::string>& outputs, std::list<std::string>& resets,
                std::list<std::string>& transfers);
  // C#, in both forms of put_csharp; the marks cleared first.
  void Put_csharp(std::ostream& os, std::string const& array, int count = 0) const;
  void Put_csharp(std::ostream& os, std::string const& array, std::string const& prefix,
                  std::string const& suffix, int count = 0) const;
  // SystemC: each equation behind four blanks; the marks are not used.
  void Put_systemc(std::ostream& os, int method) const;
  // Sorva VHDL: the process and the equations of a design whose variables
  // all live in the node array; the lists are those of the VHDL design.
  void Put_vhdl_sorva(std::ostream& os, std::string const& array, std::list<std::string>& inputs,
                      std::list<std::string>& outputs, std::list<std::string>& resets,
                      std::list<std::string>& transfers);

  // The writers of the equations in earliest_sort order, defined with the
  // writers of each target: one "name = sum of products;" line each, and
  // the present blocks joined by parallel bars.
  void Put_basic_doc(std::ostream& os, int method) const;
  void Put_esterel(std::ostream& os, int method) const;
  // The LaTeX documentation, the listings, the node networks and the LEC
  // and LEA listings. The node networks clear the visit marks first and
  // write every equation of earliest_sort followed by a line end (the
  // masked BLIF one those whose mask entry, by variable index, is 1, or all
  // for a null mask).
  // A LEC or LEA numbering holds one number per variable index: -1 leaves
  // a variable out of the LEC listings, any negative number out of LEA.
  void Put_latex(std::ostream& os, int method) const;
  void Put_cat(std::ostream& os, std::string const& array, int method) const;
  void Put_lustre(std::ostream& os, std::string const& array) const;
  void Put_lustre_arrayless(std::ostream& os, std::string const& array) const;
  void Put_doc(std::ostream& os, std::string const& array) const;
  void Put_c(std::ostream& os, std::string const& array,
             std::list<std::string> const& outputs) const;
  void Put_blif(std::ostream& os, std::string const& prefix, int* mask) const;
  // used[k] = 1 for every node k that the node networks define; the first
  // count entries are cleared first. used has an entry per global id.
  void Lustre_writing_node_used(long count, int* used) const;
  void Put_lec_0_3_0(std::ostream& os, long* numbers, int method, int comments) const;
  void Put_lec_2_0_4(std::ostream& os, long* numbers, int comments) const;
  void Put_lec(std::ostream& os, long* numbers, int comments) const;
  // Per variable: its dependences upwards and downwards among those of
  // interest, with the critical paths. The forest must be free of cycles:
  // the upward path substitutes the variables of a cycle away until it
  // closes on one of them, which ends the process.
  void Put_lea(std::ostream& os, long* numbers, std::set<long> const& interest, int);
  void Put_lea(std::ostream& os, long* numbers, std::set<long> const& interest, int,
               std::string const& stem);

  void stat(std::ostream& os) const;
  friend std::ostream& operator<<(std::ostream& os, Bddexpressionwood const& w);

 private:
  friend class Bddexpression;
  friend class b_automaton;

  static long length_for(long nb_vars, char const* who, long limit);
  static bool kept(std::list<int> const& keep, int usertype);
  bool in_range(long i) const { return i >= 0 && i < nb_bdd_vars; }
  void add_id(long i);
  void drop_id(long i);
  void learn(Bddexpression* e, std::set<long> const* readers);
  void copy_from(Bddexpressionwood const& source);
  void swap_content(Bddexpressionwood& other);
  void include(Bddexpressionwood& other, std::string const* suffix,
               std::map<std::string, std::string>* renaming);
  bdd include_var(std::string const& name);
  void keep_or_delete(Bddexpression* e);
  void include_shared(Bddexpressionwood& other, std::set<long> const& used,
                      std::string const* suffix, std::map<std::string, std::string>* renaming);
  void include_own(Bddexpressionwood& other, std::set<long> const& used, std::string const* suffix,
                   std::map<std::string, std::string>* renaming);
  void substitute(long v, long u);
  void move_readers(long v, long d, std::set<long>& dead);
  void bypass(long v);
  void delete_equation(long v);
  bool is_wire(long i) const;
  void remove_dead(long v, std::set<long> const& dead);
  void cleaning_pass();
  void replace_exps(std::function<bdd(bdd const&)> const& f);
  void closure(long index, long depth, std::set<long>& r, bool down);
  void enter_users(long i, std::set<long> const& deps);
  void leave_users(long i, std::set<long> const& deps);
  void set_late_date(long i, long d);
  void expand_round(long best, std::list<long> const& loops, std::vector<char>& excluded,
                    std::set<long>& result);
  // The LEC and LEA listings.
  void liste_noeuds_lec(std::ostream& os, long* numbers) const;
  std::set<long> dependances_lea(long i, bool down, long* numbers, std::set<long> const& interest);
  void ligne_lea(std::ostream& os, long i, long* numbers, std::set<long> const& interest,
                 std::string const* stem);

  int common_bdd_manager;
  bddpp_manager* manager;
  std::set<long> exp_ids;
  long nb_bdd_vars;
  long length;
  std::vector<Bddexpression*> exp_table;
  std::vector<std::set<long>> users;
  std::vector<long> late_dates;
  long nb_level;
  // exp(i) walks the equations in index order; writers call it for every i.
  mutable std::vector<long> ordered_ids;
  mutable bool ordered_valid;
};

// Free helpers of the forest: a table of levels on the standard output, the
// shift of two date tables to 0, the PERT dates and the renumbering of a
// set of indexes.
void affiche_level(long n, bddpp_manager* m, long* levels);
long normalise_min_min(long n, long* a, long* b);
std::set<long> set_reencoding(std::set<long> const& s, long* map);
int PERT(Bddexpressionwood* w);
int learn_upstream_dependance(long n, long* dates, Bddexpression& e, int* overflow);
int learn_downstream_dependance(long n, long* dates, Bddexpression& e, int* overflow);
int PERT_original_version(long count, Bddexpression** equations);
int PERT_original_version(long count, Bddexpression* equations);

#endif
