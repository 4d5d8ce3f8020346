// The TIFF file header and image file directory, as far as the reader uses them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/PGraphic.h"
#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/PGStream.h"

[[noreturn]] void RaiseTIFF(const std::string& text);

struct TTIFFDirectory {
  bool Motorola = false;
  std::int64_t Base = 0;  // stream position of the header; file offsets count from here
  int ImageCount = 1;
  std::uint32_t NewSubfileType = 0;
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  std::vector<std::uint32_t> BitsPerSample;
  std::uint32_t Compression = 1;  // the format's default when the tag is absent: none
  std::uint32_t Photometric = 0;
  std::vector<std::uint32_t> StripOffsets;
  std::uint32_t SamplesPerPixel = 0;
  std::uint32_t RowsPerStrip = 0;
  std::vector<std::uint32_t> StripByteCounts;
  std::uint32_t PlanarConfiguration = 0;
  std::vector<std::uint32_t> ColorMap;
  std::vector<std::uint32_t> ExtraSamples;  // 0 unspecified data, 1 associated, 2 unassociated alpha

  enum TAlpha { alNone, alAssociated, alUnassociated };
  // How the fourth sample of an RGB file blends: colours premultiplied by it (associated), or
  // not (unassociated); unspecified extra data is no alpha.
  TAlpha Alpha() const;

  // Sum of BitsPerSample over the samples.
  int BitsPerPixel() const;
  // Format of the image this layout loads into.
  TPixelFormat Format() const;
};

// The information text of a file's first extra sample: "Associated alpha" (1),
// "Unassociated alpha" (2) or "Extra samples" (anything else).
std::string TIFFExtraSamplesText(std::uint32_t kind);

// Reads the header and the directory of image `index` (the first one unless TIFFReadAllImages
// is set in settings), checking the layout. Raises EPGTIFFileFormatReader ("TIFF: ...").
TTIFFDirectory ReadTIFFDirectory(TPGStream& stream, int index, const TPGFormatSettings& settings);
