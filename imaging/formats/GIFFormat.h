// GIF files: the still-image reader (any image of the file by index).
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/formats/FileFormat.h"

// Raised where loading stops without anything to tell the user (the windows do not report it).
class EPGSilentAbort : public EPixelGraphic {
 public:
  using EPixelGraphic::EPixelGraphic;
};

class tGifFileFormatReader : public TFileFormatReader {
 public:
  tGifFileFormatReader() : TFileFormatReader("gif", "GIF", true) { HasHeaderCheck = true; }
  std::string ClassName() const override { return "tGifFileFormatReader"; }
  bool CheckHeader(const std::uint8_t* header) const override {
    return header[0] == 'G' && header[1] == 'I' && header[2] == 'F';
  }
  void ReadFromStream(TPGStream& stream, TPixelGraphic& graphic, int index) override;
  TPGFileInfo GetInfo(TPGStream& stream, int index) override;

 private:
  struct TImage {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool LocalTable = false;
    int LocalBits = 0;
    bool Interlaced = false;
    int EffectiveBits = 0;
  };

  bool Parse();
  void ResetState();
  bool ReadImageDescriptor(bool decode);
  void DecodeImageData();
  void SkipSubBlocks();
  bool Has(std::size_t n) const { return FPos <= FData.size() && FData.size() - FPos >= n; }
  void Advance(std::size_t n) { FPos = Has(n) ? FPos + n : FData.size(); }

  // Parse state; one parse at a time.
  std::vector<std::uint8_t> FData;
  std::size_t FPos = 0;
  int FRequested = 0;  // 1-based
  bool FDecodeMode = false;
  int FImageCount = 0;
  int FGlobalBits = 0;
  std::uint8_t FGlobalPalette[768] = {};
  std::uint8_t FPalette[768] = {};
  std::string FVersion;
  bool FAnyInterlaced = false;
  bool FAbort = false;
  bool FFound = false;
  int FRequestedWidth = 0, FRequestedHeight = 0;
  TImage FImage;
  TPixelGraphic* FTarget = nullptr;
};
