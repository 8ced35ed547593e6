// Functions as networks of node definitions (arrays, named wires, NuSMV,
// VHDL signals, BLIF): children before their parent, each node once per
// text through the visit marks, which the caller clears once per text.
#include <algorithm>
#include <functional>

#include "bddpp_int.h"

namespace {

std::string gid(bdd_node const* n) { return std::to_string(n->global_id); }

// The parts of a definition line that the array and arrayless syntaxes
// choose: the line start and the name of a node.
struct eval_syntax {
  std::string const &or_s, &and_s, &not_s, &close_s, &prefix, &suffix, &false_text, &line_end;
  std::function<std::string(bdd_node const*)> name;
  std::string const* line_prefix;  // null: three blanks for the constant, two for the others
};

// False for a node already written; otherwise marks it.
bool take(bdd_node* n) {
  if (!n || n->mark) return false;
  n->mark = 1;
  return true;
}

bool is_var_node(bdd_node const* n) { return bdd_engine::is_var_node(n->manager, n); }

void eval_network(eval_syntax const& s, std::ostream& os, bdd_node* n) {
  if (!take(n)) return;
  std::string start = s.line_prefix ? *s.line_prefix : (n->id == -1 ? "   " : "  ");
  if (n->id == -1) {
    os << start << s.name(n) << "= " << s.not_s << s.false_text << s.close_s << s.line_end << std::endl;
    return;
  }
  std::string var = s.prefix + bdd_engine::name_of(n) + s.suffix;
  if (is_var_node(n)) {
    os << start << s.name(n) << "= " << var << s.line_end << std::endl;
    return;
  }
  eval_network(s, os, n->then_node);
  eval_network(s, os, n->else_node);
  std::string else_ref = n->else_link == 1 ? s.name(n->else_node) : s.not_s + s.name(n->else_node) + s.close_s;
  os << start << s.name(n) << "= " << var << s.and_s << s.name(n->then_node) << s.or_s << s.not_s << var
     << s.close_s << s.and_s << else_ref << s.line_end << std::endl;
}

std::function<std::string(bdd_node const*)> array_names(std::string const& array) {
  return [&array](bdd_node const* n) { return array + "[" + gid(n) + "]"; };
}

std::function<std::string(bdd_node const*)> prefixed_names(std::string const& name_prefix) {
  return [&name_prefix](bdd_node const* n) { return name_prefix + "_" + gid(n); };
}

}  // namespace

void bddpp_manager::Print_node_for_eval(std::string const& or_s, std::string const& and_s, std::string const& not_s,
                                        std::string const& close_s, std::string const& prefix,
                                        std::string const& suffix, std::string const& false_text,
                                        std::string const& line_end, std::string const& array, std::ostream& os,
                                        bdd_node* n) {
  eval_network({or_s, and_s, not_s, close_s, prefix, suffix, false_text, line_end, array_names(array), nullptr}, os,
               n);
}

void bddpp_manager::Print_node_for_eval(std::string const& or_s, std::string const& and_s, std::string const& not_s,
                                        std::string const& close_s, std::string const& prefix,
                                        std::string const& suffix, std::string const& false_text,
                                        std::string const& line_end, std::string const& line_prefix,
                                        std::string const& array, std::ostream& os, bdd_node* n) {
  eval_network(
      {or_s, and_s, not_s, close_s, prefix, suffix, false_text, line_end, array_names(array), &line_prefix}, os, n);
}

void bddpp_manager::Print_node_for_eval_arrayless(std::string const& or_s, std::string const& and_s,
                                                  std::string const& not_s, std::string const& close_s,
                                                  std::string const& prefix, std::string const& suffix,
                                                  std::string const& false_text, std::string const& line_end,
                                                  std::string const& name_prefix, std::ostream& os, bdd_node* n) {
  eval_network(
      {or_s, and_s, not_s, close_s, prefix, suffix, false_text, line_end, prefixed_names(name_prefix), nullptr}, os,
      n);
}

void bddpp_manager::Print_node_for_eval_arrayless(std::string const& or_s, std::string const& and_s,
                                                  std::string const& not_s, std::string const& close_s,
                                                  std::string const& prefix, std::string const& suffix,
                                                  std::string const& false_text, std::string const& line_end,
                                                  std::string const& line_prefix, std::string const& name_prefix,
                                                  std::ostream& os, bdd_node* n) {
  eval_network({or_s, and_s, not_s, close_s, prefix, suffix, false_text, line_end, prefixed_names(name_prefix),
                &line_prefix},
               os, n);
}

void bddpp_manager::Print_node_for_eval_NUSMV(std::string const& prefix, std::string const& suffix,
                                              std::string const& line_prefix, std::string const& name_prefix,
                                              std::ostream& os, bdd_node* n) {
  if (!take(n)) return;
  auto ref = [&name_prefix](bdd_node const* x) { return name_prefix + "_" + gid(x); };
  std::string body = "TRUE";
  if (n->id != -1) {
    body = prefix + bdd_engine::name_of(n) + suffix;
    if (!is_var_node(n)) {
      Print_node_for_eval_NUSMV(prefix, suffix, line_prefix, name_prefix, os, n->then_node);
      Print_node_for_eval_NUSMV(prefix, suffix, line_prefix, name_prefix, os, n->else_node);
      body = body + " & " + ref(n->then_node) + " | !" + body + " & " + (n->else_link != 1 ? "!" : "") +
             ref(n->else_node);
    }
  }
  os << line_prefix << ref(n) << ":= " << body << ";" << std::endl;
}

void bddpp_manager::Print_node_for_eval_VHDL(std::string const& array, std::ostream& os, bdd_node* n) {
  if (!take(n)) return;
  auto ref = [&array](bdd_node const* x) { return array + "(" + gid(x) + ")"; };
  if (n->id == -1) {
    os << "      " << ref(n) << " <= '1';" << std::endl;
    return;
  }
  if (is_var_node(n)) return;
  Print_node_for_eval_VHDL(array, os, n->then_node);
  Print_node_for_eval_VHDL(array, os, n->else_node);
  std::string literal = ref(bdd_engine::var_node_of(n));
  os << "      " << ref(n) << " <= (" << literal << " and " << ref(n->then_node) << ") or (not " << literal
     << " and " << (n->else_link != 1 ? "not " : "") << ref(n->else_node) << ");" << std::endl;
}

// The variable nodes of the variables that bear this name, in key order.
static std::vector<bdd_node*> named_var_nodes(bddpp_manager* m, std::string const& name) {
  std::vector<bdd_node*> found;
  for (long id = 0; id < m->nbr_variables(); ++id)
    if (m->Name_var_by_id(id) == name) found.push_back(m->Bdd_var_by_id(id).node());
  std::sort(found.begin(), found.end(),
            [](bdd_node const* x, bdd_node const* y) { return x->signature() < y->signature(); });
  return found;
}

void bddpp_manager::Print_node_for_eval_VHDL_reset_input(std::string const& array, std::ostream& os,
                                                         std::string const& name) {
  for (bdd_node* n : named_var_nodes(this, name))
    os << "      " << array << "(" << gid(n) << ") <= '0';" << std::endl;
}

void bddpp_manager::Print_node_for_eval_VHDL_input(std::string const& prefix, std::string const& suffix,
                                                   std::string const& array, std::ostream& os,
                                                   std::string const& name) {
  for (bdd_node* n : named_var_nodes(this, name)) {
    n->mark = 1;
    os << "      " << array << "(" << gid(n) << ") <= " << prefix << name << suffix << ";" << std::endl;
  }
}

void bddpp_manager::Print_node_for_eval_BLIF(std::string const& prefix, std::string const& suffix,
                                             std::string const& name_prefix, std::ostream& os, bdd_node* n) {
  if (!take(n)) return;
  auto wire = [&name_prefix](bdd_node const* x) { return name_prefix + "_" + gid(x); };
  if (n->id == -1) {
    os << ".names " << wire(n) << std::endl << "1" << std::endl << std::endl;
    return;
  }
  std::string var = prefix + bdd_engine::name_of(n) + suffix;
  if (is_var_node(n)) {
    os << ".names " << var << " " << wire(n) << std::endl << "1 1" << std::endl << std::endl;
    return;
  }
  Print_node_for_eval_BLIF(prefix, suffix, name_prefix, os, n->then_node);
  Print_node_for_eval_BLIF(prefix, suffix, name_prefix, os, n->else_node);
  os << ".names " << var << " " << wire(n->then_node) << " " << wire(n->else_node) << " " << wire(n) << std::endl
     << "11- 1" << std::endl
     << "0-" << (n->else_link == 1 ? "1" : "0") << " 1" << std::endl
     << std::endl;
}

std::string bdd::vhdl_node_name(std::string const& array) const {
  return (link_ == -1 ? "not " : "") + array + "(" + gid(node_) + ")";
}

// Marks after the children: the diagram has no cycle, so a shared node is
// complete before its second parent reaches it.
void bdd_node::Lustre_writing_node_used(int* used, bdd_node*) {
  if (mark) return;
  used[global_id] = 1;
  if (then_node) then_node->Lustre_writing_node_used(used);
  if (else_node) else_node->Lustre_writing_node_used(used);
  mark = 1;
}

void bddpp_manager::No_begin_underscore_name() {
  for (int32_t id = 0; id < nbr_var; ++id)
    if (!names[id].empty() && names[id][0] == '_') names[id] = "v" + names[id];
}
