#include "imaging/formats/ColorResolution.h"

#include "imaging/PGMessageIds.h"

TColorResolution ColorResolutionOf(const TPixelGraphic& image) {
  const TPaletteIdent ident = image.PaletteIdent();
  switch (image.PixelFormat()) {
    case pf1Bit: return ident == pBlackWhite ? crBlackWhite : cr2Colors;
    case pf4Bit:
      return ident == pGray16 ? crGray16 : ident == pSys16 ? crSys16 : cr16Colors;
    case pf8Bit: return ident == pGray256 ? crGray256 : cr256Colors;
    default: return crTrueColor;
  }
}

std::string ColorResolutionText(TColorResolution c) {
  return PGMessage(pgmBlackAndWhite + static_cast<int>(c));
}

bool PreferredColorResolution(TColorResolution c, TColorResolutions writable,
                              TColorResolution& result) {
  static constexpr std::uint8_t kPreference[8][8] = {
      {0, 1, 2, 3, 4, 5, 6, 7}, {1, 4, 6, 7, 3, 0, 2, 5}, {2, 4, 5, 6, 7, 3, 0, 1},
      {3, 4, 6, 7, 2, 5, 0, 1}, {4, 6, 7, 3, 2, 5, 0, 1}, {5, 6, 7, 2, 4, 3, 0, 1},
      {6, 7, 4, 3, 5, 2, 0, 1}, {7, 6, 4, 3, 5, 2, 0, 1}};
  for (std::uint8_t t : kPreference[c]) {
    if ((writable >> t) & 1u) {
      result = static_cast<TColorResolution>(t);
      return true;
    }
  }
  return false;
}

void ConvertToColorResolution(const TPixelGraphic& source, TColorResolution t,
                              TPixelGraphic& target) {
  target.OnPixelGraphicProgressStart = source.OnPixelGraphicProgressStart;
  target.OnPixelGraphicProgress = source.OnPixelGraphicProgress;
  target.OnPixelGraphicProgressEnd = source.OnPixelGraphicProgressEnd;
  switch (t) {
    case crBlackWhite:
      target.SetPixelFormat(pf1Bit);
      target.SetPaletteIdent(pBlackWhite);
      break;
    case cr2Colors:
      target.SetPixelFormat(pf1Bit);
      MakeOptimizedPalette(target, source, 2, false);
      break;
    case crGray16:
      target.SetPixelFormat(pf4Bit);
      target.SetPaletteIdent(pGray16);
      break;
    case crSys16:
      target.SetPixelFormat(pf4Bit);
      target.SetPaletteIdent(pSys16);
      break;
    case cr16Colors:
      target.SetPixelFormat(pf4Bit);
      MakeOptimizedPalette(target, source, 16, false);
      break;
    case crGray256:
      target.SetPixelFormat(pf8Bit);
      target.SetPaletteIdent(pGray256);
      break;
    case cr256Colors:
      target.SetPixelFormat(pf8Bit);
      MakeOptimizedPalette(target, source, 252, true);
      break;
    case crTrueColor:
      target.SetPixelFormat(pf24Bit);
      break;
  }
  target.SetWidth(source.Width());
  target.SetHeight(source.Height());
  target.CopyFrom(source);
  target.UpdatePaletteIdent();
}
