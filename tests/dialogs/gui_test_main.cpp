#include <gtest/gtest.h>

#include <cstdlib>

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>

// The window tests run on the offscreen platform with a private runtime folder, whatever the
// environment, so that they never open a window on a desktop nor share state with one.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QTemporaryDir runtimeDir;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir.isValid()) {
    QFile::setPermissions(runtimeDir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
  }
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QStringLiteral("Calpero"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
