// The composite picture of an animation: frames drawn onto the logical screen one after
// another, each disposed of (left, cleared to the background, or restored) before the next.
#pragma once

#include <cstdint>
#include <vector>

#include "view/GIFTypes.h"

class TGIFComposer {
 public:
  // Black canvas; with a mask every pixel starts transparent.
  void Reset(int width, int height, bool withMask);
  void Clear();

  // Draws the frame: its opaque pixels replace the canvas, transparent pixels (and pixels the
  // data never reached) keep what is there. A restore-previous frame first saves the area.
  void Draw(const TGIFFrame& frame);
  // Undoes the frame as its disposal asks: 2 clears its area to black and transparent, 3
  // restores the area saved when it was drawn; 0 and 1 leave the canvas.
  void Dispose(const TGIFFrame& frame);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return FPixels.empty(); }
  // 0xFFRRGGBB, top row first; transparent pixels are black.
  const std::vector<std::uint32_t>& Pixels() const { return FPixels; }
  // One byte per pixel, 1 where transparent; empty when no frame is transparent.
  const std::vector<std::uint8_t>& Mask() const { return FMask; }
  bool HasMask() const { return !FMask.empty(); }
  std::uint32_t PixelAt(int x, int y) const { return FPixels[std::size_t(y) * FWidth + x]; }
  bool TransparentAt(int x, int y) const {
    return HasMask() && FMask[std::size_t(y) * FWidth + x] != 0;
  }
  // Grows with every change, so that a display copy knows when to rebuild.
  std::uint64_t Generation() const { return FGeneration; }
  // Premultiplied 32-bit pixels: transparent pixels become 0 (fully transparent).
  void ToPremultiplied(std::uint32_t* target) const;
  std::uint64_t BytesHeld() const;

 private:
  TGIFRect Visible(const TGIFFrame& frame) const;

  int FWidth = 0, FHeight = 0;
  std::vector<std::uint32_t> FPixels;
  std::vector<std::uint8_t> FMask;
  std::uint64_t FGeneration = 0;
  // What the last restore-previous frame covered before it was drawn.
  const TGIFFrame* FBackupOwner = nullptr;
  TGIFRect FBackupRect;
  std::vector<std::uint32_t> FBackupPixels;
  std::vector<std::uint8_t> FBackupMask;
};
