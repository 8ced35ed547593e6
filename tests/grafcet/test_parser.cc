// The .gt parser: the model it builds, its syntax error lines, the
// qualifier replacement, the dropped positions and the -explain trace.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "gt_texte.h"
#include "listpp.h"
#include "parse_gt.h"
#include "run_tool.h"

namespace {

std::string demo() { return read_file(std::string(TARVEK_TEST_DATA) + "/grafcet/data/demo.gt"); }

TEST(Parser, DemoBuildsTheModel) {
  lecture r = lit_texte(demo());
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  tpen_fichier& g = *r.g;
  EXPECT_EQ(g.mon_nom_module(), "demo");
  ASSERT_EQ(g.nbr_inputs(), 2);
  EXPECT_EQ(g.nom_input(0), "a");
  EXPECT_EQ(g.type_input(0), "bool");
  EXPECT_EQ(g.nom_input(1), "b");
  EXPECT_EQ(g.type_input(1), "event");
  ASSERT_EQ(g.nbr_outputs(), 1);
  EXPECT_EQ(g.nom_output(0), "lamp");
  ASSERT_EQ(g.nbr_etapes(), 2);
  EXPECT_EQ(g.nom_etape(0), "1");
  EXPECT_EQ(g.etape_initiale(0), 1);
  EXPECT_EQ(g.etape_initiale(1), 0);
  EXPECT_EQ(g.nbr_actions(0), 1);
  EXPECT_EQ(g.ident_output(0, 0), 0);
  EXPECT_EQ(g.ens_ident_outputs_cont_etape(0), std::set<int>{0});
  EXPECT_EQ(g.nbr_actions(1), 0);
  EXPECT_EQ(g.num_grafcet_transition(0), 1);
  EXPECT_EQ(g.num_grafcet_transition(1), 2);
  EXPECT_EQ(g.receptivite_transition(0), "a");
  EXPECT_EQ(g.receptivite_transition(1), "b and not a");
  EXPECT_EQ(g.ens_ident_pre_transition(0), std::set<int>{0});
  EXPECT_EQ(g.ens_ident_post_transition(0), std::set<int>{1});
  EXPECT_EQ(g.ens_ident_pre_transition(1), std::set<int>{1});
  EXPECT_EQ(g.ens_ident_post_transition(1), std::set<int>{0});
  EXPECT_EQ(g.ens_ident_pre_etape(0), std::set<int>{1});
  EXPECT_EQ(g.ens_ident_post_etape(0), std::set<int>{0});
  EXPECT_EQ(g.ens_ident_pre_etape(1), std::set<int>{0});
  EXPECT_EQ(g.ens_ident_post_etape(1), std::set<int>{1});
  EXPECT_EQ(g.nbr_liens(), 1);
  EXPECT_EQ(g.nbr_assertions(), 1);
  EXPECT_EQ(g.assertion_textuelle(0), "not (a and b)");
}

// The trace of the example: 94 lines, one per recognised rule, from the
// module name to the body and the start rule.
TEST(Parser, ExplainTraceOfTheDemo) {
  lecture r = lit_texte(demo(), 1);
  ASSERT_EQ(r.code, 0);
  std::string attendu = read_file(std::string(TARVEK_TEST_DATA) + "/grafcet/data/demo.trace");
  EXPECT_EQ(r.log, attendu);
  int lignes = 0;
  for (char c : r.log) lignes += c == '\n';
  EXPECT_EQ(lignes, 94);
  EXPECT_EQ(lit_texte(demo(), 0).log, "");
}

struct cas_syntaxe {
  const char* nom;
  std::string texte;
  int code;
  const char* err;
};

const char* const sections_vides =
    " Input: EndInput: Output: EndOutput: Step: EndStep: Transition: EndTransition: Link: "
    "EndLinkTable: Assertion: EndAssertion:";

std::string avec_nom(const char* nom) { return std::string("Name: ") + nom + sections_vides; }

std::string etape(const char* ligne) { return gt_fichier({ligne}, {}); }
std::string transitions(std::vector<std::string> t) {
  return gt_fichier({"IS: 1 0 0", "NS: 2 0 4"}, t);
}
std::string liens(const char* l) {
  std::string t = gt_fichier({"IS: 1 0 0"}, {});
  return t.replace(t.find("Link: EndLinkTable:"), 19, std::string("Link: ") + l + " EndLinkTable:");
}

TEST(Parser, SyntaxErrorLines) {
  const cas_syntaxe cas[] = {
      {"smallest file", avec_nom("m"), 0, ""},
      {"empty file", "", 1, "syntax error, unexpected $end, expecting NAME\n"},
      {"numeric module name", avec_nom("123"), 1,
       "syntax error, unexpected NUMBER, expecting WORD\n"},
      {"mixed module name", avec_nom("12a"), 0, ""},
      {"quoted module name", avec_nom("\"m\""), 1,
       "syntax error, unexpected STRING, expecting WORD\n"},
      {"module name bool", avec_nom("bool"), 1, "syntax error, unexpected BOOL, expecting WORD\n"},
      {"module name AND", avec_nom("AND"), 1, "syntax error, unexpected A_N_D, expecting WORD\n"},
      {"module name pre", avec_nom("pre"), 1, "syntax error, unexpected P_R_E, expecting WORD\n"},
      {"module name Or", avec_nom("Or"), 0, ""},
      {"module name IS", avec_nom("IS"), 0, ""},
      {"unknown step keyword", etape("XS: 1 0 0"), 1, "syntax error, unexpected WORD\n"},
      {"lower-case step keyword", etape("ns: 1 0 0"), 1, "syntax error, unexpected WORD\n"},
      {"input of type int", "Name: m Input: \"x\" : int EndInput:", 1,
       "syntax error, unexpected WORD, expecting BOOL or EVENT\n"},
      {"missing comma",
       transitions({"1 0 2 FR: (0) TO: (1) : \"a\" 2 0 6 FR: (1) TO: (0) : \"b\""}), 1,
       "syntax error, unexpected NUMBER, expecting VIRGULE or ENDTRANSITION\n"},
      {"comma after the last", transitions({"1 0 2 FR: (0) TO: (1) : \"a\","}), 1,
       "syntax error, unexpected ENDTRANSITION, expecting NUMBER\n"},
      {"empty brackets", transitions({"1 0 2 FR: () TO: (1) : \"a\""}), 1,
       "syntax error, unexpected PARENTHESE_FERMANTE, expecting NUMBER\n"},
      {"no brackets", transitions({"1 0 2 FR: 0 TO: (1) : \"a\""}), 1,
       "syntax error, unexpected NUMBER, expecting TO\n"},
      {"mixed brackets", transitions({"1 0 2 FR: [0) TO: (1] : \"a\""}), 0, ""},
      {"polyline of three", liens("BeginLink: Div: IdentS: 0 Line: 1 2 3 EndLine: EndLink:"), 1,
       "syntax error, unexpected ENDLIGNE, expecting NUMBER\n"},
      {"polyline of five", liens("BeginLink: Div: IdentS: 0 Line: 1 2 3 4 5 EndLine: EndLink:"), 1,
       "syntax error, unexpected ENDLIGNE, expecting NUMBER\n"},
      {"link without branch", liens("BeginLink: Conv: EndLink:"), 1,
       "syntax error, unexpected ENDLINK, expecting IDENTS or IDENTT\n"},
      {"action without condition", etape("IS: 1 0 0 Action: 0 \"N\" EndAction:"), 1,
       "syntax error, unexpected ENDACTION, expecting DEUX_POINTS\n"},
      {"empty action list", etape("IS: 1 0 0 Action: EndAction:"), 0, ""},
      {"word after the end", avec_nom("m") + " extra", 1,
       "syntax error, unexpected WORD, expecting $end\n"},
      {"punctuation after the end", avec_nom("m") + " ;-.", 0, ""},
      {"no assertion section",
       "Name: m Input: EndInput: Output: EndOutput: Step: EndStep: "
       "Transition: EndTransition: Link: EndLinkTable:",
       1, "syntax error, unexpected $end, expecting ASSERTION\n"},
      {"operator token in a section", etape("IS: 1 0 0 or"), 1, "syntax error, unexpected O_R\n"},
      {"number beyond an int", etape("IS: 2147483648 0 0"), 1,
       "syntax error, number out of range\n"},
      {"largest int", etape("IS: 2147483647 0 0"), 0, ""},
      {"long coordinate beyond an int",
       liens("BeginLink: Div: IdentS: 0 Line: 1 2 3 4 5 99999999999999999999 EndLine: EndLink:"), 1,
       "syntax error, number out of range\n"},
  };
  for (auto const& c : cas) {
    lecture r = lit_texte(c.texte);
    EXPECT_EQ(r.code, c.code) << c.nom;
    EXPECT_EQ(r.err, c.err) << c.nom;
  }
}

// Every section empty: every count 0 and every table null, so that count and
// pointer agree for the copies the compiler makes.
TEST(Parser, SmallestFileGivesEmptyTables) {
  lecture r = lit_texte(avec_nom("m"));
  ASSERT_EQ(r.code, 0) << r.err;
  tpen_fichier& g = *r.g;
  EXPECT_EQ(g.mon_nom_module(), "m");
  EXPECT_EQ(g.nbr_inputs() + g.nbr_outputs() + g.nbr_etapes() + g.nbr_assertions() + g.nbr_liens(),
            0);
  EXPECT_TRUE(g.ens_ident_transitions().empty());
  EXPECT_EQ(g.ma_table_inputs(), nullptr);
  EXPECT_EQ(g.ma_table_outputs(), nullptr);
  EXPECT_EQ(g.ma_table_assertions_textuelle(), nullptr);
}

TEST(Parser, UnknownQualifierBecomesN) {
  lecture r = lit_texte(
      etape("IS: 1 0 0 Action: 1 \"S\" : \"a\" 0 \"\" : \"1\" 1 \"P\" : \"b\" EndAction:"));
  ASSERT_EQ(r.code, 0);
  EXPECT_EQ(r.err,
            "type : S non encore implemente !\n remplace par : N\n"
            "type :  non encore implemente !\n remplace par : N\n");
  EXPECT_EQ(r.g->ens_ident_outputs_cont_etape(0), (std::set<int>{0, 1}));
  EXPECT_EQ(r.g->ens_ident_outputs_impuls_etape(0), std::set<int>{1});
  EXPECT_EQ(r.g->cond_action(0, 0), "a");
  EXPECT_EQ(r.g->cond_action(0, 2), "b");
}

// Step numbers become names: the minus sign is echoed into the log and
// leading zeros vanish; positions after FR:/TO: outside the step table are
// dropped and kept aside once per list, repeated ones count once.
TEST(Parser, NumbersNamesAndDroppedPositions) {
  lecture r = lit_texte(gt_fichier(
      {"NS: -2 10 40", "IS: 007 0 0"},
      {"5 0 2 FR: (0,0,7,7) TO: (1,9,7) : \"a\"", "6 0 3 FR: (8) TO: : \"b\""}));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.g->nom_etape(0), "2");
  EXPECT_EQ(r.g->nom_etape(1), "7");
  EXPECT_EQ(r.log, "-");
  EXPECT_EQ(r.g->ens_ident_pre_transition(0), std::set<int>{0});
  EXPECT_EQ(r.g->ens_ident_post_transition(0), std::set<int>{1});
  EXPECT_EQ(r.g->ens_ident_pre_transition(1), std::set<int>{});
  EXPECT_EQ(r.g->verif_connexion_transition(), "t6");
  std::vector<std::tuple<int, int, bool>> ignorees;
  for (auto const& p : r.g->positions_ignorees())
    ignorees.emplace_back(p.transition, p.position, p.aval);
  EXPECT_EQ(ignorees, (std::vector<std::tuple<int, int, bool>>{
                          {0, 7, false}, {0, 9, true}, {0, 7, true}, {1, 8, false}}));
}

TEST(Parser, StringsKeepEveryPrintableMark) {
  lecture r = lit_texte(
      transitions({"1 0 2 FR: (0) TO: (1) : \"(a & b) + !c [x] {y} <z> ~ % $ # ' ` \\ ; = ?\""}));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.g->receptivite_transition(0), "(a & b) + !c [x] {y} <z> ~ % $ # ' ` \\ ; = ?");
}

TEST(Parser, TypeLexeme) {
  EXPECT_EQ(type_lexeme(300), "NUMBER");
  EXPECT_EQ(type_lexeme(258), "I_S");
  EXPECT_EQ(type_lexeme(304), "EVENT");
  for (int code : {0, 263, 264, 265, 266, 293, 294, 305, -1})
    EXPECT_EQ(type_lexeme(code), "OTHER") << code;
}

}  // namespace
