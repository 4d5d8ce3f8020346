#include "thumbs/core/ThumbnailMaker.h"

#include <algorithm>

#include "thumbs/core/Placeholder.h"
#include "thumbs/core/RegistryLoad.h"
#include "thumbs/core/ThumbnailCache.h"

void TThumbnailMaker::Resample(TPixelGraphic& target, const TPixelGraphic& picture,
                               TThumbSize size) {
  target.StretchMode = smPrecise;  // area average when reducing
  target.SetSize(size.Width, size.Height, pf24Bit);
  target.CopyFrom(picture);
}

std::unique_ptr<TPixelGraphic> MakeCell(const TPixelGraphic& thumb, int side, TRGB background) {
  auto cell = std::make_unique<TPixelGraphic>();
  cell->SetSize(side, side, pf24Bit);
  cell->SetBackGroundColor(background);
  cell->Clear();
  cell->CopyRegion((side - thumb.Width()) / 2, 0, thumb, 0, 0, thumb.Width(), thumb.Height());
  return cell;
}

TThumbnailCell TThumbnailMaker::MakeFromPicture(const TPixelGraphic& picture, int side,
                                                TRGB background) {
  TThumbnailCell result;
  result.Thumb = ExplorerThumbSize(picture.Width(), picture.Height(), side);
  TPixelGraphic scaled;
  Resample(scaled, picture, result.Thumb);
  result.Cell = MakeCell(scaled, side, background);
  return result;
}

TThumbSize TThumbnailMaker::LoadPicture(const std::string& path, int side,
                                        TPixelGraphic& picture) const {
  const bool caching = FCache && FCache->Enabled();
  const auto flavor = TThumbnailCache::FlavorFor(side);
  const int cacheSide = TThumbnailCache::MaxSideOf(flavor);
  const int decodeSide = caching ? std::max(side, cacheSide) : side;
  const TThumbSize full = LoadPictureCovering(
      path, picture, [&](int w, int h) { return ExplorerThumbSize(w, h, decodeSide); }, true);
  if (caching) {
    TPixelGraphic entry;
    Resample(entry, picture, ExplorerThumbSize(full.Width, full.Height, cacheSide));
    FCache->Write(path, flavor, entry, full.Width, full.Height);
  }
  return full;
}

TThumbnailCell TThumbnailMaker::Make(const std::string& path, int side, TRGB background) const {
  TThumbnailCell result;
  const auto flavor = TThumbnailCache::FlavorFor(side);
  TCachedThumbnail cached;
  if (FCache && FCache->Read(path, flavor, cached)) {
    result.Thumb = ExplorerThumbSize(cached.ImageWidth, cached.ImageHeight, side);
    TPixelGraphic scaled;
    Resample(scaled, *cached.Picture, result.Thumb);
    result.Cell = MakeCell(scaled, side, background);
    result.FromCache = true;
    return result;
  }
  TPixelGraphic picture;
  TThumbSize full;
  try {
    full = LoadPicture(path, side, picture);
  } catch (const std::exception&) {
    LoadPlaceholder(picture);
    full = {picture.Width(), picture.Height()};
    result.Placeholder = true;
  }
  if (full.Width < 1 || full.Height < 1 || picture.Empty()) {
    LoadPlaceholder(picture);
    full = {picture.Width(), picture.Height()};
    result.Placeholder = true;
  }
  result.Thumb = ExplorerThumbSize(full.Width, full.Height, side);
  TPixelGraphic scaled;
  Resample(scaled, picture, result.Thumb);
  result.Cell = MakeCell(scaled, side, background);
  return result;
}
