-- VHDL generation from bascule

entity bascule is
  port( bascule_reset, bascule_clk: in bit;
     bascule_o, bascule_e: out bit);
end bascule;

architecture bascule_a of bascule is
signal X1, X2, X1next, X2next :bit;

begin
-- state and output computation
process (bascule_clk,bascule_reset)
begin
  if (bascule_reset = '0') then 
    bascule_o <= '0';
    bascule_e <= '0';

    X1 <= '1';
    X2 <= '0';
  elsif ( bascule_clk'event and bascule_clk='1') then 
  elsif ( bascule_clk'event and bascule_clk='0') then 
    bascule_o <= (X2next);
    bascule_e <= (X1 and not X2);

    X1 <= X1next;
    X2 <= X2next;
  end if;
end process;

-- future computation
  X1next <= (X2);

  X2next <= (not X2);

end bascule_a;

