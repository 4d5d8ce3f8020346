#include "fuzz/FuzzReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzReader(data, size, "bmp");
}
