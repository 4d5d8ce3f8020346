#include <cmath>
#include <cstring>

#include "platform/MetafileData.h"
#include "platform/MetafileRecords.h"

namespace {

std::uint16_t Get16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t Get32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void Put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

// a * b / c rounded to nearest, as the platform's MulDiv; 0 when c is 0.
std::int64_t MulDiv(std::int64_t a, std::int64_t b, std::int64_t c) {
  if (c == 0) return 0;
  const long double r = static_cast<long double>(a) * b / c;
  return static_cast<std::int64_t>(std::llround(r));
}

// Sizes beyond this cannot be rendered at all (they are refused by the readers anyway).
constexpr int kMaxSide = 1 << 20;

bool ParseWindowsRecords(TMetafileData& data) {
  const std::vector<std::uint8_t>& b = data.Bytes;
  if (b.size() < 22 + 18) return false;
  const std::uint8_t* h = b.data() + 22;
  const int type = Get16(h), headerWords = Get16(h + 2);
  if (!IsWindowsMetafileType(type) || headerWords != 9) return false;
  data.ObjectCount = Get16(h + 10);
  std::size_t pos = 22 + 18;
  while (pos + 6 <= b.size()) {
    const std::uint64_t words = Get32(&b[pos]);
    const std::uint32_t function = Get16(&b[pos + 4]);
    if (words < 3 || words * 2 > b.size() - pos) break;  // a size that lies ends the list
    if (function == wmfEof) break;
    data.Records.push_back({function, TMetaParams(&b[pos + 6], static_cast<std::size_t>(words * 2 - 6))});
    pos += static_cast<std::size_t>(words * 2);
  }
  return true;
}

}  // namespace

std::uint64_t MetafileMaxPixels = std::uint64_t{64} << 20;

float TMetaParams::F32(std::size_t offset) const {
  const std::uint32_t bits = U32(offset);
  float f;
  std::memcpy(&f, &bits, 4);
  return std::isfinite(f) ? f : 0.0f;
}

std::vector<std::uint8_t> MakePlaceableHeader() {
  std::vector<std::uint8_t> h(22, 0);
  h[0] = 0xD7;
  h[1] = 0xCD;
  h[2] = 0xC6;
  h[3] = 0x9A;
  // Default extents 100 x 50 become a box of 0, 0, 99, 49.
  Put16(&h[6], 0);
  Put16(&h[8], 0);
  Put16(&h[10], 99);
  Put16(&h[12], 49);
  Put16(&h[14], (kMetafileScreenPPI + kMetafileScreenPPI) / 2);
  std::uint16_t sum = 0;
  for (int i = 0; i < 10; ++i) sum ^= Get16(&h[2 * i]);
  Put16(&h[20], sum);
  return h;
}

bool PlaceableBoxValid(int left, int top, int right, int bottom) {
  return left < right && top < bottom && right != 32767 && bottom < 32767;
}

bool LoadWindowsMetafile(const std::vector<std::uint8_t>& file, TMetafileData& data) {
  data = TMetafileData{};
  data.Placeable = file.size() >= 4 && Get32(file.data()) == kPlaceableKey;
  if (data.Placeable) {
    data.Bytes = file;
  } else {
    data.Bytes = MakePlaceableHeader();
    data.Bytes.insert(data.Bytes.end(), file.begin(), file.end());
  }
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (attempt == 1) {
      if (data.Bytes.size() < 22) return false;
      const std::vector<std::uint8_t> fresh = MakePlaceableHeader();
      std::copy(fresh.begin(), fresh.end(), data.Bytes.begin());
    }
    data.Records.clear();
    if (data.Bytes.size() < 22) continue;
    const std::uint8_t* p = data.Bytes.data();
    int left = static_cast<std::int16_t>(Get16(p + 6)), top = static_cast<std::int16_t>(Get16(p + 8));
    int right = static_cast<std::int16_t>(Get16(p + 10)), bottom = static_cast<std::int16_t>(Get16(p + 12));
    if (!PlaceableBoxValid(left, top, right, bottom)) {
      left = top = 0;
      right = 99;
      bottom = 49;
    }
    const int inch = Get16(p + 14);
    if (inch == 0 || !ParseWindowsRecords(data)) continue;
    data.Left = left;
    data.Top = top;
    data.Right = right;
    data.Bottom = bottom;
    data.Inch = inch;
    const std::int64_t mmWidth = MulDiv(right - left, 2540, inch);
    const std::int64_t mmHeight = MulDiv(bottom - top, 2540, inch);
    data.NaturalWidth = static_cast<int>(MulDiv(mmWidth, kMetafileScreenPPI, 2540));
    data.NaturalHeight = static_cast<int>(MulDiv(mmHeight, kMetafileScreenPPI, 2540));
    if (data.NaturalWidth < 1 || data.NaturalHeight < 1 || data.NaturalWidth > kMaxSide ||
        data.NaturalHeight > kMaxSide)
      continue;
    return true;
  }
  data.Records.clear();
  return false;
}

bool LoadEnhancedMetafile(const std::vector<std::uint8_t>& file, TMetafileData& data) {
  data = TMetafileData{};
  data.Enhanced = true;
  data.Bytes = file;
  const std::vector<std::uint8_t>& b = data.Bytes;
  if (b.size() < 88 || Get32(b.data()) != 1) return false;
  const std::uint32_t headerSize = Get32(b.data() + 4);
  if (headerSize < 88 || headerSize > b.size() || Get32(b.data() + 40) != kEMFSignature)
    return false;
  const std::uint8_t* h = b.data();
  for (int i = 0; i < 4; ++i) {
    data.Bounds[i] = static_cast<std::int32_t>(Get32(h + 8 + 4 * i));
    data.Frame[i] = static_cast<std::int32_t>(Get32(h + 24 + 4 * i));
  }
  data.ObjectCount = Get16(h + 56);
  data.DevicePixels[0] = static_cast<std::int32_t>(Get32(h + 72));
  data.DevicePixels[1] = static_cast<std::int32_t>(Get32(h + 76));
  data.DeviceMillimeters[0] = static_cast<std::int32_t>(Get32(h + 80));
  data.DeviceMillimeters[1] = static_cast<std::int32_t>(Get32(h + 84));
  if (data.DevicePixels[0] <= 0 || data.DevicePixels[1] <= 0 || data.DeviceMillimeters[0] <= 0 ||
      data.DeviceMillimeters[1] <= 0) {
    // A header without a reference device: take a 96-pixels-per-inch screen.
    data.DevicePixels[0] = data.DevicePixels[1] = 960;
    data.DeviceMillimeters[0] = data.DeviceMillimeters[1] = 254;
  }
  // The frame (0.01 mm) in pixels of the reference device.
  const std::int64_t frameW = static_cast<std::int64_t>(data.Frame[2]) - data.Frame[0];
  const std::int64_t frameH = static_cast<std::int64_t>(data.Frame[3]) - data.Frame[1];
  std::int64_t w = MulDiv(frameW, data.DevicePixels[0], std::int64_t{data.DeviceMillimeters[0]} * 100);
  std::int64_t hgt = MulDiv(frameH, data.DevicePixels[1], std::int64_t{data.DeviceMillimeters[1]} * 100);
  if (w < 1 || hgt < 1) {
    // No usable frame: the bounds in device pixels.
    w = static_cast<std::int64_t>(data.Bounds[2]) - data.Bounds[0] + 1;
    hgt = static_cast<std::int64_t>(data.Bounds[3]) - data.Bounds[1] + 1;
  }
  if (w < 1 || hgt < 1 || w > kMaxSide || hgt > kMaxSide) return false;
  data.NaturalWidth = static_cast<int>(w);
  data.NaturalHeight = static_cast<int>(hgt);

  std::size_t pos = headerSize;
  while (pos + 8 <= b.size()) {
    const std::uint32_t type = Get32(&b[pos]);
    const std::uint32_t size = Get32(&b[pos + 4]);
    if (size < 8 || size > b.size() - pos || size % 4 != 0) break;
    const TMetaParams params(&b[pos + 8], size - 8);
    if (type == emrEof) {  // carrying the palette
      try {
        const std::uint32_t n = params.U32(0), offset = params.U32(4);
        if (n >= 1 && n <= 256 && offset >= 8) {
          const TMetaParams entries = params.Sub(offset - 8, 4 * static_cast<std::size_t>(n));
          for (std::uint32_t i = 0; i < n; ++i)
            data.Palette.push_back(RGBColor(entries.U8(4 * i), entries.U8(4 * i + 1), entries.U8(4 * i + 2)));
        }
      } catch (const TMetaRecordOverrun&) {
        data.Palette.clear();
      }
      break;
    }
    data.Records.push_back({type, params});
    pos += size;
  }
  return true;
}

bool CheckWMFHeader(const std::uint8_t* h) {
  if (Get32(h) == kPlaceableKey) return true;
  const int type = Get16(h);
  return IsWindowsMetafileType(type) && Get16(h + 2) == 9 && Get16(h + 4) != 0 &&
         Get32(h + 6) > 18 && Get16(h + 10) != 0;
}

bool CheckEMFHeader(const std::uint8_t* h) {
  // Header records are 88 bytes or more; the signature sits beyond the 17 bytes checked here,
  // so the reader checks it when loading.
  return Get32(h) == emrHeader && Get32(h + 4) >= 88;
}
