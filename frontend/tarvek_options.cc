// The option flags of one compilation, all 0 when the program starts;
// explain_mode and show_mode, which the compilers read, are theirs.
#include "tarvek.h"

int optimisation_mode = 0;
int no_interpreted_parallelism_check_mode = 0;
int step_mode = 0;
int noarrange_mode = 0;
int doc_mode = 0;
int altera_mode = 0;
int vhdl_mode = 0;
int c_mode = 0;
int internal_mode = 0;
int ino_mode = 0;
int vune_mode = 0;
int blif_mode = 0;
int esterel_mode = 0;
int lustre_mode = 0;
int brimot_mode = 0;
int sc_mode = 0;
int simul_mode = 0;
int equ_mode = 0;

int* const tarvek_option_flags[20] = {
    &optimisation_mode, &no_interpreted_parallelism_check_mode, &step_mode,    &noarrange_mode,
    &doc_mode,          &altera_mode,                           &vhdl_mode,    &c_mode,
    &internal_mode,     &ino_mode,                              &vune_mode,    &blif_mode,
    &esterel_mode,      &lustre_mode,                           &brimot_mode,  &sc_mode,
    &show_mode,         &explain_mode,                          &simul_mode,   &equ_mode};

void remet_options() {
  for (int* f : tarvek_option_flags) *f = 0;
}
