#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace calpero {

// The three holders of tokens: the two areas on screen and the hidden trash holder.
enum class THolder { Numerator, Denominator, Trash };

// A token's identity. Ids are never reused within one work area, so an id kept by the window
// (the token whose context menu was opened, say) can never name a different, newer token.
using TTokenId = std::uint64_t;

// What owns a token: the area it was first dropped on, or the token it was dropped on.
using TTokenOwner = std::variant<THolder, TTokenId>;

// One unit token on the work area. Positions are relative to the holder's client area and are
// never clamped: a token may lie partly outside its area.
struct TUnitToken {
  TTokenId Id = 0;
  std::string Caption;  // the unit name; never changes after the token is made
  std::string Hint;     // a copy of Caption
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 65;  // 65 x 17 while being made, then the caption's text extent
  std::int32_t Height = 17;
  THolder Holder = THolder::Numerator;
  TTokenOwner Owner = THolder::Numerator;
  bool Visible = true;  // no once in the trash holder

  bool operator==(const TUnitToken&) const = default;
};

}  // namespace calpero
