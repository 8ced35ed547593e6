// The further constructors of an equation: empty and abstract equations,
// copies within a forest and into another one, equations with a user type
// or an expdef, and the small members that read or set single fields.
#include <iostream>

#include "Bddexpression.h"

Bddexpression::Bddexpression() : Bddexpression(static_cast<Bddexpressionwood*>(nullptr)) {}

Bddexpression::Bddexpression(Bddexpressionwood* wood_)
    : wood(wood_), abstraction(1), W(1), early_date(0), usertype(0) {}

// The fields that every copy takes from its source as they are.
void Bddexpression::copy_plain_fields(Bddexpression const& e) {
  name = e.name;
  expdef = e.expdef;
  W = e.W;
  dependances = e.dependances;
  early_date = e.early_date;
  usertype = e.usertype;
}

Bddexpression::Bddexpression(Bddexpression const& e) : Bddexpression(e.wood) {
  copy_plain_fields(e);
  if (!wood || !wood->manager) return;
  abstraction = e.abstraction;
  var = e.var;
  if (!abstraction) exp = e.exp;
  build_normal_dependances();
}

Bddexpression& Bddexpression::operator=(Bddexpression const& e) {
  copy_plain_fields(e);
  abstraction = e.abstraction;
  wood = e.wood;
  bool members = e.wood && e.wood->manager;
  var = members ? e.var : bdd();
  exp = members && !abstraction ? e.exp : bdd();
  return *this;
}

// f of manager s rebuilt at the same positions in m; undefined when there
// is nothing to rebuild.
static bdd translate(bddpp_manager* m, bddpp_manager* s, bdd const& f) {
  if (!m || !s || !f.node()) return bdd();
  return Bdd_isomorphe(m, s, f);
}

void Bddexpression::copy_into(Bddexpressionwood* w, bddpp_manager* source, Bddexpression const& e) {
  copy_plain_fields(e);
  wood = w;
  abstraction = 1;
  if (!w || !w->manager) return;
  abstraction = e.abstraction;
  var = translate(w->manager, source, e.var);
  if (!abstraction) exp = translate(w->manager, source, e.exp);
  build_normal_dependances();
}

Bddexpression::Bddexpression(Bddexpressionwood* w, Bddexpression const& e) : Bddexpression() {
  copy_into(w, e.wood ? e.wood->manager : nullptr, e);
}

Bddexpression::Bddexpression(Bddexpressionwood* src, Bddexpressionwood* w, Bddexpression const& e)
    : Bddexpression() {
  copy_into(w, src ? src->manager : nullptr, e);
  if (w) w->learn_expression(this);
}

Bddexpression::Bddexpression(std::string const& name_, Bddexpressionwood* w, bdd var_, bdd exp_,
                             long early, long late, int usertype_)
    : Bddexpression(name_, w, var_, exp_, std::string(), early, late, usertype_) {}

Bddexpression::Bddexpression(std::string const& name_, Bddexpressionwood* w, bdd var_, bdd exp_,
                             std::string const& expdef_, long early, long late, int usertype_)
    : wood(w),
      name(name_),
      abstraction(1),
      expdef(expdef_),
      W(1),
      early_date(early),
      usertype(usertype_) {
  if (expdef.empty()) {
    enter_concrete(var_, exp_, late);
    return;
  }
  if (!wood) return;
  std::set<long> none;
  enter_abstract(var_, &none, late);
}

void Bddexpression::enter_abstract(bdd var_, std::set<long>* readers, long late) {
  var = var_;
  wood->learn_abstract_expression(this, readers);
  wood->set_late_date(index_var(), late);
}

Bddexpression::Bddexpression(long id, Bddexpressionwood* w, std::set<long>* readers,
                             std::set<long>* reads, long early, long late)
    : Bddexpression(id, w, readers, reads, std::string(), early, late) {}

Bddexpression::Bddexpression(long id, Bddexpressionwood* w, std::set<long>* readers,
                             std::set<long>* reads, std::string const& expdef_, long early,
                             long late)
    : wood(w), abstraction(1), expdef(expdef_), W(1), early_date(early), usertype(0) {
  if (reads) dependances = *reads;
  if (!wood || !wood->manager) return;
  bdd v = wood->manager->Bdd_var_by_id(id);
  name = wood->manager->Name_var_by_bdd(v);
  enter_abstract(v, readers, late);
}

Bddexpression::Bddexpression(long id, Bddexpressionwood* w, std::set<long>& reads,
                             std::string const& expdef_, long early, long late)
    : Bddexpression(id, w, nullptr, &reads, expdef_, early, late) {}

void Bddexpression::setBddexpressionwood(Bddexpressionwood* w) {
  wood = w;
  if (w) w->learn_expression(this);
}

void Bddexpression::setExpDef(std::string const& s) {
  expdef = s;
  if (!s.empty()) abstraction = 1;
}

std::string Bddexpression::my_bddname() const {
  if (!wood || !wood->manager || !var.node()) return "";
  return wood->manager->Name_var_by_bdd(var);
}

void Bddexpression::setBddVar(bddpp_manager*, bdd var_) {
  if (wood) {
    std::cerr << "In Bddexpression::setBddVar(bddpp_manager *, bdd): " << std::endl
              << "   wood already defined! Aborted  ..." << std::endl;
    return;
  }
  var = var_;
}

// A negation reads the same variables: dependances and readers stand.
void Bddexpression::append_not_exp() {
  if (!wood) {
    std::cerr << "In Bddexpression::append_not_exp(): " << std::endl
              << "   no wood defined! Aborted  ..." << std::endl;
    return;
  }
  exp = wood->manager->Bdd_not(exp);
}

long Bddexpression::getLateDate() const { return wood ? wood->Late_date(index_var()) : 0; }

bool operator==(Bddexpression const& x, Bddexpression const& y) {
  return x.abstraction == y.abstraction && x.var == y.var && x.exp == y.exp &&
         x.usertype == y.usertype && x.W == y.W && x.name == y.name && x.expdef == y.expdef;
}

bool operator!=(Bddexpression const& x, Bddexpression const& y) { return !(x == y); }
