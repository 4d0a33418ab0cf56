// Backup and restore from the window: silent either way, the list read again after every restore,
// and the work area counting whatever the restored catalogue holds at the next evaluation.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

}  // namespace
}  // namespace calpero::testing
