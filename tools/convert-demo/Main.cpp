// lumivex-converter: the converter window on its own, to try it by hand; the main window's part
// is played by a host that only knows the picture.
//
//   lumivex-converter PICTURE              the converter with the picture
//   lumivex-converter --selector PICTURE   the GIF transparency selector on the reduced picture
#include <QApplication>
#include <QFileInfo>

#include "controls/ToolHost.h"
#include "convert/ConvertWindow.h"
#include "convert/GIFTransDialog.h"
#include "convert/core/GIFConversion.h"
#include "imaging/formats/ExtraReaders.h"
#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

namespace {

class TPictureHost : public TToolHost {
 public:
  QString File;
  QString CurrentFile() const override { return File; }
  QString CurrentFolder() const override { return QFileInfo(File).absolutePath(); }
  QStringList FileMask() const override { return {}; }
  QStringList SelectedFiles() const override { return {File}; }
  void RefreshFolder() override {}
  void ShowFile(const QString&) override {}
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  InitFormatLibrary();
  RegisterGIFAndIconReaders();
  QStringList args = QApplication::arguments().mid(1);
  const bool selector = args.removeAll("--selector") > 0;
  TPictureHost host;
  host.File = args.value(0);
  if (selector) {
    TPixelGraphic source, reduced;
    LoadFromFile(source, host.File.toStdString());
    ReduceForGIF(source, source.Width(), source.Height(), reduced);
    TfrmGIFTrans dialog;
    dialog.Run(reduced);
    return 0;
  }
  TfrmConvert window(host);
  if (host.File.isEmpty())
    window.show();
  else
    window.OpenFile(host.File);
  return QApplication::exec();
}
