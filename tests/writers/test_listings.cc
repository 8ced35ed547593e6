// The writers of the equation forest that no target file uses: the node
// networks, the equation listings and the LEC and LEA listings, their texts
// on one small acyclic forest checked by hand.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "foret_test.h"

namespace {

// Variables a, b, c (read only, indexes 0 to 2), then the equations
// x = a.b, y = not x (a negated variable), z = c + x (x's literal node
// again), w = b (a positive variable), u = 0, and v (index 8), abstract:
// no right member, known by its definition "ext_v", reading a. x carries
// the definition "ext_x" too. Dates: u first, then x, w, v, then y, z.
struct petite_foret {
  std::unique_ptr<Bddexpressionwood> w = foret({"a", "b", "c", "x", "y", "z", "w", "u", "v"});
  petite_foret() {
    equation(*w, "x", "a and b");
    equation(*w, "y", "not x");
    equation(*w, "z", "c or x");
    equation(*w, "w", "b");
    equation(*w, "u", "0");
    std::set<long> lit = {0};
    new Bddexpression(8, w.get(), lit, "ext_v", 0, 0);
    w->exp_by_index(3)->setExpDef("ext_x");
    w->compute_dates();
  }
  Bddexpression& e(long i) { return *w->exp_by_index(i); }
};

std::string texte(const std::function<void(std::ostream&)>& ecrit) {
  std::ostringstream os;
  ecrit(os);
  return os.str();
}

struct cas_texte {
  const char* nom;
  std::function<void(Bddexpressionwood&, std::ostream&)> ecrit;
  std::string attendu;
};

void verifie(const std::vector<cas_texte>& cas) {
  for (auto const& c : cas) {
    petite_foret f;
    EXPECT_EQ(texte([&](std::ostream& os) { c.ecrit(*f.w, os); }), c.attendu) << c.nom;
  }
}

// Each node once in the whole text, at its first use; the constant node
// is the negation's "not false"; the root of a complemented function is
// negated; an abstract equation leaves an empty line.
TEST(ListingsForet, NodeNetworks) {
  std::list<std::string> sorties = {"z"};
  verifie({
      {"lustre", [](Bddexpressionwood& w, std::ostream& os) { w.Put_lustre(os, "n"); },
       R"--(   n[1]= not false;
   u= not n[1];
  n[3]= b;
  n[11]= a and n[3] or not a and not n[1];
   x= n[11];
   w= b;

  n[5]= x;
   y= not n[5];
  n[12]= c and n[1] or not c and n[5];
   z= n[12];
)--"},
      {"lustre sans tableau",
       [](Bddexpressionwood& w, std::ostream& os) { w.Put_lustre_arrayless(os, "n"); },
       R"--(   n_1= not false;
   u= not n_1;
  n_3= b;
  n_11= a and n_3 or not a and not n_1;
   x= n_11;
   w= b;

  n_5= x;
   y= not n_5;
  n_12= c and n_1 or not c and n_5;
   z= n_12;
)--"},
      // The nodes of u's constant function are not written: a constant is
      // spelt out.
      {"doc", [](Bddexpressionwood& w, std::ostream& os) { w.Put_doc(os, "node"); },
       R"--(   u= false;
   node_3:= b;
   node_1:= TRUE;
   node_11:= a & node_3 | !a & !node_1;
   x= node_11
   w= b;
   v= ???
   node_5:= x;
   y= !node_5
   node_12:= c & node_1 | !c & node_5;
   z= node_12
)--"},
      {"c", [&](Bddexpressionwood& w, std::ostream& os) { w.Put_c(os, "t", sorties); },
       R"--(   t[1]= !0;
   u= !t[1];
  t[3]= b;
  t[11]= a && t[3] || !a && !t[1];
   x= t[11];
   w= b;

  t[5]= x;
   y= !t[5];
  t[12]= c && t[1] || !c && t[5];
  *z= t[12];
)--"},
  });
}

// The nodes that the networks define: those of every function but the
// positive variables, the literal node's children (the constant) included.
TEST(ListingsForet, NodesUsed) {
  petite_foret f;
  std::vector<int> used(f.w->Manager()->Bdd_total_size() + 2, 7);
  f.w->Lustre_writing_node_used(used.size(), used.data());
  std::vector<int> attendu(used.size(), 0);
  for (int k : {1, 3, 5, 11, 12}) attendu[k] = 1;
  EXPECT_EQ(used, attendu);
}

TEST(ListingsForet, EquationListings) {
  verifie({
      // The variable's index on the left; the constant false is "0".
      {"cat", [](Bddexpressionwood& w, std::ostream& os) { w.Put_cat(os, "v", 0); },
       R"--(   v[7]= 0;
   v[3]= v[0] && v[1];
   v[6]= v[1];

   v[4]= !v[3];
   v[5]= v[2] || !v[2] && v[3];
)--"},
      {"arbre", [](Bddexpressionwood& w, std::ostream& os) { w.exp_by_index(5)->put_tree(os); },
       R"--(z=
if c (node: 0,index: 2)
  1 (node: 1,index: -1)
else (not c)
  x (node: 2,index: 3)
)--"},
  });
  petite_foret f;
  std::vector<std::string> lignes;
  for (long i : f.w->earliest_sort())
    lignes.push_back(texte([&](std::ostream& os) { f.e(i).put_lustre_compatibilite(os, 0); }));
  EXPECT_EQ(lignes, (std::vector<std::string>{"  u= 0;", "  x= a and b;", "  w= b;", "",
                                              "  y= not x;", "  z= c or not c and x;"}));
  // The reduced cover.
  EXPECT_EQ(texte([&](std::ostream& os) { f.e(5).put_lustre_compatibilite(os, 1); }),
            "  z= c or x;");
}

// y is left out (-1): no record, only its comment and an empty line. v has
// no right member: no 0.3.0 record, "-3,-3" as its node.
TEST(ListingsForet, LecListings) {
  static std::vector<long> numeros = {10, 11, 12, 13, -1, 15, 16, 17, 18};
  // The right members of x, z, w and u, numbered from the first.
  const std::string noeuds =
      "5\n0: 10:1:2,-1\n1: 11:2:2,-1\n2: -1:-3:-3,1\n3: 12:2:4,1\n4: 13:2:2,-1\nexpressions:\n";
  verifie({
      {"0.3.0",
       [](Bddexpressionwood& w, std::ostream& os) { w.Put_lec_0_3_0(os, numeros.data(), 0, 1); },
       R"--(// expression 3:  x= a and b;
1 1
10 11 13:
1 1  1;

// no generate expression about:4:  y= not x;

// expression 5:  z= c or not c and x;
2 0
12 13 15:
1 -  1,
0 1  1;

// expression 6:  w= b;
1 0
11 16:
1  1;

// expression 7:  u= 0;
0 0
17:
0;

// expression 8:

)--"},
      {"2.0.4",
       [](Bddexpressionwood& w, std::ostream& os) { w.Put_lec_2_0_4(os, numeros.data(), 1); },
       noeuds + R"--(// expression 3:  x= a and b;
1 1 13:0,1
// no generate expression about:4:  y= not x;

// expression 5:  z= c or x;
2 0 15:3,1
// expression 6:  w= b;
1 0 16:1,1
// expression 7:  u= 0;
0 0 17:2,-1
// expression 8:
1 0 18:-3,-3
)--"},
      {"courant", [](Bddexpressionwood& w, std::ostream& os) { w.Put_lec(os, numeros.data(), 1); },
       noeuds + R"--(// expression 3:   x= node_11
1 1 13:0,1,(10 11 )
// no generate expression about:4:   y= !node_5

// expression 5:   z= node_12
2 0 15:3,1,(12 13 )
// expression 6:   w= b;
1 0 16:1,1,(11 )
// expression 7:   u= false;
0 0 17:2,-1,()
// expression 8:   v= ???
1 0 18:-3,-3,(10 )
)--"},
      {"sans commentaires",
       [](Bddexpressionwood& w, std::ostream& os) { w.Put_lec_0_3_0(os, numeros.data(), 0, 0); },
       "1 1\n10 11 13:\n1 1  1;\n\n2 0\n12 13 15:\n1 -  1,\n0 1  1;\n\n1 0\n11 16:\n1  1;\n\n"
       "0 0\n17:\n0;\n\n\n"},
  });
}

// c (-2) has no line and leaves every dependency set; w and u are not of
// interest. The first form shows the definitions, the second the stem.
TEST(ListingsForet, LeaListings) {
  static std::vector<long> numeros = {10, 11, -2, 13, 14, 15, 16, 17, 18};
  static std::set<long> interet = {0, 1, 2, 3, 4, 5, 8};
  verifie({
      {"definitions",
       [](Bddexpressionwood& w, std::ostream& os) { w.Put_lea(os, numeros.data(), interet, 0); },
       R"--(10 : {}:0, {13,14,15,18}:2;
11 : {}:0, {13,14,15}:2;
13 : {10,11}:1, {14,15}:1["ext_x"];
14 : {10,11,13}:2, {}:0;
15 : {10,11,13}:2, {}:0;
16 : {11}:1, {}:0;
17 : {}:1, {}:0;
18 : {10}:1, {}:0["ext_v"];
)--"},
      {"racine",
       [](Bddexpressionwood& w, std::ostream& os) {
         w.Put_lea(os, numeros.data(), interet, 0, "base");
       },
       R"--(10 : {}:0, {13,14,15,18}:2["base.lec:10"];
11 : {}:0, {13,14,15}:2["base.lec:11"];
13 : {10,11}:1, {14,15}:1["base.lec:13"];
14 : {10,11,13}:2, {}:0["base.lec:14"];
15 : {10,11,13}:2, {}:0["base.lec:15"];
16 : {11}:1, {}:0["base.lec:16"];
17 : {}:1, {}:0["base.lec:17"];
18 : {10}:1, {}:0["base.lec:18"];
)--"},
  });
}

// The critical path upwards substitutes the variables of a cycle away
// until it closes on one of them, which ends the process.
TEST(ListingsForetDeathTest, LeaOnACycleEndsTheProcess) {
  auto w = foret({"a", "b", "c"});
  equation(*w, "a", "b");
  equation(*w, "b", "a or c");
  std::vector<long> numeros = {0, 1, 2};
  std::ostringstream os;
  EXPECT_EXIT(w->Put_lea(os, numeros.data(), {0, 1, 2}, 0), ::testing::ExitedWithCode(1), "");
}

}  // namespace
