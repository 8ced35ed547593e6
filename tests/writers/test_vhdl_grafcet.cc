// The grafcet VHDL of the symbolic automaton and the sorva process of the
// equational one, which no compilation writes: a text checked by hand, then
// every design of the corpus run under ghdl against the in-process
// automaton. The sorva process has no frame of its own: the tests give it
// the frame of the equational VHDL design.
#include <gtest/gtest.h>

#include <sstream>

#include "automate_test.h"
#include "b_automaton.h"
#include "banc_vhdl.h"
#include "ecrivains.h"

namespace {

const std::string donnees = std::string(TARVEK_TEST_DATA) + "/writers/data/";

// Step 1 is left by the first reaction when b holds: its reset value is
// not b. Without actions the port list closes after the clock.
TEST(VhdlGrafcet, Texts) {
  compilation_test f = compile_texte(read_file(donnees + "va_et_vient.gt"));
  ASSERT_TRUE(f.automate);
  std::ostringstream os;
  f.automate->VHDL_grafcet_put(os, 0, 0);
  EXPECT_EQ(os.str(), read_file(donnees + "attendu/par_situations/va_et_vient.grafcet.vhd"));
  std::ostringstream altera;
  f.automate->VHDL_grafcet_put(altera, 1, 0);
  EXPECT_EQ(altera.str().substr(0, altera.str().find("entity")),
            "-- VHDL generation by tarvek from va_et_vient grafcet\n\nLIBRARY ieee;\n"
            "USE ieee.std_logic_1164.all;\nUSE ieee.std_logic_unsigned.all;\n\n");
  std::set<int> un = {0};
  FBA sans_action("m", un, {FSM_input(FSM_bool, "a")}, {}, {"1"});
  std::ostringstream ports;
  sans_action.VHDL_grafcet_put(ports, 0, 0);
  EXPECT_NE(ports.str().find("entity m is\n  port(a,  reset, clk: in bit);\nend m;\n"),
            std::string::npos)
      << ports.str();
}

std::vector<std::vector<std::string>> par_sequence(const std::vector<std::string>& trace) {
  std::vector<std::vector<std::string>> r(1);
  for (auto const& l : trace) {
    if (l == "r")
      r.emplace_back();
    else
      r.back().push_back(l);
  }
  return r;
}

// The grafcet design resets its registers to the state after the first
// reaction under the inputs present at the reset: its testbench plays each
// sequence from its second vector, and sets the first vector of the next
// one before that one's reset. A first sequence of one vector sets it for
// the first reset.
automate_genere decale(const automate_genere& a) {
  automate_genere b = a;
  b.equationnel = true;  // plain port names
  b.sequences = {{a.sequences.front().front()}};
  for (size_t k = 0; k < a.sequences.size(); ++k) {
    b.sequences.emplace_back(a.sequences[k].begin() + 1, a.sequences[k].end());
    if (k + 1 < a.sequences.size()) b.sequences.back().push_back(a.sequences[k + 1].front());
  }
  return b;
}

TEST(VhdlGrafcet, GrafcetDesignsRunAsTheAutomaton) {
  corpus_genere c = genere_corpus("writers_vhdl_grafcet", {"-c"}, 4);
  // Each automaton compiled once, written in both forms.
  automates_en_memoire memoire = recompile(c);
  for (int altera : {0, 1}) {
    std::vector<automate_genere> decales;
    std::vector<const automate_genere*> originaux;
    std::vector<std::string> designs;
    for (size_t k = 0; k < c.automates.size(); ++k) {
      const automate_genere& a = c.automates[k];
      if (a.equationnel) continue;
      ASSERT_TRUE(memoire.fba[k]) << a.module;
      std::ostringstream os;
      memoire.fba[k]->VHDL_grafcet_put(os, altera, altera ? 1 : 0);
      designs.push_back(a.fichier(altera ? ".grafcet.altera.vhd" : ".grafcet.vhd"));
      write_file(designs.back(), os.str());
      decales.push_back(decale(a));
      originaux.push_back(&a);
    }
    ASSERT_GE(decales.size(), 12u);
    std::vector<std::string> options;
    if (altera) options.push_back("-fsynopsys");
    jeu_ghdl j = joue_ghdl(c.dossier + (altera ? "/altera" : "/generique"), decales, designs,
                           altera, options);
    ASSERT_EQ(j.erreur, "");
    for (size_t k = 0; k < decales.size(); ++k) {
      SCOPED_TRACE(decales[k].module + (altera ? " (Altera)" : ""));
      auto obtenues = par_sequence(j.traces[k]), attendues = par_sequence(originaux[k]->attendu);
      ASSERT_EQ(obtenues.size(), attendues.size() + 1);
      for (size_t s = 0; s < attendues.size(); ++s)
        for (size_t r = 1; r < attendues[s].size(); ++r)
          ASSERT_EQ(obtenues[s + 1][r - 1], attendues[s][r])
              << "sequence " << s << ", reaction " << r;
    }
  }
}

// The frame of the equational VHDL design around the sorva process.
std::string cadre_sorva(b_automaton& a, const std::string& m, const valeurs& initial) {
  bddpp_manager& b = *a.manager_associe();
  std::list<std::string> entrees = a.inputs_list(), sorties = a.outputs_list(),
                         etats = a.state_vars_list(), suivants = a.next_state_vars_list(), remises,
                         transferts;
  std::vector<std::string> e(entrees.begin(), entrees.end()), s(sorties.begin(), sorties.end());
  std::ostringstream os;
  entite_ports_vhdl(os, m, 0, e, "reset", "clk", s, "       ");
  os << "TYPE array_" << m << "_node IS ARRAY (" << b.Bdd_total_size() << " downto 0) OF bit ;\n";
  long locales = 2L * etats.size() + e.size() + s.size();
  for (long i = 0; i < b.nbr_variables(); ++i)
    if (i < 2L * static_cast<long>(etats.size()) || i >= locales)
      os << "signal " << b.Name_var_by_index(i) << " : bit;\n";
  os << "signal " << m << "_node : array_" << m << "_node;\n\nbegin\n";
  size_t i = 0;
  auto x = suivants.begin();
  for (auto const& etat : etats) {
    remises.push_back("  " + etat + " <= " + (initial[i++] ? "'1'" : "'0'"));
    transferts.push_back("  " + etat + " <= " + *x++);
  }
  a.wood_associee()->Put_vhdl_sorva(os, m + "_node", entrees, sorties, remises, transferts);
  os << "end " << m << "_a;\n";
  return os.str();
}

// The sorva process loads the registers and the inputs' elements at the
// same edge: the registers take the next state computed from the inputs
// of the edge before (all '0' after the reset), and the outputs, assigned
// outside the process, follow the registers and the inputs just loaded.
std::vector<std::string> trace_sorva(compilation_eq& c, const automate_genere& a,
                                     const valeurs& initial) {
  std::vector<std::string> r;
  for (auto const& s : a.sequences) {
    if (!r.empty()) r.push_back("r");
    valeurs etat =
        reaction_automate(*c.automate, c.d, initial, valeurs(a.entrees.size(), false)).suivant;
    for (auto const& v : s) {
      reaction p = reaction_automate(*c.automate, c.d, etat, v);
      r.push_back(chiffres(p.sorties) + " " + chiffres(etat));
      etat = p.suivant;
    }
  }
  return r;
}

TEST(VhdlGrafcet, SorvaDesignsRunAsTheEquations) {
  corpus_genere c = genere_corpus("writers_vhdl_sorva", {"-c"}, 4);
  std::vector<automate_genere> automates;
  std::vector<std::string> designs;
  std::vector<std::vector<std::string>> attendues;
  for (auto const& a : c.automates) {
    if (!a.equationnel) continue;
    compilation_eq e = compile_equationnel(read_file(a.fichier(".gt")));
    ASSERT_TRUE(e.automate && e.triable == 1) << a.module;
    valeurs initial = etat_initial(*e.encodage);
    designs.push_back(a.fichier(".sorva.vhd"));
    write_file(designs.back(), cadre_sorva(*e.automate, a.module, initial));
    attendues.push_back(trace_sorva(e, a, initial));
    automates.push_back(a);
  }
  ASSERT_GE(automates.size(), 10u);
  jeu_ghdl j = joue_ghdl(c.dossier + "/sorva", automates, designs, false);
  ASSERT_EQ(j.erreur, "");
  for (size_t k = 0; k < automates.size(); ++k) {
    SCOPED_TRACE(automates[k].module);
    EXPECT_EQ(j.traces[k], attendues[k]);
  }
}

}  // namespace
