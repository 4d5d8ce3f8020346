// One scan: the frames of a picture read from the device into the assembler.
#include <sane/sane.h>

#include <vector>

#include "platform/SaneSession.h"

namespace {

TScanFrameKind KindOf(SANE_Frame f) {
  switch (f) {
    case SANE_FRAME_RGB: return TScanFrameKind::RGB;
    case SANE_FRAME_RED: return TScanFrameKind::Red;
    case SANE_FRAME_GREEN: return TScanFrameKind::Green;
    case SANE_FRAME_BLUE: return TScanFrameKind::Blue;
    default: return TScanFrameKind::Gray;
  }
}

// Ends the scan on the device however the reading ends (also by an exception).
class TCancelOnExit {
 public:
  explicit TCancelOnExit(SANE_Handle h) : FHandle(h) {}
  ~TCancelOnExit() { sane_cancel(FHandle); }
  TCancelOnExit(const TCancelOnExit&) = delete;
  TCancelOnExit& operator=(const TCancelOnExit&) = delete;

 private:
  SANE_Handle FHandle;
};

}  // namespace

TScanOutcome TSaneDevice::Scan(TScanAssembler& assembler, const std::atomic<bool>& stop,
                               const TProgress& progress) {
  TCancelOnExit cancel(FHandle);
  std::vector<SANE_Byte> buffer(64 * 1024);
  while (!assembler.Complete()) {
    if (stop) return TScanOutcome::Cancelled;
    SANE_Status status = sane_start(FHandle);
    if (status == SANE_STATUS_CANCELLED) return TScanOutcome::Cancelled;
    if (status != SANE_STATUS_GOOD) throw ESane("Failed to enable Data Source.", status);
    SANE_Parameters p{};
    status = sane_get_parameters(FHandle, &p);
    if (status != SANE_STATUS_GOOD) throw ESane("The scanner did not describe its picture.", status);
    TScanParameters frame;
    frame.Kind = KindOf(p.format);
    frame.LastFrame = p.last_frame;
    frame.BytesPerLine = p.bytes_per_line;
    frame.PixelsPerLine = p.pixels_per_line;
    frame.Lines = p.lines;
    frame.Depth = p.depth;
    if (p.format > SANE_FRAME_BLUE)
      throw EScanFrame("The scanner sends frames of a kind that cannot be shown.");
    assembler.BeginFrame(frame);
    for (;;) {
      if (stop) return TScanOutcome::Cancelled;
      SANE_Int length = 0;
      status = sane_read(FHandle, buffer.data(), static_cast<SANE_Int>(buffer.size()), &length);
      if (status == SANE_STATUS_EOF) break;
      if (status == SANE_STATUS_CANCELLED) return TScanOutcome::Cancelled;
      if (status != SANE_STATUS_GOOD) throw ESane("The scan failed.", status);
      assembler.Append(buffer.data(), static_cast<std::size_t>(length));
      if (progress)
        progress(assembler.FrameBytesReceived(), assembler.FrameBytesExpected(),
                 assembler.FramesDone());
    }
    assembler.EndFrame();
  }
  return TScanOutcome::Done;
}
