#ifndef va_et_vient_H
#define va_et_vient_H

#include <systemc.h>

SC_MODULE(va_et_vient)
{
    // Port Declaration
    sc_in<bool> b;
    sc_in<bool> reset;
    sc_in<bool> clk;
    sc_out<bool> l;

   // Data Members
    sc_signal<bool> X1;
    sc_signal<bool> X2;
    sc_signal<bool> X1next;
    sc_signal<bool> X2next;
    sc_signal<bool> X1_Reset;
    sc_signal<bool> X1_Set;
    sc_signal<bool> RE1;
    sc_signal<bool> FE1;
    sc_signal<bool> ZX1;
    sc_signal<bool> RTL1;
    sc_signal<bool> X2_Reset;
    sc_signal<bool> X2_Set;
    sc_signal<bool> RE2;
    sc_signal<bool> FE2;
    sc_signal<bool> ZX2;
    sc_signal<bool> RTL2;
    sc_signal<bool> X1next_b;
    sc_signal<bool> X1next_notb;
    sc_signal<bool> X2next_b;
    sc_signal<bool> X2next_notb;
    sc_signal<bool> l_b;
    sc_signal<bool> l_notb;
    sc_signal<bool> X1_Reset_b;
    sc_signal<bool> X1_Reset_notb;
    sc_signal<bool> X1_Set_b;
    sc_signal<bool> X1_Set_notb;
    sc_signal<bool> RE1_b;
    sc_signal<bool> RE1_notb;
    sc_signal<bool> FE1_b;
    sc_signal<bool> FE1_notb;
    sc_signal<bool> ZX1_b;
    sc_signal<bool> ZX1_notb;
    sc_signal<bool> RTL1_b;
    sc_signal<bool> RTL1_notb;
    sc_signal<bool> X2_Reset_b;
    sc_signal<bool> X2_Reset_notb;
    sc_signal<bool> X2_Set_b;
    sc_signal<bool> X2_Set_notb;
    sc_signal<bool> RE2_b;
    sc_signal<bool> RE2_notb;
    sc_signal<bool> FE2_b;
    sc_signal<bool> FE2_notb;
    sc_signal<bool> ZX2_b;
    sc_signal<bool> ZX2_notb;
    sc_signal<bool> RTL2_b;
    sc_signal<bool> RTL2_notb;

    // Constructor
    SC_CTOR(va_et_vient)
    {
      SC_METHOD(va_et_vient_thread);
      sensitive(b);
      sensitive(reset);
      sensitive << clk.pos();
    }

    // Processes
    void va_et_vient_thread();
};

#endif
