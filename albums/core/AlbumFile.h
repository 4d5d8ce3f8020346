// The album file ("*.alb"): Windows-1252 text with CR LF record ends.
//
//   offset  size  field
//        0     3  rows, right-aligned, space-padded
//        3     3  columns
//        6     3  frame border
//        9     1  print frames, "1" or "0"
//       10     1  caption option "0", "1" or "2"
//       11    40  caption font name, right-aligned
//       51     2  caption font size in points
//       53    12  caption font colour, a signed 32-bit colour value
//       65     1  bold, "1" or "0"
//       66     1  italic, "1" or "0"
//       67  1000  spaces, reserved
//     1067     -  per entry: path, TAB, caption, CR, LF
#pragma once

#include <string>

#include "albums/core/AlbumDocument.h"

inline constexpr std::size_t kAlbumHeaderSize = 67;
inline constexpr std::size_t kAlbumReservedSize = 1000;
inline constexpr std::size_t kAlbumRecordsOffset = kAlbumHeaderSize + kAlbumReservedSize;
// Larger files are refused rather than read into memory: no album comes near it.
inline constexpr std::size_t kMaxAlbumFileSize = 64u << 20;

// The file's bytes. Settings out of range are clamped and a font name over 40 characters is
// cut, so that no field grows into the next. Raises EAlbumError for an album without entries
// and for a path or caption the file cannot store.
std::string EncodeAlbum(const TAlbum& album);

// The album in a file's bytes. Rows, columns and border that are no number in their range take
// their defaults; a caption font size out of 6..24 is clamped, a caption option out of 0..2
// reads as "None". Raises EAlbumError when the file is shorter than its settings or its caption
// option, font size or colour is no number. A last record cut short ends at the end of the file.
TAlbum DecodeAlbum(const std::string& bytes);

// Reads an album file; EAlbumError names the file and what is wrong.
TAlbum ReadAlbumFile(const std::string& path);

// Writes the album under a temporary name in the target's folder and moves it over the target
// only when everything was written, so a failed save leaves the old file as it was. An existing
// file keeps its permissions. Raises EAlbumError.
void WriteAlbumFile(const TAlbum& album, const std::string& path);
