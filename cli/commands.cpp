#include "cli/commands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <exception>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "calc/evaluation.h"
#include "calc/power_matches.h"
#include "calc/power_vector.h"
#include "catalogue/catalogue_copy.h"
#include "catalogue/catalogue_reading.h"
#include "catalogue/closest_name.h"
#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "catalogue/section_index.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_order.h"
#include "cli/command_results.h"
#include "cli/reading_report.h"
#include "cli/terminal_text.h"
#include "dialogs/new_var_dialog_logic.h"
#include "dialogs/unit_save.h"
#include "storage/whole_file.h"
#include "storage/write_lock.h"
#include "text/text_bytes.h"

namespace calpero {
namespace {

// What a command works with: its output streams and the folder that the catalogue's paths
// resolve against. Messages name the files by their paths relative to that folder.
struct TRun {
  std::ostream& Out;
  std::ostream& Err;
  std::string Folder;

  // `path`, relative to the folder ("./Data/data.ini"), as a path to open.
  std::string Resolve(std::string_view path) const {
    std::string resolved = Folder;
    if (!resolved.ends_with('/')) {
      resolved += '/';
    }
    return resolved.append(path.starts_with("./") ? path.substr(2) : path);
  }

  UnitCatalogue Catalogue() const {
    return {Resolve(UnitCatalogue::kDefaultPath), std::string(UnitCatalogue::kDefaultPath)};
  }
};

// The folder that `directory` names when it is entered from `folder`, as the -C options enter
// them in turn. Fails as entering the directory would: when it is missing (an empty name names
// none), is no directory or may not be searched.
std::string EnteredFolder(const std::string& folder, const std::string& directory) {
  std::string entered = directory;
  if (!directory.starts_with('/')) {
    entered = folder + (folder.ends_with('/') ? "" : "/") + directory;
  }
  struct stat status {};
  const bool found = !directory.empty() && stat(entered.c_str(), &status) == 0;
  int error = found && !S_ISDIR(status.st_mode) ? ENOTDIR : 0;
  if (directory.empty()) {
    error = ENOENT;
  } else if (!found ||
             (error == 0 && faccessat(AT_FDCWD, entered.c_str(), X_OK, AT_EACCESS) != 0)) {
    error = errno;
  }
  if (error != 0) {
    throw Exception("Unable to change to the directory " + QuotedText(directory) + ": " +
                    std::generic_category().message(error));
  }
  return entered;
}

// A catalogue that is there but cannot be read would otherwise look empty.
void RequireReadableCatalogue(const TRun& run) {
  std::string problem;
  struct stat status {};
  if (stat(run.Resolve("./Data").c_str(), &status) == 0 && !S_ISDIR(status.st_mode)) {
    problem = std::generic_category().message(ENOTDIR);
  } else {
    problem = FileReadProblem(run.Resolve(UnitCatalogue::kDefaultPath));
  }
  if (!problem.empty()) {
    throw Exception("Unable to read " + std::string(UnitCatalogue::kDefaultPath) + ": " + problem);
  }
}

// The catalogue's units with `powers`, in the list's order; `except` (when given) left out.
std::vector<std::string> SortedMatches(const TRun& run, const TPowerVector& powers,
                                       std::string_view except = {},
                                       std::vector<TRefusedPower>* refused = nullptr) {
  std::vector<std::string> matches = UnitsWithPowers(run.Catalogue(), powers, refused);
  std::erase_if(matches, [except](const std::string& name) {
    return !except.empty() && SameIniName(name, except);
  });
  return SortedUnitNames(std::move(matches));
}

TNameList List(const TRun& run) {
  RequireReadableCatalogue(run);
  return {SortedUnitNames(run.Catalogue().ListUnits())};
}

// A number typed on the command line, in the complete form: the exponent letter needs digits,
// and a long exponent is too large, or 0, as a short one is. Within the double range.
double ReadPowerArgument(const std::string& text, PowerRange range = PowerRange::Double) {
  return ConvertPowerText(text, range, PowerTextForm::Complete);
}

// The units whose powers are the four numbers given.
TNameList Match(const TCommandLine& line, const TRun& run) {
  TPowerVector powers;
  bool storable = true;
  for (std::size_t i = 0; i < powers.Powers.size(); ++i) {
    const double power = ReadPowerArgument(line.Powers.at(i));
    try {
      powers[i] = StoreSingle(power);
    } catch (const EOverflow&) {
      storable = false;  // no evaluation reaches such powers, so no unit has them
    }
  }
  RequireReadableCatalogue(run);
  if (!storable) {
    return {};
  }
  std::vector<TRefusedPower> refused;
  TNameList matches{SortedMatches(run, powers, {}, &refused)};
  TReadingReport report(line.Strict, run.Err);
  report.RefusedPowers(refused);
  report.Finish();
  return matches;
}

TUnitPowers Show(const TCommandLine& line, const TRun& run) {
  RequireReadableCatalogue(run);
  const std::string& name = line.Names.front();
  const CatalogueReading reading = run.Catalogue().ReadUnits(line.Names);
  TReadingReport report(line.Strict, run.Err);
  report.MissingNames(reading, line.Names, "counted as zero", run.Catalogue());
  TUnitPowers unit;
  unit.Unit = name;
  // The stored form can print a stored text beyond the double range as it stands.
  const bool keepOverflow = line.Exact && !line.Json;
  report.UnreadPowers(reading, line.Names, keepOverflow, &unit.UnreadTexts);
  report.Finish();
  TPowerVector stored;
  bool storable = true;
  for (std::size_t i = 0; i < unit.Powers.size(); ++i) {
    const StoredPower power = reading.InspectPower(name, kPowerKeys.at(i));
    unit.Powers.at(i) = power.Value;
    // No evaluation reaches a unit beyond the double or the single range, so none matches it.
    if (power.State == StoredPowerState::Overflow) {
      storable = false;
      continue;
    }
    try {
      stored[i] = StoreSingle(power.Value);
    } catch (const EOverflow&) {
      storable = false;
    }
  }
  if (storable) {
    unit.Matches = SortedMatches(run, stored, name);
  }
  return unit;
}

// The window's "Evaluate resultant" on a work area that holds these names.
TFractionPowers Eval(const TCommandLine& line, const TRun& run) {
  RequireReadableCatalogue(run);
  std::vector<std::string> allNames = line.Names;
  allNames.insert(allNames.end(), line.Denominator.begin(), line.Denominator.end());
  const CatalogueReading reading = run.Catalogue().ReadUnits(allNames);
  TReadingReport report(line.Strict, run.Err);
  report.MissingNames(reading, allNames, "counted as zero", run.Catalogue());
  report.UnreadPowers(reading, allNames, false);
  report.Finish();
  TFractionPowers fraction;
  EvaluateResultant(TAreaNames{line.Names, line.Denominator}, reading, fraction.State);
  fraction.Matches = SortedMatches(run, fraction.State.ResultantPowers);
  return fraction;
}

// The new-unit dialog's own save (SaveUnit), with the arguments as its fields. Each power is read
// first in the command line's complete form and handed over in the stored form of its value, so
// that the save converts and writes the same number. The dialog's questions are answered from the
// arguments: a unit of that name is replaced only with --replace.
void Save(const TCommandLine& line, const TRun& run) {
  TUnitTexts unit{.Name = line.Names.front(), .Powers = line.Powers};
  for (std::string& power : unit.Powers) {
    if (!power.empty()) {  // a blank field is the save's to report
      power = FormatStoredPower(ReadPowerArgument(power, PowerRange::Storable));
    }
  }
  UnitCatalogue catalogue = run.Catalogue();
  const TUnitSaveEnd end = SaveUnit(catalogue, unit, [&line] { return line.Replace; });
  if (end == TUnitSaveEnd::BlankField) {
    throw Exception(MessageId::BlankFields);
  }
  if (end == TUnitSaveEnd::ReplaceDeclined) {
    throw Exception("The unit already exists. Use --replace to replace it.");
  }
}

// Whether the unit is there is the catalogue's answer under its lock, so that a unit another
// program saves meanwhile is either erased or reported missing, never both.
void Erase(const TCommandLine& line, const TRun& run) {
  UnitCatalogue catalogue = run.Catalogue();
  TReadingReport report(line.Strict, run.Err);
  if (!catalogue.EraseUnit(line.Names.front())) {
    report.MissingNames(std::span(line.Names).first(1), "nothing erased", catalogue);
  }
  report.Finish();
}

// The window makes its copies silently; a script has to know whether they worked, and why not.
void Copy(const TRun& run, std::string_view from, std::string_view to) {
  std::string reason;
  if (!CopyCatalogueFile(run.Resolve(from), run.Resolve(to), nullptr, &reason, std::string(to))) {
    throw Exception("Unable to copy " + std::string(from) + " to " + std::string(to) + ": " +
                    reason);
  }
}

// Puts the named units back from the backup, each section as the backup stores it; every other
// unit stays as it is. Every name must be in the backup, or nothing is written.
void RestoreUnits(const TCommandLine& line, const TRun& run) {
  const std::string backupPath = run.Resolve(kBackupPath);
  const WholeFile backup = ReadWholeFile(backupPath);
  if (backup.Status != WholeFile::Status::Read) {
    const std::string problem = backup.Status == WholeFile::Status::Missing
                                    ? std::generic_category().message(ENOENT)
                                    : FileReadProblem(backupPath);
    throw Exception("Unable to read " + std::string(kBackupPath) + ": " + problem);
  }
  const SectionIndex index(backup.Bytes);
  std::vector<std::string> known;
  std::string errors;
  for (const std::string& name : line.Names) {
    if (index.Find(name)) {
      continue;
    }
    if (known.empty()) {
      known = SortedUnitNames(index.Names());
    }
    errors.append(errors.empty() ? "" : "\n" + std::string(kProgramPrefix))
        .append("the backup has no unit named " + QuotedText(name));
    if (const std::string closest = ClosestName(name, known); !closest.empty()) {
      errors.append("; did you mean " + QuotedText(closest) + "?");
    }
  }
  if (!errors.empty()) {
    throw Exception(errors);
  }
  UnitCatalogue catalogue = run.Catalogue();
  const std::vector<std::string> kept = catalogue.CopySections(
      backup.Bytes, line.Names,
      line.Replace ? UnitCatalogue::ExistingUnit::Replace : UnitCatalogue::ExistingUnit::Keep);
  for (const std::string& name : kept) {
    WriteErrorLine(run.Err, {"warning: the catalogue holds ", QuotedText(name),
                             " already; kept (--replace replaces it)"});
  }
}

// Says once per run that a change went ahead without the writers' lock.
class TNoLockWarning {
 public:
  explicit TNoLockWarning(std::ostream& err) {
    SetNoLockNotice([&err, warned = false](const std::string&) mutable {
      if (!std::exchange(warned, true)) {
        WriteErrorLine(err,
                       {"warning: the file system cannot lock files, so other programs changing "
                        "the catalogue at the same time are not held off"});
      }
    });
  }
  ~TNoLockWarning() { SetNoLockNotice({}); }
  TNoLockWarning(const TNoLockWarning&) = delete;
  TNoLockWarning& operator=(const TNoLockWarning&) = delete;
};

TCommandResult Dispatch(const TCommandLine& line, std::string_view version, const TRun& run) {
  switch (line.Command) {
    case TCliCommand::Help:
      return TPlainText{UsageText()};
    case TCliCommand::Version:
      return TPlainText{"calpero-cli " + std::string(version) + "\n"};
    case TCliCommand::List:
      return List(run);
    case TCliCommand::Show:
      return Show(line, run);
    case TCliCommand::Eval:
      return Eval(line, run);
    case TCliCommand::Match:
      return Match(line, run);
    case TCliCommand::Save:
      Save(line, run);
      break;
    case TCliCommand::Erase:
      Erase(line, run);
      break;
    case TCliCommand::Backup:
      Copy(run, UnitCatalogue::kDefaultPath, kBackupPath);
      break;
    case TCliCommand::Restore:
      if (line.Names.empty()) {
        Copy(run, kBackupPath, UnitCatalogue::kDefaultPath);
      } else {
        RestoreUnits(line, run);
      }
      break;
  }
  return {};
}

}  // namespace

int RunCommand(const TCommandLine& line, std::string_view folder, std::string_view version,
               std::ostream& out, std::ostream& err) {
  try {
    TRun run{out, err, std::string(folder)};
    const TNoLockWarning noLock(err);
    for (const std::string& directory : line.Directories) {
      run.Folder = EnteredFolder(run.Folder, directory);
    }
    const TCommandResult result = Dispatch(line, version, run);
    if (line.Json) {
      RenderJson(result, out);
    } else {
      RenderText(result, line, out);
    }
  } catch (const EIniFileException& error) {
    // The window shows the message alone; a script's user also needs to know why.
    WriteErrorLine(err, {error.MessageQuoting(TerminalText), error.Reason().empty() ? "" : ": ",
                         error.Reason()});
    return 1;
  } catch (const Exception& error) {
    // A text that the user gave is quoted as a terminal may show it.
    WriteErrorLine(err, {error.MessageQuoting(TerminalText)});
    return 1;
  } catch (const std::exception& error) {
    WriteErrorLine(err, {error.what()});
    return 1;
  }
  if (!out.flush()) {
    WriteErrorLine(err, {"Unable to write the output"});
    return 1;
  }
  return 0;
}

}  // namespace calpero
