#include "cli/reading_report.h"

#include <algorithm>
#include <cstddef>
#include <ostream>
#include <unordered_set>
#include <vector>

#include "app/unit_order.h"
#include "app/unread_powers.h"
#include "catalogue/catalogue_reading.h"
#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "catalogue/unit_catalogue.h"
#include "cli/terminal_text.h"
#include "text/text_bytes.h"

namespace calpero {
namespace {

constexpr std::size_t kShortName = 4;

std::size_t Difference(std::size_t a, std::size_t b) { return a > b ? a - b : b - a; }

// The edit distance of `a` and `b` with swaps of neighbours (optimal string alignment), or
// `limit` + 1 as soon as it is known to exceed `limit`. Only the band of cells within `limit` of
// the diagonal can hold a distance that counts, so each row fills at most 2 * limit + 1 cells and
// the time grows with the length of the names, not with its square; cells outside the band read
// as `limit` + 1.
std::size_t BoundedDistance(std::string_view a, std::string_view b, std::size_t limit) {
  if (Difference(a.size(), b.size()) > limit) {
    return limit + 1;
  }
  const std::size_t beyond = limit + 1;
  std::vector<std::size_t> before(b.size() + 1, beyond);
  std::vector<std::size_t> previous(b.size() + 1, beyond);
  std::vector<std::size_t> current(b.size() + 1, beyond);
  for (std::size_t j = 0; j <= std::min(b.size(), limit); ++j) {
    previous[j] = j;
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    const std::size_t first = i > limit ? i - limit : 1;
    const std::size_t last = std::min(b.size(), i + limit);
    // The cell left of the band: the first column while it lies within the limit.
    current[first - 1] = first == 1 ? std::min(i, beyond) : beyond;
    std::size_t rowLeast = current[first - 1];
    for (std::size_t j = first; j <= last; ++j) {
      const bool same = FoldAsciiCase(a[i - 1]) == FoldAsciiCase(b[j - 1]);
      std::size_t cell =
          std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 && FoldAsciiCase(a[i - 1]) == FoldAsciiCase(b[j - 2]) &&
          FoldAsciiCase(a[i - 2]) == FoldAsciiCase(b[j - 1])) {
        cell = std::min(cell, before[j - 2] + 1);
      }
      current[j] = std::min(cell, beyond);
      rowLeast = std::min(rowLeast, current[j]);
    }
    if (rowLeast > limit) {
      return beyond;
    }
    std::swap(before, previous);
    std::swap(previous, current);
  }
  return previous[b.size()];
}

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

std::string ClosestName(std::string_view name, std::span<const std::string> names) {
  // Each find narrows the search to names strictly closer than it.
  std::size_t limit = name.size() <= kShortName ? 1 : 2;
  const std::string* closest = nullptr;
  for (const std::string& candidate : names) {
    const std::size_t distance = BoundedDistance(name, candidate, limit);
    if (distance <= limit) {
      closest = &candidate;
      if (distance == 0) {
        break;
      }
      limit = distance - 1;
    }
  }
  return closest == nullptr ? std::string() : *closest;
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
