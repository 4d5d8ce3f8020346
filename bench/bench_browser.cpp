// The browser: a folder of 10,000 files listed with its first picture shown; stepping through
// twenty 12-megapixel JPEGs from NextImage to the finished paint, beside the decode alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "imaging/PGLibrary.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"
#include "view/PGImage.h"

namespace {

QString MakePicture(const QString& path, int w, int h) {
  TPixelGraphic g;
  g.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = g.ScanLine(y);
    for (int x = 0; x < w; ++x, row += 3) {
      row[0] = static_cast<std::uint8_t>(x * 7 + y);
      row[1] = static_cast<std::uint8_t>(y / 3);
      row[2] = static_cast<std::uint8_t>((x + y) / 5);
    }
  }
  SaveToFile(g, path.toStdString());
  return path;
}

QTemporaryDir& Root() {
  static QTemporaryDir dir;
  return dir;
}

QString BigFolder() {
  static const QString folder = [] {
    const QString f = Root().filePath("many");
    QDir().mkpath(f);
    const QString first = MakePicture(f + "/00000.jpg", 1600, 1200);
    for (int i = 1; i < 10000; ++i) QFile::copy(first, f + QStringLiteral("/%1.jpg").arg(i, 5, 10, QChar('0')));
    return f;
  }();
  return folder;
}

QString PhotoFolder() {
  static const QString folder = [] {
    const QString f = Root().filePath("photos");
    QDir().mkpath(f);
    const QString first = MakePicture(f + "/p00.jpg", 4000, 3000);
    for (int i = 1; i < 20; ++i) QFile::copy(first, f + QStringLiteral("/p%1.jpg").arg(i, 2, 10, QChar('0')));
    return f;
  }();
  return folder;
}

void BM_ListFolderAndShowFirst(benchmark::State& state) {
  const QString folder = BigFolder();
  TWindows windows;
  TForm1& window = windows.Main();
  window.resize(1280, 800);
  window.show();
  for (auto _ : state) {
    window.SetFolder(QDir::homePath());
    window.SetFolder(folder);
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
  TWindows windows;
  TForm1& window = windows.Main();
  window.resize(1280, 800);
  window.show();
  window.SetFolder(PhotoFolder());
  for (auto _ : state) {
    window.NextImage();
    window.PGImage1()->viewport()->grab();
  }
}
BENCHMARK(BM_NextImageToPaint)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
  QApplication app(argc, argv);
  InitImagingLibrary();
  FileFormatReaders();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
