#include "imaging/formats/TIFFPackBits.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "imaging/PGMessageIds.h"
#include "imaging/formats/TIFFDirectory.h"

void PackBitsEncodeRow(const std::uint8_t* row, std::size_t length,
                       std::vector<std::uint8_t>& out) {
  if (length == 0) return;
  // Length of the run of equal bytes each position belongs to.
  std::vector<std::size_t> run(length);
  for (std::size_t i = 0; i < length;) {
    std::size_t j = i + 1;
    while (j < length && row[j] == row[i]) ++j;
    std::fill(run.begin() + static_cast<std::ptrdiff_t>(i), run.begin() + static_cast<std::ptrdiff_t>(j), j - i);
    i = j;
  }
  for (std::size_t i = 1; i < length; ++i)
    if (run[i] == 2 && run[i - 1] == 1) run[i] = 1;
  for (std::size_t i = length - 1; i-- > 0;)
    if (run[i] == 2 && run[i + 1] == 1) run[i] = 1;

  for (std::size_t i = 0; i < length;) {
    if (run[i] == 1) {
      std::size_t n = 1;
      while (i + n < length && run[i + n] == 1 && n < 128) ++n;
      out.push_back(static_cast<std::uint8_t>(n - 1));
      out.insert(out.end(), row + i, row + i + n);
      i += n;
    } else {
      std::size_t n = 1;
      while (i + n < length && row[i + n] == row[i] && n < 128) ++n;
      out.push_back(static_cast<std::uint8_t>(static_cast<int>(1 - n) & 0xFF));
      out.push_back(row[i]);
      i += n;
    }
  }
}

void TPackBitsDecoder::Start(std::int64_t position) {
  FPosition = position;
  FFill = 0;
  FNext = 0;
}

std::uint8_t TPackBitsDecoder::NextByte() {
  if (FNext == FFill) {
    FPosition += static_cast<std::int64_t>(FFill);
    FStream.Seek(FPosition);
    FFill = FStream.Read(FWindow, sizeof FWindow);
    FNext = 0;
    if (FFill == 0) RaiseTIFF(PGMessage(pgmUnexpectedEnd));
  }
  return FWindow[FNext++];
}

void TPackBitsDecoder::DecodeRow(std::uint8_t* out, std::size_t length, int y) {
  std::size_t done = 0;
  const auto overrun = [y] {
    throw EPGTIFFileFormatReader("TIFF (PackBits): " +
                                 PGMessage(pgmInvalidRowByteCount, std::to_string(y)));
  };
  while (done < length) {
    const int c = static_cast<std::int8_t>(NextByte());
    if (c >= 0) {
      const std::size_t n = static_cast<std::size_t>(c) + 1;
      if (n > length - done) overrun();
      for (std::size_t k = 0; k < n; ++k) out[done++] = NextByte();
    } else if (c != -128) {
      const std::size_t n = static_cast<std::size_t>(1 - c);
      if (n > length - done) overrun();
      std::memset(out + done, NextByte(), n);
      done += n;
    }
  }
}
