// Testbenches, ghdl runs and VCD dumps.
#include "banc_vhdl.h"

#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

namespace {

// A sequence starts at its reset: 1 ns at '0', 1 ns at '1'. A vector then
// takes 3 ns: inputs, the rising edge 1 ns later, the falling edge 1 ns
// after that; its trace is read just before whatever comes next.
const long long ns = 1000000;  // in the dump's femtoseconds

// The instant of each line of the trace, -1 for the "r" between sequences.
std::vector<long long> instants_lecture(const automate_genere& a) {
  std::vector<long long> r;
  long long t = 0;
  for (size_t k = 0; k < a.sequences.size(); ++k) {
    if (k) r.push_back(-1);
    t += 2;
    for (size_t v = 0; v < a.sequences[k].size(); ++v) {
      t += 3;
      r.push_back(t * ns);
    }
  }
  return r;
}

std::string minuscules(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

std::string banc_vhdl(const automate_genere& a, bool altera) {
  std::string t = altera ? "std_logic" : "bit", tb = "tb_" + a.module;
  std::string p = a.equationnel ? "" : a.module + "_";
  std::ostringstream os;
  if (altera) os << "library ieee;\nuse ieee.std_logic_1164.all;\n";
  os << "entity " << tb << " is\nend " << tb << ";\n\narchitecture banc of " << tb << " is\n"
     << "  signal tb_reset, tb_clk : " << t << " := '0';\n";
  for (size_t j = 0; j < a.entrees.size(); ++j)
    os << "  signal tb_e" << j << " : " << t << " := '0';\n";
  for (size_t j = 0; j < a.sorties.size(); ++j) os << "  signal tb_s" << j << " : " << t << ";\n";
  os << "  function niveau(c : character) return " << t << " is\n  begin\n"
     << "    if c = '1' then return '1'; else return '0'; end if;\n  end niveau;\n"
     << "begin\n  dut: entity work." << a.module << " port map (";
  for (size_t j = 0; j < a.entrees.size(); ++j) os << p << a.entrees[j] << " => tb_e" << j << ", ";
  os << p << "reset => tb_reset, " << p << "clk => tb_clk";
  for (size_t j = 0; j < a.sorties.size(); ++j) os << ", " << p << a.sorties[j] << " => tb_s" << j;
  os << ");\n  process\n    procedure reaction(constant v : in string) is\n    begin\n";
  for (size_t j = 0; j < a.entrees.size(); ++j)
    os << "      tb_e" << j << " <= niveau(v(" << j + 1 << "));\n";
  os << "      wait for 1 ns;\n      tb_clk <= '1';\n      wait for 1 ns;\n      tb_clk <= '0';\n"
     << "      wait for 1 ns;\n    end reaction;\n  begin\n";
  for (auto const& s : a.sequences) {
    os << "    tb_reset <= '0';\n    wait for 1 ns;\n    tb_reset <= '1';\n    wait for 1 ns;\n";
    for (auto const& v : s) os << "    reaction(\"" << chiffres(v) << "\");\n";
  }
  os << "    wait;\n  end process;\nend banc;\n";
  return os.str();
}

namespace {

// The values of every signal of the dump (by scope path and name, in lower
// case) at each of the instants, in increasing order.
std::map<long long, std::map<std::string, char>> releves_vcd(const std::string& vcd,
                                                             const std::set<long long>& instants) {
  std::istringstream is(vcd);
  std::vector<std::string> portee;
  std::map<std::string, std::string> chemins;  // identifier code -> path
  std::string mot;
  while (is >> mot && mot != "$enddefinitions") {
    if (mot == "$scope") {
      std::string genre, nom;
      is >> genre >> nom;
      portee.push_back(nom);
    } else if (mot == "$upscope") {
      if (!portee.empty()) portee.pop_back();
    } else if (mot == "$var") {
      std::string genre, taille, code, nom;
      is >> genre >> taille >> code >> nom;
      std::string chemin;
      for (auto const& p : portee) chemin += p + ".";
      chemins[code] = minuscules(chemin + nom);
    }
  }
  std::map<std::string, char> valeurs;
  std::map<long long, std::map<std::string, char>> r;
  auto suivant = instants.begin();
  std::string ligne;
  std::getline(is, ligne);
  while (std::getline(is, ligne)) {
    if (ligne.empty() || ligne[0] == '$' || ligne[0] == 'b' || ligne[0] == 'r') continue;
    if (ligne[0] == '#') {
      long long t = std::stoll(ligne.substr(1));
      for (; suivant != instants.end() && *suivant <= t; ++suivant) r[*suivant] = valeurs;
      continue;
    }
    auto c = chemins.find(ligne.substr(1));
    if (c != chemins.end())
      valeurs[c->second] = ligne[0] == '0' || ligne[0] == '1' ? ligne[0] : 'x';
  }
  for (; suivant != instants.end(); ++suivant) r[*suivant] = valeurs;
  return r;
}

const char* const sommet = "tb_tous";

// The trace of the testbench of a, instance `instance` of the top entity.
std::vector<std::string> trace_design(
    const std::map<long long, std::map<std::string, char>>& releves, const automate_genere& a,
    const std::string& instance) {
  std::string banc = std::string(sommet) + "." + instance + ".";
  std::vector<std::string> trace;
  for (long long t : instants_lecture(a)) {
    if (t < 0) {
      trace.push_back("r");
      continue;
    }
    const std::map<std::string, char>& v = releves.at(t);
    auto valeur = [&](const std::string& chemin) {
      auto i = v.find(minuscules(chemin));
      return i == v.end() ? '?' : i->second;
    };
    std::string ligne;
    for (size_t j = 0; j < a.sorties.size(); ++j)
      ligne += valeur(banc + "tb_s" + std::to_string(j));
    ligne += " ";
    for (auto const& e : a.etats) ligne += valeur(banc + "dut." + e);
    trace.push_back(ligne);
  }
  return trace;
}

}  // namespace

jeu_ghdl joue_ghdl(const std::string& dossier, const std::vector<automate_genere>& automates,
                   const std::vector<std::string>& designs, bool altera,
                   const std::vector<std::string>& options) {
  jeu_ghdl r;
  std::string ghdl = outil("ghdl"), travail = dossier + "/ghdl";
  if (ghdl.empty()) {
    r.erreur = "ghdl is missing";
    return r;
  }
  std::filesystem::create_directories(travail);
  std::vector<std::string> analyse = {ghdl, "-a", "--workdir=" + travail};
  analyse.insert(analyse.end(), options.begin(), options.end());
  std::string tous = std::string("entity ") + sommet + " is\nend " + sommet +
                     ";\n\narchitecture tous of " + sommet + " is\nbegin\n";
  std::set<long long> instants;
  for (size_t k = 0; k < automates.size(); ++k) {
    const automate_genere& a = automates[k];
    std::string banc = travail + "/tb_" + a.module + ".vhd";
    write_file(banc, banc_vhdl(a, altera));
    analyse.push_back(designs[k]);
    analyse.push_back(banc);
    tous += "  b" + std::to_string(k) + ": entity work.tb_" + a.module + ";\n";
    for (long long t : instants_lecture(a))
      if (t >= 0) instants.insert(t);
  }
  tous += "end tous;\n";
  write_file(travail + "/" + sommet + ".vhd", tous);
  analyse.push_back(travail + "/" + sommet + ".vhd");
  run_result a = run_tool(analyse, dossier, 120);
  if (a.exit_code != 0) {
    r.erreur = "ghdl -a ended with code " + std::to_string(a.exit_code) + ":\n" + a.out + a.err;
    return r;
  }
  std::string vcd = travail + "/" + sommet + ".vcd";
  std::vector<std::string> lance = {ghdl, "--elab-run", "--workdir=" + travail};
  lance.insert(lance.end(), options.begin(), options.end());
  lance.insert(lance.end(), {sommet, "--vcd=" + vcd});
  run_result e = run_tool(lance, dossier, 120);
  if (e.exit_code != 0) {
    r.erreur =
        "ghdl --elab-run ended with code " + std::to_string(e.exit_code) + ":\n" + e.out + e.err;
    return r;
  }
  auto releves = releves_vcd(read_file(vcd), instants);
  for (size_t k = 0; k < automates.size(); ++k)
    r.traces.push_back(trace_design(releves, automates[k], "b" + std::to_string(k)));
  return r;
}
