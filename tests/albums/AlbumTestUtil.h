// Pictures and albums written for the album tests.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "albums/core/AlbumDocument.h"
#include "imaging/PGraphic.h"
#include "imaging/formats/LoadSave.h"
#include "print/core/PageMetrics.h"

// A width x height picture of one colour (0x00BBGGRR) saved under the extension's format.
inline std::string WriteSolidPicture(const QString& folder, const std::string& name, int width,
                                     int height, TRGB color) {
  TPixelGraphic image;
  image.SetSize(width, height, pf24Bit);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = image.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = BlueOf(color);
      row[3 * x + 1] = GreenOf(color);
      row[3 * x + 2] = RedOf(color);
    }
  }
  const std::string path = folder.toStdString() + "/" + name;
  SaveToFile(image, path);
  return path;
}

inline std::string WriteFileBytes(const QString& folder, const std::string& name,
                                  const std::string& bytes) {
  const std::string path = folder.toStdString() + "/" + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// US Letter at 600 dpi.
inline TPageMetrics Letter600() {
  TPageMetrics m;
  m.ResX = m.ResY = 600;
  m.PageWidth = 5100;
  m.PageHeight = 6600;
  return m;
}

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
