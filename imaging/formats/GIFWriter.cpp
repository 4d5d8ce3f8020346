#include "imaging/formats/GIFWriter.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "imaging/formats/GIFLzwEncoder.h"
#include "imaging/formats/PGStream.h"

namespace {

thread_local int Status = gwsOK;

constexpr char kCredit[] = "Written by Lumivex";

// Exact-colour table in order of first appearance, with an open-addressing index over it.
class TColorTable {
 public:
  TColorTable() { std::memset(FSlots, 0xFF, sizeof FSlots); }
  // The table index of a colour, appending it when new; -1 for a 257th colour.
  int IndexOf(TRGB color) {
    std::uint32_t h = (color * 2654435761u) >> 22;  // 10 bits
    for (;;) {
      const std::int16_t s = FSlots[h];
      if (s < 0) break;
      if (Colors[s] == color) return s;
      h = (h + 1) & 1023;
    }
    if (Count == 256) return -1;
    Colors[Count] = color;
    FSlots[h] = static_cast<std::int16_t>(Count);
    return Count++;
  }
  TRGB Colors[256] = {};
  int Count = 0;

 private:
  std::int16_t FSlots[1024];
};

int TableBits(int count) {
  int bits = 1;
  while ((1 << bits) < count) ++bits;
  return bits;
}

// The rows of the picture in the order they are stored: top to bottom, or the four
// interlace passes.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
  } else {
    static constexpr int kStart[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = kStart[pass]; y < height; y += kStep[pass]) rows.push_back(y);
  }
  return rows;
}

// One row's colours as 0x00BBGGRR.
void RowColors(const TPixelGraphic& image, int y, std::vector<TRGB>& colors) {
  const std::uint8_t* line = image.ScanLine(y);
  const int width = image.Width();
  if (image.PixelFormat() == pf24Bit) {
    for (int x = 0; x < width; ++x, line += 3) colors[x] = RGBColor(line[2], line[1], line[0]);
    return;
  }
  const std::vector<TRGB>& palette = image.Palette();
  const int bits = image.BitCount();
  for (int x = 0; x < width; ++x) {
    unsigned v;
    if (bits == 8) v = line[x];
    else if (bits == 4) v = (line[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F;
    else v = (line[x >> 3] >> (7 - (x & 7))) & 1;
    colors[x] = v < palette.size() ? palette[v] : 0;
  }
}

void Put16(std::vector<std::uint8_t>& out, int v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

}  // namespace

int GIFWriteStatus() { return Status; }

bool EncodeGIF(const TPixelGraphic& bitmap, bool interlaced, TRGB transparentColor,
               bool transparent, std::vector<std::uint8_t>& out) {
  Status = gwsComposing;
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  if (bitmap.Empty() || width <= 0 || height <= 0 || width > 65535 || height > 65535)
    return false;

  Status = gwsBuildingColorTable;
  TColorTable table;
  std::vector<std::uint8_t> indexes(static_cast<std::size_t>(width) * height);
  std::vector<TRGB> colors(static_cast<std::size_t>(width));
  int transparentIndex = -1;
  // Palette pictures: each palette entry is looked up once, on its first use.
  int paletteIndex[256];
  std::fill(std::begin(paletteIndex), std::end(paletteIndex), -1);
  const bool palette = bitmap.PixelFormat() == pf8Bit;
  std::size_t k = 0;
  for (int y : RowOrder(height, interlaced)) {
    if (palette) {
      const std::uint8_t* line = bitmap.ScanLine(y);
      const std::vector<TRGB>& entries = bitmap.Palette();
      for (int x = 0; x < width; ++x) {
        int& index = paletteIndex[line[x]];
        if (index < 0) {
          const TRGB color = line[x] < entries.size() ? entries[line[x]] : 0;
          index = table.IndexOf(color);
          if (index < 0) {
            Status = gwsTooManyColors;
            return false;
          }
          if (transparent && transparentIndex < 0 && color == (transparentColor & 0xFFFFFF))
            transparentIndex = index;
        }
        indexes[k++] = static_cast<std::uint8_t>(index);
      }
      continue;
    }
    RowColors(bitmap, y, colors);
    for (int x = 0; x < width; ++x) {
      const int index = table.IndexOf(colors[x]);
      if (index < 0) {
        Status = gwsTooManyColors;
        return false;
      }
      if (transparent && transparentIndex < 0 && colors[x] == (transparentColor & 0xFFFFFF))
        transparentIndex = index;
      indexes[k++] = static_cast<std::uint8_t>(index);
    }
  }
  Status = gwsComposing;

  const int bits = TableBits(table.Count);
  std::vector<std::uint8_t> file;
  file.reserve(indexes.size() / 2 + 1024);
  const char* signature = "GIF89a";
  file.insert(file.end(), signature, signature + 6);
  Put16(file, width);
  Put16(file, height);
  file.push_back(static_cast<std::uint8_t>(0x80 | (bits - 1)));
  file.push_back(0);
  file.push_back(0);
  for (int i = 0; i < (1 << bits); ++i) {
    const TRGB c = i < table.Count ? table.Colors[i] : 0;
    file.push_back(static_cast<std::uint8_t>(RedOf(c)));
    file.push_back(static_cast<std::uint8_t>(GreenOf(c)));
    file.push_back(static_cast<std::uint8_t>(BlueOf(c)));
  }
  // Graphic control extension.
  const std::uint8_t control[8] = {0x21, 0xF9, 4, static_cast<std::uint8_t>(transparentIndex >= 0),
                                   0, 0, static_cast<std::uint8_t>(transparentIndex >= 0 ? transparentIndex : 0),
                                   0};
  file.insert(file.end(), control, control + 8);
  // Image descriptor, no local table.
  file.push_back(0x2C);
  Put16(file, 0);
  Put16(file, 0);
  Put16(file, width);
  Put16(file, height);
  file.push_back(interlaced ? 0x40 : 0);
  TGIFLzwEncoder::Encode(indexes.data(), indexes.size(), bits, file);
  // Comment extension with the credit text.
  file.push_back(0x21);
  file.push_back(0xFE);
  file.push_back(static_cast<std::uint8_t>(sizeof kCredit - 1));
  file.insert(file.end(), kCredit, kCredit + sizeof kCredit - 1);
  file.push_back(0);
  file.push_back(0x3B);

  out = std::move(file);
  Status = gwsOK;
  return true;
}

bool WriteGIFFile(const std::string& fileName, const TPixelGraphic& bitmap, bool interlaced,
                  TRGB transparentColor, bool transparent) {
  std::vector<std::uint8_t> data;
  if (!EncodeGIF(bitmap, interlaced, transparentColor, transparent, data)) return false;
  Status = gwsComposing;
  TPGFileStream stream(fileName, TPGFileStream::fmCreate);
  stream.Write(data.data(), data.size());
  stream.Close();
  Status = gwsOK;
  return true;
}
