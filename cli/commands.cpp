#include "cli/commands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstddef>
#include <exception>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "app/unit_order.h"
#include "calc/evaluation.h"
#include "calc/power_matches.h"
#include "calc/power_vector.h"
#include "catalogue/catalogue_copy.h"
#include "catalogue/catalogue_reading.h"
#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "catalogue/read_problem.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/whole_file.h"
#include "catalogue/write_lock.h"
#include "cli/json_writer.h"
#include "cli/name_suggestion.h"
#include "cli/save_arguments_view.h"
#include "cli/terminal_text.h"
#include "cli/unit_presence.h"
#include "dialogs/new_var_dialog_logic.h"
#include "text/text_bytes.h"

namespace calpero {
namespace {

constexpr std::string_view kProgramPrefix = "calpero-cli: ";

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
// them in turn. Fails as entering the directory would: when it is missing, is no directory or
// may not be searched.
std::string EnteredFolder(const std::string& folder, const std::string& directory) {
  std::string entered = directory;
  if (!directory.starts_with('/')) {
    entered = folder + (folder.ends_with('/') ? "" : "/") + directory;
  }
  struct stat status {};
  const bool found = stat(entered.c_str(), &status) == 0;
  int error = found && !S_ISDIR(status.st_mode) ? ENOTDIR : 0;
  if (!found || (error == 0 && faccessat(AT_FDCWD, entered.c_str(), X_OK, AT_EACCESS) != 0)) {
    error = errno;
  }
  if (error != 0) {
    throw Exception("Unable to change to the directory '" + directory +
                    "': " + std::generic_category().message(error));
  }
  return entered;
}

// Beyond this many unknown names a run gets no suggestions: each one looks through every name of
// the catalogue, and a script that passes thousands of names should not wait for hints.
constexpr std::size_t kMostSuggestions = 20;

// Names that the catalogue does not hold count as zeros, as in the window; a script should still
// hear of them, since a typing error looks just like a unit without dimension. With --strict
// they are errors instead, reported before anything is printed.
void ReportMissing(const TCommandLine& line, const std::vector<std::string>& missing,
                   std::string_view consequence, const TRun& run) {
  if (missing.empty()) {
    return;
  }
  std::vector<std::string> known;
  if (missing.size() <= kMostSuggestions) {
    known = SortedUnitNames(run.Catalogue().ListUnits());
  }
  std::string errors;
  for (const std::string& name : missing) {
    std::string report = "no unit named '" + TerminalText(name) + "'";
    if (!line.Strict) {
      report.append("; ").append(consequence);
    }
    const std::string closest = ClosestName(name, known);
    if (!closest.empty()) {
      report.append("; did you mean '").append(TerminalText(closest)).append("'?");
    }
    if (!line.Strict) {
      run.Err << kProgramPrefix << "warning: " << report << '\n';
    } else {
      // One error of several lines, each line with the program's prefix as every line has.
      errors.append(errors.empty() ? "" : "\n" + std::string(kProgramPrefix)).append(report);
    }
  }
  if (line.Strict) {
    throw Exception(errors);
  }
}

void CheckPresence(const TCommandLine& line, const CatalogueReading& reading,
                   std::span<const std::string> names, std::string_view consequence,
                   const TRun& run) {
  ReportMissing(line, MissingUnits(reading, names), consequence, run);
}

// A catalogue that is there but cannot be read would otherwise look empty.
void RequireReadableCatalogue(const TRun& run) {
  const std::string problem = CatalogueReadProblem(run.Resolve(UnitCatalogue::kDefaultPath));
  if (!problem.empty()) {
    throw Exception("Unable to read " + std::string(UnitCatalogue::kDefaultPath) + ": " + problem);
  }
}

// The catalogue's units with `powers`, in the list's order; `except` (when given) left out.
std::vector<std::string> SortedMatches(const TRun& run, const TPowerVector& powers,
                                       std::string_view except = {}) {
  std::vector<std::string> matches = UnitsWithPowers(run.Catalogue(), powers);
  std::erase_if(matches, [except](const std::string& name) {
    return !except.empty() && SameIniName(name, except);
  });
  return SortedUnitNames(std::move(matches));
}

void PrintMatches(const std::vector<std::string>& matches, std::ostream& out) {
  if (matches.empty()) {
    return;
  }
  out << "Same powers as: ";
  for (std::size_t i = 0; i < matches.size(); ++i) {
    out << (i == 0 ? "" : ", ") << TerminalText(matches[i]);
  }
  out << '\n';
}

void WriteMatches(const std::vector<std::string>& matches, TJsonWriter& json) {
  json.Key("matches");
  json.BeginArray();
  for (const std::string& name : matches) {
    json.String(name);
  }
  json.EndArray();
}

// Four lines "Key=text", in the on-screen form or, with `exact`, in the stored form. Powers of an
// evaluation arrive in single precision and are widened to double exactly.
template <typename Real>
void PrintPowers(const std::array<Real, 4>& powers, bool exact, std::ostream& out) {
  for (std::size_t i = 0; i < powers.size(); ++i) {
    const auto power = static_cast<double>(powers.at(i));
    out << kPowerKeys.at(i) << '=' << (exact ? FormatStoredPower(power) : FormatPower(power))
        << '\n';
  }
}

template <typename Real>
void WritePowerMembers(const std::array<Real, 4>& powers, TJsonWriter& json) {
  for (std::size_t i = 0; i < powers.size(); ++i) {
    json.Key(kPowerKeys.at(i));
    json.Number(powers.at(i));
  }
}

void WritePowerObject(std::string_view key, const TPowerVector& powers, TJsonWriter& json) {
  json.Key(key);
  json.BeginObject();
  WritePowerMembers(powers.Powers, json);
  json.EndObject();
}

// One name a line, or a JSON array of them.
void PrintNames(const TCommandLine& line, const std::vector<std::string>& names,
                std::ostream& out) {
  if (!line.Json) {
    for (const std::string& name : names) {
      out << TerminalText(name) << '\n';
    }
    return;
  }
  TJsonWriter json;
  json.BeginArray();
  for (const std::string& name : names) {
    json.String(name);
  }
  json.EndArray();
  out << json.Text() << '\n';
}

void List(const TCommandLine& line, const TRun& run) {
  RequireReadableCatalogue(run);
  PrintNames(line, SortedUnitNames(run.Catalogue().ListUnits()), run.Out);
}

// A number as save reads it: one beyond the double range is refused in the same words.
double ReadPowerArgument(const std::string& text) {
  const long double power = ParsePower(text);
  try {
    return PowerToDouble(power);
  } catch (const EOverflow&) {
    throw EPowerTooLarge(text);
  }
}

// The units whose powers are the four numbers given.
void Match(const TCommandLine& line, const TRun& run) {
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
  PrintNames(line, storable ? SortedMatches(run, powers) : std::vector<std::string>(), run.Out);
}

void Show(const TCommandLine& line, const TRun& run) {
  RequireReadableCatalogue(run);
  const UnitCatalogue catalogue = run.Catalogue();
  const std::string& name = line.Names.front();
  const CatalogueReading reading = catalogue.ReadUnits(line.Names);
  CheckPresence(line, reading, line.Names, "counted as zero", run);
  std::array<double, 4> powers{};
  TPowerVector stored;
  bool storable = true;
  for (std::size_t i = 0; i < powers.size(); ++i) {
    powers.at(i) = reading.ReadPower(name, kPowerKeys.at(i));
    try {
      stored[i] = StoreSingle(powers.at(i));
    } catch (const EOverflow&) {
      storable = false;  // no evaluation reaches such a unit, so no other unit matches it
    }
  }
  const std::vector<std::string> matches =
      storable ? SortedMatches(run, stored, name) : std::vector<std::string>();
  if (!line.Json) {
    PrintPowers(powers, line.Exact, run.Out);
    PrintMatches(matches, run.Out);
    return;
  }
  TJsonWriter json;
  json.BeginObject();
  json.Key("unit");
  json.String(name);
  WritePowerMembers(powers, json);
  WriteMatches(matches, json);
  json.EndObject();
  run.Out << json.Text() << '\n';
}

void PrintEvaluation(const TCommandLine& line, const TEvaluationState& state,
                     const std::vector<std::string>& matches, std::ostream& out) {
  if (line.Json) {
    TJsonWriter json;
    json.BeginObject();
    WritePowerMembers(state.ResultantPowers.Powers, json);
    WritePowerObject("numerator", state.NumeratorSum, json);
    WritePowerObject("denominator", state.DenominatorSum, json);
    WritePowerObject("resultant", state.ResultantPowers, json);
    WriteMatches(matches, json);
    json.EndObject();
    out << json.Text() << '\n';
    return;
  }
  if (line.All) {
    out << "numerator:\n";
    PrintPowers(state.NumeratorSum.Powers, line.Exact, out);
    out << "denominator:\n";
    PrintPowers(state.DenominatorSum.Powers, line.Exact, out);
    out << "resultant:\n";
  }
  PrintPowers(state.ResultantPowers.Powers, line.Exact, out);
  PrintMatches(matches, out);
}

// The window's "Evaluate resultant" on a work area that holds these names.
void Eval(const TCommandLine& line, const TRun& run) {
  RequireReadableCatalogue(run);
  std::vector<std::string> allNames = line.Names;
  allNames.insert(allNames.end(), line.Denominator.begin(), line.Denominator.end());
  const CatalogueReading reading = run.Catalogue().ReadUnits(allNames);
  CheckPresence(line, reading, allNames, "counted as zero", run);
  TEvaluationState state;
  EvaluateResultant(TAreaNames{line.Names, line.Denominator}, reading, state);
  PrintEvaluation(line, state, SortedMatches(run, state.ResultantPowers), run.Out);
}

// The new-unit dialog's own save, with the arguments in its fields.
void Save(const TCommandLine& line, const TRun& run) {
  UnitCatalogue catalogue = run.Catalogue();
  TSaveArgumentsView view(line.Names.front(), line.Powers, line.Replace);
  TNewVarDialogLogic dialog(view, catalogue);
  dialog.Save();
  if (!view.Refusal().empty()) {
    throw Exception(view.Refusal());
  }
}

// Whether the unit is there is the catalogue's answer under its lock, so that a unit another
// program saves meanwhile is either erased or reported missing, never both.
void Erase(const TCommandLine& line, const TRun& run) {
  UnitCatalogue catalogue = run.Catalogue();
  if (!catalogue.EraseUnit(line.Names.front())) {
    ReportMissing(line, {line.Names.front()}, "nothing erased", run);
  }
}

// The window makes its copies silently; a script has to know whether they worked, and why not.
void Copy(const TRun& run, std::string_view from, std::string_view to) {
  if (!CopyCatalogueFile(run.Resolve(from), run.Resolve(to))) {
    throw Exception("Unable to copy " + std::string(from) + " to " + std::string(to) + ": " +
                    ChangeFailureReason(errno));
  }
}

// Says once per run that a change went ahead without the writers' lock.
class TNoLockWarning {
 public:
  explicit TNoLockWarning(std::ostream& err) {
    SetNoLockNotice([&err, warned = false](const std::string&) mutable {
      if (!std::exchange(warned, true)) {
        err << kProgramPrefix
            << "warning: the file system cannot lock files, so other programs changing the "
               "catalogue at the same time are not held off\n";
      }
    });
  }
  ~TNoLockWarning() { SetNoLockNotice({}); }
  TNoLockWarning(const TNoLockWarning&) = delete;
  TNoLockWarning& operator=(const TNoLockWarning&) = delete;
};

void Dispatch(const TCommandLine& line, std::string_view version, const TRun& run) {
  switch (line.Command) {
    case TCliCommand::Help:
      run.Out << UsageText();
      return;
    case TCliCommand::Version:
      run.Out << "calpero-cli " << version << '\n';
      return;
    case TCliCommand::List:
      return List(line, run);
    case TCliCommand::Show:
      return Show(line, run);
    case TCliCommand::Eval:
      return Eval(line, run);
    case TCliCommand::Match:
      return Match(line, run);
    case TCliCommand::Save:
      return Save(line, run);
    case TCliCommand::Erase:
      return Erase(line, run);
    case TCliCommand::Backup:
      return Copy(run, UnitCatalogue::kDefaultPath, kBackupPath);
    case TCliCommand::Restore:
      return Copy(run, kBackupPath, UnitCatalogue::kDefaultPath);
  }
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
    Dispatch(line, version, run);
  } catch (const EIniFileException& error) {
    // The window shows the message alone; a script's user also needs to know why.
    err << kProgramPrefix << error.Message() << (error.Reason().empty() ? "" : ": ")
        << error.Reason() << '\n';
    return 1;
  } catch (const Exception& error) {
    err << kProgramPrefix << error.Message() << '\n';
    return 1;
  } catch (const std::exception& error) {
    err << kProgramPrefix << error.what() << '\n';
    return 1;
  }
  if (!out.flush()) {
    err << kProgramPrefix << "Unable to write the output\n";
    return 1;
  }
  return 0;
}

}  // namespace calpero
