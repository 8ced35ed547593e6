// The tarvek binary from the command line, without a display: usage and
// version, options, file names, reader and check errors with their exact
// messages and exit codes, the log, and the runs of the examples.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "run_tool.h"
#include "tarvek_cas.h"

namespace {

std::string donnee(const std::string& nom) {
  return read_file(std::string(TARVEK_TEST_DATA) + "/frontend/data/" + nom);
}

TEST(Tarvek, UsageAndVersion) {
  std::string d = scratch_dir("tarvek_usage");
  for (auto args : std::vector<std::vector<std::string>>{{"-h"}, {"-h", "-bogus"}}) {
    run_result r = tarvek(d, args);
    EXPECT_EQ(r.exit_code, 0);
    EXPECT_EQ(r.out, donnee("usage.txt"));
    EXPECT_EQ(r.err, "");
  }
  run_result v = tarvek(d, {"-v", "x.gt"});
  EXPECT_EQ(v.exit_code, 0);
  EXPECT_EQ(v.out, "tarvek : compilateur grafcet vers sc. version 5.5.5, BDD version 4.7\n");
}

TEST(Tarvek, OptionsAndArguments) {
  std::string d = scratch_dir("tarvek_options");
  write_file(d + "/g.gt", gt({"IS: 1 0 0"}, {}));
  struct cas {
    std::vector<std::string> args;
    int code;
    std::string err;
  } const table[] = {
      {{"g.gt", "-h"}, 1, "`-h' option inconnue: tapez tarvek -h pour en connaitre la liste\n\n"},
      {{"g.gt", "-O3"}, 1, "`-O3' option inconnue: tapez tarvek -h pour en connaitre la liste\n\n"},
      {{"g.gt", "-explain", "-show", "-noarrange", "-noipcheck", "-O0", "-O1", "-O2", "-step",
        "-equational", "-O2", "-O0"},
       0,
       "EQU_MODE demande\n" + pas_de_sortie},
  };
  for (auto const& c : table) {
    run_result r = tarvek(d, c.args);
    EXPECT_EQ(r.exit_code, c.code) << c.args.back();
    EXPECT_EQ(r.err, c.err) << c.args.back();
  }
  run_result sans = tarvek(d, {});
  EXPECT_EQ(sans.exit_code, 1);
  EXPECT_EQ(std::count(sans.err.begin(), sans.err.end(), '\n'), 1) << sans.err;
}

// Every target option is accepted and writes through its writer after the
// compilation and the dump, which under -simul shows the exported steps.
// -simul alone asks for no file.
TEST(Tarvek, EveryTargetOptionEndsWell) {
  std::string d = scratch_dir("tarvek_targets");
  write_file(d + "/g.gt", gt({"IS: 1 0 0"}, {}));
  std::vector<std::vector<std::string>> const table = {
      {"-simul"}, {"-simul", "-show"}, {"-sc"},  {"-brimot"}, {"-lustre"}, {"-esterel"},
      {"-blif"},  {"-vune"},           {"-intern"}, {"-c"},   {"-ino"},    {"-vhdl"},
      {"-doc"},   {"-altera"},         {"-doc", "-simul", "-c", "-altera", "-sc", "-show"},
  };
  for (auto const& options : table) {
    std::vector<std::string> args = {"g.gt"};
    args.insert(args.end(), options.begin(), options.end());
    run_result r = tarvek(d, args);
    std::string quoi = options.front();
    EXPECT_EQ(r.exit_code, 0) << quoi;
    EXPECT_EQ(r.err, par_situations) << quoi;
    std::string log = read_file(d + "/g.log");
    EXPECT_NE(log.find("  NOM MODULE : m\n"), std::string::npos) << quoi;
    EXPECT_NE(log.find("\nEFFECTIVE COMPILATION\n"), std::string::npos) << quoi;
    EXPECT_EQ(log.find("  2 EXPORTED_ZX1 : bool\n  3 EXPORTED_RE1 : event\n") != std::string::npos,
              quoi == "-simul" || options.size() > 1)
        << quoi;
    EXPECT_NE(log.find("CPU computing time"), std::string::npos) << quoi;
    bool montre = std::count(options.begin(), options.end(), "-show") > 0;
    EXPECT_EQ(r.out.find("\nGENERATION\n") != std::string::npos, montre) << quoi;
  }
}

// The equational mode writes no sc netlist, BRIMOT file or state-change
// file: each target asked for says so, touches no file of its name, and the
// run goes on with the other targets.
TEST(Tarvek, EquationalTargetsWithoutFile) {
  std::string d = scratch_dir("tarvek_equ_targets");
  write_file(d + "/g.gt", gt({"IS: 1 0 0"}, {}));
  write_file(d + "/g.brm", "earlier run");
  auto notice = [](const std::string& cible) {
    return cible + " generation is incompatible with the equationnal compilation mode\n";
  };
  run_result r = tarvek(d, {"g.gt", "-equational", "-intern", "-c", "-sc", "-brimot"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.err, "EQU_MODE demande\n" + notice("SC") + notice("BRIMOT") + notice("FBA"));
  EXPECT_FALSE(file_exists(d + "/g.sc"));
  EXPECT_FALSE(file_exists(d + "/g.fba"));
  EXPECT_EQ(read_file(d + "/g.brm"), "earlier run");
  EXPECT_NE(read_file(d + "/g.c"), "");
  for (auto const* cible : {"-brimot", "-intern"}) {
    run_result seule = tarvek(d, {"g.gt", cible, "-equational"});
    EXPECT_EQ(seule.exit_code, 0) << cible;
    EXPECT_EQ(seule.err, "EQU_MODE demande\n" + notice(cible == std::string("-brimot") ? "BRIMOT" : "FBA"))
        << cible;
  }
}

// A target file that cannot be created ends the run with its name, after
// the files of the targets before it.
TEST(Tarvek, TargetFileThatCannotBeWritten) {
  std::string d = scratch_dir("tarvek_target_unwritable");
  write_file(d + "/g.gt", gt({"IS: 1 0 0"}, {}));
  std::filesystem::create_directory(d + "/g.c");
  run_result r = tarvek(d, {"g.gt", "-equational", "-c"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "EQU_MODE demande\nfile g.c cannot be written !" + casse);
  EXPECT_EQ(read_file(d + "/g.log").find("CPU computing time"), std::string::npos);
}

// A run whose input cannot be read writes no file, and leaves the log of an
// earlier run as it was.
TEST(Tarvek, FileNames) {
  std::string d = scratch_dir("tarvek_names");
  struct cas {
    std::string nom, entree, log;
  } const table[] = {
      {"a", "a.gt", "a.log"},
      {"b.gt", "b.gt", "b.log"},
      {"c.gt.bak", "c.gt", "c.log"},
      {"x.GT", "x.GT.gt", "x.GT.log"},
      {"-x", "-x.gt", "-x.log"},
  };
  for (auto const& c : table) {
    run_result r = tarvek(d, {c.nom});
    EXPECT_EQ(r.exit_code, 1) << c.nom;
    EXPECT_EQ(r.err, "file " + c.entree + " not found !" + casse) << c.nom;
    EXPECT_FALSE(file_exists(d + "/" + c.log)) << c.nom;
  }
  EXPECT_TRUE(std::filesystem::is_empty(d));
  write_file(d + "/old.log", "an earlier run\n");
  tarvek(d, {"old.gt", "-c"});
  EXPECT_EQ(read_file(d + "/old.log"), "an earlier run\n");
}

// The base name stops at the first ".gt", a folder here: it is opened but
// cannot be read, and the run ends as for a missing file, before any file
// is written.
TEST(Tarvek, InputThatCannotBeRead) {
  std::string d = scratch_dir("tarvek_unreadable");
  std::filesystem::create_directories(d + "/dir.gt");
  write_file(d + "/dir.gt/x.gt", gt({"IS: 1 0 0"}, {}));
  run_result r = tarvek(d, {"dir.gt/x.gt", "-c"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "file dir.gt cannot be read !" + casse);
  EXPECT_FALSE(file_exists(d + "/dir.log"));
  EXPECT_FALSE(file_exists(d + "/dir.c"));
}

TEST(Tarvek, LogThatCannotBeWritten) {
  std::string d = scratch_dir("tarvek_log");
  write_file(d + "/g.gt", gt({"IS: 1 0 0"}, {}));
  std::filesystem::create_directories(d + "/g.log");
  run_result r = tarvek(d, {"g.gt"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "file g.log cannot be written !" + casse);

  write_file(d + "/h.gt", gt({"IS: 1 0 0"}, {}));
  ASSERT_EQ(symlink("/dev/full", (d + "/h.log").c_str()), 0);
  run_result plein = tarvek(d, {"h.gt"});
  EXPECT_EQ(plein.exit_code, 1);
  EXPECT_EQ(plein.err, compile_seul + "file h.log cannot be written !" + casse);
}

TEST(Tarvek, ReaderErrors) {
  std::string d = scratch_dir("tarvek_reader");
  struct cas {
    const char* nom;
    std::string texte, err;
  } const table[] = {
      {"empty", "", "syntax error, unexpected $end, expecting NAME\n"},
      {"bad type", "Name: m Input: \"x\" : int EndInput:",
       "syntax error, unexpected WORD, expecting BOOL or EVENT\n"},
      {"out of range", gt({"IS: 1 0 99999999999"}, {}), "syntax error, number out of range\n"},
  };
  for (auto const& c : table) {
    write_file(d + "/r.gt", c.texte);
    run_result r = tarvek(d, {"r.gt"});
    EXPECT_EQ(r.exit_code, 1) << c.nom;
    EXPECT_EQ(r.err, c.err + "file r.gt not found or syntax error ...\n") << c.nom;
  }
}

TEST(Tarvek, Checks) {
  std::string d = scratch_dir("tarvek_checks");
  const std::string t01 = "1 0 2 FR: (0) TO: (1) : \"a\"";
  struct cas {
    const char* nom;
    std::string texte;
    int code;
    std::string err;
  } const table[] = {
      {"macro step", gt({"IS: 1 0 0", "MS: 2 0 4"}, {t01}), 1,
       "ERROR: Macro Step not yet implemented ... \n   --> break compilation processing ...\n"},
      {"only encapsulated initial steps", gt({"EIS: 1 0 0", "SEIS: 2 0 4"}, {t01}), 1,
       "ERROR: Encapsulated Initial Step not yet implemented ... \n   --> break compilation "
       "processing ...\n"},
      {"no initial step", gt({"NS: 1 0 0", "NS: 2 0 4"}, {t01}), 1,
       "ERROR: No initial step found !!!" + casse},
      {"no step at all", gt({}, {}), 1, "ERROR: No initial step found !!!" + casse},
      {"no step for a position", gt({}, {"3 0 2 FR: (0) TO: : \"a\""}), 1,
       "WARNING: transition: \"t3\" lists step position 0 after FR:, but the grafcet has no "
       "step: position ignored !!!" + continue_ + "ERROR: No initial step found !!!" + casse},
      {"same numbers", gt({"IS: 3 0 0", "NS: 5 0 4", "NS: 005 4 4"}, {t01}), 1,
       "ERROR: Several steps have the same ident: \"5\" !!!" + casse},
      {"empty receptivity", gt({"IS: 1 0 0", "NS: 2 0 4"}, {t01, "9 0 6 FR: (1) TO: (0) : \"\""}),
       1, "ERROR: transition: \"t9\" is not defined !!!" + casse},
      {"unconnected", gt({"IS: 1 0 0", "NS: 2 0 4"}, {t01, "7 0 6 FR: (5) TO: : \"a\""}), 1,
       "WARNING: transition: \"t7\" lists step position 5 after FR:, but the step positions run "
       "from 0 to 1: position ignored !!!" + continue_ +
           "ERROR: transition: \"t7\" is not connected !!!" + casse},
      {"first failing check wins", gt({"NS: 1 0 0", "NS: 1 0 4"}, {"3 0 2 FR: TO: : \"\""}), 1,
       "ERROR: No initial step found !!!" + casse},
      {"undeclared output",
       gt({"IS: 1 0 0 Action: 1 \"P\" : \"1\" EndAction:",
           "NS: 2 0 4 Action: 2 \"N\" : \"a\" EndAction:"},
          {t01}),
       1, "ERROR: step: \"2\" drives output 2, which is not declared !!!" + casse},
      {"shadowed transitions",
       gt({"IS: 1 0 0", "NS: 2 0 4"},
          {"10 0 2 FR: (0) TO: (1) : \"a :\"", "20 0 6 FR: (1) TO: (0) : \"a\"",
           "30 0 6 FR: (1) TO: (0) : \"not a\""}),
       0,
       "WARNING: transition: \"t20\" shadows transition \"t30\" !!!" + continue_ + compile_seul},
      {"two warnings of different kinds",
       gt({"IS: 1 0 0", "NS: 2 5 5", "NS: 3 7 7", "NS: 4 0 0"},
          {"5 7 7 FR: (0) TO: (1) : \"a\"", "6 0 2 FR: (1) TO: (0) : \"not a\""}),
       0,
       "WARNING: step: \"1\" shadows step \"4\" !!!" + continue_ +
           "WARNING: transition: \"t5\" shadows step \"3\" !!!" + continue_ + compile_seul},
      {"warnings then an undeclared output",
       gt({"IS: 1 0 0 Action: 9 \"N\" : \"1\" EndAction:", "NS: 2 0 0"}, {t01}), 1,
       "WARNING: step: \"1\" shadows step \"2\" !!!" + continue_ +
           "ERROR: step: \"1\" drives output 9, which is not declared !!!" + casse},
  };
  for (auto const& c : table) {
    write_file(d + "/c.gt", c.texte);
    run_result r = tarvek(d, {"c.gt"});
    EXPECT_EQ(r.exit_code, c.code) << c.nom;
    EXPECT_EQ(r.err, c.err) << c.nom;
    std::string log = read_file(d + "/c.log");
    EXPECT_EQ(log.find("NOM MODULE") != std::string::npos, c.code == 0) << c.nom;
  }
}

// A step position outside the table in FR: or TO:, and a receptivity that
// the "=1" rule reads as 1 although it says more, are kept as the files
// always had them; each is told once, on the error stream and in the log, in
// both modes. The files written are those of the grafcet that says plainly
// what was read.
TEST(Tarvek, WarningsOnWhatTheReaderDropsOrReadsAsOne) {
  std::string d = scratch_dir("tarvek_lectures");
  const std::vector<std::string> etapes = {"IS: 1 0 0", "NS: 2 0 4", "NS: 3 0 8", "IS: 4 4 0"};
  const std::string entrees = "\"start\" : bool \"stop\" : bool";
  auto grafcet = [&](const std::string& dossier, const std::vector<std::string>& transitions) {
    std::filesystem::create_directories(d + dossier);
    write_file(d + dossier + "/g.gt", gt(etapes, transitions, entrees));
  };
  grafcet("/w", {"1 1 2 FR: (0) TO: (1,5,5) : \"start=1\"", "2 1 6 FR: (1,7) TO: (2) : \"stop\"",
                 "30 1 10 FR: (2) TO: (0,9) : \"not stop\"", "4 4 2 FR: (3) TO: : \"=10\""});
  grafcet("/p", {"1 1 2 FR: (0) TO: (1) : \"=1\"", "2 1 6 FR: (1) TO: (2) : \"stop\"",
                 "30 1 10 FR: (2) TO: (0) : \"not stop\"", "4 4 2 FR: (3) TO: : \"=1\""});
  auto position = [](const char* t, int p, const char* liste) {
    return "WARNING: transition: \"" + std::string(t) + "\" lists step position " +
           std::to_string(p) + " after " + liste +
           ", but the step positions run from 0 to 3: position ignored !!!" + continue_;
  };
  auto egal_un = [](const char* t, const char* texte) {
    return "WARNING: transition: \"" + std::string(t) + "\" has the receptivity \"" + texte +
           "\", which holds \"=1\" and is read as the constant 1 !!!" + continue_;
  };
  const std::string avertissements = position("t1", 5, "TO:") + position("t2", 7, "FR:") +
                                     position("t30", 9, "TO:") + egal_un("t1", "start=1") +
                                     egal_un("t4", "=10");
  for (bool equationnel : {false, true}) {
    std::vector<std::string> args = {"g.gt", "-c", "-lustre", "-blif"};
    if (equationnel) args.push_back("-equational");
    std::string annonce = equationnel ? "EQU_MODE demande\n" : par_situations;
    run_result w = tarvek(d + "/w", args);
    run_result p = tarvek(d + "/p", args);
    EXPECT_EQ(w.exit_code, 0);
    EXPECT_EQ(p.exit_code, 0);
    EXPECT_EQ(w.err, avertissements + p.err);
    EXPECT_EQ(p.err.rfind(annonce, 0), 0u) << p.err;
    EXPECT_EQ(read_file(d + "/w/g.log").rfind(avertissements, 0), 0u);
    for (auto const* f : {"/g.c", "/g.h", "/g.lus", "/g.blif"}) {
      EXPECT_NE(read_file(d + "/p" + f), "") << f;
      EXPECT_EQ(read_file(d + "/w" + f), read_file(d + "/p" + f)) << f << " " << equationnel;
    }
  }
}

// A guarded part that is always false is read as 1, as an empty part is;
// one that says more than nothing is told once per transition, on the error
// stream and in the log, in both modes, and the files are those of the
// grafcet with the part left empty.
TEST(Tarvek, WarningOnAGuardedPartAlwaysFalse) {
  std::string d = scratch_dir("tarvek_garde_fausse");
  const std::vector<std::string> etapes = {"IS: 1 0 0", "NS: 2 0 4", "NS: 3 0 8"};
  const std::string entrees = "\"start\" : bool \"stop\" : bool";
  auto grafcet = [&](const std::string& dossier, const std::vector<std::string>& recept) {
    std::filesystem::create_directories(d + dossier);
    write_file(d + dossier + "/g.gt",
               gt(etapes,
                  {"1 1 2 FR: (0) TO: (1) : \"" + recept[0] + "\"",
                   "2 1 6 FR: (1) TO: (2) : \"" + recept[1] + "\"",
                   "3 1 10 FR: (2) TO: (0) : \"" + recept[2] + "\""},
                  entrees));
  };
  grafcet("/w", {"start : 0", " stop and not stop  : stop", "0 : 0"});
  grafcet("/p", {"start :", ": stop", " : "});
  auto fausse = [](const char* t, const char* partie) {
    return "WARNING: transition: \"" + std::string(t) + "\" has the guarded part \"" + partie +
           "\", which is always false and is read as 1 !!!" + continue_;
  };
  const std::string avertissements =
      fausse("t1", "0") + fausse("t2", "stop and not stop") + fausse("t3", "0");
  for (bool equationnel : {false, true}) {
    std::vector<std::string> args = {"g.gt", "-c", "-blif"};
    if (equationnel) args.push_back("-equational");
    run_result w = tarvek(d + "/w", args);
    run_result p = tarvek(d + "/p", args);
    EXPECT_EQ(w.exit_code, 0);
    EXPECT_EQ(p.exit_code, 0);
    EXPECT_EQ(p.err, equationnel ? "EQU_MODE demande\n" : par_situations);
    EXPECT_EQ(w.err, avertissements + p.err);
    EXPECT_EQ(read_file(d + "/w/g.log").rfind(avertissements, 0), 0u);
    EXPECT_EQ(read_file(d + "/p/g.log").find("WARNING"), std::string::npos);
    for (auto const* f : {"/g.c", "/g.h", "/g.blif"}) {
      EXPECT_NE(read_file(d + "/p" + f), "") << f;
      EXPECT_EQ(read_file(d + "/w" + f), read_file(d + "/p" + f)) << f << " " << equationnel;
    }
  }
}

// The log of a run: echoed characters and, with -explain, the trace, then the
// dump, the compilation, an empty line and the CPU time. Every example
// compiles.
TEST(Tarvek, LogOfTheExamples) {
  std::string d = scratch_dir("tarvek_examples");
  int exemples = 0;
  for (auto const& f : std::filesystem::directory_iterator(TARVEK_EXAMPLES)) {
    if (f.path().extension() != ".gt") continue;
    ++exemples;
    std::string ex = f.path().stem();
    std::filesystem::copy_file(f.path(), d + "/" + ex + ".gt");
    run_result r = tarvek(d, {ex + ".gt", "-show"});
    EXPECT_EQ(r.exit_code, 0) << ex;
    EXPECT_EQ(r.err, compile_seul) << ex;
    EXPECT_EQ(r.out.rfind("PARSINGPARSING OK\nCOMPILATION BY REACHABLE SITUATIONS\n"
                          "FINDING STATES: 1  REMAIN STATES: 1   \r",
                          0),
              0u)
        << ex;
    EXPECT_NE(r.out.find("  REMAIN SITUATIONS: 0   \r\n"), std::string::npos) << ex;
    std::string log = read_file(d + "/" + ex + ".log");
    EXPECT_EQ(log.rfind("  NOM MODULE : " + ex + "\n", 0), 0u) << ex;
    const std::string fin = ")\n\nEFFECTIVE COMPILATION\n\n\nCPU computing time: ";
    size_t cpu = log.rfind(fin);
    ASSERT_NE(cpu, std::string::npos) << ex;
    std::string t = log.substr(cpu + fin.size());
    EXPECT_EQ(t.find_first_not_of("0123456789.e-"), t.size() - 10) << t;
    EXPECT_EQ(t.substr(t.size() - 10), " secondes\n") << t;
  }
  EXPECT_GE(exemples, 6);
  write_file(d + "/e.gt", "-" + gt({"IS: 1 0 0"}, {}) + ";");
  ASSERT_EQ(tarvek(d, {"e.gt", "-explain"}).exit_code, 0);
  std::string log = read_file(d + "/e.log");
  EXPECT_EQ(log.rfind("-3 --> m\n", 0), 0u);
  EXPECT_NE(log.find("9 --> corps cree\n1 --> grafcet cree\n;  NOM MODULE : m\n"),
            std::string::npos);
}

}  // namespace
