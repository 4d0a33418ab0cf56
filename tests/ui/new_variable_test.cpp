// The new-variable button: the typical road of the program, from two units dragged onto the work
// area to the resultant saved under a new name and listed in its sorted place.

#include <functional>
#include <optional>
#include <vector>

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "main_form_fixture.h"
#include "storage/file_system.h"
#include "storage/write_lock.h"
#include "tests/support/modal_box_catcher.h"
#include "ui/new_var_dlg.h"

namespace calpero::testing {
namespace {

class NewVariable : public MainFormTest {
 protected:
  NewVariable() {
    WriteCatalogue(kSampleCatalogue);
    OpenForm();
    dialog_ = std::make_unique<TNewVarDlg>(form_.get());
    form_->AttachNewVarDlg(dialog_.get());
  }

  ~NewVariable() override {
    form_->AttachNewVarDlg(nullptr);
    dialog_.reset();
  }

  // Presses the new-variable button; while the dialog is open, records its power fields and runs
  // `inDialog` on it. The button's handler returns once the dialog has closed.
  void OpenDialog(const std::function<void(TNewVarDlg&)>& inDialog) {
    QTimer::singleShot(0, [this, inDialog] {
      auto* dialog = qobject_cast<TNewVarDlg*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4"}) {
        shownPowers_ << dialog->findChild<QLineEdit*>(QLatin1String(name))->text();
      }
      inDialog(*dialog);
    });
    Click(C().NewVariableToolButton);
  }

  static void SaveAndExitAs(TNewVarDlg& dialog, const QString& name) {
    QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("Edit5")), name);
    auto* saveAndExit = dialog.findChild<QPushButton*>(QStringLiteral("OKBtn"));
    QTest::mouseClick(saveAndExit, Qt::LeftButton, {}, saveAndExit->rect().center());
  }

  std::unique_ptr<TNewVarDlg> dialog_;
  QStringList shownPowers_;
};

TEST_F(NewVariable, SavesTheResultantOfTwoDraggedUnitsAndListsItInSortedOrder) {
  DragListItem(kNewton, C().Numerator->Client(), {100, 50});
  DragListItem(kArea, C().Denominator->Client(), {100, 50});
  ASSERT_EQ(ResultRow(), QStringList({"1.00", "-1.00", "0.00", "-2.00"}));

  OpenDialog([](TNewVarDlg& dialog) { SaveAndExitAs(dialog, QStringLiteral("Force per area")); });

  EXPECT_EQ(shownPowers_, QStringList({"1.00", "-1.00", "0.00", "-2.00"}));
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_EQ(ListItems(),
            QStringList({"Area", "Force per area", "Half", "Kelvin", "metre", "Newton", "Second"}));
  EXPECT_NE(CatalogueBytes().find("[Force per area]\nMass=1\nLength=-1\nTemperature=0\nTime=-2\n"),
            std::string::npos);
  EXPECT_EQ(CurrentItem(), QStringLiteral("(none)"));
}

TEST_F(NewVariable, IsPreFilledWithTheLastResultantNotWithTheRowAfterEvaluatingOneArea) {
  DragListItem(kNewton, C().Numerator->Client(), {100, 50});
  DragListItem(kArea, C().Denominator->Client(), {100, 50});
  Click(C().NToolButton);
  ASSERT_EQ(ResultRow(), QStringList({"1.00", "1.00", "0.00", "-2.00"}));

  OpenDialog([](TNewVarDlg& dialog) { dialog.close(); });

  EXPECT_EQ(shownPowers_, QStringList({"1.00", "-1.00", "0.00", "-2.00"}));
}

TEST_F(NewVariable, ClosingWithoutSavingLeavesTheCatalogueAsItWasAndReloadsTheList) {
  const std::string before = CatalogueBytes();
  ClickListItem(kNewton);

  OpenDialog([](TNewVarDlg& dialog) { dialog.close(); });

  EXPECT_EQ(shownPowers_, QStringList({"0.00", "0.00", "0.00", "0.00"}));
  EXPECT_EQ(CatalogueBytes(), before);
  EXPECT_EQ(CurrentItem(), QStringLiteral("(none)"));
}

TEST_F(NewVariable, TheWholeRoadRunsFromTheKeyboard) {
  Press(Qt::Key_F);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("newt"));
  Press(Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(UnitRow(), QStringList({"1.00", "1.00", "0.00", "-2.00"}));
  Press(Qt::Key_Up);
  Press(Qt::Key_F);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("area"));
  EXPECT_EQ(C().FindEdit->text(), QStringLiteral("area"));
  Press(Qt::Key_Return, Qt::NoModifier);
  Press(Qt::Key_Down);
  Press(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);  // the numerator's sum only
  Press(Qt::Key_E);
  EXPECT_EQ(ResultRow(), QStringList({"1.00", "-1.00", "0.00", "-2.00"}));

  QTimer::singleShot(0, [] {
    QWidget* typedInto = QApplication::activeModalWidget()->focusWidget();
    ASSERT_EQ(typedInto->objectName(), QStringLiteral("Edit5"));
    QTest::keyClicks(typedInto, QStringLiteral("Force per area"));
    QTest::keyClick(typedInto, Qt::Key_Return);
    QApplication::activeModalWidget()->close();
  });
  Press(Qt::Key_N);

  EXPECT_NE(CatalogueBytes().find("[Force per area]\nMass=1\nLength=-1\nTemperature=0\nTime=-2\n"),
            std::string::npos);
}

// Each unit saved while the dialog was open is one change to undo; the replaced one gets its old
// spelling back.
TEST_F(NewVariable, EachUnitSavedInTheDialogIsUndoneOnItsOwn) {
  const std::string before = CatalogueBytes();
  OpenDialog([](TNewVarDlg& dialog) {
    const test::ModalBoxCatcher yes;
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("Edit5"));
    auto* save = dialog.findChild<QPushButton*>(QStringLiteral("Button1"));
    for (const QString& unit : {QStringLiteral("Gram"), QStringLiteral("Half")}) {
      name->setText(unit);
      QTest::mouseClick(save, Qt::LeftButton, {}, save->rect().center());
    }
    dialog.close();
  });
  const std::string saved = CatalogueBytes();
  ASSERT_NE(saved.find("[Gram]\n"), std::string::npos);
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  Press(Qt::Key_Z);
  EXPECT_EQ(C().MainStatusBar->currentMessage(),
            QStringLiteral("Old powers of Half back in the catalogue."));
  EXPECT_NE(CatalogueBytes().find("[Gram]\n"), std::string::npos);
  Press(Qt::Key_Z);
  EXPECT_EQ(CatalogueBytes(), before);
  EXPECT_EQ(ListItems().indexOf(QStringLiteral("Gram")), -1);
  Press(Qt::Key_Y);
  Press(Qt::Key_Y);
  EXPECT_EQ(CatalogueBytes(), saved);
}

// Another program holds the catalogue's lock while calpero-cli and the window each start a save:
// both wait, the window under the hourglass, and once the lock is free both units are saved.
TEST_F(NewVariable, SavesWhileCalperoCliSavesIntoTheSameCatalogueAndBothUnitsAreKept) {
  std::optional<WriteLock> holder(std::in_place, "Data/data.ini");
  ASSERT_TRUE(holder->Held());
  QProcess cli;
  cli.start(QStringLiteral(CALPERO_CLI_PATH), {"save", "Other", "1", "0", "0", "0"});
  ASSERT_TRUE(cli.waitForStarted());
  std::vector<Qt::CursorShape> shapes;
  FileSystemCalls calls = SystemFileSystem();
  calls.TimedLock = [&shapes, &holder, real = calls.TimedLock](int fd, auto timeout) {
    const QCursor* cursor = QApplication::overrideCursor();
    shapes.push_back(cursor != nullptr ? cursor->shape() : Qt::ArrowCursor);
    holder.reset();
    return real(fd, timeout);
  };
  const ScopedFileSystem watched(calls);

  OpenDialog([](TNewVarDlg& dialog) { SaveAndExitAs(dialog, QStringLiteral("Force per area")); });

  // It may have ended already, while the dialog's own event loop ran.
  cli.waitForFinished();
  ASSERT_EQ(cli.state(), QProcess::NotRunning);
  EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
  EXPECT_EQ(shapes, std::vector{Qt::WaitCursor});
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_NE(CatalogueBytes().find("[Force per area]\n"), std::string::npos);
  EXPECT_NE(CatalogueBytes().find("[Other]\nMass=1\n"), std::string::npos);
}

}  // namespace
}  // namespace calpero::testing
