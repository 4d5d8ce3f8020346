// Album files as arbitrary bytes: what reads must write again and read back the same, and the
// page layout must hold for the settings read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "albums/core/AlbumFile.h"
#include "albums/core/AlbumLayout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TAlbum album;
  try {
    album = DecodeAlbum(bytes);
  } catch (const EAlbumError&) {
    return 0;
  }
  const TAlbumSettings& s = album.Settings;
  const auto cells = AlbumCells({5100, 6600, 600, 600, 600, 600}, s.Rows, s.Cols);
  if (cells.size() != static_cast<std::size_t>(s.Rows * s.Cols)) std::abort();
  for (const TCellRect& cell : cells) {
    const auto place = FitPictureInCell(cell, s.Border, 1 + s.Font.Color % 9000, 1 + s.Font.Size * 97);
    if (place && (place->Left < cell.Left || place->Right > cell.Right || place->Top < cell.Top ||
                  place->Bottom > cell.Bottom))
      std::abort();
  }
  if (album.Entries.empty()) return 0;
  const TAlbum again = DecodeAlbum(EncodeAlbum(album));  // never refuses what it read
  if (!(again == album)) std::abort();
  return 0;
}
