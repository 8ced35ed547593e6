// The option flags that the compilers read, all 0 when the program starts.
#include "compil_options.h"

int show_mode = 0;
int explain_mode = 0;
