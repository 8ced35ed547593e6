// The records that carry one reaction into the automaton, by sets of steps
// (FBA_transition) or by situation codes (FBA_real_transition): their
// copies, comparisons and printers.
#include <iostream>

#include "FBA.h"
#include "FBA_interne.h"
#include "listpp.h"

namespace {

bool vide(const bdd& b) { return !b.manager_ref() || !b.node(); }

// The action conditions of a record of owner, taken from source. The array
// is sized by the owner: one of another size is allocated anew, so that a
// record assigned from one of a larger automaton is never written past
// its end. A record without owner has none.
void recopie_actions(bdd*& tableau, const FBA* ancien, const FBA* owner, const bdd* source) {
  int m = owner ? owner->actions_number : 0;
  if (!tableau || !ancien || !owner || ancien->actions_number != m) {
    delete[] tableau;
    tableau = owner ? new bdd[m] : nullptr;
  }
  if (!tableau || !source) return;
  for (int j = 0; j < m; ++j) tableau[j] = source[j];
}

bool memes_actions(const FBA* owner, const bdd* a, const bdd* b) {
  if (!owner) return true;
  for (int j = 0; j < owner->actions_number; ++j)
    if (a[j] != b[j]) return false;
  return true;
}

// Both records hold the same fields but for the type of their situations.
template <typename R>
void affecte(R& r, const R& source) {
  recopie_actions(r.cond_actions, r.owner, source.owner, source.cond_actions);
  r.owner = source.owner;
  r.initial = source.initial;
  r.final = source.final;
  r.cond = source.cond;
}

template <typename R>
bool egaux(const R& a, const R& b) {
  return a.owner == b.owner && a.initial == b.initial && a.final == b.final && a.cond == b.cond &&
         memes_actions(a.owner, a.cond_actions, b.cond_actions);
}

// An empty condition, such as the one of a record built without
// arguments, is an empty text: the printers of sums of products refuse it.
std::string texte(const FBA* owner, const bdd& b) {
  if (vide(b)) return "";
  return owner ? owner->my_bddtoa(b) : texte_log(b.manager_ref(), b);
}

template <typename R>
std::ostream& affiche(std::ostream& os, const R& r) {
  os << "[ initial: " << r.initial << ", final:" << r.final << ", cond: " << texte(r.owner, r.cond)
     << ", cond actions : ";
  if (r.owner)
    for (int j = 0; j < r.owner->actions_number; ++j)
      os << j << "--> " << texte(r.owner, r.cond_actions[j]) << " ";
  return os << "]" << std::endl;
}

}  // namespace

FBA_transition::FBA_transition() : owner(nullptr), cond_actions(nullptr) {}

FBA_transition::FBA_transition(const FBA* o, std::set<int> i, std::set<int> f, bdd* actions,
                               bdd c)
    : owner(o), initial(i), final(f), cond_actions(nullptr), cond(c) {
  recopie_actions(cond_actions, nullptr, owner, actions);
}

FBA_transition::FBA_transition(const FBA_transition& t) : owner(nullptr), cond_actions(nullptr) {
  affecte(*this, t);
}

FBA_transition& FBA_transition::operator=(const FBA_transition& t) {
  if (this != &t) affecte(*this, t);
  return *this;
}

FBA_transition::~FBA_transition() { delete[] cond_actions; }

bool operator==(const FBA_transition& a, const FBA_transition& b) { return egaux(a, b); }
bool operator!=(const FBA_transition& a, const FBA_transition& b) { return !egaux(a, b); }
std::ostream& operator<<(std::ostream& os, const FBA_transition& t) { return affiche(os, t); }

FBA_real_transition::FBA_real_transition()
    : owner(nullptr), initial(-1), final(-1), cond_actions(nullptr) {}

FBA_real_transition::FBA_real_transition(FBA* o, int i, int f, bdd* actions, bdd c)
    : owner(o), initial(i), final(f), cond_actions(nullptr), cond(c) {
  recopie_actions(cond_actions, nullptr, owner, actions);
}

FBA_real_transition::FBA_real_transition(const FBA_real_transition& r)
    : owner(nullptr), cond_actions(nullptr) {
  affecte(*this, r);
}

FBA_real_transition& FBA_real_transition::operator=(const FBA_real_transition& r) {
  if (this != &r) affecte(*this, r);
  return *this;
}

FBA_real_transition::~FBA_real_transition() { delete[] cond_actions; }

bool operator==(const FBA_real_transition& a, const FBA_real_transition& b) { return egaux(a, b); }
bool operator!=(const FBA_real_transition& a, const FBA_real_transition& b) { return !egaux(a, b); }
std::ostream& operator<<(std::ostream& os, const FBA_real_transition& r) { return affiche(os, r); }
