// Scanner frames into a picture. A scanner delivers one frame (grey or interleaved red, green,
// blue) or, on three-pass devices, a red, a green and a blue frame one after another; samples
// have 1, 8 or 16 bits. TScanAssembler collects the frames' bytes in a bounded buffer and
// builds the picture: 1-bit grey becomes a 1-bit black-and-white picture, other grey an 8-bit
// grey picture, colour a 24-bit picture; 16-bit samples keep their high 8 bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "imaging/PGraphic.h"

enum class TScanFrameKind { Gray, RGB, Red, Green, Blue };

// What the scanner announces before each frame. Lines is -1 when the length is not known
// beforehand (hand scanners): the frame then ends with the data.
struct TScanParameters {
  TScanFrameKind Kind = TScanFrameKind::Gray;
  bool LastFrame = true;
  int BytesPerLine = 0;
  int PixelsPerLine = 0;
  int Lines = 0;
  int Depth = 8;
};

// A frame the assembler cannot take (its message is for the user).
class EScanFrame : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
// The scan needs more memory than is allowed or available.
class EScanTooLarge : public EScanFrame {
 public:
  using EScanFrame::EScanFrame;
};

// The default limit of the bytes a scan may hold (all frames together).
inline constexpr std::uint64_t kScanMaxBytes = std::uint64_t{1} << 31;

class TScanAssembler {
 public:
  explicit TScanAssembler(std::uint64_t maxBytes = kScanMaxBytes) : FMaxBytes(maxBytes) {}

  // Starts a frame; raises EScanFrame for parameters that do not make a picture and
  // EScanTooLarge when the frame cannot be held.
  void BeginFrame(const TScanParameters& parameters);
  // Adds the frame's next bytes; bytes past the announced length are dropped. Raises
  // EScanTooLarge when a frame of unknown length outgrows the limit.
  void Append(const std::uint8_t* data, std::size_t count);
  // Ends the frame that runs.
  void EndFrame();
  // True once a grey or colour frame, or all three single-colour frames, have ended.
  bool Complete() const;
  // Bytes the running frame announced (0 when unknown) and bytes received for it.
  std::uint64_t FrameBytesExpected() const;
  std::uint64_t FrameBytesReceived() const;
  int FramesDone() const { return FFramesDone; }

  // The picture of the complete scan. Raises EScanFrame when the scan is not complete or holds
  // no whole line, EScanTooLarge when the picture cannot be allocated.
  std::unique_ptr<TPixelGraphic> Picture() const;

 private:
  struct TPlane {
    TScanParameters Format;
    std::vector<std::uint8_t> Bytes;
    bool Present = false;
    int LineCount() const;
  };
  TPlane& PlaneOf(TScanFrameKind kind);
  const TPlane* Running() const;
  std::uint64_t HeldBytes() const;
  std::unique_ptr<TPixelGraphic> GrayPicture(const TPlane& plane) const;
  std::unique_ptr<TPixelGraphic> ColorPicture() const;

  std::uint64_t FMaxBytes;
  TPlane FPlanes[3];  // gray/RGB in 0; the red, green, blue frames of three passes in 0..2
  int FRunning = -1;
  bool FThreePass = false;
  int FFramesDone = 0;
};

// A sample of a line: `index` counts samples (a pixel of an RGB frame has three).
int ScanSample8(const std::uint8_t* line, int index, int depth);
