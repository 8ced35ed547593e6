// The process-wide option flags of one compilation, set from the command line
// or from the option window, and the program's version text.
#ifndef TARVEK_TARVEK_H
#define TARVEK_TARVEK_H

// The version is the CMake project's, given by the build.
#ifndef TARVEK_VERSION
#error "TARVEK_VERSION comes from the build: link tarvek_frontend"
#endif

extern int optimisation_mode;
extern int no_interpreted_parallelism_check_mode;
extern int step_mode;
extern int noarrange_mode;
extern int doc_mode;
extern int altera_mode;
extern int vhdl_mode;
extern int c_mode;
extern int internal_mode;
extern int ino_mode;
extern int vune_mode;
extern int blif_mode;
extern int esterel_mode;
extern int lustre_mode;
extern int brimot_mode;
extern int sc_mode;
extern int show_mode;     // defined by the compiler, which reads it
extern int explain_mode;  // likewise
extern int simul_mode;
extern int equ_mode;

// Every flag above, in that order; remet_options sets them all to 0.
extern int* const tarvek_option_flags[20];
void remet_options();

#endif
