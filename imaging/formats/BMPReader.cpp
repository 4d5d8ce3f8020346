// The BMP/DIB/RLE file readers: the file header, then ReadDIB.
#include "imaging/PGMessageIds.h"
#include "imaging/formats/BMPFormat.h"
#include "imaging/formats/BMPHeader.h"

namespace {
// Reads the 14-byte file header and peeks the size of the header that follows.
std::uint32_t SkipFileHeader(TPGStream& stream) {
  std::uint8_t fileHeader[14] = {};
  stream.Read(fileHeader, sizeof fileHeader);
  std::uint8_t size[4] = {};
  const std::int64_t position = stream.Position();
  stream.Read(size, 4);
  stream.Seek(position);
  const std::uint32_t headerSize = GetLE32(size);
  if (headerSize != 12 && headerSize != 40 && !IsBMPExtendedHeaderSize(headerSize))
    RaiseBMP(pgmInvalidSizeOf, "BitmapInfoHeader/BitmapCoreHeader");
  return headerSize;
}
}  // namespace

bool TBMPFileFormatReader::CheckHeader(const std::uint8_t* header) const {
  return header[0] == 'B' && header[1] == 'M';
}

void TBMPFileFormatReader::ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                                          const TPGFormatContext& context) const {
  if (index != 0) RaiseBMP(pgmInvalid, "Index");
  const std::uint32_t headerSize = SkipFileHeader(stream);
  // Data that ends inside the pixels: what was read is shown, after a warning.
  if (!ReadDIB(graphic, stream, headerSize == 12, context.Settings.BMPRead16BitExpand)) {
    const std::string text = "BMP: " + PGMessage(pgmUnexpectedEnd);
    if (context.AskWarning(graphic.ReadWarningAction, "BMP " + PGMessage(pgmWarning), text) !=
        pgwGoOn)
      throw EPGBMPFileFormatReader(text);
  }
}

TPGFileInfo TBMPFileFormatReader::GetInfo(TPGStream& stream, int index,
                                          const TPGFormatContext& context) const {
  TPGFileInfo info = TFileFormatReader::GetInfo(stream, index, context);
  if (index != 0) RaiseBMP(pgmInvalidValueFor, "Index");
  const std::uint32_t headerSize = SkipFileHeader(stream);
  std::uint8_t h[12] = {};
  if (headerSize == 12) stream.Read(h, 12);
  const TBMPHeader header = headerSize == 12 ? ParseBMPCoreHeader(h) : ReadBMPInfoHeader(stream);
  info.Width = header.Width;
  info.Height = header.Height;
  info.BitsPerPixel = header.BitCount;
  if (header.Core) {
    info.VersionText = "OS/2";
  } else {
    info.VersionText = BMPHeaderVersionText(header);
    static const char* const kCompression[] = {", RGB", ", RLE8", ", RLE4", ""};
    info.VersionText += kCompression[header.Compression];
    if (header.Height < 0) info.VersionText += ", Top-Down";
  }
  switch (header.BitCount) {
    case 1: info.ColorsText = "2"; break;
    case 4: info.ColorsText = "16"; break;
    case 8: info.ColorsText = "256"; break;
    case 16: info.ColorsText = "64K"; break;
    default: info.ColorsText = "16.7M"; break;
  }
  return info;
}
