// WriteDIB and the BMP/DIB file writers. The writer never compresses.
#include <vector>

#include "imaging/formats/BMPFormat.h"

namespace {
// Entries of the colour table written. A palette image without palette still gets a (black)
// table: colours-used 0 would make readers take the first pixels for the table.
int ColorTableEntries(const TPixelGraphic& image) {
  return image.BitCount() <= 8 && image.PaletteCount() == 0 ? image.MaxPaletteCount()
                                                            : image.PaletteCount();
}
}  // namespace

void WriteDIB(TPixelGraphic& image, TPGStream& stream) {
  image.FlushDrawing();
  const int count = ColorTableEntries(image);
  std::uint8_t h[40] = {};
  PutLE32(h, 40);
  PutLE32(h + 4, static_cast<std::uint32_t>(image.Width()));
  PutLE32(h + 8, static_cast<std::uint32_t>(image.Height()));
  PutLE16(h + 12, 1);
  PutLE16(h + 14, static_cast<std::uint32_t>(image.BitCount()));
  PutLE32(h + 20, static_cast<std::uint32_t>(image.ImageSize()));
  PutLE32(h + 32, static_cast<std::uint32_t>(count));
  stream.Write(h, sizeof h);
  std::vector<std::uint8_t> table(4 * static_cast<std::size_t>(count));
  for (int i = 0; i < image.PaletteCount(); ++i) {
    const TRGB c = image.Palette()[i];
    table[4 * i] = static_cast<std::uint8_t>(BlueOf(c));
    table[4 * i + 1] = static_cast<std::uint8_t>(GreenOf(c));
    table[4 * i + 2] = static_cast<std::uint8_t>(RedOf(c));
  }
  stream.Write(table.data(), table.size());
  if (!image.Empty()) stream.Write(image.Bits(), image.ImageSize());
}

void TBMPFileFormatWriter::WriteToStream(TPGStream& stream, TPixelGraphic& graphic,
                                         const TPGFormatContext& /*context*/) const {
  const std::uint32_t offset = 54 + 4 * static_cast<std::uint32_t>(ColorTableEntries(graphic));
  std::uint8_t h[14] = {'B', 'M'};
  PutLE32(h + 2, offset + static_cast<std::uint32_t>(graphic.ImageSize()));
  PutLE32(h + 10, offset);
  stream.Write(h, sizeof h);
  WriteDIB(graphic, stream);
}
