#include "ui/token_widgets.h"

#include <utility>

#include <QPainter>
#include <QStringList>

#include "ui/hint.h"
#include "window/accelerator_text.h"

namespace calpero {
namespace {

// The holders in the order that the widgets' holders are given.
constexpr std::array<THolder, 3> kHolders = {THolder::Numerator, THolder::Denominator,
                                             THolder::Trash};

QString RunText(const TTextRun& run) {
  return QString::fromUtf8(run.Text.data(), static_cast<qsizetype>(run.Text.size()));
}

}  // namespace

QFont TokenFont(const QFont& areaFont) {
  // The area's face and its stand-ins first, so that Latin keeps its look. The system's own
  // fallback for a script looks for the requested style, and the faces most systems have with
  // Arabic have it only upright (DejaVu Sans' oblique faces lack it), so a name in Arabic showed as
  // boxes in bold italic. Amiri, a book face with Arabic and Latin, has bold slanted faces.
  QStringList families = {areaFont.family()};
  families << QFont::substitutes(areaFont.family()) << QStringLiteral("Amiri");
  QFont font = areaFont;
  font.setFamilies(families);
  return font;
}

TTextExtent MeasureCaption(const QFont& font, std::string_view caption) {
  const QFontMetrics metrics(font);
  int width = 0;
  for (const TTextRun& run : AcceleratorRuns(caption)) {
    width += metrics.horizontalAdvance(RunText(run));
  }
  return {width, metrics.height()};
}

TTokenLabel::TTokenLabel(TTokenId id, std::string caption, QWidget* parent)
    : QWidget(parent), id_(id), caption_(std::move(caption)) {
  const QString name = QString::fromUtf8(caption_.data(), static_cast<qsizetype>(caption_.size()));
  SetHint(this, name);
  // Read out by the unit's name, as it is shown; described by its hint, as every control is.
  setAccessibleName(name);
  setAccessibleDescription(name);
  setContextMenuPolicy(Qt::CustomContextMenu);
}

void TTokenLabel::SetDragged(bool dragged) {
  dragged_ = dragged;
  update();
}

QColor TTokenLabel::TextColor() const {
  return dragged_ ? QColor(255, 0, 0) : palette().color(QPalette::WindowText);
}

void TTokenLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(TextColor());
  QFont plain = font();
  QFont underlined = font();
  underlined.setUnderline(true);
  const int baseline = QFontMetrics(plain).ascent();
  int x = 0;
  for (const TTextRun& run : AcceleratorRuns(caption_)) {
    const QString text = RunText(run);
    painter.setFont(run.Underlined ? underlined : plain);
    painter.drawText(x, baseline, text);
    x += QFontMetrics(plain).horizontalAdvance(text);
  }
}

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
