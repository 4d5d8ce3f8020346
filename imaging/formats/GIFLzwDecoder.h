// Variable-length-code LZW decoding of one GIF image's data sub-blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TGIFLzwDecoder {
 public:
  // data/size: the whole file in memory; position: the minimum-code-size byte of the image.
  TGIFLzwDecoder(const std::uint8_t* data, std::size_t size, std::size_t position);

  // Reads the minimum code size and the first code. False when there is nothing to decode
  // (the data ended). Raises EPixelGraphic for a minimum code size the tables cannot hold.
  bool Start();
  // Fills up to n palette indexes; returns how many were produced (fewer only once the
  // decoder has stopped: end code, end of data, or a code chain the tables cannot hold).
  std::size_t Decode(std::uint8_t* out, std::size_t n);
  bool Stopped() const { return FStopped; }
  // After Start: the position after the image data's zero-length terminator (or the end of
  // the buffer); the decoder stops.
  std::size_t SkipToTerminator();

 private:
  static constexpr int kMaxCodes = 4096;

  // Joins the image's sub-blocks into one run of code bytes (up to the zero-length block or
  // the end of the buffer) and notes where the image data ends.
  void JoinSubBlocks();
  int NextCode();
  void ResetTables();
  // The next pixel value, or -1 once the decoder stops.
  int NextValue();

  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FPos;
  std::vector<std::uint8_t> FCodes;  // the joined sub-blocks
  std::size_t FCodePos = 0;
  std::size_t FDataEnd = 0;           // position after the image's terminator
  std::uint32_t FAccumulator = 0;
  int FBitsHeld = 0;

  int FMinCodeSize = 0;
  int FClear = 0;
  int FEnd = 0;
  int FCodeSize = 0;
  int FLimit = 0;
  int FNext = 0;
  int FPrevious = 0;
  int FFirst = 0;
  bool FStopped = false;
  int FPending = -1;  // first pixel value, returned before anything else

  std::uint16_t FPrefix[kMaxCodes];
  std::uint8_t FSuffix[kMaxCodes];
  std::uint8_t FStack[kMaxCodes + 1];
  int FStackSize = 0;
};
