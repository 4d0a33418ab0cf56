#include "calc/work_area.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

namespace calpero {
namespace {

// A token's size while it is being made, before its caption is measured.
constexpr std::int32_t kNewTokenWidth = 65;
constexpr std::int32_t kNewTokenHeight = 17;
// Where a token dropped on another token lands, from that token's corner.
constexpr std::int32_t kStackOffset = 4;

std::size_t HolderIndex(THolder holder) { return static_cast<std::size_t>(holder); }

bool IsArea(THolder holder) { return holder != THolder::Trash; }

// Positions are 32-bit and never clamped; arithmetic beyond that range wraps around, as it does
// for the 32-bit coordinates of the window system.
std::int32_t Wrapped(std::int64_t value) { return static_cast<std::int32_t>(value); }

// The corner that centres a box of `extent` pixels on `point`: the half size is the integer half
// with the remainder dropped (extents are never negative).
std::int32_t CentredCorner(std::int64_t point, std::int32_t extent) {
  return Wrapped(point - extent / 2);
}

void Remove(std::vector<TTokenId>& ids, TTokenId id) {
  ids.erase(std::remove(ids.begin(), ids.end(), id), ids.end());
}

}  // namespace

struct TWorkArea::Impl {
  TTextExtentFn TextExtent;
  std::map<TTokenId, TUnitToken> Tokens;
  // Each holder's tokens in order of arrival.
  std::array<std::vector<TTokenId>, 3> Order;
  // What each area owns directly, in order of making.
  std::array<std::vector<TTokenId>, 2> OwnedByArea;
  // What each token owns directly; a token without an entry owns nothing.
  std::map<TTokenId, std::vector<TTokenId>> OwnedByToken;
  TTokenId NextId = 1;

  TUnitToken* Find(TTokenId id) {
    const auto found = Tokens.find(id);
    return found == Tokens.end() ? nullptr : &found->second;
  }

  // A token that can be dropped upon or moved: it exists and lies in an area.
  TUnitToken* FindInArea(TTokenId id) {
    TUnitToken* token = Find(id);
    return token != nullptr && IsArea(token->Holder) ? token : nullptr;
  }

  std::vector<TTokenId>& OwnedBy(const TTokenOwner& owner) {
    if (const auto* area = std::get_if<THolder>(&owner)) {
      return OwnedByArea.at(HolderIndex(*area));
    }
    return OwnedByToken[std::get<TTokenId>(owner)];
  }

  // A token as it is first made on `target`, 65 x 17 at its place, owned by the target and
  // lying in the target's area; std::nullopt when nothing can be dropped on the target.
  std::optional<TUnitToken> StartToken(TDropTarget target, std::int32_t x, std::int32_t y) {
    TUnitToken token;
    token.Width = kNewTokenWidth;
    token.Height = kNewTokenHeight;
    if (const auto* area = std::get_if<THolder>(&target)) {
      if (!IsArea(*area)) {
        return std::nullopt;
      }
      token.Holder = *area;
      token.Owner = *area;
      // Centred as the 65 x 17 box it is while being made, whatever the caption's extent.
      token.Left = CentredCorner(x, kNewTokenWidth);
      token.Top = CentredCorner(y, kNewTokenHeight);
      return token;
    }
    const TUnitToken* below = FindInArea(std::get<TTokenId>(target));
    if (below == nullptr) {
      return std::nullopt;
    }
    token.Holder = below->Holder;
    token.Owner = below->Id;
    token.Left = Wrapped(std::int64_t{below->Left} + kStackOffset);
    token.Top = Wrapped(std::int64_t{below->Top} + kStackOffset);
    return token;
  }

  // Takes the token out of its holder's order and appends it to `holder`'s.
  void Relocate(TUnitToken& token, THolder holder) {
    Remove(Order.at(HolderIndex(token.Holder)), token.Id);
    token.Holder = holder;
    Order.at(HolderIndex(holder)).push_back(token.Id);
  }

  // The token and everything it owns, directly or through other tokens.
  std::vector<TTokenId> WithEverythingOwned(TTokenId root) const {
    std::vector<TTokenId> found{root};
    for (std::size_t next = 0; next < found.size(); ++next) {
      const auto owned = OwnedByToken.find(found[next]);
      if (owned != OwnedByToken.end()) {
        found.insert(found.end(), owned->second.begin(), owned->second.end());
      }
    }
    return found;
  }

  // Frees an existing token and what it owns. Every token's owner outlives it, so the owner's
  // list is still there to be updated and no list is left naming a freed token.
  void Free(TTokenId root) {
    const std::vector<TTokenId> doomed = WithEverythingOwned(root);
    Remove(OwnedBy(Tokens.at(root).Owner), root);
    for (const TTokenId id : doomed) {
      Remove(Order.at(HolderIndex(Tokens.at(id).Holder)), id);
      OwnedByToken.erase(id);
      Tokens.erase(id);
    }
  }
};

TWorkArea::TWorkArea(TTextExtentFn textExtent) : impl_(std::make_unique<Impl>()) {
  impl_->TextExtent = std::move(textExtent);
}

TWorkArea::~TWorkArea() = default;

std::optional<TTokenId> TWorkArea::PlaceToken(TDropTarget target, std::int32_t x, std::int32_t y,
                                              std::string_view unitName) {
  std::optional<TUnitToken> token = impl_->StartToken(target, x, y);
  if (!token) {
    return std::nullopt;
  }
  token->Caption = std::string(unitName);
  token->Hint = token->Caption;
  // Measured before the token joins anything, so a failing measurement leaves no half-made
  // token behind.
  const TTextExtent extent = impl_->TextExtent(token->Caption);
  token->Width = extent.Width;
  token->Height = extent.Height;
  token->Id = impl_->NextId++;

  const TTokenId id = token->Id;
  impl_->OwnedBy(token->Owner).push_back(id);
  impl_->Order.at(HolderIndex(token->Holder)).push_back(id);
  impl_->Tokens.emplace(id, std::move(*token));
  return id;
}

bool TWorkArea::MoveToken(TTokenId token, TDropTarget target, std::int32_t x, std::int32_t y) {
  TUnitToken* moved = impl_->FindInArea(token);
  if (moved == nullptr) {
    return false;
  }
  if (const auto* area = std::get_if<THolder>(&target)) {
    if (!IsArea(*area)) {
      return false;
    }
    // Onto the other area it joins the end of that area's order; within its own it keeps its
    // place.
    if (*area != moved->Holder) {
      impl_->Relocate(*moved, *area);
    }
    moved->Left = CentredCorner(x, moved->Width);
    moved->Top = CentredCorner(y, moved->Height);
    return true;
  }
  const TTokenId targetId = std::get<TTokenId>(target);
  if (targetId == token) {
    // The point is measured from the token's own corner: it is re-centred there.
    moved->Left = CentredCorner(std::int64_t{moved->Left} + x, moved->Width);
    moved->Top = CentredCorner(std::int64_t{moved->Top} + y, moved->Height);
    return true;
  }
  const TUnitToken* below = impl_->FindInArea(targetId);
  if (below == nullptr) {
    return false;
  }
  moved->Left = Wrapped(std::int64_t{below->Left} + kStackOffset);
  moved->Top = Wrapped(std::int64_t{below->Top} + kStackOffset);
  if (below->Holder != moved->Holder) {
    impl_->Relocate(*moved, below->Holder);
  }
  return true;
}

bool TWorkArea::TrashToken(TTokenId token) {
  TUnitToken* trashed = impl_->Find(token);
  if (trashed == nullptr) {
    return false;
  }
  if (trashed->Holder == THolder::Trash) {
    return true;
  }
  trashed->Visible = false;
  impl_->Relocate(*trashed, THolder::Trash);
  return true;
}

bool TWorkArea::DeleteToken(TTokenId token) {
  if (impl_->Find(token) == nullptr) {
    return false;
  }
  impl_->Free(token);
  return true;
}

void TWorkArea::ClearTokens() {
  for (const THolder area : {THolder::Numerator, THolder::Denominator}) {
    // Freeing a token takes it off its owner's list, so take the first until none is left.
    const std::vector<TTokenId>& owned = impl_->OwnedBy(area);
    while (!owned.empty()) {
      impl_->Free(owned.front());
    }
  }
}

const TUnitToken* TWorkArea::Token(TTokenId token) const { return impl_->Find(token); }

std::vector<const TUnitToken*> TWorkArea::TokensIn(THolder holder) const {
  std::vector<const TUnitToken*> held;
  for (const TTokenId id : impl_->Order.at(HolderIndex(holder))) {
    held.push_back(Token(id));
  }
  return held;
}

TAreaNames TWorkArea::AreaNames() const {
  TAreaNames names;
  for (const TUnitToken* token : TokensIn(THolder::Numerator)) {
    names.Numerator.push_back(token->Caption);
  }
  for (const TUnitToken* token : TokensIn(THolder::Denominator)) {
    names.Denominator.push_back(token->Caption);
  }
  return names;
}

std::optional<TTokenId> TWorkArea::TokenAt(THolder area, std::int32_t x, std::int32_t y) const {
  if (!IsArea(area)) {
    return std::nullopt;
  }
  const std::vector<TTokenId>& held = impl_->Order.at(HolderIndex(area));
  // The last in order is drawn on top, so it is the one hit. (Reverse iterators rather than a
  // reversed range: clang-based tools of Debian 12 cannot parse libstdc++ 12's reverse_view.)
  // NOLINTNEXTLINE(modernize-loop-convert)
  for (auto it = held.rbegin(); it != held.rend(); ++it) {
    const TTokenId id = *it;
    const TUnitToken& token = impl_->Tokens.at(id);
    const bool insideX =
        x >= token.Left && std::int64_t{x} < std::int64_t{token.Left} + token.Width;
    const bool insideY = y >= token.Top && std::int64_t{y} < std::int64_t{token.Top} + token.Height;
    if (insideX && insideY) {
      return id;
    }
  }
  return std::nullopt;
}

std::size_t TWorkArea::TokenCount() const { return impl_->Tokens.size(); }

}  // namespace calpero
