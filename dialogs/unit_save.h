#pragma once

#include <array>
#include <functional>
#include <string>

#include "catalogue/unit_catalogue.h"

namespace calpero {

// A unit to save as the user typed it: its name and its four powers in the order of kPowerKeys
// (Mass, Length, Temperature, Time), each a text in the form ParsePower reads.
struct TUnitTexts {
  std::string Name;
  std::array<std::string, 4> Powers;
};

// How SaveUnit ended: nothing written because a text was empty or replacing was declined, a new
// unit written, or an existing unit replaced.
enum class TUnitSaveEnd { BlankField, ReplaceDeclined, Saved, Replaced };

// The one way a unit is saved, by the new-unit dialog and by calpero-cli's save alike:
// - any empty text (a text of blanks is not empty) ends it at once: BlankField;
// - a name that UnitExists finds asks `mayReplace`; anything but true ends it: ReplaceDeclined;
// - then all four powers are converted with ParsePower before anything is written, and go to the
//   catalogue in one WritePowers call under the name exactly as typed; when no question was
//   asked, that call keeps a unit of that name that the file holds when it is written (another
//   program saved it after the check): then `mayReplace` is asked after all, and only true
//   writes, replacing it.
// A save that ends early, or fails, writes nothing.
// Throws EConvertError for the first power that is not a number, EPowerTooLarge for the first
// that lies beyond double range or whose stored text would (PowerToStorableDouble), and whatever
// WritePowers throws (EInvalidUnitName, EIniFileException).
TUnitSaveEnd SaveUnit(UnitCatalogue& catalogue, const TUnitTexts& unit,
                      const std::function<bool()>& mayReplace);

}  // namespace calpero
