#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include "catalogue/decimal_separator.h"
#include "catalogue/unit_catalogue.h"
#include "dialog_test_driver.h"
#include "ui/new_var_dlg.h"

namespace calpero::testing {

// Each window test works in a fresh folder holding an empty "Data" folder, made the working
// folder for the test's duration, so the dialog's catalogue is "./Data/data.ini" there.
class NewVarDlgTest : public ::testing::Test {
 public:
  NewVarDlgTest(const NewVarDlgTest&) = delete;
  NewVarDlgTest& operator=(const NewVarDlgTest&) = delete;

 protected:
  NewVarDlgTest() : previousFolder_(QDir::currentPath()) {
    QDir::setCurrent(workFolder_.path());
    QDir().mkdir(QStringLiteral("Data"));
  }
  ~NewVarDlgTest() override { QDir::setCurrent(previousFolder_); }

  template <typename Widget>
  Widget* Control(const char* name) {
    auto* widget = dialog_.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  bool CatalogueExists() const { return QDir().exists(QStringLiteral("Data/data.ini")); }

  ScopedDecimalSeparator separator_{"."};
  QTemporaryDir workFolder_;
  QString previousFolder_;
  UnitCatalogue catalogue_;
  TNewVarDlg dialog_;
  ModalWatchdog watchdog_{5000};
};

}  // namespace calpero::testing
