#include "albums/core/Cp1252.h"

#include <cstdint>

namespace {

// Code points of the bytes 0x80..0x9F.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The next code point of a UTF-8 text; nothing for a malformed sequence.
std::optional<char32_t> NextCodePoint(const std::string& text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
  const std::uint8_t lead = byte(i);
  int extra = 0;
  char32_t c = 0;
  if (lead < 0x80) {
    ++i;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, c = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (i + static_cast<std::size_t>(extra) >= text.size()) return std::nullopt;
  for (int k = 1; k <= extra; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  i += static_cast<std::size_t>(extra) + 1;
  return c;
}

std::optional<char> EncodeChar(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int k = 0; k < 32; ++k)
    if (kHigh[k] == c) return static_cast<char>(0x80 + k);
  return std::nullopt;
}

}  // namespace

std::string Cp1252ToUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char ch : bytes) {
    const auto b = static_cast<std::uint8_t>(ch);
    AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : static_cast<char32_t>(b));
  }
  return out;
}

std::optional<std::string> Utf8ToCp1252(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::optional<char32_t> c = NextCodePoint(text, i);
    if (!c) return std::nullopt;
    const std::optional<char> b = EncodeChar(*c);
    if (!b) return std::nullopt;
    out += *b;
  }
  return out;
}
