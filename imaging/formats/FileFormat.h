// The reader/writer interface shared by every image file format.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/PGraphic.h"
#include "imaging/formats/FormatContext.h"
#include "imaging/formats/PGStream.h"

// Colour-resolution classes, in the order of their message-table texts (8 + class).
enum TColorResolution : std::uint8_t {
  crBlackWhite,    // pf1Bit with pBlackWhite
  cr2Colors,       // pf1Bit, any other palette
  crGray16,        // pf4Bit with pGray16
  crSys16,         // pf4Bit with pSys16
  cr16Colors,      // pf4Bit, any other palette
  crGray256,       // pf8Bit with pGray256
  cr256Colors,     // pf8Bit, any other palette
  crTrueColor      // pf24Bit
};
using TColorResolutions = std::uint8_t;  // bit c set = class c
inline constexpr TColorResolutions crAll = 0xFF;
constexpr TColorResolutions ColorResSet(std::initializer_list<TColorResolution> classes) {
  TColorResolutions s = 0;
  for (TColorResolution c : classes) s = static_cast<TColorResolutions>(s | (1u << c));
  return s;
}

// What GetInfo reports about a file without loading its pixels.
struct TPGFileInfo {
  int ImageCount = 0;
  int BitsPerPixel = 0;
  std::string ColorsText;
  int Height = 0;
  int Width = 0;
  std::string DescriptionText;
  std::string VersionText;
};

// Readers and writers are shared objects, one instance per format, called from several threads
// at once: their calls are const, keep their state in locals, and take every setting from the
// call's format context.
class TFileFormatReaderWriter {
 public:
  TFileFormatReaderWriter(std::string extension, std::string description, bool inDefaultFilter)
      : Extension(std::move(extension)),
        Description(std::move(description)),
        InDefaultFilter(inDefaultFilter) {}
  virtual ~TFileFormatReaderWriter() = default;
  virtual std::string ClassName() const = 0;

  std::string Extension;    // lower case, no dot: the key of the format
  std::string Description;  // shown to the user
  bool InDefaultFilter = true;
};

inline constexpr int PGHeaderCheckSize = 17;

class TFileFormatReader : public TFileFormatReaderWriter {
 public:
  using TFileFormatReaderWriter::TFileFormatReaderWriter;
  bool HasHeaderCheck = false;

  // header: the first 17 bytes of the data, zero beyond the end of a short stream.
  virtual bool CheckHeader(const std::uint8_t* /*header*/) const { return false; }
  // Reads image number `index` from the stream's current position into graphic.
  virtual void ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                              const TPGFormatContext& context) const = 0;
  // Reports what is known of image `index` without reading pixels.
  virtual TPGFileInfo GetInfo(TPGStream& /*stream*/, int /*index*/,
                              const TPGFormatContext& /*context*/) const {
    TPGFileInfo info;
    info.ImageCount = 1;
    return info;
  }
};

class TFileFormatWriter : public TFileFormatReaderWriter {
 public:
  TFileFormatWriter(std::string extension, std::string description, bool inDefaultFilter,
                    TColorResolutions canWrite)
      : TFileFormatReaderWriter(std::move(extension), std::move(description), inDefaultFilter),
        CanWriteResolutions(canWrite) {}
  TColorResolutions CanWriteResolutions = 0;
  bool CanWrite(TColorResolution c) const { return (CanWriteResolutions >> c) & 1u; }

  // Writes graphic, whose colour resolution is one of CanWriteResolutions. Writers that build
  // their output in stages (header, image, trailer) keep those stages in a per-call object.
  virtual void WriteToStream(TPGStream& stream, TPixelGraphic& graphic,
                             const TPGFormatContext& context) const = 0;
};

// Storage up to this many bytes is always allowed (0 means 256 MiB); fuzzers lower it.
extern std::uint64_t PGUncheckedStorageBytes;

// False for images whose pixel storage could not plausibly come from the data left in the
// stream: above PGUncheckedStorageBytes the data must hold at least storage / maxExpansion
// bytes (maxExpansion is the format's best compression ratio), and storage of 4 GiB or more
// never exists. Keeps absurd header sizes from allocating gigabytes.
bool PGStorageIsPlausible(std::uint64_t width, std::uint64_t height, int bitCount,
                          std::int64_t dataLeft, double maxExpansion);
