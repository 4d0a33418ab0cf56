#include "ui/hint.h"

#include <QVariant>
#include <QWidget>

#include "app/hint_text.h"

namespace calpero {
namespace {

constexpr const char* kHintProperty = "calperoHint";

QString StatusBarPartOf(const QString& hint) {
  const QByteArray bytes = hint.toUtf8();
  const std::string_view part = StatusBarPart(std::string_view(bytes.data(), bytes.size()));
  return QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size()));
}

}  // namespace

void SetHint(QWidget* widget, const QString& hint) {
  const bool describedByHint = !widget->accessibleDescription().isEmpty() &&
                               widget->accessibleDescription() == ShownHintOf(widget);
  widget->setProperty(kHintProperty, hint);
  if (describedByHint) {
    widget->setAccessibleDescription(ShownHintOf(widget));
  }
}

QString HintOf(const QWidget* widget) { return widget->property(kHintProperty).toString(); }

QString ShownHintOf(const QWidget* widget) {
  const QString hint = HintOf(widget);
  return hint.isEmpty() ? QString() : StatusBarPartOf(hint);
}

QString StatusTextFor(const QWidget* widget) {
  for (; widget != nullptr; widget = widget->parentWidget()) {
    if (!HintOf(widget).isEmpty()) {
      return ShownHintOf(widget);
    }
  }
  return {};
}

}  // namespace calpero
