// The text dump of a grafcet into the log, the stream forms of its records
// and the geometry of a graphic link. The French titles and the column
// headers are kept to the character: logs are compared with older ones.
#include <cstdint>

#include "gt_norm.h"
#include "listpp.h"

std::ostream& operator<<(std::ostream& os, gt_declaration_variables const& d) {
  return os << d.nom_variable << " : " << d.type_variable;
}

std::ostream& operator<<(std::ostream& os, tpen_action const& a) {
  return os << a.ident_output << " " << a.qualificatif << " " << a.condition;
}

std::ostream& operator<<(std::ostream& os, tpen_etape const& e) {
  os << e.convert_type() << " " << e.nom << " " << e.x << " " << e.y << " ";
  if (e.actions.empty()) return os;
  os << "table des actions:" << std::endl;
  for (auto const& a : e.actions)
    os << ": " << a.ident_output << " \"" << a.qualificatif << "\" : \"" << a.condition << "\"";
  return os;
}

std::ostream& operator<<(std::ostream& os, tpe_graphique const& g) {
  os << "(";
  const char* sep = "";
  for (long c : g.coords) {
    os << sep << c;
    sep = ", ";
  }
  return os << ")" << std::endl;
}

std::ostream& operator<<(std::ostream& os, lien_graphique_elem const& b) {
  const char* sens = b.sens == 2 ? "to " : "from ";
  const char* genre = b.type != 0 ? "transition: " : "step: ";
  return os << sens << genre << b.ident << " : " << b.line;
}

std::ostream& operator<<(std::ostream& os, lien_graphique& l) {
  os << l.mon_x() << " " << l.mon_y() << " " << l.ma_largeur() << " ";
  os << (l.convergence != 0 ? "CONVERGENCE " : "DIVERGENCE ") << " "
     << "(";
  const char* sep = "";
  for (auto const& b : l.sousliens) {
    os << sep << b;
    sep = ", ";
  }
  return os << ")";
}

std::ostream& operator<<(std::ostream& os, tpe_transition const& t) {
  std::list<int> from = t.from;
  std::list<int> to = t.to;
  return os << t.num << " " << t.receptivite << " " << t.x << " " << t.y << " " << from << " " << to
            << std::endl;
}

// The horizontal extent of a link: the smallest and largest first x of its
// branches. Sums are taken in 64 bits so that coordinates near the limits
// of an int cannot overflow.
static void etendue(lien_graphique const& l, int64_t& lo, int64_t& hi) {
  lo = 1073741824;
  hi = 0;
  for (auto const& b : l.sousliens) {
    int64_t x = b.line.coords.empty() ? 0 : b.line.coords.front();
    if (x < lo) lo = x;
    if (x > hi) hi = x;
  }
}

int lien_graphique::mon_x() const {
  if (sousliens.empty()) return 536870912;
  int64_t lo, hi;
  etendue(*this, lo, hi);
  return static_cast<int>((hi + lo) / 2);
}

int lien_graphique::ma_largeur() const {
  if (sousliens.empty()) return 0;
  int64_t lo, hi;
  etendue(*this, lo, hi);
  return static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(hi - lo)));
}

// The first y of the last branch that touches a transition.
int lien_graphique::mon_y() const {
  int y = 0;
  for (auto const& b : sousliens) {
    if (b.type != 1) continue;
    if (b.line.coords.size() < 2)
      y = 0;
    else
      y = static_cast<int>(*std::next(b.line.coords.begin()));
  }
  return y;
}

static void titre_table(std::ostream& os, const char* nombre, int n, const char* titre,
                        const char* colonnes) {
  os << nombre << n << std::endl << std::endl;
  os << titre << std::endl << colonnes << std::endl;
}

static void ensemble(std::ostream& os, const char* titre, std::set<int> const& s) {
  os << titre << std::endl << s << std::endl << std::endl;
}

void tpen_fichier::put(std::ostream& os) {
  os << "  NOM MODULE : " << nom_module << std::endl << std::endl;
  titre_table(os, "  NB INPUTS : ", nombre_inputs, "  TABLE DES INPUTS", "  n  variables : type");
  for (int i = 0; i < nombre_inputs; ++i) os << "  " << i << " " << table_inputs[i] << std::endl;
  os << std::endl;
  titre_table(os, "  NB OUTPUTS : ", nombre_outputs, "  TABLE DES OUTPUTS",
              "  n  variables : type");
  for (int i = 0; i < nombre_outputs; ++i) os << "  " << i << " " << table_outputs[i] << std::endl;
  os << std::endl;
  titre_table(os, "  NB ASSERTIONS : ", nombre_assertions, "  TABLE DES ASSERTIONS", "  n  bdd ");
  for (int i = 0; i < nombre_assertions; ++i)
    os << "  " << i << " " << table_assertions[i] << std::endl;
  os << std::endl;
  os << "  NB ETAPES : " << nombre_etapes << std::endl << std::endl;
  os << "  TABLE DES ETAPES " << std::endl;
  os << "  n   type        nom    actions associees  transitions associees\n";
  for (int i = 0; i < nombre_etapes; ++i) {
    tpen_etape& e = table_etapes[i];
    os << "  " << i << " " << e.convert_type() << " " << e.nom << " " << e.actions
       << "  PRE=" << e.pre << "  POST=" << e.post << std::endl;
  }
  os << std::endl;
  titre_table(os, "  NB TRANSITIONS : ", nombre_transitions, "  TABLE DES TRANSITIONS",
              "  n nom gardee receptivite   etapes associees");
  for (int k = 0; k < nombre_transitions; ++k) {
    tpen_transition const& t = table_transitions[k];
    os << "  " << k << " " << t.num << " \"" << t.receptivite << "\" "
       << "  PRE=" << t.pre << "  POST=" << t.post << std::endl;
  }
  os << std::endl;
  ensemble(os, " ENSEMBLE DES IDENTIFICATEURS DES CONDITIONS EXTERNES", conditions_externes);
  ensemble(os, " ENSEMBLE DES IDENTIFICATEURS DES EVENEMENTS EXTERNES", evenements_externes);
  ensemble(os, " ENSEMBLE DES IDENTIFICATEURS DES CONDITIONS INTERNES", conditions_internes);
  ensemble(os, " ENSEMBLE DES IDENTIFICATEURS DES EVENEMENTS INTERNES", evenements_internes);
  os << std::endl;
  os << "LIENS GRAPHIQUES " << nombre_liens << std::endl;
  for (int i = 0; i < nombre_liens; ++i) os << table_liens[i] << std::endl;
}
