#include "app/selection_state.h"

namespace calpero {

void TSelectionState::RecordClick(std::optional<std::size_t> firstSelected) {
  selectedIndex_ = static_cast<std::int32_t>(firstSelected.value_or(0));
  addButtonsEnabled_ = true;
}

}  // namespace calpero
