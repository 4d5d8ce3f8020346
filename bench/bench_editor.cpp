// The image editor on a 24-megapixel JPEG: open (to the first paint), sharpen through the
// menu command (from OK to the new picture shown), undo, save as JPEG; each step beside the
// library doing the same work alone (load, the filter into a new picture, a picture copy, save).
// Prints the best of three runs in milliseconds.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "controls/ToolHost.h"
#include "dialogs/FilterDialogForm.h"
#include "dialogs/core/FilterDialogs.h"
#include "editor/AcquireWindow.h"
#include "imaging/filters/ApplyFilter.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"
#include "view/PGImage.h"

namespace {

class TBenchHost : public TToolHost {
 public:
  QString CurrentFile() const override { return {}; }
  QString CurrentFolder() const override { return {}; }
  QStringList FileMask() const override { return {}; }
  QStringList SelectedFiles() const override { return {}; }
  void RefreshFolder() override {}
  void ShowFile(const QString&) override {}
  void ShowImageProperties(const QString&) override {}
};

// Gradients with grain, so that the JPEG holds about as much detail as a photograph's.
void WritePhoto(const QString& path) {
  TPixelGraphic g;
  g.SetSize(6000, 4000, pf24Bit);
  std::uint32_t seed = 2463534242u;
  auto grain = [&seed] {
    seed ^= seed << 13;
    seed ^= seed >> 17;
    seed ^= seed << 5;
    return static_cast<int>(seed % 25) - 12;
  };
  auto clamp = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };
  for (int y = 0; y < 4000; ++y) {
    std::uint8_t* row = g.ScanLine(y);
    for (int x = 0; x < 6000; ++x, row += 3) {
      row[0] = clamp(x / 24 + grain());
      row[1] = clamp(y / 16 + grain());
      row[2] = clamp((x + y) / 40 + grain());
    }
  }
  SaveToFile(g, path.toStdString());
}

double Time(const std::function<void()>& step) {
  QElapsedTimer t;
  t.start();
  step();
  return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

void Shown(TfrmAcquire& editor) {
  QApplication::processEvents();
  editor.PGImage1()->repaint();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  InitFormatLibrary();
  QTemporaryDir dir;
  const QString photo = dir.filePath("photo.jpg"), saved = dir.filePath("saved.jpg");
  WritePhoto(photo);
  TBenchHost host;
  TfrmAcquire editor(host);
  editor.resize(1000, 700);
  editor.show();

  enum { kOpen, kSharpen, kUndo, kSave, kSteps };
  double inEditor[kSteps], alone[kSteps];
  std::fill(std::begin(inEditor), std::end(inEditor), 1e12);
  std::fill(std::begin(alone), std::end(alone), 1e12);
  for (int run = 0; run < 3; ++run) {
    inEditor[kOpen] = std::min(inEditor[kOpen], Time([&] {
      editor.EditFile(photo);
      Shown(editor);
    }));
    // Timed from the OK click in the filter dialog to the new picture painted.
    QElapsedTimer fromOk;
    QTimer::singleShot(0, [&] {
      if (auto* form = dynamic_cast<TFilterDialogForm*>(QApplication::activeModalWidget())) {
        fromOk.start();
        form->OkButton()->click();
      }
    });
    editor.ConvolutionCommand(0);
    Shown(editor);
    inEditor[kSharpen] =
        std::min(inEditor[kSharpen], static_cast<double>(fromOk.nsecsElapsed()) / 1e6);
    inEditor[kUndo] = std::min(inEditor[kUndo], Time([&] {
      editor.UndoCommand();
      Shown(editor);
    }));
    inEditor[kSave] = std::min(inEditor[kSave], Time([&] { editor.SaveTo(saved); }));

    TPixelGraphic picture;
    alone[kOpen] = std::min(alone[kOpen], Time([&] { LoadFromFile(picture, photo.toStdString()); }));
    TSharpenFilterDialog dialog;
    dialog.SetStdDeviation(0.75);
    alone[kSharpen] = std::min(alone[kSharpen], Time([&] {
      TPixelGraphic result;
      ApplyFilter(result, dialog.Filter(), picture);
    }));
    alone[kUndo] = std::min(alone[kUndo], Time([&] {
      TPixelGraphic copy;
      copy.Assign(&picture);
    }));
    alone[kSave] = std::min(alone[kSave], Time([&] { SaveToFile(picture, saved.toStdString()); }));
  }
  const char* names[kSteps] = {"open 24 MP JPEG (to first paint)", "sharpen (menu to picture shown)",
                               "undo", "save as JPEG"};
  std::printf("%-36s %12s %12s %8s\n", "step", "editor ms", "alone ms", "ratio");
  for (int i = 0; i < kSteps; ++i)
    std::printf("%-36s %12.1f %12.1f %8.2f\n", names[i], inEditor[i], alone[i],
                inEditor[i] / alone[i]);
  std::printf("(editor: the window's commands, each until the picture is painted; alone: the\n"
              " library's LoadFromFile, ApplyFilter into a new picture, a copy, SaveToFile)\n");
  return 0;
}
