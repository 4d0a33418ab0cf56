#include "ui/token_widgets.h"

#include <utility>

namespace calpero {
namespace {

constexpr std::array<THolder, 3> kHolders = {THolder::Numerator, THolder::Denominator,
                                             THolder::Trash};

}  // namespace

TTokenWidgets::TTokenWidgets(std::array<QWidget*, 3> holders,
                             std::function<void(TTokenLabel*)> onCreated)
    : holders_(holders), onCreated_(std::move(onCreated)) {}

void TTokenWidgets::Sync(const TWorkArea& workArea) {
  for (auto it = widgets_.begin(); it != widgets_.end();) {
    if (workArea.Token(it->first) == nullptr) {
      delete it->second.data();
      it = widgets_.erase(it);
    } else {
      ++it;
    }
  }
  for (std::size_t h = 0; h < kHolders.size(); ++h) {
    const bool shown = kHolders.at(h) != THolder::Trash;
    for (const TUnitToken* token : workArea.TokensIn(kHolders.at(h))) {
      TTokenLabel* widget = WidgetFor(*token, holders_.at(h));
      widget->setGeometry(token->Left, token->Top, token->Width, token->Height);
      widget->setVisible(shown && token->Visible);
      widget->raise();
    }
  }
}

TTokenLabel* TTokenWidgets::Widget(TTokenId id) const {
  const auto found = widgets_.find(id);
  return found == widgets_.end() ? nullptr : found->second.data();
}

TTokenLabel* TTokenWidgets::WidgetFor(const TUnitToken& token, QWidget* holder) {
  TTokenLabel* widget = Widget(token.Id);
  if (widget == nullptr) {
    widget = new TTokenLabel(token.Id, token.Caption, holder);
    widgets_[token.Id] = widget;
    onCreated_(widget);
  } else if (widget->parentWidget() != holder) {
    widget->setParent(holder);
  }
  return widget;
}

}  // namespace calpero
