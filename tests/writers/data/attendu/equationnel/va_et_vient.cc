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
  else if ( clk.posedge()){ 
 //internal definitions
    bool X1_Reset_notb = 0;
    bool X1_Set_b = 0;
    bool X2_Reset_b = 0;
    bool X2_Set_notb = 0;
    bool RTL1_b = X1 || ! X1 && X1_Set_b;
    bool RTL2_notb = X2 || ! X2 && X2_Set_notb;
    bool X1_Reset_b = RTL1_b;
    bool X1_Set_notb = RTL2_notb;
    bool X2_Reset_notb = RTL2_notb;
    bool X2_Set_b = RTL1_b;
    bool X1_Reset = b && X1_Reset_b || ! b && X1_Reset_notb;
    bool X1_Set = b && X1_Set_b || ! b && X1_Set_notb;
    bool X2_Reset = b && X2_Reset_b || ! b && X2_Reset_notb;
    bool X2_Set = b && X2_Set_b || ! b && X2_Set_notb;
    bool X1next_b = X1 && X1_Reset_b && X1_Set_b || X1 && ! X1_Reset_b || ! X1 && ! X1_Reset_b && X1_Set_b;
    bool X1next_notb = X1 && X1_Reset_notb && X1_Set_notb || X1 && ! X1_Reset_notb || ! X1 && ! X1_Reset_notb && X1_Set_notb;
    bool X2next_b = X2 && X2_Reset_b && X2_Set_b || X2 && ! X2_Reset_b || ! X2 && ! X2_Reset_b && X2_Set_b;
    bool X2next_notb = X2 && X2_Reset_notb && X2_Set_notb || X2 && ! X2_Reset_notb || ! X2 && ! X2_Reset_notb && X2_Set_notb;
    bool RE1_b = X1 && X1_Reset_b && X1_Set_b || ! X1 && X1_Set_b;
    bool RE1_notb = X1 && X1_Reset_notb && X1_Set_notb || ! X1 && X1_Set_notb;
    bool FE1_b = X1 && X1_Reset_b || ! X1 && X1_Reset_b && X1_Set_b;
    bool FE1_notb = X1 && X1_Reset_notb || ! X1 && X1_Reset_notb && X1_Set_notb;
    bool ZX1_b = X1 && X1_Reset_b && X1_Set_b || X1 && ! X1_Reset_b || ! X1 && ! X1_Reset_b && X1_Set_b;
    bool ZX1_notb = X1 && X1_Reset_notb && X1_Set_notb || X1 && ! X1_Reset_notb || ! X1 && ! X1_Reset_notb && X1_Set_notb;
    bool RTL1_notb = X1 || ! X1 && X1_Set_notb;
    bool RE2_b = X2 && X2_Reset_b && X2_Set_b || ! X2 && X2_Set_b;
    bool RE2_notb = X2 && X2_Reset_notb && X2_Set_notb || ! X2 && X2_Set_notb;
    bool FE2_b = X2 && X2_Reset_b || ! X2 && X2_Reset_b && X2_Set_b;
    bool FE2_notb = X2 && X2_Reset_notb || ! X2 && X2_Reset_notb && X2_Set_notb;
    bool ZX2_b = X2 && X2_Reset_b && X2_Set_b || X2 && ! X2_Reset_b || ! X2 && ! X2_Reset_b && X2_Set_b;
    bool ZX2_notb = X2 && X2_Reset_notb && X2_Set_notb || X2 && ! X2_Reset_notb || ! X2 && ! X2_Reset_notb && X2_Set_notb;
    bool RTL2_b = X2 || ! X2 && X2_Set_b;
    bool X1next = b && X1next_b || ! b && X1next_notb;
    bool X2next = b && X2next_b || ! b && X2next_notb;
    bool RE1 = b && RE1_b || ! b && RE1_notb;
    bool FE1 = b && FE1_b || ! b && FE1_notb;
    bool ZX1 = b && ZX1_b || ! b && ZX1_notb;
    bool RTL1 = b && RTL1_b || ! b && RTL1_notb;
    bool RE2 = b && RE2_b || ! b && RE2_notb;
    bool FE2 = b && FE2_b || ! b && FE2_notb;
    bool ZX2 = b && ZX2_b || ! b && ZX2_notb;
    bool RTL2 = b && RTL2_b || ! b && RTL2_notb;
    bool l_b = ZX2_b;
    bool l_notb = ZX2_notb;
    bool l = b && l_b || ! b && l_notb;

    this->X1_Reset_notb.write(X1_Reset_notb);
    this->X1_Set_b.write(X1_Set_b);
    this->X2_Reset_b.write(X2_Reset_b);
    this->X2_Set_notb.write(X2_Set_notb);
    this->RTL1_b.write(RTL1_b);
    this->RTL2_notb.write(RTL2_notb);
    this->X1_Reset_b.write(X1_Reset_b);
    this->X1_Set_notb.write(X1_Set_notb);
    this->X2_Reset_notb.write(X2_Reset_notb);
    this->X2_Set_b.write(X2_Set_b);
    this->X1_Reset.write(X1_Reset);
    this->X1_Set.write(X1_Set);
    this->X2_Reset.write(X2_Reset);
    this->X2_Set.write(X2_Set);
    this->X1next_b.write(X1next_b);
    this->X1next_notb.write(X1next_notb);
    this->X2next_b.write(X2next_b);
    this->X2next_notb.write(X2next_notb);
    this->RE1_b.write(RE1_b);
    this->RE1_notb.write(RE1_notb);
    this->FE1_b.write(FE1_b);
    this->FE1_notb.write(FE1_notb);
    this->ZX1_b.write(ZX1_b);
    this->ZX1_notb.write(ZX1_notb);
    this->RTL1_notb.write(RTL1_notb);
    this->RE2_b.write(RE2_b);
    this->RE2_notb.write(RE2_notb);
    this->FE2_b.write(FE2_b);
    this->FE2_notb.write(FE2_notb);
    this->ZX2_b.write(ZX2_b);
    this->ZX2_notb.write(ZX2_notb);
    this->RTL2_b.write(RTL2_b);
    this->X1next.write(X1next);
    this->X2next.write(X2next);
    this->RE1.write(RE1);
    this->FE1.write(FE1);
    this->ZX1.write(ZX1);
    this->RTL1.write(RTL1);
    this->RE2.write(RE2);
    this->FE2.write(FE2);
    this->ZX2.write(ZX2);
    this->RTL2.write(RTL2);
    this->l_b.write(l_b);
    this->l_notb.write(l_notb);
    this->l.write(l);
    X1 = X1next;
    X2 = X2next;
  }
};
