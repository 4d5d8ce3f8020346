#include "thumbs/SaveThumbnailDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/Messages.h"

namespace {

const char* const kExtensions[] = {"bmp", "jpg", "tif", "png", "tga"};

}  // namespace

TfrmSaveThumbnail::TfrmSaveThumbnail() {
  setObjectName("TfrmSaveThumbnail");
  setWindowTitle("Save Thumbnail");
  auto* tabs = new QTabWidget;
  auto* page = new QWidget;
  tabs->addTab(page, "Save Options");
  auto* form = new QFormLayout(page);
  cbSize = new QComboBox;
  cbSize->setObjectName("cbSize");
  cbSize->setToolTip("Maximum Dimensions");
  cbSize->addItems({"64 X 64", "80 X 80", "96 X 96", "128 X 128"});
  form->addRow("Size", cbSize);
  cbFileType = new QComboBox;
  cbFileType->setObjectName("cbFileType");
  cbFileType->setToolTip("Save To File Type");
  cbFileType->addItems({"BMP - bitmap", "JPG - jpeg (jfif compliant)",
                        "TIF - Tagged Image File Format", "PNG - Portable Network Graphics",
                        "TGA - Truevision Targa"});
  form->addRow("Format", cbFileType);
  FFolderEdit = new QLineEdit;
  FFolderEdit->setObjectName("SaveFolder");
  FFolderEdit->setToolTip("Save To Folder");
  auto* browse = new QPushButton("...");
  browse->setFixedWidth(30);
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString chosen =
        QFileDialog::getExistingDirectory(this, "Save To Folder", FFolderEdit->text());
    if (!chosen.isEmpty()) FFolderEdit->setText(chosen);
  });
  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(FFolderEdit, 1);
  folderRow->addWidget(browse);
  form->addRow("Save Folder", folderRow);
  FFolderEcho = new QLabel;
  FFolderEcho->setObjectName("FolderEcho");
  form->addRow("", FFolderEcho);
  connect(FFolderEdit, &QLineEdit::textChanged, FFolderEcho, &QLabel::setText);
  ePrefix = new QLineEdit("thm_");
  ePrefix->setObjectName("ePrefix");
  ePrefix->setToolTip("File Name Prefix");
  form->addRow("File Prefix", ePrefix);
  FSelected = new QLabel;
  FSelected->setObjectName("FilesSelected");
  form->addRow(FSelected);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* column = new QVBoxLayout(this);
  column->addWidget(tabs);
  column->addWidget(buttons);
  resize(440, 260);
}

TSaveThumbsOptions TfrmSaveThumbnail::Options() const {
  static const int sizes[] = {64, 80, 96, 128};
  TSaveThumbsOptions o;
  o.MaxSide = sizes[std::max(0, cbSize->currentIndex())];
  o.Extension = kExtensions[std::max(0, cbFileType->currentIndex())];
  o.Folder = QFile::encodeName(FFolderEdit->text()).toStdString();
  o.Prefix = QFile::encodeName(ePrefix->text()).toStdString();
  return o;
}

int TfrmSaveThumbnail::Save(const QStringList& paths) {
  std::vector<std::string> pictures;
  for (const QString& p : paths) pictures.push_back(QFile::encodeName(p).toStdString());
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TSaveThumbsReport report;
  try {
    report = SaveThumbnails(pictures, Options());
  } catch (const ESaveThumbsError& e) {
    QApplication::restoreOverrideCursor();
    ShowWarning(this, QString::fromStdString(e.what()));
    return -1;
  }
  QApplication::restoreOverrideCursor();
  if (!report.Failed.empty()) {
    QString text = "These thumbnails could not be saved:";
    for (const std::string& f : report.Failed) text += "\n" + QFile::decodeName(f.c_str());
    ShowWarning(this, text);
  }
  return report.Written;
}

int TfrmSaveThumbnail::Run(QWidget*, const QString& folder, const QStringList& paths) {
  FFolderEdit->setText(folder);
  FFolderEcho->setText(folder);
  FSelected->setText(QString("Files Selected: %1").arg(paths.size()));
  for (;;) {
    if (exec() != QDialog::Accepted) return 0;
    if (paths.isEmpty()) return 0;
    const int written = Save(paths);
    // Refused (an empty prefix into the pictures' folder): the dialog stays for a correction.
    if (written >= 0) return written;
  }
}
