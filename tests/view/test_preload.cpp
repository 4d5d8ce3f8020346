// Reading ahead: the cache's bounds in pictures and bytes, the header check before decoding,
// the stop flag, cancelling the worker, and files changed after they were read.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "imaging/formats/LoadSave.h"
#include "view/PreloadCache.h"
#include "view/Preloader.h"
#include "view/ReadAhead.h"

namespace {

std::unique_ptr<TPixelGraphic> Picture(int w, int h) {
  auto g = std::make_unique<TPixelGraphic>();
  g->SetSize(w, h, pf24Bit);
  return g;
}

void SavePicture(const QString& path, int w, int h, TRGB color) {
  TPixelGraphic g;
  g.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) g.SetPixel(x, y, color);
  SaveToFile(g, path.toStdString());
}

TEST(PreloadCache, KeepsAtMostThePictureCountAndDropsTheOldest) {
  TPreloadCache cache;
  EXPECT_EQ(cache.MaxPictures(), 3u);
  EXPECT_EQ(cache.MaxBytes(), 512u << 20);
  for (const char* p : {"a", "b", "c", "d"}) EXPECT_TRUE(cache.Put(p, Picture(10, 10)));
  EXPECT_EQ(cache.Count(), 3u);
  EXPECT_FALSE(cache.Contains("a"));
  EXPECT_TRUE(cache.Contains("d"));
  // Putting a path again replaces its picture instead of taking a second place.
  EXPECT_TRUE(cache.Put("c", Picture(20, 20)));
  EXPECT_EQ(cache.Count(), 3u);
  auto c = cache.Take("c");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->Width(), 20);
  EXPECT_FALSE(cache.Contains("c"));
  EXPECT_EQ(cache.Take("c"), nullptr);
  cache.KeepOnly({"d"});
  EXPECT_EQ(cache.Count(), 1u);
  EXPECT_TRUE(cache.Contains("d"));
}

TEST(PreloadCache, KeepsWithinTheByteBound) {
  const std::size_t one = TPreloadCache::BytesOf(*Picture(100, 100));
  TPreloadCache cache(3, one * 2 + one / 2);
  EXPECT_TRUE(cache.Put("a", Picture(100, 100)));
  EXPECT_TRUE(cache.Put("b", Picture(100, 100)));
  EXPECT_TRUE(cache.Put("c", Picture(100, 100)));  // the oldest goes to make room
  EXPECT_EQ(cache.Count(), 2u);
  EXPECT_FALSE(cache.Contains("a"));
  EXPECT_LE(cache.Bytes(), cache.MaxBytes());
  EXPECT_EQ(cache.FreeBytes(), cache.MaxBytes() - 2 * one);
  // A picture larger than the whole bound is refused without dropping anything.
  EXPECT_FALSE(cache.Put("huge", Picture(300, 300)));
  EXPECT_EQ(cache.Count(), 2u);
  EXPECT_FALSE(cache.Put("none", nullptr));
}

struct ReadAheadFiles : ::testing::Test {
  QTemporaryDir dir;
  QString Path(const char* name) const { return dir.filePath(name); }
  void SetUp() override {
    SavePicture(Path("a.bmp"), 64, 48, RGBColor(255, 0, 0));
    SavePicture(Path("b.bmp"), 64, 48, RGBColor(0, 255, 0));
    SavePicture(Path("c.bmp"), 64, 48, RGBColor(0, 0, 255));
    SavePicture(Path("d.bmp"), 64, 48, RGBColor(9, 9, 9));
  }
};

TEST_F(ReadAheadFiles, ChecksTheSizeBeforeReadingAndHonoursTheStopFlag) {
  std::atomic<bool> stop{false};
  const std::size_t bytes = ReadAheadBytes(64, 48, 24);
  EXPECT_EQ(bytes, 64u * 3 * 48);
  EXPECT_EQ(ReadAheadBytes(65, 1, 24), 196u);  // rows padded to four bytes
  EXPECT_EQ(ReadAheadBytes(-1, 5, 24), 0u);
  auto read = ReadAhead(Path("a.bmp").toStdString(), bytes, stop);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Pixel(3, 3), RGBColor(255, 0, 0));
  EXPECT_EQ(ReadAhead(Path("a.bmp").toStdString(), bytes - 1, stop), nullptr);
  EXPECT_EQ(ReadAhead(Path("missing.bmp").toStdString(), bytes, stop), nullptr);
  QFile junk(Path("junk.bmp"));
  ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
  junk.write("BM this is not a picture");
  junk.close();
  EXPECT_EQ(ReadAhead(Path("junk.bmp").toStdString(), bytes, stop), nullptr);
  stop = true;
  EXPECT_EQ(ReadAhead(Path("a.bmp").toStdString(), bytes, stop), nullptr);
}

TEST_F(ReadAheadFiles, PreloaderReadsWhatIsWantedWithinItsBounds) {
  const std::size_t one = ReadAheadBytes(64, 48, 24);
  TPreloader preloader(3, one * 2 + one / 2);
  preloader.Want({Path("a.bmp"), Path("b.bmp"), Path("c.bmp")});
  preloader.WaitIdle();
  // Two fit beside each other; the third is not read rather than pushing one out.
  EXPECT_EQ(preloader.Cache().Count(), 2u);
  EXPECT_LE(preloader.Cache().Bytes(), preloader.Cache().MaxBytes());
  EXPECT_TRUE(preloader.Cache().Contains(Path("a.bmp").toStdString()));
  EXPECT_TRUE(preloader.Cache().Contains(Path("b.bmp").toStdString()));
  EXPECT_FALSE(preloader.Working());

  // A new wish list drops what is no longer wanted and reads the rest.
  preloader.Want({Path("c.bmp"), Path("b.bmp")});
  preloader.WaitIdle();
  EXPECT_EQ(preloader.Cache().Count(), 2u);
  EXPECT_FALSE(preloader.Cache().Contains(Path("a.bmp").toStdString()));
  auto c = preloader.Take(Path("c.bmp"));
  ASSERT_TRUE(c);
  EXPECT_EQ(c->Pixel(0, 0), RGBColor(0, 0, 255));
  EXPECT_EQ(preloader.Take(Path("c.bmp")), nullptr);
}

TEST_F(ReadAheadFiles, PreloaderNeverPassesThreePictures) {
  TPreloader preloader;
  preloader.Want({Path("a.bmp"), Path("b.bmp"), Path("c.bmp"), Path("d.bmp")});
  preloader.WaitIdle();
  EXPECT_EQ(preloader.Cache().Count(), 3u);
  EXPECT_FALSE(preloader.Cache().Contains(Path("d.bmp").toStdString()));
}

TEST_F(ReadAheadFiles, CancelStopsTheWorkAndForgetsEverything) {
  SavePicture(Path("big.bmp"), 3000, 2000, RGBColor(1, 2, 3));
  TPreloader preloader;
  preloader.Want({Path("a.bmp")});
  preloader.WaitIdle();
  ASSERT_EQ(preloader.Cache().Count(), 1u);
  preloader.Want({Path("big.bmp"), Path("a.bmp")});
  EXPECT_TRUE(preloader.Working());
  EXPECT_EQ(preloader.Reading(), Path("big.bmp"));
  preloader.Cancel();
  EXPECT_FALSE(preloader.Working());
  EXPECT_EQ(preloader.Cache().Count(), 0u);
  // Whatever the stopped work posted on its way out is dropped.
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(preloader.Cache().Count(), 0u);
  EXPECT_EQ(preloader.Take(Path("big.bmp")), nullptr);
}

TEST_F(ReadAheadFiles, AFileChangedAfterReadingIsNotHandedOut) {
  TPreloader preloader;
  preloader.Want({Path("a.bmp"), Path("b.bmp")});
  preloader.WaitIdle();
  QFile file(Path("a.bmp"));
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                               QFileDevice::FileModificationTime));
  file.close();
  EXPECT_EQ(preloader.Take(Path("a.bmp")), nullptr);
  EXPECT_NE(preloader.Take(Path("b.bmp")), nullptr);
}

}  // namespace

TEST(ReducedDecode, OnlyPicturesShownBelowHalfTheirSizeAreReduced) {
  // 6000 x 4000 into 1400 x 900: shown at 0.225, decoded to cover 1350 x 900.
  TReducedSize s = ReducedDecodeSize(6000, 4000, false, 1400, 900);
  EXPECT_TRUE(s.Reduced);
  EXPECT_EQ(s.Width, 1350);
  EXPECT_EQ(s.Height, 900);
  // Stored sideways: the box is met by the upright picture (4000 x 6000), shown at 0.15.
  s = ReducedDecodeSize(6000, 4000, true, 1400, 900);
  EXPECT_TRUE(s.Reduced);
  EXPECT_EQ(s.Width, 900);
  EXPECT_EQ(s.Height, 600);
  // Shown at more than half: the full size.
  s = ReducedDecodeSize(2000, 1000, false, 1400, 900);
  EXPECT_FALSE(s.Reduced);
  EXPECT_EQ(s.Width, 2000);
  EXPECT_EQ(s.Height, 1000);
  // No box or no picture: the full size.
  EXPECT_FALSE(ReducedDecodeSize(6000, 4000, false, 0, 0).Reduced);
  EXPECT_FALSE(ReducedDecodeSize(0, 0, false, 100, 100).Reduced);
}
