// The IDE's recipes of platform.txt for the Uno of boards.txt, as ninja
// rules.
#include "croquis_test.h"

#include "generation_test.h"

#include <unistd.h>

#include <filesystem>
#include <regex>
#include <sstream>

namespace {

const std::string racine = "/usr/share/arduino/hardware/arduino/avr";

// The IDE's version, as Debian's IDE 1.8.19 passes it.
const std::string regles =
    "defs = -mmcu=atmega328p -DF_CPU=16000000L -DARDUINO=10819 -DARDUINO_AVR_UNO "
    "-DARDUINO_ARCH_AVR -I" +
    racine + "/cores/arduino -I" + racine +
    "/variants/standard\n"
    "rule cxx\n"
    "  command = avr-g++ -c -g -Os -w -std=gnu++11 -fpermissive -fno-exceptions "
    "-ffunction-sections -fdata-sections -fno-threadsafe-statics -Wno-error=narrowing -flto "
    "$defs $extra $in -o $out\n"
    "rule cc\n"
    "  command = avr-gcc -c -g -Os -w -std=gnu11 -ffunction-sections -fdata-sections -flto "
    "-fno-fat-lto-objects $defs $in -o $out\n"
    "rule as\n"
    "  command = avr-gcc -c -g -x assembler-with-cpp -flto $defs $in -o $out\n"
    "rule ar\n"
    "  command = rm -f $out && avr-gcc-ar rcs $out $in\n"
    "rule link\n"
    "  command = avr-gcc -w -Os -g -flto -fuse-linker-plugin -Wl,--gc-sections "
    "-mmcu=atmega328p -o $out $in -lm\n";

run_result ninja(const std::string& dossier, const std::string& texte, int delai) {
  write_file(dossier + "/build.ninja", texte);
  return run_tool({outil("ninja"), "-k", "0", "-j", "4"}, dossier, delai);
}

// The core's archive, built once into the build folder: aside, then renamed
// into place, so that tests that run at once never read half an archive;
// "" and the report of ninja when it does not build.
std::string noyau(std::string& rapport) {
  const std::string dossier = std::string(TARVEK_BINARY_DIR) + "/test-cache/arduino-uno";
  const std::string archive = dossier + "/core.a";
  if (file_exists(archive)) return archive;
  std::string aside = dossier + "-" + std::to_string(getpid());
  std::filesystem::remove_all(aside);
  std::filesystem::create_directories(aside);
  // Debian's core reads DECIMAL_DIG in WString.cpp, which the float.h of
  // Debian's avr-gcc 5.4 defines for C only: it is given here, as a user
  // of these two packages must.
  std::string t = regles + "extra = -DDECIMAL_DIG=__DECIMAL_DIG__\n", objets;
  for (auto const& e : std::filesystem::directory_iterator(racine + "/cores/arduino")) {
    std::string f = e.path().string(), x = e.path().extension().string();
    const char* regle = x == ".cpp" ? "cxx" : x == ".c" ? "cc" : x == ".S" ? "as" : nullptr;
    if (!regle) continue;
    std::string o = e.path().filename().string() + ".o";
    t += "build " + o + ": " + regle + " " + f + "\n";
    objets += " " + o;
  }
  t += "build core.a: ar" + objets + "\n";
  run_result r = ninja(aside, t, 600);
  if (r.exit_code != 0) {
    rapport = r.out + r.err;
    std::filesystem::remove_all(aside);
    return "";
  }
  std::error_code ec;
  std::filesystem::rename(aside, dossier, ec);
  std::filesystem::remove_all(aside);
  return file_exists(archive) ? archive : "";
}

// The user's functions: a definition for each function that the sketch
// declares extern.
std::string fonctions_utilisateur(const std::string& croquis) {
  static const std::regex declaration(R"(extern (int|void) (\w+)\(void\);)");
  std::string r = "#include <Arduino.h>\n";
  std::istringstream in(croquis);
  std::smatch m;
  for (std::string l; std::getline(in, l);)
    if (std::regex_match(l, m, declaration))
      r += m[1].str() + " " + m[2].str() + "(void) {" + (m[1] == "int" ? " return 0; " : "") +
           "}\n";
  return r;
}

}  // namespace

bool noyau_arduino_present() {
  return file_exists(racine + "/cores/arduino/Arduino.h") &&
         file_exists(racine + "/variants/standard/pins_arduino.h");
}

run_result construit_croquis(const std::string& dossier, const std::vector<std::string>& bases) {
  std::string rapport, archive = noyau(rapport);
  if (archive.empty()) {
    run_result r;
    r.exit_code = 1;
    r.err = "the Arduino core does not build:\n" + rapport;
    return r;
  }
  std::string t = regles + "extra =\n";
  for (auto const& b : bases) {
    std::string chemin = dossier + "/" + b, texte = read_file(chemin + ".ino");
    write_file(chemin + ".ino.cpp",
               "#include <Arduino.h>\n#line 1 \"" + chemin + ".ino\"\n" + texte);
    write_file(chemin + "_user.cpp", fonctions_utilisateur(texte));
    t += "build " + b + ".ino.o: cxx " + b + ".ino.cpp\n" + "build " + b + "_user.o: cxx " + b +
         "_user.cpp\n" + "build " + b + ".elf: link " + b + ".ino.o " + b + "_user.o " +
         archive + "\n";
  }
  return ninja(dossier, t, 600);
}
