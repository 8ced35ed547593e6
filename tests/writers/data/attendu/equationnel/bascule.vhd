-- VHDL generation from bascule

entity bascule is
  port( reset, clk: in bit;
       o, e: out bit);
end bascule;

architecture bascule_a of bascule is
TYPE array_bascule_node IS ARRAY (44 downto 0) OF bit ;
signal X1 : bit;
signal X2 : bit;
signal X1next : bit;
signal X2next : bit;
signal X1_Reset : bit;
signal X1_Set : bit;
signal RE1 : bit;
signal FE1 : bit;
signal ZX1 : bit;
signal RTL1 : bit;
signal X2_Reset : bit;
signal X2_Set : bit;
signal RE2 : bit;
signal FE2 : bit;
signal ZX2 : bit;
signal RTL2 : bit;
signal bascule_node : array_bascule_node;

begin
-- state and output computation
process (reset,clk)
begin
  if (reset = '0') then 
    o <= '0';
    e <= '0';
      X1 <= '1';
      X2 <= '0';
  elsif ( clk'event and clk='1') then 
  elsif ( clk'event and clk='0') then 
      o <= bascule_node(18);
      e <= bascule_node(16);
      X1 <= X1next;
      X2 <= X2next;
   end if;
end process;

-- actualisation
      bascule_node(2) <= X1;
      bascule_node(3) <= X2;
      bascule_node(8) <= X1_Reset;
      bascule_node(9) <= X1_Set;
      bascule_node(14) <= X2_Reset;
      bascule_node(15) <= X2_Set;
      bascule_node(16) <= RE2;
      bascule_node(18) <= ZX2;
      X1_Reset <= X1;

      X1_Set <= X2;

      X2_Reset <= X2;

      X2_Set <= X1;

      bascule_node(1) <= '1';
      bascule_node(22) <= (bascule_node(8) and bascule_node(9)) or (not bascule_node(8) and bascule_node(1));
      bascule_node(24) <= (bascule_node(8) and bascule_node(1)) or (not bascule_node(8) and not bascule_node(9));
      bascule_node(25) <= (bascule_node(2) and bascule_node(22)) or (not bascule_node(2) and not bascule_node(24));
      X1next <= bascule_node(25);

      bascule_node(34) <= (bascule_node(14) and bascule_node(15)) or (not bascule_node(14) and bascule_node(1));
      bascule_node(36) <= (bascule_node(14) and bascule_node(1)) or (not bascule_node(14) and not bascule_node(15));
      bascule_node(37) <= (bascule_node(3) and bascule_node(34)) or (not bascule_node(3) and not bascule_node(36));
      X2next <= bascule_node(37);

      bascule_node(27) <= (bascule_node(8) and bascule_node(9)) or (not bascule_node(8) and not bascule_node(1));
      bascule_node(29) <= (bascule_node(2) and bascule_node(27)) or (not bascule_node(2) and bascule_node(9));
      RE1 <= bascule_node(29);

      bascule_node(31) <= (bascule_node(2) and bascule_node(8)) or (not bascule_node(2) and bascule_node(27));
      FE1 <= bascule_node(31);

      ZX1 <= bascule_node(25);

      bascule_node(26) <= (bascule_node(2) and bascule_node(1)) or (not bascule_node(2) and bascule_node(9));
      RTL1 <= bascule_node(26);

      bascule_node(39) <= (bascule_node(14) and bascule_node(15)) or (not bascule_node(14) and not bascule_node(1));
      bascule_node(41) <= (bascule_node(3) and bascule_node(39)) or (not bascule_node(3) and bascule_node(15));
      RE2 <= bascule_node(41);

      bascule_node(43) <= (bascule_node(3) and bascule_node(14)) or (not bascule_node(3) and bascule_node(39));
      FE2 <= bascule_node(43);

      ZX2 <= bascule_node(37);

      bascule_node(38) <= (bascule_node(3) and bascule_node(1)) or (not bascule_node(3) and bascule_node(15));
      RTL2 <= bascule_node(38);

      -- final output evaluation of o in process

      -- final output evaluation of e in process

end bascule_a;

