// Paintbrush (PCX) files: reader only.
#pragma once

#include "imaging/formats/FileFormat.h"

class TPCXFileFormatReader : public TFileFormatReader {
 public:
  TPCXFileFormatReader() : TFileFormatReader("pcx", "Paintbrush", true) { HasHeaderCheck = true; }
  std::string ClassName() const override { return "TPCXFileFormatReader"; }
  bool CheckHeader(const std::uint8_t* header) const override { return header[0] == 0x0A; }
  void ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                      const TPGFormatContext& context) const override;
  TPGFileInfo GetInfo(TPGStream& stream, int index, const TPGFormatContext& context) const override;
};
