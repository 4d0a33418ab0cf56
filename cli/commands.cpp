#include "cli/commands.h"

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
#include <vector>

#include "app/unit_order.h"
#include "calc/evaluation.h"
#include "calc/power_vector.h"
#include "catalogue/catalogue_copy.h"
#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "catalogue/unit_catalogue.h"
#include "cli/json_writer.h"
#include "cli/save_arguments_view.h"
#include "cli/unit_presence.h"
#include "dialogs/new_var_dialog_logic.h"

namespace calpero {
namespace {

constexpr std::string_view kProgramPrefix = "calpero-cli: ";

struct TStreams {
  std::ostream& Out;
  std::ostream& Err;
};

void EnterDirectories(const std::vector<std::string>& directories) {
  for (const std::string& directory : directories) {
    if (chdir(directory.c_str()) != 0) {
      std::string message = "Unable to change to the directory '";
      message += directory;
      message += "': ";
      message += std::generic_category().message(errno);
      throw Exception(message);
    }
  }
}

// Names that the catalogue does not hold count as zeros, as in the window; a script should still
// hear of them, since a typing error looks just like a unit without dimension.
void WarnAboutMissing(const UnitCatalogue& catalogue, std::span<const std::string> names,
                      std::string_view consequence, std::ostream& err) {
  for (const std::string& name : MissingUnits(catalogue, names)) {
    err << kProgramPrefix << "warning: no unit named '" << name << "'; " << consequence << '\n';
  }
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

void List(const TCommandLine& line, const TStreams& streams) {
  const std::vector<std::string> names = SortedUnitNames(UnitCatalogue().ListUnits());
  if (!line.Json) {
    for (const std::string& name : names) {
      streams.Out << name << '\n';
    }
    return;
  }
  TJsonWriter json;
  json.BeginArray();
  for (const std::string& name : names) {
    json.String(name);
  }
  json.EndArray();
  streams.Out << json.Text() << '\n';
}

void Show(const TCommandLine& line, const TStreams& streams) {
  const UnitCatalogue catalogue;
  const std::string& name = line.Names.front();
  std::array<double, 4> powers{};
  for (std::size_t i = 0; i < powers.size(); ++i) {
    powers.at(i) = catalogue.ReadPower(name, kPowerKeys.at(i));
  }
  WarnAboutMissing(catalogue, line.Names, "counted as zero", streams.Err);
  if (!line.Json) {
    PrintPowers(powers, line.Exact, streams.Out);
    return;
  }
  TJsonWriter json;
  json.BeginObject();
  json.Key("unit");
  json.String(name);
  WritePowerMembers(powers, json);
  json.EndObject();
  streams.Out << json.Text() << '\n';
}

void PrintEvaluation(const TCommandLine& line, const TEvaluationState& state, std::ostream& out) {
  if (line.Json) {
    TJsonWriter json;
    json.BeginObject();
    WritePowerMembers(state.ResultantPowers.Powers, json);
    WritePowerObject("numerator", state.NumeratorSum, json);
    WritePowerObject("denominator", state.DenominatorSum, json);
    WritePowerObject("resultant", state.ResultantPowers, json);
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
}

// The window's "Evaluate resultant" on a work area that holds these names.
void Eval(const TCommandLine& line, const TStreams& streams) {
  const UnitCatalogue catalogue;
  const TAreaNames areas{line.Names, line.Denominator};
  TEvaluationState state;
  EvaluateResultant(areas, catalogue, state);
  std::vector<std::string> allNames = line.Names;
  allNames.insert(allNames.end(), line.Denominator.begin(), line.Denominator.end());
  WarnAboutMissing(catalogue, allNames, "counted as zero", streams.Err);
  PrintEvaluation(line, state, streams.Out);
}

// The new-unit dialog's own save, with the arguments in its fields.
void Save(const TCommandLine& line) {
  UnitCatalogue catalogue;
  TSaveArgumentsView view(line.Names.front(), line.Powers, line.Replace);
  TNewVarDialogLogic dialog(view, catalogue);
  dialog.Save();
  if (!view.Refusal().empty()) {
    throw Exception(view.Refusal());
  }
}

void Erase(const TCommandLine& line, const TStreams& streams) {
  UnitCatalogue catalogue;
  WarnAboutMissing(catalogue, line.Names, "nothing erased", streams.Err);
  catalogue.EraseUnit(line.Names.front());
}

// The window makes its copies silently; a script has to know whether they worked.
void Copy(bool copied, std::string_view from, std::string_view to) {
  if (!copied) {
    throw Exception("Unable to copy " + std::string(from) + " to " + std::string(to));
  }
}

void Dispatch(const TCommandLine& line, std::string_view version, const TStreams& streams) {
  switch (line.Command) {
    case TCliCommand::Help:
      streams.Out << UsageText();
      return;
    case TCliCommand::Version:
      streams.Out << "calpero-cli " << version << '\n';
      return;
    case TCliCommand::List:
      return List(line, streams);
    case TCliCommand::Show:
      return Show(line, streams);
    case TCliCommand::Eval:
      return Eval(line, streams);
    case TCliCommand::Save:
      return Save(line);
    case TCliCommand::Erase:
      return Erase(line, streams);
    case TCliCommand::Backup:
      return Copy(BackUpCatalogue(), UnitCatalogue::kDefaultPath, kBackupPath);
    case TCliCommand::Restore:
      return Copy(RestoreCatalogue(), kBackupPath, UnitCatalogue::kDefaultPath);
  }
}

}  // namespace

int RunCommand(const TCommandLine& line, std::string_view version, std::ostream& out,
               std::ostream& err) {
  try {
    EnterDirectories(line.Directories);
    Dispatch(line, version, TStreams{out, err});
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
