// The viewing additions, whole operations as a user waits for them: a 100,000-file folder
// listed; stepping through 24-megapixel JPEGs with the neighbours read ahead (the user pauses
// between steps, as when looking) and without; the decode alone; the full-screen toggle.
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

#include "app/FullScreenView.h"
#include "bench/BenchBrowser.h"
#include "platform/Settings.h"
#include "view/PGImage.h"
#include "view/Preloader.h"

namespace {

// 100,000 names; only the last in list order is a real picture (the listing reads no file),
// so the picture opened arrives with the last batch.
QString HugeFolder() {
  static const QString folder = [] {
    const QString f = bench::Root().filePath("huge");
    QDir().mkpath(f);
    for (int i = 0; i < 99999; ++i) {
      QFile file(f + QStringLiteral("/%1.jpg").arg(i, 6, 10, QChar('0')));
      file.open(QIODevice::WriteOnly);
    }
    bench::MakePicture(f + "/099999.jpg", 640, 480);
    return f;
  }();
  return folder;
}

QString PhotoFolder() {
  static const QString folder = bench::CopiesFolder("photos", 10, 6000, 4000, "p", 2);
  return folder;
}

// The longest time the event loop went without a turn while `start` ran and until `finished`
// held; a zero timer counts the turns.
struct TLoopWatch {
  double LongestMs = 0;
  double FinishedMs = 0;
  template <class Start, class Finished>
  void Run(Start&& start, Finished&& finished) {
    QElapsedTimer clock;
    QTimer tick;
    tick.setInterval(0);
    qint64 last = 0;
    clock.start();
    QObject::connect(&tick, &QTimer::timeout, [&] {
      const qint64 now = clock.nsecsElapsed();
      LongestMs = std::max(LongestMs, (now - last) / 1e6);
      last = now;
    });
    tick.start();
    start();
    // Ten seconds at most: a run that never finishes is reported, not waited for.
    while (!finished() && clock.elapsed() < 10000) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    FinishedMs = clock.nsecsElapsed() / 1e6;
    const qint64 now = clock.nsecsElapsed();
    LongestMs = std::max(LongestMs, (now - last) / 1e6);
  }
};

// From the request to the picture painted and all names in; the longest stop of the loop.
// `how`: 0 the start path (a file opened from the desktop), 1 a folder set (tree, drive box,
// bookmarks), 2 the list refreshed (F5) with the picture current.
void ListHundredThousand(benchmark::State& state, int how) {
  const QString folder = HugeFolder();
  const QString picture = folder + "/099999.jpg";
  bench::TShownBrowser browser;
  TForm1& window = browser.window;
  double longest = 0, firstPicture = 0, listed = 0;
  for (auto _ : state) {
    window.SetFolder(QDir::homePath());
    if (how == 2) {
      window.OpenFromShell(picture);
      QElapsedTimer wait;
      wait.start();
      while (window.ListingFolder() && wait.elapsed() < 10000) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QElapsedTimer clock;
    clock.start();
    double painted = -1;
    TLoopWatch watch;
    watch.Run(
        [&] {
          if (how == 0) window.OpenFromShell(picture);
          else if (how == 1) window.SetFolder(folder);
          else window.Refresh();
        },
        [&] {
          // A folder set shows nothing by itself: the user clicks the entry once it is listed.
          if (how == 1 && painted < 0 && !window.ListingFolder() && window.Files().CurrentFile() != picture) {
            const int at = window.Files().Find("099999.jpg");
            window.Files().MakeCurrent(at);
            window.ShowFile(window.Files().PathOf(at));
          }
          if (painted < 0 && window.Files().CurrentFile() == picture &&
              window.PGImage1()->FileName() == picture) {
            window.PGImage1()->viewport()->grab();
            painted = clock.nsecsElapsed() / 1e6;
          }
          return painted >= 0 && !window.ListingFolder();
        });
    longest = std::max(longest, watch.LongestMs);
    firstPicture = std::max(firstPicture, painted);
    listed = std::max(listed, watch.FinishedMs);
  }
  state.counters["files"] = window.Files().Count();
  state.counters["longest_block_ms"] = longest;
  state.counters["first_picture_ms"] = firstPicture;
  state.counters["all_listed_ms"] = listed;
}
void BM_HundredThousandFromStartPath(benchmark::State& state) { ListHundredThousand(state, 0); }
void BM_HundredThousandSetFolder(benchmark::State& state) { ListHundredThousand(state, 1); }
void BM_HundredThousandRefresh(benchmark::State& state) { ListHundredThousand(state, 2); }
BENCHMARK(BM_HundredThousandFromStartPath)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HundredThousandSetFolder)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HundredThousandRefresh)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Decode24MegapixelJpeg(benchmark::State& state) {
  const std::string path = (PhotoFolder() + "/p00.jpg").toStdString();
  for (auto _ : state) {
    TPixelGraphic g;
    LoadFromFile(g, path);
    benchmark::DoNotOptimize(g.Bits());
  }
}
BENCHMARK(BM_Decode24MegapixelJpeg)->Unit(benchmark::kMillisecond)->Iterations(5);

// Key press to painted; the pause in which the next picture is read is not timed.
void NextImage(benchmark::State& state, bool preload) {
  WriteSetting("Preload", preload ? "1" : "0");
  bench::TShownBrowser browser;
  TForm1& window = browser.window;
  browser.ShowFirst(PhotoFolder());
  for (auto _ : state) {
    state.PauseTiming();
    window.Preloader().WaitIdle();
    state.ResumeTiming();
    window.NextImage();
    window.PGImage1()->viewport()->grab();
  }
}
void BM_NextImageWithPreload(benchmark::State& state) { NextImage(state, true); }
void BM_NextImageWithoutPreload(benchmark::State& state) { NextImage(state, false); }
BENCHMARK(BM_NextImageWithPreload)->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_NextImageWithoutPreload)->Unit(benchmark::kMillisecond)->Iterations(8);

void BM_FullScreenToggle(benchmark::State& state) {
  WriteSetting("Full Screen", "1");
  bench::TShownBrowser browser;
  TForm1& window = browser.window;
  browser.ShowFirst(PhotoFolder());
  for (auto _ : state) {
    window.EnterFullScreen();
    window.FullScreenView()->grab();
    window.FullScreenView()->close();
  }
}
BENCHMARK(BM_FullScreenToggle)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) { return bench::RunBenchmarks(argc, argv); }
