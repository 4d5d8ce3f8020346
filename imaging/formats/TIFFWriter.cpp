#include <algorithm>
#include <vector>

#include "imaging/PGMessageIds.h"
#include "imaging/formats/FormatSettings.h"
#include "imaging/formats/TIFFFormat.h"
#include "imaging/formats/TIFFPackBits.h"

namespace {

constexpr std::uint32_t PackBits = 32773;
enum : std::uint16_t { ttShort = 3, ttLong = 4, ttRational = 5 };

[[noreturn]] void RaiseTIFFWriter(const std::string& text) {
  throw EPGTIFFileFormatWriter("TIFF: " + text);
}

// Numbers in the chosen byte order.
class TTIFFOutput {
 public:
  TTIFFOutput(TPGStream& stream, bool motorola) : FStream(stream), FMotorola(motorola) {}
  void Put(std::uint32_t v, int size) {
    std::uint8_t b[4];
    for (int i = 0; i < size; ++i) b[FMotorola ? size - 1 - i : i] = static_cast<std::uint8_t>(v >> (8 * i));
    FStream.Write(b, static_cast<std::size_t>(size));
  }
  void U16(std::uint32_t v) { Put(v, 2); }
  void U32(std::uint32_t v) { Put(v, 4); }
  // Overwrites a 32-bit field and comes back.
  void Patch(std::int64_t position, std::uint32_t v) {
    const std::int64_t here = FStream.Position();
    FStream.Seek(position);
    U32(v);
    FStream.Seek(here);
  }
  // Overwrites an array of 32-bit fields in one write and comes back.
  void PatchArray(std::int64_t position, const std::vector<std::uint32_t>& values) {
    std::vector<std::uint8_t> bytes(4 * values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
      for (int k = 0; k < 4; ++k)
        bytes[4 * i + (FMotorola ? 3 - k : k)] = static_cast<std::uint8_t>(values[i] >> (8 * k));
    const std::int64_t here = FStream.Position();
    FStream.Seek(position);
    FStream.Write(bytes.data(), bytes.size());
    FStream.Seek(here);
  }

 private:
  TPGStream& FStream;
  bool FMotorola;
};

struct TEntry {
  std::uint16_t Tag;
  std::uint16_t Type;
  std::uint32_t Count;
  std::uint32_t Value;
  std::int64_t Field = 0;  // stream position of the value field, for patching
};

// Builds file row y of the image into `row` (R bytes, zero-filled first).
void BuildRow(const TPixelGraphic& graphic, int y, bool whiteIsZero, bool cmyk,
              std::vector<std::uint8_t>& row) {
  std::fill(row.begin(), row.end(), 0);
  const int width = graphic.Width();
  const std::uint8_t* in = graphic.ScanLine(y);
  switch (graphic.PixelFormat()) {
    case pf1Bit: {
      const bool invert = whiteIsZero && graphic.PaletteIdent() == pBlackWhite;
      for (int x = 0; x < width; ++x) {
        const bool set = ((in[x >> 3] >> (7 - (x & 7))) & 1) != invert;
        if (set) row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
      }
      break;
    }
    case pf4Bit: {
      const bool invert = whiteIsZero && graphic.PaletteIdent() == pGray16;
      for (int x = 0; x < width; ++x) {
        int v = (x & 1) ? in[x >> 1] & 15 : in[x >> 1] >> 4;
        if (invert) v = 15 - v;
        row[x >> 1] |= static_cast<std::uint8_t>((x & 1) ? v : v << 4);
      }
      break;
    }
    case pf8Bit: {
      const bool invert = whiteIsZero && graphic.PaletteIdent() == pGray256;
      for (int x = 0; x < width; ++x) row[x] = invert ? static_cast<std::uint8_t>(255 - in[x]) : in[x];
      break;
    }
    default:
      for (int x = 0; x < width; ++x, in += 3) {
        const int r = in[2], g = in[1], b = in[0];
        if (cmyk) {
          const int c = 255 - r, m = 255 - g, ye = 255 - b;
          const int k = std::min({c, m, ye});
          std::uint8_t* p = row.data() + 4 * static_cast<std::size_t>(x);
          p[0] = static_cast<std::uint8_t>(c - k);
          p[1] = static_cast<std::uint8_t>(m - k);
          p[2] = static_cast<std::uint8_t>(ye - k);
          p[3] = static_cast<std::uint8_t>(k);
        } else {
          std::uint8_t* p = row.data() + 3 * static_cast<std::size_t>(x);
          p[0] = static_cast<std::uint8_t>(r);
          p[1] = static_cast<std::uint8_t>(g);
          p[2] = static_cast<std::uint8_t>(b);
        }
      }
  }
}

// One written file: the header, the image and the trailer, in this order. Keeps where the data
// starts and where the first-directory field is between the stages.
class TTIFFWriteCall {
 public:
  explicit TTIFFWriteCall(const TPGFormatSettings& settings) : FSettings(settings) {}
  void WriteHeader(TPGStream& stream);
  void WriteImage(TPGStream& stream, TPixelGraphic& graphic);
  void WriteTrailer(TPGStream&) {}

 private:
  const TPGFormatSettings& FSettings;
  std::int64_t FBase = 0;
  std::int64_t FFirstIFDField = 0;
  bool FMotorola = false;
};

void TTIFFWriteCall::WriteHeader(TPGStream& stream) {
  FBase = stream.Position();
  FMotorola = FSettings.TIFFWriteMotorola;
  TTIFFOutput out(stream, FMotorola);
  stream.Write(FMotorola ? "MM" : "II", 2);
  out.U16(42);
  FFirstIFDField = stream.Position();
  out.U32(0);
}

void TTIFFWriteCall::WriteImage(TPGStream& stream, TPixelGraphic& graphic) {
  // An image without pixels has no rows to divide into strips.
  if (graphic.Empty()) RaiseTIFFWriter(PGMessage(pgmZeroSize));
  const TPGFormatSettings& s = FSettings;
  const std::uint32_t compression = static_cast<std::uint32_t>(s.TIFFWriteCompression);
  if (compression != 1 && compression != PackBits) RaiseTIFFWriter("Internal Error");
  TTIFFOutput out(stream, FMotorola);

  const TPixelFormat format = graphic.PixelFormat();
  const bool trueColor = format == pf24Bit;
  const bool cmyk = trueColor && s.TIFFWriteCMYK;
  const std::uint64_t width = static_cast<std::uint64_t>(graphic.Width());
  const std::uint64_t height = static_cast<std::uint64_t>(graphic.Height());
  const std::uint64_t rowLength = format == pf1Bit   ? (width + 7) / 8
                                  : format == pf4Bit ? (width + 1) / 2
                                  : format == pf8Bit ? width
                                                     : (cmyk ? 4 : 3) * width;
  // Offsets are 32 bits: the worst PackBits case adds one byte per 128.
  if (rowLength * height / 128 * 129 + rowLength + 65536 > 0xFFFFFFFFull)
    RaiseTIFFWriter(PGMessage(pgmOutOfRange, "Image size"));
  const std::uint64_t work = compression == PackBits ? 2 * rowLength : rowLength;
  const std::uint64_t rowsPerStrip = std::clamp<std::uint64_t>(32767 / work, 1, height);
  const std::uint64_t strips = (height + rowsPerStrip - 1) / rowsPerStrip;

  const TPaletteIdent ident = graphic.PaletteIdent();
  const bool gray = format == pf1Bit || (format == pf4Bit && ident == pGray16) ||
                    (format == pf8Bit && ident == pGray256);
  const bool palette = !trueColor && !gray;
  const std::uint32_t photometric = trueColor ? (cmyk ? 5 : 2)
                                    : gray    ? (s.TIFFWriteWhiteIsZero ? 0 : 1)
                                              : 3;
  const std::uint32_t samples = trueColor ? (cmyk ? 4 : 3) : 1;
  const std::uint32_t bits = trueColor ? 8 : static_cast<std::uint32_t>(graphic.BitCount());
  const auto count32 = static_cast<std::uint32_t>(strips);

  std::vector<TEntry> entries = {
      {254, ttLong, 1, 0},
      {256, ttLong, 1, static_cast<std::uint32_t>(width)},
      {257, ttLong, 1, static_cast<std::uint32_t>(height)},
      {258, ttShort, samples, trueColor ? 0 : bits},
      {259, ttShort, 1, compression},
      {262, ttShort, 1, photometric},
      {273, ttLong, count32, 0},
      {277, ttShort, 1, samples},
      {278, ttLong, 1, static_cast<std::uint32_t>(rowsPerStrip)},
      {279, ttLong, count32, 0},
      {282, ttRational, 1, 0},
      {283, ttRational, 1, 0},
      {296, ttShort, 1, static_cast<std::uint32_t>(s.TIFFResolutionUnit + 1)},
  };
  if (palette) entries.push_back({320, ttShort, 3u << bits, 0});
  const auto find = [&entries](std::uint16_t tag) -> TEntry& {
    return *std::find_if(entries.begin(), entries.end(), [tag](const TEntry& e) { return e.Tag == tag; });
  };

  out.Patch(FFirstIFDField, static_cast<std::uint32_t>(stream.Position() - FBase));
  out.U16(static_cast<std::uint32_t>(entries.size()));
  for (TEntry& e : entries) {
    out.U16(e.Tag);
    out.U16(e.Type);
    out.U32(e.Count);
    e.Field = stream.Position();
    if (e.Type == ttShort) {
      out.U16(e.Value);
      out.U16(0);
    } else {
      out.U32(e.Value);
    }
  }
  out.U32(0);  // no next directory

  const auto here = [&] { return static_cast<std::uint32_t>(stream.Position() - FBase); };
  if (palette) {
    find(320).Value = here();
    const int n = 1 << bits;
    for (int channel = 0; channel < 3; ++channel)
      for (int i = 0; i < n; ++i) {
        int v = 0;
        if (i < graphic.PaletteCount()) {
          const TRGB c = graphic.PaletteColor(i);
          v = (channel == 0 ? RedOf(c) : channel == 1 ? GreenOf(c) : BlueOf(c)) * 256;
        }
        out.U16(static_cast<std::uint32_t>(v));
      }
  }
  if (trueColor) {
    find(258).Value = here();
    for (std::uint32_t i = 0; i < samples; ++i) out.U16(8);
  }
  find(282).Value = here();
  out.U32(s.TIFFXResolution.Numerator);
  out.U32(s.TIFFXResolution.Denominator);
  find(283).Value = here();
  out.U32(s.TIFFYResolution.Numerator);
  out.U32(s.TIFFYResolution.Denominator);
  std::int64_t offsetsArray = 0, countsArray = 0;
  if (strips > 1) {
    find(273).Value = here();
    const std::vector<std::uint8_t> zeros(4 * static_cast<std::size_t>(strips));
    offsetsArray = stream.Position();
    stream.Write(zeros.data(), zeros.size());
    find(279).Value = here();
    countsArray = stream.Position();
    stream.Write(zeros.data(), zeros.size());
  }
  for (const TEntry& e : entries)
    if (e.Tag == 258 || e.Tag == 273 || e.Tag == 279 || e.Tag == 282 || e.Tag == 283 ||
        e.Tag == 320) {
      if (e.Tag == 258 && !trueColor) continue;
      if ((e.Tag == 273 || e.Tag == 279) && strips == 1) continue;
      out.Patch(e.Field, e.Value);
    }

  std::vector<std::uint32_t> stripOffsets, stripCounts;
  std::vector<std::uint8_t> row(static_cast<std::size_t>(rowLength));
  std::vector<std::uint8_t> packed;
  std::int64_t stripStart = 0;
  {
    TPGProgressScope progress(graphic);
    const int h = graphic.Height();
    for (int y = 0; y < h; ++y) {
      if (static_cast<std::uint64_t>(y) % rowsPerStrip == 0) {
        if ((stream.Position() - FBase) & 1) {
          const std::uint8_t zero = 0;
          stream.Write(&zero, 1);
        }
        stripStart = stream.Position();
        stripOffsets.push_back(here());
      }
      BuildRow(graphic, y, s.TIFFWriteWhiteIsZero, cmyk, row);
      if (compression == PackBits) {
        packed.clear();
        PackBitsEncodeRow(row.data(), row.size(), packed);
        stream.Write(packed.data(), packed.size());
      } else {
        stream.Write(row.data(), row.size());
      }
      if (static_cast<std::uint64_t>(y) % rowsPerStrip == rowsPerStrip - 1 || y == h - 1)
        stripCounts.push_back(static_cast<std::uint32_t>(stream.Position() - stripStart));
      bool ignoredAbort = graphic.Progress(y, h - 1);
      (void)ignoredAbort;
    }
  }
  const std::int64_t end = stream.Position();
  if (strips == 1) {
    out.Patch(find(273).Field, stripOffsets[0]);
    out.Patch(find(279).Field, stripCounts[0]);
  } else {
    out.PatchArray(offsetsArray, stripOffsets);
    out.PatchArray(countsArray, stripCounts);
  }
  stream.Seek(end);
}

}  // namespace

void TTIFFileFormatWriter::WriteToStream(TPGStream& stream, TPixelGraphic& graphic,
                                         const TPGFormatContext& context) const {
  TTIFFWriteCall call(context.Settings);
  call.WriteHeader(stream);
  call.WriteImage(stream, graphic);
  call.WriteTrailer(stream);
}
