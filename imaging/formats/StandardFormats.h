// Registration of the library's own readers and writers.
#pragma once

#include "imaging/formats/Registry.h"

// Appends the library's readers and writers in their fixed order.
void RegisterLibraryFormats(TFileFormatReaderList& readers, TFileFormatWriterList& writers);
std::unique_ptr<TFileFormatReader> MakeLibraryBMPReader();
std::unique_ptr<TFileFormatWriter> MakeLibraryBMPWriter();
