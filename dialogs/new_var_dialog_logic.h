#pragma once

#include <array>
#include <optional>
#include <string>

#include "calc/power_vector.h"
#include "catalogue/unit_catalogue.h"
#include "dialogs/new_var_dialog_view.h"

namespace calpero {

// How a save ended: nothing written, a new unit written, or an existing unit replaced.
enum class TSaveOutcome { NotSaved, Saved, Replaced };

// The new-unit dialog without its window: it fills the fields from a power vector and saves the
// four powers typed in under the name typed in. The five field texts are the only state of a
// save; the view supplies them and the message boxes, the catalogue handle stores the unit.
class TNewVarDialogLogic {
 public:
  // Keeps references to `view` and `dataFile`; both must outlive this object.
  TNewVarDialogLogic(TNewVarDialogView& view, UnitCatalogue& dataFile);

  // Empties the name field, then sets the four power fields to FormatPower of the components of
  // `powers`, Mass to Time, under the decimal separator in force. Does not throw.
  void PreFill(const TPowerVector& powers);

  // One save, as either of the dialog's save buttons runs it:
  // - a field whose text is empty (checked Mass, Length, Temperature, Time, name; a text of
  //   blanks is not empty) shows MessageId::kBlankFields and ends it;
  // - a name that UnitExists finds asks MessageId::kReplaceUnit, whether to replace it;
  //   any answer but Yes ends it;
  // - then all four fields are converted with ParsePower before anything is written, and the
  //   four powers go to the catalogue in one WritePowers call under the name exactly as typed;
  //   when no question was asked, that call keeps a unit of that name that the file holds when it
  //   is written (another program saved it after the check): then the question is asked after
  //   all, and only Yes writes, replacing it.
  // A save that ends early, or fails, writes nothing; the fields keep their texts. Returns
  // whether the unit was written, and whether it replaced one.
  // Throws EConvertError for the first power field that is not a number, EPowerTooLarge for the
  // first that lies beyond double range or whose stored text would (PowerToStorableDouble), and
  // whatever WritePowers throws (EInvalidUnitName, EIniFileException).
  TSaveOutcome Save();

 private:
  bool HasBlankField() const;
  bool MayReplaceUnit();
  std::array<double, 4> ConvertedPowers() const;

  TNewVarDialogView& view_;
  UnitCatalogue& dataFile_;
};

}  // namespace calpero
