// The main window's way into the converter: the current file handed over from the Tools menu,
// the toolbar and the pop-up menu.
#include <QMenu>
#include <QToolBar>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "convert/ConvertWindow.h"
#include "platform/Messages.h"

void TForm1::BuildConverterCommands() {
  auto open = [this] { ConvertCurrentFile(); };
  if (auto* tools = findChild<QMenu*>("Tools1")) {
    QAction* a = new QAction("VexConverter", tools);
    a->setObjectName("VexConverter1");
    connect(a, &QAction::triggered, this, open);
    tools->insertAction(tools->actions().value(1), a);
  }
  if (auto* popup = findChild<QMenu*>("PopupMenu1")) {
    QAction* a = new QAction("Convert with VexConverter...", popup);
    a->setObjectName("ConvertWithVexConverter1");
    connect(a, &QAction::triggered, this, open);
    QAction* edit = findChild<QAction*>("EditWithLumivex1");
    const QList<QAction*> actions = popup->actions();
    const int at = edit ? static_cast<int>(actions.indexOf(edit)) + 1 : 0;
    popup->insertAction(actions.value(at), a);
  }
  if (auto* bar = findChild<QToolBar*>("ToolBar1")) {
    QAction* button = new QAction("Convert", bar);
    button->setObjectName("VexConverterButton");
    button->setToolTip("VexConverter");
    connect(button, &QAction::triggered, this, open);
    // Right after the album button.
    const QList<QAction*> actions = bar->actions();
    QAction* next = nullptr;
    for (int i = 0; i + 1 < actions.size(); ++i)
      if (actions[i]->toolTip() == "VexAlbums") next = actions[i + 1];
    bar->insertAction(next, button);
  }
}

void TForm1::ConvertCurrentFile() {
  if (FFiles.CurrentIndex() < 0) {
    ShowMessage(this, "Click on an image filename first");
    return;
  }
  FWindows.Get<TfrmConvert>().OpenFile(FFiles.CurrentFile());
}

void TForm1::EnableFileCommandsFor(bool video) {
  // A video can be neither edited nor converted.
  for (const char* name : {"EditWithLumivex1", "ConvertWithVexConverter1"})
    if (auto* a = findChild<QAction*>(name)) a->setEnabled(!video);
}
