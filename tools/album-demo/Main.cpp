// lumivex-album: the album maker on its own, to try it without the browser. Its "Import
// Directory" takes the pictures of FOLDER.   lumivex-album [ALBUM.alb] [--folder FOLDER]
#include <QApplication>
#include <QDir>

#include "albums/AlbumForm.h"
#include "controls/ToolHost.h"
#include "imaging/formats/Registry.h"
#include "platform/MetafileFormat.h"

namespace {

// The browser's side as the album maker sees it: a folder and the picture types.
class TFolderHost : public TToolHost {
 public:
  explicit TFolderHost(QString folder) : FFolder(std::move(folder)) {}
  QString CurrentFile() const override { return {}; }
  QString CurrentFolder() const override { return FFolder; }
  QStringList FileMask() const override {
    return {"*.bmp", "*.dib", "*.rle", "*.jpg", "*.jpeg", "*.png", "*.pcx", "*.pbm", "*.pgm",
            "*.ppm", "*.tga", "*.tif", "*.tiff", "*.gif", "*.ico", "*.wmf", "*.emf"};
  }
  QStringList SelectedFiles() const override { return {}; }
  void RefreshFolder() override {}
  void ShowFile(const QString&) override {}

 private:
  QString FFolder;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lumivex"));
  InitFormatLibrary();
  RegisterExtraReaders();
  QStringList args = QApplication::arguments();
  args.removeFirst();
  QString folder = QDir::currentPath(), album;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == QStringLiteral("--folder") && i + 1 < args.size())
      folder = args[++i];
    else
      album = args[i];
  }
  TFolderHost host(folder);
  TfAlbum window(host);
  window.show();
  if (!album.isEmpty()) window.OpenAlbumFile(album);
  return app.exec();
}
