-- VHDL generation from sans_sortie

entity sans_sortie is
  port(sans_sortie_a,  sans_sortie_reset, sans_sortie_clk: in bit);
end sans_sortie;

architecture sans_sortie_a of sans_sortie is
signal a, X1, anext, X1next :bit;

begin
-- state and output computation
process (sans_sortie_clk,sans_sortie_reset)
begin
  if (sans_sortie_reset = '0') then 

    X1 <= '1';
  elsif ( sans_sortie_clk'event and sans_sortie_clk='1') then 
    a <= sans_sortie_a;
  elsif ( sans_sortie_clk'event and sans_sortie_clk='0') then 

    X1 <= X1next;
  end if;
end process;

-- future computation
  X1next <= '1';

end sans_sortie_a;

