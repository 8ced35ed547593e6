// The few services that come from the operating system: CPU time, sleeping
// and whether an X display can be reached.
#ifndef TARVEK_G_PLATFORM_H
#define TARVEK_G_PLATFORM_H

#include <cstdint>

// User-mode CPU time of the whole process in milliseconds, modulo 2^32.
uint32_t g_user_cpu_ms();

// Pauses for ms milliseconds (nothing for ms <= 0), resuming after signals.
void g_sleep_ms(int ms);

// True when an X display can be opened. Asked once per process; on success
// the display is handed to FLTK so that every later window uses it.
bool g_display_available();

#endif
