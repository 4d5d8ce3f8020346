// Runs the editor window tests in a QApplication with private settings (offscreen unless a
// platform is chosen).
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "imaging/formats/Registry.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
  QApplication app(argc, argv);
  InitFormatLibrary();
  return RUN_ALL_TESTS();
}
