// The target files of a run that stops: each is left as the earlier run
// wrote it or as a complete run writes it, never cut short, and no
// temporary file stays behind; targets reached through links and devices.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "run_tool.h"
#include "tarvek_cas.h"

namespace {

// Every target but the sc netlist, the largest and the first written, in
// the order of the writers.
const std::vector<std::string> options_cibles = {"-brimot", "-esterel", "-lustre", "-blif",
                                                 "-vune",   "-intern",  "-c",      "-ino",
                                                 "-vhdl",   "-doc"};
const std::vector<std::string> extensions = {".brm", ".strl", ".lus", ".blif", ".vune", ".fba",
                                             ".c",   ".h",    ".ino", ".vhd",  ".doc"};

std::map<std::string, std::string> cibles(const std::string& d) {
  std::map<std::string, std::string> r;
  for (auto const& e : extensions) r[e] = read_file(d + "/g" + e);
  return r;
}

std::set<std::string> entrees(const std::string& d) {
  std::set<std::string> r;
  for (auto const& e : std::filesystem::directory_iterator(d)) r.insert(e.path().filename());
  return r;
}

// The documentation without its last line, the CPU time, which differs
// from run to run; empty when that line is missing.
std::string sans_temps(const std::string& doc) {
  size_t p = doc.rfind("\nTemps CPU de compilation: ");
  size_t fin = doc.size() < 11 ? 0 : doc.size() - 11;
  if (p == std::string::npos || doc.compare(fin, 11, " secondes\n\n") != 0) return "";
  return doc.substr(0, p);
}

std::vector<std::string> commande(const std::vector<std::string>& avant,
                                  const std::vector<std::string>& options) {
  std::vector<std::string> r = avant;
  r.push_back("g.gt");
  r.insert(r.end(), options.begin(), options.end());
  return r;
}

// The earlier run compiled another grafcet under the same file name, so
// that its every file differs from those of the run that each case makes
// stop: the targets before `arret` must be the new ones, the others the
// earlier ones.
TEST(TarvekFichiers, AStoppedRunLeavesEachTargetEarlierOrComplete) {
  std::string texte = read_file(std::string(TARVEK_EXAMPLES) + "/parallel_press.gt");
  std::string ref = scratch_dir("tarvek_stop_ref"), d = scratch_dir("tarvek_stop");
  write_file(ref + "/g.gt", texte);
  ASSERT_EQ(tarvek(ref, commande({}, options_cibles)).exit_code, 0);
  std::map<std::string, std::string> nouveau = cibles(ref);
  write_file(d + "/g.gt", read_file(std::string(TARVEK_EXAMPLES) + "/traffic_light.gt"));
  ASSERT_EQ(tarvek(d, commande({}, options_cibles)).exit_code, 0);
  std::map<std::string, std::string> ancien = cibles(d);
  std::string ancien_log = read_file(d + "/g.log");
  write_file(d + "/g.gt", texte);
  for (auto const& e : extensions) ASSERT_NE(ancien[e], nouveau[e]) << e;
  std::set<std::string> attendues = entrees(d);

  // A limit on the size of the files that the C source alone exceeds.
  size_t limite = (nouveau[".c"].size() - 1) / 1024;
  for (auto const& e : {".brm", ".strl", ".lus", ".blif", ".vune", ".fba", ".h"})
    ASSERT_LE(nouveau[e].size(), limite * 1024) << e;
  ASSERT_LE(read_file(ref + "/g.log").size(), limite * 1024);
  std::string ulimit = "ulimit -f " + std::to_string(limite) + "; exec \"$0\" \"$@\"";

  auto rien = [] {};
  auto entete_dossier = [&] {
    std::filesystem::remove(d + "/g.h");
    std::filesystem::create_directory(d + "/g.h");
  };
  auto log_plein = [&] {
    std::filesystem::remove(d + "/g.log");
    ASSERT_EQ(symlink("/dev/full", (d + "/g.log").c_str()), 0);
  };
  struct cas {
    const char* quoi;
    std::function<void()> prepare;
    std::vector<std::string> avant;  // the command that runs tarvek
    const char* arret;               // the first target left as it was
    int code;
    std::string fin_err;
  } const table[] = {
      {"header that is a folder", entete_dossier, {}, ".c", 1, "file g.h cannot be written !"},
      {"file size limit, the run killed", rien, {"/bin/bash", "-c", ulimit}, ".c", -1, ""},
      {"file size limit, the writes refused",
       rien,
       {"/bin/bash", "-c", "trap '' XFSZ; " + ulimit},
       ".c",
       1,
       "file g.c cannot be written !"},
      {"log that cannot be written", log_plein, {}, ".doc", 1, "file g.log cannot be written !"},
      {"complete run", rien, {}, "", 0, ""},
  };
  for (auto const& c : table) {
    SCOPED_TRACE(c.quoi);
    std::filesystem::remove_all(d + "/g.h");
    std::filesystem::remove(d + "/g.log");
    for (auto const& [e, t] : ancien) write_file(d + "/g" + e, t);
    write_file(d + "/g.log", ancien_log);
    c.prepare();
    std::vector<std::string> args = c.avant;
    args.push_back(tarvek_path());  // $0 of the shell, when there is one
    run_result r = run_tool(commande(args, options_cibles), d, 60);
    EXPECT_EQ(r.exit_code, c.code) << r.err;
    if (!c.fin_err.empty()) {
      EXPECT_NE(r.err.find(c.fin_err + casse), std::string::npos) << r.err;
    }
    EXPECT_EQ(entrees(d), attendues);
    // Which text each target holds, the documentation's CPU time aside.
    auto etat = [&](const std::string& e) -> std::string {
      std::string t = read_file(d + "/g" + e);
      if (t == ancien[e]) return "earlier";
      if (e == ".doc" ? !sans_temps(t).empty() && sans_temps(t) == sans_temps(nouveau[e])
                      : t == nouveau[e])
        return "new";
      return std::to_string(t.size()) + " other bytes";
    };
    bool avant_arret = true;
    for (auto const& e : extensions) {
      avant_arret = avant_arret && e != c.arret;
      if (std::filesystem::is_directory(d + "/g" + e)) continue;
      EXPECT_EQ(etat(e), avant_arret ? "new" : "earlier") << e;
    }
  }
}

// A target reached through a link is written into the file it names, which
// keeps its permissions; a device is written in place; a new file gets
// those that the user's mask leaves.
TEST(TarvekFichiers, TargetsThroughLinksAndDevices) {
  std::string ref = scratch_dir("tarvek_links_ref"), d = scratch_dir("tarvek_links");
  std::string texte = gt({"IS: 1 0 0", "NS: 2 0 4"},
                         {"1 0 2 FR: (0) TO: (1) : \"a\"", "2 0 6 FR: (1) TO: (0) : \"not a\""});
  write_file(ref + "/g.gt", texte);
  ASSERT_EQ(tarvek(ref, {"g.gt", "-c"}).exit_code, 0);
  write_file(d + "/g.gt", texte);
  std::filesystem::create_directory(d + "/sous");
  write_file(d + "/sous/vrai.c", "an earlier text\n");
  ASSERT_EQ(chmod((d + "/sous/vrai.c").c_str(), 0640), 0);
  ASSERT_EQ(symlink("sous/vrai.c", (d + "/g.c").c_str()), 0);
  ASSERT_EQ(symlink("/dev/null", (d + "/g.vhd").c_str()), 0);
  run_result r = tarvek(d, {"g.gt", "-c", "-vhdl"});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_TRUE(std::filesystem::is_symlink(d + "/g.c"));
  EXPECT_TRUE(std::filesystem::is_symlink(d + "/g.vhd"));
  EXPECT_EQ(read_file(d + "/sous/vrai.c"), read_file(ref + "/g.c"));
  struct stat st;
  ASSERT_EQ(stat((d + "/sous/vrai.c").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  mode_t masque = umask(0);
  umask(masque);
  ASSERT_EQ(stat((d + "/g.h").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0666u & ~masque);
  EXPECT_EQ(entrees(d), (std::set<std::string>{"g.gt", "g.log", "g.c", "g.h", "g.vhd", "sous"}));
  EXPECT_EQ(entrees(d + "/sous"), std::set<std::string>{"vrai.c"});
}

}  // namespace
