// TThumbnailCache: the thumbnail cache shared by the desktop's programs (the freedesktop
// thumbnail managing standard). A picture's thumbnail lives in ROOT/normal (at most 128
// pixels) or ROOT/large (at most 256) as MD5(uri).png, with the keys Thumb::URI and
// Thumb::MTime; an entry whose mtime differs from the file's is stale and ignored. Entries
// are written to a temporary file in the same folder (mode 0600) and renamed into place, the
// folders are made with mode 0700.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "imaging/PGraphic.h"

// The cached thumbnail with the size of the picture it was made from.
struct TCachedThumbnail {
  std::unique_ptr<TPixelGraphic> Picture;
  int ImageWidth = 0;
  int ImageHeight = 0;
};

class TThumbnailCache {
 public:
  enum TFlavor { tfNormal, tfLarge };

  // ROOT is normally DefaultRoot(); an empty root turns the cache off.
  explicit TThumbnailCache(std::string root);

  // $XDG_CACHE_HOME/thumbnails, or $HOME/.cache/thumbnails; "" when neither is known.
  static std::string DefaultRoot();
  // "file://" + the absolute path, percent-encoded as the desktop's file managers do.
  static std::string UriOf(const std::string& path);
  static int MaxSideOf(TFlavor flavor) { return flavor == tfNormal ? 128 : 256; }
  // The flavour that serves thumbnails of the given side.
  static TFlavor FlavorFor(int side) { return side <= 128 ? tfNormal : tfLarge; }

  bool Enabled() const { return !FRoot.empty(); }
  const std::string& Root() const { return FRoot; }
  // Where the entry of a picture is kept.
  std::string EntryPath(const std::string& path, TFlavor flavor) const;

  // The entry for the picture when there is a current one (same URI, same mtime); false for
  // missing, stale or unreadable entries, and for a cache that is off.
  bool Read(const std::string& path, TFlavor flavor, TCachedThumbnail& out) const;
  // Stores a thumbnail of at most MaxSideOf(flavor) pixels made from the picture at `path`
  // (imageWidth x imageHeight). Failures are silent: the cache is only an accelerator.
  // Returns true when the entry was written.
  bool Write(const std::string& path, TFlavor flavor, const TPixelGraphic& thumbnail,
             int imageWidth, int imageHeight) const;

 private:
  std::string FRoot;
};
