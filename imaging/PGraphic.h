// TPixelGraphic: the in-memory raster image every part of Lumivex exchanges.
//
// Pixels live in one block of rows padded to 4 bytes and stored bottom-up (image row 0 is the
// last row of the block), the layout of a bottom-up device-independent bitmap: 1-bit pixels
// most significant bit first, 4-bit pixels high nibble first, 8-bit indexes, 24-bit blue,
// green, red. Beside the block the image keeps the 40-byte bitmap information header and its
// colour table, so that drawing and clipboard code can hand both to consumers unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "imaging/PGErrors.h"
#include "imaging/PGTypes.h"

class TPixelGraphic;

// Storage requests above this many bytes are refused like a failed allocation.
inline constexpr std::uint64_t PGMaxImageBytes = std::uint64_t{1} << 32;

// A drawing surface painting into the image's storage (provided by the platform layer).
// The image flushes it before reading or writing pixels directly, and releases it before it
// changes its storage or palette.
class TPGDrawingSurface {
 public:
  virtual ~TPGDrawingSurface() = default;
  virtual void Flush() = 0;
};

class TPixelGraphic {
 public:
  using TNotifyEvent = std::function<void(TPixelGraphic& sender)>;
  using TPGProgressEvent =
      std::function<void(TPixelGraphic& sender, int step, int max, bool& abort)>;

  TPixelGraphic();
  TPixelGraphic(const TPixelGraphic&) = delete;
  TPixelGraphic& operator=(const TPixelGraphic&) = delete;
  virtual ~TPixelGraphic();

  // ---- size and format -------------------------------------------------------------------
  // The one operation that (re)creates storage. Raises EPGInvalidSize for negative sizes and
  // EPixelGraphic ("CreateDIBSection failed") when the storage cannot exist; the image is then
  // Empty.
  void SetSize(int width, int height, TPixelFormat format);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetWidth(int width);
  void SetHeight(int height);
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat format);
  int BitCount() const { return BitCountOf(FPixelFormat); }
  int MaxPaletteCount() const { return MaxPaletteCountOf(FPixelFormat); }
  std::size_t RowBytes() const { return FRowBytes; }
  std::size_t ImageSize() const { return FRowBytes * static_cast<std::size_t>(FHeight); }
  bool Empty() const { return FBits == nullptr; }
  // Fills the image with BackGroundColor.
  void Clear();

  // ---- pixels (x left to right, y top to bottom) --------------------------------------------
  bool Contains(int x, int y) const {
    return FBits && x >= 0 && y >= 0 && x < FWidth && y < FHeight;
  }
  // Raw value: 0/1, 0..15, 0..255, or a colour for 24-bit images.
  TRGB Pixel(int x, int y) const;
  void SetPixel(int x, int y, TRGB value);
  // The colour of a pixel (through the palette for palette images).
  TRGB PixelColor(int x, int y) const;
  // Stores a colour; palette images store ColorToIndex of it (no dithering).
  void SetPixelColor(int x, int y, TRGB color);
  std::uint8_t* ScanLine(int y);
  const std::uint8_t* ScanLine(int y) const;
  std::uint8_t* Bits();
  const std::uint8_t* Bits() const;
  // The 40-byte information header followed by MaxPaletteCount colour-table entries; empty
  // while the image has no storage.
  const std::vector<std::uint8_t>& BitmapInfo() const { return FInfo; }

  // ---- palette ---------------------------------------------------------------------------
  int PaletteCount() const { return static_cast<int>(FPalette.size()); }
  virtual void SetPaletteCount(int count);
  TRGB PaletteColor(int index) const;
  virtual void SetPaletteColor(int index, TRGB color);
  TPaletteIdent PaletteIdent() const { return FPaletteIdent; }
  virtual void SetPaletteIdent(TPaletteIdent ident);
  // Recomputes IsGray and PaletteIdent from the palette's contents.
  void UpdatePaletteIdent();
  void CopyPalette(const TPixelGraphic& source);
  bool IsGray() const { return FIsGray; }
  const std::vector<TRGB>& Palette() const { return FPalette; }
  // Grows whenever the palette changes; display code rebuilds its colour tables on change.
  std::uint64_t PaletteGeneration() const { return FPaletteGeneration; }
  virtual void FreeColorCache();
  // Palette index for a colour (the colour itself for true-colour images).
  virtual TRGB ColorToIndex(TRGB color);
  // Grey value 0..765 of a colour: weighted 0.299/0.587/0.114 with RGBWeighting, else the sum.
  int GrayValue(int r, int g, int b) const {
    return FRGBWeighting ? (r * 897 + g * 1761 + b * 342) / 1000 : r + g + b;
  }

  // ---- settings --------------------------------------------------------------------------
  TRGB BackGroundColor() const { return FBackGroundColor; }
  // Stores ColorToIndex of the colour for palette images, the colour itself for 24-bit.
  void SetBackGroundColor(TRGB color);
  void SetBackGroundIndex(TRGB raw) { FBackGroundColor = raw; }
  TRGB BackGroundRGB() const;
  bool UseColorCache() const { return FUseColorCache; }
  virtual void SetUseColorCache(bool value);
  bool RGBWeighting() const { return FRGBWeighting; }
  virtual void SetRGBWeighting(bool value);

  bool Dither = true;
  std::uint8_t DitherErrorLimit = 32;
  bool DitherErrorLimitAuto = true;
  bool DitherErrorLimitSoft = true;
  TStretchMode StretchMode = smPrecise;
  bool Interpolate = true;
  double Gamma;
  TPGWarningAction ReadWarningAction = pgwaOKCancelBox;
  TPGWarningAction SaveColorResWarningAction = pgwaOKCancelBox;
  bool RaiseOutOfRange = false;
  bool Transparent = false;
  TRGB TransparentColor = 0;
  bool PreviewLoad = false;  // not copied by Assign

  // ---- events and change notification ----------------------------------------------------
  TNotifyEvent OnPixelGraphicChange;
  TNotifyEvent OnPixelGraphicProgressStart;
  TPGProgressEvent OnPixelGraphicProgress;
  TNotifyEvent OnPixelGraphicProgressEnd;

  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  virtual void Changed();

  // Raises the progress events; Progress returns true when a handler asked to abort.
  void ProgressStart();
  bool Progress(int step, int max);
  void ProgressEnd();

  // ---- copying ---------------------------------------------------------------------------
  // Copies size, pixels, palette and settings; nullptr empties the image (24-bit).
  void Assign(const TPixelGraphic* source);

  // ---- dithering -------------------------------------------------------------------------
  void BeginDither();
  void EndDither();
  void NextDitherRow();
  // Writes one pixel of the current row with error diffusion; callers walk rows in
  // serpentine order (even rows left to right, odd rows right to left).
  void SetPixelDithered(int x, int y, int r, int g, int b);
  // True when colours written into this image are dithered.
  bool DithersWrites() const { return Dither && FPixelFormat != pf24Bit; }

  // ---- resampling and transforms ---------------------------------------------------------
  void CopyFrom(const TPixelGraphic& source);
  void StretchCopy(int destX, int destY, int destW, int destH, const TPixelGraphic& source,
                   int srcX, int srcY, int srcW, int srcH);
  void CopyRegion(int destX, int destY, const TPixelGraphic& source, int srcX, int srcY, int w,
                  int h);
  void Rotate(bool resize, const TPixelGraphic& source, double angle);
  void RotateInto(int destCX, int destCY, const TPixelGraphic& source, int srcW, int srcH,
                  int srcLeft, int srcTop, int srcCX, int srcCY, double angle);
  void FlipHorizontal();
  void FlipVertical();
  void AddBorder(bool elliptic, int borderWidth, const TPixelGraphic& source, TRGB color);

  // ---- drawing surface -------------------------------------------------------------------
  void AttachDrawingSurface(std::unique_ptr<TPGDrawingSurface> surface);
  TPGDrawingSurface* DrawingSurface() const { return FSurface.get(); }
  // Marks the surface as possibly holding pending output.
  void MarkDrawingPending() { FSurfacePending = true; }
  void FlushDrawing() const;
  void ReleaseDrawingSurface();

 private:
  struct DitherState;
  struct ColorCache;

  void AllocateStorage(std::size_t bytes);
  void FreeStorage();
  void SetPaletteCountInternal(int count);
  void WriteColorTableEntry(int index, TRGB color);
  void PaletteChanged();
  TRGB LookupColor(TRGB color);
  int SearchPalette(TRGB color) const;
  int CachedSearch(TRGB color);
  std::size_t RowOffset(int y) const {
    return static_cast<std::size_t>(FHeight - 1 - y) * FRowBytes;
  }

  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FPixelFormat = pf24Bit;
  std::size_t FRowBytes = 0;
  std::uint8_t* FBits = nullptr;
  void* FStorageBase = nullptr;     // what was allocated (FBits may lie inside it)
  std::size_t FStorageLength = 0;   // its length; 0 for heap blocks
  std::vector<std::uint8_t> FInfo;

  std::vector<TRGB> FPalette;
  TPaletteIdent FPaletteIdent = pTrueColor;
  bool FIsGray = false;
  std::uint64_t FPaletteGeneration = 0;

  TRGB FBackGroundColor = 0;
  bool FUseColorCache = true;
  bool FRGBWeighting = true;

  int FUpdateCount = 0;

  bool FMemoValid = false;
  TRGB FMemoColor = 0;
  TRGB FMemoIndex = 0;
  std::unique_ptr<ColorCache> FCache;
  std::unique_ptr<DitherState> FDither;

  std::unique_ptr<TPGDrawingSurface> FSurface;
  mutable bool FSurfacePending = false;
};

// Replaces target's palette by one made for source's pixels: median cut for 24-bit sources,
// octree for palette sources; with withSystemColors the 16 system colours are appended.
void MakeOptimizedPalette(TPixelGraphic& target, const TPixelGraphic& source, int colors,
                          bool withSystemColors);

// Runs BeginUpdate/EndUpdate around a scope, also when an exception leaves it.
class TPGUpdateScope {
 public:
  explicit TPGUpdateScope(TPixelGraphic& image) : FImage(image) { FImage.BeginUpdate(); }
  ~TPGUpdateScope() { FImage.EndUpdate(); }
  TPGUpdateScope(const TPGUpdateScope&) = delete;
  TPGUpdateScope& operator=(const TPGUpdateScope&) = delete;

 private:
  TPixelGraphic& FImage;
};

// Raises OnPixelGraphicProgressStart now and OnPixelGraphicProgressEnd when the scope ends.
class TPGProgressScope {
 public:
  explicit TPGProgressScope(TPixelGraphic& image) : FImage(image) { FImage.ProgressStart(); }
  ~TPGProgressScope() { FImage.ProgressEnd(); }
  TPGProgressScope(const TPGProgressScope&) = delete;
  TPGProgressScope& operator=(const TPGProgressScope&) = delete;

 private:
  TPixelGraphic& FImage;
};

// Begins dithering when the image dithers its writes and ends it when the scope ends.
class TPGDitherScope {
 public:
  explicit TPGDitherScope(TPixelGraphic& image) : FImage(image), FActive(image.DithersWrites()) {
    if (FActive) FImage.BeginDither();
  }
  ~TPGDitherScope() {
    if (FActive) FImage.EndDither();
  }
  bool Active() const { return FActive; }
  TPGDitherScope(const TPGDitherScope&) = delete;
  TPGDitherScope& operator=(const TPGDitherScope&) = delete;

 private:
  TPixelGraphic& FImage;
  bool FActive;
};
