// The two option flags that the compilers read directly: the trace of a
// compilation into the log, and its progress lines on the standard output.
// The driver sets them with the others; all are 0 when the program starts.
#ifndef TARVEK_COMPIL_OPTIONS_H
#define TARVEK_COMPIL_OPTIONS_H

extern int explain_mode;
extern int show_mode;

#endif
