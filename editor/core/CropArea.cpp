#include "editor/core/CropArea.h"

#include <algorithm>
#include <cstdint>

TEditRect IntersectWithPicture(const TEditRect& selection, int width, int height) {
  const std::int64_t left = std::max<std::int64_t>(selection.Left, 0);
  const std::int64_t top = std::max<std::int64_t>(selection.Top, 0);
  const std::int64_t right =
      std::min<std::int64_t>(std::int64_t{selection.Left} + selection.Width, width);
  const std::int64_t bottom =
      std::min<std::int64_t>(std::int64_t{selection.Top} + selection.Height, height);
  if (selection.Width <= 0 || selection.Height <= 0 || right <= left || bottom <= top)
    return {};
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
          static_cast<int>(bottom - top)};
}

std::unique_ptr<TPixelGraphic> CropPicture(const TPixelGraphic& source, const TEditRect& area) {
  auto result = std::make_unique<TPixelGraphic>();
  result->SetSize(area.Width, area.Height, source.PixelFormat());
  if (source.PixelFormat() != pf24Bit) result->CopyPalette(source);
  // Whole bytes are moved where the area starts on a byte; single values otherwise.
  const int bits = source.BitCount();
  const bool byteAligned = (static_cast<std::int64_t>(area.Left) * bits) % 8 == 0 && bits >= 8;
  for (int y = 0; y < area.Height; ++y) {
    if (byteAligned) {
      const std::uint8_t* from = source.ScanLine(y + area.Top) +
                                 static_cast<std::size_t>(area.Left) * (bits / 8);
      std::copy_n(from, static_cast<std::size_t>(area.Width) * (bits / 8), result->ScanLine(y));
    } else {
      for (int x = 0; x < area.Width; ++x)
        result->SetPixel(x, y, source.Pixel(x + area.Left, y + area.Top));
    }
  }
  result->Changed();
  return result;
}
