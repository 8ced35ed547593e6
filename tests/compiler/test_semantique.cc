// What the automaton of the default compilation does, judged on random
// input sequences against the reference simulator: the examples (their
// inputs drawn within their assertions) and small grafcets written for the
// cases that decide a reaction, with and without the step mode.
#include <gtest/gtest.h>

#include <filesystem>

#include "run_tool.h"
#include "simulation.h"

namespace {

// Two steps, initial ones, leaving each other by one guarded transition
// each: both are deactivated and re-activated in one reaction.
const std::string reactivation =
    "Name: reactivation Input: \"a\" : bool \"b\" : bool EndInput:\n"
    "Output: \"o\" : bool \"p\" : event EndOutput:\n"
    "Step: IS: 1 0 0 Action: 1 \"P\" : \"1\" EndAction: NS: 2 0 4 Action: 0 \"N\" : \"b\" "
    "EndAction: EndStep:\n"
    "Transition: 1 0 2 FR: (0) TO: (1) : \"a :\", 2 0 6 FR: (1) TO: (0) : \"b\" EndTransition:\n"
    "Link: EndLinkTable: Assertion: EndAssertion:";

// One output name declared three times, of both kinds, driven by three
// steps: one action, emitted when any of them is.
const std::string noms_partages =
    "Name: partage Input: \"a\" : bool \"b\" : bool \"e\" : event EndInput:\n"
    "Output: \"o\" : event \"o\" : bool \"o\" : event \"q\" : event EndOutput:\n"
    "Step: IS: 1 0 0 NS: 2 0 4 Action: 0 \"P\" : \"a\" 3 \"P\" : \"1\" EndAction:\n"
    "NS: 3 4 4 Action: 2 \"P\" : \"b\" EndAction: NS: 4 8 4 Action: 1 \"N\" : \"not a\" "
    "EndAction: EndStep:\n"
    "Transition: 1 0 2 FR: (0) TO: (1,2) : \"e\", 2 0 6 FR: (1,2) TO: (3) : \"a or b\",\n"
    "3 0 8 FR: (3) TO: (0) : \"not e\" EndTransition:\n"
    "Link: EndLinkTable: Assertion: EndAssertion:";

// A chain crossed in one reaction when its receptivities all hold, with an
// impulse on each transient step.
const std::string chaine =
    "Name: chaine Input: \"a\" : bool \"b\" : bool \"c\" : bool EndInput:\n"
    "Output: \"s\" : event \"t\" : event \"u\" : bool EndOutput:\n"
    "Step: IS: 1 0 0 NS: 2 0 4 Action: 0 \"P\" : \"1\" EndAction: NS: 3 0 8 Action: 1 \"P\" : "
    "\"c\" 2 \"N\" : \"1\" EndAction: NS: 4 0 12 EndStep:\n"
    "Transition: 1 0 2 FR: (0) TO: (1) : \"a\", 2 0 6 FR: (1) TO: (2) : \"b\",\n"
    "3 0 10 FR: (2) TO: (3) : \"c\", 4 0 14 FR: (3) TO: (0) : \"not a\" EndTransition:\n"
    "Link: EndLinkTable: Assertion: EndAssertion:";

const std::string etape_seule =
    "Name: seule Input: \"a\" : bool EndInput: Output: \"o\" : bool \"e\" : event EndOutput:\n"
    "Step: IS: 1 0 0 Action: 0 \"N\" : \"a\" 1 \"P\" : \"1\" EndAction: EndStep:\n"
    "Transition: EndTransition: Link: EndLinkTable: Assertion: EndAssertion:";

std::vector<std::pair<std::string, std::string>> corpus() {
  std::vector<std::pair<std::string, std::string>> r = {{"reactivation", reactivation},
                                                        {"noms_partages", noms_partages},
                                                        {"chaine", chaine},
                                                        {"etape_seule", etape_seule}};
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
