// The equation forest: table sizes, the readers kept in step with the right
// members through growth and replacement, the look-ups and their refusals,
// and the dump.
#include <gtest/gtest.h>

#include <sstream>

#include "foret_test.h"
#include "gt_texte.h"

namespace {

std::string texte_de(Bddexpressionwood const& w) {
  std::ostringstream os;
  os << w;
  return os.str();
}

std::string adresse(void const* p) {
  std::ostringstream os;
  os << p;
  return os.str();
}

TEST(Forest, TablesGrowByDoubling) {
  struct cas {
    int variables;
    std::string longueur;
  } const table[] = {{0, "1"}, {1, "1"}, {2, "2"}, {5, "8"}, {8, "8"}, {9, "16"}};
  for (auto const& c : table) {
    std::vector<std::string> noms;
    for (int i = 0; i < c.variables; ++i) noms.push_back("v" + std::to_string(i));
    auto w = foret(noms);
    std::ostringstream os;
    w->stat(os);
    EXPECT_NE(os.str().find("  - arrays's length  : " + c.longueur + "\n"), std::string::npos)
        << c.variables;
  }
}

// New variables move the tables; the equations, their readers and the late
// dates stay at their indexes.
TEST(Forest, GrowthKeepsEquationsReadersAndDates) {
  auto w = foret({"a", "b", "c"});
  bddpp_manager& m = *w->Manager();
  auto* e = new Bddexpression(w.get(), m.Bdd_var_by_name("a"),
                              m.Bdd_and(m.Bdd_var_by_name("b"), m.Bdd_var_by_name("c")), 4, 7);
  for (int i = 0; i < 40; ++i) w->New_var_last("n" + std::to_string(i));
  EXPECT_EQ(m.nbr_variables(), 43);
  EXPECT_EQ(w->exp_by_index(0), e);
  EXPECT_EQ(w->Late_date(0), 7);
  EXPECT_EQ(e->getEarlyDate(), 4);
  EXPECT_EQ(e->getDependances(), (std::set<long>{1, 2}));
  EXPECT_EQ(w->Users(1), std::set<long>{0});
  EXPECT_EQ(w->Users(2), std::set<long>{0});
  EXPECT_TRUE(w->Users(42).empty());
  // A right member over a new variable enters its readers.
  e->setBddExp(w->New_var_last("late"), 0, 0);
  EXPECT_EQ(e->getDependances(), std::set<long>{43});
  EXPECT_TRUE(w->Users(1).empty());
  EXPECT_EQ(w->Users(43), std::set<long>{0});
}

TEST(Forest, SecondEquationOfAVariableReplacesTheFirst) {
  auto w = foret({"a", "b", "c"});
  Bddexpression* premiere = equation(*w, "a", "b");
  Bddexpression* seconde = equation(*w, "a", "c");
  EXPECT_EQ(w->exp_by_index(0), seconde);
  EXPECT_EQ(w->exp_number(), 1);
  EXPECT_TRUE(w->Users(1).empty());
  EXPECT_EQ(w->Users(2), std::set<long>{0});
  delete premiere;  // the forest no longer holds it
}

TEST(Forest, ConstantRightMemberReadsNothing) {
  auto w = foret({"a", "b"});
  Bddexpression* e = equation(*w, "a", "1");
  EXPECT_TRUE(e->getDependances().empty());
  EXPECT_TRUE(w->Users(0).empty());
  EXPECT_TRUE(w->Users(1).empty());
}

TEST(Forest, LookUps) {
  auto w = foret({"a", "b", "c", "d"});
  Bddexpression* c = equation(*w, "c", "a");
  Bddexpression* b = equation(*w, "b", "a");
  Bddexpression* d = equation(*w, "d", "b and c");
  EXPECT_EQ(w->exp(0), b);
  EXPECT_EQ(w->exp(1), c);
  EXPECT_EQ(w->exp(2), d);
  EXPECT_EQ(w->exp_by_name("d"), d);
  EXPECT_EQ(w->exp_by_index(2), c);
  EXPECT_EQ(w->exp_by_index(0), nullptr);
  struct cas {
    std::function<Bddexpression*()> appel;
    std::string err;
  } const refus[] = {
      {[&] { return w->exp(-1); },
       "ERROR in Bddexpressionwood::exp(): -1 bad number ...\npossible: {1,2,3}\n"},
      {[&] { return w->exp(3); },
       "ERROR in Bddexpressionwood::exp(): 3 bad number ...\npossible: {1,2,3}\n"},
      {[&] { return w->exp_by_index(4); },
       "ERROR in Bddexpressionwood::exp_by_index : id `4' not found!\n"},
      {[&] { return w->exp_by_index(-1); },
       "ERROR in Bddexpressionwood::exp_by_index : id `-1' not found!\n"},
      {[&] { return w->exp_by_name("a"); },
       "ERROR in Bddexpressionwood::exp_by_name : `a' not found!\n"},
  };
  for (auto const& r : refus) {
    Bddexpression* e = &*b;
    EXPECT_EQ(capture_cerr([&] { e = r.appel(); }), r.err);
    EXPECT_EQ(e, nullptr) << r.err;
  }
}

TEST(Forest, MisusesAreReportedAndChangeNothing) {
  auto w = foret({"a", "b"});
  bddpp_manager& m = *w->Manager();
  Bddexpression libre("f", nullptr, bdd(), bdd(), 0, 0);
  EXPECT_EQ(libre.getAbstraction(), 1);
  EXPECT_EQ(capture_cerr([&] { libre.setBddExp(m.Bdd_one(), 0, 0); }),
            "In Bddexpression::setBddExp(): \n   no wood defined! Aborted  ...\n");
  EXPECT_EQ(libre.getBddExp().node(), nullptr);
  EXPECT_EQ(capture_cerr([&] { libre.setLateDate(3); }),
            "internal error in Bddexpression::setLateDate(): no wood found!\n");
  EXPECT_EQ(capture_cerr([&] { w->learn_expression(nullptr); }),
            "INTERNAL ERROR in Bddexpressionwood::learn_expression():\nno expression !!!\n\n");
  Bddexpression* constante = nullptr;
  EXPECT_EQ(
      capture_cerr([&] { constante = new Bddexpression(w.get(), m.Bdd_one(), m.Bdd_one(), 0, 0); }),
      "INTERNAL ERROR in Bddexpressionwood::learn_expression():\nno left member in expression\n\n");
  EXPECT_EQ(w->exp_number(), 0);
  delete constante;
}

// The forest a = b over the variables a and b, dates not computed.
TEST(Forest, Dump) {
  auto w = foret({"a", "b"});
  Bddexpression* e = equation(*w, "a", "b");
  std::string t = texte_de(*w);
  EXPECT_EQ(t,
            "wood Bddexpression statistics:\n"
            "  - adress: " +
                adresse(w.get()) +
                "\n"
                "  - bbd variables number of the bdd manager: 2\n"
                "  - variables number used : 2\n"
                "  - arrays's length  : 2\n"
                "  - expression ids set {0}\n"
                "  - nb levels 0\n"
                "      level: 0\n"
                "        early date: 0 \n"
                "        late date: 0 \n"
                "\n"
                "   earliest date sorting:\n"
                "0 \n"
                "\n"
                "   latest date sorting:\n"
                "0 \n"
                "\n"
                "Equations list:\n"
                "0: (" +
                adresse(e) +
                ") <a> [type:0]a = b  weight: 1 usertype: 0 dates (0,0) from vars {1}  to vars {}\n"
                "1: b = - dates (0,0)  to vars {0}\n");
  // With the dates: a reads the input b.
  w->compute_dates();
  t = texte_de(*w);
  EXPECT_NE(t.find("  - nb levels 2\n      level: 0\n        early date: \n        late date: 0 \n"
                   "      level: 1\n        early date: 0 \n        late date: \n      level: 2\n"),
            std::string::npos)
      << t;
  EXPECT_NE(t.find("dates (1,0) from vars {1}  to vars {}\n1: b = - dates (0,1)  to vars {0}\n"),
            std::string::npos)
      << t;
}

TEST(Forest, EquationDumpForms) {
  auto w = foret({"a", "b", "c"});
  Bddexpression* e = equation(*w, "a", "not b or c");
  e->setUserType(1);
  std::ostringstream os;
  os << *e;
  EXPECT_EQ(os.str(), "(" + adresse(e) + ") <a> [type:1]a = c + !b  weight: 1 usertype: 1");
  Bddexpression libre(nullptr, bdd(), bdd(), 0, 0);
  std::ostringstream ls;
  ls << libre;
  EXPECT_EQ(ls.str(), "(" + adresse(&libre) + ") <> [type:0]- = ()");
}

}  // namespace
