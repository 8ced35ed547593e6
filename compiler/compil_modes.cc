// The option flags read by the compilers, 0 when the program starts.
#include "compil_modes.h"

int explain_mode = 0;
int show_mode = 0;
