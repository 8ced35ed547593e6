// The names of every requested target, checked in the order of the
// writers before the first file is opened: a run that a target's language
// would refuse ends with the message of the first name it cannot hold,
// and no target file is written.
#include <functional>

#include "g_messages.h"
#include "noms_cibles.h"
#include "tarvek.h"
#include "tarvek_cibles.h"

namespace {

// A target whose mode writes no file (the sc netlist, the BRIMOT file and
// the state-change file in the equational mode) has no names to check; nor
// has the documentation, which a human reads.
struct verif_cible {
  int* flag;
  bool equationnel;  // its equational mode writes names too
  std::function<std::string(const noms_automate&)> verif;
};

}  // namespace

void verifie_noms_cibles(const contexte_cibles& ctx) {
  noms_automate n =
      ctx.fba ? noms_automate_de(*ctx.fba) : noms_automate_de(*ctx.automate, ctx.module);
  const verif_cible table[] = {
      {&sc_mode, false, verif_noms_sc},
      {&brimot_mode, false, verif_noms_brimot},
      {&esterel_mode, true, verif_noms_esterel},
      {&lustre_mode, true, verif_noms_lustre},
      {&blif_mode, true, verif_noms_blif},
      {&vune_mode, true, verif_noms_vestrane},
      {&internal_mode, false, verif_noms_fba},
      {&c_mode, true, verif_noms_c},
      {&ino_mode, true, [&](const noms_automate& a) { return verif_noms_ino(a, ctx.evenements); }},
      {&vhdl_mode, true, [](const noms_automate& a) { return verif_noms_vhdl(a, altera_mode); }},
  };
  for (auto const& c : table) {
    if (!*c.flag || (equ_mode && !c.equationnel)) continue;
    std::string message = c.verif(n);
    if (!message.empty()) arrete_sur_message(message);
  }
}
