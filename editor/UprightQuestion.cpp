// The editor opening a picture stored turned: the question whether to turn its pixels upright,
// with "Don't ask again" keeping the answer in the settings.
#include <QCheckBox>
#include <QMessageBox>

#include "editor/AcquireWindow.h"
#include "editor/core/PictureEditor.h"
#include "imaging/formats/Orientation.h"
#include "platform/Settings.h"
#include "view/PGImage.h"

namespace {

const char* const kAskKey = "Editor Ask Upright";
const char* const kAnswerKey = "Editor Upright Answer";

// Yes or No; `keep` tells whether "Don't ask again" was ticked.
bool AskUpright(QWidget* parent, bool& keep) {
  QMessageBox box(QMessageBox::Question, "Lumivex",
                  "This picture is stored turned; its orientation tag says how to show it "
                  "upright.\n\nRotate the pixels so that the picture itself is upright?",
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.setObjectName("UprightQuestion");
  box.setDefaultButton(QMessageBox::Yes);
  auto* again = new QCheckBox("Don't ask again", &box);
  box.setCheckBox(again);
  const bool yes = box.exec() == QMessageBox::Yes;
  keep = again->isChecked();
  return yes;
}

}  // namespace

void TfrmAcquire::OfferUpright(const QString& path) {
  if (FView->IsEmpty()) return;
  const int orientation = ReadOrientation(path.toStdString());
  if (orientation == kOrientationUpright) return;
  bool turn = false;
  if (ReadSetting(kAskKey, "1") == "0") {
    turn = ReadSetting(kAnswerKey, "0") == "1";
  } else {
    bool keep = false;
    turn = AskUpright(this, keep);
    if (keep) {
      WriteSetting(kAskKey, "0");
      WriteSetting(kAnswerKey, turn ? "1" : "0");
    }
  }
  if (turn) AfterGeometry(FEditor->TurnUpright(orientation));
}
