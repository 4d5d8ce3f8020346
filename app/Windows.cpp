#include "app/Windows.h"

#include "albums/AlbumForm.h"
#include "app/AboutBox.h"
#include "app/BookmarkEditor.h"
#include "app/FilePropWindow.h"
#include "app/HelpSearch.h"
#include "app/MainWindow.h"
#include "app/PrefsDialog.h"
#include "app/SearchWindow.h"
#include "convert/ConvertWindow.h"
#include "convert/GIFTransDialog.h"
#include "dialogs/FileDialogs.h"
#include "editor/AcquireWindow.h"
#include "mover/SelectFiles.h"
#include "platform/FormSettings.h"
#include "thumbs/SaveThumbnailDialog.h"
#include "thumbs/ThumbEditWindow.h"
#include "thumbs/ThumbVexOptions.h"
#include "thumbs/ThumbnailsWindow.h"

#include <QEvent>
#include <QSet>

namespace {

// Restores a window's stored placement on its first showing and stores it when it hides.
class TPlacementKeeper : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = qobject_cast<QWidget*>(watched);
    if (!window || window->objectName().isEmpty()) return false;
    if (event->type() == QEvent::Show && !FPlaced.contains(window)) {
      FPlaced.insert(window);
      TFormSettings(window).Load();
    } else if (event->type() == QEvent::Hide && FPlaced.contains(window)) {
      TFormSettings(window).Save();
    }
    return false;
  }

 private:
  QSet<QWidget*> FPlaced;
};

}  // namespace

TWindows::TWindows() : FPlacements(std::make_unique<TPlacementKeeper>()) { CreateAll(); }

TWindows::~TWindows() {
  // Tool windows hold the main window's host: they go first, in the reverse order.
  while (!FWindows.empty()) FWindows.pop_back();
  FMain.reset();
}

TToolHost& TWindows::Host() const { return FMain->Host(); }

// The order of creation. The main window comes first; add new windows at the end.
void TWindows::CreateAll() {
  FMain = std::make_unique<TForm1>(*this);
  Create<TfAbout>();
  Create<TfPrefs>();
  Create<TfRename>();
  Create<TFileAttrForm>();
  Create<TfDirAdd>();
  Create<TfSearch>();
  Create<TfBMEdit>();
  Create<TfAlbum>();  // with its caption editor and frame setup dialog
  Create<TfrmFileProp>();
  Create<TfHelpSearch>();
  Create<TfrmAcquire>();
  Create<TfrmThumbnails>();
  Create<TfrmSaveThumbnail>();
  Create<TfrmThumbVexOptions>();
  Create<TfrmThumbEdit>();
  // The thumbnail windows open one another.
  Get<TfrmThumbnails>().SetWindows(&Get<TfrmSaveThumbnail>(), &Get<TfrmThumbEdit>());
  Get<TfrmThumbEdit>().SetOptionsWindow(&Get<TfrmThumbVexOptions>());
  Create<TfSelectFiles>();
  Create<TfrmConvert>();
  Create<TfrmGIFTrans>();
  Get<TfrmConvert>().SetGIFTransWindow(&Get<TfrmGIFTrans>());
}

void TWindows::KeepPlacement(QWidget& window) { window.installEventFilter(FPlacements.get()); }

void TWindows::CloseAllButMain() {
  for (const auto& w : FWindows)
    if (w->isVisible()) w->close();
}
