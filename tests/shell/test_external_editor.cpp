// External editors: which types have one, the messages, and the command that starts it.
#include <gtest/gtest.h>

#include <map>

#include "app/shell/ExternalEditor.h"

namespace {

struct TFixture {
  std::map<std::string, std::string> Settings;
  std::map<std::string, std::string> Files;  // existing files and their text
  TExternalEdit For(const std::string& file) {
    return ExternalEditFor(
        file, [this](const std::string& n) { return Settings.count(n) ? Settings[n] : ""; },
        [this](const std::string& p) { return Files.count(p) > 0; },
        [this](const std::string& p) { return Files.count(p) ? Files[p] : ""; });
  }
};

}  // namespace

TEST(ExternalEditor, TypesWithoutAnEditorValueGetTheirMessages) {
  TFixture f;
  auto e = f.For("/t/x.jpeg");
  EXPECT_EQ(e.Kind, TExternalEdit::TKind::NotSupported);
  EXPECT_EQ(e.Message, "File type of .JPE not supported");
  EXPECT_EQ(f.For("/t/x.png").Message, "File type of .PNG not supported");
  EXPECT_EQ(f.For("/t/noext").Message, "File type of  not supported");
  e = f.For("/t/x.Gif");
  EXPECT_EQ(e.Kind, TExternalEdit::TKind::NeedEditor);
  EXPECT_EQ(e.Message, "You need to select a GIF editor under File/Set Preferences...");
  EXPECT_EQ(f.For("/t/x.ico").Message, "You need to select a ICO editor under File/Set Preferences...");
  EXPECT_EQ(f.For("").Kind, TExternalEdit::TKind::NoFile);
}

TEST(ExternalEditor, TheFileIsAlwaysOneArgument) {
  TFixture f;
  const std::string file = "/t/a b;c.jpg";
  // A program path with a space in it is the program.
  f.Settings["JPG Editor"] = "/opt/My Editor/edit";
  f.Files["/opt/My Editor/edit"] = "";
  auto e = f.For(file);
  ASSERT_EQ(e.Kind, TExternalEdit::TKind::Start);
  EXPECT_EQ(e.Command, (TCommand{"/opt/My Editor/edit", {file}}));
  // A command with arguments and a field code.
  f.Settings["JPG Editor"] = "gimp -n %f";
  EXPECT_EQ(f.For(file).Command, (TCommand{"gimp", {"-n", file}}));
  // A command without a field code gets the file last.
  f.Settings["JPG Editor"] = "\"/opt/x y/ed\" --edit";
  EXPECT_EQ(f.For(file).Command, (TCommand{"/opt/x y/ed", {"--edit", file}}));
  // A desktop entry: its Exec line.
  f.Settings["JPG Editor"] = "/usr/share/applications/gimp.desktop";
  f.Files["/usr/share/applications/gimp.desktop"] =
      "[Desktop Action new]\nExec=wrong\n[Desktop Entry]\nName=GIMP\nExec=gimp-2.10 %U\n";
  EXPECT_EQ(f.For(file).Command, (TCommand{"gimp-2.10", {file}}));
  // A value that cannot be read as a command is reported, not started.
  f.Settings["JPG Editor"] = "\"unclosed";
  e = f.For(file);
  EXPECT_EQ(e.Kind, TExternalEdit::TKind::NotSupported);
  EXPECT_NE(e.Message.find("cannot be read"), std::string::npos);
}
