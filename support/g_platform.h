// The few services that come from the operating system: CPU time, sleeping,
// the clock, the current directory, whether an X display can be reached, and
// running another program.
#ifndef TARVEK_G_PLATFORM_H
#define TARVEK_G_PLATFORM_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// User-mode CPU time of the whole process in milliseconds, modulo 2^32.
uint32_t g_user_cpu_ms();

// Pauses for ms milliseconds (nothing for ms <= 0), resuming after signals.
void g_sleep_ms(int ms);

// The current time: whole seconds since 1 January 1970 00:00:00 UTC and the
// microseconds within the second.
void g_clock_utc(int64_t* seconds, int32_t* microseconds);

// The working directory of the process, or an empty text when the system
// cannot give it or it needs more than max_length characters.
std::string g_current_directory(size_t max_length);

// True when an X display can be opened. Asked once per process; on success
// the display is handed to FLTK so that every later window uses it.
bool g_display_available();

// Runs the program argv[0], looked up on the PATH, with the arguments that
// follow, and waits for it to end. No shell sees the arguments. Returns its
// exit status (128 + the signal's number when a signal ended it), or -1 when
// it could not be started.
int g_run_program(const std::vector<std::string>& argv);

#endif
