#include "window/change_history.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/catalogue_copy.h"
#include "catalogue/errors.h"
#include "catalogue/unit_catalogue.h"
#include "storage/file_system.h"
#include "tests/support/temp_folder.h"

namespace calpero::test {
namespace {

using TResult = TChangeStep::TResult;

class ChangeHistoryTest : public ::testing::Test {
 protected:
  ChangeHistoryTest() {
    folder_.WriteCatalogue("[A]\nMass=1\n[B]\nMass=2\n");
    catalogue_.ObserveChanges([this](const SectionChange& change) { history_.Record(change); });
  }

  void Save(const std::string& unit, double mass) {
    const std::array<std::pair<std::string_view, double>, 1> entries = {{{"Mass", mass}}};
    catalogue_.WritePowers(unit, entries);
  }

  TempProgramFolder folder_;
  std::string path_ = folder_.CataloguePath();
  TChangeHistory history_{path_, "./Data/data.ini"};
  UnitCatalogue catalogue_{path_};
};

struct StepCase {
  const char* name;
  bool undo;
  TResult result;
  TChangeKind kind;
  const char* unit;
  const char* text;  // the catalogue after the step
};

// Erase A, replace B, save C; then steps in turn.
TEST_F(ChangeHistoryTest, StepsBackAndForthInOrder) {
  ASSERT_TRUE(catalogue_.EraseUnit("A"));
  Save("B", 3);
  Save("C", 4);
  const std::vector<StepCase> steps = {
      {"undo save", true, TResult::Done, TChangeKind::Save, "C", "[B]\nMass=3\n"},
      {"undo replace", true, TResult::Done, TChangeKind::Replace, "B", "[B]\nMass=2\n"},
      {"redo replace", false, TResult::Done, TChangeKind::Replace, "B", "[B]\nMass=3\n"},
      {"undo replace again", true, TResult::Done, TChangeKind::Replace, "B", "[B]\nMass=2\n"},
      {"undo erase", true, TResult::Done, TChangeKind::Erase, "A", "[A]\nMass=1\n[B]\nMass=2\n"},
      {"nothing left", true, TResult::Nothing, TChangeKind::Erase, "",
       "[A]\nMass=1\n[B]\nMass=2\n"},
      {"redo erase", false, TResult::Done, TChangeKind::Erase, "A", "[B]\nMass=2\n"},
  };
  for (const StepCase& row : steps) {
    const TChangeStep step = row.undo ? history_.Undo() : history_.Redo();
    EXPECT_EQ(step.Result, row.result) << row.name;
    EXPECT_EQ(step.Unit, row.unit) << row.name;
    if (row.result == TResult::Done) {
      EXPECT_EQ(step.Kind, row.kind) << row.name;
    }
    EXPECT_EQ(folder_.CatalogueBytes(), row.text) << row.name;
  }
  // A new change ends what could be redone.
  Save("D", 1);
  EXPECT_EQ(history_.RedoCount(), 0U);
  EXPECT_EQ(history_.Redo().Result, TResult::Nothing);
}

TEST_F(ChangeHistoryTest, KeepsTheLastHundredChanges) {
  for (int i = 0; i <= static_cast<int>(TChangeHistory::kDepth); ++i) {
    Save("A", i);
  }
  EXPECT_EQ(history_.UndoCount(), TChangeHistory::kDepth);
  for (std::size_t i = 0; i < TChangeHistory::kDepth; ++i) {
    ASSERT_EQ(history_.Undo().Result, TResult::Done) << i;
  }
  EXPECT_EQ(history_.Undo().Result, TResult::Nothing);
  // The first replacement fell out: its old powers stay replaced.
  EXPECT_EQ(folder_.CatalogueBytes(), "[A]\nMass=0\n[B]\nMass=2\n");
}

// Whole-file copies of a large catalogue: the oldest go once the history holds too much text,
// the newest always stays.
TEST_F(ChangeHistoryTest, KeepsNoMoreFileTextThanItsBound) {
  const std::string large(TChangeHistory::kMostBytes / 5, 'x');
  for (int i = 0; i < 4; ++i) {
    history_.Record(FileChange{"backup", large, large});
  }
  EXPECT_EQ(history_.UndoCount(), 2U);
  history_.Record(FileChange{"backup", std::string(TChangeHistory::kMostBytes, 'y'), "z"});
  EXPECT_EQ(history_.UndoCount(), 1U);
}

TEST_F(ChangeHistoryTest, AConflictLeavesTheHistoryAndTheFile) {
  ASSERT_TRUE(catalogue_.EraseUnit("B"));
  Save("A", 5);
  UnitCatalogue other(path_);
  const std::array<std::pair<std::string_view, double>, 1> entries = {{{"Mass", 9.0}}};
  other.WritePowers("A", entries);
  const TChangeStep step = history_.Undo();
  EXPECT_EQ(step.Result, TResult::Conflict);
  EXPECT_EQ(ConflictError(step).Message(), "Nothing undone: another program has changed A since");
  EXPECT_EQ(folder_.CatalogueBytes(), "[A]\nMass=9\n");
  EXPECT_EQ(history_.RedoCount(), 0U);
  // The erase before it still goes back.
  EXPECT_EQ(history_.Undo().Result, TResult::Done);
  EXPECT_EQ(folder_.CatalogueBytes(), "[A]\nMass=9\n[B]\nMass=2\n");
}

TEST_F(ChangeHistoryTest, AChangeThatCannotBeWrittenStaysToBeTriedAgain) {
  ASSERT_TRUE(catalogue_.EraseUnit("A"));
  {
    FileSystemCalls failing = SystemFileSystem();
    failing.Renameat = [](int, const char*, int, const char*, unsigned) {
      errno = EIO;
      return -1;
    };
    const ScopedFileSystem refusing(failing);
    EXPECT_THROW(history_.Undo(), EIniFileException);
  }
  EXPECT_EQ(folder_.CatalogueBytes(), "[B]\nMass=2\n");
  EXPECT_EQ(history_.UndoCount(), 1U);
  EXPECT_EQ(history_.Undo().Result, TResult::Done);
  EXPECT_EQ(folder_.CatalogueBytes(), "[A]\nMass=1\n[B]\nMass=2\n");
}

TEST_F(ChangeHistoryTest, CopiesOfTheCatalogueAreRestoresAndOthersBackups) {
  const std::string backup = folder_.File("backup.ini");
  FileChange copy;
  ASSERT_TRUE(CopyCatalogueFile(path_, backup, &copy));
  history_.Record(copy);
  ASSERT_TRUE(CopyCatalogueFile(backup, path_, &copy));
  history_.Record(copy);
  TChangeStep step = history_.Undo();
  EXPECT_EQ(step.Kind, TChangeKind::Restore);
  EXPECT_EQ(ConflictError(step).Message(),
            "Nothing undone: another program has changed the catalogue since");
  step = history_.Undo();
  EXPECT_EQ(step.Kind, TChangeKind::Backup);
  EXPECT_FALSE(std::filesystem::exists(backup));
}

}  // namespace
}  // namespace calpero::test
