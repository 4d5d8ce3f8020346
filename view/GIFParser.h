// Parses a whole GIF file held in memory into its frames (decoded, not yet composed).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "view/GIFTypes.h"

struct TGIFAnimation {
  TGIFVersion Version = gvGIF87a;
  int ScreenWidth = 0, ScreenHeight = 0;    // as the file declares them
  int LogicalWidth = 0, LogicalHeight = 0;  // grown to cover the frames
  int GlobalBits = 0;                       // raised to the largest local bits met
  TGIFPalette GlobalPalette{};
  int BackgroundIndex = 0;
  int LoopCount = 1;  // 1 without a loop extension; 0 loops forever
  bool AnyTransparent = false;
  bool AnyInterlaced = false;
  std::vector<TGIFFrame> Frames;

  bool Animated() const { return Frames.size() > 1; }
  // Bytes held by the decoded frames.
  std::uint64_t FrameBytes() const;
};

enum class TGIFParseStatus { Ok, NotGIF, Truncated, BadFrame, TooLarge, NoImage, Aborted };

struct TGIFParseResult {
  TGIFParseStatus Status = TGIFParseStatus::Ok;
  std::string Message;  // "GIF: ..." when the status is not Ok
  bool Ok() const { return Status == TGIFParseStatus::Ok; }
};

struct TGIFParseOptions {
  bool FirstImageOnly = false;
  TGIFLimits Limits;
  // Called before every block and during large frames; answers false to abort the load.
  std::function<bool(std::uint64_t processed, std::uint64_t total, int percent)> Progress;
};

TGIFParseResult GIFParse(const std::uint8_t* data, std::size_t size,
                         const TGIFParseOptions& options, TGIFAnimation& animation);
