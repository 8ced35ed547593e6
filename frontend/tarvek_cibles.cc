// The names of the files of one run and the target table: which writer of
// which automaton writes each requested target, in the fixed order.
#include "tarvek_cibles.h"

#include <iostream>
#include <utility>

#include "g_messages.h"
#include "tarvek.h"
#include "tarvek_fichier_cible.h"

noms_compilation construit_noms(const std::string& base) {
  return {base + ".gt",   base + ".log",  base + ".sc",   base + ".brm", base + ".lus",
          base + ".strl", base + ".blif", base + ".vune", base + ".fba", base + ".c",
          base + ".h",    base + ".ino",  base + ".vhd",  base + ".doc"};
}

void fichier_impossible(const std::string& nom) {
  arrete_sur_message("file " + nom + " cannot be written !\n    --> break compilation processing ...");
}

namespace {

// A writer receives the target's stream, and for C the header's.
typedef void (*ecrivain_cible)(const contexte_cibles& ctx, std::ostream* out, std::ostream* entete);

struct cible_tarvek {
  const char* option;
  int* flag;
  std::string noms_compilation::*fichier;
  std::string noms_compilation::*entete;  // the C header only
  ecrivain_cible par_situations;
  ecrivain_cible equationnel;  // null where the equational mode writes no file
  // The target's name in the notice of a target that the equational mode
  // does not write; null when it does.
  const char* sans_equationnel;
};

// Shown in the box only: the run goes on without the file, which a file
// left empty or a silent run would pass off as written.
void incompatible_equationnel(const char* cible) {
  fl_show_Snotice(std::string(cible) +
                  " generation is incompatible with the equationnal compilation mode");
}

// The writers that take the target's stream and the cover method, and for
// the equational automaton the module name.
template <void (FBA::*ecrit)(std::ostream&, int) const>
void ecrit_fba(const contexte_cibles& c, std::ostream* o, std::ostream*) {
  (c.fba->*ecrit)(*o, c.methode);
}

template <void (b_automaton::*ecrit)(std::ostream&, int, std::string const&)>
void ecrit_automate(const contexte_cibles& c, std::ostream* o, std::ostream*) {
  (c.automate->*ecrit)(*o, c.methode, c.module);
}

const cible_tarvek table_cibles[] = {
    {"-sc", &sc_mode, &noms_compilation::sc, nullptr, ecrit_fba<&FBA::SC_put>, nullptr, "SC"},
    {"-brimot", &brimot_mode, &noms_compilation::brimot, nullptr,
     ecrit_fba<&FBA::BRIMOT_put>, nullptr, "BRIMOT"},
    {"-esterel", &esterel_mode, &noms_compilation::esterel, nullptr,
     ecrit_fba<&FBA::ESTEREL_put>, ecrit_automate<&b_automaton::ESTEREL_put>, nullptr},
    {"-lustre", &lustre_mode, &noms_compilation::lustre, nullptr,
     ecrit_fba<&FBA::LUSTRE_put>, ecrit_automate<&b_automaton::LUSTRE_put>, nullptr},
    {"-blif", &blif_mode, &noms_compilation::blif, nullptr, ecrit_fba<&FBA::BLIF_put>,
     ecrit_automate<&b_automaton::BLIF_put>, nullptr},
    {"-vune", &vune_mode, &noms_compilation::vune, nullptr, ecrit_fba<&FBA::VUNE_put>,
     ecrit_automate<&b_automaton::VUNE_put>, nullptr},
    {"-intern", &internal_mode, &noms_compilation::fba, nullptr, ecrit_fba<&FBA::FBA_put>,
     nullptr, "FBA"},
    {"-c", &c_mode, &noms_compilation::c, &noms_compilation::h,
     [](const contexte_cibles& c, std::ostream* o, std::ostream* h) {
       c.fba->c_put(*o, *h, c.methode);
     },
     [](const contexte_cibles& c, std::ostream* o, std::ostream* h) {
       c.automate->C_put(*o, *h, c.methode, c.module);
     },
     nullptr},
    {"-ino", &ino_mode, &noms_compilation::ino, nullptr,
     [](const contexte_cibles& c, std::ostream* o, std::ostream*) {
       c.fba->ino_put_grafcet(*o, c.methode, c.evenements);
     },
     [](const contexte_cibles& c, std::ostream* o, std::ostream*) {
       c.automate->INO_put_grafcet(*o, c.methode, c.module, c.evenements);
     },
     nullptr},
    // The equational writer takes the Altera switch where the others take
    // the cover method.
    {"-vhdl", &vhdl_mode, &noms_compilation::vhdl, nullptr,
     [](const contexte_cibles& c, std::ostream* o, std::ostream*) {
       c.fba->VHDL_put(*o, altera_mode, c.methode);
     },
     [](const contexte_cibles& c, std::ostream* o, std::ostream*) {
       c.automate->VHDL_put(*o, altera_mode, c.module);
     },
     nullptr},
    {"-doc", &doc_mode, &noms_compilation::doc, nullptr, ecrit_fba<&FBA::DOC_put>,
     ecrit_automate<&b_automaton::DOC_put>, nullptr},
};

ecrivain_cible ecrivain_du_mode(const cible_tarvek& c) {
  return equ_mode ? c.equationnel : c.par_situations;
}

}  // namespace

std::unique_ptr<fichier_cible> ecrit_cibles(const contexte_cibles& ctx,
                                            const noms_compilation& noms) {
  std::unique_ptr<fichier_cible> doc;
  for (auto const& c : table_cibles) {
    if (!*c.flag) continue;
    if (equ_mode && c.sans_equationnel) {
      incompatible_equationnel(c.sans_equationnel);
      continue;
    }
    ecrivain_cible ecrit = ecrivain_du_mode(c);
    auto out = std::make_unique<fichier_cible>(noms.*c.fichier);
    std::unique_ptr<fichier_cible> entete;
    if (c.entete) entete = std::make_unique<fichier_cible>(noms.*c.entete);
    ecrit(ctx, &out->flot(), entete ? &entete->flot() : nullptr);
    // The driver ends the documentation with the CPU time of the run.
    if (c.fichier == &noms_compilation::doc) {
      out->verifie();
      doc = std::move(out);
      continue;
    }
    out->ferme();
    if (entete) entete->ferme();
    out->met_en_place();
    if (entete) entete->met_en_place();
  }
  return doc;
}
