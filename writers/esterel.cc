// Esterel modules of both automata: every state variable a pair of local
// signals joined by an instance of the user's register module my_pre, the
// combinational part in a loop repeated at each tick.
#include "b_automaton.h"
#include "ecrivains.h"
#include "noms_cibles.h"

std::string local_FSM_bddtoexpesterel(bddpp_manager* m, bdd f, int method) {
  return m->Print_sop_to_ESTEREL_String(f, method);
}

namespace {

// keyword + the names, every name after the first on a line of its own
// after the margin; `fin` after the last.
void declaration_esterel(std::ostream& os, const char* mot, int marge,
                         const std::vector<std::string>& noms, const char* fin = ";") {
  os << mot << " " << noms[0];
  for (size_t k = 1; k < noms.size(); ++k)
    os << ", " << std::endl << std::string(marge, ' ') << noms[k];
  os << fin;
}

// The register branch of one state variable, closed by the parallel bar
// that the loop block of the combinational part follows.
void registre_esterel(std::ostream& os, const std::string& etat, const std::string& suivant,
                      bool initial, const char* separation) {
  os << "  [" << std::endl;
  if (initial) os << "    emit " << etat << ";" << std::endl;
  os << "    run my_pre [signal " << suivant << " / S," << separation << etat << " / preS]"
     << std::endl;
  os << "  ]" << std::endl << "  ||" << std::endl;
}

void fin_module_esterel(std::ostream& os) {
  os << "    ]" << std::endl
     << "  each tick" << std::endl
     << std::endl
     << "end signal" << std::endl
     << "end module" << std::endl
     << std::endl;
}

}  // namespace

// No next-state function: the force-to-1 condition emits the next-state
// signal, the force-to-0 condition aborts it, both as stored.
void FBA::ESTEREL_put(std::ostream& os, int method) const {
  int n = state_variables_number;
  os << "module " << name << ":" << std::endl;
  if (inputs_number > 0) declaration_esterel(os, "input", 7, fba_noms_entrees(*this));
  os << std::endl << std::endl;
  if (actions_number > 0) declaration_esterel(os, "output", 8, fba_noms_actions(*this));
  os << std::endl << std::endl;
  if (n > 0) {
    std::vector<std::string> signaux = fba_noms_etats(*this);
    for (auto const& s : fba_noms_etats_suivants(*this)) signaux.push_back(s);
    declaration_esterel(os, "signal", 7, signaux, " in");
    os << std::endl << std::endl;
  }
  for (int i = 0; i < n; ++i)
    registre_esterel(os, fba_nom_etat(*this, i), fba_nom_etat_suivant(*this, i),
                     variable_initialy_true(i), " ");
  os << std::endl << "  loop" << std::endl << "    [" << std::endl;
  for (int i = 0; i < n; ++i) {
    if (i > 0) os << "    ||" << std::endl;
    os << "    abort" << std::endl
       << "    [" << std::endl
       << "      present [ " << local_FSM_bddtoexpesterel(manager, force1[i], method) << " ] then "
       << std::endl
       << "        emit " << fba_nom_etat_suivant(*this, i) << std::endl
       << "      end present" << std::endl
       << "    ] when [ " << local_FSM_bddtoexpesterel(manager, force0[i], method) << " ]"
       << std::endl;
  }
  os << std::endl;
  for (int j = 0; j < actions_number; ++j) {
    if (manager->Bdd_is_tautology(emissions[j], 0)) continue;
    os << "    ||" << std::endl
       << "    present [ " << local_FSM_bddtoexpesterel(manager, emissions[j], method) << " ] then "
       << std::endl
       << "      emit " << action_names[j] << std::endl
       << "    end present" << std::endl;
  }
  fin_module_esterel(os);
}

void b_automaton::ESTEREL_put(std::ostream& os, int method, std::string const& module) {
  int n = names.nb_state_vars;
  os << "module " << module << ":" << std::endl;
  if (names.nb_inputs > 0)
    declaration_esterel(os, "input", 7, noms_table(names.input_names, names.nb_inputs));
  os << std::endl;
  if (names.nb_outputs > 0)
    declaration_esterel(os, "output", 8, noms_table(names.output_names, names.nb_outputs));
  os << std::endl << std::endl;
  std::vector<std::string> signaux = noms_table(names.state_names, n);
  for (int i = 0; i < n; ++i) signaux.push_back(names.next_state_names[i]);
  for (int k = 0; k < names.nb_locals; ++k) signaux.push_back(names.local_names[k]);
  if (!signaux.empty()) os << "signal " << liste_noms(signaux) << " in" << std::endl << std::endl;
  for (int i = 0; i < n; ++i)
    registre_esterel(os, names.state_names[i], names.next_state_names[i], initial_values[i] == 1,
                     "   ");
  os << std::endl << "  loop" << std::endl << "    [" << std::endl;
  if (wood->exp_number() > 0) {
    wood->Put_esterel(os, method);
    os << std::endl;
  }
  fin_module_esterel(os);
}

void Bddexpressionwood::Put_esterel(std::ostream& os, int method) const {
  bool premier = true;
  for (long i : earliest_sort()) {
    if (!premier) os << "  ||" << std::endl;
    exp_table[i]->put_esterel(os, method);
    os << std::endl;
    premier = false;
  }
}

void Bddexpression::put_esterel(std::ostream& os, int method) const {
  if (!equation_ecrivable(*this)) return;
  bddpp_manager* m = wood->Manager();
  os << "  present [" << m->Print_sop_to_ESTEREL_String(exp, method) << "] then" << std::endl
     << "    emit " << m->Name_var_by_bdd(var) << std::endl
     << "  end present";
}

// The signals; the module lives apart from them, beside the user's module
// my_pre that it runs.
std::string verif_noms_esterel(const noms_automate& a) {
  return verif_noms_fichier(
      langage_esterel, "Esterel",
      {{"my_pre", "the register module my_pre"}, {a.module, origine_module(a.module)}},
      noms_variables(a));
}
