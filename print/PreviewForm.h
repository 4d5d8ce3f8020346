// The preview window ("Lumivex Preview"): the engine's recorded pages one or two at a time at
// a chosen zoom, page navigation, printing and saving as PDF.
#pragma once

#include <QDialog>
#include <functional>

#include "print/core/PreviewNavigation.h"
#include "print/core/PreviewZoom.h"

class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QWidget;
class TPageView;
class TPreviewPrinter;

class TPreviewForm : public QDialog {
 public:
  explicit TPreviewForm(TPreviewPrinter& engine, QWidget* parent = nullptr);

  // Records the document again after its page setup changed; when set, the window offers
  // "Page Set&up...".
  void SetRerecord(std::function<void()> rerecord);

  // The commands behind the controls.
  void FirstPage();
  void PreviousPage();
  void NextPage();
  void LastPage();
  bool GoToPageNumber(int number);  // from 1
  void AskForPageNumber();          // the go-to-page dialog
  void SetTwoPages(bool two);       // also resets the zoom to "Fit To Page"
  void SetZoomChoice(int choice);
  // The zoom tool's click at a point of the first page view (left: in, right: out).
  void ZoomClick(const QPoint& atFirstView, bool zoomIn);
  void SetHandTool(bool hand);
  void SetGrid(bool on);
  void Print();
  void SaveAsPdf();
  bool SaveAsPdfTo(const QString& path);  // reports a failure in the error box
  void PageSetup();

  // What the window shows.
  int CurrentPage() const { return FNavigation.Current(); }
  double Scale() const { return FScale; }
  int ZoomChoice() const;
  bool TwoPages() const { return FTwoPages; }
  bool HandTool() const { return FHandTool; }
  QString PageStatusText() const;
  QString ZoomStatusText() const;
  const TPreviewLayout& Layout() const { return FLayout; }
  TPageView* FirstView() const { return FFirst; }
  TPageView* SecondView() const { return FSecond; }
  QScrollArea* ScrollArea() const { return FScroll; }

  void Relayout();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildToolBar(QWidget* bar);
  void ShowPages();
  void UpdateControls();
  void ViewPress(QMouseEvent* event, bool firstView);
  void ViewMove(QMouseEvent* event);
  void ViewRelease(QMouseEvent* event);

  TPreviewPrinter& FEngine;
  std::function<void()> FRerecord;
  TPreviewNavigation FNavigation;
  double FScale = 1.0;
  bool FTwoPages = false;
  bool FHandTool = false;
  bool FDragging = false;
  QPoint FDragOrigin;
  TPreviewLayout FLayout;

  QScrollArea* FScroll = nullptr;
  QWidget* FContent = nullptr;
  TPageView* FFirst = nullptr;
  TPageView* FSecond = nullptr;
  QLabel* FEmptyLabel = nullptr;
  QComboBox* FZoomBox = nullptr;
  QLabel* FPageLabel = nullptr;
  QLabel* FZoomLabel = nullptr;
  QLabel* FMessageLabel = nullptr;
  QAction *FPrint = nullptr, *FSave = nullptr, *FFirstAct = nullptr, *FPrev = nullptr,
          *FNext = nullptr, *FLast = nullptr, *FGoTo = nullptr, *FOne = nullptr, *FTwo = nullptr,
          *FFitPage = nullptr, *FFitWidth = nullptr, *FZoomTool = nullptr, *FHand = nullptr,
          *FGrid = nullptr, *FSetup = nullptr;
};
