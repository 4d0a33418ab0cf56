#pragma once

#include <array>
#include <functional>
#include <map>

#include <QPointer>

#include "calc/work_area.h"
#include "ui/token_label.h"

namespace calpero {

// Keeps the token widgets in step with the work-area model: one TTokenLabel per model token, a
// child of its holder's widget, at the model's place and size, stacked in the holder's order of
// arrival (later ones on top), hidden in the trash holder; widgets of freed tokens are destroyed.
class TTokenWidgets {
 public:
  // `holders` are the widgets that hold the tokens of Numerator, Denominator and the trash
  // holder, in that order. `onCreated` is called once for every new widget, to wire it up.
  TTokenWidgets(std::array<QWidget*, 3> holders, std::function<void(TTokenLabel*)> onCreated);

  // Brings the widgets in line with `workArea`.
  void Sync(const TWorkArea& workArea);

  // The widget of a token, or nullptr when there is none.
  TTokenLabel* Widget(TTokenId id) const;

 private:
  TTokenLabel* WidgetFor(const TUnitToken& token, QWidget* holder);

  std::array<QWidget*, 3> holders_;
  std::function<void(TTokenLabel*)> onCreated_;
  std::map<TTokenId, QPointer<TTokenLabel>> widgets_;
};

}  // namespace calpero
