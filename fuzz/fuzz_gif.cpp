#include "fuzz/FuzzReader.h"
#include "imaging/formats/ExtraReaders.h"
#include "imaging/formats/GIFFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RegisterGIFAndIconReaders();
  FuzzReader(data, size, "gif");
  // Later images of the file, chosen by index, through the reader itself.
  if (size > 1) {
    tGifFileFormatReader reader;
    TPixelGraphic image;
    try {
      TPGMemoryStream stream(data + 1, size - 1);
      reader.ReadFromStream(stream, image, 1 + (data[0] >> 4), CaptureFormatContext());
    } catch (const EPixelGraphic&) {
    }
  }
  return 0;
}
