// The album being edited: adding, importing, moving, captions, and opening and saving files
// without ever losing the album or the file it came from.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "albums/core/AlbumEditor.h"
#include "albums/core/AlbumFile.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Paths(const TAlbumEditor& editor) {
  std::vector<std::string> paths;
  for (const TAlbumEntry& e : editor.Album().Entries) paths.push_back(e.Path);
  return paths;
}

}  // namespace

TEST(AlbumEditor, AddsImportsMovesAndRemovesEntries) {
  TAlbumEditor editor;
  EXPECT_FALSE(editor.Add("/p/a.jpg"));
  EXPECT_EQ(editor.Add("/p/clip.avi"), "You can't add an AVI file to a photo album");
  EXPECT_TRUE(editor.Add("/p/bad\tname.jpg"));
  EXPECT_TRUE(editor.Add("/p/\xE6\x97\xA5.jpg"));
  EXPECT_EQ(editor.Import("/", {"b.png", "movie.AVI", "c.gif", "x\ny.jpg"}), 2);
  EXPECT_EQ(Paths(editor), (std::vector<std::string>{"/p/a.jpg", "/b.png", "/c.gif"}));
  EXPECT_TRUE(editor.Move(0, 2));
  EXPECT_EQ(Paths(editor), (std::vector<std::string>{"/b.png", "/c.gif", "/p/a.jpg"}));
  EXPECT_FALSE(editor.Move(0, 3));
  EXPECT_FALSE(editor.Move(-1, 0));
  EXPECT_TRUE(editor.Remove(1));
  EXPECT_FALSE(editor.Remove(5));
  EXPECT_EQ(Paths(editor), (std::vector<std::string>{"/b.png", "/p/a.jpg"}));
  EXPECT_FALSE(editor.SetCaption(0, "At the\r\nbeach"));
  EXPECT_EQ(editor.Entry(0).Caption, "At the beach");
  EXPECT_TRUE(editor.SetCaption(1, "\xE6\x97\xA5"));
  EXPECT_EQ(editor.Entry(1).Caption, "");
}

TEST(AlbumEditor, NewResetsSettingsToDefaultsWithABlackFont) {
  TAlbumEditor editor;
  EXPECT_EQ(editor.Settings().Font.Color, kWindowTextColor);  // at start-up
  TAlbumSettings s = editor.Settings();
  s.Rows = 5;
  s.Caption = TCaptionOption::coFilename;
  editor.SetSettings(s);
  editor.Add("/a.jpg");
  editor.New();
  EXPECT_EQ(editor.Settings(), NewAlbumSettings());
  EXPECT_EQ(editor.Settings().Font.Color, 0);
  EXPECT_EQ(editor.Count(), 0);
  EXPECT_EQ(editor.FileName(), "");
}

TEST(AlbumEditor, AFailedOpenKeepsTheAlbumAndTheFileItCameFrom) {
  const fs::path dir = fs::temp_directory_path() / ("lumivex-album-editor-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string good = (dir / "good.alb").string();
  const std::string damaged = (dir / "damaged.alb").string();
  TAlbumEditor editor;
  editor.Add("/a.jpg");
  editor.Add("/b.jpg");
  editor.SaveAs(good);
  EXPECT_EQ(editor.FileName(), good);
  std::ofstream(damaged, std::ios::binary) << "not an album";
  EXPECT_THROW(editor.Open(damaged), EAlbumError);
  EXPECT_EQ(editor.FileName(), good);  // "Save" still writes where the album came from
  EXPECT_EQ(editor.Count(), 2);
  // A failed save keeps the remembered name too.
  EXPECT_THROW(editor.SaveAs((dir / "missing" / "x.alb").string()), EAlbumError);
  EXPECT_EQ(editor.FileName(), good);
  TAlbumEditor other;
  other.Open(good);
  EXPECT_EQ(other.Album(), editor.Album());
  EXPECT_EQ(other.FileName(), good);
  fs::remove_all(dir);
}
