// The target files of a run that stops: each is left as the earlier run
// wrote it or as a complete run writes it, never cut short, and no
// temporary file stays behind; targets reached through links and devices,
// and those that cannot be written aside.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
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

// A two-step grafcet, written as g.gt in `ref` with the C source and header
// that a complete run makes of it.
std::string deux_etapes(const std::string& ref) {
  std::string texte = gt({"IS: 1 0 0", "NS: 2 0 4"},
                         {"1 0 2 FR: (0) TO: (1) : \"a\"", "2 0 6 FR: (1) TO: (0) : \"not a\""});
  write_file(ref + "/g.gt", texte);
  EXPECT_EQ(tarvek(ref, {"g.gt", "-c"}).exit_code, 0);
  return texte;
}

// A target reached through a link is written into the file it names, which
// keeps its permissions; a device is written in place; a new file gets
// those that the user's mask leaves.
TEST(TarvekFichiers, TargetsThroughLinksAndDevices) {
  std::string ref = scratch_dir("tarvek_links_ref"), d = scratch_dir("tarvek_links");
  std::string texte = deux_etapes(ref);
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

// What runs tarvek as a user who may not write in the folder d once its
// mode forbids it: nothing for a user who is not root, setpriv to nobody
// for root, whom no mode stops. Empty with the reason when nobody cannot
// run the binary.
std::vector<std::string> sans_droits(const std::string& d, std::string& raison) {
  if (geteuid() != 0) return {};
  const std::string setpriv = "/usr/bin/setpriv";
  if (access(setpriv.c_str(), X_OK) != 0) {
    raison = setpriv + " is missing to run tarvek as nobody";
    return {};
  }
  std::vector<std::string> r = {setpriv, "--reuid=65534", "--regid=65534", "--clear-groups"};
  std::vector<std::string> essai = r;
  essai.insert(essai.end(), {tarvek_path(), "-v"});
  run_result v = run_tool(essai, d, 60);
  if (v.exit_code != 0) raison = "nobody cannot run " + tarvek_path() + ": " + v.err;
  return v.exit_code == 0 ? r : std::vector<std::string>{};
}

// Runs that once left a temporary file beside their targets or refused a
// target that writing in place rewrote: each ends as it should, and its
// folder holds what it held and the targets it wrote, nothing else.
TEST(TarvekFichiers, EveryEndingLeavesNoTemporaryFile) {
  std::string ref = scratch_dir("tarvek_aside_ref"), d = scratch_dir("tarvek_aside");
  std::string texte = deux_etapes(ref);

  // Standard output on a pipe that nobody reads: the BLIF writer, and the
  // equational Lustre writer, print to it while their file is open.
  struct sigaction pipe_avant, pipe_defaut;
  std::memset(&pipe_defaut, 0, sizeof pipe_defaut);
  pipe_defaut.sa_handler = SIG_DFL;
  ASSERT_EQ(sigaction(SIGPIPE, &pipe_defaut, &pipe_avant), 0);
  int tube[2];
  ASSERT_EQ(pipe(tube), 0);
  close(tube[0]);
  const std::vector<std::string> tube_ferme = {"/bin/bash", "-c",
                                               "exec \"$0\" \"$@\" >&" + std::to_string(tube[1])};
  // SIGABRT once the C source's file exists, while the header, a FIFO
  // that nobody opens, holds the run.
  const std::vector<std::string> abandon = {
      "/bin/bash", "-c",
      "n=$(ls -A | wc -l); \"$0\" \"$@\" & p=$!; i=0; "
      "while [ $(ls -A | wc -l) -le $n ] && [ $i -lt 1000 ]; do sleep 0.01; i=$((i+1)); done; "
      "kill -ABRT $p; wait $p"};
  std::string raison;
  const std::vector<std::string> nobody = sans_droits(d, raison);
  const std::string longue(247, 'n');
  auto rien = [] {};
  auto nouveaux = [&] {
    EXPECT_EQ(read_file(d + "/g.c"), read_file(ref + "/g.c"));
    EXPECT_EQ(read_file(d + "/g.h"), read_file(ref + "/g.h"));
  };
  struct cas {
    const char* quoi;
    std::function<void()> prepare;
    std::vector<std::string> avant;  // the command that runs tarvek
    std::vector<std::string> arguments;
    int code;
    std::string fin_err;
    std::set<std::string> entrees;  // beside g.gt and g.log
    std::function<void()> verifie;
    bool sans_droits;  // run as a user who may not write the folder
  } const table[] = {
      {"BLIF, standard output closed",
       rien,
       tube_ferme,
       {"g.gt", "-blif", "-c"},
       -1,
       "",
       {},
       rien,
       false},
      {"equational Lustre, standard output closed",
       rien,
       tube_ferme,
       {"g.gt", "-equational", "-lustre"},
       -1,
       "",
       {},
       rien,
       false},
      {"SIGABRT",
       [&] { ASSERT_EQ(mkfifo((d + "/g.h").c_str(), 0644), 0); },
       abandon,
       {"g.gt", "-c"},
       128 + SIGABRT,
       "",
       {"g.h"},
       rien,
       false},
      {"folder that the user may not write, its targets writable",
       [&] {
         for (auto const& e : {"/g.c", "/g.h", "/g.log"}) {
           write_file(d + e, "earlier\n");
           ASSERT_EQ(chmod((d + e).c_str(), 0666), 0);
         }
         ASSERT_EQ(chmod(d.c_str(), 0555), 0);
       },
       {},
       {"g.gt", "-c"},
       0,
       "",
       {"g.c", "g.h"},
       nouveaux,
       true},
      {"name of 250 characters",
       [&] { write_file(d + "/" + longue + ".gt", texte); },
       {},
       {longue + ".gt", "-c", "-blif"},
       0,
       "",
       {longue + ".gt", longue + ".log", longue + ".c", longue + ".h", longue + ".blif"},
       rien,
       false},
      {"link to a file not made yet",
       [&] {
         std::filesystem::create_directory(d + "/autre");
         ASSERT_EQ(symlink("autre/vrai.c", (d + "/g.c").c_str()), 0);
       },
       {},
       {"g.gt", "-c"},
       0,
       "",
       {"g.c", "g.h", "autre"},
       [&] {
         EXPECT_TRUE(std::filesystem::is_symlink(d + "/g.c"));
         EXPECT_EQ(read_file(d + "/autre/vrai.c"), read_file(ref + "/g.c"));
         EXPECT_EQ(entrees(d + "/autre"), std::set<std::string>{"vrai.c"});
       },
       false},
      {"link into a missing folder",
       [&] { ASSERT_EQ(symlink("absent/vrai.c", (d + "/g.c").c_str()), 0); },
       {},
       {"g.gt", "-c"},
       1,
       "file g.c cannot be written !",
       {"g.c"},
       [&] { EXPECT_TRUE(std::filesystem::is_symlink(d + "/g.c")); },
       false},
  };
  for (auto const& c : table) {
    SCOPED_TRACE(c.quoi);
    chmod(d.c_str(), 0755);
    std::filesystem::remove_all(d);
    std::filesystem::create_directory(d);
    write_file(d + "/g.gt", texte);
    write_file(d + "/g.log", "");
    c.prepare();
    if (c.sans_droits && !raison.empty()) {
      std::cout << "[  SKIPPED ] " << c.quoi << ": " << raison << std::endl;
      continue;
    }
    std::vector<std::string> args = c.sans_droits ? nobody : c.avant;
    args.push_back(tarvek_path());  // $0 of the shell, when there is one
    args.insert(args.end(), c.arguments.begin(), c.arguments.end());
    run_result r = run_tool(args, d, 60);
    chmod(d.c_str(), 0755);
    EXPECT_EQ(r.exit_code, c.code) << r.err;
    if (!c.fin_err.empty()) {
      EXPECT_NE(r.err.find(c.fin_err + casse), std::string::npos) << r.err;
    }
    std::set<std::string> attendues = c.entrees;
    attendues.insert({"g.gt", "g.log"});
    EXPECT_EQ(entrees(d), attendues);
    c.verifie();
  }
  close(tube[1]);
  sigaction(SIGPIPE, &pipe_avant, nullptr);
}

}  // namespace
