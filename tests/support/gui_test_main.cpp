// The main of every window test program. The tests run in the program's own application object,
// on the offscreen platform unless QT_QPA_PLATFORM names another, and with a runtime folder of
// their own, so that a test program started by hand, from a desktop session or from none, never
// opens a window on a desktop nor shares state with one or with another test program.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include "ui/calpero_application.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) {
    // Listing the cases (what ctest's discovery does) needs no application.
    return RUN_ALL_TESTS();
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  const QTemporaryDir runtimeFolder;
  if (!runtimeFolder.isValid()) {
    qCritical("cannot make a private runtime folder: %s", qPrintable(runtimeFolder.errorString()));
    return 1;
  }
  // Qt accepts a runtime folder only when no one else may enter it.
  QFile::setPermissions(runtimeFolder.path(),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder.path()));
  calpero::TCalperoApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
