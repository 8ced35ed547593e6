extern void constante_reset_automaton(int constante_a, int *constante_o, int *constante_e);

extern void constante_automaton(int constante_a, int *constante_o, int *constante_e);
