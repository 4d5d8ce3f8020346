#include "thumbs/ThumbViewer.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/Messages.h"
#include "view/PGImage.h"

namespace {

const QSize kDefaultArea(640, 480);

}  // namespace

TfrmThumbVex::TfrmThumbVex(QWidget* owner) : QWidget(owner, Qt::Window | Qt::WindowStaysOnTopHint) {
  setObjectName("TfrmThumbVex");
  setAttribute(Qt::WA_DeleteOnClose);
  PGImage1 = new TPGImage(this);
  PGImage1->setObjectName("PGImage1");
  PGImage1->SetCenter(true);
  PGImage1->SetStretch(sAlwaysKAR);
  PGImage1->SetZoomFactor(1.0);
  PGImage1->ReadWarningAction = pgwaIgnore;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(PGImage1);
}

QSize TfrmThumbVex::ClientSizeFor(QSize picture, QSize screen, int margin) {
  if (picture.width() < screen.width() && picture.height() < screen.height())
    return picture + QSize(margin, margin);
  return picture.scaled(kDefaultArea, Qt::KeepAspectRatio) + QSize(margin, margin);
}

bool TfrmThumbVex::Open(const QString& path, int margin) {
  setWindowTitle(QFileInfo(path).fileName());
  try {
    PGImage1->LoadFromFile(path);
  } catch (const std::exception& e) {
    ShowError(parentWidget(), QString::fromStdString(e.what()));
    close();
    return false;
  }
  const TPixelGraphic* picture = PGImage1->PixelGraphic();
  const QSize size = picture ? QSize(picture->Width(), picture->Height()) : kDefaultArea;
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize area = screen ? screen->availableGeometry().size() : QSize(1280, 800);
  resize(ClientSizeFor(size, area, margin).expandedTo(QSize(120, 80)));
  show();
  return true;
}
