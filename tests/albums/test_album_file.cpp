// The album file: the byte format, conversions, refusals and damaged files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "albums/core/AlbumFile.h"
#include "albums/core/Cp1252.h"

namespace fs = std::filesystem;

namespace {

class AlbumFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FDir = fs::temp_directory_path() / ("lumivex-album-test-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(FDir);
    fs::create_directories(FDir);
  }
  void TearDown() override { fs::remove_all(FDir); }

  std::string PathOf(const std::string& name) const { return (FDir / name).string(); }

  static std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(FDir)) names.push_back(e.path().filename().string());
    return names;
  }

  fs::path FDir;
};

TAlbum SampleAlbum() {
  TAlbum album;
  album.Settings.Rows = 3;
  album.Settings.Cols = 2;
  album.Settings.Border = 150;
  album.Settings.PrintFrames = true;
  album.Settings.Caption = TCaptionOption::coCaption;
  album.Settings.Font = {"Arial", 10, 0, false, false};
  album.Entries = {{"C:\\pics\\a.jpg", "Beach"}};
  return album;
}

std::string SampleBytes() {
  std::string b = "  3  2150" "1" "2" + std::string(35, ' ') + "Arial" + "10" +
                  std::string(11, ' ') + "0" + "0" + "0";
  b += std::string(1000, ' ');
  b += "C:\\pics\\a.jpg\tBeach\r\n";
  return b;
}

// A valid header with the given fields replaced (offset, text).
std::string HeaderWith(std::vector<std::pair<std::size_t, std::string>> changes) {
  std::string b = SampleBytes().substr(0, kAlbumRecordsOffset);
  for (const auto& [offset, text] : changes) b.replace(offset, text.size(), text);
  return b;
}

}  // namespace

TEST_F(AlbumFileTest, SampleAlbumIsWrittenByteExactAndReadBack) {
  const std::string path = PathOf("sample.alb");
  WriteAlbumFile(SampleAlbum(), path);
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes.size(), 1088u);
  EXPECT_EQ(bytes, SampleBytes());
  EXPECT_EQ(bytes.substr(0, 67), SampleBytes().substr(0, 67));
  EXPECT_EQ(ReadAlbumFile(path), SampleAlbum());
  // Reading and writing again gives the same bytes.
  WriteAlbumFile(ReadAlbumFile(path), path);
  EXPECT_EQ(ReadBytes(path), SampleBytes());
}

TEST_F(AlbumFileTest, SettingsAndCaptionsRoundTrip) {
  TAlbum album;
  album.Settings = {6, 1, 500, false, TCaptionOption::coFilename,
                    {"Times New Roman", 24, kWindowTextColor, true, true}};
  album.Entries = {{"/photos/a.jpg", "tab\tinside\tcaption"},
                   {"/photos/b.png", ""},
                   {"/photos/caf\xC3\xA9 \xE2\x82\xAC.jpg", "\xE2\x80\x9Cquoted\xE2\x80\x9D"}};
  const std::string path = PathOf("round.alb");
  WriteAlbumFile(album, path);
  EXPECT_EQ(ReadAlbumFile(path), album);
  const std::string bytes = ReadBytes(path);
  EXPECT_EQ(bytes.substr(0, 11), "  6  15000" "1");
  EXPECT_EQ(bytes.substr(53, 12), "   -16777208");
  EXPECT_EQ(bytes.substr(65, 2), "11");
  // Paths and captions are stored as Windows-1252: e-acute 0xE9, euro 0x80, quotes 0x93/0x94.
  EXPECT_NE(bytes.find("caf\xE9 \x80.jpg\t\x93quoted\x94\r\n"), std::string::npos);
}

TEST_F(AlbumFileTest, PathsAndCaptionsThatCannotBeStoredAreRefusedAndTheOldFileKept) {
  const std::string path = PathOf("keep.alb");
  WriteAlbumFile(SampleAlbum(), path);
  for (const std::string bad : {"/a\tb.jpg", "/a\rb.jpg", "/a\nb.jpg", "/\xE6\x97\xA5\xE6\x9C\xAC.jpg"}) {
    TAlbum album = SampleAlbum();
    album.Entries.push_back({bad, ""});
    EXPECT_TRUE(AlbumPathProblem(bad).has_value()) << bad;
    EXPECT_THROW(WriteAlbumFile(album, path), EAlbumError) << bad;
    EXPECT_EQ(ReadBytes(path), SampleBytes());
  }
  TAlbum album = SampleAlbum();
  album.Entries[0].Caption = "\xE6\x97\xA5";
  EXPECT_TRUE(AlbumCaptionProblem(album.Entries[0].Caption).has_value());
  EXPECT_THROW(WriteAlbumFile(album, path), EAlbumError);
  EXPECT_EQ(ReadBytes(path), SampleBytes());
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"keep.alb"});  // no temporary left behind
}

TEST_F(AlbumFileTest, EmptyAlbumIsNotSaved) {
  TAlbum album;
  try {
    WriteAlbumFile(album, PathOf("empty.alb"));
    FAIL() << "an empty album was saved";
  } catch (const EAlbumError& e) {
    EXPECT_STREQ(e.what(), "You need to have entries in the Album to save");
  }
  EXPECT_FALSE(fs::exists(PathOf("empty.alb")));
}

TEST_F(AlbumFileTest, CaptionLineBreaksBecomeSpaces) {
  EXPECT_EQ(CleanCaption("Beach\r\nat night\rand\nday"), "Beach at night and day");
  TAlbum album = SampleAlbum();
  album.Entries[0].Caption = "two\r\nlines";
  album.Entries.push_back({"/b.jpg", "next"});
  const std::string path = PathOf("lines.alb");
  WriteAlbumFile(album, path);
  const TAlbum read = ReadAlbumFile(path);
  ASSERT_EQ(read.Entries.size(), 2u);
  EXPECT_EQ(read.Entries[0].Caption, "two lines");
  EXPECT_EQ(read.Entries[1], (TAlbumEntry{"/b.jpg", "next"}));
}

TEST_F(AlbumFileTest, WideValuesAreClampedSoFieldsNeverShift) {
  TAlbum album = SampleAlbum();
  album.Settings.Rows = 0;
  album.Settings.Cols = 77;
  album.Settings.Border = 5000;
  album.Settings.Font.Name = std::string(50, 'N');
  album.Settings.Font.Size = 300;
  album.Settings.Font.Color = INT32_MIN;
  const std::string bytes = EncodeAlbum(album);
  EXPECT_EQ(bytes.substr(0, 9), "  1  6500");
  EXPECT_EQ(bytes.substr(11, 40), std::string(40, 'N'));
  EXPECT_EQ(bytes.substr(51, 2), "24");
  EXPECT_EQ(bytes.substr(53, 12), " -2147483648");
  EXPECT_EQ(bytes.substr(kAlbumRecordsOffset, 13), "C:\\pics\\a.jpg");
  const TAlbum read = DecodeAlbum(bytes);
  EXPECT_EQ(read.Settings.Font.Color, INT32_MIN);
  EXPECT_EQ(read.Settings.Border, 500);
}

TEST_F(AlbumFileTest, DamagedSettingsTakeDefaultsOrGiveAClearError) {
  // Rows, columns and border that are no number in range take their defaults.
  for (const std::string rows : {"abc", "  0", "  7", " -1", "   "}) {
    const TAlbum a = DecodeAlbum(HeaderWith({{0, rows}, {3, "999"}, {6, "  5"}}));
    EXPECT_EQ(a.Settings.Rows, 3) << rows;
    EXPECT_EQ(a.Settings.Cols, 2);
    EXPECT_EQ(a.Settings.Border, 150);
    EXPECT_TRUE(a.Entries.empty());
  }
  // Font size clamped, caption option out of range is "None", empty font name is Arial.
  const TAlbum a = DecodeAlbum(HeaderWith({{51, "99"}, {10, "7"}, {11, std::string(40, ' ')}}));
  EXPECT_EQ(a.Settings.Font.Size, 24);
  EXPECT_EQ(a.Settings.Caption, TCaptionOption::coNone);
  EXPECT_EQ(a.Settings.Font.Name, "Arial");
  EXPECT_EQ(DecodeAlbum(HeaderWith({{51, " 1"}})).Settings.Font.Size, 6);
  // Fields that are no number at all: the file is refused with what is wrong.
  const std::vector<std::pair<std::vector<std::pair<std::size_t, std::string>>, std::string>> bad = {
      {{{10, "x"}}, "caption option"},
      {{{51, "ab"}}, "caption font size"},
      {{{53, "    12red   "}}, "caption font colour"},
      {{{53, "999999999999"}}, "caption font colour"},  // beyond 32 bits
  };
  for (const auto& [changes, what] : bad) {
    try {
      DecodeAlbum(HeaderWith(changes));
      ADD_FAILURE() << what;
    } catch (const EAlbumError& e) {
      EXPECT_NE(std::string(e.what()).find(what), std::string::npos) << e.what();
    }
  }
}

TEST_F(AlbumFileTest, ShortHugeAndMissingFilesGiveClearErrors) {
  const std::string shortFile = PathOf("short.alb");
  WriteBytes(shortFile, SampleBytes().substr(0, 500));
  try {
    ReadAlbumFile(shortFile);
    FAIL();
  } catch (const EAlbumError& e) {
    EXPECT_NE(std::string(e.what()).find(shortFile), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("not an album file"), std::string::npos);
  }
  EXPECT_THROW(ReadAlbumFile(PathOf("missing.alb")), EAlbumError);
  EXPECT_THROW(ReadAlbumFile(FDir.string()), EAlbumError);
  const std::string huge = PathOf("huge.alb");
  {
    std::ofstream out(huge, std::ios::binary);
    out << SampleBytes();
  }
  fs::resize_file(huge, kMaxAlbumFileSize + 10);  // sparse
  EXPECT_THROW(ReadAlbumFile(huge), EAlbumError);
}

TEST_F(AlbumFileTest, RecordsCutShortOrWithLooseLineEndsAreRead) {
  const std::string header = SampleBytes().substr(0, kAlbumRecordsOffset);
  // The last record ends inside the path or the caption: the end of the file ends it.
  TAlbum a = DecodeAlbum(header + "/a.jpg\tone\r\n/b.jpg");
  ASSERT_EQ(a.Entries.size(), 2u);
  EXPECT_EQ(a.Entries[1], (TAlbumEntry{"/b.jpg", ""}));
  a = DecodeAlbum(header + "/a.jpg\tcut cap");
  ASSERT_EQ(a.Entries.size(), 1u);
  EXPECT_EQ(a.Entries[0].Caption, "cut cap");
  // Lines ended by LF alone, a record without a TAB, and empty lines.
  a = DecodeAlbum(header + "/a.jpg\tone\n/b.jpg\r\n\r\n/c.jpg\tthree\r");
  ASSERT_EQ(a.Entries.size(), 3u);
  EXPECT_EQ(a.Entries[0], (TAlbumEntry{"/a.jpg", "one"}));
  EXPECT_EQ(a.Entries[1], (TAlbumEntry{"/b.jpg", ""}));
  EXPECT_EQ(a.Entries[2], (TAlbumEntry{"/c.jpg", "three"}));
  // Bytes Windows-1252 leaves unassigned survive a read and a write.
  a = DecodeAlbum(header + "/x\x81\x8D.jpg\tc\x9D\r\n");
  EXPECT_EQ(EncodeAlbum(a).substr(kAlbumRecordsOffset), "/x\x81\x8D.jpg\tc\x9D\r\n");
}

TEST_F(AlbumFileTest, SavingReplacesTheFileKeepingItsPermissions) {
  const std::string path = PathOf("perm.alb");
  WriteBytes(path, "old");
  chmod(path.c_str(), 0640);
  WriteAlbumFile(SampleAlbum(), path);
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(ReadBytes(path), SampleBytes());
  // A target that cannot be replaced (a folder) or a missing folder: an error, nothing left.
  fs::create_directory(PathOf("folder.alb"));
  EXPECT_THROW(WriteAlbumFile(SampleAlbum(), PathOf("folder.alb")), EAlbumError);
  EXPECT_THROW(WriteAlbumFile(SampleAlbum(), PathOf("no/such/a.alb")), EAlbumError);
  auto names = FolderNames();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"folder.alb", "perm.alb"}));
}

TEST(Cp1252, ConvertsBothWaysAndRefusesWhatItCannotHold) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80\x99\xA9"), "\xE2\x82\xAC\xE2\x84\xA2\xC2\xA9");
  EXPECT_FALSE(Utf8ToCp1252("\xE6\x97\xA5").has_value());  // CJK
  EXPECT_FALSE(Utf8ToCp1252("\xC2\x80").has_value());      // a C1 control Windows-1252 maps
  EXPECT_FALSE(Utf8ToCp1252("\xC3").has_value());          // cut sequence
  EXPECT_FALSE(Utf8ToCp1252("\xFF").has_value());          // no UTF-8
  EXPECT_FALSE(Utf8ToCp1252("\xF0\x9F\x98\x80").has_value());  // emoji
}
