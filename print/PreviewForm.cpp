#include "print/PreviewForm.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "platform/Messages.h"
#include "print/GoPageForm.h"
#include "print/PageView.h"
#include "print/PreviewPrinter.h"
#include "print/PrintOutput.h"
#include "print/PrintWindows.h"

namespace {

// The scroll area tells the window when its viewport changed size.
class TPreviewScrollArea : public QScrollArea {
 public:
  using QScrollArea::QScrollArea;
  std::function<void()> OnResize;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QScrollArea::resizeEvent(event);
    if (OnResize) OnResize();
  }
};

QCursor MagnifierCursor() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, 4));
  p.drawEllipse(QPointF(12, 12), 8, 8);
  p.drawLine(QPointF(18, 18), QPointF(28, 28));
  p.setPen(QPen(Qt::black, 2));
  p.drawEllipse(QPointF(12, 12), 8, 8);
  p.drawLine(QPointF(18, 18), QPointF(28, 28));
  p.drawLine(QPointF(8, 12), QPointF(16, 12));
  p.drawLine(QPointF(12, 8), QPointF(12, 16));
  return QCursor(pixmap, 12, 12);
}

int ScreenDpi(const QWidget* w) { return w->logicalDpiY() > 0 ? w->logicalDpiY() : 96; }

}  // namespace

TPreviewForm::TPreviewForm(TPreviewPrinter& engine, QWidget* parent)
    : QDialog(parent), FEngine(engine) {
  setWindowTitle(QStringLiteral("Lumivex Preview"));
  setObjectName(QStringLiteral("PreviewForm"));
  setSizeGripEnabled(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QToolBar(this);
  layout->addWidget(bar);
  BuildToolBar(bar);

  auto* scroll = new TPreviewScrollArea(this);
  FScroll = scroll;
  FScroll->setBackgroundRole(QPalette::Dark);
  FScroll->setWidgetResizable(false);
  FContent = new QWidget;
  FContent->setBackgroundRole(QPalette::Dark);
  FFirst = new TPageView(FContent);
  FSecond = new TPageView(FContent);
  FEmptyLabel =
      new QLabel(QStringLiteral("There are no pages to show: the document is empty."), FContent);
  FEmptyLabel->setAlignment(Qt::AlignCenter);
  FScroll->setWidget(FContent);
  layout->addWidget(FScroll, 1);
  scroll->OnResize = [this] { Relayout(); };

  auto* status = new QWidget(this);
  auto* statusLayout = new QHBoxLayout(status);
  statusLayout->setContentsMargins(6, 3, 6, 3);
  FPageLabel = new QLabel(status);
  FPageLabel->setObjectName(QStringLiteral("PageLabel"));
  FZoomLabel = new QLabel(status);
  FZoomLabel->setObjectName(QStringLiteral("ZoomLabel"));
  FMessageLabel = new QLabel(status);
  statusLayout->addWidget(FPageLabel);
  statusLayout->addSpacing(24);
  statusLayout->addWidget(FZoomLabel);
  statusLayout->addSpacing(24);
  statusLayout->addWidget(FMessageLabel, 1);
  layout->addWidget(status);

  FFirst->OnMousePress = [this](QMouseEvent* e) { ViewPress(e, true); };
  FSecond->OnMousePress = [this](QMouseEvent* e) { ViewPress(e, false); };
  for (TPageView* view : {FFirst, FSecond}) {
    view->OnMouseMove = [this](QMouseEvent* e) { ViewMove(e); };
    view->OnMouseRelease = [this](QMouseEvent* e) { ViewRelease(e); };
  }

  // Opening: page 1, the engine's grid and page mode, fit to page.
  FNavigation.SetPageCount(FEngine.PageCount());
  FTwoPages = FEngine.ZoomOption == TZoomOption::zoTwoPages;
  SetGrid(FEngine.ShowGrid);
  SetHandTool(false);
  FZoomBox->setCurrentIndex(kZoomFitToPage);
  if (QScreen* screen = QApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    resize(std::min(area.width(), std::max(1000, area.width() * 9 / 10)),
           std::min(area.height(), std::max(600, area.height() * 9 / 10)));
  }
  ShowPages();
}

void TPreviewForm::BuildToolBar(QWidget* barWidget) {
  auto* bar = static_cast<QToolBar*>(barWidget);
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QStyle* s = style();
  auto add = [&](const QString& text, const char* name, const QString& hint, auto slot) {
    QAction* a = bar->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(hint.isEmpty() ? QString(text).remove('&') : hint);
    connect(a, &QAction::triggered, this, slot);
    // A button that shows only an icon is named by its hint for screen readers.
    if (text.isEmpty())
      if (QWidget* button = bar->widgetForAction(a)) button->setAccessibleName(hint);
    return a;
  };
  FPrint = add(QStringLiteral("&Print..."), "actPrint",
               QStringLiteral("Print the Current Document"), [this] { Print(); });
  FPrint->setShortcut(QKeySequence::Print);
  FSave = add(QStringLiteral("Save as P&DF..."), "actSaveAsPdf",
              QStringLiteral("Save the pages as a PDF file"), [this] { SaveAsPdf(); });
  FSetup = add(QStringLiteral("Page Set&up..."), "actPageSetup",
               QStringLiteral("Margins, header, footer and page numbers"), [this] { PageSetup(); });
  FSetup->setVisible(false);
  bar->addSeparator();
  FFirstAct = add(QString(), "actFirst", QStringLiteral("First page"), [this] { FirstPage(); });
  FFirstAct->setIcon(s->standardIcon(QStyle::SP_MediaSkipBackward));
  FFirstAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home));
  FPrev = add(QStringLiteral("Pre&v"), "actPrev", QStringLiteral("Previous page"),
              [this] { PreviousPage(); });
  FPrev->setIcon(s->standardIcon(QStyle::SP_ArrowLeft));
  FPrev->setShortcut(QKeySequence(Qt::Key_PageUp));
  FGoTo = add(QStringLiteral("Page..."), "actGoToPage", QStringLiteral("Go to Page by Page Number"),
              [this] { AskForPageNumber(); });
  FNext =
      add(QStringLiteral("&Next"), "actNext", QStringLiteral("Next page"), [this] { NextPage(); });
  FNext->setIcon(s->standardIcon(QStyle::SP_ArrowRight));
  FNext->setShortcut(QKeySequence(Qt::Key_PageDown));
  FLast = add(QString(), "actLast", QStringLiteral("Last page"), [this] { LastPage(); });
  FLast->setIcon(s->standardIcon(QStyle::SP_MediaSkipForward));
  FLast->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_End));
  bar->addSeparator();
  FOne = add(QStringLiteral("&1"), "actOnePage", QStringLiteral("One page"),
             [this] { SetTwoPages(false); });
  FTwo = add(QStringLiteral("&2"), "actTwoPages", QStringLiteral("Two pages side by side"),
             [this] { SetTwoPages(true); });
  FOne->setCheckable(true);
  FTwo->setCheckable(true);
  FFitPage = add(QStringLiteral("Fit Page"), "actFitPage", QStringLiteral("Fit To Page"),
                 [this] { SetZoomChoice(kZoomFitToPage); });
  FFitWidth = add(QStringLiteral("Fit Width"), "actFitWidth", QStringLiteral("Fit To Width"),
                  [this] { SetZoomChoice(kZoomFitToWidth); });
  FZoomBox = new QComboBox(bar);
  FZoomBox->setObjectName(QStringLiteral("ZoomBox"));
  for (const std::string& text : ZoomChoiceTexts()) FZoomBox->addItem(QString::fromStdString(text));
  FZoomBox->setToolTip(QStringLiteral("Zoom"));
  bar->addWidget(FZoomBox);
  connect(FZoomBox, &QComboBox::activated, this, [this](int index) { SetZoomChoice(index); });
  FZoomTool = add(QStringLiteral("Zoom"), "actZoomTool",
                  QStringLiteral("Zoom tool: left click zooms in, right click zooms out"),
                  [this] { SetHandTool(false); });
  FHand = add(QStringLiteral("Hand"), "actHandTool", QStringLiteral("Hand tool: drag the page"),
              [this] { SetHandTool(true); });
  FZoomTool->setCheckable(true);
  FHand->setCheckable(true);
  FGrid = add(QStringLiteral("&Grid"), "actGrid", QStringLiteral("Show an inch grid"),
              [this] { SetGrid(FGrid->isChecked()); });
  FGrid->setCheckable(true);
  bar->addSeparator();
  add(QStringLiteral("&Close"), "actClose", QStringLiteral("Close the preview"),
      [this] { reject(); });
}

void TPreviewForm::SetRerecord(std::function<void()> rerecord) {
  FRerecord = std::move(rerecord);
  FSetup->setVisible(static_cast<bool>(FRerecord));
}

int TPreviewForm::ZoomChoice() const { return FZoomBox->currentIndex(); }

QString TPreviewForm::PageStatusText() const {
  return QString::fromStdString(FNavigation.StatusText());
}

QString TPreviewForm::ZoomStatusText() const { return FZoomLabel->text(); }

void TPreviewForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Relayout();
}

void TPreviewForm::ShowPages() {
  const int n = FEngine.PageCount();
  const int current = FNavigation.Current();
  FFirst->SetPage(n > 0 ? &FEngine.Page(current) : nullptr);
  FSecond->SetPage(FTwoPages && current + 1 < n ? &FEngine.Page(current + 1) : nullptr);
  Relayout();
  UpdateControls();
}

void TPreviewForm::UpdateControls() {
  const bool any = !FNavigation.Empty();
  FPrint->setEnabled(any);
  FSave->setEnabled(any);
  FFirstAct->setEnabled(FNavigation.CanGoBack());
  FPrev->setEnabled(FNavigation.CanGoBack());
  FNext->setEnabled(FNavigation.CanGoForward());
  FLast->setEnabled(FNavigation.CanGoForward());
  FGoTo->setEnabled(FNavigation.CanGoToPage());
  for (QAction* a : {FOne, FTwo, FFitPage, FFitWidth, FZoomTool, FHand, FGrid}) a->setEnabled(any);
  FZoomBox->setEnabled(any);
  FOne->setChecked(!FTwoPages);
  FTwo->setChecked(FTwoPages);
  FPageLabel->setText(PageStatusText());
  FEmptyLabel->setVisible(!any);
  FFirst->setVisible(any);
  FSecond->setVisible(any && FTwoPages);
}

void TPreviewForm::Relayout() {
  if (!FZoomBox) return;
  const int n = FEngine.PageCount();
  const TPageMetrics metrics =
      n > 0 ? FEngine.Page(FNavigation.Current()).Metrics() : FEngine.ReferenceMetrics();
  const int dpi = ScreenDpi(this);
  const int choice = FZoomBox->currentIndex();
  // Twice, so that scroll bars that appear or go are taken into account.
  for (int pass = 0; pass < 2; ++pass) {
    const QSize client = FScroll->viewport()->size();
    double scale = 1.0;
    if (choice == kZoomFitToPage) {
      scale = FitToPageScale(client.height(), dpi, metrics);
    } else if (choice == kZoomFitToWidth) {
      scale = FitToWidthScale(client.width(), dpi, metrics);
    } else if (choice == kZoomCustom) {
      scale = FScale;
    } else {
      scale = ZoomChoiceScale(choice);
    }
    if (choice != kZoomFitToPage) FTwoPages = false;
    FScale = ClampZoomScale(scale);
    FLayout =
        ComputePreviewLayout(FScale, FTwoPages, metrics, dpi, client.width(), client.height());
    FContent->resize(FLayout.ContentWidth, FLayout.ContentHeight);
    FFirst->setGeometry(FLayout.FirstX, FLayout.FirstY, FLayout.ViewWidth, FLayout.ViewHeight);
    FSecond->setGeometry(FLayout.SecondX, FLayout.FirstY, FLayout.ViewWidth, FLayout.ViewHeight);
    FEmptyLabel->setGeometry(0, 0, FLayout.ContentWidth, FLayout.ContentHeight);
  }
  FSecond->setVisible(FTwoPages && n > 0);
  if (!FTwoPages) FSecond->SetPage(nullptr);
  FOne->setChecked(!FTwoPages);
  FTwo->setChecked(FTwoPages);
  FZoomLabel->setText(n > 0 ? QString::fromStdString(ZoomPercentText(FScale)) : QString());
}

void TPreviewForm::FirstPage() {
  FNavigation.First();
  ShowPages();
}

void TPreviewForm::PreviousPage() {
  FNavigation.Previous();
  ShowPages();
}

void TPreviewForm::NextPage() {
  FNavigation.Next();
  ShowPages();
}

void TPreviewForm::LastPage() {
  FNavigation.Last();
  ShowPages();
}

bool TPreviewForm::GoToPageNumber(int number) {
  if (!FNavigation.GoToPageNumber(number)) return false;
  ShowPages();
  return true;
}

void TPreviewForm::AskForPageNumber() {
  if (!FNavigation.CanGoToPage()) return;
  TGoPageForm dialog(FNavigation.PageCount(), FNavigation.Current() + 1, this);
  if (dialog.exec() == QDialog::Accepted) GoToPageNumber(dialog.PageNumber());
}

void TPreviewForm::SetTwoPages(bool two) {
  FTwoPages = two;
  FZoomBox->setCurrentIndex(kZoomFitToPage);
  ShowPages();
}

void TPreviewForm::SetZoomChoice(int choice) {
  if (choice < 0 || choice >= FZoomBox->count()) return;
  FZoomBox->setCurrentIndex(choice);
  ShowPages();
}

void TPreviewForm::ZoomClick(const QPoint& at, bool zoomIn) {
  const TPreviewLayout before = FLayout;
  FScale = zoomIn ? ZoomInStep(FScale) : ZoomOutStep(FScale);
  FZoomBox->setCurrentIndex(kZoomCustom);
  ShowPages();
  const QSize client = FScroll->viewport()->size();
  const TScrollTarget target =
      CentreOnZoomedPoint(at.x(), at.y(), before, FLayout, client.width(), client.height());
  FScroll->horizontalScrollBar()->setValue(target.X);
  FScroll->verticalScrollBar()->setValue(target.Y);
}

void TPreviewForm::SetHandTool(bool hand) {
  FHandTool = hand;
  FZoomTool->setChecked(!hand);
  FHand->setChecked(hand);
  const QCursor cursor = hand ? QCursor(Qt::OpenHandCursor) : MagnifierCursor();
  FFirst->setCursor(cursor);
  FSecond->setCursor(hand ? cursor : QCursor(Qt::ArrowCursor));
}

void TPreviewForm::SetGrid(bool on) {
  FGrid->setChecked(on);
  FFirst->SetGrid(on);
  FSecond->SetGrid(on);
}

void TPreviewForm::ViewPress(QMouseEvent* event, bool firstView) {
  if (FHandTool) {
    FDragging = event->button() == Qt::LeftButton;
    FDragOrigin = event->globalPosition().toPoint();
    if (FDragging) FFirst->setCursor(Qt::ClosedHandCursor);
    return;
  }
  if (!firstView) return;
  if (event->button() == Qt::LeftButton) ZoomClick(event->position().toPoint(), true);
  if (event->button() == Qt::RightButton) ZoomClick(event->position().toPoint(), false);
}

void TPreviewForm::ViewMove(QMouseEvent* event) {
  if (!FHandTool || !FDragging) return;
  const QPoint now = event->globalPosition().toPoint();
  const QPoint delta = FDragOrigin - now;
  FScroll->horizontalScrollBar()->setValue(FScroll->horizontalScrollBar()->value() + delta.x());
  FScroll->verticalScrollBar()->setValue(FScroll->verticalScrollBar()->value() + delta.y());
  FDragOrigin = now;
}

void TPreviewForm::ViewRelease(QMouseEvent*) {
  if (!FDragging) return;
  FDragging = false;
  FFirst->setCursor(Qt::OpenHandCursor);
}

void TPreviewForm::Print() {
  if (FNavigation.Empty()) return;
  auto previous = FEngine.OnStatus;
  FEngine.OnStatus = [this, previous](const QString& message, int page, TPrintStatus kind) {
    FMessageLabel->setText(message);
    FMessageLabel->repaint();
    if (previous) previous(message, page, kind);
  };
  PrintDialog(FEngine, this);
  FEngine.OnStatus = previous;
}

void TPreviewForm::SaveAsPdf() {
  if (FNavigation.Empty()) return;
  QString name = FEngine.Title.isEmpty() ? QStringLiteral("Document") : FEngine.Title;
  name.replace('/', '-');
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save as PDF"),
                                              folder + '/' + name + QStringLiteral(".pdf"),
                                              QStringLiteral("PDF files (*.pdf)"));
  if (path.isEmpty()) return;
  if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
  SaveAsPdfTo(path);
}

bool TPreviewForm::SaveAsPdfTo(const QString& path) {
  QString error;
  if (!SavePagesAsPdf(FEngine, path, &error)) {
    ShowError(this, error);
    return false;
  }
  FMessageLabel->setText(QStringLiteral("Saved %1").arg(path));
  return true;
}

void TPreviewForm::PageSetup() {
  if (!FRerecord) return;
  if (PageSetupDialog(FEngine, this) != QDialog::Accepted) return;
  FRerecord();
  FNavigation.SetPageCount(FEngine.PageCount());
  ShowPages();
}
