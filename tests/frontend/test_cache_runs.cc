// Whole runs of the tarvek binary with the BDD operation cache on and off
// (TARVEK_BDD_CACHE=0): the cache may only save time, so both runs must
// leave the same exit code, the same messages and byte-identical files,
// the CPU time aside. Every target that the binary writes in the mode is
// asked for, so that each writer is covered once it exists.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>

#include "run_tool.h"

namespace {

namespace fs = std::filesystem;

const char* const toutes_cibles[] = {"-sc",   "-brimot", "-lustre", "-esterel", "-blif", "-vune",
                                     "-intern", "-c",   "-ino",    "-vhdl",    "-altera", "-doc"};

// The CPU time, and the addresses that the equational dumps print, differ
// from one run to the next.
std::string sans_variations(const std::string& texte) {
  static const std::regex adresse("0x[0-9a-f]{6,}");
  std::istringstream in(texte);
  std::string ligne, r;
  while (std::getline(in, ligne)) {
    if (ligne.rfind("CPU computing time: ", 0) == 0 || ligne.rfind("Temps CPU de compilation: ", 0) == 0)
      continue;
    r += std::regex_replace(ligne, adresse, "0xADDRESS") + "\n";
  }
  return r;
}

struct trace_run {
  run_result r;
  std::map<std::string, std::string> fichiers;
};

trace_run lance(const std::string& dossier, const std::string& gt, const std::vector<std::string>& options,
                bool cache) {
  fs::remove_all(dossier);
  fs::create_directories(dossier);
  fs::copy_file(gt, dossier + "/" + fs::path(gt).filename().string());
  std::vector<std::string> argv = {"/usr/bin/env", std::string("TARVEK_BDD_CACHE=") + (cache ? "1" : "0"),
                                   tarvek_path(), fs::path(gt).filename().string()};
  argv.insert(argv.end(), options.begin(), options.end());
  trace_run t;
  t.r = run_tool(argv, dossier, 120);
  for (auto const& f : fs::directory_iterator(dossier))
    t.fichiers[f.path().filename().string()] = sans_variations(read_file(f.path().string()));
  return t;
}

// The targets of the list that the binary has a writer for in the mode: a
// target without one stops the run, naming it.
std::vector<std::string> cibles_ecrites(const std::string& dossier, const std::string& gt,
                                        const std::vector<std::string>& mode) {
  std::vector<std::string> r;
  for (const char* c : toutes_cibles) {
    std::vector<std::string> options = mode;
    options.push_back(c);
    trace_run t = lance(dossier, gt, options, true);
    if (t.r.err.find("not available yet") == std::string::npos) r.push_back(c);
  }
  return r;
}

TEST(TarvekCache, RunsWithAndWithoutTheCacheLeaveTheSameFiles) {
  std::string d = scratch_dir("tarvek_cache_runs");
  const std::vector<std::vector<std::string>> modes = {{"-explain", "-O2"},
                                                       {"-explain", "-step", "-simul"},
                                                       {"-equational", "-explain", "-O1"},
                                                       {"-equational", "-simul", "-O2"}};
  const char* const exemples[] = {"parallel_press.gt", "guarded_gate.gt"};
  std::map<bool, std::vector<std::string>> cibles;
  for (bool equationnel : {false, true})
    cibles[equationnel] = cibles_ecrites(d + "/probe", std::string(TARVEK_EXAMPLES) + "/traffic_light.gt",
                                         equationnel ? std::vector<std::string>{"-equational"}
                                                     : std::vector<std::string>{});
  // Both modes have had C and Arduino writers since before this test.
  for (bool equationnel : {false, true})
    for (const char* c : {"-c", "-ino"})
      EXPECT_NE(std::find(cibles[equationnel].begin(), cibles[equationnel].end(), c),
                cibles[equationnel].end())
          << c << (equationnel ? " -equational" : "");
  for (const char* exemple : exemples) {
    for (auto const& mode : modes) {
      std::vector<std::string> options = mode;
      bool equationnel = mode[0] == "-equational";
      options.insert(options.end(), cibles[equationnel].begin(), cibles[equationnel].end());
      std::string cas = exemple;
      for (auto const& o : options) cas += " " + o;
      std::string gt = std::string(TARVEK_EXAMPLES) + "/" + exemple;
      trace_run avec = lance(d + "/on", gt, options, true);
      trace_run sans = lance(d + "/off", gt, options, false);
      EXPECT_EQ(avec.r.exit_code, 0) << cas << "\n" << avec.r.err;
      EXPECT_EQ(avec.r.exit_code, sans.r.exit_code) << cas;
      EXPECT_EQ(avec.r.out, sans.r.out) << cas;
      EXPECT_EQ(avec.r.err, sans.r.err) << cas;
      // The grafcet, the log and at least one target.
      EXPECT_GE(avec.fichiers.size(), 3u) << cas;
      std::vector<std::string> noms_avec, noms_sans;
      for (auto const& f : avec.fichiers) noms_avec.push_back(f.first);
      for (auto const& f : sans.fichiers) noms_sans.push_back(f.first);
      EXPECT_EQ(noms_avec, noms_sans) << cas;
      for (auto const& f : avec.fichiers) {
        if (!sans.fichiers.count(f.first)) continue;
        EXPECT_TRUE(f.second == sans.fichiers[f.first]) << cas << ": " << f.first << " differs";
      }
    }
  }
}

}  // namespace
