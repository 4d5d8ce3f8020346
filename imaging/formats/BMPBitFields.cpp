#include "imaging/formats/BMPBitFields.h"

#include <vector>

#include "imaging/formats/AlphaComposite.h"

namespace {

// One channel: the mask's lowest set bit and the number of bits up to its highest.
class TBitField {
 public:
  TBitField(std::uint32_t mask, bool replicate) : FMask(mask), FReplicate(replicate) {
    if (mask == 0) return;
    while (!((mask >> FLow) & 1u)) ++FLow;
    int high = 31;
    while (!((mask >> high) & 1u)) --high;
    FBits = high - FLow + 1;
  }
  bool Empty() const { return FMask == 0; }
  unsigned Value(std::uint32_t pixel) const {
    if (FMask == 0) return 0;
    const std::uint32_t v = (pixel & FMask) >> FLow;
    if (FReplicate || FBits >= 8) return PGWidenBits(v, FBits);
    return (v << (8 - FBits)) & 0xFFu;
  }

 private:
  std::uint32_t FMask;
  bool FReplicate;
  int FLow = 0;
  int FBits = 0;
};

}  // namespace

void BMPDefaultMasks(const TBMPHeader& header, std::uint32_t (&masks)[4]) {
  if (header.BitCount == 16) {
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
  } else {
    masks[0] = 0xFF0000;
    masks[1] = 0xFF00;
    masks[2] = 0xFF;
  }
  masks[3] = 0;
  if (header.Compression == 3 && header.MasksInHeader)
    for (int i = 0; i < 4; ++i) masks[i] = header.Masks[i];
}

bool ReadBMPBitFields(TPixelGraphic& image, TPGStream& stream, const TBMPHeader& header,
                      const std::uint32_t (&masks)[4], bool expand16Bit, TRGB background) {
  const int width = header.Width;
  const int height = image.Height();
  const bool replicate = header.BitCount == 32 || expand16Bit;
  const TBitField red(masks[0], replicate), green(masks[1], replicate),
      blue(masks[2], replicate), alpha(masks[3], true);
  const std::size_t fileRowBytes =
      ((static_cast<std::size_t>(header.BitCount) * static_cast<std::size_t>(width) + 31) / 32) *
      4;
  std::vector<std::uint8_t> row(fileRowBytes);
  const int step = header.BitCount / 8;
  for (int r = 0; r < height; ++r) {
    if (!stream.ReadFull(row.data(), fileRowBytes)) return false;
    std::uint8_t* out = image.ScanLine(header.Height < 0 ? r : height - 1 - r);
    const std::uint8_t* in = row.data();
    for (int x = 0; x < width; ++x, in += step, out += 3) {
      const std::uint32_t v = step == 2 ? GetLE16(in) : GetLE32(in);
      if (alpha.Empty()) {
        out[0] = static_cast<std::uint8_t>(blue.Value(v));
        out[1] = static_cast<std::uint8_t>(green.Value(v));
        out[2] = static_cast<std::uint8_t>(red.Value(v));
      } else {
        PGCompositeBGR(out, red.Value(v), green.Value(v), blue.Value(v), alpha.Value(v),
                       background);
      }
    }
    if (image.Progress(r, height)) break;
  }
  return true;
}
