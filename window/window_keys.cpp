#include "window/window_keys.h"

#include <array>

namespace calpero {
namespace {

constexpr std::array<TWindowKey, 16> kWindowKeys = {{
    {TWindowCommand::FindUnit, "Ctrl+F", TStandardKey::Find,
     "Puts the cursor in the find box, its text selected"},
    {TWindowCommand::AddToNumerator, "Ctrl+Up", TStandardKey::None,
     "Adds the selected unit to the numerator"},
    {TWindowCommand::AddToDenominator, "Ctrl+Down", TStandardKey::None,
     "Adds the selected unit to the denominator"},
    {TWindowCommand::EvaluateResultant, "Ctrl+E", TStandardKey::None, "Evaluates the resultant"},
    {TWindowCommand::EvaluateNumerator, "Ctrl+Shift+N", TStandardKey::None,
     "Evaluates the numerator alone"},
    {TWindowCommand::EvaluateDenominator, "Ctrl+Shift+D", TStandardKey::None,
     "Evaluates the denominator alone"},
    {TWindowCommand::NewUnit, "Ctrl+N", TStandardKey::New,
     "Opens the Create Variable Dialogue with the resultant"},
    {TWindowCommand::BackUp, "Ctrl+B", TStandardKey::None, "Backs the catalogue up"},
    {TWindowCommand::Restore, "Ctrl+Shift+R", TStandardKey::None,
     "Restores the catalogue from the backup"},
    {TWindowCommand::ClearWorkArea, "Ctrl+Shift+Del", TStandardKey::None, "Clears the work area"},
    {TWindowCommand::TakeOffNumerator, "Ctrl+Shift+Up", TStandardKey::None,
     "Takes the newest unit off the numerator, as its Delete menu item does"},
    {TWindowCommand::TakeOffDenominator, "Ctrl+Shift+Down", TStandardKey::None,
     "Takes the newest unit off the denominator, as its Delete menu item does"},
    {TWindowCommand::Undo, "Ctrl+Z", TStandardKey::None,
     "Undoes the last change that the window made to the catalogue or the backup"},
    {TWindowCommand::Redo, "Ctrl+Shift+Z", TStandardKey::None, "Redoes the change last undone"},
    {TWindowCommand::Redo, "Ctrl+Y", TStandardKey::None, "Redoes the change last undone"},
    {TWindowCommand::EraseUnit, "Ctrl+Del", TStandardKey::None,
     "In the unit list: erases the selected unit from the catalogue, as the list's Delete menu "
     "item does",
     TKeyScope::UnitList},
}};

}  // namespace

std::span<const TWindowKey> WindowKeys() { return kWindowKeys; }

}  // namespace calpero
