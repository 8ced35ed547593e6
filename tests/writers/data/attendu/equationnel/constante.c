int constante_X1,
    constante_X1next;

void constante_reset_automaton(int constante_a, int *constante_o, int *constante_e)
{
  constante_X1= !0;
}

void constante_automaton(int constante_a, int *constante_o, int *constante_e)
{
  int constante_X1_Reset, constante_X1_Set, constante_RE1, constante_FE1, constante_ZX1, constante_RTL1;

  int constante_def_node[26];
  /* internal definitions */
   constante_def_node[1]= !0;
   constante_X1_Reset= !constante_def_node[1];
   constante_X1_Set= !constante_def_node[1];
  constante_def_node[8]= constante_X1_Set;
  constante_def_node[15]= constante_X1_Reset && constante_def_node[8] || !constante_X1_Reset && constante_def_node[1];
  constante_def_node[17]= constante_X1_Reset && constante_def_node[1] || !constante_X1_Reset && !constante_def_node[8];
  constante_def_node[18]= constante_X1 && constante_def_node[15] || !constante_X1 && !constante_def_node[17];
   constante_X1next= constante_def_node[18];
  constante_def_node[20]= constante_X1_Reset && constante_def_node[8] || !constante_X1_Reset && !constante_def_node[1];
  constante_def_node[22]= constante_X1 && constante_def_node[20] || !constante_X1 && constante_def_node[8];
   constante_RE1= constante_def_node[22];
  constante_def_node[7]= constante_X1_Reset;
  constante_def_node[24]= constante_X1 && constante_def_node[7] || !constante_X1 && constante_def_node[20];
   constante_FE1= constante_def_node[24];
   constante_ZX1= constante_def_node[18];
  constante_def_node[19]= constante_X1 && constante_def_node[1] || !constante_X1 && constante_def_node[8];
   constante_RTL1= constante_def_node[19];
  constante_def_node[11]= constante_ZX1;
  constante_def_node[25]= constante_a && constante_def_node[11] || !constante_a && !constante_def_node[1];
  *constante_o= constante_def_node[25];
  *constante_e= constante_RE1;

  /* internal transitions */
  constante_X1= constante_X1next;

}

