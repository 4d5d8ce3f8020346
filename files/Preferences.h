// The user's preferences: which picture types the file lists show, an external editor per
// type, and how files are deleted. Read from and written to the settings store through two
// functions, so that this model needs no window and no particular store.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

inline constexpr int kFileTypeCount = 10;
using TFileTypeSet = std::array<bool, kFileTypeCount>;

// "JPG", "GIF", "BMP", "ICO", "WMF", "AVI", "PCX", "PNG", "TGA", "TIF", in this order.
const std::array<std::string_view, kFileTypeCount>& FileTypeNames();
// "JPG Editor" ... : the settings value of each type's editor.
std::string EditorValueName(int type);

// Every type on: the "FileTypes" value when nothing is stored.
inline constexpr const char* kAllFileTypes = "1111111111";

// A type is on when its character is "1"; characters beyond the end count as off.
TFileTypeSet ParseFileTypes(std::string_view fileTypes);
std::string FileTypesText(const TFileTypeSet& types);
// The file mask of a "FileTypes" value: "*.jpg;*.gif;..." for the types that are on.
std::string FileTypeMaskOf(std::string_view fileTypes);
// The type of a file name by its extension (0..9), -1 for another type.
int FileTypeOf(std::string_view fileName);

using TSettingReader =
    std::function<std::string(const std::string& name, const std::string& fallback)>;
using TSettingWriter = std::function<void(const std::string& name, const std::string& value)>;

struct TPreferences {
  TFileTypeSet FileTypes{};
  std::array<std::string, kFileTypeCount> Editors;
  bool DeletePermanently = false;
  bool ConfirmDeletions = true;

  // As the preferences dialog shows them ("FileTypes" defaults to every type).
  static TPreferences Read(const TSettingReader& read);
  // "FileTypes", the ten editors (also when empty), "Deletions" and "Confirm Deletions".
  void Write(const TSettingWriter& write) const;
};
