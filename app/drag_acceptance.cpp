#include "app/drag_acceptance.h"

namespace calpero {

bool AcceptsDrop(TDragParty target, TDragParty source) {
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
