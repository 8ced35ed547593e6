// The BDD engine: reduced ordered decision diagrams with complemented else
// edges, over named variables, each owned by one bddpp_manager.
// This is the only header that users of the engine include.
#ifndef TARVEK_BDDPP_H
#define TARVEK_BDDPP_H

#include <cstdint>
#include <cstdio>
#include <list>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

class bddpp_manager;
class bdd_node;
class bdd_unique_table;
struct bdd_engine;
struct bdd_support;
struct bdd_storage;

// A node of a manager. Nodes are shared by every function that contains
// them and live in their manager's storage until a collection finds them
// unreferenced; users read them, only the engine changes them.
class alignas(16) bdd_node {
 public:
  bdd_node();

  // What the walks read comes first, within 32 bytes.
  int32_t id;           // variable id; -1 for the constant node
  int16_t else_link;    // +1 normal, -1 complemented else edge
  int16_t mark;         // visit mark of the traversals (0 or 1)
  bdd_node* then_node;  // then edge is never complemented
  bdd_node* else_node;
  bddpp_manager* manager;
  int32_t refs;         // handles and parent nodes pointing here
  int32_t global_id;    // creation rank in the manager, never reused
  int32_t print_id;     // numbering of the dumps and emitters

  // The printed key: id, then gid, else gid, else sign (see
  // bdd_node_signature); the id itself for a node without children.
  int64_t signature() const;
  int is_correct();
  void Lustre_writing_node_used(int* used, bdd_node* unused = nullptr);

 private:
  friend struct bdd_engine;
  friend class bddpp_manager;
  friend class bdd_unique_table;
  friend struct bdd_storage;
  uint32_t visit : 31;    // stamp of the one-visit walks
  uint32_t in_table : 1;  // entered in its manager's unique table
};

bool operator==(bdd_node const& x, bdd_node const& y);
bool operator!=(bdd_node const& x, bdd_node const& y);
int64_t bdd_node_signature(long id, int else_link, bdd_node* then_node, bdd_node* else_node);

// A value handle on one function: manager, link type (+1 or -1, 0 when
// empty) and node. Each handle with a node holds one reference on it.
class bdd {
 public:
  bdd() : manager_(nullptr), link_(0), node_(nullptr) {}
  bdd(bddpp_manager* m, int link, bdd_node* n) : manager_(m), link_(link), node_(n) {
    if (node_) ++node_->refs;
  }
  bdd(bdd const& o) : manager_(o.manager_), link_(o.link_), node_(o.node_) {
    if (node_) ++node_->refs;
  }
  bdd(bdd&& o) noexcept : manager_(o.manager_), link_(o.link_), node_(o.node_) {
    o.manager_ = nullptr;
    o.link_ = 0;
    o.node_ = nullptr;
  }
  bdd& operator=(bdd const& o) {
    manager_ = o.manager_;
    link_ = o.link_;
    if (node_ != o.node_) {
      if (node_) --node_->refs;
      node_ = o.node_;
      if (node_) ++node_->refs;
    }
    return *this;
  }
  bdd& operator=(bdd&& o) noexcept {
    if (this != &o) {
      if (node_) --node_->refs;
      manager_ = o.manager_;
      link_ = o.link_;
      node_ = o.node_;
      o.manager_ = nullptr;
      o.link_ = 0;
      o.node_ = nullptr;
    }
    return *this;
  }
  ~bdd() {
    if (node_) --node_->refs;
  }

  int link_type() const { return link_; }
  bdd_node* node() const { return node_; }
  bddpp_manager* manager_ref() const { return manager_; }
  std::string vhdl_node_name(std::string const& array) const;

 private:
  bddpp_manager* manager_;
  int link_;
  bdd_node* node_;
};

bool operator==(bdd const& f, bdd const& g);
bool operator!=(bdd const& f, bdd const& g);
std::ostream& operator<<(std::ostream& os, bdd const& f);

extern std::list<bdd> empty_list_bdd;

std::string Bdd_version();

// Storage in characters of the first n strings (15 for a short string).
int String_table_memory_size(std::string* table, int n);

class bddpp_manager {
 public:
  bddpp_manager();
  // The same variables as other (names, ids, order), none of its nodes.
  explicit bddpp_manager(bddpp_manager* other);
  ~bddpp_manager();
  bddpp_manager(bddpp_manager const&) = delete;
  bddpp_manager& operator=(bddpp_manager const&) = delete;

  int nbr_variables() const { return nbr_var; }

  // The operation cache: a sub-result met again is taken from it instead
  // of walked again, which changes no result, node id, counter or
  // reference count. On by default; a new manager takes the default, which
  // TARVEK_BDD_CACHE=0 turns off until the program sets it (a negative
  // value gives it back to the environment).
  void Bdd_set_cache(int on);
  int Bdd_cache_is_on() const;
  static void Bdd_set_cache_default(int on);

  // Lean covers: the covers, prime and essential implicants and
  // Bdd_simplify3 give the same products in the same order, found on cubes
  // of bits, and make only the nodes of what they return instead of those
  // of the ternary tree, its comparisons and the remainders of the disjoint
  // cover. The creation counter and the global ids of later nodes then
  // differ: a program turns them on for a manager only once no text will
  // show these any more. Off in a new manager.
  void Bdd_set_lean_covers(int on);
  int Bdd_lean_covers() const;
  // The lean prime implicants walk the ternary tree while it has offered
  // at most this many cubes; beyond, they list the same primes in the order
  // of their cubes (bdd_cover_lean.cc) and leave a note. The default lets
  // every known chart that compiled in about a second walk.
  void Bdd_set_prime_walk_bound(uint64_t cubes);
  uint64_t Bdd_prime_walk_bound() const;
  // The notes left since the last call, each once, oldest first.
  std::vector<std::string> Bdd_take_notes();

  // Unique table and nodes.
  void Map_integrate(bdd_node* n);
  void Map_suppress(bdd_node* n);
  bdd_node* Find_or_create_bdd_node(long index, int then_link, int else_link, bdd_node* then_node,
                                    bdd_node* else_node, int& link);
  bdd_node* Bdd_node_one() { return one; }
  bdd Bdd_one() { return bdd(this, 1, one); }
  bdd Bdd_zero() { return bdd(this, -1, one); }

  // Variables and look-ups: an id is a creation number, an index a
  // position in the order.
  bdd_node* New_node_var_last(std::string const& name);
  bdd New_var_last(std::string const& name);
  bdd Bdd_var_by_id(long id);
  bdd Bdd_var_by_index(long index);
  bdd Bdd_var_by_name(std::string const& name);
  long Id_var_by_name(std::string const& name);
  long Index_var_by_name(std::string const& name);
  std::string Name_var_by_id(long id);
  std::string Name_var_by_index(long index);
  std::string Name_var_by_bdd(bdd const& f);
  long Bdd_if_id(bdd const& f);
  long Id_var_by_bdd(bdd const& f) { return Bdd_if_id(f); }
  long Bdd_if_index(bdd const& f);
  long Index_var_by_bdd(bdd const& f) { return Bdd_if_index(f); }
  bdd Bdd_if(bdd const& f);

  // Insertions into the order and renamings: ids never change, the
  // variables from the insertion point on move one index down.
  bdd_node* New_node_var_before(long index, std::string const& name);
  bdd_node* New_node_var_after(long index, std::string const& name);
  bdd New_var_before(long index, std::string const& name);
  bdd New_var_after(long index, std::string const& name);
  bdd New_var_before(bdd v, std::string const& name);
  bdd New_var_after(bdd v, std::string const& name);
  void Rename_var(std::string const& new_name, std::string const& old_name);
  void Change_name_by_index(long index, std::string const& name);
  void Change_name_by_id(long id, std::string const& name);
  void Replace_char_in_all_names(char from, char to);

  // The function associated with each variable, by index.
  void Bdd_assoc_bdd_to_var(bdd const& f, bdd const& v);
  bdd Bdd_follow_assoc(bdd const& f, int* loop);

  // Structure of a function.
  bdd Bdd_then(bdd const& f);
  bdd Bdd_else(bdd const& f);
  int Bdd_is_var(bdd const& f);
  int Bdd_is_negvar(bdd const& f);
  int Bdd_is_tautology(bdd const& f, int value);
  int Bdd_is_tautology(bdd const& f);
  int Bdd_is_one_tautologic(bdd const& f);
  int Bdd_is_zero_tautologic(bdd const& f);

  // Support sets, marks, checks and collection.
  int Bdd_node_depends_on(bdd_node* n, bdd_node* v);
  int Bdd_depends_on(bdd const& f, bdd const& v);
  int Variable_awaited(bdd const& f, long index);
  std::set<long> set_of_id_depend_on(bdd const& f);
  std::set<long> set_of_index_depend_on(bdd const& f);
  void Present_variables(bdd const& f, int* present);
  int exists_common_variables(bdd const& f, bdd const& g);
  void Bdd_clear_marks(bdd_node* n);
  void Bdd_clear_marks(bdd const& f);
  void Bdd_global_clear_marks();
  int32_t Bdd_incremental_id(bdd_node* n, int32_t first);
  int32_t Bdd_node_size(bdd_node* n);
  int32_t Bdd_size(bdd const& f);
  int Bdd_is_correct(bdd const& f);
  void Bdd_gc();
  int32_t Bdd_total_size() const { return next_global_id; }
  std::string Bdd_version() { return ::Bdd_version(); }
  void Bdd_var_reorder();

  // Failure dumps.
  void Chars(char c, int n, std::ostream& os);
  void Print_bdd_structure(std::ostream& os, bdd const& f);
  void Print_bdd_structure_loc(std::ostream& os, int indent, bdd_node* n);
  void Print_bdd_global_structure_loc(std::ostream& os, int indent, bdd_node* n);
  void Bdd_stats(std::ostream& os);
  void Chars(char c, int n, FILE* file);
  void Print_bdd_structure(FILE* file, bdd const& f);
  void Print_bdd_structure_loc(FILE* file, int indent, bdd_node* n);
  void Print_bdd_global_structure_loc(FILE* file, int indent, bdd_node* n);

  // Debugging dumps: node lines, node lists, associations, fixed points.
  void Print_bdd_node_with_adress(std::ostream& os, bdd_node* n);
  void Print_bdd_node(std::ostream& os, bdd_node* n);
  void Print_bdd_node(std::ostream& os, bdd_node* n, long* numbers);
  void Print_bdd_by_nodes_list(std::ostream& os, bdd const& f);
  void Print_bdd_by_nodes_list(std::ostream& os, bdd const& f, long* numbers);
  void Print_bdd_by_nodes_list_loc(std::ostream& os, bdd_node* n);
  void Print_bdd_by_nodes_list_loc(std::ostream& os, bdd_node* n, long* numbers);
  void Print_bdds_list_by_nodes_list(std::ostream& os, std::list<bdd>& functions);
  void Print_bdds_list_by_nodes_list(std::ostream& os, std::list<bdd>& functions, long* numbers);
  void debug_variables(std::ostream& os);
  void Print_Fixes_Points(std::ostream& os, bdd const& f);

  // Connectives.
  bdd_node* Bdd_and(int a, bdd_node* x, int b, bdd_node* y, int& link);
  bdd_node* Bdd_or(int a, bdd_node* x, int b, bdd_node* y, int& link);
  bdd Bdd_and(bdd const& f, bdd const& g);
  bdd Bdd_or(bdd const& f, bdd const& g);
  bdd Bdd_not(bdd const& f) { return bdd(this, -f.link_type(), f.node()); }
  bdd Bdd_xor(bdd const& f, bdd const& g);
  bdd Bdd_xnor(bdd const& f, bdd const& g);
  bdd Bdd_eq(bdd const& f, bdd const& g) { return Bdd_xnor(f, g); }
  bdd Bdd_nand(bdd const& f, bdd const& g);
  bdd Bdd_nor(bdd const& f, bdd const& g);
  bdd Bdd_implication(bdd const& f, bdd const& g);
  bdd Bdd_ite(bdd const& f, bdd const& g, bdd const& h);
  bdd Bdd_ite(int link, long index, bdd const& g, bdd const& h);
  int Bdd_equiv(bdd const& f, bdd const& g);
  int Bdd_imply(bdd const& f, bdd const& g);
  int Bdds_excl(bdd const& f, bdd const& g);
  int Bdds_exclude(bdd const& f, bdd const& g) { return Bdds_excl(f, g); }
  bdd Bdd_dup(bdd f);
  void Bdd_free(bdd const& f);

  // Cubes, literal arrays (one int per index: 1, 0, or 2 for free) and
  // truth tables.
  int Bdd_is_cube(bdd const& f);
  int Bdd_OneSat(bdd_node* x, int link, int* literals);
  bdd Bdd_satisfy(bdd const& f);
  bdd Literals_to_bdd(int* literals);
  void Bdd_node_to_literals(int link, bdd_node* x, int* literals);
  void Bdd_to_literals(bdd const& f, int* literals);
  void Bdd_node_to_literals(int link, bdd_node* x, std::list<long>& positive, std::list<long>& negative);
  void Bdd_to_literals(bdd const& f, std::list<long>& positive, std::list<long>& negative);
  bdd Minterm(int n, int count, bdd* vars);
  int32_t Id_function_by_bdd(bdd f, int n, bdd* vars);
  bdd Bdd_function_by_id(uint32_t table, int n, bdd* vars);
  void Truth_table(bdd const& f, int n, bdd* vars, char* out);
  void Bdd_truth_table(bdd const& f, int n, bdd* vars, bdd* out);

  // One implicant, and the value under a literal array where 2 stands for
  // undetermined (result 0, 1 or 2).
  bdd Bdd_one_implicant(bdd const& f);
  int Bdd_eval_for_literal(bdd const& f, int* values);
  int Max_number_of_terms() { return 1000000; }

  // Cofactors, quantification and substitution.
  bdd_node* Bdd_cube_reduce(int a, bdd_node* x, int* literals, int& link);
  bdd_node* Bdd_cube_reduce(int a, bdd_node* x, int b, bdd_node* cube, int& link);
  bdd Bdd_cube_reduce(bdd const& f, bdd const& cube);
  bdd Bdd_eval(bdd const& f, int* literals);
  int Variable_true_awaited(bdd const& f, long index);
  int Variable_false_awaited(bdd const& f, long index);
  bdd Bdd_exist(bdd const& f, bdd const& v);
  bdd Bdd_forall(bdd const& f, bdd const& v);
  bdd Bdd_keep_first_variables(bdd const& f, long k);
  bdd Bdd_reduce(bdd const& f, bdd const& c);
  bdd Bdd_simplify(bdd const& f, bdd const& c);
  bdd Bdd_simplify2(bdd const& f, bdd const& c);
  bdd Bdd_compose(bdd const& f, bdd const& v, bdd const& g);
  bdd Bdd_compose_loc(bdd const& f, bdd const& v, bdd const& g);
  bdd Bdd_replace_vars(bdd const& f, long* positions);
  bdd Bdd_swap_vars(bdd const& f, bdd const& v, bdd const& w);

  // Condition texts. The grammar ends at the first complete condition:
  // unread, when given, receives the text from the first token it did not
  // read, trailing blanks left out; it is empty when the condition reads to
  // the end of the text or the text is refused.
  bdd Parse_expression(std::string const& text, int* prio, int* err,
                       std::string* unread = nullptr);
  bdd Parse_expression(std::string const& text, int* err);

  // Covers: method 1, 2, 3 the reduced covers, any other value the
  // disjoint one.
  void Bdd_sop(bdd const& f, std::list<bdd>& cover, int method);
  int Bdd_sop(bdd const& f, std::vector<bdd>& out, int method);
  void Bdd_sop_0(bdd const& f, std::list<bdd>& cover);
  void Bdd_sop_1(bdd const& f, std::list<bdd>& cover);
  void Bdd_sop_2(bdd const& f, std::list<bdd>& cover);
  void Bdd_sop_2plus(bdd const& f, std::list<bdd>& cover);
  void Bdd_prime_implicants(bdd const& f, std::list<bdd>& primes);
  void Bdd_essential_implicants(bdd const& f, std::list<bdd>& essential, std::list<bdd>& others);
  bdd Bdd_simplify3(bdd const& f, bdd const& c);

  // Sums of products as text.
  std::string Print_product_to_String_pref_suff(char const* and_s, char const* not_s, char const* close_s,
                                                bdd const& f, char const* prefix, char const* suffix);
  std::string Print_product_to_String(char const* and_s, char const* not_s, char const* close_s, bdd const& f);
  void Print_product(char const* and_s, char const* not_s, char const* close_s, std::ostream& os, bdd const& f);
  void Print_product_pref_suff(char const* and_s, char const* not_s, char const* close_s, std::ostream& os,
                               bdd const& f, char const* prefix, char const* suffix);
  std::string Print_sop_to_String_pref_suff(char const* or_s, char const* and_s, char const* not_s,
                                            char const* close_s, bdd const& f, char const* prefix,
                                            char const* suffix, int method);
  std::string Print_sop_to_String(char const* or_s, char const* and_s, char const* not_s, char const* close_s,
                                  bdd const& f, int method);
  void Print_sop(char const* or_s, char const* and_s, char const* not_s, char const* close_s, std::ostream& os,
                 bdd const& f, int method);
  void Print_sop_pref_suff(char const* or_s, char const* and_s, char const* not_s, char const* close_s,
                           std::ostream& os, bdd const& f, char const* prefix, char const* suffix, int method);
  std::string Print_sop_to_ESTEREL_String(bdd const& f, int method);
  std::string Print_sop_to_VHDL_String(bdd const& f, int method);
  void Print_cat_product(char const* and_s, char const* not_s, char const* close_s, std::ostream& os,
                         bdd const& f, std::string const& array);
  void Print_cat_sop(char const* separator, char const* and_s, char const* not_s, char const* close_s,
                     std::ostream& os, bdd const& f, std::string const& array, int method);
  void Print_cat_product(std::ostream& os, bdd const& f, std::map<long, int>& codes, int offset, bool shift);

  // Node networks: children first, each unmarked node once per text.
  void Print_node_for_eval(std::string const& or_s, std::string const& and_s, std::string const& not_s,
                           std::string const& close_s, std::string const& prefix, std::string const& suffix,
                           std::string const& false_text, std::string const& line_end,
                           std::string const& array, std::ostream& os, bdd_node* n);
  void Print_node_for_eval(std::string const& or_s, std::string const& and_s, std::string const& not_s,
                           std::string const& close_s, std::string const& prefix, std::string const& suffix,
                           std::string const& false_text, std::string const& line_end,
                           std::string const& line_prefix, std::string const& array, std::ostream& os,
                           bdd_node* n);
  void Print_node_for_eval_arrayless(std::string const& or_s, std::string const& and_s,
                                     std::string const& not_s, std::string const& close_s,
                                     std::string const& prefix, std::string const& suffix,
                                     std::string const& false_text, std::string const& line_end,
                                     std::string const& name_prefix, std::ostream& os, bdd_node* n);
  void Print_node_for_eval_arrayless(std::string const& or_s, std::string const& and_s,
                                     std::string const& not_s, std::string const& close_s,
                                     std::string const& prefix, std::string const& suffix,
                                     std::string const& false_text, std::string const& line_end,
                                     std::string const& line_prefix, std::string const& name_prefix,
                                     std::ostream& os, bdd_node* n);
  void Print_node_for_eval_NUSMV(std::string const& prefix, std::string const& suffix,
                                 std::string const& line_prefix, std::string const& name_prefix,
                                 std::ostream& os, bdd_node* n);
  void Print_node_for_eval_VHDL(std::string const& array, std::ostream& os, bdd_node* n);
  void Print_node_for_eval_VHDL_reset_input(std::string const& array, std::ostream& os, std::string const& name);
  void Print_node_for_eval_VHDL_input(std::string const& prefix, std::string const& suffix,
                                      std::string const& array, std::ostream& os, std::string const& name);
  void Print_node_for_eval_BLIF(std::string const& prefix, std::string const& suffix,
                                std::string const& name_prefix, std::ostream& os, bdd_node* n);
  void No_begin_underscore_name();

  // Covers as tables of cubes: one column per variable f depends on, one
  // row per product.
  void PLA_print_pref_suff(std::ostream& os, bdd const& out, bdd const& f, std::string const& prefix,
                           std::string const& suffix, std::string const& head, std::string const& after_output,
                           std::string const& row_separator, std::string const& last_end,
                           std::string const& literal_separator, int method);
  void BLIF_print(std::ostream& os, bdd const& out, bdd const& f, int method);
  // The same block under an output name that need not be a variable.
  void BLIF_print(std::ostream& os, std::string const& output, bdd const& f, int method);
  void PLA_print_pref_suff_with_renaming(std::ostream& os, bdd const& out, bdd const& f, std::string const& prefix,
                                         std::string const& suffix, std::string const& head,
                                         std::string const& after_output, std::string const& row_separator,
                                         std::string const& last_end, std::string const& literal_separator,
                                         int method, long* numbers);
  void LEC_print(std::ostream& os, long* numbers, bdd const& out, bdd const& f, int method);

 private:
  friend struct bdd_engine;
  friend class bdd_node;

  int nbr_var;                 // variables created so far
  int capacity;                // room of the per-variable tables
  int32_t next_global_id;      // global id of the next node
  std::vector<std::string> names;       // by id
  std::vector<bdd_node*> var_nodes;     // by id: the variable's own node
  std::vector<int32_t> index_of;        // by id
  std::vector<int32_t> id_at;           // by index
  std::vector<bdd_node*> assoc;         // by index: node of the associated function
  std::vector<int> assoc_link;          // by index: its link type
  std::unordered_map<std::string, int32_t> name_lookup;
  int gc_count;
  bdd_node* one;
  bdd_storage* store;          // node storage, unique table, support sets
};

void Print_bdd_node(std::ostream& os, bdd_node* n);
void Print_debug_bdd(std::ostream& os, bdd const& f);

// Copies between managers: m is the target, s the source.
bdd Bdd_isomorphe(bddpp_manager* m, bddpp_manager* s, bdd f);
bdd_node* Bdd_isomorphe(bddpp_manager* m, bddpp_manager* s, bdd_node* n);
bdd Bdd_isomorphe(bddpp_manager* m, bddpp_manager* s, bdd const& f, long* positions);
bdd_node* Bdd_isomorphe(bddpp_manager* m, bddpp_manager* s, bdd_node* n, long* positions);
bdd Bdd_isomorphe_by_name(bddpp_manager* m, bddpp_manager* s, bdd f);
bdd_node* Bdd_isomorphe_by_name(bddpp_manager* m, bddpp_manager* s, bdd_node* n);

// The ternary tree of a function (then, else and consensus of both) from
// which the prime implicants are enumerated. Built whole, never shared.
class Tdd {
 public:
  Tdd(bddpp_manager* manager, bdd f);
  ~Tdd();
  Tdd(Tdd const&) = delete;
  Tdd& operator=(Tdd const&) = delete;

  void Bdd_implicants_loc(bdd const& c, std::list<bdd>& list);
  void Bdd_prime_implicants(std::list<bdd>& primes);
  void Print_bdd_structure(std::ostream& os);
  void Print_bdd_structure_loc(std::ostream& os, int indent);

 private:
  bddpp_manager* manager;
  bdd variable;  // top variable, or the constant of a leaf
  Tdd* then_child;
  Tdd* else_child;
  Tdd* consensus_child;
};

#endif
