// Runs the album tests in a QApplication with a private settings folder and the picture
// formats registered.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "imaging/formats/Registry.h"
#include "platform/MetafileFormat.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
  qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
  QApplication app(argc, argv);
  InitFormatLibrary();
  RegisterExtraReaders();
  return RUN_ALL_TESTS();
}
