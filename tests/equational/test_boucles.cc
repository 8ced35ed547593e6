// Loops that no input cuts, refused before the loop breaking expands
// anything: on random charts with loops through inputs, a loop found must be
// one on which the loop breaking gives up, and make_sortable must answer as
// the loop breaking alone; the search must leave the forest and its
// manager as they were.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "automate_test.h"
#include "gt_source.h"
#include "systeme_equationnel.h"
#include "tirage.h"

namespace {

struct construit {
  lecture source;
  std::unique_ptr<tpen_BDD_fichier> encodage;
  std::unique_ptr<b_automaton> automate;
  std::set<long> entrees;
};

// The automaton as the model builds it, before make_sortable.
construit construit_automate(const std::string& texte) {
  construit c;
  c.source = lit_texte(texte);
  EXPECT_EQ(c.source.code, 0) << c.source.err << texte;
  c.encodage = std::make_unique<tpen_BDD_fichier>(c.source.g.get());
  std::ostringstream log;
  c.automate.reset(genere_systeme_equationnel(*c.encodage, log));
  disposition d = disposition_de(*c.encodage);
  for (int j = 0; j < d.ni; ++j) c.entrees.insert(d.entree(j));
  return c;
}

std::string texte_foret(Bddexpressionwood& w) {
  std::ostringstream os;
  os << w;
  return os.str();
}

// Each variable of the loop is read by the next, the last by the first.
std::string verifie_boucle(Bddexpressionwood& w, std::list<long> const& boucle) {
  std::vector<long> v(boucle.begin(), boucle.end());
  for (size_t i = 0; i < v.size(); ++i) {
    Bddexpression* lecteur = w.exp_by_index(v[(i + 1) % v.size()]);
    if (!lecteur || !lecteur->getDependances().count(v[i]))
      return w.Manager()->Name_var_by_index(v[i]) + " is not read by the next";
  }
  return "";
}

// Step s + 1, the first one initial.
std::string etape(int s) {
  return std::string(s ? "NS: " : "IS: ") + std::to_string(s + 1) + " 0 " + std::to_string(4 * s);
}

// A cycle through every step, some more transitions, receptivities on
// inputs a, b, c (step activities and RE/FE now and then), some guarded,
// sometimes an assertion.
std::string grafcet_a_boucles(unsigned graine) {
  tirage t(graine);
  int n = t.entre(2, 4);
  const char* entrees[] = {"a", "b", "c"};
  auto litteral = [&] {
    std::string e = entrees[t.entre(0, 2)];
    return t.chance(30) ? "not " + e : e;
  };
  auto receptivite = [&] {
    std::string r;
    switch (t.entre(0, 9)) {
      case 0: r = "1"; break;
      case 1: r = litteral() + " and X" + std::to_string(t.entre(1, n)); break;
      case 2: r = litteral() + " or " + litteral(); break;
      case 3:
        r = litteral() + " and not " + (t.chance(50) ? "RE" : "FE") + std::to_string(t.entre(1, n));
        break;
      case 4: case 5: r = litteral() + " and " + litteral(); break;
      default: r = litteral();
    }
    return t.chance(25) ? r + " :" : r;
  };
  std::vector<std::string> etapes, transitions;
  for (int s = 0; s < n; ++s) etapes.push_back(etape(s));
  auto transition = [&](int de, int vers) {
    int num = static_cast<int>(transitions.size()) + 1;
    transitions.push_back(std::to_string(num) + " 10 " + std::to_string(4 * num) + " FR: (" +
                          std::to_string(de) + ") TO: (" + std::to_string(vers) + ") : \"" +
                          receptivite() + "\"");
  };
  for (int s = 0; s < n; ++s) transition(s, (s + 1) % n);
  for (int k = t.entre(0, 2); k > 0; --k) transition(t.entre(0, n - 1), t.entre(0, n - 1));
  std::vector<std::string> assertions;
  if (t.chance(15)) assertions.push_back("not (a and b)");
  return gt(etapes, transitions, "\"a\" : bool \"b\" : bool \"c\" : bool", assertions);
}

TEST(Boucles, ALoopFoundIsOneTheLoopBreakingGivesUpOn) {
  int trouvees = 0, coupees = 0, refusees_sans_preuve = 0;
  for (unsigned graine = 1; graine <= 400; ++graine) {
    std::string texte = grafcet_a_boucles(graine);
    construit c = construit_automate(texte);
    ASSERT_TRUE(c.automate) << texte;
    Bddexpressionwood& w = *c.automate->wood_associee();
    std::string avant = texte_foret(w);
    int32_t noeuds = w.Manager()->Bdd_total_size();
    std::list<std::pair<long, int>> valeurs;
    std::list<long> boucle = w.unbreakable_loop(c.entrees, valeurs);
    EXPECT_EQ(w.Manager()->Bdd_total_size(), noeuds) << texte;
    EXPECT_EQ(texte_foret(w), avant) << texte;
    EXPECT_EQ(verifie_boucle(w, boucle), "") << texte;
    int ok = -1;
    w.loop_breaking(c.entrees, ok);
    construit d = construit_automate(texte);
    std::ostringstream log;
    EXPECT_EQ(d.automate->make_sortable(0, 0, log), ok) << texte;
    if (!boucle.empty()) {
      EXPECT_EQ(ok, 0) << texte;
      ++trouvees;
    } else if (ok) {
      ++coupees;
    } else {
      ++refusees_sans_preuve;
    }
  }
  // Both outcomes, each often enough to mean something.
  EXPECT_GE(trouvees, 40);
  EXPECT_GE(coupees, 40);
  std::cout << trouvees << " loops found, " << coupees << " cut, " << refusees_sans_preuve
            << " refused by the loop breaking alone" << std::endl;
}

std::string anneau(int n, bool alterne, bool garde_derniere = false) {
  std::vector<std::string> etapes, transitions;
  std::string entrees;
  for (int s = 0; s < n; ++s) {
    std::string e = alterne ? "a" : "a" + std::to_string(s + 1);
    if (!alterne || s == 0) entrees += " \"" + e + "\" : bool";
    std::string r = alterne && s % 2 ? "not " + e : e;
    if (garde_derniere && s == n - 1) r += " :";
    etapes.push_back(etape(s));
    transitions.push_back(std::to_string(s + 1) + " 10 " + std::to_string(4 * s) + " FR: (" +
                          std::to_string(s) + ") TO: (" + std::to_string((s + 1) % n) + ") : \"" +
                          r + "\"");
  }
  return gt(etapes, transitions, entrees);
}

// What the -explain log says of a loop refused, and of one cut.
TEST(Boucles, TheLogNamesTheLoopAndTheInputValuesThatKeepIt) {
  struct cas {
    std::string nom, texte;
    int triable;
    std::string log;
  };
  std::vector<cas> table = {
      {"a ring of 3 unguarded steps", anneau(3, false), 0,
       "loop that no input value cuts, under a1=1 a2=1 a3=1: X1_Set -> RTL1 -> X2_Set -> RTL2 "
       "-> X3_Set -> RTL3 -> X1_Set\n"},
      {"a loop that reads no input",
       gt({"IS: 1 0 0", "NS: 2 0 4"},
          {"1 0 2 FR: (0) TO: (1) : \"not RE2\"", "2 0 6 FR: (1) TO: (0) : \"not a :\""}),
       0, "loop that no input value cuts: X2_Set -> RE2 -> X2_Set\n"},
  };
  for (auto const& c : table) {
    construit b = construit_automate(c.texte);
    std::ostringstream log;
    EXPECT_EQ(b.automate->make_sortable(0, 1, log), c.triable) << c.nom;
    EXPECT_EQ(log.str(), c.log) << c.nom;
  }
  // Cut on its input, or guarded: the log shows the forest as before.
  for (std::string texte : {anneau(4, true), anneau(4, false, true)}) {
    construit b = construit_automate(texte);
    std::ostringstream log;
    EXPECT_EQ(b.automate->make_sortable(0, 1, log), 1) << texte;
    EXPECT_EQ(log.str().rfind("sorted and expanded wood:\n", 0), 0u) << log.str();
  }
}

}  // namespace
