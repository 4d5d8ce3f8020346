// Windows metafile (.wmf) and enhanced metafile (.emf) readers, rendering through TMetafile.
#pragma once

#include <memory>

#include "imaging/formats/FileFormat.h"
#include "platform/Metafile.h"

class tWMFFileFormatReader : public TFileFormatReader {
 public:
  tWMFFileFormatReader() : tWMFFileFormatReader("wmf", "Windows Metafile") {}
  std::string ClassName() const override { return "tWMFFileFormatReader"; }
  bool CheckHeader(const std::uint8_t* header) const override;
  void ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index,
                      const TPGFormatContext& context) const override;
  TPGFileInfo GetInfo(TPGStream& stream, int index, const TPGFormatContext& context) const override;

 protected:
  tWMFFileFormatReader(const char* extension, const char* description)
      : TFileFormatReader(extension, description, true) {
    HasHeaderCheck = true;
  }
  virtual bool Load(TPGStream& stream, TMetafile& metafile) const;
};

class tEMFFileFormatReader : public tWMFFileFormatReader {
 public:
  tEMFFileFormatReader() : tWMFFileFormatReader("emf", "Enhanced Metafile") {}
  std::string ClassName() const override { return "tEMFFileFormatReader"; }
  bool CheckHeader(const std::uint8_t* header) const override;

 protected:
  bool Load(TPGStream& stream, TMetafile& metafile) const override;
};

// Fits a size into limit x limit keeping its shape (never enlarging); halves round to even.
void FitMetafileSize(int& width, int& height, int limit);

// Appends the WMF reader and then the EMF reader (once).
void RegisterMetafileReaders();
// The readers outside the library in their fixed order: GIF, icon, then the metafiles, which
// draw with Qt (part of the Qt metafile library, lumivex_metafile).
void RegisterExtraReaders();
