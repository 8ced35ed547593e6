// One equation: construction and entry into its forest, replacement of its
// right member with the readers kept in step, and its dump.
#include "Bddexpression.h"

#include <iostream>
#include <sstream>

#include "Stringpp.h"
#include "listpp.h"

Bddexpression::Bddexpression(std::string const& name_, Bddexpressionwood* wood_, bdd var_, bdd exp_,
                             long early, long late)
    : wood(wood_), name(name_), abstraction(1), W(1), early_date(early), usertype(0) {
  enter_concrete(var_, exp_, late);
}

void Bddexpression::enter_concrete(bdd var_, bdd exp_, long late) {
  if (!wood) return;
  abstraction = 0;
  var = var_;
  exp = exp_;
  build_normal_dependances();
  wood->learn_expression(this);
  // After the entry: the level count raised there sees the late date that
  // was there before.
  wood->set_late_date(index_var(), late);
}

Bddexpression::Bddexpression(Bddexpressionwood* wood_, bdd var_, bdd exp_, long early, long late)
    : Bddexpression(
          wood_ && wood_->manager && var_.node() ? wood_->manager->Name_var_by_bdd(var_) : "",
          wood_, var_, exp_, early, late) {}

// The index of the left member, read without the engine's diagnostic for an
// empty handle.
long Bddexpression::index_var() const {
  if (!wood || !wood->manager || !var.node()) return -1;
  return wood->manager->Bdd_if_index(var);
}

void Bddexpression::internal_build_dependances() { internal_build_dependances(wood->manager); }

void Bddexpression::build_normal_dependances() {
  if (wood) wood->update_bdd_vars();
  internal_build_dependances();
}

void Bddexpression::setBddExp(bdd exp_, long early, long late) {
  if (!wood) {
    std::cerr << "In Bddexpression::setBddExp(): " << std::endl
              << "   no wood defined! Aborted  ..." << std::endl;
    return;
  }
  long v = wood->manager->Index_var_by_bdd(var);
  wood->leave_users(v, dependances);
  exp = exp_;
  early_date = early;
  wood->set_late_date(index_var(), late);
  abstraction = 0;
  build_normal_dependances();
  wood->enter_users(v, dependances);
}

void Bddexpression::setLateDate(long d) {
  if (!wood) {
    std::cerr << "internal error in Bddexpression::setLateDate(): no wood found!" << std::endl;
    return;
  }
  wood->set_late_date(index_var(), d);
}

// The members as the dump and the debugging line write them; the debugging
// line writes nothing for a concrete equation without a forest, and its
// numbers unsigned.
void Bddexpression::put_members(std::ostream& os, bool debug) const {
  auto weight = [&] {
    if (debug)
      os << "  weight: " << unslong2S(W) << " usertype: " << unslong2S(usertype);
    else
      os << "  weight: " << W << " usertype: " << usertype;
  };
  std::string defined = abstraction ? expdef + "()" : std::string("--");
  if (!wood) {
    if (abstraction)
      os << "- = " << expdef << "()";
    else if (!debug)
      os << "- = ";
    return;
  }
  bddpp_manager* m = wood->Manager();
  if (!m) {
    os << "- = " << defined;
    weight();
    return;
  }
  os << (var.node() ? m->Name_var_by_bdd(var) : std::string("-")) << " = ";
  if (exp.node()) {
    m->Print_sop(" + ", " * ", "!", "", os, exp, 1);
    if (abstraction) os << "warning ABSTRACTION by " << expdef << "()!";
  } else {
    os << defined;
  }
  weight();
}

std::ostream& operator<<(std::ostream& os, Bddexpression const& e) {
  os << "(" << static_cast<void const*>(&e) << ") <" << e.name << "> "
     << "[type:" << e.usertype << "]";
  e.put_members(os, false);
  return os;
}

std::string Bddexpression::debug_in_string() const {
  std::ostringstream os;
  os << "<" << name << "> ";
  put_members(os, true);
  return os.str();
}
