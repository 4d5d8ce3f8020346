#include <cmath>

#include "imaging/formats/Registry.h"
#include "platform/MetafileFormat.h"

namespace {

constexpr int kPreviewSize = 130;

std::vector<std::uint8_t> ReadAll(TPGStream& stream) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Remaining()));
  bytes.resize(stream.Read(bytes.data(), bytes.size()));
  return bytes;
}

// Progress of a metafile read: start 2, step 15, maximum 100; the handler cannot abort.
class TMetaProgress {
 public:
  explicit TMetaProgress(TPixelGraphic& graphic) : FGraphic(graphic) {}
  void Step() {
    FGraphic.Progress(FPosition, 100);
    FPosition += 15;
  }

 private:
  TPixelGraphic& FGraphic;
  int FPosition = 2;
};

}  // namespace

void FitMetafileSize(int& width, int& height, int limit) {
  if (width <= 0 || height <= 0 || limit <= 0) return;
  if (width > limit) {
    const double f = static_cast<double>(width) / limit;
    width = static_cast<int>(std::nearbyint(width / f));
    height = static_cast<int>(std::nearbyint(height / f));
  }
  if (height > limit) {
    const double f = static_cast<double>(height) / limit;
    width = static_cast<int>(std::nearbyint(width / f));
    height = static_cast<int>(std::nearbyint(height / f));
  }
}

bool tWMFFileFormatReader::CheckHeader(const std::uint8_t* header) const {
  return CheckWMFHeader(header);
}

bool tEMFFileFormatReader::CheckHeader(const std::uint8_t* header) const {
  return CheckEMFHeader(header);
}

bool tWMFFileFormatReader::Load(TPGStream& stream, TMetafile& metafile) const {
  return metafile.LoadWindows(ReadAll(stream));
}

bool tEMFFileFormatReader::Load(TPGStream& stream, TMetafile& metafile) const {
  return metafile.LoadEnhanced(ReadAll(stream));
}

void tWMFFileFormatReader::ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int,
                                          const TPGFormatContext& /*context*/) const {
  TPGProgressScope scope(graphic);
  TMetaProgress progress(graphic);
  progress.Step();
  TMetafile metafile;
  if (!Load(stream, metafile)) return;
  progress.Step();
  int width = metafile.Width(), height = metafile.Height();
  if (graphic.PreviewLoad) FitMetafileSize(width, height, kPreviewSize);
  if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > MetafileMaxPixels)
    throw EPixelGraphic(LowerCase(Extension) == "emf" ? "EMF: Image size out of range"
                                                      : "WMF: Image size out of range");
  graphic.SetBackGroundColor(0xFFFFFF);
  const std::vector<TRGB>& palette = metafile.Palette();
  const int n = static_cast<int>(palette.size());
  if (n >= 1 && n <= 256) {
    graphic.SetSize(width, height, n <= 2 ? pf1Bit : n <= 16 ? pf4Bit : pf8Bit);
    graphic.SetPaletteCount(n);
    for (int i = 0; i < n; ++i) graphic.SetPaletteColor(i, palette[static_cast<std::size_t>(i)]);
    progress.Step();
    graphic.SetBackGroundColor(0xFFFFFF);
    graphic.Clear();
  } else {
    // Metafiles draw on white paper: a black start would hide their black lines and text.
    graphic.SetSize(width, height, pf24Bit);
    graphic.SetBackGroundColor(0xFFFFFF);
    graphic.Clear();
  }
  progress.Step();
  {
    TPGUpdateScope update(graphic);
    metafile.Play(graphic);
  }
  progress.Step();
}

TPGFileInfo tWMFFileFormatReader::GetInfo(TPGStream& stream, int index,
                                          const TPGFormatContext& context) const {
  TPGFileInfo info = TFileFormatReader::GetInfo(stream, index, context);
  TMetafile metafile;
  if (!Load(stream, metafile)) throw EPixelGraphic("Invalid Metafile");
  info.ImageCount = 1;
  info.Width = metafile.Width();
  info.Height = metafile.Height();
  const std::size_t n = metafile.Palette().size();
  if (n >= 1 && n <= 2) {
    info.ColorsText = "2";
    info.BitsPerPixel = 1;
  } else if (n >= 3 && n <= 16) {
    info.ColorsText = "16";
    info.BitsPerPixel = 4;
  } else if (n >= 17 && n <= 256) {
    info.ColorsText = "256";
    info.BitsPerPixel = 8;
  } else {
    info.ColorsText = "16.7M";
    info.BitsPerPixel = 24;
  }
  if (!metafile.Enhanced())
    info.VersionText = metafile.Placeable() ? "Placeable, Aldus header" : "No header";
  return info;
}

void RegisterMetafileReaders() {
  static const bool registered = [] {
    RegisterFileFormatReader(std::make_unique<tWMFFileFormatReader>());
    RegisterFileFormatReader(std::make_unique<tEMFFileFormatReader>());
    return true;
  }();
  (void)registered;
}
