// lumivex-dialogs DIALOG [PICTURE] [--shot PNG]: shows one dialog as the editor would and
// prints what it returned. With --shot the screen is saved after a second and the dialog
// closed (for looking at it under a virtual X server).
#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>

#include "dialogs/EffectWindow.h"
#include "dialogs/FilterDialogForm.h"
#include "dialogs/OpenSaveDialog.h"
#include "imaging/formats/LoadSave.h"

namespace {

std::unique_ptr<TFilterDialog> MakeFilterDialog(const std::string& name) {
  static const std::map<std::string, std::function<std::unique_ptr<TFilterDialog>()>> kinds = {
      {"rgb", [] { return std::make_unique<TRGBFilterDialog>(); }},
      {"cmy", [] { return std::make_unique<TCMYFilterDialog>(); }},
      {"ycbcr", [] { return std::make_unique<TYCbCrFilterDialog>(); }},
      {"hls", [] { return std::make_unique<THLSFilterDialog>(); }},
      {"hsv", [] { return std::make_unique<THSVFilterDialog>(); }},
      {"bcg", [] { return std::make_unique<TBCGFilterDialog>(); }},
      {"grayscale", [] { return std::make_unique<TGrayScaleFilterDialog>(); }},
      {"negative", [] { return std::make_unique<TNegativeFilterDialog>(); }},
      {"sharpen", [] { return std::make_unique<TSharpenFilterDialog>(); }},
      {"detail", [] { return std::make_unique<TDetailFilterDialog>(); }},
      {"smooth", [] { return std::make_unique<TSmoothFilterDialog>(); }},
      {"blur", [] { return std::make_unique<TBlurFilterDialog>(); }},
      {"contour", [] { return std::make_unique<TContourFilterDialog>(); }},
  };
  const auto it = kinds.find(name);
  return it == kinds.end() ? nullptr : it->second();
}

void ShootLater(const QString& file) {
  QTimer::singleShot(qEnvironmentVariableIntValue("LUMIVEX_SHOT_MS") > 0 ? qEnvironmentVariableIntValue("LUMIVEX_SHOT_MS") : 1000, [file] {
    QGuiApplication::primaryScreen()->grabWindow(0).save(file);
    if (QWidget* w = QApplication::activeModalWidget()) w->close();
  });
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  QString shot;
  if (const int i = args.indexOf("--shot"); i >= 0 && i + 1 < args.size()) {
    shot = args[i + 1];
    args.remove(i, 2);
  }
  if (args.isEmpty()) {
    std::fprintf(stderr,
                 "usage: lumivex-dialogs rgb|cmy|ycbcr|hls|hsv|bcg|grayscale|negative|sharpen|"
                 "detail|smooth|blur|contour|spray|mononoise|colornoise|mosaic [PICTURE] | open|save [FILE]  [--shot PNG]\n");
    return 2;
  }
  TPixelGraphic image;
  try {
    if (args.size() > 1 && args[0] != "open" && args[0] != "save")
      LoadFromFile(image, args[1].toStdString());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  if (!shot.isEmpty()) ShootLater(shot);
  const std::string name = args[0].toStdString();
  if (auto dialog = MakeFilterDialog(name)) {
    const bool ok = ExecuteFilterDialog(*dialog, &image);
    std::printf("%s:", ok ? "OK" : "Cancel");
    for (int k = 0; k < 3; ++k)
      if (dialog->Sliders()[static_cast<std::size_t>(k)].Shown)
        std::printf(" %s=%s", dialog->Sliders()[static_cast<std::size_t>(k)].Caption.c_str(),
                    dialog->FormatValue(k).c_str());
    std::printf("\n");
    return 0;
  }
  const std::map<std::string, int> effects = {
      {"spray", efxSprayPaint}, {"mononoise", efxMonoNoise}, {"colornoise", efxColorNoise},
      {"mosaic", efxMosaic}};
  if (const auto it = effects.find(name); it != effects.end()) {
    TfrmNewEFX window;
    window.SetImage(&image);
    window.SetEffect(it->second);
    const bool ok = window.exec() == QDialog::Accepted;
    std::printf("%s: %s %d\n", ok ? "OK" : "Cancel", EffectName(it->second).c_str(),
                window.Amount());
    return 0;
  }
  if (name == "open" || name == "save") {
    std::unique_ptr<TPGOpenDialog> dialog;
    if (name == "open")
      dialog = std::make_unique<TPGOpenDialog>();
    else
      dialog = std::make_unique<TPGSaveDialog>();
    if (args.size() > 1) dialog->FileName = args[1];
    const bool ok = dialog->Execute();
    std::printf("%s: %s (type %d)\n", ok ? "OK" : "Cancel", qPrintable(dialog->FileName),
                dialog->FilterIndex);
    return 0;
  }
  std::fprintf(stderr, "unknown dialog %s\n", name.c_str());
  return 2;
}
