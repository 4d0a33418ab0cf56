#include "dialogs/new_var_dialog_logic.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>

#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"

namespace calpero {
namespace {

// The power fields in the order of kPowerKeys, then the name: the order of the blank check.
constexpr std::array<TNewVarField, 4> kPowerFields = {
    TNewVarField::Mass, TNewVarField::Length, TNewVarField::Temperature, TNewVarField::Time};
constexpr std::array<TNewVarField, 5> kBlankCheckOrder = {TNewVarField::Mass, TNewVarField::Length,
                                                          TNewVarField::Temperature,
                                                          TNewVarField::Time, TNewVarField::Name};

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
  if (HasBlankField()) {
    view_.ShowMessage(MessageId::kBlankFields, MessageId::kBlankFieldsCaption,
                      kMessageFlagsWarning);
    return TSaveOutcome::NotSaved;
  }
  const std::string name = view_.FieldText(TNewVarField::Name);
  const bool asked = dataFile_.UnitExists(name);
  if (asked && !MayReplaceUnit()) {
    return TSaveOutcome::NotSaved;
  }

  // Every field is converted before the first write, and the four powers go to the file in one
  // replacement, so a save that fails part-way never leaves a unit half old and half new.
  const std::array<double, 4> powers = ConvertedPowers();
  std::array<std::pair<std::string_view, double>, 4> entries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    entries.at(i) = {kPowerKeys.at(i), powers.at(i)};
  }
  using ExistingUnit = UnitCatalogue::ExistingUnit;
  if (asked) {
    dataFile_.WritePowers(name, entries, ExistingUnit::kReplace);
    return TSaveOutcome::Replaced;
  }
  if (dataFile_.WritePowers(name, entries, ExistingUnit::kKeep)) {
    return TSaveOutcome::Saved;
  }
  // Another program saved a unit of that name after the check: the user decides, as for one that
  // was there before.
  if (!MayReplaceUnit()) {
    return TSaveOutcome::NotSaved;
  }
  dataFile_.WritePowers(name, entries, ExistingUnit::kReplace);
  return TSaveOutcome::Replaced;
}

bool TNewVarDialogLogic::HasBlankField() const {
  // any_of stops at the first blank field, in the order of the check.
  return std::ranges::any_of(kBlankCheckOrder,
                             [this](TNewVarField field) { return view_.FieldText(field).empty(); });
}

bool TNewVarDialogLogic::MayReplaceUnit() {
  return view_.ShowMessage(MessageId::kReplaceUnit, MessageId::kReplaceUnitCaption,
                           kMessageFlagsYesNo) == kMessageYes;
}

std::array<double, 4> TNewVarDialogLogic::ConvertedPowers() const {
  std::array<double, 4> powers{};
  for (std::size_t i = 0; i < kPowerFields.size(); ++i) {
    // ParsePower reads at extended precision; the catalogue stores doubles as 15-digit texts. A
    // number beyond double range, or one whose stored text would round past it, could not be
    // stored so that it reads back, so it is refused here, quoting the field as the user typed
    // it rather than the catalogue's bare EOverflow.
    powers.at(i) = ConvertPowerText(view_.FieldText(kPowerFields.at(i)), PowerRange::Storable);
  }
  return powers;
}

}  // namespace calpero
