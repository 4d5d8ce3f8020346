#include "dialogs/EffectWindow.h"

#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <chrono>

TfrmNewEFX::TfrmNewEFX(QWidget* parent)
    : QDialog(parent),
      FRandom(static_cast<std::uint64_t>(
          std::chrono::steady_clock::now().time_since_epoch().count())) {
  setWindowTitle("EFX");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::CustomizeWindowHint);
  const double s = Scale();
  auto place = [s](QWidget* w, int x, int y, int width, int height) {
    w->setGeometry(qRound(x * s), qRound(y * s), qRound(width * s), qRound(height * s));
  };
  TrackBar1 = new QSlider(Qt::Horizontal, this);
  TrackBar1->setRange(0, 100);
  TrackBar1->setTickPosition(QSlider::NoTicks);
  TrackBar1->setPageStep(10);
  TrackBar1->setFocusPolicy(Qt::StrongFocus);
  TrackBar1->setAccessibleName("Amount");
  TrackBar1->setToolTip("Amount: 0");
  place(TrackBar1, 24, 248, 201, 33);
  BitBtn1 = new QPushButton("OK", this);
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton("Cancel", this);
  BitBtn2->setAutoDefault(false);
  place(BitBtn1, 40, 288, 75, 25);
  place(BitBtn2, 144, 288, 75, 25);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  connect(TrackBar1, &QSlider::valueChanged, this, [this] { SliderChanged(); });
  setFixedSize(qRound(252 * s), qRound(321 * s));
  setAccessibleDescription("Preview of the effect");
}

double TfrmNewEFX::Scale() const { return std::max(1.0, logicalDpiY() / 96.0); }

void TfrmNewEFX::SetEffect(int tag) {
  FTag = tag;
  setWindowTitle(QString::fromStdString(EffectName(tag)));
  const QSignalBlocker block(TrackBar1);
  TrackBar1->setValue(0);
  if (FBuilt) SliderChanged();
}

void TfrmNewEFX::SetImage(const TPixelGraphic* image) {
  FImage = image;
  FBuilt = false;
  FPristine = {};
  FWorking = {};
  if (isVisible()) BuildPreview();
}

int TfrmNewEFX::Amount() const { return TrackBar1->value(); }

void TfrmNewEFX::ApplyTo(TPixelGraphic& image) const {
  ApplyEffectToImage(image, FTag, Amount(),
                     static_cast<std::uint64_t>(
                         std::chrono::steady_clock::now().time_since_epoch().count()));
}

void TfrmNewEFX::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!FBuilt) BuildPreview();
  TrackBar1->setFocus();
}

void TfrmNewEFX::BuildPreview() {
  FBuilt = true;
  FPristine = FImage ? MakeEffectPreview(*FImage) : TFastBMP();
  FWorking = FPristine;
  SliderChanged();
}

void TfrmNewEFX::SliderChanged() {
  if (!FBuilt) return;
  TrackBar1->setToolTip(QString("Amount: %1").arg(Amount()));
  ApplyEffectStep(FPristine, FWorking, FTag, Amount(), FRandom);
  update(0, 0, width(), TrackBar1->y());
}

void TfrmNewEFX::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  if (FWorking.Empty()) return;
  int x = 0, y = 0;
  EffectPreviewOrigin(FWorking.Width(), FWorking.Height(), x, y);
  const QImage wrapped(FWorking.Bits(), FWorking.Width(), FWorking.Height(),
                       static_cast<qsizetype>(FWorking.Stride()), QImage::Format_BGR888);
  const double s = Scale();
  QPainter p(this);
  p.drawImage(QRectF(x * s, y * s, FWorking.Width() * s, FWorking.Height() * s), wrapped);
}


void TfrmNewEFX::done(int result) {
  QDialog::done(result);
  // Closing frees both copies; the next showing builds them again.
  FPristine = {};
  FWorking = {};
  FBuilt = false;
}
