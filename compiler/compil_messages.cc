// The parse of condition texts and the user errors of the compiler.
#include "compil_messages.h"

#include <map>

#include "g_messages.h"

static const char* const fin_erreur = "  --> break compilation processing ...\n";

bdd analyse_condition(bddpp_manager* m, std::string const& texte, int& erreur,
                      std::string& non_lu) {
  int priorite = 0;
  erreur = 0;
  bdd f = m->Parse_expression(texte, &priorite, &erreur, &non_lu);
  if (non_lu.empty()) return f;
  erreur = 1;
  return m->Bdd_zero();
}

static std::string ligne_non_lu(std::string const& non_lu) {
  if (non_lu.empty()) return "";
  return "text after the condition is not read: \"" + non_lu + "\"\n";
}

std::string message_receptivite(std::string const& texte, std::string const& non_lu) {
  return "ERROR: the receptivity :\"" + texte + "\" has an uncorrect syntax!\n" +
         ligne_non_lu(non_lu) + fin_erreur;
}

std::string message_assertion(std::string const& texte, std::string const& non_lu) {
  return "ERROR: the assertion :\"" + texte + "\" has an uncorrect syntax!\n" +
         ligne_non_lu(non_lu) + fin_erreur;
}

std::string message_cond_action(std::string const& etape, std::string const& texte,
                                std::string const& non_lu) {
  return "ERROR about the step :\"" + etape + "\":\n    action post-condition \"" + texte +
         "\" is unknown ...\n" + ligne_non_lu(non_lu) + "\n" + fin_erreur;
}

std::string message_cond_action_sans_valeur(std::string const& etape, std::string const& texte,
                                            std::string const& output, std::string const& nom) {
  return "ERROR about the step :\"" + etape + "\":\n    action post-condition \"" + texte +
         "\" on output \"" + output + "\" reads \"" + nom +
         "\", which has no value in the compilation by reachable situations ...\n\n" + fin_erreur;
}

// The same declaration twice reads better as such than as two meanings.
std::string message_nom_partage(std::string const& nom, std::string const& premier,
                                std::string const& second) {
  std::string r = premier == second ? "ERROR: " + premier + " is declared twice !!!"
                                    : "ERROR: the variable \"" + nom + "\" would stand for both " +
                                          premier + " and " + second + " !!!";
  return r + "\n    --> break compilation processing ...";
}

std::string origine_input(std::string const& nom) { return "the input \"" + nom + "\""; }

std::string origine_pre(std::string const& input) {
  return "the previous value of input \"" + input + "\"";
}

std::string origine_etape(std::string const& etape) { return "step " + etape; }

std::string origine_output(std::string const& nom) { return "the output \"" + nom + "\""; }

// The outputs that -simul adds close the table, two per step.
std::string origine_output(tpen_fichier& f, int j) {
  std::string nom = f.ma_table_outputs()[j].nom();
  int premier = f.nbr_outputs() - 2 * f.nbr_etapes();
  int k = j - premier;
  bool exportee = k >= 0 && nom == (k % 2 ? "EXPORTED_RE" : "EXPORTED_ZX") + f.nom_etape(k / 2);
  return origine_output(nom) + (exportee ? " that -simul adds" : "");
}

void verif_noms_partages(std::vector<variable_nommee> const& variables) {
  std::map<std::string, variable_nommee const*> vus;
  for (auto const& v : variables) {
    auto [it, nouveau] = vus.emplace(v.nom, &v);
    if (nouveau || (v.d_etape && it->second->d_etape)) continue;
    arrete_sur_message(message_nom_partage(v.nom, it->second->origine, v.origine));
  }
}

void verif_noms_par_situations(tpen_fichier& f) {
  std::vector<variable_nommee> v;
  for (int s = 0; s < f.nbr_etapes(); ++s)
    v.push_back({"X" + f.nom_etape(s), origine_etape(f.nom_etape(s)), true});
  for (int s = 0; s < f.nbr_etapes(); ++s)
    v.push_back({"X" + f.nom_etape(s) + "next", origine_etape(f.nom_etape(s)), true});
  for (int i = 0; i < f.nbr_inputs(); ++i)
    v.push_back({f.nom_input(i), origine_input(f.nom_input(i)), false});
  std::map<std::string, std::string> actions;
  for (int j = 0; j < f.nbr_outputs(); ++j) {
    variable_nommee o = {f.ma_table_outputs()[j].nom(), origine_output(f, j), false};
    auto [it, nouvelle] = actions.emplace(o.nom, o.origine);
    if (nouvelle || it->second != o.origine) v.push_back(o);
  }
  verif_noms_partages(v);
}
