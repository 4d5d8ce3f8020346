// lumivex-listing-preview: the folder listing report in its preview window, on its own, to try
// the print windows.   lumivex-listing-preview [FOLDER] [MASK]
#include <QApplication>
#include <QDir>
#include <filesystem>

#include "platform/Messages.h"
#include "print/DirectoryListing.h"
#include "print/PreviewPrinter.h"
#include "print/PrintWindows.h"
#include "print/core/FolderFiles.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lumivex"));
  const QStringList args = QApplication::arguments();
  QString folder = args.size() > 1 ? args[1] : QDir::currentPath();
  while (folder.size() > 1 && folder.endsWith('/')) folder.chop(1);
  const std::string mask = args.size() > 2 ? args[2].toStdString() : "*";
  QStringList entries;
  try {
    for (const std::string& name : ListFolderFiles(folder.toStdString(), mask))
      entries << QString::fromStdString(name);
  } catch (const std::filesystem::filesystem_error& e) {
    ShowError(nullptr, QStringLiteral("Cannot read the folder %1.").arg(folder));
    return 1;
  }
  TPreviewPrinter engine;
  ConfigureListingEngine(engine);
  PrintDirectoryListing(engine, folder, entries, nullptr);
  return 0;
}
