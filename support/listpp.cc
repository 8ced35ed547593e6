// The global empty lists of the basic element types.
#include "listpp.h"

std::list<int> empty_list_int;
std::list<long> empty_list_long;
std::list<std::string> empty_list_String;
