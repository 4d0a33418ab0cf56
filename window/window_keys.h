#pragma once

#include <span>
#include <string_view>

namespace calpero {

// The main window's commands that have a key of their own besides their button or menu item.
enum class TWindowCommand {
  FindUnit,
  AddToNumerator,
  AddToDenominator,
  EvaluateResultant,
  EvaluateNumerator,
  EvaluateDenominator,
  NewUnit,
  BackUp,
  Restore,
  ClearWorkArea,
  TakeOffNumerator,
  TakeOffDenominator,
  Undo,
  Redo,
  EraseUnit,
};

// Where a key acts: anywhere in the window, or only while the unit list has the focus (there the
// find box keeps the key for its own editing).
enum class TKeyScope { Window, UnitList };

// A desktop-wide standard key that a command follows where the desktop defines one; the key
// text below is what that standard means on the desktops the program runs on.
enum class TStandardKey { None, Find, New };

// One row of the window's key table: the command, its key in the toolkit's portable text form
// ("Ctrl+Shift+R"), the desktop standard it follows, what it does, as the help page says it, and
// where it acts.
struct TWindowKey {
  TWindowCommand Command;
  std::string_view Keys;
  TStandardKey Standard;
  std::string_view Effect;
  TKeyScope Scope = TKeyScope::Window;
};

// The key table of the main window, in the order the help page lists it. Every command that
// changes or destroys the user's work is held with Ctrl, and restoring the backup, which replaces
// the whole catalogue, takes a three-key chord. No key of the whole window is one that the find
// box edits with or that the unit list's type-ahead reads.
std::span<const TWindowKey> WindowKeys();

}  // namespace calpero
