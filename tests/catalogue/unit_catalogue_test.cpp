#include "catalogue/unit_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "catalogue/catalogue_reading.h"
#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "storage/file_system.h"
#include "tests/catalogue/test_files.h"

namespace calpero::test {
namespace {

// Each test works on a catalogue in a folder of its own.
class UnitCatalogueTest : public ::testing::Test {
 protected:
  // A catalogue holding the fixture `name`.
  UnitCatalogue FromFixture(const char* name) {
    WriteBytes(path_, Fixture(name));
    return UnitCatalogue(path_);
  }

  // Rewrites the file in place with `was` replaced by `now`, of the same length, and gives it back
  // its modification time: a change that the file's stamp cannot tell. Returns the new text.
  std::string RewriteKeepingStamp(std::string_view was, std::string_view now) {
    const auto modified = std::filesystem::last_write_time(path_);
    std::string text = ReadBytes(path_);
    text.replace(text.find(was), was.size(), now);
    std::fstream(path_, std::ios::in | std::ios::out | std::ios::binary) << text;
    std::filesystem::last_write_time(path_, modified);
    EXPECT_EQ(ReadBytes(path_), text);
    return text;
  }

  TempFolder folder_;
  std::string path_ = folder_.File("data.ini");
};

TEST_F(UnitCatalogueTest, MissingFileOrFolderReadsAsAnEmptyCatalogueAndCreatesNothing) {
  for (const std::string& path : {path_, folder_.File("Data/data.ini")}) {
    UnitCatalogue catalogue(path);
    EXPECT_TRUE(catalogue.ListUnits().empty());
    EXPECT_EQ(catalogue.ReadPower("UnitA", "Mass"), 0.0);
    EXPECT_FALSE(catalogue.UnitExists("UnitA"));
    EXPECT_NO_THROW(catalogue.EraseUnit("UnitA"));
  }
  EXPECT_TRUE(folder_.Entries().empty());
}

TEST_F(UnitCatalogueTest, FirstWriteCreatesTheFileWithOneSectionAndOneEntry) {
  UnitCatalogue catalogue(path_);
  catalogue.WritePower("Force", "Mass", 1);
  EXPECT_EQ(ReadBytes(path_), "[Force]\nMass=1\n");
}

TEST_F(UnitCatalogueTest, WriteIntoAMissingFolderFailsAndCreatesNothing) {
  UnitCatalogue catalogue(folder_.File("Data/data.ini"));
  try {
    catalogue.WritePower("Force", "Mass", 1);
    ADD_FAILURE() << "no error";
  } catch (const EIniFileException& error) {
    EXPECT_EQ(error.Message(), "Unable to write to " + folder_.File("Data/data.ini"));
  }
  EXPECT_TRUE(folder_.Entries().empty());
}

TEST_F(UnitCatalogueTest, DefaultCatalogueNamesItsRelativePathInTheWriteError) {
  const ScopedWorkingDirectory inFolder(folder_.Path());
  UnitCatalogue catalogue;
  EXPECT_EQ(catalogue.Path(), "./Data/data.ini");
  try {
    catalogue.WritePower("Force", "Mass", 1);
    ADD_FAILURE() << "no error";
  } catch (const EIniFileException& error) {
    EXPECT_EQ(error.Message(), "Unable to write to ./Data/data.ini");
  }
}

TEST_F(UnitCatalogueTest, ListsEverySectionInFileOrderAsStored) {
  const std::vector<std::pair<const char*, Names>> cases = {
      {"crlf_line_ends.ini", {"UnitA", "UnitB"}},
      {"cr_line_ends.ini", {"UnitA", "UnitB"}},
      {"bom.ini", {"UnitA", "UnitB"}},
      {"no_final_newline.ini", {"UnitA", "UnitB"}},
      {"duplicate_sections.ini", {"UnitA", "UnitB", "unita", "UnitB"}},
      {"comments_and_blanks.ini", {"UnitA", "UnitB"}},
      {"blanks_around_names.ini", {"UnitA", "UnitB"}},
      {"entries_before_first_section.ini", {"UnitA"}},
      {"header_without_entries.ini", {"UnitA", "UnitB", "UnitC"}},
      {"non_ascii_names.ini", {"\xB5m", "\xC5ngstr\xF6m", "caf\xC3\xA9"}},
  };
  for (const auto& [fixture, names] : cases) {
    EXPECT_EQ(FromFixture(fixture).ListUnits(), names);
  }
}

struct StoredPower {
  const char* fixture;
  const char* unit;
  const char* key;
  double power;
};

TEST_F(UnitCatalogueTest, ReadsPowersByTheFileRules) {
  const std::vector<StoredPower> cases = {
      {"crlf_line_ends.ini", "UnitA", "Time", -2},
      {"crlf_line_ends.ini", "UnitB", "Length", -1.5},
      {"cr_line_ends.ini", "UnitB", "Length", -1.5},
      {"bom.ini", "UnitA", "Mass", 1},
      {"no_final_newline.ini", "UnitB", "Length", -1.5},
      {"no_final_newline.ini", "UnitB", "Time", 0},
      {"duplicate_sections.ini", "unitA", "Mass", 1},
      {"duplicate_sections.ini", "UnitA", "Time", 0},
      {"duplicate_sections.ini", "UnitB", "Length", 0},
      {"duplicate_keys.ini", "UnitA", "Mass", 1},
      {"duplicate_keys.ini", "UnitA", "length", 1},
      {"comments_and_blanks.ini", "UnitA", "Mass", 1},
      {"comments_and_blanks.ini", "UnitA", "Length", 1},
      {"quoted_values.ini", "UnitA", "Mass", 1},
      {"quoted_values.ini", "UnitA", "Length", -2},
      {"quoted_values.ini", "UnitA", "Temperature", 0},
      {"quoted_values.ini", "UnitA", "Time", 3},
      {"blanks_around_names.ini", "UnitA", "Mass", 1},
      {"blanks_around_names.ini", "UnitA", "Length", -2},
      {"blanks_around_names.ini", "UnitB", "Mass", 0.5},
      {"entries_before_first_section.ini", "UnitA", "Length", 0},
      {"header_without_entries.ini", "UnitA", "Mass", 0},
      {"refused_and_extreme_values.ini", "Refused", "Mass", 0},
      {"refused_and_extreme_values.ini", "Refused", "Length", 0},
      {"refused_and_extreme_values.ini", "Refused", "Temperature", 0},
      {"refused_and_extreme_values.ini", "Refused", "Time", 0},
      {"refused_and_extreme_values.ini", "Extremes", "Length", 0},
      {"refused_and_extreme_values.ini", "Extremes", "Temperature", 0},
      {"non_ascii_names.ini", "\xC5NGSTR\xF6M", "Length", 1},
      {"non_ascii_names.ini", "CAF\xC3\xA9", "Mass", 2},
      {"non_ascii_names.ini", "caf\xC3\x89", "Mass", 0},
      {"comma_separator.ini", "Half", "Mass", 0},
      {"comma_separator.ini", "Half", "Length", 2},
      {"comma_separator.ini", "Half", "Temperature", -3},
      {"comma_separator.ini", "Half", "Time", 0},
  };
  for (const StoredPower& c : cases) {
    EXPECT_EQ(FromFixture(c.fixture).ReadPower(c.unit, c.key), c.power)
        << c.fixture << " " << c.unit << " " << c.key;
  }
}

TEST_F(UnitCatalogueTest, AStoredNumberBeyondDoubleRangeRaisesAnOverflow) {
  const UnitCatalogue catalogue = FromFixture("refused_and_extreme_values.ini");
  EXPECT_THROW(catalogue.ReadPower("Extremes", "Mass"), EOverflow);
  EXPECT_THROW(catalogue.ReadPower("Extremes", "Time"), EOverflow);
}

TEST_F(UnitCatalogueTest, AUnitExistsWhenItsSectionHoldsAnyEntry) {
  const std::vector<std::tuple<const char*, const char*, bool>> cases = {
      {"header_without_entries.ini", "UnitA", false},
      {"header_without_entries.ini", "UnitB", false},
      {"header_without_entries.ini", "unitc", true},
      {"other_keys.ini", "Other", true},
      {"entries_before_first_section.ini", "Mass", false},
      {"duplicate_sections.ini", "UNITA", true},
  };
  for (const auto& [fixture, unit, exists] : cases) {
    EXPECT_EQ(FromFixture(fixture).UnitExists(unit), exists) << fixture << " " << unit;
  }
}

TEST_F(UnitCatalogueTest, WrittenPowersReadBackUnderTheSameSeparatorOnly) {
  const std::vector<double> written = {2, -0.5, 0.333333333333333, 1.25e-7};
  const std::vector<double> underOther = {2, 0, 0, 0};
  for (const char* separator : {".", ","}) {
    UnitCatalogue catalogue(path_);
    {
      const ScopedDecimalSeparator scoped(separator);
      for (std::size_t i = 0; i < kPowerKeys.size(); ++i) {
        catalogue.WritePower("Unit", kPowerKeys[i], written[i]);
      }
      for (std::size_t i = 0; i < kPowerKeys.size(); ++i) {
        EXPECT_EQ(catalogue.ReadPower("Unit", kPowerKeys[i]), written[i]) << separator;
      }
    }
    const ScopedDecimalSeparator other(std::string(separator) == "." ? "," : ".");
    for (std::size_t i = 0; i < kPowerKeys.size(); ++i) {
      EXPECT_EQ(catalogue.ReadPower("Unit", kPowerKeys[i]), underOther[i]) << separator;
    }
  }
}

// New users start from the sample, whatever their desktop's separator, so its fractional powers
// are written without one.
TEST_F(UnitCatalogueTest, TheSampleCatalogueReadsTheSameUnderEitherSeparator) {
  const UnitCatalogue sample(CALPERO_SAMPLE_CATALOGUE);
  const auto allPowers = [&sample](const char* separator) {
    const ScopedDecimalSeparator scoped(separator);
    std::vector<double> powers;
    for (const std::string& name : sample.ListUnits()) {
      for (const std::string_view key : kPowerKeys) {
        powers.push_back(sample.ReadPower(name, key));
      }
    }
    return powers;
  };
  const std::vector<double> underFullStop = allPowers(".");
  EXPECT_EQ(allPowers(","), underFullStop);
  EXPECT_NE(std::ranges::find(underFullStop, -0.5), underFullStop.end());
}

// `text` with the first `from` replaced by `to`, or with `to` appended when `from` is empty.
std::string Edited(std::string text, const std::string& from, const std::string& to) {
  if (from.empty()) {
    return text + to;
  }
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

struct FixtureWrite {
  const char* fixture;
  const char* unit;
  const char* key;
  double power;
  const char* from;
  const char* to;
};

TEST_F(UnitCatalogueTest, WriteLeavesEveryOtherByteOfTheFileAsItWas) {
  const std::vector<FixtureWrite> cases = {
      {"crlf_line_ends.ini", "New", "Mass", 1, "", "[New]\r\nMass=1\r\n"},
      {"crlf_line_ends.ini", "unitb", "Mass", 2, "Mass=0.5", "Mass=2"},
      {"crlf_line_ends.ini", "UnitB", "Time", 3, "Length=-1.5\r\n", "Length=-1.5\r\nTime=3\r\n"},
      {"cr_line_ends.ini", "New", "Mass", 1, "", "[New]\rMass=1\r"},
      {"cr_line_ends.ini", "UnitA", "Temperature", 4, "Time=-2\r", "Time=-2\rTemperature=4\r"},
      {"bom.ini", "New", "Mass", 1, "", "[New]\nMass=1\n"},
      {"no_final_newline.ini", "New", "Mass", 1, "", "\n[New]\nMass=1\n"},
      {"no_final_newline.ini", "UnitB", "Length", 5, "Length=-1.5", "Length=5"},
      {"duplicate_sections.ini", "UNITA", "Time", 6, "Length=1\n", "Length=1\nTime=6\n"},
      {"comments_and_blanks.ini", "UnitA", "Time", 7, "Length=1\n", "Length=1\nTime=7\n"},
      {"comments_and_blanks.ini", "UnitB", "Time", 7, "[UnitB]\n", "[UnitB]\nTime=7\n"},
      {"blanks_around_names.ini", "UnitA", "Length", 8, "\tLength=  -2", "\tLength=  8"},
      {"non_ascii_names.ini", "\xB5M", "Length", -1, "Length=1", "Length=-1"},
  };
  for (const auto& c : cases) {
    const std::string before = Fixture(c.fixture);
    FromFixture(c.fixture).WritePower(c.unit, c.key, c.power);
    EXPECT_EQ(ReadBytes(path_), Edited(before, c.from, c.to)) << c.fixture << " " << c.unit;
  }
}

TEST_F(UnitCatalogueTest, AUnitSavedUnderOtherLetterCaseUpdatesTheStoredOne) {
  UnitCatalogue catalogue = FromFixture("crlf_line_ends.ini");
  catalogue.WritePower("UNITA", "Mass", 3);
  EXPECT_EQ(catalogue.ListUnits(), (Names{"UnitA", "UnitB"}));
  EXPECT_EQ(catalogue.ReadPower("UnitA", "Mass"), 3);
  EXPECT_TRUE(catalogue.UnitExists("UnitA"));
  EXPECT_TRUE(catalogue.UnitExists("unita"));
}

TEST_F(UnitCatalogueTest, EraseRemovesTheWholeUnitAndNothingElse) {
  UnitCatalogue catalogue = FromFixture("other_keys.ini");
  catalogue.EraseUnit("unita");
  EXPECT_EQ(ReadBytes(path_), "[Other]\nColour=blue\n[UnitB]\nTime=1\n");
  EXPECT_FALSE(catalogue.UnitExists("UnitA"));
  EXPECT_EQ(catalogue.ReadPower("UnitA", "Mass"), 0);
  catalogue.EraseUnit("UnitA");
  EXPECT_EQ(catalogue.ListUnits(), (Names{"Other", "UnitB"}));
}

TEST_F(UnitCatalogueTest, TwoHandlesSeeEachOthersWritesAtOnce) {
  UnitCatalogue window(path_);
  UnitCatalogue dialog(path_);
  dialog.WritePower("Speed", "Length", 1);
  dialog.WritePower("Speed", "Time", -1);
  EXPECT_EQ(window.ListUnits(), Names{"Speed"});
  EXPECT_EQ(window.ReadPower("speed", "Time"), -1);
  window.EraseUnit("Speed");
  EXPECT_FALSE(dialog.UnitExists("Speed"));
}

// A handle walks an unchanged file once for the list, an evaluation and the matches of one user
// action, but a change that keeps the file's size, inode and modification time is still seen.
TEST_F(UnitCatalogueTest, AReadingIsSharedOnlyWhileTheBytesAreTheSame) {
  const UnitCatalogue catalogue = FromFixture("crlf_line_ends.ini");
  const std::shared_ptr<const CatalogueText> first = catalogue.ReadText();
  EXPECT_EQ(catalogue.ReadText(), first);
  EXPECT_EQ(catalogue.ListUnits(), (Names{"UnitA", "UnitB"}));
  EXPECT_EQ(catalogue.ReadText(), first);

  const std::string text = ReadBytes(path_);
  const std::string renamed = RewriteKeepingStamp("UnitB", "UnitC");

  const Names unitC = {"UnitC"};
  EXPECT_EQ(catalogue.ListUnits(), (Names{"UnitA", "UnitC"}));
  EXPECT_EQ(catalogue.ReadUnits(unitC).ReadPower("unitc", "Length"), -1.5);
  EXPECT_NE(catalogue.ReadText(), first);
  // An earlier reading keeps its own text for as long as it is held.
  EXPECT_EQ(first->Text(), text);
  EXPECT_EQ(first->Names(), (Names{"UnitA", "UnitB"}));

  std::filesystem::remove(path_);
  EXPECT_TRUE(catalogue.ListUnits().empty());
  EXPECT_EQ(catalogue.ReadUnits(unitC).ReadPower("UnitC", "Length"), 0);
}

// Within one user action the file is read once while its stamp holds, and the action's erase
// leaves the reading that follows; a replacement by another program is still seen at once, and
// the next action compares the bytes again.
TEST_F(UnitCatalogueTest, OneActionReadsTheFileOnceWhileItsStampHolds) {
  UnitCatalogue catalogue = FromFixture("crlf_line_ends.ini");
  int reads = 0;
  FileSystemCalls counting = SystemFileSystem();
  counting.Openat = [this, &reads, open = counting.Openat](int folder, const char* name, int flags,
                                                           mode_t mode) {
    reads += name == path_ ? 1 : 0;
    return open(folder, name, flags, mode);
  };
  const ScopedFileSystem countingReads(counting);
  {
    const UnitCatalogue::OneAction action(catalogue);
    const std::shared_ptr<const CatalogueText> first = catalogue.ReadText();
    RewriteKeepingStamp("UnitB", "UnitC");
    EXPECT_EQ(catalogue.ReadText(), first);
    EXPECT_EQ(catalogue.ListUnits(), (Names{"UnitA", "UnitB"}));
    EXPECT_EQ(reads, 1);
  }
  EXPECT_EQ(catalogue.ListUnits(), (Names{"UnitA", "UnitC"}));
  EXPECT_EQ(reads, 2);
  {
    const UnitCatalogue::OneAction outer(catalogue);
    const UnitCatalogue::OneAction inner(catalogue);
    EXPECT_EQ(catalogue.ListUnits(), (Names{"UnitA", "UnitC"}));
    WriteBytes(path_ + ".new", "[UnitD]\nMass=1\n[UnitE]\n");
    std::filesystem::rename(path_ + ".new", path_);
    EXPECT_EQ(catalogue.ListUnits(), (Names{"UnitD", "UnitE"}));
    EXPECT_EQ(reads, 4);
    EXPECT_TRUE(catalogue.EraseUnit("unitd"));
    EXPECT_EQ(catalogue.ListUnits(), Names{"UnitE"});
    EXPECT_EQ(catalogue.ReadText()->Text(), ReadBytes(path_));
    EXPECT_EQ(reads, 4);
  }
  EXPECT_EQ(catalogue.ListUnits(), Names{"UnitE"});
  EXPECT_EQ(reads, 5);
}

TEST_F(UnitCatalogueTest, WritePowersStoresAllKeysOfAUnit) {
  UnitCatalogue catalogue = FromFixture("header_without_entries.ini");
  const std::vector<std::pair<std::string_view, double>> entries = {
      {"Mass", 1}, {"Length", 2}, {"Temperature", 0}, {"Time", -2}};
  catalogue.WritePowers("UnitB", entries);
  EXPECT_EQ(ReadBytes(path_), Edited(Fixture("header_without_entries.ini"), "[UnitB]\n",
                                     "[UnitB]\nMass=1\nLength=2\nTemperature=0\nTime=-2\n"));
  EXPECT_THROW(catalogue.WritePowers("a]b", entries), EInvalidUnitName);
  EXPECT_EQ(catalogue.ListUnits(), (Names{"UnitA", "UnitB", "UnitC"}));
}

TEST_F(UnitCatalogueTest, ReadUnitsAnswersAsReadPowerDoes) {
  for (const char* fixture : {"duplicate_sections.ini", "non_ascii_names.ini",
                              "refused_and_extreme_values.ini", "quoted_values.ini"}) {
    const UnitCatalogue catalogue = FromFixture(fixture);
    Names names = catalogue.ListUnits();
    names.insert(names.end(), {"UNITA", "unitb", "Missing", "CAF\xC3\xA9"});
    const CatalogueReading reading = catalogue.ReadUnits(names);
    for (const std::string& name : names) {
      for (const std::string_view key : kPowerKeys) {
        try {
          const double power = catalogue.ReadPower(name, key);
          EXPECT_EQ(reading.ReadPower(name, key), power) << fixture << " " << name << " " << key;
        } catch (const EOverflow&) {
          EXPECT_THROW(reading.ReadPower(name, key), EOverflow) << fixture << " " << name;
        }
      }
    }
  }
}

TEST_F(UnitCatalogueTest, ReadUnitsReadsTheFileOnceForTheRequestedNamesOnly) {
  const UnitCatalogue catalogue = FromFixture("crlf_line_ends.ini");
  const Names requested = {"unitb"};
  const CatalogueReading reading = catalogue.ReadUnits(requested);
  std::filesystem::remove(path_);
  EXPECT_EQ(reading.ReadPower("UnitB", "Length"), -1.5);
  EXPECT_EQ(reading.ReadPower("UnitA", "Mass"), 0);
}

TEST_F(UnitCatalogueTest, ASymlinkedCatalogueStaysALinkAndItsTargetIsReplaced) {
  std::filesystem::create_directory(folder_.File("real"));
  const std::string target = folder_.File("real/units.ini");
  WriteBytes(target, Fixture("crlf_line_ends.ini"));
  std::filesystem::create_symlink("real/units.ini", path_);
  UnitCatalogue(path_).WritePower("UnitA", "Mass", 9);
  EXPECT_TRUE(std::filesystem::is_symlink(path_));
  EXPECT_EQ(ReadBytes(target), Edited(Fixture("crlf_line_ends.ini"), "Mass=1", "Mass=9"));
  EXPECT_EQ(EntriesBesideLocks(folder_), (Names{"data.ini", "real"}));
}

}  // namespace
}  // namespace calpero::test
