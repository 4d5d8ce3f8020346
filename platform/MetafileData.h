// Windows metafiles (WMF, with or without the placeable header) and enhanced metafiles (EMF)
// parsed into their header facts and a list of records. Plain C++: every read is bounded by
// the data, and records whose sizes do not fit end the list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "imaging/PGTypes.h"

inline constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
inline constexpr std::uint32_t kEMFSignature = 0x464D4520u;  // " EMF"
inline constexpr int kMetafileScreenPPI = 96;
// Largest picture the readers render (width x height); fuzzers lower it.
extern std::uint64_t MetafileMaxPixels;

// Raised by parameter reads past a record's data; playback ends there.
struct TMetaRecordOverrun : std::runtime_error {
  TMetaRecordOverrun() : std::runtime_error("metafile record overrun") {}
};

// The parameters of one record with bounded little-endian reads.
class TMetaParams {
 public:
  TMetaParams() = default;
  TMetaParams(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}
  std::size_t Size() const { return FSize; }
  const std::uint8_t* Data() const { return FData; }
  bool Has(std::size_t offset, std::size_t n) const { return offset <= FSize && n <= FSize - offset; }
  void Need(std::size_t offset, std::size_t n) const {
    if (!Has(offset, n)) throw TMetaRecordOverrun();
  }
  std::uint8_t U8(std::size_t offset) const {
    Need(offset, 1);
    return FData[offset];
  }
  std::uint16_t U16(std::size_t offset) const {
    Need(offset, 2);
    return static_cast<std::uint16_t>(FData[offset] | (FData[offset + 1] << 8));
  }
  std::int16_t S16(std::size_t offset) const { return static_cast<std::int16_t>(U16(offset)); }
  std::uint32_t U32(std::size_t offset) const {
    Need(offset, 4);
    return static_cast<std::uint32_t>(FData[offset]) |
           (static_cast<std::uint32_t>(FData[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(FData[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(FData[offset + 3]) << 24);
  }
  std::int32_t S32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
  float F32(std::size_t offset) const;
  // WMF parameters count in 16-bit words.
  std::int16_t W(std::size_t word) const { return S16(2 * word); }
  // A part of the parameters; raises when it does not lie inside them.
  TMetaParams Sub(std::size_t offset, std::size_t n) const {
    Need(offset, n);
    return TMetaParams(FData + offset, n);
  }

 private:
  const std::uint8_t* FData = nullptr;
  std::size_t FSize = 0;
};

struct TMetaRecord {
  std::uint32_t Type = 0;  // WMF function number or EMF record type
  TMetaParams Params;      // the bytes after the record header (WMF 6 bytes, EMF 8 bytes)
};

struct TMetafileData {
  bool Enhanced = false;
  bool Placeable = false;  // a Windows metafile that carried its own placeable header
  // Windows metafile: the placeable bounding box and units per inch.
  int Left = 0, Top = 0, Right = 0, Bottom = 0, Inch = 0;
  // Enhanced metafile: bounds in reference-device pixels, frame in 0.01 mm, reference device
  // size in pixels and millimetres.
  std::int32_t Bounds[4] = {};
  std::int32_t Frame[4] = {};
  std::int32_t DevicePixels[2] = {};
  std::int32_t DeviceMillimeters[2] = {};
  int NaturalWidth = 0, NaturalHeight = 0;  // pixels at 96 pixels per inch
  std::vector<TRGB> Palette;                // empty when the file has none
  int ObjectCount = 0;
  std::vector<std::uint8_t> Bytes;          // the data the records point into
  std::vector<TMetaRecord> Records;
};

// The 22-byte placeable header for a metafile without one (box 0, 0, 99, 49).
std::vector<std::uint8_t> MakePlaceableHeader();
// True when the box of a placeable header counts as valid.
bool PlaceableBoxValid(int left, int top, int right, int bottom);

// Loading as the reader does it: a Windows metafile without placeable header gets one in
// front; false when the data is no metafile of the kind.
bool LoadWindowsMetafile(const std::vector<std::uint8_t>& file, TMetafileData& data);
bool LoadEnhancedMetafile(const std::vector<std::uint8_t>& file, TMetafileData& data);

// Header checks of the readers (the first 17 bytes).
bool CheckWMFHeader(const std::uint8_t* header);
bool CheckEMFHeader(const std::uint8_t* header);
