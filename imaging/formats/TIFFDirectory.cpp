#include "imaging/formats/TIFFDirectory.h"

#include <set>

#include "imaging/PGMessageIds.h"
#include "imaging/formats/FormatSettings.h"

void RaiseTIFF(const std::string& text) { throw EPGTIFFileFormatReader("TIFF: " + text); }

namespace {

enum TTIFFType : std::uint16_t { ttByte = 1, ttShort = 3, ttLong = 4 };

// Reads numbers in the file's byte order at offsets relative to the base, never past the end
// of the stream.
class TTIFFInput {
 public:
  TTIFFInput(TPGStream& stream, std::int64_t base, bool motorola)
      : FStream(stream), FBase(base), FMotorola(motorola), FSize(stream.Size() - base) {}

  std::int64_t Size() const { return FSize; }  // bytes from the base to the end
  bool Fits(std::uint64_t offset, std::uint64_t length) const {
    return FSize >= 0 && offset <= static_cast<std::uint64_t>(FSize) &&
           length <= static_cast<std::uint64_t>(FSize) - offset;
  }
  void Read(std::uint64_t offset, void* buffer, std::size_t length) {
    if (!Fits(offset, length)) RaiseTIFF(PGMessage(pgmUnexpectedEnd));
    FStream.Seek(FBase + static_cast<std::int64_t>(offset));
    if (!FStream.ReadFull(buffer, length)) RaiseTIFF(PGMessage(pgmUnexpectedEnd));
  }
  std::uint32_t Number(const std::uint8_t* p, int size) const {
    std::uint32_t v = 0;
    for (int i = 0; i < size; ++i) {
      const std::uint32_t b = p[FMotorola ? i : size - 1 - i];
      v = (v << 8) | b;
    }
    return v;
  }
  std::uint16_t U16(std::uint64_t offset) {
    std::uint8_t b[2];
    Read(offset, b, 2);
    return static_cast<std::uint16_t>(Number(b, 2));
  }
  std::uint32_t U32(std::uint64_t offset) {
    std::uint8_t b[4];
    Read(offset, b, 4);
    return Number(b, 4);
  }

 private:
  TPGStream& FStream;
  std::int64_t FBase;
  bool FMotorola;
  std::int64_t FSize;
};

struct TEntry {
  std::uint16_t Tag;
  std::uint16_t Type;
  std::uint32_t Count;
  std::uint8_t Value[4];
};

int TypeSize(std::uint16_t type) {
  switch (type) {
    case ttByte: return 1;
    case ttShort: return 2;
    case ttLong: return 4;
    default: return 0;
  }
}

// The values of an entry. Values that fit in four bytes are stored in the entry itself,
// larger arrays at the offset the entry gives; the array must lie inside the file.
std::vector<std::uint32_t> Values(TTIFFInput& in, const TEntry& e) {
  const int size = TypeSize(e.Type);
  if (size == 0) RaiseTIFF("Unsupported field Type: " + std::to_string(e.Type));
  const std::uint64_t bytes = std::uint64_t{e.Count} * static_cast<std::uint64_t>(size);
  std::vector<std::uint8_t> raw;
  if (bytes <= 4) {
    raw.assign(e.Value, e.Value + bytes);
  } else {
    const std::uint64_t offset = in.Number(e.Value, 4);
    if (!in.Fits(offset, bytes)) RaiseTIFF(PGMessage(pgmUnexpectedEnd));
    raw.resize(static_cast<std::size_t>(bytes));
    in.Read(offset, raw.data(), raw.size());
  }
  std::vector<std::uint32_t> values(e.Count);
  for (std::uint32_t i = 0; i < e.Count; ++i)
    values[i] = in.Number(raw.data() + static_cast<std::size_t>(i) * size, size);
  return values;
}

std::uint32_t Single(TTIFFInput& in, const TEntry& e) {
  const std::vector<std::uint32_t> v = Values(in, e);
  return v.empty() ? 0 : v[0];
}

// Follows the directory chain; returns the offset of directory `index` and sets the count.
// A chain that leaves the file, loops or grows beyond TIFFMaxImages counts as one image.
std::uint32_t WalkDirectories(TTIFFInput& in, std::uint32_t first, int index, int maxImages,
                              int& count) {
  std::uint32_t chosen = first;
  std::set<std::uint32_t> seen;
  std::uint32_t offset = first;
  count = 0;
  bool broken = false;
  while (offset != 0) {
    if (!in.Fits(offset, 2) || !seen.insert(offset).second) {
      broken = true;
      break;
    }
    const std::uint16_t entries = in.U16(offset);
    const std::uint64_t next = std::uint64_t{offset} + 2 + 12ull * entries;
    if (!in.Fits(next, 4)) {
      broken = true;
      break;
    }
    if (count == index) chosen = offset;
    if (++count > maxImages) {
      broken = true;
      break;
    }
    offset = in.U32(next);
  }
  if (broken || count == 0) {
    count = 1;
    return first;
  }
  return chosen;
}

bool LayoutAccepted(const TTIFFDirectory& d) {
  const auto all = [&d](std::uint32_t bits) {
    for (std::uint32_t b : d.BitsPerSample)
      if (b != bits) return false;
    return true;
  };
  const std::uint32_t bits = d.BitsPerSample.empty() ? 0 : d.BitsPerSample[0];
  switch (d.Photometric) {
    case 0:
    case 1:
    case 3:
      return d.SamplesPerPixel == 1 && (bits == 1 || bits == 4 || bits == 8);
    case 2: return (d.SamplesPerPixel == 3 || d.SamplesPerPixel == 4) && all(8);
    case 5: return d.SamplesPerPixel == 4 && all(8);
    default: return false;
  }
}

}  // namespace

int TTIFFDirectory::BitsPerPixel() const {
  std::uint64_t sum = 0;
  for (std::uint32_t b : BitsPerSample) sum += b;
  return sum > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(sum);
}

std::string TIFFExtraSamplesText(std::uint32_t kind) {
  return kind == 1 ? "Associated alpha" : kind == 2 ? "Unassociated alpha" : "Extra samples";
}

TTIFFDirectory::TAlpha TTIFFDirectory::Alpha() const {
  if (Photometric != 2 || SamplesPerPixel != 4 || ExtraSamples.empty()) return alNone;
  switch (ExtraSamples[0]) {
    case 1: return alAssociated;
    case 2: return alUnassociated;
    default: return alNone;
  }
}

TPixelFormat TTIFFDirectory::Format() const {
  if (SamplesPerPixel > 1) return pf24Bit;
  const std::uint32_t bits = BitsPerSample.empty() ? 0 : BitsPerSample[0];
  return bits == 1 ? pf1Bit : bits == 4 ? pf4Bit : pf8Bit;
}

TTIFFDirectory ReadTIFFDirectory(TPGStream& stream, int index, const TPGFormatSettings& settings) {
  TTIFFDirectory d;
  d.Base = stream.Position();
  std::uint8_t header[8] = {};
  if (!stream.ReadFull(header, sizeof header)) RaiseTIFF("Not a TIF file");
  if (header[0] == 'I' && header[1] == 'I')
    d.Motorola = false;
  else if (header[0] == 'M' && header[1] == 'M')
    d.Motorola = true;
  else
    RaiseTIFF("Not a TIF file");
  TTIFFInput in(stream, d.Base, d.Motorola);
  if (in.Number(header + 2, 2) != 42) RaiseTIFF("Not a TIF file");
  const std::uint32_t first = in.Number(header + 4, 4);

  std::uint32_t offset = first;
  d.ImageCount = 1;
  if (settings.TIFFReadAllImages)
    offset = WalkDirectories(in, first, index, settings.TIFFMaxImages, d.ImageCount);
  if (index < 0 || index >= d.ImageCount) RaiseTIFF(PGMessage(pgmInvalid, "Index"));

  const std::uint16_t count = in.U16(offset);
  if (!in.Fits(std::uint64_t{offset} + 2, 12ull * count)) RaiseTIFF(PGMessage(pgmUnexpectedEnd));
  std::vector<std::uint8_t> raw(12u * count);
  in.Read(std::uint64_t{offset} + 2, raw.data(), raw.size());
  std::vector<TEntry> entries(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = raw.data() + 12 * i;
    TEntry& e = entries[i];
    e.Tag = static_cast<std::uint16_t>(in.Number(p, 2));
    e.Type = static_cast<std::uint16_t>(in.Number(p + 2, 2));
    e.Count = in.Number(p + 4, 4);
    for (int k = 0; k < 4; ++k) e.Value[k] = p[8 + k];
  }
  for (const TEntry& e : entries)
    if (e.Tag == 284) {
      d.PlanarConfiguration = Single(in, e);
      if (d.PlanarConfiguration > 1) RaiseTIFF(PGMessage(pgmInvalid, "PlanarConfiguration"));
    }
  for (const TEntry& e : entries) {
    switch (e.Tag) {
      case 254:
      case 279:
        // Read but not used: a field of another type is no reason to refuse the file.
        if (TypeSize(e.Type) == 0) break;
        if (e.Tag == 254)
          d.NewSubfileType = Single(in, e);
        else
          d.StripByteCounts = Values(in, e);
        break;
      case 256: d.Width = Single(in, e); break;
      case 257: d.Height = Single(in, e); break;
      case 258: d.BitsPerSample = Values(in, e); break;
      case 259: d.Compression = Single(in, e); break;
      case 262: d.Photometric = Single(in, e); break;
      case 273: d.StripOffsets = Values(in, e); break;
      case 277: d.SamplesPerPixel = Single(in, e); break;
      case 278: d.RowsPerStrip = Single(in, e); break;
      case 320: d.ColorMap = Values(in, e); break;
      case 338:
        if (TypeSize(e.Type) != 0) d.ExtraSamples = Values(in, e);
        break;
      default: break;
    }
  }
  if (d.SamplesPerPixel != 1 && d.SamplesPerPixel != 3 && d.SamplesPerPixel != 4)
    RaiseTIFF("Invalid SamplesPerPixel");
  if (d.BitsPerSample.size() != d.SamplesPerPixel) RaiseTIFF("Invalid count of SamplesPerPixel");
  if (!LayoutAccepted(d)) RaiseTIFF("Invalid SamplesPerPixel");
  if (d.RowsPerStrip == 0) {
    if (d.StripOffsets.size() > 1) RaiseTIFF("Invalid RowsPerStrip");
    if (d.StripOffsets.size() == 1) d.RowsPerStrip = d.Height;
  }
  return d;
}
