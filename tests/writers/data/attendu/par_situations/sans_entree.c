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
  sans_entree_X1next= sans_entree_X2;
  sans_entree_X2next= ! sans_entree_X2;

  *sans_entree_o= sans_entree_X1next;

  sans_entree_X1= sans_entree_X1next;
  sans_entree_X2= sans_entree_X2next;
}

