// Storage, palette, settings and change notification of TPixelGraphic.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "imaging/ColorCache.h"
#include "imaging/DitherState.h"
#include "imaging/PGMessageIds.h"
#include "imaging/PGraphic.h"
#include "imaging/StandardPalettes.h"

namespace {

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kColorsUsedOffset = 32;

void PutLE32(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
  p[2] = static_cast<std::uint8_t>(v >> 16);
  p[3] = static_cast<std::uint8_t>(v >> 24);
}

bool SamePalette(const std::vector<TRGB>& palette, TPaletteIdent ident) {
  const auto standard = StandardPalette(ident);
  return palette.size() == standard.size() &&
         std::equal(palette.begin(), palette.end(), standard.begin());
}

}  // namespace

TPixelGraphic::TPixelGraphic() : Gamma(ScreenGamma) {}

TPixelGraphic::~TPixelGraphic() {
  FSurface.reset();
  FreeStorage();
}

// ---- storage -------------------------------------------------------------------------------

// Large pictures (a few megabytes up to photo sizes) get zero pages of their own, aligned for
// huge pages, so that the first write into a freshly loaded picture costs far fewer page
// faults. Beyond 256 MB the kernel's search for huge pages can stall far longer than it saves.
void TPixelGraphic::AllocateStorage(std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::size_t kHuge = std::size_t{2} << 20;
  if (bytes >= 2 * kHuge && bytes <= (std::size_t{256} << 20)) {
    const std::size_t length = bytes + kHuge;
    void* base = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) return;
    const auto aligned = (reinterpret_cast<std::uintptr_t>(base) + kHuge - 1) & ~(kHuge - 1);
    madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
    FStorageBase = base;
    FStorageLength = length;
    FBits = reinterpret_cast<std::uint8_t*>(aligned);
    return;
  }
#endif
  FBits = static_cast<std::uint8_t*>(std::calloc(bytes, 1));
  FStorageBase = FBits;
  FStorageLength = 0;
}

void TPixelGraphic::FreeStorage() {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  if (FStorageLength != 0) munmap(FStorageBase, FStorageLength);
  else
#endif
    std::free(FStorageBase);
  FStorageBase = nullptr;
  FStorageLength = 0;
  FBits = nullptr;
}

// ---- drawing surface -------------------------------------------------------------------------

void TPixelGraphic::AttachDrawingSurface(std::unique_ptr<TPGDrawingSurface> surface) {
  FlushDrawing();
  FSurface = std::move(surface);
  FSurfacePending = false;
}

void TPixelGraphic::FlushDrawing() const {
  // Reads only, unless output is pending: readers on other threads share an idle image.
  if (!FSurfacePending) return;
  FSurfacePending = false;
  if (FSurface) FSurface->Flush();
}

void TPixelGraphic::ReleaseDrawingSurface() {
  FlushDrawing();
  FSurface.reset();
}

// ---- size and format -------------------------------------------------------------------------

void TPixelGraphic::SetSize(int width, int height, TPixelFormat format) {
  if (width < 0) PGRaise<EPGInvalidSize>(pgmNegativeWidth);
  if (height < 0) PGRaise<EPGInvalidSize>(pgmNegativeHeight);
  if (width == FWidth && height == FHeight && format == FPixelFormat) {
    Clear();
    return;
  }
  FWidth = width;
  FHeight = height;
  FPixelFormat = format;
  ReleaseDrawingSurface();
  FreeStorage();
  FInfo.clear();

  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(BitCount()) * width + 31) / 32 * 4;
  FRowBytes = static_cast<std::size_t>(rowBytes);
  const std::uint64_t imageSize = rowBytes * static_cast<std::uint64_t>(height);
  // Even an empty size settles the palette: a 24-bit image has none.
  if (MaxPaletteCount() < PaletteCount()) SetPaletteCount(MaxPaletteCount());
  if (format == pf24Bit && FPaletteIdent != pTrueColor) {
    FPaletteIdent = pTrueColor;
    PaletteChanged();
  }
  if (imageSize != 0) {
    // rowBytes < 2^31 and height < 2^31, so the product cannot wrap in 64 bits.
    if (imageSize >= PGMaxImageBytes) PGRaise(31, "CreateDIBSection");
    AllocateStorage(static_cast<std::size_t>(imageSize));
    if (!FBits) PGRaise(31, "CreateDIBSection");
    const int maxCount = MaxPaletteCount();
    FInfo.assign(kInfoHeaderSize + 4 * static_cast<std::size_t>(maxCount), 0);
    std::uint8_t* h = FInfo.data();
    PutLE32(h, kInfoHeaderSize);
    PutLE32(h + 4, static_cast<std::uint32_t>(width));
    PutLE32(h + 8, static_cast<std::uint32_t>(height));
    h[12] = 1;
    h[14] = static_cast<std::uint8_t>(BitCount());
    PutLE32(h + 20, static_cast<std::uint32_t>(imageSize));
    PutLE32(h + kColorsUsedOffset, static_cast<std::uint32_t>(maxCount));
    for (int i = 0; i < maxCount; ++i) {
      const TRGB c = i < PaletteCount() ? FPalette[i] : (FPalette.empty() ? 0 : FPalette[0]);
      WriteColorTableEntry(i, c);
    }
  }
  Changed();
}

void TPixelGraphic::SetWidth(int width) {
  if (width != FWidth) SetSize(width, FHeight, FPixelFormat);
}

void TPixelGraphic::SetHeight(int height) {
  if (height != FHeight) SetSize(FWidth, height, FPixelFormat);
}

void TPixelGraphic::SetPixelFormat(TPixelFormat format) {
  if (format != FPixelFormat) SetSize(FWidth, FHeight, format);
}

void TPixelGraphic::Clear() {
  FlushDrawing();
  if (!FBits) return;
  if (FBackGroundColor == 0) {
    std::memset(FBits, 0, ImageSize());
  } else if (FPixelFormat == pf8Bit) {
    for (int y = 0; y < FHeight; ++y)
      std::memset(ScanLine(y), static_cast<int>(FBackGroundColor & 0xFF),
                  static_cast<std::size_t>(FWidth));
  } else if (FPixelFormat == pf24Bit) {
    const std::uint8_t bgr[3] = {static_cast<std::uint8_t>(BlueOf(FBackGroundColor)),
                                 static_cast<std::uint8_t>(GreenOf(FBackGroundColor)),
                                 static_cast<std::uint8_t>(RedOf(FBackGroundColor))};
    for (int y = 0; y < FHeight; ++y) {
      std::uint8_t* p = ScanLine(y);
      for (int x = 0; x < FWidth; ++x, p += 3) std::memcpy(p, bgr, 3);
    }
  } else {
    for (int y = 0; y < FHeight; ++y)
      for (int x = 0; x < FWidth; ++x) SetPixel(x, y, FBackGroundColor);
  }
  Changed();
}

// ---- pixels ----------------------------------------------------------------------------------

std::uint8_t* TPixelGraphic::ScanLine(int y) {
  FlushDrawing();
  return FBits ? FBits + RowOffset(y) : nullptr;
}

const std::uint8_t* TPixelGraphic::ScanLine(int y) const {
  FlushDrawing();
  return FBits ? FBits + RowOffset(y) : nullptr;
}

std::uint8_t* TPixelGraphic::Bits() {
  FlushDrawing();
  return FBits;
}

const std::uint8_t* TPixelGraphic::Bits() const {
  FlushDrawing();
  return FBits;
}

TRGB TPixelGraphic::Pixel(int x, int y) const {
  if (!Contains(x, y)) {
    if (RaiseOutOfRange) PGRaise<EPGXYIndexOutOfRange>(pgmXYIndexOutOfRange);
    return FBackGroundColor;
  }
  FlushDrawing();
  const std::uint8_t* row = FBits + RowOffset(y);
  switch (FPixelFormat) {
    case pf1Bit: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case pf4Bit: return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    case pf8Bit: return row[x];
    default: {
      const std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
      return RGBColor(p[2], p[1], p[0]);
    }
  }
}

void TPixelGraphic::SetPixel(int x, int y, TRGB value) {
  if (!Contains(x, y)) {
    if (RaiseOutOfRange) PGRaise<EPGXYIndexOutOfRange>(pgmXYIndexOutOfRange);
    return;
  }
  FlushDrawing();
  std::uint8_t* row = FBits + RowOffset(y);
  switch (FPixelFormat) {
    case pf1Bit: {
      const std::uint8_t mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
      if (value == 1)
        row[x >> 3] |= mask;
      else
        row[x >> 3] &= static_cast<std::uint8_t>(~mask);
      break;
    }
    case pf4Bit: {
      std::uint8_t& b = row[x >> 1];
      if (x & 1)
        b = static_cast<std::uint8_t>((b & 0xF0) | (value & 0x0F));
      else
        b = static_cast<std::uint8_t>((b & 0x0F) | ((value & 0x0F) << 4));
      break;
    }
    case pf8Bit: row[x] = static_cast<std::uint8_t>(value); break;
    default: {
      std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
      p[0] = static_cast<std::uint8_t>(BlueOf(value));
      p[1] = static_cast<std::uint8_t>(GreenOf(value));
      p[2] = static_cast<std::uint8_t>(RedOf(value));
      break;
    }
  }
}

TRGB TPixelGraphic::PixelColor(int x, int y) const {
  const TRGB raw = Pixel(x, y);
  if (FPixelFormat == pf24Bit) return raw;
  return PaletteColor(static_cast<int>(raw));
}

void TPixelGraphic::SetPixelColor(int x, int y, TRGB color) {
  if (FPixelFormat == pf24Bit)
    SetPixel(x, y, color);
  else
    SetPixel(x, y, ColorToIndex(color));
}

// ---- palette ---------------------------------------------------------------------------------

void TPixelGraphic::WriteColorTableEntry(int index, TRGB color) {
  // The header exists only while there is storage.
  if (FInfo.empty() || index < 0 || index >= MaxPaletteCount()) return;
  std::uint8_t* e = FInfo.data() + kInfoHeaderSize + 4 * static_cast<std::size_t>(index);
  e[0] = static_cast<std::uint8_t>(BlueOf(color));
  e[1] = static_cast<std::uint8_t>(GreenOf(color));
  e[2] = static_cast<std::uint8_t>(RedOf(color));
  e[3] = 0;
}

void TPixelGraphic::PaletteChanged() {
  FMemoValid = false;
  ++FPaletteGeneration;
  FreeColorCache();
}

void TPixelGraphic::SetPaletteCountInternal(int count) {
  if (count < 0) count = 0;
  if (count != PaletteCount()) {
    ReleaseDrawingSurface();
    FPalette.resize(static_cast<std::size_t>(count), 0);
    FPaletteIdent = count > 0 ? pUnknown : pNone;
    if (!FInfo.empty())
      PutLE32(FInfo.data() + kColorsUsedOffset,
              static_cast<std::uint32_t>(std::min(count, MaxPaletteCount())));
  }
  PaletteChanged();
}

void TPixelGraphic::SetPaletteCount(int count) { SetPaletteCountInternal(count); }

TRGB TPixelGraphic::PaletteColor(int index) const {
  if (FPaletteIdent == pTrueColor) return static_cast<TRGB>(index);
  if (index < 0 || index >= PaletteCount()) PGRaise<EPGInvalidPaletteIndex>(pgmInvalidPaletteIndex);
  return FPalette[static_cast<std::size_t>(index)];
}

void TPixelGraphic::SetPaletteColor(int index, TRGB color) {
  if (FPaletteIdent == pNone || FPaletteIdent == pTrueColor) PGRaise<EPGNoPalette>(pgmNoPalette);
  if (index < 0 || index >= PaletteCount()) PGRaise<EPGInvalidPaletteIndex>(pgmInvalidPaletteIndex);
  ReleaseDrawingSurface();
  WriteColorTableEntry(index, color);
  FPalette[static_cast<std::size_t>(index)] = color & 0xFFFFFF;
  FPaletteIdent = pUnknown;
  PaletteChanged();
}

void TPixelGraphic::SetPaletteIdent(TPaletteIdent ident) {
  if (ident == FPaletteIdent) return;
  switch (ident) {
    case pNone:
    case pTrueColor:
      SetPaletteCount(0);
      FPaletteIdent = ident;
      break;
    case pUnknown: FPaletteIdent = ident; break;
    case pOptimized252Sys16:
    case pSource: break;
    default: {
      const auto entries = StandardPalette(ident);
      SetPaletteCount(static_cast<int>(entries.size()));
      for (std::size_t i = 0; i < entries.size(); ++i)
        SetPaletteColor(static_cast<int>(i), entries[i]);
      FPaletteIdent = ident;
      break;
    }
  }
  PaletteChanged();
}

void TPixelGraphic::UpdatePaletteIdent() {
  FIsGray = FPixelFormat != pf24Bit &&
            std::all_of(FPalette.begin(), FPalette.end(), [](TRGB c) {
              return RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c);
            });
  static constexpr TPaletteIdent kOrder[] = {pBlackWhite, pGray4,      pSysGray4,  pGray16,
                                             pGray236,    pGray256,    pSys16,     pSpecial216,
                                             pSpecial125, pSpecial252};
  for (TPaletteIdent ident : kOrder) {
    if (SamePalette(FPalette, ident)) {
      FPaletteIdent = ident;
      PaletteChanged();
      return;
    }
  }
  if (FPalette.empty())
    FPaletteIdent = FPixelFormat == pf24Bit ? pTrueColor : pNone;
  else
    FPaletteIdent = pUnknown;
  PaletteChanged();
}

void TPixelGraphic::CopyPalette(const TPixelGraphic& source) {
  const std::vector<TRGB> entries = source.FPalette;  // source may be this image
  SetPaletteCount(static_cast<int>(entries.size()));
  for (std::size_t i = 0; i < entries.size(); ++i) SetPaletteColor(static_cast<int>(i), entries[i]);
  UpdatePaletteIdent();
}

// ---- settings --------------------------------------------------------------------------------

void TPixelGraphic::SetBackGroundColor(TRGB color) {
  FBackGroundColor = FPixelFormat == pf24Bit ? (color & 0xFFFFFF) : ColorToIndex(color);
}

TRGB TPixelGraphic::BackGroundRGB() const {
  if (FPixelFormat == pf24Bit) return FBackGroundColor;
  return PaletteColor(static_cast<int>(FBackGroundColor));
}

void TPixelGraphic::SetUseColorCache(bool value) {
  if (value == FUseColorCache) return;
  FUseColorCache = value;
  FMemoValid = false;
  Changed();
}

void TPixelGraphic::SetRGBWeighting(bool value) {
  if (value == FRGBWeighting) return;
  FRGBWeighting = value;
  FMemoValid = false;
}

// ---- change notification and progress --------------------------------------------------------

void TPixelGraphic::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

void TPixelGraphic::Changed() {
  if (FUpdateCount == 0 && OnPixelGraphicChange) OnPixelGraphicChange(*this);
}

void TPixelGraphic::ProgressStart() {
  if (OnPixelGraphicProgressStart) OnPixelGraphicProgressStart(*this);
}

bool TPixelGraphic::Progress(int step, int max) {
  bool abort = false;
  if (OnPixelGraphicProgress) OnPixelGraphicProgress(*this, step, max, abort);
  return abort;
}

void TPixelGraphic::ProgressEnd() {
  if (OnPixelGraphicProgressEnd) OnPixelGraphicProgressEnd(*this);
}

// ---- copying ---------------------------------------------------------------------------------

void TPixelGraphic::Assign(const TPixelGraphic* source) {
  if (!source) {
    SetSize(0, 0, pf24Bit);
    SetPaletteIdent(pTrueColor);
    return;
  }
  if (source == this) return;
  TPGUpdateScope update(*this);
  FlushDrawing();
  source->FlushDrawing();
  SetSize(source->FWidth, source->FHeight, source->FPixelFormat);
  if (FBits && source->FBits) std::memcpy(FBits, source->FBits, ImageSize());
  SetPaletteIdent(source->FPaletteIdent);
  SetPaletteCount(source->PaletteCount());
  FBackGroundColor = source->FBackGroundColor;
  Dither = source->Dither;
  DitherErrorLimit = source->DitherErrorLimit;
  DitherErrorLimitAuto = source->DitherErrorLimitAuto;
  DitherErrorLimitSoft = source->DitherErrorLimitSoft;
  SetUseColorCache(source->FUseColorCache);
  Gamma = source->Gamma;
  SetRGBWeighting(source->FRGBWeighting);
  Interpolate = source->Interpolate;
  StretchMode = source->StretchMode;
  ReadWarningAction = source->ReadWarningAction;
  Transparent = source->Transparent;
  TransparentColor = source->TransparentColor;
  RaiseOutOfRange = source->RaiseOutOfRange;
  SaveColorResWarningAction = source->SaveColorResWarningAction;
  if (source->PaletteCount() > 0 && (FPaletteIdent == pNone || FPaletteIdent == pTrueColor))
    FPaletteIdent = pUnknown;  // entries arrive below
  for (int i = 0; i < source->PaletteCount(); ++i) SetPaletteColor(i, source->FPalette[i]);
  UpdatePaletteIdent();
}
