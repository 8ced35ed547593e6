#include <systemc.h>
#include "va_et_vient.h"

// Processes
void va_et_vient::va_et_vient_thread()
{
  // state and output computation
  if (reset == !false){
    l = false;

    X1 = !false;
    X2 = false;
  }
  else if ( clk.event()){ 
 //internal definitions
    X1_Reset_notb.write(0);
    X1_Set_b.write(0);
    X2_Reset_b.write(0);
    X2_Set_notb.write(0);
    RTL1_b.write(X1 || ! X1 && X1_Set_b);
    RTL2_notb.write(X2 || ! X2 && X2_Set_notb);
    X1_Reset_b.write(RTL1_b);
    X1_Set_notb.write(RTL2_notb);
    X2_Reset_notb.write(RTL2_notb);
    X2_Set_b.write(RTL1_b);
    X1_Reset.write(b && X1_Reset_b || ! b && X1_Reset_notb);
    X1_Set.write(b && X1_Set_b || ! b && X1_Set_notb);
    X2_Reset.write(b && X2_Reset_b || ! b && X2_Reset_notb);
    X2_Set.write(b && X2_Set_b || ! b && X2_Set_notb);
    X1next_b.write(X1 && X1_Reset_b && X1_Set_b || X1 && ! X1_Reset_b || ! X1 && ! X1_Reset_b && X1_Set_b);
    X1next_notb.write(X1 && X1_Reset_notb && X1_Set_notb || X1 && ! X1_Reset_notb || ! X1 && ! X1_Reset_notb && X1_Set_notb);
    X2next_b.write(X2 && X2_Reset_b && X2_Set_b || X2 && ! X2_Reset_b || ! X2 && ! X2_Reset_b && X2_Set_b);
    X2next_notb.write(X2 && X2_Reset_notb && X2_Set_notb || X2 && ! X2_Reset_notb || ! X2 && ! X2_Reset_notb && X2_Set_notb);
    RE1_b.write(X1 && X1_Reset_b && X1_Set_b || ! X1 && X1_Set_b);
    RE1_notb.write(X1 && X1_Reset_notb && X1_Set_notb || ! X1 && X1_Set_notb);
    FE1_b.write(X1 && X1_Reset_b || ! X1 && X1_Reset_b && X1_Set_b);
    FE1_notb.write(X1 && X1_Reset_notb || ! X1 && X1_Reset_notb && X1_Set_notb);
    ZX1_b.write(X1 && X1_Reset_b && X1_Set_b || X1 && ! X1_Reset_b || ! X1 && ! X1_Reset_b && X1_Set_b);
    ZX1_notb.write(X1 && X1_Reset_notb && X1_Set_notb || X1 && ! X1_Reset_notb || ! X1 && ! X1_Reset_notb && X1_Set_notb);
    RTL1_notb.write(X1 || ! X1 && X1_Set_notb);
    RE2_b.write(X2 && X2_Reset_b && X2_Set_b || ! X2 && X2_Set_b);
    RE2_notb.write(X2 && X2_Reset_notb && X2_Set_notb || ! X2 && X2_Set_notb);
    FE2_b.write(X2 && X2_Reset_b || ! X2 && X2_Reset_b && X2_Set_b);
    FE2_notb.write(X2 && X2_Reset_notb || ! X2 && X2_Reset_notb && X2_Set_notb);
    ZX2_b.write(X2 && X2_Reset_b && X2_Set_b || X2 && ! X2_Reset_b || ! X2 && ! X2_Reset_b && X2_Set_b);
    ZX2_notb.write(X2 && X2_Reset_notb && X2_Set_notb || X2 && ! X2_Reset_notb || ! X2 && ! X2_Reset_notb && X2_Set_notb);
    RTL2_b.write(X2 || ! X2 && X2_Set_b);
    X1next.write(b && X1next_b || ! b && X1next_notb);
    X2next.write(b && X2next_b || ! b && X2next_notb);
    RE1.write(b && RE1_b || ! b && RE1_notb);
    FE1.write(b && FE1_b || ! b && FE1_notb);
    ZX1.write(b && ZX1_b || ! b && ZX1_notb);
    RTL1.write(b && RTL1_b || ! b && RTL1_notb);
    RE2.write(b && RE2_b || ! b && RE2_notb);
    FE2.write(b && FE2_b || ! b && FE2_notb);
    ZX2.write(b && ZX2_b || ! b && ZX2_notb);
    RTL2.write(b && RTL2_b || ! b && RTL2_notb);
    l_b.write(ZX2_b);
    l_notb.write(ZX2_notb);
    l.write(b && l_b || ! b && l_notb);

    X1 = X1next;
    X2 = X2next;
  }
};
