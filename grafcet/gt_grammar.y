/* The grammar of .gt files. Each rule builds a record or a list of the
   grafcet model; the header rule makes the grafcet, the step section and the
   body hand their lists to it. Under -explain every recognised rule writes
   one trace line into the log.

   The token declarations keep the order of the token codes: the "expecting"
   lists of syntax errors follow it. Default reductions are kept so that a
   rule of one NUMBER, WORD or STRING is recognised before the next token is
   read, while the scanner still holds that token's text. */

%code requires {
#include <list>
#include <string>
#include "gt_norm.h"
}

%code {
#include <cstdint>
#include <iostream>
#include "Stringpp.h"
#include "lex.gt.h"
#include "parse_gt.h"

int gtlex(GTSTYPE* value);

static const char* texte_lu() { return pgt_parser->lexer->YYText(); }

static void trace(int g, int a, const char* msg) {
  gt_debuger_law(g, a, msg, pgt_parser->explain, *pgt_parser->log);
}

static void trace_texte(int g, int a) { trace(g, a, texte_lu()); }

static std::string* texte_sans_guillemets() {
  return new std::string(substitute_char(texte_lu(), '"', ""));
}

// Numbers are digits only; one too large for an int makes the parse fail
// rather than wrap.
static bool nombre_lu(int& valeur) {
  int64_t v = 0;
  for (const char* p = texte_lu(); *p; ++p) {
    v = v * 10 + (*p - '0');
    if (v > INT32_MAX) {
      gterror("syntax error, number out of range");
      return false;
    }
  }
  valeur = static_cast<int>(v);
  return true;
}

static void trace_nombre(int g, int a, const char* msg) { trace(g, a, msg ? msg : texte_lu()); }

// Takes the value of the NUMBER just read, or ends the parse with result 1;
// the trace line is the number's text unless a message is given.
#define NOMBRE(dest, g, a, msg)                  \
  do {                                           \
    int valeur_;                                 \
    if (!nombre_lu(valeur_)) YYABORT;            \
    dest = valeur_;                              \
    trace_nombre(g, a, msg);                     \
  } while (0)

static int qualificatif_lu() {
  std::string q = substitute_char(texte_lu(), '"', "");
  if (q == "N") return 1;
  if (q == "P") return 4;
  std::cerr << "type : " << q << " non encore implemente !" << std::endl;
  std::cerr << " remplace par : N" << std::endl;
  return 1;
}

// Appends a copy of *x to the list *l and releases x.
template <typename T>
static std::list<T>* ajoute(std::list<T>* l, T* x) {
  l->push_back(*x);
  delete x;
  return l;
}

template <typename T>
static std::list<T>* liste_de(T* x) {
  return ajoute(new std::list<T>, x);
}
}

%define api.pure full
%define api.prefix {gt}
%define parse.error verbose

%union {
  int entier;
  long lentier;
  std::string* texte;
  std::list<std::string>* textes;
  gt_declaration_variables* declaration;
  std::list<gt_declaration_variables>* declarations;
  tpen_etape* etape;
  std::list<tpen_etape>* etapes;
  tpen_action* action;
  std::list<tpen_action>* actions;
  tpe_transition* transition;
  std::list<tpe_transition>* transitions;
  std::list<int>* entiers;
  lien_graphique* lien;
  std::list<lien_graphique>* liens;
  lien_graphique_elem* branche;
  std::list<lien_graphique_elem>* branches;
  tpe_graphique* graphique;
  std::list<long>* lentiers;
}

%destructor { delete $$; } <texte> <textes> <declaration> <declarations> <etape> <etapes>
%destructor { delete $$; } <action> <actions> <transition> <transitions> <entiers>
%destructor { delete $$; } <lien> <liens> <branche> <branches> <graphique> <lentiers>

%token GT_FIN 0 "$end"
%token I_S 258 N_S 259 M_S 260 B_M_S 261 E_M_S 262 E_S 263 E_I_S 264 S_E_S 265 S_E_I_S 266
%token DEUX_POINTS 267 VIRGULE 268 O_R 269 A_N_D 270 N_O_T 271 P_R_E 272
%token PARENTHESE_OUVRANTE 273 PARENTHESE_FERMANTE 274
%token NAME 275 INPUT 276 ENDINPUT 277 OUTPUT 278 ENDOUTPUT 279 STEP 280 ENDSTEP 281
%token ACTION 282 ENDACTION 283 TRANSITION 284 ENDTRANSITION 285 TO 286 FROM 287
%token LIGNE 288 ENDLIGNE 289 LINK 290 ENDLINKTABLE 291 BEGINLINK 292 CONVERGENCE 293
%token DIVERGENCE 294 ENDLINK 295 ASSERTION 296 ENDASSERTION 297 IDENTS 298 IDENTT 299
%token NUMBER 300 WORD 301 STRING 302 BOOL 303 EVENT 304

%type <texte> nom_module identword chaine_condition_recep assertion
%type <declarations> def_inputs def_outputs liste_inoutput
%type <declaration> inoutput
%type <etapes> liste_steps
%type <etape> step
%type <entier> type_etape ident_etape xpos_etape ypos_etape ident_output qualificatif
%type <entier> ident_transition xpos_transition ypos_transition coord
%type <lentier> lcoord
%type <actions> l_actions_associees
%type <action> action_associee
%type <transitions> def_transitions liste_transitions
%type <transition> transition
%type <entiers> liste_etapes_p liste_etapes_s sous_liste_etapes
%type <liens> def_liens_graphiques liste_liens_graphiques
%type <lien> lien_graph
%type <branches> liste_liens_graphiques_elem
%type <branche> lien_graph_elem
%type <graphique> graphique
%type <lentiers> suite_graphique
%type <textes> def_assertions liste_assertion

%start grafcet

%%

grafcet: entete corps { trace(1, 1, "grafcet cree"); }
  ;

entete: NAME nom_module def_inputs def_outputs {
    pgt_parser->result = new tpen_fichier($2, $3, $4);
    delete $2; delete $3; delete $4;
    trace(2, 1, "entete et table bdd cree");
  }
  ;

nom_module: WORD { $$ = texte_sans_guillemets(); trace_texte(3, 1); }
  ;

def_inputs: INPUT liste_inoutput ENDINPUT {
    $$ = $2; trace(4, 1, "definition de la liste des inputs");
  }
  ;

liste_inoutput: %empty { $$ = new std::list<gt_declaration_variables>; trace(5, 1, "liste inoutput vide"); }
  | liste_inoutput inoutput { $$ = ajoute($1, $2); trace(5, 2, "ajoute inoutput liste"); }
  ;

inoutput: identword DEUX_POINTS BOOL {
    $$ = new gt_declaration_variables("bool", $1); delete $1;
    trace(6, 1, "input/output bool");
  }
  | identword DEUX_POINTS EVENT {
    $$ = new gt_declaration_variables("event", $1); delete $1;
    trace(6, 2, "input/output event");
  }
  ;

identword: STRING { $$ = texte_sans_guillemets(); trace_texte(7, 1); }
  ;

def_outputs: OUTPUT liste_inoutput ENDOUTPUT {
    $$ = $2; trace(8, 1, "definition de la liste des outputs");
  }
  ;

corps: def_steps def_transitions def_liens_graphiques def_assertions {
    pgt_parser->result->parse_body($2, $3, $4);
    delete $2; delete $3; delete $4;
    trace(9, 1, "corps cree");
  }
  ;

def_steps: STEP liste_steps ENDSTEP {
    pgt_parser->result->parse_etapes($2); delete $2;
    trace(10, 1, "definition table etape");
  }
  ;

liste_steps: %empty { $$ = new std::list<tpen_etape>; trace(11, 1, "generation liste vide d'etapes"); }
  | liste_steps step { $$ = ajoute($1, $2); trace(11, 2, "ajoute etape liste"); }
  ;

step: type_etape ident_etape xpos_etape ypos_etape ACTION l_actions_associees ENDACTION {
    $$ = new tpen_etape($1, $2, $3, $4, $6); delete $6;
    trace(12, 1, "genere etape");
  }
  | type_etape ident_etape xpos_etape ypos_etape {
    $$ = new tpen_etape($1, $2, $3, $4, nullptr);
    trace(12, 2, "genere etape");
  }
  ;

xpos_etape: NUMBER { NOMBRE($$, 13, 1, nullptr); }
  ;

ypos_etape: NUMBER { NOMBRE($$, 14, 1, nullptr); }
  ;

type_etape: I_S { $$ = 1; trace(15, 1, "etape de type IS"); }
  | N_S { $$ = 2; trace(15, 2, "etape de type NS"); }
  | M_S { $$ = 3; trace(15, 3, "etape de type MS"); }
  | B_M_S { $$ = 4; trace(15, 4, "etape de type BMS"); }
  | E_M_S { $$ = 5; trace(15, 5, "etape de type EMS"); }
  | E_S { $$ = 6; trace(15, 5, "etape de type ES"); }
  | E_I_S { $$ = 7; trace(15, 5, "etape de type EIS"); }
  | S_E_S { $$ = 8; trace(15, 5, "etape de type SES"); }
  | S_E_I_S { $$ = 9; trace(15, 5, "etape de type SEIS"); }
  ;

ident_etape: NUMBER { NOMBRE($$, 16, 2, nullptr); }
  ;

l_actions_associees: %empty {
    $$ = new std::list<tpen_action>;
    trace(17, 1, "generation liste vide d'actions associee");
  }
  | l_actions_associees action_associee {
    $$ = ajoute($1, $2); trace(17, 2, "ajoute action liste (actions associees)");
  }
  ;

action_associee: ident_output qualificatif DEUX_POINTS chaine_condition_recep {
    $$ = new tpen_action($1, $2, $4); delete $4;
    trace(18, 1, "reconnaissance action associee");
  }
  ;

ident_output: NUMBER { NOMBRE($$, 19, 1, nullptr); }
  ;

qualificatif: STRING { $$ = qualificatif_lu(); trace_texte(19, 2); }
  ;

chaine_condition_recep: STRING { $$ = texte_sans_guillemets(); trace_texte(20, 1); }
  ;

def_transitions: TRANSITION liste_transitions ENDTRANSITION {
    $$ = $2; trace(24, 1, "definition table transition");
  }
  ;

liste_transitions: %empty {
    $$ = new std::list<tpe_transition>; trace(25, 1, "generation liste de transition vide");
  }
  | transition { $$ = liste_de($1); trace(25, 2, "ajoute transition liste"); }
  | liste_transitions VIRGULE transition { $$ = ajoute($1, $3); trace(25, 3, "ajoute transition liste"); }
  ;

transition: ident_transition xpos_transition ypos_transition FROM liste_etapes_p TO liste_etapes_s
            DEUX_POINTS chaine_condition_recep {
    $$ = new tpe_transition($1, $2, $3, $5, $7, $9);
    delete $5; delete $7; delete $9;
    trace(26, 1, "genere transition avec receptivite");
  }
  ;

ident_transition: NUMBER { NOMBRE($$, 27, 1, nullptr); }
  ;

xpos_transition: NUMBER { NOMBRE($$, 28, 1, nullptr); }
  ;

ypos_transition: NUMBER { NOMBRE($$, 29, 1, nullptr); }
  ;

liste_etapes_p: %empty { $$ = new std::list<int>; trace(30, 1, "generation liste des etapes preced vide"); }
  | PARENTHESE_OUVRANTE sous_liste_etapes PARENTHESE_FERMANTE {
    $$ = $2; trace(30, 3, "inclue sous-liste etapes");
  }
  ;

liste_etapes_s: %empty { $$ = new std::list<int>; trace(31, 1, "generation liste des etapes suiv vide"); }
  | PARENTHESE_OUVRANTE sous_liste_etapes PARENTHESE_FERMANTE {
    $$ = $2; trace(31, 3, "inclue sous-liste etapes");
  }
  ;

sous_liste_etapes: sous_liste_etapes VIRGULE ident_etape {
    $$ = $1; $$->push_back($3); trace(32, 1, "ajoute etape sous-liste");
  }
  | ident_etape { $$ = new std::list<int>(1, $1); trace(32, 2, "creation etape sous-liste"); }
  ;

def_liens_graphiques: LINK liste_liens_graphiques ENDLINKTABLE {
    $$ = $2; trace(34, 1, "definition table liens graphiques");
  }
  ;

liste_liens_graphiques: %empty {
    $$ = new std::list<lien_graphique>; trace(35, 1, "generation liste lien graphiques vide");
  }
  | liste_liens_graphiques lien_graph { $$ = ajoute($1, $2); trace(35, 2, "ajoute lien liste"); }
  ;

lien_graph: BEGINLINK CONVERGENCE liste_liens_graphiques_elem ENDLINK {
    $$ = new lien_graphique(1, $3); delete $3;
    trace(36, 1, "genere lien graphique de convergence");
  }
  | BEGINLINK DIVERGENCE liste_liens_graphiques_elem ENDLINK {
    $$ = new lien_graphique(0, $3); delete $3;
    trace(36, 2, "genere lien graphique de divergence");
  }
  ;

liste_liens_graphiques_elem: lien_graph_elem {
    $$ = liste_de($1); trace(37, 1, "generation liste lien graphiques elem");
  }
  | liste_liens_graphiques_elem lien_graph_elem {
    $$ = ajoute($1, $2); trace(37, 2, "ajoute lien elem liste");
  }
  ;

lien_graph_elem: IDENTS ident_etape graphique {
    $$ = new lien_graphique_elem(0, 0, $2, $3); delete $3;
    trace(38, 1, "genere lien graphique elementaire");
  }
  | IDENTT ident_transition graphique {
    $$ = new lien_graphique_elem(1, 0, $2, $3); delete $3;
    trace(38, 2, "genere lien graphique elementaire");
  }
  ;

graphique: LIGNE coord coord coord coord suite_graphique ENDLIGNE {
    $$ = new tpe_graphique;
    $$->add($2); $$->add($3); $$->add($4); $$->add($5);
    for (long c : *$6) $$->add(c);
    delete $6;
    trace(39, 1, "genere graphique");
  }
  ;

suite_graphique: %empty { $$ = new std::list<long>; trace(40, 1, "generation liste couple entier vide"); }
  | suite_graphique lcoord lcoord {
    $$ = $1; $$->push_back($2); $$->push_back($3); trace(40, 2, "add couple liste");
  }
  ;

coord: NUMBER { NOMBRE($$, 41, 1, " coordonnee"); }
  ;

lcoord: NUMBER { NOMBRE($$, 41, 2, " lcoordonnee"); }
  ;

def_assertions: ASSERTION liste_assertion ENDASSERTION {
    $$ = $2; trace(42, 1, "definition table des assertions");
  }
  ;

liste_assertion: %empty { $$ = new std::list<std::string>; trace(43, 1, "cree liste assertion vide"); }
  | assertion { $$ = liste_de($1); trace(43, 2, "cree liste assertion"); }
  | liste_assertion VIRGULE assertion { $$ = ajoute($1, $3); trace(43, 3, "ajoute assertion liste"); }
  ;

assertion: chaine_condition_recep { $$ = $1; trace(44, 1, "assertion"); }
  ;

%%
