/* A plain C face of BuDDy for the benchmark. BuDDy's own header defines a
   C++ class named bdd, which would clash with the engine's handle, so only
   buddy_shim.c includes it. Functions are BuDDy node numbers; every result
   comes back with one reference that bb_release gives back. */
#ifndef TARVEK_BENCH_BUDDY_SHIM_H
#define TARVEK_BENCH_BUDDY_SHIM_H

#ifdef __cplusplus
extern "C" {
#endif

/* Starts BuDDy with that many variables, reordering off and the collector
   quiet; bb_done releases everything. */
void bb_init(int nodes, int cache, int nbr_vars);
void bb_done(void);

int bb_true(void);
int bb_false(void);
int bb_var(int i);
int bb_nvar(int i);
int bb_not(int f);
int bb_and(int f, int g);
int bb_or(int f, int g);
int bb_xor(int f, int g);
int bb_ite(int f, int g, int h);
int bb_exist(int f, int i);
int bb_compose(int f, int i, int g);
/* Variable i becomes variable to[i], for i below nbr. */
int bb_rename(int f, int const* to, int nbr);
void bb_keep(int f);
void bb_release(int f);

/* Value under an assignment of one char (0 or 1) per variable. */
int bb_eval(int f, char const* values);
double bb_satcount(int f);
/* Nodes made since bb_init, those collected since included. */
long bb_produced(void);
/* The nodes themselves: variable, else child and then child. */
int bb_top(int f);
int bb_low(int f);
int bb_high(int f);
int bb_nodecount(int f);

#ifdef __cplusplus
}
#endif

#endif
