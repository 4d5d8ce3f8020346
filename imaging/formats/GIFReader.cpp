#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "imaging/PGMessageIds.h"
#include "imaging/formats/AlphaComposite.h"
#include "imaging/formats/GIFFormat.h"
#include "imaging/formats/GIFLzwDecoder.h"

namespace {

// Largest ratio of pixels to LZW data: a 12-bit code can stand for up to 4096 pixels.
constexpr double GIFMaxExpansion = 4096.0 * 8 / 12;

TPixelFormat FormatForBits(int bits, bool trueColor) {
  if (trueColor) return pf24Bit;
  if (bits <= 1) return pf1Bit;
  if (bits <= 4) return pf4Bit;
  return pf8Bit;
}

// How a true-colour result shows palette indexes: each index's colour as blue, green, red,
// the transparent index's colour blended onto the background as a pixel of alpha 0.
struct TTrueColorTable {
  std::uint8_t BGR[256][3] = {};

  void Build(const std::uint8_t* palette, int transparentIndex, TRGB background) {
    for (int i = 0; i < 256; ++i) {
      const unsigned alpha = i == transparentIndex ? 0 : 255;
      PGCompositeBGR(BGR[i], palette[3 * i], palette[3 * i + 1], palette[3 * i + 2], alpha,
                     background);
    }
  }
};

// Packs one row of palette indexes into a scan line of the image's format (values the
// format cannot hold keep their low bits; 24-bit rows take the colours of `table`).
void StoreRow(TPixelGraphic& image, int y, const std::uint8_t* values, int count,
              const TTrueColorTable& table) {
  std::uint8_t* line = image.ScanLine(y);
  switch (image.PixelFormat()) {
    case pf8Bit: std::memcpy(line, values, static_cast<std::size_t>(count)); break;
    case pf4Bit:
      for (int x = 0; x < count; ++x) {
        const std::uint8_t v = values[x] & 0x0F;
        std::uint8_t& b = line[x >> 1];
        b = (x & 1) ? static_cast<std::uint8_t>((b & 0xF0) | v)
                    : static_cast<std::uint8_t>((b & 0x0F) | (v << 4));
      }
      break;
    case pf1Bit:
      for (int x = 0; x < count; ++x) {
        const std::uint8_t mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
        if (values[x] & 1) line[x >> 3] |= mask;
        else line[x >> 3] &= static_cast<std::uint8_t>(~mask);
      }
      break;
    case pf24Bit:
      for (int x = 0; x < count; ++x) std::memcpy(line + 3 * x, table.BGR[values[x]], 3);
      break;
  }
}

// One parse of a GIF file held in memory: the state of a single read or information query.
class TGIFParse {
 public:
  TGIFParse(std::vector<std::uint8_t> data, int requested, TPixelGraphic* target)
      : FData(std::move(data)),
        FRequested(requested),
        FDecodeMode(target != nullptr),
        FTarget(target) {}

  // The requested image is decoded into a 24-bit picture, its transparent index blended onto
  // `background`.
  void AskTrueColor(TRGB background) {
    FTrueColor = true;
    FBackground = background;
  }

  bool Parse();
  int ImageCount() const { return FImageCount; }
  int Requested() const { return FRequested; }
  int RequestedWidth() const { return FRequestedWidth; }
  int RequestedHeight() const { return FRequestedHeight; }
  int EffectiveBits() const { return FImage.EffectiveBits; }
  bool AnyInterlaced() const { return FAnyInterlaced; }
  const std::string& Version() const { return FVersion; }

 private:
  struct TImage {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool LocalTable = false;
    int LocalBits = 0;
    bool Interlaced = false;
    int EffectiveBits = 0;
    int TransparentIndex = -1;  // from the graphic control block before the image
  };

  bool ReadImageDescriptor(bool decode);
  void DecodeImageData();
  void SkipSubBlocks();
  bool Has(std::size_t n) const { return FPos <= FData.size() && FData.size() - FPos >= n; }
  void Advance(std::size_t n) { FPos = Has(n) ? FPos + n : FData.size(); }

  std::vector<std::uint8_t> FData;
  std::size_t FPos = 0;
  int FRequested = 0;  // 1-based
  bool FDecodeMode = false;
  int FImageCount = 0;
  int FGlobalBits = 0;
  std::uint8_t FGlobalPalette[768] = {};
  std::uint8_t FPalette[768] = {};
  std::string FVersion;
  bool FAnyInterlaced = false;
  bool FAbort = false;
  bool FFound = false;
  int FRequestedWidth = 0, FRequestedHeight = 0;
  TImage FImage;
  int FPendingTransparent = -1;
  bool FTrueColor = false;
  TRGB FBackground = 0;
  TPixelGraphic* FTarget = nullptr;
};

std::vector<std::uint8_t> ReadRest(TPGStream& stream) {
  std::vector<std::uint8_t> data(static_cast<std::size_t>(stream.Remaining()));
  data.resize(stream.Read(data.data(), data.size()));
  return data;
}

void TGIFParse::SkipSubBlocks() {
  while (FPos < FData.size()) {
    const std::size_t n = FData[FPos++];
    if (n == 0) break;
    Advance(n);
  }
}

bool TGIFParse::Parse() {
  FAbort = false;
  FFound = false;
  FImageCount = 0;
  FGlobalBits = 0;
  FAnyInterlaced = false;
  FImage = TImage{};
  FPendingTransparent = -1;
  if (FData.size() < 3 || std::memcmp(FData.data(), "GIF", 3) != 0) {
    FData.clear();
    return false;
  }
  FVersion = FData.size() > 4 && FData[4] == '7' ? "87a" : "89a";
  FPos = 0;
  Advance(6);

  // Logical screen descriptor: only the global colour table is used.
  std::memset(FGlobalPalette, 0, sizeof FGlobalPalette);
  const std::uint8_t packed = Has(7) ? FData[FPos + 4] : 0;
  Advance(7);
  if (packed & 0x80) {
    FGlobalBits = (packed & 7) + 1;
    const std::size_t bytes = std::size_t{3} << FGlobalBits;
    std::memcpy(FGlobalPalette, FData.data() + FPos, std::min(bytes, FData.size() - FPos));
    Advance(bytes);
  }

  while (!FAbort && FPos < FData.size()) {
    const std::size_t start = FPos;
    const std::uint8_t block = FData[FPos];
    if (block == 0x21) {
      if (!Has(2)) break;
      const std::uint8_t label = FData[FPos + 1];
      if (label == 0x01 || label == 0xFE) {
        Advance(2);
        SkipSubBlocks();
      } else if (label == 0xF9) {
        // Block size, packed fields (bit 0: transparency), delay, transparent index.
        if (Has(7)) FPendingTransparent = (FData[FPos + 3] & 1) ? FData[FPos + 6] : -1;
        Advance(2 + 6);
      } else if (label == 0xFF) {
        Advance(2);
        if (Has(12) && std::memcmp(&FData[FPos + 1], "NETSCAPE", 8) == 0 &&
            std::memcmp(&FData[FPos + 9], "2.0", 3) == 0)
          Advance(17);
        else
          SkipSubBlocks();
      } else {
        break;
      }
    } else if (block == 0x2C) {
      ++FImageCount;
      const bool requested = FImageCount == FRequested && !FFound;
      FImage = TImage{};
      FImage.TransparentIndex = FPendingTransparent;
      FPendingTransparent = -1;  // a graphic control block governs the next image only
      if (!ReadImageDescriptor(requested && FDecodeMode)) break;
      if (requested) {
        FRequestedWidth = FImage.Width;
        FRequestedHeight = FImage.Height;
        FFound = true;
      }
      FGlobalBits = std::max(FGlobalBits, FImage.LocalBits);
      FAnyInterlaced = FAnyInterlaced || FImage.Interlaced;
    } else if (block == 0x3B) {
      FPos = FData.size();
      break;
    } else {
      break;
    }
    if (FPos == start) break;
  }
  return true;
}

bool TGIFParse::ReadImageDescriptor(bool decode) {
  if (!Has(10)) {
    // A descriptor cut off by the end of the file is no image.
    --FImageCount;
    return false;
  }
  const std::uint8_t* d = FData.data() + FPos;
  if (d[0] != 0x2C) return false;
  FImage.Left = GetLE16(d + 1);
  FImage.Top = GetLE16(d + 3);
  FImage.Width = GetLE16(d + 5);
  FImage.Height = GetLE16(d + 7);
  const std::uint8_t packed = d[9];
  Advance(10);
  if (packed & 0x80) {
    FImage.LocalTable = true;
    FImage.LocalBits = (packed & 7) + 1;
    FImage.EffectiveBits = FImage.LocalBits;
    const std::size_t bytes = std::size_t{3} << FImage.LocalBits;
    if (decode) {
      std::memset(FPalette, 0, sizeof FPalette);
      std::memcpy(FPalette, FData.data() + FPos, std::min(bytes, FData.size() - FPos));
    }
    Advance(bytes);
  } else {
    std::memcpy(FPalette, FGlobalPalette, sizeof FPalette);
    FImage.EffectiveBits = FGlobalBits;
  }
  FImage.Interlaced = (packed & 0x40) != 0;

  if (decode) {
    TPixelGraphic& target = *FTarget;
    const TPixelFormat format = FormatForBits(FImage.EffectiveBits, FTrueColor);
    if (FImage.Width == 0 || FImage.Height == 0)
      throw EPixelGraphic("GIF: " + PGMessage(pgmZeroSize));
    if (!PGStorageIsPlausible(static_cast<std::uint64_t>(FImage.Width),
                              static_cast<std::uint64_t>(FImage.Height), BitCountOf(format),
                              static_cast<std::int64_t>(FData.size() - FPos), GIFMaxExpansion))
      throw EPixelGraphic("GIF: " + PGMessage(pgmOutOfRange, "Image size"));
    target.SetSize(FImage.Width, FImage.Height, format);
    if (!FTrueColor) {
      const int count = std::max(1, 1 << FImage.EffectiveBits);
      target.SetPaletteCount(count);
      for (int i = 0; i < count; ++i)
        target.SetPaletteColor(i, RGBColor(FPalette[3 * i], FPalette[3 * i + 1], FPalette[3 * i + 2]));
    }
    DecodeImageData();
  } else {
    Advance(1);
    while (FPos < FData.size() && FData[FPos] != 0) Advance(std::size_t{1} + FData[FPos]);
    while (FPos < FData.size() && FData[FPos] == 0) ++FPos;
  }
  return true;
}

void TGIFParse::DecodeImageData() {
  TPixelGraphic& target = *FTarget;
  const int width = FImage.Width;
  const int height = FImage.Height;
  TGIFLzwDecoder decoder(FData.data(), FData.size(), FPos);
  auto table = std::make_unique<TTrueColorTable>();
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width));
  if (FTrueColor) {
    table->Build(FPalette, FImage.TransparentIndex, FBackground);
    // Pixels the data never reaches show index 0, as they do in a palette result.
    for (int y = 0; y < height; ++y) StoreRow(target, y, row.data(), width, *table);
  }
  if (decoder.Start()) {
    static constexpr int kPassStart[4] = {0, 4, 2, 1};
    static constexpr int kPassStep[4] = {8, 8, 4, 2};
    int pass = 0;
    int y = 0;
    int rowsDone = 0;
    for (;;) {
      const std::size_t n = decoder.Decode(row.data(), row.size());
      StoreRow(target, y, row.data(), static_cast<int>(n), *table);
      if (n < row.size()) break;  // the data ended inside this row
      ++rowsDone;
      if (target.Progress(rowsDone, height - 1)) {
        FAbort = true;
        return;
      }
      if (FImage.Interlaced) {
        y += kPassStep[pass];
        while (y >= height && ++pass < 4) y = kPassStart[pass];
        if (pass >= 4) break;
      } else if (++y >= height) {
        break;
      }
    }
  }
  // Whatever data is left belongs to this image: move past its terminator.
  FPos = decoder.SkipToTerminator();
}

}  // namespace

void tGifFileFormatReader::ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                                          const TPGFormatContext& context) const {
  TPGProgressScope progress(graphic);
  graphic.Gamma = context.ScreenGamma;
  TGIFParse parse(ReadRest(stream), index + 1, &graphic);
  if (context.Settings.GIFReadTrueColor) parse.AskTrueColor(graphic.BackGroundRGB());
  if (!parse.Parse()) throw EPGSilentAbort("Not a proper GIF file");
  if (parse.Requested() > parse.ImageCount() || parse.Requested() < 1)
    throw EPixelGraphic("Index out of bounds");
}

TPGFileInfo tGifFileFormatReader::GetInfo(TPGStream& stream, int index,
                                          const TPGFormatContext& context) const {
  TPGFileInfo info = TFileFormatReader::GetInfo(stream, index, context);
  TGIFParse parse(ReadRest(stream), index + 1, nullptr);
  if (!parse.Parse()) throw EPixelGraphic("Not a proper GIF file");
  if (parse.Requested() > parse.ImageCount() || parse.Requested() < 1)
    throw EPixelGraphic("Index out of bounds");
  info.ImageCount = parse.ImageCount();
  info.Width = parse.RequestedWidth();
  info.Height = parse.RequestedHeight();
  info.BitsPerPixel = parse.EffectiveBits();
  info.ColorsText = std::to_string(1 << parse.EffectiveBits());
  info.DescriptionText = parse.AnyInterlaced() ? "Interlaced" : "Non-interlaced";
  info.VersionText = parse.Version();
  return info;
}
