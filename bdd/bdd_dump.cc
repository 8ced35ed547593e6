// The dumps that the fatal checks write before the process stops: decision
// trees of a function and the statistics of a manager with its nodes; the
// trees also to a FILE.
#include <sstream>

#include "bddpp_int.h"

void bddpp_manager::Chars(char c, int n, std::ostream& os) {
  for (int i = 0; i < n; ++i) os << c;
}

void bddpp_manager::Print_bdd_structure(std::ostream& os, bdd const& f) {
  Bdd_clear_marks(f.node());
  Bdd_incremental_id(f.node(), 0);
  Bdd_clear_marks(f.node());
  if (f.link_type() == 1) {
    Print_bdd_structure_loc(os, 0, f.node());
    return;
  }
  os << "not(" << std::endl;
  Print_bdd_structure_loc(os, 5, f.node());
  os << "   )" << std::endl;
}

// Shared nodes are written once, later paths only name them; the number
// shown is the print id, or the global id in the whole tree, whose FILE
// form labels the index differently.
static void print_tree(bddpp_manager* m, std::ostream& os, int indent, bdd_node* n, bool global,
                       char const* index_label = ",index: ") {
  if (!n) return;
  int32_t number = global ? n->global_id : n->print_id;
  m->Chars(' ', indent, os);
  if (!global && n->mark) {
    os << "already found node: " << n->print_id << std::endl;
    return;
  }
  int32_t index = bdd_engine::index(n);
  if (n->id == -1) {
    os << "1 (node: " << number << index_label << index << ")" << std::endl;
    return;
  }
  std::string const& name = bdd_engine::name_of(n);
  if (n->manager && bdd_engine::is_var_node(n->manager, n)) {
    os << name << " (node: " << number << index_label << index << ")" << std::endl;
    return;
  }
  if (!global) n->mark = 1;
  os << "if " << name << " (node: " << number << index_label << index << ")" << std::endl;
  print_tree(m, os, indent + 2, n->then_node, global, index_label);
  m->Chars(' ', indent, os);
  os << "else (not " << name << ")" << std::endl;
  if (n->else_link == 1) {
    print_tree(m, os, indent + 2, n->else_node, global, index_label);
    return;
  }
  m->Chars(' ', indent + 2, os);
  os << "not(" << std::endl;
  print_tree(m, os, indent + 6, n->else_node, global, index_label);
  m->Chars(' ', indent + 2, os);
  os << "   )" << std::endl;
}

void bddpp_manager::Print_bdd_structure_loc(std::ostream& os, int indent, bdd_node* n) {
  print_tree(this, os, indent, n, false);
}

void bddpp_manager::Print_bdd_global_structure_loc(std::ostream& os, int indent, bdd_node* n) {
  print_tree(this, os, indent, n, true);
}

// The FILE forms write the text of the stream forms.
static void put(FILE* file, std::ostringstream const& text) { std::fputs(text.str().c_str(), file); }

void bddpp_manager::Chars(char c, int n, FILE* file) {
  for (int i = 0; i < n; ++i) std::fputc(c, file);
}

void bddpp_manager::Print_bdd_structure(FILE* file, bdd const& f) {
  std::ostringstream text;
  Print_bdd_structure(text, f);
  put(file, text);
}

void bddpp_manager::Print_bdd_structure_loc(FILE* file, int indent, bdd_node* n) {
  std::ostringstream text;
  Print_bdd_structure_loc(text, indent, n);
  put(file, text);
}

void bddpp_manager::Print_bdd_global_structure_loc(FILE* file, int indent, bdd_node* n) {
  std::ostringstream text;
  print_tree(this, text, indent, n, true, ",global index: ");
  put(file, text);
}

void bddpp_manager::Bdd_stats(std::ostream& os) {
  os << "BDD MANAGER statistics:" << std::endl;
  os << "memory adress: " << static_cast<const void*>(this) << " Version: " << Bdd_version() << std::endl;
  os << "bdd constant number: 1" << std::endl << "-: 1 --> " << one->signature() << std::endl;
  os << "bdd variables number: " << nbr_var << std::endl;
  if (nbr_var > 0) os << "Index (Id): name --> signature" << std::endl;
  for (int32_t i = 0; i < nbr_var; ++i)
    os << i << "(" << id_at[i] << "): " << names[id_at[i]] << " --> " << var_nodes[id_at[i]]->signature()
       << std::endl;
  os << std::endl;
  os << "Map:" << std::endl << "global id: sign = var_index then_node else_node else_link_type (refs number)"
     << std::endl;
  long entries = 0, useless = 0, total = 0;
  for (bdd_node* n : bdd_engine::nodes_by_signature(this)) {
    int64_t s = n->signature();
    os << n->global_id << ": " << s << " = " << (s >> 41) << " " << (s >> 21) % (1 << 20) << " "
       << (s >> 1) % (1 << 20) << " " << ((s & 1) ? "normal" : "inverse") << " (" << n->refs << ")"
       << std::endl;
    Print_bdd_global_structure_loc(os, 0, n);
    os << std::string(43, '-') << std::endl;
    ++entries;
    if (n->id != -1) total += n->refs;
    if (n->refs <= 0) ++useless;
  }
  os << "Finaly:" << std::endl;
  os << "Map Nodes number: " << entries << " --> useless: " << useless << std::endl;
  os << "Global references number: " << total << std::endl;
  os << "number of garbage collector calls: " << gc_count << std::endl;
  os << std::string(46, '-') << std::endl;
}
