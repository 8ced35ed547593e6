// Instances of another forest placed in this one under new names: a new
// variable for every variable the other forest uses, named with a suffix or
// through a renaming table, and every equation rebuilt over them.
#include <cstdlib>
#include <iostream>
#include <vector>

#include "Bddexpression.h"
#include "listpp.h"

std::set<long> Bddexpression::set_of_index_used_variables() const {
  std::set<long> r = dependances;
  long own = index_var();
  if (own >= 0) r.insert(own);
  return r;
}

std::set<long> Bddexpressionwood::Set_of_index_used_variables() {
  std::set<long> r;
  for (long i : exp_ids) {
    if (Bddexpression* e = in_range(i) ? exp_table[i] : nullptr) {
      r = set_union(r, e->set_of_index_used_variables());
      continue;
    }
    std::cerr << "internal error in Bddexpressionwood::Set_of_index_used_variables(): expression "
                 "not found!!!"
              << "   about id:" << i << std::endl;
  }
  return r;
}

namespace {

// The new name of a variable or an equation. A renaming table gains an
// entry, possibly empty, for every name looked up.
struct instance_names {
  std::string const* suffix;
  std::map<std::string, std::string>* renaming;

  std::string operator()(std::string const& old) const {
    if (suffix) return old + *suffix;
    std::string r = (*renaming)[old];
    if (r.empty()) std::cerr << "Warning: no renaming for : " << old << std::endl;
    return r;
  }
  // The left variable of an equation of a forest over the same manager.
  std::string left(std::string const& old) const {
    if (suffix) return old + *suffix;
    std::string r = (*renaming)[old];
    if (r.empty()) {
      std::cerr << "Error: no renaming for : " << old << std::endl;
      exit(1);
    }
    return r;
  }
};

std::set<long> mapped(std::set<long> const& s, std::vector<long> const& map) {
  std::set<long> r;
  for (long d : s)
    if (d >= 0 && d < static_cast<long>(map.size()) && map[d] >= 0) r.insert(map[d]);
  return r;
}

}  // namespace

void Bddexpressionwood::Include_wood_instance(Bddexpressionwood& other, std::string const& suffix) {
  include(other, &suffix, nullptr);
}

void Bddexpressionwood::Include_wood_instance(Bddexpressionwood& other,
                                              std::map<std::string, std::string>* renaming) {
  include(other, nullptr, renaming);
}

// Indexes beyond the other forest's manager name no variable to copy.
void Bddexpressionwood::include(Bddexpressionwood& other, std::string const* suffix,
                                std::map<std::string, std::string>* renaming) {
  std::set<long> used;
  for (long x : other.Set_of_index_used_variables())
    if (x >= 0 && x < other.manager->nbr_variables()) used.insert(x);
  update_bdd_vars();
  if (other.manager == manager)
    include_shared(other, used, suffix, renaming);
  else
    include_own(other, used, suffix, renaming);
  other.update_bdd_vars();
  nb_level = std::max(nb_level, other.nb_level);
  manager->Bdd_gc();
}

// A name the manager knows already gives its variable: instances named
// alike share it.
bdd Bddexpressionwood::include_var(std::string const& name) {
  bdd v = manager->New_var_last(name);
  update_bdd_vars();
  return v;
}

void Bddexpressionwood::include_shared(Bddexpressionwood& other, std::set<long> const& used,
                                       std::string const* suffix,
                                       std::map<std::string, std::string>* renaming) {
  instance_names new_name{suffix, renaming};
  if (renaming) std::cerr << "WOOD A INTEGRER avec meme Bdd_manager " << std::endl;
  long known = nb_bdd_vars;
  for (long x : used) {
    bdd v = include_var(new_name(manager->Name_var_by_index(x)));
    if (renaming) set_late_date(manager->Bdd_if_index(v), other.Late_date(x));
  }
  std::vector<long> map(nb_bdd_vars);
  for (long i = 0; i < nb_bdd_vars; ++i) map[i] = i;
  for (long x : used) map[x] = manager->Index_var_by_name(new_name(manager->Name_var_by_index(x)));
  std::set<long> ids = other.exp_ids;
  for (long i : ids) {
    if (renaming && i >= known) continue;
    Bddexpression* e = other.exp_table[i];
    if (!e) continue;
    std::string n = new_name(e->name);
    bdd v = manager->Bdd_var_by_name(new_name.left(e->my_bddname()));
    if (!e->abstraction) {
      bdd x = manager->Bdd_replace_vars(e->exp, map.data());
      keep_or_delete(
          new Bddexpression(n, this, v, x, e->expdef, e->early_date, e->getLateDate(), e->usertype));
      continue;
    }
    std::set<long> reads = mapped(e->dependances, map);
    long vi = manager->Bdd_if_index(v);
    if (in_range(vi)) users[vi] = set_union(users[vi], mapped(Users(i), map));
    std::set<long> none;
    keep_or_delete(new Bddexpression(manager->Bdd_if_id(v), this, &none, &reads, e->expdef,
                                     e->early_date, e->getLateDate()));
  }
}

void Bddexpressionwood::include_own(Bddexpressionwood& other, std::set<long> const& used,
                                    std::string const* suffix,
                                    std::map<std::string, std::string>* renaming) {
  instance_names new_name{suffix, renaming};
  bddpp_manager* source = other.manager;
  std::vector<long> map(source->nbr_variables(), -1);
  for (long x : used) {
    bdd v = include_var(new_name(source->Name_var_by_index(x)));
    map[x] = manager->Bdd_if_index(v);
    if (renaming) set_late_date(map[x], other.Late_date(x));
  }
  std::set<long> ids = other.exp_ids;
  for (long i : ids) {
    Bddexpression* e = other.exp_table[i];
    if (!e) continue;
    std::string n = new_name(e->name);
    if (renaming) new_name(e->my_bddname());
    if (e->abstraction) {
      std::set<long> reads = mapped(e->dependances, map);
      auto* a = new Bddexpression(manager->Id_var_by_name(n), this, reads, e->expdef,
                                  e->early_date, e->getLateDate());
      a->setUserType(e->usertype);
      keep_or_delete(a);
      continue;
    }
    bdd v = Bdd_isomorphe(manager, source, e->var, map.data());
    bdd x = Bdd_isomorphe(manager, source, e->exp, map.data());
    keep_or_delete(
        new Bddexpression(n, this, v, x, e->expdef, e->early_date, e->getLateDate(), e->usertype));
  }
}

// An equation that its registration refused belongs to nobody.
void Bddexpressionwood::keep_or_delete(Bddexpression* e) {
  long i = e->index_var();
  if (!in_range(i) || exp_table[i] != e) delete e;
}
