// Helpers of the tests that run the tarvek binary: the endings of its
// messages, a run in a folder, and small .gt texts.
#ifndef TARVEK_TESTS_TARVEK_CAS_H
#define TARVEK_TESTS_TARVEK_CAS_H

#include <string>
#include <vector>

#include "gt_source.h"
#include "run_tool.h"

inline const std::string casse = "\n    --> break compilation processing ...\n";
inline const std::string continue_ = "\n    --> continuing ...\n";
inline const std::string pas_de_sortie =
    "Warning: no outputs required : only generation of .log file ...\n";
// The announcement of the default compilation, which every run makes once
// its checks have passed.
inline const std::string par_situations = "RECHERCHE PAR ETAT ACCESSIBLES demande\n";
inline const std::string compile_seul = par_situations + pas_de_sortie;

inline run_result tarvek(const std::string& dossier, std::vector<std::string> args) {
  args.insert(args.begin(), tarvek_path());
  return run_tool(args, dossier, 60);
}

#endif
