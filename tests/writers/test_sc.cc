// The sc6 netlist of the symbolic automaton read back into nets and
// evaluated: on every grafcet of the corpus, each register starts at the
// initial value of its state and takes the next-state function, each
// announced action takes its emission condition, every output is announced
// once unless its condition is a constant, a state or an input, and the net
// count is the variables plus three per distinct sub-function. Then the
// helpers that enumerate and name the sub-functions.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sstream>

#include "ecrivains.h"
#include "generation_test.h"
#include "simulation.h"
#include "verif_cibles.h"

namespace {

// The distinct non-constant sub-functions of f, counted apart from the
// writer's own enumeration.
void sous_fonctions(bddpp_manager* m, const bdd& f, std::set<std::pair<bdd_node*, int>>& vues) {
  if (m->Bdd_is_tautology(f) || !vues.insert({f.node(), f.link_type()}).second) return;
  sous_fonctions(m, m->Bdd_then(f), vues);
  sous_fonctions(m, m->Bdd_else(f), vues);
}

// Output j is announced on a net of its own unless its condition is a
// constant, or a state variable or an input, whose nets carry no action.
int annonces_attendues(const FBA& a, int j) {
  bddpp_manager* m = a.manager;
  const bdd& e = a.emissions[j];
  if (m->Bdd_is_tautology(e)) return 0;
  if (!m->Bdd_is_var(e)) return 1;
  long i = m->Bdd_if_index(e);
  int n = a.state_variables_number;
  return i >= n && i < 2 * n ? 1 : 0;
}

void verifie_sc(const FBA& a, int methode, unsigned graine) {
  bddpp_manager* m = a.manager;
  int n = a.state_variables_number, nin = a.inputs_number, nvars = m->nbr_variables();
  std::ostringstream os;
  a.SC_put(os, methode);
  netlist_sc nl = lit_sc(os.str());
  ASSERT_EQ(nl.defauts, "");
  ASSERT_EQ(nl.entrees, fba_noms_entrees(a));
  ASSERT_EQ(nl.sorties, fba_noms_actions(a));

  std::set<std::pair<bdd_node*, int>> vues;
  for (int v = 0; v < nvars; ++v) vues.insert({m->Bdd_var_by_index(v).node(), 1});
  std::vector<bdd> suivantes;
  for (int i = 0; i < n; ++i) suivantes.push_back(fba_fonction_suivante(a, i));
  for (auto const& f : suivantes) sous_fonctions(m, f, vues);
  for (int j = 0; j < a.actions_number; ++j) sous_fonctions(m, a.emissions[j], vues);
  EXPECT_EQ(nl.nbr_nets_annonce, nvars + 3 * (static_cast<int>(vues.size()) - nvars));
  EXPECT_EQ(nl.nbr_registres_annonce, n);

  std::vector<int> net_de_sortie(a.actions_number, -1);
  std::vector<int> annonces(a.actions_number);
  for (size_t k = 0; k < nl.nets.size(); ++k)
    for (int s : nl.nets[k].annonces) {
      ++annonces.at(s - nin);
      net_de_sortie[s - nin] = static_cast<int>(k);
    }
  for (int j = 0; j < a.actions_number; ++j)
    EXPECT_EQ(annonces[j], annonces_attendues(a, j)) << a.action_names[j];
  for (int i = 0; i < n; ++i) {
    ASSERT_TRUE(nl.nets[i].registre) << i;
    EXPECT_EQ(nl.nets[i].valeur_initiale, a.variable_initialy_true(i)) << i;
    EXPECT_EQ(nl.nets[i].suivant, n + i);
  }

  std::vector<bdd> commentaires;
  for (auto const& net : nl.nets) {
    int erreur = 0;
    commentaires.push_back(net.commentaire.empty() ? bdd()
                                                   : m->Parse_expression(net.commentaire, &erreur));
    ASSERT_EQ(erreur, 0) << net.commentaire;
  }

  std::mt19937 rng(graine);
  for (int essai = 0; essai < 64; ++essai) {
    vecteur etat(n), entrees(nin), valeurs(nvars);
    for (int i = 0; i < n; ++i) valeurs[i] = etat[i] = rng() & 1;
    for (int k = 0; k < nin; ++k) valeurs[2 * n + k] = entrees[k] = rng() & 1;
    for (int i = 0; i < n; ++i) valeurs[n + i] = valeur_bdd(*m, suivantes[i], valeurs);
    std::vector<bool> nets = nl.evalue(etat, entrees);
    for (int i = 0; i < n; ++i) ASSERT_EQ(nets[n + i], valeurs[n + i]) << "next state " << i;
    for (int j = 0; j < a.actions_number; ++j)
      if (net_de_sortie[j] >= 0) {
        ASSERT_EQ(nets[net_de_sortie[j]], valeur_bdd(*m, a.emissions[j], valeurs))
            << a.action_names[j];
      }
    // The comments say what their nets compute.
    for (size_t k = 0; k < nl.nets.size(); ++k)
      if (!nl.nets[k].commentaire.empty()) {
        ASSERT_EQ(nets[k], valeur_bdd(*m, commentaires[k], valeurs)) << nl.nets[k].nom;
      }
  }
}

TEST(Sc, NetlistComputesTheAutomatonOnTheCorpus) {
  unsigned graine = 1;
  for (auto const& g : corpus_compilable(false)) {
    SCOPED_TRACE(g.nom);
    compilation_test c = compile_texte(g.texte);
    ASSERT_TRUE(c.automate);
    for (int methode : {0, 2}) verifie_sc(*c.automate, methode, graine++);
  }
}

// A constant next-state function has no entry and no net of its own: its
// register reads the constant net.
TEST(Sc, ConstantNextStateOnTheConstantNet) {
  compilation_test c =
      compile_texte(read_file(std::string(TARVEK_TEST_DATA) + "/writers/data/etape_morte.gt"));
  ASSERT_TRUE(c.automate);
  std::ostringstream os;
  c.automate->SC_put(os, 0);
  EXPECT_NE(os.str().find("\n2: X1next\n$1\n3: X2next\n$0\n"), std::string::npos) << os.str();
  verifie_sc(*c.automate, 0, 7);
}

TEST(Sc, EnumerationPositionsAndNames) {
  compilation_test c =
      compile_texte(read_file(std::string(TARVEK_TEST_DATA) + "/writers/data/sans_action.gt"));
  ASSERT_TRUE(c.automate);
  const FBA& a = *c.automate;
  bddpp_manager* m = a.manager;
  bdd x2 = m->Bdd_var_by_name("X2"), va = m->Bdd_var_by_name("a"), vb = m->Bdd_var_by_name("b");
  bdd f = m->Bdd_or(m->Bdd_and(x2, va), m->Bdd_and(m->Bdd_not(x2), m->Bdd_and(va, vb)));
  std::list<bdd> L = {va};
  a.enumeration_bdd(L, f);
  a.enumeration_bdd(L, f);
  a.enumeration_bdd(L, m->Bdd_one());
  a.enumeration_bdd(L, bdd());
  // Post-order, each once, no constant: a (given), b, a and b, f.
  std::vector<bdd> t(L.begin(), L.end());
  ASSERT_EQ(t.size(), 4u);
  EXPECT_TRUE(t[1] == vb);
  EXPECT_TRUE(t[2] == m->Bdd_and(va, vb));
  EXPECT_TRUE(t[3] == f);
  // A function and its negation are two entries, and so are their
  // cofactors: not a, not b, not (a and b), not f.
  a.enumeration_bdd(L, m->Bdd_not(f));
  std::vector<bdd> negations(std::next(L.begin(), 4), L.end());
  ASSERT_EQ(negations.size(), 4u);
  EXPECT_TRUE(negations[0] == m->Bdd_not(va));
  EXPECT_TRUE(negations[1] == m->Bdd_not(vb));
  EXPECT_TRUE(negations[2] == m->Bdd_not(m->Bdd_and(va, vb)));
  EXPECT_TRUE(negations[3] == m->Bdd_not(f));

  int nbr = static_cast<int>(t.size());
  struct cas {
    bdd g;
    int position;
    std::string nom;
  } const table[] = {
      {m->Bdd_zero(), -1, "0"},
      {m->Bdd_one(), -1, "1"},
      {va, 0, "a"},
      {f, 3, "wire3"},
      {m->Bdd_and(va, vb), 2, "wire2"},
      {m->Bdd_not(f), -1, "wire?"},
      {m->Bdd_not(va), -1, "wire?"},
  };
  for (auto const& k : table) {
    EXPECT_EQ(a.internal_enum_numero_associee_bdd(k.g, t.data(), nbr), k.position) << k.nom;
    EXPECT_EQ(a.internal_enum_nom_associee_bdd(k.g, t.data(), nbr), k.nom);
  }
  EXPECT_EQ(a.internal_enum_numero_associee_bdd(f, t.data(), 0), -1);
  // A variable is named by its name wherever it stands.
  EXPECT_EQ(a.internal_enum_nom_associee_bdd(vb, t.data(), 0), "b");
}

}  // namespace
