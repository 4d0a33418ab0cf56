#include "ui/accessible_names.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QLabel>

#include "app/hint_text.h"
#include "ui/hint.h"
#include "ui/window_widgets.h"

namespace calpero {
namespace {

// A power label reads as its quantity and the power it shows now.
class TPowerLabelAccessible : public QAccessibleWidget {
 public:
  explicit TPowerLabelAccessible(TPowerLabel* label)
      : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) {
      const auto* label = static_cast<const TPowerLabel*>(widget());
      return label->Quantity() + QLatin1Char(' ') + label->text();
    }
    return QAccessibleWidget::text(kind);
  }
};

QAccessibleInterface* PowerLabelFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(TPowerLabel::staticMetaObject.className())) {
    return new TPowerLabelAccessible(static_cast<TPowerLabel*>(object));
  }
  return nullptr;
}

void InstallFactoryOnce() {
  static const bool installed = [] {
    QAccessible::installFactory(PowerLabelFactory);
    return true;
  }();
  static_cast<void>(installed);
}

// Whether the toolkit already names `widget` by a caption of its own or of its buddy label.
bool HasCaption(const QWidget* widget, const QList<QLabel*>& labels) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    return !label->text().isEmpty();
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    return !button->text().isEmpty();
  }
  return std::ranges::any_of(labels, [widget](const QLabel* label) {
    return label->buddy() == widget && !label->text().isEmpty();
  });
}

QString MeaningOf(const QString& hint) {
  const QByteArray bytes = hint.toUtf8();
  const std::string_view meaning = HintMeaning(std::string_view(bytes.data(), bytes.size()));
  return QString::fromUtf8(meaning.data(), static_cast<qsizetype>(meaning.size()));
}

}  // namespace

void NameForScreenReaders(QWidget* window) {
  InstallFactoryOnce();
  const QList<QLabel*> labels = window->findChildren<QLabel*>();
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    const QString hint = HintOf(widget);
    if (hint.isEmpty()) {
      continue;
    }
    if (widget->accessibleDescription().isEmpty()) {
      widget->setAccessibleDescription(ShownHintOf(widget));
    }
    if (widget->accessibleName().isEmpty() && !HasCaption(widget, labels)) {
      widget->setAccessibleName(MeaningOf(hint));
    }
  }
}

}  // namespace calpero
