// Filter dialogs: the time from the last slider move to the preview shown, on a 24-megapixel
// picture, for the HSV and brightness/contrast/gamma dialogs (the 100 ms rest included), and
// from opening the window to its first preview (the reduced source built once).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSlider>
#include <memory>

#include "dialogs/FilterDialogForm.h"
#include "view/PGImage.h"

namespace {

const TPixelGraphic& Photo() {
  static const std::unique_ptr<TPixelGraphic> image = [] {
    auto g = std::make_unique<TPixelGraphic>();
    g->SetSize(6000, 4000, pf24Bit);
    for (int y = 0; y < 4000; ++y) {
      std::uint8_t* row = g->ScanLine(y);
      for (int x = 0; x < 6000; ++x, row += 3) {
        row[0] = static_cast<std::uint8_t>(x / 24);
        row[1] = static_cast<std::uint8_t>(y / 16);
        row[2] = static_cast<std::uint8_t>((x + y) / 40);
      }
    }
    return g;
  }();
  return *image;
}

void WaitForResults(const TFilterDialogForm& form, int count) {
  while (form.ResultsShown() < count) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

template <class Dialog>
void BM_LastSliderMoveToPreview(benchmark::State& state) {
  Dialog dialog;
  dialog.BeginExecute();
  TFilterDialogForm form(dialog, &Photo());
  form.show();
  WaitForResults(form, 1);
  int value = 0;
  for (auto _ : state) {
    const int shown = form.ResultsShown();
    value = value == 40 ? -40 : 40;
    form.Slider(0)->setValue(value);  // the last move
    WaitForResults(form, shown + 1);
    form.Preview()->repaint();
  }
}
BENCHMARK_TEMPLATE(BM_LastSliderMoveToPreview, THSVFilterDialog)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK_TEMPLATE(BM_LastSliderMoveToPreview, TBCGFilterDialog)
    ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_OpenToFirstPreview(benchmark::State& state) {
  Photo();
  for (auto _ : state) {
    THSVFilterDialog dialog;
    TFilterDialogForm form(dialog, &Photo());
    form.show();
    WaitForResults(form, 1);
  }
}
BENCHMARK(BM_OpenToFirstPreview)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
