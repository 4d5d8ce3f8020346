#include "imaging/formats/StandardFormats.h"

#include "imaging/formats/BMPFormat.h"
#include "imaging/formats/PCXFormat.h"
#include "imaging/formats/PxMFormat.h"
#include "imaging/formats/TGAFormat.h"

void RegisterLibraryFormats(TFileFormatReaderList& readers, TFileFormatWriterList& writers) {
  // Readers in their fixed order (JPEG, PNG and TIFF readers take their places as they come).
  readers.push_back(std::make_unique<TBMPFileFormatReader>());
  readers.push_back(std::make_unique<TDIBFileFormatReader>());
  readers.push_back(std::make_unique<TRLEFileFormatReader>());
  readers.push_back(std::make_unique<TPCXFileFormatReader>());
  readers.push_back(std::make_unique<TPBMFileFormatReader>());
  readers.push_back(std::make_unique<TPGMFileFormatReader>());
  readers.push_back(std::make_unique<TPPMFileFormatReader>());
  readers.push_back(std::make_unique<TTGAFileFormatReader>());

  writers.push_back(std::make_unique<TBMPFileFormatWriter>());
  writers.push_back(std::make_unique<TDIBFileFormatWriter>());
  writers.push_back(std::make_unique<TPBMFileFormatWriter>());
  writers.push_back(std::make_unique<TPGMFileFormatWriter>());
  writers.push_back(std::make_unique<TPPMFileFormatWriter>());
  writers.push_back(std::make_unique<TTGAFileFormatWriter>());
}

std::unique_ptr<TFileFormatReader> MakeLibraryBMPReader() {
  return std::make_unique<TBMPFileFormatReader>();
}

std::unique_ptr<TFileFormatWriter> MakeLibraryBMPWriter() {
  return std::make_unique<TBMPFileFormatWriter>();
}
