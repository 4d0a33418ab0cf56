#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace calpero {

// What the last click on the unit list left behind, apart from the list's own current item:
// SelectedIndex (0 until the first click) and whether the add buttons are enabled (from the
// first click on, for the rest of the run). The find, an erase and a reload of the list leave it
// as it is.
class TSelectionState {
 public:
  // A click on the list that left `firstSelected` as the first selected item (std::nullopt when
  // nothing is selected, which records 0).
  void RecordClick(std::optional<std::size_t> firstSelected) {
    selectedIndex_ = static_cast<std::int32_t>(firstSelected.value_or(0));
    addButtonsEnabled_ = true;
  }

  std::int32_t SelectedIndex() const { return selectedIndex_; }
  bool AddButtonsEnabled() const { return addButtonsEnabled_; }

 private:
  std::int32_t selectedIndex_ = 0;
  bool addButtonsEnabled_ = false;
};

}  // namespace calpero
