// The filter dialog windows offscreen: controls and their names, keyboard, the debounced live
// preview, OK and Cancel through Execute, and closing while the workers run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "dialogs/FilterDialogForm.h"
#include "view/PGImage.h"

namespace {

std::unique_ptr<TPixelGraphic> Picture(int w, int h) {
  auto image = std::make_unique<TPixelGraphic>();
  image->SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image->SetPixel(x, y, static_cast<TRGB>(((x * 7) & 0xFF) | (((y * 3) & 0xFF) << 8) | (0x40 << 16)));
  return image;
}

// Processes events until `done` holds or `ms` passed; whether it holds. (The QTRY macros
// return silently on failure outside a QTest run, so they cannot be used with GoogleTest.)
bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QTest::qSleep(2);
  }
  return true;
}

// Runs `drive` on the modal window once it is shown.
void WhenModal(std::function<void(TFilterDialogForm&)> drive) {
  QTimer::singleShot(0, [drive] {
    auto* form = dynamic_cast<TFilterDialogForm*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    drive(*form);
  });
}

}  // namespace

TEST(FilterDialogForm, ControlsCarryTheDialogsTextsAndNames) {
  TBCGFilterDialog bcg;
  bcg.SetContrast(10);
  bcg.BeginExecute();
  TFilterDialogForm form(bcg, nullptr);
  EXPECT_EQ(form.windowTitle(), "Brightness, Contrast, Gamma Filter");
  ASSERT_NE(form.Slider(1), nullptr);
  EXPECT_EQ(form.Slider(1)->value(), 100);
  EXPECT_EQ(form.Slider(1)->accessibleName(), "Contrast");
  EXPECT_EQ(form.ValueLabel(1)->text(), "5.00");
  EXPECT_EQ(form.ValueLabel(0)->text(), QString::fromUtf8("\u00b10%"));
  ASSERT_NE(form.Radio(1), nullptr);
  EXPECT_EQ(form.Radio(1)->accessibleName(), "Apply on Y");
  EXPECT_TRUE(form.Radio(0)->isChecked());
  EXPECT_EQ(form.OkButton()->text(), "OK");
  EXPECT_NE(form.Preview(), nullptr);
  // Every label fits its text: the caption column grew for the font.
  for (QLabel* label : form.findChildren<QLabel*>())
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
        << label->text().toStdString();
  // Nothing overlaps the buttons.
  for (QWidget* w : form.findChildren<QWidget*>())
    if (w != form.OkButton() && w->parentWidget() == &form && w->isVisibleTo(&form)) {
      EXPECT_FALSE(w->geometry().intersects(form.OkButton()->geometry())) << w->metaObject()->className();
    }

  TSharpenFilterDialog sharpen;
  TFilterDialogForm conv(sharpen, nullptr);
  EXPECT_EQ(conv.Preview(), nullptr);
  EXPECT_EQ(conv.Slider(2), nullptr);
  EXPECT_EQ(conv.ValueLabel(0)->text(), "0.75");
}

TEST(FilterDialogForm, KeyboardMovesSlidersAndValueTexts) {
  THSVFilterDialog hsv;
  hsv.BeginExecute();
  TFilterDialogForm form(hsv, nullptr);
  form.show();
  QApplication::setActiveWindow(&form);
  form.Slider(0)->setFocus();
  QTest::keyClick(form.Slider(0), Qt::Key_Right);
  EXPECT_EQ(hsv.H(), 1);
  EXPECT_EQ(form.ValueLabel(0)->text(), QString::fromUtf8("+1\u00b0"));
  QTest::keyClick(form.Slider(0), Qt::Key_PageDown);
  EXPECT_EQ(hsv.H(), -14);
  QTest::keyClick(form.Slider(0), Qt::Key_Home);
  EXPECT_EQ(hsv.H(), -180);
  EXPECT_EQ(form.ValueLabel(0)->text(), QString::fromUtf8("-180\u00b0"));
}

TEST(FilterDialogForm, PreviewShowsTheFilteredReducedPicture) {
  auto image = Picture(1000, 500);
  TNegativeFilterDialog negative;
  negative.BeginExecute();
  TFilterDialogForm form(negative, image.get());
  EXPECT_EQ(form.PreviewSourceWidth(), 136);
  EXPECT_EQ(form.PreviewSourceHeight(), 68);
  ASSERT_TRUE(WaitFor([&] { return form.ResultsShown() == 1; }, 5000)) << form.ResultsShown();
  const TPixelGraphic* shown = form.Preview()->PixelGraphicNoWait();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->Width(), 136);
  EXPECT_EQ(shown->Height(), 68);

  auto small = Picture(100, 80);
  TGrayScaleFilterDialog gray;
  TFilterDialogForm unscaled(gray, small.get());
  EXPECT_EQ(unscaled.PreviewSourceWidth(), 100);
  EXPECT_EQ(unscaled.PreviewSourceHeight(), 80);
  ASSERT_TRUE(WaitFor([&] { return unscaled.ResultsShown() == 1; }, 5000)) << unscaled.ResultsShown();
  const TPixelGraphic* grey = unscaled.Preview()->PixelGraphicNoWait();
  ASSERT_NE(grey, nullptr);
  const TRGB c = grey->Pixel(50, 40);
  EXPECT_EQ(c & 0xFF, (c >> 8) & 0xFF);
  EXPECT_EQ(c & 0xFF, (c >> 16) & 0xFF);

  TPixelGraphic empty;  // an empty picture: the dialog still works
  TRGBFilterDialog rgb;
  TFilterDialogForm none(rgb, &empty);
  ASSERT_TRUE(WaitFor([&] { return none.SourceReady(); }, 5000));
  QTest::keyClick(none.Slider(0), Qt::Key_Right);
  EXPECT_EQ(rgb.Red(), 1);
}

TEST(FilterDialogForm, SliderBurstStartsOnePreviewAfterTheyRest) {
  auto image = Picture(640, 480);
  THSVFilterDialog hsv;
  hsv.BeginExecute();
  TFilterDialogForm form(hsv, image.get());
  ASSERT_TRUE(WaitFor([&] { return form.ResultsShown() == 1; }, 5000)) << form.ResultsShown();
  const int before = form.DestJobsStarted();
  QElapsedTimer sinceLast;
  for (int i = 0; i < 6; ++i) {
    form.Slider(1)->setValue(10 * (i + 1));
    sinceLast.start();
    QTest::qWait(30);
    EXPECT_EQ(form.DestJobsStarted(), before) << "move " << i;
  }
  ASSERT_TRUE(WaitFor([&] { return form.DestJobsStarted() == before + 1; }, 5000)) << form.DestJobsStarted();
  EXPECT_GE(sinceLast.elapsed(), TFilterDialogForm::kPreviewDelayMs);
  ASSERT_TRUE(WaitFor([&] { return form.ResultsShown() == 2; }, 5000)) << form.ResultsShown();
  QTest::qWait(150);
  EXPECT_EQ(form.DestJobsStarted(), before + 1);
}

TEST(FilterDialogForm, ExecuteOkAppliesShownValuesCancelRestores) {
  auto image = Picture(200, 100);
  TBCGFilterDialog bcg;
  bcg.SetBrightness(30);  // stored only; OK without touching anything applies it
  WhenModal([](TFilterDialogForm& form) { QTest::mouseClick(form.OkButton(), Qt::LeftButton); });
  EXPECT_TRUE(ExecuteFilterDialog(bcg, image.get()));
  EXPECT_EQ(dynamic_cast<TBCGFilter&>(bcg.Filter()).Brightness, 30);

  WhenModal([](TFilterDialogForm& form) {
    form.Slider(0)->setValue(-40);
    QTest::mouseClick(form.Radio(1), Qt::LeftButton);
    form.Slider(2)->setValue(60);
    QTest::mouseClick(form.CancelButton(), Qt::LeftButton);
  });
  EXPECT_FALSE(ExecuteFilterDialog(bcg, image.get()));
  EXPECT_EQ(bcg.Brightness(), 30);
  EXPECT_FALSE(bcg.UseY());
  EXPECT_DOUBLE_EQ(bcg.Gamma(), 1.0);
  EXPECT_EQ(dynamic_cast<TBCGFilter&>(bcg.Filter()).Brightness, 30);
  EXPECT_FALSE(dynamic_cast<TBCGFilter&>(bcg.Filter()).UseY);

  TGrayScaleFilterDialog gray;
  WhenModal([](TFilterDialogForm& form) {
    QTest::mouseClick(form.CheckBox(), Qt::LeftButton);
    QTest::keyClick(&form, Qt::Key_Return);
  });
  EXPECT_TRUE(ExecuteFilterDialog(gray, image.get()));
  EXPECT_FALSE(gray.RGBWeighting());
  EXPECT_FALSE(dynamic_cast<TGrayScaleFilter&>(gray.Filter()).RGBWeighting);

  TBlurFilterDialog blur;
  WhenModal([](TFilterDialogForm& form) {
    form.Slider(0)->setValue(400);
    QTest::keyClick(&form, Qt::Key_Escape);
  });
  EXPECT_FALSE(ExecuteFilterDialog(blur));
  EXPECT_DOUBLE_EQ(blur.Radius(), 2.5);
}

TEST(FilterDialogForm, ClosingWhileWorkersRunFreesTheirResults) {
  auto big = Picture(3000, 2000);
  for (int i = 0; i < 3; ++i) {
    TRGBFilterDialog rgb;
    auto form = std::make_unique<TFilterDialogForm>(rgb, big.get());
    if (i > 0) QTest::qWait(i * 20);  // at different stages of the source
    form->Slider(0)->setValue(50);
    form.reset();
    QCoreApplication::processEvents();
  }
  // A result posted just before the close is dropped with the window's events.
  TRGBFilterDialog rgb;
  auto form = std::make_unique<TFilterDialogForm>(rgb, big.get());
  ASSERT_TRUE(WaitFor([&] { return form->ResultsShown() == 1; }, 10000));
  form->Slider(0)->setValue(20);
  ASSERT_TRUE(WaitFor([&] { return form->DestJobsStarted() >= 2; }, 5000)) << form->DestJobsStarted();
  form.reset();
  QCoreApplication::sendPostedEvents();
  SUCCEED();
}
