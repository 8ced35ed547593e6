-- VHDL generation from sans_sortie

entity sans_sortie is
  port(a,  reset, clk: in bit);
end sans_sortie;

architecture sans_sortie_a of sans_sortie is
TYPE array_sans_sortie_node IS ARRAY (23 downto 0) OF bit ;
signal X1 : bit;
signal X1next : bit;
signal X1_Reset : bit;
signal X1_Set : bit;
signal RE1 : bit;
signal FE1 : bit;
signal ZX1 : bit;
signal RTL1 : bit;
signal sans_sortie_node : array_sans_sortie_node;

begin
-- state and output computation
process (reset,clk)
begin
  if (reset = '0') then 
      X1 <= '1';
      sans_sortie_node(4) <= '0';
  elsif ( clk'event and clk='1') then 
      sans_sortie_node(4) <= a;
  elsif ( clk'event and clk='0') then 
      X1 <= X1next;
   end if;
end process;

-- actualisation
      sans_sortie_node(2) <= X1;
      sans_sortie_node(5) <= X1_Reset;
      sans_sortie_node(6) <= X1_Set;
      sans_sortie_node(1) <= '1';
      X1_Reset <= not sans_sortie_node(1);

      X1_Set <= not sans_sortie_node(1);

      sans_sortie_node(13) <= (sans_sortie_node(5) and sans_sortie_node(6)) or (not sans_sortie_node(5) and sans_sortie_node(1));
      sans_sortie_node(15) <= (sans_sortie_node(5) and sans_sortie_node(1)) or (not sans_sortie_node(5) and not sans_sortie_node(6));
      sans_sortie_node(16) <= (sans_sortie_node(2) and sans_sortie_node(13)) or (not sans_sortie_node(2) and not sans_sortie_node(15));
      X1next <= sans_sortie_node(16);

      sans_sortie_node(18) <= (sans_sortie_node(5) and sans_sortie_node(6)) or (not sans_sortie_node(5) and not sans_sortie_node(1));
      sans_sortie_node(20) <= (sans_sortie_node(2) and sans_sortie_node(18)) or (not sans_sortie_node(2) and sans_sortie_node(6));
      RE1 <= sans_sortie_node(20);

      sans_sortie_node(22) <= (sans_sortie_node(2) and sans_sortie_node(5)) or (not sans_sortie_node(2) and sans_sortie_node(18));
      FE1 <= sans_sortie_node(22);

      ZX1 <= sans_sortie_node(16);

      sans_sortie_node(17) <= (sans_sortie_node(2) and sans_sortie_node(1)) or (not sans_sortie_node(2) and sans_sortie_node(6));
      RTL1 <= sans_sortie_node(17);

end sans_sortie_a;

