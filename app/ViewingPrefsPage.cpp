#include "app/ViewingPrefsPage.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "app/ViewingSettings.h"

TViewingPrefsPage::TViewingPrefsPage()
    : FFullScreen(new QCheckBox("Full screen with F11 or a double-click on the picture")) {
  setObjectName("ViewingPrefsPage");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FFullScreen);
  layout->addStretch(1);
}

void TViewingPrefsPage::Load() {
  const TViewingSettings s = TViewingSettings::Load();
  FFullScreen->setChecked(s.FullScreen);
}

void TViewingPrefsPage::Save() const {
  TViewingSettings s = TViewingSettings::Load();
  s.FullScreen = FFullScreen->isChecked();
  s.Save();
}
