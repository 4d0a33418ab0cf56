#include "ui/hint.h"

#include <QCoreApplication>
#include <QVariant>
#include <QWidget>

#include "window/hint_text.h"

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
  // The toolkit tells screen readers of every description set, changed or not, and a screen
  // reader reads the control again for each: an erase sets the resultant's hint three times over.
  if (describedByHint && widget->accessibleDescription() != ShownHintOf(widget)) {
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

QString ResultantPowersHintText(std::span<const std::string> matches) {
  const QByteArray title = QCoreApplication::translate(
                               "MainForm", "Resultant powers: evaluate, save, back up, clear, help")
                               .toUtf8();
  const QByteArray sameAs =
      QCoreApplication::translate("MainForm", "Resultant powers: same as %1").toUtf8();
  return QString::fromStdString(
      ResultantPowersHint(matches, std::string_view(title.data(), title.size()),
                          std::string_view(sameAs.data(), sameAs.size())));
}

}  // namespace calpero
