#include "thumbs/ThumbVexOptions.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "dialogs/OpenSaveDialog.h"
#include "platform/Messages.h"

namespace {

QSpinBox* Spin(const char* name, TSheetRange range, int value, int step = 1) {
  auto* s = new QSpinBox;
  s->setObjectName(name);
  s->setRange(range.Min, range.Max);
  s->setSingleStep(step);
  s->setValue(value);
  return s;
}

QCheckBox* Check(const char* name, const QString& caption, bool on) {
  auto* c = new QCheckBox(caption);
  c->setObjectName(name);
  c->setChecked(on);
  return c;
}

QColor ToColor(TRGB c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

QFontComboBox* FontBox(const char* name) {
  auto* f = new QFontComboBox;
  f->setObjectName(name);
  if (QFontDatabase::families().contains("Arial")) f->setCurrentFont(QFont("Arial"));
  return f;
}

}  // namespace

TColorButton::TColorButton(const QString& objectName, QColor color, QWidget* parent)
    : QWidget(parent), FButton(new QPushButton(this)) {
  setObjectName(objectName);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(FButton);
  FButton->setFixedSize(56, 22);
  SetColor(color);
  connect(FButton, &QPushButton::clicked, this, [this] {
    const QColor chosen = QColorDialog::getColor(FColor, this);
    if (chosen.isValid()) SetColor(chosen);
  });
}

void TColorButton::SetColor(const QColor& color) {
  FColor = color;
  FButton->setStyleSheet(QString("background-color: %1; border: 1px solid #808080;")
                             .arg(color.name()));
}

TRGB TColorButton::RGB() const { return RGBColor(FColor.red(), FColor.green(), FColor.blue()); }

TfrmThumbVexOptions::TfrmThumbVexOptions() {
  setObjectName("TfrmThumbVexOptions");
  setWindowTitle("ThumbVex Options");
  setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint);
  auto* tabs = new QTabWidget;
  tabs->setObjectName("PageControl1");
  tabs->addTab(BasicPage(), "Basic");
  tabs->addTab(BackgroundPage(), "Background");
  tabs->addTab(BorderPage(), "Border FX");
  tabs->addTab(TitlePage(), "Title/Footer");
  auto* close = new QPushButton("Close");
  connect(close, &QPushButton::clicked, this, &QWidget::hide);
  auto* column = new QVBoxLayout(this);
  column->addWidget(tabs);
  column->addWidget(close, 0, Qt::AlignRight);
}

QWidget* TfrmThumbVexOptions::BasicPage() {
  const TSheetOptions d;
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  eSize = new QLineEdit(QString::number(d.Size));
  eSize->setObjectName("eSize");
  eSize->setToolTip("ThumbVex Size (pixels)");
  eSize->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), eSize));
  eSize->installEventFilter(this);
  form->addRow("Size", eSize);
  eCols = Spin("eCols", kSheetColsRange, d.Cols);
  eCols->setToolTip("Number of Columns");
  form->addRow("Cols", eCols);
  eHSpace = Spin("eHSpace", kSheetHSpaceRange, d.HSpace, 5);
  form->addRow("H Spc", eHSpace);
  eVSpace = Spin("eVSpace", kSheetVSpaceRange, d.VSpace, 5);
  form->addRow("V Spc", eVSpace);
  cbtnBGColor = new TColorButton("cbtnBGColor", ToColor(d.BackgroundColor));
  form->addRow("Background Color", cbtnBGColor);
  cbtnFontColor = new TColorButton("cbtnFontColor", ToColor(d.TextColor));
  cbtnFontColor->setToolTip("Font Color");
  form->addRow("Text Color", cbtnFontColor);
  cbIncFileNames = Check("cbIncFileNames", "Include Filenames", d.IncludeFileNames);
  form->addRow(cbIncFileNames);
  cbAutoSharpen = Check("cbAutoSharpen", "Auto Sharpen", d.AutoSharpen);
  form->addRow(cbAutoSharpen);
  tbSharpeningFactor = new QSlider(Qt::Horizontal);
  tbSharpeningFactor->setObjectName("tbSharpeningFactor");
  tbSharpeningFactor->setAccessibleName("Sharpening Factor");
  tbSharpeningFactor->setRange(kSheetSharpenRange.Min, kSheetSharpenRange.Max);
  tbSharpeningFactor->setValue(d.SharpeningFactor);
  auto* sharpen = new QHBoxLayout;
  sharpen->addWidget(new QLabel("Min"));
  sharpen->addWidget(tbSharpeningFactor, 1);
  sharpen->addWidget(new QLabel("Max"));
  form->addRow("Sharpening Factor", sharpen);
  connect(cbAutoSharpen, &QCheckBox::toggled, tbSharpeningFactor, &QWidget::setEnabled);
  return page;
}

QWidget* TfrmThumbVexOptions::BackgroundPage() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  cbUseBGImage = Check("cbUseBGImage", "Use Image for Background", false);
  form->addRow(cbUseBGImage);
  eBGImage = new QLineEdit("None selected...");
  eBGImage->setObjectName("eBGImage");
  eBGImage->setAccessibleName("Image File for Background");
  eBGImage->setReadOnly(true);
  auto* browse = new QPushButton("...");
  browse->setObjectName("btnBGImage");
  browse->setAccessibleName("Choose the background image");
  browse->setToolTip("Choose the background image");
  browse->setFixedWidth(30);
  connect(browse, &QPushButton::clicked, this, [this] { ChooseBackground(); });
  auto* row = new QHBoxLayout;
  row->addWidget(eBGImage, 1);
  row->addWidget(browse);
  form->addRow("Image File for Background", row);
  return page;
}

QWidget* TfrmThumbVexOptions::BorderPage() {
  const TSheetOptions d;
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  cbAddBorder = Check("cbAddBorder", "Add Border", d.AddBorder);
  form->addRow(cbAddBorder);
  cbtnBorderColor = new TColorButton("cbtnBorderColor", ToColor(d.BorderColor));
  form->addRow("Border Color", cbtnBorderColor);
  cbDropShadow = Check("cbDropShadow", "Add Shadow", d.DropShadow);
  form->addRow(cbDropShadow);
  cbBevel = Check("cbBevel", "3D Bevel", d.Bevel);
  form->addRow(cbBevel);
  return page;
}

QWidget* TfrmThumbVexOptions::TitlePage() {
  const TSheetOptions d;
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  cbTitle = Check("cbTitle", "Include Title", d.IncludeTitle);
  form->addRow(cbTitle);
  fcbTitle = FontBox("fcbTitle");
  cbtnTitleColor = new TColorButton("cbtnTitleColor", ToColor(d.TitleFont.Color));
  auto* titleFont = new QHBoxLayout;
  titleFont->addWidget(fcbTitle, 1);
  titleFont->addWidget(cbtnTitleColor);
  form->addRow("Font", titleFont);
  eTitleSize = Spin("eTitleSize", kSheetFontSizeRange, d.TitleFont.Points);
  form->addRow("Font Size", eTitleSize);
  eTitle = new QLineEdit(QString::fromStdString(d.Title));
  eTitle->setObjectName("eTitle");
  form->addRow("Title", eTitle);
  cbFooter = Check("cbFooter", "Include Footer", d.IncludeFooter);
  form->addRow(cbFooter);
  fcbFooter = FontBox("fcbFooter");
  cbtnFooterColor = new TColorButton("cbtnFooterColor", ToColor(d.FooterFont.Color));
  auto* footerFont = new QHBoxLayout;
  footerFont->addWidget(fcbFooter, 1);
  footerFont->addWidget(cbtnFooterColor);
  form->addRow("Font", footerFont);
  eFooterSize = Spin("eFooterSize", kSheetFontSizeRange, d.FooterFont.Points);
  form->addRow("Font Size", eFooterSize);
  eFooter = new QLineEdit(QString::fromStdString(d.Footer));
  eFooter->setObjectName("eFooter");
  form->addRow("Footer", eFooter);
  return page;
}

QString TfrmThumbVexOptions::BackgroundsFolder() {
  // Beside the program in the build tree; under share/lumivex once installed.
  const QString beside = QCoreApplication::applicationDirPath() + "/Backgrounds";
  if (QDir(beside).exists()) return beside;
  const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                            "/../share/lumivex/backgrounds");
  if (QDir(installed).exists()) return installed;
  const QString own =
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/Backgrounds";
  return QDir(own).exists() ? own : QString();
}

void TfrmThumbVexOptions::ChooseBackground() {
  TPGOpenDialog dialog(this);
  dialog.setWindowTitle("Image File for Background");
  const QString folder = BackgroundsFolder();
  if (!folder.isEmpty()) dialog.setDirectory(folder);
  if (!dialog.Execute()) return;
  eBGImage->setText(dialog.FileName);
  cbUseBGImage->setChecked(true);
}

bool TfrmThumbVexOptions::CheckSize() {
  bool ok = false;
  const int value = eSize->text().toInt(&ok);
  if (ok && kSheetSizeRange.Contains(value)) return true;
  ShowMessage(this, QString::fromStdString(kSheetSizeRange.Message()));
  eSize->setText("96");
  eSize->setFocus();
  return false;
}

bool TfrmThumbVexOptions::eventFilter(QObject* watched, QEvent* event) {
  if (watched == eSize && event->type() == QEvent::FocusOut)
    QTimer::singleShot(0, this, [this] { CheckSize(); });
  return QDialog::eventFilter(watched, event);
}

TSheetOptions TfrmThumbVexOptions::Options() const {
  TSheetOptions o;
  o.Size = eSize->text().toInt();
  o.Cols = eCols->value();
  o.HSpace = eHSpace->value();
  o.VSpace = eVSpace->value();
  o.BackgroundColor = cbtnBGColor->RGB();
  o.TextColor = cbtnFontColor->RGB();
  o.IncludeFileNames = cbIncFileNames->isChecked();
  o.AutoSharpen = cbAutoSharpen->isChecked();
  o.SharpeningFactor = tbSharpeningFactor->value();
  o.UseBackgroundImage = cbUseBGImage->isChecked();
  o.BackgroundImage = QFile::encodeName(eBGImage->text()).toStdString();
  o.AddBorder = cbAddBorder->isChecked();
  o.BorderColor = cbtnBorderColor->RGB();
  o.DropShadow = cbDropShadow->isChecked();
  o.Bevel = cbBevel->isChecked();
  o.IncludeTitle = cbTitle->isChecked();
  o.TitleFont = {fcbTitle->currentFont().family().toStdString(), eTitleSize->value(),
                 cbtnTitleColor->RGB()};
  o.Title = eTitle->text().toStdString();
  o.IncludeFooter = cbFooter->isChecked();
  o.FooterFont = {fcbFooter->currentFont().family().toStdString(), eFooterSize->value(),
                  cbtnFooterColor->RGB()};
  o.Footer = eFooter->text().toStdString();
  return o;
}
