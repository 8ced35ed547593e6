// The VHDL designs of both automata: every grafcet of the corpus analysed,
// elaborated and run by ghdl, in the generic and the Altera form, against
// the in-process evaluation of its automaton and the independent models
// (the texts of tiny grafcets are checked with the other targets').
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "FBA.h"
#include "banc_vhdl.h"

namespace {

// No grafcet gives an automaton without steps: built directly without
// inputs either, its design has no signal line, and ghdl takes it.
TEST(Vhdl, AutomatonWithoutStepsNorInputs) {
  std::set<int> aucun;
  FBA a("m", aucun, {}, {"o"}, {});
  a.emissions[0] = a.manager->Bdd_one();
  std::ostringstream os;
  a.VHDL_put(os, 0, 0);
  EXPECT_EQ(
      os.str(),
      "-- VHDL generation from m\n\nentity m is\n  port( m_reset, m_clk: in bit;\n     m_o: out "
      "bit);\n"
      "end m;\n\narchitecture m_a of m is\nbegin\n-- state and output computation\n"
      "process (m_clk,m_reset)\nbegin\n  if (m_reset = '0') then \n    m_o <= '0';\n\n"
      "  elsif ( m_clk'event and m_clk='1') then \n  elsif ( m_clk'event and m_clk='0') then \n"
      "    m_o <= '1';\n\n  end if;\nend process;\n\n-- future computation\nend m_a;\n\n");
  std::string d = scratch_dir("writers_vhdl_sans_etape");
  write_file(d + "/m.vhd", os.str());
  std::string ghdl = outil("ghdl");
  ASSERT_NE(ghdl, "") << "ghdl is missing";
  run_result r = run_tool({ghdl, "-a", "m.vhd"}, d);
  EXPECT_EQ(r.exit_code, 0) << r.err;
}

// The elements of the node array that the design reads and that no line
// assigns.
std::set<std::string> elements_sans_pilote(const std::string& texte, const std::string& tableau) {
  std::set<std::string> lus, pilotes;
  std::string debut = tableau + "(";
  for (size_t p = texte.find(debut); p != std::string::npos; p = texte.find(debut, p + 1)) {
    size_t q = p + debut.size(), fin = texte.find(')', q);
    std::string element = texte.substr(q, fin - q);
    size_t suite = texte.find_first_not_of(' ', fin + 1);
    (suite != std::string::npos && texte.compare(suite, 2, "<=") == 0 ? pilotes : lus)
        .insert(element);
  }
  std::set<std::string> r;
  for (auto const& e : lus)
    if (!pilotes.count(e)) r.insert(e);
  return r;
}

// Every design run under ghdl gives the trace of its automaton; at least
// `independants` of them are also judged by an independent model.
void joue_designs(const std::string& dossier, const std::vector<automate_genere>& automates,
                  const std::vector<std::string>& designs, bool altera, int independants) {
  jeu_ghdl j = joue_ghdl(dossier, automates, designs, altera);
  ASSERT_EQ(j.erreur, "");
  ASSERT_EQ(j.traces.size(), automates.size());
  int juges = 0;
  for (size_t k = 0; k < automates.size(); ++k) {
    const automate_genere& a = automates[k];
    SCOPED_TRACE(a.module + (altera ? ", Altera" : ""));
    EXPECT_EQ(j.traces[k], a.attendu);
    if (a.independant.empty()) continue;
    ++juges;
    EXPECT_EQ(j.traces[k], a.independant);
  }
  EXPECT_GE(juges, independants);
}

// The corpus in both modes; then a third of its designs, of both modes,
// again with -altera -O2 in a folder of their own (same module names,
// another work library): that form differs from the generic one by its
// types, its library clauses and the cover method alone.
TEST(Vhdl, DesignsRunAsTheAutomata) {
  corpus_genere c = genere_corpus("writers_vhdl_traces", {"-vhdl"}, 6);
  verifie_corpus(c);
  std::vector<std::string> generiques, alteras;
  std::vector<automate_genere> echantillon;
  std::string ici = c.dossier + "/altera";
  std::filesystem::create_directories(ici);
  for (size_t k = 0; k < c.automates.size(); ++k) {
    const automate_genere& a = c.automates[k];
    generiques.push_back(a.fichier(".vhd"));
    if (a.equationnel) {
      EXPECT_EQ(elements_sans_pilote(read_file(generiques.back()), a.module + "_node"),
                std::set<std::string>())
          << a.module;
    }
    if (k % 3) continue;
    std::vector<std::string> options = {"-altera", "-O2"};
    if (a.equationnel) options.push_back("-equational");
    ASSERT_EQ(lance_tarvek(ici, a.module, read_file(a.fichier(".gt")), options).r.exit_code, 0)
        << a.module;
    echantillon.push_back(a);
    alteras.push_back(ici + "/" + a.module + ".vhd");
  }
  joue_designs(c.dossier, c.automates, generiques, false, 20);
  joue_designs(ici, echantillon, alteras, true, 5);
}

}  // namespace
