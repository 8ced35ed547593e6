extern void my_setup(void);
extern void my_before(void);
extern void my_after(void);
extern int a(void);
extern void o_true(void);
extern void o_false(void);
extern void e(void);

int constante_X1;

void setup()
{
  my_setup();
  constante_X1= !0;
}

void loop()
{
  int constante_X1next;

  int constante_X1_Reset,
      constante_X1_Set,
      constante_RE1,
      constante_FE1,
      constante_ZX1,
      constante_RTL1,
      constante_a;

  int constante_def_node[26];

  /* user before() function call */
  my_before();

  /* inputs reading */
  constante_a=a();

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
  if(constante_def_node[25])
  {
     o_true();
  }
  else
  {
     o_false();
  }

  if(constante_RE1)
  {
     e();
  }


  /* internal transitions */
  constante_X1= constante_X1next;

  /* user after() function call */
  my_after();
}

