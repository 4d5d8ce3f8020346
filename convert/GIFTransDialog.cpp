#include "convert/GIFTransDialog.h"

#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

#include "view/PGImage.h"
#include "view/SelectionGeometry.h"

TfrmGIFTrans::TfrmGIFTrans(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName("frmGIFTrans");
  setWindowTitle("GIF Transparency Selector");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* top = new QLabel("Click on the color you want to be transparent...");
  top->setObjectName("Panel1");
  top->setAlignment(Qt::AlignCenter);
  top->setFrameShape(QFrame::StyledPanel);
  top->setMargin(6);
  layout->addWidget(top);

  pgImage = new TPGImage(this);
  pgImage->setObjectName("pgImage");
  pgImage->SetStretch(sAlwaysKAR);
  pgImage->SetCenter(true);
  pgImage->SetDither(false);
  pgImage->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  pgImage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  pgImage->SetActionMode(amNone);
  pgImage->PicBoxOnMouseMove = [this](TPGImage&, Qt::KeyboardModifiers, QPoint p) { PointAt(p); };
  pgImage->PicBoxOnMouseDown = [this](TPGImage&, Qt::MouseButton button, Qt::KeyboardModifiers,
                                      QPoint p) {
    if (button != Qt::LeftButton) return;
    PointAt(p);
    accept();
  };
  layout->addWidget(pgImage, 1);

  auto* status = new QStatusBar(this);
  status->setSizeGripEnabled(false);
  for (std::size_t i = 0; i < FPanels.size(); ++i) {
    FPanels[i] = new QLabel(status);
    FPanels[i]->setMinimumWidth(50);
    status->addWidget(FPanels[i]);
  }
  layout->addWidget(status);
  resize(420, 360);
}

TRGB TfrmGIFTrans::Run(const TPixelGraphic& picture) {
  FChosen = 0;
  for (QLabel* panel : FPanels) panel->clear();
  pgImage->AssignPixelGraphic(&picture);
  exec();
  pgImage->TakePixelGraphic(nullptr);
  return FChosen;
}

QString TfrmGIFTrans::Panel(int index) const { return FPanels.at(std::size_t(index))->text(); }

void TfrmGIFTrans::PointAt(QPoint boxPoint) {
  const TPixelGraphic* picture = pgImage->PixelGraphicNoWait();
  const QRect box = pgImage->PicBoxBounds();
  if (!picture || picture->Empty() || box.isEmpty()) return;
  const TSelectionMapper mapper{picture->Width(), picture->Height(), box.width(), box.height()};
  const int x = std::clamp(mapper.ToImageX(boxPoint.x()), 0, picture->Width() - 1);
  const int y = std::clamp(mapper.ToImageY(boxPoint.y()), 0, picture->Height() - 1);
  FChosen = picture->PixelColor(x, y) & 0xFFFFFF;
  FPanels[0]->setText("R=" + QString::number(RedOf(FChosen)));
  FPanels[1]->setText("G=" + QString::number(GreenOf(FChosen)));
  FPanels[2]->setText("B=" + QString::number(BlueOf(FChosen)));
}
