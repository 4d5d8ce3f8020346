// Window placements and control values kept by TFormSettings, and windows placed back on a
// visible screen.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/FormSettings.h"

namespace {

TEST(FormSettings, StoredNumbersAndVisiblePlacement) {
  EXPECT_EQ(StoredInt("120", 7), 120);
  EXPECT_EQ(StoredInt("-5", 7), -5);
  EXPECT_EQ(StoredInt("0x1F", 7), 31);
  EXPECT_EQ(StoredInt("wide", 7), 7);
  EXPECT_EQ(StoredInt("", 7), 7);

  const QList<QRect> screens{QRect(0, 0, 1280, 800), QRect(1280, 0, 1024, 768)};
  const QRect onSecond(1400, 100, 500, 400);
  EXPECT_EQ(OnVisibleScreen(onSecond, screens), onSecond);
  // Left where a screen used to be: back on the first screen, same size.
  EXPECT_EQ(OnVisibleScreen(QRect(5000, 3000, 500, 400), screens), QRect(780, 400, 500, 400));
  // The title bar above the screen: moved down.
  EXPECT_EQ(OnVisibleScreen(QRect(100, -300, 500, 400), screens), QRect(100, 0, 500, 400));
  // Larger than any screen: shrunk to the first one.
  EXPECT_EQ(OnVisibleScreen(QRect(-9000, 0, 4000, 3000), screens), QRect(0, 0, 1280, 800));
}

struct TPlacedWindow : QWidget {
  QLineEdit* Name = new QLineEdit(this);
  QCheckBox* Sharp = new QCheckBox("Sharp", this);
  QComboBox* Paper = new QComboBox(this);
  TPlacedWindow() {
    setObjectName("PlacedWindow");
    Name->setObjectName("Name");
    Sharp->setObjectName("Sharp");
    Paper->setObjectName("Paper");
    Paper->addItems({"A4", "Letter", "Legal"});
    auto* l = new QVBoxLayout(this);
    l->addWidget(Name);
    l->addWidget(Sharp);
    l->addWidget(Paper);
  }
};

TEST(FormSettings, PositionAndValuesRoundTripAndMaximisedKeepsTheNormalPlace) {
  QSettings("Lumivex", "PlacedWindow").clear();
  {
    TPlacedWindow w;
    w.setGeometry(60, 70, 320, 240);
    w.Name->setText("holiday");
    w.Sharp->setChecked(true);
    w.Paper->setCurrentIndex(2);
    TFormSettings settings(&w);
    settings.SaveValues = true;
    EXPECT_EQ(settings.Key(), "Software\\Lumivex\\PlacedWindow");
    settings.Save();
  }
  QSettings store("Lumivex", "PlacedWindow");
  EXPECT_EQ(store.value("Position/Left").toString(), "60");
  EXPECT_EQ(store.value("Position/Width").toString(), "320");
  EXPECT_EQ(store.value("Position/WindowState").toString(), "NORMAL");
  EXPECT_EQ(store.value("Values/Sharp").toString(), "1");
  {
    TPlacedWindow w;
    TFormSettings settings(&w);
    settings.LoadValues = true;
    settings.Load();
    EXPECT_EQ(w.geometry(), QRect(60, 70, 320, 240));
    EXPECT_EQ(w.Name->text(), "holiday");
    EXPECT_TRUE(w.Sharp->isChecked());
    EXPECT_EQ(w.Paper->currentIndex(), 2);
    // Maximised: only the state is written, the normal place stays.
    w.setGeometry(10, 20, 400, 300);
    w.setWindowState(Qt::WindowMaximized);
    settings.Save();
  }
  store.sync();
  EXPECT_EQ(store.value("Position/Left").toString(), "60");
  EXPECT_EQ(store.value("Position/WindowState").toString(), "MAXIMIZED");
  // Hexadecimal and unreadable numbers; a state in any case.
  store.setValue("Position/Left", "0x64");
  store.setValue("Position/Top", "top");
  store.setValue("Position/WindowState", "maximized");
  store.sync();
  TPlacedWindow w;
  w.setGeometry(5, 33, 300, 200);
  TFormSettings(&w).Load();
  EXPECT_EQ(w.geometry().x(), 100);
  EXPECT_EQ(w.geometry().y(), 33);
  EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
}

}  // namespace
