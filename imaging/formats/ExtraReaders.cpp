#include "imaging/formats/ExtraReaders.h"

#include <memory>

#include "imaging/formats/GIFFormat.h"
#include "imaging/formats/ICOFormat.h"
#include "imaging/formats/Registry.h"

void RegisterGIFAndIconReaders() {
  static const bool registered = [] {
    RegisterFileFormatReader(std::make_unique<tGifFileFormatReader>());
    RegisterFileFormatReader(std::make_unique<tIcoFileFormatReader>());
    return true;
  }();
  (void)registered;
}
