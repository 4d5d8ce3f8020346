#include "files/Preferences.h"

#include "files/DeleteRules.h"

const std::array<std::string_view, kFileTypeCount>& FileTypeNames() {
  static const std::array<std::string_view, kFileTypeCount> names = {
      "JPG", "GIF", "BMP", "ICO", "WMF", "AVI", "PCX", "PNG", "TGA", "TIF"};
  return names;
}

std::string EditorValueName(int type) {
  return std::string(FileTypeNames().at(static_cast<std::size_t>(type))) + " Editor";
}

TFileTypeSet ParseFileTypes(std::string_view fileTypes) {
  TFileTypeSet types{};
  for (std::size_t i = 0; i < types.size() && i < fileTypes.size(); ++i)
    types[i] = fileTypes[i] == '1';
  return types;
}

std::string FileTypesText(const TFileTypeSet& types) {
  std::string text;
  for (bool on : types) text += on ? '1' : '0';
  return text;
}

std::string FileTypeMaskOf(std::string_view fileTypes) {
  const TFileTypeSet types = ParseFileTypes(fileTypes);
  std::string mask;
  for (std::size_t i = 0; i < types.size(); ++i) {
    if (!types[i]) continue;
    if (!mask.empty()) mask += ';';
    mask += "*.";
    for (char c : FileTypeNames()[i]) mask += static_cast<char>(c - 'A' + 'a');
  }
  return mask;
}

int FileTypeOf(std::string_view fileName) {
  const auto dot = fileName.rfind('.');
  if (dot == std::string_view::npos || fileName.size() - dot != 4) return -1;
  std::string ext;
  for (char c : fileName.substr(dot + 1)) ext += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
  for (std::size_t i = 0; i < FileTypeNames().size(); ++i)
    if (FileTypeNames()[i] == ext) return static_cast<int>(i);
  return -1;
}

TPreferences TPreferences::Read(const TSettingReader& read) {
  TPreferences p;
  p.FileTypes = ParseFileTypes(read("FileTypes", kAllFileTypes));
  for (int i = 0; i < kFileTypeCount; ++i) p.Editors[i] = read(EditorValueName(i), "");
  p.ConfirmDeletions = ConfirmsDeletions(read("Confirm Deletions", "1"));
  p.DeletePermanently = DeletesPermanently(read("Deletions", "0"));
  return p;
}

void TPreferences::Write(const TSettingWriter& write) const {
  write("FileTypes", FileTypesText(FileTypes));
  for (int i = 0; i < kFileTypeCount; ++i) write(EditorValueName(i), Editors[i]);
  write("Deletions", DeletePermanently ? "1" : "0");
  write("Confirm Deletions", ConfirmDeletions ? "1" : "0");
}
