#include "window/drag_acceptance.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>

namespace calpero {
namespace {

// The whole acceptance table, one row per target; columns are the sources in the order
// UnitList, Token, Area, Trash, Other.
TEST(AcceptsDrop, FollowsTheAcceptanceTableForEveryPair) {
  constexpr std::array kParties = {TDragParty::UnitList, TDragParty::Token, TDragParty::Area,
                                   TDragParty::Trash, TDragParty::Other};
  struct Row {
    TDragParty target;
    std::array<bool, 5> accepts;
  };
  const auto rows = std::to_array<Row>({
      {TDragParty::Area, {true, true, false, false, false}},
      {TDragParty::Token, {true, true, false, false, false}},
      {TDragParty::UnitList, {false, true, false, false, false}},
      {TDragParty::Trash, {true, true, false, false, false}},
      {TDragParty::Other, {false, false, false, false, false}},
  });
  for (const auto& row : rows) {
    for (std::size_t column = 0; column < kParties.size(); ++column) {
      EXPECT_EQ(AcceptsDrop(row.target, kParties.at(column)), row.accepts.at(column))
          << "target " << static_cast<int>(row.target) << ", source " << column;
    }
  }
}

}  // namespace
}  // namespace calpero
