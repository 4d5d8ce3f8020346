// The move tool's preview: the current file of the source list in the 145 x 145 box, on the
// control its kind needs (video, animated GIF, picture control for metafiles and icons, the
// view for the rest).
#include <QFileInfo>
#include <QLabel>

#include "controls/DisplayControls.h"
#include "files/FilePaths.h"
#include "mover/SelectFiles.h"
#include "mover/core/MoverRules.h"
#include "platform/Messages.h"
#include "view/GIFImage.h"
#include "view/PGImage.h"

namespace {

// Places a control of the given size in the middle of the 145-pixel box (inside its frame).
void Centre(QWidget* w, const TBoxSize& s) {
  w->setGeometry(1 + (kPreviewBox - s.Width) / 2, 1 + (kPreviewBox - s.Height) / 2, s.Width, s.Height);
}

QString SizeWithDimensions(const QString& size, int w, int h) {
  return size + QString(" (%1 x %2)").arg(w).arg(h);
}

}  // namespace

void TfSelectFiles::HidePreview() {
  FAVIPlay1->SetActive(false);
  FAVIPlay1->hide();
  FPGImage1->hide();
  FImage1->hide();
  FGIFImage1->SetAnimate(false);
  FGIFImage1->hide();
}

void TfSelectFiles::ClearPreview() {
  HidePreview();
  FStatus[1]->clear();
  FPreviewKind.clear();
  FPreviewed.clear();
}

void TfSelectFiles::Preview() {
  if (FFiles.CurrentIndex() < 0) return;
  const QString path = FFiles.CurrentFile();
  const std::int64_t size = FileSizeOf(path.toStdString());
  const QString sizeText = QString::fromStdString(PreviewSizeText(size));
  FStatus[1]->setText(sizeText);
  FLed->SetLit(true);
  FLed->repaint();
  HidePreview();
  FPreviewed = path;
  FPreviewKind = QString::fromStdString(PreviewKindOf(path.toStdString()));
  // A file that is still being written (nothing in it yet) is not read: it shows "Loading".
  if (size < 1) {
    FStatus[1]->setText("Loading " + QFileInfo(path).fileName());
    FLed->SetLit(false);
    return;
  }
  if (FPreviewKind == "AVI") {
    FAVIPlay1->SetFileName(path);
    const QSize n = FAVIPlay1->NaturalSize();
    const TBoxSize box = FitPreviewBox(n.isValid() ? n.width() : 0, n.isValid() ? n.height() : 0);
    Centre(FAVIPlay1, box);
    FAVIPlay1->show();
    FAVIPlay1->SetActive(true);
  } else if (FPreviewKind == "GIF") {
    if (FGIFImage1->LoadFromFile(path)) {
      Centre(FGIFImage1, FitIfLarger(FGIFImage1->LogicalWidth(), FGIFImage1->LogicalHeight()));
      FGIFImage1->show();
      FGIFImage1->SetAnimate(FGIFImage1->FrameCount() > 1);
      FStatus[1]->setText(SizeWithDimensions(sizeText, FGIFImage1->LogicalWidth(), FGIFImage1->LogicalHeight()));
    } else {
      ShowError(this, "Error reading image file");
    }
  } else if (FPreviewKind == "WMF" || FPreviewKind == "ICO" || FPreviewKind == "EMF") {
    PreviewSmallPicture(path);
  } else {
    try {
      FPGImage1->setGeometry(1, 1, kPreviewBox, kPreviewBox);
      FPGImage1->SetFileName(path);
      if (const TPixelGraphic* g = FPGImage1->PixelGraphicNoWait())
        FStatus[1]->setText(SizeWithDimensions(sizeText, g->Width(), g->Height()));
      FPGImage1->show();
    } catch (const std::exception& e) {
      ShowError(this, QString::fromStdString(e.what()));
    }
  }
  FLed->SetLit(false);
}

bool TfSelectFiles::PreviewSmallPicture(const QString& path) {
  try {
    FImage1->LoadFromFile(path);
  } catch (const std::exception&) {
    FLed->SetLit(false);
    if (FileSizeOf(path.toStdString()) < 1)
      FStatus[1]->setText("Loading " + QFileInfo(path).fileName());
    else
      ShowError(this, "Error reading image file");
    return false;
  }
  const QSize s = FImage1->PictureSize();
  FStatus[1]->setText(SizeWithDimensions(FStatus[1]->text(), s.width(), s.height()));
  Centre(FImage1, FitIfLarger(s.width(), s.height()));
  FImage1->show();
  return true;
}
