// The equation forest of the equational compilation: `Bddexpression`, one
// equation variable = function over a BDD manager, and `Bddexpressionwood`,
// the forest that holds at most one equation per variable, indexed by the
// variable's index, with the readers of every variable and the dates that
// order the equations and reveal combinational loops.
#ifndef TARVEK_BDDEXPRESSION_H
#define TARVEK_BDDEXPRESSION_H

#include <list>
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
  Bddexpression(Bddexpression const&) = delete;
  Bddexpression& operator=(Bddexpression const&) = delete;

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

  Bddexpressionwood* getWood() const { return wood; }
  std::string const& getName() const { return name; }
  bdd const& getBddVar() const { return var; }
  bdd const& getBddExp() const { return exp; }
  int getAbstraction() const { return abstraction; }
  std::set<long> const& getDependances() const { return dependances; }
  long getEarlyDate() const { return early_date; }

  friend std::ostream& operator<<(std::ostream& os, Bddexpression const& e);

 private:
  friend class Bddexpressionwood;
  long index_var() const;  // -1 when the left member is not a variable of the forest

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

// The forest. It owns its equations and, unless told it is shared, its
// manager. Tables are indexed by variable index and grow with the manager.
class Bddexpressionwood {
 public:
  explicit Bddexpressionwood(bddpp_manager* manager);
  ~Bddexpressionwood();
  Bddexpressionwood(Bddexpressionwood const&) = delete;
  Bddexpressionwood& operator=(Bddexpressionwood const&) = delete;

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

  // Dates and loops.
  long compute_dates();
  void early_propagation(long i, long d);
  void late_propagation(long i, long d);
  std::list<long> loop_detection();
  std::set<long> loop_breaking(std::set<long> candidates, int& ok);
  std::list<long> earliest_sort() const;
  std::list<long> latest_sort() const;
  // The first equation that earliest_sort leaves out (its date lies outside
  // the levels), -1 when it lists them all.
  long exp_outside_sort() const;

  void stat(std::ostream& os) const;
  friend std::ostream& operator<<(std::ostream& os, Bddexpressionwood const& w);

 private:
  friend class Bddexpression;
  friend class b_automaton;

  bool in_range(long i) const { return i >= 0 && i < nb_bdd_vars; }
  void enter_users(long i, std::set<long> const& deps);
  void leave_users(long i, std::set<long> const& deps);
  void set_late_date(long i, long d);
  void expand_round(long best, std::list<long> const& loops, std::vector<char>& excluded,
                    std::set<long>& result);

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

#endif
