// File associations: the desktop entry, mimeapps.list kept line by line, the order of writing,
// and what the desktop's own tool answers afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <cstdlib>

#include "app/shell/Associations.h"
#include "app/shell/ExecLine.h"
#include "tests/shell/ShellTestUtil.h"

using namespace shelltest;

namespace {

TFileTypeSet JpgAndPng() {
  TFileTypeSet set{};
  set[0] = true;  // JPG
  set[7] = true;  // PNG
  return set;
}

std::string ValueOf(const std::string& text, const std::string& key) {
  const std::size_t at = text.find("\n" + key + "=");
  if (at == std::string::npos) return "";
  const std::size_t begin = at + key.size() + 2;
  return text.substr(begin, text.find('\n', begin) - begin);
}

// Runs a command line and returns its first output line (test helper; the arguments are the
// test's own).
std::string FirstLineOf(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return "";
  std::array<char, 512> buffer{};
  std::string out = fgets(buffer.data(), buffer.size(), pipe) ? buffer.data() : "";
  pclose(pipe);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

}  // namespace

TEST(DesktopEntry, OpensTheGivenFilesAndListsTheTickedTypes) {
  const std::string text = DesktopEntryText("/opt/Lumi vex/lumivex", MimeTypesFor(JpgAndPng()));
  EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
  EXPECT_EQ(ValueOf(text, "Type"), "Application");
  const std::vector<std::string> exec = SplitExecValue(ValueOf(text, "Exec"));
  EXPECT_EQ(exec, (std::vector<std::string>{"/opt/Lumi vex/lumivex", "%F"}));
  EXPECT_EQ(ValueOf(text, "MimeType"), "image/jpeg;image/pjpeg;image/png;");
}

TEST(MimeAppsList, KeepsEveryOtherLineAndReplacesOurTypesWhereTheyStand) {
  const std::string before =
      "# my defaults\n"
      "[Added Associations]\n"
      "image/png=gimp.desktop;\n"
      "\n"
      "[Default Applications]\n"
      "text/plain=gedit.desktop\n"
      "image/png=eog.desktop;\n"
      "; a comment\n"
      "\n"
      "[Removed Associations]\n"
      "image/jpeg=foo.desktop;\n";
  const std::string after =
      WithDefaults(before, "lumivex.desktop", {"image/png", "image/jpeg"});
  EXPECT_EQ(after,
            "# my defaults\n"
            "[Added Associations]\n"
            "image/png=gimp.desktop;\n"
            "\n"
            "[Default Applications]\n"
            "text/plain=gedit.desktop\n"
            "image/png=lumivex.desktop;\n"
            "image/jpeg=lumivex.desktop;\n"
            "; a comment\n"
            "\n"
            "[Removed Associations]\n"
            "image/jpeg=foo.desktop;\n");
  // A file without the group gets it at its end; an empty file becomes just the group.
  EXPECT_EQ(WithDefaults("[Added Associations]\na/b=c;\n", "l.desktop", {"image/gif"}),
            "[Added Associations]\na/b=c;\n\n[Default Applications]\nimage/gif=l.desktop;\n");
  EXPECT_EQ(WithDefaults("", "l.desktop", {"image/gif"}),
            "[Default Applications]\nimage/gif=l.desktop;\n");
}

TEST(Associate, WritesBothFilesAndTheDesktopAnswersOurEntry) {
  TScratch scratch;
  const auto places = TAssociationPlaces::From(scratch / "data", scratch / "config", "/nowhere");
  WriteText(places.MimeAppsPath(), "[Default Applications]\ntext/plain=gedit.desktop\n");
  // xdg-mime answers only entries whose program exists.
  Associate(places, "/bin/true", JpgAndPng());
  EXPECT_NE(Slurp(places.MimeAppsPath()).find("text/plain=gedit.desktop\n"), std::string::npos);
  EXPECT_NE(Slurp(places.EntryPath()).find("MimeType=image/jpeg;"), std::string::npos);

  if (std::system("command -v xdg-mime >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdg-utils missing";
  const std::string env = "env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION "
                          "-u GNOME_DESKTOP_SESSION_ID HOME='" + scratch.Path().string() +
                          "' XDG_DATA_HOME='" + (scratch / "data") + "' XDG_CONFIG_HOME='" +
                          (scratch / "config") + "' XDG_CONFIG_DIRS=/nonexistent ";
  EXPECT_EQ(FirstLineOf(env + "xdg-mime query default image/png"), "lumivex.desktop");
  EXPECT_EQ(FirstLineOf(env + "xdg-mime query default image/jpeg"), "lumivex.desktop");
  EXPECT_NE(FirstLineOf(env + "xdg-mime query default image/gif"), "lumivex.desktop");
}

TEST(Associate, AFailedEntryLeavesNoHalfAssociation) {
  TScratch scratch;
  const auto places = TAssociationPlaces::From(scratch / "data", scratch / "config", "/nowhere");
  const std::string before = "[Default Applications]\nimage/png=eog.desktop;\n";
  WriteText(places.MimeAppsPath(), before);
  // "applications" is a file, so the entry cannot be written.
  WriteText(scratch / "data/applications", "not a folder");
  try {
    Associate(places, "/usr/bin/lumivex", JpgAndPng());
    FAIL() << "the association was reported as made";
  } catch (const EAssociationError& e) {
    EXPECT_NE(std::string(e.what()).find("Cannot create " + places.EntryPath()), std::string::npos)
        << e.what();
  }
  EXPECT_EQ(Slurp(places.MimeAppsPath()), before);
  // Without an earlier mimeapps.list, none is left behind.
  std::filesystem::remove(places.MimeAppsPath());
  EXPECT_THROW(Associate(places, "/usr/bin/lumivex", JpgAndPng()), EAssociationError);
  EXPECT_FALSE(std::filesystem::exists(places.MimeAppsPath()));
  // Nothing ticked writes nothing.
  Associate(places, "/usr/bin/lumivex", TFileTypeSet{});
  EXPECT_FALSE(std::filesystem::exists(places.MimeAppsPath()));
}

TEST(Associate, PlacesFollowTheBaseDirectoryRules) {
  const auto p = TAssociationPlaces::From("", "relative/config", "/home/u");
  EXPECT_EQ(p.EntryPath(), "/home/u/.local/share/applications/lumivex.desktop");
  EXPECT_EQ(p.MimeAppsPath(), "/home/u/.config/mimeapps.list");
}
