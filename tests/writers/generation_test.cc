// The corpus, the runs of the binary and the in-process traces shared by
// the tests of the generated code.
#include "generation_test.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "automate_test.h"
#include "gt_texte.h"

namespace {

std::vector<grafcet_corpus> fichiers_gt(const std::string& dossier) {
  std::vector<grafcet_corpus> r;
  for (auto const& e : std::filesystem::directory_iterator(dossier))
    if (e.path().extension() == ".gt") r.push_back({e.path().stem(), read_file(e.path())});
  std::sort(r.begin(), r.end(),
            [](const grafcet_corpus& a, const grafcet_corpus& b) { return a.nom < b.nom; });
  return r;
}

std::vector<std::string> entrees_declarees(tpen_fichier& g) {
  std::vector<std::string> r;
  for (int j = 0; j < g.nbr_inputs(); ++j) r.push_back(g.nom_input(j));
  return r;
}

// The values of v, given in the order `de`, in the order `vers`.
vecteur reordonne(const vecteur& v, const std::vector<std::string>& de,
                  const std::vector<std::string>& vers) {
  std::map<std::string, bool> valeurs;
  for (size_t k = 0; k < de.size(); ++k) valeurs[de[k]] = v[k];
  vecteur r;
  for (auto const& n : vers) r.push_back(valeurs.at(n));
  return r;
}

// The sequences in the order of the declared inputs, each vector within
// the assertions: the same for both modes, whatever order each takes.
std::vector<std::vector<vecteur>> sequences_declarees(tpen_fichier& g, unsigned graine) {
  std::vector<std::string> ordre_fba = noms_entrees(g), declarees = entrees_declarees(g);
  simulateur_reference ref(g, ordre_fba);
  std::vector<std::vector<vecteur>> r;
  for (unsigned k = 0; k < 3; ++k)
    r.push_back(sequence_aleatoire(g.nbr_inputs(), 40, graine * 10 + k, [&](const vecteur& v) {
      return ref.admissible(reordonne(v, declarees, ordre_fba));
    }));
  return r;
}

std::string ligne_trace(const vecteur& sorties, const vecteur& etats) {
  return chiffres(sorties) + " " + chiffres(etats);
}

void trace_FBA_texte(const FBA& a, const std::vector<std::vector<vecteur>>& sequences,
                     automate_genere& r) {
  evaluateur_FBA eval(a);
  for (auto const& s : sequences) {
    if (!r.attendu.empty()) r.attendu.push_back("r");
    vecteur etat = eval.etat_initial();
    for (auto const& v : s) {
      EXPECT_TRUE(eval.couverte(etat, v))
          << r.module << ": no reaction from " << chiffres(etat) << " under " << chiffres(v);
      pas_simulation p = eval.reaction(etat, v);
      r.attendu.push_back(ligne_trace(p.actions, p.etat));
      etat = p.etat;
    }
  }
}

void trace_reference_texte(tpen_fichier& g, automate_genere& r) {
  simulateur_reference ref(g, r.entrees);
  std::vector<std::string> t;
  for (auto const& s : r.sequences) {
    if (!t.empty()) t.push_back("r");
    for (auto const& p : trace_reference(ref, s)) t.push_back(ligne_trace(p.actions, p.etat));
  }
  if (ref.defaut.empty()) r.independant = t;
}

bool automate_par_situations(const std::string& texte, automate_genere& r,
                             const std::vector<std::vector<vecteur>>& declarees,
                             const std::vector<std::string>& ordre_declare) {
  compilation_test c = compile_texte(texte);
  EXPECT_TRUE(c.automate) << r.module;
  if (!c.automate) return false;
  const FBA& a = *c.automate;
  r.entrees = noms_entrees(a);
  r.sorties = noms_actions(a);
  for (int i = 0; i < a.state_variables_number; ++i) r.etats.push_back("X" + a.state_names[i]);
  for (auto const& s : declarees) {
    r.sequences.emplace_back();
    for (auto const& v : s) r.sequences.back().push_back(reordonne(v, ordre_declare, r.entrees));
  }
  trace_FBA_texte(a, r.sequences, r);
  trace_reference_texte(*c.source.g, r);
  return true;
}

bool automate_equationnel(const std::string& texte, automate_genere& r,
                          const std::vector<std::vector<vecteur>>& declarees,
                          const std::vector<std::string>& ordre_declare) {
  compilation_eq c = compile_equationnel(texte);
  EXPECT_TRUE(c.automate && c.triable == 1) << r.module;
  if (!c.automate || c.triable != 1) return false;
  b_automaton& a = *c.automate;
  std::list<std::string> e = a.inputs_list(), s = a.outputs_list(), x = a.state_vars_list();
  r.entrees.assign(e.begin(), e.end());
  r.sorties.assign(s.begin(), s.end());
  r.etats.assign(x.begin(), x.end());
  bool stable = true;
  std::vector<std::string> modele;
  for (auto const& seq : declarees) {
    r.sequences.emplace_back();
    if (!r.attendu.empty()) {
      r.attendu.push_back("r");
      modele.push_back("r");
    }
    valeurs etat = etat_initial(*c.encodage), etat_modele = etat;
    for (auto const& v : seq) {
      // Input j of the grafcet is input j of the automaton.
      r.sequences.back().push_back(reordonne(v, ordre_declare, r.entrees));
      reaction p = reaction_automate(a, c.d, etat, v);
      r.attendu.push_back(ligne_trace(p.sorties, p.suivant));
      etat = p.suivant;
      reaction m = reaction_modele(*c.encodage, etat_modele, v);
      stable = stable && m.stable;
      modele.push_back(ligne_trace(m.sorties, m.suivant));
      etat_modele = m.suivant;
    }
  }
  if (stable) r.independant = modele;
  return true;
}

}  // namespace

std::vector<grafcet_corpus> corpus_ecrivains() {
  std::vector<grafcet_corpus> r = fichiers_gt(TARVEK_EXAMPLES);
  for (auto const& d :
       {"/compiler/data", "/equational/data", "/frontend/data", "/grafcet/data", "/writers/data"})
    for (auto const& g : fichiers_gt(std::string(TARVEK_TEST_DATA) + d)) r.push_back(g);
  return r;
}

// The tests run in parallel processes: each runs the binary in a folder
// named after itself.
std::vector<grafcet_corpus> corpus_compilable(bool equationnel) {
  auto const* t = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string d = scratch_dir(std::string("writers_corpus_") + (equationnel ? "eq_" : "fba_") +
                              (t ? std::string(t->test_suite_name()) + "_" + t->name() : ""));
  std::vector<std::string> options;
  if (equationnel) options.push_back("-equational");
  std::vector<grafcet_corpus> r;
  for (auto const& g : corpus_ecrivains())
    if (lance_tarvek(d, g.nom, g.texte, options).r.exit_code == 0) r.push_back(g);
  return r;
}

std::vector<grafcet_corpus> grafcets_aleatoires_sains(int nombre) {
  std::vector<grafcet_corpus> r;
  for (unsigned graine = 1; static_cast<int>(r.size()) < nombre && graine < 1000; ++graine) {
    std::string texte = grafcet_aleatoire(graine);
    lecture source = lit_texte(texte);
    if (source.code != 0) continue;
    std::vector<std::string> entrees = noms_entrees(*source.g);
    simulateur_reference ref(*source.g, entrees);
    int n = static_cast<int>(entrees.size());
    if (situations_atteintes(ref, n).empty() || ref.active_une_etape_active) continue;
    bool boucle = false;
    for (auto const& v : tous_les_vecteurs(n)) boucle = boucle || ref.boucle_possible(v);
    if (!boucle) r.push_back({"g" + std::to_string(graine), texte});
  }
  return r;
}

bool grafcet_propre(tpen_BDD_fichier& g) {
  if (g.nbr_assertions() != 0) return false;
  std::vector<std::string> entrees = entrees_declarees(g);
  auto sur_entrees = [&](const bdd& f) {
    for (long i : g.man()->set_of_index_depend_on(f))
      if (std::find(entrees.begin(), entrees.end(), g.nom_variable(i)) == entrees.end())
        return false;
    return true;
  };
  for (int t : g.ens_ident_transitions())
    if (!sur_entrees(g.bdd_receptivite_transition(t))) return false;
  for (int s = 0; s < g.nbr_etapes(); ++s) {
    for (int k = 0; k < g.nbr_actions(s); ++k)
      if (!sur_entrees(g.bdd_cond_action(s, k))) return false;
    for (int o : g.ens_ident_outputs_cont_etape(s))
      if (g.type_output(o) != "bool") return false;
    for (int o : g.ens_ident_outputs_impuls_etape(s))
      if (g.type_output(o) != "event") return false;
  }
  // A cycle of unguarded transitions: some step reaches itself through them.
  int n = g.nbr_etapes();
  std::vector<std::set<int>> suivantes(n);
  for (int t : g.ens_ident_transitions())
    if (!g.transition_gardee(t))
      for (int p : g.ens_ident_pre_transition(t))
        for (int q : g.ens_ident_post_transition(t)) suivantes[p].insert(q);
  for (int s = 0; s < n; ++s) {
    std::set<int> vues, a_voir = suivantes[s];
    while (!a_voir.empty()) {
      int p = *a_voir.begin();
      a_voir.erase(a_voir.begin());
      if (p == s) return false;
      if (!vues.insert(p).second) continue;
      a_voir.insert(suivantes[p].begin(), suivantes[p].end());
    }
  }
  return true;
}

std::string renomme_module(const std::string& texte, const std::string& module) {
  size_t p = texte.find("Name:");
  if (p == std::string::npos) return texte;
  size_t debut = texte.find_first_not_of(" \t\r\n", p + 5);
  if (debut == std::string::npos) return texte;
  size_t fin = texte.find_first_of(" \t\r\n", debut);
  if (fin == std::string::npos) fin = texte.size();
  return texte.substr(0, p) + "Name: " + module + texte.substr(fin);
}

sortie_tarvek lance_tarvek(const std::string& dossier, const std::string& module,
                           const std::string& texte, const std::vector<std::string>& options) {
  static const char* const extensions[] = {".sc",  ".brm", ".lus", ".strl", ".blif", ".vune",
                                           ".fba", ".c",   ".h",   ".ino",  ".vhd",  ".doc"};
  write_file(dossier + "/" + module + ".gt", texte);
  std::vector<std::string> args = {tarvek_path(), module + ".gt"};
  args.insert(args.end(), options.begin(), options.end());
  sortie_tarvek s;
  s.r = run_tool(args, dossier, 60);
  for (const char* e : extensions)
    if (file_exists(dossier + "/" + module + e))
      s.fichiers[e] = read_file(dossier + "/" + module + e);
  return s;
}

std::string automate_genere::fichier(const std::string& extension) const {
  return dossier + "/" + module + extension;
}

bool genere_automate(const std::string& dossier, const grafcet_corpus& g, const std::string& module,
                     bool equationnel, const std::vector<std::string>& options, unsigned graine,
                     automate_genere& a) {
  a = automate_genere();
  a.module = module;
  a.equationnel = equationnel;
  a.dossier = dossier;
  std::string texte = renomme_module(g.texte, module);
  std::vector<std::string> args = options;
  if (equationnel) args.push_back("-equational");
  if (lance_tarvek(dossier, module, texte, args).r.exit_code != 0) return false;
  lecture source = lit_texte(texte);
  EXPECT_EQ(source.code, 0) << module;
  if (source.code != 0) return false;
  a.evenements = source.g->liste_outputs_impulsionnelles();
  std::vector<std::string> declarees = entrees_declarees(*source.g);
  std::vector<std::vector<vecteur>> sequences = sequences_declarees(*source.g, graine);
  return equationnel ? automate_equationnel(texte, a, sequences, declarees)
                     : automate_par_situations(texte, a, sequences, declarees);
}

corpus_genere genere_corpus(const std::string& nom, const std::vector<std::string>& options,
                            int aleatoires) {
  corpus_genere c;
  c.dossier = scratch_dir(nom);
  std::vector<grafcet_corpus> corpus = corpus_ecrivains();
  size_t fixes = corpus.size();
  for (auto const& g : grafcets_aleatoires_sains(aleatoires)) corpus.push_back(g);
  for (size_t k = 0; k < corpus.size(); ++k) {
    grafcet_corpus const& g = corpus[k];
    std::vector<std::string> o = options;
    if (k >= fixes) o.push_back("-O2");
    size_t avant = c.automates.size();
    for (bool eq : {false, true}) {
      automate_genere a;
      if (genere_automate(c.dossier, g, g.nom + (eq ? "_eq" : "_fba"), eq, o, k + 1, a))
        c.automates.push_back(a);
    }
    if (c.automates.size() != avant + 2) continue;
    lecture source = lit_texte(g.texte);
    tpen_BDD_fichier encodage(source.g.get());
    if (grafcet_propre(encodage)) c.paires_propres.push_back({avant, avant + 1});
  }
  return c;
}

void verifie_corpus(const corpus_genere& c) {
  for (auto const& e : std::filesystem::directory_iterator(TARVEK_EXAMPLES)) {
    if (e.path().extension() != ".gt") continue;
    for (const char* mode : {"_fba", "_eq"}) {
      std::string m = e.path().stem().string() + mode;
      EXPECT_TRUE(std::any_of(c.automates.begin(), c.automates.end(),
                              [&](const automate_genere& a) { return a.module == m; }))
          << m;
    }
  }
  EXPECT_GE(c.automates.size(), 30u);
  EXPECT_GE(c.paires_propres.size(), 6u);
}

automates_en_memoire recompile(const corpus_genere& c) {
  automates_en_memoire r;
  for (auto const& a : c.automates) {
    std::string texte = read_file(a.fichier(".gt"));
    r.fba.push_back(a.equationnel ? nullptr : std::move(compile_texte(texte).automate));
    r.eq.push_back(a.equationnel ? compile_equationnel(texte) : compilation_eq());
    EXPECT_TRUE(a.equationnel ? r.eq.back().automate != nullptr : r.fba.back() != nullptr)
        << a.module;
  }
  return r;
}

void compare_modes(const automate_genere& f, const std::vector<std::string>& tf,
                   const automate_genere& e, const std::vector<std::string>& te) {
  SCOPED_TRACE(f.module + " and " + e.module);
  ASSERT_EQ(tf.size(), te.size());
  for (size_t k = 0; k < tf.size(); ++k) {
    if (tf[k] == "r") continue;
    std::map<std::string, char> sf, se;
    for (size_t o = 0; o < f.sorties.size(); ++o) sf[f.sorties[o]] = tf[k][o];
    for (size_t o = 0; o < e.sorties.size(); ++o) se[e.sorties[o]] = te[k][o];
    ASSERT_EQ(sf, se) << "reaction " << k;
    ASSERT_EQ(tf[k].substr(f.sorties.size()), te[k].substr(e.sorties.size())) << k;
  }
}

std::string texte_sequences(const std::vector<std::vector<vecteur>>& sequences) {
  std::string r;
  for (size_t k = 0; k < sequences.size(); ++k) {
    if (k) r += "r\n";
    for (auto const& v : sequences[k]) r += chiffres(v) + "\n";
  }
  return r;
}

std::vector<std::string> lignes(const std::string& texte) {
  std::vector<std::string> r;
  std::istringstream in(texte);
  for (std::string l; std::getline(in, l);) r.push_back(l);
  return r;
}

std::string outil(const std::string& nom) {
  const char* path = std::getenv("PATH");
  std::istringstream dossiers(path ? path : "");
  for (std::string d; std::getline(dossiers, d, ':');) {
    std::string chemin = d + "/" + nom;
    if (!d.empty() && access(chemin.c_str(), X_OK) == 0) return chemin;
  }
  return "";
}

std::string remplit(std::string modele, const std::map<std::string, std::string>& valeurs) {
  for (auto const& [cle, valeur] : valeurs)
    for (size_t p = modele.find(cle); p != std::string::npos;
         p = modele.find(cle, p + valeur.size()))
      modele.replace(p, cle.size(), valeur);
  return modele;
}

std::map<std::string, std::vector<std::string>> traces_du_programme(
    const std::vector<std::string>& commande, const corpus_genere& c) {
  std::vector<std::string> args = commande;
  for (auto const& a : c.automates) {
    write_file(a.fichier(".in"), texte_sequences(a.sequences));
    args.push_back(a.module);
    args.push_back(a.fichier(".in"));
  }
  run_result r = run_tool(args, c.dossier, 120);
  EXPECT_EQ(r.exit_code, 0) << r.err;
  std::map<std::string, std::vector<std::string>> traces;
  std::string module;
  for (auto const& l : lignes(r.out)) {
    if (l.rfind("= ", 0) == 0)
      module = l.substr(2);
    else
      traces[module].push_back(l);
  }
  return traces;
}
