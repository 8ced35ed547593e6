// The synchronous product of boolean automata: every component keeps its
// registers and equations under its instance name, wires define the inputs
// they drive as the outputs that drive them, and the inputs and outputs that
// no wire touches are shared by name. While the product is built, each
// component has a map from its variable indexes to the product's.
#include <cstdlib>
#include <iostream>
#include <vector>

#include "b_automaton.h"
#include "listpp.h"

std::ostream& operator<<(std::ostream& os, b_automaton_connector const& c) {
  os << c.from_automaton << ":" << c.from_output << " --> " << c.to_automaton << ":" << c.to_input
     << std::endl;
  return os;
}

// A variable that the component's manager holds beyond its declared names
// has no place in the product: its equations would read a wrong variable.
bdd b_automaton::bdd_isomorphe(bddpp_manager* target, bdd const& f, int* map) {
  if (!f.manager_ref() || !f.node()) return bdd();
  bddpp_manager* m = manager_associe();
  if (m->Bdd_is_tautology(f, 0)) return target->Bdd_zero();
  if (m->Bdd_is_tautology(f, 1)) return target->Bdd_one();
  long i = m->Bdd_if_index(m->Bdd_if(f));
  if (map[i] < 0) {
    std::cerr << "INTERNAL ERROR in b_automaton::bdd_isomorphe(): the variable "
              << m->Name_var_by_index(i) << " has no counterpart in the target manager"
              << std::endl;
    exit(1);
  }
  bdd t = bdd_isomorphe(target, m->Bdd_then(f), map);
  bdd e = bdd_isomorphe(target, m->Bdd_else(f), map);
  bdd y = target->Bdd_var_by_index(map[i]);
  bdd low = target->Bdd_and(target->Bdd_not(y), e);
  bdd high = target->Bdd_and(y, t);
  return target->Bdd_or(low, high);
}

namespace {

// What the construction knows of the components and of the product's names.
struct product_plan {
  product_plan(int nb_, b_automaton** comps_, std::string* inst_, int nbc_,
               b_automaton_connector* wires_)
      : nb(nb_), comps(comps_), inst(inst_), nbc(nbc_), wires(wires_), maps(nb_) {}

  int nb;
  b_automaton** comps;
  std::string* inst;
  int nbc;
  b_automaton_connector* wires;
  std::vector<std::vector<int>> maps;
  std::list<std::string> states, next_states, inputs, outputs, wired, locals;
  int n = 0, ni = 0, no = 0;

  // Component c's variable layout: states, next states, inputs, outputs.
  int first_input(int c) const { return 2 * comps[c]->nb_state_vars(); }
  int first_output(int c) const { return first_input(c) + comps[c]->nb_inputs(); }
  int first_local(int c) const { return first_output(c) + comps[c]->nb_outputs(); }

  bool input_wired(int c, int k) const {
    for (int w = 0; w < nbc; ++w)
      if (wires[w].to_automaton == c && wires[w].to_input == k) return true;
    return false;
  }
  bool output_wired(int c, int k) const {
    for (int w = 0; w < nbc; ++w)
      if (wires[w].from_automaton == c && wires[w].from_output == k) return true;
    return false;
  }
};

[[noreturn]] void bad_connector(b_automaton_connector const& w) {
  std::cerr << "INTERNAL ERROR in b_automaton::b_automaton(): connector out of the components: "
            << w;
  exit(1);
}

void check_components(product_plan const& p) {
  for (int c = 0; c < p.nb; ++c)
    if (!p.comps[c]) {
      std::cerr << "INTERNAL ERROR in b_automaton::b_automaton(): component " << c << " missing"
                << std::endl;
      exit(1);
    }
  auto inside = [&](int a, int k, bool output) {
    if (a < 0 || a >= p.nb || k < 0) return false;
    return k < (output ? p.comps[a]->nb_outputs() : p.comps[a]->nb_inputs());
  };
  for (int w = 0; w < p.nbc; ++w)
    if (!inside(p.wires[w].from_automaton, p.wires[w].from_output, true) ||
        !inside(p.wires[w].to_automaton, p.wires[w].to_input, false))
      bad_connector(p.wires[w]);
}

void place_states(product_plan& p) {
  for (int c = 0; c < p.nb; ++c) p.n += p.comps[c]->nb_state_vars();
  int s = 0;
  for (int c = 0; c < p.nb; ++c) {
    b_automaton* a = p.comps[c];
    int size = std::max(p.first_local(c) + a->nb_locals(), a->manager_associe()->nbr_variables());
    p.maps[c].assign(size, -1);
    for (int k = 0; k < a->nb_state_vars(); ++k, ++s) {
      p.states.push_back(p.inst[c] + "_" + a->nom_state_var(k));
      p.next_states.push_back(p.inst[c] + "_" + a->nom_next_state_var(k));
      p.maps[c][k] = s;
      p.maps[c][a->nb_state_vars() + k] = p.n + s;
    }
  }
}

// Inputs or outputs: a wired one becomes a local named after its instance
// and is resolved later; the others are shared by name from base on.
template <typename Count, typename Name, typename Wired, typename First>
void place_ports(product_plan& p, std::list<std::string>& ports, int base, Count count, Name name,
                 Wired wired, First first) {
  for (int c = 0; c < p.nb; ++c)
    for (int k = 0; k < count(c); ++k) {
      int& entry = p.maps[c][first(c) + k];
      if (wired(c, k)) {
        p.wired.push_back(p.inst[c] + "_" + name(c, k));
        entry = -1;
      } else if (int at = item_where(ports, name(c, k))) {
        entry = base + at - 1;
      } else {
        entry = base + static_cast<int>(ports.size());
        ports.push_back(name(c, k));
      }
    }
}

void place_inputs_outputs(product_plan& p) {
  place_ports(
      p, p.inputs, 2 * p.n, [&](int c) { return p.comps[c]->nb_inputs(); },
      [&](int c, int k) { return p.comps[c]->nom_input(k); },
      [&](int c, int k) { return p.input_wired(c, k); }, [&](int c) { return p.first_input(c); });
  p.ni = static_cast<int>(p.inputs.size());
  place_ports(
      p, p.outputs, 2 * p.n + p.ni, [&](int c) { return p.comps[c]->nb_outputs(); },
      [&](int c, int k) { return p.comps[c]->nom_output(k); },
      [&](int c, int k) { return p.output_wired(c, k); }, [&](int c) { return p.first_output(c); });
  p.no = static_cast<int>(p.outputs.size());
}

// The wired ports first, then the locals of every component; a wired port
// is the last local of its prefixed name.
void place_locals(product_plan& p) {
  int first = 2 * p.n + p.ni + p.no;
  p.locals = p.wired;
  for (int c = 0; c < p.nb; ++c)
    for (int k = 0; k < p.comps[c]->nb_locals(); ++k) {
      p.maps[c][p.first_local(c) + k] = first + static_cast<int>(p.locals.size());
      p.locals.push_back(p.inst[c] + "_" + p.comps[c]->nom_local(k));
    }
  for (int c = 0; c < p.nb; ++c) {
    b_automaton* a = p.comps[c];
    auto resolve = [&](int entry, std::string const& name) {
      if (p.maps[c][entry] != -1) return;
      int m = 0;
      for (auto const& l : p.locals) {
        if (l == p.inst[c] + "_" + name) p.maps[c][entry] = first + m;
        ++m;
      }
    };
    for (int k = 0; k < a->nb_inputs(); ++k) resolve(p.first_input(c) + k, a->nom_input(k));
    for (int k = 0; k < a->nb_outputs(); ++k) resolve(p.first_output(c) + k, a->nom_output(k));
  }
}

}  // namespace

b_automaton::b_automaton(int nb, b_automaton** components, std::string* instances, int nbc,
                         b_automaton_connector* connectors)
    : nb_level(0), wood(nullptr), initial_values(nullptr) {
  product_plan p(nb, components, instances, nbc, connectors);
  check_components(p);
  place_states(p);
  place_inputs_outputs(p);
  place_locals(p);
  names.state_names = array_convert(p.states);
  names.next_state_names = array_convert(p.next_states);
  names.input_names = array_convert(p.inputs);
  names.output_names = array_convert(p.outputs);
  names.local_names = array_convert(p.locals);
  names.nb_state_vars = p.n;
  names.nb_inputs = p.ni;
  names.nb_outputs = p.no;
  names.nb_locals = static_cast<int>(p.locals.size());
  wood = new Bddexpressionwood(new bddpp_manager);
  for (auto* list : {&p.states, &p.next_states, &p.inputs, &p.outputs, &p.locals})
    for (auto const& name : *list) wood->New_var_last(name);
  long size = std::max<long>(wood->Nb_bdd_vars(), p.n);
  initial_values = new int[size];
  for (long i = 0; i < size; ++i) initial_values[i] = 2;
  int s = 0;
  for (int c = 0; c < nb; ++c)
    for (int k = 0; k < components[c]->nb_state_vars(); ++k)
      initial_values[s++] = components[c]->valeur_initiale_state_var(k);
  product_equations(p.nb, components, p.maps);
  product_wires(nbc, connectors, components, p.maps);
  product_conditions(p.nb, components, p.maps);
  keep_outputs_registers_equations();
}

// A variable that two components define gets the disjunction of their
// right members.
void b_automaton::product_equations(int nb, b_automaton** components, index_maps& maps) {
  bddpp_manager* m = manager_associe();
  for (int c = 0; c < nb; ++c) {
    Bddexpressionwood* w = components[c]->wood;
    for (int i = 0; i < w->exp_number(); ++i) {
      Bddexpression* e = w->exp(i);
      bdd v = components[c]->bdd_isomorphe(m, e->getBddVar(), maps[c].data());
      bdd x = components[c]->bdd_isomorphe(m, e->getBddExp(), maps[c].data());
      if (!v.node()) continue;
      Bddexpression* known = wood->exp_by_index(m->Bdd_if_index(v));
      if (!known) {
        new Bddexpression(wood, v, x, 0, 0);
      } else if (x.node()) {
        bdd both = m->Bdd_or(known->getBddExp(), x);
        known->setBddExp(both);
      }
    }
  }
}

// The local of a wired input is defined as the local of its output; a
// second wire to the same input replaces the first.
void b_automaton::product_wires(int nbc, b_automaton_connector* wires, b_automaton** components,
                                index_maps& maps) {
  bddpp_manager* m = manager_associe();
  for (int k = 0; k < nbc; ++k) {
    b_automaton_connector const& w = wires[k];
    b_automaton* t = components[w.to_automaton];
    b_automaton* s = components[w.from_automaton];
    long in = maps[w.to_automaton][2 * t->nb_state_vars() + w.to_input];
    long out = maps[w.from_automaton][2 * s->nb_state_vars() + s->nb_inputs() + w.from_output];
    Bddexpression* replaced = wood->exp_by_index(in);
    new Bddexpression(wood, m->Bdd_var_by_index(in), m->Bdd_var_by_index(out), 0, 0);
    if (wood->exp_by_index(in) != replaced) delete replaced;
  }
}

void b_automaton::product_conditions(int nb, b_automaton** components, index_maps& maps) {
  bddpp_manager* m = manager_associe();
  for (bdd b_automaton::*field : {&b_automaton::assertion, &b_automaton::invariant})
    for (int c = 0; c < nb; ++c) {
      bdd const& f = components[c]->*field;
      if (!f.manager_ref() || !f.node()) continue;
      bdd x = components[c]->bdd_isomorphe(m, f, maps[c].data());
      bdd& r = this->*field;
      r = r.node() ? m->Bdd_and(r, x) : x;
    }
}

b_automaton* merge(b_automaton* a, b_automaton* b) {
  if (!a || !b) return nullptr;
  std::vector<b_automaton_connector> wires;
  auto wire = [&](b_automaton* to, int to_pos, b_automaton* from, int from_pos) {
    std::list<std::string> outputs = from->outputs_list();
    for (int i = 0; i < to->nb_inputs(); ++i)
      if (int p = item_where(outputs, to->nom_input(i)))
        wires.push_back(b_automaton_connector(from_pos, p - 1, to_pos, i));
  };
  wire(a, 0, b, 1);
  wire(b, 1, a, 0);
  b_automaton* components[] = {a, b};
  std::string instances[] = {"inst0", "inst1"};
  return new b_automaton(2, components, instances, static_cast<int>(wires.size()),
                         wires.empty() ? nullptr : wires.data());
}
