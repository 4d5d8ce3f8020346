#include "print/PageSetupForm.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/Messages.h"
#include "platform/Printer.h"
#include "print/PageSetupDefaults.h"
#include "print/PreviewPrinter.h"
#include "print/PrintWindows.h"

namespace {

// A small page outline, upright or turned, beside the orientation choice.
class TOrientationOutline : public QWidget {
 public:
  explicit TOrientationOutline(QWidget* parent) : QWidget(parent) { setFixedSize(56, 56); }
  bool Landscape = false;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QSize page = Landscape ? QSize(50, 38) : QSize(38, 50);
    const QRect r((width() - page.width()) / 2, (height() - page.height()) / 2, page.width(),
                  page.height());
    p.fillRect(r.translated(2, 2), palette().color(QPalette::Mid));
    p.fillRect(r, Qt::white);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(QColor(0xA0, 0xA0, 0xA0));
    for (int y = r.top() + 8; y < r.bottom() - 5; y += 5)
      p.drawLine(r.left() + 6, y, r.right() - 6, y);
  }
};

QString FontText(const TFontSpec& f) {
  return QStringLiteral("%1 %2 pt").arg(QString::fromStdString(f.Name)).arg(qRound(f.Size));
}

QRadioButton* Radio(const QString& text, const QString& name, QButtonGroup* group, int id,
                    QWidget* parent) {
  auto* b = new QRadioButton(text, parent);
  b->setObjectName(name);
  group->addButton(b, id);
  return b;
}

}  // namespace

TPageSetupForm::TPageSetupForm(TPreviewPrinter& engine, QWidget* parent)
    : QDialog(parent), FEngine(engine) {
  setWindowTitle(QStringLiteral("Page Setup"));
  setObjectName(QStringLiteral("PageSetupForm"));
  Confirm = [this](const QString& question) {
    return static_cast<int>(QMessageBox::question(
        this, QStringLiteral("Page Setup"), question,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No));
  };
  auto* grid = new QGridLayout(this);
  grid->addWidget(BuildMargins(), 0, 0);
  grid->addWidget(BuildOrientation(), 0, 1);
  grid->addWidget(
      BuildTextOptions(QStringLiteral("Header Options"), QStringLiteral("Header"), false), 1, 0);
  grid->addWidget(
      BuildTextOptions(QStringLiteral("Footer Options"), QStringLiteral("Footer"), false), 1, 1);
  grid->addWidget(
      BuildTextOptions(QStringLiteral("Page Number Options"), QStringLiteral("PageNum"), true), 2,
      0, 1, 2);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* printer =
      buttons->addButton(QStringLiteral("Printer &Setup..."), QDialogButtonBox::ActionRole);
  printer->setObjectName(QStringLiteral("btnPrinterSetup"));
  QPushButton* defaults =
      buttons->addButton(QStringLiteral("Set &Default"), QDialogButtonBox::ActionRole);
  defaults->setObjectName(QStringLiteral("btnSetDefault"));
  grid->addWidget(buttons, 3, 0, 1, 2);
  connect(buttons, &QDialogButtonBox::accepted, this, &TPageSetupForm::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(printer, &QPushButton::clicked, this, [this] { ShowPrinterSetup(this); });
  connect(defaults, &QPushButton::clicked, this, [this] { SetDefault(); });

  ShowValues(PageSetupFrom(EngineSettings(FEngine)));
}

QLineEdit* TPageSetupForm::Edit(const QString& name) const { return findChild<QLineEdit*>(name); }

QGroupBox* TPageSetupForm::BuildMargins() {
  auto* box = new QGroupBox(QStringLiteral("Page Margins"), this);
  auto* grid = new QGridLayout(box);
  FUnits = new QButtonGroup(box);
  grid->addWidget(Radio(QStringLiteral("&Inches"), QStringLiteral("rbInches"), FUnits, 0, box), 0,
                  0, 1, 2);
  grid->addWidget(
      Radio(QStringLiteral("&Centimeters"), QStringLiteral("rbCentimeters"), FUnits, 1, box), 0, 2,
      1, 2);
  const struct {
    const char* caption;
    const char* name;
    int row, column;
  } fields[] = {{"&Left", "edLeft", 1, 0},
                {"&Right", "edRight", 1, 2},
                {"&Top", "edTop", 2, 0},
                {"&Bottom", "edBottom", 2, 2}};
  for (const auto& f : fields) {
    auto* edit = new QLineEdit(box);
    edit->setObjectName(QString::fromLatin1(f.name));
    edit->setMaximumWidth(90);
    auto* label = new QLabel(QString::fromLatin1(f.caption), box);
    label->setBuddy(edit);
    grid->addWidget(label, f.row, f.column);
    grid->addWidget(edit, f.row, f.column + 1);
  }
  return box;
}

QGroupBox* TPageSetupForm::BuildOrientation() {
  auto* box = new QGroupBox(QStringLiteral("Page Orientation"), this);
  auto* row = new QHBoxLayout(box);
  auto* column = new QVBoxLayout;
  FOrientation = new QButtonGroup(box);
  column->addWidget(
      Radio(QStringLiteral("&Portrait"), QStringLiteral("rbPortrait"), FOrientation, 0, box));
  column->addWidget(
      Radio(QStringLiteral("Land&scape"), QStringLiteral("rbLandscape"), FOrientation, 1, box));
  row->addLayout(column);
  auto* outline = new TOrientationOutline(box);
  FOutline = outline;
  row->addWidget(outline);
  connect(FOrientation, &QButtonGroup::idClicked, this, [outline](int id) {
    outline->Landscape = id == 1;
    outline->update();
  });
  return box;
}

QGroupBox* TPageSetupForm::BuildTextOptions(const QString& caption, const QString& prefix,
                                            bool pageNumbers) {
  auto* box = new QGroupBox(caption, this);
  auto* grid = new QGridLayout(box);
  auto* text = new QLineEdit(box);
  text->setMinimumWidth(220);
  text->setObjectName(pageNumbers ? QStringLiteral("edPageNumText")
                                  : QStringLiteral("ed") + prefix);
  auto* textLabel = new QLabel(
      pageNumbers ? QStringLiteral("Page Number Text (%d = Page)") : QStringLiteral("&") + prefix,
      box);
  textLabel->setBuddy(text);
  grid->addWidget(textLabel, 0, 0);
  grid->addWidget(text, 0, 1, 1, 3);
  int row = 1;
  if (!pageNumbers) {
    auto* margin = new QLineEdit(box);
    margin->setObjectName(QStringLiteral("ed") + prefix + QStringLiteral("Margin"));
    margin->setMaximumWidth(90);
    auto* marginLabel = new QLabel(prefix + QStringLiteral(" &Margin"), box);
    marginLabel->setBuddy(margin);
    grid->addWidget(marginLabel, row, 0);
    grid->addWidget(margin, row, 1);
    ++row;
  } else {
    FPageNumPos = new QButtonGroup(box);
    auto* positions = new QHBoxLayout;
    positions->addWidget(
        Radio(QStringLiteral("Bottom"), QStringLiteral("rbPageNumBottom"), FPageNumPos, 0, box));
    positions->addWidget(
        Radio(QStringLiteral("Top"), QStringLiteral("rbPageNumTop"), FPageNumPos, 1, box));
    positions->addWidget(
        Radio(QStringLiteral("None"), QStringLiteral("rbPageNumNone"), FPageNumPos, 2, box));
    positions->addStretch();
    grid->addLayout(positions, row++, 0, 1, 4);
  }
  auto* align = new QButtonGroup(box);
  auto* aligns = new QHBoxLayout;
  const QString rb = QStringLiteral("rb") + prefix;
  aligns->addWidget(Radio(QStringLiteral("Left"), rb + QStringLiteral("Left"), align, 0, box));
  aligns->addWidget(Radio(QStringLiteral("Center"), rb + QStringLiteral("Center"), align, 2, box));
  aligns->addWidget(Radio(QStringLiteral("Right"), rb + QStringLiteral("Right"), align, 1, box));
  aligns->addStretch();
  grid->addLayout(aligns, row++, 0, 1, 4);
  auto* fontButton = new QPushButton(QStringLiteral("&Font..."), box);
  fontButton->setObjectName(QStringLiteral("btn") + prefix + QStringLiteral("Font"));
  // Three buttons read "Font..."; a screen reader says whose font each one sets.
  fontButton->setAccessibleName(QString(caption).remove(QStringLiteral(" Options")) +
                                QStringLiteral(" font..."));
  auto* fontLabel = new QLabel(box);
  fontLabel->setObjectName(prefix + QStringLiteral("FontText"));
  auto* fonts = new QHBoxLayout;
  fonts->addWidget(fontButton);
  fonts->addWidget(fontLabel, 1);
  grid->addLayout(fonts, row, 0, 1, 4);
  TFontSpec* font = &FValues.HeaderFont;
  if (prefix == QStringLiteral("Header")) {
    FHeaderAlign = align;
    FHeaderFontLabel = fontLabel;
  } else if (prefix == QStringLiteral("Footer")) {
    FFooterAlign = align;
    FFooterFontLabel = fontLabel;
    font = &FValues.FooterFont;
  } else {
    FPageNumAlign = align;
    FPageNumFontLabel = fontLabel;
    font = &FValues.PageNumFont;
  }
  connect(fontButton, &QPushButton::clicked, this,
          [this, font, fontLabel] { ChooseFont(*font, fontLabel); });
  return box;
}

void TPageSetupForm::ChooseFont(TFontSpec& font, QLabel* label) {
  bool ok = false;
  const QFont chosen =
      QFontDialog::getFont(&ok, TPreviewPrinter::DeviceFont(font), this, QStringLiteral("Font"));
  if (!ok) return;
  font.Name = chosen.family().toStdString();
  if (chosen.pointSizeF() > 0) font.Size = chosen.pointSizeF();
  font.Bold = chosen.bold();
  font.Italic = chosen.italic();
  font.Underline = chosen.underline();
  font.StrikeOut = chosen.strikeOut();
  label->setText(FontText(font));
}

void TPageSetupForm::ShowValues(const TPageSetupValues& v) {
  FValues = v;
  const char dp = LocaleDecimalPoint(), gs = LocaleGroupSeparator();
  auto number = [&](double value) {
    return QString::fromStdString(FormatMarginText(value, dp, gs));
  };
  FUnits->button(static_cast<int>(v.Units))->setChecked(true);
  Edit(QStringLiteral("edLeft"))->setText(number(v.MarginLeft));
  Edit(QStringLiteral("edRight"))->setText(number(v.MarginRight));
  Edit(QStringLiteral("edTop"))->setText(number(v.MarginTop));
  Edit(QStringLiteral("edBottom"))->setText(number(v.MarginBottom));
  FOrientation->button(static_cast<int>(v.Orientation))->setChecked(true);
  auto* outline = static_cast<TOrientationOutline*>(FOutline);
  outline->Landscape = v.Orientation == TOrientation::poLandscape;
  outline->update();
  Edit(QStringLiteral("edHeader"))->setText(QString::fromStdString(v.Header));
  Edit(QStringLiteral("edHeaderMargin"))->setText(number(v.HeaderMargin));
  FHeaderAlign->button(static_cast<int>(v.HeaderAlign))->setChecked(true);
  FHeaderFontLabel->setText(FontText(v.HeaderFont));
  Edit(QStringLiteral("edFooter"))->setText(QString::fromStdString(v.Footer));
  Edit(QStringLiteral("edFooterMargin"))->setText(number(v.FooterMargin));
  FFooterAlign->button(static_cast<int>(v.FooterAlign))->setChecked(true);
  FFooterFontLabel->setText(FontText(v.FooterFont));
  Edit(QStringLiteral("edPageNumText"))->setText(QString::fromStdString(v.PageNumText));
  for (QLineEdit* e : findChildren<QLineEdit*>())
    e->setCursorPosition(0);  // texts from their start
  FPageNumPos->button(static_cast<int>(v.PrintPageNumber))->setChecked(true);
  FPageNumAlign->button(static_cast<int>(v.PageNumAlign))->setChecked(true);
  FPageNumFontLabel->setText(FontText(v.PageNumFont));
}

std::optional<TPageSetupValues> TPageSetupForm::FieldValues() {
  TPageSetupValues v = FValues;
  v.Units = static_cast<TUnits>(FUnits->checkedId());
  v.Orientation = static_cast<TOrientation>(FOrientation->checkedId());
  v.Header = Edit(QStringLiteral("edHeader"))->text().toStdString();
  v.HeaderAlign = static_cast<TAlignment>(FHeaderAlign->checkedId());
  v.Footer = Edit(QStringLiteral("edFooter"))->text().toStdString();
  v.FooterAlign = static_cast<TAlignment>(FFooterAlign->checkedId());
  v.PageNumText = Edit(QStringLiteral("edPageNumText"))->text().toStdString();
  v.PrintPageNumber = static_cast<TPageNumberPosition>(FPageNumPos->checkedId());
  v.PageNumAlign = static_cast<TAlignment>(FPageNumAlign->checkedId());
  const TMarginTexts texts{Edit(QStringLiteral("edLeft"))->text().toStdString(),
                           Edit(QStringLiteral("edRight"))->text().toStdString(),
                           Edit(QStringLiteral("edTop"))->text().toStdString(),
                           Edit(QStringLiteral("edBottom"))->text().toStdString(),
                           Edit(QStringLiteral("edHeaderMargin"))->text().toStdString(),
                           Edit(QStringLiteral("edFooterMargin"))->text().toStdString()};
  const std::optional<TPageSetupError> error =
      ReadMarginTexts(texts, v, EnginePaper(FEngine), LocaleDecimalPoint(), LocaleGroupSeparator());
  if (error) {
    static const std::pair<const char*, const char*> editOf[] = {
        {"Left", "edLeft"},
        {"Right", "edRight"},
        {"Top", "edTop"},
        {"Bottom", "edBottom"},
        {"Header Margin", "edHeaderMargin"},
        {"Footer Margin", "edFooterMargin"}};
    ShowError(this, QString::fromStdString(error->Message));
    for (const auto& [field, edit] : editOf) {
      if (error->Field != field) continue;
      QLineEdit* e = Edit(QString::fromLatin1(edit));
      e->setFocus();
      e->selectAll();
    }
    return std::nullopt;
  }
  return v;
}

void TPageSetupForm::accept() {
  const std::optional<TPageSetupValues> values = FieldValues();
  if (!values) return;
  TPageSettings settings = EngineSettings(FEngine);
  ApplyPageSetup(*values, settings);
  ApplyEngineSettings(settings, FEngine);
  QDialog::accept();
}

void TPageSetupForm::SetDefault() {
  if (Confirm(QStringLiteral("Are you sure you want to save these values as the Default "
                             "Settings?")) != QMessageBox::Yes)
    return;
  if (const std::optional<TPageSetupValues> values = FieldValues()) SavePageSetupDefaults(*values);
}
