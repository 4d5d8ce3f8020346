#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <map>

#include "imaging/formats/ColorProfile.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

bool ReadBytes(std::ifstream& in, Bytes& out, std::size_t n) {
  out.resize(n);
  return n == 0 || bool(in.read(reinterpret_cast<char*>(out.data()), std::streamsize(n)));
}

std::uint32_t BigEndian(const std::uint8_t* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v = (v << 8) | p[i];
  return v;
}

// APP2 segments "ICC_PROFILE\0", sequence number, count, data; joined in sequence order.
TColorProfile JPEGProfile(std::ifstream& in) {
  static const char kTag[] = "ICC_PROFILE";
  std::map<int, Bytes> chunks;
  std::size_t total = 0;
  in.seekg(2);
  Bytes head, body;
  while (ReadBytes(in, head, 2)) {
    if (head[0] != 0xFF) return {};
    std::uint8_t marker = head[1];
    while (marker == 0xFF && ReadBytes(in, head, 1)) marker = head[0];  // fill bytes
    if (marker == 0xDA || marker == 0xD9) break;  // the picture data: no header follows
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
    if (!ReadBytes(in, head, 2)) return {};
    const std::uint32_t length = BigEndian(head.data(), 2);
    if (length < 2) return {};
    if (marker != 0xE2) {
      in.seekg(length - 2, std::ios::cur);
      continue;
    }
    if (!ReadBytes(in, body, length - 2)) return {};
    if (body.size() < 14 || std::memcmp(body.data(), kTag, sizeof kTag) != 0) continue;
    total += body.size() - 14;
    if (total > kMaxColorProfileBytes) return {};
    chunks[body[12]] = Bytes(body.begin() + 14, body.end());
  }
  TColorProfile profile;
  for (const auto& [sequence, data] : chunks) profile.insert(profile.end(), data.begin(), data.end());
  return profile;
}

// Inflates at most kMaxColorProfileBytes.
TColorProfile Inflate(const std::uint8_t* data, std::size_t size) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return {};
  TColorProfile out;
  std::array<std::uint8_t, 65536> buffer{};
  z.next_in = const_cast<std::uint8_t*>(data);
  z.avail_in = static_cast<uInt>(size);
  int status = Z_OK;
  while (status == Z_OK) {
    z.next_out = buffer.data();
    z.avail_out = buffer.size();
    status = inflate(&z, Z_NO_FLUSH);
    if (status != Z_OK && status != Z_STREAM_END) break;
    out.insert(out.end(), buffer.data(), buffer.data() + (buffer.size() - z.avail_out));
    if (out.size() > kMaxColorProfileBytes) status = Z_DATA_ERROR;
    if (status == Z_OK && z.avail_in == 0 && z.avail_out != 0) status = Z_DATA_ERROR;
  }
  inflateEnd(&z);
  return status == Z_STREAM_END ? out : TColorProfile();
}

// The iCCP chunk: name, zero, compression method 0, zlib data. Chunks after IDAT do not count.
TColorProfile PNGProfile(std::ifstream& in) {
  in.seekg(8);
  Bytes head, body;
  while (ReadBytes(in, head, 8)) {
    const std::uint32_t length = BigEndian(head.data(), 4);
    const std::string type(head.begin() + 4, head.end());
    if (type == "IDAT" || type == "IEND") break;
    if (type != "iCCP") {
      in.seekg(std::streamoff(length) + 4, std::ios::cur);
      continue;
    }
    if (length > kMaxColorProfileBytes || !ReadBytes(in, body, length)) return {};
    const auto zero = std::find(body.begin(), body.end(), 0);
    if (zero == body.end() || zero + 2 > body.end() || zero[1] != 0) return {};
    const std::size_t at = std::size_t(zero - body.begin()) + 2;
    return Inflate(body.data() + at, body.size() - at);
  }
  return {};
}

// Tag 34675 of the first directory.
TColorProfile TIFFProfile(std::ifstream& in, bool motorola) {
  Bytes b;
  auto number = [&](int bytes) -> std::uint32_t {
    if (!ReadBytes(in, b, bytes)) return 0;
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= std::uint32_t{b[motorola ? i : bytes - 1 - i]} << (8 * (bytes - 1 - i));
    return v;
  };
  in.seekg(4);
  const std::uint32_t directory = number(4);
  if (!in || directory < 8) return {};
  in.seekg(directory);
  const std::uint32_t count = number(2);
  if (!in || count > 4096) return {};
  for (std::uint32_t i = 0; i < count && in; ++i) {
    const std::uint32_t tag = number(2), type = number(2), n = number(4), offset = number(4);
    if (tag != 34675) continue;
    if ((type != 7 && type != 1) || n <= 4 || n > kMaxColorProfileBytes) return {};
    in.seekg(offset);
    TColorProfile profile;
    return ReadBytes(in, profile, n) ? profile : TColorProfile();
  }
  return {};
}

}  // namespace

TColorProfile ReadColorProfile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  std::array<std::uint8_t, 8> magic{};
  if (!in.read(reinterpret_cast<char*>(magic.data()), 8)) return {};
  if (magic[0] == 0xFF && magic[1] == 0xD8) return JPEGProfile(in);
  static const std::uint8_t kPNG[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (std::memcmp(magic.data(), kPNG, 8) == 0) return PNGProfile(in);
  if (magic[0] == 'I' && magic[1] == 'I' && magic[2] == 42 && magic[3] == 0) return TIFFProfile(in, false);
  if (magic[0] == 'M' && magic[1] == 'M' && magic[2] == 0 && magic[3] == 42) return TIFFProfile(in, true);
  return {};
}
