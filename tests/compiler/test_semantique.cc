// What the automaton of the default compilation does, judged on random
// input sequences against the reference simulator: the examples (their
// inputs drawn within their assertions) and small grafcets written for the
// cases that decide a reaction, with and without the step mode.
#include <gtest/gtest.h>

#include <filesystem>

#include "run_tool.h"
#include "simulation.h"

namespace {

// The fixtures of data/, written for the cases that decide a reaction:
//  - reactivation: two steps, initial ones, leaving each other by one
//    guarded transition each: both are deactivated and re-activated in one
//    reaction;
//  - noms_partages: one output name declared three times, of both kinds,
//    driven by three steps: one action, emitted when any of them is;
//  - chaine: a chain crossed in one reaction when its receptivities all
//    hold, with an impulse on each transient step;
//  - etape_seule: one step and no transition.
// The writers' tests read them too.
std::vector<std::pair<std::string, std::string>> corpus() {
  std::vector<std::pair<std::string, std::string>> r;
  for (std::string nom : {"reactivation", "noms_partages", "chaine", "etape_seule"})
    r.push_back({nom, read_file(std::string(TARVEK_TEST_DATA) + "/compiler/data/" + nom + ".gt")});
  for (auto const& e : std::filesystem::directory_iterator(TARVEK_EXAMPLES))
    if (e.path().extension() == ".gt") r.push_back({e.path().stem(), read_file(e.path())});
  return r;
}

void compare(const std::string& nom, const std::string& texte, bool pas_a_pas) {
  SCOPED_TRACE(nom + (pas_a_pas ? " -step" : ""));
  compilation_test c = compile_texte(texte, pas_a_pas);
  ASSERT_TRUE(c.automate) << c.source.err;
  simulateur_reference ref(*c.source.g, noms_entrees(*c.automate), pas_a_pas);
  EXPECT_EQ(noms_actions(*c.automate).size(), ref.reaction(ref.etat_initial(),
                                                           vecteur(c.automate->inputs_number))
                                                  .actions.size());
  evaluateur_FBA eval(*c.automate);
  for (unsigned graine = 1; graine <= 5; ++graine) {
    auto sequence = sequence_aleatoire(c.automate->inputs_number, 150, graine,
                                       [&](const vecteur& v) { return ref.admissible(v); });
    vecteur etat = eval.etat_initial();
    ASSERT_EQ(chiffres(etat), chiffres(ref.etat_initial()));
    for (size_t i = 0; i < sequence.size(); ++i) {
      ASSERT_TRUE(eval.couverte(etat, sequence[i])) << "reaction " << i << " from " << chiffres(etat);
      pas_simulation attendu = ref.reaction(etat, sequence[i]);
      ASSERT_EQ(ref.defaut, "");
      pas_simulation obtenu = eval.reaction(etat, sequence[i]);
      ASSERT_EQ(obtenu, attendu) << "reaction " << i << " from " << chiffres(etat) << " inputs "
                                 << chiffres(sequence[i]);
      etat = obtenu.etat;
    }
  }
}

TEST(Semantique, AutomatonAgreesWithTheReferenceSimulator) {
  for (auto const& [nom, texte] : corpus()) {
    compare(nom, texte, false);
    compare(nom, texte, true);
  }
}

// Random grafcets that the reference simulator finds stable and safe, and
// that hold no loop of unguarded transitions able to run: the automaton
// agrees with it in every reachable situation on every input vector.
TEST(Semantique, RandomGrafcetsInEveryReachableSituation) {
  int jugees = 0;
  for (unsigned graine = 1; graine <= 1000; ++graine) {
    for (bool pas_a_pas : {false, true}) {
      std::string texte = grafcet_aleatoire(graine);
      SCOPED_TRACE(texte + (pas_a_pas ? " -step" : ""));
      lecture source = lit_texte(texte);
      ASSERT_EQ(source.code, 0) << source.err;
      std::vector<std::string> entrees = noms_entrees(*source.g);
      simulateur_reference ref(*source.g, entrees, pas_a_pas);
      int n = static_cast<int>(entrees.size());
      std::vector<vecteur> situations = situations_atteintes(ref, n);
      bool boucle = false;
      for (auto const& v : tous_les_vecteurs(n)) boucle = boucle || ref.boucle_possible(v);
      if (situations.empty() || boucle || ref.active_une_etape_active) continue;
      ++jugees;
      compilation_test c = compile_texte(texte, pas_a_pas);
      ASSERT_TRUE(c.automate);
      EXPECT_EQ(c.bilan.situations, static_cast<long>(situations.size()));
      compilation_test une_a_une = compile_texte(texte, pas_a_pas, pliage::une_a_une);
      EXPECT_EQ(automate_en_texte(*une_a_une.automate), automate_en_texte(*c.automate));
      evaluateur_FBA eval(*c.automate);
      for (auto const& etat : situations) {
        for (auto const& v : tous_les_vecteurs(n)) {
          ASSERT_TRUE(eval.couverte(etat, v)) << chiffres(etat) << " " << chiffres(v);
          ASSERT_EQ(eval.reaction(etat, v), ref.reaction(etat, v))
              << chiffres(etat) << " " << chiffres(v);
        }
      }
    }
  }
  EXPECT_GT(jugees, 800);
}

}  // namespace
