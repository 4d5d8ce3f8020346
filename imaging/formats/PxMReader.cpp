#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "imaging/PGMessageIds.h"
#include "imaging/formats/PNMSamples.h"
#include "imaging/formats/PxMFormat.h"

namespace {

const std::string kTag = "PBM, PGM, PPM: ";

[[noreturn]] void RaisePxM(TPGMessageId message, const std::string& s1 = {}) {
  throw EPGPxMFileFormatReader(kTag + PGMessage(message, s1));
}

// Numbers larger than this are refused.
constexpr std::uint32_t kMaxNumber = 0x7FFFFFFF;

// Input through a 1024-byte buffer with the anymap number syntax.
class TPxMInput {
 public:
  explicit TPxMInput(TPGStream& stream) : FStream(stream) {}

  // The next byte; raises "Unexpected end of file" when there is none.
  std::uint8_t Next() {
    const int c = NextOrEnd();
    if (c < 0) RaisePxM(pgmUnexpectedEnd);
    return static_cast<std::uint8_t>(c);
  }

  // Skips everything that is not a digit (a "#" comment runs to the line feed), takes the
  // digits and consumes the character that ends them.
  std::uint32_t Number() {
    int c = Next();
    while (c < '0' || c > '9') {
      if (c == '#') SkipComment();
      c = Next();
    }
    std::uint64_t value = 0;
    while (c >= '0' && c <= '9') {
      value = value * 10 + static_cast<std::uint64_t>(c - '0');
      if (value > kMaxNumber) RaisePxM(pgmOutOfRange, "Number");
      c = NextOrEnd();
    }
    if (c == '#') SkipComment();
    return static_cast<std::uint32_t>(value);
  }

  // One plain bitmap sample: a single "0" or "1" digit, whitespace between samples optional.
  int Bit() {
    int c = Next();
    while (c != '0' && c != '1') {
      if (c == '#') SkipComment();
      c = Next();
    }
    return c - '0';
  }

  void ReadBytes(std::uint8_t* out, std::size_t n) {
    const std::size_t buffered = std::min(n, FEnd - FPos);
    std::memcpy(out, FBuffer + FPos, buffered);
    FPos += buffered;
    if (buffered < n && FStream.Read(out + buffered, n - buffered) != n - buffered)
      RaisePxM(pgmUnexpectedEnd);
  }

  std::int64_t Remaining() const {
    return FStream.Remaining() + static_cast<std::int64_t>(FEnd - FPos);
  }

 private:
  int NextOrEnd() {
    if (FPos == FEnd) {
      FEnd = FStream.Read(FBuffer, sizeof FBuffer);
      FPos = 0;
      if (FEnd == 0) return -1;
    }
    return FBuffer[FPos++];
  }
  void SkipComment() {
    int c;
    do c = NextOrEnd();
    while (c >= 0 && c != '\n');
  }

  TPGStream& FStream;
  std::uint8_t FBuffer[1024];
  std::size_t FPos = 0;
  std::size_t FEnd = 0;
};

int ReadType(TPxMInput& input) {
  if (input.Next() != 'P') RaisePxM(pgmNotAFile, "PBM, PGM, PPM");
  const std::uint8_t t = input.Next();
  if (t < '1' || t > '6') RaisePxM(pgmUnknownSubformat);
  return t - '0';
}

}  // namespace

void TPxMFileFormatReader::ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                                          const TPGFormatContext& context) const {
  if (index != 0) throw EPGPxMFileFormatReader("PxM: " + PGMessage(pgmInvalid, "Index"));
  graphic.Gamma = context.ScreenGamma;
  TPxMInput input(stream);
  const int type = ReadType(input);
  const bool bitmap = type == 1 || type == 4;
  const bool raw = type >= 4;
  const TPixelFormat format = bitmap ? pf1Bit : (type == 2 || type == 5) ? pf8Bit : pf24Bit;

  graphic.SetSize(0, 0, format);
  if (format == pf1Bit) graphic.SetPaletteIdent(pBlackWhite);
  if (format == pf8Bit) graphic.SetPaletteIdent(pGray256);
  const std::uint32_t width = input.Number();
  const std::uint32_t height = input.Number();
  const std::uint32_t maxval = bitmap ? 1 : input.Number();
  if (width == 0 || height == 0 || maxval > 65535) RaisePxM(pgmNotSupportedSubformat);
  if (maxval == 0) RaisePxM(pgmNotSupportedSubformat);
  if (!PGStorageIsPlausible(width, height, BitCountOf(format), input.Remaining(), 2.0))
    RaisePxM(pgmOutOfRange, "Image size");
  graphic.SetSize(static_cast<int>(width), static_cast<int>(height), format);

  // Samples above the maximum are clamped; v becomes v * 255 div maxval.
  auto scale = [maxval](std::uint32_t v) {
    return static_cast<std::uint8_t>(std::uint64_t{std::min(v, maxval)} * 255 / maxval);
  };
  std::array<std::uint8_t, 256> table{};
  for (std::uint32_t v = 0; v < 256; ++v) table[v] = scale(v);

  const int w = static_cast<int>(width);
  const int h = static_cast<int>(height);
  const std::size_t bitBytes = (static_cast<std::size_t>(w) + 7) / 8;
  const bool wide = raw && maxval > 255;  // two bytes per sample
  std::vector<std::uint8_t> buffer(type == 4 ? bitBytes
                                             : PxMRawRowBytes(w, type == 6 ? 3 : 1, maxval));
  TPGProgressScope progress(graphic);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = graphic.ScanLine(y);
    if (wide) {
      input.ReadBytes(buffer.data(), buffer.size());
      ConvertPxMWideRow(buffer.data(), row, w, type == 6 ? 3 : 1, maxval);
      if (graphic.Progress(y, h)) break;
      continue;
    }
    switch (type) {
      case 1:
        for (int x = 0; x < w; ++x) graphic.SetPixel(x, y, input.Bit() != 0 ? 0 : 1);
        break;
      case 2:
        for (int x = 0; x < w; ++x) row[x] = scale(input.Number());
        break;
      case 3:
        for (int x = 0; x < w; ++x, row += 3) {
          row[2] = scale(input.Number());
          row[1] = scale(input.Number());
          row[0] = scale(input.Number());
        }
        break;
      case 4:
        input.ReadBytes(buffer.data(), bitBytes);
        for (std::size_t i = 0; i < bitBytes; ++i) row[i] = static_cast<std::uint8_t>(~buffer[i]);
        // The low bits of the last byte are padding.
        if (w % 8) row[bitBytes - 1] &= static_cast<std::uint8_t>(0xFF00 >> (w % 8));
        break;
      case 5:
        input.ReadBytes(row, static_cast<std::size_t>(w));
        if (maxval != 255)
          for (int x = 0; x < w; ++x) row[x] = table[row[x]];
        break;
      default: {
        input.ReadBytes(buffer.data(), buffer.size());
        const std::uint8_t* in = buffer.data();
        if (maxval == 255) {
          for (int x = 0; x < w; ++x, in += 3, row += 3) {
            row[0] = in[2];
            row[1] = in[1];
            row[2] = in[0];
          }
        } else {
          for (int x = 0; x < w; ++x, in += 3, row += 3) {
            row[0] = table[in[2]];
            row[1] = table[in[1]];
            row[2] = table[in[0]];
          }
        }
        break;
      }
    }
    if (graphic.Progress(y, h)) break;
  }
}

TPGFileInfo TPxMFileFormatReader::GetInfo(TPGStream& stream, int index,
                                          const TPGFormatContext& context) const {
  TPGFileInfo info = TFileFormatReader::GetInfo(stream, index, context);
  if (index != 0) RaisePxM(pgmInvalidValueFor, "Index");
  TPxMInput input(stream);
  const int type = ReadType(input);
  info.VersionText = type <= 3 ? "ASCII" : "Binary";
  info.BitsPerPixel = (type == 1 || type == 4) ? 1 : (type == 2 || type == 5) ? 8 : 24;
  info.Width = static_cast<int>(input.Number());
  info.Height = static_cast<int>(input.Number());
  info.ColorsText = info.BitsPerPixel == 24 ? "16.7M" : std::to_string(1 << info.BitsPerPixel);
  return info;
}
