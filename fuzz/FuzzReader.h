// Shared body of the reader fuzz targets: load, describe, and write back what was read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#include "imaging/formats/FileFormat.h"
#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

inline int FuzzReader(const std::uint8_t* data, std::size_t size, const char* extension) {
  static const bool initialised = [] {
    FileFormatReaders();
    // Large images must come with their data, so the fuzzer does not spend its time (and
    // memory) on zero-filled storage.
    PGUncheckedStorageBytes = std::uint64_t{1} << 20;
    return true;
  }();
  (void)initialised;
  ResetFormatSettings();
  // The first byte varies the settings the readers consult without being part of the data.
  if (size > 0) {
    ChangeFormatSettings([&](TPGFormatSettings& settings) {
      settings.BMPRead16BitExpand = (data[0] & 1) != 0;
      settings.GammaCorrectionOnRead = (data[0] & 2) != 0;
    });
    ScreenGamma = (data[0] & 4) ? 2.2 : 1.8;
    ++data;
    --size;
  }
  TPixelGraphic image;
  try {
    TPGMemoryStream stream(data, size);
    LoadFromStreamExt(image, stream, extension, 0);
    if (image.ImageSize() <= (std::size_t{16} << 20)) {  // writing huge images only costs time
      TPGMemoryStream out;
      SaveToStream(image, out);
    }
  } catch (const EPixelGraphic&) {
  }
  try {
    TPGMemoryStream stream(data, size);
    if (const TFileFormatReader* reader = FindReader(stream, extension))
      reader->GetInfo(stream, 0, CaptureFormatContext());
  } catch (const EPixelGraphic&) {
  }
  return 0;
}
