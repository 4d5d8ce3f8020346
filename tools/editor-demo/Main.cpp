// lumivex-editor: the image editor on its own, to try it by hand; the main window's part is
// played by a host that knows only the picture's folder.
//
//   lumivex-editor [PICTURE]                 the editor with the picture
//   lumivex-editor --shots FOLDER PICTURE    pictures of the editor and its dialogs as PNG files
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include "controls/ToolHost.h"
#include "dialogs/EffectWindow.h"
#include "editor/AcquireWindow.h"
#include "editor/EditDialogs.h"
#include "editor/SaveOptionsDialog.h"
#include "imaging/formats/Registry.h"
#include "platform/MetafileFormat.h"
#include "view/PGImage.h"

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
  void ShowImageProperties(const QString&) override {}
};

void Shoot(QWidget& w, const QString& folder, const QString& name) {
  w.show();
  QApplication::processEvents();
  w.grab().save(QDir(folder).filePath(name + ".png"));
}

void ShootAll(TfrmAcquire& editor, const QString& folder) {
  Shoot(editor, folder, "editor");
  for (QMenu* menu : {editor.ImageMenu(), editor.FiltersMenu()}) {
    menu->popup(editor.mapToGlobal(QPoint(40, 40)));
    QApplication::processEvents();
    menu->grab().save(QDir(folder).filePath(menu->objectName() + ".png"));
    menu->hide();
  }
  editor.ResizeDialog().SetPictureSize(640, 480);
  editor.SaveOptionsDialog().ShowForm(ReadSaveOptions());
  editor.EffectDialog().SetEffect(4);
  const std::pair<QWidget*, const char*> dialogs[] = {
      {&editor.RotateDialog(), "rotate"},        {&editor.BorderDialog(), "border"},
      {&editor.ColorRezDialog(), "colorrez"},    {&editor.ResizeDialog(), "resize"},
      {&editor.SaveOptionsDialog(), "saveoptions"}};
  for (const auto& [dialog, name] : dialogs) {
    Shoot(*dialog, folder, name);
    dialog->hide();
  }
  // The modal windows the commands open, grabbed once they have settled, then cancelled.
  auto grabModal = [folder](const QString& name) {
    QTimer::singleShot(1500, [folder, name] {
      if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        d->grab().save(QDir(folder).filePath(name + ".png"));
        d->reject();
      }
    });
  };
  grabModal("filter");
  editor.PointFilterCommand(5);
  grabModal("effect");
  editor.EffectWindowCommand(4);
  editor.PGImage1()->SetSelectionRect(20, 20, 120, 80);
  editor.PGImage1()->SetSelection(true);
  editor.Action("Rotate90CW")->trigger();
  Shoot(editor, folder, "editor-after");
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("lumivex-editor");
  InitFormatLibrary();
  RegisterExtraReaders();
  QStringList args = app.arguments().mid(1);
  QString shots;
  if (args.value(0) == "--shots" && args.size() >= 3) {
    shots = args[1];
    args = args.mid(2);
  }
  TFolderHost host;
  if (!args.isEmpty()) host.File = QFileInfo(args[0]).absoluteFilePath();
  TfrmAcquire editor(host);
  if (!host.File.isEmpty())
    editor.EditFile(host.File);
  else
    editor.show();
  if (!shots.isEmpty()) {
    QTimer::singleShot(300, [&] {
      ShootAll(editor, shots);
      // The pictures were changed only to be shown: nothing to save.
      TfrmAcquire::AskUnsavedHook = [](QWidget*, const QString&) { return int(QMessageBox::Discard); };
      app.quit();
    });
  }
  return app.exec();
}
