#include "ui/hint.h"

#include <QVariant>
#include <QWidget>

#include "app/hint_text.h"

namespace calpero {
namespace {

constexpr const char* kHintProperty = "calperoHint";

}  // namespace

void SetHint(QWidget* widget, const QString& hint) { widget->setProperty(kHintProperty, hint); }

QString HintOf(const QWidget* widget) { return widget->property(kHintProperty).toString(); }

QString StatusTextFor(const QWidget* widget) {
  for (; widget != nullptr; widget = widget->parentWidget()) {
    const QString hint = HintOf(widget);
    if (!hint.isEmpty()) {
      const QByteArray bytes = hint.toUtf8();
      const std::string_view part = StatusBarPart(std::string_view(bytes.data(), bytes.size()));
      return QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size()));
    }
  }
  return {};
}

}  // namespace calpero
