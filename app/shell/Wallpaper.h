// The desktop wallpaper: the four commands with their three values ("Wallpaper",
// "TileWallpaper", "WallpaperStyle"), and the backends that give the running desktop the
// picture: GNOME (gsettings), KDE Plasma (its scripting interface over D-Bus) and XFCE
// (xfconf-query). On any other desktop a clear message says that it is not supported.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "app/shell/Commands.h"

inline constexpr const char* kNoWallpaper = "(None)";

enum class TWallpaperMode { Centered, Tiled, Stretched, None };

// The values a command writes: the file, "TileWallpaper" and "WallpaperStyle".
struct TWallpaperValues {
  std::string File;
  std::string Tile;
  std::string Style;
  bool operator==(const TWallpaperValues&) const = default;
};

// "Centered", "Tiled", "Stretched" with the current file, "Remove Wallpaper" with "(None)".
TWallpaperValues WallpaperValuesFor(TWallpaperMode mode, const std::string& currentFile);
// The mode the three values mean ("(None)" is None; tile "1" Tiled; style "2" Stretched).
TWallpaperMode WallpaperModeOf(const TWallpaperValues& values);
// True when the file must first become a BMP file: its extension is not ".BMP" (any case)
// and it is not "(None)".
bool WallpaperNeedsBitmap(const std::string& file);

class EWallpaperError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Hands the picture to the desktop. Raises EWallpaperError with the message for the user.
class TWallpaperBackend {
 public:
  virtual ~TWallpaperBackend() = default;
  virtual std::string Name() const = 0;
  // `file` is an absolute path, or "(None)" with mode None.
  virtual void Apply(const std::string& file, TWallpaperMode mode) = 0;
};

// The backend of the running desktop, by $XDG_CURRENT_DESKTOP (a ":"-separated list such as
// "ubuntu:GNOME"); `runner` must outlive it.
std::unique_ptr<TWallpaperBackend> WallpaperBackendFor(const std::string& currentDesktop,
                                                       TCommandRunner& runner);

// The "file://" address of an absolute path, every byte outside the unreserved set and "/"
// percent-encoded.
std::string FileUri(const std::string& path);
// A JavaScript string literal (double-quoted, escaped) of the text.
std::string ScriptString(const std::string& text);
