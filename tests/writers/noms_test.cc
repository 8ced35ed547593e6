// The charts, the runs and the judges of the tests of the names.
#include "noms_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>

#include "croquis_test.h"
#include "noms_cibles.h"
#include "reseau_blif.h"
#include "verif_cibles.h"

namespace {

// A name that a condition can read: a word of the expression reader that
// is no operator and no constant.
bool variable_lisible(const std::string& n) {
  static const std::set<std::string> mots = {"and",  "AND",  "or",  "OR",  "xor", "XOR",
                                             "xnor", "XNOR", "not", "NOT", "0",   "1"};
  if (n.empty() || mots.count(n)) return false;
  for (char c : n)
    if (!isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  return true;
}

// The readers of these tests for the files that no tool here reads.
std::string lit_fichier(const std::string& extension, const std::string& texte) {
  if (extension == ".lus") return verif_lustre(texte);
  if (extension == ".strl") return verif_esterel(texte);
  if (extension == ".sc") return lit_sc(texte).defauts;
  if (extension == ".fba" || extension == ".blif") return reseau_blif(texte).erreur;
  return "";
}

void attend_succes(const run_result& r, const std::string& quoi) {
  EXPECT_EQ(r.exit_code, 0) << quoi << "\n" << r.out << r.err;
}

std::vector<std::string> avec(std::vector<std::string> args, const std::vector<std::string>& bases,
                              const std::vector<std::string>& extensions_lues) {
  for (auto const& b : bases)
    for (auto const& e : extensions_lues) args.push_back(b + e);
  return args;
}

// Groups of entries of distinct modules, in their order.
std::vector<std::vector<classe_ecrite>> groupes(const std::vector<classe_ecrite>& classes) {
  std::vector<std::vector<classe_ecrite>> r;
  std::vector<std::set<std::string>> modules;
  for (auto const& c : classes) {
    size_t k = 0;
    while (k < r.size() && modules[k].count(c.module)) ++k;
    if (k == r.size()) {
      r.emplace_back();
      modules.emplace_back();
    }
    r[k].push_back(c);
    modules[k].insert(c.module);
  }
  return r;
}

// One run of the tool on each group; a group whose run fails is run again
// file by file, and only a file that fails alone is a failure.
template <typename Lance>
void juge_par_groupes(const std::vector<classe_ecrite>& classes, const char* outil_nom,
                      Lance lance) {
  for (auto const& g : groupes(classes)) {
    if (lance(g).exit_code == 0) continue;
    for (auto const& c : g) attend_succes(lance({c}), std::string(outil_nom) + " on " + c.chemin);
  }
}

}  // namespace

std::string texte_charte(const charte& c) {
  std::vector<std::string> entrees = c.entrees;
  auto v = std::find_if(entrees.begin(), entrees.end(), variable_lisible);
  std::string x = v != entrees.end() ? *v : "e0";
  if (v == entrees.end()) entrees.push_back(x);
  std::string t = "Name: " + c.module + " Input:";
  for (auto const& e : entrees) t += " \"" + e + "\" : bool";
  t += " EndInput: Output:";
  for (auto const& s : c.sorties) t += " \"" + s + "\" : bool";
  if (!c.evenement.empty()) t += " \"" + c.evenement + "\" : event";
  size_t derniere = c.sorties.size() + (c.evenement.empty() ? 0 : 1) - 1;
  return t + " EndOutput:\nStep: IS: 1 0 0 Action: 0 \"N\" : \"" + x +
         "\" EndAction: NS: 2 0 4 Action: " + std::to_string(derniere) +
         " \"P\" : \"1\" EndAction: EndStep:\nTransition: 1 0 2 FR: (0) TO: (1) : \"" + x +
         "\", 2 0 6 FR: (1) TO: (0) : \"not " + x +
         "\" EndTransition:\nLink: EndLinkTable:\nAssertion: EndAssertion:\n";
}

std::string refus(const std::string& cible, const std::string& nom, const std::string& origine,
                  const std::string& raison) {
  return "ERROR: the " + cible + " target cannot hold the name \"" + nom + "\" of " + origine +
         ": " + raison + " !!!\n    --> break compilation processing ...\n";
}

run_result lance_cible(const std::string& dossier, const std::string& base,
                       const std::string& texte, const std::vector<std::string>& options,
                       fichiers_a_juger& lots) {
  sortie_tarvek s = lance_tarvek(dossier, base, texte, options);
  std::string quoi = base;
  for (auto const& o : options) quoi += " " + o;
  if (s.r.exit_code != 0) {
    EXPECT_EQ(s.r.exit_code, 1) << quoi << "\n" << s.r.err;
    for (auto const& [e, t] : s.fichiers) ADD_FAILURE() << quoi << " refused, yet wrote " << e;
    return s.r;
  }
  std::string chemin = dossier + "/" + base;
  for (auto const& [e, t] : s.fichiers) {
    EXPECT_EQ(lit_fichier(e, t), "") << quoi << " " << e << "\n" << t;
    if (e == ".c") lots.c.push_back(chemin);
    if (e == ".ino") lots.ino.push_back(chemin);
    if (e == ".vhd") lots.vhdl.push_back(chemin);
    if (e == ".blif") lots.blif.push_back(chemin);
  }
  return s.r;
}

namespace {

const char* const entetes_c17[] = {
    "assert",  "complex", "ctype",    "errno",  "fenv",     "float",     "inttypes", "iso646",
    "limits",  "locale",  "math",     "setjmp", "signal",   "stdalign",  "stdarg",   "stdatomic",
    "stdbool", "stddef",  "stdint",   "stdio",  "stdlib",   "stdnoreturn", "string", "tgmath",
    "threads", "time",    "uchar",    "wchar",  "wctype"};

// The C files as C17 and as C23 as far as the compilers here know it, and
// each header in a driver that includes every standard header first, in
// the strict and in the default dialect.
void juge_c(const std::string& dossier, const std::vector<std::string>& bases) {
  std::vector<std::string> pilotes;
  std::string standard;
  for (const char* e : entetes_c17) standard += std::string("#include <") + e + ".h>\n";
  for (auto const& b : bases) {
    write_file(b + "_driver.c", standard + "#include \"" + b + ".h\"\n");
    pilotes.push_back(b + "_driver.c");
  }
  attend_succes(
      run_tool(avec({outil("gcc"), "-std=c17", "-Wall", "-fsyntax-only"}, bases, {".c", ".h"}),
               dossier, 300),
      "gcc -std=c17");
  for (const char* c : {"gcc", "clang-14"})
    attend_succes(run_tool(avec({outil(c), "-std=c2x", "-fsyntax-only"}, bases, {".c"}), dossier,
                           300),
                  std::string(c) + " -std=c2x");
  for (const char* dialecte : {"-std=c17", "-std=gnu17"}) {
    std::vector<std::string> args = {outil("gcc"), dialecte, "-fsyntax-only"};
    args.insert(args.end(), pilotes.begin(), pilotes.end());
    attend_succes(run_tool(args, dossier, 300), std::string("gcc ") + dialecte + " on the drivers");
  }
}

void juge_vhdl(const std::string& dossier, const std::vector<std::string>& fichiers,
               const std::vector<std::string>& options) {
  for (const char* norme : {"--std=93c", "--std=08"}) {
    std::string travail = dossier + "/ghdl" + std::string(norme).substr(6);
    std::filesystem::create_directories(travail);
    std::vector<std::string> args = {outil("ghdl"), "-a", norme, "--workdir=" + travail};
    args.insert(args.end(), options.begin(), options.end());
    args.insert(args.end(), fichiers.begin(), fichiers.end());
    attend_succes(run_tool(args, dossier, 300), std::string("ghdl ") + norme);
  }
}

}  // namespace

void juge_fichiers(const std::string& dossier, const fichiers_a_juger& lots) {
  if (!lots.c.empty()) juge_c(dossier, lots.c);
  if (!lots.ino.empty()) {
    std::vector<std::string> bases;
    for (auto const& b : lots.ino) bases.push_back(std::filesystem::path(b).filename().string());
    run_result r = construit_croquis(dossier, bases);
    EXPECT_EQ(r.exit_code, 0) << "the sketches built for an Uno\n" << r.out << r.err;
  }
  if (!lots.vhdl.empty()) juge_vhdl(dossier, avec({}, lots.vhdl, {".vhd"}), {});
  if (lots.blif.empty()) return;
  std::string script;
  for (auto const& b : lots.blif)
    script += "read_blif -sop " + b +
              ".blif; hierarchy -check -auto-top; check -assert; "
              "design -reset; ";
  attend_succes(run_tool({outil("yosys"), "-q", "-p", script}, dossier, 300), "yosys");
}

int ecrit_classes(const std::string& dossier, const std::string& base, const FBA* fba,
                  b_automaton* automate, const std::string& module, classes_a_juger& lots) {
  noms_automate n = fba ? noms_automate_de(*fba) : noms_automate_de(*automate, module);
  int refusees = 0;
  if (verif_noms_csharp(n).empty()) {
    std::ostringstream os;
    if (fba)
      fba->CSHARP_put(os, 0);
    else
      automate->CSHARP_put(os, 0, module);
    write_file(dossier + "/" + base + ".cs", os.str());
    lots.csharp.push_back({dossier + "/" + base + ".cs", n.module});
  } else {
    ++refusees;
  }
  if (fba && verif_noms_vhdl_grafcet(n, 1).empty()) {
    std::ostringstream os;
    fba->VHDL_grafcet_put(os, 1, 0);
    write_file(dossier + "/" + base + "_grafcet.vhd", os.str());
    lots.vhdl_grafcet.push_back({dossier + "/" + base + "_grafcet.vhd", n.module});
  } else if (fba) {
    ++refusees;
  }
  if (automate && verif_noms_systemc(n).empty()) {
    std::string d = dossier + "/" + base + "_systemc";
    std::filesystem::create_directories(d);
    std::ostringstream cc, h;
    automate->SYSTEMC_put(cc, h, 0, module);
    write_file(d + "/" + module + ".cc", cc.str());
    write_file(d + "/" + module + ".h", h.str());
    lots.systemc.push_back({d + "/" + module + ".cc", module});
  } else if (automate) {
    ++refusees;
  }
  return refusees;
}

void juge_classes(const std::string& dossier, const classes_a_juger& lots) {
  juge_par_groupes(lots.csharp, "mcs", [&](const std::vector<classe_ecrite>& g) {
    std::vector<std::string> args = {outil("mcs"), "-target:library", "-warn:0",
                                     "-out:" + dossier + "/noms.dll"};
    for (auto const& c : g) args.push_back(c.chemin);
    return run_tool(args, dossier, 120);
  });
  juge_par_groupes(lots.systemc, "g++", [&](const std::vector<classe_ecrite>& g) {
    std::string tu = "#include <systemc.h>\n";
    for (auto const& c : g) tu += "#include \"" + c.chemin + "\"\n";
    write_file(dossier + "/systemc_noms.cc", tu);
    return run_tool({outil("g++"), "-fsyntax-only", "systemc_noms.cc"}, dossier, 300);
  });
  for (const char* norme : {"--std=93c", "--std=08"})
    juge_par_groupes(lots.vhdl_grafcet, "ghdl", [&](const std::vector<classe_ecrite>& g) {
      std::vector<std::string> args = {outil("ghdl"), "-a", "-fsynopsys", norme,
                                       "--workdir=" + dossier};
      for (auto const& c : g) args.push_back(c.chemin);
      return run_tool(args, dossier, 120);
    });
}
