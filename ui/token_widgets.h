#pragma once

#include <array>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include <QPointer>
#include <QWidget>

#include "calc/unit_token.h"
#include "calc/work_area.h"

namespace calpero {

// The text extent of a caption drawn in `font` with the accelerator-prefix rule (AcceleratorRuns):
// the width of what is drawn and the font's line height. What the work area sizes tokens by.
TTextExtent MeasureCaption(const QFont& font, std::string_view caption);

// The font that tokens are drawn in: `areaFont` (its face, size and style) for every character it
// has, and for scripts it lacks (Arabic in a Latin serif), a face that has them, also in bold
// italic, so that no name shows as boxes.
QFont TokenFont(const QFont& areaFont);

// A unit token on screen: the unit's name drawn transparently in its area's font and colour,
// from the top-left corner, with the accelerator-prefix rule. While it is dragged its text is
// red. The token's identity (which model token it shows) is fixed; where it lies and its size
// follow the work-area model.
class TTokenLabel : public QWidget {
  Q_OBJECT

 public:
  // `caption` is the unit name as stored; it is shown decoded as UTF-8.
  TTokenLabel(TTokenId id, std::string caption, QWidget* parent);

  TTokenId Id() const { return id_; }
  const std::string& Caption() const { return caption_; }

  // Red text while dragged; the area's colour otherwise.
  void SetDragged(bool dragged);
  bool IsDragged() const { return dragged_; }

  // The colour the text is drawn in now.
  QColor TextColor() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TTokenId id_;
  std::string caption_;
  bool dragged_ = false;
};

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
