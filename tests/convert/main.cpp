// Runs the converter window tests in a QApplication with private settings and a private trash
// (offscreen unless a platform is chosen).
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "imaging/formats/ExtraReaders.h"
#include "imaging/formats/Registry.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  qputenv("HOME", home.path().toUtf8());
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
  qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
  QApplication app(argc, argv);
  InitFormatLibrary();
  RegisterGIFAndIconReaders();
  return RUN_ALL_TESTS();
}
