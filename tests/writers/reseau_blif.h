// An evaluator of the BLIF files that tarvek writes, written apart from the
// writers to judge them: the model's inputs, outputs and latches, and every
// .names block as a cover over its input nets. The state-change file uses
// the same blocks between its marker lines; its sections are kept apart.
#ifndef TARVEK_TESTS_RESEAU_BLIF_H
#define TARVEK_TESTS_RESEAU_BLIF_H

#include <map>
#include <string>
#include <vector>

struct bloc_blif {
  std::vector<std::string> entrees;
  std::string sortie;
  std::vector<std::string> lignes;  // the input part of every row
  bool valeur_lignes = true;        // the output column of the rows
  // The value under the values of its input nets, in their order.
  bool valeur(const std::vector<bool>& v) const;
};

struct latch_blif {
  std::string entree, sortie;
  bool initiale;
};

class reseau_blif {
 public:
  // Reads the text; erreur says what could not be read, or what is wrong
  // with the network (a net with two drivers, one without any).
  explicit reseau_blif(const std::string& texte);

  std::string erreur;
  std::string modele;
  std::vector<std::string> entrees, sorties;
  std::vector<latch_blif> latches;
  // The blocks outside any marker pair, and those of each marked section
  // by the name of its opening marker (".begin_falling").
  std::vector<bloc_blif> blocs;
  std::map<std::string, std::vector<bloc_blif>> sections;

  // Every net once the latches hold etat (latch order) and the inputs
  // entrees (input order); erreur is set on a combinational loop.
  std::map<std::string, bool> evalue(const std::vector<bool>& etat,
                                     const std::vector<bool>& entrees);
  std::vector<bool> etat_initial() const;
  // The next values of the latches, given every net.
  std::vector<bool> etat_suivant(const std::map<std::string, bool>& nets) const;

 private:
  bool valeur_net(const std::string& net, std::map<std::string, bool>& connus,
                  std::map<std::string, int>& en_cours);
  std::map<std::string, size_t> pilotes;  // the block of blocs that drives each net
};

#endif
