// The browser: a folder of 10,000 files listed with its first picture shown; stepping through
// twenty 12-megapixel JPEGs from NextImage to the finished paint, beside the decode alone.
#include <QElapsedTimer>

#include "bench/BenchBrowser.h"
#include "view/PGImage.h"

namespace {

QString BigFolder() {
  static const QString folder = bench::CopiesFolder("many", 10000, 1600, 1200, "", 5);
  return folder;
}

QString PhotoFolder() {
  static const QString folder = bench::CopiesFolder("photos", 20, 4000, 3000, "p", 2);
  return folder;
}

void BM_ListFolderAndShowFirst(benchmark::State& state) {
  const QString folder = BigFolder();
  bench::TShownBrowser browser;
  TForm1& window = browser.window;
  for (auto _ : state) {
    window.SetFolder(QDir::homePath());
    window.SetFolder(folder);
    QElapsedTimer wait;
    wait.start();
    while (window.ListingFolder() && wait.elapsed() < 10000) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    window.Files().MakeCurrent(0);
    window.ShowFile(window.Files().PathOf(0));
    window.PGImage1()->viewport()->grab();
  }
  state.counters["files"] = window.Files().Count();
}
BENCHMARK(BM_ListFolderAndShowFirst)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DecodeTwelveMegapixelJpeg(benchmark::State& state) {
  const std::string path = (PhotoFolder() + "/p00.jpg").toStdString();
  for (auto _ : state) {
    TPixelGraphic g;
    LoadFromFile(g, path);
    benchmark::DoNotOptimize(g.Bits());
  }
}
BENCHMARK(BM_DecodeTwelveMegapixelJpeg)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_NextImageToPaint(benchmark::State& state) {
  bench::TShownBrowser browser;
  TForm1& window = browser.window;
  window.SetFolder(PhotoFolder());
  for (auto _ : state) {
    window.NextImage();
    window.PGImage1()->viewport()->grab();
  }
}
BENCHMARK(BM_NextImageToPaint)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) { return bench::RunBenchmarks(argc, argv); }
