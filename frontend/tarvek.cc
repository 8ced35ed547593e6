// The driver: one compilation from the command line, from the .gt file to
// the log, in the order of the road below; every error ends the run with its
// message and exit code 1.
#include "tarvek.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <list>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "Stringpp.h"
#include "bddpp.h"
#include "g_messages.h"
#include "g_platform.h"
#include "g_time.h"
#include "gt_norm.h"
#include "lex.gt.h"
#include "parse_gt.h"
#include "tarvek_cibles.h"
#include "tarvek_compil.h"
#include "tarvek_compilation.h"
#include "tarvek_ensembles.h"
#include "tarvek_fichier_cible.h"
#include "wintarvek_interface.h"


static const char* const fin_erreur = "\n    --> break compilation processing ...";
static const char* const fin_warning = "\n    --> continuing ...";

static std::string entre_guillemets(const std::string& s) { return "\"" + s + "\""; }


// The usage text is kept to the character, blanks included.
static void usage() {
  const std::string v = std::string(TARVEK_VERSION) + ", BDD version " + Bdd_version();
  const std::string lignes[] = {
      "",
      "        TARVEK: compilateur GRAFCET vers SC",
      "        auteur Brenlo, version " + v,
      "",
      "   syntaxe:",
      "",
      "         tarvek <nom_fichier> [-simul]",
      "                            [-equational]",
      "                            [-show] [-explain] [-noarrange] [-noipcheck] [-step] [-0x]",
      "                            [-sc] [-brimot] [-lustre] [-esterel]",
      "                            [-blif] [-vune] [-vhdl] [-altera] [-c] [-ino]",
      "",
      "         OU tarvek -v",
      "",
      "         OU tarvek -h",
      "",
      "   options:",
      "",
      "      -h : cette aide",
      "",
      "      -v : version du compilateur",
      "",
      "      -simul : genere les equations boolennes de changement d'etat",
      "               (voir aussi Brimot) pour le simulateur pelzo",
      "",
      "      -explain : explicite dans le fichier log",
      "           le parsing du fichier gt,",
      "           le deroulement de l'algorithme PFI",
      "",
      "      -show : montre l'evolution de la compilation (console)",
      "",
      "      -noarrange : desactive le reordonnancement des variables BDD",
      "                   avant generation ",
      "",
      "      -noipcheck : desactive la verification d'absence de parallelisme interprete",
      "      -Ox : niveau d'optimisation du code genere",
      "            (x=0: sans, x=2: meilleur)",
      "",
      "      -step : traverse un seul niveau de transitions a la fois",
      "",
      "      -equational : compile via le mode equationnel (par defaut recherche des situations "
      "accessibles)",
      "",
      "      -brimot : genere un fichier brm d'equations booleennes pour l'analyseur BRIMOT",
      "",
      "      -sc : genere un fichier sc causal d'equations booleennes",
      "            pour reintegrer la chaine de compilation Esterel",
      "",
      "      -lustre : genere un noeud LUSTRE de comportement equivalent",
      "",
      "      -esterel : genere un module ESTEREL de comportement equivalent",
      "",
      "      -vune : genere un module Vestrane ",
      "",
      "      -blif : genere un fichier au format blif",
      "",
      "      -vhdl : genere un fichier d'equations booleennes au format vhdl",
      "",
      "         -altera : generation vhdl specifique a la famille Altera",
      "",
      "      -doc : genere un fichier de documentation",
      "",
      "      -c : genere l'automate en langage c",
      "           un fichier d'entete .h est aussi genere",
      "",
      "      -ino : genere un fichier ino pour l'environnement arduino",
      ""};
  for (auto const& l : lignes) std::cout << l << std::endl;
}

struct option_tarvek {
  const char* nom;
  int* flag;
  int valeur;
  int* autre_flag;  // a second flag set to 1, or null
};

static const option_tarvek table_options[] = {
    {"-simul", &simul_mode, 1, nullptr},
    {"-explain", &explain_mode, 1, nullptr},
    {"-show", &show_mode, 1, nullptr},
    {"-noarrange", &noarrange_mode, 1, nullptr},
    {"-noipcheck", &no_interpreted_parallelism_check_mode, 1, nullptr},
    {"-O0", &optimisation_mode, 0, nullptr},
    {"-O1", &optimisation_mode, 1, nullptr},
    {"-O2", &optimisation_mode, 2, nullptr},
    {"-step", &step_mode, 1, nullptr},
    {"-equational", &equ_mode, 1, nullptr},
    {"-sc", &sc_mode, 1, nullptr},
    {"-brimot", &brimot_mode, 1, nullptr},
    {"-lustre", &lustre_mode, 1, nullptr},
    {"-esterel", &esterel_mode, 1, nullptr},
    {"-blif", &blif_mode, 1, nullptr},
    {"-vune", &vune_mode, 1, nullptr},
    {"-intern", &internal_mode, 1, nullptr},
    {"-c", &c_mode, 1, nullptr},
    {"-ino", &ino_mode, 1, nullptr},
    {"-vhdl", &vhdl_mode, 1, nullptr},
    {"-doc", &doc_mode, 1, nullptr},
    {"-altera", &vhdl_mode, 1, &altera_mode},
};

static void lit_option(const std::string& argument) {
  bool connue = false;
  for (auto const& o : table_options) {
    if (argument != o.nom) continue;
    connue = true;
    *o.flag = o.valeur;
    if (o.autre_flag) *o.autre_flag = 1;
  }
  if (connue) return;
  std::cerr << "`" << argument << "' option inconnue: tapez tarvek -h pour en connaitre la liste"
            << std::endl
            << std::endl;
  exit(1);
}

// The base name is the name cut before its first ".gt", wherever that
// stands; a name without one is its own base name.
static std::string lit_ligne_de_commande(int argc, char** argv) {
  std::string nom = argv[1];
  if (nom == "-h") {
    usage();
    exit(0);
  }
  if (nom == "-v") {
    std::cout << "tarvek : compilateur grafcet vers sc. version " << TARVEK_VERSION
              << ", BDD version " << Bdd_version() << std::endl;
    exit(0);
  }
  for (int i = 2; i < argc; ++i) lit_option(argv[i]);
  int p = find(nom, ".gt");
  return p < 0 ? nom : my_before(nom, p);
}

// Without arguments the option window chooses the file and the options; it
// needs a display, and without one the run says so instead of dying in FLTK.
static std::string sans_arguments(int* argc, char** argv) {
  if (!g_display_available()) {
    std::cerr << "tarvek: no display for the option window: give a .gt file (tarvek -h for the usage)"
              << std::endl;
    exit(1);
  }
  std::string base;
  wintarvek_run(argc, argv, base);
  return base;
}

// A log that cannot be written is an error: a run must not end as a success
// without the record of what it did.
[[noreturn]] static void log_impossible(const noms_compilation& noms) { fichier_impossible(noms.log); }

// The whole input is read before any file is written: a run whose input
// cannot be read (missing, a folder, a read that fails part way) leaves no
// file behind, and the scanner never meets a failing read.
static void lit_entree(const noms_compilation& noms, std::istringstream& texte) {
  std::ifstream input(noms.input, std::ios::in | std::ios::binary);
  if (!input) arrete_sur_message("file " + noms.input + " not found !" + fin_erreur);
  std::string lu;
  std::vector<char> bloc(1 << 16);
  do {
    input.read(bloc.data(), static_cast<std::streamsize>(bloc.size()));
    lu.append(bloc.data(), static_cast<size_t>(input.gcount()));
  } while (input);
  if (input.bad()) arrete_sur_message("file " + noms.input + " cannot be read !" + fin_erreur);
  texte.str(lu);
}

static void ouvre_log(const noms_compilation& noms, std::fstream& log) {
  log.open(noms.log, std::ios::out | std::ios::trunc);
  if (!log.is_open()) log_impossible(noms);
}

static tpen_fichier* lit_grafcet(class_gt_parser& parser, std::istream& input, std::fstream& log,
                                 const noms_compilation& noms) {
  if (show_mode) std::cout << "PARSING" << std::flush;
  parser.lexer = new gtFlexLexer(&input, &log);
  if (parser.parse(log, explain_mode) != 0)
    arrete_sur_message("file " + noms.input + " not found or syntax error ...");
  return parser.result;
}

// A warning goes into the log as well, where the reader of a run's record
// finds it beside the dump of the grafcet.
static void avertit(std::fstream& log, const std::string& texte) {
  log << texte << std::endl;
  signale_message(texte);
}

// What the reader and the encoding kept although the file most likely meant
// something else: a step's number written for its position in a FR: or TO:
// list, a receptivity that the "=1" rule reads as 1 whatever else it says,
// a guarded part that is always false and read as 1 all the same.
static void signale_lectures_douteuses(tpen_fichier& grafcet, tpen_BDD_fichier& encodage,
                                       std::fstream& log) {
  int n = grafcet.nbr_etapes();
  std::string etendue = n == 0 ? "the grafcet has no step"
                               : "the step positions run from 0 to " + std::to_string(n - 1);
  for (auto const& p : grafcet.positions_ignorees())
    avertit(log, "WARNING: transition: " + entre_guillemets(nom_transition(encodage, p.transition)) +
                     " lists step position " + std::to_string(p.position) + " after " +
                     (p.aval ? "TO:" : "FR:") + ", but " + etendue + ": position ignored !!!" +
                     fin_warning);
  for (int t : encodage.ens_ident_transitions_egal_un())
    avertit(log, "WARNING: transition: " + entre_guillemets(nom_transition(encodage, t)) +
                     " has the receptivity " + entre_guillemets(encodage.receptivite_transition(t)) +
                     ", which holds \"=1\" and is read as the constant 1 !!!" + fin_warning);
  for (auto const& [t, partie] : encodage.parties_gardees_fausses())
    avertit(log, "WARNING: transition: " + entre_guillemets(nom_transition(encodage, t)) +
                     " has the guarded part " + entre_guillemets(partie) +
                     ", which is always false and is read as 1 !!!" + fin_warning);
}

// Errors stop at the first failing check; the overlap warnings let the run
// go on. The output positions of the actions are checked last.
static void verifie_grafcet(tpen_fichier& g) {
  std::string r = g.verif_traitement_tout_type_etape_tarvek();
  if (!r.empty())
    arrete_sur_message("ERROR: " + r + " not yet implemented ... \n   --> break compilation processing ...");
  if (g.verif_existence_etape_initiale() == 0)
    arrete_sur_message(std::string("ERROR: No initial step found !!!") + fin_erreur);
  r = g.verif_noms_identiques_etapes();
  if (!r.empty())
    arrete_sur_message("ERROR: Several steps have the same ident: " + entre_guillemets(r) + " !!!" +
           fin_erreur);
  r = g.verif_non_existence_receptivite_vide();
  if (!r.empty())
    arrete_sur_message("ERROR: transition: " + entre_guillemets(r) + " is not defined !!!" + fin_erreur);
  r = g.verif_connexion_transition();
  if (!r.empty())
    arrete_sur_message("ERROR: transition: " + entre_guillemets(r) + " is not connected !!!" + fin_erreur);
  std::string second;
  r = g.verif_aucune_superposition_transition(second);
  if (!r.empty())
    signale_message("WARNING: transition: " + entre_guillemets(r) + " shadows transition " +
            entre_guillemets(second) + " !!!" + fin_warning);
  r = g.verif_aucune_superposition_etape(second);
  if (!r.empty())
    signale_message("WARNING: step: " + entre_guillemets(r) + " shadows step " + entre_guillemets(second) +
            " !!!" + fin_warning);
  r = g.verif_aucune_superposition_etape_transition(second);
  if (!r.empty())
    signale_message("WARNING: transition: " + entre_guillemets(r) + " shadows step " +
            entre_guillemets(second) + " !!!" + fin_warning);
  int output = 0;
  r = g.verif_outputs_actions(output);
  if (!r.empty())
    arrete_sur_message("ERROR: step: " + entre_guillemets(r) + " drives output " + std::to_string(output) +
           ", which is not declared !!!" + fin_erreur);
}

// The step mode first, so that every later stage sees the guards it sets;
// the check does not read them.
static void prepare_compilation(tpen_BDD_fichier& encodage) {
  if (step_mode) encodage.force_garde_transitions();
  if (no_interpreted_parallelism_check_mode) return;
  std::string r = encodage.check_interpreted_parallelism();
  if (!r.empty()) arrete_sur_message("ERROR: \n" + r + "\n   --> break compilation processing ...");
}

static bool sorties_demandees() {
  return sc_mode || brimot_mode || lustre_mode || esterel_mode || blif_mode || vune_mode ||
         internal_mode || simul_mode || c_mode || ino_mode || vhdl_mode || doc_mode;
}

// The CPU time since the input was opened closes the log, and the
// documentation when there is one, which only then takes its place.
static void termine_log(g_chrono& chrono, std::fstream& log, const noms_compilation& noms,
                        std::unique_ptr<fichier_cible> doc) {
  log << std::endl;
  double t = chrono.Stop() / 1000.0;
  log << "CPU computing time: " << t << " secondes" << std::endl;
  log.close();
  if (log.fail()) log_impossible(noms);
  if (!doc) return;
  doc->flot() << "Temps CPU de compilation: " << t << " secondes" << std::endl << std::endl;
  doc->ferme();
  doc->met_en_place();
}

int main(int argc, char** argv) {
  // The parser keeps the scanner and the grafcet to the end of the run.
  static class_gt_parser parser;
  static g_chrono chrono;
  static std::istringstream input;
  static std::fstream log;
  remet_options();

  std::string base = argc <= 1 ? sans_arguments(&argc, argv) : lit_ligne_de_commande(argc, argv);
  noms_compilation noms = construit_noms(base);
  if (optimisation_mode == 0) noarrange_mode = 1;

  chrono.Go();
  lit_entree(noms, input);
  ouvre_log(noms, log);
  tpen_fichier* grafcet = lit_grafcet(parser, input, log, noms);
  // Before the checks, so that a condition that does not parse is reported
  // first. Kept to the end of the run.
  static tpen_BDD_fichier* encodage = new tpen_BDD_fichier(grafcet);
  signale_lectures_douteuses(*grafcet, *encodage, log);

  // Taken before -simul can add outputs.
  std::list<std::string> outputs_evenements = grafcet->liste_outputs_impulsionnelles();
  if (show_mode) std::cout << "PARSING OK" << std::endl;
  verifie_grafcet(*grafcet);
  prepare_compilation(*encodage);
  // The encoding is a grafcet of its own: both gain the exported outputs.
  if (simul_mode) {
    grafcet->export_etapes();
    encodage->export_etapes();
  }

  grafcet->put(log);

  std::string module;
  // Held to the end of the run by whatever ends it.
  static b_automaton* automate = nullptr;
  static FBA* automate_fba = nullptr;
  if (equ_mode)
    automate = compilation_equationnelle(*encodage, *grafcet, log, module);
  else
    automate_fba = compilation_par_situations(*encodage, log);

  std::unique_ptr<fichier_cible> doc;
  if (!sorties_demandees()) {
    signale_message("Warning: no outputs required : only generation of .log file ...");
  } else {
    contexte_cibles cibles = {automate_fba, automate, module, optimisation_mode,
                              outputs_evenements};
    verifie_noms_cibles(cibles);
    if (show_mode) std::cout << "GENERATION" << std::endl;
    doc = ecrit_cibles(cibles, noms);
    // What the writers' covers had to do otherwise than usual.
    if (automate_fba)
      for (std::string const& note : automate_fba->get_manager()->Bdd_take_notes()) log << note << std::endl;
  }
  delete automate_fba;
  delete automate;

  termine_log(chrono, log, noms, std::move(doc));
  exit(0);
}
