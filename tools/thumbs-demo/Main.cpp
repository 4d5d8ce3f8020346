// lumivex-thumbs FOLDER [--view list|details|thumbnails] [--size N] [--sheet] [--options]
//                [--shot PNG]: the thumbnail explorer (and with --sheet the sheet creator made
// from the folder's files) on their own, to try them by hand. With --shot the screen is saved
// after a while and the program ends (for looking at them under a virtual X server).
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "controls/ToolHost.h"
#include "imaging/formats/Registry.h"
#include "platform/MetafileFormat.h"
#include "thumbs/SaveThumbnailDialog.h"
#include "thumbs/ThumbListModel.h"
#include "thumbs/ThumbEditWindow.h"
#include "thumbs/ThumbVexOptions.h"
#include "thumbs/ThumbnailsWindow.h"

namespace {

class TDemoHost : public TToolHost {
 public:
  QString CurrentFile() const override { return {}; }
  QString CurrentFolder() const override { return {}; }
  QStringList FileMask() const override { return {}; }
  QStringList SelectedFiles() const override { return {}; }
  void RefreshFolder() override {}
  void ShowFile(const QString& path) override { std::printf("show %s\n", qPrintable(path)); }
  void ShowImageProperties(const QString& path) override {
    std::printf("properties %s\n", qPrintable(path));
  }
};

QString Option(QStringList& args, const QString& name) {
  const int i = args.indexOf(name);
  if (i < 0 || i + 1 >= args.size()) return {};
  const QString value = args[i + 1];
  args.remove(i, 2);
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Corvane");
  QApplication::setApplicationName("Lumivex");
  InitFormatLibrary();
  RegisterExtraReaders();
  QStringList args = app.arguments().mid(1);
  const QString shot = Option(args, "--shot");
  const QString view = Option(args, "--view");
  const QString size = Option(args, "--size");
  const bool sheet = args.removeAll("--sheet") > 0;
  const bool options = args.removeAll("--options") > 0;
  const bool saveThumbs = args.removeAll("--save-dialog") > 0;
  const QString page = Option(args, "--page");
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: lumivex-thumbs FOLDER [--view list|details|thumbnails] "
                         "[--size N] [--sheet] [--options [--page N]] [--save-dialog] [--shot PNG]\n");
    return 2;
  }
  TDemoHost host;
  TfrmThumbnails explorer(host);
  TfrmSaveThumbnail saveDialog;
  TfrmThumbVexOptions sheetOptions;
  TfrmThumbEdit creator(host);
  explorer.SetWindows(&saveDialog, &creator);
  creator.SetOptionsWindow(&sheetOptions);
  explorer.OpenFolder(QDir(args[0]).absolutePath(), "*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.tif");
  explorer.move(0, 0);
  if (!size.isEmpty()) explorer.SetThumbSize(size.toInt());
  if (view == "list") explorer.SetView(TfrmThumbnails::vList);
  if (view == "thumbnails") explorer.SetView(TfrmThumbnails::vThumbnails);
  if (!shot.isEmpty())
    QTimer::singleShot(2500, [shot] {
      QGuiApplication::primaryScreen()->grabWindow(0).save(shot);
      QApplication::exit(0);
      std::exit(0);  // also out of a message box
    });
  if (sheet) {
    QStringList files;
    for (int row = 0; row < explorer.Model().rowCount(); ++row)
      files << explorer.Model().PathOf(row);
    creator.AddFiles(files);
    creator.move(300, 120);
    creator.show();
    QTimer::singleShot(0, &creator, [&creator] { creator.Generate(); });
  }
  if (options) {
    sheetOptions.move(700, 200);
    sheetOptions.show();
    if (auto* tabs = sheetOptions.findChild<QTabWidget*>()) tabs->setCurrentIndex(page.toInt());
  }
  if (saveThumbs) {
    saveDialog.FolderEdit()->setText(QDir(args[0]).absolutePath());
    saveDialog.move(300, 200);
    saveDialog.show();
  }
  return app.exec();
}
