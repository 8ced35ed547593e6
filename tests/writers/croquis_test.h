// Sketches built as the Arduino IDE builds them for an Uno, with Debian's
// Arduino AVR core: Arduino.h put before the sketch, the core's and the
// variant's include folders, the board's defines, the IDE's flags, and the
// link with the core and with a second file of the sketch that defines the
// user's functions that the sketch declares.
#ifndef TARVEK_TESTS_CROQUIS_TEST_H
#define TARVEK_TESTS_CROQUIS_TEST_H

#include <string>
#include <vector>

#include "run_tool.h"

// Whether the core and its compilers are installed.
bool noyau_arduino_present();

// Every sketch <base>.ino of the folder built into <base>.elf, in one run
// of ninja (4 jobs, going on after a failure); the core is built once per
// build folder and kept there.
run_result construit_croquis(const std::string& dossier, const std::vector<std::string>& bases);

#endif
