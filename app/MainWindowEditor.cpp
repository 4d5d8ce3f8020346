// The main window's ways into the image editor: the current file handed over (F8, double-click,
// "Edit with Lumivex..." and its twins) and the editor shown as it is.
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "controls/FileListView.h"
#include "editor/AcquireWindow.h"
#include "platform/Messages.h"

namespace {

QMenu* MenuTitled(QMenuBar* bar, const QString& title) {
  for (QAction* a : bar->actions())
    if (a->menu() && a->text() == title) return a->menu();
  return nullptr;
}

}  // namespace

void TForm1::BuildEditorCommands() {
  auto open = [this] { OpenInEditor(); };
  // "In Lumivex" joins the File menu's one "Edit File" submenu, ahead of the external editor.
  if (auto* editFile = findChild<QMenu*>("EditFile1")) {
    QAction* a = new QAction("In Lumivex", editFile);
    a->setObjectName("EditInLumivex1");
    connect(a, &QAction::triggered, this, open);
    editFile->insertAction(editFile->actions().value(0), a);
  }
  if (QMenu* edit = MenuTitled(menuBar(), "&Edit"))
    edit->addAction("Open Lumivex Editor", this, open)->setObjectName("OpenLumivexEditor1");
  if (auto* tools = findChild<QMenu*>("Tools1"))
    tools->addAction("VexEditor", this, [this] { ShowEditor(); })->setObjectName("VexEditor1");
  if (auto* popup = findChild<QMenu*>("PopupMenu1")) {
    QAction* first = popup->actions().value(0);
    QAction* a = new QAction("Edit with Lumivex...", popup);
    a->setObjectName("EditWithLumivex1");
    connect(a, &QAction::triggered, this, open);
    popup->insertAction(first, a);
    popup->insertSeparator(first);
  }
  if (auto* bar = findChild<QToolBar*>("ToolBar1")) {
    QAction* button = new QAction("Editor", bar);
    button->setToolTip("Image Editor / Acquire Images from Twain Device");
    connect(button, &QAction::triggered, this, [this] { ShowEditor(); });
    QAction* search = nullptr;
    for (QAction* a : bar->actions())
      if (a->toolTip() == "Search Engine") search = a;
    bar->insertAction(search, button);
  }
  auto* f8 = new QShortcut(QKeySequence(Qt::Key_F8), this);
  f8->setContext(Qt::WindowShortcut);
  connect(f8, &QShortcut::activated, this, open);
  connect(FFileList, &QAbstractItemView::doubleClicked, this, open);
}

void TForm1::OpenInEditor() {
  const QString path = FFiles.CurrentFile();
  if (path.isEmpty()) return;
  // The editor's view shows the hourglass while it loads; a question about unsaved changes
  // in the editor comes first, with the normal cursor.
  try {
    FWindows.Get<TfrmAcquire>().EditFile(path);
  } catch (const std::exception& e) {
    ShowError(this, "Can not edit " + path + "\n\n" + QString::fromStdString(e.what()));
  }
}

void TForm1::ShowEditor() {
  TfrmAcquire& editor = FWindows.Get<TfrmAcquire>();
  editor.show();
  editor.raise();
  editor.activateWindow();
}
