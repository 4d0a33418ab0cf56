// The built calpero-cli run as a process on a catalogue in a temporary folder: its output, its
// exit status and the catalogue's bytes afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/evaluation.h"
#include "calc/power_matches.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_order.h"
#include "cli/command_line.h"
#include "cli/terminal_text.h"
#include "tests/cli/cli_runner.h"
#include "text/text_bytes.h"

namespace calpero::testing {
namespace {

const std::string kCatalogue =
    "[UnitA]\nMass=1\nLength=1\nTemperature=0\nTime=-2\n"
    "[UnitB]\nMass=0\nLength=2\nTemperature=0\nTime=0\n"
    "[Tenth]\nMass=0.1\n"
    "[Empty]\n"
    "[Half]\nMass=0.5\nLength=-1.5\nTemperature=0\nTime=0\n"
    "[Huge]\nMass=1E400\n";
const std::string kHalf = "Mass=0.50\nLength=-1.50\nTemperature=0.00\nTime=0.00\n";
const std::string kZeros = "Mass=0.00\nLength=0.00\nTemperature=0.00\nTime=0.00\n";
const std::string kExists = "calpero-cli: The unit already exists. Use --replace to replace it.\n";
const std::string kNotANumber = "' is not a valid floating point value\n";
// Saved under a decimal comma and read under the full stop; Bad beyond the double range.
const std::string kUnreadable =
    "[Stress]\nMass=1,5\nLength=-0,25\nTemperature=0\nTime=2\n[Bad]\nMass=1e400\n"
    "[Plain]\nMass=0\nLength=0\nTemperature=0\nTime=2\n";
const std::string kStressMass =
    "unit 'Stress': Mass=1,5 cannot be read with the decimal separator '.'";
const std::string kStressLength =
    "unit 'Stress': Length=-0,25 cannot be read with the decimal separator '.'";
const std::string kStressWarnings = "calpero-cli: warning: " + kStressMass +
                                    "; counted as 0\ncalpero-cli: warning: " + kStressLength +
                                    "; counted as 0\n";

std::string UsageError(const std::string& problem) {
  return "calpero-cli: " + problem + "\n\n" + UsageText();
}

struct TRun {
  std::string Name;
  std::vector<std::string> Arguments;
  int ExitStatus = 0;
  std::string Out;
  std::string Err;
  std::optional<std::string> After{};      // the catalogue afterwards; unchanged when not given
  std::optional<std::string> Catalogue{};  // the catalogue before; kCatalogue when not given
};

class CliProgram : public ::testing::TestWithParam<TRun> {};

TEST_P(CliProgram, PrintsExitsAndLeavesTheCatalogueAsExpected) {
  const TWorkspace workspace;
  const std::string before = GetParam().Catalogue.value_or(kCatalogue);
  workspace.WriteCatalogue(before);
  const TCliResult result = workspace.Run(GetParam().Arguments);
  EXPECT_EQ(result.ExitStatus, GetParam().ExitStatus);
  EXPECT_EQ(result.Out, GetParam().Out);
  EXPECT_EQ(result.Err, GetParam().Err);
  EXPECT_EQ(workspace.ReadCatalogue(), GetParam().After.value_or(before));
}

const std::string kTies = "[beta]\n[Alpha]\nMass=1\n[_x]\n[alpha]\n[Gamma]\n[ABC]\n";
const std::string kOddNames = "[b\"q]\nMass=1\n[a\\b]\n[\xE9t\xE9]\n[\xC3\xA9]\n[\x1b[2J]\n";
// Newton over square metre; "pascal" repeats a name, Tiny rounds to Pascal's powers in single
// precision and Far does not.
const std::string kForces =
    "[Newton]\nMass=1\nLength=1\nTime=-2\n[Square metre]\nLength=2\n[Joule]\nMass=1\nLength=2\n"
    "Time=-2\n[Pascal]\nMass=1\nLength=-1\nTime=-2\n[bar]\nMass=1\nLength=-1\nTemperature=0\n"
    "Time=-2\n[pascal]\nMass=5\n[Tiny]\nMass=1.00000001\nLength=-1\nTime=-2\n[Far]\nMass=1\n"
    "Length=-1\nTime=-2.000001\n";
const std::string kPressure = "Mass=1.00\nLength=-1.00\nTemperature=0.00\nTime=-2.00\n";

INSTANTIATE_TEST_SUITE_P(
    Commands, CliProgram,
    ::testing::Values(
        TRun{"ListSortsAsTheWindow",
             {"list"},
             0,
             "_x\nABC\nAlpha\nalpha\nbeta\nGamma\n",
             "",
             {},
             kTies},
        TRun{"ListOfAnEmptyFile", {"list"}, 0, "", "", "", ""},
        TRun{"ListAsJsonEscapes",
             {"--json", "list"},
             0,
             "[\"\\u001b[2J\",\"a\\\\b\",\"b\\\"q\",\"\xC3\xA9\",\"\\udce9t\\udce9\"]\n",
             "",
             {},
             kOddNames},
        TRun{"ListAsTextEscapes",
             {"list"},
             0,
             "\\x1b[2J\na\\\\b\nb\"q\n\xC3\xA9\n\\xe9t\\xe9\n",
             "",
             {},
             kOddNames},
        TRun{"Show", {"show", "hALF"}, 0, kHalf, ""},
        TRun{"ShowExact",
             {"show", "Half", "--exact"},
             0,
             "Mass=0.5\nLength=-1.5\nTemperature=0\nTime=0\n",
             ""},
        TRun{"ShowJson",
             {"--json", "show", "Half"},
             0,
             "{\"unit\":\"Half\",\"Mass\":0.5,\"Length\":-1.5,\"Temperature\":0,\"Time\":0,"
             "\"matches\":[]}\n",
             ""},
        TRun{"ShowEmptySection", {"show", "Empty"}, 0, kZeros, ""},
        TRun{"ShowMissing",
             {"show", "Nowhere"},
             0,
             kZeros + "Same powers as: Empty\n",
             "calpero-cli: warning: no unit named 'Nowhere'; counted as zero\n"},
        TRun{"ShowOverflow",
             {"show", "Huge"},
             1,
             "",
             "calpero-cli: unit 'Huge': Mass=1E400 cannot be read: Floating point overflow\n"},
        TRun{"Eval",
             {"eval", "UnitA", "/", "UnitB"},
             0,
             "Mass=1.00\nLength=-1.00\nTemperature=0.00\nTime=-2.00\n",
             ""},
        TRun{"EvalAll",
             {"eval", "--all", "UnitA", "Half", "/", "UnitB"},
             0,
             "numerator:\nMass=1.50\nLength=-0.50\nTemperature=0.00\nTime=-2.00\n"
             "denominator:\nMass=0.00\nLength=2.00\nTemperature=0.00\nTime=0.00\n"
             "resultant:\nMass=1.50\nLength=-2.50\nTemperature=0.00\nTime=-2.00\n",
             ""},
        TRun{"EvalJson",
             {"eval", "--json", "Half", "/", "UnitB"},
             0,
             "{\"Mass\":0.5,\"Length\":-3.5,\"Temperature\":0,\"Time\":0,"
             "\"numerator\":{\"Mass\":0.5,\"Length\":-1.5,\"Temperature\":0,\"Time\":0},"
             "\"denominator\":{\"Mass\":0,\"Length\":2,\"Temperature\":0,\"Time\":0},"
             "\"resultant\":{\"Mass\":0.5,\"Length\":-3.5,\"Temperature\":0,\"Time\":0},"
             "\"matches\":[]}\n",
             ""},
        TRun{"EvalMissingWarnsOnce",
             {"eval", "Ghost", "UnitA", "ghost", "/", "Other", "Empty"},
             0,
             "Mass=1.00\nLength=1.00\nTemperature=0.00\nTime=-2.00\nSame powers as: UnitA\n",
             "calpero-cli: warning: no unit named 'Ghost'; counted as zero\n"
             "calpero-cli: warning: no unit named 'Other'; counted as zero\n"},
        TRun{"EvalNamesTheMatches",
             {"eval", "Newton", "/", "Square metre"},
             0,
             kPressure + "Same powers as: bar, Pascal, Tiny\n",
             "",
             {},
             kForces},
        TRun{"EvalJsonMatches",
             {"--json", "eval", "Joule"},
             0,
             "{\"Mass\":1,\"Length\":2,\"Temperature\":0,\"Time\":-2,"
             "\"numerator\":{\"Mass\":1,\"Length\":2,\"Temperature\":0,\"Time\":-2},"
             "\"denominator\":{\"Mass\":0,\"Length\":0,\"Temperature\":0,\"Time\":0},"
             "\"resultant\":{\"Mass\":1,\"Length\":2,\"Temperature\":0,\"Time\":-2},"
             "\"matches\":[\"Joule\"]}\n",
             "",
             {},
             kForces},
        TRun{"ShowNamesTheOthers",
             {"show", "PASCAL"},
             0,
             kPressure + "Same powers as: bar, Tiny\n",
             "",
             {},
             kForces},
        TRun{"Match", {"match", "1", "-1", "0", "-2"}, 0, "bar\nPascal\nTiny\n", "", {}, kForces},
        TRun{"MatchJson",
             {"match", "--json", "1E0", "--", "-1", "0", "-2.0"},
             0,
             "[\"bar\",\"Pascal\",\"Tiny\"]\n",
             "",
             {},
             kForces},
        TRun{
            "MatchBeyondSinglePrecision", {"match", "1", "1E39", "0", "0"}, 0, "", "", {}, kForces},
        TRun{"MatchTooLarge",
             {"match", "1", "1E400", "0", "0"},
             1,
             "",
             "calpero-cli: '1E400' is too large for a power\n"},
        TRun{"MatchNotANumber",
             {"match", "1", "x", "0", "0"},
             1,
             "",
             "calpero-cli: 'x" + kNotANumber},
        TRun{"ShowSuggests",
             {"show", "jule"},
             0,
             kZeros,
             "calpero-cli: warning: no unit named 'jule'; counted as zero; did you mean 'Joule'?\n",
             {},
             kForces},
        TRun{"EvalStrict",
             {"eval", "--strict", "Newton", "Jule", "/", "Ghost", "Nweton"},
             1,
             "",
             "calpero-cli: no unit named 'Jule'; did you mean 'Joule'?\n"
             "calpero-cli: no unit named 'Ghost'\n"
             "calpero-cli: no unit named 'Nweton'; did you mean 'Newton'?\n",
             {},
             kForces},
        TRun{"EraseStrict",
             {"erase", "--strict", "\x1b"},
             1,
             "",
             "calpero-cli: no unit named '\\x1b'\n"},
        TRun{"SaveNew",
             {"save", "Speed", "0", "1", " +0.50 ", "-1E0"},
             0,
             "",
             "",
             kCatalogue + "[Speed]\nMass=0\nLength=1\nTemperature=0.5\nTime=-1\n"},
        TRun{"SaveIntoAnEmptyFile",
             {"save", "One", "1", "2", "3", "0.0001"},
             0,
             "",
             "",
             "[One]\nMass=1\nLength=2\nTemperature=3\nTime=0.0001\n",
             ""},
        TRun{"SaveReplaces",
             {"save", "unitb", "2", "-3", "0", "1", "--replace"},
             0,
             "",
             "",
             "[A]\n[UnitB]\nMass=2\nLength=-3\nTemperature=0\nTime=1\n",
             "[A]\n[UnitB]\nMass=0\nLength=2\nTemperature=0\nTime=0\n"},
        TRun{"SaveIntoAnEmptySection",
             {"save", "A", "1", "0", "0", "0"},
             0,
             "",
             "",
             "[A]\nMass=1\nLength=0\nTemperature=0\nTime=0\n",
             "[A]\n"},
        TRun{"SaveExisting", {"save", "UNITA", "1", "1", "1", "1"}, 1, "", kExists},
        TRun{"SaveNotANumber",
             {"save", "New", "1", "1,5", "1", "1"},
             1,
             "",
             "calpero-cli: '1,5" + kNotANumber},
        TRun{"SaveTooLarge",
             {"save", "New", "1", "1", "1", "-1.8E308"},
             1,
             "",
             "calpero-cli: '-1.8E308' is too large for a power\n"},
        TRun{"SaveBlankField",
             {"save", "New", "1", "", "1", "1"},
             1,
             "",
             "calpero-cli: Some fields were left blank - data not saved\n"},
        TRun{"SaveBadName",
             {"save", "a]b", "1", "1", "1", "1"},
             1,
             "",
             "calpero-cli: The unit name 'a]b' cannot be stored: it contains ']'\n"},
        TRun{"Erase", {"erase", "unitA"}, 0, "", "", kCatalogue.substr(kCatalogue.find("[UnitB]"))},
        TRun{"EraseMissing",
             {"erase", "Ghost"},
             0,
             "",
             "calpero-cli: warning: no unit named 'Ghost'; nothing erased\n"},
        TRun{"BackupWithoutFolder",
             {"backup"},
             1,
             "",
             "calpero-cli: Unable to copy ./Data/data.ini to ./Backup/data.ini: No such file or "
             "directory\n"},
        TRun{"RestoreWithoutBackup",
             {"restore"},
             1,
             "",
             "calpero-cli: Unable to copy ./Backup/data.ini to ./Data/data.ini: No such file or "
             "directory\n"},
        // Stored powers that the catalogue cannot read count as 0, and the command line says so.
        TRun{"ShowUnreadable",
             {"show", "Stress"},
             0,
             "Mass=0.00\nLength=0.00\nTemperature=0.00\nTime=2.00\nSame powers as: Plain\n",
             kStressWarnings,
             {},
             kUnreadable},
        TRun{"ShowExactPrintsTheStoredText",
             {"show", "--exact", "Stress"},
             0,
             "Mass=1,5\nLength=-0,25\nTemperature=0\nTime=2\nSame powers as: Plain\n",
             kStressWarnings,
             {},
             kUnreadable},
        TRun{"ShowStrictUnreadable",
             {"--strict", "show", "Stress", "--exact"},
             1,
             "",
             "calpero-cli: " + kStressMass + "\ncalpero-cli: " + kStressLength + "\n",
             {},
             kUnreadable},
        TRun{"EvalUnreadableWarnsOncePerUnitAndKey",
             {"eval", "Stress", "STRESS", "/", "Plain"},
             0,
             "Mass=0.00\nLength=0.00\nTemperature=0.00\nTime=2.00\nSame powers as: Plain, Stress\n",
             kStressWarnings,
             {},
             kUnreadable},
        TRun{"EvalStrictUnreadable",
             {"eval", "Plain", "/", "Stress", "--strict"},
             1,
             "",
             "calpero-cli: " + kStressMass + "\ncalpero-cli: " + kStressLength + "\n",
             {},
             kUnreadable},
        TRun{"MatchUnreadable",
             {"match", "0", "0", "0", "2"},
             0,
             "Plain\nStress\n",
             kStressWarnings,
             {},
             kUnreadable},
        TRun{"MatchStrictUnreadable",
             {"match", "--strict", "1.5", "0", "0", "2"},
             1,
             "",
             "calpero-cli: " + kStressMass + "\n",
             {},
             kUnreadable},
        TRun{"ShowExactOverflowPrintsTheStoredText",
             {"show", "Bad", "--exact"},
             0,
             "Mass=1e400\nLength=0\nTemperature=0\nTime=0\n",
             "calpero-cli: warning: unit 'Bad': Mass=1e400 cannot be read: Floating point "
             "overflow\n",
             {},
             kUnreadable},
        TRun{"EvalOverflowNamesUnitAndKey",
             {"eval", "Plain", "bad"},
             1,
             "",
             "calpero-cli: unit 'bad': Mass=1e400 cannot be read: Floating point overflow\n",
             {},
             kUnreadable},
        // Numbers on the command line: an exponent needs digits, and a long one is as large or as
        // small as a short one.
        TRun{"MatchExponentWithoutDigits",
             {"match", "1", "1E-", "0", "0"},
             1,
             "",
             "calpero-cli: '1E-" + kNotANumber},
        TRun{"MatchLongExponent",
             {"match", "1", "1e5000", "0", "0"},
             1,
             "",
             "calpero-cli: '1e5000' is too large for a power\n"},
        TRun{"MatchLongNegativeExponent",
             {"match", "1", "-1", "0", "-2E-00000000000000000000000000000000000001", "--json"},
             0,
             "[]\n",
             ""},
        TRun{"SaveExponentWithoutDigits",
             {"save", "New", "1", "1", "1e", "1"},
             1,
             "",
             "calpero-cli: '1e" + kNotANumber},
        TRun{"SaveLongNegativeExponent",
             {"save", "New", "1e-5000", "+0e99999", "2.5e0", "1"},
             0,
             "",
             "",
             "[New]\nMass=0\nLength=0\nTemperature=2.5\nTime=1\n",
             ""},
        TRun{"EvalOfAUnitNamedSlash",
             {"eval", "--", "/"},
             0,
             "Mass=2.00\nLength=0.00\nTemperature=0.00\nTime=0.00\nSame powers as: /\n",
             "",
             {},
             "[/]\nMass=2\n"},
        TRun{"SuggestsForALongNameMissedNearItsEnd",
             {"show", "A long unit name of many words, missed neat its end"},
             0,
             kZeros,
             "calpero-cli: warning: no unit named 'A long unit name of many words, missed neat its "
             "end'; counted as zero; did you mean 'A long unit name of many words, missed near its "
             "end'?\n",
             {},
             "[A long unit name of many words, missed near its end]\nMass=1\n"
             "[A long unit name of many words, missed near its end..]\nMass=3\n"},
        TRun{"Version", {"--version"}, 0, std::string("calpero-cli ") + CALPERO_VERSION + "\n", ""},
        TRun{"Help", {"show", "--help"}, 0, UsageText(), ""},
        TRun{"NoCommand", {}, 2, "", UsageError("no command given")},
        TRun{"UnknownOption",
             {"list", "--exact"},
             2,
             "",
             UsageError("unknown option '--exact' for 'list'")},
        TRun{"MissingArgument",
             {"save", "a", "1", "2", "3"},
             2,
             "",
             UsageError("'save' needs more arguments")}),
    [](const auto& info) { return info.param.Name; });

TEST(CliProgramFiles, SaveWithoutADataFolderFailsAndCreatesNone) {
  const TWorkspace workspace;
  std::filesystem::remove(workspace.Root() / "Data");
  const TCliResult result = workspace.Run({"save", "New", "1", "1", "1", "1"});
  EXPECT_EQ(result.ExitStatus, 1);
  EXPECT_EQ(result.Err,
            "calpero-cli: Unable to write to ./Data/data.ini: No such file or directory\n");
  EXPECT_FALSE(std::filesystem::exists(workspace.Root() / "Data"));
}

// A catalogue that is there but cannot be read is an error, not an empty catalogue.
TEST(CliProgramFiles, ACatalogueThatCannotBeReadIsAnErrorWithTheReason) {
  const std::vector<std::pair<std::string, std::string>> kinds = {
      {"directory", "Is a directory"},
      {"fifo", "it is not a regular file"},
      {"loop", "Too many levels of symbolic links"},
      {"Data a file", "Not a directory"}};
  for (const auto& [kind, reason] : kinds) {
    const TWorkspace workspace;
    const std::filesystem::path file = workspace.Root() / "Data" / "data.ini";
    if (kind == "Data a file") {
      std::filesystem::remove(file.parent_path());
      TWorkspace::WriteFile(file.parent_path(), "[A]\n");
    } else if (kind == "directory") {
      std::filesystem::create_directory(file);
    } else if (kind == "fifo") {
      ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    } else {
      std::filesystem::create_symlink("data.ini", file);
    }
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"list"}, {"show", "A"}, {"eval", "A"}, {"match", "0", "0", "0", "0"}}) {
      const TCliResult result = workspace.Run(arguments);
      EXPECT_EQ(result.ExitStatus, 1) << kind << ' ' << arguments.front();
      EXPECT_EQ(result.Out, "");
      EXPECT_EQ(result.Err, "calpero-cli: Unable to read ./Data/data.ini: " + reason + "\n");
    }
    // A change reads under the lock what it changes: an unreadable catalogue is a failure with
    // its reason, never a unit reported missing (nor a FIFO "Invalid argument").
    const std::string changeReason = kind == "fifo" ? "it is not a regular file" : reason;
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"erase", "A"}, {"save", "A", "1", "0", "0", "0"}}) {
      const TCliResult result = workspace.Run(arguments);
      EXPECT_EQ(result.ExitStatus, 1) << kind << ' ' << arguments.front();
      EXPECT_EQ(result.Err,
                "calpero-cli: Unable to write to ./Data/data.ini: " + changeReason + "\n")
          << kind << ' ' << arguments.front();
    }
    // A backup reads it as a change does, and says so in the same words.
    std::filesystem::create_directory(workspace.Root() / "Backup");
    const TCliResult backup = workspace.Run({"backup"});
    EXPECT_EQ(backup.ExitStatus, 1) << kind;
    EXPECT_EQ(backup.Err, "calpero-cli: Unable to copy ./Data/data.ini to ./Backup/data.ini: " +
                              changeReason + "\n")
        << kind;
  }
}

// Backup and restore failures say why, as failed writes do.
TEST(CliProgramFiles, AFailedBackupOrRestoreGivesTheReason) {
  struct Case {
    std::string what;
    std::string command;
    std::string target;  // what stands in place of the copy's target
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"backup onto a folder", "backup", "folder", "Is a directory"},
      {"backup onto a FIFO", "backup", "fifo", "it is not a regular file"},
      {"restore from a FIFO", "restore", "fifo source", "it is not a regular file"},
      {"restore onto a folder", "restore", "folder", "Is a directory"},
  };
  for (const Case& c : cases) {
    const TWorkspace workspace;
    workspace.WriteCatalogue(kCatalogue);
    std::filesystem::create_directory(workspace.Root() / "Backup");
    const bool backup = c.command == "backup";
    const std::filesystem::path source =
        workspace.Root() / (backup ? "Data" : "Backup") / "data.ini";
    const std::filesystem::path target =
        workspace.Root() / (backup ? "Backup" : "Data") / "data.ini";
    if (!backup) {
      TWorkspace::WriteFile(source, "[Old]\n");
    }
    const std::filesystem::path odd = c.target == "fifo source" ? source : target;
    std::filesystem::remove(odd);
    if (c.target == "folder") {
      std::filesystem::create_directory(odd);
    } else {
      ASSERT_EQ(mkfifo(odd.c_str(), 0600), 0);
    }
    const TCliResult result = workspace.Run({c.command});
    EXPECT_EQ(result.ExitStatus, 1) << c.what;
    const std::string from = backup ? "./Data/data.ini" : "./Backup/data.ini";
    const std::string to = backup ? "./Backup/data.ini" : "./Data/data.ini";
    std::string expected = "calpero-cli: Unable to copy ";
    expected.append(from).append(" to ").append(to).append(": ").append(c.reason).append("\n");
    EXPECT_EQ(result.Err, expected) << c.what;
  }
}

TEST(CliProgramFiles, BackupThenRestoreBringsBackAnErasedUnit) {
  const TWorkspace workspace;
  workspace.WriteCatalogue(kCatalogue);
  std::filesystem::create_directory(workspace.Root() / "Backup");
  TWorkspace::WriteFile(workspace.Root() / "Backup" / "data.ini", "[Old]\n");
  ASSERT_EQ(workspace.Run({"backup"}).ExitStatus, 0);
  EXPECT_EQ(TWorkspace::ReadFile(workspace.Root() / "Backup" / "data.ini"), kCatalogue);
  ASSERT_EQ(workspace.Run({"erase", "Half"}).ExitStatus, 0);
  ASSERT_NE(workspace.ReadCatalogue(), kCatalogue);
  EXPECT_EQ(workspace.Run({"restore"}).ExitStatus, 0);
  EXPECT_EQ(workspace.ReadCatalogue(), kCatalogue);
}

// restore NAME... puts just those sections back, as the backup stores them; every other unit of
// the catalogue stays as it is now.
TEST(CliProgramFiles, RestoreWithNamesPutsJustThoseUnitsBack) {
  const std::string backup =
      "[Newton]\r\nMass=1\r\n; kept with it\r\nTime=-2\r\n[Metre]\nLength=1\n";
  const std::string now = "[Metre]\nLength=2\n[Gram]\nMass=1";
  struct Row {
    std::vector<std::string> args;
    int status;
    std::string err;
    std::string catalogue;
  };
  const std::vector<Row> rows = {
      {{"restore", "newton"}, 0, "", now + "\n[Newton]\r\nMass=1\r\n; kept with it\r\nTime=-2\r\n"},
      {{"restore", "Metre", "Newton"},
       0,
       "calpero-cli: warning: the catalogue holds 'Metre' already; kept (--replace replaces it)\n",
       now + "\n[Newton]\r\nMass=1\r\n; kept with it\r\nTime=-2\r\n"},
      {{"restore", "--replace", "Metre"}, 0, "", "[Metre]\nLength=1\n[Gram]\nMass=1"},
      {{"restore", "Newton", "Newtn", "Zz"},
       1,
       "calpero-cli: the backup has no unit named 'Newtn'; did you mean 'Newton'?\n"
       "calpero-cli: the backup has no unit named 'Zz'\n",
       now},
  };
  for (const Row& row : rows) {
    const TWorkspace workspace;
    workspace.WriteCatalogue(now);
    std::filesystem::create_directory(workspace.Root() / "Backup");
    TWorkspace::WriteFile(workspace.Root() / "Backup" / "data.ini", backup);
    const TCliResult result = workspace.Run(row.args);
    EXPECT_EQ(result.ExitStatus, row.status) << row.args[1];
    EXPECT_EQ(result.Err, row.err) << row.args[1];
    EXPECT_EQ(workspace.ReadCatalogue(), row.catalogue) << row.args[1];
  }
}

TEST(CliProgramFiles, DirectoryOptionsAreEnteredInTurnAndAFailedOneEndsTheRun) {
  const TWorkspace workspace;
  workspace.WriteCatalogue(kCatalogue);
  const std::string parent = workspace.Root().parent_path().string();
  const std::string folder = workspace.Root().filename().string();
  EXPECT_EQ(workspace.Run({"-C", parent, "-C" + folder, "show", "Half"}, "", "/").Out, kHalf);
  EXPECT_EQ(workspace.Run({"show", "-C", parent, "Half", "-C", folder}, "", "/").Out, kHalf);
  const TCliResult failed = workspace.Run({"-C", "nowhere", "save", "X", "1", "1", "1", "1"});
  EXPECT_EQ(failed.ExitStatus, 1);
  EXPECT_EQ(
      failed.Err,
      "calpero-cli: Unable to change to the directory 'nowhere': No such file or directory\n");
  // An empty name names no directory, as for cd.
  const TCliResult empty = workspace.Run({"-C", "", "save", "X", "1", "1", "1", "1"});
  EXPECT_EQ(empty.ExitStatus, 1);
  EXPECT_EQ(empty.Err,
            "calpero-cli: Unable to change to the directory '': No such file or directory\n");
  EXPECT_EQ(workspace.ReadCatalogue(), kCatalogue);
}

// No message hands the terminal a control character or a bidirectional control, whatever the
// user typed or the catalogue holds: each quotes the text escaped, in the same form as the output.
TEST(CliProgramFiles, NoMessageCarriesAControlCharacter) {
  const std::string red = "\x1b[31m";
  const std::string bidi = "\xE2\x80\xAE";
  const std::string catalogue =
      "[" + red + "Newton]\nMass=1\n[A" + bidi + "]\nMass=x" + red + "\nLength=1e400" + bidi + "\n";
  const std::vector<std::vector<std::string>> runs = {
      {"save", "x" + red + "]", "1", "2", "3", "4"},
      {"save", "x" + red + "\n", "1", "2", "3", "4"},
      {"save", "X", red, "0", "0", "0"},
      {"match", "0", "0", "0", red + bidi},
      {"-C", red, "list"},
      {red + bidi},
      {"--" + red, "list"},
      {"list", "--" + red},
      {"show", "a", red},
      {"show", red + "Newtn"},
      {"eval", "--strict", "Newton", "/", red},
      {"erase", red + bidi},
      {"show", "A" + bidi},
      {"show", "--exact", "A" + bidi},
      {"match", "0", "0", "0", "0"},
      {"eval", "A" + bidi}};
  for (const std::vector<std::string>& arguments : runs) {
    const TWorkspace workspace;
    workspace.WriteCatalogue(catalogue);
    const TCliResult result = workspace.Run(arguments);
    std::string_view err = result.Err;
    EXPECT_NE(err.find("\\x1b[31m"), std::string_view::npos) << err;
    while (!err.empty()) {
      const std::size_t length = std::max<std::size_t>(Utf8SequenceLength(err), 1);
      EXPECT_TRUE(err.front() == '\n' || !TerminalControl(err.substr(0, length))) << result.Err;
      err.remove_prefix(length);
    }
  }
}

int WriterRounds() {
  const char* given = std::getenv("CALPERO_WRITER_ROUNDS");
  return given != nullptr ? std::atoi(given) : 15;
}

// Runs `script` with bash in the workspace, with $cli the program and $share a command prefix
// that runs a program under flock as NFS has it (an exclusive lock only on a descriptor opened for
// writing). Returns the script's exit status, or -1 when it did not end normally.
int RunWriters(const TWorkspace& workspace, const std::string& script) {
  const std::string prefix = "cd " + ShellWord(workspace.Root()) +
                             " && cli=" CALPERO_CLI_PATH " && " +
                             "share='env LD_PRELOAD=" CALPERO_NETWORK_SHARE_FLOCK
                             " ASAN_OPTIONS=verify_asan_link_order=0' && ";
  const int status = std::system(("bash -c " + ShellWord(prefix + script)).c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Rounds of eight writers started at once: four save new units, two replace and two erase units
// of the round before; the writers of even number run with flock as NFS has it (the lock must not
// depend on it, and writers with and without the rule take turns all the same).
// CALPERO_WRITER_ROUNDS sets the rounds (default 15); every run must succeed and every change be
// in the final file.
TEST(CliProgramFiles, EightWritersStartedTogetherLoseNoUnitAndBringNoErasedOneBack) {
  const int rounds = WriterRounds();
  const TWorkspace workspace;
  // The rule is in force: the folder lock that writers once took is refused under it.
  EXPECT_NE(RunWriters(workspace, "$share flock -x -n Data true 2>/dev/null"), 0);
  const std::string script =
      "failed=0 && run() { if (($1 % 2 == 0)); then $share \"${@:2}\"; else \"${@:2}\"; fi; } && " +
      std::string("for ((r = 0; r < ") + std::to_string(rounds) +
      "; r++)); do p=$((r - 1)); pids=(); " +
      "for w in 0 1 2 3; do run $w $cli save N${w}_$r 1 2 3 4 & pids+=($!); done; " +
      "if ((r > 0)); then for w in 0 1; do run $w $cli save N${w}_$p 5 5 5 5 --replace & " +
      "pids+=($!); done; for w in 2 3; do run $w $cli erase N${w}_$p & pids+=($!); done; fi; " +
      "for pid in ${pids[@]}; do wait $pid || failed=$((failed + 1)); done; done; exit $failed";
  EXPECT_EQ(RunWriters(workspace, script), 0);
  std::vector<std::string> expected;
  const UnitCatalogue catalogue((workspace.Root() / "Data" / "data.ini").string());
  for (int round = 0; round < rounds; ++round) {
    for (const char* writer : {"N0_", "N1_"}) {
      expected.push_back(writer + std::to_string(round));
      EXPECT_EQ(catalogue.ReadPower(expected.back(), "Mass"), round + 1 < rounds ? 5 : 1);
    }
  }
  expected.insert(expected.end(),
                  {"N2_" + std::to_string(rounds - 1), "N3_" + std::to_string(rounds - 1)});
  std::vector<std::string> listed = catalogue.ListUnits();
  std::sort(listed.begin(), listed.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(listed, expected);
}

// Rounds of eight first-time saves of one name at once, half of them under flock as NFS has it:
// whether the unit already exists is decided under the lock, so exactly one save succeeds, and
// its powers are the ones in the file; the others are told that the unit exists.
TEST(CliProgramFiles, EightFirstTimeSavesOfOneNameAtOnceLetExactlyOneSucceed) {
  const int rounds = WriterRounds();
  const TWorkspace workspace;
  const std::string script =
      "run() { if (($1 % 2 == 0)); then $share \"${@:2}\"; else \"${@:2}\"; fi; } && " +
      std::string("for ((r = 0; r < ") + std::to_string(rounds) + "; r++)); do pids=(); " +
      "for w in 0 1 2 3 4 5 6 7; do run $w $cli save Same_$r $w 0 0 0 2>>refusals & " +
      "pids+=($!); done; for w in 0 1 2 3 4 5 6 7; do wait ${pids[$w]} && echo $r $w >>winners; " +
      "done; done; true";
  ASSERT_EQ(RunWriters(workspace, script), 0);
  std::istringstream winners(TWorkspace::ReadFile(workspace.Root() / "winners"));
  std::vector<int> wins(static_cast<std::size_t>(rounds));
  const UnitCatalogue catalogue((workspace.Root() / "Data" / "data.ini").string());
  for (int round = 0, writer = 0; winners >> round >> writer;) {
    ++wins.at(static_cast<std::size_t>(round));
    EXPECT_EQ(catalogue.ReadPower("Same_" + std::to_string(round), "Mass"), writer)
        << "round " << round;
  }
  EXPECT_EQ(wins, std::vector<int>(static_cast<std::size_t>(rounds), 1));
  // The refusals' lines may be interleaved: each is counted by its message.
  const std::string refusals = TWorkspace::ReadFile(workspace.Root() / "refusals");
  const std::string message = kExists.substr(kExists.find(' ') + 1);
  std::size_t count = 0;
  for (std::size_t at = refusals.find(message); at != std::string::npos;
       at = refusals.find(message, at + 1)) {
    ++count;
  }
  EXPECT_EQ(count, static_cast<std::size_t>(rounds) * 7);
  EXPECT_EQ(refusals.size(), count * kExists.size());
}

// The separator is the window's: Qt's reading of the language variables, whether or not the C
// library has the locale generated (this machine may have none, so one is generated for the test).
TEST(CliProgramLocale, FollowsTheWindowsRuleWithAndWithoutTheCLibrarysLocale) {
  const TWorkspace workspace;
  workspace.WriteCatalogue("[Half]\nMass=0.5\n[Comma]\nMass=-0,5\n");
  const std::string generated = (workspace.Root() / "locales").string();
  std::filesystem::create_directory(generated);
  const std::string localedef =
      "localedef -i de_DE -f UTF-8 " + generated + "/de_DE.UTF-8 >/dev/null 2>&1";
  ASSERT_EQ(std::system(localedef.c_str()), 0);
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"LC_ALL=de_DE.UTF-8", "-0,50"},
      {"LOCPATH=" + generated + " LC_ALL=de_DE.UTF-8", "-0,50"},
      {"LC_ALL= LC_NUMERIC=fr_FR.UTF-8 LANG=en_US.UTF-8", "-0,50"},
      {"LC_ALL= LANG=de_CH.UTF-8", "0.50"},
      {"LC_ALL=en_US.UTF-8", "0.50"},
      {"LC_ALL=xx_NO", "0.50"},
      {"LC_ALL=C", "0.50"},
  };
  for (const auto& [environment, mass] : cases) {
    const std::string unit = mass.front() == '-' ? "Comma" : "Half";
    const std::string out = workspace.Run({"show", unit}, environment).Out;
    EXPECT_EQ(out.substr(0, out.find('\n')), "Mass=" + mass) << environment;
  }
}

TEST(CliProgramLocale, ACommaLocaleGivesTheCommaToTextButNotToJson) {
  const std::string comma = "de_DE.UTF-8";
  const TWorkspace workspace;
  workspace.WriteCatalogue("[Half]\nMass=0.5\n");
  ASSERT_EQ(workspace.Run({"save", "New", "2,5", "0", "0", "0"}, "LC_ALL=" + comma).ExitStatus, 0);
  EXPECT_EQ(workspace.ReadCatalogue(),
            "[Half]\nMass=0.5\n[New]\nMass=2,5\nLength=0\nTemperature=0\nTime=0\n");
  // LC_NUMERIC counts when LC_ALL is empty; Half's fraction is no number under the comma.
  EXPECT_EQ(workspace.Run({"eval", "New", "Half"}, "LC_ALL= LC_NUMERIC=" + comma).Out,
            "Mass=2,50\nLength=0,00\nTemperature=0,00\nTime=0,00\nSame powers as: New\n");
  EXPECT_EQ(workspace.Run({"--json", "show", "New"}, "LC_ALL=" + comma).Out,
            "{\"unit\":\"New\",\"Mass\":2.5,\"Length\":0,\"Temperature\":0,\"Time\":0,"
            "\"matches\":[]}\n");
}

// The program and the window's own evaluation, on the same file, give the same texts.
class CliEvalAgreesWithTheWindow
    : public ::testing::TestWithParam<
          std::pair<std::vector<std::string>, std::vector<std::string>>> {};

TEST_P(CliEvalAgreesWithTheWindow, InScreenAndInStoredForm) {
  const TWorkspace workspace;
  workspace.WriteCatalogue(kCatalogue);
  const auto& [numerator, denominator] = GetParam();
  TEvaluationState state;
  const ScopedDecimalSeparator separator(".");
  EvaluateResultant(TAreaNames{numerator, denominator},
                    UnitCatalogue((workspace.Root() / "Data" / "data.ini").string()), state);
  std::ostringstream screen;
  std::ostringstream stored;
  std::string matches;
  for (const std::string& name : SortedUnitNames(UnitsWithPowers(
           TWorkspace::ReadFile(workspace.Root() / "Data" / "data.ini"), state.ResultantPowers))) {
    matches += (matches.empty() ? "Same powers as: " : ", ") + name;
  }
  matches += matches.empty() ? "" : "\n";
  for (std::size_t i = 0; i < kPowerKeys.size(); ++i) {
    screen << kPowerKeys.at(i) << '=' << state.ResultRow.at(i) << '\n';
    stored << kPowerKeys.at(i) << '='
           << FormatStoredPower(static_cast<double>(state.ResultantPowers[i])) << '\n';
  }
  std::vector<std::string> arguments = numerator;
  arguments.emplace_back("/");
  arguments.insert(arguments.end(), denominator.begin(), denominator.end());
  arguments.insert(arguments.begin(), "eval");
  EXPECT_EQ(workspace.Run(arguments).Out, screen.str() + matches);
  arguments.emplace_back("--exact");
  EXPECT_EQ(workspace.Run(arguments).Out, stored.str() + matches);
}

using TNames = std::vector<std::string>;
INSTANTIATE_TEST_SUITE_P(Fractions, CliEvalAgreesWithTheWindow,
                         ::testing::Values(std::pair{TNames{}, TNames{"Empty"}},
                                           std::pair{TNames{"UnitA", "unita"}, TNames{"Half"}},
                                           std::pair{TNames{"Half"}, TNames{"Half"}},
                                           std::pair{TNames{"Nowhere", "Empty"}, TNames{"UnitB"}},
                                           std::pair{TNames(10, "Tenth"), TNames{}},
                                           std::pair{TNames(3, "Tenth"), TNames{"Half", "Tenth"}}));

}  // namespace
}  // namespace calpero::testing
