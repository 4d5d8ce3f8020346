// When the view builds a display copy, of what kind, and the copy builder itself.
#include <gtest/gtest.h>

#include <atomic>

#include "imaging/PGraphic.h"
#include "view/DisplayCopyRule.h"
#include "view/PaintCopyBuilder.h"

namespace {

TDisplayCopyInput Input(int imageBits, int depth, TStretchMode mode, int box) {
  TDisplayCopyInput in;
  in.HasImage = true;
  in.ImageBits = imageBits;
  in.ImageIdent = imageBits == 24 ? pTrueColor : pUnknown;
  in.W = in.H = 100;
  in.BoxW = in.BoxH = box;
  in.ScreenDepth = depth;
  in.StretchMode = mode;
  in.Dirty = true;
  return in;
}

TEST(ViewDisplayCopy, TrueColourScreensNeedNoCopyWithFastStretch) {
  const auto d = DecideDisplayCopy(Input(24, 24, smFast, 50));
  EXPECT_FALSE(d.Needed);
  EXPECT_FALSE(d.Order);
  const auto pal = DecideDisplayCopy(Input(8, 32, smFast, 100));
  EXPECT_FALSE(pal.Needed);
}

TEST(ViewDisplayCopy, SlowerQualitiesResampleToTheBox) {
  const auto d = DecideDisplayCopy(Input(24, 24, smPrecise, 50));
  ASSERT_TRUE(d.Order);
  EXPECT_EQ(d.OrderSpec.Format, pf24Bit);
  EXPECT_EQ(d.OrderSpec.Width, 50);
  // Same box size as the picture: no resampling, no copy.
  EXPECT_FALSE(DecideDisplayCopy(Input(24, 24, smPrecise, 100)).Needed);
  // The ordered size differs from the box: dirty again.
  TDisplayCopyInput in = Input(24, 24, smPrecise, 60);
  in.Dirty = false;
  in.CopyPresent = true;
  in.OrderedW = in.OrderedH = 50;
  const auto again = DecideDisplayCopy(in);
  EXPECT_TRUE(again.Dirty);
  EXPECT_TRUE(again.DiscardCurrent);
  EXPECT_TRUE(again.Order);
  in.KeepOldCopy = true;  // the old copy stays on screen until the new one arrives
  EXPECT_FALSE(DecideDisplayCopy(in).DiscardCurrent);
}

TEST(ViewDisplayCopy, PaletteScreensReduceColours) {
  auto d = DecideDisplayCopy(Input(24, 8, smFast, 100));
  ASSERT_TRUE(d.Order);
  EXPECT_EQ(d.OrderSpec.Format, pf8Bit);
  EXPECT_EQ(d.OrderSpec.Palette, pOptimized252Sys16);
  EXPECT_EQ(d.OrderSpec.Width, 100);  // smFast: the blit scales

  d = DecideDisplayCopy(Input(24, 4, smFast, 100));
  EXPECT_EQ(d.OrderSpec.Format, pf4Bit);
  EXPECT_EQ(d.OrderSpec.Palette, pSys16);

  TDisplayCopyInput in = Input(8, 8, smFast, 100);
  in.Palette8 = pSource;  // the picture's own palette: nothing to do
  EXPECT_FALSE(DecideDisplayCopy(in).Needed);
  in.Palette8 = pSpecial216;
  d = DecideDisplayCopy(in);
  ASSERT_TRUE(d.Order);
  EXPECT_EQ(d.OrderSpec.Palette, pSpecial216);
  in.ImageIdent = pSpecial216;  // already that palette
  EXPECT_FALSE(DecideDisplayCopy(in).Needed);

  in = Input(4, 4, smFast, 100);
  in.ImageIdent = pSys16;
  EXPECT_FALSE(DecideDisplayCopy(in).Needed);
  in.ImageIdent = pGray16;
  EXPECT_TRUE(DecideDisplayCopy(in).Needed);
}

TEST(ViewDisplayCopy, IntermediateAndReduceOnLoad) {
  TDisplayCopyInput in = Input(8, 8, smPrecise, 50);
  in.Allow24BitStretch = true;
  auto d = DecideDisplayCopy(in);
  ASSERT_TRUE(d.Order);
  EXPECT_TRUE(d.OrderSpec.Intermediate);
  EXPECT_EQ(d.OrderSpec.Palette, pOptimized252Sys16);

  in = Input(8, 8, smFast, 100);
  in.Palette8 = pSpecial216;
  in.ReduceOnLoad = true;
  in.Dirty = false;  // reduced once already
  EXPECT_FALSE(DecideDisplayCopy(in).Needed);

  in = Input(24, 24, smPrecise, 50);
  in.Dirty = false;
  in.OrderedW = in.OrderedH = 50;
  in.PreviousBuildStopped = true;  // stopped before it finished: order again
  EXPECT_TRUE(DecideDisplayCopy(in).Order);
}

TEST(ViewDisplayCopy, BuilderReducesAndReportsSteps) {
  TPixelGraphic src;
  src.SetSize(64, 48, pf24Bit);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) src.SetPixel(x, y, RGBColor(x * 4, y * 5, 128));
  TDisplayCopyOrder order;
  order.Format = pf8Bit;
  order.Width = 32;
  order.Height = 24;
  order.Palette = pOptimized252Sys16;
  TPaintCopySettings settings;
  settings.StretchMode = smPrecise;
  TPaintCopyBuilder builder(src, order, settings);
  std::atomic<bool> stop{false};
  int lastStep = 0;
  auto copy = builder.Run(stop, [&](int step, int) { lastStep = std::max(lastStep, step); });
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->Width(), 32);
  EXPECT_EQ(copy->PixelFormat(), pf8Bit);
  EXPECT_EQ(copy->PaletteCount(), 252);
  EXPECT_LE(lastStep, 2);

  stop = true;
  TPaintCopyBuilder stopped(src, order, settings);
  EXPECT_FALSE(stopped.Run(stop, nullptr));
}

TEST(ViewDisplayCopy, BuilderFallsBackToOnePixelAndMapsIndexes) {
  TPixelGraphic src;
  src.SetSize(10, 10, pf8Bit);
  src.SetPaletteIdent(pSpecial216);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) src.SetPixel(x, y, static_cast<TRGB>(x * 20 + y));
  TDisplayCopyOrder order;
  order.Format = pf8Bit;
  order.Width = 10;
  order.Height = 10;
  order.Palette = pOptimized252Sys16;
  std::atomic<bool> stop{false};
  auto copy = TPaintCopyBuilder(src, order, {}).Run(stop, nullptr);
  ASSERT_TRUE(copy);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(copy->PixelColor(x, y), src.PixelColor(x, y));

  order.Width = 1 << 20;  // beyond the pixel budget
  order.Height = 1 << 20;
  order.Palette = pNone;
  order.Format = pf24Bit;
  copy = TPaintCopyBuilder(src, order, {}).Run(stop, nullptr);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->Width(), 1);
}

}  // namespace

#include <QCoreApplication>
#include <QTemporaryDir>

#include "imaging/formats/LoadSave.h"
#include "view/PreviewBuilder.h"
#include "view/PreviewWorker.h"

namespace {

TEST(ViewPreview, SizeKeepsTheAspect) {
  int w = 0, h = 0;
  PreviewSize(400, 200, 100, 100, w, h);
  EXPECT_EQ(w, 100);
  EXPECT_EQ(h, 50);
  PreviewSize(200, 400, 100, 100, w, h);
  EXPECT_EQ(w, 50);
  EXPECT_EQ(h, 100);
  PreviewSize(80, 60, 100, 100, w, h);  // already small enough
  EXPECT_EQ(w, 80);
  PreviewSize(10000, 1, 100, 100, w, h);
  EXPECT_EQ(h, 1);
}

// Collects the events a worker posts.
class Receiver : public QObject {
 public:
  std::unique_ptr<TPixelGraphic> Result;
  int Progress = 0;
  void customEvent(QEvent* e) override {
    if (e->type() == TPaintCopyResultEvent::kType)
      Result = std::move(static_cast<TPaintCopyResultEvent*>(e)->Result);
    if (e->type() == TPaintCopyProgressEvent::kType) ++Progress;
  }
};

TEST(ViewPreview, BuildsReducedPreviewsOnAWorker) {
  QTemporaryDir dir;
  TPixelGraphic g;
  g.SetSize(300, 150, pf24Bit);
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 300; ++x) g.SetPixel(x, y, RGBColor(x, y, 90));
  const std::string path = dir.filePath("p.bmp").toStdString();
  SaveToFile(g, path);

  TPreviewRequest request{path, 100, 100, smPrecise, 8, pOptimized252Sys16, pOptimized252Sys16};
  std::atomic<bool> stop{false};
  auto preview = BuildPreview(request, stop, nullptr);
  ASSERT_TRUE(preview);
  EXPECT_EQ(preview->Width(), 100);
  EXPECT_EQ(preview->Height(), 50);
  EXPECT_EQ(preview->PixelFormat(), pf8Bit);
  request.ScreenDepth = 4;
  preview = BuildPreview(request, stop, nullptr);
  ASSERT_TRUE(preview);
  EXPECT_EQ(preview->PaletteIdent(), pSys16);
  request.ScreenDepth = 24;
  request.FileName = dir.filePath("missing.bmp").toStdString();
  EXPECT_FALSE(BuildPreview(request, stop, nullptr));
  request.FileName = path;
  stop = true;
  EXPECT_FALSE(BuildPreview(request, stop, nullptr));

  Receiver receiver;
  TCreateOpenSaveDialogPaintPGThread worker(&receiver, 7, request = {path, 64, 64, smFast, 24,
                                                                       pOptimized252Sys16,
                                                                       pOptimized252Sys16});
  worker.Start();
  worker.Wait();
  QCoreApplication::sendPostedEvents(&receiver);
  ASSERT_TRUE(receiver.Result);
  EXPECT_EQ(receiver.Result->Width(), 64);
  EXPECT_EQ(receiver.Result->PixelFormat(), pf24Bit);
}

}  // namespace
