#pragma once

#include <array>
#include <initializer_list>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calc/power_matches.h"

namespace calpero {

class CatalogueReading;
class UnitCatalogue;

// The start of every line that calpero-cli writes to standard error.
inline constexpr std::string_view kProgramPrefix = "calpero-cli: ";

// Writes kProgramPrefix, the pieces and a line end to `err` in a single write. Scripts run
// calpero-cli side by side with their errors going to one log, and a line written piece by
// piece (standard error is unbuffered) can have another program's line in the middle of it.
void WriteErrorLine(std::ostream& err, std::initializer_list<std::string_view> pieces);

// The names among `names` for which the reading found no section, compared as the catalogue
// compares names (ASCII letters without regard to case), each once, in the order of their first
// appearance and spelled as first given. A section that is present but holds no entries counts
// as present: it reads as zeros, but the unit is there. `reading` must have been made for all of
// `names`. One hash lookup per name; never throws beyond allocation failure.
std::vector<std::string> MissingUnits(const CatalogueReading& reading,
                                      std::span<const std::string> names);

// What a command reports about what it read from the catalogue: names that it does not hold and
// stored powers that it cannot read. The window counts both as zeros without a word; a script
// should hear of them, since a typing error or a value saved under another decimal separator looks
// just like a unit without dimension. Each problem is a warning on `err` at once, or, when
// `strict`, a line of the one error that Finish raises, before anything is printed. Every text
// of the user's or the catalogue's is quoted as TerminalText shows it.
class TReadingReport {
 public:
  TReadingReport(bool strict, std::ostream& err) : strict_(strict), err_(err) {}

  // Each name of `names` (read by `reading`) that the catalogue does not hold, once: "no unit
  // named 'X'", then `consequence` when only a warning, then "did you mean 'Y'?" with the closest
  // name of `catalogue` (ClosestName) when there is one and at most 20 names are missing.
  void MissingNames(const CatalogueReading& reading, std::span<const std::string> names,
                    std::string_view consequence, const UnitCatalogue& catalogue);
  // The same for names already known to be missing (a change decided it under the lock).
  void MissingNames(std::span<const std::string> missing, std::string_view consequence,
                    const UnitCatalogue& catalogue);

  // Each stored power of the units of `names` (read by `reading`) that the catalogue cannot read,
  // once per unit and key: "unit 'U': Key=text cannot be read with the decimal separator '.'",
  // counted as 0. A stored number beyond the double range throws an Exception naming the unit and
  // the key, or with `keepOverflow` is reported as well. The stored texts of the first name's
  // unread powers go to `unreadTexts` when it is given.
  void UnreadPowers(const CatalogueReading& reading, std::span<const std::string> names,
                    bool keepOverflow,
                    std::array<std::optional<std::string>, 4>* unreadTexts = nullptr);

  // The refused stored texts that a comparison of the whole catalogue counted as 0.
  void RefusedPowers(std::span<const TRefusedPower> refused);

  // Throws the Exception of several lines that `strict` made of the problems, if any.
  void Finish() const;

 private:
  // `problem`, then `consequence` when it is only a warning, then `hint`.
  void Add(std::string_view problem, std::string_view consequence, std::string_view hint = {});
  void Refused(std::string_view unit, std::string_view key, std::string_view text);

  bool strict_;
  std::ostream& err_;
  std::string errors_;
};

}  // namespace calpero
