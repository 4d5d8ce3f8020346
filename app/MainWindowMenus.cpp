// The main window's toolbar, menus, pop-up menu and keys, and the commands that only open
// another window or the desktop's own handlers.
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QSpinBox>
#include <QToolBar>
#include <QFileInfo>
#include <QUrl>

#include "albums/AlbumForm.h"
#include "app/AboutBox.h"
#include "app/HelpSearch.h"
#include "app/FilePropWindow.h"
#include "app/MainWindow.h"
#include "app/PrefsDialog.h"
#include "app/SearchWindow.h"
#include "app/ShellCommands.h"
#include "app/Windows.h"
#include "mover/SelectFiles.h"
#include "controls/FileListView.h"
#include "controls/FolderTree.h"
#include "platform/Messages.h"
#include "platform/Printer.h"
#include "print/PrintWindows.h"
#include "thumbs/ThumbEditWindow.h"
#include "thumbs/ThumbnailsWindow.h"

namespace {

const char* const kWebSite = "https://corvane.example/lumivex/";
const char* const kMailAddress = "mailto:lumivex@corvane.example?subject=Lumivex%207.0";

// The interval box: read-only text, changed only with its arrows (not with keys or the wheel).
class TSecondsBox : public QSpinBox {
 public:
  explicit TSecondsBox(QWidget* parent) : QSpinBox(parent) {
    lineEdit()->setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override { event->ignore(); }
  void wheelEvent(QWheelEvent* event) override { event->ignore(); }
};

}  // namespace

void TForm1::BuildToolBar() {
  QToolBar* toolbar = addToolBar("Tools");
  toolbar->setObjectName("ToolBar1");
  toolbar->setMovable(false);
  toolbar->setFixedHeight(34);
  toolbar->setIconSize(QSize(16, 16));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto button = [&](const QString& text, const QString& hint, auto slot) {
    QAction* a = toolbar->addAction(text);
    a->setToolTip(hint);
    // Screen readers say what the button does, not its arrow glyph.
    if (QWidget* w = toolbar->widgetForAction(a)) w->setAccessibleName(hint);
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  button("\u25C0", "Previous Image", [this] { PreviousImage(); });
  button("\u25B6", "Next Image", [this] { NextImage(); });
  toolbar->addSeparator();
  FSeconds = new TSecondsBox(toolbar);
  FSeconds->setObjectName("Seconds");
  FSeconds->setRange(1, 60);
  FSeconds->setWrapping(false);
  FSeconds->setValue(4);
  FSeconds->setAccessibleName("Slideshow interval in seconds");
  toolbar->addWidget(FSeconds);
  connect(FSeconds, &QSpinBox::valueChanged, this, [this](int v) { FSlideshow->SetSeconds(v); });
  FLumivexBtn = toolbar->addAction("Show");
  FLumivexBtn->setObjectName("LumivexBtn");
  FLumivexBtn->setCheckable(true);
  FLumivexBtn->setToolTip("Run a Lumivex");
  connect(FLumivexBtn, &QAction::triggered, this, [this](bool down) { FSlideshow->ButtonClick(down); });
  toolbar->addSeparator();
  button("Mover", "VexMover", [this] { ShowMoveTool(); })->setObjectName("VexMoverButton");
  button("Albums", "VexAlbums", [this] { ShowAlbums(); })->setObjectName("VexAlbumsButton");
  button("Search", "Search Engine", [this] { ShowSearch(); });
  button("Thumbs", "Thumbnail Explorer", [this] { ShowThumbnailExplorer(); });
  button("ThumbVex", "ThumbVex Creator", [this] { ShowThumbVexCreator(); });
  toolbar->addSeparator();
  button("Colour", "Set Background Color", [this] { SetColorCommand(); });
  FAutoZoom = toolbar->addAction("Zoom");
  FAutoZoom->setCheckable(true);
  FAutoZoom->setToolTip("Auto Zoom");
  connect(FAutoZoom, &QAction::toggled, this, [this](bool down) {
    if (down)
      FitToPane();
    else if (FFiles.CurrentIndex() >= 0)
      ShowFile(FFiles.CurrentFile());
  });
  toolbar->addSeparator();
  button("Copy", "Copy To Clipboard", [this] { CopyToClipboard(); });
}

void TForm1::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("File1");
  QMenu* editFile = file->addMenu("Edit File");
  editFile->setObjectName("EditFile1");
  editFile->addAction("In External Editor", this, [this] { EditInExternalEditor(); })
      ->setObjectName("InExternalEditor1");
  file->addAction("Rename File...", this, [this] { RenameFile(); })->setObjectName("RenameFile1");
  file->addAction("Delete File", this, [this] { DeleteFiles(); })->setObjectName("DeleteFile1");
  file->addAction("File Attributes...", this, [this] { FileAttributes(); })
      ->setObjectName("FileAttributes1");
  file->addAction("Search Files...", this, [this] { ShowSearch(); })->setObjectName("SearchFiles1");
  file->addAction("Move files...", this, [this] { ShowMoveTool(); })->setObjectName("MoveFiles1");
  file->addSeparator();
  file->addAction("Set Preferences...", this, [this] { SetPreferences(); })
      ->setObjectName("SetPreferences1");
  file->addSeparator();
  file->addAction("Printer Setup", this, [this] { PrinterSetup(); });
  file->addAction("Print Directory Listings", this, [this] { PrintDirectoryListings(); })
      ->setObjectName("PrintDirectoryListings1");
  file->addSeparator();
  file->addAction("Set Color...", this, [this] { SetColorCommand(); });
  file->addSeparator();
  file->addAction("Quit", this, [this] { close(); });
  QMenu* edit = menuBar()->addMenu("&Edit");
  edit->addAction("Copy to clipboard", this, [this] { CopyToClipboard(); });
  edit->addAction("Open External Editor", this, [this] { EditInExternalEditor(); })
      ->setObjectName("OpenExternalEditor1");
  QMenu* tools = menuBar()->addMenu("&Tools");
  tools->setObjectName("Tools1");
  tools->addAction("VexAlbums", this, [this] { ShowAlbums(); })->setObjectName("VexAlbums1");
  tools->addAction("VexSearch", this, [this] { ShowSearch(); });
  tools->addAction("Thumbnail Explorer", this, [this] { ShowThumbnailExplorer(); })
      ->setObjectName("ThumbnailExplorer1");
  tools->addAction("ThumbVex Creator", this, [this] { ShowThumbVexCreator(); })
      ->setObjectName("ThumbVexCreator1");
  tools->addAction("VexMover", this, [this] { ShowMoveTool(); })->setObjectName("VexMover1");
  FBookmarksMenu = menuBar()->addMenu("&Bookmarks");
  FBookmarksMenu->setObjectName("Bookmarks1");
  FBookmarksMenu->addAction("Add Bookmark", this, [this] { AddBookmark(); });
  FBookmarksMenu->addAction("Edit Bookmarks...", this, [this] { EditBookmarks(); });
  FBookmarksMenu->addSeparator();
  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("Help1");
  help->addAction("Contents", this, [this] { ShowHelp(); });
  // The keyword search is kept out of the menu; the help pages link their topics.
  help->addAction("Search For Help On...", this, [this] { SearchHelp(); })->setVisible(false);
  help->addAction("How To Use Help...", this, [this] { ShowHelpOnHelp(); });
  help->addSeparator();
  QMenu* contact = help->addMenu("Contacting us...");
  contact->addAction("Go to our web site", this, [this] { OpenWebSite(); });
  contact->addAction("email us", this, [this] { OpenMail(); });
  help->addSeparator();
  help->addAction("About Lumivex", this, [this] { ShowAbout(); });
}

void TForm1::BuildPopupAndKeys() {
  // The file list's pop-up menu serves the viewing pane too.
  auto* popup = new QMenu(this);
  popup->setObjectName("PopupMenu1");
  popup->addAction("Zoom In (+)", this, [this] { FitToPane(); });
  popup->addAction("Zoom Out (-)", this, [this] {
    if (FFiles.CurrentIndex() >= 0) ShowFile(FFiles.CurrentFile());
  });
  popup->addAction("Refresh List (F5)", this, [this] { Refresh(); });
  popup->addSeparator();
  popup->addAction("Rename File (F2)", this, [this] { RenameFile(); });
  popup->addAction("Delete Files (Del)", this, [this] { DeleteFiles(); });
  popup->addAction("File Attributes...", this, [this] { FileAttributes(); });
  popup->addAction("Image Properties...", this, [this] { ImageProperties(); });
  popup->addAction("Edit with External Editor...", this, [this] { EditInExternalEditor(); })
      ->setObjectName("EditWithExternalEditor1");
  QMenu* wallpaper = popup->addMenu("Set As Wallpaper");
  wallpaper->setObjectName("Wallpaper1");
  wallpaper->addAction("Centered", this, [this] { SetWallpaper(TWallpaperMode::Centered); })
      ->setObjectName("Centered1");
  wallpaper->addAction("Tiled", this, [this] { SetWallpaper(TWallpaperMode::Tiled); })
      ->setObjectName("Tiled1");
  wallpaper->addAction("Stretched", this, [this] { SetWallpaper(TWallpaperMode::Stretched); })
      ->setObjectName("Stretched1");
  popup->addAction("Remove Wallpaper", this, [this] { SetWallpaper(TWallpaperMode::None); })
      ->setObjectName("RemoveWallpaper1");
  for (QWidget* w : {static_cast<QWidget*>(FFileList), FPane}) {
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(w, &QWidget::customContextMenuRequested, this,
            [popup, w](const QPoint& at) { popup->popup(w->mapToGlobal(at)); });
  }

  // The folder list's own pop-up menu.
  auto* folderPopup = new QMenu(this);
  folderPopup->setObjectName("FolderPopup");
  folderPopup->addAction("Add Folder...", this, [this] { AddFolderCommand(); });
  folderPopup->addAction("Delete Folder", this, [this] { DeleteFolderCommand(); });
  FFolders->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(FFolders, &QWidget::customContextMenuRequested, this,
          [this, folderPopup](const QPoint& at) { folderPopup->popup(FFolders->mapToGlobal(at)); });

  // Keys the window handles before its children see them.
  auto key = [this](const QKeySequence& seq, auto slot) {
    auto* s = new QShortcut(seq, this);
    s->setContext(Qt::WindowShortcut);
    connect(s, &QShortcut::activated, this, slot);
  };
  key(QKeySequence(Qt::Key_F1), [this] { ShowHelp(); });
  key(QKeySequence(Qt::Key_F5), [this] { Refresh(); });
  key(QKeySequence(Qt::Key_F2), [this] { RenameFile(); });
  key(QKeySequence(Qt::Key_F3), [this] { ShowSearch(); });
  key(QKeySequence(Qt::KeypadModifier | Qt::Key_Plus), [this] { FitToPane(); });
  key(QKeySequence(Qt::KeypadModifier | Qt::Key_Minus), [this] {
    if (FFiles.CurrentIndex() >= 0) ShowFile(FFiles.CurrentFile());
  });
}

bool TForm1::AutoZoom() const { return FAutoZoom->isChecked(); }

void TForm1::SetAutoZoom(bool on) { FAutoZoom->setChecked(on); }

void TForm1::PrinterSetup() { ShowPrinterSetup(this); }

void TForm1::PrintDirectoryListings() {
  // Every entry of the file list, in list order, whatever is selected.
  PrintDirectoryListing(*FListingPrinter, FFiles.Folder(), FFiles.Names(), this);
}

void TForm1::ShowHelp() { OpenOnDesktop(this, HelpPage("index.html")); }

void TForm1::ShowHelpOnHelp() { OpenOnDesktop(this, HelpPage("using-help.html")); }

void TForm1::SearchHelp() {
  auto& search = FWindows.Get<TfHelpSearch>();
  search.Start();
}

void TForm1::OpenWebSite() { OpenOnDesktop(this, QUrl(QString::fromLatin1(kWebSite))); }

void TForm1::OpenMail() { OpenOnDesktop(this, QUrl(QString::fromLatin1(kMailAddress))); }

void TForm1::ShowAbout() { FWindows.Get<TfAbout>().exec(); }

void TForm1::SetPreferences() {
  auto& prefs = FWindows.Get<TfPrefs>();
  if (prefs.exec() != QDialog::Accepted) return;
  const TPreferences chosen = prefs.Current();
  FSettings.DeletePermanently = chosen.DeletePermanently;
  FSettings.ConfirmDeletions = chosen.ConfirmDeletions;
  SetViewing(TViewingSettings::Load());
  ApplyFileTypeMask();
}

void TForm1::ShowAlbums() {
  auto& albums = FWindows.Get<TfAlbum>();
  albums.show();
  albums.raise();
  albums.activateWindow();
}

void TForm1::ShowSearch() {
  auto& search = FWindows.Get<TfSearch>();
  search.show();
  search.raise();
  search.activateWindow();
}

void TForm1::ImageProperties() {
  if (FFiles.CurrentIndex() < 0) {
    ShowMessage(this, "You must click on a file");
    return;
  }
  ShowImageProperties(FFiles.CurrentFile());
}

void TForm1::ShowImageProperties(const QString& path) { FWindows.Get<TfrmFileProp>().Run(path); }

void TForm1::ShowMoveTool() {
  auto& mover = FWindows.Get<TfSelectFiles>();
  mover.show();
  mover.raise();
  mover.activateWindow();
}

void TForm1::SetWallpaper(TWallpaperMode mode) {
  const QString file = FFiles.CurrentIndex() >= 0 ? FFiles.CurrentFile() : QString();
  const QString made = SetWallpaperCommand(this, file, mode);
  // A bitmap made into the folder on display becomes the current entry.
  if (made.isEmpty() || QFileInfo(made).absolutePath() != FFiles.Folder()) return;
  ListFolder(FFiles.Folder(), {QFileInfo(made).fileName(), true, true, nullptr});
}

void TForm1::EditInExternalEditor() {
  // The preferences opened from here do not re-apply the file mask.
  EditExternally(this, FFiles.CurrentIndex() >= 0 ? FFiles.CurrentFile() : QString(),
                 [this] { FWindows.Get<TfPrefs>().exec(); });
}

void TForm1::ShowThumbnailExplorer() {
  FWindows.Get<TfrmThumbnails>().OpenFolder(Folder(), FFiles.Mask());
}

void TForm1::ShowThumbVexCreator() {
  auto& creator = FWindows.Get<TfrmThumbEdit>();
  creator.show();
  creator.raise();
  creator.activateWindow();
}
