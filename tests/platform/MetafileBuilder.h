// Small Windows and enhanced metafiles built record by record for the metafile tests.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using TMetaBytes = std::vector<std::uint8_t>;

inline void MPut16(TMetaBytes& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void MPut32(TMetaBytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// Windows metafile: records of 16-bit parameters.
class TWMFBuilder {
 public:
  void Record(int function, std::initializer_list<int> words) {
    MPut32(FRecords, static_cast<std::uint32_t>(3 + words.size()));
    MPut16(FRecords, function);
    for (int w : words) MPut16(FRecords, w);
  }
  void RecordBytes(int function, const TMetaBytes& params) {
    MPut32(FRecords, static_cast<std::uint32_t>(3 + params.size() / 2));
    MPut16(FRecords, function);
    FRecords.insert(FRecords.end(), params.begin(), params.end());
  }
  // With a placeable header of box (0, 0, right, bottom) at `inch` units per inch.
  TMetaBytes Build(bool placeable, int right = 100, int bottom = 50, int inch = 96,
                   int type = 1, int objects = 8) const {
    TMetaBytes b;
    if (placeable) {
      MPut32(b, 0x9AC6CDD7u);
      MPut16(b, 0);
      MPut16(b, 0);
      MPut16(b, 0);
      MPut16(b, right);
      MPut16(b, bottom);
      MPut16(b, inch);
      MPut32(b, 0);
      std::uint16_t sum = 0;
      for (int i = 0; i < 10; ++i) sum ^= static_cast<std::uint16_t>(b[2 * i] | (b[2 * i + 1] << 8));
      MPut16(b, sum);
    }
    const std::uint32_t words = 9 + static_cast<std::uint32_t>(FRecords.size() / 2) + 3;
    MPut16(b, type);
    MPut16(b, 9);
    MPut16(b, 0x0300);
    MPut32(b, words);
    MPut16(b, objects);
    MPut32(b, 16);
    MPut16(b, 0);
    b.insert(b.end(), FRecords.begin(), FRecords.end());
    MPut32(b, 3);  // end of file
    MPut16(b, 0);
    return b;
  }

 private:
  TMetaBytes FRecords;
};

// Enhanced metafile: records of 32-bit parameters.
class TEMFBuilder {
 public:
  void Record(std::uint32_t type, std::initializer_list<std::int32_t> values) {
    MPut32(FRecords, type);
    MPut32(FRecords, static_cast<std::uint32_t>(8 + 4 * values.size()));
    for (std::int32_t v : values) MPut32(FRecords, static_cast<std::uint32_t>(v));
  }
  void RecordBytes(std::uint32_t type, const TMetaBytes& params) {
    MPut32(FRecords, type);
    MPut32(FRecords, static_cast<std::uint32_t>(8 + params.size()));
    FRecords.insert(FRecords.end(), params.begin(), params.end());
  }
  // Frame of width x height pixels on a reference device of 96 pixels per inch; the header
  // record is `headerSize` bytes (88 or more).
  TMetaBytes Build(int width, int height, std::uint32_t headerSize = 108,
                   const std::vector<std::uint32_t>& palette = {}) const {
    TMetaBytes b;
    MPut32(b, 1);
    MPut32(b, headerSize);
    for (int v : {0, 0, width - 1, height - 1}) MPut32(b, static_cast<std::uint32_t>(v));
    // Frame in 0.01 mm: 960 pixels on 254 mm.
    for (int v : {0, 0, width * 2540 / 96, height * 2540 / 96}) MPut32(b, static_cast<std::uint32_t>(v));
    MPut32(b, 0x464D4520u);
    MPut32(b, 0x10000);
    MPut32(b, 0);  // bytes, patched below
    MPut32(b, 0);  // records
    MPut16(b, 8);  // handles
    MPut16(b, 0);
    MPut32(b, 0);
    MPut32(b, 0);
    MPut32(b, static_cast<std::uint32_t>(palette.size()));
    MPut32(b, 960);
    MPut32(b, 960);
    MPut32(b, 254);
    MPut32(b, 254);
    b.resize(headerSize, 0);
    b.insert(b.end(), FRecords.begin(), FRecords.end());
    // End of file with the palette.
    MPut32(b, 14);
    MPut32(b, static_cast<std::uint32_t>(20 + 4 * palette.size()));
    MPut32(b, static_cast<std::uint32_t>(palette.size()));
    MPut32(b, 16);
    for (std::uint32_t c : palette) MPut32(b, c);
    MPut32(b, static_cast<std::uint32_t>(20 + 4 * palette.size()));
    const std::uint32_t total = static_cast<std::uint32_t>(b.size());
    for (int i = 0; i < 4; ++i) b[48 + i] = static_cast<std::uint8_t>(total >> (8 * i));
    return b;
  }

 private:
  TMetaBytes FRecords;
};
