#include "dialogs/OpenSaveDialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QTreeView>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "dialogs/OpenSavePanel.h"
#include "imaging/formats/Registry.h"
#include "platform/BackgroundJob.h"
#include "platform/Messages.h"
#include "view/PreviewWorker.h"

namespace {

QString QtFilter(const TFileTypeEntry& type) {
  QStringList patterns;
  for (const std::string& p : type.Patterns) patterns << (p == "*.*" ? "*" : QString::fromStdString(p));
  return QString::fromStdString(type.Description) + " (" + patterns.join(' ') + ")";
}

}  // namespace

// ---- TPGOpenDialog -------------------------------------------------------------------------

TPGOpenDialog::TPGOpenDialog(QWidget* parent) : QFileDialog(parent) {
  setOption(QFileDialog::DontUseNativeDialog, true);
  setFileMode(QFileDialog::ExistingFile);
  setAcceptMode(QFileDialog::AcceptOpen);
  FTimer = new QTimer(this);
  FTimer->setSingleShot(true);
  FTimer->setInterval(kSettleMs);
  FTimer->setTimerType(Qt::PreciseTimer);  // never earlier than the rest asks
  connect(FTimer, &QTimer::timeout, this, [this] { StartPreview(); });
  connect(this, &QFileDialog::currentChanged, this, [this](const QString& p) { SelectionChanged(p); });
  // A file selected without moving the current item (the name given to Execute, the keyboard
  // with modifiers) is previewed too.
  if (auto* list = findChild<QAbstractItemView*>("listView"); list && list->selectionModel())
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
      const QStringList chosen = selectedFiles();
      if (!chosen.isEmpty() && chosen.first() != FCurrent) SelectionChanged(chosen.first());
    });
  BuildPanel();
  resize(900, 480);  // room for the names, sizes and types beside the panel
  if (auto* details = findChild<QTreeView*>("treeView")) {
    QHeaderView* header = details->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < header->count(); ++c)
      header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
  }
  if (auto* splitter = findChild<QSplitter*>("splitter")) splitter->setSizes({150, 600});
  FTypes = OpenFileTypes();
  ApplyFileTypes();
}

TPGOpenDialog::~TPGOpenDialog() { StopWorker(); }

void TPGOpenDialog::BuildPanel() {
  auto* panel = new QWidget(this);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(6, 0, 0, 0);
  FPreviewBox = new TOpenSavePreviewBox(panel);
  FPreviewBox->setFixedSize(184, 170);
  FInfoBox = new TOpenSaveInfoBox(panel);
  FInfoBox->setFixedSize(184, 4 * (fontMetrics().height() + 1) + 4);
  column->addWidget(FPreviewBox);
  column->addWidget(FInfoBox);
  column->addStretch(1);
  if (auto* grid = qobject_cast<QGridLayout*>(layout()))
    grid->addWidget(panel, 0, grid->columnCount(), grid->rowCount(), 1);
}

void TPGOpenDialog::ApplyFileTypes() {
  QStringList filters;
  for (const TFileTypeEntry& t : FTypes) filters << QtFilter(t);
  setNameFilters(filters);
  if (FilterIndex >= 1 && FilterIndex <= filters.size()) selectNameFilter(filters[FilterIndex - 1]);
}

int TPGOpenDialog::SelectedFilterIndex() const {
  const QString chosen = selectedNameFilter();
  for (std::size_t i = 0; i < FTypes.size(); ++i)
    if (QtFilter(FTypes[i]) == chosen) return static_cast<int>(i) + 1;
  return FilterIndex;
}

bool TPGOpenDialog::Execute() {
  if (UseDefaultFilter) {
    FTypes = FIsSave ? SaveFileTypes() : OpenFileTypes();
    ApplyFileTypes();
  }
  if (!FileName.isEmpty()) {
    const QFileInfo info(FileName);
    if (info.isAbsolute()) setDirectory(info.absolutePath());
    selectFile(info.fileName());
  }
  const bool ok = exec() == QDialog::Accepted;
  FilterIndex = SelectedFilterIndex();
  if (ok && !selectedFiles().isEmpty()) FileName = selectedFiles().first();
  return ok;
}

void TPGOpenDialog::SetOptions(TPGOpenOptions options) {
  if (!(options & ofShareAware)) {
    ShowMessage(this, "TPGOpenDialog.Options and TPGSaveDialog.Options must include ofShareAware!");
    options |= ofShareAware;
  }
  FOptions = options;
  if (!FIsSave)
    setFileMode((options & ofAllowMultiSelect) ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
}

QStringList TPGOpenDialog::InfoLines() const { return FInfoBox->Lines(); }

void TPGOpenDialog::StopWorker() {
  if (FWorker) FWorker->Terminate();  // stops and waits
  FWorker.reset();
  FLoading = false;
  if (FPreviewBox) FPreviewBox->HideClock();
}

QString TPGOpenDialog::SelectedPath(const QString& current) const {
  // Of several selected files the first listed one.
  if (fileMode() == QFileDialog::ExistingFiles) {
    const QStringList chosen = selectedFiles();
    if (!chosen.isEmpty()) return chosen.first();
  }
  return current;
}

void TPGOpenDialog::SelectionChanged(const QString& path) {
  FTimer->stop();
  StopWorker();
  FPreviewImage.reset();
  FPreviewBox->SetImage(nullptr);
  FInfoBox->SetLines({});
  FCurrent = path;
  FTimer->start();
}

void TPGOpenDialog::StartPreview() {
  StopWorker();
  FPreviewImage.reset();
  FPreviewBox->SetImage(nullptr);
  const QString path = SelectedPath(FCurrent);
  if (path.isEmpty() || QFileInfo(path).isDir()) return;
  const std::string name = QFile::encodeName(path).toStdString();
  TPGFileInfoResult info;
  if (!GetFileInfo(name, 0, info)) {
    FInfoBox->SetLines({});
    return;  // not recognised: no preview, no information
  }
  QStringList lines;
  if (ShowInfo)
    for (const std::string& line : FileInfoLines(info)) lines << QString::fromStdString(line);
  FInfoBox->SetLines(lines);

  TPreviewRequest request;
  request.FileName = name;
  request.PreviewWidth = FPreviewBox->width() - 4;
  request.PreviewHeight = FPreviewBox->height() - 4;
  request.StretchMode = StretchMode;
  request.Palette24 = Palette8BitSys24BitGraphic;
  request.Palette8 = Palette8BitSys8BitGraphic;
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  request.ScreenDepth = screen ? screen->depth() : 24;
  FPreviewBox->ClockVisible = ProgressClockVisible;
  FPreviewBox->ClockBkColor = ProgressClockBkColor;
  FPreviewBox->ClockLineColor = ProgressClockLineColor;
  // One load at a time: the worker before was stopped and waited for above.
  FWorker = std::make_unique<TCreateOpenSaveDialogPaintPGThread>(this, ++FOrder, request);
  FLoading = true;
  ++FLoadsStarted;
  FPreviewBox->ShowClock(1, 0);
  FWorker->Start();
}

void TPGOpenDialog::customEvent(QEvent* event) {
  TBackgroundJob::AcceptPosted();
  if (event->type() == TPaintCopyResultEvent::kType) {
    auto* e = static_cast<TPaintCopyResultEvent*>(event);
    if (e->Order != FOrder || !FLoading) return;  // an older load's picture is freed
    FPreviewImage = std::move(e->Result);
    FLoading = false;
    FPreviewBox->HideClock();
    FPreviewBox->SetImage(FPreviewImage.get());
  } else if (event->type() == TPaintCopyProgressEvent::kType) {
    auto* e = static_cast<TPaintCopyProgressEvent*>(event);
    if (e->Order == FOrder && FLoading) FPreviewBox->ShowClock(e->Step / 16, e->Percent);
  } else {
    QFileDialog::customEvent(event);
  }
}

void TPGOpenDialog::done(int result) {
  FTimer->stop();
  StopWorker();
  FPreviewBox->SetImage(nullptr);
  FPreviewImage.reset();
  FInfoBox->SetLines({});
  QFileDialog::done(result);
}

// ---- TPGSaveDialog -------------------------------------------------------------------------

TPGSaveDialog::TPGSaveDialog(QWidget* parent) : TPGOpenDialog(parent) {
  FIsSave = true;
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  FTypes = SaveFileTypes();
  ApplyFileTypes();
  connect(this, &QFileDialog::filterSelected, this, [this] { TypeChanged(); });
}

bool TPGSaveDialog::Execute() {
  if (UseDefaultFilter) {
    FTypes = SaveFileTypes();
    if (const int i = FileTypeIndexForName(FTypes, QFile::encodeName(FileName).toStdString()))
      FilterIndex = i;
    ApplyFileTypes();
  }
  return TPGOpenDialog::Execute();
}

void TPGSaveDialog::accept() {
  // A name typed without extension gets the chosen type's, before the dialog checks it.
  if (UseDefaultFilter) {
    if (auto* edit = findChild<QLineEdit*>("fileNameEdit")) {
      const QString typed = edit->text().trimmed();
      const QString full = QFileInfo(typed).isAbsolute() ? typed : directory().filePath(typed);
      if (!typed.isEmpty() && !QFileInfo(full).isDir()) {
        const std::string ext = FileTypeExtension(FTypes, SelectedFilterIndex());
        edit->setText(QFile::decodeName(
            NameWithTypeExtension(QFile::encodeName(typed).toStdString(), ext).c_str()));
      }
    }
  }
  TPGOpenDialog::accept();
}

void TPGSaveDialog::TypeChanged() {
  if (fileMode() == QFileDialog::ExistingFiles) return;
  auto* edit = findChild<QLineEdit*>("fileNameEdit");
  if (!edit) return;
  const QString typed = edit->text().trimmed();
  if (typed.isEmpty()) return;
  const QString folder = directory().absolutePath();
  const QString full = QFileInfo(typed).isAbsolute() ? typed : folder + "/" + typed;
  if (QFileInfo(full).isDir()) return;
  const std::string ext = FileTypeExtension(FTypes, SelectedFilterIndex());
  if (ext.empty()) return;
  const std::string renamed = RenameForType(QFile::encodeName(typed).toStdString(),
                                            QFile::encodeName(folder).toStdString(), ext);
  edit->setText(QFile::decodeName(renamed.c_str()));
}
