// The device's own options: one tab per option group, a control per settable option.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <cstdint>
#include <functional>

#include "editor/ScanDialogs.h"

namespace {

QString NumberText(double v) { return QString::number(v, 'g', 8); }

bool Shown(const TSaneOption& o) {
  return o.Active && o.Settable && o.Count == 1 && o.Type != TSaneOptionType::Group;
}

}  // namespace

TfrmScanOptions::TfrmScanOptions(TSaneDevice& device, const QString& title, QWidget* parent)
    : QDialog(parent), FDevice(device) {
  setObjectName("ScanOptions");
  setWindowTitle("Scan - " + title);
  auto* layout = new QVBoxLayout(this);
  FTabs = new QTabWidget;
  layout->addWidget(FTabs);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
  FScan = buttons->addButton("Scan", QDialogButtonBox::AcceptRole);
  FScan->setObjectName("ScanButton");
  FScan->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  Rebuild();
  FScan->setFocus();  // Enter scans; the focus is not left on Cancel
  resize(460, 380);
}

void TfrmScanOptions::Rebuild() {
  FRebuildPending = false;
  const int page = FTabs->currentIndex();
  while (FTabs->count() > 0) {
    QWidget* w = FTabs->widget(0);
    FTabs->removeTab(0);
    w->deleteLater();
  }
  QFormLayout* form = nullptr;
  QString group = "\x01";
  for (const TSaneOption& o : FDevice.Options()) {
    if (!Shown(o)) continue;
    if (!form || QString::fromStdString(o.Group) != group) {
      group = QString::fromStdString(o.Group);
      auto* tab = new QWidget;
      form = new QFormLayout(tab);
      form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
      FTabs->addTab(tab, group.isEmpty() ? QString("Options") : group);
    }
    QWidget* editor = EditorFor(o);
    editor->setObjectName(QString::fromStdString(o.Name));
    editor->setToolTip(QString::fromStdString(o.Description));
    if (o.Type == TSaneOptionType::Bool || o.Type == TSaneOptionType::Button)
      form->addRow(editor);
    else
      form->addRow(QString::fromStdString(o.Title) + ":", editor);
  }
  if (page >= 0 && page < FTabs->count()) FTabs->setCurrentIndex(page);
}

void TfrmScanOptions::Apply(const std::function<TSaneSetResult()>& set) {
  TSaneSetResult result;
  try {
    result = set();
  } catch (const ESane& e) {
    ShowScanError(this, QString::fromStdString(e.what()));
    result.ReloadOptions = true;  // show the value the device kept
  }
  // The control that changed is still in its signal: rebuild afterwards.
  if ((result.ReloadOptions || result.Inexact) && !FRebuildPending) {
    FRebuildPending = true;
    QTimer::singleShot(0, this, [this] {
      if (FRebuildPending) Rebuild();
    });
  }
}

QWidget* TfrmScanOptions::EditorFor(const TSaneOption& o) {
  const int index = o.Index;
  const QString unit = QString::fromStdString(o.UnitText());
  switch (o.Type) {
    case TSaneOptionType::Bool: {
      auto* box = new QCheckBox(QString::fromStdString(o.Title));
      box->setChecked(o.Flag);
      connect(box, &QCheckBox::toggled, this,
              [this, index](bool on) { Apply([&] { return FDevice.SetFlag(index, on); }); });
      return box;
    }
    case TSaneOptionType::Button: {
      auto* button = new QPushButton(QString::fromStdString(o.Title));
      connect(button, &QPushButton::clicked, this,
              [this, index] { Apply([&] { return FDevice.Press(index); }); });
      return button;
    }
    default: break;
  }
  if (o.Constraint == TSaneConstraint::StringList || o.Constraint == TSaneConstraint::WordList) {
    auto* combo = new QComboBox;
    if (o.Constraint == TSaneConstraint::StringList) {
      for (const std::string& s : o.Strings) combo->addItem(QString::fromStdString(s));
      combo->setCurrentText(QString::fromStdString(o.Text));
      connect(combo, &QComboBox::textActivated, this, [this, index](const QString& text) {
        Apply([&] { return FDevice.SetText(index, text.toStdString()); });
      });
    } else {
      for (double w : o.Words)
        combo->addItem(NumberText(w) + (unit.isEmpty() ? "" : " " + unit), w);
      combo->setCurrentIndex(combo->findData(o.Number));
      connect(combo, &QComboBox::activated, this, [this, index, combo](int i) {
        const double v = combo->itemData(i).toDouble();
        Apply([&] { return FDevice.SetNumber(index, v); });
      });
    }
    return combo;
  }
  if (o.Type == TSaneOptionType::String) {
    auto* edit = new QLineEdit(QString::fromStdString(o.Text));
    connect(edit, &QLineEdit::editingFinished, this, [this, index, edit] {
      Apply([&] { return FDevice.SetText(index, edit->text().toStdString()); });
    });
    return edit;
  }
  const bool ranged = o.Constraint == TSaneConstraint::Range;
  if (o.Type == TSaneOptionType::Fixed) {
    auto* spin = new QDoubleSpinBox;
    const double step = ranged && o.Quant > 0 ? o.Quant : 0.1;
    spin->setDecimals(step >= 1 ? 0 : std::min(4, int(std::ceil(-std::log10(step)))));
    spin->setRange(ranged ? o.Min : -32768.0, ranged ? o.Max : 32767.0);
    spin->setSingleStep(step);
    spin->setValue(o.Number);
    if (!unit.isEmpty()) spin->setSuffix(" " + unit);
    connect(spin, &QDoubleSpinBox::editingFinished, this, [this, index, spin] {
      Apply([&] { return FDevice.SetNumber(index, spin->value()); });
    });
    return spin;
  }
  auto* spin = new QSpinBox;
  spin->setRange(ranged ? int(o.Min) : INT32_MIN, ranged ? int(o.Max) : INT32_MAX);
  spin->setSingleStep(ranged && o.Quant >= 1 ? int(o.Quant) : 1);
  spin->setValue(int(o.Number));
  if (!unit.isEmpty()) spin->setSuffix(" " + unit);
  connect(spin, &QSpinBox::editingFinished, this, [this, index, spin] {
    Apply([&] { return FDevice.SetNumber(index, spin->value()); });
  });
  return spin;
}
