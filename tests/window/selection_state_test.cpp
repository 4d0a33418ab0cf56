#include "window/selection_state.h"

#include <gtest/gtest.h>

namespace calpero {
namespace {

TEST(TSelectionState, StartsAtIndexZeroWithTheAddButtonsDisabled) {
  const TSelectionState state;
  EXPECT_EQ(state.SelectedIndex(), 0);
  EXPECT_FALSE(state.AddButtonsEnabled());
}

TEST(TSelectionState, RecordsTheSelectedItemOfEachClick) {
  TSelectionState state;
  state.RecordClick(3);
  EXPECT_EQ(state.SelectedIndex(), 3);
  state.RecordClick(0);
  EXPECT_EQ(state.SelectedIndex(), 0);
  state.RecordClick(7);
  EXPECT_EQ(state.SelectedIndex(), 7);
}

TEST(TSelectionState, RecordsZeroForAClickThatLeftNothingSelected) {
  TSelectionState state;
  state.RecordClick(4);
  state.RecordClick(std::nullopt);
  EXPECT_EQ(state.SelectedIndex(), 0);
}

TEST(TSelectionState, KeepsTheAddButtonsEnabledFromTheFirstClickOn) {
  TSelectionState state;
  state.RecordClick(std::nullopt);
  EXPECT_TRUE(state.AddButtonsEnabled());
  state.RecordClick(2);
  EXPECT_TRUE(state.AddButtonsEnabled());
}

}  // namespace
}  // namespace calpero
