extern void my_setup(void);
extern void my_before(void);
extern void my_after(void);
extern int a(void);
extern void o_true(void);
extern void o_false(void);
extern void e(void);

int constante_X1,
    constante_a,
    constante_o,
    constante_e,
    constante_X1next;

void setup()
{
  my_setup();
  constante_X1= !0;
}

void loop()
{
  /* user before() function call */
  my_before();

  /* inputs reading */
  constante_a= a();

  constante_X1next= 1;

  constante_o= constante_X1next && constante_a;
  if(constante_o)
  {
    o_true();
  }
  else
  {
    o_false();
  }
  constante_e= 0;
  if(constante_e)
  {
    e();
  }

  constante_X1= constante_X1next;
  /* user after() function call */
  my_after();
}

