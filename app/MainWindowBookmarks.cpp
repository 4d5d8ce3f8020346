// The main window's Bookmarks menu.
#include <QAction>
#include <QMenu>

#include "app/BookmarkEditor.h"
#include "app/Bookmarks.h"
#include "app/MainWindow.h"
#include "app/Windows.h"
#include "platform/Messages.h"

void TForm1::SetBookmarkFile(const QString& path) {
  FBookmarkFile = path;
  RebuildBookmarkMenu();
}

void TForm1::AddBookmarkItem(const QString& folder) {
  QAction* a = FBookmarksMenu->addAction(MenuCaption(folder));
  a->setData(folder);  // the folder itself, whatever the caption shows
  connect(a, &QAction::triggered, this, [this, a] { SetFolder(a->data().toString()); });
}

void TForm1::RebuildBookmarkMenu() {
  const QList<QAction*> actions = FBookmarksMenu->actions();
  for (int i = 3; i < actions.size(); ++i) {
    FBookmarksMenu->removeAction(actions[i]);
    delete actions[i];
  }
  QStringList list;
  try {
    list = ReadBookmarks(FBookmarkFile);
  } catch (const EBookmarkFile& e) {
    ShowError(this, QString::fromStdString(e.what()));
    return;
  }
  for (const QString& folder : list) AddBookmarkItem(folder);
}

void TForm1::AddBookmark() {
  QStringList list;
  try {
    list = ReadBookmarks(FBookmarkFile);
  } catch (const EBookmarkFile& e) {
    ShowError(this, QString::fromStdString(e.what()));  // nothing is written over it
    return;
  }
  const QString folder = Folder();
  if (!BookmarkableFolder(folder)) {
    ShowMessage(this, "The name of this folder holds a line break, so it cannot be bookmarked.");
    return;
  }
  // Folder names differ by case on this system: /x/photos is not /x/Photos.
  if (list.contains(folder)) {
    ShowMessage(this, folder + " is already bookmarked!");
    return;
  }
  list << folder;
  try {
    WriteBookmarks(FBookmarkFile, list);
  } catch (const EBookmarkFile& e) {
    ShowError(this, QString::fromStdString(e.what()));
    return;
  }
  AddBookmarkItem(folder);
}

void TForm1::EditBookmarks() {
  TfBMEdit& editor = FWindows.Get<TfBMEdit>();
  try {
    editor.SetEntries(ReadBookmarks(FBookmarkFile));
  } catch (const EBookmarkFile& e) {
    ShowError(this, QString::fromStdString(e.what()));
    return;
  }
  if (editor.exec() != QDialog::Accepted) return;
  try {
    WriteBookmarks(FBookmarkFile, editor.Entries());
  } catch (const EBookmarkFile& e) {
    ShowError(this, QString::fromStdString(e.what()));
    return;
  }
  RebuildBookmarkMenu();
}
