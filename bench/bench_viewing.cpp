// The viewing additions, whole operations as a user waits for them: a 100,000-file folder
// listed; stepping through 24-megapixel JPEGs with the neighbours read ahead (the user pauses
// between steps, as when looking) and without; the decode alone; the full-screen toggle.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/FullScreenView.h"
#include "app/MainWindow.h"
#include "app/Windows.h"
#include "imaging/PGLibrary.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"
#include "platform/Settings.h"
#include "view/PGImage.h"
#include "view/Preloader.h"

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

// 100,000 names; only the first is a real picture (the listing reads no file).
QString HugeFolder() {
  static const QString folder = [] {
    const QString f = Root().filePath("huge");
    QDir().mkpath(f);
    MakePicture(f + "/000000.jpg", 640, 480);
    for (int i = 1; i < 100000; ++i) {
      QFile file(f + QStringLiteral("/%1.jpg").arg(i, 6, 10, QChar('0')));
      file.open(QIODevice::WriteOnly);
    }
    return f;
  }();
  return folder;
}

QString PhotoFolder() {
  static const QString folder = [] {
    const QString f = Root().filePath("photos");
    QDir().mkpath(f);
    const QString first = MakePicture(f + "/p00.jpg", 6000, 4000);
    for (int i = 1; i < 10; ++i) QFile::copy(first, f + QStringLiteral("/p%1.jpg").arg(i, 2, 10, QChar('0')));
    return f;
  }();
  return folder;
}

void BM_ListHundredThousandAndShowFirst(benchmark::State& state) {
  const QString folder = HugeFolder();
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
BENCHMARK(BM_ListHundredThousandAndShowFirst)->Unit(benchmark::kMillisecond)->Iterations(3);

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
  TWindows windows;
  TForm1& window = windows.Main();
  window.resize(1280, 800);
  window.show();
  window.SetFolder(PhotoFolder());
  window.Files().MakeCurrent(0);
  window.ShowFile(window.Files().PathOf(0));
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
  TWindows windows;
  TForm1& window = windows.Main();
  window.resize(1280, 800);
  window.show();
  window.SetFolder(PhotoFolder());
  window.Files().MakeCurrent(0);
  window.ShowFile(window.Files().PathOf(0));
  for (auto _ : state) {
    window.EnterFullScreen();
    window.FullScreenView()->grab();
    window.FullScreenView()->close();
  }
}
BENCHMARK(BM_FullScreenToggle)->Unit(benchmark::kMillisecond)->Iterations(5);

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
