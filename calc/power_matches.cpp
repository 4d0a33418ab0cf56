#include "calc/power_matches.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "catalogue/catalogue_reading.h"
#include "catalogue/errors.h"
#include "catalogue/unit_catalogue.h"

namespace calpero {
namespace {

// Whether the stored texts of one power give the wanted value, as an evaluation of the unit alone
// would store it. A catalogue repeats a handful of texts ("0", "1", "-2") over thousands of units,
// so each distinct text is inspected once and its verdict remembered. A text that an evaluation
// would refuse (beyond the double or the single-precision range) never gives it.
class PowerVerdicts {
 public:
  explicit PowerVerdicts(float wanted) : wanted_(wanted) {}

  // `text` views the catalogue text, which outlives this object.
  PowerTextVerdict Of(std::string_view text) {
    // The first few distinct texts, nearly all that a catalogue holds, are looked for in a short
    // list, which costs less than hashing them.
    for (const auto& [known, verdict] : few_) {
      if (known.size() == text.size() && std::equal(known.begin(), known.end(), text.begin())) {
        return verdict;
      }
    }
    if (few_.size() < kFew) {
      few_.emplace_back(text, Judge(text));
      return few_.back().second;
    }
    const auto [verdict, isNew] = many_.try_emplace(text);
    if (isNew) {
      verdict->second = Judge(text);
    }
    return verdict->second;
  }

 private:
  static constexpr std::size_t kFew = 16;

  PowerTextVerdict Judge(std::string_view text) const {
    const StoredPower power = InspectStoredPower(text);
    PowerTextVerdict verdict{.Passes = false, .Refused = power.State == StoredPowerState::Refused};
    try {
      verdict.Passes =
          power.State != StoredPowerState::Overflow && StoreSingle(power.Value) == wanted_;
    } catch (const EOverflow&) {
      verdict.Passes = false;
    }
    return verdict;
  }

  float wanted_;
  std::vector<std::pair<std::string_view, PowerTextVerdict>> few_;
  std::unordered_map<std::string_view, PowerTextVerdict> many_;
};

// The question of a search for units with given powers: whether each stored power text gives the
// wanted power of its key.
class WantedPowers final : public PowerTextTest {
 public:
  explicit WantedPowers(const TPowerVector& powers)
      : powers_(powers),
        verdicts_{PowerVerdicts(powers[0]), PowerVerdicts(powers[1]), PowerVerdicts(powers[2]),
                  PowerVerdicts(powers[3])} {}

  PowerTextVerdict Judge(std::size_t key, std::string_view text) override {
    return verdicts_.at(key).Of(text);
  }

  // The powers' exact bits.
  std::string Question() const override {
    std::string question;
    for (const float power : powers_.Powers) {
      question.append(question.empty() ? "" : " ")
          .append(std::to_string(std::bit_cast<std::uint32_t>(power)));
    }
    return question;
  }

 private:
  TPowerVector powers_;
  std::array<PowerVerdicts, 4> verdicts_;
};

}  // namespace

std::vector<std::string> UnitsWithPowers(std::string_view text, const TPowerVector& powers,
                                         std::vector<TRefusedPower>* refused) {
  WantedPowers wanted(powers);
  return UnitsWhosePowersPass(text, wanted, refused);
}

std::vector<std::string> UnitsWithPowers(const CatalogueText& text, const TPowerVector& powers,
                                         std::vector<TRefusedPower>* refused) {
  WantedPowers wanted(powers);
  return UnitsWhosePowersPass(text, wanted, refused);
}

std::vector<std::string> UnitsWithPowers(const UnitCatalogue& catalogue, const TPowerVector& powers,
                                         std::vector<TRefusedPower>* refused) {
  return UnitsWithPowers(*catalogue.ReadText(), powers, refused);
}

TUnitsAndMatches ListUnitsAndMatches(const UnitCatalogue& catalogue,
                                     const std::optional<TPowerVector>& powers) {
  const std::shared_ptr<const CatalogueText> text = catalogue.ReadText();
  TUnitsAndMatches found{.Units = text->Names(), .Matches = {}};
  if (powers) {
    found.Matches = UnitsWithPowers(*text, *powers);
  }
  return found;
}

}  // namespace calpero
