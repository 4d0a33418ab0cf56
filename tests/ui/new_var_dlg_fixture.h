#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QString>

#include "catalogue/power_text.h"
#include "catalogue/unit_catalogue.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/dialog_test_driver.h"
#include "ui/new_var_dlg.h"

namespace calpero::testing {

// Each window test works in a fresh folder holding an empty "Data" folder, made the working
// folder for the test's duration, so the dialog's catalogue is "./Data/data.ini" there.
class NewVarDlgTest : public ::testing::Test {
 protected:
  template <typename Widget>
  Widget* Control(const char* name) {
    auto* widget = dialog_.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  bool CatalogueExists() const { return QDir().exists(QStringLiteral("Data/data.ini")); }

  ScopedDecimalSeparator separator_{"."};
  test::TempProgramFolder workFolder_;
  test::ScopedWorkingDirectory inWorkFolder_{workFolder_.Path()};
  UnitCatalogue catalogue_;
  TNewVarDlg dialog_;
  ModalWatchdog watchdog_{5000};
};

}  // namespace calpero::testing
