// Places decoded pixels of one frame into its rows: interlace order, clipping to the part of
// the frame kept, and progress after groups of rows.
#pragma once

#include <cstdint>
#include <functional>

#include "view/GIFLzw.h"
#include "view/GIFTypes.h"

class TGIFFrameWriter : public TGIFPixelSink {
 public:
  // Called after groups of completed rows; answers false to abort.
  using TRowProgress = std::function<bool()>;

  // The frame's Width, Height, Interlaced and Clip must be set and Pixels sized.
  TGIFFrameWriter(TGIFFrame& frame, TRowProgress progress);

  bool Put(const std::uint8_t* pixels, std::size_t count) override;
  bool Aborted() const { return FAborted; }

 private:
  void NextRow();

  TGIFFrame& FFrame;
  TRowProgress FProgress;
  int FProgressStep;
  int FX = 0;          // next column in the current row
  int FY = 0;          // current row (frame coordinates)
  int FPass = 0;       // interlace pass 0..3
  int FRowsDone = 0;
  bool FDone = false;
  bool FAborted = false;
  // The kept columns in frame coordinates.
  int FKeepLeft, FKeepRight;
};
