#include "view/GIFFrameWriter.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int PassStart[4] = {0, 4, 2, 1};
constexpr int PassStep[4] = {8, 8, 4, 2};
}  // namespace

int GIFRowSequence(int y, int height, bool interlaced) {
  if (!interlaced) return y;
  const int n1 = (height + 7) / 8, n2 = (height + 3) / 8, n3 = (height + 1) / 4;
  if (y % 8 == 0) return y / 8;
  if (y % 8 == 4) return n1 + (y - 4) / 8;
  if (y % 4 == 2) return n1 + n2 + (y - 2) / 4;
  return n1 + n2 + n3 + (y - 1) / 2;
}

int TGIFFrame::DecodedInRow(int y) const {
  const std::uint64_t start = std::uint64_t(GIFRowSequence(y, Height, Interlaced)) * Width;
  if (DecodedPixels <= start) return 0;
  return static_cast<int>(std::min<std::uint64_t>(DecodedPixels - start, Width));
}

TGIFFrameWriter::TGIFFrameWriter(TGIFFrame& frame, TRowProgress progress)
    : FFrame(frame), FProgress(std::move(progress)) {
  FProgressStep = frame.Width < 321 ? 64 : 32;
  if (frame.PixelCount() <= 100000) FProgress = nullptr;
  FKeepLeft = frame.Clip.Left - frame.Left;
  FKeepRight = FKeepLeft + frame.Clip.Width;
}

void TGIFFrameWriter::NextRow() {
  FX = 0;
  ++FRowsDone;
  if (FRowsDone >= FFrame.Height) {
    FDone = true;
    return;
  }
  if (!FFrame.Interlaced) {
    ++FY;
  } else {
    FY += PassStep[FPass];
    // A pass whose first row lies beyond the image is skipped.
    while (FY >= FFrame.Height && FPass < 3) {
      ++FPass;
      FY = PassStart[FPass];
    }
  }
  if (FProgress && FRowsDone % FProgressStep == 0 && !FProgress()) {
    FAborted = true;
    FDone = true;
  }
}

bool TGIFFrameWriter::Put(const std::uint8_t* pixels, std::size_t count) {
  const int width = FFrame.Width;
  const int keepTop = FFrame.Clip.Top - FFrame.Top;
  while (count > 0 && !FDone) {
    const int n = static_cast<int>(std::min<std::size_t>(count, std::size_t(width - FX)));
    const int row = FY - keepTop;
    if (row >= 0 && row < FFrame.Clip.Height) {
      const int from = std::max(FX, FKeepLeft);
      const int to = std::min(FX + n, FKeepRight);
      if (from < to) {
        std::uint8_t* target = FFrame.Pixels.data() + std::size_t(row) * FFrame.Clip.Width +
                               (from - FKeepLeft);
        std::memcpy(target, pixels + (from - FX), std::size_t(to - from));
      }
    }
    FFrame.DecodedPixels += std::uint64_t(n);
    pixels += n;
    count -= std::size_t(n);
    FX += n;
    if (FX == width) NextRow();
  }
  return !FDone;
}
