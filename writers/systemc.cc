// The SystemC target of the equational automaton: a header with the module
// (ports, signals, one method process) and an implementation of that
// process, which resets the outputs and registers or computes the equations
// and loads the registers.
#include "b_automaton.h"
#include "ecrivains.h"
#include "noms_cibles.h"

namespace {

void entete_systemc(std::ostream& h, const std::string& m, const std::vector<std::string>& entrees,
                    const std::vector<std::string>& sorties,
                    const std::vector<std::string>& signaux) {
  h << "#ifndef " << m << "_H" << std::endl
    << "#define " << m << "_H" << std::endl
    << std::endl
    << "#include <systemc.h>" << std::endl
    << std::endl
    << "SC_MODULE(" << m << ")" << std::endl
    << "{" << std::endl;
  h << "    // Port Declaration" << std::endl;
  for (auto const& e : entrees) h << "    sc_in<bool> " << e << ";" << std::endl;
  h << "    sc_in<bool> reset;" << std::endl << "    sc_in<bool> clk;" << std::endl;
  for (auto const& s : sorties) h << "    sc_out<bool> " << s << ";" << std::endl;
  h << std::endl << "   // Data Members" << std::endl;
  for (auto const& s : signaux) h << "    sc_signal<bool> " << s << ";" << std::endl;
  h << std::endl;
  h << "    // Constructor" << std::endl
    << "    SC_CTOR(" << m << ")" << std::endl
    << "    {" << std::endl
    << "      SC_METHOD(" << m << "_thread);" << std::endl;
  for (auto const& e : entrees) h << "      sensitive(" << e << ");" << std::endl;
  h << "      sensitive(reset);" << std::endl
    << "      sensitive << clk.pos();" << std::endl
    << "    }" << std::endl
    << std::endl;
  h << "    // Processes" << std::endl
    << "    void " << m << "_thread();" << std::endl
    << "};" << std::endl
    << std::endl
    << "#endif" << std::endl;
}

}  // namespace

// A signal written in the process keeps its old value until the process
// returns: every equation is computed into a local of its variable's name,
// which the equations after it read, and the signals are written at the
// end. The next values keep their signals, which the registers load.
void b_automaton::SYSTEMC_put(std::ostream& cc, std::ostream& h, int method,
                              std::string const& module) {
  const std::string& m = module;
  int n = names.nb_state_vars;
  std::vector<std::string> etats = noms_table(names.state_names, n),
                           suivants = noms_table(names.next_state_names, n),
                           sorties = noms_table(names.output_names, names.nb_outputs),
                           signaux = etats;
  signaux.insert(signaux.end(), suivants.begin(), suivants.end());
  for (auto const& l : noms_table(names.local_names, names.nb_locals)) signaux.push_back(l);
  entete_systemc(h, m, noms_table(names.input_names, names.nb_inputs), sorties, signaux);

  cc << "#include <systemc.h>" << std::endl
     << "#include \"" << m << ".h\"" << std::endl
     << std::endl
     << "// Processes" << std::endl
     << "void " << m << "::" << m << "_thread()" << std::endl
     << "{" << std::endl
     << "  // state and output computation" << std::endl
     << "  if (reset == !false){" << std::endl;
  for (auto const& s : sorties) cc << "    " << s << " = false;" << std::endl;
  cc << std::endl;
  for (int i = 0; i < n; ++i)
    cc << "    " << etats[i] << " = " << (initial_values[i] == 1 ? "!false" : "false") << ";"
       << std::endl;
  cc << "  }" << std::endl << "  else if ( clk.posedge()){ " << std::endl;
  if (wood->exp_number() > 0) {
    cc << " //internal definitions" << std::endl;
    wood->Put_systemc(cc, method);
    cc << std::endl;
    for (long i : wood->earliest_sort()) {
      Bddexpression* e = wood->exp_by_index(i);
      if (!e || !equation_ecrivable(*e)) continue;
      std::string v = wood->Manager()->Name_var_by_bdd(e->getBddVar());
      cc << "    this->" << v << ".write(" << v << ");" << std::endl;
    }
  }
  for (int i = 0; i < n; ++i) cc << "    " << etats[i] << " = " << suivants[i] << ";" << std::endl;
  cc << "  }" << std::endl << "};" << std::endl;
}

void Bddexpressionwood::Put_systemc(std::ostream& os, int method) const {
  for (long i : earliest_sort()) {
    os << "    ";
    exp_table[i]->put_systemc(os, method);
    os << std::endl;
  }
}

// The local hides its variable's signal or port for the rest of the process.
void Bddexpression::put_systemc(std::ostream& os, int method) const {
  if (!equation_ecrivable(*this)) return;
  bddpp_manager& m = *wood->Manager();
  os << "bool " << m.Name_var_by_bdd(var) << " = ";
  m.Print_sop(" || ", " && ", "! ", "", os, exp, method);
  os << ";";
}

// One space for the module: its name (also the constructor's), the include
// guard, which is a macro, the process, what SC_CTOR declares and the
// sensitivity list that the constructor fills, the ports and the signals.
std::string verif_noms_systemc(const noms_automate& a) {
  const std::string& m = a.module;
  std::vector<nom_ecrit> n = {{m, origine_module(m)},
                              {m + "_H", "the include guard"},
                              {m + "_thread", "the process"},
                              {"SC_CURRENT_USER_MODULE", "the type that SC_CTOR declares", true},
                              {"sensitive", "the sensitivity list of the module", true},
                              {"reset", "the reset port", true},
                              {"clk", "the clock port"}};
  for (auto const& v : noms_variables(a)) n.push_back(v);
  return verif_noms_fichier(langage_systemc, "SystemC", {}, n);
}
