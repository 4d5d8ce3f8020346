#include "imaging/formats/TIFFLibtiff.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "imaging/formats/AlphaComposite.h"
#include "imaging/PGMessageIds.h"
#include "imaging/formats/FormatContext.h"
#include "imaging/formats/TIFFDirectory.h"

namespace {

constexpr std::uint32_t PackBits = 32773;

// Our reader's refusals that mean "a variant it does not decode" rather than damage.
bool IsUnsupportedVariant(const std::string& message) {
  return message == "TIFF: Invalid SamplesPerPixel" ||
         message == "TIFF: Invalid count of SamplesPerPixel" ||
         message.rfind("TIFF: PlanarConfiguration", 0) == 0;
}

enum class TRoute { Ours, Libtiff, LibtiffIfTiled };

// Whether the file is for libtiff: our parse succeeds but the compression is one it does not
// decode or there are no strips (tiles, which only libtiff can tell), or the parse refuses the
// sample layout.
TRoute ChooseRoute(TPGStream& stream, int index, const TPGFormatSettings& settings) {
  const std::int64_t start = stream.Position();
  TRoute route = TRoute::Ours;
  try {
    const TTIFFDirectory d = ReadTIFFDirectory(stream, index, settings);
    if (d.Compression != 1 && d.Compression != PackBits) route = TRoute::Libtiff;
    else if (d.StripOffsets.empty()) route = TRoute::LibtiffIfTiled;
  } catch (const EPGTIFFileFormatReader& e) {
    if (IsUnsupportedVariant(e.what())) route = TRoute::Libtiff;
  }
  stream.Seek(start);
  return route;
}

// libtiff reads the stream through these; offsets count from the TIFF header.
struct TClient {
  TPGStream* Stream;
  std::int64_t Base;
  std::string Error;
  bool MayMap = false;               // uncompressed tiles: libtiff reads them from a mapping
  std::vector<std::uint8_t> Mapped;  // the TIFF data, handed to libtiff as its file mapping
  std::string Warning;               // the last warning, said when a read fails without error
};

tsize_t ClientRead(thandle_t h, tdata_t buffer, tsize_t n) {
  auto* c = static_cast<TClient*>(h);
  return static_cast<tsize_t>(c->Stream->Read(buffer, static_cast<std::size_t>(n)));
}
tsize_t ClientWrite(thandle_t, tdata_t, tsize_t) { return 0; }
toff_t ClientSeek(thandle_t h, toff_t offset, int whence) {
  auto* c = static_cast<TClient*>(h);
  std::int64_t target = static_cast<std::int64_t>(offset);
  if (whence == SEEK_CUR) target += c->Stream->Position() - c->Base;
  if (whence == SEEK_END) target += c->Stream->Size() - c->Base;
  if (target < 0) return static_cast<toff_t>(-1);
  c->Stream->Seek(c->Base + target);
  return static_cast<toff_t>(target);
}
int ClientClose(thandle_t) { return 0; }
toff_t ClientSize(thandle_t h) {
  auto* c = static_cast<TClient*>(h);
  return static_cast<toff_t>(std::max<std::int64_t>(c->Stream->Size() - c->Base, 0));
}
// libtiff 4.5.0 refuses uncompressed tiles read through the read procedure ("Invalid tile
// byte count"); from a mapping it reads them. For such files (no strips, our compressions) the
// data is read into memory once, up to 1 GiB; every other file is read through ClientRead.
int ClientMap(thandle_t h, tdata_t* base, toff_t* size) {
  auto* c = static_cast<TClient*>(h);
  if (!c->MayMap) return 0;
  if (c->Mapped.empty()) {
    const std::int64_t n = c->Stream->Size() - c->Base;
    if (n <= 0 || n > (std::int64_t{1} << 30)) return 0;
    const std::int64_t keep = c->Stream->Position();
    c->Mapped.resize(static_cast<std::size_t>(n));
    c->Stream->Seek(c->Base);
    if (!c->Stream->ReadFull(c->Mapped.data(), c->Mapped.size())) c->Mapped.clear();
    c->Stream->Seek(keep);
    if (c->Mapped.empty()) return 0;
  }
  *base = c->Mapped.data();
  *size = static_cast<toff_t>(c->Mapped.size());
  return 1;
}
void ClientUnmap(thandle_t, tdata_t, toff_t) {}

// The first error of a handle is kept for the message; warnings (unknown tags and the like)
// are dropped.
int OnError(TIFF*, void* user, const char* module, const char* format, va_list args) {
  auto* c = static_cast<TClient*>(user);
  if (c->Error.empty()) {
    char text[256];
    std::vsnprintf(text, sizeof text, format, args);
    c->Error = text;
    (void)module;
  }
  return 1;
}
int OnWarning(TIFF*, void* user, const char*, const char* format, va_list args) {
  char text[256];
  std::vsnprintf(text, sizeof text, format, args);
  static_cast<TClient*>(user)->Warning = text;
  return 1;
}

// Why a read failed: the error, else the last warning, else the data ended.
std::string FailureText(const TClient& client) {
  if (!client.Error.empty()) return client.Error;
  return client.Warning.empty() ? PGMessage(pgmUnexpectedEnd) : client.Warning;
}

struct TIFFCloser {
  void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TTIFFHandle = std::unique_ptr<TIFF, TIFFCloser>;

TTIFFHandle OpenClient(TClient& client) {
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  TIFFOpenOptionsSetErrorHandlerExtR(options, OnError, &client);
  TIFFOpenOptionsSetWarningHandlerExtR(options, OnWarning, &client);
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t{1} << 30);
  TIFF* tif = TIFFClientOpenExt("TIFF", "r", &client, ClientRead, ClientWrite, ClientSeek,
                                ClientClose, ClientSize, ClientMap, ClientUnmap, options);
  TIFFOpenOptionsFree(options);
  return TTIFFHandle(tif);
}

// Damaged or missing data: what was read is shown after a warning the image's warning action
// may turn into a refusal.
void WarnDamaged(const TPixelGraphic& graphic, const TPGFormatContext& context,
                 const TClient& client) {
  const std::string text = FailureText(client);
  if (context.AskWarning(graphic.ReadWarningAction, "TIFF-Warning", "TIFF: " + text) != pgwGoOn)
    RaiseTIFF(text);
}

[[noreturn]] void RaiseLibtiff(const TClient& client) {
  RaiseTIFF(client.Error.empty() ? PGMessage(pgmUnexpectedEnd) : client.Error);
}

struct TLayout {
  std::uint32_t Width = 0, Height = 0;
  std::uint16_t Bits = 1, Samples = 1, Photometric = 1, Planar = 1, Compression = 1;
  bool Tiled = false;
  bool SamplesTagSet = false;
  std::uint16_t ExtraCount = 0;
  std::uint16_t FirstExtra = 0;  // 1 associated alpha, 2 unassociated alpha
};

TLayout ReadLayout(TIFF* tif) {
  TLayout l;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &l.Width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &l.Height);
  TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &l.Bits);
  std::uint16_t samples = 1;
  l.SamplesTagSet = TIFFGetField(tif, TIFFTAG_SAMPLESPERPIXEL, &samples) != 0;
  TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &l.Samples);
  if (!TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &l.Photometric))
    l.Photometric = l.Samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &l.Planar);
  TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &l.Compression);
  l.Tiled = TIFFIsTiled(tif) != 0;
  std::uint16_t* extra = nullptr;
  if (TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &l.ExtraCount, &extra) && l.ExtraCount > 0)
    l.FirstExtra = extra[0];
  return l;
}

// One sample per pixel of 1, 2, 4 or 8 bits, grey or palette, in strips: read row by row
// into the matching palette format.
bool FitsScanlines(const TLayout& l) {
  return l.Samples == 1 && !l.Tiled &&
         (l.Bits == 1 || l.Bits == 2 || l.Bits == 4 || l.Bits == 8) &&
         (l.Photometric == PHOTOMETRIC_MINISWHITE || l.Photometric == PHOTOMETRIC_MINISBLACK ||
          l.Photometric == PHOTOMETRIC_PALETTE);
}

// Whether the fourth sample of 8-bit RGB is alpha this reader blends itself (as our own
// reader does), rather than through libtiff's premultiplied RGBA.
bool HasBlendedAlpha(const TLayout& l) {
  return l.Samples == 4 && l.ExtraCount == 1 && (l.FirstExtra == 1 || l.FirstExtra == 2);
}

// 8-bit RGB, with or without alpha, in strips of one plane (LZW, Deflate...): row by row into
// the 24-bit storage, without a whole-picture RGBA copy.
bool FitsRGBScanlines(const TLayout& l) {
  return (l.Samples == 3 || HasBlendedAlpha(l)) && l.Bits == 8 && !l.Tiled && l.Photometric == PHOTOMETRIC_RGB &&
         l.Planar == PLANARCONFIG_CONTIG && l.Compression != COMPRESSION_JPEG &&
         l.Compression != COMPRESSION_OJPEG;
}

void SetScanlinePalette(TIFF* tif, const TLayout& l, TPixelGraphic& graphic) {
  const int count = 1 << l.Bits;
  std::uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
  if (l.Photometric == PHOTOMETRIC_PALETTE &&
      TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue)) {
    graphic.SetPaletteCount(count);
    for (int i = 0; i < count; ++i)
      graphic.SetPaletteColor(i, RGBColor(red[i] >> 8, green[i] >> 8, blue[i] >> 8));
    return;
  }
  // Grey levels, black first (white-is-zero rows are inverted while they are read).
  if (l.Bits == 1) return graphic.SetPaletteIdent(pBlackWhite);
  if (l.Bits == 4) return graphic.SetPaletteIdent(pGray16);
  if (l.Bits == 8) return graphic.SetPaletteIdent(pGray256);
  graphic.SetPaletteCount(4);
  for (int i = 0; i < 4; ++i) graphic.SetPaletteColor(i, RGBColor(85 * i, 85 * i, 85 * i));
}

// Moves one file row of 1, 2, 4 or 8-bit samples into storage row `out`.
void ConvertScanline(const TLayout& l, const std::uint8_t* in, std::uint8_t* out, int width) {
  const bool invert = l.Photometric == PHOTOMETRIC_MINISWHITE;
  const int mask = (1 << l.Bits) - 1;
  if (l.Bits == 2) {
    for (int x = 0; x < width; ++x) {
      int v = (in[x / 4] >> (6 - 2 * (x % 4))) & 3;
      if (invert) v = 3 - v;
      out[x / 2] = static_cast<std::uint8_t>(x % 2 ? (out[x / 2] & 0xF0) | v
                                                   : (out[x / 2] & 0x0F) | (v << 4));
    }
    return;
  }
  const std::size_t bytes = (static_cast<std::size_t>(width) * l.Bits + 7) / 8;
  for (std::size_t i = 0; i < bytes; ++i)
    out[i] = invert ? static_cast<std::uint8_t>(~in[i]) : in[i];
  // Bits beyond the last pixel are cleared.
  const int used = static_cast<int>((static_cast<std::size_t>(width) * l.Bits) % 8);
  if (used) out[bytes - 1] &= static_cast<std::uint8_t>(0xFF00 >> used);
  (void)mask;
}

void ReadScanlines(TIFF* tif, const TLayout& l, TClient& client, TPixelGraphic& graphic,
                   TRGB background, const TPGFormatContext& context) {
  const bool rgb = l.Samples >= 3;
  const TPixelFormat format =
      rgb ? pf24Bit : l.Bits == 1 ? pf1Bit : l.Bits == 8 ? pf8Bit : pf4Bit;
  graphic.SetSize(static_cast<int>(l.Width), static_cast<int>(l.Height), format);
  if (!rgb) SetScanlinePalette(tif, l, graphic);
  if (graphic.Empty()) return;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(TIFFScanlineSize(tif)) + 4);
  const int height = graphic.Height();
  TPGProgressScope progress(graphic);
  for (int y = 0; y < height; ++y) {
    if (TIFFReadScanline(tif, row.data(), static_cast<std::uint32_t>(y), 0) < 0) {
      // Damaged or missing data: the rows read so far are shown after a warning.
      WarnDamaged(graphic, context, client);
      return;
    }
    if (l.Samples == 4) {
      PGCompositeRGBARow(l.FirstExtra == 1, row.data(), graphic.ScanLine(y), graphic.Width(),
                         background);
    } else if (rgb) {
      const std::uint8_t* in = row.data();
      std::uint8_t* out = graphic.ScanLine(y);
      for (int x = 0; x < graphic.Width(); ++x, in += 3, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
      }
    } else {
      ConvertScanline(l, row.data(), graphic.ScanLine(y), graphic.Width());
    }
    if (graphic.Progress(y, height)) break;
  }
}

// Everything else through libtiff's RGBA reading, which also blends associated and
// unassociated alpha (its colours come premultiplied); grey pictures stay grey.
void ReadRGBA(TIFF* tif, const TLayout& l, TClient& client, TPixelGraphic& graphic,
              TRGB background, const TPGFormatContext& context) {
  const bool grey = (l.Photometric == PHOTOMETRIC_MINISBLACK ||
                     l.Photometric == PHOTOMETRIC_MINISWHITE) &&
                    l.Samples <= 2;
  graphic.SetSize(static_cast<int>(l.Width), static_cast<int>(l.Height), grey ? pf8Bit : pf24Bit);
  if (grey) graphic.SetPaletteIdent(pGray256);
  if (graphic.Empty()) return;
  // Layouts libtiff's RGBA reading cannot take are refused with its reason.
  char reason[1024] = {};
  if (!TIFFRGBAImageOK(tif, reason)) RaiseTIFF(reason);
  std::vector<std::uint32_t> raster(static_cast<std::size_t>(l.Width) * l.Height);
  TPGProgressScope progress(graphic);
  const bool complete = TIFFReadRGBAImageOriented(tif, l.Width, l.Height, raster.data(),
                                                  ORIENTATION_TOPLEFT, 0) != 0;
  // Refused allocations and layouts libtiff turns down while reading are not damage to show
  // around: nothing was read.
  if (!complete && (client.Error.rfind("Memory allocation", 0) == 0 ||
                    client.Error.rfind("Sorry, can not handle", 0) == 0))
    RaiseTIFF(client.Error);
  const unsigned greyLevel =
      static_cast<unsigned>(RedOf(background) + GreenOf(background) + BlueOf(background)) / 3;
  auto over = [](unsigned premultiplied, unsigned alpha, unsigned bg) {
    return static_cast<std::uint8_t>(
        std::min(255u, premultiplied + PGCompositeChannel(0, alpha, bg)));
  };
  for (int y = 0; y < graphic.Height(); ++y) {
    std::uint8_t* out = graphic.ScanLine(y);
    const std::uint32_t* in = raster.data() + static_cast<std::size_t>(y) * l.Width;
    for (std::uint32_t x = 0; x < l.Width; ++x) {
      const std::uint32_t p = in[x];
      const unsigned a = TIFFGetA(p);
      if (grey) {
        out[x] = over(TIFFGetR(p), a, greyLevel);
      } else {
        out[3 * x] = over(TIFFGetB(p), a, static_cast<unsigned>(BlueOf(background)));
        out[3 * x + 1] = over(TIFFGetG(p), a, static_cast<unsigned>(GreenOf(background)));
        out[3 * x + 2] = over(TIFFGetR(p), a, static_cast<unsigned>(RedOf(background)));
      }
    }
  }
  graphic.Progress(graphic.Height() - 1, graphic.Height());
  if (!complete)
    WarnDamaged(graphic, context, client);
}

}  // namespace

bool ReadTIFFThroughLibtiff(TPGStream& stream, TPixelGraphic& graphic, int index,
                            const TPGFormatContext& context) {
  const std::int64_t start = stream.Position();
  const TRoute route = ChooseRoute(stream, index, context.Settings);
  if (route == TRoute::Ours) return false;
  TClient client{&stream, start, {}, route == TRoute::LibtiffIfTiled, {}, {}};
  TTIFFHandle tif = OpenClient(client);
  if (!tif || !TIFFSetDirectory(tif.get(), static_cast<tdir_t>(index))) {
    if (route != TRoute::LibtiffIfTiled) RaiseLibtiff(client);
    stream.Seek(start);
    return false;
  }
  const TLayout l = ReadLayout(tif.get());
  // Files without SamplesPerPixel in our own compressions, and strip files without strips,
  // stay refused by our reader.
  const bool ownCompression = l.Compression == COMPRESSION_NONE || l.Compression == PackBits;
  if ((!l.SamplesTagSet && ownCompression) || (route == TRoute::LibtiffIfTiled && !l.Tiled)) {
    stream.Seek(start);
    return false;
  }
  const TPixelFormat format = FitsScanlines(l) && l.Bits == 1 ? pf1Bit : pf24Bit;
  if (l.Width > 0x7FFFFFFF || l.Height > 0x7FFFFFFF ||
      !PGStorageIsPlausible(l.Width, l.Height, BitCountOf(format), stream.Size() - start,
                            format == pf1Bit ? 8192.0 : 4096.0))
    RaiseTIFF(PGMessage(pgmOutOfRange, "Image size"));
  const TRGB background = graphic.BackGroundRGB();
  graphic.Gamma = context.ScreenGamma;
  if (FitsScanlines(l) || FitsRGBScanlines(l))
    ReadScanlines(tif.get(), l, client, graphic, background, context);
  else
    ReadRGBA(tif.get(), l, client, graphic, background, context);
  return true;
}

bool DescribeTIFFThroughLibtiff(TPGStream& stream, int index, const TPGFormatContext& context,
                                TPGFileInfo& info) {
  const std::int64_t start = stream.Position();
  const TRoute route = ChooseRoute(stream, index, context.Settings);
  if (route == TRoute::Ours) return false;
  int imageCount = 1;
  try {
    imageCount = ReadTIFFDirectory(stream, 0, context.Settings).ImageCount;
  } catch (const EPixelGraphic&) {
  }
  stream.Seek(start);
  TClient client{&stream, start, {}, false, {}, {}};
  TTIFFHandle tif = OpenClient(client);
  if (!tif || !TIFFSetDirectory(tif.get(), static_cast<tdir_t>(index))) {
    if (route != TRoute::LibtiffIfTiled) RaiseLibtiff(client);
    stream.Seek(start);
    return false;
  }
  const TLayout l = ReadLayout(tif.get());
  if (route == TRoute::LibtiffIfTiled && !l.Tiled) {
    stream.Seek(start);
    return false;
  }
  info.ImageCount = imageCount;
  info.Width = static_cast<int>(std::min<std::uint32_t>(l.Width, 0x7FFFFFFF));
  info.Height = static_cast<int>(std::min<std::uint32_t>(l.Height, 0x7FFFFFFF));
  info.BitsPerPixel = l.Bits * l.Samples;
  info.ColorsText = info.BitsPerPixel > 23 ? "16.7 M" : std::to_string(1L << info.BitsPerPixel);
  std::string version = TIFFIsBigEndian(tif.get()) ? "M, " : "I, ";
  switch (l.Compression) {
    case COMPRESSION_NONE: version += "Uncompr."; break;
    case COMPRESSION_CCITTRLE: version += "CCITT 1D"; break;
    case COMPRESSION_CCITTFAX3: version += "Group 3 F."; break;
    case COMPRESSION_CCITTFAX4: version += "Group 4 F."; break;
    case COMPRESSION_LZW: version += "LZW"; break;
    case COMPRESSION_OJPEG:
    case COMPRESSION_JPEG: version += "JPEG"; break;
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE: version += "Deflate"; break;
    case PackBits: version += "PackBits"; break;
    default: version += "Compression " + std::to_string(l.Compression); break;
  }
  switch (l.Photometric) {
    case PHOTOMETRIC_MINISWHITE: version += ", WhiteIsZero"; break;
    case PHOTOMETRIC_MINISBLACK: version += ", BlackIsZero"; break;
    case PHOTOMETRIC_RGB: version += ", RGB"; break;
    case PHOTOMETRIC_PALETTE: version += ", RGB Palette"; break;
    case PHOTOMETRIC_SEPARATED: version += ", CMYK"; break;
    case PHOTOMETRIC_YCBCR: version += ", YCbCr"; break;
    case PHOTOMETRIC_CIELAB: version += ", CIELab"; break;
    default: version += ", Photometric " + std::to_string(l.Photometric); break;
  }
  info.VersionText = version;
  std::string layout = l.Tiled ? "Tiled" : "";
  if (l.Planar == PLANARCONFIG_SEPARATE) layout += layout.empty() ? "Planar" : ", Planar";
  if (l.ExtraCount > 0) {
    const std::string kind = TIFFExtraSamplesText(l.FirstExtra);
    layout += layout.empty() ? kind : ", " + kind;
  }
  info.DescriptionText = layout.empty() ? "" : "(" + layout + ")";
  stream.Seek(start);
  return true;
}
