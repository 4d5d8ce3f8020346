#include "view/PreloadCache.h"

#include <algorithm>

TPreloadCache::TPreloadCache(std::size_t maxPictures, std::size_t maxBytes)
    : FMaxPictures(maxPictures), FMaxBytes(maxBytes) {}

std::size_t TPreloadCache::BytesOf(const TPixelGraphic& picture) {
  return picture.ImageSize() + picture.Palette().size() * sizeof(picture.Palette()[0]);
}

bool TPreloadCache::Put(const std::string& path, std::unique_ptr<TPixelGraphic> picture) {
  if (!picture || FMaxPictures == 0) return false;
  const std::size_t bytes = BytesOf(*picture);
  if (bytes > FMaxBytes) return false;
  std::erase_if(FEntries, [&](const TEntry& e) { return e.Path == path; });
  while (!FEntries.empty() && (FEntries.size() + 1 > FMaxPictures || Bytes() + bytes > FMaxBytes))
    FEntries.erase(FEntries.begin());
  FEntries.push_back({path, std::move(picture), bytes});
  return true;
}

std::unique_ptr<TPixelGraphic> TPreloadCache::Take(const std::string& path) {
  const auto it =
      std::find_if(FEntries.begin(), FEntries.end(), [&](const TEntry& e) { return e.Path == path; });
  if (it == FEntries.end()) return nullptr;
  auto picture = std::move(it->Picture);
  FEntries.erase(it);
  return picture;
}

bool TPreloadCache::Contains(const std::string& path) const {
  return std::any_of(FEntries.begin(), FEntries.end(),
                     [&](const TEntry& e) { return e.Path == path; });
}

void TPreloadCache::KeepOnly(const std::vector<std::string>& paths) {
  std::erase_if(FEntries, [&](const TEntry& e) {
    return std::find(paths.begin(), paths.end(), e.Path) == paths.end();
  });
}

std::size_t TPreloadCache::Bytes() const {
  std::size_t total = 0;
  for (const TEntry& e : FEntries) total += e.Bytes;
  return total;
}

std::size_t TPreloadCache::FreeBytes() const {
  const std::size_t used = Bytes();
  return used >= FMaxBytes ? 0 : FMaxBytes - used;
}
