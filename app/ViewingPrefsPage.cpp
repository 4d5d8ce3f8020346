#include "app/ViewingPrefsPage.h"

#include <QCheckBox>
#include <QVBoxLayout>

#include "app/ViewingSettings.h"

TViewingPrefsPage::TViewingPrefsPage()
    : FFullScreen(new QCheckBox("Full screen with F11 or a double-click on the picture")),
      FPreload(new QCheckBox("Read the next and previous pictures ahead")),
      FAutoRotate(new QCheckBox("Show photos upright by their orientation tag")),
      FColor(new QCheckBox("Show colours by the picture's embedded colour profile")),
      FReduced(new QCheckBox("Decode large JPEG photos at screen size while shown fitted")) {
  setObjectName("ViewingPrefsPage");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FFullScreen);
  layout->addWidget(FPreload);
  layout->addWidget(FAutoRotate);
  layout->addWidget(FColor);
  layout->addWidget(FReduced);
  layout->addStretch(1);
}

void TViewingPrefsPage::Load() {
  const TViewingSettings s = TViewingSettings::Load();
  FFullScreen->setChecked(s.FullScreen);
  FPreload->setChecked(s.Preload);
  FAutoRotate->setChecked(s.AutoRotate);
  FColor->setChecked(s.ColorManagement);
  FReduced->setChecked(s.ReducedDecode);
}

void TViewingPrefsPage::Save() const {
  TViewingSettings s = TViewingSettings::Load();
  s.FullScreen = FFullScreen->isChecked();
  s.Preload = FPreload->isChecked();
  s.AutoRotate = FAutoRotate->isChecked();
  s.ColorManagement = FColor->isChecked();
  s.ReducedDecode = FReduced->isChecked();
  s.Save();
}
