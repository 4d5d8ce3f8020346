// What the browser benchmarks share: generated pictures and folders in a temporary root, the
// main window shown at a fixed size, and the program's set-up around the benchmark runner.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "imaging/PGLibrary.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

namespace bench {

// A 24-bit picture with smooth gradients (a photograph compresses alike), saved by extension.
inline QString MakePicture(const QString& path, int w, int h) {
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

inline QTemporaryDir& Root() {
  static QTemporaryDir dir;
  return dir;
}

// `count` copies of one w x h JPEG named NNNNN.jpg (or pNN.jpg when `photos`).
inline QString CopiesFolder(const QString& name, int count, int w, int h, const QString& stem, int digits) {
  const QString f = Root().filePath(name);
  QDir().mkpath(f);
  const QString first = MakePicture(f + QStringLiteral("/%1%2.jpg").arg(stem).arg(0, digits, 10, QChar('0')), w, h);
  for (int i = 1; i < count; ++i)
    QFile::copy(first, f + QStringLiteral("/%1%2.jpg").arg(stem).arg(i, digits, 10, QChar('0')));
  return f;
}

// The main window, shown at 1280 x 800.
struct TShownBrowser {
  TWindows windows;
  TForm1& window = windows.Main();
  TShownBrowser() {
    window.resize(1280, 800);
    window.show();
  }
  void ShowFirst(const QString& folder) {
    window.SetFolder(folder);
    window.Files().MakeCurrent(0);
    window.ShowFile(window.Files().PathOf(0));
  }
};

// Offscreen unless a platform is asked for, with settings of its own; then runs the
// benchmarks.
inline int RunBenchmarks(int argc, char** argv) {
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

}  // namespace bench
