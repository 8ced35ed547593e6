extern void my_setup(void);
extern void my_before(void);
extern void my_after(void);
extern void o_true(void);
extern void o_false(void);

int sans_entree_X1,
    sans_entree_X2,
    sans_entree_o,
    sans_entree_X1next,
    sans_entree_X2next;

void setup()
{
  my_setup();
  sans_entree_X1= !0;
  sans_entree_X2= 0;
}

void loop()
{
  /* user before() function call */
  my_before();

  /* inputs reading */

  sans_entree_X1next= sans_entree_X2;
  sans_entree_X2next= ! sans_entree_X2;

  sans_entree_o= sans_entree_X1next;
  if(sans_entree_o)
  {
    o_true();
  }
  else
  {
    o_false();
  }

  sans_entree_X1= sans_entree_X1next;
  sans_entree_X2= sans_entree_X2next;
  /* user after() function call */
  my_after();
}

