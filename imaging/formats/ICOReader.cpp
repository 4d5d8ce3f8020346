#include <algorithm>
#include <string>

#include "imaging/formats/AlphaComposite.h"
#include "imaging/formats/ICOFormat.h"
#include "imaging/formats/PNGFormat.h"

namespace {

[[noreturn]] void RaiseNotIcon() { throw EPixelGraphic("Not an Icon file"); }
[[noreturn]] void RaiseIndex() { throw EPixelGraphic("Index out of bounds"); }

std::string ColorsOf(int bits) {
  if (bits >= 1 && bits <= 16) return std::to_string(1 << bits);
  return "16.7M";
}

void WriteBGR(TPixelGraphic& graphic, int x, int y, TRGB color) {
  std::uint8_t* p = graphic.ScanLine(y) + 3 * static_cast<std::size_t>(x);
  p[0] = static_cast<std::uint8_t>(BlueOf(color));
  p[1] = static_cast<std::uint8_t>(GreenOf(color));
  p[2] = static_cast<std::uint8_t>(RedOf(color));
}

// A row of a 32-bit entry with alpha: its colours blended onto the background, the mask unused.
void WriteBlendedRow(TPixelGraphic& graphic, const tIconHandler& icon, int y, TRGB background) {
  std::uint8_t* p = graphic.ScanLine(y);
  for (int x = 0; x < icon.Width(); ++x, p += 3) {
    const TRGB c = icon.Color(x, y);
    PGCompositeBGR(p, static_cast<unsigned>(RedOf(c)), static_cast<unsigned>(GreenOf(c)),
                   static_cast<unsigned>(BlueOf(c)), icon.Alpha(x, y), background);
  }
}

// PNG entries go through the PNG reader, which blends their transparent parts onto the image's
// background colour; no colour of the result is transparent.
void ReadPNGEntry(tIconHandler& handler, TPGStream& stream, TPixelGraphic& graphic, int index,
                  const TPGFormatContext& context) {
  TPGMemoryStream png(handler.EntryBytes(stream, index));
  TPixelGraphic decoded;
  decoded.SetBackGroundColor(graphic.BackGroundRGB());
  decoded.ReadWarningAction = graphic.ReadWarningAction;
  TPNGFileFormatReader().ReadFromStream(png, decoded, 0, context);
  TPGProgressScope progress(graphic);
  graphic.SetSize(decoded.Width(), decoded.Height(), pf24Bit);
  graphic.Transparent = false;
  graphic.SetPaletteCount(0);
  graphic.CopyFrom(decoded);
  graphic.Gamma = decoded.Gamma;
  graphic.Progress(graphic.Height() - 1, graphic.Height() - 1);
}

}  // namespace

void tIcoFileFormatReader::ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                                          const TPGFormatContext& context) const {
  graphic.Transparent = true;
  graphic.TransparentColor = tIconHandler::kTransparentColor;
  tIconHandler handler;
  handler.ValidateDirectory(stream);
  if (handler.Type() != 1 || handler.Count() == 0) RaiseNotIcon();
  if (index < 0 || index >= handler.Count()) RaiseIndex();
  if (handler.IsPNGEntry(stream, index)) {
    ReadPNGEntry(handler, stream, graphic, index, context);
    return;
  }
  if (!handler.LoadImage(stream, index)) RaiseIndex();
  const int width = handler.Width(), height = handler.Height();
  const TRGB background = graphic.BackGroundRGB();
  graphic.SetSize(width, height, pf24Bit);
  graphic.Transparent = !handler.HasAlpha();
  graphic.TransparentColor = tIconHandler::kTransparentColor;
  graphic.SetPaletteCount(0);
  TPGProgressScope progress(graphic);
  for (int y = 0; y < height; ++y) {
    if (handler.HasAlpha())
      WriteBlendedRow(graphic, handler, y, background);
    else
      for (int x = 0; x < width; ++x)
        WriteBGR(graphic, x, y,
                 handler.Masked(x, y) ? tIconHandler::kTransparentColor : handler.Color(x, y));
    if (graphic.Progress(y, height - 1)) break;
  }
}

TPGFileInfo tIcoFileFormatReader::GetInfo(TPGStream& stream, int index,
                                          const TPGFormatContext& context) const {
  TPGFileInfo info = TFileFormatReader::GetInfo(stream, index, context);
  tIconHandler handler;
  handler.ValidateDirectory(stream);
  if (handler.Type() != 1 || handler.Count() == 0) RaiseNotIcon();
  info.ImageCount = handler.Count();
  // Sizes and depths of every entry: bitmap headers, or the PNG reader's description.
  int minWidth = 0, maxWidth = 0, minBits = 0, maxBits = 0;
  for (int i = 0; i < handler.Count(); ++i) {
    int width = 0, height = 0, bits = 0;
    if (handler.IsPNGEntry(stream, i)) {
      TPGMemoryStream png(handler.EntryBytes(stream, i));
      try {
        const TPGFileInfo p = TPNGFileFormatReader().GetInfo(png, 0, context);
        width = p.Width;
        height = p.Height;
        bits = p.BitsPerPixel;
      } catch (const EPixelGraphic&) {
        continue;
      }
    } else if (!handler.ReadBitmapHeader(stream, i, width, height, bits)) {
      continue;
    }
    if (i == 0) {
      info.Width = width;
      info.Height = height;
      info.BitsPerPixel = bits;
    }
    if (minWidth == 0 || width < minWidth) minWidth = width;
    maxWidth = std::max(maxWidth, width);
    if (minBits == 0 || bits < minBits) minBits = bits;
    maxBits = std::max(maxBits, bits);
  }
  if (handler.Count() == 1) {
    info.ColorsText = ColorsOf(info.BitsPerPixel);
  } else {
    info.VersionText = "Sizes " + std::to_string(minWidth) + ".." + std::to_string(maxWidth);
    info.DescriptionText = "Colors " + ColorsOf(minBits) + ".." + ColorsOf(maxBits);
  }
  return info;
}
