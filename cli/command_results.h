#pragma once

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "calc/evaluation.h"
#include "cli/command_line.h"

namespace calpero {

// What a command found, before it is printed: each command computes one of these, and one text
// renderer and one JSON renderer print them.

// Text printed as it is in either form: the usage, the version.
struct TPlainText {
  std::string Text;
};

// Unit names in the order to print them: list, match.
struct TNameList {
  std::vector<std::string> Names;
};

// One unit's four powers and the other units that have them: show.
struct TUnitPowers {
  std::string Unit;
  std::array<double, 4> Powers{};
  // The stored text of each power that the catalogue could not read, which the stored form
  // (--exact) prints as it stands; empty for the powers that read as numbers.
  std::array<std::optional<std::string>, 4> UnreadTexts{};
  std::vector<std::string> Matches;
};

// An evaluated fraction and the units with its resultant's powers: eval.
struct TFractionPowers {
  TEvaluationState State;
  std::vector<std::string> Matches;
};

// Nothing to print: save, erase, backup, restore.
using TCommandResult =
    std::variant<std::monostate, TPlainText, TNameList, TUnitPowers, TFractionPowers>;

// Prints `result` as text: names through TerminalText, one a line; powers as "Mass=…" lines in
// FormatPower's form (FormatStoredPower's with line.Exact, and an unread power's stored text);
// with line.All, eval's "numerator:", "denominator:" and "resultant:" blocks; then the matches on
// a line "Same powers as: A, B", no line when there are none.
void RenderText(const TCommandResult& result, const TCommandLine& line, std::ostream& out);

// Prints `result` as one line of JSON: names as an array; show as an object with "unit", the four
// numbers and "matches"; eval as an object with the resultant's four numbers, the objects
// "numerator", "denominator" and "resultant" (the float's own shortest form) and "matches".
// Plain text is printed as it is.
void RenderJson(const TCommandResult& result, std::ostream& out);

}  // namespace calpero
