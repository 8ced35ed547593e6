int constante_X1,
    constante_X1next;

void constante_reset_automaton(int constante_a, int *constante_o, int *constante_e)
{
  constante_X1= !0;
}

void constante_automaton(int constante_a, int *constante_o, int *constante_e)
{
  constante_X1next= 1;

  *constante_o= constante_X1next && constante_a;
  *constante_e= 0;

  constante_X1= constante_X1next;
}

