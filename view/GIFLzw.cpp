#include "view/GIFLzw.h"

#include <array>
#include <cassert>

namespace {

constexpr int TableSize = 4096;

// Pulls codes out of the sub-block chain.
class TCodeReader {
 public:
  explicit TCodeReader(TGIFByteReader& reader) : FReader(reader) {}

  bool Get(int size, int& code) {
    while (FBitCount < size) {
      if (FBlockPos >= FBlockLength) {
        if (FExhausted || !FReader.ReadSubBlock(FBlock, FBlockLength)) {
          FExhausted = true;
          return false;
        }
        FBlockPos = 0;
      }
      FBits |= std::uint32_t(FBlock[FBlockPos++]) << FBitCount;
      FBitCount += 8;
    }
    code = static_cast<int>(FBits & ((1u << size) - 1));
    FBits >>= size;
    FBitCount -= size;
    return true;
  }

  // Drops the codes left, through the terminator.
  void Finish() {
    if (!FExhausted) FReader.SkipSubBlocks();
    FExhausted = true;
  }

 private:
  TGIFByteReader& FReader;
  std::uint8_t FBlock[256];
  int FBlockLength = 0;
  int FBlockPos = 0;
  std::uint32_t FBits = 0;
  int FBitCount = 0;
  bool FExhausted = false;
};

}  // namespace

TGIFLzwResult GIFDecodeLzw(TGIFByteReader& reader, int minCodeSize, TGIFPixelSink& sink) {
  assert(minCodeSize >= 0 && minCodeSize <= GIFMaxMinCodeSize);
  TCodeReader codes(reader);
  std::array<std::uint16_t, TableSize> prefix{};
  std::array<std::uint8_t, TableSize> suffix{};
  std::array<std::uint8_t, TableSize + 1> stack;

  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  for (int i = 0; i < clear; ++i) suffix[i] = static_cast<std::uint8_t>(i);
  int next = 0, size = 0, limit = 0;
  auto reset = [&] {
    next = clear + 2;
    size = minCodeSize + 1;
    limit = 2 * clear;
  };
  reset();

  auto finish = [&](TGIFLzwResult result) {
    codes.Finish();
    return result;
  };

  int code = 0, first = 0, old = 0;
  // Reads the first code of a run (after the start or a clear code): a literal pixel.
  auto startRun = [&](TGIFLzwResult& stop) {
    do {
      if (!codes.Get(size, code)) {
        stop = TGIFLzwResult::DataEnd;
        return false;
      }
    } while (code == clear);
    if (code == end) {
      stop = TGIFLzwResult::EndCode;
      return false;
    }
    if (code > end) {  // no string is defined yet
      stop = TGIFLzwResult::BadCode;
      return false;
    }
    first = old = code;
    return true;
  };

  TGIFLzwResult stop{};
  if (!startRun(stop)) return finish(stop);
  std::uint8_t literal = static_cast<std::uint8_t>(first);
  if (!sink.Put(&literal, 1)) return finish(TGIFLzwResult::SinkFull);

  for (;;) {
    if (!codes.Get(size, code)) return finish(TGIFLzwResult::DataEnd);
    if (code == clear) {
      reset();
      if (!startRun(stop)) return finish(stop);
      literal = static_cast<std::uint8_t>(first);
      if (!sink.Put(&literal, 1)) return finish(TGIFLzwResult::SinkFull);
      continue;
    }
    if (code == end) return finish(TGIFLzwResult::EndCode);
    if (code > next) return finish(TGIFLzwResult::BadCode);

    // Unwind the string of the code onto the stack, last pixel first.
    std::size_t top = stack.size();
    int walk = code;
    if (code == next) {  // the string of old followed by its own first pixel
      stack[--top] = static_cast<std::uint8_t>(first);
      walk = old;
    }
    // Every table entry's prefix is an older entry, so the chain ends below `clear`; the
    // bound keeps a damaged table from running the stack over.
    while (walk >= clear && top > 1) {
      stack[--top] = suffix[walk];
      walk = prefix[walk];
    }
    if (walk >= clear) return finish(TGIFLzwResult::BadCode);
    first = suffix[walk];
    stack[--top] = static_cast<std::uint8_t>(first);
    if (!sink.Put(stack.data() + top, stack.size() - top)) return finish(TGIFLzwResult::SinkFull);

    if (next < TableSize) {
      suffix[next] = static_cast<std::uint8_t>(first);
      prefix[next] = static_cast<std::uint16_t>(old);
      ++next;
      if (next >= limit && limit < TableSize) {
        limit *= 2;
        ++size;
      }
    }
    old = code;
  }
}
