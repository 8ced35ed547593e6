// The default compilation of a .gt text in-process, for the tests.
#include <sstream>

#include "simulation.h"

compilation_test compile_texte(const std::string& texte, bool pas_a_pas, pliage p) {
  compilation_test c;
  c.source = lit_texte(texte);
  if (c.source.code != 0 || !c.source.g) return c;
  c.encodage = std::make_unique<tpen_BDD_fichier>(c.source.g.get());
  if (pas_a_pas) c.encodage->force_garde_transitions();
  std::ostringstream log;
  c.automate.reset(genere_FBA_symbolique(*c.encodage, log, &c.bilan, p));
  c.log = log.str();
  return c;
}
