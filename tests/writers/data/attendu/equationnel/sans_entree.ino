extern void my_setup(void);
extern void my_before(void);
extern void my_after(void);
extern void o_true(void);
extern void o_false(void);

int sans_entree_X1,
    sans_entree_X2;

void setup()
{
  my_setup();
  sans_entree_X1= !0;
  sans_entree_X2= 0;
}

void loop()
{
  int sans_entree_X1next,
      sans_entree_X2next;

  int sans_entree_X1_Reset,
      sans_entree_X1_Set,
      sans_entree_RE1,
      sans_entree_FE1,
      sans_entree_ZX1,
      sans_entree_RTL1,
      sans_entree_X2_Reset,
      sans_entree_X2_Set,
      sans_entree_RE2,
      sans_entree_FE2,
      sans_entree_ZX2,
      sans_entree_RTL2;

  int sans_entree_def_node[43];

  /* user before() function call */
  my_before();

  /* inputs reading */

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
  if(sans_entree_ZX1)
  {
     o_true();
  }
  else
  {
     o_false();
  }


  /* internal transitions */
  sans_entree_X1= sans_entree_X1next;
  sans_entree_X2= sans_entree_X2next;

  /* user after() function call */
  my_after();
}

