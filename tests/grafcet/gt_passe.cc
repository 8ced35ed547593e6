// One pass of arbitrary bytes through the .gt reader and everything that
// reads a grafcet without compiling it.
#include "gt_passe.h"

#include <fstream>
#include <sstream>
#include <string>

#include "lex.gt.h"
#include "parse_gt.h"

static void lit_tout(tpen_fichier& g, std::ostream& os) {
  std::string second;
  int ident = 0;
  os << g.verif_traitement_tout_type_etape_tarvek() << g.verif_existence_etape_initiale()
     << g.verif_noms_identiques_etapes() << g.verif_non_existence_receptivite_vide()
     << g.verif_connexion_transition() << g.verif_aucune_superposition_transition(second)
     << g.verif_aucune_superposition_etape(second)
     << g.verif_aucune_superposition_etape_transition(second) << g.verif_outputs_actions(ident);
  std::set<int> t = g.ens_ident_transitions();
  for (int k : t) os << g.ens_ident_post_pre_transitions(k).size();
  os << g.ens_ident_pre_tilde_ens_transitions(t).size()
     << g.ens_ident_post_tilde_ens_transitions({}).size()
     << g.ens_ident_outputs_cont_ens_etapes(g.ens_ident_etapes()).size()
     << g.identification_numero_etape_max() << g.assertion_globale();
  g.put(os);
  g.export_etapes();
  g.put(os);
}

int passe_gt(const uint8_t* data, size_t size) {
  static std::fstream log("/dev/null", std::ios::out);
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  gtFlexLexer scanner(&in, &log);
  class_gt_parser parser;
  parser.lexer = &scanner;
  int r = parser.parse(log, 1);
  if (r == 0) lit_tout(*parser.result, log);
  delete parser.result;
  pgt_parser = nullptr;
  return r;
}
