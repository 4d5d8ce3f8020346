// Windows icon files (.ico): reader only. Icons load as 24-bit pictures whose masked pixels
// are white and marked transparent.
#pragma once

#include "imaging/formats/FileFormat.h"
#include "imaging/formats/ICOHandler.h"

class tIcoFileFormatReader : public TFileFormatReader {
 public:
  tIcoFileFormatReader() : TFileFormatReader("ico", "Windows Icon", true) { HasHeaderCheck = true; }
  std::string ClassName() const override { return "tIcoFileFormatReader"; }
  bool CheckHeader(const std::uint8_t* header) const override {
    return GetLE16(header) == 0 && GetLE16(header + 2) == 1 && GetLE16(header + 4) != 0;
  }
  void ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                      const TPGFormatContext& context) const override;
  TPGFileInfo GetInfo(TPGStream& stream, int index, const TPGFormatContext& context) const override;
};
