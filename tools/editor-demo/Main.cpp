// lumivex-editor: the image editor on its own, to try it by hand; the main window's part is
// played by a host that knows only the picture's folder.
#include <QApplication>
#include <QFileInfo>

#include "controls/ToolHost.h"
#include "editor/AcquireWindow.h"
#include "platform/MetafileFormat.h"
#include "imaging/formats/Registry.h"

namespace {

class TFolderHost : public TToolHost {
 public:
  QString File;
  QString CurrentFile() const override { return File; }
  QString CurrentFolder() const override {
    return File.isEmpty() ? QString() : QFileInfo(File).absolutePath();
  }
  QStringList FileMask() const override { return {}; }
  QStringList SelectedFiles() const override { return {}; }
  void RefreshFolder() override {}
  void ShowFile(const QString&) override {}
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("lumivex-editor");
  InitFormatLibrary();
  RegisterExtraReaders();
  TFolderHost host;
  if (argc > 1) host.File = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
  TfrmAcquire editor(host);
  if (!host.File.isEmpty())
    editor.EditFile(host.File);
  else
    editor.show();
  return app.exec();
}
