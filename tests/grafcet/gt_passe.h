// One pass of arbitrary bytes through the .gt reader, the checks, the set
// queries and the dump: the body of the fuzz target and of its replay test.
#ifndef TARVEK_TESTS_GT_PASSE_H
#define TARVEK_TESTS_GT_PASSE_H

#include <cstddef>
#include <cstdint>

// Returns the parse result; everything built is released before returning.
int passe_gt(const uint8_t* data, size_t size);

#endif
