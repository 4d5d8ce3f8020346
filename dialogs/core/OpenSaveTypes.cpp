#include "dialogs/core/OpenSaveTypes.h"

#include <filesystem>

#include "imaging/PGErrors.h"
#include "imaging/PGMessageIds.h"

namespace {

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

template <class List>
TFileTypeEntry EntryOf(const List& item) {
  const std::string ext = LowerCase(item->Extension);
  return {Upper(ext) + " - " + item->Description, {"*." + ext}, ext};
}

// The position of the extension's dot in the last path component; npos when none.
std::size_t ExtensionDot(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string::npos;
  return dot;
}

}  // namespace

std::vector<TFileTypeEntry> OpenFileTypes(const TFileFormatReaderList& readers) {
  std::vector<TFileTypeEntry> types;
  TFileTypeEntry combined{PGMessage(pgmImageFiles), {}, {}};
  std::vector<TFileTypeEntry> each;
  for (const auto& reader : readers) {
    if (!reader->InDefaultFilter) continue;
    each.push_back(EntryOf(reader));
    combined.Patterns.push_back(each.back().Patterns.front());
  }
  if (!each.empty()) {
    types.push_back(combined);
    types.insert(types.end(), each.begin(), each.end());
  }
  types.push_back({PGMessage(pgmAllFiles), {"*.*"}, {}});
  return types;
}

std::vector<TFileTypeEntry> SaveFileTypes(const TFileFormatWriterList& writers) {
  std::vector<TFileTypeEntry> types;
  for (const auto& writer : writers)
    if (writer->InDefaultFilter) types.push_back(EntryOf(writer));
  return types;
}

std::vector<TFileTypeEntry> OpenFileTypes() {
  const auto lock = LockFormatRegistry();
  SortFileFormatReaders();
  return OpenFileTypes(FileFormatReaders());
}

std::vector<TFileTypeEntry> SaveFileTypes() {
  const auto lock = LockFormatRegistry();
  SortFileFormatWriters();
  return SaveFileTypes(FileFormatWriters());
}

std::string FilterString(const std::vector<TFileTypeEntry>& types) {
  std::string s;
  for (std::size_t i = 0; i < types.size(); ++i) {
    if (i > 0) s += "|";
    s += types[i].Description + "|";
    for (std::size_t k = 0; k < types[i].Patterns.size(); ++k)
      s += (k > 0 ? "; " : "") + types[i].Patterns[k];
  }
  return s;
}

std::string FileTypeExtension(const std::vector<TFileTypeEntry>& types, int index) {
  if (index < 1 || index > static_cast<int>(types.size())) return {};
  return types[static_cast<std::size_t>(index - 1)].Extension;
}

int FileTypeIndexForName(const std::vector<TFileTypeEntry>& types, const std::string& fileName) {
  const std::size_t dot = ExtensionDot(fileName);
  if (dot == std::string::npos) return 0;
  const std::string ext = LowerCase(fileName.substr(dot + 1));
  if (ext.empty()) return 0;
  for (std::size_t i = 0; i < types.size(); ++i)
    if (types[i].Extension == ext) return static_cast<int>(i) + 1;
  return 0;
}

std::string NameWithTypeExtension(const std::string& fileName, const std::string& extension) {
  if (fileName.empty() || extension.empty() || fileName.back() == '/') return fileName;
  if (ExtensionDot(fileName) != std::string::npos) return fileName;
  return fileName + "." + extension;
}

std::string RenameForType(const std::string& path, const std::string& currentFolder,
                          const std::string& extension) {
  namespace fs = std::filesystem;
  std::string full = path;
  if (!full.empty() && full.front() != '/' && !currentFolder.empty())
    full = (fs::path(currentFolder) / full).string();
  std::size_t dot = ExtensionDot(full);
  if (dot == std::string::npos) {
    full += ".xxx";  // one to replace
    dot = full.size() - 4;
  }
  full = full.substr(0, dot) + "." + extension;
  const fs::path p(full);
  const fs::path folder = fs::path(currentFolder).lexically_normal();
  std::string parent = p.parent_path().lexically_normal().string();
  std::string current = folder.string();
  while (parent.size() > 1 && parent.back() == '/') parent.pop_back();
  while (current.size() > 1 && current.back() == '/') current.pop_back();
  if (!currentFolder.empty() && parent == current) return p.filename().string();
  return full;
}

std::vector<std::string> FileInfoLines(const TPGFileInfoResult& info) {
  std::string size = std::to_string(info.Width) + "x" + std::to_string(info.Height) + "x" +
                     info.ColorsText + " " + std::to_string(info.BitsPerPixel) + " " +
                     PGMessage(pgmBit);
  if (info.ImageCount > 1) size += ", " + std::to_string(info.ImageCount);
  std::vector<std::string> lines;
  const std::string* parts[] = {&info.FormatDescription, &info.VersionText, &info.DescriptionText,
                                &size};
  for (const std::string* s : parts)
    if (!s->empty()) lines.push_back(*s);
  return lines;
}
