// The folder listing report of 10,000 files: recording the pages, and writing them as PDF.
// Run beside bench/compare_listing.sh, which times the whole command against enscript and
// ps2pdf.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>

#include "print/DirectoryListing.h"
#include "print/PreviewPrinter.h"
#include "print/PrintOutput.h"

namespace {

QStringList Entries(int count) {
  QStringList entries;
  for (int i = 0; i < count; ++i) entries << QStringLiteral("IMG_%1.jpg").arg(i, 5, 10, QChar('0'));
  return entries;
}

// Names only: sizes come from files that do not exist (1K each), so the folder is not read.
void Record(TPreviewPrinter& engine, const QStringList& entries) {
  ConfigureListingEngine(engine);
  TPageMetrics letter;
  letter.ResX = letter.ResY = 600;
  letter.PageWidth = 5100;
  letter.PageHeight = 6600;
  engine.SetReferenceMetrics(letter);
  RecordDirectoryListing(engine, QStringLiteral("/nonexistent/folder"), entries);
}

void BM_RecordListing(benchmark::State& state) {
  const QStringList entries = Entries(static_cast<int>(state.range(0)));
  int pages = 0;
  for (auto _ : state) {
    TPreviewPrinter engine;
    Record(engine, entries);
    pages = engine.PageCount();
  }
  state.counters["pages"] = pages;
  state.counters["pages/s"] =
      benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RecordListing)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_WriteListingPdf(benchmark::State& state) {
  TPreviewPrinter engine;
  Record(engine, Entries(static_cast<int>(state.range(0))));
  QTemporaryDir dir;
  for (auto _ : state) {
    if (!SavePagesAsPdf(engine, dir.path() + QStringLiteral("/listing.pdf")))
      state.SkipWithError("the PDF was not written");
  }
  state.counters["pages"] = engine.PageCount();
  state.counters["pages/s"] =
      benchmark::Counter(engine.PageCount(), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_WriteListingPdf)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir config;  // saved page-setup defaults of the user do not apply
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
