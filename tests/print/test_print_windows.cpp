// The print windows driven as a user would: the preview's navigation, zoom and tools, page
// setup with its checks and defaults, and go-to-page.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "platform/Messages.h"
#include "platform/Settings.h"
#include "print/GoPageForm.h"
#include "print/PageSetupDefaults.h"
#include "print/PageSetupForm.h"
#include "print/PageView.h"
#include "print/PreviewForm.h"
#include "print/PreviewPrinter.h"
#include "tests/print/PdfReader.h"

namespace {

TPageMetrics Letter(int dpi) {
  TPageMetrics m;
  m.ResX = m.ResY = dpi;
  m.PageWidth = dpi * 17 / 2;
  m.PageHeight = dpi * 11;
  return m;
}

void Record(TPreviewPrinter& engine, int pages) {
  engine.SetReferenceMetrics(Letter(300));
  engine.BeginDoc();
  for (int page = 1; page <= pages; ++page) {
    if (page > 1) engine.NewPage();
    engine.TextOutAligned(600, TAlignment::taLeftJustify, nullptr,
                          QStringLiteral("Sheet%1").arg(page));
  }
  engine.EndDoc();
}

QAction* Action(QWidget& form, const char* name) {
  QAction* a = form.findChild<QAction*>(QString::fromLatin1(name));
  EXPECT_NE(a, nullptr) << name;
  return a;
}

class PrintWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    QSettings(QStringLiteral("Corvane"), QStringLiteral("LumivexTrial"))
        .remove(QStringLiteral("PageSetupForm"));
    SetMessageHook([this](const QString& text) { FMessages << text; });
  }
  void TearDown() override { SetMessageHook(nullptr); }
  QStringList FMessages;
};

TEST_F(PrintWindows, PreviewOpensOnPageOneAndNavigates) {
  TPreviewPrinter engine;
  Record(engine, 3);
  TPreviewForm form(engine);
  form.resize(1000, 800);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(form.windowTitle(), "Lumivex Preview");
  EXPECT_EQ(form.PageStatusText(), "Page 1 of 3");
  EXPECT_EQ(form.findChild<QLabel*>("PageLabel")->text(), "Page 1 of 3");
  EXPECT_FALSE(Action(form, "actPrev")->isEnabled());
  EXPECT_FALSE(Action(form, "actFirst")->isEnabled());
  EXPECT_TRUE(Action(form, "actNext")->isEnabled());
  EXPECT_TRUE(Action(form, "actGoToPage")->isEnabled());
  EXPECT_EQ(Action(form, "actPrint")->toolTip(), "Print the Current Document");
  EXPECT_EQ(Action(form, "actGoToPage")->toolTip(), "Go to Page by Page Number");
  Action(form, "actNext")->trigger();
  EXPECT_EQ(form.PageStatusText(), "Page 2 of 3");
  EXPECT_EQ(form.FirstView()->Page(), &engine.Page(1));
  Action(form, "actLast")->trigger();
  EXPECT_EQ(form.PageStatusText(), "Page 3 of 3");
  EXPECT_FALSE(Action(form, "actNext")->isEnabled());
  EXPECT_FALSE(Action(form, "actLast")->isEnabled());
  Action(form, "actNext")->trigger();  // nothing beyond the last page
  EXPECT_EQ(form.CurrentPage(), 2);
  EXPECT_TRUE(form.GoToPageNumber(2));
  EXPECT_FALSE(form.GoToPageNumber(4));
  EXPECT_EQ(form.PageStatusText(), "Page 2 of 3");
  QTest::keyClick(&form, Qt::Key_PageUp);
  EXPECT_EQ(form.PageStatusText(), "Page 1 of 3");
}

TEST_F(PrintWindows, EveryToolBarButtonHasAName) {
  TPreviewPrinter engine;
  Record(engine, 2);
  TPreviewForm form(engine);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  for (QToolBar* bar : form.findChildren<QToolBar*>())
    for (QAction* a : bar->actions()) {
      if (a->isSeparator() || !a->isVisible()) continue;
      QWidget* button = bar->widgetForAction(a);
      ASSERT_TRUE(button);
      QAccessibleInterface* access = QAccessible::queryAccessibleInterface(button);
      ASSERT_TRUE(access);
      EXPECT_FALSE(access->text(QAccessible::Name).isEmpty()) << a->objectName().toStdString();
    }
  QWidget* first = form.findChild<QToolBar*>()->widgetForAction(Action(form, "actFirst"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(first)->text(QAccessible::Name), "First page");
}

TEST_F(PrintWindows, PageSetupNamesItsThreeFontButtonsApart) {
  TPreviewPrinter engine;
  engine.SetReferenceMetrics(Letter(300));
  TPageSetupForm form(engine);
  QStringList names;
  for (const char* button : {"btnHeaderFont", "btnFooterFont", "btnPageNumFont"}) {
    auto* b = form.findChild<QPushButton*>(button);
    ASSERT_TRUE(b) << button;
    EXPECT_EQ(b->text(), "&Font...");
    names << QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name);
  }
  EXPECT_EQ(names, QStringList({"Header font...", "Footer font...", "Page Number font..."}));
}

TEST_F(PrintWindows, PreviewFitsThePageAndZoomsWithTheTool) {
  TPreviewPrinter engine;
  Record(engine, 2);
  TPreviewForm form(engine);
  form.resize(1000, 800);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const QSize client = form.ScrollArea()->viewport()->size();
  const int dpi = form.logicalDpiY();
  EXPECT_EQ(form.ZoomChoice(), kZoomFitToPage);
  EXPECT_DOUBLE_EQ(form.Scale(), FitToPageScale(client.height(), dpi, Letter(300)));
  EXPECT_EQ(form.ZoomStatusText(), QString::fromStdString(ZoomPercentText(form.Scale())));
  EXPECT_EQ(form.FirstView()->height(), static_cast<int>(dpi * form.Scale() * 11));

  form.SetZoomChoice(6);  // 100%
  EXPECT_EQ(form.ZoomStatusText(), "100%");
  std::vector<double> scales;
  for (int i = 0; i < 5; ++i) {
    QTest::mouseClick(form.FirstView(), Qt::LeftButton, {}, QPoint(50, 60));
    scales.push_back(form.Scale());
  }
  EXPECT_EQ(scales, (std::vector<double>{1.5, 2.25, 3.375, 5.0625, 5.0625}));
  EXPECT_EQ(form.ZoomChoice(), kZoomCustom);
  EXPECT_EQ(form.ZoomStatusText(), "506%");
  QTest::mouseClick(form.FirstView(), Qt::RightButton, {}, QPoint(1500, 1200));
  EXPECT_DOUBLE_EQ(form.Scale(), 5.0625 * 2 / 3);
  // The clicked point is brought to the middle of the viewport.
  const QPoint centre = form.FirstView()->mapFrom(form.ScrollArea()->viewport(),
                                                  QPoint(client.width() / 2, client.height() / 2));
  EXPECT_NEAR(centre.x(), 1500 * 2 / 3.0, 3);
  EXPECT_NEAR(centre.y(), 1200 * 2 / 3.0, 3);

  form.SetZoomChoice(kZoomFitToWidth);
  EXPECT_DOUBLE_EQ(form.Scale(),
                   FitToWidthScale(form.ScrollArea()->viewport()->width(), dpi, Letter(300)));
}

TEST_F(PrintWindows, TwoPagesAndTheHandTool) {
  TPreviewPrinter engine;
  Record(engine, 3);
  engine.ZoomOption = TZoomOption::zoTwoPages;
  engine.ShowGrid = true;
  TPreviewForm form(engine);
  form.resize(1000, 800);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_TRUE(form.TwoPages());
  EXPECT_TRUE(form.FirstView()->Grid());
  EXPECT_TRUE(Action(form, "actGrid")->isChecked());
  EXPECT_EQ(form.SecondView()->Page(), &engine.Page(1));
  EXPECT_TRUE(form.SecondView()->isVisible());
  form.LastPage();
  EXPECT_EQ(form.FirstView()->Page(), &engine.Page(2));
  EXPECT_EQ(form.SecondView()->Page(), nullptr);  // nothing after the last page
  // Any zoom but "Fit To Page" shows one page; "&2" comes back at "Fit To Page".
  form.SetZoomChoice(4);
  EXPECT_FALSE(form.TwoPages());
  EXPECT_FALSE(form.SecondView()->isVisible());
  Action(form, "actTwoPages")->trigger();
  EXPECT_TRUE(form.TwoPages());
  EXPECT_EQ(form.ZoomChoice(), kZoomFitToPage);

  form.SetZoomChoice(11);  // 400%: scroll bars appear
  Action(form, "actHandTool")->trigger();
  EXPECT_TRUE(form.HandTool());
  EXPECT_EQ(form.FirstView()->cursor().shape(), Qt::OpenHandCursor);
  QScrollBar* h = form.ScrollArea()->horizontalScrollBar();
  QScrollBar* v = form.ScrollArea()->verticalScrollBar();
  h->setValue(500);
  v->setValue(500);
  const double before = form.Scale();
  QTest::mousePress(form.FirstView(), Qt::LeftButton, {}, QPoint(400, 400));
  QMouseEvent move(QEvent::MouseMove, QPointF(350, 340),
                   form.FirstView()->mapToGlobal(QPointF(350, 340)), Qt::NoButton, Qt::LeftButton,
                   {});
  QApplication::sendEvent(form.FirstView(), &move);
  QTest::mouseRelease(form.FirstView(), Qt::LeftButton, {}, QPoint(350, 340));
  EXPECT_EQ(h->value(), 550);
  EXPECT_EQ(v->value(), 560);
  EXPECT_EQ(form.Scale(), before);  // the hand does not zoom
}

TEST_F(PrintWindows, AnEmptyDocumentSaysSo) {
  TPreviewPrinter engine;
  engine.SetReferenceMetrics(Letter(300));
  engine.BeginDoc();
  engine.EndDoc();
  TPreviewForm form(engine);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(form.PageStatusText(), "No pages");
  EXPECT_EQ(form.ZoomStatusText(), "");
  for (const char* name :
       {"actPrint", "actSaveAsPdf", "actNext", "actPrev", "actFirst", "actLast", "actGoToPage"})
    EXPECT_FALSE(Action(form, name)->isEnabled()) << name;
  EXPECT_FALSE(form.FirstView()->isVisible());
  bool saysEmpty = false;
  for (QLabel* l : form.findChildren<QLabel*>())
    saysEmpty = saysEmpty || (l->isVisible() && l->text().contains("no pages"));
  EXPECT_TRUE(saysEmpty);
  form.NextPage();
  form.LastPage();
  form.AskForPageNumber();
  form.ZoomClick(QPoint(1, 1), true);
  EXPECT_EQ(form.PageStatusText(), "No pages");
  EXPECT_GT(form.Scale(), 0);
}

TEST_F(PrintWindows, PagesShowBlackTextOnAnyPalette) {
  TPreviewPrinter engine;
  engine.SetReferenceMetrics(Letter(96));
  engine.BeginDoc();
  QFont big = TPreviewPrinter::DeviceFont(MakeFont("Arial", 40, true));
  engine.Canvas()->setFont(big);
  engine.Canvas()->drawText(QPoint(96, 200), QStringLiteral("WWWW"));
  engine.EndDoc();
  QWidget parent;
  parent.setBackgroundRole(QPalette::Dark);  // gives children a light text colour
  QPalette palette = parent.palette();
  palette.setColor(QPalette::WindowText, Qt::white);
  palette.setColor(QPalette::Text, Qt::white);
  parent.setPalette(palette);
  auto* view = new TPageView(&parent);
  view->SetPage(&engine.Page(0));
  view->setGeometry(0, 0, 816, 1056);
  parent.resize(816, 1056);
  const QImage shot = view->grab().toImage();
  const QRect box = DarkBox(shot.copy(0, 0, 816, 400), 100);
  EXPECT_FALSE(box.isNull());
  EXPECT_NEAR(box.left(), 96, 6);
}

TEST_F(PrintWindows, PageSetupFromThePreviewRecordsTheDocumentAgain) {
  TPreviewPrinter engine;
  Record(engine, 2);
  TPreviewForm form(engine);
  EXPECT_FALSE(Action(form, "actPageSetup")->isVisible());
  int recorded = 0;
  form.SetRerecord([&] {
    ++recorded;
    Record(engine, engine.Orientation == TOrientation::poLandscape ? 5 : 2);
  });
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.NextPage();
  QTimer::singleShot(0, [] {
    auto* setup = dynamic_cast<TPageSetupForm*>(QApplication::activeModalWidget());
    if (!setup) return;
    setup->findChild<QRadioButton*>("rbLandscape")->setChecked(true);
    setup->accept();
  });
  Action(form, "actPageSetup")->trigger();
  EXPECT_EQ(recorded, 1);
  EXPECT_EQ(engine.Orientation, TOrientation::poLandscape);
  EXPECT_EQ(form.PageStatusText(), "Page 2 of 5");
  EXPECT_EQ(form.FirstView()->Page(), &engine.Page(1));
  // Cancel records nothing.
  QTimer::singleShot(0, [] {
    if (auto* setup = dynamic_cast<QDialog*>(QApplication::activeModalWidget())) setup->reject();
  });
  Action(form, "actPageSetup")->trigger();
  EXPECT_EQ(recorded, 1);
}

TEST_F(PrintWindows, PreviewSavesTheSamePagesAsPdf) {
  TPreviewPrinter engine;
  Record(engine, 3);
  TPreviewForm form(engine);
  QTemporaryDir dir;
  ASSERT_TRUE(form.SaveAsPdfTo(dir.path() + "/preview.pdf"));
  EXPECT_EQ(PdfPageCount(dir.path() + "/preview.pdf"), 3);
  EXPECT_EQ(PdfText(dir.path() + "/preview.pdf", 3).trimmed(), "Sheet3");
  EXPECT_FALSE(form.SaveAsPdfTo(dir.path() + "/no/such/folder.pdf"));
  ASSERT_EQ(FMessages.size(), 1);
  EXPECT_TRUE(FMessages[0].contains("folder.pdf"));
}

TEST_F(PrintWindows, GoToPageOffersOnlyThePagesThereAre) {
  TGoPageForm dialog(7, 3);
  EXPECT_EQ(dialog.windowTitle(), "Go to Page Number");
  EXPECT_EQ(dialog.NumberBox()->minimum(), 1);
  EXPECT_EQ(dialog.NumberBox()->maximum(), 7);
  EXPECT_EQ(dialog.PageNumber(), 3);
  dialog.NumberBox()->setValue(99);
  EXPECT_EQ(dialog.PageNumber(), 7);
}

QLineEdit* Field(QWidget& form, const char* name) {
  auto* e = form.findChild<QLineEdit*>(QString::fromLatin1(name));
  EXPECT_NE(e, nullptr) << name;
  return e;
}

TEST_F(PrintWindows, PageSetupAppliesEveryFieldOrNone) {
  TPreviewPrinter engine;
  engine.SetReferenceMetrics(Letter(300));
  engine.TextOptions.Header = "Old header";
  TPageSetupForm form(engine);
  EXPECT_EQ(form.windowTitle(), "Page Setup");
  EXPECT_EQ(Field(form, "edLeft")->text(), "1.000");
  EXPECT_EQ(Field(form, "edHeader")->text(), "Old header");
  EXPECT_TRUE(form.findChild<QRadioButton*>("rbInches")->isChecked());
  EXPECT_EQ(form.findChild<QLabel*>("HeaderFontText")->text(), "Times New Roman 18 pt");

  // One bad field: nothing changes and the message names it.
  form.findChild<QRadioButton*>("rbCentimeters")->setChecked(true);
  Field(form, "edHeader")->setText("New header");
  Field(form, "edLeft")->setText("2.5");
  Field(form, "edBottom")->setText("abc");
  form.accept();
  EXPECT_EQ(form.result(), QDialog::Rejected);
  ASSERT_EQ(FMessages.size(), 1);
  EXPECT_TRUE(FMessages[0].contains("Bottom")) << FMessages[0].toStdString();
  EXPECT_EQ(engine.Units, TUnits::unInches);
  EXPECT_EQ(engine.TextOptions.Header, "Old header");
  EXPECT_EQ(engine.TextOptions.MarginLeft, 1.0);

  for (const char* name : {"edRight", "edTop", "edBottom"}) Field(form, name)->setText("2.5");
  form.findChild<QRadioButton*>("rbLandscape")->setChecked(true);
  form.findChild<QRadioButton*>("rbPageNumTop")->setChecked(true);
  form.findChild<QRadioButton*>("rbFooterRight")->setChecked(true);
  form.accept();
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(engine.Units, TUnits::unCentimeters);
  EXPECT_EQ(engine.TextOptions.MarginLeft, 2.5);
  EXPECT_EQ(engine.TextOptions.MarginBottom, 2.5);
  EXPECT_EQ(engine.TextOptions.Header, "New header");
  EXPECT_EQ(engine.Orientation, TOrientation::poLandscape);
  EXPECT_EQ(engine.TextOptions.PrintPageNumber, TPageNumberPosition::pnTop);
  EXPECT_EQ(engine.TextOptions.FooterAlign, TAlignment::taRightJustify);
}

TEST_F(PrintWindows, SetDefaultStoresTheFieldsForEveryNewEngine) {
  TPreviewPrinter engine;
  engine.SetReferenceMetrics(Letter(300));
  TPageSetupForm form(engine);
  QStringList asked;
  int answer = QMessageBox::No;
  form.Confirm = [&](const QString& q) {
    asked << q;
    return answer;
  };
  Field(form, "edFooter")->setText("Default footer");
  Field(form, "edTop")->setText("1.5");
  form.findChild<QPushButton*>("btnSetDefault")->click();
  ASSERT_EQ(asked.size(), 1);
  EXPECT_EQ(asked[0], "Are you sure you want to save these values as the Default Settings?");
  EXPECT_EQ(ReadSetting("PageSetupForm/Values/edFooter", "none"), "none");
  answer = QMessageBox::Yes;
  form.SetDefault();
  EXPECT_EQ(ReadSetting("PageSetupForm/Values/edFooter", "none"), "Default footer");
  EXPECT_EQ(engine.TextOptions.Footer, "");  // Set Default alone does not change the engine
  TPreviewPrinter next;
  next.SetReferenceMetrics(Letter(300));
  LoadPageSetupDefaults(next);
  EXPECT_EQ(next.TextOptions.Footer, "Default footer");
  EXPECT_EQ(next.TextOptions.MarginTop, 1.5);
  // Bad fields are not stored.
  Field(form, "edTop")->setText("");
  form.SetDefault();
  EXPECT_EQ(ReadSetting("PageSetupForm/Values/edTop", ""), "1.500");
  EXPECT_FALSE(FMessages.isEmpty());
}

}  // namespace
