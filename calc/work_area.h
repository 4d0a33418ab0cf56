#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/evaluation.h"
#include "calc/unit_token.h"

namespace calpero {

// The pixel extent of a caption's text, one line, in the areas' font.
struct TTextExtent {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};
using TTextExtentFn = std::function<TTextExtent(std::string_view caption)>;

// Where something is dropped: an area, or a token (which lies in an area).
using TDropTarget = std::variant<THolder, TTokenId>;

// The work area: two areas and the hidden trash holder, the tokens they hold in order of arrival,
// and who owns whom. Owners free what they own, recursively, wherever the owned tokens lie.
class TWorkArea {
 public:
  // `textExtent` measures a caption in the areas' font; the window passes its font metrics.
  explicit TWorkArea(TTextExtentFn textExtent);
  ~TWorkArea();
  TWorkArea(const TWorkArea&) = delete;
  TWorkArea& operator=(const TWorkArea&) = delete;

  // Makes a token for `unitName` owned by `target`: on an area, its top-left corner at
  // (X - 32, Y - 8) and appended to that area's order; on a token T, at T's corner + (4, 4) in
  // T's area, appended there. Its size then becomes the caption's text extent. Returns its id.
  // The trash holder as target, or a target token that does not exist or lies in the trash, is
  // refused (std::nullopt, nothing changes). Whatever the text-extent function throws passes
  // through, and then no token has been made.
  std::optional<TTokenId> PlaceToken(TDropTarget target, std::int32_t x, std::int32_t y,
                                     std::string_view unitName);

  // Moves `token` onto `target` at (X, Y) in the target's client coordinates: onto itself it is
  // re-centred on the point; onto another token it goes to that token's corner + (4, 4) and into
  // its area; onto its own area it is centred on the point, keeping its place in the order; onto
  // the other area likewise, appended to that area's order. The owner never changes. Returns
  // false, changing nothing, when the token or the target does not exist or lies in the trash
  // (the trash holder itself is no target here: TrashToken is the way there).
  bool MoveToken(TTokenId token, TDropTarget target, std::int32_t x, std::int32_t y);

  // Hides the token and puts it in the trash holder; it stays owned and in memory, and what it
  // owns stays where it lies and keeps counting. A token already in the trash stays as it is
  // (true). Returns false when the token does not exist.
  bool TrashToken(TTokenId token);

  // Frees the token and, recursively, every token it owns, wherever they lie. Returns false when
  // the token does not exist (already freed).
  bool DeleteToken(TTokenId token);

  // Frees every token, trashed ones included: those owned by Numerator, then those owned by
  // Denominator, each with what it owns. Ids are not reused afterwards.
  void ClearTokens();

  // The token with this id, or nullptr when it has been freed (or never existed). The pointer
  // stays valid until that token is freed.
  const TUnitToken* Token(TTokenId token) const;

  // The tokens of a holder in its order of arrival (which is also the drawing order). The
  // pointers stay valid until the next change of the work area.
  std::vector<const TUnitToken*> TokensIn(THolder holder) const;

  // The unit names of each area in order of arrival: the evaluation's input.
  TAreaNames AreaNames() const;

  // The token drawn on top at (X, Y) of an area's client area, if any: the last in the area's
  // order whose rectangle [Left, Left + Width) x [Top, Top + Height) holds the point. Always
  // std::nullopt for the trash holder, whose tokens are never dropped upon.
  std::optional<TTokenId> TokenAt(THolder area, std::int32_t x, std::int32_t y) const;

  // How many tokens exist, trashed ones included.
  std::size_t TokenCount() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace calpero
