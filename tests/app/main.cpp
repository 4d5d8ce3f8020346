// Runs the browser tests in a QApplication with a private settings and data folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/MetafileFormat.h"
#include "imaging/formats/Registry.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir home;
  // A private D-Bus session's dconf keeps its database under the configuration folder it was
  // given; the test's gsettings calls must look there too.
  if (qEnvironmentVariableIsEmpty("LUMIVEX_PRIVATE_DCONF"))
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
  qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Corvane");
  QApplication::setApplicationName("Lumivex");
  InitFormatLibrary();
  RegisterExtraReaders();  // GIF, icon, WMF, EMF
  return RUN_ALL_TESTS();
}
