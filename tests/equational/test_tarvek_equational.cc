// The tarvek binary with -equational: the fixtures and examples that
// compile, the loops that no input cuts, the log of -explain and the lines
// of -show, and every refusal of the equational model with its message.
#include <gtest/gtest.h>

#include "run_tool.h"
#include "tarvek_cas.h"

namespace {

const std::string annonce = "EQU_MODE demande\n";
const std::string instable = "Error: possibly unstable grafcet! compilation aborted ...\n\n";

std::string donnee(const std::string& nom) {
  return read_file(std::string(TARVEK_TEST_DATA) + "/equational/data/" + nom);
}

// Copies a fixture or an example into the folder under its own name.
std::string copie(const std::string& d, const std::string& chemin) {
  std::string nom = chemin.substr(chemin.rfind('/') + 1);
  write_file(d + "/" + nom, read_file(chemin));
  return nom;
}

TEST(TarvekEquational, FixturesAndExamples) {
  std::string d = scratch_dir("equational_fixtures");
  const std::string data = std::string(TARVEK_TEST_DATA) + "/equational/data/";
  const std::string ex = std::string(TARVEK_EXAMPLES) + "/";
  struct cas {
    std::string chemin;
    int code;
    std::string err;
  } const table[] = {
      {data + "chaine_gardee.gt", 0, annonce + pas_de_sortie},
      {data + "chaine_libre.gt", 0, annonce + pas_de_sortie},
      {data + "anneau.gt", 0, annonce + pas_de_sortie},
      {data + "anneau_instable.gt", 1, annonce + instable},
      {data + "parallele.gt", 0, annonce + pas_de_sortie},
      {data + "assertion.gt", 0, annonce + pas_de_sortie},
      {ex + "machine_cycle.gt", 0, annonce + pas_de_sortie},
      {ex + "tank_filling.gt", 0, annonce + pas_de_sortie},
      // Its ring of unguarded transitions would close when all three timers
      // end at once, which its assertions exclude.
      {ex + "traffic_light.gt", 0, annonce + pas_de_sortie},
  };
  for (auto const& c : table) {
    std::string nom = copie(d, c.chemin);
    run_result r = tarvek(d, {nom, "-equational"});
    EXPECT_EQ(r.exit_code, c.code) << nom;
    EXPECT_EQ(r.err, c.err) << nom;
    std::string log = read_file(d + "/" + nom.substr(0, nom.size() - 3) + ".log");
    EXPECT_EQ(log.find("CPU computing time") != std::string::npos, c.code == 0) << nom;
  }
}

// The log of -explain, in its order, and the automaton's dump, kept here to
// the character for a small guarded chain.
TEST(TarvekEquational, ExplainAndShow) {
  std::string d = scratch_dir("equational_explain");
  std::string nom = copie(d, std::string(TARVEK_TEST_DATA) + "/equational/data/chaine_gardee.gt");
  run_result r = tarvek(d, {nom, "-equational", "-explain", "-show", "-O1"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.err, annonce + "bddpp_manager::Bdd_var_reorder(void) A FAIRE\n" + pas_de_sortie);
  EXPECT_EQ(r.out,
            "PARSINGPARSING OK\nDefinition des equations de comportements locaux:\n   operation "
            "terminee ...\n"
            "call make_sortable process \n   terminated ...\nRE-ENUMERATION of BDD variables\n");
  std::string log = read_file(d + "/chaine_gardee.log");
  size_t p = 0;
  for (std::string ligne : std::vector<std::string>{
           "\nEFFECTIVE COMPILATION:\nDefinition of equations of local behavior model:\nfinding "
           "wood:\n",
           "\nsorted and expanded wood:\nwood Bddexpression statistics:\n",
           "\nRE-ENUMARATION of BDD variables\n  before garbage collector: ",
           " BDD nodes\n  after garbage collector: ", " BDD nodes\n  after scheduling: ",
           " BDD nodes\n\n\nIMPLICITE BOOLEAN AUTOMATON:\n\n" + donnee("chaine_gardee.automate") +
               "\nCPU computing time: "}) {
    size_t q = log.find(ligne, p);
    EXPECT_NE(q, std::string::npos) << ligne;
    if (q != std::string::npos) p = q + ligne.size();
  }
  // Without -O1 nothing is cleaned up.
  run_result sans = tarvek(d, {nom, "-equational", "-explain"});
  EXPECT_EQ(sans.err, annonce + pas_de_sortie);
  EXPECT_EQ(read_file(d + "/chaine_gardee.log").find("RE-ENUMARATION"), std::string::npos);
}

// A ring broken on its input: the cut copies are locals of the automaton.
TEST(TarvekEquational, RingBrokenOnItsInput) {
  std::string d = scratch_dir("equational_ring");
  std::string nom = copie(d, std::string(TARVEK_TEST_DATA) + "/equational/data/anneau.gt");
  EXPECT_EQ(tarvek(d, {nom, "-equational", "-explain"}).exit_code, 0);
  std::string log = read_file(d + "/anneau.log");
  EXPECT_NE(log.find(", RTL2, X1next_a, X1next_nota, "), std::string::npos);
  EXPECT_NE(log.find("\nX1next = a and X1next_a or not a and X1next_nota;\n"), std::string::npos);
}

// Under -simul the steps are exported as outputs, with their equations; the
// outputs count as requested targets, and ask for no file.
TEST(TarvekEquational, Simul) {
  std::string d = scratch_dir("equational_simul");
  std::string nom = copie(d, std::string(TARVEK_TEST_DATA) + "/equational/data/chaine_gardee.gt");
  run_result r = tarvek(d, {nom, "-equational", "-simul", "-explain"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.err, annonce);
  std::string log = read_file(d + "/chaine_gardee.log");
  EXPECT_NE(log.find("outputs moteur, bip, EXPORTED_ZX1, EXPORTED_RE1, EXPORTED_ZX2, EXPORTED_RE2, "
                     "EXPORTED_ZX3, EXPORTED_RE3;"),
            std::string::npos);
  EXPECT_NE(log.find("\nEXPORTED_RE2 = RE2;\n"), std::string::npos);
  EXPECT_NE(log.find("\nEXPORTED_ZX3 = ZX3;\n"), std::string::npos);
}

// What the equational model refuses, each with its message: names that two
// variables of the automaton would share, conditions that read a variable
// it does not have, action conditions that do not parse.
TEST(TarvekEquational, Refusals) {
  std::string d = scratch_dir("equational_refusals");
  auto partage = [](const std::string& nom, const std::string& premier, const std::string& second) {
    return "ERROR: the variable \"" + nom + "\" would stand for both " + premier + " and " +
           second + " !!!" + casse;
  };
  auto sans_valeur = [](const std::string& nom) {
    return "ERROR: the variable \"" + nom +
           "\" of a condition has no value in the equational compilation mode !!!" + casse;
  };
  auto action = [](const std::string& etape, const std::string& texte) {
    return "ERROR about the step :\"" + etape + "\":\n    action post-condition \"" + texte +
           "\" is unknown ...\n\n  --> break compilation processing ...\n\n";
  };
  auto gt_sorties =
      [](const std::string& entrees, const std::string& sorties,
         std::vector<std::string> const& etapes = {"IS: 1 0 0", "NS: 2 0 4"},
         std::vector<std::string> const& transitions = {"1 0 2 FR: (0) TO: (1) : \"a\"",
                                                        "2 0 6 FR: (1) TO: (0) : \": not a\""},
         std::string const& assertion = "") {
        return "Name: m Input: " + entrees + " EndInput: Output: " + sorties +
               " EndOutput:\nStep: " + etapes[0] + " " + etapes[1] +
               " EndStep:\nTransition: " + transitions[0] + ", " + transitions[1] +
               " EndTransition:\nLink: EndLinkTable:\nAssertion: " + assertion + " EndAssertion:\n";
      };
  const std::string a = "\"a\" : bool";
  const std::string o = "\"o\" : bool";
  struct cas {
    const char* nom;
    std::string texte;
    std::vector<std::string> options;
    std::string err;
  } const table[] = {
      {"input named like a next state",
       gt_sorties(a + " \"X1next\" : bool", o),
       {},
       partage("X1next", "step 1", "the input \"X1next\"")},
      {"input named like a reset",
       gt_sorties(a + " \"X2_Reset\" : event", o),
       {},
       partage("X2_Reset", "the input \"X2_Reset\"", "step 2")},
      {"input named like a set",
       gt_sorties("\"X1_Set\" : bool " + a, o),
       {},
       partage("X1_Set", "the input \"X1_Set\"", "step 1")},
      {"input named like an activity",
       gt_sorties(a + " \"ZX2\" : bool", o),
       {},
       partage("ZX2", "the input \"ZX2\"", "step 2")},
      {"output named like a state",
       gt_sorties(a, "\"X1\" : bool"),
       {},
       partage("X1", "step 1", "the output \"X1\"")},
      {"output named like an edge",
       gt_sorties(a, o + " \"FE2\" : event"),
       {},
       partage("FE2", "the output \"FE2\"", "step 2")},
      {"output named like a step variable",
       gt_sorties(a, "\"RTL1\" : bool"),
       {},
       partage("RTL1", "the output \"RTL1\"", "step 1")},
      {"output named like an input",
       gt_sorties(a, o + " \"a\" : event"),
       {},
       partage("a", "the input \"a\"", "the output \"a\"")},
      {"output named like a previous value",
       gt_sorties(a, "\"a_pre_\" : bool"),
       {},
       partage("a_pre_", "the previous value of input \"a\"", "the output \"a_pre_\"")},
      {"output declared twice",
       gt_sorties(a, o + " " + o),
       {},
       "ERROR: the output \"o\" is declared twice !!!" + casse},
      {"output named like an exported step",
       gt_sorties(a, "\"EXPORTED_ZX1\" : bool"),
       {"-simul"},
       partage("EXPORTED_ZX1", "the output \"EXPORTED_ZX1\"",
               "the output \"EXPORTED_ZX1\" that -simul adds")},
      {"previous value in a receptivity",
       gt_sorties(
           a, o, {"IS: 1 0 0", "NS: 2 0 4"},
           {"1 0 2 FR: (0) TO: (1) : \"a and not a_pre_\"", "2 0 6 FR: (1) TO: (0) : \": not a\""}),
       {},
       sans_valeur("a_pre_")},
      {"previous value in an assertion",
       gt_sorties(a + " \"b\" : bool", o, {"IS: 1 0 0", "NS: 2 0 4"},
                  {"1 0 2 FR: (0) TO: (1) : \": a\"", "2 0 6 FR: (1) TO: (0) : \": not a\""},
                  "\"b_pre_ or a\""),
       {},
       sans_valeur("b_pre_")},
      {"action condition that does not parse",
       gt_sorties(a, o, {"IS: 1 0 0", "NS: 2 0 4 Action: 0 \"N\" : \"a and\" EndAction:"}),
       {},
       "syntax error\nPARSING ERROR about expression: \"a and\"\n" + action("2", "a and")},
      {"action condition reading a previous value",
       gt_sorties(a, o, {"IS: 1 0 0 Action: 0 \"P\" : \"a_pre_\" EndAction:", "NS: 2 0 4"}),
       {},
       "parsing error in expression: name \"a_pre_\" not identificated ...\n"
       "PARSING ERROR about expression: \"a_pre_\"\n" +
           action("1", "a_pre_")},
  };
  for (auto const& c : table) {
    write_file(d + "/r.gt", c.texte);
    std::vector<std::string> args = {"r.gt", "-equational"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    run_result r = tarvek(d, args);
    EXPECT_EQ(r.exit_code, 1) << c.nom;
    EXPECT_EQ(r.err, annonce + c.err) << c.nom;
    EXPECT_EQ(read_file(d + "/r.log").find("CPU computing time"), std::string::npos) << c.nom;
  }
  // Names that only look alike, and an input named like a copy that loop
  // breaking makes.
  write_file(d + "/v.gt",
             gt_sorties(a + " \"X1next_a\" : bool \"x1\" : bool \"ZX\" : event",
                        "\"Xnext\" : bool \"X1_reset\" : bool", {"IS: 1 0 0", "NS: 2 0 4"},
                        {"1 0 2 FR: (0) TO: (1) : \"a\"", "2 0 6 FR: (1) TO: (0) : \"not a\""}));
  run_result v = tarvek(d, {"v.gt", "-equational", "-explain"});
  EXPECT_EQ(v.exit_code, 0) << v.err;
  EXPECT_NE(read_file(d + "/v.log").find("\nX1next = a and X1next_a_1 or not a and X1next_nota;\n"),
            std::string::npos);
}

}  // namespace
