#include "fuzz/FuzzMetafile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzMetafileInitialize();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzReader(data, size, "emf");
}
