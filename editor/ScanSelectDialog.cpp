// "Select...": the list of scanners, the choice kept as the default source.
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/ScanDialogs.h"
#include "platform/WarningBox.h"
#include "platform/Settings.h"

void ShowScanError(QWidget* parent, const QString& text) {
  ShowWarningTitled(parent, "Scanner Error", text);
}

TfrmSelectSource::TfrmSelectSource(const std::vector<TSaneDeviceInfo>& devices,
                                   const QString& current, QWidget* parent)
    : QDialog(parent) {
  setObjectName("SelectSource");
  setWindowTitle("Select Source");
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(devices.empty() ? "No scanner was found. Check that it is switched on "
                                             "and connected, then try again."
                                           : "Sources:");
  label->setWordWrap(true);
  layout->addWidget(label);
  FList = new QListWidget;
  FList->setObjectName("SourceList");
  for (const TSaneDeviceInfo& d : devices) {
    const QString name = QString::fromStdString(d.Name);
    const QString title = QString::fromStdString(d.Vendor + " " + d.Model).trimmed();
    auto* item = new QListWidgetItem(QString("%1 (%2)").arg(title.isEmpty() ? name : title, name));
    item->setData(Qt::UserRole, name);
    item->setToolTip(QString::fromStdString(d.Type));
    FList->addItem(item);
    if (name == current) FList->setCurrentItem(item);
  }
  if (!FList->currentItem() && FList->count() > 0) FList->setCurrentRow(0);
  layout->addWidget(FList);
  FButtons = new QDialogButtonBox(QDialogButtonBox::Cancel);
  QPushButton* select = FButtons->addButton("Select", QDialogButtonBox::AcceptRole);
  select->setObjectName("SelectButton");
  select->setDefault(true);
  select->setEnabled(FList->count() > 0);
  connect(FButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(FButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(FList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  layout->addWidget(FButtons);
  FList->setFocus();  // Enter selects; the focus is not left on Cancel
  resize(420, 260);
}

QString TfrmSelectSource::Chosen() const {
  const QListWidgetItem* item = FList->currentItem();
  return item ? item->data(Qt::UserRole).toString() : QString();
}

void SelectImageSource(QWidget* window) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TSaneSession session;
  std::vector<TSaneDeviceInfo> devices;
  QString failure;
  if (!session.Ok()) {
    failure = "Unable to load Source Manager (SANE)\n" +
              QString::fromStdString(SaneStatusText(session.Status()));
  } else {
    try {
      devices = session.Devices();
    } catch (const ESane& e) {
      failure = "Unable to open Source Manager (SANE)\n" + QString::fromStdString(e.StatusText());
    }
  }
  QApplication::restoreOverrideCursor();
  if (!failure.isEmpty()) {
    ShowScanError(window, failure);
    return;
  }
  TfrmSelectSource dialog(devices, ReadSetting(kScanSourceSetting, ""), window);
  if (dialog.exec() == QDialog::Accepted && !dialog.Chosen().isEmpty())
    WriteSetting(kScanSourceSetting, dialog.Chosen());
}
