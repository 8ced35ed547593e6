// The generated VHDL designs under ghdl: a testbench per automaton (per
// sequence a reset, then per input vector: set the inputs, rising clock
// edge, falling edge), one top entity that holds them all, one run of it
// that dumps every signal, and the trace of each design read back from the
// dump: its outputs and state registers after each falling edge, in the
// form of automate_genere::attendu.
#ifndef TARVEK_TESTS_BANC_VHDL_H
#define TARVEK_TESTS_BANC_VHDL_H

#include <string>
#include <vector>

#include "generation_test.h"

// The testbench entity "tb_" + module. The ports of a symbolic design carry
// the module name and "_" before their names, those of an equational one
// do not; the Altera form has std_logic in place of bit.
std::string banc_vhdl(const automate_genere& a, bool altera);

struct jeu_ghdl {
  std::string erreur;                            // of ghdl, empty when it passed
  std::vector<std::vector<std::string>> traces;  // of each design
};

// Analyses every design (designs[k] the .vhd of automates[k]) with its
// testbench and the top entity into one work library under dossier, then
// elaborates and runs the top entity; ghdl gets the options at each step
// (-fsynopsys for the designs that use the Synopsys packages).
jeu_ghdl joue_ghdl(const std::string& dossier, const std::vector<automate_genere>& automates,
                   const std::vector<std::string>& designs, bool altera,
                   const std::vector<std::string>& options = {});

#endif
