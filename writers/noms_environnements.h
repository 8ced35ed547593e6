// The names that the users' build environments already give a meaning to,
// drawn once from those environments (scripts/tire_noms.py); tarvek never
// reads the environments themselves.
#ifndef TARVEK_NOMS_ENVIRONNEMENTS_H
#define TARVEK_NOMS_ENVIRONNEMENTS_H

#include <set>
#include <string>

// What a sketch sees and links with on every board of the Arduino AVR core:
// the macros, the declarations of Arduino.h and of the avr-libc headers it
// includes, and the link symbols of the core.
const std::set<std::string>& noms_arduino();
// The macros of the C17 standard headers, as gcc and glibc define them.
const std::set<std::string>& macros_c17();
// The macros of systemc.h, the names that it brings into the global scope,
// and the members of sc_module and its bases.
const std::set<std::string>& noms_systemc();
// What the use clauses of the Altera VHDL forms make visible, in lower case.
const std::set<std::string>& noms_ieee();

#endif
