#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <fcntl.h>
#include <sys/stat.h>
#include <utime.h>

#include "tests/thumbs/ThumbsTestUtil.h"
#include "thumbs/core/ThumbnailCache.h"
#include "thumbs/core/ThumbnailMaker.h"
#include "thumbs/core/ThumbnailPNG.h"

using namespace thumbs_test;

namespace {

const TRGB kListColor = RGBColor(254, 255, 230);

int ModeOf(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

TPNGTextKeys ReadKeys(const std::string& entry, TPixelGraphic& picture) {
  std::FILE* f = std::fopen(entry.c_str(), "rb");
  EXPECT_NE(f, nullptr);
  if (!f) return {};
  TPNGTextKeys keys = ReadThumbnailPNG(f, picture, 0, 256);
  std::fclose(f);
  return keys;
}

void SetMTime(const std::string& path, long seconds) {
  const timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

}  // namespace

TEST(ThumbnailCache, NamesEntriesAsTheDesktopDoes) {
  const TThumbnailCache cache("/tmp/cache");
  EXPECT_EQ(TThumbnailCache::UriOf("/home/jens/photos/me.png"), "file:///home/jens/photos/me.png");
  EXPECT_EQ(cache.EntryPath("/home/jens/photos/me.png", TThumbnailCache::tfNormal),
            "/tmp/cache/normal/c6ee772d9e49320e97ec29a7eb5b1697.png");
  EXPECT_EQ(TThumbnailCache::UriOf("/a b/c#d%e/\xC3\xA9.jpg"),
            "file:///a%20b/c%23d%25e/%C3%A9.jpg");
  EXPECT_EQ(TThumbnailCache::UriOf("/x/./y/../z.jpg"), "file:///x/z.jpg");
  EXPECT_EQ(TThumbnailCache::FlavorFor(128), TThumbnailCache::tfNormal);
  EXPECT_EQ(TThumbnailCache::FlavorFor(256), TThumbnailCache::tfLarge);
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("XDG_CACHE_HOME", "/var/tmp/xdg", 1);
  EXPECT_EQ(TThumbnailCache::DefaultRoot(), "/var/tmp/xdg/thumbnails");
  ::setenv("XDG_CACHE_HOME", "relative", 1);
  ::setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(TThumbnailCache::DefaultRoot(), "/home/someone/.cache/thumbnails");
  ::unsetenv("XDG_CACHE_HOME");
  ::setenv("HOME", home.c_str(), 1);
}

TEST(ThumbnailCache, MakerWritesEntriesAFileManagerAccepts) {
  TTempFolder dir;
  const std::string root = dir / "cache/thumbnails";
  const TThumbnailCache cache(root);
  const std::string photo = WriteSolid(dir.Path() / "photo.jpg", 640, 480, RGBColor(0, 0, 255));
  SetMTime(photo, 1'600'000'000);
  const TThumbnailMaker maker(&cache);
  const TThumbnailCell first = maker.Make(photo, 64, kListColor);
  EXPECT_FALSE(first.FromCache);

  const std::string entry = cache.EntryPath(photo, TThumbnailCache::tfNormal);
  EXPECT_EQ(ModeOf(entry), 0600);
  EXPECT_EQ(ModeOf(root), 0700);
  EXPECT_EQ(ModeOf(root + "/normal"), 0700);
  TPixelGraphic stored;
  TPNGTextKeys keys = ReadKeys(entry, stored);
  EXPECT_EQ(keys["Thumb::URI"], "file://" + photo);
  EXPECT_EQ(keys["Thumb::MTime"], "1600000000");
  EXPECT_EQ(keys["Thumb::Image::Width"], "640");
  EXPECT_EQ(stored.Width(), 128);  // the normal size
  EXPECT_EQ(stored.Height(), 96);
  // No temporary file is left beside it.
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(root + "/normal")) (void)e, ++files;
  EXPECT_EQ(files, 1);

  const TThumbnailCell second = maker.Make(photo, 64, kListColor);
  EXPECT_TRUE(second.FromCache);
  EXPECT_EQ(second.Thumb.Width, 64);
  EXPECT_EQ(second.Thumb.Height, 48);
  const TRGB c = second.Cell->PixelColor(30, 30);
  EXPECT_LT(RedOf(c), 10);
  EXPECT_GT(BlueOf(c), 245);
  // The large flavour serves the big thumbnails.
  EXPECT_FALSE(maker.Make(photo, 256, kListColor).FromCache);
  EXPECT_TRUE(maker.Make(photo, 256, kListColor).FromCache);
  EXPECT_EQ(ModeOf(cache.EntryPath(photo, TThumbnailCache::tfLarge)), 0600);
}

TEST(ThumbnailCache, ChangedFilesAreRebuiltAndStaleEntriesIgnored) {
  TTempFolder dir;
  const TThumbnailCache cache(dir / "thumbnails");
  const std::string photo = WriteSolid(dir.Path() / "p.png", 200, 100, RGBColor(255, 0, 0));
  SetMTime(photo, 1'500'000'000);
  const TThumbnailMaker maker(&cache);
  maker.Make(photo, 64, kListColor);
  TCachedThumbnail cached;
  ASSERT_TRUE(cache.Read(photo, TThumbnailCache::tfNormal, cached));
  EXPECT_EQ(cached.ImageWidth, 200);

  WriteSolid(photo, 100, 200, RGBColor(0, 255, 0));
  SetMTime(photo, 1'500'000'100);
  EXPECT_FALSE(cache.Read(photo, TThumbnailCache::tfNormal, cached));  // stale
  const TThumbnailCell rebuilt = maker.Make(photo, 64, kListColor);
  EXPECT_FALSE(rebuilt.FromCache);
  EXPECT_EQ(rebuilt.Thumb.Width, 32);
  EXPECT_EQ(rebuilt.Cell->PixelColor(32, 32), RGBColor(0, 255, 0));
  EXPECT_TRUE(maker.Make(photo, 64, kListColor).FromCache);

  // An entry for another file under this name (a hash collision, a moved file) is not used.
  const std::string other = WriteSolid(dir.Path() / "q.png", 10, 10, 0);
  std::filesystem::copy_file(cache.EntryPath(photo, TThumbnailCache::tfNormal),
                             cache.EntryPath(other, TThumbnailCache::tfNormal));
  EXPECT_FALSE(cache.Read(other, TThumbnailCache::tfNormal, cached));
  // A damaged entry is ignored and replaced.
  { std::ofstream(cache.EntryPath(photo, TThumbnailCache::tfNormal)) << "garbage"; }
  EXPECT_FALSE(maker.Make(photo, 64, kListColor).FromCache);
  EXPECT_TRUE(maker.Make(photo, 64, kListColor).FromCache);
}

TEST(ThumbnailCache, EntriesOfOtherProgramsAndATurnedOffCache) {
  TTempFolder dir;
  const TThumbnailCache cache(dir / "thumbnails");
  const std::string photo = WriteSolid(dir.Path() / "x.bmp", 400, 200, RGBColor(0, 0, 0));
  // Another program's entry: only the required keys, an RGBA picture.
  std::filesystem::create_directories(dir.Path() / "thumbnails/normal");
  struct stat st {};
  ASSERT_EQ(::stat(photo.c_str(), &st), 0);
  auto thumb = Solid(128, 64, RGBColor(9, 99, 199));
  std::FILE* f = std::fopen(cache.EntryPath(photo, TThumbnailCache::tfNormal).c_str(), "wb");
  ASSERT_NE(f, nullptr);
  WriteThumbnailPNG(f, *thumb, {{"Thumb::URI", TThumbnailCache::UriOf(photo)},
                                {"Thumb::MTime", std::to_string(st.st_mtime)}});
  std::fclose(f);
  const TThumbnailCell cell = TThumbnailMaker(&cache).Make(photo, 64, kListColor);
  EXPECT_TRUE(cell.FromCache);
  EXPECT_EQ(cell.Cell->PixelColor(10, 10), RGBColor(9, 99, 199));
  EXPECT_EQ(cell.Thumb.Height, 32);

  const TThumbnailCache off("");
  EXPECT_FALSE(off.Enabled());
  const std::string other = WriteSolid(dir.Path() / "y.bmp", 400, 200, RGBColor(0, 0, 0));
  EXPECT_FALSE(TThumbnailMaker(&off).Make(other, 64, kListColor).FromCache);
  EXPECT_FALSE(std::filesystem::exists(cache.EntryPath(other, TThumbnailCache::tfNormal)));
  // An unwritable cache folder costs nothing but the entry.
  const TThumbnailCache blocked("/proc/no-such-place/thumbnails");
  const TThumbnailCell made = TThumbnailMaker(&blocked).Make(other, 64, kListColor);
  EXPECT_FALSE(made.Placeholder);
  EXPECT_EQ(made.Thumb.Width, 64);
}

TEST(ThumbnailPNG, DamagedEntriesAreRefusedWithoutReadingWhatTheyClaim) {
  TTempFolder dir;
  auto thumb = Solid(10, 10, RGBColor(1, 2, 3));
  const std::string path = dir / "entry.png";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  WriteThumbnailPNG(f, *thumb, {{"Thumb::URI", "file:///x"}});
  std::fclose(f);
  std::string bytes;
  {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  // The first chunk after the header (a text chunk) claims 1.5 GB.
  std::string damaged = bytes;
  const std::size_t text = damaged.find("tEXt") - 4;
  damaged[text] = '\x5A';
  { std::ofstream(path, std::ios::binary) << damaged; }
  TPixelGraphic p;
  f = std::fopen(path.c_str(), "rb");
  EXPECT_THROW(ReadThumbnailPNG(f, p, 0, 256), EPixelGraphic);
  std::fclose(f);
  // Pictures larger than the flavour are refused too.
  auto big = Solid(300, 10, 0);
  f = std::fopen(path.c_str(), "wb");
  WriteThumbnailPNG(f, *big, {});
  std::fclose(f);
  f = std::fopen(path.c_str(), "rb");
  EXPECT_THROW(ReadThumbnailPNG(f, p, 0, 256), EPixelGraphic);
  std::fclose(f);
}
