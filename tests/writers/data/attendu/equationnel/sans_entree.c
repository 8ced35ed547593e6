int sans_entree_X1,
    sans_entree_X2,
    sans_entree_X1next,
    sans_entree_X2next;

void sans_entree_reset_automaton(int *sans_entree_o)
{
  sans_entree_X1= !0;
  sans_entree_X2= 0;
}

void sans_entree_automaton(int *sans_entree_o)
{
  int sans_entree_X1_Reset, sans_entree_X1_Set, sans_entree_RE1, sans_entree_FE1, sans_entree_ZX1, sans_entree_RTL1, sans_entree_X2_Reset, sans_entree_X2_Set, sans_entree_RE2, sans_entree_FE2, sans_entree_ZX2, sans_entree_RTL2;

  int sans_entree_def_node[43];
  /* internal definitions */
   sans_entree_X1_Reset= sans_entree_X1;
   sans_entree_X1_Set= sans_entree_X2;
   sans_entree_X2_Reset= sans_entree_X2;
   sans_entree_X2_Set= sans_entree_X1;
  sans_entree_def_node[8]= sans_entree_X1_Set;
   sans_entree_def_node[1]= !0;
  sans_entree_def_node[21]= sans_entree_X1_Reset && sans_entree_def_node[8] || !sans_entree_X1_Reset && sans_entree_def_node[1];
  sans_entree_def_node[23]= sans_entree_X1_Reset && sans_entree_def_node[1] || !sans_entree_X1_Reset && !sans_entree_def_node[8];
  sans_entree_def_node[24]= sans_entree_X1 && sans_entree_def_node[21] || !sans_entree_X1 && !sans_entree_def_node[23];
   sans_entree_X1next= sans_entree_def_node[24];
  sans_entree_def_node[14]= sans_entree_X2_Set;
  sans_entree_def_node[33]= sans_entree_X2_Reset && sans_entree_def_node[14] || !sans_entree_X2_Reset && sans_entree_def_node[1];
  sans_entree_def_node[35]= sans_entree_X2_Reset && sans_entree_def_node[1] || !sans_entree_X2_Reset && !sans_entree_def_node[14];
  sans_entree_def_node[36]= sans_entree_X2 && sans_entree_def_node[33] || !sans_entree_X2 && !sans_entree_def_node[35];
   sans_entree_X2next= sans_entree_def_node[36];
  sans_entree_def_node[26]= sans_entree_X1_Reset && sans_entree_def_node[8] || !sans_entree_X1_Reset && !sans_entree_def_node[1];
  sans_entree_def_node[28]= sans_entree_X1 && sans_entree_def_node[26] || !sans_entree_X1 && sans_entree_def_node[8];
   sans_entree_RE1= sans_entree_def_node[28];
  sans_entree_def_node[7]= sans_entree_X1_Reset;
  sans_entree_def_node[30]= sans_entree_X1 && sans_entree_def_node[7] || !sans_entree_X1 && sans_entree_def_node[26];
   sans_entree_FE1= sans_entree_def_node[30];
   sans_entree_ZX1= sans_entree_def_node[24];
  sans_entree_def_node[25]= sans_entree_X1 && sans_entree_def_node[1] || !sans_entree_X1 && sans_entree_def_node[8];
   sans_entree_RTL1= sans_entree_def_node[25];
  sans_entree_def_node[38]= sans_entree_X2_Reset && sans_entree_def_node[14] || !sans_entree_X2_Reset && !sans_entree_def_node[1];
  sans_entree_def_node[40]= sans_entree_X2 && sans_entree_def_node[38] || !sans_entree_X2 && sans_entree_def_node[14];
   sans_entree_RE2= sans_entree_def_node[40];
  sans_entree_def_node[13]= sans_entree_X2_Reset;
  sans_entree_def_node[42]= sans_entree_X2 && sans_entree_def_node[13] || !sans_entree_X2 && sans_entree_def_node[38];
   sans_entree_FE2= sans_entree_def_node[42];
   sans_entree_ZX2= sans_entree_def_node[36];
  sans_entree_def_node[37]= sans_entree_X2 && sans_entree_def_node[1] || !sans_entree_X2 && sans_entree_def_node[14];
   sans_entree_RTL2= sans_entree_def_node[37];
  *sans_entree_o= sans_entree_ZX1;

  /* internal transitions */
  sans_entree_X1= sans_entree_X1next;
  sans_entree_X2= sans_entree_X2next;

}

