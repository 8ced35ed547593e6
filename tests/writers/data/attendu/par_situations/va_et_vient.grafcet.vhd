-- VHDL generation by tarvek from va_et_vient grafcet

entity va_et_vient is
  port(b,  reset, clk: in bit;
     l: out bit);
end va_et_vient;

architecture va_et_vient_a of va_et_vient is
signal X1, X2, X1next, X2next :bit;

begin
-- state and output computation
process (clk,reset)
begin
  if (reset = '0') then 
    l <= '0';

    X1 <= (not b);
    X2 <= (b);
  elsif ( clk'event and clk='1') then 
    l <= (X2next);

    X1 <= X1next;
    X2 <= X2next;
  end if;
end process;

-- future computation
  X1next <= (not b);

  X2next <= (b);

end va_et_vient_a;

