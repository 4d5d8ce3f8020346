// The BMP file a picture of another type becomes before it can be the wallpaper. It is made in
// the program's own per-user data folder ("wallpaper" inside it), named with the picture's
// name cut before its first "." followed by ".bmp", and never replaces a file there unless the
// user agrees.
#pragma once

#include <functional>
#include <string>

// <dataFolder>/wallpaper/<name before the first ".">.bmp ("wallpaper.bmp" when that part is
// empty).
std::string WallpaperBitmapPath(const std::string& dataFolder, const std::string& picture);

// Loads the picture and writes it as a BMP file at `target` (folders made as needed). The
// file is written under a temporary name first and takes the target's name without replacing
// anything; when a file of that name exists, `replace` is asked (with the target's path) and
// on false nothing is changed. Returns false when the user declined. The imaging core's error
// (EPixelGraphic) or an EFileError reaches the caller; no temporary file stays behind.
bool MakeWallpaperBitmap(const std::string& picture, const std::string& target,
                         const std::function<bool(const std::string& target)>& replace);
