#include "imaging/formats/GIFLzwDecoder.h"

#include <algorithm>
#include <cstring>

#include "imaging/PGErrors.h"

TGIFLzwDecoder::TGIFLzwDecoder(const std::uint8_t* data, std::size_t size, std::size_t position)
    : FData(data), FSize(size), FPos(position) {}

void TGIFLzwDecoder::JoinSubBlocks() {
  std::size_t pos = FPos;
  FCodes.clear();
  while (pos < FSize) {
    const std::size_t n = FData[pos++];
    if (n == 0) break;
    const std::size_t take = n <= FSize - pos ? n : FSize - pos;
    FCodes.insert(FCodes.end(), FData + pos, FData + pos + take);
    pos += take;
  }
  FDataEnd = pos;
  FCodePos = 0;
}

// Codes are packed least-significant bit first across byte and sub-block boundaries.
int TGIFLzwDecoder::NextCode() {
  while (FBitsHeld < FCodeSize) {
    if (FCodePos >= FCodes.size()) return -1;
    FAccumulator |= static_cast<std::uint32_t>(FCodes[FCodePos++]) << FBitsHeld;
    FBitsHeld += 8;
  }
  const int code = static_cast<int>(FAccumulator & ((1u << FCodeSize) - 1));
  FAccumulator >>= FCodeSize;
  FBitsHeld -= FCodeSize;
  return code;
}

void TGIFLzwDecoder::ResetTables() {
  std::memset(FPrefix, 0, sizeof FPrefix);
  std::memset(FSuffix, 0, sizeof FSuffix);
  for (int i = 0; i < FClear; ++i) FSuffix[i] = static_cast<std::uint8_t>(i);
  FStackSize = 0;
  FCodeSize = FMinCodeSize + 1;
  FLimit = 2 * FClear;
  FNext = FClear + 2;
}

bool TGIFLzwDecoder::Start() {
  if (FPos >= FSize) {
    FStopped = true;
    FDataEnd = FSize;
    return false;
  }
  FMinCodeSize = FData[FPos++];
  // The tables hold 4096 codes of at most 12 bits: larger minimum sizes cannot be decoded,
  // and a size of 0 leaves no room for any pixel value but 0.
  if (FMinCodeSize < 1 || FMinCodeSize > 11) throw EPixelGraphic("GIF: Invalid value for LZW code size");
  FClear = 1 << FMinCodeSize;
  FEnd = FClear + 1;
  JoinSubBlocks();
  ResetTables();
  int code;
  do {
    code = NextCode();
  } while (code == FClear);
  // A first code that is no pixel (end code, undefined code) ends the image.
  if (code < 0 || code > FClear) {
    FStopped = true;
    return false;
  }
  if (code == FEnd) {
    FStopped = true;
    return false;
  }
  FPrevious = FFirst = code;
  FPending = code;
  return true;
}

int TGIFLzwDecoder::NextValue() {
  if (FStackSize > 0) return FStack[--FStackSize];
  if (FPending >= 0) {
    const int v = FPending;
    FPending = -1;
    return v;
  }
  for (;;) {
    int code = NextCode();
    if (code < 0) {
      FStopped = true;
      return -1;
    }
    if (code == FClear) {
      ResetTables();
      do {
        code = NextCode();
      } while (code == FClear);
      if (code < 0 || code >= FEnd) {
        FStopped = true;
        return -1;
      }
      FPrevious = FFirst = code;
      return code;
    }
    if (code == FEnd) {
      FStopped = true;
      return -1;
    }
    const int incoming = code;
    if (code >= FNext) {
      // Only the next free code may be used before it is defined (string + first character).
      if (code > FNext) {
        FStopped = true;
        return -1;
      }
      FStack[FStackSize++] = static_cast<std::uint8_t>(FFirst);
      code = FPrevious;
    }
    while (code >= FClear) {
      // Prefix chains are at most as long as the table; a longer one loops.
      if (FStackSize >= kMaxCodes) {
        FStopped = true;
        FStackSize = 0;
        return -1;
      }
      FStack[FStackSize++] = FSuffix[code];
      code = FPrefix[code];
    }
    FFirst = FSuffix[code];
    FStack[FStackSize++] = static_cast<std::uint8_t>(FFirst);
    if (FNext < kMaxCodes) {
      FPrefix[FNext] = static_cast<std::uint16_t>(FPrevious);
      FSuffix[FNext] = static_cast<std::uint8_t>(FFirst);
      ++FNext;
      if (FNext >= FLimit && FLimit < kMaxCodes) {
        FLimit *= 2;
        ++FCodeSize;
      }
    }
    FPrevious = incoming;
    return FStack[--FStackSize];
  }
}

std::size_t TGIFLzwDecoder::Decode(std::uint8_t* out, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    if (FStackSize > 0) {
      // Unwind the pending string in one go.
      const std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(FStackSize), n - done);
      for (std::size_t i = 0; i < take; ++i) out[done++] = FStack[--FStackSize];
      continue;
    }
    if (FStopped) break;
    const int v = NextValue();
    if (v < 0) break;
    out[done++] = static_cast<std::uint8_t>(v);
  }
  return done;
}

std::size_t TGIFLzwDecoder::SkipToTerminator() {
  // Start joined the sub-blocks and noted where they end.
  FStopped = true;
  return FDataEnd;
}
