// Unscaled copy of a block between two images of any formats.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "imaging/PGraphic.h"
#include "imaging/PixelAccess.h"

void TPixelGraphic::CopyRegion(int destX, int destY, const TPixelGraphic& source, int srcX,
                               int srcY, int w, int h) {
  FlushDrawing();
  if (Empty() || source.Empty() || FWidth == 0 || FHeight == 0 || source.Width() == 0 ||
      source.Height() == 0)
    return;
  if (&source == this) {
    TPixelGraphic copy;
    copy.Assign(this);
    CopyRegion(destX, destY, copy, srcX, srcY, w, h);
    return;
  }

  const std::int64_t y0 = std::max<std::int64_t>(destY, 0);
  const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{destY} + h - 1, FHeight - 1);
  // Columns inside the target whose source column lies inside the source.
  const std::int64_t shift = std::int64_t{srcX} - destX;
  const std::int64_t x0 = std::max({std::int64_t{destX}, std::int64_t{0}, -shift});
  const std::int64_t x1 = std::min({std::int64_t{destX} + w - 1, std::int64_t{FWidth} - 1,
                                    std::int64_t{source.Width()} - 1 - shift});
  if (x0 > x1) {
    Changed();
    return;
  }

  {
    TPGDitherScope dither(*this);
    TPGProgressScope progress(*this);
    TTargetWriter writer(*this, dither.Active());
    const TSourceColors colors(source);
    const bool bytes = FPixelFormat == pf24Bit && source.PixelFormat() == pf24Bit;
    for (std::int64_t y = y0; y <= y1; ++y) {
      const std::int64_t sy = y + srcY - destY;
      if (sy < 0 || sy >= source.Height()) continue;
      if (bytes) {
        std::memcpy(ScanLine(static_cast<int>(y)) + x0 * 3,
                    source.ScanLine(static_cast<int>(sy)) + (x0 + shift) * 3,
                    static_cast<std::size_t>(x1 - x0 + 1) * 3);
        continue;
      }
      writer.NextRow();
      const bool reverse = (y & 1) != 0;
      for (std::int64_t step = 0; step <= x1 - x0; ++step) {
        const std::int64_t x = reverse ? x1 - step : x0 + step;
        writer.Write(static_cast<int>(x), static_cast<int>(y),
                     colors.Color(static_cast<int>(x + shift), static_cast<int>(sy)));
      }
      if (Progress(static_cast<int>(y - y0), static_cast<int>(y1 - y0))) break;
    }
  }
  Changed();
}
