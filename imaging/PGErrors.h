// The imaging library's exception family and its message table.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

struct TPGLangStrEntry {
  std::uint8_t Index;
  const char* Text;  // English text; the library carries only this language
};

inline constexpr int PGLangStrCount = 85;
extern const TPGLangStrEntry PGLangStrEntries[PGLangStrCount];

// Raises EPixelGraphic on the first entry whose stored index differs from its position.
void CheckPGLangStrEntries(std::span<const TPGLangStrEntry> entries);

// Replaces the first occurrence of "%S1", "%S2" and "%S3" by the given texts.
std::string PGFormat(const std::string& text, const std::string& s1 = {},
                     const std::string& s2 = {}, const std::string& s3 = {});

// Text of message `index` with its placeholders filled.
std::string PGMessage(int index, const std::string& s1 = {}, const std::string& s2 = {},
                      const std::string& s3 = {});

class EPixelGraphic : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

#define LUMIVEX_PG_ERROR(name) \
  class name : public EPixelGraphic { \
   public: \
    using EPixelGraphic::EPixelGraphic; \
  };

LUMIVEX_PG_ERROR(EPGXYIndexOutOfRange)
LUMIVEX_PG_ERROR(EPGNoPalette)
LUMIVEX_PG_ERROR(EPGInvalidPaletteIndex)
LUMIVEX_PG_ERROR(EPGEmpty)
LUMIVEX_PG_ERROR(EPGCanWriteResolutionsEmpty)
LUMIVEX_PG_ERROR(EPGCannotWriteColorRes)
LUMIVEX_PG_ERROR(EPGFileFormatWritersEmpty)
LUMIVEX_PG_ERROR(EPGUnknownExtension)
LUMIVEX_PG_ERROR(EPGUnknownFileFormat)
LUMIVEX_PG_ERROR(EPGUnknownClipboardFormat)
LUMIVEX_PG_ERROR(EPGBMPFileFormatReader)
LUMIVEX_PG_ERROR(EPGJPGFileFormatReaderWriter)
LUMIVEX_PG_ERROR(EPGPNGFileFormatReaderWriter)
LUMIVEX_PG_ERROR(EPGPCXFileFormatReader)
LUMIVEX_PG_ERROR(EPGPxMFileFormatReader)
LUMIVEX_PG_ERROR(EPGPxMFileFormatWriter)
LUMIVEX_PG_ERROR(EPGTGAFileFormatReader)
LUMIVEX_PG_ERROR(EPGTIFFileFormatReader)
LUMIVEX_PG_ERROR(EPGTIFFileFormatWriter)
LUMIVEX_PG_ERROR(EPGInvalidBitCountNum)
LUMIVEX_PG_ERROR(EPGInvalidSize)
LUMIVEX_PG_ERROR(EPGFilter)
LUMIVEX_PG_ERROR(EPGSaturationHue)
LUMIVEX_PG_ERROR(EPGConvFilter)

#undef LUMIVEX_PG_ERROR

// Throws E with message `index` of the table.
template <class E = EPixelGraphic>
[[noreturn]] void PGRaise(int index, const std::string& s1 = {}, const std::string& s2 = {},
                          const std::string& s3 = {}) {
  throw E(PGMessage(index, s1, s2, s3));
}
