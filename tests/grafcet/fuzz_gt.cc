// The fuzz target of the .gt reader (libFuzzer). Diagnostics of the parser
// and the model are dropped so that the run stays fast.
#include <iostream>

#include "gt_passe.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::cerr.rdbuf(nullptr);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  passe_gt(data, size);
  return 0;
}
