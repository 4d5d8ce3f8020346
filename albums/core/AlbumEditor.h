// The album being edited in the album window: its entries and settings, and the file it was
// read from or saved to. Every command of the window that changes the album goes through here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "albums/core/AlbumDocument.h"

class TAlbumEditor {
 public:
  TAlbumEditor();

  const TAlbum& Album() const { return FAlbum; }
  const TAlbumSettings& Settings() const { return FAlbum.Settings; }
  void SetSettings(const TAlbumSettings& settings);
  int Count() const { return static_cast<int>(FAlbum.Entries.size()); }
  const TAlbumEntry& Entry(int index) const { return FAlbum.Entries.at(static_cast<std::size_t>(index)); }
  // The album file ("" until one was read or written successfully).
  const std::string& FileName() const { return FFileName; }

  // Default settings with a black caption font, no entries, no file name.
  void New();
  void Clear() { FAlbum.Entries.clear(); }

  // Appends a picture with an empty caption; the message when it is refused (a video, or a
  // path the album file cannot store).
  std::optional<std::string> Add(const std::string& path);
  // Appends the folder's files in the order given, leaving out videos and names the album
  // file cannot store; the number appended.
  int Import(const std::string& folder, const std::vector<std::string>& names);
  // Removes an entry; false for an index out of range.
  bool Remove(int index);
  // Moves an entry to another place in the list; false for indices out of range.
  bool Move(int from, int to);
  // Sets a caption, line breaks turned into spaces; the message when the album file cannot
  // store it.
  std::optional<std::string> SetCaption(int index, const std::string& caption);

  // Reads an album file; on success the album and its settings are replaced and the file name
  // remembered. On failure (EAlbumError) the album and the file name stay as they were.
  void Open(const std::string& path);
  // Writes the album to the file and remembers its name; raises EAlbumError (the file and the
  // remembered name stay as they were).
  void SaveAs(const std::string& path);

 private:
  TAlbum FAlbum;
  std::string FFileName;
};
