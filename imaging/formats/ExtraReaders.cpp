#include "imaging/formats/ExtraReaders.h"

#include <memory>

#include "imaging/formats/GIFFormat.h"
#include "imaging/formats/ICOFormat.h"
#include "imaging/formats/Registry.h"

void RegisterGIFAndIconReaders() {
  static const bool registered = [] {
    TFileFormatReaderList& readers = FileFormatReaders();
    readers.push_back(std::make_unique<tGifFileFormatReader>());
    readers.push_back(std::make_unique<tIcoFileFormatReader>());
    return true;
  }();
  (void)registered;
}
