#include "dialogs/new_var_dialog_logic.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "catalogue/unit_catalogue.h"
#include "dialogs/unit_save.h"
#include "fake_dialog_view.h"
#include "storage/file_system.h"
#include "tests/support/temp_folder.h"

namespace calpero {
namespace {

using testing::FakeDialogView;
using Powers = std::array<std::string, 4>;

constexpr const char* kMetreUnit = "[Metre]\nMass=0\nLength=1\nTemperature=0\nTime=0\n";
constexpr const char* kBlankText = "Some fields were left blank - data not saved";
constexpr const char* kReplaceText = "The unit already exists.  Do you want to replace it?";

class NewVarDialogLogic : public ::testing::Test {
 protected:
  std::array<double, 4> Stored(const std::string& name) const {
    std::array<double, 4> powers{};
    for (std::size_t i = 0; i < powers.size(); ++i) {
      powers.at(i) = catalogue_.ReadPower(name, kPowerKeys.at(i));
    }
    return powers;
  }

  // Runs a save and returns the message of the error it raised, or nothing.
  std::optional<std::string> SaveError() {
    try {
      logic_.Save();
    } catch (const Exception& error) {
      return error.Message();
    }
    return std::nullopt;
  }

  // The real file-system calls, except that when `appears`, another program saves Metre just
  // before the first lock is taken: after the unit was checked, before it is stored.
  FileSystemCalls MetreSavedBeforeTheLock(bool appears) {
    FileSystemCalls calls = SystemFileSystem();
    calls.LockNow = [this, pending = appears, real = calls.LockNow](int fd, short type) mutable {
      if (std::exchange(pending, false)) {
        folder_.WriteCatalogue(kMetreUnit);
      }
      return real(fd, type);
    };
    return calls;
  }

  ScopedDecimalSeparator separator_{"."};
  test::TempProgramFolder folder_;
  UnitCatalogue catalogue_{folder_.CataloguePath()};
  FakeDialogView view_;
  TNewVarDialogLogic logic_{view_, catalogue_};
};

TEST_F(NewVarDialogLogic, PreFillShowsEachPowerOnScreenAndEmptiesTheName) {
  struct Case {
    const char* separator;
    TPowerVector powers;
    Powers texts;
  };
  const std::vector<Case> cases = {
      {".", TPowerVector{}, {"0.00", "0.00", "0.00", "0.00"}},
      {".", TPowerVector{{1.0F / 3.0F, -2.0F, 0.5F, 12.0F}}, {"0.33", "-2.00", "0.50", "12.00"}},
      {",", TPowerVector{}, {"0,00", "0,00", "0,00", "0,00"}},
      {",", TPowerVector{{1.5F, -0.25F, 2.0F, -1.0F}}, {"1,50", "-0,25", "2,00", "-1,00"}},
  };
  for (const Case& c : cases) {
    const ScopedDecimalSeparator separator(c.separator);
    view_.Fill({"old", "old", "old", "old"}, "typed before");
    logic_.PreFill(c.powers);
    for (std::size_t i = 0; i < c.texts.size(); ++i) {
      EXPECT_EQ(view_.FieldText(static_cast<TNewVarField>(i)), c.texts.at(i));
    }
    EXPECT_EQ(view_.FieldText(TNewVarField::Name), "");
  }
}

TEST_F(NewVarDialogLogic, APrefilledThirdIsSavedAsTheTwoDecimalsShown) {
  for (const char* separator : {".", ","}) {
    const ScopedDecimalSeparator inForce(separator);
    logic_.PreFill(TPowerVector{{1.0F / 3.0F, -1.0F / 3.0F, 0.0F, 2.0F}});
    view_.SetFieldText(TNewVarField::Name, std::string("Third") + separator);
    logic_.Save();
    const std::array<double, 4> stored = Stored(std::string("Third") + separator);
    EXPECT_DOUBLE_EQ(stored[0], 0.33) << separator;
    EXPECT_DOUBLE_EQ(stored[1], -0.33) << separator;
    EXPECT_EQ(stored[3], 2.0) << separator;
  }
}

TEST_F(NewVarDialogLogic, SavesANewUnitUnderTheNameAsTypedWithoutAQuestion) {
  view_.Fill({"1", "-2.5", " 1.5 ", "+3"}, "Newton metre");
  EXPECT_EQ(logic_.Save(), TSaveOutcome::Saved);
  EXPECT_TRUE(view_.messages.empty());
  EXPECT_EQ(catalogue_.ListUnits(), std::vector<std::string>{"Newton metre"});
  EXPECT_EQ(Stored("Newton metre"), (std::array<double, 4>{1.0, -2.5, 1.5, 3.0}));
  EXPECT_EQ(view_.FieldText(TNewVarField::Time), "+3") << "the fields keep their texts";
}

// The name is that of a stored unit, so a save that passed the check would ask first.
TEST_F(NewVarDialogLogic, AnEmptyFieldShowsOneBlankMessageAndWritesNothing) {
  folder_.WriteCatalogue(kMetreUnit);
  const std::vector<std::pair<Powers, std::string>> cases = {
      {{"", "1", "1", "1"}, "Metre"}, {{"1", "", "1", "1"}, "Metre"},
      {{"1", "1", "", "1"}, "Metre"}, {{"1", "1", "1", ""}, "Metre"},
      {{"1", "1", "1", "1"}, ""},     {{"", "", "", ""}, ""},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    view_.Fill(cases[i].first, cases[i].second);
    EXPECT_EQ(logic_.Save(), TSaveOutcome::NotSaved) << "case " << i;
    ASSERT_EQ(view_.messages.size(), i + 1) << "case " << i;
    EXPECT_EQ(view_.messages.back().text, kBlankText);
    EXPECT_EQ(view_.messages.back().caption, "Error");
    EXPECT_EQ(view_.messages.back().flags, 48);
  }
  EXPECT_EQ(folder_.CatalogueBytes(), kMetreUnit);
}

TEST_F(NewVarDialogLogic, ANameOfSpacesIsNotBlankButTheCatalogueRefusesIt) {
  folder_.WriteCatalogue(kMetreUnit);
  view_.Fill({"1", "1", "1", "1"}, "   ");
  EXPECT_THROW(logic_.Save(), EInvalidUnitName);
  EXPECT_TRUE(view_.messages.empty());
  EXPECT_EQ(folder_.CatalogueBytes(), kMetreUnit);
}

// Also when another program saves the unit after the dialog looked for it and before it writes:
// then the question comes after all, and only Yes replaces that program's unit.
TEST_F(NewVarDialogLogic, AnExistingUnitIsReplacedOnlyAfterYes) {
  struct Case {
    std::string typedName;
    int answer;
    double storedMass;
    bool appearsAfterTheCheck;
    TSaveOutcome outcome;
  };
  for (const Case& c : {Case{"Metre", kMessageNo, 0.0, false, TSaveOutcome::NotSaved},
                        Case{"mETRE", kMessageNo, 0.0, false, TSaveOutcome::NotSaved},
                        Case{"Metre", kMessageYes, 7.0, false, TSaveOutcome::Replaced},
                        Case{"mETRE", kMessageYes, 7.0, false, TSaveOutcome::Replaced},
                        Case{"Metre", kMessageNo, 0.0, true, TSaveOutcome::NotSaved},
                        Case{"mETRE", kMessageYes, 7.0, true, TSaveOutcome::Replaced}}) {
    SCOPED_TRACE(c.typedName + " " + std::to_string(c.answer) +
                 (c.appearsAfterTheCheck ? " appearing" : ""));
    folder_.WriteCatalogue(c.appearsAfterTheCheck ? "" : kMetreUnit);
    view_.messages.clear();
    view_.Fill({"7", "1", "0", "0"}, c.typedName);
    view_.answer = c.answer;
    const FileSystemCalls calls = MetreSavedBeforeTheLock(c.appearsAfterTheCheck);
    {
      const ScopedFileSystem otherProgram(calls);
      EXPECT_EQ(logic_.Save(), c.outcome);
    }
    ASSERT_EQ(view_.messages.size(), 1U);
    EXPECT_EQ(view_.messages[0].text, kReplaceText);
    EXPECT_EQ(view_.messages[0].caption, "Warning");
    EXPECT_EQ(view_.messages[0].flags, 4);
    EXPECT_EQ(catalogue_.ListUnits(), std::vector<std::string>{"Metre"});
    EXPECT_EQ(catalogue_.ReadPower("Metre", "Mass"), c.storedMass);
  }
}

// SaveUnit, which the dialog and calpero-cli share, tells a blank text from a declined replace
// (the dialog shows neither the same way, the command line reports them in different words), and
// asks whether to replace only for a unit that is there, before or after its check.
TEST_F(NewVarDialogLogic, SaveUnitTellsHowItEndedAndAsksOnlyAboutAUnitThatIsThere) {
  struct Case {
    TUnitTexts unit;
    bool appearsAfterTheCheck;
    bool replace;
    TUnitSaveEnd end;
    int questions;
    std::vector<std::string> units;
    double metreMass;
  };
  const Powers powers = {"7", "1", "0", "0"};
  const std::vector<std::string> metre = {"Metre"};
  for (const Case& c : {
           Case{{"Metre", {"7", "1", "0", ""}}, false, true, TUnitSaveEnd::BlankField, 0, metre, 0},
           Case{{"", powers}, false, true, TUnitSaveEnd::BlankField, 0, metre, 0},
           Case{{"Metre", powers}, false, false, TUnitSaveEnd::ReplaceDeclined, 1, metre, 0},
           Case{{"Metre", powers}, true, false, TUnitSaveEnd::ReplaceDeclined, 1, metre, 0},
           Case{{"Metre", powers}, true, true, TUnitSaveEnd::Replaced, 1, metre, 7},
           Case{{"Gram", powers}, false, false, TUnitSaveEnd::Saved, 0, {"Metre", "Gram"}, 0},
       }) {
    SCOPED_TRACE("'" + c.unit.Name + "'" + (c.appearsAfterTheCheck ? " appearing" : ""));
    folder_.WriteCatalogue(c.appearsAfterTheCheck ? "" : kMetreUnit);
    const FileSystemCalls calls = MetreSavedBeforeTheLock(c.appearsAfterTheCheck);
    int questions = 0;
    const auto mayReplace = [&questions, &c] {
      ++questions;
      return c.replace;
    };
    {
      const ScopedFileSystem otherProgram(calls);
      EXPECT_EQ(SaveUnit(catalogue_, c.unit, mayReplace), c.end);
    }
    EXPECT_EQ(questions, c.questions);
    EXPECT_EQ(catalogue_.ListUnits(), c.units);
    EXPECT_EQ(catalogue_.ReadPower("Metre", "Mass"), c.metreMass);
  }
}

TEST_F(NewVarDialogLogic, ANewNameSavedTwiceIsAskedAboutTheSecondTime) {
  view_.Fill({"1", "0", "0", "0"}, "Kilogram");
  EXPECT_EQ(logic_.Save(), TSaveOutcome::Saved);
  EXPECT_TRUE(view_.messages.empty());
  view_.answer = kMessageYes;
  EXPECT_EQ(logic_.Save(), TSaveOutcome::Replaced);
  ASSERT_EQ(view_.messages.size(), 1U);
  EXPECT_EQ(view_.messages[0].text, kReplaceText);
}

TEST_F(NewVarDialogLogic, ASectionWithoutEntriesCountsAsANewUnit) {
  folder_.WriteCatalogue("[Empty]\n");
  view_.Fill({"1", "2", "3", "4"}, "Empty");
  logic_.Save();
  EXPECT_TRUE(view_.messages.empty());
  EXPECT_EQ(Stored("Empty"), (std::array<double, 4>{1.0, 2.0, 3.0, 4.0}));
}

// The stored unit is replaced with Yes, so any write at all would change the file.
TEST_F(NewVarDialogLogic, AFieldThatCannotBeStoredEndsTheSaveBeforeAnyWrite) {
  const std::vector<std::pair<Powers, std::string>> cases = {
      {{"abc", "1", "1", "1"}, "'abc' is not a valid floating point value"},
      {{"1", "1 000", "1", "1"}, "'1 000' is not a valid floating point value"},
      {{"1", "1", "1.5.2", "1"}, "'1.5.2' is not a valid floating point value"},
      {{"1", "1", "1", "E5"}, "'E5' is not a valid floating point value"},
      {{"1", "   ", "1", "1"}, "'   ' is not a valid floating point value"},
      {{"1", "x2", "1", "x4"}, "'x2' is not a valid floating point value"},
      {{"1E400", "1", "1", "1"}, "'1E400' is too large for a power"},
      {{"1", "1", "1", "-2.5e309"}, "'-2.5e309' is too large for a power"},
      {{"1E400", "abc", "1", "1"}, "'1E400' is too large for a power"},
      // Finite doubles, but stored as 1.79769313486232E308, which reads back beyond the range.
      {{"1", "1.7976931348623157E308", "1", "1"},
       "'1.7976931348623157E308' is too large for a power"},
      {{"1", "1", "-1.7976931348623153e308", "1"},
       "'-1.7976931348623153e308' is too large for a power"},
  };
  folder_.WriteCatalogue(kMetreUnit);
  view_.answer = kMessageYes;
  for (const auto& [powers, message] : cases) {
    view_.Fill(powers, "Metre");
    EXPECT_EQ(SaveError(), message);
    EXPECT_EQ(folder_.CatalogueBytes(), kMetreUnit) << message;
  }
}

TEST_F(NewVarDialogLogic, FieldsAreReadUnderTheSeparatorInForce) {
  struct Case {
    const char* separator;
    std::string text;
    std::optional<double> stored;  // nothing: the text is refused
  };
  const std::vector<Case> cases = {
      {".", "2E-1", 0.2}, {".", ".", 0.0},       {".", "1E-400", 0.0}, {".", "1,5", {}},
      {",", "1,5", 1.5},  {",", "-0,25", -0.25}, {",", "3", 3.0},      {",", "1.5", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.separator + (" " + c.text));
    const ScopedDecimalSeparator separator(c.separator);
    view_.Fill({c.text, "0", "0", "0"}, "Unit");
    view_.answer = kMessageYes;
    const std::optional<std::string> error = SaveError();
    if (c.stored) {
      EXPECT_EQ(error, std::nullopt);
      EXPECT_DOUBLE_EQ(catalogue_.ReadPower("Unit", "Mass"), *c.stored);
    } else {
      EXPECT_EQ(error, "'" + c.text + "' is not a valid floating point value");
    }
  }
}

TEST_F(NewVarDialogLogic, AFailedWriteLeavesTheCatalogueByteIdentical) {
  folder_.WriteCatalogue(kMetreUnit);
  view_.Fill({"1", "2", "3", "4"}, "a]b");
  EXPECT_THROW(logic_.Save(), EInvalidUnitName);
  EXPECT_EQ(folder_.CatalogueBytes(), kMetreUnit);

  std::filesystem::permissions(folder_.CataloguePath(), std::filesystem::perms::owner_read);
  view_.Fill({"1", "2", "3", "4"}, "Second");
  EXPECT_EQ(SaveError(), "Unable to write to " + folder_.CataloguePath());
  EXPECT_EQ(folder_.CatalogueBytes(), kMetreUnit);
}

}  // namespace
}  // namespace calpero
