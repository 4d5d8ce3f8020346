#include "app/SearchWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>
#include <chrono>

#include "controls/ToolHost.h"
#include "files/FileSearch.h"
#include "platform/BackgroundJob.h"
#include "platform/Messages.h"
#include "platform/Volumes.h"

namespace {

const QEvent::Type kFoundEvent = static_cast<QEvent::Type>(QEvent::User + 401);
const QEvent::Type kEndEvent = static_cast<QEvent::Type>(QEvent::User + 402);

// Paths found since the last batch and the folder being read.
struct TFoundEvent : QEvent {
  TFoundEvent(int order, QStringList paths, QString folder)
      : QEvent(kFoundEvent), Order(order), Paths(std::move(paths)), Folder(std::move(folder)) {}
  int Order;
  QStringList Paths;
  QString Folder;
};

struct TEndEvent : QEvent {
  TEndEvent(int order, bool full) : QEvent(kEndEvent), Order(order), Full(full) {}
  int Order;
  bool Full;
};

// Collects what the walk finds and posts it in batches, a few times a second.
class TBatchSink : public TSearchSink {
 public:
  TBatchSink(TBackgroundJob& job, int order) : FJob(job), FOrder(order) {}
  void Entering(const std::string& folder) override {
    FFolder = folder;
    PostWhenDue();
  }
  void Found(const std::string& path) override {
    FPaths << QString::fromStdString(path);
    PostWhenDue();
  }
  void Flush() {
    FJob.Post(std::make_unique<TFoundEvent>(FOrder, std::move(FPaths), QString::fromStdString(FFolder)));
    FPaths.clear();
    FLast = std::chrono::steady_clock::now();
  }

 private:
  void PostWhenDue() {
    if (std::chrono::steady_clock::now() - FLast > std::chrono::milliseconds(150)) Flush();
  }
  TBackgroundJob& FJob;
  int FOrder;
  QStringList FPaths;
  std::string FFolder;
  std::chrono::steady_clock::time_point FLast = std::chrono::steady_clock::now();
};

}  // namespace

TfSearch::TfSearch(TToolHost& host)
    : FHost(host),
      FSearchFor(new QLineEdit("*.jpg")),
      FAll(new QRadioButton("All Drives")),
      FSelected(new QRadioButton("Selected Drive")),
      FDrives(new QComboBox),
      FFind(new QPushButton("Find")),
      FStop(new QPushButton("Stop")),
      FResults(new QListWidget),
      FStatus(new QLabel) {
  setObjectName("TfSearch");
  setWindowTitle("File Search");
  setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
  FSearchFor->setObjectName("SearchFor");
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel("Search for"));
  top->addWidget(FSearchFor, 1);
  top->addWidget(FFind);
  top->addWidget(FStop);
  FStop->hide();
  auto* group = new QGroupBox("Search");
  auto* where = new QHBoxLayout(group);
  where->addWidget(FAll);
  where->addWidget(FSelected);
  where->addWidget(FDrives, 1);
  FSelected->setChecked(true);
  for (const std::string& v : MountedVolumes()) FDrives->addItem(QString::fromStdString(v));
  FResults->setSortingEnabled(true);
  FResults->setUniformItemSizes(true);
  auto* status = new QStatusBar;
  status->setSizeGripEnabled(false);
  status->addWidget(FStatus, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(group);
  layout->addWidget(FResults, 1);
  layout->addWidget(status);
  resize(560, 400);
  // Centred until the user places it elsewhere (the window registry keeps that place).
  if (const QScreen* screen = QApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());

  connect(FAll, &QRadioButton::toggled, this, [this](bool all) { FDrives->setEnabled(!all); });
  connect(FFind, &QPushButton::clicked, this, [this] { Find(); });
  connect(FSearchFor, &QLineEdit::returnPressed, this, [this] { Find(); });
  connect(FStop, &QPushButton::clicked, this, [this] { Stop(); });
  connect(FResults, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { OpenResult(item); });
}

TfSearch::~TfSearch() { FJob.reset(); }

QString TfSearch::StatusText() const { return FStatus->text(); }

void TfSearch::Find() {
  if (FRunning) return;  // one search at a time
  FResults->clear();
  TSearchRequest request;
  request.Pattern = FSearchFor->text().toStdString();
  request.Capacity = FCapacity;
  if (FAll->isChecked()) {
    for (int i = 0; i < FDrives->count(); ++i) request.Roots.push_back(FDrives->itemText(i).toStdString());
  } else {
    request.Roots.push_back(FDrives->currentText().toStdString());
  }
  FRunning = true;
  FFind->hide();
  FStop->show();
  QApplication::setOverrideCursor(Qt::BusyCursor);
  const int order = ++FOrder;
  FJob = std::make_unique<TBackgroundJob>(this);
  TBackgroundJob* job = FJob.get();
  job->Start([job, order, request] {
    TBatchSink sink(*job, order);
    const TSearchResult result = SearchFiles(request, job->StopFlag(), sink);
    sink.Flush();
    job->Post(std::make_unique<TEndEvent>(order, result.End == TSearchEnd::Full));
  });
}

void TfSearch::Stop() {
  if (!FRunning) return;
  FJob->Stop();
  ++FOrder;  // batches still on their way belong to the stopped search
  Finished(false);
}

void TfSearch::Finished(bool full) {
  FRunning = false;
  FStop->hide();
  FFind->show();
  QApplication::restoreOverrideCursor();
  FStatus->setText(QString::fromStdString(SearchCountText(FResults->count())));
  if (full) ShowMessage(this, "Number of files exceeds list box capacity.");
}

bool TfSearch::event(QEvent* event) {
  if (event->type() == kFoundEvent) {
    auto* found = static_cast<TFoundEvent*>(event);
    if (found->Order == FOrder && FRunning) {
      FResults->addItems(found->Paths);
      if (!found->Folder.isEmpty()) FStatus->setText(found->Folder);
    }
    return true;
  }
  if (event->type() == kEndEvent) {
    auto* end = static_cast<TEndEvent*>(event);
    if (end->Order == FOrder && FRunning) {
      FJob->Wait();
      Finished(end->Full);
    }
    return true;
  }
  return QWidget::event(event);
}

void TfSearch::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Stop();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TfSearch::closeEvent(QCloseEvent* event) {
  Stop();
  QWidget::closeEvent(event);
}

void TfSearch::OpenResult(QListWidgetItem* item) {
  if (FRunning || !item) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  FHost.ShowFile(item->text());
  QApplication::restoreOverrideCursor();
}
