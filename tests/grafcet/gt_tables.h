// The tables of a grafcet for the tests that compare two grafcets record by
// record, move steps and transitions, or check that an edit left the arcs
// and the links consistent.
#ifndef TARVEK_TESTS_GT_TABLES_H
#define TARVEK_TESTS_GT_TABLES_H

#include <string>

#include "gt_norm.h"

// The tables are protected: a derived class names them, and the member
// pointers it forms apply to any grafcet.
struct tables_gt : tpen_fichier {
  static tpen_etape* etapes(tpen_fichier const& g) { return g.*(&tables_gt::table_etapes); }
  static tpen_transition* transitions(tpen_fichier const& g) {
    return g.*(&tables_gt::table_transitions);
  }
  static lien_graphique* liens(tpen_fichier const& g) { return g.*(&tables_gt::table_liens); }
  static int nbr_transitions(tpen_fichier const& g) { return g.*(&tables_gt::nombre_transitions); }
};

// The first difference between two grafcets, in words; "" when every table,
// count and the module name are equal.
std::string differences(tpen_fichier& a, tpen_fichier& b);

// What breaks the consistency of arcs and links, in words; "" when the pre
// and post sets agree, every branch designates an existing element and an
// arc of its link's kind, every link has one transition branch, and no
// transition has two links of one kind. With arcs_dessines, every arc must
// also have its branch.
std::string incoherences(tpen_fichier& g, bool arcs_dessines);

#endif
