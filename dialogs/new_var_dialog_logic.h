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

  // One save, as either of the dialog's save buttons runs it: SaveUnit with the five fields'
  // texts. A field whose text is empty shows MessageId::BlankFields; the
  // question whether to replace a unit is MessageId::ReplaceUnit, and only Yes replaces. The fields
  // keep their texts. Returns whether the unit was written, and whether it replaced one; throws
  // what SaveUnit throws.
  TSaveOutcome Save();

 private:
  bool MayReplaceUnit();

  TNewVarDialogView& view_;
  UnitCatalogue& dataFile_;
};

}  // namespace calpero
