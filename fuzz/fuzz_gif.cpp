#include "fuzz/FuzzReader.h"
#include "imaging/formats/ExtraReaders.h"
#include "imaging/formats/GIFFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RegisterGIFAndIconReaders();
  FuzzReader(data, size, "gif");
  // Later images of the file, chosen by index, through the reader itself, as palette or
  // true-colour pictures.
  if (size > 1) {
    tGifFileFormatReader reader;
    TPixelGraphic image;
    TPGFormatContext context = CaptureFormatContext();
    context.Settings.GIFReadTrueColor = (data[0] & 1) != 0;
    try {
      TPGMemoryStream stream(data + 1, size - 1);
      reader.ReadFromStream(stream, image, (data[0] >> 4), context);
    } catch (const EPixelGraphic&) {
    }
  }
  return 0;
}
