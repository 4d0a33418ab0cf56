#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/work_area.h"

namespace calpero::testing {

constexpr std::int32_t kPixelsPerByte = 7;
constexpr std::int32_t kLineHeight = 19;

// A stand-in for the window's font metrics: 7 pixels per byte, one 19-pixel line.
inline TTextExtent FixedExtent(std::string_view caption) {
  return {.Width = kPixelsPerByte * static_cast<std::int32_t>(caption.size()),
          .Height = kLineHeight};
}

using Corner = std::pair<std::int32_t, std::int32_t>;

class WorkAreaFixture : public ::testing::Test {
 protected:
  Corner CornerOf(TTokenId id) const {
    const TUnitToken* token = area_.Token(id);
    EXPECT_NE(token, nullptr);
    return token == nullptr ? Corner{} : Corner{token->Left, token->Top};
  }

  std::vector<TTokenId> Order(THolder holder) const {
    std::vector<TTokenId> ids;
    for (const TUnitToken* token : area_.TokensIn(holder)) {
      ids.push_back(token->Id);
    }
    return ids;
  }

  // Every token of every holder, in holder order.
  std::vector<TUnitToken> Snapshot() const {
    std::vector<TUnitToken> tokens;
    for (const THolder holder : {THolder::Numerator, THolder::Denominator, THolder::Trash}) {
      for (const TUnitToken* token : area_.TokensIn(holder)) {
        tokens.push_back(*token);
      }
    }
    return tokens;
  }

  // Places a unit so that its corner lands on (left, top) of the area.
  TTokenId PlaceAt(THolder holder, std::int32_t left, std::int32_t top,
                   std::string_view name = "unit") {
    return area_.PlaceToken(holder, left + 32, top + 8, name).value();
  }

  TWorkArea area_{FixedExtent};
};

}  // namespace calpero::testing
