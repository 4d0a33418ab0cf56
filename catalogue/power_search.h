#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace calpero {

class CatalogueText;

// A stored power that the catalogue could not read and counted as 0: the unit, the key, the text.
struct TRefusedPower {
  std::string Unit;
  std::string_view Key;
  std::string Text;

  bool operator==(const TRefusedPower&) const = default;
};

// What a power search makes of one stored power text.
struct PowerTextVerdict {
  bool Passes = false;
  bool Refused = false;  // the catalogue's rules refuse the text (StoredPowerState::Refused)
};

// The question that a power search asks of each unit's stored power texts, one at a time.
class PowerTextTest {
 public:
  PowerTextTest() = default;
  PowerTextTest(const PowerTextTest&) = delete;
  PowerTextTest& operator=(const PowerTextTest&) = delete;
  virtual ~PowerTextTest() = default;

  // The verdict on `text`, the value of a unit's first entry of kPowerKeys[key] (empty when it
  // has none). `text` views the catalogue text, which outlives the search.
  virtual PowerTextVerdict Judge(std::size_t key, std::string_view text) = 0;

  // What the verdicts depend on beyond the texts and the decimal separator (the values wanted),
  // so that a search remembered with a reading is used again only for the same question.
  virtual std::string Question() const = 0;
};

// The names of the units of the catalogue text `text` whose four stored power texts each pass
// `test`, asked in the order of kPowerKeys and, for each unit, only up to the first that fails
// (which for nearly every unit of a catalogue is the first). A name counts by its first section,
// the one the catalogue reads, so a later section of the same name (letter case aside) is passed
// over. The names come in file order, each in its stored bytes. One walk over the section
// headers; never throws beyond allocation and what `test` throws.
// When `refused` is given, each text that was judged and found refused is added to it, once per
// unit and key, in file order, for the units that the catalogue reads.
std::vector<std::string> UnitsWhosePowersPass(std::string_view text, PowerTextTest& test,
                                              std::vector<TRefusedPower>* refused = nullptr);

// The same on a reading, whose headers are walked once. The search is remembered with the reading
// (CatalogueText::RememberFound) under the test's question and the decimal separator in force, so
// asking it again of the same reading, or of the reading that an erase left, costs no search
// (except with `refused`, which only a search finds).
std::vector<std::string> UnitsWhosePowersPass(const CatalogueText& text, PowerTextTest& test,
                                              std::vector<TRefusedPower>* refused = nullptr);

}  // namespace calpero
