// TPreloadCache: pictures read ahead of the user, bounded both in count and in bytes. The
// oldest entry goes first when a new one would pass either bound.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "imaging/PGraphic.h"

class TPreloadCache {
 public:
  static constexpr std::size_t kMaxPictures = 3;
  static constexpr std::size_t kMaxBytes = std::size_t{512} << 20;

  explicit TPreloadCache(std::size_t maxPictures = kMaxPictures,
                         std::size_t maxBytes = kMaxBytes);

  // The bytes a picture holds (its rows and palette).
  static std::size_t BytesOf(const TPixelGraphic& picture);

  // Keeps the picture under `path`, replacing one kept there, and drops the oldest others
  // until both bounds hold. False, and nothing kept, when the picture alone passes a bound.
  bool Put(const std::string& path, std::unique_ptr<TPixelGraphic> picture);
  // Hands the picture over and forgets it; null when none is kept under `path`.
  std::unique_ptr<TPixelGraphic> Take(const std::string& path);
  bool Contains(const std::string& path) const;
  // Drops every picture whose path is not listed.
  void KeepOnly(const std::vector<std::string>& paths);
  void Clear() { FEntries.clear(); }

  std::size_t Count() const { return FEntries.size(); }
  std::size_t Bytes() const;
  std::size_t MaxPictures() const { return FMaxPictures; }
  std::size_t MaxBytes() const { return FMaxBytes; }
  // The bytes still free under the byte bound.
  std::size_t FreeBytes() const;

 private:
  struct TEntry {
    std::string Path;
    std::unique_ptr<TPixelGraphic> Picture;
    std::size_t Bytes;
  };
  std::size_t FMaxPictures, FMaxBytes;
  std::vector<TEntry> FEntries;  // oldest first
};
