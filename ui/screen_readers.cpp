#include "ui/screen_readers.h"

#include <algorithm>
#include <utility>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

#include "ui/hint.h"
#include "ui/unit_list_accessible.h"
#include "ui/unit_list_box.h"
#include "ui/window_widgets.h"
#include "window/hint_text.h"

namespace calpero {
namespace {

// A power label reads as its quantity and the power it shows now.
class TPowerLabelAccessible : public QAccessibleWidget {
 public:
  explicit TPowerLabelAccessible(TPowerLabel* label)
      : QAccessibleWidget(label, QAccessible::StaticText) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) {
      return static_cast<const TPowerLabel*>(widget())->SpokenName();
    }
    return QAccessibleWidget::text(kind);
  }
};

// The announcer as screen readers see it: a notification, named by its sentence.
class TAnnouncerAccessible : public QAccessibleWidget {
 public:
  explicit TAnnouncerAccessible(QWidget* announcer)
      : QAccessibleWidget(announcer, QAccessible::Notification) {}
};

// How screen readers see the program's own controls that read otherwise than the toolkit's.
QAccessibleInterface* OwnControlsFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(TPowerLabel::staticMetaObject.className())) {
    return new TPowerLabelAccessible(static_cast<TPowerLabel*>(object));
  }
  if (className == QLatin1String(TAnnouncer::staticMetaObject.className())) {
    return new TAnnouncerAccessible(static_cast<QWidget*>(object));
  }
  if (className == QLatin1String(TUnitListBox::staticMetaObject.className())) {
    return MakeUnitListAccessible(static_cast<TUnitListBox*>(object));
  }
  return nullptr;
}

}  // namespace

void InstallOwnAccessibleFactory() {
  static const bool installed = [] {
    QAccessible::installFactory(OwnControlsFactory);
    return true;
  }();
  static_cast<void>(installed);
}

namespace {

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
  InstallOwnAccessibleFactory();
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

TAnnouncer::TAnnouncer(QWidget* window) : QWidget(window) {
  InstallOwnAccessibleFactory();
  setObjectName(QStringLiteral("Announcer"));
  setGeometry(0, 0, 0, 0);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  // Hidden for good, so that a screen reader reading out the window's contents (as Orca does for
  // a dialog that opens) passes over it; the showing that a sentence reports needs no showing.
  hide();
  delivery_.setSingleShot(true);
  delivery_.setInterval(0);
  connect(&delivery_, &QTimer::timeout, this, &TAnnouncer::Deliver);
  settled_.setSingleShot(true);
  settled_.setInterval(kSettleMs);
  connect(&settled_, &QTimer::timeout, this, &TAnnouncer::Deliver);
}

void TAnnouncer::Announce(const QString& sentence) {
  if (sentence.isEmpty()) {
    return;
  }
  pending_ = sentence;
  settled_.stop();
  delivery_.start();
}

void TAnnouncer::AnnounceSettled(const QString& sentence) {
  if (sentence.isEmpty()) {
    return;
  }
  pending_ = sentence;
  delivery_.stop();
  settled_.start();
}

void TAnnouncer::TellSettledNow() {
  if (settled_.isActive()) {
    Deliver();
  }
}

void TAnnouncer::AnnounceNote(const QString& note) {
  if (note.isEmpty()) {
    return;
  }
  notes_ << note;
  // A sentence waiting for the list's moves to settle takes the note along when it is told.
  if (!settled_.isActive()) {
    delivery_.start();
  }
}

void TAnnouncer::Deliver() {
  // The name first, which tells screen readers that cache names the new one; then the showing,
  // which a screen reader presents with that name. The same sentence twice is told twice.
  delivery_.stop();
  settled_.stop();
  QStringList parts = std::exchange(notes_, QStringList());
  if (!pending_.isEmpty()) {
    parts.prepend(std::exchange(pending_, QString()));
  }
  if (parts.isEmpty()) {
    return;
  }
  const QString sentence = parts.join(QLatin1Char(' '));
  setAccessibleName(sentence);
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
  emit Told(sentence);
}

}  // namespace calpero
