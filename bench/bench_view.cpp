// The picture view: from setting FileName to the first complete paint of a fitted
// 24-megapixel picture in a 1280x800 view, per stretch quality, beside the decode alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "imaging/formats/LoadSave.h"
#include "view/PGImage.h"

namespace {

QString PictureFile() {
  static QTemporaryDir dir;
  static const QString path = [] {
    const QString p = dir.filePath("photo.bmp");
    TPixelGraphic g;
    g.SetSize(6000, 4000, pf24Bit);
    for (int y = 0; y < 4000; ++y) {
      std::uint8_t* row = g.ScanLine(y);
      for (int x = 0; x < 6000; ++x, row += 3) {
        row[0] = static_cast<std::uint8_t>(x / 24);
        row[1] = static_cast<std::uint8_t>(y / 16);
        row[2] = static_cast<std::uint8_t>((x + y) / 40);
      }
    }
    SaveToFile(g, p.toStdString());
    return p;
  }();
  return path;
}

void BM_DecodeOnly(benchmark::State& state) {
  const std::string path = PictureFile().toStdString();
  for (auto _ : state) {
    TPixelGraphic g;
    LoadFromFile(g, path);
    benchmark::DoNotOptimize(g.Bits());
  }
}
BENCHMARK(BM_DecodeOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FileNameToFirstPaint(benchmark::State& state) {
  const QString path = PictureFile();
  TPGImage view;
  view.resize(1280, 800);
  view.SetStretch(sAlwaysKAR);
  view.SetStretchMode(static_cast<TStretchMode>(state.range(0)));
  for (auto _ : state) {
    view.SetFileName(path);
    view.viewport()->grab();  // orders the display copy when one is needed
    view.WaitForPaintCopy();
    const QPixmap shot = view.viewport()->grab();
    benchmark::DoNotOptimize(shot.cacheKey());
  }
}
BENCHMARK(BM_FileNameToFirstPaint)->Arg(smFast)->Arg(smMedium)->Arg(smPrecise)
    ->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
