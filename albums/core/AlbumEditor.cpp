#include "albums/core/AlbumEditor.h"

#include "albums/core/AlbumFile.h"
#include "files/FilePaths.h"

namespace {
const char* const kNoVideo = "You can't add an AVI file to a photo album";
}

TAlbumEditor::TAlbumEditor() = default;

void TAlbumEditor::SetSettings(const TAlbumSettings& settings) { FAlbum.Settings = settings; }

void TAlbumEditor::New() {
  FAlbum = TAlbum();
  FAlbum.Settings = NewAlbumSettings();
  FFileName.clear();
}

std::optional<std::string> TAlbumEditor::Add(const std::string& path) {
  if (IsAviPath(path)) return kNoVideo;
  if (auto problem = AlbumPathProblem(path)) return problem;
  FAlbum.Entries.push_back({path, ""});
  return std::nullopt;
}

int TAlbumEditor::Import(const std::string& folder, const std::vector<std::string>& names) {
  int added = 0;
  for (const std::string& name : names) {
    const std::string path = JoinPath(folder, name);
    if (IsAviPath(path) || AlbumPathProblem(path)) continue;
    FAlbum.Entries.push_back({path, ""});
    ++added;
  }
  return added;
}

bool TAlbumEditor::Remove(int index) {
  if (index < 0 || index >= Count()) return false;
  FAlbum.Entries.erase(FAlbum.Entries.begin() + index);
  return true;
}

bool TAlbumEditor::Move(int from, int to) {
  if (from < 0 || from >= Count() || to < 0 || to >= Count()) return false;
  TAlbumEntry entry = std::move(FAlbum.Entries[static_cast<std::size_t>(from)]);
  FAlbum.Entries.erase(FAlbum.Entries.begin() + from);
  FAlbum.Entries.insert(FAlbum.Entries.begin() + to, std::move(entry));
  return true;
}

std::optional<std::string> TAlbumEditor::SetCaption(int index, const std::string& caption) {
  if (index < 0 || index >= Count()) return std::nullopt;
  const std::string clean = CleanCaption(caption);
  if (auto problem = AlbumCaptionProblem(clean)) return problem;
  FAlbum.Entries[static_cast<std::size_t>(index)].Caption = clean;
  return std::nullopt;
}

void TAlbumEditor::Open(const std::string& path) {
  FAlbum = ReadAlbumFile(path);
  FFileName = path;
}

void TAlbumEditor::SaveAs(const std::string& path) {
  WriteAlbumFile(FAlbum, path);
  FFileName = path;
}
