#include <cstring>
#include <memory>
#include <string>

#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/PxMFormat.h"
#include "imaging/formats/Registry.h"

namespace {

[[noreturn]] void RaiseWriter(const std::string& tag, int message, const std::string& s1 = {}) {
  throw EPGPxMFileFormatWriter(tag + PGMessage(message, s1));
}

// Output through a buffer flushed when full and at the end.
class TPxMOutput {
 public:
  explicit TPxMOutput(TPGStream& stream) : FStream(stream), FData(new char[kSize + 64]) {}
  void Put(char c) {
    *Extend(1) = c;
    FlushWhenFull();
  }
  void Put(const std::string& s) {
    std::memcpy(Extend(s.size()), s.data(), s.size());
    FlushWhenFull();
  }
  void Number(unsigned v) {
    char digits[12];
    int n = 0;
    do digits[n++] = static_cast<char>('0' + v % 10);
    while ((v /= 10) != 0);
    char* out = Extend(static_cast<std::size_t>(n));
    while (n) *out++ = digits[--n];
    FlushWhenFull();
  }
  // Room for n more bytes at the end of the buffer, to be filled by the caller.
  char* Extend(std::size_t n) {
    if (FSize + n > FCapacity) Grow(FSize + n);
    char* at = FData.get() + FSize;
    FSize += n;
    return at;
  }
  void FlushWhenFull() {
    if (FSize >= kSize) Flush();
  }
  void Flush() {
    FStream.Write(FData.get(), FSize);
    FSize = 0;
  }

 private:
  // Large enough that raw rows of photos leave in few writes.
  static constexpr std::size_t kSize = 1 << 20;
  void Grow(std::size_t needed) {
    std::unique_ptr<char[]> larger(new char[needed]);
    std::memcpy(larger.get(), FData.get(), FSize);
    FData = std::move(larger);
    FCapacity = needed;
  }
  TPGStream& FStream;
  std::unique_ptr<char[]> FData;
  std::size_t FSize = 0;
  std::size_t FCapacity = kSize + 64;
};

// A row of blue, green, red pixels as red, green, blue.
void StoreRGB(const std::uint8_t* __restrict bgr, char* __restrict rgb, int width) {
  for (int x = 0; x < width; ++x, bgr += 3, rgb += 3) {
    rgb[0] = static_cast<char>(bgr[2]);
    rgb[1] = static_cast<char>(bgr[1]);
    rgb[2] = static_cast<char>(bgr[0]);
  }
}

}  // namespace

void TPXMFileFormatWriter::WriteToStream(TPGStream& stream, TPixelGraphic& graphic,
                                         const TPGFormatContext& context) const {
  const std::string ext = LowerCase(Extension);
  const std::string tag = "PBM, PGM, PPM: ";
  int kind;
  if (ext == "pbm") kind = 1;
  else if (ext == "pgm") kind = 2;
  else if (ext == "ppm") kind = 3;
  else RaiseWriter(tag, 19, ext);
  if (graphic.Width() < 1 || graphic.Height() < 1 || graphic.Empty()) RaiseWriter(tag, 35);
  const TPixelFormat format = graphic.PixelFormat();
  const TPaletteIdent ident = graphic.PaletteIdent();
  if (kind == 1 && format != pf1Bit && ident != pBlackWhite) RaiseWriter("PBM: ", 36);
  if (kind == 2 && format != pf8Bit && ident != pGray256) RaiseWriter("PGM: ", 36);
  if (kind == 3 && format != pf24Bit) RaiseWriter("PPM: ", 36);

  const bool binary = context.Settings.PXMWriteBinary;
  const int w = graphic.Width();
  const int h = graphic.Height();
  TPxMOutput out(stream);
  out.Put('P');
  out.Put(static_cast<char>('0' + kind + (binary ? 3 : 0)));
  out.Put('\n');
  out.Number(static_cast<unsigned>(w));
  out.Put(' ');
  out.Number(static_cast<unsigned>(h));
  out.Put('\n');
  if (kind != 1) out.Put("255\n");

  TPGProgressScope progress(graphic);
  const std::size_t bitBytes = (static_cast<std::size_t>(w) + 7) / 8;
  std::string row;
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* line = graphic.ScanLine(y);
    if (kind == 1 && binary) {
      row.assign(bitBytes, '\0');
      if (format == pf1Bit) {
        for (std::size_t i = 0; i < bitBytes; ++i) row[i] = static_cast<char>(~line[i]);
      } else {
        // A black-and-white image of more bits: index 0 (black) becomes a set bit.
        for (int x = 0; x < w; ++x)
          if (graphic.Pixel(x, y) == 0)
            row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
      }
      // The low bits of the last byte are padding and written as 0.
      if (w % 8) row[bitBytes - 1] = static_cast<char>(row[bitBytes - 1] & (0xFF00 >> (w % 8)));
      out.Put(row);
    } else if (kind == 1) {
      for (int x = 0; x < w; ++x) {
        if (x) out.Put(' ');
        out.Put(graphic.Pixel(x, y) == 0 ? '1' : '0');
      }
      out.Put('\n');
    } else if (kind == 2 && binary) {
      if (format == pf8Bit) {
        row.assign(reinterpret_cast<const char*>(line), static_cast<std::size_t>(w));
      } else {
        row.resize(static_cast<std::size_t>(w));
        for (int x = 0; x < w; ++x) row[x] = static_cast<char>(graphic.Pixel(x, y));
      }
      out.Put(row);
    } else if (kind == 2) {
      for (int x = 0; x < w; ++x) {
        if (x) out.Put(' ');
        out.Number(format == pf8Bit ? line[x] : graphic.Pixel(x, y) & 0xFF);
      }
      out.Put('\n');
    } else if (binary) {
      StoreRGB(line, out.Extend(3 * static_cast<std::size_t>(w)), w);
      out.FlushWhenFull();
    } else {
      for (int x = 0; x < w; ++x) {
        if (x) out.Put(' ');
        out.Number(line[3 * x + 2]);
        out.Put(' ');
        out.Number(line[3 * x + 1]);
        out.Put(' ');
        out.Number(line[3 * x]);
      }
      out.Put('\n');
    }
    bool ignoredAbort = graphic.Progress(y, h);
    (void)ignoredAbort;
  }
  out.Flush();
}
