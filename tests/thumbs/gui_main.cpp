// Runs the thumbnail window tests in a QApplication with private settings and cache folders.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "imaging/formats/Registry.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
  qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
  qputenv("XDG_CACHE_HOME", (home.path() + "/cache").toUtf8());
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Corvane");
  QApplication::setApplicationName("Lumivex");
  InitFormatLibrary();
  return RUN_ALL_TESTS();
}
