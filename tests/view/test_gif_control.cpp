// The TGIFImage widget painted offscreen: frames, transparency, placement, timer, storage.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "tests/view/GIFBuilder.h"
#include "view/GIFImage.h"
#include "controls/HiResTimer.h"

using namespace giftest;

namespace {

const QRgb Red = qRgb(255, 0, 0), Green = qRgb(0, 255, 0), Blue = qRgb(0, 0, 255),
           Black = qRgb(0, 0, 0), Yellow = qRgb(255, 255, 0);

File Screen(int w, int h) {
  File f;
  f.Width = w;
  f.Height = h;
  f.GlobalPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  return f;
}

bool Load(TGIFImage& w, const File& f) { return w.LoadFromData(Build(f)); }

QRgb At(TGIFImage& w, int x, int y) {
  return w.grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(x, y) | 0xFF000000u;
}

// Pumps events until `done` holds or the time runs out.
template <class Pred>
bool WaitFor(Pred done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) QTest::qWait(5);
  return done();
}

}  // namespace

TEST(GIFImage, NewControlAndFailedLoads) {
  TGIFImage w;
  EXPECT_EQ(w.width(), 105);
  EXPECT_EQ(w.height(), 105);
  EXPECT_EQ(w.CurrentFrame(), 1);
  EXPECT_EQ(w.Speed(), 100);
  EXPECT_TRUE(w.Threaded());
  EXPECT_TRUE(w.DoubleBuffered());
  EXPECT_FALSE(w.Animate());
  EXPECT_FALSE(w.LoadFromFile(QStringLiteral("/nonexistent/x.gif")));
  EXPECT_FALSE(w.LastError().isEmpty());
  File f = Screen(2, 2);
  f.Frames = {Solid(0, 0, 2, 2, 1)};
  ASSERT_TRUE(Load(w, f));
  EXPECT_FALSE(w.LoadFromData({'G', 'I', 'F', '8', '9', 'a'}));
  EXPECT_FALSE(w.Loaded()) << "a failed load leaves the control empty";
  EXPECT_TRUE(w.Data().empty());
  EXPECT_TRUE(w.FirstFrameBitmap().isNull());
  EXPECT_TRUE(w.LastError().startsWith("GIF: "));
}

// A file of a few kilobytes whose 256 frames of 5000 x 5000 stick out of a 1 x 1 screen is
// refused with the control's "GIF: ..." message instead of being held in a gigabyte.
TEST(GIFImage, RefusesAnimationsBeyondTheMemoryBudget) {
  File f = Screen(1, 1);
  for (int i = 0; i < 256; ++i) {
    Frame frame = Solid(0, 0, 4, 4, 1);
    frame.Width = frame.Height = 5000;
    f.Frames.push_back(frame);
  }
  TGIFImage w;
  EXPECT_FALSE(Load(w, f));
  EXPECT_FALSE(w.Loaded());
  EXPECT_TRUE(w.LastError().startsWith("GIF: ")) << w.LastError().toStdString();
  // A real animation of a good size still loads.
  File fine = Screen(1200, 900);
  for (int i = 0; i < 8; ++i) fine.Frames.push_back(Solid(0, 0, 1200, 900, 1 + i % 3));
  ASSERT_TRUE(Load(w, fine)) << w.LastError().toStdString();
  EXPECT_EQ(w.FrameCount(), 8);
}

TEST(GIFImage, LoadsFromFileWithStoredDataAndFirstFrameBitmap) {
  QTemporaryDir dir;
  File f = Screen(3, 2);
  f.Frames = {Solid(0, 0, 3, 2, 2), Solid(1, 0, 1, 1, 3)};
  const Bytes bytes = Build(f);
  const QString path = dir.filePath("a.gif");
  {
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
  }
  TGIFImage w;
  int changing = 0, change = 0;
  w.OnChanging = [&](TGIFImage* s) { EXPECT_EQ(s, &w); ++changing; };
  w.OnChange = [&](TGIFImage*) { ++change; };
  ASSERT_TRUE(w.LoadFromFile(path));
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(change, 1);
  EXPECT_EQ(w.Version(), gvGIF89a);
  EXPECT_EQ(w.FrameCount(), 2);
  EXPECT_EQ(w.Data(), bytes);
  const QImage first = w.FirstFrameBitmap();
  ASSERT_EQ(first.format(), QImage::Format_Indexed8);
  EXPECT_EQ(first.size(), QSize(3, 2));
  EXPECT_EQ(first.pixelIndex(0, 0), 2);
  EXPECT_EQ(first.pixel(2, 1) | 0xFF000000u, Green);

  // The stored data: a 32-bit length and the file; reading it back loads the same file.
  QBuffer buffer;
  buffer.open(QIODevice::ReadWrite);
  w.WriteData(buffer);
  EXPECT_EQ(buffer.size(), qint64(4 + bytes.size()));
  buffer.seek(0);
  TGIFImage copy;
  ASSERT_TRUE(copy.ReadData(buffer));
  EXPECT_EQ(copy.FrameCount(), 2);
  QByteArray cut = buffer.data().left(20);
  QBuffer shortBuffer(&cut);
  shortBuffer.open(QIODevice::ReadOnly);
  EXPECT_FALSE(copy.ReadData(shortBuffer));
  EXPECT_FALSE(copy.Loaded());
}

TEST(GIFImage, PaintsFramesAndReadsThemBack) {
  TGIFImage w;
  w.SetOpaque(true);
  w.SetColor(Yellow);
  File f = Screen(4, 4);
  Frame b = Solid(1, 1, 2, 2, 3);
  b.Disposal = 2;
  f.Frames = {Solid(0, 0, 4, 4, 1), b, Solid(0, 0, 1, 1, 2)};
  ASSERT_TRUE(Load(w, f));
  EXPECT_EQ(At(w, 0, 0), Red);
  EXPECT_EQ(At(w, 50, 50), Yellow) << "outside the picture the control's colour shows";
  w.SetCurrentFrame(2);
  EXPECT_EQ(At(w, 1, 1), Blue);
  EXPECT_EQ(At(w, 3, 3), Red);
  w.SetCurrentFrame(3);
  EXPECT_EQ(At(w, 1, 1), Yellow) << "the disposed frame's hole shows the control's colour";
  EXPECT_EQ(At(w, 0, 0), Green);
  w.SetCurrentFrame(7);  // out of range: ignored
  EXPECT_EQ(w.CurrentFrame(), 3);
}

TEST(GIFImage, TransparentFirstFrameShowsWhatLiesBehind) {
  TGIFImage w;
  w.SetOpaque(true);
  w.SetColor(Yellow);
  File f = Screen(4, 1);
  Frame a;
  a.Width = 4;
  a.Pixels = {1, 0, 1, 1};
  a.Transparent = true;
  a.TransparentIndex = 0;
  a.Disposal = 2;
  Frame b;
  b.Left = 2;
  b.Width = 2;
  b.Pixels = {3, 0};
  b.Transparent = true;
  b.TransparentIndex = 0;
  f.Frames = {a, b};
  ASSERT_TRUE(Load(w, f));
  EXPECT_TRUE(w.Animation().AnyTransparent);
  EXPECT_EQ(At(w, 0, 0), Red);
  EXPECT_EQ(At(w, 1, 0), Yellow);
  w.SetCurrentFrame(2);
  EXPECT_EQ(At(w, 0, 0), Yellow) << "the disposed frame leaves a hole onto the background";
  EXPECT_EQ(At(w, 2, 0), Blue);
  EXPECT_EQ(At(w, 3, 0), Yellow);
  const QImage c = w.Composite();
  EXPECT_EQ(qAlpha(c.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(c.pixel(2, 0)), 255);
}

TEST(GIFImage, PlacementModesAndAutoSize) {
  TGIFImage w;
  w.resize(40, 20);
  w.SetOpaque(true);
  w.SetColor(Yellow);
  File f = Screen(2, 2);
  Frame a;
  a.Width = 2;
  a.Height = 2;
  a.Pixels = {1, 2, 3, 0};
  f.Frames = {a};
  ASSERT_TRUE(Load(w, f));
  w.SetStretch(true);
  EXPECT_EQ(At(w, 30, 5), Green);
  EXPECT_EQ(At(w, 5, 15), Blue);
  w.SetStretch(false);
  w.SetStretchRatio(true);  // 20 x 20, centred across the width
  EXPECT_EQ(At(w, 5, 5), Yellow);
  EXPECT_EQ(At(w, 12, 5), Red);
  EXPECT_EQ(At(w, 25, 5), Green);
  w.SetStretchRatio(false);
  w.SetTile(true);
  EXPECT_EQ(At(w, 3, 1), Black);
  EXPECT_EQ(At(w, 2, 1), Blue);
  EXPECT_EQ(At(w, 2, 0), Red);
  EXPECT_EQ(At(w, 39, 19), Black);
  w.SetTile(false);
  w.SetCenter(true);  // at (19, 9)
  EXPECT_EQ(At(w, 19, 9), Red);
  EXPECT_EQ(At(w, 18, 9), Yellow);
  w.SetAutoSize(true);
  EXPECT_EQ(w.size(), QSize(2, 2));
}

TEST(GIFImage, LogicalSizeGrownByAFrameThatSticksOut) {
  TGIFImage w;
  File f = Screen(4, 4);
  f.Frames = {Solid(0, 0, 4, 4, 1), Solid(3, 2, 4, 4, 2)};
  ASSERT_TRUE(Load(w, f));
  EXPECT_EQ(w.LogicalWidth(), 7);
  EXPECT_EQ(w.LogicalHeight(), 6);
  w.SetCurrentFrame(2);
  EXPECT_EQ(At(w, 6, 5), Green);
  EXPECT_EQ(qAlpha(w.Composite().pixel(5, 0)), 0)
      << "screen grown by the frame starts transparent";
  EXPECT_EQ(qAlpha(w.Composite().pixel(0, 0)), 255);
  w.SetOpaque(true);
  w.SetColor(Yellow);
  EXPECT_EQ(At(w, 5, 0), Yellow) << "where no frame has drawn the control's colour shows";
}

TEST(GIFImage, InterlacedFramePaintsItsRowsInPlace) {
  TGIFImage w;
  File f = Screen(2, 9);
  Frame a;
  a.Width = 2;
  a.Height = 9;
  for (int y = 0; y < 9; ++y) a.Pixels.insert(a.Pixels.end(), 2, std::uint8_t(y % 3 + 1));
  a.Interlaced = true;
  f.Frames = {a};
  ASSERT_TRUE(Load(w, f));
  const QRgb rows[3] = {Red, Green, Blue};
  for (int y = 0; y < 9; ++y) EXPECT_EQ(At(w, 1, y), rows[y % 3]) << y;
}

TEST(GIFImage, ProgressCanAbortTheLoad) {
  TGIFImage w;
  File f = Screen(2, 2);
  f.Frames = {Solid(0, 0, 2, 2, 1), Solid(0, 0, 2, 2, 2)};
  int calls = 0;
  w.OnProgress = [&](TGIFImage*, std::int64_t done, std::int64_t total, int percent, bool& keep) {
    EXPECT_LE(done, total);
    EXPECT_EQ(percent, int(100 * done / total));
    keep = ++calls < 3;
  };
  EXPECT_FALSE(Load(w, f));
  EXPECT_FALSE(w.Loaded());
  EXPECT_EQ(calls, 3);
}

TEST(GIFImage, AnimatesOnTheTimerAndStopsAfterTheLoopCount) {
  for (bool threaded : {true, false}) {
    TGIFImage w;
    w.SetThreaded(threaded);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    File f = Screen(2, 2);
    f.LoopCount = 2;
    f.Frames = {Solid(0, 0, 2, 2, 1), Solid(0, 0, 2, 2, 2), Solid(0, 0, 2, 2, 3)};
    std::vector<char> events;
    w.OnChanging = [&](TGIFImage*) { events.push_back('['); };
    w.OnChange = [&](TGIFImage*) { events.push_back(']'); };
    int wraps = 0;
    w.OnWrapAnimation = [&](TGIFImage*) {
      events.push_back('w');
      ++wraps;
    };
    ASSERT_TRUE(Load(w, f));
    w.SetAnimate(true);
    EXPECT_TRUE(w.Timer().Enabled());
    ASSERT_TRUE(WaitFor([&] { return !w.Timer().Enabled(); }, 5000)) << threaded;
    EXPECT_EQ(wraps, 2) << threaded;
    EXPECT_EQ(w.LoopsPlayed(), 3);
    QTest::qWait(150);
    EXPECT_EQ(wraps, 2) << "stopped for good";
    EXPECT_EQ(At(w, 0, 0), Blue);
    const std::string seq(events.begin(), events.end());
    // The load, the first tick (clock only), frames 2 and 3, the wrap, and on.
    EXPECT_EQ(seq.substr(0, 10), "[][][][]w[") << threaded;
    w.SetAnimate(false);
    EXPECT_EQ(At(w, 0, 0), Red) << "switching Animate off returns to frame 1";
  }
}

TEST(GIFImage, LoopAndSpeedDriveTheTimer) {
  TGIFImage w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  File f = Screen(2, 2);
  Frame a = Solid(0, 0, 2, 2, 1), b = Solid(0, 0, 2, 2, 2);
  a.Delay = b.Delay = 100;
  f.Frames = {a, b};
  ASSERT_TRUE(Load(w, f));
  w.SetAnimate(true);
  w.TimerTick();
  EXPECT_EQ(w.Timer().Interval(), 1000);
  w.SetSpeed(400);
  EXPECT_EQ(w.Timer().Interval(), 1) << "a new speed takes effect at once";
  w.TimerTick();
  EXPECT_EQ(w.Timer().Interval(), 250);
  w.TimerTick();  // the only pass is over
  EXPECT_FALSE(w.Timer().Enabled());
  w.SetLoop(true);
  EXPECT_TRUE(w.Timer().Enabled()) << "Loop restarts a finished animation";
  EXPECT_EQ(w.CurrentFrame(), 1);
}

TEST(GIFImage, ClearFromAnEventHandlerWhileTheWorkerTicks) {
  TGIFImage w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  File f = Screen(2, 2);
  f.LoopCount = 0;
  f.Frames = {Solid(0, 0, 2, 2, 1), Solid(0, 0, 2, 2, 2)};
  int changes = 0;
  w.OnChange = [&](TGIFImage* s) {
    if (++changes == 4) s->Clear();
  };
  ASSERT_TRUE(Load(w, f));
  changes = 0;
  w.SetAnimate(true);
  w.SetSpeed(1000);
  ASSERT_TRUE(WaitFor([&] { return !w.Loaded(); }, 5000));
  EXPECT_FALSE(w.Timer().Enabled());
  QTest::qWait(50);
  EXPECT_EQ(changes, 4) << "no tick after Clear";
}

TEST(HiResTimer, ThreadedTicksArriveOnTheOwningThreadOneAtATime) {
  THiResTimer timer;
  timer.SetThreaded(true);
  timer.SetInterval(1);
  int ticks = 0;
  bool onOwner = true;
  timer.OnTimer = [&](THiResTimer*) {
    ++ticks;
    onOwner = onOwner && QThread::currentThread() == qApp->thread();
    QThread::msleep(20);  // a slow receiver: ticks must not pile up
  };
  timer.SetEnabled(true);
  QTest::qWait(200);
  timer.SetEnabled(false);
  const int seen = ticks;
  EXPECT_GT(seen, 0);
  EXPECT_TRUE(onOwner);
  QCoreApplication::processEvents();
  QTest::qWait(30);
  EXPECT_EQ(ticks, seen) << "no tick after disabling";
}
