#include "dialogs/FilterDialogForm.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <algorithm>

#include "dialogs/FilterPreviewJobs.h"
#include "dialogs/core/FilterDialogLayout.h"
#include "platform/BackgroundJob.h"
#include "view/PGImage.h"

namespace {

// A track bar with its neutral position marked under the track.
class TNeutralSlider : public QSlider {
 public:
  TNeutralSlider(int neutral, QWidget* parent) : QSlider(Qt::Horizontal, parent), FNeutral(neutral) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    QSlider::paintEvent(event);
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    const int x = groove.x() + handle.width() / 2 +
                  QStyle::sliderPositionFromValue(minimum(), maximum(), FNeutral, span);
    QPainter p(this);
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(QPalette::Highlight));
    const int y = groove.top() - 1;
    const QPoint tri[3] = {{x - 3, y - 4}, {x + 3, y - 4}, {x, y}};
    p.drawPolygon(tri, 3);
  }

 private:
  int FNeutral;
};

QString Text(const std::string& s) { return QString::fromStdString(s); }

// The dialog's sliders with caption and value columns wide enough for the window's font.
std::array<TSliderDesc, 3> FittedSliders(const TFilterDialog& dialog, const QFontMetrics& fm) {
  std::array<TSliderDesc, 3> sliders = dialog.Sliders();
  int captionW = 0;
  for (const TSliderDesc& s : sliders)
    if (s.Shown) captionW = std::max(captionW, fm.horizontalAdvance(Text(s.Caption)) + 6);
  if (dialog.Radio().Shown && !dialog.Radio().GroupCaption.empty())
    captionW = std::max(captionW, fm.horizontalAdvance(Text(dialog.Radio().GroupCaption)) + 6);
  // The widest value texts: the ends of the ranges with their signs.
  int valueW = 0;
  for (const char* sample : {"+100%", "-100%", "-180\u00b0", "+180\u00b0", "1000%", "5.00"})
    valueW = std::max(valueW, fm.horizontalAdvance(QString::fromUtf8(sample)) + 4);
  for (TSliderDesc& s : sliders) {
    if (!s.Shown) continue;
    s.CaptionWidth = std::max(s.CaptionWidth, captionW);
    s.ValueWidth = std::max(s.ValueWidth, valueW);
  }
  return sliders;
}

}  // namespace

TFilterDialogForm::TFilterDialogForm(TFilterDialog& dialog, const TPixelGraphic* image,
                                     QWidget* parent)
    : QDialog(parent), FDialog(dialog) {
  setWindowTitle(Text(dialog.WindowCaption()));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  QFont f = font();
  f.setPointSize(8);
  setFont(f);
  FTimer = new QTimer(this);
  FTimer->setSingleShot(true);
  FTimer->setInterval(kPreviewDelayMs);
  FTimer->setTimerType(Qt::PreciseTimer);  // never earlier than the rest asks
  connect(FTimer, &QTimer::timeout, this, [this] { TimerFired(); });
  BuildControls();
  if (FPreview && image) StartSource(*image);
}

TFilterDialogForm::~TFilterDialogForm() {
  FTimer->stop();
  if (FDestJob) FDestJob->Stop();
  if (FSourceJob) FSourceJob->Stop();
  FDestJob.reset();
  FSourceJob.reset();
  FSource.reset();
}

void TFilterDialogForm::BuildControls() {
  const QFontMetrics fm(font());
  const std::array<TSliderDesc, 3> sliders = FittedSliders(FDialog, fm);
  const TFilterDialogLayout l =
      LayoutFilterDialog(sliders, FDialog.Check(), FDialog.Radio(), FDialog.HasPreview());
  const double scale = std::max(1.0, logicalDpiY() / 96.0);
  const int lineH = std::max(kLabelHeight, fm.height());
  auto place = [&](QWidget* w, const TLayoutRect& r, int minH = 0) {
    w->setGeometry(qRound(r.X * scale), qRound(r.Y * scale), qRound(r.W * scale),
                   std::max(qRound(r.H * scale), minH));
  };
  auto label = [&](const std::string& text, const TLayoutRect& r, Qt::Alignment align) {
    auto* lab = new QLabel(Text(text), this);
    lab->setAlignment(align | Qt::AlignVCenter);
    place(lab, r, lineH);
    return lab;
  };

  for (int k = 0; k < 3; ++k) {
    const TSliderDesc& s = sliders[static_cast<std::size_t>(k)];
    const TSliderLayout& sl = l.Sliders[static_cast<std::size_t>(k)];
    if (!s.Shown) continue;
    QLabel* caption = label(s.Caption, sl.Caption, Qt::AlignLeft);
    auto* slider = new TNeutralSlider(s.Neutral, this);
    slider->setRange(s.Min, s.Max);
    slider->setTickInterval(s.Ticks);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setSingleStep(1);
    slider->setPageStep(s.Ticks);
    slider->setValue(s.Position);
    slider->setFocusPolicy(Qt::StrongFocus);
    slider->setAccessibleName(Text(s.Caption));
    caption->setBuddy(slider);
    place(slider, sl.Track);
    label(s.LeftLabel, sl.Labels[0], Qt::AlignLeft);
    label(s.CentreLabel, sl.Labels[1], Qt::AlignHCenter);
    label(s.RightLabel, sl.Labels[2], Qt::AlignRight);
    QLabel* value = label({}, sl.Value, Qt::AlignRight);
    value->setAccessibleName(Text(s.Caption) + " value");
    FSliders[static_cast<std::size_t>(k)] = slider;
    FValues[static_cast<std::size_t>(k)] = value;
    connect(slider, &QSlider::valueChanged, this, [this] { Changed(); });
  }

  if (l.HasPreview) {
    FPreview = new TPGImage(this);
    FPreview->SetBorderSingle(true);
    FPreview->SetCenter(true);
    FPreview->KeepOldPaintPixelGraphic = true;
    if (auto* d = dynamic_cast<TPreviewFilterDialog*>(&FDialog)) {
      FPreview->SetPalette8BitSys24BitGraphic(d->Palette8BitSys24BitGraphic);
      FPreview->SetPalette8BitSys8BitGraphic(d->Palette8BitSys8BitGraphic);
      FPreview->ProgressClockVisible = d->ProgressClockVisible;
      auto colour = [this](std::int64_t c, QPalette::ColorRole role) {
        if (c < 0) return palette().color(role);
        return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
      };
      FPreview->ProgressClockBkColor = colour(d->ProgressClockBkColor, QPalette::Button);
      FPreview->ProgressClockLineColor = colour(d->ProgressClockLineColor, QPalette::Dark);
    }
    FPreview->setAccessibleName("Preview");
    FPreview->setFocusPolicy(Qt::NoFocus);
    place(FPreview, l.Preview);
  }

  if (l.HasCheck) {
    FCheck = new QCheckBox(Text(FDialog.Check().Caption), this);
    FCheck->setChecked(FDialog.Check().Checked);
    FCheck->setAccessibleName(FCheck->text());
    place(FCheck, l.Check, lineH + 4);
    connect(FCheck, &QCheckBox::toggled, this, [this] { Changed(); });
  }
  if (l.HasRadio) {
    const TRadioDesc& r = FDialog.Radio();
    FRadios[0] = new QRadioButton(Text(r.Caption1), this);
    FRadios[1] = new QRadioButton(Text(r.Caption2), this);
    FRadios[r.SecondChecked ? 1 : 0]->setChecked(true);
    place(FRadios[0], l.Radio1, lineH + 4);
    place(FRadios[1], l.Radio2, lineH + 4);
    const QString group = Text(r.GroupCaption);
    for (QRadioButton* b : FRadios) {
      b->setAccessibleName(group.isEmpty() ? b->text() : group + " " + b->text());
      connect(b, &QRadioButton::toggled, this, [this](bool on) { if (on) Changed(); });
    }
    if (l.HasGroupCaption) label(r.GroupCaption, l.GroupCaption, Qt::AlignLeft);
  }

  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  place(line, {5, l.SeparatorY, l.ClientWidth - 10, 2});

  FOk = new QPushButton("OK", this);
  FOk->setDefault(true);
  FOk->setAutoDefault(true);
  FCancel = new QPushButton("Cancel", this);
  FCancel->setAutoDefault(false);
  place(FOk, l.Ok);
  place(FCancel, l.Cancel);
  connect(FOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(FCancel, &QPushButton::clicked, this, &QDialog::reject);

  setFixedSize(qRound(l.ClientWidth * scale), qRound(l.ClientHeight * scale));
  RefreshValueTexts();
  if (FSliders[0]) FSliders[0]->setFocus();
}

void TFilterDialogForm::RefreshValueTexts() {
  for (int k = 0; k < 3; ++k)
    if (QLabel* v = FValues[static_cast<std::size_t>(k)]) v->setText(Text(FDialog.FormatValue(k)));
}

void TFilterDialogForm::Changed() {
  std::array<int, 3> positions{};
  for (std::size_t k = 0; k < 3; ++k)
    if (FSliders[k]) positions[k] = FSliders[k]->value();
  FDialog.ChangeFromWindow(positions, FCheck && FCheck->isChecked(),
                           FRadios[1] && FRadios[1]->isChecked());
  RefreshValueTexts();
  if (!FPreview) return;
  if (FDestJob) FDestJob->Terminate();
  FTimer->start();
}

void TFilterDialogForm::StartSource(const TPixelGraphic& image) {
  const int areaW = FPreview->width() - 2 * FPreview->frameWidth();
  const int areaH = FPreview->height() - 2 * FPreview->frameWidth();
  PreviewSourceSize(image.Width(), image.Height(), areaW, areaH, FSourceW, FSourceH);
  FSourceJob = std::make_unique<TCreateSrcPGThread>(this, image, FSourceW, FSourceH);
  FSourceJob->Start();
}

void TFilterDialogForm::TimerFired() {
  if (!FSourceReady || !FSource) return;
  if (FDestJob) FDestJob->Stop();
  auto filter = FDialog.CreateFilter();
  FDialog.ConfigureFilter(*filter);
  FDestJob = std::make_unique<TCreateDestPGThread>(this, ++FOrder, *FSource, std::move(filter));
  ++FDestStarted;
  FDestJob->Start();
}

void TFilterDialogForm::customEvent(QEvent* event) {
  TBackgroundJob::AcceptPosted();
  if (event->type() != TFilterPreviewEvent::kType) return QDialog::customEvent(event);
  auto* e = static_cast<TFilterPreviewEvent*>(event);
  if (e->Code == TFilterPreviewEvent::SourceReady) {
    FSource = std::move(e->Image);
    FSourceReady = true;
    FTimer->start();
  } else if (e->Image) {
    ++FResultsShown;
    FPreview->TakePixelGraphic(std::move(e->Image));
  }
}

bool ExecuteFilterDialog(TFilterDialog& dialog, const TPixelGraphic* image, QWidget* parent) {
  dialog.BeginExecute();
  bool ok = false;
  {
    TFilterDialogForm form(dialog, dialog.HasPreview() ? image : nullptr, parent);
    if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      form.move(area.center() - form.rect().center());
    }
    ok = form.exec() == QDialog::Accepted;
  }
  dialog.EndExecute(ok);
  return ok;
}
