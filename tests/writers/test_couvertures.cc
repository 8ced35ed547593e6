// The lean covers that the writers of the symbolic automaton use, against
// the ternary tree, on every next-state function of the corpus: its
// grafcets, sound random grafcets and small members of the benchmark
// families. The simplified next-state function and every emission
// condition are covered by every method as well.
#include <gtest/gtest.h>

#include "bdd_oracle.h"
#include "ecrivains.h"
#include "familles_gt.h"
#include "generation_test.h"
#include "simulation.h"

namespace {

void compare_covers(const FBA& a) {
  bddpp_manager* m = a.manager;
  for (int i = 0; i < a.state_variables_number; ++i) {
    std::string quoi = fba_nom_etat_suivant(a, i);
    expect_lean_covers_agree(*m, a.force1[i], a.force0[i], quoi);
    bdd suivante = fba_fonction_suivante(a, i);
    expect_lean_covers_agree(*m, suivante, m->Bdd_not(suivante), quoi + ", simplified");
  }
  for (int j = 0; j < a.actions_number; ++j)
    expect_lean_covers_agree(*m, a.emissions[j], m->Bdd_zero(), a.action_names[j]);
}

}  // namespace

TEST(Couvertures, LeanCoversGiveTheTreesProductsOnTheCorpus) {
  std::vector<grafcet_corpus> corpus = corpus_compilable(false);
  for (auto const& g : grafcets_aleatoires_sains(20)) corpus.push_back(g);
  corpus.push_back({"cycle 6", familles_gt::cycle(6)});
  corpus.push_back({"branches 2 3", familles_gt::branches(2, 3)});
  corpus.push_back({"branches 3 2", familles_gt::branches(3, 2)});
  int fonctions = 0;
  for (auto const& g : corpus) {
    SCOPED_TRACE(g.nom);
    compilation_test c = compile_texte(g.texte);
    ASSERT_TRUE(c.automate);
    compare_covers(*c.automate);
    fonctions += c.automate->state_variables_number;
  }
  EXPECT_GE(corpus.size(), 40u);
  EXPECT_GE(fonctions, 150);
}
