#include "view/ReadAhead.h"

#include <algorithm>
#include <cmath>

#include "imaging/formats/ColorProfile.h"
#include "imaging/formats/JPEGScaledLoad.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Orientation.h"
#include "imaging/formats/Registry.h"

std::size_t ReadAheadBytes(int width, int height, int bitsPerPixel) {
  if (width <= 0 || height <= 0 || bitsPerPixel <= 0) return 0;
  // Rows are padded to four bytes; anything deeper than 8 bits is read as 24.
  const int bits = bitsPerPixel > 8 ? 24 : bitsPerPixel;
  const std::size_t row = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  return row * static_cast<std::size_t>(height);
}

TReducedSize ReducedDecodeSize(int width, int height, bool turned, int fitWidth, int fitHeight) {
  TReducedSize full{width, height, false};
  if (width < 1 || height < 1 || fitWidth < 1 || fitHeight < 1) return full;
  const double shownW = turned ? height : width, shownH = turned ? width : height;
  const double scale = std::min(fitWidth / shownW, fitHeight / shownH);
  if (scale * 2 > 1) return full;
  return {std::max(1, static_cast<int>(std::ceil(width * scale))),
          std::max(1, static_cast<int>(std::ceil(height * scale))), true};
}

namespace {

bool Turned(int orientation) { return orientation >= 5 && orientation <= 8; }

}  // namespace

TDisplayPicture ReadReducedForDisplay(const std::string& path, TDisplayAdjustments adjust, TRGB background) {
  if (adjust.FitWidth < 1 || adjust.FitHeight < 1 || !IsJPEGFile(path)) return {};
  const bool turned = adjust.Upright && Turned(ReadOrientation(path));
  bool reduced = false;
  TDisplayPicture shown;
  shown.Picture = std::make_unique<TPixelGraphic>();
  shown.Picture->SetBackGroundColor(background);
  const TJPEGScaledResult result = LoadJPEGScaled(
      path, *shown.Picture,
      [&](int w, int h) {
        const TReducedSize size = ReducedDecodeSize(w, h, turned, adjust.FitWidth, adjust.FitHeight);
        reduced = size.Reduced;
        return TScaledSize{size.Width, size.Height};
      },
      TJPEGScaledQuality::Accurate);
  if (!reduced || result.ScaleNum >= 8) return {};  // shown near its size: read in full
  shown.TrueWidth = turned ? result.FullHeight : result.FullWidth;
  shown.TrueHeight = turned ? result.FullWidth : result.FullHeight;
  AdjustForDisplay(*shown.Picture, path, adjust);
  return shown;
}

std::unique_ptr<TPixelGraphic> ReadAhead(const std::string& path, std::size_t maxBytes,
                                         const std::atomic<bool>& stop, TRGB background,
                                         TDisplayAdjustments adjust) {
  return ReadAheadForDisplay(path, maxBytes, stop, background, adjust).Picture;
}

TDisplayPicture ReadAheadForDisplay(const std::string& path, std::size_t maxBytes,
                                    const std::atomic<bool>& stop, TRGB background,
                                    TDisplayAdjustments adjust) {
  if (stop) return {};
  TPGFileInfoResult info;
  if (!GetFileInfo(path, 0, info)) return {};
  try {
    TDisplayPicture reduced = ReadReducedForDisplay(path, adjust, background);
    if (reduced.Picture) {
      if (stop || reduced.Picture->ImageSize() > maxBytes) return {};
      return reduced;
    }
  } catch (...) {
    return {};  // the view reads it itself and reports the error
  }
  if (ReadAheadBytes(info.Width, info.Height, info.BitsPerPixel) > maxBytes) return {};
  auto picture = std::make_unique<TPixelGraphic>();
  picture->ReadWarningAction = pgwaIgnore;
  picture->SetBackGroundColor(background);
  picture->OnPixelGraphicProgress = [&stop](TPixelGraphic&, int, int, bool& abort) {
    if (stop) abort = true;
  };
  try {
    LoadFromFile(*picture, path);
  } catch (...) {
    return {};  // unreadable or stopped: the view reads it itself and reports the error
  }
  picture->OnPixelGraphicProgress = nullptr;
  if (stop || picture->Empty() || picture->ImageSize() > maxBytes) return {};
  AdjustForDisplay(*picture, path, adjust);
  if (stop) return {};
  TDisplayPicture shown;
  shown.TrueWidth = picture->Width();
  shown.TrueHeight = picture->Height();
  shown.Picture = std::move(picture);
  return shown;
}

bool AdjustForDisplay(TPixelGraphic& picture, const std::string& path, TDisplayAdjustments adjust) {
  bool changed = false;
  // Colours first: the conversion runs over rows as stored, whatever their turn.
  if (adjust.ToSRGB) {
    const TColorProfile profile = ReadColorProfile(path);
    changed = !profile.empty() && ConvertToSRGB(picture, profile);
  }
  if (adjust.Upright) {
    const int orientation = ReadOrientation(path);
    if (orientation != kOrientationUpright) {
      ApplyOrientation(picture, orientation);
      changed = true;
    }
  }
  return changed;
}
