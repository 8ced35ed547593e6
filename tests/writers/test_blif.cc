// The BLIF files of both automata and the state-change file: every BLIF
// file of the corpus read by yosys and run by the network evaluator of
// these tests against the in-process evaluation of its automaton and the
// independent models; the covers of the state-change file equal to the
// conditions of the automaton (the texts of tiny grafcets are checked with
// the other targets'); the model restricted by a mask on a hand-made automaton.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "automate_test.h"
#include "b_automaton.h"
#include "foret_test.h"
#include "generation_test.h"
#include "reseau_blif.h"

namespace {

// No grafcet gives an automaton without steps: built directly, its files
// keep their frame, the markers of the state-change file on consecutive
// lines.
TEST(Blif, AutomatonWithoutSteps) {
  std::set<int> aucun;
  FBA a("m", aucun, {}, {"o"}, {});
  a.emissions[0] = a.manager->Bdd_one();
  std::ostringstream blif, fba;
  a.BLIF_put(blif, 0);
  a.FBA_put(fba, 0);
  EXPECT_EQ(blif.str(), ".model m\n\n.outputs o\n\n\n.names  o\n1\n\n.end\n\n");
  EXPECT_EQ(
      fba.str(),
      ".model m\n\n.outputs o\n\n.begin_falling\n.end_falling\n\n.begin_rising\n.end_rising\n\n"
      ".names  o\n1\n\n.end\n\n");
}

// The trace of the network on the automaton's sequences, each from its
// latches' initial values.
std::vector<std::string> trace_blif(reseau_blif& r, const automate_genere& a) {
  std::vector<std::string> trace;
  for (auto const& s : a.sequences) {
    if (!trace.empty()) trace.push_back("r");
    std::vector<bool> etat = r.etat_initial();
    for (auto const& v : s) {
      std::map<std::string, bool> nets = r.evalue(etat, v);
      if (!r.erreur.empty()) return trace;
      etat = r.etat_suivant(nets);
      std::vector<bool> sorties;
      for (auto const& o : a.sorties) sorties.push_back(nets.at(o));
      trace.push_back(chiffres(sorties) + " " + chiffres(etat));
    }
  }
  return trace;
}

// The register X2, its next state and the input b masked out: no latch,
// no equation, no name in ".inputs" for them; o is listed all the same.
// X1next reads a network of nodes, o the node of X1 with its last row
// inverted. yosys reads the model.
TEST(Blif, RestrictedModel) {
  std::list<std::string> etats = {"X1", "X2"}, suivants = {"X1next", "X2next"},
                         entrees = {"a", "b"}, sorties = {"o"}, locales;
  b_autom_dec dec(etats, suivants, entrees, sorties, locales);
  equation(*dec.wood_associee(), "X1next", "a and not X1");
  equation(*dec.wood_associee(), "X2next", "b");
  equation(*dec.wood_associee(), "o", "not X1");
  bddpp_manager* m = dec.manager_associe();
  int initiales[2] = {1, 0};
  b_automaton a(&dec, initiales, m->Bdd_one(), m->Bdd_one());
  ASSERT_EQ(a.make_sortable(0, 0, std::cout), 1);
  // By variable index: X1, X2, X1next, X2next, a, b, o.
  int masque[7] = {1, 0, 1, 0, 1, 0, 1};
  std::ostringstream os;
  a.BLIF_restrict_put(os, 0, "m", masque);
  std::string blif = os.str();
  // The empty line after X1next's block is X2next's, masked out.
  EXPECT_EQ(blif, R"--(.model m
.inputs a
.outputs o
.latch X1next X1 1

.names node_1
1

.names a node_6
1 1

.names X1 node_1 node_6 node_9
11- 1
0-0 1

.names node_9 X1next
0 1


.names X1 node_2
1 1

.names node_2 o
0 1


.end

)--");
  std::string yosys = outil("yosys");
  ASSERT_NE(yosys, "") << "yosys is missing";
  std::string d = scratch_dir("writers_blif_restreint");
  write_file(d + "/m.blif", blif);
  run_result r =
      run_tool({yosys, "-q", "-p", "read_blif -sop m.blif; hierarchy -check -top m; check -assert"},
               d, 60);
  EXPECT_EQ(r.exit_code, 0) << r.out << r.err;
  // Nothing kept: ".inputs" stands alone, the outputs stay, and each
  // equation leaves its empty line.
  int aucun[7] = {};
  std::ostringstream vide;
  a.BLIF_restrict_put(vide, 0, "m", aucun);
  EXPECT_EQ(vide.str(), ".model m\n.inputs\n.outputs o\n\n\n\n\n\n.end\n\n");
}

// The corpus in both modes: every file read by yosys in one run, checked
// for nets without a driver or with two, and evaluated on its sequences.
TEST(Blif, NetworksRunAsTheAutomata) {
  corpus_genere c = genere_corpus("writers_blif_traces", {"-blif"}, 6);
  verifie_corpus(c);
  std::string yosys = outil("yosys");
  ASSERT_NE(yosys, "") << "yosys is missing";
  std::string script;
  for (auto const& a : c.automates)
    script += "read_blif -sop " + a.fichier(".blif") + "; hierarchy -check -top " + a.module +
              "; check -assert; design -reset; ";
  run_result y = run_tool({yosys, "-q", "-p", script}, c.dossier, 120);
  EXPECT_EQ(y.exit_code, 0) << y.out << y.err;
  int independants = 0;
  for (auto const& a : c.automates) {
    SCOPED_TRACE(a.module);
    reseau_blif r(read_file(a.fichier(".blif")));
    ASSERT_EQ(r.erreur, "");
    EXPECT_EQ(r.modele, a.module);
    EXPECT_EQ(r.entrees, a.entrees);
    EXPECT_EQ(r.sorties, a.sorties);
    std::vector<std::string> etats;
    for (auto const& l : r.latches) etats.push_back(l.sortie);
    EXPECT_EQ(etats, a.etats);
    std::vector<std::string> trace = trace_blif(r, a);
    ASSERT_EQ(r.erreur, "");
    EXPECT_EQ(trace, a.attendu);
    if (a.independant.empty()) continue;
    ++independants;
    EXPECT_EQ(trace, a.independant);
  }
  EXPECT_GE(independants, 20);
}

// A block of the state-change file against the function it stands for:
// its inputs are exactly the variables f depends on, and it agrees with f
// on every combination of them.
void compare_bloc(bddpp_manager& m, const bloc_blif& b, const std::string& sortie, const bdd& f,
                  std::mt19937& rng) {
  SCOPED_TRACE(sortie);
  EXPECT_EQ(b.sortie, sortie);
  std::vector<std::string> support;
  for (long i : m.set_of_index_depend_on(f)) support.push_back(m.Name_var_by_index(i));
  ASSERT_EQ(b.entrees, support);
  ASSERT_LE(b.entrees.size(), 16u);
  std::bernoulli_distribution pile;
  for (unsigned long code = 0; code < (1ul << b.entrees.size()); ++code) {
    vecteur valeurs;
    for (int i = 0; i < m.nbr_variables(); ++i) valeurs.push_back(pile(rng));
    vecteur ligne;
    for (size_t k = 0; k < b.entrees.size(); ++k) {
      ligne.push_back((code >> k) & 1);
      valeurs[m.Index_var_by_name(b.entrees[k])] = ligne.back();
    }
    ASSERT_EQ(b.valeur(ligne), valeur_bdd(m, f, valeurs)) << "under " << chiffres(ligne);
  }
}

TEST(Blif, StateChangeFileHoldsTheConditions) {
  std::string d = scratch_dir("writers_fba_conditions");
  std::mt19937 rng(7);
  int lus = 0;
  std::vector<grafcet_corpus> corpus = corpus_ecrivains();
  for (auto const& g : grafcets_aleatoires_sains(4)) corpus.push_back(g);
  for (auto const& g : corpus) {
    SCOPED_TRACE(g.nom);
    sortie_tarvek s = lance_tarvek(d, g.nom, g.texte, {"-intern"});
    if (s.r.exit_code != 0) continue;
    ++lus;
    compilation_test c = compile_texte(g.texte);
    ASSERT_TRUE(c.automate);
    const FBA& a = *c.automate;
    reseau_blif r(s.fichiers[".fba"]);
    ASSERT_EQ(r.erreur, "");
    EXPECT_EQ(r.sorties, noms_actions(a));
    ASSERT_EQ(r.latches.size(), static_cast<size_t>(a.state_variables_number));
    ASSERT_EQ(r.sections[".begin_falling"].size(), r.latches.size());
    ASSERT_EQ(r.sections[".begin_rising"].size(), r.latches.size());
    ASSERT_EQ(r.blocs.size(), static_cast<size_t>(a.actions_number));
    for (int i = 0; i < a.state_variables_number; ++i) {
      std::string x = "X" + a.state_names[i];
      EXPECT_EQ(r.latches[i].sortie, x);
      EXPECT_EQ(r.latches[i].entree, x + "next");
      EXPECT_EQ(r.latches[i].initiale, a.variable_initialy_true(i));
      compare_bloc(*a.manager, r.sections[".begin_falling"][i], x + "next", a.force0[i], rng);
      compare_bloc(*a.manager, r.sections[".begin_rising"][i], x + "next", a.force1[i], rng);
    }
    for (int j = 0; j < a.actions_number; ++j)
      compare_bloc(*a.manager, r.blocs[j], a.action_names[j], a.emissions[j], rng);
  }
  EXPECT_GE(lus, 10);
}

}  // namespace
