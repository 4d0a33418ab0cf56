#include "cli/command_results.h"

#include <cstddef>
#include <ostream>
#include <string_view>

#include "calc/power_vector.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "cli/json_writer.h"
#include "cli/terminal_text.h"

namespace calpero {
namespace {

// The visitor of a result variant: one overload for each kind of result.
template <typename... Kinds>
struct Overloaded : Kinds... {
  using Kinds::operator()...;
};
template <typename... Kinds>
Overloaded(Kinds...) -> Overloaded<Kinds...>;

// Four lines "Key=text", in the on-screen form or, with `exact`, in the stored form, where an
// unread power shows its stored text. Powers of an evaluation arrive in single precision and are
// widened to double exactly.
template <typename Real>
void PrintPowers(const std::array<Real, 4>& powers, bool exact, std::ostream& out,
                 const std::array<std::optional<std::string>, 4>& unreadTexts = {}) {
  for (std::size_t i = 0; i < powers.size(); ++i) {
    const auto power = static_cast<double>(powers.at(i));
    out << kPowerKeys.at(i) << '=';
    if (exact && unreadTexts.at(i)) {
      out << TerminalText(*unreadTexts.at(i));
    } else {
      out << (exact ? FormatStoredPower(power) : FormatPower(power));
    }
    out << '\n';
  }
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

void PrintFraction(const TFractionPowers& fraction, const TCommandLine& line, std::ostream& out) {
  const TEvaluationState& state = fraction.State;
  if (line.All) {
    out << "numerator:\n";
    PrintPowers(state.NumeratorSum.Powers, line.Exact, out);
    out << "denominator:\n";
    PrintPowers(state.DenominatorSum.Powers, line.Exact, out);
    out << "resultant:\n";
  }
  PrintPowers(state.ResultantPowers.Powers, line.Exact, out);
  PrintMatches(fraction.Matches, out);
}

void WriteNames(const std::vector<std::string>& names, TJsonWriter& json) {
  json.BeginArray();
  for (const std::string& name : names) {
    json.String(name);
  }
  json.EndArray();
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

void WriteUnit(const TUnitPowers& unit, TJsonWriter& json) {
  json.BeginObject();
  json.Key("unit");
  json.String(unit.Unit);
  WritePowerMembers(unit.Powers, json);
  json.Key("matches");
  WriteNames(unit.Matches, json);
  json.EndObject();
}

void WriteFraction(const TFractionPowers& fraction, TJsonWriter& json) {
  const TEvaluationState& state = fraction.State;
  json.BeginObject();
  WritePowerMembers(state.ResultantPowers.Powers, json);
  WritePowerObject("numerator", state.NumeratorSum, json);
  WritePowerObject("denominator", state.DenominatorSum, json);
  WritePowerObject("resultant", state.ResultantPowers, json);
  json.Key("matches");
  WriteNames(fraction.Matches, json);
  json.EndObject();
}

}  // namespace

void RenderText(const TCommandResult& result, const TCommandLine& line, std::ostream& out) {
  std::visit(Overloaded{
                 [](std::monostate) {},
                 [&out](const TPlainText& text) { out << text.Text; },
                 [&out](const TNameList& list) {
                   for (const std::string& name : list.Names) {
                     out << TerminalText(name) << '\n';
                   }
                 },
                 [&](const TUnitPowers& unit) {
                   PrintPowers(unit.Powers, line.Exact, out, unit.UnreadTexts);
                   PrintMatches(unit.Matches, out);
                 },
                 [&](const TFractionPowers& fraction) { PrintFraction(fraction, line, out); },
             },
             result);
}

void RenderJson(const TCommandResult& result, std::ostream& out) {
  TJsonWriter json;
  const bool written = std::visit(
      Overloaded{
          [](std::monostate) { return false; },
          [&out](const TPlainText& text) { return (out << text.Text, false); },
          [&json](const TNameList& list) { return (WriteNames(list.Names, json), true); },
          [&json](const TUnitPowers& unit) { return (WriteUnit(unit, json), true); },
          [&json](const TFractionPowers& fraction) {
            return (WriteFraction(fraction, json), true);
          },
      },
      result);
  if (written) {
    out << json.Text() << '\n';
  }
}

}  // namespace calpero
