#include <vector>

#include "imaging/PGMessageIds.h"
#include "imaging/formats/TGAFormat.h"

void TTGAFileFormatWriter::WriteToStream(TPGStream& stream, TPixelGraphic& graphic,
                                         const TPGFormatContext& /*context*/) const {
  // The header holds 16-bit sizes: larger images cannot be stored.
  if (graphic.Width() > 0xFFFF || graphic.Height() > 0xFFFF)
    throw EPixelGraphic("TGA: " + PGMessage(pgmOutOfRange, "Image size"));
  const bool mapped = graphic.PixelFormat() == pf8Bit;
  const int count = mapped ? graphic.PaletteCount() : 0;
  std::uint8_t h[18] = {};
  h[1] = mapped ? 1 : 0;
  h[2] = mapped ? 1 : 2;
  PutLE16(h + 5, static_cast<std::uint32_t>(count));
  h[7] = mapped ? 24 : 0;
  PutLE16(h + 12, static_cast<std::uint32_t>(graphic.Width()));
  PutLE16(h + 14, static_cast<std::uint32_t>(graphic.Height()));
  h[16] = mapped ? 8 : 24;
  stream.Write(h, sizeof h);
  if (mapped) {
    std::vector<std::uint8_t> map(3 * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      const TRGB c = graphic.Palette()[i];
      map[3 * i] = static_cast<std::uint8_t>(BlueOf(c));
      map[3 * i + 1] = static_cast<std::uint8_t>(GreenOf(c));
      map[3 * i + 2] = static_cast<std::uint8_t>(RedOf(c));
    }
    stream.Write(map.data(), map.size());
  }
  const int height = graphic.Height();
  if (height <= 0 || graphic.Empty()) return;
  TPGProgressScope progress(graphic);
  const std::size_t rowBytes = static_cast<std::size_t>(graphic.Width()) * (mapped ? 1 : 3);
  for (int y = height - 1; y >= 0; --y) {
    stream.Write(graphic.ScanLine(y), rowBytes);
    bool ignoredAbort = graphic.Progress(height - 1 - y, height);
    (void)ignoredAbort;
  }
}
