// A border that fades from a colour at the edge into the picture, rectangular or elliptic.
#include <cmath>
#include <cstdint>

#include "imaging/PGraphic.h"
#include "imaging/PixelAccess.h"

namespace {

struct Channels {
  int r, g, b;
};

Channels Blend(Channels p, Channels c, std::int64_t f) {
  auto mix = [f](int a, int b) { return static_cast<int>((a * (1024 - f) + b * f) >> 10); };
  return {mix(p.r, c.r), mix(p.g, c.g), mix(p.b, c.b)};
}

Channels RectangleBorder(Channels p, Channels c, int x, int y, int w, int h, int b) {
  const std::int64_t span = b - 1;
  if (y < b) p = Blend(p, c, (std::int64_t{b} - 1 - y) * 1024 / span);
  if (y > h - b) p = Blend(p, c, (std::int64_t{b} + y - h) * 1024 / span);
  if (x < b) p = Blend(p, c, (std::int64_t{b} - 1 - x) * 1024 / span);
  if (x > w - b) p = Blend(p, c, (std::int64_t{b} + x - w) * 1024 / span);
  return p;
}

Channels EllipseBorder(Channels p, Channels c, int x, int y, int w, int h, int b) {
  const double rx = (w - 1) / 2.0, ry = (h - 1) / 2.0;
  const double dx = x - rx, dy = y - ry;
  double xe = 0, ye = 0;
  if (dx != 0) {
    const double k = dy / dx;
    xe = ry / std::sqrt((ry / rx) * (ry / rx) + k * k);
    if (dx < 0) xe = -xe;
    ye = k * xe;
  } else {
    ye = dy > 0 ? ry : -ry;
  }
  if (std::fabs(dx) > std::fabs(xe) || std::fabs(dy) > std::fabs(ye)) return c;
  const double dist =
      std::sqrt((dx - xe) * (dx - xe) * ry / rx + (dy - ye) * (dy - ye) * rx / ry);
  if (dist >= b - 1) return p;
  const auto f = static_cast<std::int64_t>(std::floor((b - 1 - dist) * 1024 / (b - 1)));
  auto mix = [f](int a, int col) { return static_cast<int>(((1024 - f) * a + f * col) / 1024); };
  return {mix(p.r, c.r), mix(p.g, c.g), mix(p.b, c.b)};
}

}  // namespace

void TPixelGraphic::AddBorder(bool elliptic, int borderWidth, const TPixelGraphic& source,
                              TRGB color) {
  if (&source == this) {
    TPixelGraphic copy;
    copy.Assign(this);
    AddBorder(elliptic, borderWidth, copy, color);
    return;
  }
  SetSize(source.Width(), source.Height(), FPixelFormat);
  const int w = FWidth, h = FHeight, b = borderWidth;
  const Channels c{RedOf(color), GreenOf(color), BlueOf(color)};
  if (!Empty() && !source.Empty()) {
    TPGDitherScope dither(*this);
    TTargetWriter writer(*this, dither.Active());
    if (w < 3 || h < 3 || b < 2) {
      for (int y = 0; y < h; ++y) {
        writer.NextRow();
        for (int step = 0; step < w; ++step)
          writer.Write((y & 1) ? w - 1 - step : step, y, c.r, c.g, c.b);
      }
    } else {
      TPGProgressScope progress(*this);
      const TSourceColors colors(source);
      for (int y = 0; y < h; ++y) {
        writer.NextRow();
        for (int step = 0; step < w; ++step) {
          const int x = (y & 1) ? w - 1 - step : step;
          const TRGB s = colors.Color(x, y);
          const Channels p{RedOf(s), GreenOf(s), BlueOf(s)};
          const Channels out = elliptic ? EllipseBorder(p, c, x, y, w, h, b)
                                        : RectangleBorder(p, c, x, y, w, h, b);
          writer.Write(x, y, out.r, out.g, out.b);
        }
        if (Progress(y, h - 1)) break;
      }
    }
  }
  Changed();
}
