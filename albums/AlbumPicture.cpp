#include "albums/AlbumPicture.h"

#include <QPainter>
#include <cctype>
#include <fstream>
#include <memory>

#include "albums/core/AlbumDocument.h"
#include "imaging/formats/LoadSave.h"
#include "platform/Metafile.h"
#include "platform/MetafilePlayer.h"
#include "platform/PGQtImage.h"

namespace {

// Metafiles larger than this are not read into memory.
constexpr std::streamoff kMaxMetafileSize = 256LL << 20;

// Whether the extension names an enhanced metafile ("EMF..."); those are tried as such first.
bool IsEnhancedMetafilePath(const std::string& path) {
  const std::string name = AlbumFileNameOf(path);
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  std::string key = name.substr(dot + 1, 3);
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key == "EMF";
}

class TRasterPicture : public TAlbumPicture {
 public:
  explicit TRasterPicture(const std::string& path) { LoadFromFile(FImage, path); }
  int Width() const override { return FImage.Width(); }
  int Height() const override { return FImage.Height(); }
  QImage Render(int width, int height) const override {
    TPixelGraphic stretched;
    stretched.StretchMode = smPrecise;
    stretched.SetSize(width, height, pf24Bit);
    stretched.StretchCopy(0, 0, width, height, FImage, 0, 0, FImage.Width(), FImage.Height());
    return PGToQImage(stretched);
  }

 private:
  TPixelGraphic FImage;
};

class TMetafilePicture : public TAlbumPicture {
 public:
  explicit TMetafilePicture(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) throw EAlbumError("cannot open the file");
    const std::streamoff size = in.tellg();
    if (size <= 0 || size > kMaxMetafileSize) throw EAlbumError("no metafile of a usable size");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) throw EAlbumError("cannot read");
    const bool enhancedFirst = IsEnhancedMetafilePath(path);
    const bool loaded = enhancedFirst ? FMeta.LoadEnhanced(bytes) || FMeta.LoadWindows(bytes)
                                      : FMeta.LoadWindows(bytes) || FMeta.LoadEnhanced(bytes);
    if (!loaded || FMeta.Width() <= 0 || FMeta.Height() <= 0)
      throw EAlbumError("no Windows or enhanced metafile");
  }
  int Width() const override { return FMeta.Width(); }
  int Height() const override { return FMeta.Height(); }
  QImage Render(int width, int height) const override {
    EnsureMetafileGuiApplication();
    QImage surface(width, height, QImage::Format_RGB32);
    if (surface.isNull()) throw EAlbumError("not enough memory");
    surface.fill(Qt::white);
    {
      QPainter painter(&surface);
      TMetafilePlayer player(painter, FMeta.Data(), width, height);
      player.Play();
    }
    return surface.convertToFormat(QImage::Format_RGB888);
  }

 private:
  TMetafile FMeta;
};

}  // namespace

std::unique_ptr<TAlbumPicture> LoadAlbumPicture(const std::string& path) {
  if (IsMetafilePath(path)) return std::make_unique<TMetafilePicture>(path);
  return std::make_unique<TRasterPicture>(path);
}

bool DrawAlbumPicture(QPainter& canvas, const TAlbumPicture& picture, const TCellRect& cell,
                      int border) {
  const std::optional<TCellRect> place =
      FitPictureInCell(cell, border, picture.Width(), picture.Height());
  if (!place) return false;
  const QImage pixels = picture.Render(place->Width(), place->Height());
  if (pixels.isNull()) throw EAlbumError("not enough memory");
  canvas.drawImage(QRect(place->Left, place->Top, place->Width(), place->Height()), pixels);
  return true;
}
