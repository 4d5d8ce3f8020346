#include "fuzz/FuzzReader.h"
#include "imaging/formats/ExtraReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RegisterGIFAndIconReaders();
  return FuzzReader(data, size, "ico");
}
