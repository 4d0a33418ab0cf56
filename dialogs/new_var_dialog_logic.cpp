#include "dialogs/new_var_dialog_logic.h"

#include <cstddef>

#include "catalogue/power_text.h"
#include "dialogs/unit_save.h"

namespace calpero {
namespace {

// The power fields in the order of kPowerKeys.
constexpr std::array<TNewVarField, 4> kPowerFields = {
    TNewVarField::Mass, TNewVarField::Length, TNewVarField::Temperature, TNewVarField::Time};

}  // namespace

TNewVarDialogLogic::TNewVarDialogLogic(TNewVarDialogView& view, UnitCatalogue& dataFile)
    : view_(view), dataFile_(dataFile) {}

void TNewVarDialogLogic::PreFill(const TPowerVector& powers) {
  view_.SetFieldText(TNewVarField::Name, "");
  for (std::size_t i = 0; i < kPowerFields.size(); ++i) {
    view_.SetFieldText(kPowerFields.at(i), FormatPower(powers[i]));
  }
}

TSaveOutcome TNewVarDialogLogic::Save() {
  TUnitTexts unit{.Name = view_.FieldText(TNewVarField::Name), .Powers = {}};
  for (std::size_t i = 0; i < kPowerFields.size(); ++i) {
    unit.Powers.at(i) = view_.FieldText(kPowerFields.at(i));
  }
  const TUnitSaveEnd end = SaveUnit(dataFile_, unit, [this] { return MayReplaceUnit(); });
  if (end == TUnitSaveEnd::BlankField) {
    view_.ShowMessage(MessageId::BlankFields, MessageId::BlankFieldsCaption, kMessageFlagsWarning);
  }
  if (end == TUnitSaveEnd::Saved) {
    return TSaveOutcome::Saved;
  }
  return end == TUnitSaveEnd::Replaced ? TSaveOutcome::Replaced : TSaveOutcome::NotSaved;
}

bool TNewVarDialogLogic::MayReplaceUnit() {
  return view_.ShowMessage(MessageId::ReplaceUnit, MessageId::ReplaceUnitCaption,
                           kMessageFlagsYesNo) == kMessageYes;
}

}  // namespace calpero
