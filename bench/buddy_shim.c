/* The benchmark's calls into BuDDy, through its public C interface only. */
#include "buddy_shim.h"

#include <bdd.h>
#include <stdlib.h>

static void quiet_gbc(int pre, bddGbcStat* s) {
  (void)pre;
  (void)s;
}

void bb_init(int nodes, int cache, int nbr_vars) {
  bdd_init(nodes, cache);
  bdd_setvarnum(nbr_vars);
  bdd_disable_reorder();
  bdd_gbc_hook(quiet_gbc);
}

void bb_done(void) { bdd_done(); }

static int kept(BDD f) { return bdd_addref(f); }

int bb_true(void) { return bdd_true(); }
int bb_false(void) { return bdd_false(); }
int bb_var(int i) { return kept(bdd_ithvar(i)); }
int bb_nvar(int i) { return kept(bdd_nithvar(i)); }
int bb_not(int f) { return kept(bdd_not(f)); }
int bb_and(int f, int g) { return kept(bdd_apply(f, g, bddop_and)); }
int bb_or(int f, int g) { return kept(bdd_apply(f, g, bddop_or)); }
int bb_xor(int f, int g) { return kept(bdd_apply(f, g, bddop_xor)); }
int bb_ite(int f, int g, int h) { return kept(bdd_ite(f, g, h)); }

int bb_exist(int f, int i) {
  BDD v = bdd_addref(bdd_ithvar(i));
  BDD r = bdd_addref(bdd_exist(f, v));
  bdd_delref(v);
  return r;
}

int bb_compose(int f, int i, int g) { return kept(bdd_compose(f, g, i)); }

int bb_rename(int f, int const* to, int nbr) {
  bddPair* p = bdd_newpair();
  for (int i = 0; i < nbr; ++i)
    if (to[i] != i) bdd_setpair(p, i, to[i]);
  BDD r = bdd_addref(bdd_replace(f, p));
  bdd_freepair(p);
  return r;
}

void bb_keep(int f) { bdd_addref(f); }
void bb_release(int f) { bdd_delref(f); }

int bb_eval(int f, char const* values) {
  while (f > 1) f = values[bdd_var(f)] ? bdd_high(f) : bdd_low(f);
  return f == 1;
}

double bb_satcount(int f) { return bdd_satcount(f); }

long bb_produced(void) {
  bddStat s;
  bdd_stats(&s);
  return s.produced;
}
int bb_top(int f) { return bdd_var(f); }
int bb_low(int f) { return bdd_low(f); }
int bb_high(int f) { return bdd_high(f); }
int bb_nodecount(int f) { return bdd_nodecount(f); }
