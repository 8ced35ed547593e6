// The two option flags that the compilers read themselves: the trace of
// the compilation in the log, and its progress on the standard output. The
// driver sets them with its other flags.
#ifndef TARVEK_COMPIL_MODES_H
#define TARVEK_COMPIL_MODES_H

extern int explain_mode;
extern int show_mode;

#endif
