#include "cli/reading_report.h"

#include <algorithm>
#include <cstddef>
#include <ostream>
#include <unordered_set>
#include <vector>

#include "catalogue/catalogue_reading.h"
#include "catalogue/closest_name.h"
#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_order.h"
#include "catalogue/unread_powers.h"
#include "cli/terminal_text.h"
#include "text/text_bytes.h"

namespace calpero {
namespace {

// Beyond this many unknown names a run gets no suggestions: each one looks through every name of
// the catalogue, and a script that passes thousands of names should not wait for hints.
constexpr std::size_t kMostSuggestions = 20;

// The names of `names` that `keep` takes, each once as the catalogue compares names, in the
// order of their first appearance and spelled as first given.
template <typename Keep>
std::vector<std::string> DistinctNames(std::span<const std::string> names, Keep keep) {
  std::vector<std::string> distinct;
  std::unordered_set<std::string> seen;  // folded
  std::string folded;
  for (const std::string& name : names) {
    if (!keep(name)) {
      continue;
    }
    FoldIniName(name, folded);
    if (seen.insert(folded).second) {
      distinct.push_back(name);
    }
  }
  return distinct;
}

// "unit 'Stress': Mass=1,5": which stored text a message is about.
std::string StoredTextName(std::string_view unit, std::string_view key, std::string_view text) {
  return "unit " + QuotedText(unit) + ": " + std::string(key) + "=" + TerminalText(text);
}

}  // namespace

void WriteErrorLine(std::ostream& err, std::initializer_list<std::string_view> pieces) {
  std::string line(kProgramPrefix);
  for (const std::string_view piece : pieces) {
    line.append(piece);
  }
  line.push_back('\n');
  err << line;
}

std::vector<std::string> MissingUnits(const CatalogueReading& reading,
                                      std::span<const std::string> names) {
  return DistinctNames(names,
                       [&reading](const std::string& name) { return !reading.HoldsUnit(name); });
}

void TReadingReport::MissingNames(const CatalogueReading& reading,
                                  std::span<const std::string> names, std::string_view consequence,
                                  const UnitCatalogue& catalogue) {
  MissingNames(MissingUnits(reading, names), consequence, catalogue);
}

void TReadingReport::MissingNames(std::span<const std::string> missing,
                                  std::string_view consequence, const UnitCatalogue& catalogue) {
  if (missing.empty()) {
    return;
  }
  std::vector<std::string> known;
  if (missing.size() <= kMostSuggestions) {
    known = SortedUnitNames(catalogue.ListUnits());
  }
  for (const std::string& name : missing) {
    std::string suggestion;
    if (const std::string closest = ClosestName(name, known); !closest.empty()) {
      suggestion = "; did you mean " + QuotedText(closest) + "?";
    }
    Add("no unit named " + QuotedText(name), "; " + std::string(consequence), suggestion);
  }
}

void TReadingReport::UnreadPowers(const CatalogueReading& reading,
                                  std::span<const std::string> names, bool keepOverflow,
                                  std::array<std::optional<std::string>, 4>* unreadTexts) {
  for (const TUnreadPower& power : calpero::UnreadPowers(reading, names)) {
    if (!power.Overflow) {
      Refused(power.Unit, power.Key, power.Text);
    } else {
      // No evaluation can take such a number; only the stored form can show it.
      const std::string problem = StoredTextName(power.Unit, power.Key, power.Text) +
                                  " cannot be read: " + EOverflow().Message();
      if (!keepOverflow) {
        throw Exception(problem);
      }
      Add(problem, "");
    }
    if (unreadTexts != nullptr && SameIniName(power.Unit, names.front())) {
      const auto key = std::ranges::find(kPowerKeys, power.Key) - kPowerKeys.begin();
      unreadTexts->at(static_cast<std::size_t>(key)) = power.Text;
    }
  }
}

void TReadingReport::RefusedPowers(std::span<const TRefusedPower> refused) {
  for (const TRefusedPower& power : refused) {
    Refused(power.Unit, power.Key, power.Text);
  }
}

void TReadingReport::Finish() const {
  if (!errors_.empty()) {
    throw Exception(errors_);
  }
}

void TReadingReport::Add(std::string_view problem, std::string_view consequence,
                         std::string_view hint) {
  if (!strict_) {
    WriteErrorLine(err_, {"warning: ", problem, consequence, hint});
    return;
  }
  // Each line of the one error with the program's prefix, as every line has.
  errors_.append(errors_.empty() ? "" : "\n" + std::string(kProgramPrefix))
      .append(problem)
      .append(hint);
}

// A stored text that the catalogue counted as 0 because it is not a number under the decimal
// separator in force.
void TReadingReport::Refused(std::string_view unit, std::string_view key, std::string_view text) {
  Add(StoredTextName(unit, key, text) + " cannot be read with the decimal separator " +
          QuotedText(DecimalSeparator()),
      "; counted as 0");
}

}  // namespace calpero
