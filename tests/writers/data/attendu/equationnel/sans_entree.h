extern void sans_entree_reset_automaton(int *sans_entree_o);

extern void sans_entree_automaton(int *sans_entree_o);

