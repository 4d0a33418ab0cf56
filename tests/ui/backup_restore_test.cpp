// Backup and restore from the window: silent either way, the list read again after every restore,
// and the work area counting whatever the restored catalogue holds at the next evaluation.

#include <functional>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <QTest>

#include "main_form_fixture.h"
#include "tests/support/modal_box_catcher.h"
#include "ui/hint.h"

namespace calpero::testing {
namespace {

class BackupRestore : public MainFormTest {
 protected:
  BackupRestore() {
    WriteCatalogue(kSampleCatalogue);
    OpenForm();
  }

  std::string BackupBytes() const {
    QFile file(PathOf(QStringLiteral("Backup/data.ini")));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
  }

  // Drops the trash picture's list branch on the list's item at `row`: the unit is erased.
  void EraseThroughTrash(int row) {
    TUnitListBox* list = C().UnitsListBox;
    Drag(list->viewport(), list->visualItemRect(row).center(), C().TrashImage,
         C().TrashImage->rect().center());
  }
};

TEST_F(BackupRestore, WithoutABackupFolderChangesNothingAndSaysNothing) {
  ASSERT_TRUE(QDir(PathOf(QStringLiteral("Backup"))).removeRecursively());
  const test::ModalBoxCatcher boxes;
  Click(C().BackFilesUpToolButton);
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_FALSE(QFileInfo::exists(PathOf(QStringLiteral("Backup"))));
  EXPECT_EQ(CatalogueBytes(), kSampleCatalogue);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(BackupRestore, TheSecondBackupReplacesTheFirst) {
  Click(C().BackFilesUpToolButton);
  WriteCatalogue("[Only]\nMass=1\n");
  Click(C().BackFilesUpToolButton);
  EXPECT_EQ(BackupBytes(), "[Only]\nMass=1\n");
}

TEST_F(BackupRestore, AUnitErasedThenRestoredCountsAgainAtTheNextEvaluation) {
  DragListItem(kNewton, C().Numerator->Client(), {100, 50});
  Click(C().BackFilesUpToolButton);
  EraseThroughTrash(kNewton);
  ASSERT_EQ(ListItems(), QStringList({"Area", "Half", "Kelvin", "metre", "Second"}));
  ASSERT_EQ(ResultRow(), QStringList({"0.00", "0.00", "0.00", "0.00"}));

  C().RestoreMenuItem->trigger();
  EXPECT_EQ(ListItems(), QStringList({"Area", "Half", "Kelvin", "metre", "Newton", "Second"}));
  EXPECT_EQ(ResultRow(), QStringList({"0.00", "0.00", "0.00", "0.00"}));
  Click(C().BothToolButton);
  EXPECT_EQ(ResultRow(), QStringList({"1.00", "1.00", "0.00", "-2.00"}));
}

TEST_F(BackupRestore, AUnitSavedAfterTheBackupIsGoneAfterARestoreAndCountsAsZero) {
  Click(C().BackFilesUpToolButton);
  WriteCatalogue(std::string(kSampleCatalogue) + "[Later]\nMass=3\nLength=0\n");
  form_->NewVariableToolButtonClick();  // with no dialog attached it only reads the list again
  ASSERT_EQ(ListItems().indexOf(QStringLiteral("Later")), 3);
  DragListItem(3, C().Numerator->Client(), {100, 50});
  ASSERT_EQ(ResultRow(), QStringList({"3.00", "0.00", "0.00", "0.00"}));
  ClickListItem(0);

  C().RestoreMenuItem->trigger();

  EXPECT_EQ(CatalogueBytes(), kSampleCatalogue);
  EXPECT_EQ(ListItems().indexOf(QStringLiteral("Later")), -1);
  EXPECT_EQ(CurrentItem(), QStringLiteral("(none)"));
  EXPECT_EQ(ResultRow(), QStringList({"3.00", "0.00", "0.00", "0.00"}));
  EXPECT_EQ(UnitRow(), QStringList({"0.00", "2.00", "0.00", "0.00"}));
  Click(C().BothToolButton);
  EXPECT_EQ(ResultRow(), QStringList({"0.00", "0.00", "0.00", "0.00"}));
}

TEST_F(BackupRestore, TheToolbarPanelNamesOnlyUnitsThatTheRestoredCatalogueHolds) {
  DragListItem(kNewton, C().Numerator->Client(), {100, 50});
  Click(C().BackFilesUpToolButton);
  // Saved by another program after the backup, with the resultant's powers.
  WriteCatalogue(std::string(kSampleCatalogue) + "[Force]\nMass=1\nLength=1\nTime=-2\n");
  Click(C().BothToolButton);
  ASSERT_EQ(ShownHintOf(C().ToolBarPanel),
            QStringLiteral("Resultant powers: same as Force, Newton"));

  C().RestoreMenuItem->trigger();
  EXPECT_EQ(ShownHintOf(C().ToolBarPanel), QStringLiteral("Resultant powers: same as Newton"));
}

// Each change of the catalogue or the backup that the window made, taken back with Ctrl+Z and
// made again with Ctrl+Shift+Z, then with Ctrl+Y: byte for byte each time.
TEST_F(BackupRestore, EachChangeIsUndoneAndRedoneByItsKeysByteForByte) {
  struct Row {
    const char* name;
    std::function<void()> prepare;
    std::function<void()> change;
    bool ofBackup;  // the change is one of the backup, not of the catalogue
    const char* undone;
    const char* redone;
  };
  WriteCatalogue(std::string(kSampleCatalogue) + "; kept\r\n");
  const std::vector<Row> rows = {
      {"erase", [] {}, [this] { EraseThroughTrash(kNewton); }, false,
       "Newton restored to the catalogue.", "Newton erased from the catalogue again."},
      {"backup over none", [] {}, [this] { Click(C().BackFilesUpToolButton); }, true,
       "Undid the backup.", "Catalogue backed up again."},
      {"backup over one", [this] { WriteCatalogue("[Only]\nMass=1\n"); },
       [this] { Click(C().BackFilesUpToolButton); }, true, "Undid the backup.",
       "Catalogue backed up again."},
      {"restore", [this] { WriteCatalogue("[Other]\r\nTime=1"); },
       [this] { C().RestoreMenuItem->trigger(); }, false, "Undid the restore.",
       "Catalogue restored from the backup again."},
  };
  for (const Row& row : rows) {
    const auto bytes = [this, &row] { return row.ofBackup ? BackupBytes() : CatalogueBytes(); };
    row.prepare();
    const bool existed = QFile::exists(PathOf(QStringLiteral("Backup/data.ini")));
    const std::string before = bytes();
    row.change();
    const std::string after = bytes();
    ASSERT_NE(after, before) << row.name;
    Press(Qt::Key_Z);
    EXPECT_EQ(bytes(), before) << row.name;
    if (row.ofBackup) {
      EXPECT_EQ(QFile::exists(PathOf(QStringLiteral("Backup/data.ini"))), existed) << row.name;
    }
    EXPECT_EQ(C().MainStatusBar->currentMessage(), QString::fromUtf8(row.undone)) << row.name;
    Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(bytes(), after) << row.name;
    EXPECT_EQ(C().MainStatusBar->currentMessage(), QString::fromUtf8(row.redone)) << row.name;
    Press(Qt::Key_Z);
    Press(Qt::Key_Y);
    EXPECT_EQ(bytes(), after) << row.name;
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The find box's own undo gives way: Ctrl+Z there brings the erased unit back and leaves the
// typed text.
TEST_F(BackupRestore, CtrlZInTheFindBoxUndoesTheWindowsChange) {
  const std::string before = CatalogueBytes();
  EraseThroughTrash(kKelvin);
  Press(Qt::Key_F);
  QTest::keyClicks(C().FindEdit, QStringLiteral("ne"));
  ASSERT_TRUE(C().FindEdit->hasFocus());
  Press(Qt::Key_Z);
  EXPECT_EQ(CatalogueBytes(), before);
  EXPECT_EQ(C().FindEdit->text(), QStringLiteral("ne"));
  EXPECT_EQ(ListItems().indexOf(QStringLiteral("Kelvin")), kKelvin);
}

// Another program saved the erased unit again: the undo writes nothing and says why.
TEST_F(BackupRestore, UndoOverAnotherProgramsChangeOfTheUnitSaysWhy) {
  EraseThroughTrash(kNewton);
  const std::string other = CatalogueBytes() + "[Newton]\nMass=5\n";
  WriteCatalogue(other);
  const test::ModalBoxCatcher boxes;
  Press(Qt::Key_Z);
  EXPECT_EQ(CatalogueBytes(), other);
  ASSERT_EQ(boxes.Boxes().size(), 1U);
  EXPECT_EQ(boxes.Boxes().front().text,
            QStringLiteral("Nothing undone: another program has changed Newton since."));
  EXPECT_EQ(ListItems().indexOf(QStringLiteral("Newton")), kNewton);
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  Press(Qt::Key_Z);  // that change has left the history
  EXPECT_EQ(C().MainStatusBar->currentMessage(), QStringLiteral("Nothing to undo."));
}

}  // namespace
}  // namespace calpero::testing
