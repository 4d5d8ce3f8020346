// The album: an ordered list of picture files with captions, and the page layout and caption
// settings it is printed with. Paths and captions are UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// A failure of the album document or its file, with a message for the user.
class EAlbumError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class TCaptionOption { coNone = 0, coFilename = 1, coCaption = 2 };

// The system's window-text colour as a colour value (a negative system-colour value).
inline constexpr std::int32_t kWindowTextColor = -16777208;

struct TCaptionFont {
  std::string Name = "Arial";
  int Size = 8;  // points, 6..24
  std::int32_t Color = kWindowTextColor;  // 0x00BBGGRR, or a negative system-colour value
  bool Bold = false;
  bool Italic = false;

  bool operator==(const TCaptionFont&) const = default;
};

// Limits of the settings.
inline constexpr int kMinCells = 1, kMaxCells = 6;
inline constexpr int kMinBorder = 10, kMaxBorder = 500, kBorderStep = 10;
inline constexpr int kMinCaptionPoints = 6, kMaxCaptionPoints = 24;
inline constexpr int kDefaultRows = 3, kDefaultCols = 2, kDefaultBorder = 150;

struct TAlbumSettings {
  int Rows = kDefaultRows;
  int Cols = kDefaultCols;
  int Border = kDefaultBorder;  // page pixels
  bool PrintFrames = false;
  TCaptionOption Caption = TCaptionOption::coNone;
  TCaptionFont Font;

  bool operator==(const TAlbumSettings&) const = default;
};

struct TAlbumEntry {
  std::string Path;
  std::string Caption;

  bool operator==(const TAlbumEntry&) const = default;
};

struct TAlbum {
  TAlbumSettings Settings;
  std::vector<TAlbumEntry> Entries;

  bool operator==(const TAlbum&) const = default;
};

// The settings "New" gives: the defaults with a black caption font.
TAlbumSettings NewAlbumSettings();

// A caption as it is stored: every line break (CR LF, CR or LF) becomes one space, since a
// record of the album file ends at the first CR.
std::string CleanCaption(const std::string& caption);

// Why a path cannot be stored in an album file (a TAB, CR or LF in it, or a character without
// a Windows-1252 form); nothing when it can.
std::optional<std::string> AlbumPathProblem(const std::string& path);
// Why a caption cannot be stored (a character without a Windows-1252 form).
std::optional<std::string> AlbumCaptionProblem(const std::string& caption);

// Whether a path names a video: its extension's first three letters are "AVI" (any case).
bool IsAviPath(const std::string& path);
// Whether a path names a Windows or enhanced metafile by its extension ("WMF", "EMF").
bool IsMetafilePath(const std::string& path);
// The file name without its folder; "\" separates too (albums written on other systems).
std::string AlbumFileNameOf(const std::string& path);

// The number of a settings text (blanks around it allowed) when it is an integer in min..max.
std::optional<int> ParseSetting(const std::string& text, int min, int max);
