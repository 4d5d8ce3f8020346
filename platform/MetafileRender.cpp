#include <array>

#include "platform/Metafile.h"

namespace {

TMetafileRenderer InstalledRenderer = nullptr;

std::uint32_t Opaque(TRGB color) {
  return 0xFF000000u | (static_cast<std::uint32_t>(color & 0xFF) << 16) | (color & 0xFF00u) |
         ((color >> 16) & 0xFFu);
}

// The picture as the renderer's surface. Palette values beyond the palette show as its first
// entry, as the picture's drawing shows them.
std::vector<std::uint32_t> SurfaceOf(const TPixelGraphic& picture) {
  const int width = picture.Width(), height = picture.Height();
  std::vector<std::uint32_t> surface(static_cast<std::size_t>(width) * height);
  std::uint32_t* out = surface.data();
  if (picture.PixelFormat() == pf24Bit) {
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* row = picture.ScanLine(y);
      for (int x = 0; x < width; ++x, row += 3)
        *out++ = 0xFF000000u | (std::uint32_t{row[2]} << 16) | (std::uint32_t{row[1]} << 8) | row[0];
    }
    return surface;
  }
  std::array<std::uint32_t, 256> table{};
  const int n = picture.PaletteCount();
  for (int i = 0; i < 256; ++i)
    table[static_cast<std::size_t>(i)] =
        n == 0 ? 0xFF000000u : Opaque(picture.PaletteColor(i < n ? i : 0));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) *out++ = table[picture.Pixel(x, y) & 0xFF];
  return surface;
}

void StoreRow(const std::uint32_t* src, std::uint8_t* dst, int width) {
  for (int x = 0; x < width; ++x, dst += 3) {
    dst[0] = static_cast<std::uint8_t>(src[x]);
    dst[1] = static_cast<std::uint8_t>(src[x] >> 8);
    dst[2] = static_cast<std::uint8_t>(src[x] >> 16);
  }
}

}  // namespace

void SetMetafileRenderer(TMetafileRenderer renderer) { InstalledRenderer = renderer; }

void TMetafile::Play(TPixelGraphic& target) const {
  const int width = target.Width(), height = target.Height();
  if (target.Empty() || width <= 0 || height <= 0) return;
  if (!InstalledRenderer) throw EPixelGraphic("Metafiles cannot be drawn: no metafile renderer");
  std::vector<std::uint32_t> surface = SurfaceOf(target);
  std::string error;
  if (!InstalledRenderer(FData, surface.data(), width, height, &error)) throw EPixelGraphic(error);
  const std::size_t stride = static_cast<std::size_t>(width);
  if (target.PixelFormat() == pf24Bit) {
    for (int y = 0; y < height; ++y) StoreRow(surface.data() + stride * y, target.ScanLine(y), width);
    return;
  }
  // Palette pictures get the drawing through the usual colour conversion.
  TPixelGraphic rendered;
  {
    TPGUpdateScope update(rendered);
    rendered.SetSize(width, height, pf24Bit);
    for (int y = 0; y < height; ++y)
      StoreRow(surface.data() + stride * y, rendered.ScanLine(y), width);
    rendered.UpdatePaletteIdent();
  }
  target.CopyFrom(rendered);
}
