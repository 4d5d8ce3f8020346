#include "imaging/formats/ScanFrames.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

int SamplesPerPixel(TScanFrameKind kind) { return kind == TScanFrameKind::RGB ? 3 : 1; }

int PlaneIndex(TScanFrameKind kind) {
  switch (kind) {
    case TScanFrameKind::Green: return 1;
    case TScanFrameKind::Blue: return 2;
    default: return 0;
  }
}

bool IsSeparateColor(TScanFrameKind kind) {
  return kind == TScanFrameKind::Red || kind == TScanFrameKind::Green ||
         kind == TScanFrameKind::Blue;
}

std::string MegaBytes(std::uint64_t bytes) {
  return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MB";
}

[[noreturn]] void TooLarge(std::uint64_t bytes) {
  throw EScanTooLarge("The scan is too large to hold in memory (" + MegaBytes(bytes) +
                      " needed). Choose a smaller scan area or a lower resolution.");
}

// Runs `allocate`, turning a failed allocation into EScanTooLarge.
template <class F>
void Allocating(std::uint64_t bytes, F allocate) {
  try {
    allocate();
  } catch (const std::bad_alloc&) {
    TooLarge(bytes);
  } catch (const std::length_error&) {
    TooLarge(bytes);
  }
}

}  // namespace

int ScanSample8(const std::uint8_t* line, int index, int depth) {
  switch (depth) {
    case 1: return (line[index >> 3] >> (7 - (index & 7))) & 1 ? 255 : 0;
    case 16: {
      std::uint16_t v;  // samples of 16 bits are in the machine's byte order
      std::memcpy(&v, line + 2 * static_cast<std::size_t>(index), 2);
      return v >> 8;
    }
    default: return line[index];
  }
}

int TScanAssembler::TPlane::LineCount() const {
  const std::uint64_t whole = Bytes.size() / static_cast<std::uint64_t>(Format.BytesPerLine);
  if (Format.Lines >= 0) return static_cast<int>(std::min<std::uint64_t>(whole, Format.Lines));
  return static_cast<int>(std::min<std::uint64_t>(whole, INT32_MAX));
}

TScanAssembler::TPlane& TScanAssembler::PlaneOf(TScanFrameKind kind) {
  return FPlanes[PlaneIndex(kind)];
}

const TScanAssembler::TPlane* TScanAssembler::Running() const {
  return FRunning < 0 ? nullptr : &FPlanes[FRunning];
}

std::uint64_t TScanAssembler::HeldBytes() const {
  std::uint64_t sum = 0;
  for (const TPlane& p : FPlanes) sum += p.Bytes.size();
  return sum;
}

void TScanAssembler::BeginFrame(const TScanParameters& p) {
  if (FRunning >= 0) throw EScanFrame("The scanner started a frame before it ended the last.");
  if (p.Depth != 1 && p.Depth != 8 && p.Depth != 16)
    throw EScanFrame("The scanner sends " + std::to_string(p.Depth) +
                     "-bit samples, which cannot be shown.");
  if (p.PixelsPerLine <= 0 || p.BytesPerLine <= 0 || p.Lines < -1)
    throw EScanFrame("The scanner announced a frame without pixels.");
  const std::uint64_t needBits =
      std::uint64_t(p.PixelsPerLine) * SamplesPerPixel(p.Kind) * std::uint64_t(p.Depth);
  if (std::uint64_t(p.BytesPerLine) * 8 < needBits)
    throw EScanFrame("The scanner announced lines shorter than their pixels.");
  const bool separate = IsSeparateColor(p.Kind);
  if (FFramesDone > 0 && separate != FThreePass)
    throw EScanFrame("The scanner mixed single-pass and three-pass frames.");
  FThreePass = separate;
  TPlane& plane = PlaneOf(p.Kind);
  if (separate) {
    for (const TPlane& other : FPlanes)
      if (other.Present && &other != &plane &&
          (other.Format.PixelsPerLine != p.PixelsPerLine || other.Format.Depth != p.Depth))
        throw EScanFrame("The scanner's colour frames differ in size.");
  }
  plane.Format = p;
  plane.Bytes.clear();
  plane.Present = true;
  FRunning = PlaneIndex(p.Kind);
  if (p.Lines > 0) {
    const std::uint64_t bytes = std::uint64_t(p.BytesPerLine) * std::uint64_t(p.Lines);
    if (HeldBytes() + bytes > FMaxBytes) TooLarge(HeldBytes() + bytes);
    Allocating(bytes, [&] { plane.Bytes.reserve(bytes); });
  }
}

void TScanAssembler::Append(const std::uint8_t* data, std::size_t count) {
  if (FRunning < 0 || count == 0) return;
  TPlane& plane = FPlanes[FRunning];
  std::size_t take = count;
  if (plane.Format.Lines >= 0) {
    const std::uint64_t expected =
        std::uint64_t(plane.Format.BytesPerLine) * std::uint64_t(plane.Format.Lines);
    take = static_cast<std::size_t>(
        std::min<std::uint64_t>(count, expected - std::min<std::uint64_t>(expected, plane.Bytes.size())));
  } else if (HeldBytes() + count > FMaxBytes) {
    TooLarge(HeldBytes() + count);
  }
  Allocating(HeldBytes() + take, [&] { plane.Bytes.insert(plane.Bytes.end(), data, data + take); });
}

void TScanAssembler::EndFrame() {
  if (FRunning < 0) return;
  FRunning = -1;
  ++FFramesDone;
}

bool TScanAssembler::Complete() const {
  if (FRunning >= 0 || FFramesDone == 0) return false;
  if (!FThreePass) return true;  // one grey or colour frame is the whole picture
  return FPlanes[0].Present && FPlanes[1].Present && FPlanes[2].Present;
}

std::uint64_t TScanAssembler::FrameBytesExpected() const {
  const TPlane* p = Running();
  if (!p || p->Format.Lines < 0) return 0;
  return std::uint64_t(p->Format.BytesPerLine) * std::uint64_t(p->Format.Lines);
}

std::uint64_t TScanAssembler::FrameBytesReceived() const {
  const TPlane* p = Running();
  return p ? p->Bytes.size() : 0;
}

std::unique_ptr<TPixelGraphic> TScanAssembler::Picture() const {
  if (!Complete()) throw EScanFrame("The scan ended before its last frame.");
  return FThreePass || FPlanes[0].Format.Kind == TScanFrameKind::RGB ? ColorPicture()
                                                                      : GrayPicture(FPlanes[0]);
}

namespace {

std::unique_ptr<TPixelGraphic> NewPicture(int width, int height, TPixelFormat format) {
  const std::uint64_t bytes =
      ((std::uint64_t(width) * BitCountOf(format) + 31) / 32) * 4 * std::uint64_t(height);
  auto picture = std::make_unique<TPixelGraphic>();
  try {
    picture->SetSize(width, height, format);
  } catch (const std::bad_alloc&) {
    TooLarge(bytes);
  } catch (const EPixelGraphic&) {
    TooLarge(bytes);
  }
  return picture;
}

}  // namespace

std::unique_ptr<TPixelGraphic> TScanAssembler::GrayPicture(const TPlane& plane) const {
  const TScanParameters& f = plane.Format;
  const int height = plane.LineCount();
  if (height <= 0) throw EScanFrame("The scanner sent no complete line.");
  const int width = f.PixelsPerLine;
  if (f.Depth == 1) {
    // Line-art: a set bit is black. The black-and-white palette has black first.
    auto picture = NewPicture(width, height, pf1Bit);
    picture->SetPaletteIdent(pBlackWhite);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) + 7) / 8;
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* in = plane.Bytes.data() + std::size_t(y) * f.BytesPerLine;
      std::uint8_t* out = picture->ScanLine(y);
      for (std::size_t i = 0; i < rowBytes; ++i) out[i] = static_cast<std::uint8_t>(~in[i]);
      if (width % 8) out[rowBytes - 1] &= static_cast<std::uint8_t>(0xFF00 >> (width % 8));
    }
    return picture;
  }
  auto picture = NewPicture(width, height, pf8Bit);
  picture->SetPaletteIdent(pGray256);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* in = plane.Bytes.data() + std::size_t(y) * f.BytesPerLine;
    std::uint8_t* out = picture->ScanLine(y);
    for (int x = 0; x < width; ++x) out[x] = static_cast<std::uint8_t>(ScanSample8(in, x, f.Depth));
  }
  return picture;
}

std::unique_ptr<TPixelGraphic> TScanAssembler::ColorPicture() const {
  int height;
  const int width = FPlanes[0].Format.PixelsPerLine;
  if (FThreePass)
    height = std::min({FPlanes[0].LineCount(), FPlanes[1].LineCount(), FPlanes[2].LineCount()});
  else
    height = FPlanes[0].LineCount();
  if (height <= 0) throw EScanFrame("The scanner sent no complete line.");
  auto picture = NewPicture(width, height, pf24Bit);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* out = picture->ScanLine(y);
    if (FThreePass) {
      const std::uint8_t* line[3];
      for (int c = 0; c < 3; ++c)
        line[c] = FPlanes[c].Bytes.data() + std::size_t(y) * FPlanes[c].Format.BytesPerLine;
      const int depth = FPlanes[0].Format.Depth;
      for (int x = 0; x < width; ++x)
        for (int c = 0; c < 3; ++c)
          out[3 * x + 2 - c] = static_cast<std::uint8_t>(ScanSample8(line[c], x, depth));
    } else {
      const TScanParameters& f = FPlanes[0].Format;
      const std::uint8_t* in = FPlanes[0].Bytes.data() + std::size_t(y) * f.BytesPerLine;
      for (int x = 0; x < width; ++x)
        for (int c = 0; c < 3; ++c)
          out[3 * x + 2 - c] = static_cast<std::uint8_t>(ScanSample8(in, 3 * x + c, f.Depth));
    }
  }
  return picture;
}
