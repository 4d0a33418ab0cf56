#include "catalogue/catalogue_change.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/catalogue_copy.h"
#include "catalogue/detail/section_headers.h"
#include "catalogue/unit_catalogue.h"
#include "tests/catalogue/test_files.h"

namespace calpero::test {
namespace {

using Change = std::function<void(UnitCatalogue&)>;

Change Erase(const std::string& unit) {
  return [unit](UnitCatalogue& catalogue) { ASSERT_TRUE(catalogue.EraseUnit(unit)); };
}

Change EraseAfterReading(const std::string& unit) {
  return [unit](UnitCatalogue& catalogue) {
    ASSERT_FALSE(CatalogueTextHeaders::Of(*catalogue.ReadText()).empty());
    ASSERT_TRUE(catalogue.EraseUnit(unit));
  };
}

Change Save(const std::string& unit, double mass) {
  return [unit, mass](UnitCatalogue& catalogue) {
    const std::array<std::pair<std::string_view, double>, 2> entries = {
        {{"Mass", mass}, {"Time", -2}}};
    catalogue.WritePowers(unit, entries);
  };
}

// One change made by the window's handle, then perhaps one by another program, then an undo and
// a redo of the window's change.
struct ChangeCase {
  const char* name;
  std::string text;
  Change change;
  std::function<void(const std::string& path)> other;  // another program's change, if any
  // After the undo: nothing for a conflict (the file stays as the other program left it).
  std::optional<std::string> undone;
};

const std::string kThree =
    "; units\r\n[Metre]\r\nLength=1\r\n; a heading\r\n\r\n[Newton]\r\nMass=1.0\r\n"
    "Length=1\r\n; after\r\nTime=-2\r\n; trailing\r\n\r\n[Second]\r\nTime=1\r\n";

void OtherSaves(const std::string& path, const std::string& unit, double mass) {
  UnitCatalogue other(path);
  Save(unit, mass)(other);
}

std::vector<ChangeCase> ChangeCases() {
  return {
      {"EraseOfAMiddleUnitComesBackInPlace", kThree, Erase("Newton"), nullptr, kThree},
      {"EraseOfTheFirstUnitComesBackInPlace", kThree, Erase("metre"), nullptr, kThree},
      {"EraseOfALastUnitWithoutLineEnd", "[A]\nMass=1\n[B]\nMass=2", Erase("B"), nullptr,
       "[A]\nMass=1\n[B]\nMass=2"},
      {"EraseOfTheFirstOfTwoSectionsOfOneName", "[A]\nMass=1\n[B]\n[a]\nMass=3\n", Erase("A"),
       nullptr, "[A]\nMass=1\n[B]\n[a]\nMass=3\n"},
      // The window's handle has walked the headers: the erase finds its neighbours among them.
      {"EraseAfterTheHeadersWereWalked", kThree, EraseAfterReading("Newton"), nullptr, kThree},
      {"ReplaceGetsTheOldSpellingBack", kThree, Save("Newton", 2), nullptr, kThree},
      {"NewUnitAfterAnOpenLastLineGoesWithItsLineEnd", "[A]\r\nMass=1", Save("B", 1), nullptr,
       "[A]\r\nMass=1"},
      {"EntryAddedToAnEmptySectionGoes", "[A]\n; none\n[B]\nMass=1\n", Save("A", 1), nullptr,
       "[A]\n; none\n[B]\nMass=1\n"},
      // Another program's change of another unit stays; the erased section comes back.
      {"EraseUndoneKeepsAnotherUnitSavedMeanwhile", kThree, Erase("Newton"),
       [](const std::string& path) { OtherSaves(path, "Gram", 1); },
       kThree + "[Gram]\r\nMass=1\r\nTime=-2\r\n"},
      {"EraseUndoneWhenTheNextUnitWasErasedMeanwhile", kThree, Erase("Newton"),
       [](const std::string& path) { ASSERT_TRUE(UnitCatalogue(path).EraseUnit("Second")); },
       "; units\r\n[Metre]\r\nLength=1\r\n; a heading\r\n\r\n[Newton]\r\nMass=1.0\r\n"
       "Length=1\r\n; after\r\nTime=-2\r\n; trailing\r\n\r\n"},
      {"ReplaceUndoneKeepsAnEarlierUnitChangedMeanwhile", kThree, Save("Second", 4),
       [](const std::string& path) { OtherSaves(path, "Metre", 5); },
       "; units\r\n[Metre]\r\nLength=1\r\nMass=5\r\nTime=-2\r\n; a heading\r\n\r\n[Newton]\r\n"
       "Mass=1.0\r\nLength=1\r\n; after\r\nTime=-2\r\n; trailing\r\n\r\n[Second]\r\nTime=1\r\n"},
      // Conflicts: the same unit changed by another program.
      {"EraseNotUndoneOverTheSameUnitSavedAgain", kThree, Erase("Newton"),
       [](const std::string& path) { OtherSaves(path, "Newton", 7); }, std::nullopt},
      {"ReplaceNotUndoneOverAnotherReplace", kThree, Save("Newton", 2),
       [](const std::string& path) { OtherSaves(path, "Newton", 3); }, std::nullopt},
      {"SaveNotUndoneOverTheUnitErasedMeanwhile", kThree, Save("Gram", 2),
       [](const std::string& path) { ASSERT_TRUE(UnitCatalogue(path).EraseUnit("Gram")); },
       std::nullopt},
  };
}

class SectionChangeTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(SectionChangeTest, UndoAndRedo) {
  const ChangeCase& row = GetParam();
  const TempProgramFolder folder;
  const std::string path = folder.CataloguePath();
  folder.WriteCatalogue(row.text);
  std::vector<SectionChange> records;
  UnitCatalogue catalogue(path);
  catalogue.ObserveChanges([&records](const SectionChange& change) { records.push_back(change); });
  row.change(catalogue);
  ASSERT_EQ(records.size(), 1U);
  const std::string changed = folder.CatalogueBytes();
  if (row.other) {
    row.other(path);
  }
  const std::string before = folder.CatalogueBytes();
  const ChangeOutcome undone =
      ApplySectionChange(path, path, records.front(), ChangeDirection::Undo);
  if (!row.undone) {
    EXPECT_EQ(undone, ChangeOutcome::Conflict);
    EXPECT_EQ(folder.CatalogueBytes(), before);
    return;
  }
  ASSERT_EQ(undone, ChangeOutcome::Done);
  EXPECT_EQ(folder.CatalogueBytes(), *row.undone);
  // Undone once, it cannot be undone again: the unit is no longer as the change left it.
  EXPECT_EQ(ApplySectionChange(path, path, records.front(), ChangeDirection::Undo),
            ChangeOutcome::Conflict);
  ASSERT_EQ(ApplySectionChange(path, path, records.front(), ChangeDirection::Redo),
            ChangeOutcome::Done);
  if (!row.other) {
    EXPECT_EQ(folder.CatalogueBytes(), changed);
  }
  EXPECT_EQ(records.size(), 1U) << "undo and redo make no records";
}

INSTANTIATE_TEST_SUITE_P(Catalogue, SectionChangeTest, ::testing::ValuesIn(ChangeCases()),
                         [](const auto& info) { return std::string(info.param.name); });

struct FileCase {
  const char* name;
  std::optional<std::string> target;     // what the copy's target held (nothing: no file)
  std::optional<std::string> meanwhile;  // what another program wrote there after the copy
  bool conflict;
};

class FileChangeTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(FileChangeTest, UndoAndRedoOfACopy) {
  const FileCase& row = GetParam();
  const TempFolder folder;
  const std::string from = folder.File("from.ini");
  const std::string to = folder.File("to.ini");
  WriteBytes(from, "[A]\r\nMass=1\r\n");
  if (row.target) {
    WriteBytes(to, *row.target);
  }
  FileChange change;
  ASSERT_TRUE(CopyCatalogueFile(from, to, &change));
  EXPECT_EQ(change.Before, row.target);
  if (row.meanwhile) {
    WriteBytes(to, *row.meanwhile);
  }
  const ChangeOutcome undone = ApplyFileChange(change, to, ChangeDirection::Undo);
  if (row.conflict) {
    EXPECT_EQ(undone, ChangeOutcome::Conflict);
    EXPECT_EQ(ReadBytes(to), *row.meanwhile);
    return;
  }
  ASSERT_EQ(undone, ChangeOutcome::Done);
  EXPECT_EQ(std::filesystem::exists(to), row.target.has_value());
  if (row.target) {
    EXPECT_EQ(ReadBytes(to), *row.target);
  }
  ASSERT_EQ(ApplyFileChange(change, to, ChangeDirection::Redo), ChangeOutcome::Done);
  EXPECT_EQ(ReadBytes(to), "[A]\r\nMass=1\r\n");
  EXPECT_EQ(ApplyFileChange(change, to, ChangeDirection::Redo), ChangeOutcome::Conflict);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, FileChangeTest,
    ::testing::Values(FileCase{"OverAFile", std::string("[B]\nTime=1"), std::nullopt, false},
                      FileCase{"OverNoFileRemovesIt", std::nullopt, std::nullopt, false},
                      FileCase{"ChangedMeanwhile", std::string("[B]\n"), std::string("[C]\n"),
                               true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace calpero::test
