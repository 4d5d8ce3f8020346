#include "view/GIFComposer.h"

#include <algorithm>
#include <cstring>

void TGIFComposer::Reset(int width, int height, bool withMask) {
  FWidth = width;
  FHeight = height;
  const std::size_t area = std::size_t(width) * std::size_t(height);
  FPixels.assign(area, GIFOpaqueBlack);
  if (withMask)
    FMask.assign(area, 1);
  else
    FMask.clear();
  FBackupOwner = nullptr;
  FBackupPixels.clear();
  FBackupMask.clear();
  ++FGeneration;
}

void TGIFComposer::Clear() {
  Reset(0, 0, false);
  FPixels.shrink_to_fit();
  FMask.shrink_to_fit();
  FBackupPixels.shrink_to_fit();
  FBackupMask.shrink_to_fit();
}

TGIFRect TGIFComposer::Visible(const TGIFFrame& frame) const {
  TGIFRect r = frame.Clip;
  const int right = std::min(r.Right(), FWidth), bottom = std::min(r.Bottom(), FHeight);
  r.Left = std::clamp(r.Left, 0, FWidth);
  r.Top = std::clamp(r.Top, 0, FHeight);
  r.Width = std::max(0, right - r.Left);
  r.Height = std::max(0, bottom - r.Top);
  return r;
}

void TGIFComposer::Draw(const TGIFFrame& frame) {
  const TGIFRect r = Visible(frame);
  if (frame.Disposal == 3) {
    FBackupOwner = &frame;
    FBackupRect = r;
    FBackupPixels.resize(r.Empty() ? 0 : std::size_t(r.Width) * r.Height);
    if (HasMask()) FBackupMask.resize(FBackupPixels.size());
    for (int y = 0; y < r.Height && !r.Empty(); ++y) {
      const std::size_t from = std::size_t(r.Top + y) * FWidth + r.Left;
      std::copy_n(&FPixels[from], r.Width, &FBackupPixels[std::size_t(y) * r.Width]);
      if (HasMask()) std::copy_n(&FMask[from], r.Width, &FBackupMask[std::size_t(y) * r.Width]);
    }
  }
  ++FGeneration;
  if (r.Empty()) return;
  const bool keyed = frame.Transparent;
  const std::uint8_t key = static_cast<std::uint8_t>(frame.TransparentIndex);
  for (int y = 0; y < r.Height; ++y) {
    const int frameY = r.Top - frame.Top + y;
    const int frameX = r.Left - frame.Left;
    // Columns of this row the data reached, relative to the visible part.
    const int decoded = std::clamp(frame.DecodedInRow(frameY) - frameX, 0, r.Width);
    const std::uint8_t* source =
        frame.Pixels.data() + std::size_t(r.Top - frame.Clip.Top + y) * frame.Clip.Width +
        (r.Left - frame.Clip.Left);
    const std::size_t at = std::size_t(r.Top + y) * FWidth + r.Left;
    std::uint32_t* target = &FPixels[at];
    std::uint8_t* mask = HasMask() ? &FMask[at] : nullptr;
    for (int x = 0; x < decoded; ++x) {
      const std::uint8_t index = source[x];
      if (keyed && index == key) continue;
      target[x] = frame.Palette[index];
      if (mask) mask[x] = 0;
    }
  }
}

void TGIFComposer::Dispose(const TGIFFrame& frame) {
  if (frame.Disposal == 2) {
    const TGIFRect r = Visible(frame);
    for (int y = 0; y < r.Height && !r.Empty(); ++y) {
      const std::size_t at = std::size_t(r.Top + y) * FWidth + r.Left;
      std::fill_n(&FPixels[at], r.Width, GIFOpaqueBlack);
      if (HasMask()) std::fill_n(&FMask[at], r.Width, std::uint8_t{1});
    }
    ++FGeneration;
  } else if (frame.Disposal == 3 && FBackupOwner == &frame) {
    const TGIFRect& r = FBackupRect;
    for (int y = 0; y < r.Height && !r.Empty(); ++y) {
      const std::size_t at = std::size_t(r.Top + y) * FWidth + r.Left;
      std::copy_n(&FBackupPixels[std::size_t(y) * r.Width], r.Width, &FPixels[at]);
      if (HasMask() && !FBackupMask.empty())
        std::copy_n(&FBackupMask[std::size_t(y) * r.Width], r.Width, &FMask[at]);
    }
    FBackupOwner = nullptr;
    ++FGeneration;
  }
}

void TGIFComposer::ToPremultiplied(std::uint32_t* target) const {
  const std::size_t n = FPixels.size();
  if (!HasMask()) {
    std::memcpy(target, FPixels.data(), n * sizeof(std::uint32_t));
    return;
  }
  for (std::size_t i = 0; i < n; ++i) target[i] = FMask[i] ? 0u : FPixels[i];
}

std::uint64_t TGIFComposer::BytesHeld() const {
  return FPixels.capacity() * sizeof(std::uint32_t) + FMask.capacity() +
         FBackupPixels.capacity() * sizeof(std::uint32_t) + FBackupMask.capacity();
}
