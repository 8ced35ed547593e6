// What the Lustre, Vestrane, Esterel, BRIMOT and documentation texts say,
// read back with the engine's condition parser into the automaton's own
// manager, against the automaton: on every grafcet of the corpus, with
// every cover method.
//  - Symbolic automaton: every next-state function written is the one built
//    from the force conditions (it holds where force-to-1 holds and never
//    where force-to-0 holds), every emission condition is the automaton's,
//    the raw conditions of the documentation and of Esterel are the
//    automaton's, and the initial values are its initial state.
//  - Equational automaton: every equation of the forest is written once,
//    in earliest_sort order, with its own function.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "automate_test.h"
#include "ecrivains.h"
#include "generation_test.h"
#include "simulation.h"
#include "verif_cibles.h"

namespace {

bdd lit(bddpp_manager* m, const std::string& texte) {
  int erreur = 0;
  bdd f = m->Parse_expression(texte, &erreur);
  EXPECT_EQ(erreur, 0) << texte;
  return f;
}

bdd lit_esterel(bddpp_manager* m, const std::string& texte) {
  if (texte == "tick") return m->Bdd_one();
  if (texte == "not tick") return m->Bdd_zero();
  return lit(m, texte);
}

using table_definitions = std::map<std::string, std::string>;

// name -> expression of the lines matching the pattern; a name defined
// twice fails the test.
table_definitions table(const std::string& texte, const std::regex& forme) {
  table_definitions r;
  for (auto const& [nom, expression] : definitions(texte, forme))
    EXPECT_TRUE(r.emplace(nom, expression).second) << nom << " defined twice";
  return r;
}

// The next-state functions and emission conditions of a text that writes
// one "name= expression" per next-state variable and per action.
void verifie_fonctions(const FBA& a, const table_definitions& t, int methode) {
  bddpp_manager* m = a.manager;
  ASSERT_EQ(t.size(), static_cast<size_t>(a.state_variables_number + a.actions_number));
  for (int i = 0; i < a.state_variables_number; ++i) {
    SCOPED_TRACE(fba_nom_etat_suivant(a, i));
    ASSERT_EQ(t.count(fba_nom_etat_suivant(a, i)), 1u);
    bdd f = lit(m, t.at(fba_nom_etat_suivant(a, i)));
    EXPECT_TRUE(f == fba_fonction_suivante(a, i));
    EXPECT_TRUE(m->Bdd_is_tautology(m->Bdd_and(a.force1[i], m->Bdd_not(f)), 0));
    EXPECT_TRUE(m->Bdd_is_tautology(m->Bdd_and(a.force0[i], f), 0));
  }
  for (int j = 0; j < a.actions_number; ++j) {
    ASSERT_EQ(t.count(a.action_names[j]), 1u) << a.action_names[j];
    EXPECT_TRUE(lit(m, t.at(a.action_names[j])) == a.emissions[j]) << a.action_names[j] << methode;
  }
}

void verifie_registres_lustre(const FBA& a, const std::string& lus) {
  auto t = table(lus, motif(R"(  (X\w+)= (true|false)-> pre\(\w+\);)"));
  ASSERT_EQ(t.size(), static_cast<size_t>(a.state_variables_number));
  for (int i = 0; i < a.state_variables_number; ++i)
    EXPECT_EQ(t.at(fba_nom_etat(a, i)), a.variable_initialy_true(i) ? "true" : "false");
}

// Per next-state signal the conditions that emit and abort it, per action
// the condition of its present block.
void verifie_esterel(const FBA& a, const std::string& strl) {
  bddpp_manager* m = a.manager;
  std::vector<std::string> l = lignes(strl);
  table_definitions emet, abandonne, emissions;
  std::smatch x, y, z;
  for (size_t k = 0; k + 1 < l.size(); ++k) {
    if (std::regex_match(l[k], x, motif(R"(      present \[ (.*) \] then )")) &&
        std::regex_match(l[k + 1], y, motif(R"(        emit (\w+))"))) {
      emet[y[1]] = x[1];
      for (size_t f = k + 2; f < l.size(); ++f)
        if (std::regex_match(l[f], z, motif(R"(    \] when \[ (.*) \])"))) {
          abandonne[y[1]] = z[1];
          break;
        }
    }
    if (std::regex_match(l[k], x, motif(R"(    present \[ (.*) \] then )")) &&
        std::regex_match(l[k + 1], y, motif(R"(      emit (\w+))")))
      emissions[y[1]] = x[1];
  }
  for (int i = 0; i < a.state_variables_number; ++i) {
    std::string s = fba_nom_etat_suivant(a, i);
    ASSERT_TRUE(emet.count(s) && abandonne.count(s)) << s;
    EXPECT_TRUE(lit_esterel(m, emet[s]) == a.force1[i]) << s;
    EXPECT_TRUE(lit_esterel(m, abandonne[s]) == a.force0[i]) << s;
    bool emis = strl.find("    emit " + fba_nom_etat(a, i) + ";\n") != std::string::npos;
    EXPECT_EQ(emis, a.variable_initialy_true(i)) << s;
  }
  for (int j = 0; j < a.actions_number; ++j) {
    bool jamais = m->Bdd_is_tautology(a.emissions[j], 0);
    ASSERT_EQ(emissions.count(a.action_names[j]), jamais ? 0u : 1u) << a.action_names[j];
    if (!jamais) {
      EXPECT_TRUE(lit_esterel(m, emissions[a.action_names[j]]) == a.emissions[j]);
    }
  }
}

void verifie_fba(const FBA& a, int methode) {
  bddpp_manager* m = a.manager;
  std::ostringstream lus, vune, brm, doc, strl;
  a.LUSTRE_put(lus, methode);
  a.VUNE_put(vune, methode);
  a.BRIMOT_put(brm, methode);
  a.DOC_put(doc, methode);
  a.ESTEREL_put(strl, methode);
  const std::regex& equation = motif(R"(  (\w+)= (.*);)");
  auto sans_registres = [](table_definitions t) {
    for (auto i = t.begin(); i != t.end();)
      i = i->second.find("-> pre(") == std::string::npos ? std::next(i) : t.erase(i);
    return t;
  };
  {
    SCOPED_TRACE("lustre");
    verifie_fonctions(a, sans_registres(table(lus.str(), equation)), methode);
    verifie_registres_lustre(a, lus.str());
  }
  {
    SCOPED_TRACE("vune");
    verifie_fonctions(a, table(vune.str(), equation), methode);
  }
  {
    SCOPED_TRACE("brimot");
    verifie_fonctions(a, table(brm.str(), motif(R"((\w+)= (.*);)")), methode);
    auto initial = definitions(brm.str(), motif(R"((initial) (.*);)"));
    ASSERT_EQ(initial.size(), 1u);
    EXPECT_TRUE(lit(m, initial[0].second) == a.initial_state);
  }
  {
    SCOPED_TRACE("doc");
    table_definitions fonctions = table(doc.str(), motif(R"(  (\w+)= (.*))"));
    for (auto const& [nom, expression] : table(doc.str(), motif(R"( (\w+)= (.*))")))
      fonctions[nom] = expression;
    verifie_fonctions(a, fonctions, methode);
    table_definitions brutes = table(doc.str(), motif(R"(      (\w+)= (.*))"));
    for (int i = 0; i < a.state_variables_number; ++i) {
      EXPECT_TRUE(lit(m, brutes.at(fba_nom_etat_suivant(a, i) + "0")) == a.force0[i]);
      EXPECT_TRUE(lit(m, brutes.at(fba_nom_etat_suivant(a, i) + "1")) == a.force1[i]);
    }
  }
  {
    SCOPED_TRACE("esterel");
    verifie_esterel(a, strl.str());
  }
}

TEST(Equations, SymbolicAutomatonTextsSayWhatItDoes) {
  for (auto const& g : corpus_compilable(false)) {
    SCOPED_TRACE(g.nom);
    compilation_test c = compile_texte(g.texte);
    ASSERT_TRUE(c.automate);
    for (int methode : {0, 1, 2}) verifie_fba(*c.automate, methode);
  }
}

// An equational text as (name, expression) pairs in the order written.
void verifie_ordre_et_fonctions(b_automaton& a,
                                const std::vector<std::pair<std::string, std::string>>& ecrites,
                                bool esterel) {
  Bddexpressionwood* w = a.wood_associee();
  bddpp_manager* m = a.manager_associe();
  std::vector<std::string> ordre;
  for (long i : w->earliest_sort()) ordre.push_back(m->Name_var_by_index(i));
  std::vector<std::string> noms;
  for (auto const& e : ecrites) noms.push_back(e.first);
  ASSERT_EQ(noms, ordre);
  ASSERT_EQ(static_cast<int>(ordre.size()), w->exp_number());
  for (auto const& [nom, expression] : ecrites) {
    bdd f = esterel ? lit_esterel(m, expression) : lit(m, expression);
    EXPECT_TRUE(f == w->exp_by_index(m->Index_var_by_name(nom))->getBddExp()) << nom;
  }
}

std::vector<std::pair<std::string, std::string>> blocs_present(const std::string& strl) {
  std::vector<std::pair<std::string, std::string>> r;
  std::vector<std::string> l = lignes(strl);
  std::smatch x, y;
  for (size_t k = 0; k + 1 < l.size(); ++k)
    if (std::regex_match(l[k], x, motif(R"(  present \[(.*)\] then)")) &&
        std::regex_match(l[k + 1], y, motif(R"(    emit (\w+))")))
      r.push_back({y[1], x[1]});
  return r;
}

void verifie_equationnel(b_automaton& a, int methode, const std::string& module) {
  std::ostringstream lus, vune, doc, strl;
  std::string err = capture_cerr([&] { a.LUSTRE_put(lus, methode, module); });
  EXPECT_EQ(err, "nb_var locale detecte: " + std::to_string(a.nb_locals()) + "\n");
  a.VUNE_put(vune, methode, module);
  a.DOC_put(doc, methode, module);
  a.ESTEREL_put(strl, methode, module);
  const std::regex& equation = motif(R"((\w+) = (.*);)");
  for (auto const* t : {&lus, &vune, &doc}) {
    SCOPED_TRACE(t->str().substr(0, 20));
    verifie_ordre_et_fonctions(a, definitions(t->str(), equation), false);
  }
  verifie_ordre_et_fonctions(a, blocs_present(strl.str()), true);
  auto registres = table(lus.str(), motif(R"(  (X\w+)= (true|false)-> pre\(\w+\);)"));
  ASSERT_EQ(static_cast<int>(registres.size()), a.nb_state_vars());
  for (int i = 0; i < a.nb_state_vars(); ++i)
    EXPECT_EQ(registres.at(a.nom_state_var(i)),
              a.valeur_initiale_state_var(i) == 1 ? "true" : "false");
}

TEST(Equations, EquationalTextsWriteTheForestInItsOrder) {
  for (auto const& g : corpus_compilable(true)) {
    SCOPED_TRACE(g.nom);
    compilation_eq c = compile_equationnel(g.texte);
    ASSERT_TRUE(c.automate);
    ASSERT_EQ(c.triable, 1);
    for (int methode : {0, 1, 2}) verifie_equationnel(*c.automate, methode, "m");
  }
}

// An automaton whose initial value is neither 0 nor 1 documents it as
// "???" and registers it as false; an equation of no forest writes nothing.
TEST(Equations, UndeterminedInitialValueAndAbstractEquation) {
  std::list<std::string> etats = {"X1"}, suivants = {"X1next"}, entrees = {"a"}, sorties = {"o"},
                         locales = {};
  auto* dec = new b_autom_dec(etats, suivants, entrees, sorties, locales);
  bddpp_manager* m = dec->manager_associe();
  int initiale = 2;
  b_automaton a(dec, &initiale, m->Bdd_one(), m->Bdd_one());
  delete dec;
  Bddexpressionwood* w = a.wood_associee();
  new Bddexpression(w, m->Bdd_var_by_name("X1next"), m->Bdd_var_by_name("a"), 0, 0);
  new Bddexpression(w, m->Bdd_var_by_name("o"), m->Bdd_not(m->Bdd_var_by_name("X1")), 0, 0);
  w->compute_dates();
  std::ostringstream doc, lus;
  a.DOC_put(doc, 0, "m");
  capture_cerr([&] { a.LUSTRE_put(lus, 0, "m"); });
  EXPECT_EQ(doc.str(),
            "module: m\n\nEntree(s) booleenne(s): a\n\nSortie(s) booleenne(s): o\n\nRegistre(s):\n"
            " - X1valeur initiale: ???, prochaine valeur: X1next\n\nEquation(s):\n"
            "X1next = a;\no = not X1;\n\nfin de la documentation ...\n\n");
  EXPECT_NE(lus.str().find("\nvar X1, X1next: bool;\nlet\n  X1= false-> pre(X1next);\n"),
            std::string::npos)
      << lus.str();
  Bddexpression abstraite;
  std::ostringstream rien;
  abstraite.put_basic_doc(rien, 0);
  abstraite.put_esterel(rien, 0);
  EXPECT_EQ(rien.str(), "");
}

// No grafcet compiles into an automaton without steps, but one built
// directly must not have its empty initial minterm printed: its only
// situation is initial.
TEST(Equations, BrimotOfAnAutomatonWithoutVariables) {
  std::set<int> aucun;
  FBA f("v", aucun, {}, {}, {});
  std::ostringstream os;
  f.BRIMOT_put(os, 0);
  EXPECT_EQ(os.str(), "initial 1;\n\ntransition\n\ndefinitions\n\n");
}

}  // namespace
