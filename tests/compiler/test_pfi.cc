// The reactions of one situation: what the fixed point returns from small
// grafcets that each show one rule, its faults, the two mends of its
// order of operations, and which of its trace lines each flag gates.
#include <gtest/gtest.h>

#include <sstream>

#include "compil_modes.h"
#include "encodage_test.h"
#include "tarvek_compil.h"

namespace {

using ens = std::set<int>;

struct resultat_pfi {
  int code;
  std::list<trans_instantanee> reactions;
  ens bad;
  std::string log;
};

resultat_pfi pfi(tpen_BDD_fichier& e, const ens& depart, bool explain = false) {
  resultat_pfi r;
  std::ostringstream log;
  r.code = PFI_symbolique(e, depart, {}, {}, &r.reactions, &r.bad, explain, log);
  r.log = log.str();
  return r;
}

// Each reaction as its log line, in the order found.
std::vector<std::string> lignes(const resultat_pfi& r) {
  std::vector<std::string> l;
  for (auto const& t : r.reactions) {
    std::ostringstream os;
    os << t;
    l.push_back(os.str());
  }
  return l;
}

const std::string entrees = "\"a\" : bool \"b\" : bool \"c\" : bool \"d\" : bool";

TEST(PointFixe, LoneStep) {
  encodage_teste t = encode(gt_entrees(entrees, {"IS: 1 0 0 Action: 1 \"P\" : \"1\" EndAction:"}, {}));
  resultat_pfi r = pfi(*t.e, {0}, true);
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(lignes(r), (std::vector<std::string>{"[ initial: {0}, final:{0}, cond: 1 cond actions : ]\n"}));
  EXPECT_NE(r.log.find("iteration 1\nTcf={} soit {}\nTcnf={} soit {}\nEcp={}\n soit {}\nEca={8,9}\n soit {RE1,FE1}\n"),
            std::string::npos);
  EXPECT_NE(r.log.find("iteration 2\n"), std::string::npos);
  EXPECT_EQ(r.log.find("iteration 3\n"), std::string::npos);
}

// The current context goes on with the literal false and concludes first.
TEST(PointFixe, OneTransitionOnOneInput) {
  encodage_teste t = encode(gt_entrees(entrees, {"IS: 1 0 0", "NS: 2 0 4 Action: 1 \"P\" : \"b\" EndAction:"},
                                       {"1 0 2 FR: (0) TO: (1) : \"a\""}));
  resultat_pfi r = pfi(*t.e, {0});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(lignes(r), (std::vector<std::string>{
                           "[ initial: {0}, final:{0}, cond: not a cond actions : ]\n",
                           "[ initial: {0}, final:{1}, cond: a cond actions : act: 1--> bdd: b ]\n"}));
}

TEST(PointFixe, InstabilityAndUndecidedTransitions) {
  const std::vector<std::string> boucle = {"1 0 2 FR: (0) TO: (1) : \"1\"",
                                           "2 0 6 FR: (1) TO: (0) : \"1\""};
  encodage_teste instable = encode(gt_entrees(entrees, {"IS: 1 0 0", "NS: 2 0 4"}, boucle));
  resultat_pfi r = pfi(*instable.e, {0}, true);
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.bad, (ens{0}));
  EXPECT_NE(r.log.find("iteration 3\n"), std::string::npos);
  EXPECT_NE(r.log.find("intersection de Tk et de Tcf non vide ==> CYCLE !!!\n\n\n CONCLUSION FINALE :\n"
                       "PFI_symbolique termine\n"),
            std::string::npos);

  // The same loop, inactive, beside a lone initial step: nothing ever
  // decides that its steps stay inactive.
  encodage_teste inactive = encode(gt_entrees(entrees, {"IS: 3 0 8", "NS: 1 0 0", "NS: 2 0 4"},
                                              {"1 0 2 FR: (1) TO: (2) : \"1\"", "2 0 6 FR: (2) TO: (1) : \"1\""}));
  resultat_pfi s = pfi(*inactive.e, {0}, true);
  EXPECT_EQ(s.code, 2);
  EXPECT_EQ(s.bad, (ens{0, 1}));
  EXPECT_NE(s.log.find("NON PARTITION sur les ensembles Tcnf et Tcf\nTcnf={} soit {}\nTcf={} soit {}\n"
                       "PFI_symbolique termine\n"),
            std::string::npos);

  // Reactions concluded before the fault stay in the list.
  encodage_teste apres = encode(gt_entrees(entrees, {"IS: 1 0 0", "NS: 2 0 4"},
                                           {"1 0 2 FR: (0) TO: (1) : \"a\"", "2 0 6 FR: (1) TO: (0) : \"1\""}));
  resultat_pfi u = pfi(*apres.e, {0});
  EXPECT_EQ(u.code, 1);
  EXPECT_EQ(u.bad, (ens{0}));
  EXPECT_EQ(lignes(u), (std::vector<std::string>{"[ initial: {0}, final:{0}, cond: not a cond actions : ]\n"}));
}

// A step left and entered again in one reaction stays active; the impulse
// actions of the steps entered are collected, those of a step only active
// from the start are not, and those of a step entered and left at once are.
TEST(PointFixe, ReactivationAndImpulseActions) {
  encodage_teste t = encode(gt_entrees(
      entrees,
      {"IS: 1 0 0 Action: 1 \"P\" : \"1\" EndAction:", "IS: 2 0 4 Action: 1 \"P\" : \"c\" EndAction:",
       "NS: 3 0 8 Action: 1 \"P\" : \"d\" 0 \"N\" : \"1\" EndAction:", "NS: 4 0 12"},
      {"1 0 2 FR: (0) TO: (0) : \"a :\"", "2 0 6 FR: (1) TO: (2) : \"b\"", "3 0 10 FR: (2) TO: (3) : \"1\""}));
  resultat_pfi r = pfi(*t.e, {0, 1});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(lignes(r), (std::vector<std::string>{
                           "[ initial: {0,1}, final:{0,1}, cond: not a and not b cond actions : ]\n",
                           "[ initial: {0,1}, final:{0,3}, cond: not a and b cond actions : act: 1--> bdd: d ]\n",
                           "[ initial: {0,1}, final:{0,1}, cond: a and not b cond actions : act: 1--> bdd: 1 ]\n",
                           "[ initial: {0,1}, final:{0,3}, cond: a and b cond actions : act: 1--> bdd: 1 ]\n"}));
}

// Two assertions: after a, the general one is no cube, so the context a and
// b, which it excludes, is not seen as impossible until it is split off.
// Concluded, it would fire t1 and t2 in a loop and report an instability
// that no input can cause.
TEST(PointFixe, ContextsThatTheAssertionExcludesAreDropped) {
  encodage_teste t = encode(gt_entrees(entrees, {"IS: 1 0 0", "NS: 2 0 4"},
                                       {"1 0 2 FR: (0) TO: (1) : \"a\"", "2 0 6 FR: (1) TO: (0) : \"b\""},
                                       {"not (a and b)", "c or d"}));
  explain_mode = 1;
  resultat_pfi r = pfi(*t.e, {0}, true);
  explain_mode = 0;
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(lignes(r), (std::vector<std::string>{
                           "[ initial: {0}, final:{0}, cond: not a and not b cond actions : ]\n",
                           "[ initial: {0}, final:{1}, cond: a and not b cond actions : ]\n",
                           "[ initial: {0}, final:{0}, cond: not a and b cond actions : ]\n"}));
  EXPECT_NE(r.log.find("contraintes : a and b\nassertion : 0\npour xi={0} soit {X1}\n\n"
                       " --> valuation exclue par l'assertion generale\n"),
            std::string::npos);
  // The situation itself is not judged: an assertion that excludes it
  // leaves its reactions as they were.
  encodage_teste s = encode(gt_entrees(entrees, {"IS: 1 0 0", "NS: 2 0 4"},
                                       {"1 0 2 FR: (0) TO: (1) : \"a\""}, {"not X1", "c or d"}));
  resultat_pfi exclue = pfi(*s.e, {0});
  EXPECT_EQ(exclue.code, 0);
  EXPECT_EQ(exclue.reactions.size(), 2u);
}

// The split on a leaves t1 certainly true in the half not a; the events
// that this brings are learnt one iteration later. Stopping as soon as the iteration after the split
// learnt nothing would leave t1 undecided and report a non-determinism.
TEST(PointFixe, ASplitIsFollowedUntilItsEventsAreLearnt) {
  encodage_teste t = encode(gt_entrees(entrees, {"IS: 1 0 0 Action: 1 \"P\" : \"1\" EndAction:"},
                                       {"1 0 2 FR: (0) TO: (0) : \"not a or b :\""}));
  resultat_pfi r = pfi(*t.e, {0});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(lignes(r), (std::vector<std::string>{
                           "[ initial: {0}, final:{0}, cond: not a cond actions : act: 1--> bdd: 1 ]\n",
                           "[ initial: {0}, final:{0}, cond: a and not b cond actions : ]\n",
                           "[ initial: {0}, final:{0}, cond: a and b cond actions : act: 1--> bdd: 1 ]\n"}));
}

// Lines marked for the caller's flag and lines of explain_mode; the
// iteration counter runs on across contexts.
TEST(PointFixe, TraceFlagsAndIterationNumbers) {
  encodage_teste t = encode(gt_entrees(entrees, {"IS: 1 0 0", "NS: 2 0 4"}, {"1 0 2 FR: (0) TO: (1) : \"a\""}));
  explain_mode = 1;
  resultat_pfi seul_g = pfi(*t.e, {0}, false);
  resultat_pfi tout = pfi(*t.e, {0}, true);
  explain_mode = 0;
  resultat_pfi seul_p = pfi(*t.e, {0}, true);
  resultat_pfi rien = pfi(*t.e, {0}, false);
  EXPECT_EQ(rien.log, "");
  for (const char* g : {"\ndepilement d'un contexte\n", " suite de l'evolution depend de a\n",
                        " --> valuation a etudier plus tard : \n", "contexte final : not a\n"}) {
    EXPECT_NE(seul_g.log.find(g), std::string::npos) << g;
    EXPECT_EQ(seul_p.log.find(g), std::string::npos) << g;
  }
  for (const char* p : {"demarrage PFI SYMBOLIQUE\n", "iteration 1\n", " CONCLUSION FINALE :\n",
                        "PFI_symbolique termine\n", "premier contexte\n"}) {
    EXPECT_EQ(seul_g.log.find(p), std::string::npos) << p;
    EXPECT_NE(seul_p.log.find(p), std::string::npos) << p;
  }
  // The first context concludes at iteration 3, the popped one goes on
  // from iteration 4.
  size_t depile = tout.log.rfind("depilement d'un contexte");
  EXPECT_EQ(tout.log.rfind("iteration 3\n", depile) < depile, true);
  EXPECT_EQ(tout.log.find("iteration 4\n", depile) > depile, true);
  EXPECT_EQ(tout.log.find("iteration 4\n"), tout.log.find("iteration 4\n", depile));
}

}  // namespace
