//....................................................................................
// Libraries :
//....................................................................................

 using System; 
//....................................................................................
// Class :
//....................................................................................

 public class va_et_vient
 {
//....................................................................................
// private attributs:
//....................................................................................

// private input variables :

private bool b;



// get & set methods for inputs from the FSM inputs :

 public bool P_b
 {

   get {
   return b;

      }

   set {
     if (value != b){
        b = value;

      }
    }
  }



// private output variables :
private bool l;



// private registers variables :

private bool X1,
   X2,
   X1next,
   X2next;



//....................................................................................
//The constructor :
//....................................................................................

public va_et_vient()
{

  Reset_Automaton();

}

//....................................................................................
//The methods :
//....................................................................................

// get & set methods for outputs from the FSM inputs :

 public bool GS_l
 {

   get {
   return l;

      }

   set {
     if (value !=  l){
       l = value;

      }
    }
  }



// Initialisation of the automaton:

 private void Reset_Automaton()
 {

  Reset_Inputs();
  Reset_Outputs();
  Reset_Registers();

 }

// Initialisation methods of the automaton boolean inputs:

 private void Reset_Inputs()
 {

   b = false;

 }

// Initialisation methods of the automaton boolean outputs:

 private void Reset_Outputs()
 {

   l = false;

 }

// Initialisation methods of the automaton boolean registers:

 private void Reset_Registers()
 {

  X1 = true;

  X2 = false;

 }

// FSM Transition methods:

public void Automaton()
 {

  React();
  Next();
  Reset_Inputs();

 }

// Next state method computing:

private void  React()
 {

  X1next = !  b;
  X2next =  b;


   l =  X2next;

 }

// Changing method X=Xnext

private void Next()
 {

  X1 = X1next;

  X2 = X2next;

   }

}
