// The test library of the equational automaton: compilation in-process,
// evaluation of the equations, the reaction model of a grafcet, and random
// input sequences.
#include "automate_test.h"

#include <gtest/gtest.h>

#include <sstream>

#include "gt_texte.h"
#include "systeme_equationnel.h"

disposition disposition_de(tpen_fichier& g) {
  return {g.nbr_etapes(), g.nbr_inputs(), g.nbr_outputs()};
}

compilation_eq compile_equationnel(const std::string& texte_gt, bool simul) {
  compilation_eq c;
  c.source = lit_texte(texte_gt);
  EXPECT_EQ(c.source.code, 0) << c.source.err;
  if (c.source.code != 0) return c;
  c.encodage = std::make_unique<tpen_BDD_fichier>(c.source.g.get());
  if (simul) c.encodage->export_etapes();
  std::ostringstream log;
  c.automate.reset(genere_systeme_equationnel(*c.encodage, log));
  c.triable = c.automate->make_sortable(0, 0, log);
  c.d = disposition_de(*c.encodage);
  return c;
}

bool evalue_bdd(bddpp_manager& m, bdd const& f, valeurs const& v) {
  int link = f.link_type();
  bdd_node* n = f.node();
  while (n->then_node) {
    long i = m.Bdd_if_index(bdd(&m, 1, n));
    if (v.at(i)) {
      n = n->then_node;
    } else {
      link *= n->else_link;
      n = n->else_node;
    }
  }
  return link == 1;
}

valeurs evalue_equations(b_automaton& a, disposition d, valeurs const& etat,
                         valeurs const& entrees) {
  bddpp_manager& m = *a.manager_associe();
  Bddexpressionwood& w = *a.wood_associee();
  valeurs v(m.nbr_variables(), false);
  std::vector<bool> connue(m.nbr_variables(), false);
  for (int i = 0; i < d.n; ++i) v[d.etat(i)] = etat[i], connue[d.etat(i)] = true;
  for (int j = 0; j < d.ni; ++j) v[d.entree(j)] = entrees[j], connue[d.entree(j)] = true;
  std::list<long> ordre = w.earliest_sort();
  EXPECT_EQ(ordre.size(), static_cast<size_t>(w.exp_number()));
  for (long i : ordre) {
    Bddexpression* e = w.exp_by_index(i);
    for (long dep : e->getDependances())
      EXPECT_TRUE(connue[dep]) << e->getName() << " reads " << m.Name_var_by_index(dep)
                               << " too early";
    v[i] = evalue_bdd(m, e->getBddExp(), v);
    connue[i] = true;
  }
  return v;
}

bool operator==(reaction const& x, reaction const& y) {
  return x.suivant == y.suivant && x.sorties == y.sorties && x.stable == y.stable;
}

reaction reaction_automate(b_automaton& a, disposition d, valeurs const& etat,
                           valeurs const& entrees) {
  valeurs v = evalue_equations(a, d, etat, entrees);
  reaction r;
  for (int i = 0; i < d.n; ++i) r.suivant.push_back(v[d.suivant(i)]);
  for (int j = 0; j < d.no; ++j) r.sorties.push_back(v[d.sortie(j)]);
  return r;
}

namespace {

// The actions of a step with their qualifiers, which the grafcet keeps in
// its protected step table.
struct lecture_actions : tpen_fichier {
  static std::list<tpen_action> const& de(tpen_fichier& g, int s) {
    tpen_etape* tpen_fichier::*table = &lecture_actions::table_etapes;
    return (g.*table)[s].actions;
  }
};

// The encoding's variables of one step, by index.
struct indexes_etape {
  long re, fe, x, rtl;
};

struct signaux {
  valeurs S, R;
};

class modele_grafcet {
 public:
  modele_grafcet(tpen_BDD_fichier& g_, valeurs const& etat) : g(g_), m(*g_.man()), X(etat) {
    v.assign(g.nombre_variables(), false);
    for (int s = 0; s < g.nbr_etapes(); ++s) {
      std::string e = g.nom_etape(s);
      pas.push_back({m.Index_var_by_name("RE" + e), m.Index_var_by_name("FE" + e),
                     m.Index_var_by_name("X" + e), m.Index_var_by_name("RTL" + e)});
    }
  }

  void entrees(valeurs const& e) {
    for (int j = 0; j < g.nbr_inputs(); ++j) {
      long i = m.Index_var_by_name(g.nom_input(j));
      if (i >= 0) v[i] = e[j];
    }
  }

  // The step variables that the signals give, then the signals that the
  // firing conditions give under them.
  signaux iteration(signaux const& sr) {
    int n = g.nbr_etapes();
    for (int s = 0; s < n; ++s) {
      bool x = X[s], S = sr.S[s], R = sr.R[s];
      v[pas[s].x] = x;
      v[pas[s].rtl] = x || S;
      v[pas[s].re] = (R && S) || (!x && S);
      v[pas[s].fe] = (x && R) || (R && S);
    }
    signaux r{valeurs(n, false), valeurs(n, false)};
    bool assertion = evalue_bdd(m, g.assertion_generale, v);
    for (int t : g.ens_ident_transitions()) {
      bool feu = assertion && evalue_bdd(m, g.bdd_receptivite_transition(t), v);
      for (int p : g.ens_ident_pre_transition(t))
        feu = feu && (g.transition_gardee(t) ? X[p] : v[pas[p].rtl]);
      if (!feu) continue;
      for (int p : g.ens_ident_pre_transition(t)) r.R[p] = true;
      for (int q : g.ens_ident_post_transition(t)) r.S[q] = true;
    }
    return r;
  }

  reaction resultat(signaux const& sr) {
    reaction r;
    int n = g.nbr_etapes();
    for (int s = 0; s < n; ++s) {
      bool x = X[s], S = sr.S[s], R = sr.R[s];
      r.suivant.push_back((x && S) || (x && !R) || (!R && S));
    }
    r.sorties.assign(g.nbr_outputs(), false);
    for (int s = 0; s < n; ++s) {
      int k = 0;
      for (auto const& a : lecture_actions::de(g, s)) {
        bool c = evalue_bdd(m, g.bdd_cond_action(s, k++), v);
        bool impulsion = a.qualificatif >= 2 && a.qualificatif <= 4;
        if (c && (impulsion ? v[pas[s].re] : r.suivant[s])) r.sorties[a.ident_output] = true;
      }
    }
    return r;
  }

 private:
  tpen_BDD_fichier& g;
  bddpp_manager& m;
  valeurs X;
  valeurs v;  // the encoding's variables
  std::vector<indexes_etape> pas;
};

}  // namespace

reaction reaction_modele(tpen_BDD_fichier& g, valeurs const& etat, valeurs const& entrees) {
  modele_grafcet modele(g, etat);
  modele.entrees(entrees);
  int n = g.nbr_etapes();
  signaux sr{valeurs(n, false), valeurs(n, false)};
  // A settling iteration changes at least one signal on each round.
  int limite = 2 * n + 2;
  bool stable = false;
  for (int k = 0; k < limite && !stable; ++k) {
    signaux suivants = modele.iteration(sr);
    stable = suivants.S == sr.S && suivants.R == sr.R;
    sr = suivants;
  }
  modele.iteration(sr);
  reaction r = modele.resultat(sr);
  r.stable = stable;
  return r;
}

valeurs etat_initial(tpen_fichier& g) {
  valeurs x;
  for (int s = 0; s < g.nbr_etapes(); ++s) x.push_back(g.etape_initiale(s) != 0);
  return x;
}

std::vector<valeurs> entrees_aleatoires(int nbr_entrees, int longueur, std::mt19937& rng) {
  std::bernoulli_distribution pile(0.5);
  std::vector<valeurs> r(longueur);
  for (auto& e : r)
    for (int j = 0; j < nbr_entrees; ++j) e.push_back(pile(rng));
  return r;
}

std::string texte(valeurs const& v) {
  std::string r;
  for (bool b : v) r += b ? '1' : '0';
  return r;
}

std::string compare_au_modele(compilation_eq& c, std::vector<valeurs> const& sequence) {
  valeurs x = etat_initial(*c.encodage);
  for (size_t k = 0; k < sequence.size(); ++k) {
    reaction attendue = reaction_modele(*c.encodage, x, sequence[k]);
    reaction obtenue = reaction_automate(*c.automate, c.d, x, sequence[k]);
    obtenue.stable = attendue.stable;
    if (!attendue.stable || !(attendue == obtenue))
      return "reaction " + std::to_string(k) + " from " + texte(x) + " under " +
             texte(sequence[k]) + (attendue.stable ? "" : ": the model does not settle") +
             ": model " + texte(attendue.suivant) + "/" + texte(attendue.sorties) + ", automaton " +
             texte(obtenue.suivant) + "/" + texte(obtenue.sorties);
    x = attendue.suivant;
  }
  return "";
}
