#include "imaging/formats/StandardFormats.h"

#include "imaging/formats/BMPFormat.h"
#include "imaging/formats/JPEGFormat.h"
#include "imaging/formats/PCXFormat.h"
#include "imaging/formats/PNGFormat.h"
#include "imaging/formats/PxMFormat.h"
#include "imaging/formats/TGAFormat.h"
#include "imaging/formats/TIFFFormat.h"

void RegisterLibraryFormats(TFileFormatReaderList& readers, TFileFormatWriterList& writers) {
  // Readers in their fixed order.
  readers.push_back(std::make_unique<TBMPFileFormatReader>());
  readers.push_back(std::make_unique<TDIBFileFormatReader>());
  readers.push_back(std::make_unique<TRLEFileFormatReader>());
  readers.push_back(std::make_unique<TJPGFileFormatReader>());
  readers.push_back(std::make_unique<TJPEGFileFormatReader>());
  readers.push_back(std::make_unique<TJIFFileFormatReader>());
  readers.push_back(std::make_unique<TPNGFileFormatReader>());
  readers.push_back(std::make_unique<TPCXFileFormatReader>());
  readers.push_back(std::make_unique<TPBMFileFormatReader>());
  readers.push_back(std::make_unique<TPGMFileFormatReader>());
  readers.push_back(std::make_unique<TPPMFileFormatReader>());
  readers.push_back(std::make_unique<TTGAFileFormatReader>());
  readers.push_back(std::make_unique<TTIFFileFormatReader>());
  readers.push_back(std::make_unique<TTIFFFileFormatReader>());

  writers.push_back(std::make_unique<TBMPFileFormatWriter>());
  writers.push_back(std::make_unique<TDIBFileFormatWriter>());
  writers.push_back(std::make_unique<TJPGFileFormatWriter>());
  writers.push_back(std::make_unique<TJPEGFileFormatWriter>());
  writers.push_back(std::make_unique<TJIFFileFormatWriter>());
  writers.push_back(std::make_unique<TPNGFileFormatWriter>());
  writers.push_back(std::make_unique<TPBMFileFormatWriter>());
  writers.push_back(std::make_unique<TPGMFileFormatWriter>());
  writers.push_back(std::make_unique<TPPMFileFormatWriter>());
  writers.push_back(std::make_unique<TTGAFileFormatWriter>());
  writers.push_back(std::make_unique<TTIFFileFormatWriter>());
  writers.push_back(std::make_unique<TTIFFFileFormatWriter>());
}

std::unique_ptr<TFileFormatReader> MakeLibraryBMPReader() {
  return std::make_unique<TBMPFileFormatReader>();
}

std::unique_ptr<TFileFormatWriter> MakeLibraryBMPWriter() {
  return std::make_unique<TBMPFileFormatWriter>();
}
