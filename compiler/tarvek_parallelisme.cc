// The step mode, the interpreted-parallelism check, and the deactivation
// variables of the steps downstream of a transition.
#include <iostream>
#include <iterator>

#include "Stringpp.h"
#include "tarvek_compil.h"

void tpen_BDD_fichier::force_garde_transitions() {
  for (int t = 0; t < nombre_transitions; ++t) table_gardes[t] = 1;
}

// Pairs are taken step by step, so two transitions sharing two upstream
// steps are reported once for each of them.
std::string tpen_BDD_fichier::check_interpreted_parallelism() {
  std::string r;
  for (int s = 0; s < nombre_etapes; ++s) {
    std::set<int> const& aval = table_etapes[s].post;
    for (auto t1 = aval.begin(); t1 != aval.end(); ++t1) {
      for (auto t2 = std::next(t1); t2 != aval.end(); ++t2) {
        bdd ensemble =
            manager->Bdd_and(bdd_receptivite_transition(*t1), bdd_receptivite_transition(*t2));
        if (manager->Bdd_is_zero_tautologic(manager->Bdd_and(ensemble, assertion_generale)))
          continue;
        r += "interpreted parallelism between t" +
             unslong2S(static_cast<uint32_t>(num_grafcet_transition(*t1))) + " (" +
             receptivite_transition(*t1) + ") and t" +
             unslong2S(static_cast<uint32_t>(num_grafcet_transition(*t2))) + " (" +
             receptivite_transition(*t2) + ") !\n";
      }
    }
  }
  return r;
}

// The downstream steps come from the model's query, which answers a
// position outside the table with its own diagnostic and no step.
std::set<int> tpen_BDD_fichier::ens_ident_FEk_post_transition(int t) {
  std::set<int> r;
  for (int s : ens_ident_post_transition(t)) {
    if (s >= 0 && s < nombre_etapes) {
      r.insert(index_etapes().FE[s]);
    } else {
      std::cerr << "ERREUR INTERNE 2 D'ACCES DANS 'ens_ident_FEk_post_transition()'" << std::endl;
      r.insert(0);
    }
  }
  return r;
}
