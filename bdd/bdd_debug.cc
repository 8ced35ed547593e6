// Dumps for whoever debugs the engine: a node as one line, functions as
// lists of numbered nodes, the implicant tree, the associations, a
// function as a cover and the fixed points of a self-dependent variable.
#include "bddpp_int.h"

namespace {

// "number: position:then:else,else link", children missing as -3.
template <typename Number>
void node_line(std::ostream& os, bdd_node* n, long position, Number number) {
  if (!n) return;
  os << number(n) << ": " << position << ":";
  if (n->then_node)
    os << number(n->then_node);
  else
    os << -3;
  os << ":";
  if (n->else_node)
    os << number(n->else_node);
  else
    os << -3;
  os << "," << n->else_link;
}

long print_number(bdd_node const* n) { return n->print_id; }

}  // namespace

void Print_bdd_node(std::ostream& os, bdd_node* n) {
  if (n) node_line(os, n, bdd_engine::index(n), print_number);
}

void bddpp_manager::Print_bdd_node(std::ostream& os, bdd_node* n) { ::Print_bdd_node(os, n); }

void bddpp_manager::Print_bdd_node_with_adress(std::ostream& os, bdd_node* n) {
  if (n) node_line(os, n, bdd_engine::index(n), [](bdd_node const* x) { return static_cast<const void*>(x); });
}

void bddpp_manager::Print_bdd_node(std::ostream& os, bdd_node* n, long* numbers) {
  if (!n) return;
  long index = bdd_engine::index(n);
  node_line(os, n, index >= 0 ? numbers[index] : index, print_number);
}

void bddpp_manager::Print_bdd_by_nodes_list_loc(std::ostream& os, bdd_node* n) {
  if (!n || n->mark) return;
  Print_bdd_node(os, n);
  os << std::endl;
  n->mark = 1;
  Print_bdd_by_nodes_list_loc(os, n->then_node);
  Print_bdd_by_nodes_list_loc(os, n->else_node);
}

void bddpp_manager::Print_bdd_by_nodes_list_loc(std::ostream& os, bdd_node* n, long* numbers) {
  if (!n || n->mark) return;
  Print_bdd_node(os, n, numbers);
  os << std::endl;
  n->mark = 1;
  Print_bdd_by_nodes_list_loc(os, n->then_node, numbers);
  Print_bdd_by_nodes_list_loc(os, n->else_node, numbers);
}

void bddpp_manager::Print_bdd_by_nodes_list(std::ostream& os, bdd const& f) {
  Bdd_clear_marks(f.node());
  int32_t count = Bdd_incremental_id(f.node(), 0);
  os << "nombre de noeud trouves: " << count << std::endl;
  Bdd_clear_marks(f.node());
  Print_bdd_by_nodes_list_loc(os, f.node());
}

void bddpp_manager::Print_bdd_by_nodes_list(std::ostream& os, bdd const& f, long* numbers) {
  Bdd_clear_marks(f.node());
  Bdd_incremental_id(f.node(), 0);
  Bdd_clear_marks(f.node());
  Print_bdd_by_nodes_list_loc(os, f.node(), numbers);
}

// One numbering for all the functions: a shared node keeps the number of
// the first function that reaches it. Returns the count of nodes.
static int32_t number_all(bddpp_manager* m, std::list<bdd>& functions) {
  for (auto const& f : functions) m->Bdd_clear_marks(f.node());
  int32_t next = 0;
  for (auto const& f : functions) next = m->Bdd_incremental_id(f.node(), next);
  for (auto const& f : functions) m->Bdd_clear_marks(f.node());
  return next;
}

void bddpp_manager::Print_bdds_list_by_nodes_list(std::ostream& os, std::list<bdd>& functions) {
  number_all(this, functions);
  os << "bdd_vars: " << std::endl;
  for (int32_t id = 0; id < nbr_var; ++id) os << (id ? "," : "") << names[id];
  os << ";" << std::endl << "bdd_nodes: " << std::endl;
  for (auto const& f : functions) Print_bdd_by_nodes_list_loc(os, f.node());
}

void bddpp_manager::Print_bdds_list_by_nodes_list(std::ostream& os, std::list<bdd>& functions, long* numbers) {
  os << number_all(this, functions) << std::endl;
  for (auto const& f : functions) Print_bdd_by_nodes_list_loc(os, f.node(), numbers);
}

void Tdd::Print_bdd_structure(std::ostream& os) { Print_bdd_structure_loc(os, 0); }

void Tdd::Print_bdd_structure_loc(std::ostream& os, int indent) {
  if (!manager) return;
  std::string pad(indent, ' ');
  std::string name = manager->Name_var_by_bdd(variable);
  if (!then_child) {
    os << pad << name << std::endl;
    return;
  }
  os << pad << "if " << name << std::endl;
  then_child->Print_bdd_structure_loc(os, indent + 2);
  os << pad << "else if !" << name << std::endl;
  else_child->Print_bdd_structure_loc(os, indent + 2);
  os << pad << "dont care " << name << std::endl;
  consensus_child->Print_bdd_structure_loc(os, indent + 2);
}

void bddpp_manager::debug_variables(std::ostream& os) {
  for (int32_t i = 0; i < nbr_var; ++i) {
    Print_sop(" or ", " and ", "not ", "", os, Bdd_var_by_index(i), 1);
    os << " --> ";
    if (assoc[i])
      Print_sop(" or ", " and ", "not ", "", os, bdd_engine::association(this, i), 1);
    else
      os << "NULL";
    os << std::endl;
  }
}

// An empty handle has no manager to write it: it gets the message of a
// cover of a bad manager.
void Print_debug_bdd(std::ostream& os, bdd const& f) {
  bddpp_manager* m = f.manager_ref();
  if (!m) {
    std::cerr << "ERROR in bddpp_manager::Bdd_sop():" << std::endl
              << "   bdd : " << f << ", is not allocated or associated with a bad BDD manager..." << std::endl;
    bdd_fatal();
  }
  m->Print_sop(" + ", " . ", "!", "", os, f, 0);
}

// A negated variable is written as its name followed by "'".
void bddpp_manager::Print_Fixes_Points(std::ostream& os, bdd const& f) {
  auto cover = [&](bdd const& g) { Print_sop(" + ", ".", "", "'", os, g, 1); };
  int v;
  bdd g = Bdd_follow_assoc(f, &v);
  if (v < 0) {
    cover(g);
    os << std::endl;
    return;
  }
  bdd x = Bdd_var_by_index(v);
  std::string name = Name_var_by_index(v);
  bdd h = Bdd_reduce(g, Bdd_not(x));
  bdd o = Bdd_reduce(g, x);
  bdd u = Bdd_and(h, Bdd_not(o));
  os << std::endl;
  if (Bdd_is_zero_tautologic(u)) {
    os << "  ==> two stability points : " << name << "'= ";
    cover(h);
    os << ", " << name << "''= ";
    cover(o);
    return;
  }
  os << "  ==> oscillation on " << name << "  for ";
  cover(u);
  os << std::endl << "  ==> stabilisation when " << name << " = ";
  cover(Bdd_not(u));
  os << std::endl;
}
