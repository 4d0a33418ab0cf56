#pragma once

namespace calpero {

// The parties of a drag inside the main window, as the window tells them apart: the unit list
// (the control named "UnitsListBox"), a unit token (by its class), one of the two areas (the
// controls named "Numerator" and "Denominator"), the trash picture, and anything else.
enum class TDragParty { UnitList, Token, Area, Trash, Other };

// Whether `target` accepts a drop of `source`: the areas and tokens take the unit list and tokens;
// the unit list takes tokens only; the trash takes the unit list and tokens; nothing else accepts
// anything, and nothing accepts a source of any other kind (the trash picture, which can be
// dragged too, is refused everywhere).
constexpr bool AcceptsDrop(TDragParty target, TDragParty source) {
  const bool fromList = source == TDragParty::UnitList;
  const bool fromToken = source == TDragParty::Token;
  switch (target) {
    case TDragParty::Area:
    case TDragParty::Token:
    case TDragParty::Trash:
      return fromList || fromToken;
    case TDragParty::UnitList:
      return fromToken;
    case TDragParty::Other:
      return false;
  }
  return false;
}

}  // namespace calpero
