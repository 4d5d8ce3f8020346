#include "view/ReadAhead.h"

#include "imaging/formats/ColorProfile.h"
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

std::unique_ptr<TPixelGraphic> ReadAhead(const std::string& path, std::size_t maxBytes,
                                         const std::atomic<bool>& stop, TRGB background,
                                         TDisplayAdjustments adjust) {
  if (stop) return nullptr;
  TPGFileInfoResult info;
  if (!GetFileInfo(path, 0, info)) return nullptr;
  if (ReadAheadBytes(info.Width, info.Height, info.BitsPerPixel) > maxBytes) return nullptr;
  auto picture = std::make_unique<TPixelGraphic>();
  picture->ReadWarningAction = pgwaIgnore;
  picture->SetBackGroundColor(background);
  picture->OnPixelGraphicProgress = [&stop](TPixelGraphic&, int, int, bool& abort) {
    if (stop) abort = true;
  };
  try {
    LoadFromFile(*picture, path);
  } catch (...) {
    return nullptr;  // unreadable or stopped: the view reads it itself and reports the error
  }
  picture->OnPixelGraphicProgress = nullptr;
  if (stop || picture->Empty() || picture->ImageSize() > maxBytes) return nullptr;
  AdjustForDisplay(*picture, path, adjust);
  return stop ? nullptr : std::move(picture);
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
