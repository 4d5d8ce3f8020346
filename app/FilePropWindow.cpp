#include "app/FilePropWindow.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "files/ImageProperties.h"
#include "imaging/formats/LoadSave.h"
#include "platform/PGQtImage.h"

namespace {
const QSize kWindowSize(420, 300);
const QSize kPreviewSize(105, 121);
}  // namespace

TfrmFileProp::TfrmFileProp() : FGrid(new QGridLayout), FPreview(new QLabel) {
  setObjectName("TfrmFileProp");
  setWindowTitle("Image Properties");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFixedSize(kWindowSize);
  FBackground = QImage(kWindowSize, QImage::Format_RGB32);
  for (int g = 0; g < kWindowSize.width(); ++g) {
    const QRgb c = qRgb(GradientRed(g, kWindowSize.width()), 0, 0);
    for (int y = 0; y < kWindowSize.height(); ++y) FBackground.setPixel(g, y, c);
  }
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, Qt::white);
  setPalette(pal);
  FPreview->setFixedSize(kPreviewSize);
  FPreview->setAlignment(Qt::AlignCenter);
  FPreview->setStyleSheet("background: black");
  FGrid->setHorizontalSpacing(12);
  FGrid->setVerticalSpacing(2);
  FGrid->setColumnStretch(1, 1);  // the values (a whole path among them) take the spare width
  auto* ok = new QPushButton("OK");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* right = new QVBoxLayout;
  right->addWidget(FPreview);
  right->addStretch(1);
  right->addWidget(ok);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(FGrid, 1);
  layout->addLayout(right);
}

void TfrmFileProp::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, FBackground);
}

void TfrmFileProp::Fill(const QString& path) {
  while (QLayoutItem* item = FGrid->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  const TImageProperties p = ReadImageProperties(path.toStdString());
  const QDateTime date = QDateTime::fromSecsSinceEpoch(p.Date);
  const QString dateText = QLocale().toString(date.date(), QLocale::ShortFormat) +
                           date.time().toString(" h:mm AP");
  int row = 0;
  for (const auto& [label, value] : p.Rows(dateText.toStdString())) {
    auto* name = new QLabel(QString::fromStdString(label));
    auto* text = new QLabel(QString::fromStdString(value));
    text->setObjectName(QString::fromStdString(label));
    text->setWordWrap(label == "FileName");
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FGrid->addWidget(name, row, 0, Qt::AlignTop);
    FGrid->addWidget(text, row, 1, Qt::AlignTop);
    ++row;
  }
  FGrid->setRowStretch(row, 1);
  FPreview->clear();
  FPreview->setVisible(p.ShowsPreview());
  if (!p.ShowsPreview()) return;
  try {
    TPixelGraphic picture;
    LoadFromFile(picture, p.Path);
    const QImage image = PGToQImage(picture);
    FPreview->setPixmap(QPixmap::fromImage(
        image.scaled(kPreviewSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  } catch (const std::exception&) {
    FPreview->hide();  // described, but it does not load: no preview
  }
}

QString TfrmFileProp::Value(const QString& label) const {
  const auto* text = findChild<QLabel*>(label);
  return text ? text->text() : QString();
}

void TfrmFileProp::Run(const QString& path) {
  Fill(path);
  exec();
}
